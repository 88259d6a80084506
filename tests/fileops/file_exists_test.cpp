#include "common/unique_handle.h"
#include "fileops/system_utils.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Created());
        UniqueFile created(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(created.valid());
    }
    test_support::ScratchFolder scratch_{"fileexists"};
    const std::string folder_ = scratch_.Path();
    const std::string file_ = scratch_.File("present.txt");
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
