// System facts, OS define, destination, port and the macros of CGlobal.
#include "medium_fixture.h"

#include "fileops/system_utils.h"

#include <cstdlib>

namespace {

class GlobalTargetTest : public MediumTest {};

constexpr const char* kOsDefine =
    "[OS_DEFINE]\n0X0001040A = W98\n0X0001045A = WME\n0X00020400 = NT4\n0X00020500 = W2K\n0X00020501 = XP\n"
    "0X00020502 = W2K3\n0X00020502.64.PRO = XP64\n0X00020502.64.SER = W2K3_64\n0X00020601 = W7\n"
    "0X00020601.64 = W7_64\n0X00020A00.64 = W10_64\n"
    "[OS_DIR]\nXP = WinXP\nW7_64 = Win7x64\n";

// The real system as the Wine of this run poses it (SETUP_WINE_VERSION of the ctest entry).
// A 64-bit build always runs on 64-bit Windows, so the ".64" keys come first.
TEST_F(GlobalTargetTest, OsDefineOfTheRunningSystem) {
    const char* version = std::getenv("SETUP_WINE_VERSION");
    std::string wine = version ? version : "";
    struct Expected {
        const char* wineVersion;
        const char* osDefine;
        const char* osDir;
    };
    const Expected table[] = {
        {"winxp", "XP", "WinXP"},           // 5.1 has no .64 key here: the 32-bit key serves
        {"winxp64", "XP64", "XP64"},        // 5.2 workstation: .64.PRO
        {"win2003", "W2K3_64", "W2K3_64"},  // 5.2 server: .64.SER
        {"vista", "MODERN", "MODERN"},      // unlisted: DEF_WIN2KS
        {"win7", "W7_64", "Win7x64"},
        {"win10", "W10_64", "W10_64"},
    };
    const Expected* expected = nullptr;
    for (const Expected& e : table)
        if (wine == e.wineVersion) expected = &e;
    if (!expected) GTEST_SKIP() << "no expectation for Wine version '" << wine << "'";

    // The OS variant of OPTION applies from the first read of the options.
    WriteMedium(std::string(kOsDefine) + "[OS_DEFINE]\nDEF_WIN2KS = MODERN\n[OPTION." + expected->osDefine +
                "]\nUSB_ONLY = 1\n[OPTION]\nUSB_ONLY = 0\n");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_TRUE(global.UsbOnly());
    EXPECT_FALSE(LogHas("USB ONLY Option is OFF"));
    EXPECT_EQ(global.OsDefineText(), expected->osDefine);
    EXPECT_EQ(global.OsDir(), expected->osDir);
    EXPECT_TRUE(LogHas(std::string("OS Define String = ") + expected->osDefine));
    EXPECT_TRUE(LogHas(std::string("OS Directory = ") + expected->osDir));
}

// Systems Wine cannot pose as: the 9x family, NT 4, 32-bit Windows, a domain controller.
struct PosedCase {
    const char* name;
    unsigned long platform, major, minor;
    unsigned char productType;
    bool is64;
    bool windowsMe;
    const char* data;
    const char* osDefine;
    const char* osDir;
};

TEST_F(GlobalTargetTest, OsDefineOfPosedSystems) {
    const PosedCase cases[] = {
        {"32-bit XP", 2, 5, 1, 1, false, false, kOsDefine, "XP", "WinXP"},
        {"32-bit Vista unlisted without DEF_WIN2KS", 2, 6, 0, 1, false, false, kOsDefine, "W2K", "W2K"},
        {"64-bit domain controller", 2, 5, 2, 2, true, false,
         "[OS_DEFINE]\n0X00020502.64.DOM = DC64\n0X00020502.64.SER = W2K3_64\n", "DC64", "DC64"},
        {"64-bit server without .64 keys", 2, 5, 2, 3, true, false, "[OS_DEFINE]\n0X00020502 = W2K3\n", "W2K3", "W2K3"},
        {"NT 4", 2, 4, 0, 1, false, false, kOsDefine, "NT4", "NT4"},
        {"Windows 95 falls back to 98", 1, 4, 0, 0, false, false, kOsDefine, "W98", "W98"},
        {"Windows Me", 1, 4, 10, 0, false, true, kOsDefine, "WME", "WME"},
        {"no OS_DEFINE section", 2, 5, 1, 1, false, false, "", "", ""},
    };
    for (const PosedCase& c : cases) {
        SCOPED_TRACE(c.name);
        RestartLog();
        WriteMedium(c.data);
        SYSTEM_FACTS facts = FactsFor(c.platform, c.major, c.minor, c.productType, c.is64);
        facts.version.windowsMe = c.windowsMe;
        CGlobal global(facts);
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.OsDefineText(), c.osDefine);
        EXPECT_EQ(global.OsDir(), c.osDir);
        EXPECT_TRUE(LogHas(std::string("OS Define String = ") + c.osDefine));
    }
}

