// Start files, profiles, version, model and registry roots of CGlobal on a scratch medium.
#include "medium_fixture.h"

#include "environment/path_rules.h"

namespace {

class GlobalTest : public MediumTest {};

struct StartFileCase {
    const char* name;
    const char* data;  // null: no data file at all
    bool configureFile;
    bool commandFile;
};

TEST_F(GlobalTest, MissingStartFilesStopStartUp) {
    const StartFileCase cases[] = {
        {"no data file", nullptr, true, true},
        {"no configure key and no default configure file", "", false, true},
        {"configure file named but missing", "[INSTALLER_FILE_INFO]\nCONFIGURE_FILE = .\\data\\none.kxi\n", true, true},
        {"no command file", "", true, false},
        {"command file named but missing", "[INSTALLER_FILE_INFO]\nCOMMAND_FILE = missing.cmd\n", true, true},
    };
    for (const StartFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::RemoveTree(medium_);
        CreateDirectoryA(medium_.c_str(), nullptr);
        if (c.data) Write("Setup.dat", std::string(kModelSection) + c.data);
        if (c.configureFile) Write("data\\kxinst.kxi", "[A]\n");
        if (c.commandFile) Write("data\\kxinst.cmd", "[A]\n");
        CGlobal global;
        EXPECT_FALSE(global.Initialise(ProgramPath()));
        EXPECT_TRUE(LogHas("Initialize Profiles fail!!"));
    }
}

TEST_F(GlobalTest, ProfilesFollowTheDataFile) {
    WriteMedium("[INSTALLER_FILE_INFO]\nCONFIGURE_FILE = conf\\main.kxi\nCONFIGURE_FILE.EN = ..\\medium\\conf\\en.kxi\n"
                "COMMAND_FILE = $SRC_DIR$\\cmd\\run.cmd\nSTRING_FILE_FORMAT = .\\text\\%s.str\n"
                "[STRINGS]\n%WHERE% = data\n");
    Write("conf\\main.kxi", "[A]\nX = main\n");
    Write("conf\\en.kxi", "[A]\nX = english\n");
    Write("cmd\\run.cmd", "[A]\nX = command @MSG_HELLO@\n");
    Write("text\\EN.str", "[MESSAGES]\nMSG_HELLO = Hello\n[A]\nX = from %WHERE%\\n\n");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_EQ(global.DataFilePath(), medium_ + "\\Setup.dat");
    EXPECT_EQ(global.InstallerExe(), "Setup.exe");
    EXPECT_EQ(global.SetupFolder(), medium_);
    EXPECT_EQ(global.ConfigureFilePath(), root_ + "\\medium\\conf\\en.kxi");
    // Values are expanded before the path rules: $SRC_DIR$ makes an absolute path.
    EXPECT_EQ(global.CommandFilePath(), medium_ + "\\cmd\\run.cmd");
    EXPECT_EQ(global.StringFilePath(), medium_ + "\\text\\EN.str");
    EXPECT_EQ(global.StringFileName(), "EN.str");
    std::string value;
    ASSERT_TRUE(global.ConfigureSet().GetString("A", "X", value));
    EXPECT_EQ(value, "english");
    // The string set converts escapes; the data file supplies STRINGS to every set.
    ASSERT_TRUE(global.StringSet().GetString("A", "X", value));
    EXPECT_EQ(value, "from data\n");
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(current, medium_.c_str());
}

TEST_F(GlobalTest, ResolvedPathsAreRelativeToTheSetupFolder) {
    WriteMedium("");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    std::string parent = setup::FolderOf(medium_);
    EXPECT_EQ(global.ResolvePath("..\\common\\x.ini", false), parent + "\\common\\x.ini");
    EXPECT_EQ(global.ResolvePath("C:\\x.ini", false), "C:\\x.ini");
    EXPECT_EQ(global.ResolvePath("D:", false), "D:");
    EXPECT_EQ(global.ResolvePath("data\\x.ini", false), medium_ + "\\data\\x.ini");
    EXPECT_EQ(global.ResolvePath("data\\x.ini", true), "");
    EXPECT_EQ(global.ResolvePath(".\\data\\kxinst.cmd", true), medium_ + "\\data\\kxinst.cmd");
}

TEST_F(GlobalTest, VersionFromDataFileElseAutorun) {
    struct Case {
        const char* data;
        const char* autorun;
        const char* expected;
    };
    const Case cases[] = {
        // Read before the language is selected: $LCID$ is still English.
        {"[VERSION]\nVERSION = 1.0.$LCID$\n", "[INFOMATION]\nVERSION = 9.9\n", "1.0.0009"},
        {"", "[INFOMATION]\nVERSION = 3.2.0140\n", "3.2.0140"},
        {"", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        DeleteFileA((medium_ + "\\Autorun.inf").c_str());
        WriteMedium(std::string(c.data) + "[PROGRAM_LANG_INFO]\n0X0409\n");
        if (c.autorun) Write("Autorun.inf", c.autorun);
        CGlobal global;
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.Version(), c.expected);
    }
}

TEST_F(GlobalTest, ModelIsRequiredUnlessMainOnly) {
    struct Case {
        const char* data;
        bool succeeds;
        bool modelFails;
        bool registryFails;
    };
    const Case cases[] = {
        {"[PROGRAM_INFO]\nMFG = A\nMDL = B\n", false, true, false},
        {"[OPTION]\nMAIN_ONLY = 1\n[PROGRAM_INFO]\nMDL = B\nVIDPID = C\n", true, true, true},
        {"[OPTION]\nMAIN_ONLY = 1\n[PROGRAM_INFO]\nMFG = A\n", true, true, false},
        {"[PROGRAM_INFO]\nMFG = A\nMDL = B\nVIDPID = C\n", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        RestartLog();
        WriteMedium(c.data, false);
        CGlobal global;
        EXPECT_EQ(global.Initialise(ProgramPath()), c.succeeds);
        EXPECT_EQ(LogHas("Initialize Model Variable fail!!"), c.modelFails);
        EXPECT_EQ(LogHas("Initialize Registry Variable fail!!"), c.registryFails);
        EXPECT_EQ(global.ProgramName(), CGlobal::kDefaultProgramName);
        if (c.registryFails) {
            EXPECT_EQ(global.InstallingRoot(), "");
        }
    }
}

TEST_F(GlobalTest, RegistryRootsFromManufacturerAndProgramName) {
    WriteMedium("");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    const std::string base = "Software\\EnvTestMaker\\EnvTest Program";
    EXPECT_EQ(global.InstallingRoot(), base + "\\Installing");
    EXPECT_EQ(global.InstallingHistoryRoot(), base + "\\Installing\\InstHistory");
    EXPECT_EQ(global.InstalledRoot(), base + "\\Installed");
    EXPECT_EQ(global.InstalledHistoryRoot(), base + "\\Installed\\InstHistory");
    EXPECT_EQ(global.UninstallInfoRoot(), base + "\\UninstallInfo");
    EXPECT_EQ(global.Manufacturer(), "EnvTestMaker");
    EXPECT_EQ(global.Model(), "Model 1");
    EXPECT_EQ(global.VidPid(), "VID_1&PID_2");
}

TEST_F(GlobalTest, BadDataFilesGiveDefinedResults) {
    struct Case {
        const char* name;
        std::string data;
        bool succeeds;
        const char* logLine;
    };
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
    const Case cases[] = {
        {"binary garbage", garbage, false, "Initialize Model Variable fail!!"},
        {"printf directives in the string file format",
         std::string(kModelSection) + "[INSTALLER_FILE_INFO]\nSTRING_FILE_FORMAT = .\\data\\%s%n%d%s.str\n", true,
         "Set Language : String file\t\t= EN%n%d%s.str"},
        {"garbage language keys",
         std::string(kModelSection) + "[PROGRAM_LANG_INFO]\nzzz\n0x\n-1\n=\n[COUNTRY_LANG_CODE]\n0X0409 = junk\n", true,
         "Set Language : Language ID\t\t= 0X0009"},
        {"self-referencing values",
         std::string(kModelSection) + "[VERSION]\nVERSION = $VERSION$%V%@V@\n[STRINGS]\n%V% = %V%%V%\n"
                                      "[OS_DEFINE]\n0X00020601 = $OS_DIR$\n[OS_DIR]\n$OS_DIR$ = $OS_DIR$\n",
         true, "OS Define String = "},
        {"over-long manufacturer", "[PROGRAM_INFO]\nMFG = " + std::string(300, 'M') + "\nMDL = B\nVIDPID = C\n", false,
         "Initialize Registry Variable fail!!"},
        {"over-long abbreviation", std::string(kModelSection) + "[LANGUAGE_ABBR]\n0X0009 = " + std::string(4000, 'A') + "\n",
         true, "USB ONLY Option is OFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestartLog();
        WriteMedium("", false);
        Write("Setup.dat", c.data);
        CGlobal global(FactsFor(2, 6, 1, 1, false));
        EXPECT_EQ(global.Initialise(ProgramPath()), c.succeeds);
        EXPECT_TRUE(LogHas(c.logLine)) << c.logLine;
    }
}

}  // namespace
