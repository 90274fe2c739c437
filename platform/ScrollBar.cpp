#include "platform/ScrollBar.h"

#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

#include <algorithm>

namespace {

constexpr UINT RepeatDelay = 400;
constexpr UINT RepeatInterval = 50;

DWORD StyleBit(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

int Range(const SCROLLINFO& s) {
    return std::max(1, s.nMax - s.nMin + 1);
}
int HighestPos(const SCROLLINFO& s) {
    return std::max(s.nMin, s.nMax - std::max(int(s.nPage) - 1, 0));
}
bool Scrollable(const SCROLLINFO& s) {
    return s.nMax > s.nMin && int(s.nPage) < Range(s);
}

int MulDiv(int a, int b, int c) {
    return c == 0 ? 0 : int(int64_t(a) * b / c);
}

// Pixel geometry of a bar along its length: arrow buttons at both ends, the thumb between.
struct TThumb {
    int Arrow = 0;
    int Start = 0; // from the bar's start; Start == End: no thumb
    int End = 0;
    int Track = 0;
};

TThumb ThumbGeometry(const SCROLLINFO& s, int length, int breadth, int pos) {
    TThumb t;
    t.Arrow = std::min(breadth, length / 2);
    t.Track = length - 2 * t.Arrow;
    t.Start = t.End = t.Arrow;
    if (!Scrollable(s) || t.Track <= 0) return t;
    int thumb = s.nPage ? MulDiv(int(s.nPage), t.Track, Range(s)) : GetSystemMetrics(SM_CXHTHUMB);
    thumb = std::max(thumb, 8);
    if (thumb > t.Track) return t;
    int posRange = HighestPos(s) - s.nMin;
    t.Start = t.Arrow + (posRange > 0 ? MulDiv(std::clamp(pos, s.nMin, HighestPos(s)) - s.nMin,
                                               t.Track - thumb, posRange)
                                      : 0);
    t.End = t.Start + thumb;
    return t;
}

struct TBarView {
    TRect Rect; // window coordinates
    bool Vertical = false;
    TThumb Thumb;
};

TBarView ViewOf(TWindow& w, int bar, bool tracking) {
    TBarView v;
    v.Rect = ScrollBarRect(w, bar);
    v.Vertical = bar == SB_VERT;
    const SCROLLINFO& s = ScrollState(w, bar).Info;
    int length = v.Vertical ? v.Rect.Height() : v.Rect.Width();
    int breadth = v.Vertical ? v.Rect.Width() : v.Rect.Height();
    v.Thumb = ThumbGeometry(s, length, breadth, tracking ? s.nTrackPos : s.nPos);
    return v;
}

bool BarEnabled(TWindow& w, int bar) {
    return !(w.Style & WS_DISABLED) && !ScrollState(w, bar).Disabled && Scrollable(ScrollState(w, bar).Info);
}

void RedrawFrame(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void SetBarShown(HWND hwnd, int bar, bool show) {
    DWORD style = GetWindowStyle(hwnd);
    SetWindowStyle(hwnd, show ? style | StyleBit(bar) : style & ~StyleBit(bar));
}

// Where along the bar a point lies: an SB_ code, SB_THUMBTRACK on the thumb, -1 off the bar.
int PartAt(const TBarView& v, TPoint window) {
    if (!v.Rect.Contains(window)) return -1;
    int at = v.Vertical ? window.Y - v.Rect.Top : window.X - v.Rect.Left;
    int length = v.Vertical ? v.Rect.Height() : v.Rect.Width();
    if (at < v.Thumb.Arrow) return SB_LINEUP;
    if (at >= length - v.Thumb.Arrow) return SB_LINEDOWN;
    if (v.Thumb.End > v.Thumb.Start) {
        if (at < v.Thumb.Start) return SB_PAGEUP;
        if (at >= v.Thumb.End) return SB_PAGEDOWN;
        return SB_THUMBTRACK;
    }
    return -1;
}

} // namespace

TScrollBarState& ScrollState(TWindow& w, int bar) {
    return bar == SB_VERT ? w.VScroll : w.HScroll;
}

void PaintScrollBar(TWindow& w, TDC& dc, int bar) {
    TBarView v = ViewOf(w, bar, false);
    if (v.Rect.IsEmpty()) return;
    DrawScrollBarParts(dc, v.Rect, v.Vertical, v.Thumb.Arrow, v.Thumb.Start, v.Thumb.End, BarEnabled(w, bar));
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw) {
    TWindow* w = FindWindow(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    TScrollBarState& state = ScrollState(*w, bar);
    SCROLLINFO& s = state.Info;
    if (info.fMask & SIF_RANGE) {
        s.nMin = info.nMin;
        s.nMax = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) s.nPage = info.nPage;
    s.nPage = std::min<UINT>(s.nPage, UINT(Range(s)));
    if (info.fMask & SIF_POS) s.nPos = info.nPos;
    s.nPos = std::clamp(s.nPos, s.nMin, HighestPos(s));
    s.nTrackPos = s.nPos;
    int pos = s.nPos;
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        bool needed = Scrollable(s);
        if (info.fMask & SIF_DISABLENOSCROLL) {
            state.Disabled = !needed;
        } else {
            state.Disabled = false;
            SetBarShown(hwnd, bar, needed);
        }
    }
    if (redraw) RedrawFrame(hwnd);
    return pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info) {
    TWindow* w = FindWindow(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return false;
    const SCROLLINFO& s = ScrollState(*w, bar).Info;
    if (info.fMask & SIF_RANGE) info.nMin = s.nMin, info.nMax = s.nMax;
    if (info.fMask & SIF_PAGE) info.nPage = s.nPage;
    if (info.fMask & SIF_POS) info.nPos = s.nPos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s.nTrackPos;
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info{SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, info, redraw);
    return old;
}

std::optional<int> RequestedScrollPos(WPARAM request, int pos, int line, int page, int last) {
    switch (int(LOWORD(request))) {
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return int(HIWORD(request));
    case SB_TOP: return 0;
    case SB_BOTTOM: return last;
    default: return std::nullopt; // SB_ENDSCROLL
    }
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{SIF_POS};
    return GetScrollInfo(hwnd, bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int min, int max, bool redraw) {
    SCROLLINFO info{SIF_RANGE, min, max, 0, 0, 0};
    return IsWindow(hwnd) && (SetScrollInfo(hwnd, bar, info, redraw), true);
}

bool ShowScrollBar(HWND hwnd, int bar, bool show) {
    if (!IsWindow(hwnd)) return false;
    if (bar == SB_HORZ || bar == SB_BOTH) SetBarShown(hwnd, SB_HORZ, show);
    if (bar == SB_VERT || bar == SB_BOTH) SetBarShown(hwnd, SB_VERT, show);
    return true;
}

bool EnableScrollBar(HWND hwnd, int bar, bool enable) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    if (bar == SB_HORZ || bar == SB_BOTH) w->HScroll.Disabled = !enable;
    if (bar == SB_VERT || bar == SB_BOTH) w->VScroll.Disabled = !enable;
    RedrawFrame(hwnd);
    return true;
}

bool GetScrollBarInfo(HWND hwnd, int objectId, SCROLLBARINFO& info) {
    TWindow* w = FindWindow(hwnd);
    if (!w || (objectId != OBJID_VSCROLL && objectId != OBJID_HSCROLL)) return false;
    int bar = objectId == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    info = SCROLLBARINFO{};
    if (!(w->Style & StyleBit(bar))) {
        info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return true;
    }
    TBarView v = ViewOf(*w, bar, false);
    TRect windowRect = GetWindowRect(hwnd);
    info.rcScrollBar = v.Rect.Offsetted(windowRect.Left, windowRect.Top);
    info.dxyLineButton = v.Thumb.Arrow;
    info.xyThumbTop = v.Thumb.Start;
    info.xyThumbBottom = v.Thumb.End;
    info.rgstate[0] = BarEnabled(*w, bar) ? DWORD(0) : DWORD(STATE_SYSTEM_UNAVAILABLE);
    return true;
}

void TrackScrollBar(HWND hwnd, int bar, TPoint screen) {
    TWindow* w = FindWindow(hwnd);
    if (!w || !BarEnabled(*w, bar)) return;
    UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    TPoint origin = GetWindowRect(hwnd).TopLeft();
    TBarView view = ViewOf(*w, bar, false);
    int part = PartAt(view, screen - origin);
    if (part < 0) return;
    if (part != SB_THUMBTRACK) {
        SendMessage(hwnd, msg, WPARAM(part), 0);
        // Held down, the code repeats while the pointer stays on the same part (a page press stops when the
        // thumb reaches the pointer).
        TPoint pointer = screen;
        uintptr_t timer = 0;
        TTimerProc tick = [&](HWND, UINT, uintptr_t, DWORD) {
            SetTimer(nullptr, timer, RepeatInterval, tick);
            TWindow* cur = FindWindow(hwnd);
            if (cur && BarEnabled(*cur, bar) && PartAt(ViewOf(*cur, bar, false), pointer - origin) == part)
                SendMessage(hwnd, msg, WPARAM(part), 0);
        };
        timer = SetTimer(nullptr, 0, RepeatDelay, tick);
        TrackMouse(hwnd, [&](TPoint p) { pointer = p; });
        KillTimer(nullptr, timer);
        SendMessage(hwnd, msg, SB_ENDSCROLL, 0);
        return;
    }
    // Dragging the thumb: the position follows the pointer's distance from where the press took it.
    int grab = view.Vertical ? screen.Y : screen.X;
    int startPos = ScrollState(*w, bar).Info.nPos;
    auto follow = [&](TPoint p) {
        TWindow* cur = FindWindow(hwnd);
        if (!cur) return;
        SCROLLINFO& s = ScrollState(*cur, bar).Info;
        TThumb t = ViewOf(*cur, bar, false).Thumb;
        int pixels = t.Track - (t.End - t.Start);
        int delta = (view.Vertical ? p.Y : p.X) - grab;
        int pos = std::clamp(startPos + MulDiv(delta, HighestPos(s) - s.nMin, pixels), s.nMin, HighestPos(s));
        if (pos == s.nTrackPos) return;
        s.nTrackPos = pos;
        RedrawFrame(hwnd);
        SendMessage(hwnd, msg, MAKEWPARAM(SB_THUMBTRACK, unsigned(pos)), 0);
    };
    bool released = TrackMouse(hwnd, follow);
    TWindow* cur = FindWindow(hwnd);
    if (!cur) return;
    SCROLLINFO& s = ScrollState(*cur, bar).Info;
    int finalPos = released ? s.nTrackPos : startPos;
    SendMessage(hwnd, msg, MAKEWPARAM(SB_THUMBPOSITION, unsigned(finalPos)), 0);
    SendMessage(hwnd, msg, SB_ENDSCROLL, 0);
    if ((cur = FindWindow(hwnd))) {
        ScrollState(*cur, bar).Info.nTrackPos = ScrollState(*cur, bar).Info.nPos;
        RedrawFrame(hwnd);
    }
}
