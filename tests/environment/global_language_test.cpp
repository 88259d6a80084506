// Language selection of CGlobal: start-up choice, string and configure file switch, the
// registry record and the hooks of a change in the running wizard.
#include "medium_fixture.h"

namespace {

class GlobalLanguageTest : public MediumTest {
protected:
    // The Installing key values a language selection records.
    void ClearInstallingRecord() {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallingKey, "LangCode");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallingKey, "LangAbbr");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallingKey, "STR_FILE");
    }
};

struct CountingHooks : LanguageTextsReader, LanguageChangeWindow {
    int textsReloaded = 0;
    int windowsShown = 0;
    void ReloadLanguageTexts() override { ++textsReloaded; }
    void ShowLanguageChange() override { ++windowsShown; }
};

struct StartLanguageCase {
    const char* name;
    unsigned short systemLanguage;
    DWORD recorded;  // LangCode in the Installed key; 0 = none
    const char* data;
    unsigned short language;
    unsigned short org;
    const char* abbr;
    const char* dir;
};

TEST_F(GlobalLanguageTest, StartUpChoosesRecordedOrSystemLanguage) {
    const StartLanguageCase cases[] = {
        {"swiss german mapped", 0x0807, 0,
         "[PROGRAM_LANG_INFO]\n0X0409\n0X0407\n[COUNTRY_LANG_CODE]\n0X0807 = 0X0407\n", 0x0407, 9, "GR", "GR"},
        {"swiss german listed", 0x0807, 0,
         "[PROGRAM_LANG_INFO]\n0X0407\n0X0007\n[COUNTRY_LANG_CODE]\n0X0807 = 0X0407\n", 0x0407, 0x0007, "GR", "GR"},
        {"english variant by primary", 0x0809, 0, "[PROGRAM_LANG_INFO]\n 0X0009 = English\n", 0x0009, 0x0009,
         "EN", "EN"},
        {"recorded korean on english system", 0x0409, 0x0412, "[PROGRAM_LANG_INFO]\n0X0409\n0X0412\n", 0x0412,
         0x0412, "KR", "KR"},
        {"recorded language unsupported", 0x0409, 0x0419, "[PROGRAM_LANG_INFO]\n0X0409\n", 9, 9, "EN", "EN"},
        {"recorded garbage", 0x0412, 0x12345678, "[PROGRAM_LANG_INFO]\n0X0412\n", 0x0412, 0x0412, "KR", "KR"},
        {"no language list", 0x0412, 0, "", 9, 9, "EN", "EN"},
        {"country maps to unsupported", 0x0C07, 0,
         "[PROGRAM_LANG_INFO]\n0X0409\n[COUNTRY_LANG_CODE]\n0X0007 = 0X0410\n", 9, 9, "EN", "EN"},
        {"names from the data file", 0x0411, 0,
         "[PROGRAM_LANG_INFO]\n0X0011\n[LANGUAGE_ABBR]\n0X0011 = JPN\n[LANGUAGE_DIR]\n0X0411 = Japanese\n", 0x0011,
         0x0011, "JPN", "JP"},
    };
    for (const StartLanguageCase& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\EnvTestMaker");
        if (c.recorded) SetRegistryNumber(kInstalledKey, "LangCode", c.recorded);
        WriteMedium(c.data);
        CGlobal global(FactsFor(2, 6, 1, 1, false, c.systemLanguage));
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.LanguageId(), c.language);
        EXPECT_EQ(global.OrgLanguageId(), c.org);
        EXPECT_EQ(global.LanguageAbbrText(), c.abbr);
        EXPECT_EQ(global.LanguageDir(), c.dir);
        EXPECT_EQ(RegistryNumber(kInstallingKey, "LangCode"), c.language);
        EXPECT_EQ(RegistryText(kInstallingKey, "LangAbbr"), c.abbr);
    }
}

TEST_F(GlobalLanguageTest, SelectionIsLoggedLineByLine) {
    WriteMedium("[PROGRAM_LANG_INFO]\n0X0407\n0X0009\n[COUNTRY_LANG_CODE]\n0X0807 = 0X0407\n"
                "[LANGUAGE_DIR]\n0X0007 = German\n0X0009 = English\n");
    CGlobal global(FactsFor(2, 6, 1, 1, false, 0x0807));
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    std::vector<std::string> lines = LogLines();
    const std::vector<std::string> expected = {
        "Set Language : Language ID\t\t= 0X0407",
        "Set Language : Language Abbr\t\t= GR",
        "Set Language : System Language ID\t= 0X0807",
        "Set Language : System Language Abbr = GR",
        "Set Language : Language Dir\t\t= German",
        "Set Language : Org Language ID\t\t= 0X0009",
        "Set Language : Org Language Abbr\t\t= EN",
        "Set Language : Org Language Dir\t\t= English",
        // No Lang_GR.str on this medium: the English file stays.
        "Set Language : String file\t\t= Lang_EN.str",
        "Set Language : Configure file\t\t= " + medium_ + "\\data\\kxinst.kxi",
    };
    auto first = std::find(lines.begin(), lines.end(), expected[0]);
    ASSERT_NE(first, lines.end());
    ASSERT_GE(static_cast<std::size_t>(lines.end() - first), expected.size());
    EXPECT_EQ(std::vector<std::string>(first, first + expected.size()), expected);
}

