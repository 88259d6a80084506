// End to end: a small medium, Initialise, and the run's log read back from its file.
#include "medium_fixture.h"

namespace {

class GlobalStartupTest : public MediumTest {};

TEST_F(GlobalStartupTest, InitialiseOnASmallMediumWritesTheStartUpLog) {
    WriteMedium(
        "[VERSION]\nVERSION = 3.2.0140\n"
        "[INSTALLER_FILE_INFO]\nCONFIGURE_FILE = .\\data\\kxinst.kxi\nCONFIGURE_FILE.GR = .\\data\\gr.kxi\n"
        "[OPTION]\nNETWORK = 1\nDEVICE_INSTALL = 1\n[OPTION.W7]\nUSB_ONLY = 1\n[OPTION.W7.GR]\nUSB_ONLY = 1\nSHOW_INST_ERROR = 1\n"
        "[PROGRAM_LANG_INFO]\n0X0009\n0X0007\n[COUNTRY_LANG_CODE]\n0X0807 = 0X0407\n"
        "[LANGUAGE_ABBR]\n0X0009 = EN\n0X0007 = GR\n[LANGUAGE_DIR]\n0X0009 = English\n0X0007 = German\n"
        "[OS_DEFINE]\n0X00020601 = W7\n[OS_DIR]\nW7 = Win7\n");
    Write("data\\gr.kxi", "[DLG_COMMON]\nNAME = german\n");
    Write("data\\String\\Lang_GR.str", "[MESSAGES]\nMSG_HELLO = Hallo\n");
    SYSTEM_FACTS facts = FactsFor(2, 6, 1, 1, false, 0x0807);
    facts.programFilesDir = root_ + "\\pf";
    {
        CGlobal global(facts);
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.Destination(), root_ + "\\pf\\EnvTestMaker\\EnvTest Program");
        EXPECT_EQ(global.Port(), "FILE:");  // USB only on W7 (OPTION.W7.GR once German is chosen)
        EXPECT_EQ(global.ConfigureFilePath(), medium_ + "\\data\\gr.kxi");
        EXPECT_TRUE(global.ShowInstallError());
    }
    const std::vector<std::string> expected = {
        "OS Define String = W7",
        "OS Directory = Win7",
        "USB ONLY Option is ON",
        "NETWORK Option is ON",
        "INSTALL DEVICE Option is ON",
        "RIGHT ALIGN Option is OFF",
        "Set Language : Language ID\t\t= 0X0007",
        "Set Language : Language Abbr\t\t= GR",
        "Set Language : System Language ID\t= 0X0807",
        "Set Language : System Language Abbr = GR",
        "Set Language : Language Dir\t\t= German",
        "Set Language : Org Language ID\t\t= 0X0007",
        "Set Language : Org Language Abbr\t\t= GR",
        "Set Language : Org Language Dir\t\t= German",
        "Set Language : String file\t\t= Lang_GR.str",
        "Set Language : Configure file\t\t= " + medium_ + "\\data\\gr.kxi",
        "USB ONLY Option is ON",
        "NETWORK Option is ON",
        "INSTALL DEVICE Option is ON",
        "SHOW INSTALL ERROR Option is ON",
        "RIGHT ALIGN Option is OFF",
        "Load installer DLL fail (.\\data\\Kxrun.dll)",
    };
    // Every expected line, in this order (other lines may come between).
    std::vector<std::string> lines = LogLines();
    auto at = lines.begin();
    for (const std::string& line : expected) {
        auto found = std::find(at, lines.end(), line);
        EXPECT_NE(found, lines.end()) << "missing or out of order: " << line;
        if (found != lines.end()) at = found + 1;
    }
    EXPECT_EQ(RegistryNumber(kInstallingKey, "LangCode"), 0x0007u);
    EXPECT_EQ(RegistryText(kInstallingKey, "LangAbbr"), "GR");
}

}  // namespace
