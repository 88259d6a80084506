// The utility and remote-install stand-ins: registry export, free space, the new-hardware
// wizard and the remote install request.
#include "standin_fixture.h"

#include <cstring>

namespace {

class StandinUtilityTest : public standin_test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        LoadBuiltStandins();
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\OrvaneStandinTest");
        ModuleFixture::TearDown();
    }
};

TEST_F(StandinUtilityTest, SaveFileWritesTheKeyWithItsSubkeys) {
    const char* key = "Software\\OrvaneStandinTest\\Installing";
    const char* text = "C:\\Prog \"A\"";
    DWORD number = 2;
    const BYTE bytes[] = {1, 0xAB};
    // One value per key: the order of values within a key is the registry's.
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, "Dest", REG_SZ, text, lstrlenA(text) + 1), 0);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\OrvaneStandinTest\\Installing\\Items", "Setup_Type",
                              REG_DWORD, &number, sizeof(number)),
              0);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\OrvaneStandinTest\\Installing\\Items\\A", "Blob",
                              REG_BINARY, bytes, sizeof(bytes)),
              0);
    const std::string file = Medium("RtReg.reg");
    ASSERT_EQ(table_->SaveFile(file.c_str(), key, 0), 1);

    const auto lines = test_support::CrLfLines(test_support::ReadBytes(file));
    const std::vector<std::string> expected = {
        "REGEDIT4",
        "",
        "[HKEY_LOCAL_MACHINE\\Software\\OrvaneStandinTest\\Installing]",
        "\"Dest\"=\"C:\\\\Prog \\\"A\\\"\"",
        "",
        "[HKEY_LOCAL_MACHINE\\Software\\OrvaneStandinTest\\Installing\\Items]",
        "\"Setup_Type\"=dword:00000002",
        "",
        "[HKEY_LOCAL_MACHINE\\Software\\OrvaneStandinTest\\Installing\\Items\\A]",
        "\"Blob\"=hex:01,ab",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(StandinUtilityTest, SaveFileOfAMissingKeyWritesNoFile) {
    const std::string file = Medium("RtReg.reg");
    EXPECT_EQ(table_->SaveFile(file.c_str(), "Software\\OrvaneStandinTest\\Missing", 0), 0);
    EXPECT_FALSE(standin_test::FileExists(file));
    EXPECT_EQ(table_->SaveFile("", "Software", 0), 0);
}

// Megabytes free on the path's drive, whether or not the folder exists; 0 only when unknown.
TEST_F(StandinUtilityTest, FreeSpaceIsInMegabytesOfThePathsDrive) {
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, nullptr, nullptr));
    const unsigned long expected = static_cast<unsigned long>(available.QuadPart >> 20);
    for (const char* path : {"C:\\", "C:\\No\\Such\\Folder", ""}) {
        SCOPED_TRACE(path);
        unsigned long megabytes = table_->GetDiskFreeSpaceKX(path);
        EXPECT_GT(megabytes, 0u);
        EXPECT_LE(megabytes > expected ? megabytes - expected : expected - megabytes, 64u) << megabytes;
    }
    EXPECT_EQ(table_->GetDiskFreeSpaceKX("relative\\folder"), 0u);
}

TEST_F(StandinUtilityTest, HardwareWizardFunctionsFindTheWizardWindow) {
    WriteSim("[PNP]\r\nWizardTitle=Orvane test wizard\r\n");
    EXPECT_FALSE(table_->MySetForegroundNHWdDialog());   // harmless when there is none
    EXPECT_FALSE(table_->RemoveHardwareWizardDialog());
    HWND wizard = CreateWindowExA(0, "STATIC", "Orvane test wizard", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!wizard) GTEST_SKIP() << "no windows in this session: " << GetLastError();
    EXPECT_TRUE(table_->MySetForegroundNHWdDialog());
    EXPECT_TRUE(table_->RemoveHardwareWizardDialog());
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_FALSE(IsWindow(wizard));
}

// The request's fields reach the module (a field may fill its 256 bytes without a NUL); the
// password is never written to the call log.
TEST_F(StandinUtilityTest, DoRemoteInstallReadsTheRequestFields) {
    WriteSim("[REMOTE]\r\nResult=0\r\n10.0.0.8=1\r\n");
    char request[2048] = {};
    auto put = [&](int field, const std::string& text) { std::memcpy(request + field * 256, text.data(), text.size()); };
    put(0, "10.0.0.8");
    put(2, "admin");
    put(3, std::string(256, 'p'));
    put(4, "OFFICE");
    put(5, "D:\\");
    put(6, "C:\\Temp\\RtReg.reg");
    put(7, "Setup.exe /Remote");
    EXPECT_EQ(table_->DoRemoteInstall(request), 1);
    EXPECT_EQ(CallLines().back(), "DoRemoteInstall(10.0.0.8,,admin,password:256,OFFICE,D:\\,C:\\Temp\\RtReg.reg,Setup.exe /Remote)");
    put(0, std::string(256, '\0'));
    put(0, "10.0.0.9");
    EXPECT_EQ(table_->DoRemoteInstall(request), 0);
}

}  // namespace
