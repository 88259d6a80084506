#include "common/ansi_text.h"
#include "fileops/system_utils.h"

#include <string>

namespace setup {
namespace {

// The root the drive type is asked for: up to and including the first backslash. A UNC path
// ("\\server\share\...") is rooted at its share; cutting it at its first backslash would ask
// about the current drive instead.
std::string DriveRoot(const std::string& path) {
    std::size_t end = text::Find(path, "\\");
    if (end == std::string::npos) return {};
    if (end == 0 && path.compare(0, 2, "\\\\") == 0) {
        std::size_t share = text::Find(path, "\\", 2);
        std::size_t afterShare = share == std::string::npos ? std::string::npos : text::Find(path, "\\", share + 1);
        return afterShare == std::string::npos ? path + "\\" : path.substr(0, afterShare + 1);
    }
    return path.substr(0, end + 1);
}

int MediumFromDriveType(UINT driveType) {
    switch (driveType) {
    case DRIVE_REMOVABLE: return 1;
    case DRIVE_FIXED: return 2;
    case DRIVE_CDROM: return 3;
    case DRIVE_RAMDISK: return 4;
    case DRIVE_REMOTE: return 5;
    default: return 0;
    }
}

}  // namespace

int GetMediumType(const char* path) {
    std::string root = DriveRoot(path != nullptr && *path != '\0' ? std::string(path) : RunningProgramPath());
    if (root.empty()) return 0;
    return MediumFromDriveType(GetDriveTypeA(root.c_str()));
}

}  // namespace setup
