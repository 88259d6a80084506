#pragma once
// Which OS_DEFINE keys name the running system, most specific first. Platform-free: the
// version facts are read by the caller (or given by a test for systems Wine cannot pose as).
#include <string>
#include <vector>

namespace setup {

struct OS_VERSION_FACTS {
    bool available = false;       // some version information could be read
    bool extended = false;        // the extended form (product type) was read
    unsigned long platformId = 0; // 1 Windows 9x, 2 Windows NT
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned char productType = 0;  // 1 workstation, 2 domain controller, 3 server
    bool is64BitSystem = false;
    bool windowsMe = false;       // VersionNumber under CurrentVersion contains "4.90."
};

// "0X%04X%02X%02X" of platform id, major and minor version.
std::string PlatformKey(unsigned long platformId, unsigned long major, unsigned long minor);

// Keys to look up in OS_DEFINE, in order; the first present one gives the OS define. Empty
// when no version information is available.
std::vector<std::string> OsDefineKeys(const OS_VERSION_FACTS& facts);

// Windows 95 and NT 3.x/4.0 cannot lay windows out right to left.
bool RightToLeftUnsupported(const OS_VERSION_FACTS& facts);

}  // namespace setup
