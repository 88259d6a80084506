#pragma once
// The waiting policy of WaitForDeviceInstalls, apart from the system call it waits on.
#include <cstdint>

namespace setup {

constexpr std::uint32_t kDeviceWaitSlice = 1000;          // ms per wait
constexpr std::uint32_t kDeviceWaitLimit = 300 * 1000;    // ms in all, background form only
constexpr std::uint32_t kDeviceWaitTimedOut = 258;        // WAIT_TIMEOUT

struct DeviceWaitCalls {
    // CMP_WaitNoPendingInstallEvents: 0 nothing pending, 258 timed out, other values failure.
    std::uint32_t (*waitNoPending)(std::uint32_t milliseconds, void* context);
    std::uint32_t (*tickCount)(void* context);  // milliseconds, wrapping like GetTickCount
    void* context;
};

// False when nothing was pending at the first wait; true once the installations ended or
// the waiting stopped (the background form after the limit).
bool WaitForDeviceInstallsWith(const DeviceWaitCalls& calls, bool foreground, void (*whileWaiting)());

}  // namespace setup
