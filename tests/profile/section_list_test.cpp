#include "profile/section_list.h"

#include "common/ansi_text.h"
#include "profile_test_support.h"
#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using profile_test::Dump;

std::string Value(CSectionList& list, const char* section, const char* key, int occurrence = 0) {
    char buffer[64] = {};
    if (!list.GetValue(section, key, buffer, sizeof(buffer), occurrence)) return "<missing>";
    return buffer;
}

TEST(SectionListNames, DecoratedNamesAllNameTheSameSection) {
    CSectionList list;
    SECTION_LIST* main = list.AddSection("Main", nullptr);
    ASSERT_NE(main, nullptr);
    for (const char* spelling : {"[Main]", "Main", "\"Main\"", "[[Main]]", " \t[ \"main\" ]\t", "MAIN"}) {
        SCOPED_TRACE(spelling);
        EXPECT_EQ(list.FindSection(spelling), main);
        EXPECT_EQ(list.AddSection(spelling, nullptr), main);
    }
    EXPECT_STREQ(main->name, "Main");
    EXPECT_EQ(main->next, nullptr);
}

TEST(SectionListNames, SecondSpellingLandsInFirstSection) {
    CSectionList list;
    SECTION_LIST* a = list.AddSection("[A]", nullptr);
    EXPECT_EQ(list.AddSection("a", nullptr), a);
    EXPECT_NE(list.AddLine("a", "X = 1", false, nullptr), nullptr);
    EXPECT_NE(list.AddLine("[A]", "Y = 2", false, nullptr), nullptr);
    EXPECT_EQ(Dump(list), "[A]\nX|1\nY|2\n");
}

