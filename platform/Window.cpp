#include "platform/Window.h"

#include "platform/Exception.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <cassert>

namespace {

TWindowSystem GWindowSystem;

bool IsTopMost(HWND h) {
    TWindow* w = FindWindow(h);
    return w && (w->ExStyle & WS_EX_TOPMOST);
}

// Puts a window into a z-order list: at the top of its band (topmost windows above the others) or at the
// bottom.
void PlaceInZOrder(std::vector<HWND>& list, HWND hwnd, HWND insertAfter) {
    std::erase(list, hwnd);
    if (insertAfter == HWND_BOTTOM) {
        list.insert(list.begin(), hwnd);
        return;
    }
    if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        if (it != list.end()) {
            list.insert(it, hwnd); // insertAfter stays above
            return;
        }
    }
    if (IsTopMost(hwnd)) {
        list.push_back(hwnd);
        return;
    }
    auto firstTopMost = std::find_if(list.begin(), list.end(), IsTopMost);
    list.insert(firstTopMost, hwnd);
}

// Owned top-level windows (popups, message boxes) stay above their owner, in their own order.
void KeepOwnedAbove(HWND owner) {
    auto& tops = WS().TopLevels;
    std::vector<HWND> owned;
    for (HWND h : tops)
        if (TWindow* w = FindWindow(h); w && w->Owner == owner && !IsTopMost(h)) owned.push_back(h);
    if (owned.empty()) return;
    for (HWND h : owned)
        std::erase(tops, h);
    auto at = std::find(tops.begin(), tops.end(), owner);
    if (at == tops.end()) return;
    tops.insert(at + 1, owned.begin(), owned.end());
    for (HWND h : owned) {
        if (TWindow* w = FindWindow(h); w->Surface && (w->Style & WS_VISIBLE)) w->Surface->Raise();
        KeepOwnedAbove(h);
    }
}

std::vector<HWND>& SiblingList(TWindow& w) {
    if (TWindow* p = FindWindow(w.Parent)) return p->Children;
    return WS().TopLevels;
}

void PlaceWindow(TWindow& w, HWND insertAfter) {
    if (insertAfter == HWND_TOPMOST) w.ExStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w.ExStyle &= ~WS_EX_TOPMOST;
    PlaceInZOrder(SiblingList(w), w.Handle, insertAfter);
    WindowTreeChanged();
    if (!w.IsChild()) KeepOwnedAbove(w.Handle);
}

// The window system draws every frame and caption itself, in the classic look, so the desktop adds none.
TSurfaceKind SurfaceKindOf(DWORD style, DWORD exStyle) {
    if ((style & WS_POPUP) && (exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW))) return TSurfaceKind::Popup;
    return TSurfaceKind::Borderless;
}

void InvalidateWhole(TWindow& w) {
    InvalidateWindowRegion(w, TRegion(w.SizeRect()), true, true, true);
}

// The part of the parent that a child covered, made to repaint (after a move, resize or hide).
void InvalidateUncovered(TWindow& w, const TRect& oldRect) {
    TWindow* parent = FindWindow(w.Parent);
    if (!parent || !(w.Style & WS_VISIBLE)) return;
    TRegion area(oldRect.Offsetted(parent->Client.Left, parent->Client.Top));
    InvalidateWindowRegion(*parent, area, true, false, true);
}

} // namespace

