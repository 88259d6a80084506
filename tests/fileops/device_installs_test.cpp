#include "fileops/device_installs.h"
#include "fileops/system_utils.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup {
namespace {

// A scripted CMP_WaitNoPendingInstallEvents: each wait returns the next result and advances
// the clock by a second; after the script, it keeps returning `after`.
struct ScriptedWait {
    std::vector<std::uint32_t> results;
    std::uint32_t after = 0;
    std::size_t calls = 0;
    std::uint32_t clock = 0xFFFFF000;  // close to wrapping: the limit must survive it

    DeviceWaitCalls Calls() {
        return {[](std::uint32_t, void* c) {
                    auto* self = static_cast<ScriptedWait*>(c);
                    self->clock += 1000;
                    std::size_t i = self->calls++;
                    return i < self->results.size() ? self->results[i] : self->after;
                },
                [](void* c) { return static_cast<ScriptedWait*>(c)->clock; }, this};
    }
};

int g_callbacks = 0;
void CountCallback() {
    ++g_callbacks;
}

TEST(DeviceInstalls, WaitingPolicy) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> results;
        std::uint32_t after;
        bool foreground;
        bool expected;
        std::size_t waits;
        int callbacks;
    } cases[] = {
        {"nothing pending", {0}, 0, true, false, 1, 0},
        {"first wait fails", {0xFFFFFFFF}, 0, false, false, 1, 0},
        {"pending, then done", {258, 258, 0}, 0, false, true, 3, 0},
        {"foreground calls back after each time-out", {258, 258, 258, 0}, 0, true, true, 4, 3},
        {"a failure ends the wait", {258, 0xFFFFFFFF}, 258, true, true, 2, 1},
        {"background stops after 300 seconds", {}, 258, false, true, 300, 0},
        {"foreground has no limit", std::vector<std::uint32_t>(500, 258), 0, true, true, 501, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedWait wait{c.results, c.after};
        g_callbacks = 0;
        EXPECT_EQ(c.expected, WaitForDeviceInstallsWith(wait.Calls(), c.foreground, CountCallback));
        EXPECT_EQ(c.waits, wait.calls);
        EXPECT_EQ(c.callbacks, g_callbacks);
    }
}

TEST(DeviceInstalls, NothingPendingOnAFreshSystem) {
    g_callbacks = 0;
    EXPECT_FALSE(WaitForDeviceInstalls(true, CountCallback));
    EXPECT_EQ(0, g_callbacks);
}

}  // namespace
}  // namespace setup
