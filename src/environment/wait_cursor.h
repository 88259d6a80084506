#pragma once
// The wait cursor for the lifetime of the object; the previous cursor comes back however
// the operation ends.
#include <windows.h>

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
