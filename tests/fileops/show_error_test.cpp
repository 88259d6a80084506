#include "fileops/system_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

// A thread hook answers every message box at once and keeps what it showed.
struct ShownBox {
    int count = 0;  // distinct boxes (a box may be activated more than once)
    HWND last = nullptr;
    std::string caption;
    std::string text;
};
ShownBox g_shown;

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        GetClassNameA(box, className, sizeof(className));
        if (box == g_shown.last || std::string(className) != "#32770")  // message boxes are dialogs
            return CallNextHookEx(nullptr, code, wParam, lParam);
        g_shown.last = box;
        char buffer[512] = {};
        GetWindowTextA(box, buffer, sizeof(buffer));
        g_shown.caption = buffer;
        buffer[0] = '\0';
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
        g_shown.text = buffer;
        ++g_shown.count;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CanCreateWindows() {
    HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr) return false;
    DestroyWindow(probe);
    return true;
}

class ShowSystemErrorTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a display Wine creates no window, so no box can be seen (run under Xvfb).
        if (!CanCreateWindows()) GTEST_SKIP() << "no window station with a display";
        g_shown = {};
        hook_ = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook_);
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }
    HHOOK hook_ = nullptr;
};

TEST_F(ShowSystemErrorTest, SystemTextUnderTheGivenCaption) {
    char expected[512] = {};
    ASSERT_NE(0u, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected,
                                 sizeof(expected), nullptr));
    ShowSystemError(ERROR_FILE_NOT_FOUND, "C:\\medium\\manual.pdf");
    ASSERT_EQ(1, g_shown.count) << g_shown.caption << " / " << g_shown.text;
    EXPECT_EQ("C:\\medium\\manual.pdf", g_shown.caption);
    EXPECT_EQ(std::string(expected).substr(0, 10), g_shown.text.substr(0, 10));
}

TEST_F(ShowSystemErrorTest, CodeWithoutTextShowsNothing) {
    ShowSystemError(0x2FFFFFFF, "caption");
    EXPECT_EQ(0, g_shown.count);
}

}  // namespace
}  // namespace setup
