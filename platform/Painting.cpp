#include "platform/Painting.h"

#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/ScreenLayer.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct TDCRecord {
    HWND Hwnd = nullptr;
    std::unique_ptr<TDC> DC;
    std::unique_ptr<TSurface> Screen; // a screen DC draws on a picture of the screen
    TSurface ScreenBefore;
    TRect Dirty; // top-level coordinates; for a screen DC, the part of the screen it covers
};

std::unordered_map<HDC, TDCRecord>& DCs() {
    static std::unordered_map<HDC, TDCRecord> dcs;
    return dcs;
}

// A DC on a window's top-level back buffer; `area` (window coordinates) limits it further.
HDC MakeWindowDC(TWindow& w, TPoint originInWindow, const TRegion& area) {
    TWindow& top = TopLevelOf(w);
    TPoint offset = OffsetInTopLevel(w);
    TRegion clip = VisibleRegion(w, w.Style & WS_CLIPCHILDREN);
    clip &= area;
    clip.Offset(offset.X, offset.Y);
    auto dc = std::make_unique<TDC>(top.BackBuffer, offset + originInWindow, clip);
    HDC handle = dc.get();
    DCs()[handle] = TDCRecord{w.Handle, std::move(dc), nullptr, {}, clip.Bounds()};
    return handle;
}

bool ShowsOnScreen(const TWindow& w) {
    return (w.Style & WS_VISIBLE) && !(w.Style & WS_MINIMIZE);
}

// The part of the screen that windows cover: drawing elsewhere on the screen DC shows nowhere.
TRect CoveredScreenArea() {
    TRect area;
    for (HWND h : WS().TopLevels)
        if (TWindow* w = FindWindow(h); w && ShowsOnScreen(*w)) area = UnionRect(area, w->Rect);
    area = Intersection(area, Host().ScreenRect());
    return area.IsEmpty() ? Bounds(0, 0, 1, 1) : area;
}

// The windows' back buffers composed over `area` of the screen.
TSurface ComposeScreen(const TRect& area) {
    TSurface screen(area.Width(), area.Height(), 0);
    for (HWND h : WS().TopLevels)
        if (TWindow* w = FindWindow(h); w && ShowsOnScreen(*w))
            DrawScreenLayer(screen, w->BackBuffer, w->Rect.TopLeft() - area.TopLeft(), w->Region);
    return screen;
}

// The topmost window showing at screen point `p`.
TWindow* TopLevelShowingAt(TPoint p) {
    auto& tops = WS().TopLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWindow* w = FindWindow(*it);
        if (!w || !ShowsOnScreen(*w) || !w->Rect.Contains(p)) continue;
        if (w->Region && !w->Region->Contains(p - w->Rect.TopLeft())) continue;
        return w;
    }
    return nullptr;
}

// Pixels drawn on the screen DC go to the back buffer of the topmost window showing there.
void WriteBackScreen(const TRect& area, const TSurface& before, const TSurface& after) {
    std::unordered_map<TWindow*, TRect> changed; // one rectangle each, not one per pixel
    for (int y = 0; y < after.Height(); ++y) {
        for (int x = 0; x < after.Width(); ++x) {
            if (before.Row(y)[x] == after.Row(y)[x]) continue;
            TPoint p{x + area.Left, y + area.Top};
            TWindow* w = TopLevelShowingAt(p);
            if (!w) continue;
            TPoint local = p - w->Rect.TopLeft();
            w->BackBuffer.SetPixel(local.X, local.Y, after.Row(y)[x]);
            changed[w] = UnionRect(changed[w], Bounds(local.X, local.Y, 1, 1));
        }
    }
    for (auto& [w, rect] : changed) MarkDirty(*w, rect);
}

} // namespace

