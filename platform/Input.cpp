#include "platform/Input.h"

#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Services.h"
#include "platform/Utf8.h"
#include "platform/WindowSystem.h"

#include <cstdlib>

namespace {

MSG InputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, msg, wParam, lParam, DWORD(Host().Now()), WS().CursorPos};
}

void QueueInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WS().Input.push_back(InputMessage(hwnd, msg, wParam, lParam));
}

bool AsyncDown(int vk) {
    return WS().AsyncKeyState[vk] & 0x80;
}

WPARAM MouseKeyFlags() {
    WPARAM flags = 0;
    if (AsyncDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (AsyncDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (AsyncDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (AsyncDown(VK_SHIFT)) flags |= MK_SHIFT;
    if (AsyncDown(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

int ButtonKey(int button) {
    return button == 2 ? VK_RBUTTON : button == 3 ? VK_MBUTTON : VK_LBUTTON;
}

// The client message of a button event; the non-client one is WM_NC... = client - WM_MOUSEMOVE +
// WM_NCMOUSEMOVE.
UINT ButtonMessage(int button, bool down) {
    UINT base = button == 2 ? WM_RBUTTONDOWN : button == 3 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    return down ? base : base + 1;
}
UINT NonClientOf(UINT clientMsg) {
    return clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
}

void UpdateMouseWindow(HWND under) {
    TWindowSystem& ws = WS();
    if (under == ws.MouseWindow) return;
    if (ws.TrackedLeave && ws.TrackedLeave == ws.MouseWindow) {
        HWND left = ws.TrackedLeave;
        ws.TrackedLeave = nullptr;
        QueueInput(left, WM_MOUSELEAVE, 0, 0);
    }
    ws.MouseWindow = under;
}

// Client double-clicks need CS_DBLCLKS; non-client ones (a caption) come to every window.
bool IsDoubleClick(HWND hwnd, UINT msg, TPoint pos, bool client) {
    auto& last = WS().LastClick;
    TWindow* w = FindWindow(hwnd);
    bool wants = w && (!client || (w->Class->Style & CS_DBLCLKS));
    bool dbl = wants && last.Valid && last.Hwnd == hwnd && last.Message == msg &&
               Host().Now() - last.Time <= GetDoubleClickTime() &&
               std::abs(pos.X - last.Pos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(pos.Y - last.Pos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (dbl)
        last.Valid = false; // a third click starts again
    else
        last = {hwnd, msg, Host().Now(), pos, true};
    return dbl;
}

// The window a disabled top-level window waits for: its topmost visible, enabled owned window, at any depth.
HWND EnabledOwnedWindow(HWND owner) {
    auto& tops = WS().TopLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWindow* w = FindWindow(*it);
        if (!w || w->Owner != owner || !IsWindowVisible(*it)) continue;
        if (IsWindowEnabled(*it)) return *it;
        if (HWND deeper = EnabledOwnedWindow(*it)) return deeper;
    }
    return nullptr;
}

bool IsPress(UINT clientMsg) {
    return clientMsg == WM_LBUTTONDOWN || clientMsg == WM_RBUTTONDOWN || clientMsg == WM_MBUTTONDOWN;
}

// Mouse move, press or release at a screen point, routed to the capture window or the window under it.
void RouteMouse(UINT clientMsg, TPoint screen, WPARAM extra) {
    TWindowSystem& ws = WS();
    int code = HTNOWHERE;
    HWND under = WindowHitTest(screen, code);
    UpdateMouseWindow(under);
    HWND target = ws.Capture ? ws.Capture : under;
    if (ws.Capture) code = HTCLIENT;
    if (!target || code == HTERROR || code == HTNOWHERE) {
        if (under && code == HTERROR) {
            SendMessage(under, WM_SETCURSOR, WPARAM(under), MAKELPARAM(HTERROR, clientMsg));
            // A press on a window that a modal box disabled brings the box forward.
            if (IsPress(clientMsg))
                if (HWND modal = EnabledOwnedWindow(GetAncestorRoot(under)))
                    ActivateWindow(modal, WA_CLICKACTIVE);
        }
        return;
    }
    if (!ws.Capture) SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(code, clientMsg));
    if (IsPress(clientMsg)) {
        if (TWindow* w = FindWindow(target)) {
            TWindow& top = TopLevelOf(*w);
            if (ws.Active != top.Handle && !(top.ExStyle & WS_EX_NOACTIVATE))
                ActivateWindow(top.Handle, WA_CLICKACTIVE);
        }
        if (!IsWindow(target)) return;
        if (IsDoubleClick(target, clientMsg, screen, code == HTCLIENT)) clientMsg += 2;
    }
    WPARAM keys = MouseKeyFlags() | extra;
    if (code == HTCLIENT)
        QueueInput(target, clientMsg, keys, PointToLParam(ScreenToClient(target, screen)));
    else
        QueueInput(target, NonClientOf(clientMsg), WPARAM(code), PointToLParam(screen));
}

// The wheel scrolls what the pointer is over, as desktops do, whichever control has the keyboard; a mode that
// follows the mouse keeps it, and off our windows (or over one a modal box disabled) it goes to the focus.
HWND WheelTarget(TPoint screen) {
    TWindowSystem& ws = WS();
    if (ws.Capture) return ws.Capture;
    int code = HTNOWHERE;
    HWND under = WindowHitTest(screen, code);
    if (under && code != HTERROR && code != HTNOWHERE) return under;
    return ws.Focus ? ws.Focus : ws.Active;
}

bool IsExtendedKey(int vk) {
    return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
}

void RouteKey(int vk, bool down, bool repeat) {
    TWindowSystem& ws = WS();
    bool wasDown = AsyncDown(vk);
    if (down)
        ws.AsyncKeyState[vk] |= 0x80;
    else
        ws.AsyncKeyState[vk] &= ~0x80;
    HWND target = ws.Focus ? ws.Focus : ws.Active;
    if (!target) return;
    bool alt = AsyncDown(VK_MENU);
    bool sys = (alt && !AsyncDown(VK_CONTROL)) || vk == VK_F10 || (vk == VK_MENU);
    uint32_t lParam = 1u;
    if (IsExtendedKey(vk)) lParam |= KF_EXTENDED;
    if (alt) lParam |= KF_ALTDOWN;
    if (!down || wasDown || repeat) lParam |= KF_REPEAT;
    if (!down) lParam |= KF_UP;
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    QueueInput(target, msg, WPARAM(vk), LPARAM(int32_t(lParam)));
}

// One WM_CHAR per Unicode character of UTF-8 text.
void RouteText(const std::string& utf8) {
    HWND target = WS().Focus ? WS().Focus : WS().Active;
    if (!target) return;
    for (size_t pos = 0; pos < utf8.size();)
        QueueInput(target, WM_CHAR, WPARAM(DecodeUtf8(utf8, pos)), 1);
}

HWND WindowOfSurface(THostSurface* surface) {
    for (HWND h : WS().TopLevels)
        if (TWindow* w = FindWindow(h); w && w->Surface.get() == surface) return h;
    return nullptr;
}

// After a window went away or hid: the next visible, enabled top-level window, its owner first.
HWND NextActivation(HWND leaving) {
    TWindow* w = FindWindow(leaving);
    if (w && IsWindowVisible(w->Owner) && IsWindowEnabled(w->Owner)) return w->Owner;
    auto& tops = WS().TopLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWindow* t = FindWindow(*it);
        if (*it != leaving && t && !t->Destroying && IsWindowVisible(*it) && IsWindowEnabled(*it) &&
            !(t->ExStyle & WS_EX_NOACTIVATE))
            return *it;
    }
    return nullptr;
}

void RouteButton(int button, bool down, TPoint screen) {
    int vk = ButtonKey(button);
    if (down)
        WS().AsyncKeyState[vk] |= 0x80;
    else
        WS().AsyncKeyState[vk] &= ~0x80;
    RouteMouse(ButtonMessage(button, down), screen, 0);
}

// A release the host lost (taken by another client's grab, or outside every window without a grab) comes
// late, when a move says the button is up: a loop that follows the mouse never outlives its button.
void ReleaseButtonsNotHeld(int buttons, TPoint screen) {
    if (buttons < 0) return;
    for (int button = 1; button <= 3; ++button)
        if (AsyncDown(ButtonKey(button)) && !(buttons & (1 << (button - 1)))) RouteButton(button, false, screen);
}

bool IsSelfOrChild(HWND parent, HWND hwnd) {
    return hwnd && (hwnd == parent || IsChild(parent, hwnd));
}

} // namespace

void HandleHostEvent(const THostEvent& ev) {
    using K = THostEvent::TKind;
    TWindowSystem& ws = WS();
    // Input after a focus-out that no focus-in followed: the focus left the program.
    if (ev.Kind != K::FocusIn && ev.Kind != K::FocusOut && ev.Kind != K::Expose) SettleHostFocus();
    switch (ev.Kind) {
    case K::MouseMove:
        ws.CursorPos = ev.ScreenPos;
        ReleaseButtonsNotHeld(ev.Buttons, ev.ScreenPos);
        RouteMouse(WM_MOUSEMOVE, ev.ScreenPos, 0);
        break;
    case K::MouseDown:
    case K::MouseUp:
        ws.CursorPos = ev.ScreenPos;
        RouteButton(ev.Button, ev.Kind == K::MouseDown, ev.ScreenPos);
        break;
    case K::Wheel:
        ws.CursorPos = ev.ScreenPos;
        if (HWND target = WheelTarget(ev.ScreenPos))
            QueueInput(target, WM_MOUSEWHEEL, MAKEWPARAM(unsigned(MouseKeyFlags()), unsigned(ev.WheelDelta)),
                       PointToLParam(ev.ScreenPos));
        break;
    case K::KeyDown:
        RouteKey(ev.VirtualKey & 0xFF, true, ev.Repeat);
        break;
    case K::KeyUp:
        RouteKey(ev.VirtualKey & 0xFF, false, false);
        break;
    case K::Text:
        RouteText(ev.Text);
        break;
    case K::CloseRequest:
        if (HWND h = WindowOfSurface(ev.Surface)) PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case K::Expose:
        if (TWindow* w = FindWindow(WindowOfSurface(ev.Surface))) MarkDirty(*w, w->SizeRect());
        break;
    case K::FocusIn:
        if (HWND h = WindowOfSurface(ev.Surface)) {
            ws.FocusLeaving = nullptr;
            // A menu, a drop-down list or a hint that the desktop focused leaves the activation where it is.
            if (FindWindow(h)->ExStyle & WS_EX_NOACTIVATE) break;
            if (!IsWindowEnabled(h)) h = EnabledOwnedWindow(h);
            if (h) ActivateWindow(h, WA_ACTIVE);
        }
        break;
    case K::FocusOut:
        // The focus may be going to one of our own popups; the next focus-in tells, so wait for it.
        if (HWND h = WindowOfSurface(ev.Surface); h && h == ws.Active) ws.FocusLeaving = h;
        break;
    case K::Configure:
        if (HWND h = WindowOfSurface(ev.Surface))
            SetWindowPos(h, nullptr, ev.Bounds.Left, ev.Bounds.Top, ev.Bounds.Width(), ev.Bounds.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case K::Minimized:
        if (HWND h = WindowOfSurface(ev.Surface); h && !IsIconic(h)) ShowWindow(h, SW_SHOWMINNOACTIVE);
        break;
    case K::Restored:
        // Also where nobody carried out a minimise: a window on screen takes input again.
        if (HWND h = WindowOfSurface(ev.Surface); h && IsIconic(h)) ShowWindow(h, SW_RESTORE);
        break;
    case K::Quit:
        PostQuitMessage(0);
        break;
    default:
        break;
    }
}

void ForgetInputWindow(HWND hwnd) {
    TWindowSystem& ws = WS();
    if (IsSelfOrChild(hwnd, ws.Capture)) ReleaseCapture();
    if (IsSelfOrChild(hwnd, ws.MouseWindow)) ws.MouseWindow = nullptr;
    if (IsSelfOrChild(hwnd, ws.TrackedLeave)) ws.TrackedLeave = nullptr;
    if (IsSelfOrChild(hwnd, ws.LastClick.Hwnd)) ws.LastClick = {};
    if (IsSelfOrChild(hwnd, ws.Focus)) {
        TWindow* w = FindWindow(hwnd);
        bool destroying = w && w->Destroying;
        HWND parent = w && w->IsChild() && !destroying ? w->Parent : nullptr;
        if (destroying)
            ws.Focus = nullptr; // a dying window gets no more messages
        else
            SetFocus(parent);
    }
    if (ws.Active == hwnd) ActivateWindow(NextActivation(hwnd), WA_ACTIVE);
}

bool SettleHostFocus() {
    TWindowSystem& ws = WS();
    HWND leaving = ws.FocusLeaving;
    ws.FocusLeaving = nullptr;
    if (!leaving || leaving != ws.Active) return false;
    ActivateWindow(nullptr, WA_INACTIVE);
    return true;
}

void ActivateWindow(HWND hwnd, int how) {
    TWindowSystem& ws = WS();
    if (ws.Active == hwnd) return;
    HWND old = ws.Active;
    ws.Active = hwnd;
    // A mode that follows the mouse (a move loop, a menu, a drop-down list) ends when another window or
    // another program becomes active.
    if (ws.Capture && GetAncestorRoot(ws.Capture) != hwnd) SendMessage(ws.Capture, WM_CANCELMODE);
    if (IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, 0, 0);
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, LPARAM(hwnd));
    }
    if (IsSelfOrChild(old, ws.Focus) && old != hwnd) {
        HWND lost = ws.Focus;
        ws.Focus = nullptr;
        SendMessage(lost, WM_KILLFOCUS, 0, 0);
    }
    if (!IsWindow(hwnd) || ws.Active != hwnd) return;
    if (TWindow* w = FindWindow(hwnd); w->Surface) w->Surface->TakeFocus();
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(hwnd, WM_NCACTIVATE, 1, 0);
    SendMessage(hwnd, WM_ACTIVATE, WPARAM(how), LPARAM(old));
}

HWND SetCapture(HWND hwnd) {
    TWindowSystem& ws = WS();
    HWND old = ws.Capture;
    if (!IsWindow(hwnd) || old == hwnd) return old;
    ws.Capture = hwnd;
    Host().CaptureMouse(true);
    if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

bool ReleaseCapture() {
    TWindowSystem& ws = WS();
    HWND old = ws.Capture;
    if (!old) return true;
    ws.Capture = nullptr;
    Host().CaptureMouse(false);
    if (TWindow* w = FindWindow(old); w && !w->Destroying) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    return WS().Capture;
}

bool TrackMouseEvent(const TRACKMOUSEEVENT& tme) {
    TWindowSystem& ws = WS();
    if (tme.dwFlags & TME_CANCEL) {
        if (ws.TrackedLeave == tme.hwndTrack) ws.TrackedLeave = nullptr;
        return true;
    }
    if (!IsWindow(tme.hwndTrack) || !(tme.dwFlags & TME_LEAVE)) return false;
    if (ws.MouseWindow != tme.hwndTrack) {
        // Already outside: the leave comes at once.
        PostMessage(tme.hwndTrack, WM_MOUSELEAVE, 0, 0);
        return true;
    }
    ws.TrackedLeave = tme.hwndTrack;
    return true;
}

TPoint GetCursorPos() {
    return WS().CursorPos;
}

void SetCursor(THostCursor cursor) {
    Host().SetCursor(cursor);
}

HWND SetFocus(HWND hwnd) {
    TWindowSystem& ws = WS();
    HWND old = ws.Focus;
    if (hwnd == old) return old;
    if (hwnd) {
        TWindow* w = FindWindow(hwnd);
        if (!w || w->Destroying) return nullptr;
        HWND top = TopLevelOf(*w).Handle;
        if (ws.Active != top) {
            ActivateWindow(top, WA_ACTIVE);
            old = ws.Focus;
            if (old == hwnd || !IsWindow(hwnd)) return old;
        }
    }
    ws.Focus = hwnd;
    if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd && ws.Focus == hwnd) SendMessage(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

HWND GetFocus() {
    return WS().Focus;
}

HWND SetActiveWindow(HWND hwnd) {
    HWND old = WS().Active;
    TWindow* w = FindWindow(hwnd);
    if (w && !w->IsChild()) ActivateWindow(hwnd, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() {
    return WS().Active;
}
HWND GetForegroundWindow() {
    return WS().Active;
}
bool SetForegroundWindow(HWND hwnd) {
    SetActiveWindow(hwnd);
    return GetActiveWindow() == hwnd;
}

short GetKeyState(int virtualKey) {
    uint8_t s = WS().KeyState[virtualKey & 0xFF];
    return short((s & 0x80 ? 0x8000 : 0) | (s & 1));
}

short GetAsyncKeyState(int virtualKey) {
    return (WS().AsyncKeyState[virtualKey & 0xFF] & 0x80) ? short(0x8000) : 0;
}
