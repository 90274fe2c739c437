#include "WindowTestSupport.h"

namespace {

class WindowHostEvents : public TWindowTest {
  protected:
    THeadlessSurface* SurfaceOf(HWND h) const { return static_cast<THeadlessSurface*>(GetHostSurface(h)); }
};

TEST_F(WindowHostEvents, TheDesktopsMovesAndSizesReachTheWindowAsItsOwnWould) {
    HWND w = Top(Bounds(100, 100, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    FLog.clear();
    FHost.ConfigureSurface(SurfaceOf(w), Bounds(150, 120, 400, 260));
    Pump();
    EXPECT_EQ(GetWindowRect(w), Bounds(150, 120, 400, 260));
    ASSERT_EQ(Of(w, WM_SIZE).size(), 1u);
    EXPECT_EQ(Of(w, WM_SIZE)[0].WParam, WPARAM(SIZE_RESTORED));
    EXPECT_EQ(Of(w, WM_MOVE).size(), 1u);
    // As the window's own SetWindowPos: asked first, told after, and the size and move come of being told.
    const auto order = Seen({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0].second, UINT(WM_WINDOWPOSCHANGING));
    EXPECT_EQ(order[1].second, UINT(WM_WINDOWPOSCHANGED));
    EXPECT_EQ(SurfaceOf(w)->Bounds(), Bounds(150, 120, 400, 260));
    // Laid out and painted again at the new size.
    EXPECT_EQ(SurfaceOf(w)->Pixels().Width(), 400);
    EXPECT_FALSE(Of(w, WM_PAINT).empty());

    // A place the window already has changes nothing.
    FLog.clear();
    FHost.ConfigureSurface(SurfaceOf(w), Bounds(150, 120, 400, 260));
    Pump();
    EXPECT_TRUE(Of(w, WM_SIZE).empty());
    EXPECT_TRUE(Of(w, WM_MOVE).empty());
}

TEST_F(WindowHostEvents, AMinimiseThatDidNotHappenLeavesTheWindowTakingInput) {
    HWND w = Top(Bounds(100, 100, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    // The host reports that the window stayed on screen: it is restored, and clicks reach it.
    FHost.SetSurfaceMinimized(SurfaceOf(w), false);
    Pump();
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(GetWindowRect(w), Bounds(100, 100, 300, 200));
    FLog.clear();
    FHost.Click({250, 200});
    Pump();
    EXPECT_EQ(Of(w, WM_LBUTTONDOWN).size(), 1u);

    // A minimise and a restore made by the desktop reach the window as its own.
    FHost.SetSurfaceMinimized(SurfaceOf(w), true);
    Pump();
    EXPECT_TRUE(IsIconic(w));
    FHost.SetSurfaceMinimized(SurfaceOf(w), false);
    Pump();
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(SurfaceOf(w)->Visible());
}

TEST_F(WindowHostEvents, TheActivatedWindowGetsTheKeyboardOfTheHost) {
    HWND first = Top(Bounds(100, 100, 200, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND second = Top(Bounds(400, 100, 200, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    EXPECT_EQ(FHost.FocusedSurface(), SurfaceOf(second));
    FHost.Click({200, 200});
    Pump();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(FHost.FocusedSurface(), SurfaceOf(first));
    DestroyWindow(first);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(FHost.FocusedSurface(), SurfaceOf(second));
}

} // namespace