void SendSizeMessages(TWindow& w) {
    HWND h = w.Handle;
    TPoint origin = w.Rect.TopLeft() + w.Client.TopLeft();
    SendMessage(h, WM_MOVE, 0, PointToLParam(origin));
    TWindow* again = FindWindow(h);
    if (!again) return;
    WPARAM kind = (again->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                  : (again->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
    SendMessage(h, WM_SIZE, kind, MAKELPARAM(again->Client.Width(), again->Client.Height()));
}

namespace {

// A top-level window has its back buffer from its first show (or its creation as a visible window) on: until
// then drawing on it reaches nothing, as on the desktop. `make` gives one to a window that has none.
void SizeBackBuffer(TWindow& w, bool make) {
    if (!w.Surface || (w.BackBuffer.IsEmpty() && !make)) return;
    w.BackBuffer.SetSize(std::max(1, w.Rect.Width()), std::max(1, w.Rect.Height()));
    WindowTreeChanged();
}

void SyncTopLevelSurface(TWindow& w, bool sizeChanged) {
    if (w.IsChild() || !w.Surface) return;
    w.Surface->SetBounds(w.Rect);
    if (sizeChanged) {
        SizeBackBuffer(w, false);
        if (w.Region) w.Surface->SetShape(w.Region);
    }
}

void DestroyTree(HWND hwnd);

void DestroyOwned(HWND owner) {
    std::vector<HWND> owned;
    for (HWND h : WS().TopLevels)
        if (TWindow* w = FindWindow(h); w && w->Owner == owner) owned.push_back(h);
    for (HWND h : owned)
        DestroyTree(h);
}

void DestroyTree(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    if (!w || w->Destroying) return;
    w->Destroying = true;
    DestroyOwned(hwnd);
    if ((w = FindWindow(hwnd)) && (w->Style & WS_VISIBLE)) {
        TRect rect = w->Rect;
        InvalidateUncovered(*w, rect);
        if (w->Surface) w->Surface->Hide();
    }
    ForgetInputWindow(hwnd);
    SendMessage(hwnd, WM_DESTROY);
    if (!(w = FindWindow(hwnd))) return;
    std::vector<HWND> children = w->Children;
    for (HWND c : children)
        DestroyTree(c);
    SendMessage(hwnd, WM_NCDESTROY);
    if (!(w = FindWindow(hwnd))) return;
    std::erase(SiblingList(*w), hwnd);
    WindowTreeChanged();
    std::erase_if(WS().Timers, [&](const TTimerEntry& t) { return t.Hwnd == hwnd; });
    std::erase_if(WS().Posted, [&](const MSG& m) { return m.hwnd == hwnd; });
    std::erase_if(WS().Input, [&](const MSG& m) { return m.hwnd == hwnd; });
    ForgetInputWindow(hwnd);
    WS().Windows.erase(hwnd);
}

} // namespace

TWindowSystem& WS() {
    return GWindowSystem;
}

TWindow* FindWindow(HWND hwnd) {
    auto& windows = WS().Windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

TWindow& TopLevelOf(TWindow& w) {
    TWindow* cur = &w;
    while (cur->IsChild()) {
        TWindow* p = FindWindow(cur->Parent);
        if (!p) break;
        cur = p;
    }
    return *cur;
}

TPoint OffsetInTopLevel(const TWindow& w) {
    TPoint offset;
    const TWindow* cur = &w;
    while (cur->IsChild()) {
        const TWindow* p = FindWindow(cur->Parent);
        if (!p) break;
        offset = offset + cur->Rect.TopLeft() + p->Client.TopLeft();
        cur = p;
    }
    return offset;
}

void WindowTreeChanged() {
    ++WS().TreeGeneration;
}

namespace {

TRegion ComputeVisibleRegion(const TWindow& w, bool clipChildren) {
    // A hidden child shows nothing; a hidden top-level window that has shown before still paints into its
    // back buffer.
    if (w.IsChild() && !(w.Style & WS_VISIBLE)) return {};
    TRegion visible(w.SizeRect());
    if (w.Region) visible &= *w.Region;
    if (clipChildren) {
        for (HWND c : w.Children) {
            const TWindow* child = FindWindow(c);
            if (!child || !(child->Style & WS_VISIBLE)) continue;
            TRegion area(child->Rect.Offsetted(w.Client.Left, w.Client.Top));
            if (child->Region) {
                TRegion shaped = *child->Region;
                shaped.Offset(child->Rect.Left + w.Client.Left, child->Rect.Top + w.Client.Top);
                area &= shaped;
            }
            visible -= area;
        }
    }
    // Walk up: each ancestor's client area (and region) limits what shows, and siblings above may cover.
    const TWindow* cur = &w;
    TPoint offset; // the window's origin in the coordinates of the parent reached
    while (cur->IsChild()) {
        const TWindow* parent = FindWindow(cur->Parent);
        if (!parent) break;
        offset = offset + cur->Rect.TopLeft() + parent->Client.TopLeft();
        if (parent->IsChild() && !(parent->Style & WS_VISIBLE)) return {};
        TRegion limit(parent->Client);
        if (parent->Region) limit &= *parent->Region;
        limit.Offset(-offset.X, -offset.Y);
        visible &= limit;
        if (cur->Style & WS_CLIPSIBLINGS) {
            auto& sibs = parent->Children;
            auto it = std::find(sibs.begin(), sibs.end(), cur->Handle);
            for (auto above = it == sibs.end() ? it : it + 1; above != sibs.end(); ++above) {
                const TWindow* s = FindWindow(*above);
                if (!s || !(s->Style & WS_VISIBLE)) continue;
                TRegion area(
                    s->Rect.Offsetted(parent->Client.Left - offset.X, parent->Client.Top - offset.Y));
                visible -= area;
            }
        }
        cur = parent;
    }
    // A top-level window that has not shown yet has no back buffer to draw on.
    if (!cur->IsChild() && cur->BackBuffer.IsEmpty()) return {};
    return visible;
}

} // namespace

// Every DC asks for this, some thirty a click: the walk and its region arithmetic are kept until the tree
// changes.
TRegion VisibleRegion(const TWindow& w, bool clipChildren) {
    TWindow::TVisibleCache& cache = w.Visible[clipChildren ? 1 : 0];
    if (cache.Generation == WS().TreeGeneration) {
        assert(cache.Region == ComputeVisibleRegion(w, clipChildren) && "a change missed WindowTreeChanged");
        return cache.Region;
    }
    cache.Region = ComputeVisibleRegion(w, clipChildren);
    cache.Generation = WS().TreeGeneration;
    return cache.Region;
}

bool RegisterClass(const WNDCLASS& wc) {
    if (wc.Name.empty()) return false;
    WS().Classes[wc.Name] = std::make_shared<const WNDCLASS>(wc);
    return true;
}

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, void* createParams) {
    auto cls = WS().Classes.find(className);
    if (cls == WS().Classes.end())
        throw EInvalidOperation("Cannot create a window of the unregistered class \"" + className + "\"");
    if ((style & WS_CHILD) && !FindWindow(parent))
        throw EInvalidOperation("A child window of class \"" + className + "\" needs a parent window");
    auto w = std::make_unique<TWindow>();
    HWND h = reinterpret_cast<HWND>(WS().NextHandle++);
    w->Handle = h;
    w->Class = cls->second;
    w->Proc = cls->second->WndProc ? cls->second->WndProc : TWndProc(DefWindowProc);
    w->Style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE); // showing sets them
    w->ExStyle = exStyle;
    w->Text = windowName;
    w->Rect = Bounds(x, y, std::max(0, width), std::max(0, height));
    w->RestoreRect = w->Rect;
    if (style & WS_CHILD)
        w->Parent = parent;
    else
        w->Owner = parent ? GetAncestorRoot(parent) : nullptr;
    TWindow& ref = *w;
    WS().Windows.emplace(h, std::move(w));
    PlaceWindow(ref, HWND_TOP);
    if (!ref.IsChild()) {
        ref.Surface = Host().CreateSurface(SurfaceKindOf(style, exStyle), ref.Rect);
        ref.Surface->SetTitle(windowName);
        if (style & WS_VISIBLE) SizeBackBuffer(ref, true);
    }
    CREATESTRUCT cs{createParams, parent, ref.Rect, style, exStyle, className, windowName};
    ref.Client = NonClientLayout(style, exStyle, ref.Rect.Size()).Client;
    WindowTreeChanged();
    if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyTree(h);
        return nullptr;
    }
    if (TWindow* again = FindWindow(h)) RecalcClient(*again);
    if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyTree(h);
        return nullptr;
    }
    TWindow* created = FindWindow(h);
    if (!created) return nullptr;
    SendSizeMessages(*created);
    if (style & WS_VISIBLE) ShowWindow(h, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return IsWindow(h) ? h : nullptr;
}

