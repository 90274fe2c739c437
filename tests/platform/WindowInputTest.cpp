#include "WindowTestSupport.h"

TEST_F(TWindowTest, MouseGoesToTheDeepestWindowAndHTTransparentPassesItBelow) {
    HWND top = Top(Bounds(100, 100, 300, 200));
    HWND a = Child(top, Bounds(10, 10, 200, 150));
    HWND b = Child(a, Bounds(20, 20, 50, 50));
    HWND glass = Child(a, Bounds(0, 0, 100, 100)); // above b, lets the mouse through
    FHandlers[glass] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST) return HTTRANSPARENT;
        return std::nullopt;
    };
    FHost.Click({100 + 10 + 20 + 5, 100 + 10 + 20 + 7});
    FHost.Click({100 + 10 + 90, 100 + 10 + 90}); // in glass, outside b: a answers
    Pump();
    auto downB = Of(b, WM_LBUTTONDOWN);
    ASSERT_EQ(downB.size(), 1u);
    EXPECT_EQ(LParamToPoint(downB[0].LParam), (TPoint{5, 7}));
    EXPECT_EQ(downB[0].WParam & MK_LBUTTON, WPARAM(MK_LBUTTON));
    EXPECT_EQ(Of(b, WM_LBUTTONUP).size(), 1u);
    EXPECT_TRUE(Of(glass, WM_LBUTTONDOWN).empty());
    EXPECT_FALSE(Of(glass, WM_NCHITTEST).empty());
    auto downA = Of(a, WM_LBUTTONDOWN);
    ASSERT_EQ(downA.size(), 1u);
    EXPECT_EQ(LParamToPoint(downA[0].LParam), (TPoint{90, 90}));
    EXPECT_EQ(WindowFromPoint({135, 137}), b);
    // A disabled child lets its parent answer.
    EnableWindow(b, false);
    EXPECT_EQ(WindowFromPoint({135, 137}), a);
}

TEST_F(TWindowTest, ARegionCutsACornerOutOfHitTestsAndPainting) {
    HWND below = Top(Bounds(0, 0, 200, 200));
    HWND above = Top(Bounds(0, 0, 200, 200));
    TRegion shape(Rect(0, 0, 200, 200));
    shape -= TRegion(Rect(0, 0, 20, 20));
    SetWindowRgn(above, shape, true);
    EXPECT_EQ(WindowFromPoint({5, 5}), below);
    EXPECT_EQ(WindowFromPoint({25, 5}), above);
    EXPECT_EQ(WindowFromPoint({5, 25}), above);
    FHandlers[below] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_ERASEBKGND) return std::nullopt;
        TWindowDC dc(h);
        dc->FillRect(GetClientRect(h), TBrushDesc::SolidColor(clRed));
        return 1;
    };
    Pump();
    EXPECT_EQ(FHost.ScreenPixel({5, 5}), 0xFF0000u);  // the cut corner shows the window below
    EXPECT_EQ(FHost.ScreenPixel({25, 5}), 0xFFFFFFu); // the shaped window's own white
    FHost.Click({5, 5});
    Pump();
    EXPECT_EQ(Of(below, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Of(above, WM_LBUTTONDOWN).empty());
}

