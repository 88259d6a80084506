#include "profile/registry.h"

#include "process_handles.h"
#include "support/file_text.h"
#include "support/raw_registry.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace test_support;

// A scratch folder for the files and scratch keys under HKLM and HKCU, removed afterwards.
class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.Created()); }
    void TearDown() override {
        if (top_.empty()) return;  // an empty name would clear the whole root
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, top_.c_str());
    }

    std::string File(const std::string& name) const { return scratch_.File(name); }
    std::string Key(const std::string& relative) const { return base_ + "\\" + relative; }

    // The file's lines without the blank ones between sections.
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines = CrLfLines(text);
        std::erase(lines, std::string());
        return lines;
    }

    ScratchFolder scratch_{"RegistryFileTest"};
    const std::string& dir_ = scratch_.Path();
    const std::string& top_ = scratch_.Name();  // the keys are named like the folder
    const std::string base_ = top_ + "\\Scratch";
};

TEST_F(RegistryFileTest, ExportWritesSectionsParentFirstAndOneLinePerValue) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    const std::string a = Key("A");
    const BYTE blob[] = {1, 2, 3};
    ASSERT_EQ(RawNumber(lm, a, "Count", 10), 0);
    ASSERT_EQ(RawText(lm, a, "Path", "C:\\A"), 0);
    ASSERT_EQ(RawText(lm, a, "Searched", "%PATH%", REG_EXPAND_SZ), 0);
    ASSERT_EQ(Raw(lm, a + "\\B", "Blob", REG_BINARY, blob, sizeof(blob)), 0);
    HKEY empty = nullptr;
    ASSERT_EQ(RegCreateKeyA(lm, (a + "\\C").c_str(), &empty), 0);
    RegCloseKey(empty);  // an empty key still gets a header

    const std::string file = File("export.reg");
    ASSERT_EQ(CRegistry::SaveToFile(a.c_str(), file.c_str(), lm), 0u);
    const std::vector<std::string> expected = {
        "[HKEY_LOCAL_MACHINE\\" + a + "]",
        "\"Count\"=dword:0000000a",
        "\"Path\"=\"C:\\A\"",
        "[HKEY_LOCAL_MACHINE\\" + a + "\\B]",
        "\"Blob\"=hex:",
        "[HKEY_LOCAL_MACHINE\\" + a + "\\C]",
    };
    EXPECT_EQ(Lines(ReadBytes(file)), expected) << ReadBytes(file);
    const std::string bytes = ReadBytes(file);
    EXPECT_NE(bytes.find("]\r\n\"Count\""), std::string::npos) << "lines end with CR LF";
}

TEST_F(RegistryFileTest, ExportThenImportRestoresTextAndNumbers) {
    const HKEY cu = HKEY_CURRENT_USER;
    const std::string tree = Key("Tree");
    const BYTE blob[] = {9};
    ASSERT_EQ(RawText(cu, tree, "Path", "C:\\Program Files\\new\\readme.txt"), 0);
    ASSERT_EQ(RawText(cu, tree, "Empty", ""), 0);
    ASSERT_EQ(RawText(cu, tree, "", "default"), 0);
    ASSERT_EQ(RawText(cu, tree, "Spaced", "  a = b  "), 0);
    ASSERT_EQ(RawNumber(cu, tree, "Max", 0xFFFFFFFF), 0);
    ASSERT_EQ(RawNumber(cu, tree, "Zero", 0), 0);
    ASSERT_EQ(Raw(cu, tree, "Blob", REG_BINARY, blob, sizeof(blob)), 0);
    ASSERT_EQ(RawText(cu, tree, "Expand", "%TEMP%", REG_EXPAND_SZ), 0);
    ASSERT_EQ(RawText(cu, tree + "\\Sub\\Deep", "Inner", "deep"), 0);
    ASSERT_EQ(RawNumber(cu, tree + "\\Sub", "N", 0x1234), 0);

    const std::string file = File("tree.reg");
    ASSERT_EQ(CRegistry::SaveToFile(tree.c_str(), file.c_str(), cu), 0u);
    ASSERT_EQ(RegDeleteTreeA(cu, tree.c_str()), 0);
    ASSERT_EQ(CRegistry::LoadFromFile(file.c_str()), 0u) << ReadBytes(file);

    EXPECT_EQ(Text(cu, tree, "Path"), "C:\\Program Files\\new\\readme.txt");
    EXPECT_EQ(Text(cu, tree, "Empty"), "");
    EXPECT_EQ(Text(cu, tree, ""), "default");
    EXPECT_EQ(Text(cu, tree, "Spaced"), "  a = b  ");
    EXPECT_EQ(Number(cu, tree, "Max"), 0xFFFFFFFFu);
    EXPECT_EQ(Number(cu, tree, "Zero"), 0u);
    EXPECT_FALSE(HasValue(cu, tree, "Blob")) << "binary data is not recorded";
    EXPECT_FALSE(HasValue(cu, tree, "Expand"));
    EXPECT_EQ(Text(cu, tree + "\\Sub\\Deep", "Inner"), "deep");
    EXPECT_EQ(Number(cu, tree + "\\Sub", "N"), 0x1234u);
}

