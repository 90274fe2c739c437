#include "WindowTestSupport.h"

#include "platform/Exception.h"

TEST_F(TWindowTest, DestroyingATreeSendsDestroyParentFirstAndLeavesDeadHandlesHarmless) {
    HWND top = Top(Bounds(10, 10, 200, 100));
    HWND child = Child(top, Bounds(5, 5, 50, 50));
    HWND grandChild = Child(child, Bounds(1, 1, 10, 10));
    FLog.clear();
    EXPECT_TRUE(DestroyWindow(top));
    auto seen = Seen({WM_DESTROY, WM_NCDESTROY});
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0], std::make_pair(top, UINT(WM_DESTROY)));
    EXPECT_EQ(seen[1], std::make_pair(child, UINT(WM_DESTROY)));
    EXPECT_EQ(seen[2], std::make_pair(grandChild, UINT(WM_DESTROY)));
    for (HWND h : {top, child, grandChild}) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(SendMessage(h, WM_USER), 0);
        EXPECT_FALSE(PostMessage(h, WM_USER));
        EXPECT_EQ(GetWindowRect(h), TRect{});
        EXPECT_FALSE(DestroyWindow(h));
    }
    // Handles are never reused, so an old one stays dead after new windows come.
    HWND fresh = Top(Bounds(0, 0, 10, 10));
    EXPECT_NE(fresh, top);
    EXPECT_NE(fresh, child);
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(TWindowTest, AWindowDestroyedInsideItsOwnHandlerIsNotTouchedAfterwards) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    FHandlers[top] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) {
            DestroyWindow(h);
            return 7;
        }
        return std::nullopt;
    };
    PostMessage(top, WM_USER);
    PostMessage(top, WM_USER + 1);
    Pump();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_TRUE(Of(top, WM_USER + 1).empty()); // the later posted message died with its window
}

TEST_F(TWindowTest, CreatingAnUnregisteredClassOrAnOrphanChildFailsWithItsName) {
    try {
        CreateWindowEx(0, "Nowhere", "", WS_POPUP, 0, 0, 1, 1, nullptr);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_NE(std::string(e.what()).find("Nowhere"), std::string::npos);
    }
    EXPECT_THROW(CreateWindowEx(0, "Plain", "", WS_CHILD, 0, 0, 1, 1, nullptr), EInvalidOperation);
}

TEST_F(TWindowTest, CoordinatesConvertThroughFramesAndNestedChildren) {
    HWND top = Top(Bounds(100, 50, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TRect client = GetClientRect(top);
    // A sizing frame of 4 and a caption of 19 around the client area.
    EXPECT_EQ(client, Rect(0, 0, 292, 173));
    EXPECT_EQ(ClientToScreen(top, {0, 0}), (TPoint{104, 73}));
    HWND child = Child(top, Bounds(10, 20, 100, 100), WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND inner = Child(child, Bounds(3, 4, 10, 10));
    EXPECT_EQ(GetWindowRect(child), Bounds(114, 93, 100, 100));
    EXPECT_EQ(ClientToScreen(inner, {1, 1}), (TPoint{104 + 10 + 1 + 3 + 1, 73 + 20 + 1 + 4 + 1}));
    EXPECT_EQ(ScreenToClient(inner, ClientToScreen(inner, {5, 6})), (TPoint{5, 6}));
    EXPECT_EQ(MapWindowPoint(inner, top, {0, 0}), (TPoint{14, 25}));
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(inner, top));
    EXPECT_EQ(GetAncestorRoot(inner), top);
}

TEST_F(TWindowTest, MovingAndSizingSendsSizeAndMoveWithTheClientArea) {
    HWND top = Top(Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE | WS_BORDER);
    FLog.clear();
    MoveWindow(top, 10, 20, 300, 150);
    auto size = Of(top, WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(LOWORD(size[0].LParam), 298);
    EXPECT_EQ(HIWORD(size[0].LParam), 148);
    auto move = Of(top, WM_MOVE);
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(LParamToPoint(move[0].LParam), (TPoint{11, 21}));
    EXPECT_EQ(static_cast<THeadlessSurface*>(GetHostSurface(top))->Bounds(), Bounds(10, 20, 300, 150));
}

TEST_F(TWindowTest, ASubclassChainCallsThroughToEachPreviousProcedure) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    std::vector<std::string> order;
    TWndProc original = GetWindowProc(top);
    TWndProc first = SetWindowProc(top, [&, original](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) order.push_back("first");
        LRESULT r = CallWindowProc(original, h, m, w, l);
        return m == WM_USER ? r + 10 : r;
    });
    TWndProc previous = GetWindowProc(top);
    SetWindowProc(top, [&, previous](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) order.push_back("second");
        return CallWindowProc(previous, h, m, w, l) * 2;
    });
    FHandlers[top] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        order.push_back("class");
        return 1;
    };
    EXPECT_EQ(SendMessage(top, WM_USER), (1 + 10) * 2);
    EXPECT_EQ(order, (std::vector<std::string>{"second", "first", "class"}));
    EXPECT_TRUE(bool(first)); // the class procedure came back from the first replacement
}

TEST_F(TWindowTest, SentMessagesRunAtOncePostedOnesInOrderAfterwards) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    FLog.clear();
    PostMessage(top, WM_USER + 1);
    PostMessage(top, WM_USER + 2);
    SendMessage(top, WM_USER + 3);
    auto before = Seen({WM_USER + 1, WM_USER + 2, WM_USER + 3});
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].second, UINT(WM_USER + 3));
    Pump();
    auto after = Seen({WM_USER + 1, WM_USER + 2, WM_USER + 3});
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[1].second, UINT(WM_USER + 1));
    EXPECT_EQ(after[2].second, UINT(WM_USER + 2));
}

