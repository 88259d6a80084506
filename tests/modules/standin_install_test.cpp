// The installer stand-in's MyInstall over real staging records, programs and waits.
#include "standin_fixture.h"
#include "support/raw_registry.h"

namespace {

using standin_test::FileExists;

constexpr const char* kInstalling = "Software\\OrvaneStandinTest\\Prog\\Installing";
constexpr const char* kItem = "Software\\OrvaneStandinTest\\Prog\\Installing\\Items\\Driver";

class StandinInstallTest : public standin_test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        CreateDirectoryA(Medium("task dir").c_str(), nullptr);
        CopyStandin("installer_task.exe", "task dir\\setup task.exe");
        task_ = "\"" + Medium("task dir\\setup task.exe") + "\"";
        LoadBuiltStandins();
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\OrvaneStandinTest");
        ModuleFixture::TearDown();
    }

    void SetText(const char* key, const char* name, const std::string& value) {
        ASSERT_EQ(test_support::RawText(HKEY_LOCAL_MACHINE, key, name, value), ERROR_SUCCESS);
    }
    void SetNumber(const char* key, const char* name, DWORD value) {
        ASSERT_EQ(test_support::RawNumber(HKEY_LOCAL_MACHINE, key, name, value), ERROR_SUCCESS);
    }
    DWORD Number(const char* key, const char* name) { return test_support::Number(HKEY_LOCAL_MACHINE, key, name); }
    // A staged item whose three commands each leave their own marker file.
    void StageItem(DWORD setupType, DWORD successReturn, int exitCode) {
        SetNumber(kInstalling, "Setup_Type", setupType);
        SetText(kItem, "Item_Name", "Driver");
        const std::string exit = " /exit " + std::to_string(exitCode);
        SetText(kItem, "InstCmd", task_);
        SetText(kItem, "InstParam", "/write \"" + Medium("inst.txt") + "\"" + exit);
        SetText(kItem, "UninstCmd", task_);
        SetText(kItem, "UninstParam", "/write \"" + Medium("uninst.txt") + "\"" + exit);
        SetText(kItem, "ReinstCmd", task_);
        SetText(kItem, "ReinstParam", "/write \"" + Medium("reinst.txt") + "\"" + exit);
        SetNumber(kItem, "Success_Return", successReturn);
        SetNumber(kItem, "InstallNow", 1);
    }
    int Install(int installed) { return table_->MyInstall(0, kInstalling, kItem, installed); }

    std::string task_;
};

// Which command runs and how its exit code is judged.
TEST_F(StandinInstallTest, RunsTheCommandOfTheModeAndJudgesItsExitCode) {
    struct Case {
        const char* name;
        DWORD setupType;
        int installed;
        DWORD successReturn;
        int exitCode;
        const char* marker;  // the command that ran
        int result;
    };
    const Case cases[] = {
        {"install", 1, 0, 0, 0, "inst.txt", 1},
        {"install, other exit code", 1, 0, 0, 3, "inst.txt", 0},
        {"install, configured success code", 1, 0, 3, 3, "inst.txt", 1},
        {"installed item is re-installed", 1, 1, 0, 0, "reinst.txt", 1},
        {"re-install mode, item not installed", 3, 0, 0, 0, "inst.txt", 1},
        {"uninstall", 2, 1, 0, 0, "uninst.txt", 1},
        {"remove everything", 6, 1, 0, 0, "uninst.txt", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* marker : {"inst.txt", "uninst.txt", "reinst.txt"}) DeleteFileA(Medium(marker).c_str());
        StageItem(c.setupType, c.successReturn, c.exitCode);

        EXPECT_EQ(Install(c.installed), c.result);
        for (const char* marker : {"inst.txt", "uninst.txt", "reinst.txt"})
            EXPECT_EQ(FileExists(Medium(marker)), std::string(marker) == c.marker) << marker;
        EXPECT_EQ(Number(kItem, "InstallNow"), c.result ? 2u : 1u);
    }
}

