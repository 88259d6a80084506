#include "environment/os_define_keys.h"

#include <gtest/gtest.h>

namespace {

using Keys = std::vector<std::string>;

setup::OS_VERSION_FACTS Facts(unsigned long platform, unsigned long major, unsigned long minor,
                              unsigned char productType = 1, bool is64 = false, bool extended = true) {
    setup::OS_VERSION_FACTS f;
    f.available = true;
    f.extended = extended;
    f.platformId = platform;
    f.major = major;
    f.minor = minor;
    f.productType = productType;
    f.is64BitSystem = is64;
    return f;
}

struct KeysCase {
    const char* name;
    setup::OS_VERSION_FACTS facts;
    Keys expected;
};

TEST(OsDefineKeys, CandidatesPerSystem) {
    setup::OS_VERSION_FACTS me = Facts(1, 4, 10);
    me.windowsMe = true;
    setup::OS_VERSION_FACTS unreadable;
    const KeysCase cases[] = {
        {"XP", Facts(2, 5, 1), {"0X00020501", "DEF_WIN2KS", "0X00020500"}},
        {"98", Facts(1, 4, 10, 0, false, false), {"0X0001040A", "0X0001040A"}},
        {"Me", me, {"0X0001045A", "0X0001040A"}},
        {"95", Facts(1, 4, 0, 0, false, false), {"0X00010400", "0X0001040A"}},
        {"NT4", Facts(2, 4, 0, 1, false, false), {"0X00020400", "0X00020400"}},
        {"NT 3.51", Facts(2, 3, 51, 1, false, false), {"0X00020333", "DEF_WIN2KS", "0X00020500"}},
        {"Vista", Facts(2, 6, 0), {"0X00020600", "DEF_WIN2KS", "0X00020500"}},
        {"10", Facts(2, 10, 0), {"0X00020A00", "DEF_WIN2KS", "0X00020500"}},
        {"XP x64 PRO", Facts(2, 5, 2, 1, true),
         {"0X00020502.64", "0X00020502.64.PRO", "0X00020502", "DEF_WIN2KS", "0X00020500"}},
        {"64 domain controller", Facts(2, 6, 1, 2, true),
         {"0X00020601.64", "0X00020601.64.DOM", "0X00020601.64.SER", "0X00020601", "DEF_WIN2KS", "0X00020500"}},
        {"64 server", Facts(2, 6, 1, 3, true),
         {"0X00020601.64", "0X00020601.64.SER", "0X00020601", "DEF_WIN2KS", "0X00020500"}},
        {"64 basic info only", Facts(2, 5, 2, 0, true, false),
         {"0X00020502.64", "0X00020502", "DEF_WIN2KS", "0X00020500"}},
        {"Win32s", Facts(0, 3, 10), {"0X0000030A"}},
        {"unreadable", unreadable, {}},
    };
    for (const KeysCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setup::OsDefineKeys(c.facts), c.expected);
    }
}

TEST(OsDefineKeys, RightToLeftOnlyWhereTheSystemHasIt) {
    EXPECT_TRUE(setup::RightToLeftUnsupported(Facts(1, 4, 0)));
    EXPECT_TRUE(setup::RightToLeftUnsupported(Facts(2, 4, 0)));
    EXPECT_TRUE(setup::RightToLeftUnsupported(Facts(2, 3, 51)));
    EXPECT_FALSE(setup::RightToLeftUnsupported(Facts(1, 4, 10)));
    EXPECT_FALSE(setup::RightToLeftUnsupported(Facts(2, 5, 0)));
    EXPECT_FALSE(setup::RightToLeftUnsupported(setup::OS_VERSION_FACTS{}));
}

}  // namespace