TEST_F(TWindowTest, CaptureKeepsTheMouseAcrossWindowsUntilReleased) {
    HWND first = Top(Bounds(0, 0, 100, 100));
    HWND second = Top(Bounds(200, 0, 100, 100));
    FHandlers[first] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONDOWN) SetCapture(h);
        if (m == WM_LBUTTONUP) ReleaseCapture();
        return std::nullopt;
    };
    FHost.MouseMove({50, 50});
    FHost.MouseDown({50, 50});
    FHost.MouseMove({250, 10});
    FHost.MouseUp({260, 20});
    FHost.MouseMove({250, 30});
    Pump();
    auto moves = Of(first, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(LParamToPoint(moves[1].LParam),
              (TPoint{250, 10})); // client coordinates of the capturing window
    auto up = Of(first, WM_LBUTTONUP);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(LParamToPoint(up[0].LParam), (TPoint{260, 20}));
    EXPECT_EQ(Of(first, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_TRUE(Of(second, WM_LBUTTONUP).empty());
    ASSERT_EQ(Of(second, WM_MOUSEMOVE).size(), 1u); // after the release the mouse is its own again
    EXPECT_EQ(GetCapture(), nullptr);
    // Taking the capture away tells the loser who took it.
    SetCapture(first);
    FLog.clear();
    SetCapture(second);
    auto changed = Of(first, WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(HWND(changed[0].LParam), second);
}

TEST_F(TWindowTest, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance) {
    HWND dbl = Top(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, "DoubleClicks");
    HWND plain = Top(Bounds(200, 0, 100, 100));
    auto clicks = [&](HWND h) {
        std::vector<UINT> out;
        for (auto& r : FLog)
            if (r.Hwnd == h && (r.Msg == WM_LBUTTONDOWN || r.Msg == WM_LBUTTONDBLCLK)) out.push_back(r.Msg);
        return out;
    };
    FHost.Click({10, 10});
    Pump();
    FHost.Advance(499);
    FHost.Click({11, 12}); // within time and within 2 pixels
    Pump();
    FHost.Advance(100);
    FHost.Click({11, 12}); // a third click starts over
    Pump();
    FHost.Advance(501);
    FHost.Click({11, 12}); // too late
    Pump();
    FHost.Advance(10);
    FHost.Click({14, 12}); // too far
    Pump();
    EXPECT_EQ(clicks(dbl), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN,
                                              WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
    FHost.Click({210, 10});
    FHost.Click({210, 10});
    Pump();
    EXPECT_EQ(clicks(plain), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(TWindowTest, MouseLeaveComesOnceWhenTheTrackedWindowIsLeft) {
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND hot = Child(top, Bounds(10, 10, 50, 50));
    FHandlers[hot] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_MOUSEMOVE) TrackMouseEvent(TRACKMOUSEEVENT{TME_LEAVE, h});
        return std::nullopt;
    };
    FHost.MouseMove({20, 20});
    FHost.MouseMove({30, 30});
    Pump();
    EXPECT_TRUE(Of(hot, WM_MOUSELEAVE).empty());
    FHost.MouseMove({100, 100});
    FHost.MouseMove({110, 100});
    Pump();
    EXPECT_EQ(Of(hot, WM_MOUSELEAVE).size(), 1u);
    // Asking while the mouse is elsewhere already gives the leave at once.
    TrackMouseEvent(TRACKMOUSEEVENT{TME_LEAVE, hot});
    Pump();
    EXPECT_EQ(Of(hot, WM_MOUSELEAVE).size(), 2u);
}

TEST_F(TWindowTest, ClickingActivatesAndFocusMovesWithKillAndSetFocus) {
    HWND one = Top(Bounds(0, 0, 200, 200), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    HWND two = Top(Bounds(300, 0, 200, 200), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), two);
    EXPECT_EQ(GetFocus(), two);
    HWND edit = Child(one, Bounds(10, 10, 50, 20));
    FHandlers[one] = [edit](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_ACTIVATE && LOWORD(w) != WA_INACTIVE) {
            SetFocus(edit);
            return 0;
        }
        return std::nullopt;
    };
    FLog.clear();
    FHost.Click(ClientToScreen(one, {100, 100}));
    Pump();
    EXPECT_EQ(GetActiveWindow(), one);
    EXPECT_EQ(GetFocus(), edit);
    auto activation = Of(two, WM_ACTIVATE);
    ASSERT_EQ(activation.size(), 1u);
    EXPECT_EQ(LOWORD(activation[0].WParam), WA_INACTIVE);
    EXPECT_EQ(HWND(activation[0].LParam), one);
    auto activated = Of(one, WM_ACTIVATE);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(LOWORD(activated[0].WParam), WA_CLICKACTIVE);
    EXPECT_EQ(Of(two, WM_KILLFOCUS).size(), 1u);
    auto setFocus = Of(edit, WM_SETFOCUS);
    ASSERT_EQ(setFocus.size(), 1u);
    EXPECT_EQ(GetWindowStyle(one) & WS_VISIBLE, DWORD(WS_VISIBLE));
    // Destroying the focused window leaves no focus behind, and hiding the active one activates another.
    DestroyWindow(edit);
    EXPECT_EQ(GetFocus(), nullptr);
    ShowWindow(one, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), two);
}

TEST_F(TWindowTest, KeysGoToTheFocusWithThePlatformsLParamBitsAndKeyState) {
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND edit = Child(top, Bounds(10, 10, 50, 20));
    SetFocus(edit);
    std::vector<bool> shiftDown;
    FHandlers[edit] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_KEYDOWN) shiftDown.push_back(GetKeyState(VK_SHIFT) < 0);
        return std::nullopt;
    };
    FHost.KeyDown('A');
    FHost.KeyDown('A', true);
    FHost.KeyUp('A');
    FHost.KeyDown(VK_SHIFT);
    FHost.KeyPress(VK_LEFT);
    FHost.KeyUp(VK_SHIFT);
    FHost.KeyPress(VK_RETURN);
    FHost.TypeText("aè");
    Pump();
    auto downs = Of(edit, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 5u);
    EXPECT_EQ(uint32_t(downs[0].LParam), 1u);
    EXPECT_EQ(uint32_t(downs[1].LParam), 1u | KF_REPEAT);
    EXPECT_EQ(uint32_t(downs[3].LParam), 1u | KF_EXTENDED); // an arrow key
    auto ups = Of(edit, WM_KEYUP);
    ASSERT_FALSE(ups.empty());
    EXPECT_EQ(uint32_t(ups[0].LParam), 1u | KF_REPEAT | KF_UP);
    EXPECT_EQ(shiftDown, (std::vector<bool>{false, false, true, true, false}));
    std::vector<WPARAM> chars;
    for (auto& r : Of(edit, WM_CHAR))
        chars.push_back(r.WParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{13, 'a', 0xE8}));
    EXPECT_TRUE(Of(top, WM_KEYDOWN).empty());
}

