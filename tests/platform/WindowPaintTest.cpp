#include "WindowTestSupport.h"

#include "platform/ImageCodecs.h"
#include "platform/Services.h"

#include <cstdlib>
#include <filesystem>

namespace {

TPixel PixelOf(HWND top, TPoint windowPoint) {
    auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(top));
    return surface->Pixels().Pixel(windowPoint.X, windowPoint.Y);
}

// Paints the client area in one colour through BeginPaint, or into the DC that WParam brings.
TWindowTest::THandler FillOnPaint(TColor color, TRect* painted = nullptr) {
    return [=](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT) return std::nullopt;
        if (w) {
            reinterpret_cast<HDC>(w)->FillRect(GetClientRect(h), TBrushDesc::SolidColor(color));
            return 0;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        dc->FillRect(GetClientRect(h), TBrushDesc::SolidColor(color));
        if (painted) *painted = ps.rcPaint;
        EndPaint(h, ps);
        return 0;
    };
}

} // namespace

TEST_F(TWindowTest, AShownWindowPaintsOnceWithItsFrameAndBackgroundFromBeginPaint) {
    HWND top = Top(Bounds(0, 0, 100, 80), WS_POPUP | WS_VISIBLE | WS_BORDER);
    Pump();
    auto order = Seen({WM_NCPAINT, WM_ERASEBKGND, WM_PAINT});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].second, UINT(WM_PAINT));
    EXPECT_EQ(order[1].second, UINT(WM_NCPAINT));
    EXPECT_EQ(order[2].second, UINT(WM_ERASEBKGND));
    EXPECT_EQ(PixelOf(top, {0, 0}), ColorToPixel(clWindowFrame)); // the border
    EXPECT_EQ(PixelOf(top, {50, 40}), 0xFFFFFFu);                 // the class background
    FLog.clear();
    Pump();
    EXPECT_TRUE(FLog.empty());
}

// As on the desktop, drawing on a window that never showed reaches nothing; it holds no picture until then.
TEST_F(TWindowTest, ATopLevelWindowThatNeverShowedDrawsNowhereAndPaintsWholeWhenItFirstShows) {
    HWND top = Top(Bounds(0, 0, 60, 40), WS_POPUP);
    HWND kid = Child(top, Bounds(5, 5, 10, 10));
    FHandlers[top] = FillOnPaint(clLime);
    FHandlers[kid] = FillOnPaint(clBlue);
    auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(top));
    const auto drawRed = [](HWND h, TColor* seen) {
        TWindowDC dc(h, true);
        ASSERT_TRUE(dc);
        dc->FillRect(Rect(0, 0, 60, 40), TBrushDesc::SolidColor(clRed));
        *seen = dc->GetPixel(1, 1);
    };
    TColor seen = clNone;
    drawRed(top, &seen);
    EXPECT_EQ(seen, CLR_INVALID);
    drawRed(kid, &seen);
    EXPECT_EQ(seen, CLR_INVALID);
    MoveWindow(top, 10, 10, 80, 50);
    Pump();
    EXPECT_EQ(surface->PresentCount(), 0);

    // The first show paints all of it, at the size it has then.
    ShowWindow(top, SW_SHOWNA);
    Pump();
    EXPECT_EQ(surface->PresentCount(), 1);
    EXPECT_EQ(PixelOf(top, {0, 0}), 0x00FF00u);
    EXPECT_EQ(PixelOf(top, {79, 49}), 0x00FF00u);
    EXPECT_EQ(PixelOf(top, {6, 6}), 0x0000FFu);

    // Hidden again, it keeps its picture and its DC still draws into it.
    ShowWindow(top, SW_HIDE);
    drawRed(top, &seen);
    EXPECT_EQ(seen, clRed);
}