TEST(SectionListNames, NullAndEmptyArguments) {
    CSectionList list;
    EXPECT_EQ(list.FindSection(nullptr), nullptr);
    EXPECT_EQ(list.AddSection(nullptr, nullptr), nullptr);
    EXPECT_EQ(list.AddSection("", nullptr), nullptr);
    SECTION_LIST* s = list.AddSection("S", "");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(list.FindSection(nullptr), s);  // null walks from the start
    EXPECT_EQ(list.AddLine(static_cast<SECTION_LIST*>(nullptr), "A=1", false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine(s, nullptr, false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine(s, "", false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine(static_cast<const char*>(nullptr), "A=1", false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine("", "A=1", false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine("Missing", "A=1", false, nullptr), nullptr);  // never creates a section
    EXPECT_EQ(list.FindSection("Missing"), nullptr);
    list.AddLine(s, "A=1", false, nullptr);
    EXPECT_EQ(list.FindKey(nullptr, "A", 0), nullptr);
    EXPECT_EQ(list.FindKey(s, nullptr, 0), nullptr);
    EXPECT_EQ(list.FindKey(s, "", 0), nullptr);
    EXPECT_EQ(list.FindKey(s, "A", -1), nullptr);
    EXPECT_EQ(list.FindKey(s, " A", 0), nullptr);  // the key argument is not trimmed
    EXPECT_EQ(list.FindKey(nullptr, 0), nullptr);
    EXPECT_EQ(list.FindKey(s, -1), nullptr);
    EXPECT_EQ(list.FindKey(s, 1), nullptr);
    EXPECT_FALSE(list.DeleteSection(nullptr));
    EXPECT_FALSE(list.DeleteSection(""));
    EXPECT_FALSE(list.DeleteLine(nullptr, "A"));
    EXPECT_FALSE(list.DeleteLine("S", nullptr));
    EXPECT_FALSE(list.DeleteLine("S", ""));
    EXPECT_FALSE(list.DeleteLine("S", "B"));
    EXPECT_FALSE(list.DeleteAllLines(nullptr));
    EXPECT_FALSE(list.DeleteAllLines("Missing"));
    char buffer[8];
    EXPECT_FALSE(list.GetValue(nullptr, "A", buffer, sizeof(buffer), 0));
    EXPECT_FALSE(list.GetValue("S", "A", nullptr, sizeof(buffer), 0));
    EXPECT_FALSE(list.GetValue("S", "A", buffer, 0, 0));
    list.DeleteLineList(nullptr);
    EXPECT_EQ(Dump(list), "[S]\nA|1\n");
}

TEST(SectionListNames, LimitsOfTheModel) {
    CSectionList list;
    std::string name255(255, 'n'), name256(256, 'n');
    EXPECT_NE(list.AddSection(name255.c_str(), nullptr), nullptr);
    EXPECT_EQ(list.AddSection(name256.c_str(), nullptr), nullptr);
    SECTION_LIST* s = list.AddSection("S", nullptr);
    std::string key255(255, 'k'), key256(256, 'k');
    EXPECT_NE(list.AddLine(s, (key255 + "=v").c_str(), false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine(s, (key256 + "=v").c_str(), false, nullptr), nullptr);
    EXPECT_EQ(list.AddLine(s, key256.c_str(), false, nullptr), nullptr);
    // Values are cut to the 4095 bytes the model holds, on a character boundary.
    LINE_LIST* line = list.AddLine(s, ("V=" + std::string(5000, 'x')).c_str(), false, nullptr);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::strlen(line->value), kMaxValueBytes);
    EXPECT_TRUE(list.SetValue("S", "V", std::string(5000, 'y').c_str(), 0));
    EXPECT_EQ(std::string(line->value), std::string(kMaxValueBytes, 'y'));
    EXPECT_FALSE(list.SetValue("S", key256.c_str(), "v", 0));
}

TEST(SectionListLines, SplitAtFirstEqualsAndTrim) {
    struct Case {
        const char* text;
        const char* key;
        const char* value;
    } cases[] = {
        {"A = b = c", "A", "b = c"},
        {"\tKey\t=\t value \t", "Key", "value"},
        {"ALONE", "ALONE", ""},
        {"  bare  ", "  bare  ", ""},  // text without "=" is stored unchanged
        {"A=", "A", ""},
        {"=v", "", "v"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CSectionList list;
        LINE_LIST* line = list.AddLine(list.AddSection("S", nullptr), c.text, false, nullptr);
        ASSERT_NE(line, nullptr);
        EXPECT_STREQ(line->key, c.key);
        EXPECT_STREQ(line->value, c.value);
    }
}

TEST(SectionListLines, DuplicateKeysByOccurrence) {
    CSectionList list;
    SECTION_LIST* s = list.AddSection("S", nullptr);
    list.AddLine(s, "X = 1", false, nullptr);
    list.AddLine(s, "Y = y", false, nullptr);
    list.AddLine(s, "x = 2", false, nullptr);
    EXPECT_EQ(Value(list, "S", "X", 0), "1");
    EXPECT_EQ(Value(list, "S", "X", 1), "2");
    EXPECT_EQ(Value(list, "S", "X", 2), "<missing>");

    EXPECT_NE(list.AddLine(s, "X = new", true, nullptr), nullptr);  // replace changes the first only
    EXPECT_EQ(Dump(list), "[S]\nX|new\nY|y\nx|2\n");
}

TEST(SectionListLines, GetValueZeroFillsAndCuts) {
    CSectionList list;
    list.AddLine(list.AddSection("S", nullptr), "K = abcdef", false, nullptr);
    char buffer[8];
    std::memset(buffer, '#', sizeof(buffer));
    ASSERT_TRUE(list.GetValue("S", "K", buffer, sizeof(buffer), 0));
    EXPECT_EQ(std::string(buffer, sizeof(buffer)), std::string("abcdef\0\0", 8));
    ASSERT_TRUE(list.GetValue("S", "K", buffer, 4, 0));
    EXPECT_EQ(std::string(buffer, 4), std::string("abc\0", 4));
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_FALSE(list.GetValue("S", "Missing", buffer, sizeof(buffer), 0));
    EXPECT_EQ(buffer[0], '#');  // untouched
}

TEST(SectionListLines, InsertPositions) {
    struct Case {
        const char* after;  // after-key, or after-section for sections
        const char* lines;
        const char* sections;
    } cases[] = {
        {nullptr, "[S]\nA|1\nB|2\nN|n\n", "[S]\n[T]\n[N]\n"},
        {"", "[S]\nA|1\nB|2\nN|n\n", "[S]\n[T]\n[N]\n"},
        {"Missing", "[S]\nA|1\nB|2\nN|n\n", "[S]\n[T]\n[N]\n"},
        {"a", "[S]\nA|1\nN|n\nB|2\n", "[S]\n[T]\n[N]\n"},
        {"s", "[S]\nA|1\nB|2\nN|n\n", "[S]\n[N]\n[T]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after ? c.after : "(null)");
        CSectionList lines;
        SECTION_LIST* s = lines.AddSection("S", nullptr);
        lines.AddLine(s, "A=1", false, nullptr);
        lines.AddLine(s, "B=2", false, nullptr);
        lines.AddLine(s, "N=n", false, c.after);
        EXPECT_EQ(Dump(lines), c.lines);

        CSectionList sections;
        sections.AddSection("S", nullptr);
        sections.AddSection("T", nullptr);
        sections.AddSection("N", c.after);
        EXPECT_EQ(Dump(sections), c.sections);
    }
    CSectionList empty;
    SECTION_LIST* first = empty.AddSection("First", "Missing");
    EXPECT_EQ(empty.FindSection(nullptr), first);
    EXPECT_EQ(empty.AddLine(first, "K=v", false, "Missing")->prev, nullptr);
}

TEST(SectionListLines, SetValueForms) {
    CSectionList list;
    EXPECT_TRUE(list.SetValue("New", "K", "v", 0));  // section created, line appended
    EXPECT_TRUE(list.SetValue("New", "Bare", "", 0));
    EXPECT_EQ(Dump(list), "[New]\nK|v\nBare|\n");
    EXPECT_TRUE(list.SetValue("New", "k", "  spaced  ", 0));  // existing line: stored untrimmed
    EXPECT_EQ(Value(list, "New", "K"), "  spaced  ");
    list.AddLine("New", "K = second", false, nullptr);
    EXPECT_TRUE(list.SetValue("New", "K", "two", 1));
    EXPECT_EQ(Value(list, "New", "K", 1), "two");
    EXPECT_TRUE(list.SetValue("New", "K", "first again", 5));  // missing occurrence: first overwritten
    EXPECT_EQ(Dump(list), "[New]\nK|first again\nBare|\nK|two\n");
    EXPECT_FALSE(list.SetValue(nullptr, "K", "v", 0));
    EXPECT_FALSE(list.SetValue("New", nullptr, "v", 0));
}

TEST(SectionListGetAllKey, BufferSizes) {
    CSectionList list;
    SECTION_LIST* s = list.AddSection("S", nullptr);
    list.AddLine(s, "AB = 1", false, nullptr);
    list.AddLine(s, "C", false, nullptr);
    list.AddSection("Empty", nullptr);
    const std::string keys("AB\0C\0", 5);  // total 5, plus the final terminator: 6 bytes

    char buffer[16];
    unsigned long size = 6, count = 99;
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(list.GetAllKey("S", buffer, &size, &count), 0u);
    EXPECT_EQ(std::string(buffer, 6), keys + '\0');
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(count, 2u);

    size = 5;  // one byte too small
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(list.GetAllKey("S", buffer, &size, &count), 14u);
    EXPECT_EQ(std::string(buffer, 5), std::string(5, '\0'));
    EXPECT_EQ(buffer[5], '#');
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(count, 1u);

    size = 0;
    EXPECT_EQ(list.GetAllKey("S", buffer, &size, nullptr), 14u);
    EXPECT_EQ(size, 5u);
    size = sizeof(buffer);
    EXPECT_EQ(list.GetAllKey("Empty", buffer, &size, &count), 0u);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(list.GetAllKey("Missing", buffer, &size, nullptr), 13u);
    EXPECT_EQ(list.GetAllKey(nullptr, buffer, &size, nullptr), 87u);
    EXPECT_EQ(list.GetAllKey("S", nullptr, &size, nullptr), 87u);
    EXPECT_EQ(list.GetAllKey("S", buffer, nullptr, nullptr), 87u);
}

TEST(SectionListDelete, SectionsAndLines) {
    CSectionList list;
    for (const char* name : {"A", "B", "C"}) {
        SECTION_LIST* s = list.AddSection(name, nullptr);
        for (const char* text : {"K=1", "L=2", "K=3", "M=4"}) list.AddLine(s, text, false, nullptr);
    }
    EXPECT_TRUE(list.DeleteAllLines("a"));
    ASSERT_NE(list.FindSection("A"), nullptr);
    EXPECT_EQ(list.FindSection("A")->lines, nullptr);
    EXPECT_EQ(Value(list, "A", "K"), "<missing>");
    EXPECT_NE(list.AddLine("A", "K=again", false, nullptr), nullptr);  // tail was reset too
    EXPECT_EQ(Value(list, "A", "K"), "again");

    EXPECT_TRUE(list.DeleteLine("B", "k"));  // the first K goes, the second becomes first
    EXPECT_EQ(Value(list, "B", "K"), "3");
    EXPECT_EQ(Value(list, "B", "K", 1), "<missing>");

    SECTION_LIST* c = list.FindSection("C");
    list.DeleteLineList(list.FindKey(c, "K", 1));  // K=3 and M=4 go
    EXPECT_EQ(Value(list, "C", "K"), "1");
    EXPECT_EQ(Value(list, "C", "M"), "<missing>");
    EXPECT_NE(list.AddLine(c, "M=5", false, nullptr), nullptr);

    EXPECT_TRUE(list.DeleteSection("b"));
    EXPECT_FALSE(list.DeleteSection("B"));
    EXPECT_EQ(Dump(list), "[A]\nK|again\n[C]\nK|1\nL|2\nM|5\n");
    EXPECT_NE(list.AddSection("B", nullptr), nullptr);  // a new, empty B at the end
    EXPECT_EQ(Dump(list), "[A]\nK|again\n[C]\nK|1\nL|2\nM|5\n[B]\n");

    list.ClearAll();
    EXPECT_EQ(list.FindSection(nullptr), nullptr);
    EXPECT_EQ(list.FindSection("A"), nullptr);
    EXPECT_NE(list.AddLine(list.AddSection("A", nullptr), "K=after clear", false, nullptr), nullptr);
    EXPECT_EQ(Dump(list), "[A]\nK|after clear\n");
    list.Delete();
    EXPECT_EQ(Dump(list), "");
}

TEST(SectionListDelete, RecordsOfAnotherListAreRefused) {
    CSectionList mine, other;
    SECTION_LIST* foreign = other.AddSection("S", nullptr);
    other.AddLine(foreign, "K=1", false, nullptr);
    mine.AddSection("S", nullptr);
    EXPECT_EQ(mine.AddLine(foreign, "K=2", false, nullptr), nullptr);
    EXPECT_EQ(mine.FindKey(foreign, "K", 0), nullptr);
    mine.DeleteLineList(foreign->lines);
    EXPECT_EQ(Dump(other), "[S]\nK|1\n");
}

// The index of first occurrences must agree with a plain walk of the chains after any mix
// of inserts (including after-key inserts ahead of the first occurrence), replaces and deletes.
TEST(SectionListIndex, AgreesWithChainWalkAfterRandomEdits) {
    const char* sections[] = {"S0", "s1", "S2"};
    const char* keys[] = {"K0", "k1", "K2", "k3"};
    std::mt19937 random(12345);
    auto pick = [&](auto& array) { return array[random() % std::size(array)]; };

    CSectionList list;
    // Large sections are searched through the index, small ones by walking: start with both.
    for (int i = 0; i < 40; ++i) list.AddLine(list.AddSection("S0", nullptr), (std::string(pick(keys)) + "=p").c_str(), false, nullptr);
    for (int step = 0; step < 4000; ++step) {
        const char* section = pick(sections);
        const char* key = pick(keys);
        std::string text = std::string(key) + "=" + std::to_string(step);
        switch (random() % 9) {
        case 0: case 1: case 2: list.AddLine(list.AddSection(section, nullptr), text.c_str(), false, nullptr); break;
        case 3: list.AddLine(section, text.c_str(), false, pick(keys)); break;
        case 4: list.AddLine(section, text.c_str(), true, nullptr); break;
        case 5: list.SetValue(section, key, std::to_string(step).c_str(), static_cast<int>(random() % 3)); break;
        case 6: list.DeleteLine(section, key); break;
        case 7:
            if (SECTION_LIST* s = list.FindSection(section))
                list.DeleteLineList(list.FindKey(s, static_cast<int>(random() % 6)));
            break;
        case 8:
            if (random() % 8 == 0) list.DeleteSection(section);
            else if (random() % 8 == 0) list.DeleteAllLines(section);
            break;
        }
        for (const char* name : sections) {
            SECTION_LIST* s = list.FindSection(name);
            if (!s) continue;
            for (const char* k : keys) {
                std::vector<LINE_LIST*> walked;
                for (LINE_LIST* l = s->lines; l; l = l->next)
                    if (setup::text::EqualsNoCase(l->key, k)) walked.push_back(l);
                for (int occurrence = 0; occurrence <= static_cast<int>(walked.size()); ++occurrence) {
                    LINE_LIST* expected = occurrence < static_cast<int>(walked.size()) ? walked[occurrence] : nullptr;
                    ASSERT_EQ(list.FindKey(s, k, occurrence), expected)
                        << "step " << step << " section " << name << " key " << k << " occurrence " << occurrence;
                }
            }
        }
    }
}

TEST(SectionListIndex, DoubleByteNamesCompareAsOneCharacter) {
    setup::text::UseCodePage(932);
    CSectionList list;
    // 0x83 0x5C: the trail byte is a backslash; 0x83 0x61: the trail byte is "a".
    SECTION_LIST* s = list.AddSection("[\x83\x61x]", nullptr);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(list.FindSection("\x83\x61X"), s);
    EXPECT_EQ(list.FindSection("\x83\x41X"), nullptr);  // the trail byte is not case-folded
    list.AddLine(s, "\x83\x5C" "a = dbcs", false, nullptr);
    EXPECT_EQ(Value(list, "\x83\x61x", "\x83\x5C" "A"), "dbcs");
    EXPECT_EQ(Value(list, "\x83\x61x", "\x83\x7C" "A"), "<missing>");
    // The same through the hash index of a large section.
    for (int i = 0; i < 40; ++i) list.AddLine(s, ("filler" + std::to_string(i) + "=f").c_str(), false, nullptr);
    list.AddLine(s, "\x83\x5C" "b = late", false, nullptr);
    EXPECT_EQ(Value(list, "\x83\x61x", "\x83\x5C" "A"), "dbcs");
    EXPECT_EQ(Value(list, "\x83\x61X", "\x83\x5C" "B"), "late");
    EXPECT_EQ(Value(list, "\x83\x61x", "\x83\x7C" "b"), "<missing>");
    // A trail byte "]" or a quote-like byte at the end is part of the name, not decoration.
    SECTION_LIST* bracket = list.AddSection("[\x83\x5D]", nullptr);
    ASSERT_NE(bracket, nullptr);
    EXPECT_STREQ(bracket->name, "\x83\x5D");
    setup::text::UseCodePage(0);
}

TEST(SectionListOutput, WrittenTextAndRoundTrip) {
    test_support::ScratchFolder folder{"profiletest"};
    CSectionList list;
    SECTION_LIST* a = list.AddSection("A", nullptr);
    list.AddLine(a, "K  =  v = w", false, nullptr);
    list.AddLine(a, "ALONE", false, nullptr);
    list.AddSection("Empty", nullptr);
    std::string path = folder.File("out.ini");
    {
        profile_test::OutputFile file(path);
        ASSERT_NE(file.Get(), nullptr);
        EXPECT_EQ(list.SaveFile(file.Get()), 0u);
        list.WriteSection(file.Get(), nullptr);  // nothing
    }
    EXPECT_EQ(test_support::ReadBytes(path), "[A]\r\nK = v = w\r\nALONE\r\n\r\n[Empty]\r\n\r\n");
    EXPECT_EQ(list.SaveFile(nullptr), 87u);

    profile_test::TextProfile reread;
    ASSERT_EQ(reread.LoadFile(path.c_str(), reread.MainList()), 0u);
    EXPECT_EQ(Dump(reread.MainList()), Dump(list));
}

}  // namespace
