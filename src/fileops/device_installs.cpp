#include "fileops/device_installs.h"

#include "common/unique_handle.h"
#include "fileops/system_utils.h"

namespace setup {

bool WaitForDeviceInstallsWith(const DeviceWaitCalls& calls, bool foreground, void (*whileWaiting)()) {
    std::uint32_t start = calls.tickCount(calls.context);
    if (calls.waitNoPending(kDeviceWaitSlice, calls.context) != kDeviceWaitTimedOut) return false;
    for (;;) {
        // The foreground form keeps the new-hardware wizard in front and has no limit:
        // the system may ask the user questions for as long as it likes.
        if (foreground && whileWaiting != nullptr) whileWaiting();
        if (!foreground && calls.tickCount(calls.context) - start >= kDeviceWaitLimit) break;
        if (calls.waitNoPending(kDeviceWaitSlice, calls.context) != kDeviceWaitTimedOut) break;
    }
    return true;
}

namespace {

using WaitNoPendingFn = DWORD(WINAPI*)(DWORD);

std::uint32_t CallWaitNoPending(std::uint32_t milliseconds, void* context) {
    return reinterpret_cast<WaitNoPendingFn>(context)(milliseconds);
}

std::uint32_t SystemTickCount(void*) {
    return GetTickCount();
}

}  // namespace

bool WaitForDeviceInstalls(bool foreground, void (*whileWaiting)()) {
    UniqueModule setupApi(LoadLibraryA("Setupapi.dll"));
    if (!setupApi) return false;
    auto wait = reinterpret_cast<WaitNoPendingFn>(
        reinterpret_cast<void*>(GetProcAddress(setupApi.get(), "CMP_WaitNoPendingInstallEvents")));
    if (wait == nullptr) return false;
    DeviceWaitCalls calls{CallWaitNoPending, SystemTickCount, reinterpret_cast<void*>(wait)};
    return WaitForDeviceInstallsWith(calls, foreground, whileWaiting);
}

}  // namespace setup