TEST_F(TWindowTest, PaintingIsClippedToTheInvalidPartAndEraseOnlyWhenAsked) {
    HWND top = Top(Bounds(0, 0, 100, 80));
    TRect painted;
    FHandlers[top] = FillOnPaint(clRed, &painted);
    Pump();
    FHandlers[top] = FillOnPaint(clBlue, &painted);
    FLog.clear();
    TRect part = Rect(10, 10, 30, 20);
    InvalidateRect(top, &part, false);
    Pump();
    EXPECT_TRUE(Of(top, WM_ERASEBKGND).empty());
    EXPECT_EQ(painted, part);
    EXPECT_EQ(PixelOf(top, {10, 10}), 0x0000FFu);
    EXPECT_EQ(PixelOf(top, {29, 19}), 0x0000FFu);
    EXPECT_EQ(PixelOf(top, {30, 19}), 0xFF0000u); // outside the invalid part, the old paint stays
    EXPECT_EQ(PixelOf(top, {9, 10}), 0xFF0000u);
    // UpdateWindow paints at once, without the queue; the screen gets the frame when the loop would wait.
    InvalidateRect(top, nullptr, true);
    FHandlers[top] = FillOnPaint(clLime, &painted);
    UpdateWindow(top);
    EXPECT_EQ(PixelOf(top, {60, 60}), 0xFF0000u);
    EXPECT_TRUE(PresentWindows());
    EXPECT_EQ(PixelOf(top, {60, 60}), 0x00FF00u);
    EXPECT_EQ(Of(top, WM_ERASEBKGND).size(), 1u);
    EXPECT_FALSE(PresentWindows()); // nothing changed since
}

TEST_F(TWindowTest, APaintProcedureThatValidatesNothingIsNotCalledForever) {
    HWND top = Top(Bounds(0, 0, 50, 50));
    FHandlers[top] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_PAINT) return 0;
        return std::nullopt;
    };
    Pump();
    EXPECT_EQ(Of(top, WM_PAINT).size(), 1u);
}

TEST_F(TWindowTest, PaintIntoTheDCOfWParamUsesTheCallersOriginAndClip) {
    // A parent paints a blue client with a red square at (40, 30); its see-through child at (30, 20) paints
    // the parent's look behind itself through its own DC, moved and clipped as the skinned controls do it.
    HWND parent = Top(Bounds(0, 0, 200, 150));
    HWND child = Child(parent, Bounds(30, 20, 60, 40));
    FHandlers[parent] = [](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT && m != WM_ERASEBKGND) return std::nullopt;
        PAINTSTRUCT ps;
        HDC dc = w ? reinterpret_cast<HDC>(w) : BeginPaint(h, ps);
        if (m == WM_ERASEBKGND)
            dc->FillRect(GetClientRect(h), TBrushDesc::SolidColor(clBlue));
        else
            dc->FillRect(Bounds(40, 30, 10, 10), TBrushDesc::SolidColor(clRed));
        if (!w) EndPaint(h, ps);
        return 1;
    };
    int parentPaintsIntoChild = 0;
    FHandlers[child] = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_ERASEBKGND) return 1;
        if (m != WM_PAINT) return std::nullopt;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        dc->FillRect(GetClientRect(h), TBrushDesc::SolidColor(clYellow));
        {
            TDCStateSaver saver(*dc);
            dc->OffsetViewportOrg(-30, -20);
            dc->IntersectClipRect(Rect(0, 0, 200, 150));
            dc->IntersectClipRect(Rect(30, 20, 60, 50)); // only the child's upper-left part
            SendMessage(GetParent(h), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            SendMessage(GetParent(h), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            ++parentPaintsIntoChild;
        }
        EndPaint(h, ps);
        return 0;
    };
    Pump();
    EXPECT_EQ(parentPaintsIntoChild, 1);
    // In the child: the parent's red square lands at child (10, 10), its blue around it, within the clip
    // only.
    EXPECT_EQ(PixelOf(parent, {30 + 10, 20 + 10}), 0xFF0000u);
    EXPECT_EQ(PixelOf(parent, {30 + 9, 20 + 9}), 0x0000FFu);
    EXPECT_EQ(PixelOf(parent, {30 + 29, 20 + 29}), 0x0000FFu);
    EXPECT_EQ(PixelOf(parent, {30 + 30, 20 + 30}), 0xFFFF00u); // outside the clip: the child's own yellow
    EXPECT_EQ(PixelOf(parent, {30 + 59, 20 + 5}), 0xFFFF00u);
    EXPECT_EQ(PixelOf(parent, {5, 5}), 0x0000FFu); // the parent itself
    // Sent with a DC, WM_PAINT validated nothing of the parent: only its own paint did.
    EXPECT_EQ(Of(parent, WM_PAINT).size(), 2u);
}

