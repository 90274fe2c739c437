#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

#include <algorithm>

namespace {

THostCursor CursorForHit(int code, const TWindow& w) {
    switch (code) {
    case HTCLIENT:
        return w.Class->Cursor;
    case HTLEFT:
    case HTRIGHT:
        return THostCursor::SizeWE;
    case HTTOP:
    case HTBOTTOM:
        return THostCursor::SizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return THostCursor::SizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return THostCursor::SizeNESW;
    default:
        return THostCursor::Arrow;
    }
}

MINMAXINFO MinMaxInfo(HWND hwnd) {
    TRect work = Host().WorkArea();
    MINMAXINFO mmi;
    mmi.ptMaxSize = {work.Width(), work.Height()};
    mmi.ptMaxPosition = work.TopLeft();
    bool framed = GetWindowStyle(hwnd) & (WS_CAPTION | WS_THICKFRAME);
    mmi.ptMinTrackSize =
        framed ? TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)} : TPoint{};
    TRect screen = Host().ScreenRect();
    mmi.ptMaxTrackSize = {screen.Width() + 12, screen.Height() + 12};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

// The window's rectangle in its parent's client coordinates (the screen for a top-level window).
TRect ParentRect(HWND hwnd) {
    TWindow* w = FindWindow(hwnd);
    return w ? w->Rect : TRect{};
}

// The press that started a loop is where the pointer was when it came, not where it is by now: the moves
// after it are still queued.
TPoint PressPoint() {
    return GetMessagePos();
}