void InvalidateWindowRegion(TWindow& w, const TRegion& windowRegion, bool erase, bool frame,
                            bool allChildren) {
    // A part already waiting to be painted, as it asks, changes nothing (a control told of a new text invalidates
    // itself several times over).
    if (w.Children.empty() && (w.NeedErase || !erase) && w.Update.Rects().size() == 1 &&
        Encloses(w.Update.Bounds(), windowRegion.Bounds()))
        return;
    TRegion area = windowRegion;
    area &= TRegion(w.SizeRect());
    if (area.IsEmpty()) return;
    TRegion client = area;
    client &= TRegion(w.Client);
    if (!client.IsEmpty()) {
        w.Update |= client;
        w.NeedErase = w.NeedErase || erase;
        ++WS().Invalidations;
    }
    if (frame && !(TRegion::Combine(area, TRegion(w.Client), TRegion::TCombine::Diff).IsEmpty())) {
        w.NeedNcPaint = true;
        ++WS().Invalidations;
    }
    if (!allChildren && (w.Style & WS_CLIPCHILDREN)) return;
    for (HWND c : w.Children) {
        TWindow* child = FindWindow(c);
        if (!child || !(child->Style & WS_VISIBLE)) continue;
        // Most children lie outside a small invalid part: they are passed by without copying it.
        if (!client.Intersects(child->Rect.Offsetted(w.Client.Left, w.Client.Top))) continue;
        TRegion part = client;
        part.Offset(-(child->Rect.Left + w.Client.Left), -(child->Rect.Top + w.Client.Top));
        InvalidateWindowRegion(*child, part, true, true, allChildren);
    }
}

void MarkDirty(TWindow& topLevel, const TRect& rect) {
    // Joined once, when presented; until then a short list. A part drawn again (a frame after both the erase
    // and the paint) is found among the last few, and overlaps left in the list cost nothing when joined.
    constexpr size_t MaxDirtyRects = 256, Recent = 16;
    std::vector<TRect>& dirty = topLevel.Dirty;
    if (rect.IsEmpty()) return;
    const auto recent = dirty.end() - ptrdiff_t(std::min(dirty.size(), Recent));
    if (std::any_of(recent, dirty.end(), [&](const TRect& r) { return Encloses(r, rect); })) return;
    dirty.erase(std::remove_if(recent, dirty.end(), [&](const TRect& r) { return Encloses(rect, r); }), dirty.end());
    if (dirty.size() < MaxDirtyRects) {
        dirty.push_back(rect);
        return;
    }
    TRect all = rect;
    for (const TRect& r : dirty) all = UnionRect(all, r);
    dirty.assign(1, all);
}

bool InvalidateRgn(HWND hwnd, const TRegion* clientRegion, bool erase) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    TRegion area = clientRegion ? *clientRegion : TRegion(TRect{0, 0, w->Client.Width(), w->Client.Height()});
    area.Offset(w->Client.Left, w->Client.Top);
    area &= TRegion(w->Client);
    InvalidateWindowRegion(*w, area, erase, false, false);
    return true;
}

bool InvalidateRect(HWND hwnd, const TRect* clientRect, bool erase) {
    if (!clientRect) return InvalidateRgn(hwnd, nullptr, erase);
    TRegion area(*clientRect);
    return InvalidateRgn(hwnd, &area, erase);
}

bool ValidateRect(HWND hwnd, const TRect* clientRect) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    if (!clientRect) {
        w->Update = TRegion();
        w->NeedErase = false;
        return true;
    }
    w->Update -= TRegion(clientRect->Offsetted(w->Client.Left, w->Client.Top));
    if (w->Update.IsEmpty()) w->NeedErase = false;
    return true;
}

bool GetUpdateRect(HWND hwnd, TRect* clientRect, bool erase) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    TRect bounds = w->Update.Bounds().Offsetted(-w->Client.Left, -w->Client.Top);
    if (w->Update.IsEmpty()) bounds = {};
    if (clientRect) *clientRect = bounds;
    if (erase && w->NeedErase && !w->Update.IsEmpty()) {
        TWindowDC dc(hwnd);
        w->NeedErase = !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    }
    return !bounds.IsEmpty();
}

bool UpdateWindow(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    if (IsWindowVisible(hwnd) && (!w->Update.IsEmpty() || w->NeedNcPaint)) {
        MSG msg{hwnd, WM_PAINT, 0, 0, GetTickCount(), GetCursorPos()};
        DispatchMessage(msg);
    }
    // The screen gets the picture when the loop is about to wait: one whole frame per burst of painting.
    return true;
}

bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    TRegion area;
    if (region) {
        area = *region;
        area.Offset(w->Client.Left, w->Client.Top);
    } else if (rect) {
        area = TRegion(rect->Offsetted(w->Client.Left, w->Client.Top));
    } else {
        area = TRegion(w->SizeRect());
    }
    if (flags & RDW_INVALIDATE) {
        InvalidateWindowRegion(*w, area, flags & RDW_ERASE, flags & RDW_FRAME, flags & RDW_ALLCHILDREN);
    } else if (flags & RDW_VALIDATE) {
        w->Update -= area;
        if (flags & RDW_NOFRAME) w->NeedNcPaint = false;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        UpdateWindow(hwnd);
        if (flags & RDW_ALLCHILDREN)
            for (HWND c : GetChildren(hwnd))
                RedrawWindow(c, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return true;
}

bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect, const TRect* clipRect) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    if (!scrollRect) {
        for (HWND c : GetChildren(hwnd))
            if (TWindow* child = FindWindow(c))
                SetWindowPos(c, nullptr, child->Rect.Left + dx, child->Rect.Top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    TRect area = scrollRect ? *scrollRect : GetClientRect(hwnd);
    if (clipRect) area = Intersection(area, *clipRect);
    return InvalidateRect(hwnd, &area, true);
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps) {
    ps = PAINTSTRUCT{};
    TWindow* w = FindWindow(hwnd);
    if (!w) return nullptr;
    if (w->NeedNcPaint) {
        w->NeedNcPaint = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = FindWindow(hwnd))) return nullptr;
    }
    TRegion update = w->Update;
    bool erase = w->NeedErase;
    w->Update = TRegion();
    w->NeedErase = false;
    HDC dc = MakeWindowDC(*w, w->Client.TopLeft(), update);
    ps.hdc = dc;
    ps.rcPaint = update.IsEmpty() ? TRect{} : update.Bounds().Offsetted(-w->Client.Left, -w->Client.Top);
    ps.fErase = erase && !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps) {
    return ReleaseDC(hwnd, ps.hdc) != 0;
}

HDC GetDC(HWND hwnd) {
    if (!hwnd) return GetWindowDC(nullptr);
    TWindow* w = FindWindow(hwnd);
    return w ? MakeWindowDC(*w, w->Client.TopLeft(), TRegion(w->Client)) : nullptr;
}

HDC GetWindowDC(HWND hwnd) {
    if (!hwnd) {
        TRect area = CoveredScreenArea();
        auto screen = std::make_unique<TSurface>(ComposeScreen(area));
        auto dc = std::make_unique<TDC>(*screen, TPoint{-area.Left, -area.Top});
        HDC handle = dc.get();
        TSurface before = *screen;
        DCs()[handle] = TDCRecord{nullptr, std::move(dc), std::move(screen), std::move(before), area};
        return handle;
    }
    TWindow* w = FindWindow(hwnd);
    return w ? MakeWindowDC(*w, TPoint{}, TRegion(w->SizeRect())) : nullptr;
}

int ReleaseDC(HWND, HDC dc) {
    auto it = DCs().find(dc);
    if (it == DCs().end()) return 0;
    TDCRecord record = std::move(it->second);
    DCs().erase(it);
    if (record.Screen) {
        WriteBackScreen(record.Dirty, record.ScreenBefore, *record.Screen);
    } else if (TWindow* w = FindWindow(record.Hwnd)) {
        // Only what was drawn: a frame painted through a DC of the whole window changes a few pixels of it.
        TWindow& top = TopLevelOf(*w);
        for (const TRect& part : record.DC->Drawn())
            if (const TRect drawn = Intersection(record.Dirty, part); !drawn.IsEmpty()) MarkDirty(top, drawn);
    }
    return 1;
}

HWND WindowFromDC(HDC dc) {
    auto it = DCs().find(dc);
    return it == DCs().end() ? nullptr : it->second.Hwnd;
}

bool PresentWindows() {
    bool presented = false;
    for (HWND h : WS().TopLevels) {
        TWindow* w = FindWindow(h);
        if (!w || w->Dirty.empty() || !w->Surface) continue;
        TRegion dirty = TRegion::Union(w->Dirty);
        w->Dirty.clear();
        dirty &= TRegion(w->SizeRect());
        if (dirty.IsEmpty()) continue;
        w->Surface->Present(w->BackBuffer, dirty);
        presented = true;
    }
    return presented;
}
