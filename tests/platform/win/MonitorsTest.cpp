#include "platform/controls/Forms.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

namespace {

TEST(Monitors, TheScreenUnderARectangleAndItsWorkArea)
{
    const TRect Inside = Bounds(10, 10, 50, 50);
    const HMONITOR M = MonitorFromRect(&Inside, MONITOR_DEFAULTTONULL);
    ASSERT_NE(M, nullptr);
    MONITORINFO Info;
    ASSERT_TRUE(GetMonitorInfo(M, &Info));
    EXPECT_EQ(Info.rcMonitor, Bounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(Info.rcWork, Screen->GetWorkAreaRect());
    EXPECT_EQ(Info.dwFlags, MONITORINFOF_PRIMARY);

    // Off every screen: the nearest, the primary one, or none, as asked; one handle a screen.
    const TRect Far = Bounds(-50000, 90000, 10, 10);
    EXPECT_EQ(MonitorFromRect(&Far, MONITOR_DEFAULTTONEAREST), M);
    EXPECT_EQ(MonitorFromRect(&Far, MONITOR_DEFAULTTOPRIMARY), M);
    EXPECT_EQ(MonitorFromRect(&Far, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_FALSE(GetMonitorInfo(nullptr, &Info));
    EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(Screen), &Info));
}

} // namespace
