#include "profile/registry_text.h"

#include <gtest/gtest.h>

namespace {

using namespace setup::regtext;

struct LineCase {
    const char* line;
    LineType type;
    const char* name;
    const char* text;
    std::uint32_t number;
};

const LineCase kLines[] = {
    {R"("Path"="C:\A")", LineType::String, "Path", R"(C:\A)", 0},
    {R"("Path" = "C:\new\readme")", LineType::String, "Path", R"(C:\new\readme)", 0},
    {"  \"T\"\t=\t\"v\"  ", LineType::String, "T", "v", 0},
    {R"("Q"=""x"")", LineType::String, "Q", "x", 0},
    {R"("Q"=")", LineType::String, "Q", "", 0},
    {R"("Q"="")", LineType::String, "Q", "", 0},
    {R"("S"= "a" "b" )", LineType::String, "S", R"(a" "b)", 0},
    {R"("a"="b=c")", LineType::String, "a", "b=c", 0},
    {R"(""="default")", LineType::String, "", "default", 0},
    {R"(Bare="x")", LineType::String, "Bare", "x", 0},
    {R"("Count"=dword:0000000a)", LineType::Dword, "Count", "", 10},
    {R"("X"=dword:FF)", LineType::Dword, "X", "", 255},
    {R"("X"=DWORD:ff)", LineType::Dword, "X", "", 255},
    {R"("X"= dword : "1f" )", LineType::Dword, "X", "", 31},
    {R"("X"=dword:123456789)", LineType::Dword, "X", "", 0x23456789},
    {R"("X"=dword:ffffffff)", LineType::Dword, "X", "", 0xFFFFFFFF},
    {R"("X"=dword:0x1F)", LineType::Dword, "X", "", 31},
    {R"("X"=dword:zz)", LineType::Dword, "X", "", 0},
    {R"("X"=dword:)", LineType::Dword, "X", "", 0},
    {R"("Blob"=hex:)", LineType::Binary, "Blob", "", 0},
    {R"("Blob"=hex:01,02,ff)", LineType::Binary, "Blob", "", 0},
    {R"("M"=multi:abc)", LineType::Invalid, "M", "", 0},
    {R"("M"=hex(2):41,00)", LineType::Invalid, "M", "", 0},
    {R"("M"=abc)", LineType::Invalid, "M", "", 0},
    {R"("M"=)", LineType::Invalid, "M", "", 0},
    {R"("M")", LineType::Invalid, "M", "", 0},
    {"", LineType::Invalid, "", "", 0},
    {"=", LineType::Invalid, "", "", 0},
};

TEST(RegistryTextLine, ParsesEachForm) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.line);
        ValueLine line = ParseValueLine(c.line);
        EXPECT_EQ(line.type, c.type);
        EXPECT_EQ(line.name, c.name);
        EXPECT_EQ(line.text, c.text);
        EXPECT_EQ(line.number, c.number);
    }
}

TEST(RegistryTextLine, KeyAndValueFormMatchesWholeLine) {
    ValueLine line = ParseValueLine(R"( "Count" )", " dword:0000000a ");
    EXPECT_EQ(line.type, LineType::Dword);
    EXPECT_EQ(line.name, "Count");
    EXPECT_EQ(line.number, 10u);
}

TEST(RegistryTextLine, HexIsReadFromTheRight) {
    struct Case {
        const char* text;
        std::uint32_t number;
    };
    const Case cases[] = {
        {"", 0},          {"a", 10},         {"A", 10},          {"0000000a", 10},
        {"FF", 255},      {"1g", 16},        {"-1", 1},          {"fffffffff", 0xFFFFFFFF},
        {"100000000", 0}, {"12345678", 0x12345678}, {"9", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexFromRight(c.text), c.number);
    }
}

TEST(RegistryTextSection, RootTokenSelectsTheRoot) {
    struct Case {
        const char* section;
        Root root;
        const char* keyPath;
    };
    const Case cases[] = {
        {R"(HKEY_LOCAL_MACHINE\Software\A)", Root::LocalMachine, R"(Software\A)"},
        {R"(hkey_current_user\X)", Root::CurrentUser, "X"},
        {R"(HKEY_CLASSES_ROOT\.txt)", Root::ClassesRoot, ".txt"},
        {R"(HKEY_CURRENT_CONFIG\S)", Root::CurrentConfig, "S"},
        {R"(HKEY_PERFORMANCE_DATA\P)", Root::PerformanceData, "P"},
        {R"(HKEY_DYN_DATA\D)", Root::DynData, "D"},
        {R"(Software\X)", Root::LocalMachine, R"(Software\X)"},
        {R"(HKEY_USERS\S-1-5)", Root::LocalMachine, R"(HKEY_USERS\S-1-5)"},
        {R"(HKLM\Software)", Root::LocalMachine, R"(HKLM\Software)"},
        {"Main", Root::LocalMachine, "Main"},
        {"HKEY_LOCAL_MACHINE", Root::LocalMachine, "HKEY_LOCAL_MACHINE"},
        {R"(HKEY_CURRENT_USER\)", Root::CurrentUser, ""},
        {"", Root::LocalMachine, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        SectionTarget target = ParseSection(c.section);
        EXPECT_EQ(target.root, c.root);
        EXPECT_EQ(target.keyPath, c.keyPath);
    }
}

TEST(RegistryTextFormat, ExportFormsParseBack) {
    EXPECT_EQ(FormatSection(Root::LocalMachine, R"(Software\A)"), R"(HKEY_LOCAL_MACHINE\Software\A)");
    EXPECT_EQ(FormatSection(Root::CurrentUser, "X"), R"(HKEY_CURRENT_USER\X)");
    EXPECT_EQ(FormatSection(Root::Users, "X"), "");
    EXPECT_EQ(RootName(Root::Users), nullptr);
    EXPECT_EQ(FormatValueName("Path"), R"("Path")");
    EXPECT_EQ(FormatStringData(R"(C:\A)"), R"("C:\A")");
    EXPECT_EQ(FormatDwordData(10), "dword:0000000a");
    EXPECT_EQ(FormatDwordData(0xDEADBEEF), "dword:deadbeef");
    EXPECT_STREQ(kBinaryData, "hex:");

    for (std::uint32_t number : {0u, 1u, 10u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        ValueLine line = ParseValueLine(FormatValueName("N"), FormatDwordData(number));
        EXPECT_EQ(line.type, LineType::Dword);
        EXPECT_EQ(line.number, number);
    }
    ValueLine line = ParseValueLine(FormatValueName("Path"), FormatStringData(R"(C:\Program Files\x)"));
    EXPECT_EQ(line.type, LineType::String);
    EXPECT_EQ(line.text, R"(C:\Program Files\x)");
    for (Root root : {Root::ClassesRoot, Root::CurrentUser, Root::LocalMachine, Root::PerformanceData,
                      Root::CurrentConfig, Root::DynData}) {
        SectionTarget target = ParseSection(FormatSection(root, R"(Software\K)"));
        EXPECT_EQ(target.root, root);
        EXPECT_EQ(target.keyPath, R"(Software\K)");
    }
}

}  // namespace
