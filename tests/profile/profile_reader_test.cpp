#include "profile/profile.h"

#include "common/ansi_text.h"
#include "profile_test_support.h"
#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

using profile_test::Dump;
using profile_test::TextProfile;

std::string Parse(const std::string& text) {
    TextProfile profile;
    EXPECT_EQ(profile.LoadMain(text), 0u);
    return Dump(profile.MainList());
}

struct ParseCase {
    const char* name;
    std::string file;
    std::string model;
};

class ProfileSyntax : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ProfileSyntax, BuildsModel) { EXPECT_EQ(Parse(GetParam().file), GetParam().model); }

const std::string kLong4095(4095, 'v');

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileSyntax,
    ::testing::Values(
        ParseCase{"LineCommentAfterValue", "[S]\r\nKEY = value // note\r\n", "[S]\nKEY|value\n"},
        ParseCase{"QuotedValueKeepsSlashes", "[S]\nURL = \"http://host/x\"\n", "[S]\nURL|\"http://host/x\"\n"},
        ParseCase{"UnquotedValueCutAtSlashes", "[S]\nURL = http://host/x\n", "[S]\nURL|http:\n"},
        ParseCase{"InlineBlockComment", "[S]\nA = 1 /* a */ B = 2\n", "[S]\nA|1  B = 2\n"},
        ParseCase{"BlockCommentJoinsLines", "[S]\nX = 1/* one\ntwo\nthree */2\nY = 3\n", "[S]\nX|12\nY|3\n"},
        ParseCase{"BlankLinesLeaveNoTrace", "[S]\r\nA=1\r\n\r\n\r\n\r\nB=2\r\n", "[S]\nA|1\nB|2\n"},
        ParseCase{"LfOnlyReadsLikeCrLf", "[S]\nA=1\n\n\n\nB=2\n", "[S]\nA|1\nB|2\n"},
        ParseCase{"LoneCrEndsLines", "[S]\rA=1\rB=2", "[S]\nA|1\nB|2\n"},
        ParseCase{"NoFinalLineBreak", "[S]\nA=1", "[S]\nA|1\n"},
        ParseCase{"UnterminatedBlockDropsRest", "[S]\nA=1\n/* open\n[T]\nB=2\n", "[S]\nA|1\n"},
        ParseCase{"RepeatedHeaderMerges", "[Main]\nA=1\n[Other]\nO=o\n[main]\nB=2\n", "[Main]\nA|1\nB|2\n[Other]\nO|o\n"},
        ParseCase{"ByteOrderMarkHidesHeader", "\xEF\xBB\xBF[Main]\nA=1\n", ""},
        ParseCase{"LinesBeforeHeaderDropped", "A=1\nbare\n[S]\nB=2\n", "[S]\nB|2\n"},
        ParseCase{"HeaderWithTextIsKeyLine", "[S]\n[A] x\n", "[S]\n[A] x|\n"},
        ParseCase{"HeaderNameDecorations", "[ \"Sp ace\" ]\nA=1\n", "[Sp ace]\nA|1\n"},
        ParseCase{"LineTrimmedAndSplit", "[S]\n \t K \t= \t v = w \t\n", "[S]\nK|v = w\n"},
        ParseCase{"EmptyValueAndEmptyKey", "[S]\nA=\n=v\n", "[S]\nA|\n|v\n"},
        ParseCase{"UnbalancedQuoteKeepsCommentsOff", "[S]\nA = \"x // y\nB = 2 // z\"\nC = 3 // cut\n",
                  "[S]\nA|\"x // y\nB|2 // z\"\nC|3\n"},
        ParseCase{"CommentOnlyLine", "[S]\n// all comment\nA=1\n  // indented\n", "[S]\nA|1\n"},
        ParseCase{"NulEndsDataDropsOpenLine", std::string("[S]\nA=1\nB=2\0\nC=3\n", 17), "[S]\nA|1\n"},
        ParseCase{"NulAfterBreak", std::string("[S]\nA=1\n\0B=2\n", 13), "[S]\nA|1\n"},
        ParseCase{"NulInsideCommentIsDropped", std::string("[S]\nA=1 // \0x\nB=2\n", 18), "[S]\nA|1\nB|2\n"},
        ParseCase{"LineOf4095Bytes", "[S]\nK=" + std::string(4093, 'v') + "\nB=2\n",
                  "[S]\nK|" + std::string(4093, 'v') + "\nB|2\n"},
        ParseCase{"LineOver4095EndsReading", "[S]\nA=1\nK=" + kLong4095 + "\nB=2\n", "[S]\nA|1\n"},
        ParseCase{"SectionNameOver255Rejected", "[" + std::string(256, 'n') + "]\nA=1\n[T]\nB=2\n", "[T]\nB|2\n"},
        ParseCase{"SectionName255Kept", "[" + std::string(255, 'n') + "]\nA=1\n",
                  "[" + std::string(255, 'n') + "]\nA|1\n"},
        ParseCase{"KeyOver255Dropped", "[S]\n" + std::string(256, 'k') + "=1\nB=2\n", "[S]\nB|2\n"},
        ParseCase{"EmptyFile", "", ""},
        ParseCase{"SingleByte", "[", ""},
        ParseCase{"EmptyHeader", "[]\nA=1\n", "[]\nA|1\n"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ProfileSyntaxHeader, IsSection) {
    EXPECT_TRUE(TextProfile::IsSection("[A]"));
    EXPECT_TRUE(TextProfile::IsSection("[]"));
    EXPECT_FALSE(TextProfile::IsSection("[A] x"));
    EXPECT_FALSE(TextProfile::IsSection("["));
    EXPECT_FALSE(TextProfile::IsSection(""));
    EXPECT_FALSE(TextProfile::IsSection(nullptr));
}

TEST(ProfileLoading, FilesFlagsAndErrors) {
    test_support::ScratchFolder folder{"profiletest"};
    std::string main = folder.File("main.ini"), strings = folder.File("strings.str");
    test_support::WriteBytes(main, "[S]\nA=1\n");
    test_support::WriteBytes(strings, "[Strings]\n%X%=x\n");

    TextProfile profile;
    EXPECT_EQ(profile.LoadFile(folder.File("missing.ini").c_str(), profile.MainList()), 2u);
    EXPECT_EQ(profile.LoadFile("", profile.MainList()), 87u);
    EXPECT_EQ(profile.LoadFile(nullptr, profile.MainList()), 87u);

    EXPECT_EQ(profile.Create(folder.File("missing.ini").c_str(), strings.c_str()), 0u);
    EXPECT_FALSE(profile.IsLoaded());
    EXPECT_FALSE(profile.IsStringsLoaded());  // only tried after the main file loaded

    EXPECT_EQ(profile.Create(main.c_str(), folder.File("missing.str").c_str()), 0u);
    EXPECT_TRUE(profile.IsLoaded());
    EXPECT_FALSE(profile.IsStringsLoaded());
    EXPECT_EQ(std::string(profile.Path()), main);

    test_support::WriteBytes(main, "[S]\nB=2\n");
    EXPECT_EQ(profile.Create(main.c_str(), strings.c_str()), 0u);  // merges
    EXPECT_TRUE(profile.IsStringsLoaded());
    EXPECT_EQ(Dump(profile.MainList()), "[S]\nA|1\nB|2\n");

    EXPECT_EQ(profile.Reload(profile.Path(), nullptr), 0u);  // its own path, as a language change does
    EXPECT_TRUE(profile.IsLoaded());
    EXPECT_EQ(Dump(profile.MainList()), "[S]\nB|2\n");
    EXPECT_FALSE(profile.IsStringsLoaded());

    EXPECT_EQ(profile.Reload(folder.File("missing.ini").c_str(), nullptr), 0u);
    EXPECT_FALSE(profile.IsLoaded());
    EXPECT_EQ(Dump(profile.MainList()), "");

    CProfile constructed(main.c_str(), strings.c_str());
    EXPECT_TRUE(constructed.IsLoaded());
    EXPECT_TRUE(constructed.IsStringsLoaded());
}

TEST(ProfileLoading, FolderIsNotAProfile) {
    test_support::ScratchFolder folder{"profiletest"};
    TextProfile profile;
    std::string self = folder.File("");
    EXPECT_NE(profile.LoadFile(self.c_str(), profile.MainList()), 0u);
    EXPECT_EQ(Dump(profile.MainList()), "");
}

// --- values -----------------------------------------------------------------------------

class ProfileValues : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(profile_.LoadMain("[Strings]\n"
                                    "%A% = x%B%\n"
                                    "%B% = y\n"
                                    "%Q% = \"\"quoted\"\"\n"
                                    "%SELF% = a%SELF%\n"
                                    "%SAME% = %SAME%\n"
                                    "%P1% = %P2%\n"
                                    "%P2% = %P1%\n"
                                    "%LONG% = " + std::string(3000, 'L') + "\n"
                                    "[V]\n"
                                    "Ref = [%A%]\n"
                                    "Percent = 100%\n"
                                    "Undefined = %NOSUCH%\n"
                                    "Escaped = a\\nb\\rc\n"
                                    "Quoted = %Q%\n"
                                    "Self = %SELF%\n"
                                    "Same = <%SAME%>\n"
                                    "Ping = %P1%\n"
                                    "Long = %A%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%%LONG%\n"
                                    "Cut = %LONG%\n"
                                    "Many = %A%%A%%A%%A%\n"),
                  0u);
    }
    std::string Get(const char* key, bool escapes = false, unsigned long size = 64, unsigned long* rc = nullptr) {
        std::string buffer(size, '#');
        unsigned long result = profile_.GetString("V", key, buffer.data(), size, escapes);
        if (rc) *rc = result;
        return buffer.substr(0, strnlen(buffer.data(), size));
    }
    unsigned long Convert(std::string& text, unsigned long size, bool escapes = false) {
        std::string buffer(size, '\0');
        std::memcpy(buffer.data(), text.data(), std::min<std::size_t>(text.size(), size));
        unsigned long rc = profile_.ConvertDefinedString(buffer.data(), size, escapes);
        text = buffer.substr(0, strnlen(buffer.data(), size));
        return rc;
    }
    TextProfile profile_;
};

