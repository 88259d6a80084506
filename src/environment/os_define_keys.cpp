#include "environment/os_define_keys.h"

#include <cstdio>

namespace setup {

std::string PlatformKey(unsigned long platformId, unsigned long major, unsigned long minor) {
    char key[32];
    std::snprintf(key, sizeof(key), "0X%04lX%02lX%02lX", platformId & 0xFFFF, major & 0xFF, minor & 0xFF);
    return key;
}

std::vector<std::string> OsDefineKeys(const OS_VERSION_FACTS& facts) {
    std::vector<std::string> keys;
    if (!facts.available) return keys;
    std::string platformKey = PlatformKey(facts.platformId, facts.major, facts.minor);
    if (facts.is64BitSystem) {
        keys.push_back(platformKey + ".64");
        if (facts.extended) {
            if (facts.productType == 1) {
                keys.push_back(platformKey + ".64.PRO");
            } else {
                if (facts.productType == 2) keys.push_back(platformKey + ".64.DOM");
                keys.push_back(platformKey + ".64.SER");
            }
        }
    }
    bool windows98 = facts.platformId == 1 && facts.major == 4 && facts.minor == 10;
    if (windows98 && facts.windowsMe) platformKey = "0X0001045A";
    keys.push_back(platformKey);
    if (facts.platformId == 1) {
        keys.push_back("0X0001040A");
    } else if (facts.platformId == 2 && facts.major == 4) {
        keys.push_back("0X00020400");
    } else if (facts.platformId == 2) {
        keys.push_back("DEF_WIN2KS");
        keys.push_back("0X00020500");
    }
    return keys;
}

bool RightToLeftUnsupported(const OS_VERSION_FACTS& facts) {
    if (!facts.available) return false;
    bool windows95 = facts.platformId == 1 && facts.major == 4 && facts.minor == 0;
    bool oldNt = facts.platformId == 2 && facts.major <= 4;
    return windows95 || oldNt;
}

}  // namespace setup
