#include "WindowTestSupport.h"

#include "platform/Services.h"

#include <utility>

namespace {

constexpr DWORD Framed = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

} // namespace

TEST_F(TWindowTest, DraggingTheCaptionMovesTheWindowAndEscapeCancels) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    FHost.MouseMove({150, 110});
    FHost.MouseDown({150, 110});
    FHost.MouseMove({170, 130});
    FHost.MouseMove({200, 170});
    FHost.MouseUp({200, 170});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Bounds(150, 160, 300, 200));
    EXPECT_EQ(Of(top, WM_ENTERSIZEMOVE).size(), 1u);
    EXPECT_EQ(Of(top, WM_EXITSIZEMOVE).size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);

    FHost.MouseDown({200, 170});
    FHost.MouseMove({400, 400});
    FHost.KeyDown(VK_ESCAPE);
    FHost.MouseUp({400, 400});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Bounds(150, 160, 300, 200));
}

TEST_F(TWindowTest, AMoveLoopThatRunsOutOfInputIsCancelledInsteadOfBlocking) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    FHost.MouseDown({150, 110});
    FHost.MouseMove({300, 300});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Bounds(100, 100, 300, 200));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TWindowTest, AMoveLoopEndsWithItsButtonHoweverTheReleaseGoesOrTheCaptureIsLost) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    HWND other = Top(Bounds(600, 600, 100, 100));
    SetActiveWindow(top);
    auto dragThenStray = [&](std::function<void()> middle) {
        MoveWindow(top, 100, 100, 300, 200);
        FHost.Pause(GetDoubleClickTime() + 1); // not a double click on the caption
        FHost.MouseMove({150, 110});
        FHost.MouseDown({150, 110});
        FHost.MouseMove({160, 120});
        middle();
        // The pointer wanders on with no button held: the window must not follow.
        FHost.MouseMove({400, 500});
        FHost.MouseMove({450, 550});
        Pump();
        EXPECT_EQ(GetCapture(), nullptr);
        return GetWindowRect(top);
    };
    // A box that a timer opened during the move took the release in its own loop.
    bool openBox = true;
    FHandlers[top] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_ENTERSIZEMOVE || !std::exchange(openBox, false)) return std::nullopt;
        SetTimer(nullptr, 5, 10, [](HWND, UINT, uintptr_t id, DWORD) {
            KillTimer(nullptr, id);
            RunModalLoop([] { return GetKeyState(VK_LBUTTON) >= 0; });
        });
        return 0;
    };
    EXPECT_EQ(dragThenStray([&] {
                  FHost.Pause(20);
                  FHost.MouseUp({170, 130});
              }),
              Bounds(110, 110, 300, 200));
    // The host lost the release; its next move says the button is up.
    EXPECT_EQ(dragThenStray([&] { FHost.MouseMove({180, 140}, 0); }), Bounds(130, 130, 300, 200));
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
    // Another window became active: the capture goes and the move is undone.
    EXPECT_EQ(dragThenStray([&] { FHost.FocusSurface(GetHostSurface(other), true); }),
              Bounds(100, 100, 300, 200));
    EXPECT_EQ(GetActiveWindow(), other);
    FHost.MouseUp({450, 550});
    Pump();
    EXPECT_EQ(Of(top, WM_ENTERSIZEMOVE).size(), Of(top, WM_EXITSIZEMOVE).size());
}

