#include "common/unique_handle.h"
#include "fileops/system_utils.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

// A scratch tree under a root that holds a marker file, so no removal can climb past it.
class FolderRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Created());
        MakeFile("keep.txt");
    }

    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
    void MakeFolders(const std::string& relative) {
        std::string path = root_;
        for (std::size_t start = 0; start <= relative.size();) {
            std::size_t end = relative.find('\\', start);
            if (end == std::string::npos) end = relative.size();
            path += "\\" + relative.substr(start, end - start);
            CreateDirectoryA(path.c_str(), nullptr);
            start = end + 1;
        }
    }
    void MakeFile(const std::string& relative) {
        UniqueFile file(CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.valid()) << relative;
    }
    bool Exists(const std::string& relative) const {
        return GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    test_support::ScratchFolder scratch_{"folderremoval"};
    const std::string& root_ = scratch_.Path();
};

TEST_F(FolderRemovalTest, DeletedShortcutTakesItsEmptyFoldersAlong) {
    MakeFolders("Programs\\Maker\\Model");
    MakeFile("Programs\\Maker\\Model\\Manual.lnk");
    MakeFile("Programs\\Other.lnk");
    EXPECT_TRUE(DeleteFileAndEmptyFolders(Path("Programs\\Maker\\Model\\Manual.lnk").c_str(), false));
    EXPECT_FALSE(Exists("Programs\\Maker"));
    EXPECT_TRUE(Exists("Programs\\Other.lnk"));  // the first non-empty folder stops the climb
    EXPECT_TRUE(Exists("keep.txt"));
}

TEST_F(FolderRemovalTest, KeepFoldersDeletesOnlyTheFile) {
    MakeFolders("Programs\\Maker");
    MakeFile("Programs\\Maker\\Manual.lnk");
    EXPECT_TRUE(DeleteFileAndEmptyFolders(Path("Programs\\Maker\\Manual.lnk").c_str(), true));
    EXPECT_FALSE(Exists("Programs\\Maker\\Manual.lnk"));
    EXPECT_TRUE(Exists("Programs\\Maker"));
}

TEST_F(FolderRemovalTest, MissingFileRemovesNothing) {
    MakeFolders("Programs\\Maker");
    EXPECT_FALSE(DeleteFileAndEmptyFolders(Path("Programs\\Maker\\Missing.lnk").c_str(), false));
    EXPECT_TRUE(Exists("Programs\\Maker"));
    EXPECT_FALSE(DeleteFileAndEmptyFolders("", false));
    EXPECT_FALSE(DeleteFileAndEmptyFolders(nullptr, false));
}

TEST_F(FolderRemovalTest, DestinationFolderAndItsEmptyParents) {
    struct Case {
        const char* name;
        const char* remove;     // relative to the root; a trailing backslash is allowed
        const char* fileInside; // makes a folder non-empty, or nullptr
        const char* gone;
        const char* kept;
    } cases[] = {
        {"empty chain", "Maker\\Model\\Driver\\", nullptr, "Maker", "keep.txt"},
        {"sibling stops the climb", "Maker\\Model\\Driver", "Maker\\readme.txt", "Maker\\Model", "Maker\\readme.txt"},
        {"non-empty folder stays", "Maker\\Model\\Driver", "Maker\\Model\\Driver\\user.dat", "",
         "Maker\\Model\\Driver\\user.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeFolders("Maker\\Model\\Driver");
        if (c.fileInside != nullptr) MakeFile(c.fileInside);
        EXPECT_TRUE(RemoveFolderAndEmptyParents(Path(c.remove).c_str()));
        if (*c.gone != '\0') {
            EXPECT_FALSE(Exists(c.gone));
        }
        EXPECT_TRUE(Exists(c.kept));
        test_support::RemoveTree(Path("Maker"));
    }
    EXPECT_FALSE(RemoveFolderAndEmptyParents(""));
    EXPECT_FALSE(RemoveFolderAndEmptyParents(nullptr));
}

}  // namespace
}  // namespace setup