TEST_F(RegistryFileTest, ExportRefusesAnExistingFileAndWritesNothingForHkeyUsers) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    ASSERT_EQ(RawText(lm, Key("A"), "Path", "x"), 0);
    const std::string existing = File("existing.reg");
    WriteBytes(existing, "keep me\r\n");
    EXPECT_EQ(CRegistry::SaveToFile(Key("A").c_str(), existing.c_str(), lm), static_cast<unsigned long>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadBytes(existing), "keep me\r\n");

    const std::string users = File("users.reg");
    EXPECT_EQ(CRegistry::SaveToFile(".DEFAULT", users.c_str(), HKEY_USERS), 0u);
    EXPECT_NE(GetFileAttributesA(users.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadBytes(users), "");

    // Values whose names do not fit the 260-byte enumeration buffer are left out.
    ASSERT_EQ(RawText(lm, Key("A"), std::string(300, 'n').c_str(), "long"), 0);
    const std::string longName = File("longname.reg");
    EXPECT_EQ(CRegistry::SaveToFile(Key("A").c_str(), longName.c_str(), lm), 0u);
    EXPECT_EQ(Lines(ReadBytes(longName)).size(), 2u) << ReadBytes(longName);

    const std::string missing = File("missing.reg");
    EXPECT_EQ(CRegistry::SaveToFile(Key("Missing").c_str(), missing.c_str(), lm),
              static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(ReadBytes(missing), "");

    const unsigned long invalid = ERROR_INVALID_PARAMETER;
    EXPECT_EQ(CRegistry::SaveToFile(nullptr, File("n1.reg").c_str(), lm), invalid);
    EXPECT_EQ(CRegistry::SaveToFile("", File("n2.reg").c_str(), lm), invalid);
    EXPECT_EQ(CRegistry::SaveToFile(Key("A").c_str(), nullptr, lm), invalid);
    EXPECT_EQ(CRegistry::SaveToFile(Key("A").c_str(), "", lm), invalid);
    EXPECT_NE(CRegistry::SaveToFile(Key("A").c_str(), File("no\\such\\folder.reg").c_str(), lm), 0u);
}

// The profile writer would put a bare file name into the Windows folder.
TEST_F(RegistryFileTest, ExportToARelativeNameWritesBesideTheCurrentFolder) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    ASSERT_EQ(RawText(lm, Key("A"), "Path", "x"), 0);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
    unsigned long result = CRegistry::SaveToFile(Key("A").c_str(), "relative.reg", lm);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(result, 0u);
    auto lines = Lines(ReadBytes(File("relative.reg")));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\"Path\"=\"x\"");
}

TEST_F(RegistryFileTest, ImportReadsEachLineForm) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    const HKEY cu = HKEY_CURRENT_USER;
    const std::string file = File("import.reg");
    WriteBytes(file,
               "[HKEY_LOCAL_MACHINE\\" + Key("LM") + "]\r\n"
               "\"Text\" = \"C:\\A\"\r\n"
               "\"Hex\"=dword:FF\r\n"
               "\"Padded\"=dword:0000000a\r\n"
               "\"Blob\"=hex:01,02\r\n"
               "[hkey_current_user\\" + Key("CU") + "]\n"
               "Unquoted=\"\"x\"\"\n"
               "[" + Key("Bare") + "]\r\n"
               "\"v\"=dword:1\r\n");
    EXPECT_EQ(CRegistry::LoadFromFile(file.c_str()), 0u);
    EXPECT_EQ(Text(lm, Key("LM"), "Text"), "C:\\A");
    EXPECT_EQ(Number(lm, Key("LM"), "Hex"), 255u);
    EXPECT_EQ(Number(lm, Key("LM"), "Padded"), 10u);
    EXPECT_FALSE(HasValue(lm, Key("LM"), "Blob"));
    EXPECT_EQ(Text(cu, Key("CU"), "Unquoted"), "x");
    EXPECT_FALSE(KeyExists(lm, Key("CU")));
    EXPECT_EQ(Number(lm, Key("Bare"), "v"), 1u) << "a section without a root name is under HKLM";
}

TEST_F(RegistryFileTest, ImportResultIsThatOfTheLastSection) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    struct Case {
        const char* what;
        std::string body;
        unsigned long result;
    };
    const std::string s1 = "[" + Key("One") + "]\r\n";
    const std::string s2 = "[" + Key("Two") + "]\r\n";
    const Case cases[] = {
        {"unknown type", s1 + "\"M\"=multi:abc\r\n", ERROR_INVALID_DATA},
        {"no type at all", s1 + "\"M\"=abc\r\n", ERROR_INVALID_DATA},
        {"bare line", s1 + "\"M\"\r\n", ERROR_INVALID_DATA},
        {"earlier error forgotten", s1 + "\"M\"=multi:abc\r\n" + s2 + "\"v\"=\"ok\"\r\n", 0},
        {"error in the last line", s1 + "\"v\"=\"ok\"\r\n\"M\"=multi:abc\r\n", ERROR_INVALID_DATA},
        {"binary last", s1 + "\"M\"=multi:abc\r\n\"B\"=hex:\r\n", 0},
        {"empty section", s1, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = File("case" + std::to_string(n++) + ".reg");
        WriteBytes(file, c.body);
        EXPECT_EQ(CRegistry::LoadFromFile(file.c_str()), c.result);
        EXPECT_TRUE(KeyExists(lm, Key("One")));
        EXPECT_FALSE(HasValue(lm, Key("One"), "M"));
    }
    EXPECT_EQ(Text(lm, Key("Two"), "v"), "ok");
}

