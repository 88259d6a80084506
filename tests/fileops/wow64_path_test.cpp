#include "fileops/wow64_path.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(ToWow64SourcePath, RedirectsTheSystemFolderAndUpperCases) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Windows\\System32\\Drivers", "C:\\WINDOWS\\SYSWOW64\\DRIVERS"},
        {"D:\\Driver\\x86", "D:\\DRIVER\\X86"},
        {"C:\\Windows\\System32", "C:\\WINDOWS\\SYSTEM32"},  // only the folder between backslashes
        {"C:\\System32\\a\\System32\\b", "C:\\SYSWOW64\\A\\SYSWOW64\\B"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, ToWow64SourcePath(c.path));
    }
}

}  // namespace
}  // namespace setup
