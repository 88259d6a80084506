#include "common/unique_handle.h"
#include "fileops/system_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "fileexists-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        file_ = folder_ + "\\present.txt";
        UniqueFile created(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(created.valid());
    }
    void TearDown() override {
        DeleteFileA(file_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string folder_, file_;
};

TEST_F(FileExistsTest, OnlyFilesThatOpenForReadingExist) {
    EXPECT_TRUE(FileExists(file_.c_str()));
    EXPECT_FALSE(FileExists((folder_ + "\\missing.txt").c_str()));
    EXPECT_FALSE(FileExists(folder_.c_str()));  // a folder is not a file
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
}

TEST_F(FileExistsTest, FileHeldWithoutReadSharingDoesNotCount) {
    UniqueFile held(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_FALSE(FileExists(file_.c_str()));
    held.reset();
    EXPECT_TRUE(FileExists(file_.c_str()));
}

}  // namespace
}  // namespace setup