bool DestroyWindow(HWND hwnd) {
    if (!FindWindow(hwnd)) return false;
    DestroyTree(hwnd);
    return true;
}

bool IsWindow(HWND hwnd) {
    return FindWindow(hwnd) != nullptr;
}

TWndProc GetWindowProc(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Proc : TWndProc();
}

TWndProc SetWindowProc(HWND hwnd, TWndProc proc) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return {};
    TWndProc previous = std::move(w->Proc);
    w->Proc = proc ? std::move(proc) : TWndProc(DefWindowProc);
    return previous;
}

LRESULT CallWindowProc(const TWndProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

DWORD GetWindowStyle(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Style : 0;
}

DWORD GetWindowExStyle(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->ExStyle : 0;
}

namespace {

void FrameChanged(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void SetWindowStyle(HWND hwnd, DWORD style) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return;
    // Visibility, disabled state and the child bit change only through their own calls.
    constexpr DWORD kept = WS_VISIBLE | WS_DISABLED | WS_CHILD | WS_MINIMIZE | WS_MAXIMIZE;
    style = (style & ~kept) | (w->Style & kept);
    if (style == w->Style) return;
    w->Style = style;
    WindowTreeChanged();
    FrameChanged(hwnd);
}

void SetWindowExStyle(HWND hwnd, DWORD exStyle) {
    TWindow* w = FindWindow(hwnd);
    if (!w || w->ExStyle == exStyle) return;
    bool topMostChanged = (w->ExStyle ^ exStyle) & WS_EX_TOPMOST;
    w->ExStyle = exStyle;
    if (topMostChanged) PlaceWindow(*w, HWND_TOP);
    FrameChanged(hwnd);
}

std::string GetWindowText(HWND hwnd) {
    if (!IsWindow(hwnd)) return {};
    std::string text(size_t(std::max<LRESULT>(0, SendMessage(hwnd, WM_GETTEXTLENGTH))) + 1, '\0');
    LRESULT copied = SendMessage(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(std::clamp<LRESULT>(copied, 0, LRESULT(text.size()) - 1)));
    return text;
}

bool SetWindowText(HWND hwnd, const std::string& utf8) {
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(utf8.c_str())) != 0;
}

void StoreWindowText(TWindow& w, const std::string& utf8) {
    w.Text = utf8;
    if (w.Surface) w.Surface->SetTitle(utf8);
    if ((w.Style & WS_CAPTION) == WS_CAPTION)
        RedrawWindow(w.Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

LRESULT CopyWindowText(const TWindow& w, size_t bufferSize, char* buffer) {
    if (!buffer || bufferSize == 0) return 0;
    size_t n = std::min(w.Text.size(), bufferSize - 1);
    while (n > 0 && n < w.Text.size() && (uint8_t(w.Text[n]) & 0xC0) == 0x80)
        --n; // whole characters only
    std::copy_n(w.Text.data(), n, buffer);
    buffer[n] = '\0';
    return LRESULT(n);
}

std::string GetClassName(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Class->Name : std::string();
}

void* GetWindowUserData(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->UserData : nullptr;
}

void SetWindowUserData(HWND hwnd, void* data) {
    if (TWindow* w = FindWindow(hwnd)) w->UserData = data;
}

HWND GetParent(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return nullptr;
    return w->IsChild() ? w->Parent : w->Owner;
}

HWND GetAncestorRoot(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? TopLevelOf(*w).Handle : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    TWindow* w = FindWindow(hwnd);
    TWindow* np = FindWindow(newParent);
    if (!w || !w->IsChild() || !np || hwnd == newParent || IsChild(hwnd, newParent)) return nullptr;
    HWND old = w->Parent;
    InvalidateUncovered(*w, w->Rect);
    std::erase(SiblingList(*w), hwnd);
    w->Parent = newParent;
    PlaceInZOrder(np->Children, hwnd, HWND_TOP);
    WindowTreeChanged();
    InvalidateWhole(*w);
    return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_OWNER) return w->Owner;
    if (cmd == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.back();
    // The platform lists siblings from the top of the z-order down.
    auto& list = SiblingList(*w);
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST:
        return list.back();
    case GW_HWNDLAST:
        return list.front();
    case GW_HWNDNEXT:
        return it == list.begin() ? nullptr : *(it - 1);
    case GW_HWNDPREV:
        return it + 1 == list.end() ? nullptr : *(it + 1);
    default:
        return nullptr;
    }
}

std::vector<HWND> GetChildren(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Children : std::vector<HWND>();
}

std::vector<HWND> GetTopLevelWindows() {
    return WS().TopLevels;
}

bool IsChild(HWND parent, HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    while (w && w->IsChild()) {
        if (w->Parent == parent) return true;
        w = FindWindow(w->Parent);
    }
    return false;
}

HWND GetDesktopWindow() {
    return nullptr;
}

TRect GetWindowRect(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return {};
    TWindow& top = TopLevelOf(*w);
    TPoint offset = OffsetInTopLevel(*w);
    return w->SizeRect().Offsetted(top.Rect.Left + offset.X, top.Rect.Top + offset.Y);
}

TRect GetClientRect(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? TRect{0, 0, w->Client.Width(), w->Client.Height()} : TRect{};
}

TPoint ClientToScreen(HWND hwnd, TPoint p) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return p;
    TRect r = GetWindowRect(hwnd);
    return p + r.TopLeft() + w->Client.TopLeft();
}

TPoint ScreenToClient(HWND hwnd, TPoint p) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return p;
    TRect r = GetWindowRect(hwnd);
    return p - r.TopLeft() - w->Client.TopLeft();
}