TEST_F(GlobalLanguageTest, StringAndConfigureFilesFollowTheLanguage) {
    struct Case {
        const char* name;
        const char* extra;
        bool koreanStringFile;
        const char* stringFileName;
        const char* configureFile;
        const char* hello;  // MSG_HELLO of the string set; null: no such string file
    };
    const Case cases[] = {
        {"korean files", "[INSTALLER_FILE_INFO]\nCONFIGURE_FILE.KR = data\\kr.kxi\n", true, "Lang_KR.str", "data\\kr.kxi", "Annyeong"},
        {"korean configure file missing", "[INSTALLER_FILE_INFO]\nCONFIGURE_FILE.KR = data\\none.kxi\n", true,
         "Lang_KR.str", "data\\kxinst.kxi", "Annyeong"},
        {"no korean string file", "", false, "Lang_EN.str", "data\\kxinst.kxi", "Hello"},
        {"english abbreviation from the data file", "[LANGUAGE_ABBR]\n0X0009 = ENG\n", false, "Lang_ENG.str",
         "data\\kxinst.kxi", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::RemoveTree(medium_);
        CreateDirectoryA(medium_.c_str(), nullptr);
        WriteMedium(std::string("[PROGRAM_LANG_INFO]\n0X0412\n") + c.extra);
        Write("data\\kr.kxi", "[A]\nX = korean\n");
        if (c.koreanStringFile) Write("data\\String\\Lang_KR.str", "[MESSAGES]\nMSG_HELLO = Annyeong\n");
        CGlobal global(FactsFor(2, 6, 1, 1, false, 0x0412));
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.StringFileName(), c.stringFileName);
        EXPECT_EQ(global.StringFilePath(), medium_ + "\\data\\String\\" + c.stringFileName);
        EXPECT_EQ(global.ConfigureFilePath(), medium_ + "\\" + c.configureFile);
        // At start-up the record names the string file in effect before the switch.
        EXPECT_EQ(RegistryText(kInstallingKey, "STR_FILE"), medium_ + "\\data\\String\\Lang_EN.str");
        std::string hello;
        EXPECT_EQ(global.StringSet().GetString("MESSAGES", "MSG_HELLO", hello), c.hello != nullptr);
        if (c.hello) {
            EXPECT_EQ(hello, c.hello);
        }
        EXPECT_EQ(global.OrgLanguageStringFile(), medium_ + "\\data\\String\\Lang_KR.str");
    }
}

TEST_F(GlobalLanguageTest, ChangeInTheRunningWizard) {
    WriteMedium("[PROGRAM_LANG_INFO]\n0X0009\n0X0007\n[OPTION.GR]\nSHOW_INST_ERROR = 1\n[VALUES]\nGREETING = @MSG_HELLO@\n");
    Write("data\\String\\Lang_GR.str", "[MESSAGES]\nMSG_HELLO = Hallo\n");
    CGlobal global(FactsFor(2, 6, 1, 1, false, 0x0409));
    CountingHooks hooks;
    global.SetLanguageTextsReader(&hooks);
    global.SetLanguageChangeWindow(&hooks);
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_EQ(global.LanguageId(), 0x0009);
    EXPECT_EQ(hooks.textsReloaded, 1);
    EXPECT_EQ(hooks.windowsShown, 0);
    EXPECT_FALSE(global.ShowInstallError());

    // The current language again: nothing happens at all.
    ClearInstallingRecord();
    EXPECT_FALSE(global.SetLanguage(0x0009, true));
    EXPECT_EQ(RegistryText(kInstallingKey, "LangAbbr"), test_support::kMissing);
    EXPECT_EQ(hooks.textsReloaded, 1);
    EXPECT_EQ(hooks.windowsShown, 0);

    EXPECT_TRUE(global.SetLanguage(0x0407, true));
    EXPECT_EQ(global.LanguageId(), 0x0007);
    EXPECT_EQ(global.LanguageAbbrText(), "GR");
    EXPECT_EQ(global.StringFileName(), "Lang_GR.str");
    EXPECT_EQ(RegistryNumber(kInstallingKey, "LangCode"), 0x0007u);
    EXPECT_EQ(RegistryText(kInstallingKey, "LangAbbr"), "GR");
    EXPECT_EQ(RegistryText(kInstallingKey, "STR_FILE"), medium_ + "\\data\\String\\Lang_EN.str");
    EXPECT_TRUE(global.ShowInstallError());  // options re-read with the language suffix
    EXPECT_EQ(hooks.textsReloaded, 2);
    EXPECT_EQ(hooks.windowsShown, 1);
    std::string greeting;
    ASSERT_TRUE(global.DataSet().GetString("VALUES", "GREETING", greeting));
    EXPECT_EQ(greeting, "Hallo");

    // Without refresh (command-line language) the window stays closed.
    EXPECT_TRUE(global.SetLanguage(0x0409, false));
    EXPECT_EQ(hooks.windowsShown, 1);
    EXPECT_EQ(hooks.textsReloaded, 3);
}

}  // namespace