TEST_F(TWindowTest, AltWithALetterIsASystemKeyWithASystemCharacter) {
    HWND top = Top(Bounds(0, 0, 200, 200));
    SetActiveWindow(top);
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('F');
    FHost.KeyUp(VK_MENU);
    Pump();
    auto sys = Of(top, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].WParam, WPARAM('F'));
    EXPECT_TRUE(uint32_t(sys[1].LParam) & KF_ALTDOWN);
    auto sysChar = Of(top, WM_SYSCHAR);
    ASSERT_EQ(sysChar.size(), 1u);
    EXPECT_EQ(sysChar[0].WParam, WPARAM('f'));
    EXPECT_TRUE(Of(top, WM_CHAR).empty());
}

TEST_F(TWindowTest, TheWheelGoesToTheWindowUnderThePointerElseTheFocusAndUnhandledRisesToTheParent) {
    HWND top = Top(Bounds(0, 0, 200, 200));
    HWND edit = Child(top, Bounds(10, 10, 50, 20));
    HWND list = Child(top, Bounds(10, 100, 100, 80));
    SetFocus(edit);
    // Over the list, which does not have the keyboard: the list gets it, and its parent after it.
    FHost.Wheel({50, 140}, -120);
    Pump();
    auto wheel = Of(top, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].WParam), -120);
    EXPECT_EQ(LParamToPoint(wheel[0].LParam), (TPoint{50, 140}));
    EXPECT_EQ(Of(list, WM_MOUSEWHEEL).size(), 1u);
    EXPECT_TRUE(Of(edit, WM_MOUSEWHEEL).empty());

    // Off every window it goes to the focus.
    FLog.clear();
    FHost.Wheel({500, 500}, 120);
    Pump();
    EXPECT_EQ(Of(edit, WM_MOUSEWHEEL).size(), 1u);
    EXPECT_TRUE(Of(list, WM_MOUSEWHEEL).empty());

    // A mode that follows the mouse keeps it wherever the pointer is.
    FLog.clear();
    SetCapture(edit);
    FHost.Wheel({50, 140}, 120);
    Pump();
    EXPECT_EQ(Of(edit, WM_MOUSEWHEEL).size(), 1u);
    EXPECT_TRUE(Of(list, WM_MOUSEWHEEL).empty());
    ReleaseCapture();
}

