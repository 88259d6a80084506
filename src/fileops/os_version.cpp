#include "fileops/os_code.h"
#include "fileops/system_utils.h"
#include "fileops/windows_bitness.h"
#include "profile/registry.h"

#include <cstring>

namespace setup {
namespace {

// The extended structure (156 bytes) first; systems before NT 4 SP6 only know the basic one.
bool ReadVersionFacts(OsVersionFacts& facts) {
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(extended);
    bool haveExtended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)) != FALSE;
    if (!haveExtended) {
        std::memset(&extended, 0, sizeof(extended));
        extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) return false;
    }
    facts.platformId = extended.dwPlatformId;
    facts.major = extended.dwMajorVersion;
    facts.minor = extended.dwMinorVersion;
    facts.serviceText.assign(extended.szCSDVersion, strnlen(extended.szCSDVersion, sizeof(extended.szCSDVersion)));
    facts.productType = haveExtended ? extended.wProductType : 0;
    facts.wow64 = Is64BitWindows();
    return true;
}

}  // namespace

bool GetOsCode(unsigned long* osCode, unsigned long* osFamily) {
    OsVersionFacts facts;
    OsCode result;
    if (!ReadVersionFacts(facts) || !MapOsCode(facts, result)) return false;
    if (osCode != nullptr) *osCode = result.code;
    if (osFamily != nullptr) *osFamily = result.family;
    return true;
}

bool IsWindowsMe() {
    char version[260] = {};
    if (CRegistry::GetValue("Software\\Microsoft\\Windows\\CurrentVersion", "VersionNumber", version,
                            HKEY_LOCAL_MACHINE, sizeof(version)) != ERROR_SUCCESS) {
        return false;
    }
    return std::strstr(version, "4.90.") != nullptr;
}

}  // namespace setup