TEST_F(GlobalTargetTest, UnreadableVersionLeavesTheOsDefineEmpty) {
    WriteMedium(kOsDefine);
    SYSTEM_FACTS facts = ReadSystemFacts();
    facts.version = setup::OS_VERSION_FACTS{};
    facts.versionError = ERROR_INVALID_PARAMETER;
    CGlobal global(facts);
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_EQ(global.OsDefineText(), "");
    EXPECT_TRUE(LogHas("Get OS Version fail"));
    EXPECT_TRUE(LogHasPrefix("Error Code = 87"));
}

TEST_F(GlobalTargetTest, SystemFoldersFromTheSystem) {
    SYSTEM_FACTS facts = ReadSystemFacts();
    char windows[MAX_PATH], system[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(facts.windowsDir, windows);
    EXPECT_EQ(facts.systemDir, system);
    EXPECT_EQ(facts.infDir, std::string(windows) + "\\Inf");
    EXPECT_FALSE(facts.programFilesDir.empty());
    EXPECT_FALSE(facts.tempDir.empty());
    EXPECT_NE(facts.tempDir.back(), '\\');
    EXPECT_TRUE(facts.version.available);
    EXPECT_EQ(facts.version.platformId, 2u);
    if (sizeof(void*) == 8) {
        EXPECT_TRUE(facts.is64BitSystem);
    }
}

struct DestinationCase {
    const char* name;
    const char* recorded;  // Dest_Dir of the Installed key; null: none
    const char* data;
    std::string expected;  // below the scratch root unless absolute
};

TEST_F(GlobalTargetTest, DestinationAtStartUp) {
    SYSTEM_FACTS facts = ReadSystemFacts();
    facts.programFilesDir = root_ + "\\pf";
    const DestinationCase cases[] = {
        {"installed record wins", "$ROOT$\\recorded\\", "[PROGRAM_INFO]\nDESTINATION_DIR = $ROOT$\\configured\n",
         root_ + "\\recorded"},
        {"configured", nullptr, "[PROGRAM_INFO]\nDESTINATION_DIR = $PROGRAM_FILES_DIR$\\configured\\\n",
         root_ + "\\pf\\configured"},
        {"default", nullptr, "", root_ + "\\pf\\EnvTestMaker\\EnvTest Program"},
    };
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\EnvTestMaker");
        auto withRoot = [&](std::string text) {
            for (std::size_t pos; (pos = text.find("$ROOT$")) != std::string::npos;) text.replace(pos, 6, root_);
            return text;
        };
        if (c.recorded) SetRegistryText(kInstalledKey, "Dest_Dir", withRoot(c.recorded));
        WriteMedium(withRoot(c.data));
        CGlobal global(facts);
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.Destination(), c.expected);
        EXPECT_EQ(global.InitialDestination(), c.expected);
        EXPECT_EQ(global.InstallDir(), c.expected + "\\Install");
        EXPECT_TRUE(FolderExists(c.expected));
        EXPECT_EQ(global.Expand("$DEST_DIR$|$DEST_INST_DIR$"), c.expected + "|" + c.expected + "\\Install");
    }
}

TEST_F(GlobalTargetTest, SetDestination) {
    SYSTEM_FACTS facts = ReadSystemFacts();
    facts.programFilesDir = root_ + "\\pf";
    WriteMedium("");
    CGlobal global(facts);
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    const std::string initial = root_ + "\\pf\\EnvTestMaker\\EnvTest Program";

    // Same path in other letter case: nothing happens.
    std::string upper = initial;
    for (char& ch : upper) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    global.SetDestination(upper);
    EXPECT_EQ(global.Destination(), initial);
    EXPECT_FALSE(LogHasPrefix("Set Destination ==> "));

    // A new path: the old empty folders go, the new ones are made and recorded.
    const std::string target = root_ + "\\elsewhere\\Product\\";
    global.SetDestination(target);
    EXPECT_EQ(global.Destination(), root_ + "\\elsewhere\\Product");
    EXPECT_EQ(global.InstallDir(), root_ + "\\elsewhere\\Product\\Install");
    EXPECT_TRUE(LogHas("Set Destination ==> " + target));
    EXPECT_EQ(RegistryText(kInstallingKey, "Dest_Dir"), root_ + "\\elsewhere\\Product");
    EXPECT_TRUE(FolderExists(root_ + "\\elsewhere\\Product"));
    EXPECT_FALSE(FolderExists(initial));
    EXPECT_FALSE(FolderExists(root_ + "\\pf\\EnvTestMaker"));

    // A folder the user filled stays when the destination moves on.
    Write("..\\elsewhere\\Product\\keep.txt", "user data");
    global.SetDestination("");
    EXPECT_TRUE(LogHas("Reset Destination Directory [" + initial + "]"));
    EXPECT_EQ(global.Destination(), initial);
    EXPECT_TRUE(FolderExists(initial));
    EXPECT_TRUE(FolderExists(root_ + "\\elsewhere\\Product"));
}

