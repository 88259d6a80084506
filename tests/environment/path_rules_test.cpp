#include "environment/path_rules.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* value;
    const char* expected;
};

TEST(PathRules, ResolveAgainstTheSetupFolder) {
    const PathCase cases[] = {
        {"..\\common\\x.ini", "D:\\Medium\\common\\x.ini"},
        {"C:\\x.ini", "C:\\x.ini"},
        {"D:", "D:"},
        {"data\\x.ini", "D:\\Medium\\Disk1\\data\\x.ini"},
        {".\\data\\kxinst.kxi", "D:\\Medium\\Disk1\\data\\kxinst.kxi"},
        {"$SRC_DIR$\\a.dll", "D:\\Medium\\Disk1\\D:\\Medium\\Disk1\\a.dll"},
        {"\\\\server\\share\\a.dll", "D:\\Medium\\Disk1\\\\\\server\\share\\a.dll"},
        {"", "D:\\Medium\\Disk1\\"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(setup::ResolveProfilePathText(c.value, "D:\\Medium\\Disk1"), c.expected);
    }
    // A drive value that starts with the macro keeps its form once the macro is replaced.
    EXPECT_EQ(setup::ResolveProfilePathText("C:\\$SRC_DIR$", "E:\\M"), "C:\\E:\\M");
}

TEST(PathRules, ParentOfARootSetupFolderIsTheRoot) {
    EXPECT_EQ(setup::ResolveProfilePathText("..\\x.ini", "E:"), "E:\\x.ini");
}

TEST(PathRules, FolderAndFileParts) {
    EXPECT_EQ(setup::FolderOf("C:\\a\\b.exe"), "C:\\a");
    EXPECT_EQ(setup::FileNameOf("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(setup::FileNameOf("b.exe"), "b.exe");
    EXPECT_EQ(setup::WithoutTrailingBackslash("C:\\a\\\\"), "C:\\a");
}

TEST(PathRules, StringFileFormatIsNeverAPrintfFormat) {
    const std::tuple<const char*, const char*> cases[] = {
        {".\\data\\String\\Lang_%s.str", ".\\data\\String\\Lang_KR.str"},
        {"Lang_%s_%s.str", "Lang_KR_%s.str"},
        {"Lang_%d%n%s.str", "Lang_%d%nKR.str"},
        {"Lang.str", "Lang.str"},
    };
    for (const auto& [format, expected] : cases) {
        SCOPED_TRACE(format);
        EXPECT_EQ(setup::ApplyStringFileFormat(format, "KR"), expected);
    }
}

}  // namespace
