#include "WindowTestSupport.h"

#include "platform/ScrollBar.h"

namespace {

SCROLLINFO Info(int min, int max, UINT page, int pos, UINT mask = SIF_RANGE | SIF_PAGE | SIF_POS) {
    return SCROLLINFO{mask, min, max, page, pos, 0};
}

} // namespace

TEST_F(TWindowTest, ScrollInformationIsClampedToWhatTheBarCanReach) {
    HWND w = Top(Bounds(0, 0, 100, 200), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 500), true), 90);
    SCROLLINFO got{SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(got.nTrackPos, 90);
    EXPECT_EQ(SetScrollPos(w, SB_VERT, -4, true), 90);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
    // Only what the mask names is read back.
    SCROLLINFO onlyPos{SIF_POS, 7, 7, 7, 7, 7};
    GetScrollInfo(w, SB_VERT, onlyPos);
    EXPECT_EQ(onlyPos.nMin, 7);
    EXPECT_EQ(onlyPos.nPos, 0);
    EXPECT_FALSE(GetScrollInfo(w, SB_CTL, got));
}

TEST_F(TWindowTest, ScrollBarInfoGivesTheThumbInPixelsAndTheExactStates) {
    HWND w = Top(Bounds(0, 0, 100, 200), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 45), true);
    SCROLLBARINFO bar;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rcScrollBar, Rect(84, 0, 100, 200));
    EXPECT_EQ(bar.dxyLineButton, 16);
    // Track 200 - 2 * 16 = 168; thumb 10 / 100 of it; its top 45 / 90 of the travel 168 - 16.
    EXPECT_EQ(bar.xyThumbBottom - bar.xyThumbTop, 16);
    EXPECT_EQ(bar.xyThumbTop, 16 + 45 * 152 / 90);
    EXPECT_EQ(bar.rgstate[0], 0u);
    EXPECT_EQ(GetClientRect(w), Rect(0, 0, 84, 200));

    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_HSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], DWORD(STATE_SYSTEM_INVISIBLE));

    EnableWindow(w, false);
    GetScrollBarInfo(w, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.rgstate[0], DWORD(STATE_SYSTEM_UNAVAILABLE));
    EnableWindow(w, true);

    // Nothing to scroll: the bar stays, disabled, when asked to; otherwise it goes and the client grows.
    SetScrollInfo(w, SB_VERT, Info(0, 9, 10, 0, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL), true);
    GetScrollBarInfo(w, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.rgstate[0], DWORD(STATE_SYSTEM_UNAVAILABLE));
    FLog.clear();
    SetScrollInfo(w, SB_VERT, Info(0, 9, 10, 0), true);
    GetScrollBarInfo(w, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.rgstate[0], DWORD(STATE_SYSTEM_INVISIBLE));
    EXPECT_EQ(GetClientRect(w), Rect(0, 0, 100, 200));
    EXPECT_FALSE(Of(w, WM_SIZE).empty());
    SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 0), true);
    EXPECT_EQ(GetClientRect(w), Rect(0, 0, 84, 200));
}