TEST_F(TWindowTest, TheMessageHookSeesQueuedMessagesAndCanSwallowThem) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    Pump(); // the first paint
    std::vector<UINT> hooked;
    SetMessageHook([&](MSG& msg) {
        if (msg.hwnd == top) hooked.push_back(msg.message);
        return msg.message == WM_USER + 1;
    });
    EXPECT_TRUE(HasMessageHook());
    FLog.clear();
    PostMessage(top, WM_USER + 1);
    PostMessage(top, WM_USER + 2);
    SendMessage(top, WM_USER + 3); // sent messages never pass the hook
    Pump();
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_TRUE(Of(top, WM_USER + 1).empty());
    EXPECT_EQ(Of(top, WM_USER + 2).size(), 1u);
    SetMessageHook(nullptr);
    EXPECT_FALSE(HasMessageHook());
}

TEST_F(TWindowTest, QuitEndsTheLoopsAndNestedLoopsPassItOutward) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    bool innerEnded = false;
    FHandlers[top] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        PostQuitMessage(3);
        innerEnded = !RunModalLoop([] { return false; });
        return 0;
    };
    PostMessage(top, WM_USER);
    EXPECT_FALSE(ProcessPendingMessages());
    EXPECT_TRUE(innerEnded);
    MSG msg;
    EXPECT_FALSE(GetMessage(msg)); // the quit was posted again for the outer loop
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(TWindowTest, AModalLoopOutOfInputEndsInsteadOfBlocking) {
    Top(Bounds(0, 0, 100, 100));
    int checks = 0;
    EXPECT_FALSE(RunModalLoop([&] { return ++checks > 1000; }));
    EXPECT_LT(checks, 1000);
}

TEST_F(TWindowTest, ZOrderKeepsTopmostWindowsAboveAndSiblingsListTopDown) {
    HWND a = Top(Bounds(0, 0, 10, 10));
    HWND topmost = Top(Bounds(0, 0, 10, 10), WS_POPUP | WS_VISIBLE, "Plain", WS_EX_TOPMOST);
    HWND b = Top(Bounds(0, 0, 10, 10));
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{a, b, topmost}));
    BringWindowToTop(a);
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{b, a, topmost}));
    HWND c1 = Child(a, Bounds(0, 0, 5, 5));
    HWND c2 = Child(a, Bounds(0, 0, 5, 5));
    EXPECT_EQ(GetWindow(a, GW_CHILD), c2);
    EXPECT_EQ(GetWindow(c2, GW_HWNDNEXT), c1);
    EXPECT_EQ(GetWindow(c1, GW_HWNDNEXT), nullptr);
}

TEST_F(TWindowTest, OwnedWindowsStayAboveTheirOwner) {
    HWND owner = Top(Bounds(0, 0, 100, 100));
    HWND popup = CreateWindowEx(WS_EX_NOACTIVATE, "Plain", "", WS_POPUP | WS_VISIBLE, 10, 10, 20, 20, owner);
    HWND other = Top(Bounds(0, 0, 100, 100));
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{owner, popup, other}));
    BringWindowToTop(owner);
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{other, owner, popup}));
    auto& stack = FHost.Surfaces();
    EXPECT_EQ(stack.back(), GetHostSurface(popup));
    // Destroying the owner takes its owned windows along.
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
}

TEST_F(TWindowTest, RemovingTheCaptionBitsGrowsTheClientAreaAtOnce) {
    HWND top = Top(Bounds(0, 0, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    FLog.clear();
    SetWindowStyle(top, GetWindowStyle(top) & ~WS_CAPTION);
    EXPECT_EQ(GetWindowStyle(top) & WS_CAPTION, 0u);
    EXPECT_EQ(GetClientRect(top), Rect(0, 0, 292, 192)); // only the sizing frame is left
    auto size = Of(top, WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(HIWORD(size[0].LParam), 192);
    // The visible bit is not a style to set this way.
    SetWindowStyle(top, GetWindowStyle(top) & ~WS_VISIBLE);
    EXPECT_TRUE(IsWindowVisible(top));
}

TEST_F(TWindowTest, WindowTextTravelsThroughTheTextMessages) {
    HWND top = Top(Bounds(0, 0, 300, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    FLog.clear();
    EXPECT_TRUE(SetWindowText(top, "Libro degli incantesimi – è"));
    EXPECT_EQ(Of(top, WM_SETTEXT).size(), 1u);
    EXPECT_EQ(GetWindowText(top), "Libro degli incantesimi – è");
    EXPECT_EQ(static_cast<THeadlessSurface*>(GetHostSurface(top))->Title(), "Libro degli incantesimi – è");
    // A procedure can answer with a text of its own.
    FHandlers[top] = [](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_GETTEXTLENGTH) return 3;
        if (m != WM_GETTEXT) return std::nullopt;
        EXPECT_EQ(w, 4u);
        std::copy_n("abc", 4, reinterpret_cast<char*>(l));
        return 3;
    };
    EXPECT_EQ(GetWindowText(top), "abc");
    // The default copy never writes past the buffer.
    FHandlers.erase(top);
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(SendMessage(top, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_EQ(std::string(small), "Lib");
    EXPECT_EQ(small[4], 'x');
    SetWindowText(top, "aè");
    char two[3] = {};
    EXPECT_EQ(SendMessage(top, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(two)), 1); // not half of the è
    EXPECT_EQ(std::string(two), "a");
}