TPoint MapWindowPoint(HWND from, HWND to, TPoint p) {
    TPoint screen = from ? ClientToScreen(from, p) : p;
    return to ? ScreenToClient(to, screen) : screen;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : UINT(SWP_NOREDRAW)));
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    WINDOWPOS pos{hwnd, insertAfter, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) pos.x = w->Rect.Left, pos.y = w->Rect.Top;
    if (flags & SWP_NOSIZE) pos.cx = w->Rect.Width(), pos.cy = w->Rect.Height();
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = FindWindow(hwnd))) return false;
    TRect oldRect = w->Rect;
    TRect newRect = Bounds(pos.x, pos.y, std::max(0, pos.cx), std::max(0, pos.cy));
    bool moved = newRect.TopLeft() != oldRect.TopLeft();
    bool sized = newRect.Size() != oldRect.Size();
    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        if (!(flags & SWP_NOREDRAW)) InvalidateUncovered(*w, oldRect);
        w->Rect = newRect;
        WindowTreeChanged();
        if (sized || (flags & SWP_FRAMECHANGED)) RecalcClient(*w);
        if (!(w = FindWindow(hwnd))) return false;
        SyncTopLevelSurface(*w, sized);
        if (!(flags & SWP_NOREDRAW) && (sized || w->IsChild() || (flags & SWP_FRAMECHANGED)))
            InvalidateWhole(*w);
    }
    if (!(flags & SWP_NOZORDER)) {
        if (w->Surface && (w->Style & WS_VISIBLE) && pos.hwndInsertAfter != HWND_BOTTOM) w->Surface->Raise();
        PlaceWindow(*w, pos.hwndInsertAfter);
        if (w->IsChild()) InvalidateWhole(*w);
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (!FindWindow(hwnd)) return false;
    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        pos.x = newRect.Left, pos.y = newRect.Top, pos.cx = newRect.Width(), pos.cy = newRect.Height();
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    return IsWindow(hwnd);
}