TEST_F(TWindowTest, DraggingTheThumbSendsTrackAndThenThePositionInTheHighWord) {
    HWND w = Top(Bounds(0, 0, 100, 200), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 45), true);
    std::vector<int> trackPosSeen;
    FHandlers[w] = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_VSCROLL && LOWORD(wp) == SB_THUMBTRACK) {
            SCROLLINFO si{SIF_TRACKPOS | SIF_POS};
            GetScrollInfo(h, SB_VERT, si);
            trackPosSeen.push_back(si.nTrackPos);
            EXPECT_EQ(si.nPos, 45); // the owner moves the position itself
        }
        return std::nullopt;
    };
    SCROLLBARINFO bar;
    GetScrollBarInfo(w, OBJID_VSCROLL, bar);
    TPoint onThumb{90, bar.xyThumbTop + 4};
    FHost.MouseMove(onThumb);
    FHost.MouseDown(onThumb);
    FHost.MouseMove({90, onThumb.Y + 38});    // 38 of the 152 pixels of travel: 22 positions
    FHost.MouseMove({150, onThumb.Y + 1000}); // beyond the end, off the bar: the last position
    FHost.MouseUp({150, onThumb.Y + 1000});
    Pump();
    std::vector<std::pair<int, int>> scroll;
    for (auto& r : Of(w, WM_VSCROLL))
        scroll.emplace_back(LOWORD(r.WParam), HIWORD(r.WParam));
    EXPECT_EQ(scroll,
              (std::vector<std::pair<int, int>>{
                  {SB_THUMBTRACK, 67}, {SB_THUMBTRACK, 90}, {SB_THUMBPOSITION, 90}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(trackPosSeen, (std::vector<int>{67, 90}));
}

TEST_F(TWindowTest, PressingArrowsAndTheTrackSendsLineAndPageCodes) {
    HWND w = Top(Bounds(0, 0, 200, 100), WS_POPUP | WS_VISIBLE | WS_HSCROLL);
    SetScrollInfo(w, SB_HORZ, Info(0, 99, 10, 0), true);
    FHost.Click({195, 90}); // the right arrow
    FHost.Click({150, 90}); // the track right of the thumb
    FHost.Click({3, 90});   // the left arrow
    Pump();
    std::vector<int> codes;
    for (auto& r : Of(w, WM_HSCROLL))
        codes.push_back(LOWORD(r.WParam));
    EXPECT_EQ(codes, (std::vector<int>{SB_LINERIGHT, SB_ENDSCROLL, SB_PAGERIGHT, SB_ENDSCROLL, SB_LINELEFT,
                                       SB_ENDSCROLL}));
    EXPECT_TRUE(Of(w, WM_VSCROLL).empty());
    // A disabled window's bar does nothing.
    EnableWindow(w, false);
    FLog.clear();
    FHost.Click({195, 90});
    Pump();
    EXPECT_TRUE(Of(w, WM_HSCROLL).empty());
}

TEST_F(TWindowTest, TheNativeBarIsPaintedInTheFrame) {
    HWND w = Top(Bounds(0, 0, 100, 200), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 0), true);
    Pump();
    auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(w));
    EXPECT_EQ(surface->Pixels().Pixel(92, 1), ColorToPixel(clBtnHighlight)); // the raised up arrow
    EXPECT_EQ(surface->Pixels().Pixel(92, 15), ColorToPixel(cl3DDkShadow));
    EXPECT_EQ(surface->Pixels().Pixel(86, 100), ColorToPixel(clScrollBar)); // the track below the thumb
    EXPECT_EQ(surface->Pixels().Pixel(50, 100), 0xFFFFFFu);                 // the client
}

TEST_F(TWindowTest, HoldingAnArrowRepeatsWhileThePointerStaysOnIt) {
    HWND w = Top(Bounds(0, 0, 100, 200), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SetScrollInfo(w, SB_VERT, Info(0, 99, 10, 0), true);
    std::vector<DWORD> lineDownTimes;
    FHandlers[w] = [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_VSCROLL && LOWORD(wp) == SB_LINEDOWN) lineDownTimes.push_back(GetTickCount());
        return std::nullopt;
    };
    DWORD start = GetTickCount();
    TPoint downArrow{92, 195};
    FHost.MouseMove(downArrow);
    FHost.MouseDown(downArrow);
    FHost.Pause(399); // no repeat yet
    FHost.Pause(1);   // the first repeat
    FHost.Pause(60);  // then every 50 ms
    FHost.MouseMove({92, 150});
    FHost.Pause(45); // off the arrow: none
    FHost.MouseMove(downArrow);
    FHost.Pause(50); // back on it: again
    FHost.MouseUp(downArrow);
    FHost.Pause(1000);
    Pump();
    EXPECT_EQ(lineDownTimes, (std::vector<DWORD>{start, start + 400, start + 450, start + 550}));
    EXPECT_EQ(LOWORD(Of(w, WM_VSCROLL).back().WParam), SB_ENDSCROLL);
}