TEST_F(StandinInstallTest, WithoutARunnableCommandNothingIsInstalled) {
    StageItem(1, 0, 0);
    SetText(kItem, "InstCmd", "");
    EXPECT_EQ(Install(0), 0);
    SetText(kItem, "InstCmd", Medium("no such installer.exe"));
    EXPECT_EQ(Install(0), 0);
    EXPECT_EQ(Number(kItem, "InstallNow"), 1u);
    EXPECT_EQ(table_->MyInstall(0, kInstalling, "Software\\OrvaneStandinTest\\NoRecord", 0), 0);
    EXPECT_EQ(table_->MyInstall(0, nullptr, nullptr, 0), 0);
}

// The command itself may hold arguments, with the program quoted or not (blanks in its path).
TEST_F(StandinInstallTest, CommandsMayCarryTheirOwnArguments) {
    const std::string program = Medium("task dir\\setup task.exe");
    const std::string marker = Medium("inst.txt");
    struct Case {
        const char* name;
        std::string command;
        std::string parameters;
    };
    const Case cases[] = {
        {"quoted program and arguments", "\"" + program + "\" /write \"" + marker + "\"", "/exit 0"},
        {"unquoted program and arguments", program + " /write \"" + marker + "\"", "/exit 0"},
        {"unquoted program alone", program, "/write \"" + marker + "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(marker.c_str());
        StageItem(1, 0, 0);
        SetText(kItem, "InstCmd", c.command);
        SetText(kItem, "InstParam", c.parameters);
        EXPECT_EQ(Install(0), 1);
        EXPECT_TRUE(FileExists(marker));
    }
}

// An installer that leaves work behind it: the item counts as installed only once the wait
// file or the waited-for registry value has appeared.
TEST_F(StandinInstallTest, WaitsForTheWaitFileAndTheWaitRegistryValue) {
    StageItem(1, 0, 0);
    const std::string waitFile = Medium("done.txt");
    SetText(kItem, "InstParam", "/exit 0 /later 800 /write \"" + waitFile + "\"");
    SetText(kItem, "WaitFile", waitFile);
    EXPECT_EQ(Install(0), 1);
    EXPECT_TRUE(FileExists(waitFile));
    EXPECT_EQ(Number(kItem, "InstallNow"), 2u);

    StageItem(1, 0, 0);
    SetText(kItem, "InstParam", "/exit 0 /later 800 /regset Software\\OrvaneStandinTest\\Wait Stage 5");
    SetText(kItem, "WaitFile", "");
    SetText(kItem, "WaitRegKey", "Software\\OrvaneStandinTest\\Wait");
    SetText(kItem, "WaitRegValue", "Stage");
    SetNumber(kItem, "WaitRegIntData", 5);
    EXPECT_EQ(Install(0), 1);
    EXPECT_EQ(Number("Software\\OrvaneStandinTest\\Wait", "Stage"), 5u);
    EXPECT_EQ(Number(kItem, "InstallNow"), 2u);
}

TEST_F(StandinInstallTest, AWaitFileThatNeverAppearsIsAFailure) {
    WriteSim("[INSTALL]\r\nWaitTimeoutMs=300\r\n");
    StageItem(1, 0, 0);
    SetText(kItem, "WaitFile", Medium("never.txt"));
    EXPECT_EQ(Install(0), 0);
    EXPECT_EQ(Number(kItem, "InstallNow"), 1u);

    StageItem(1, 0, 0);
    SetText(kItem, "WaitFile", "");
    SetText(kItem, "WaitRegKey", "Software\\OrvaneStandinTest\\Wait");
    SetText(kItem, "WaitRegValue", "Mode");
    SetText(kItem, "WaitRegStrData", "Ready");
    SetText("Software\\OrvaneStandinTest\\Wait", "Mode", "Busy");
    EXPECT_EQ(Install(0), 0);
    EXPECT_EQ(Number(kItem, "InstallNow"), 1u);
}

}  // namespace