TEST_F(TWindowTest, TheCursorFollowsTheHitTestCodeAndTheClassUnderTheMouse) {
    RegisterClass(WNDCLASS{"Text", 0, {}, clWhite, THostCursor::IBeam});
    HWND top = Top(Bounds(100, 100, 200, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND edit = CreateWindowEx(0, "Text", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, top);
    HWND hand = Child(top, Bounds(100, 10, 50, 20));
    FHandlers[hand] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_SETCURSOR) return std::nullopt;
        SetCursor(THostCursor::HandPoint);
        return 1;
    };
    FHost.MouseMove({101, 200});
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::SizeWE);
    FHost.MouseMove({298, 298});
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::SizeNWSE);
    FHost.MouseMove(ClientToScreen(top, {50, 50}));
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::Arrow);
    FHost.MouseMove(ClientToScreen(edit, {5, 5}));
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::IBeam);
    FHost.MouseMove(ClientToScreen(hand, {5, 5}));
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::HandPoint);
    // A parent that answers WM_SETCURSOR decides for its children.
    FHandlers[top] = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_SETCURSOR || LOWORD(l) != HTCLIENT) return std::nullopt;
        SetCursor(THostCursor::Wait);
        return 1;
    };
    FHost.MouseMove(ClientToScreen(edit, {6, 5}));
    Pump();
    EXPECT_EQ(FHost.Cursor(), THostCursor::Wait);
}

TEST_F(TWindowTest, TheHostsFocusActivatesAndDeactivatesWindows) {
    HWND one = Top(Bounds(0, 0, 100, 100));
    HWND two = Top(Bounds(200, 0, 100, 100));
    EXPECT_EQ(GetActiveWindow(), two);
    FHost.FocusSurface(GetHostSurface(one), true);
    Pump();
    EXPECT_EQ(GetActiveWindow(), one);
    EXPECT_EQ(GetFocus(), one);
    FHost.FocusSurface(GetHostSurface(one), false);
    Pump();
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    auto deactivate = Of(one, WM_ACTIVATE);
    ASSERT_EQ(deactivate.size(), 4u); // shown, covered by two, given the focus, losing it
    EXPECT_EQ(LOWORD(deactivate[2].WParam), WA_ACTIVE);
    EXPECT_EQ(LOWORD(deactivate[3].WParam), WA_INACTIVE);
}

TEST_F(TWindowTest, ARightClickOrTheMenuKeyAsksForAContextMenuUpTheTree) {
    HWND top = Top(Bounds(100, 100, 200, 200));
    HWND grid = Child(top, Bounds(10, 10, 100, 100));
    FHost.Click({120, 130}, 2);
    SetFocus(grid);
    FHost.KeyPress(VK_APPS);
    FHost.KeyPress(VK_F10); // alone it is no request
    FHost.KeyDown(VK_SHIFT);
    FHost.KeyPress(VK_F10);
    FHost.KeyUp(VK_SHIFT);
    Pump();
    auto asked = Of(top, WM_CONTEXTMENU);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(HWND(asked[0].WParam), grid); // the window clicked, passed up to its parent
    EXPECT_EQ(LParamToPoint(asked[0].LParam), (TPoint{120, 130}));
    EXPECT_EQ(LParamToPoint(asked[1].LParam), (TPoint{-1, -1}));
    EXPECT_EQ(HWND(asked[2].WParam), grid);
    EXPECT_EQ(LParamToPoint(asked[2].LParam), (TPoint{-1, -1}));
}

TEST_F(TWindowTest, ADisabledOwnerPassesActivationToTheWindowItWaitsFor) {
    HWND owner = Top(Bounds(0, 0, 300, 300));
    HWND dialog = CreateWindowEx(0, "Plain", "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, owner);
    HWND other = Top(Bounds(400, 0, 100, 100));
    EnableWindow(owner, false);
    EXPECT_EQ(GetActiveWindow(), other);
    FHost.Click({10, 10});
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_TRUE(Of(owner, WM_LBUTTONDOWN).empty());
    SetActiveWindow(other);
    FHost.FocusSurface(GetHostSurface(owner), true);
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
}
