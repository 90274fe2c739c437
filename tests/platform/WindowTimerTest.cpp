#include "WindowTestSupport.h"

TEST_F(TWindowTest, TimersFireOnTheVirtualClockAndNeverWithIntervalZero) {
    HWND top = Top(Bounds(0, 0, 50, 50));
    SetTimer(top, 1, 100);
    SetTimer(top, 2, 0);
    auto ticks = [&](uintptr_t id) {
        int n = 0;
        for (auto& r : Of(top, WM_TIMER))
            n += r.WParam == id;
        return n;
    };
    Pump();
    EXPECT_EQ(ticks(1), 0);
    FHost.Advance(99);
    Pump();
    EXPECT_EQ(ticks(1), 0);
    FHost.Advance(1);
    Pump();
    EXPECT_EQ(ticks(1), 1);
    Pump();
    EXPECT_EQ(ticks(1), 1); // not again until the next interval
    FHost.Advance(1000);
    Pump();
    EXPECT_EQ(ticks(1), 2); // a late tick comes once, not once per missed interval
    FHost.Advance(100000);
    Pump();
    EXPECT_EQ(ticks(2), 0);
    EXPECT_EQ(ticks(1), 3);
    // Setting an id again restarts it; killing stops it.
    FHost.Advance(60);
    SetTimer(top, 1, 50);
    FHost.Advance(49);
    Pump();
    EXPECT_EQ(ticks(1), 3);
    FHost.Advance(1);
    Pump();
    EXPECT_EQ(ticks(1), 4);
    EXPECT_TRUE(KillTimer(top, 1));
    EXPECT_FALSE(KillTimer(top, 1));
    FHost.Advance(1000);
    Pump();
    EXPECT_EQ(ticks(1), 4);
}

TEST_F(TWindowTest, TimerCallbacksRunAndTimersDieWithTheirWindow) {
    HWND top = Top(Bounds(0, 0, 50, 50));
    int calls = 0;
    uintptr_t id =
        SetTimer(nullptr, 0, 10, [&](HWND, UINT msg, uintptr_t, DWORD) { calls += msg == WM_TIMER; });
    EXPECT_NE(id, 0u);
    SetTimer(top, 5, 10);
    FHost.Advance(10);
    Pump();
    EXPECT_EQ(calls, 1);
    DestroyWindow(top);
    FHost.Advance(10);
    Pump();
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(KillTimer(top, 5));
    EXPECT_TRUE(KillTimer(nullptr, id));
}

TEST_F(TWindowTest, InputAndPostedMessagesComeBeforeTimersAndPainting) {
    HWND top = Top(Bounds(0, 0, 50, 50));
    Pump();
    SetTimer(top, 1, 10);
    FHost.Advance(10);
    InvalidateRect(top, nullptr, false);
    FHost.Click({5, 5});
    PostMessage(top, WM_USER);
    FLog.clear();
    Pump();
    auto order = Seen({WM_USER, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER});
    std::vector<UINT> msgs;
    for (auto& [h, m] : order)
        msgs.push_back(m);
    EXPECT_EQ(msgs, (std::vector<UINT>{WM_USER, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}));
}