void MoveLoop(HWND hwnd) {
    TRect start = ParentRect(hwnd);
    TPoint grab = PressPoint();
    SendMessage(hwnd, WM_ENTERSIZEMOVE);
    bool done = TrackMouse(hwnd, [&](TPoint p) {
        TRect r = start.Offsetted(p.X - grab.X, p.Y - grab.Y);
        SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        SetWindowPos(hwnd, nullptr, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    if (!done)
        SetWindowPos(hwnd, nullptr, start.Left, start.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessage(hwnd, WM_EXITSIZEMOVE);
}

// Moves the dragged edges by the pointer's travel, keeping the size within the window's tracking limits; a
// limited edge stops while the opposite one stays put.
TRect SizedRect(const TRect& start, int edge, TPoint delta, const MINMAXINFO& mmi) {
    bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    TRect r = start;
    auto limit = [](int size, int min, int max) { return std::clamp(size, min, std::max(min, max)); };
    if (left) r.Left = r.Right - limit(start.Width() - delta.X, mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X);
    if (right) r.Right = r.Left + limit(start.Width() + delta.X, mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X);
    if (top) r.Top = r.Bottom - limit(start.Height() - delta.Y, mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y);
    if (bottom)
        r.Bottom = r.Top + limit(start.Height() + delta.Y, mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y);
    return r;
}

void SizeLoop(HWND hwnd, int edge) {
    TRect start = ParentRect(hwnd);
    TPoint grab = PressPoint();
    MINMAXINFO mmi = MinMaxInfo(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE);
    bool done = TrackMouse(hwnd, [&](TPoint p) {
        TRect r = SizedRect(start, edge, p - grab, mmi);
        SendMessage(hwnd, WM_SIZING, WPARAM(edge), reinterpret_cast<LPARAM>(&r));
        SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    });
    if (!done)
        SetWindowPos(hwnd, nullptr, start.Left, start.Top, start.Width(), start.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessage(hwnd, WM_EXITSIZEMOVE);
}

// A caption button acts when the press is released on it.
void TrackCaptionButton(HWND hwnd, int code) {
    bool inside = true;
    bool done = TrackMouse(hwnd, [&](TPoint p) {
        TWindow* w = FindWindow(hwnd);
        inside = w && DefaultHitTest(*w, p) == code;
    });
    if (!done || !inside) return;
    UINT command = code == HTCLOSE       ? SC_CLOSE
                   : code == HTMINBUTTON ? SC_MINIMIZE
                   : IsZoomed(hwnd)      ? SC_RESTORE
                                         : SC_MAXIMIZE;
    SendMessage(hwnd, WM_SYSCOMMAND, command, 0);
}

void SysCommand(HWND hwnd, UINT command) {
    switch (command & 0xFFF0) {
    case SC_MOVE:
        MoveLoop(hwnd);
        break;
    case SC_SIZE:
        SizeLoop(hwnd, int(command & 0xF));
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE);
        break;
    default:
        break;
    }
}

void NcButtonDown(HWND hwnd, int code, TPoint screen) {
    switch (code) {
    case HTCAPTION:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | UINT(HTCAPTION), PointToLParam(screen));
        break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | UINT(code - HTLEFT + WMSZ_LEFT), PointToLParam(screen));
        break;
    case HTVSCROLL:
        TrackScrollBar(hwnd, SB_VERT, screen);
        break;
    case HTHSCROLL:
        TrackScrollBar(hwnd, SB_HORZ, screen);
        break;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
        TrackCaptionButton(hwnd, code);
        break;
    default:
        break;
    }
}

LRESULT EraseBackground(TWindow& w, HDC dc) {
    if (w.Class->Background == clNone || !dc) return 0;
    dc->FillRect(GetClientRect(w.Handle), TBrushDesc::SolidColor(w.Class->Background));
    return 1;
}

} // namespace

bool TrackMouse(HWND hwnd, const std::function<void(TPoint)>& onMove) {
    if (GetKeyState(VK_LBUTTON) >= 0) return true; // released already
    SetCapture(hwnd);
    bool ok = true;
    for (bool ended = false; !ended;) {
        MSG msg;
        if (!GetMessage(msg)) {
            if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
            ok = false;
            break;
        }
        if (GetCapture() != hwnd) {
            ok = false;
            ProcessMessage(msg);
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            onMove(msg.pt);
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            onMove(msg.pt);
            ended = true;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE) ok = false, ended = true;
            if (msg.wParam == VK_RETURN) ended = true;
            break;
        default:
            if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSCHAR))
                break; // other input waits for the end of the loop's gesture
            ProcessMessage(msg);
            // A nested loop run from that message (a box, a menu) may have taken the release itself.
            if (GetKeyState(VK_LBUTTON) >= 0) ended = true;
            break;
        }
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    return ok;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return 1;
    case WM_NCCALCSIZE: {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        TRect window = params->Rgrc[0];
        params->Rgrc[0] =
            NonClientLayout(w->Style, w->ExStyle, window.Size()).Client.Offsetted(window.Left, window.Top);
        return 0;
    }
    case WM_NCHITTEST:
        return DefaultHitTest(*w, LParamToPoint(lParam));
    case WM_NCPAINT: {
        TWindowDC dc(hwnd, true);
        if (dc) PaintNonClient(*w, *dc.Get());
        return 0;
    }
    case WM_NCACTIVATE:
        if ((w->Style & WS_CAPTION) == WS_CAPTION)
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return 1;
    case WM_ERASEBKGND:
        return EraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        if (!wParam) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, ps);
            EndPaint(hwnd, ps);
        }
        return 0;
    case WM_SETCURSOR: {
        if (w->IsChild() && SendMessage(w->Parent, WM_SETCURSOR, wParam, lParam)) return 1;
        int code = int16_t(LOWORD(lParam));
        if (code == HTERROR) return 0;
        // The cursor of the window under the mouse (WParam), whichever ancestor sets it.
        TWindow* under = FindWindow(reinterpret_cast<HWND>(wParam));
        SetCursor(CursorForHit(code, under ? *under : *w));
        return 1;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        return w->IsChild() ? SendMessage(w->Parent, msg, wParam, lParam) : 0;
    case WM_RBUTTONUP:
        SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd),
                    PointToLParam(ClientToScreen(hwnd, LParamToPoint(lParam))));
        return 0;
    case WM_NCRBUTTONUP:
        SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), lParam);
        return 0;
    case WM_KEYDOWN:
        // The menu key and Shift+F10 ask for the context menu at the keyboard's place: (-1, -1).
        if (wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))
            SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(-1, -1));
        return 0;
    case WM_NCLBUTTONDOWN:
        NcButtonDown(hwnd, int(wParam), LParamToPoint(lParam));
        return 0;
    case WM_NCLBUTTONDBLCLK:
        // On the caption a double-click maximises or restores; elsewhere (buttons, scroll bars) it is a
        // press.
        if (wParam != HTCAPTION)
            NcButtonDown(hwnd, int(wParam), LParamToPoint(lParam));
        else if (w->Style & WS_MAXIMIZEBOX)
            SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_SYSCOMMAND:
        SysCommand(hwnd, UINT(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the top-level window, whichever of its controls has the focus.
        if (wParam == VK_F4 && (DWORD(lParam) & KF_ALTDOWN))
            PostMessage(GetAncestorRoot(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0)
            SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(-1, -1));
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->Style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED:
        SendSizeMessages(*w);
        return 0;
    case WM_GETMINMAXINFO:
        return 0;
    case WM_SETTEXT:
        StoreWindowText(*w, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
    case WM_GETTEXT:
        return CopyWindowText(*w, size_t(wParam), reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH:
        return LRESULT(w->Text.size());
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    default:
        return 0;
    }
}