TEST_F(TWindowTest, AltF4ClosesTheTopLevelWindowFromAnyOfItsControls) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    HWND edit = Child(top, Bounds(10, 10, 100, 20));
    SetFocus(edit);
    FHost.KeyPress(VK_F4); // without Alt it is an ordinary key
    Pump();
    EXPECT_TRUE(IsWindow(top));
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress(VK_F4);
    FHost.KeyUp(VK_MENU);
    Pump();
    ASSERT_EQ(Of(top, WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(Of(top, WM_SYSCOMMAND)[0].WParam & 0xFFF0, WPARAM(SC_CLOSE));
    EXPECT_EQ(Of(top, WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(TWindowTest, AChildCanHandItsPressToTheWindowsMoveLoop) {
    // A caption strip of its own: released capture, then WM_NCLBUTTONDOWN HTCAPTION to the top-level window.
    HWND top = Top(Bounds(100, 100, 300, 200));
    HWND strip = Child(top, Bounds(0, 0, 300, 20));
    FHandlers[strip] = [top](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_LBUTTONDOWN) return std::nullopt;
        ReleaseCapture();
        SendMessage(top, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    };
    FHost.MouseMove({110, 105});
    FHost.MouseDown({110, 105});
    FHost.MouseMove({130, 125});
    FHost.MouseUp({140, 135});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Bounds(130, 130, 300, 200));
}

TEST_F(TWindowTest, SizingFromAnEdgeStopsAtTheMinimumTrackSize) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    FHandlers[top] = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_GETMINMAXINFO) return std::nullopt;
        reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {150, 100};
        return 0;
    };
    // The bottom-right corner, dragged far up and left.
    FHost.MouseMove({398, 298});
    FHost.MouseDown({398, 298});
    FHost.MouseMove({350, 290});
    FHost.MouseMove({120, 120});
    FHost.MouseUp({120, 120});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Bounds(100, 100, 150, 100));
    // The left edge, dragged far right: the right edge stays where it was.
    MoveWindow(top, 100, 100, 300, 200);
    FHost.MouseMove({101, 200});
    FHost.MouseDown({101, 200});
    FHost.MouseMove({151, 200});
    FHost.MouseUp({151, 200});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Rect(150, 100, 400, 300));
    FHost.MouseDown({151, 200});
    FHost.MouseMove({1000, 200});
    FHost.MouseUp({1000, 200});
    Pump();
    EXPECT_EQ(GetWindowRect(top), Rect(250, 100, 400, 300));
    auto sizing = Of(top, WM_SIZING);
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing.back().WParam, WPARAM(WMSZ_LEFT));
}

TEST_F(TWindowTest, MaximiseFillsTheWorkAreaAndRestoreGoesBack) {
    HWND top = Top(Bounds(100, 100, 300, 200), Framed);
    TRect work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work));
    EXPECT_EQ(work, FHost.WorkArea());
    EXPECT_LT(work.Height(), FHost.ScreenRect().Height());
    SendMessage(top, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(top));
    EXPECT_EQ(GetWindowRect(top), work);
    auto size = Of(top, WM_SIZE);
    ASSERT_FALSE(size.empty());
    EXPECT_EQ(size.back().WParam, WPARAM(SIZE_MAXIMIZED));
    // A maximised window is not sized from its edges.
    int code = int(SendMessage(top, WM_NCHITTEST, 0, PointToLParam({work.Left + 1, work.Top + 100})));
    EXPECT_NE(code, HTLEFT);
    SendMessage(top, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(top));
    EXPECT_EQ(GetWindowRect(top), Bounds(100, 100, 300, 200));
    // A double-click on the caption maximises, without the class asking for double-clicks.
    FHost.Click({150, 110});
    FHost.Click({150, 110});
    Pump();
    EXPECT_TRUE(IsZoomed(top));
    SendMessage(top, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_TRUE(static_cast<THeadlessSurface*>(GetHostSurface(top))->Minimized());
}

TEST_F(TWindowTest, CloseDestroysByDefaultAndAHandlerCanRefuse) {
    HWND keeps = Top(Bounds(0, 0, 200, 100), Framed);
    HWND goes = Top(Bounds(300, 0, 200, 100), Framed);
    FHandlers[keeps] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CLOSE) return 0;
        return std::nullopt;
    };
    FHost.RequestClose(GetHostSurface(keeps));
    Pump();
    EXPECT_TRUE(IsWindow(keeps));
    EXPECT_EQ(Of(keeps, WM_CLOSE).size(), 1u);
    // The close button acts when released on it.
    TRect r = GetWindowRect(goes);
    TPoint closeButton{r.Right - 4 - 2 - 8, r.Top + 4 + 8};
    ASSERT_EQ(SendMessage(goes, WM_NCHITTEST, 0, PointToLParam(closeButton)), HTCLOSE);
    FHost.MouseMove(closeButton);
    FHost.MouseDown(closeButton);
    FHost.MouseUp({closeButton.X - 40, closeButton.Y});
    Pump();
    EXPECT_TRUE(IsWindow(goes));
    FHost.Click(closeButton);
    Pump();
    EXPECT_FALSE(IsWindow(goes));
}

TEST_F(TWindowTest, ServicesAnswerFromTheHost) {
    SetClipboardText("Palla di fuoco");
    EXPECT_EQ(GetClipboardText(), "Palla di fuoco");
    ShellOpen(" mailto:someone@example.org");
    EXPECT_EQ(FHost.OpenedURLs(), (std::vector<std::string>{" mailto:someone@example.org"}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, nullptr));
}