TEST_F(ProfileValues, ReferencesResolve) {
    struct Case {
        const char* key;
        bool escapes;
        std::string expected;
    } cases[] = {
        {"Ref", false, "[xy]"},
        {"Percent", false, "100%"},
        {"Undefined", false, "%NOSUCH%"},
        {"Escaped", false, "a\\nb\\rc"},
        {"Escaped", true, "a\nb\rc"},
        {"Quoted", false, "quoted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        unsigned long rc = 99;
        EXPECT_EQ(Get(c.key, c.escapes, 64, &rc), c.expected);
        EXPECT_EQ(rc, 0u);
    }
}

TEST_F(ProfileValues, ConvertResults) {
    struct Case {
        std::string text;
        unsigned long size;
        unsigned long rc;
        std::string after;
    } cases[] = {
        {"[%A%]", 64, 0, "[xy]"},
        {"100%", 64, 0, "100%"},
        {"%NOSUCH%", 64, 13, "%NOSUCH%"},
        {"%B% %NOSUCH%", 64, 13, "y %NOSUCH%"},  // the last lookup decides
        {"%NOSUCH% %B%", 64, 0, "%NOSUCH% y"},
        {"%a%", 64, 0, "xy"},                    // names match case-insensitively
        {"[%A%]", 5, 0, "[xy]"},
        {"[%A%]", 4, 0, "[xy"},                  // the text is what the buffer holds
        {"%LONG%", 64, 14, "%LONG%"},            // does not fit: left as it was
        {"%B%%B%", 64, 0, "yy"},
        {"", 64, 87, ""},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        EXPECT_EQ(Convert(text, c.size), c.rc);
        EXPECT_EQ(text, c.after);
    }
    EXPECT_EQ(profile_.ConvertDefinedString(nullptr, 10, false), 87u);
    char one[1] = {'\0'};
    EXPECT_EQ(profile_.ConvertDefinedString(one, 0, false), 87u);
}

TEST_F(ProfileValues, SelfReferenceStops) {
    for (const char* key : {"Self", "Same", "Ping"}) {
        SCOPED_TRACE(key);
        auto start = std::chrono::steady_clock::now();
        unsigned long rc = 99;
        std::string value = Get(key, false, 256, &rc);
        EXPECT_EQ(rc, 0u);  // GetString keeps its result; the buffer keeps the raw value
        EXPECT_EQ(value, profile_.MainList().FindKey(profile_.MainList().FindSection("V"), key, 0)->value);
        std::string text = value;
        EXPECT_EQ(Convert(text, 32768), 14u);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }
}

TEST_F(ProfileValues, BufferSizes) {
    unsigned long rc = 99;
    // The resolved text does not fit: the raw value, cut, stays.
    EXPECT_EQ(Get("Ref", false, 4, &rc), "[%A");
    EXPECT_EQ(rc, 0u);
    EXPECT_EQ(Get("Ref", false, 5, &rc), "[xy]");
    // A raw value cut by the buffer is still resolved whole.
    EXPECT_EQ(Get("Many", false, 10, &rc), "xyxyxyxy");
    EXPECT_EQ(Get("Cut", false, 3001, &rc), std::string(3000, 'L'));
    EXPECT_EQ(Get("Ref", false, 1, &rc), "");
    EXPECT_EQ(rc, 0u);
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(profile_.GetString("V", "Ref", buffer, 0, false), 87u);
    EXPECT_EQ(profile_.GetString("V", "Ref", nullptr, 4, false), 87u);
    EXPECT_EQ(profile_.GetString("V", "Missing", buffer, sizeof(buffer), false), 13u);
    EXPECT_EQ(profile_.GetString("Missing", "Ref", buffer, sizeof(buffer), false), 13u);
    EXPECT_EQ(profile_.GetString(nullptr, "Ref", buffer, sizeof(buffer), false), 13u);
    EXPECT_EQ(profile_.GetString("V", nullptr, buffer, sizeof(buffer), false), 13u);
    EXPECT_EQ(buffer[0], '#');
    // Beyond the 32768-byte work limit the text stays unresolved.
    std::string value = Get("Long", false, 40000, &rc);
    EXPECT_EQ(value.substr(0, 9), "%A%%LONG%");
}

TEST_F(ProfileValues, StringValueLookup) {
    char buffer[8];
    EXPECT_EQ(profile_.GetStringValue("%B%", buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "y");
    EXPECT_EQ(profile_.GetStringValue("B", buffer, sizeof(buffer)), 13u);  // names keep their percent signs
    EXPECT_EQ(profile_.GetStringValue("", buffer, sizeof(buffer)), 87u);
    EXPECT_EQ(profile_.GetStringValue(nullptr, buffer, sizeof(buffer)), 87u);
    EXPECT_EQ(profile_.GetStringValue("%B%", nullptr, sizeof(buffer)), 87u);
    EXPECT_EQ(profile_.GetStringValue("%B%", buffer, 0), 87u);
}

TEST(ProfileStringFile, SearchedBeforeMainStrings) {
    test_support::ScratchFolder folder{"profiletest"};
    std::string main = folder.File("main.ini"), strings = folder.File("lang.str");
    test_support::WriteBytes(main, "[Strings]\n%NAME% = main\n%ONLY% = main only\n[V]\nK = %NAME%/%ONLY%\n");
    test_support::WriteBytes(strings, "[STRINGS]\n%name% = \"language\"\n");
    CProfile profile(main.c_str(), strings.c_str());
    char buffer[64];
    ASSERT_EQ(profile.GetString("V", "K", buffer, sizeof(buffer), false), 0u);
    EXPECT_STREQ(buffer, "language/main only");
    CProfile mainOnly(main.c_str(), nullptr);
    ASSERT_EQ(mainOnly.GetString("V", "K", buffer, sizeof(buffer), false), 0u);
    EXPECT_STREQ(buffer, "main/main only");
}

TEST(ProfileValuesDoubleByte, TrailBackslashIsNoEscape) {
    setup::text::UseCodePage(932);
    TextProfile profile;
    ASSERT_EQ(profile.LoadMain("[V]\nK = \x83\x5Cn\\n\n"), 0u);
    char buffer[16];
    ASSERT_EQ(profile.GetString("V", "K", buffer, sizeof(buffer), true), 0u);
    EXPECT_STREQ(buffer, "\x83\x5Cn\n");
    setup::text::UseCodePage(0);
}

// --- numbers ------------------------------------------------------------------------------

TEST(ProfileNumbers, StringToDword) {
    struct Case {
        const char* text;
        unsigned long value;
    } cases[] = {
        {"0x1F", 31}, {"0X1f", 31}, {"31", 31}, {"-1", 4294967295ul}, {"0x123456789", 0x23456789},
        {"abc", 0}, {"  +42", 42}, {"12abc", 12}, {"", 0}, {"0x20 ", 0x20}, {" 0x20", 0x20},
        {"4294967296", 0}, {"-2147483648", 0x80000000ul}, {"0xG1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CProfile::StringToDword(c.text), c.value);
    }
    EXPECT_EQ(CProfile::StringToDword(nullptr), 0u);
}

class ProfileTuples : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(profile_.LoadMain("[C]\n"
                                    "Red = 255,0,0\n"
                                    "Wrap = 256, 0x101, 2\n"
                                    "Two = 0,255\n"
                                    "Spaced = 10, 0x20\n"
                                    "Sparse = ,,5,,6,\n"
                                    "One = 5\n"
                                    "Rect = 1,2,3,4,5\n"
                                    "Negative = -1,-2\n"
                                    "Ref = %X%\n"
                                    "[Strings]\n%X% = 1,2\n"),
                  0u);
    }
    TextProfile profile_;
};

TEST_F(ProfileTuples, Colors) {
    struct Case {
        const char* key;
        unsigned long rc;
        unsigned long color;
    } cases[] = {
        {"Red", 0, 255}, {"Wrap", 0, 0 + 1 * 256 + 2 * 65536}, {"Two", 87, 7}, {"Missing", 13, 7}, {"One", 87, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        unsigned long color = 7;
        EXPECT_EQ(profile_.GetControl("C", c.key, &color), c.rc);
        EXPECT_EQ(color, c.color);
    }
}

TEST_F(ProfileTuples, SizesPointsRectangles) {
    struct Case {
        const char* key;
        unsigned long sizeRc, pointRc, rectRc;
        int a, b;
    } cases[] = {
        {"Spaced", 0, 0, 87, 10, 32},
        {"Sparse", 0, 0, 87, 5, 6},
        {"Negative", 0, 0, 87, -1, -2},
        {"Rect", 0, 0, 0, 1, 2},
        {"One", 87, 87, 87, 0, 0},
        {"Missing", 13, 87, 87, 0, 0},
        {"Ref", 87, 87, 87, 0, 0},  // raw values: no reference expansion
        {"", 87, 87, 87, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        PROFILE_SIZE size{};
        PROFILE_POINT point{};
        PROFILE_RECT rect{};
        EXPECT_EQ(profile_.GetControl("C", c.key, &size), c.sizeRc);
        EXPECT_EQ(profile_.GetControl("C", c.key, &point), c.pointRc);
        EXPECT_EQ(profile_.GetControl("C", c.key, &rect), c.rectRc);
        if (c.sizeRc == 0) {
            EXPECT_EQ(size.cx, c.a);
            EXPECT_EQ(size.cy, c.b);
            EXPECT_EQ(point.x, c.a);
            EXPECT_EQ(point.y, c.b);
        }
    }
    PROFILE_RECT rect{};
    ASSERT_EQ(profile_.GetControl("C", "Rect", &rect), 0u);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(profile_.GetControl(nullptr, "Red", &rect), 87u);
    EXPECT_EQ(profile_.GetControl("C", nullptr, static_cast<PROFILE_SIZE*>(nullptr)), 87u);
    EXPECT_EQ(profile_.GetControl("C", "Red", static_cast<unsigned long*>(nullptr)), 87u);
}

TEST_F(ProfileTuples, Dwords) {
    unsigned long value = 7;
    EXPECT_EQ(profile_.GetDword("C", "One", &value), 0u);
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(profile_.GetDword("C", "Spaced", &value), 0u);  // one number: "0X" turns all of it hexadecimal
    EXPECT_EQ(value, 0x100020u);
    EXPECT_EQ(profile_.GetDword("C", "Missing", &value), 13u);
    EXPECT_EQ(profile_.GetDword("C", "Spaced", nullptr), 87u);
}

// --- listings -----------------------------------------------------------------------------

class ProfileListing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(profile_.LoadMain("[L]\n"
                                    "A = %X%\n"
                                    "bare\n"
                                    "E = 1\\n2\n"
                                    "[Empty]\n"
                                    "[Strings]\n%X% = ex\n"),
                  0u);
    }
    std::string List(const char* section, unsigned long size, bool skipBare, unsigned long* rc) {
        std::string buffer(size, '#');
        *rc = profile_.GetAllKey(section, buffer.data(), size, skipBare);
        return buffer;
    }
    TextProfile profile_;
};

TEST_F(ProfileListing, GetAllKey) {
    const std::string full("A = ex\0bare\0E = 1\n2\0\0", 21);
    const std::string noBare("A = ex\0E = 1\n2\0\0", 16);
    unsigned long rc = 99;
    EXPECT_EQ(List("L", 21, false, &rc), full);
    EXPECT_EQ(rc, 0u);
    EXPECT_EQ(List("l", 16, true, &rc), noBare);
    EXPECT_EQ(rc, 0u);
    EXPECT_EQ(List("L", 20, false, &rc), std::string("A = ex\0bare\0\0\0\0\0\0\0\0\0", 20));  // entries copied stay
    EXPECT_EQ(rc, 14u);
    EXPECT_EQ(List("L", 1, false, &rc), std::string(1, '\0'));
    EXPECT_EQ(rc, 14u);
    EXPECT_EQ(List("Empty", 4, false, &rc), std::string(4, '\0'));
    EXPECT_EQ(rc, 0u);
    EXPECT_EQ(List("Missing", 4, false, &rc), std::string(4, '\0'));
    EXPECT_EQ(rc, 13u);
    char buffer[4];
    EXPECT_EQ(profile_.GetAllKey(nullptr, buffer, 4, false), 87u);
    EXPECT_EQ(profile_.GetAllKey("L", nullptr, 4, false), 87u);
    EXPECT_EQ(profile_.GetAllKey("L", buffer, 0, false), 87u);
}

TEST_F(ProfileListing, GetSectionName) {
    struct Case {
        unsigned long size;
        bool multi;
        unsigned long rc;
        std::string buffer;
    } cases[] = {
        {23, true, 0, std::string("L\0Empty\0Strings\0\0\0\0\0\0\0", 23)},
        {17, true, 0, std::string("L\0Empty\0Strings\0\0", 17)},
        {16, true, 14, std::string("L\0Empty\0\0\0\0\0\0\0\0\0", 16)},
        {17, false, 0, std::string("L Empty Strings \0", 17)},
        {16, false, 14, std::string("L Empty        \0", 16)},
        {1, false, 14, std::string(1, '\0')},
        {1, true, 14, std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << (c.multi ? " multi" : " blanks"));
        std::string buffer(c.size, '#');
        EXPECT_EQ(profile_.GetSectionName(buffer.data(), c.size, c.multi), c.rc);
        EXPECT_EQ(buffer, c.buffer);
    }
    TextProfile empty;
    char buffer[4];
    EXPECT_EQ(empty.GetSectionName(buffer, sizeof(buffer), true), 13u);
    EXPECT_EQ(empty.GetSectionName(nullptr, 4, true), 87u);
    EXPECT_EQ(empty.GetSectionName(buffer, 0, true), 87u);
    TextProfile unnamed;
    ASSERT_EQ(unnamed.LoadMain("[]\n[\"\"]\n[N]\n"), 0u);
    std::string names(8, '#');
    EXPECT_EQ(unnamed.GetSectionName(names.data(), 8, true), 0u);
    EXPECT_EQ(names, std::string("N\0\0\0\0\0\0\0", 8));
}

}  // namespace
