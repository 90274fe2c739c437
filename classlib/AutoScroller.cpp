#include "classlib/AutoScroller.h"

#include "classlib/WinControl.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"

#include <algorithm>

namespace {
constexpr int LineSize = 8;   // pixels an arrow scrolls
constexpr int WheelLines = 3; // lines a notch of the wheel scrolls

DWORD StyleBit(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

bool BarShown(HWND hwnd, int bar) {
    return GetWindowStyle(hwnd) & StyleBit(bar);
}

// The highest position a shown bar reaches.
int HighestPos(HWND hwnd, int bar) {
    SCROLLINFO info{SIF_RANGE | SIF_PAGE};
    GetScrollInfo(hwnd, bar, info);
    return std::max(info.nMax - info.nMin + 1 - int(info.nPage), 0);
}
} // namespace

void TAutoScroller::Measure(TRange& horz, TRange& vert) const {
    HWND hwnd = FControl.Handle();
    TRect client = FControl.ClientRect();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    // The client area as it would be without bars.
    const int width = client.Width() + (BarShown(hwnd, SB_VERT) ? barWidth : 0);
    const int height = client.Height() + (BarShown(hwnd, SB_HORZ) ? barHeight : 0);
    for (int i = 0; i < FControl.ControlCount(); ++i) {
        TControl* c = FControl.Controls(i);
        if (c->Align() != alNone || !c->Visible()) continue;
        horz.Extent = std::max(horz.Extent, c->Left() + c->Width() + FPos.X);
        vert.Extent = std::max(vert.Extent, c->Top() + c->Height() + FPos.Y);
    }
    horz.Needed = horz.Extent > width;
    vert.Needed = vert.Extent > height;
    // One bar takes room from the other direction.
    if (vert.Needed && !horz.Needed) horz.Needed = horz.Extent > width - barWidth;
    if (horz.Needed && !vert.Needed) vert.Needed = vert.Extent > height - barHeight;
    horz.Page = std::max(width - (vert.Needed ? barWidth : 0), 0);
    vert.Page = std::max(height - (horz.Needed ? barHeight : 0), 0);
}

bool TAutoScroller::Apply(int bar, const TRange& range) {
    HWND hwnd = FControl.Handle();
    const bool shown = BarShown(hwnd, bar);
    const int pos = range.Needed ? std::clamp(PosOf(bar), 0, range.Extent - range.Page) : 0;
    ScrollTo(bar, pos);
    if (!range.Needed && !shown) return false;
    SCROLLINFO want{SIF_RANGE | SIF_PAGE | SIF_POS, 0, range.Needed ? range.Extent - 1 : 0, UINT(range.Page), pos,
                    0};
    SCROLLINFO have{SIF_RANGE | SIF_PAGE | SIF_POS};
    GetScrollInfo(hwnd, bar, have);
    // An unchanged bar is not drawn again.
    if (shown == range.Needed && have.nMin == want.nMin && have.nMax == want.nMax && have.nPage == want.nPage &&
        have.nPos == want.nPos)
        return false;
    SetScrollInfo(hwnd, bar, want, true);
    return shown != range.Needed;
}

bool TAutoScroller::UpdateRange() {
    if (!FControl.HandleAllocated()) return false;
    TRange horz, vert;
    Measure(horz, vert);
    const bool horzChanged = Apply(SB_HORZ, horz);
    const bool vertChanged = Apply(SB_VERT, vert);
    return horzChanged || vertChanged;
}

bool TAutoScroller::Reset() {
    ScrollTo(SB_HORZ, 0);
    ScrollTo(SB_VERT, 0);
    if (!FControl.HandleAllocated()) return false;
    HWND hwnd = FControl.Handle();
    if (!BarShown(hwnd, SB_HORZ) && !BarShown(hwnd, SB_VERT)) return false;
    ShowScrollBar(hwnd, SB_BOTH, false);
    return true;
}

void TAutoScroller::Scroll(int bar, WPARAM request) {
    HWND hwnd = FControl.Handle();
    if (!BarShown(hwnd, bar)) return;
    const int highest = HighestPos(hwnd, bar);
    SCROLLINFO info{SIF_PAGE};
    GetScrollInfo(hwnd, bar, info);
    const int page = std::max(int(info.nPage), 1);
    const std::optional<int> requested = RequestedScrollPos(request, PosOf(bar), LineSize, page, highest);
    if (!requested) return;
    const int pos = std::clamp(*requested, 0, highest);
    if (pos == PosOf(bar)) return;
    ScrollTo(bar, pos);
    SetScrollPos(hwnd, bar, pos, true);
}

bool TAutoScroller::Wheel(int delta) {
    HWND hwnd = FControl.Handle();
    if (!BarShown(hwnd, SB_VERT)) return false;
    const int pos = std::clamp(FPos.Y - delta * WheelLines * LineSize / WHEEL_DELTA, 0, HighestPos(hwnd, SB_VERT));
    if (pos != FPos.Y) {
        ScrollTo(SB_VERT, pos);
        SetScrollPos(hwnd, SB_VERT, pos, true);
    }
    return true;
}

void TAutoScroller::ScrollTo(int bar, int pos) {
    const int delta = PosOf(bar) - pos;
    if (delta == 0) return;
    PosOf(bar) = pos;
    std::vector<TControl*> children;
    for (int i = 0; i < FControl.ControlCount(); ++i)
        if (TControl* c = FControl.Controls(i); c->Align() == alNone) children.push_back(c);
    FMoving = true;
    try {
        for (TControl* c : children)
            if (bar == SB_VERT)
                c->SetTop(c->Top() + delta);
            else
                c->SetLeft(c->Left() + delta);
    } catch (...) {
        FMoving = false;
        throw;
    }
    FMoving = false;
}