// Garbage never crashes and gives a defined result; nothing outside the named keys changes.
TEST_F(RegistryFileTest, ImportOfGarbage) {
    struct Case {
        const char* what;
        std::string bytes;
        unsigned long result;
    };
    const std::string nul("\0", 1);
    const Case cases[] = {
        {"empty file", "", ERROR_INVALID_DATA},
        {"no sections", "\"a\"=\"b\"\r\nplain text\r\n", ERROR_INVALID_DATA},
        {"NUL before the first section", nul + "[" + Key("Nul") + "]\r\n\"a\"=\"b\"\r\n", ERROR_INVALID_DATA},
        {"NUL inside a value", "[" + Key("Nul2") + "]\r\n\"a\"=\"b" + nul + "c\"\r\n\"d\"=\"e\"\r\n", 0},
        {"binary noise", std::string("\xff\xfe\x01\x02[\x80]\r\n=\r\n====\r\n", 16), ERROR_INVALID_DATA},
        {"empty name, empty value", "[" + Key("Empty") + "]\r\n=\r\n", ERROR_INVALID_DATA},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = File("garbage" + std::to_string(n++) + ".reg");
        WriteBytes(file, c.bytes);
        EXPECT_EQ(CRegistry::LoadFromFile(file.c_str()), c.result);
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key("Nul")));
    EXPECT_EQ(CRegistry::LoadFromFile(File("missing.reg").c_str()), static_cast<unsigned long>(ERROR_INVALID_DATA));
    EXPECT_EQ(CRegistry::LoadFromFile(""), static_cast<unsigned long>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CRegistry::LoadFromFile(nullptr), static_cast<unsigned long>(ERROR_INVALID_PARAMETER));

    // Unknown roots and names without a backslash land under HKLM, named as written.
    const std::string word = top_ + "-word";
    const std::string file = File("roots.reg");
    WriteBytes(file, "[" + word + "]\r\n\"a\"=\"1\"\r\n[HKEY_USERS\\" + top_ + "]\r\n\"b\"=\"2\"\r\n");
    EXPECT_EQ(CRegistry::LoadFromFile(file.c_str()), 0u);
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, word, "a"), "1");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, "HKEY_USERS\\" + top_, "b"), "2");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, word.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "HKEY_USERS");
}

// More than 4096 bytes of lines in one section and of section names: nothing is cut off.
TEST_F(RegistryFileTest, LargeFilesImportCompletely) {
    std::string body;
    for (int s = 0; s < 100; ++s) {
        body += "[" + Key("Section" + std::to_string(s) + "-" + std::string(40, 'n')) + "]\r\n";
        if (s == 0)
            for (int v = 0; v < 300; ++v)
                body += "\"Value" + std::to_string(v) + "\"=\"" + std::string(20, 'd') + "\"\r\n";
        body += "\"Last\"=dword:" + std::to_string(s % 10) + "\r\n";
    }
    const std::string file = File("large.reg");
    WriteBytes(file, body);
    EXPECT_EQ(CRegistry::LoadFromFile(file.c_str()), 0u);
    const std::string first = Key("Section0-" + std::string(40, 'n'));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, first, "Value299"), std::string(20, 'd'));
    EXPECT_EQ(Number(HKEY_LOCAL_MACHINE, Key("Section99-" + std::string(40, 'n')), "Last"), 9u);
}

TEST_F(RegistryFileTest, NoExportOrImportLeavesAHandleOpen) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    ASSERT_EQ(RawText(lm, Key("A\\B"), "Path", "x"), 0);
    ASSERT_EQ(RawNumber(lm, Key("A"), "N", 1), 0);
    const std::string good = File("good.reg");
    const std::string bad = File("bad.reg");
    WriteBytes(bad, "[" + Key("Bad") + "]\r\n\"M\"=multi:abc\r\n");
    int n = 0;
    auto runAll = [&] {
        const std::string out = File("out" + std::to_string(n++) + ".reg");
        CRegistry::SaveToFile(Key("A").c_str(), out.c_str(), lm);
        CRegistry::SaveToFile(Key("A").c_str(), out.c_str(), lm);  // exists
        CRegistry::SaveToFile(Key("Missing").c_str(), (out + "m").c_str(), lm);
        CRegistry::LoadFromFile(out.c_str());
        CRegistry::LoadFromFile(bad.c_str());
        CRegistry::LoadFromFile(File("missing.reg").c_str());
    };
    runAll();
    const unsigned long before = test::ProcessHandleCount();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 30; ++i) runAll();
    EXPECT_EQ(test::ProcessHandleCount(), before);
}

}  // namespace
