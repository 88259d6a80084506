#include "fileops/os_code.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(MapOsCode, EveryWindowsOfTheTable) {
    struct Case {
        const char* name;
        OsVersionFacts facts;
        unsigned long code, family;
    } cases[] = {
        {"Win32s", {0, 3, 10, "", 0, false}, 2, 2},
        {"Windows 95", {1, 4, 0, "", 0, false}, 3, 10},
        {"Windows 95 OSR2 B", {1, 4, 0, "B", 0, false}, 4, 10},
        {"Windows 95 OSR2 c", {1, 4, 0, "c", 0, false}, 4, 10},
        {"Windows 95 blank C", {1, 4, 0, " C", 0, false}, 3, 10},
        {"Windows 98", {1, 4, 10, "", 0, false}, 6, 10},
        {"Windows 98 SE", {1, 4, 10, "a", 0, false}, 7, 10},
        {"Windows 98 blanks around A", {1, 4, 10, " A ", 0, false}, 6, 10},
        {"Windows Me", {1, 4, 90, "", 0, false}, 9, 10},
        {"other 9x", {1, 4, 20, "", 0, false}, 10, 10},
        {"NT 3.51", {2, 3, 51, "", 0, false}, 11, 15},
        {"NT 4.0", {2, 4, 0, "Service Pack 6", 1, false}, 12, 15},
        {"2000", {2, 5, 0, "", 1, false}, 13, 17},
        {"XP", {2, 5, 1, "Service Pack 3", 1, false}, 14, 17},
        {"other 5.x", {2, 5, 3, "", 1, false}, 14, 17},
        {"Server 2003", {2, 5, 2, "", 3, false}, 16, 17},
        {"Server 2003 x64", {2, 5, 2, "", 3, true}, 16, 17},
        {"XP x64", {2, 5, 2, "", 1, true}, 14, 17},
        {"5.2 workstation, 32-bit", {2, 5, 2, "", 1, false}, 16, 17},
        {"Vista", {2, 6, 0, "", 1, false}, 18, 17},
        {"7", {2, 6, 1, "Service Pack 1", 1, true}, 18, 17},
        {"10", {2, 10, 0, "", 1, true}, 18, 17},
        {"NT major 2", {2, 2, 0, "", 0, false}, 13, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OsCode result;
        EXPECT_TRUE(MapOsCode(c.facts, result));
        EXPECT_EQ(c.code, result.code);
        EXPECT_EQ(c.family, result.family);
    }
}

TEST(MapOsCode, UnknownPlatformIsNoAnswer) {
    OsCode result{7, 7};
    EXPECT_FALSE(MapOsCode({3, 5, 0, "", 0, false}, result));  // Windows CE
    EXPECT_EQ(0u, result.code);
    EXPECT_EQ(0u, result.family);
}

}  // namespace
}  // namespace setup
