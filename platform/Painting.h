#pragma once
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Region.h"
#include "platform/Window.h"

#include <memory>

// Painting: update regions, WM_NCPAINT / WM_ERASEBKGND / WM_PAINT, and device contexts over the back buffer
// of a window's top-level window.

bool InvalidateRect(HWND hwnd, const TRect* clientRect, bool erase);
bool InvalidateRgn(HWND hwnd, const TRegion* clientRegion, bool erase);
bool ValidateRect(HWND hwnd, const TRect* clientRect);
bool GetUpdateRect(HWND hwnd, TRect* clientRect, bool erase);
// Sends WM_PAINT at once when the window has something to paint.
bool UpdateWindow(HWND hwnd);
// `rect` and `region` are client coordinates; both null: the whole window.
bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags);

// Scrolls the client area's content by (dx, dy): without a scroll rectangle the children move along. What
// shows afterwards is repainted.
bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect = nullptr,
                  const TRect* clipRect = nullptr);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps);

// A DC on the client area, or on the whole window including its non-client area; nullptr: the screen.
// Release each with ReleaseDC. The DC's clip is the visible part of the window (minus the children that
// WS_CLIPCHILDREN keeps out, minus WS_CLIPSIBLINGS siblings above it, within its window region).
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// The window a DC from GetDC, GetWindowDC or BeginPaint belongs to; nullptr for other DCs.
HWND WindowFromDC(HDC dc);

// Presents every changed back buffer to the host (the message loop does this before it waits); true when
// anything changed on the screen.
bool PresentWindows();

// A GetDC/GetWindowDC in a scope.
class TWindowDC {
  public:
    explicit TWindowDC(HWND hwnd, bool wholeWindow = false)
        : FHwnd(hwnd), FDC(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~TWindowDC() {
        if (FDC) ReleaseDC(FHwnd, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FDC; }
    explicit operator bool() const { return FDC != nullptr; }
    TDC* operator->() const { return FDC; }

  private:
    HWND FHwnd;
    HDC FDC;
};
