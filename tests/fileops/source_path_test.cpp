#include "common/unique_handle.h"
#include "fileops/system_utils.h"
#include "fileops/windows_bitness.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace setup {
namespace {

constexpr char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const Value&) const = default;
};

Value Text(const std::string& text, DWORD type = REG_SZ) {
    return {type, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1)};
}

// The setup key in the 64-bit view; the prefix's own values are put back after each test
// (and the key removed again when the test had to create it).
class SourcePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD disposition = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, key_.put(), &disposition));
        created_ = disposition == REG_CREATED_NEW_KEY;
        savedPath_ = Read("SourcePath");
        savedOrg_ = Read("SourcePath_ORG");
        RegDeleteValueA(key_.get(), "SourcePath");
        RegDeleteValueA(key_.get(), "SourcePath_ORG");
    }
    void TearDown() override {
        Restore("SourcePath", savedPath_);
        Restore("SourcePath_ORG", savedOrg_);
        key_.reset();
        if (created_) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, KEY_WOW64_64KEY, 0);
    }
    std::optional<Value> Read(const char* name) {
        Value value;
        DWORD size = 0;
        if (RegQueryValueExA(key_.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        RegQueryValueExA(key_.get(), name, nullptr, &value.type, value.data.data(), &size);
        return value;
    }
    void Write(const char* name, const Value& value) {
        RegSetValueExA(key_.get(), name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    }
    void Restore(const char* name, const std::optional<Value>& value) {
        if (value)
            Write(name, *value);
        else
            RegDeleteValueA(key_.get(), name);
    }
    UniqueKey key_;
    bool created_ = false;
    std::optional<Value> savedPath_, savedOrg_;
};

TEST_F(SourcePathTest, SavesTheOriginalAndWritesTheRedirectedPath) {
    ASSERT_TRUE(Is64BitWindows());
    Write("SourcePath", Text("D:\\I386", REG_EXPAND_SZ));
    EXPECT_EQ(0u, SetSourcePath("C:\\Windows\\System32\\Drivers"));
    EXPECT_EQ(Text("C:\\WINDOWS\\SYSWOW64\\DRIVERS", REG_EXPAND_SZ), Read("SourcePath"));
    EXPECT_EQ(Text("D:\\I386", REG_EXPAND_SZ), Read("SourcePath_ORG"));

    EXPECT_EQ(0u, RestoreSourcePath());
    EXPECT_EQ(Text("D:\\I386", REG_EXPAND_SZ), Read("SourcePath"));
    EXPECT_EQ(std::nullopt, Read("SourcePath_ORG"));
}

// A second call (one per unsigned driver) must not save the first call's path as the original.
TEST_F(SourcePathTest, SecondCallKeepsTheUsersOriginal) {
    Write("SourcePath", Text("D:\\I386"));
    EXPECT_EQ(0u, SetSourcePath("E:\\Driver1"));
    EXPECT_EQ(0u, SetSourcePath("E:\\Driver2"));
    EXPECT_EQ(Text("E:\\DRIVER2"), Read("SourcePath"));
    EXPECT_EQ(Text("D:\\I386"), Read("SourcePath_ORG"));
    EXPECT_EQ(0u, RestoreSourcePath());
    EXPECT_EQ(Text("D:\\I386"), Read("SourcePath"));
}

TEST_F(SourcePathTest, WithoutAnOriginalNothingIsSavedOrRestored) {
    EXPECT_EQ(0u, SetSourcePath("E:\\Driver"));
    EXPECT_EQ(Text("E:\\DRIVER"), Read("SourcePath"));
    EXPECT_EQ(std::nullopt, Read("SourcePath_ORG"));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_NOT_FOUND), RestoreSourcePath());
    EXPECT_EQ(Text("E:\\DRIVER"), Read("SourcePath"));
}

TEST_F(SourcePathTest, OriginalOfAnotherTypeIsKeptAsItWas) {
    Value binary{REG_BINARY, {1, 2, 3}};
    Write("SourcePath", binary);
    EXPECT_EQ(0u, SetSourcePath("E:\\Driver"));
    EXPECT_EQ(Text("E:\\DRIVER"), Read("SourcePath"));  // text, whatever the old type was
    EXPECT_EQ(binary, Read("SourcePath_ORG"));
    EXPECT_EQ(0u, RestoreSourcePath());
    EXPECT_EQ(binary, Read("SourcePath"));
}

TEST_F(SourcePathTest, EmptyPathIsInvalid) {
    Write("SourcePath", Text("D:\\I386"));
    EXPECT_EQ(87u, SetSourcePath(""));
    EXPECT_EQ(87u, SetSourcePath(nullptr));
    EXPECT_EQ(Text("D:\\I386"), Read("SourcePath"));
    EXPECT_EQ(std::nullopt, Read("SourcePath_ORG"));
}

}  // namespace
}  // namespace setup