TEST_F(TWindowTest, ClipChildrenKeepsAParentsPaintOffItsChildren) {
    HWND clipping = Top(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND kid = Child(clipping, Bounds(10, 10, 20, 20));
    FHandlers[kid] = FillOnPaint(clLime);
    Pump();
    FHandlers[clipping] = FillOnPaint(clRed);
    FLog.clear();
    InvalidateRect(clipping, nullptr, false);
    Pump();
    EXPECT_TRUE(Of(kid, WM_PAINT).empty()); // no need: the parent could not paint over it
    EXPECT_EQ(PixelOf(clipping, {15, 15}), 0x00FF00u);
    EXPECT_EQ(PixelOf(clipping, {5, 5}), 0xFF0000u);

    // Without the style the parent paints first and the child, invalidated with it, paints again on top.
    HWND plain = Top(Bounds(200, 0, 100, 100));
    HWND other = Child(plain, Bounds(10, 10, 20, 20));
    FHandlers[other] = FillOnPaint(clLime);
    FHandlers[plain] = FillOnPaint(clRed);
    Pump();
    FLog.clear();
    InvalidateRect(plain, nullptr, false);
    Pump();
    auto order = Seen({WM_PAINT});
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].first, plain);
    EXPECT_EQ(order[1].first, other);
    EXPECT_EQ(PixelOf(plain, {15, 15}), 0x00FF00u);
}

TEST_F(TWindowTest, AWindowDCCoversTheFrameAndAClientDCOnlyTheVisibleClient) {
    HWND top = Top(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN);
    HWND lower = Child(top, Bounds(10, 10, 40, 40), WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND upper = Child(top, Bounds(30, 30, 40, 40));
    SetWindowStyle(lower, GetWindowStyle(lower) | WS_CLIPSIBLINGS);
    Pump();
    {
        TWindowDC whole(lower, true);
        whole->FillRect(Rect(0, 0, 40, 40), TBrushDesc::SolidColor(clRed));
    }
    EXPECT_EQ(WindowFromDC(nullptr), nullptr);
    Pump();
    // Whole-window DC: origin at the window's corner in its top level (1 + 10), the frame included.
    EXPECT_EQ(PixelOf(top, {11, 11}), 0xFF0000u);
    // The sibling above keeps its pixels: lower clips siblings.
    EXPECT_EQ(PixelOf(top, {1 + 35, 1 + 35}), 0xFFFFFFu);
    {
        TWindowDC client(lower);
        EXPECT_EQ(WindowFromDC(client.Get()), lower);
        client->FillRect(Rect(-5, -5, 100, 100), TBrushDesc::SolidColor(clBlue));
        EXPECT_EQ(client->GetClipBox(), Rect(0, 0, 38, 38));
    }
    Pump();
    EXPECT_EQ(PixelOf(top, {11, 11}), 0xFF0000u); // the frame is outside a client DC
    EXPECT_EQ(PixelOf(top, {12, 12}), 0x0000FFu);
    EXPECT_EQ(PixelOf(top, {1 + 35, 1 + 35}), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(top, {1 + 55, 1 + 5}), 0xFFFFFFu);
    (void)upper;
}

TEST_F(TWindowTest, AWindowDCBringsToTheScreenOnlyWhatWasDrawnThroughIt) {
    HWND top = Top(Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, Bounds(20, 10, 100, 60), WS_CHILD | WS_VISIBLE);
    Pump();
    auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(top));
    const int presents = surface->PresentCount();
    {
        TWindowDC whole(child, true); // nothing drawn: nothing to show
    }
    Pump();
    EXPECT_EQ(surface->PresentCount(), presents);
    {
        // A frame drawn through a DC of the whole window changes its edge, not what lies inside.
        TWindowDC whole(child, true);
        whole->FrameRect(Rect(0, 0, 100, 60), TBrushDesc::SolidColor(clRed));
        whole->SetPixel(50, 30, clBlue);
    }
    Pump();
    EXPECT_EQ(surface->LastPresented().Bounds(), Bounds(20, 10, 100, 60));
    EXPECT_FALSE(surface->LastPresented().Contains({40, 30})) << "the inside of the frame was not drawn";
    EXPECT_TRUE(surface->LastPresented().Contains({70, 40}));
    EXPECT_EQ(PixelOf(top, {20, 10}), 0xFF0000u);
    EXPECT_EQ(PixelOf(top, {119, 69}), 0xFF0000u);
    EXPECT_EQ(PixelOf(top, {70, 40}), 0x0000FFu);
    {
        TWindowDC client(child);
        client->SetPixel(5, 6, clLime);
    }
    Pump();
    EXPECT_EQ(surface->LastPresented().Bounds(), Bounds(25, 16, 1, 1));
    EXPECT_EQ(PixelOf(top, {25, 16}), 0x00FF00u);
    {
        // Text, a blit and a region fill reach the screen too.
        TWindowDC client(child);
        client->SetTextColor(clBlack);
        client->SetBkMode(TBkMode::Transparent);
        client->TextOut(2, 2, "W");
        TSurface dot(2, 2, 0x0000FFu);
        client->BitBlt(60, 40, 2, 2, dot, 0, 0, SRCCOPY);
        client->FillRegion(TRegion(Rect(80, 50, 82, 52)), TBrushDesc::SolidColor(clRed));
    }
    Pump();
    const TSurface& shown = surface->Pixels();
    int dark = 0;
    for (int y = 12; y < 30; ++y)
        for (int x = 22; x < 40; ++x) dark += (shown.Pixel(x, y) & 0xFF) < 0x80;
    EXPECT_GT(dark, 3) << "the letter reached the screen";
    EXPECT_EQ(PixelOf(top, {81, 51}), 0x0000FFu);
    EXPECT_EQ(PixelOf(top, {101, 61}), 0xFF0000u);
}

