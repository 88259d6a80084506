#pragma once
// The mapping from the system's version facts to the OS code and OS family; platform-free
// so that systems this program no longer meets (Win32s, 9x, NT 4, XP x64) stay testable.
#include <string>

namespace setup {

struct OsVersionFacts {
    unsigned long platformId = 0;  // 0 Win32s, 1 Windows 9x, 2 NT
    unsigned long major = 0;
    unsigned long minor = 0;
    std::string serviceText;       // the service-pack text as the system reports it
    unsigned char productType = 0; // 1 workstation, 2 domain controller, 3 server; 0 unknown
    bool wow64 = false;            // running on 64-bit Windows
};

struct OsCode {
    unsigned long code = 0;
    unsigned long family = 0;
};

// False (code and family 0) for a platform id that is none of the three.
bool MapOsCode(const OsVersionFacts& facts, OsCode& result);

}  // namespace setup
