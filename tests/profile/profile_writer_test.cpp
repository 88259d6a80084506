// SetValue writes to the file on disk (the platform writer on Windows, its native
// equivalent elsewhere); a Reload shows what the reader makes of it.
#include "profile/profile.h"

#include "profile_test_support.h"
#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using profile_test::Dump;

class ProfileWriter : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.File("setup.ini");
        test_support::WriteBytes(path_,
                                 "; kept comment\r\n"
                                 "[Main]\r\n"
                                 "Name = old\r\n"
                                 "Other = 1\r\n"
                                 "\r\n"
                                 "[Tail]\r\n"
                                 "T = t\r\n");
        ASSERT_EQ(profile_.Create(path_.c_str(), nullptr), 0u);
        ASSERT_TRUE(profile_.IsLoaded());
    }
    std::string Reread() {
        EXPECT_EQ(profile_.Reload(path_.c_str(), nullptr), 0u);
        return Dump(profile_.MainList());
    }
    test_support::ScratchFolder folder_{"profiletest"};
    std::string path_;
    CProfile profile_;
};

TEST_F(ProfileWriter, TextReplacesAddsAndClears) {
    EXPECT_EQ(profile_.SetValue("Main", "name", "new value"), 0u);
    EXPECT_EQ(Dump(profile_.MainList()), "[Main]\nName|old\nOther|1\n[Tail]\nT|t\n");  // memory unchanged
    EXPECT_EQ(profile_.SetValue("Main", "Added", "a"), 0u);
    EXPECT_EQ(profile_.SetValue("New", "K", "k"), 0u);
    std::string model = Reread();
    EXPECT_NE(model.find("[Main]\nName|new value\nOther|1\nAdded|a\n"), std::string::npos) << model;
    EXPECT_NE(model.find("[Tail]\nT|t\n"), std::string::npos) << model;
    EXPECT_NE(model.find("[New]\nK|k\n"), std::string::npos) << model;

    EXPECT_EQ(profile_.SetValue("Main", "", ""), 0u);  // empty key: the section's body goes
    EXPECT_EQ(profile_.SetValue("Absent", "", ""), 0u);
    model = Reread();
    EXPECT_NE(model.find("[Main]\n[Tail]"), std::string::npos) << model;
    EXPECT_EQ(model.find("Absent"), std::string::npos) << model;
    EXPECT_EQ(model.find("Other"), std::string::npos) << model;
    EXPECT_NE(model.find("[Tail]\nT|t\n"), std::string::npos) << model;
    EXPECT_NE(test_support::ReadBytes(path_).find("; kept comment"), std::string::npos);
}

TEST_F(ProfileWriter, NumberAndTupleForms) {
    const unsigned long color = 0x00030201;
    EXPECT_EQ(profile_.SetValue("N", "Dword", 42ul), 0u);
    EXPECT_EQ(profile_.SetValue("N", "High", 0x80000000ul), 0u);
    EXPECT_EQ(profile_.SetValue("N", "Size", PROFILE_SIZE{640, -480}), 0u);
    EXPECT_EQ(profile_.SetValue("N", "Point", PROFILE_POINT{3, 4}), 0u);
    EXPECT_EQ(profile_.SetValue("N", "Color", &color), 0u);
    EXPECT_EQ(profile_.SetValue("N", "Rect", PROFILE_RECT{1, 2, 3, 4}), 0u);
    std::string model = Reread();
    EXPECT_NE(model.find("[N]\nDword|42\nHigh|-2147483648\nSize|640,-480\nPoint|3,4\nColor|1,2,3\nRect|1,2,3,4\n"),
              std::string::npos)
        << model;
    unsigned long read = 0;
    EXPECT_EQ(profile_.GetControl("N", "Color", &read), 0u);
    EXPECT_EQ(read, color);
}

TEST_F(ProfileWriter, InvalidArguments) {
    struct Case {
        const char* section;
        const char* key;
    } cases[] = {{nullptr, "K"}, {"", "K"}, {"S", nullptr}};
    for (const Case& c : cases) {
        EXPECT_EQ(profile_.SetValue(c.section, c.key, "v"), 87u);
        EXPECT_EQ(profile_.SetValue(c.section, c.key, 1ul), 87u);
        EXPECT_EQ(profile_.SetValue(c.section, c.key, PROFILE_RECT{}), 87u);
    }
    EXPECT_EQ(profile_.SetValue("S", "K", static_cast<const char*>(nullptr)), 87u);
    EXPECT_EQ(profile_.SetValue("S", "", 1ul), 87u);  // number forms need a key
    EXPECT_EQ(profile_.SetValue("S", "K", static_cast<const unsigned long*>(nullptr)), 87u);

    CProfile unloaded;  // no file was loaded: nothing to write to
    EXPECT_EQ(unloaded.SetValue("S", "K", "v"), 87u);
    EXPECT_EQ(Reread(), "[Main]\nName|old\nOther|1\n[Tail]\nT|t\n");
}

// A profile opened by a relative name is written where it was read, not in a folder the
// platform writer would pick for a bare name.
TEST_F(ProfileWriter, RelativePathWritesTheFileThatWasRead) {
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(path_).parent_path());
    CProfile relative("setup.ini", nullptr);
    ASSERT_TRUE(relative.IsLoaded());
    EXPECT_EQ(relative.SetValue("Main", "Name", "relative"), 0u);
    std::filesystem::current_path(before);
    EXPECT_NE(Reread().find("Name|relative"), std::string::npos);
}

}  // namespace