TEST_F(TWindowTest, TheScreenDCDrawsOverWhateverWindowShowsThere) {
    HWND back = Top(Bounds(0, 0, 100, 100));
    HWND front = Top(Bounds(50, 50, 100, 100));
    Pump();
    HDC screen = GetDC(nullptr);
    screen->FillRect(Rect(40, 40, 60, 60), TBrushDesc::SolidColor(clRed));
    ReleaseDC(nullptr, screen);
    Pump();
    EXPECT_EQ(PixelOf(back, {45, 45}), 0xFF0000u);
    EXPECT_EQ(PixelOf(back, {55, 55}), 0xFFFFFFu); // covered by the front window there
    EXPECT_EQ(PixelOf(front, {5, 5}), 0xFF0000u);
    EXPECT_EQ(FHost.ScreenPixel({59, 59}), 0xFF0000u);
    EXPECT_EQ(FHost.ScreenPixel({60, 60}), 0xFFFFFFu);
}

TEST_F(TWindowTest, TheCaptionShowsWhetherItsWindowIsActive) {
    HWND one = Top(Bounds(0, 0, 200, 100), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    TPoint inCaption{20, 10};
    EXPECT_EQ(PixelOf(one, inCaption), ColorToPixel(clActiveCaption));
    HWND two = Top(Bounds(300, 0, 200, 100), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    EXPECT_EQ(GetActiveWindow(), two);
    EXPECT_EQ(PixelOf(one, inCaption), ColorToPixel(clInactiveCaption));
    EXPECT_EQ(PixelOf(two, inCaption), ColorToPixel(clActiveCaption));
    EXPECT_EQ(static_cast<THeadlessSurface*>(GetHostSurface(two))->Title(), "top");
}

TEST_F(TWindowTest, ScrollingMovesTheChildrenAndRepaints) {
    HWND top = Top(Bounds(0, 0, 100, 100));
    HWND kid = Child(top, Bounds(10, 40, 20, 20));
    FHandlers[kid] = FillOnPaint(clLime);
    Pump();
    FLog.clear();
    ScrollWindow(top, 0, -30);
    Pump();
    EXPECT_EQ(GetWindowRect(kid), Bounds(10, 10, 20, 20));
    EXPECT_EQ(PixelOf(top, {15, 15}), 0x00FF00u);
    EXPECT_EQ(PixelOf(top, {15, 45}), 0xFFFFFFu);
    EXPECT_FALSE(Of(top, WM_PAINT).empty());
}

TEST_F(TWindowTest, TheScreenIsComposedInStackingOrderAndSavedAsPNG) {
    HWND back = Top(Bounds(0, 0, 100, 100));
    HWND front = CreateWindowEx(WS_EX_NOACTIVATE, "Plain", "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, back);
    FHandlers[back] = FillOnPaint(clRed);
    Pump();
    auto* frontSurface = static_cast<THeadlessSurface*>(GetHostSurface(front));
    EXPECT_EQ(frontSurface->Kind(), TSurfaceKind::Popup);
    EXPECT_EQ(static_cast<THeadlessSurface*>(GetHostSurface(back))->Kind(), TSurfaceKind::Borderless);
    TSurface screen = FHost.ComposeScreen();
    EXPECT_EQ(screen.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(screen.Pixel(60, 60), 0xFFFFFFu);
    EXPECT_EQ(screen.Pixel(200, 200), 0u);
    std::string folder = ::testing::TempDir() + "vmr-screen-XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string path = folder + "/screen.png";
    FHost.SaveScreenPNG(path);
    EXPECT_EQ(LoadImageFile(path), screen);
    std::filesystem::remove_all(folder);
    // Hiding shows what lies below again.
    ShowWindow(front, SW_HIDE);
    Pump();
    EXPECT_EQ(FHost.ScreenPixel({60, 60}), 0xFF0000u);
}

TEST_F(TWindowTest, HidingOrMovingAChildRepaintsWhatItCovered) {
    HWND top = Top(Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND kid = Child(top, Bounds(10, 10, 20, 20));
    FHandlers[kid] = FillOnPaint(clLime);
    Pump();
    EXPECT_EQ(PixelOf(top, {15, 15}), 0x00FF00u);
    MoveWindow(kid, 50, 50, 20, 20);
    Pump();
    EXPECT_EQ(PixelOf(top, {15, 15}), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(top, {55, 55}), 0x00FF00u);
    ShowWindow(kid, SW_HIDE);
    Pump();
    EXPECT_EQ(PixelOf(top, {55, 55}), 0xFFFFFFu);
    // A hidden child's DC draws nothing.
    {
        TWindowDC dc(kid);
        dc->FillRect(Rect(0, 0, 20, 20), TBrushDesc::SolidColor(clRed));
    }
    Pump();
    EXPECT_EQ(PixelOf(top, {55, 55}), 0xFFFFFFu);
}

TEST_F(TWindowTest, WhatWasLeftToPaintOfALargerClientStaysOffTheScrollBarAfterAShrink) {
    HWND top = Top(Bounds(0, 0, 300, 200), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND grid = Child(top, Bounds(10, 10, 200, 150), WS_CHILD | WS_VISIBLE | WS_VSCROLL);
    // A control that paints past its client area, trusting the DC's clip (as a grid filling its bounds).
    FHandlers[grid] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT) return std::nullopt;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        dc->FillRect(Rect(0, 0, 1000, 1000), TBrushDesc::SolidColor(clRed));
        EndPaint(h, ps);
        return 0;
    };
    Pump();
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const TPixel barFace = PixelOf(top, {10 + 200 - bar / 2, 90});
    EXPECT_NE(barFace, 0xFF0000u);

    // Made larger, invalidated whole, then smaller again before it painted (a maximise and a restore that
    // re-lays the window out): the scroll bar is where the larger client area was.
    MoveWindow(grid, 10, 10, 280, 180);
    MoveWindow(grid, 10, 10, 200, 150);
    Pump();
    EXPECT_EQ(PixelOf(top, {10 + 200 - bar / 2, 90}), barFace);
    EXPECT_EQ(PixelOf(top, {100, 90}), 0xFF0000u);
}
