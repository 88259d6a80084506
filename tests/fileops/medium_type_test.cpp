#include "common/unique_handle.h"
#include "fileops/system_utils.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace setup {
namespace {

// Wine's mount manager defines a drive letter of a chosen type on a Unix folder, the way its
// configuration tool does; on other systems the request fails and the drive tests skip.
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineWineDrive(char letter, UINT driveType, const std::string& unixFolder) {
    UniqueFile manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!manager) return false;
    std::vector<char> request(sizeof(WineUnixDrive) + unixFolder.size() + 1, 0);
    auto* drive = reinterpret_cast<WineUnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = driveType;
    drive->letter = static_cast<WCHAR>(letter);
    if (!unixFolder.empty()) {
        drive->mountPointOffset = sizeof(WineUnixDrive);
        unixFolder.copy(request.data() + sizeof(WineUnixDrive), unixFolder.size());
    } else {
        drive->size = sizeof(WineUnixDrive);  // no mount point: remove the drive
    }
    DWORD returned = 0;
    return DeviceIoControl(manager.get(), kDefineUnixDrive, request.data(), drive->size, nullptr, 0, &returned,
                           nullptr) != FALSE;
}

class MediumTypeTest : public ::testing::Test {
protected:
    struct Drive {
        char letter;
        UINT type;
    };
    static constexpr Drive kDrives[] = {
        {'x', DRIVE_CDROM}, {'y', DRIVE_REMOVABLE}, {'w', DRIVE_REMOTE}, {'v', DRIVE_RAMDISK}};

    void SetUp() override {
        const char* prefix = std::getenv("WINEPREFIX");
        if (prefix == nullptr) GTEST_SKIP() << "drive types are staged through Wine's mount manager";
        for (const Drive& d : kDrives) {
            if (!DefineWineDrive(d.letter, d.type, std::string(prefix) + "/drive_c"))
                GTEST_SKIP() << "mount manager refused drive " << d.letter << ": " << GetLastError();
            defined_.push_back(d.letter);
        }
    }
    void TearDown() override {
        for (char letter : defined_) DefineWineDrive(letter, DRIVE_UNKNOWN, {});
    }
    std::vector<char> defined_;
};

TEST_F(MediumTypeTest, DriveTypeOfThePathsRoot) {
    struct Case {
        const char* path;
        int medium;
    } cases[] = {
        {"x:\\Setup.exe", 3},
        {"X:\\", 3},
        {"x:\\data\\kxinst.kxi", 3},
        {"y:\\Setup.exe", 1},
        {"w:\\Setup.exe", 5},
        {"v:\\Setup.exe", 4},
        {"C:\\windows\\notepad.exe", 2},
        {"Setup.exe", 0},        // relative, no backslash
        {"x:Setup.exe", 0},      // drive-relative, no backslash
        {"q:\\Setup.exe", 0},    // no such drive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.medium, GetMediumType(c.path));
    }
}

TEST(MediumType, NoPathMeansTheProgramsOwnDrive) {
    char own[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, own, MAX_PATH));
    std::string root = std::string(own).substr(0, 3);
    int expected = GetDriveTypeA(root.c_str()) == DRIVE_FIXED ? 2 : -1;
    ASSERT_NE(-1, expected) << "test program is not on a fixed drive: " << own;
    EXPECT_EQ(expected, GetMediumType(nullptr));
    EXPECT_EQ(expected, GetMediumType(""));
}

}  // namespace
}  // namespace setup
