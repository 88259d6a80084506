#include "common/unique_handle.h"
#include "fileops/system_utils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace setup {
namespace {

// Run once per Windows version by the extra ctest entries, which set the version Wine reports
// (SETUP_WINE_VERSION) and the expected "code,family" (SETUP_EXPECT_OS).
TEST(OsVersion, GetOsCodeReportsTheRunningWindows) {
    const char* expected = std::getenv("SETUP_EXPECT_OS");
    unsigned long code = 0, family = 0;
    ASSERT_TRUE(GetOsCode(&code, &family));
    if (expected == nullptr) {
        EXPECT_EQ(17u, family) << "code " << code;
        return;
    }
    const char* version = std::getenv("SETUP_WINE_VERSION");
    SCOPED_TRACE(version != nullptr ? version : "?");
    EXPECT_EQ(expected, std::to_string(code) + "," + std::to_string(family));
}

TEST(OsVersion, GetOsCodeToleratesMissingOuts) {
    unsigned long code = 0;
    EXPECT_TRUE(GetOsCode(&code, nullptr));
    EXPECT_TRUE(GetOsCode(nullptr, nullptr));
}

// Scratch change of "VersionNumber", put back afterwards.
class WindowsMeTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion";
    void SetUp() override {
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, key_.put()));
        char value[260] = {};
        DWORD size = sizeof(value);
        had_ = RegQueryValueExA(key_.get(), "VersionNumber", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                &size) == ERROR_SUCCESS;
        if (had_) saved_ = value;
    }
    void TearDown() override {
        if (had_)
            Set(saved_);
        else
            RegDeleteValueA(key_.get(), "VersionNumber");
    }
    void Set(const std::string& value) {
        RegSetValueExA(key_.get(), "VersionNumber", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
    UniqueKey key_;
    bool had_ = false;
    std::string saved_;
};

TEST_F(WindowsMeTest, VersionNumberContaining490) {
    struct Case {
        const char* value;
        bool me;
    } cases[] = {{"4.90.3000", true}, {"4.10.2222", false}, {"5.1.2600", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Set(c.value);
        EXPECT_EQ(c.me, IsWindowsMe());
    }
    RegDeleteValueA(key_.get(), "VersionNumber");
    EXPECT_FALSE(IsWindowsMe());
}

TEST(Administrator, WineUserIsAnAdministrator) {
    // Wine gives every process a token with the Administrators group enabled.
    EXPECT_TRUE(IsAdministrator());
}

}  // namespace
}  // namespace setup
