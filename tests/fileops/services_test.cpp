#include "fileops/system_utils.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

// Wine's update service: stopped in a fresh prefix, starts on demand and accepts stop.
constexpr char kService[] = "wuauserv";

TEST(Services, StartStopAndQueryARealService) {
    unsigned long state = 0;
    ASSERT_EQ(0u, QueryServiceState(kService, &state));
    ASSERT_EQ(static_cast<unsigned long>(SERVICE_STOPPED), state);

    state = 0;
    DWORD before = GetTickCount();
    EXPECT_EQ(0u, StopServiceAndWait(kService, &state));  // already stopped: at once
    EXPECT_EQ(1u, state);
    EXPECT_LT(GetTickCount() - before, 1000u);

    state = 0;
    EXPECT_EQ(0u, StartServiceAndWait(kService, &state));
    EXPECT_EQ(4u, state);
    EXPECT_EQ(0u, QueryServiceState(kService, &state));
    EXPECT_EQ(4u, state);

    state = 0;
    EXPECT_EQ(0u, StartServiceAndWait(kService, &state));  // already running
    EXPECT_EQ(4u, state);

    state = 0;
    EXPECT_EQ(0u, StopServiceAndWait(kService, &state));
    EXPECT_EQ(1u, state);
    EXPECT_EQ(0u, QueryServiceState(kService, &state));
    EXPECT_EQ(1u, state);
}

TEST(Services, UnknownServiceAndBadArguments) {
    unsigned long state = 77;
    EXPECT_EQ(static_cast<unsigned long>(ERROR_SERVICE_DOES_NOT_EXIST), QueryServiceState("NoSuchSvc", &state));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_SERVICE_DOES_NOT_EXIST), StartServiceAndWait("NoSuchSvc", &state));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_SERVICE_DOES_NOT_EXIST), StopServiceAndWait("NoSuchSvc", &state));
    EXPECT_EQ(77u, state);
    EXPECT_EQ(87u, QueryServiceState(kService, nullptr));
    EXPECT_EQ(87u, StartServiceAndWait(nullptr, &state));
    EXPECT_EQ(0u, StopServiceAndWait(kService, nullptr));  // the state out is optional
}

}  // namespace
}  // namespace setup
