// The installer stand-in's MyCreateShortCut: a real shell link from a shortcut record.
#include "standin_fixture.h"
#include "support/raw_registry.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

constexpr const char* kInstalling = "Software\\OrvaneStandinTest\\Prog\\Installing";
constexpr const char* kShortcut = "Software\\OrvaneStandinTest\\Prog\\Installing\\Shortcut\\Tool";

class StandinShortcutTest : public standin_test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        LoadBuiltStandins();
        char programs[MAX_PATH] = {};
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs)));
        programs_ = programs;
        target_ = standin_test::StandinDir() + "\\installer_task.exe";
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\OrvaneStandinTest");
        test_support::RemoveTree(programs_ + "\\Orvane Test");
        CoUninitialize();
        ModuleFixture::TearDown();
    }
    void SetText(const char* name, const std::string& value) {
        ASSERT_EQ(test_support::RawText(HKEY_LOCAL_MACHINE, kShortcut, name, value), ERROR_SUCCESS);
    }
    // Empty when the record holds no path.
    std::string ShortcutPath() { return test_support::Text(HKEY_LOCAL_MACHINE, kShortcut, "Shortcut_Path", ""); }
    // The target, arguments and working folder the link file holds.
    static bool ReadLink(const std::string& path, std::string& target, std::string& arguments, std::string& folder) {
        IShellLinkA* link = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link))))
            return false;
        IPersistFile* file = nullptr;
        bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
        if (ok) {
            std::wstring wide(path.begin(), path.end());
            ok = SUCCEEDED(file->Load(wide.c_str(), STGM_READ));
            file->Release();
        }
        char text[MAX_PATH * 2] = {};
        if (ok && SUCCEEDED(link->GetPath(text, sizeof(text), nullptr, 0))) target = text;
        if (ok && SUCCEEDED(link->GetArguments(text, sizeof(text)))) arguments = text;
        if (ok && SUCCEEDED(link->GetWorkingDirectory(text, sizeof(text)))) folder = text;
        link->Release();
        return ok;
    }

    std::string programs_;
    std::string target_;
};

TEST_F(StandinShortcutTest, CreatesTheLinkInTheProgramsFolderAndRecordsItsPath) {
    SetText("Name", "Orvane Tool");
    SetText("Target", "\"" + target_ + "\"");
    SetText("Start_in", standin_test::StandinDir());
    SetText("Argument", "/exit 0");
    SetText("Folder_Name", "Orvane Test\\Tools");

    ASSERT_EQ(table_->MyCreateShortCut(0, kInstalling, kShortcut), 1);
    const std::string expected = programs_ + "\\Orvane Test\\Tools\\Orvane Tool.lnk";
    EXPECT_EQ(ShortcutPath(), expected);
    ASSERT_TRUE(standin_test::FileExists(expected));
    std::string target, arguments, folder;
    ASSERT_TRUE(ReadLink(expected, target, arguments, folder));
    EXPECT_EQ(lstrcmpiA(target.c_str(), target_.c_str()), 0) << target;
    EXPECT_EQ(arguments, "/exit 0");
    EXPECT_EQ(lstrcmpiA(folder.c_str(), standin_test::StandinDir().c_str()), 0) << folder;
}

// Record texts cannot lead the link out of the Programs folder or into a bad file name.
TEST_F(StandinShortcutTest, NamesAndFoldersStayInsideTheProgramsFolder) {
    SetText("Name", "Tool: a/b");
    SetText("Target", target_);
    SetText("Folder_Name", "..\\..\\Orvane Test");
    ASSERT_EQ(table_->MyCreateShortCut(0, kInstalling, kShortcut), 1);
    EXPECT_EQ(ShortcutPath(), programs_ + "\\Orvane Test\\Tool_ a_b.lnk");
}

TEST_F(StandinShortcutTest, ARecordWithoutNameOrTargetCreatesNothing) {
    SetText("Target", target_);
    EXPECT_EQ(table_->MyCreateShortCut(0, kInstalling, kShortcut), 0);
    SetText("Name", "Orvane Tool");
    SetText("Target", "");
    EXPECT_EQ(table_->MyCreateShortCut(0, kInstalling, kShortcut), 0);
    EXPECT_EQ(ShortcutPath(), "");
    EXPECT_EQ(table_->MyCreateShortCut(0, kInstalling, "Software\\OrvaneStandinTest\\NoRecord"), 0);
}

}  // namespace