TEST_F(GlobalTargetTest, PortDefaultsAndSetters) {
    const std::string lpt1OrFile = setup::IsPortPresent("LPT1:") ? "LPT1:" : "FILE:";
    struct Case {
        const char* name;
        const char* data;
        std::string expected;
    };
    const Case cases[] = {
        {"missing default port", "[PROGRAM_INFO]\nDEFAULT_PORT = LPT9:\n", lpt1OrFile},
        {"usb only", "[OPTION]\nUSB_ONLY = 1\n[PROGRAM_INFO]\nDEFAULT_PORT = LPT9:\n", "FILE:"},
        {"existing default port", "[PROGRAM_INFO]\nDEFAULT_PORT = FILE:\n", "FILE:"},
        {"none configured", "", lpt1OrFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteMedium(c.data);
        CGlobal global;
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        EXPECT_EQ(global.Port(), c.expected);
        EXPECT_EQ(global.Expand("$PORT$"), c.expected);
    }

    WriteMedium("");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    global.SetPort("IP_10.0.0.5");
    EXPECT_EQ(global.Expand("$PORT$"), "IP_10.0.0.5");
    EXPECT_TRUE(LogHas("Set Port : IP_10.0.0.5"));
    global.SetPort("");
    EXPECT_EQ(global.Port(), lpt1OrFile);
    EXPECT_TRUE(LogHas("Set Port : " + lpt1OrFile));
    global.SetIp("10.0.0.5");
    EXPECT_EQ(global.Expand("$IP$"), "10.0.0.5");
    EXPECT_TRUE(LogHas("Set IP : 10.0.0.5"));
    global.SetPrinterInstalled(true);
    EXPECT_TRUE(LogHas("Printer was installed"));
}

TEST_F(GlobalTargetTest, MacrosReadTheLiveEnvironment) {
    WriteMedium("[VERSION]\nVERSION = 2.0\n[PROGRAM_LANG_INFO]\n0X0409\n0X0412\n[LANGUAGE_DIR]\n0X0409 = English\n"
                "[OS_DEFINE]\n0X00020601 = W7\n[OS_DIR]\nW7 = Win7\n");
    Write("data\\String\\Lang_KR.str", "[MESSAGES]\n");
    CGlobal global(FactsFor(2, 6, 1, 1, false, 0x0409));
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    const std::pair<std::string, std::string> cases[] = {
        {"$LCID$|$ORG_LCID$|$LANG_ABBR$|$LANG_DIR$", "0409|0409|EN|English"},
        {"$BOOL_INSTALLED$$BOOL_!INSTALLED$", "01"},
        {"$SRC_DIR$|$DATA_FILE$", medium_ + "|" + medium_ + "\\Setup.dat"},
        {"$STRING_FILE_NAME$|$VERSION$|$INSTALLER_EXE$|$OS_DIR$", "Lang_EN.str|2.0|Setup.exe|Win7"},
        {"$WIN_DIR$|$INF_DIR$", global.WindowsDir() + "|" + global.WindowsDir() + "\\Inf"},
        {"$Src_Dir$", "$Src_Dir$"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(global.Expand(text), expected) << text;
    EXPECT_EQ(global.Expand("$LCID$ $LANG_ABBR$ $LANG_DIR$", 0x0412, "KR", "Korean"), "0412 KR Korean");

    global.SetAlreadyInstalled(true);
    global.SetLanguage(0x0412, false);
    EXPECT_EQ(global.Expand("$BOOL_!INSTALLED$|$LCID$|$STRING_FILE_NAME$"), "0|0412|Lang_KR.str");
}

TEST_F(GlobalTargetTest, MissingModulesAreLoggedAndStartUpGoesOn) {
    WriteMedium("[INSTALLER_FILE_INFO]\nUTILITY_DLL = .\\data\\none.dll\n");
    CGlobal global;
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_TRUE(LogHasPrefix("Load Utility DLL fail ("));
    // No utility module: no device is ever found.
    EXPECT_FALSE(global.DeviceFound(false));
    EXPECT_FALSE(global.DeviceFoundFlag());
    EXPECT_TRUE(LogHas("Call GetDevicePort ==> NULL"));
}

}  // namespace