namespace {

void SetVisible(HWND hwnd, bool visible, bool activate) {
    TWindow* w = FindWindow(hwnd);
    if (!w || bool(w->Style & WS_VISIBLE) == visible) return;
    if (visible) SizeBackBuffer(*w, true);
    SendMessage(hwnd, WM_SHOWWINDOW, visible, 0);
    if (!(w = FindWindow(hwnd))) return;
    if (visible) {
        w->Style |= WS_VISIBLE;
        WindowTreeChanged();
        InvalidateWhole(*w);
        if (w->Surface) {
            if (w->Region) w->Surface->SetShape(w->Region);
            w->Surface->Show(activate);
        }
        if (activate && !w->IsChild() && !(w->ExStyle & WS_EX_NOACTIVATE)) ActivateWindow(hwnd, WA_ACTIVE);
    } else {
        InvalidateUncovered(*w, w->Rect);
        w->Style &= ~WS_VISIBLE;
        WindowTreeChanged();
        if (w->Surface) w->Surface->Hide();
        ForgetInputWindow(hwnd);
    }
}

TRect MaximizedRect() {
    return Host().WorkArea();
}

void SetState(HWND hwnd, DWORD state) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return;
    DWORD old = w->Style & (WS_MINIMIZE | WS_MAXIMIZE);
    if (old == state) return;
    if (!old) w->RestoreRect = w->Rect;
    w->Style = (w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
    WindowTreeChanged();
    if ((old & WS_MINIMIZE) && w->Surface && (w->Style & WS_VISIBLE)) w->Surface->Show(false);
    TRect target =
        state == WS_MAXIMIZE ? (w->IsChild() ? GetClientRect(w->Parent) : MaximizedRect()) : w->RestoreRect;
    if (state == WS_MINIMIZE) {
        if (w->Surface) w->Surface->Minimize();
        SendSizeMessages(*w);
        return;
    }
    SetWindowPos(hwnd, nullptr, target.Left, target.Top, target.Width(), target.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if ((w = FindWindow(hwnd)) && w->Rect.Size() == target.Size()) SendSizeMessages(*w);
}

} // namespace

bool ShowWindow(HWND hwnd, int cmd) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    bool wasVisible = w->Style & WS_VISIBLE;
    switch (cmd) {
    case SW_HIDE:
        SetVisible(hwnd, false, false);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        SetState(hwnd, WS_MINIMIZE);
        SetVisible(hwnd, true, false);
        break;
    case SW_SHOWMAXIMIZED:
        SetState(hwnd, WS_MAXIMIZE);
        SetVisible(hwnd, true, true);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        SetState(hwnd, 0);
        SetVisible(hwnd, true, true);
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        SetVisible(hwnd, true, false);
        break;
    default:
        SetVisible(hwnd, true, true);
        break;
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    while (w) {
        if (!(w->Style & WS_VISIBLE)) return false;
        if (!w->IsChild()) return true;
        w = FindWindow(w->Parent);
    }
    return false;
}

bool IsWindowEnabled(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w && !(w->Style & WS_DISABLED);
}

bool EnableWindow(HWND hwnd, bool enable) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return false;
    bool wasDisabled = w->Style & WS_DISABLED;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable)
        w->Style &= ~WS_DISABLED;
    else {
        w->Style |= WS_DISABLED;
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus())) SetFocus(nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable, 0);
    if ((w = FindWindow(hwnd)) && (w->Style & (WS_HSCROLL | WS_VSCROLL)))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return wasDisabled;
}

