#include "fileops/windows_bitness.h"

#include <windows.h>

namespace setup {

bool Is64BitWindows() {
    if constexpr (sizeof(void*) == 8) {
        return true;
    } else {
        using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
        HMODULE kernel = GetModuleHandleA("Kernel32.dll");
        if (kernel == nullptr) return false;
        auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
        BOOL wow64 = FALSE;
        return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
    }
}

}  // namespace setup
