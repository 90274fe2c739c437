#pragma once
#include "platform/Color.h"
#include "platform/Messages.h"
#include "platform/Region.h"
#include "platform/host/Host.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The window tree with the platform's semantics. Every call runs on the one user-interface thread. A handle
// of a destroyed window is never reused; calls given one do nothing and return 0, false or empty values.

using TWndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct WNDCLASS {
    std::string Name;
    UINT Style = 0;                // CS_ flags
    TWndProc WndProc;              // DefWindowProc when empty
    TColor Background = clBtnFace; // what WM_ERASEBKGND fills with by default; clNone erases nothing
    THostCursor Cursor = THostCursor::Arrow;
};

struct CREATESTRUCT {
    void* CreateParams = nullptr;
    HWND Parent = nullptr;
    TRect Bounds; // parent client coordinates for a child, screen coordinates otherwise
    DWORD Style = 0;
    DWORD ExStyle = 0;
    std::string ClassName;
    std::string WindowName;
};

struct NCCALCSIZE_PARAMS {
    TRect Rgrc[3]; // [0]: in, the window rectangle; out, the client rectangle (both in parent coordinates)
};

struct MINMAXINFO {
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false; // the background still needs erasing
    TRect rcPaint;       // client coordinates
};

struct SCROLLINFO {
    UINT fMask = SIF_ALL;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

struct SCROLLBARINFO {
    TRect rcScrollBar;     // screen coordinates
    int dxyLineButton = 0; // arrow button length
    int xyThumbTop = 0;    // relative to the bar's top (left)
    int xyThumbBottom = 0;
    DWORD rgstate[6] = {}; // [0] the bar itself
};

struct TRACKMOUSEEVENT {
    DWORD dwFlags = TME_LEAVE;
    HWND hwndTrack = nullptr;
};

// Window classes and lifetime.
bool RegisterClass(const WNDCLASS& wc); // replaces a class of the same name
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, void* createParams = nullptr);
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Window procedures: the current one is replaced and returned, so a subclass calls through to it.
TWndProc GetWindowProc(HWND hwnd);
TWndProc SetWindowProc(HWND hwnd, TWndProc proc);
LRESULT CallWindowProc(const TWndProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Styles, text and per-window data.
DWORD GetWindowStyle(HWND hwnd);
DWORD GetWindowExStyle(HWND hwnd);
// Both recompute the frame at once (WM_NCCALCSIZE, WM_SIZE) and repaint. Visibility, the disabled state, the
// child bit and the minimised and maximised states keep changing only through their own calls.
void SetWindowStyle(HWND hwnd, DWORD style);
void SetWindowExStyle(HWND hwnd, DWORD exStyle);
// Through WM_GETTEXTLENGTH / WM_GETTEXT and WM_SETTEXT, so a window procedure sees and may answer them.
std::string GetWindowText(HWND hwnd);
bool SetWindowText(HWND hwnd, const std::string& utf8);
std::string GetClassName(HWND hwnd);
void* GetWindowUserData(HWND hwnd);
void SetWindowUserData(HWND hwnd, void* data);

// The tree.
HWND GetParent(HWND hwnd);       // the parent of a child, the owner of a top-level window
HWND GetAncestorRoot(HWND hwnd); // the top-level window holding it
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
std::vector<HWND> GetChildren(HWND hwnd); // bottom of the z-order first
std::vector<HWND> GetTopLevelWindows();   // bottom of the z-order first
bool IsChild(HWND parent, HWND hwnd);     // any depth
HWND GetDesktopWindow();

// Geometry: window rectangles in screen coordinates, client rectangles at (0, 0).
TRect GetWindowRect(HWND hwnd);
TRect GetClientRect(HWND hwnd);
TPoint ClientToScreen(HWND hwnd, TPoint p);
TPoint ScreenToClient(HWND hwnd, TPoint p);
// Converts between two windows' client coordinates; nullptr stands for the screen.
TPoint MapWindowPoint(HWND from, HWND to, TPoint p);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool ShowWindow(HWND hwnd, int cmd); // returns whether it was visible
bool IsWindowVisible(HWND hwnd);     // it and all its ancestors
bool IsWindowEnabled(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable); // returns whether it was disabled
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool BringWindowToTop(HWND hwnd);
// The window region, in window coordinates; nullopt removes it. It clips painting and hit tests.
void SetWindowRgn(HWND hwnd, std::optional<TRegion> region, bool redraw);
std::optional<TRegion> GetWindowRgn(HWND hwnd);
HWND WindowFromPoint(TPoint screen);
HWND ChildWindowFromPoint(HWND parent, TPoint client); // direct children, hidden ones too, not hit-tested
// The icon a top-level window shows in the desktop's task bar.
void SetWindowIcon(HWND hwnd, const TSurface& icon);
// The host surface of a top-level window, for its pixels in tests.
THostSurface* GetHostSurface(HWND hwnd);