bool IsIconic(HWND hwnd) {
    return GetWindowStyle(hwnd) & WS_MINIMIZE;
}
bool IsZoomed(HWND hwnd) {
    return GetWindowStyle(hwnd) & WS_MAXIMIZE;
}

bool BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetWindowRgn(HWND hwnd, std::optional<TRegion> region, bool redraw) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return;
    if (redraw) InvalidateUncovered(*w, w->Rect);
    w->Region = std::move(region);
    WindowTreeChanged();
    if (w->Surface) w->Surface->SetShape(w->Region);
    if (redraw) InvalidateWhole(*w);
}

std::optional<TRegion> GetWindowRgn(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Region : std::nullopt;
}

namespace {

// The deepest visible window under a point, asking each candidate's WM_NCHITTEST; HTTRANSPARENT passes the
// point on to what lies below.
HWND HitTestIn(const std::vector<HWND>& list, TPoint screen, int* hitCode) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        TWindow* w = FindWindow(*it);
        if (!w || !(w->Style & WS_VISIBLE) || (w->Style & WS_MINIMIZE)) continue;
        if (w->IsChild() && (w->Style & WS_DISABLED)) continue; // its parent answers for it
        TRect r = GetWindowRect(*it);
        if (!r.Contains(screen)) continue;
        TPoint local = screen - r.TopLeft();
        if (w->Region && !w->Region->Contains(local)) continue;
        if (!(w->Style & WS_DISABLED) && w->Client.Contains(local)) {
            std::vector<HWND> children = w->Children;
            if (HWND child = HitTestIn(children, screen, hitCode)) return child;
        }
        HWND h = *it;
        int code =
            (w->Style & WS_DISABLED) ? HTERROR : int(SendMessage(h, WM_NCHITTEST, 0, PointToLParam(screen)));
        if (code == HTTRANSPARENT) continue;
        if (hitCode) *hitCode = code;
        return h;
    }
    return nullptr;
}

} // namespace

HWND WindowFromPoint(TPoint screen) {
    return HitTestIn(std::vector<HWND>(WS().TopLevels), screen, nullptr);
}

HWND WindowHitTest(TPoint screen, int& hitCode) {
    hitCode = HTNOWHERE;
    return HitTestIn(std::vector<HWND>(WS().TopLevels), screen, &hitCode);
}

HWND ChildWindowFromPoint(HWND parent, TPoint client) {
    TWindow* w = FindWindow(parent);
    if (!w) return nullptr;
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
        if (TWindow* c = FindWindow(*it); c && c->Rect.Contains(client)) return *it;
    return parent;
}

void SetWindowIcon(HWND hwnd, const TSurface& icon) {
    if (TWindow* w = FindWindow(hwnd); w && w->Surface) w->Surface->SetIcon(icon);
}

THostSurface* GetHostSurface(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Surface.get() : nullptr;
}

void RecalcClient(TWindow& w) {
    HWND h = w.Handle;
    NCCALCSIZE_PARAMS params;
    params.Rgrc[0] = w.Rect;
    SendMessage(h, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&params));
    TWindow* again = FindWindow(h);
    if (!again) return;
    TRect client = params.Rgrc[0].Offsetted(-again->Rect.Left, -again->Rect.Top);
    again->Client = Intersection(client, again->SizeRect());
    if (again->Client.IsEmpty()) again->Client = TRect{client.Left, client.Top, client.Left, client.Top};
    WindowTreeChanged();
    // What was left to paint of a larger client area must not reach into the frame or scroll bars now there.
    again->Update &= TRegion(again->Client);
    if (again->Update.IsEmpty()) again->NeedErase = false;
}
