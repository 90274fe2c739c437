#pragma once
#include "platform/MessageLoop.h"
#include "platform/Surface.h"
#include "platform/Window.h"

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>

// The window system's state, shared by the window, message, painting and input sources. Not for other layers.

struct TScrollBarState {
    SCROLLINFO Info{SIF_ALL, 0, 100, 0, 0, 0};
    bool Disabled = false; // EnableScrollBar, or a range with nothing to scroll under SIF_DISABLENOSCROLL
};

struct TWindow {
    HWND Handle = nullptr;
    std::shared_ptr<const WNDCLASS> Class;
    TWndProc Proc;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    std::string Text;
    void* UserData = nullptr;
    HWND Parent = nullptr;      // children only
    HWND Owner = nullptr;       // top-level windows only
    std::vector<HWND> Children; // bottom of the z-order first
    TRect Rect;   // parent client coordinates for a child, screen coordinates for a top-level window
    TRect Client; // window coordinates
    std::optional<TRegion> Region; // window coordinates
    TRect RestoreRect;             // the bounds to go back to from minimised or maximised
    bool Destroying = false;

    // Painting: the update region in window coordinates.
    TRegion Update;
    bool NeedErase = false;
    bool NeedNcPaint = false;

    // Top-level windows only.
    std::unique_ptr<THostSurface> Surface;
    TSurface BackBuffer;
    std::vector<TRect> Dirty; // window coordinates, presented by PresentWindows as their union

    TScrollBarState HScroll;
    TScrollBarState VScroll;

    // VisibleRegion without and with the children clipped, as of a window-tree generation.
    struct TVisibleCache {
        uint64_t Generation = 0;
        TRegion Region;
    };
    mutable TVisibleCache Visible[2];

    bool IsChild() const { return (Style & WS_CHILD) != 0; }
    TRect SizeRect() const { return {0, 0, Rect.Width(), Rect.Height()}; }
};

struct TTimerEntry {
    HWND Hwnd = nullptr;
    uintptr_t Id = 0;
    UINT Interval = 0;
    uint64_t Due = 0;
    TTimerProc Proc;
};

struct TWindowSystem {
    THost* Host = nullptr;
    std::unordered_map<HWND, std::unique_ptr<TWindow>> Windows;
    std::map<std::string, std::shared_ptr<const WNDCLASS>> Classes;
    std::vector<HWND> TopLevels; // bottom of the z-order first
    uintptr_t NextHandle = 0x100;
    // Bumped by every change that can change what part of a window shows: geometry, style, region, z-order,
    // parents, windows made or destroyed, a back buffer made.
    uint64_t TreeGeneration = 1;
    // Bumped whenever a window gets something to paint; together with TreeGeneration it tells when the
    // windows found waiting to be painted may no longer be all of them.
    uint64_t Invalidations = 1;
    // The windows that needed painting at the last search, in paint order; those before Next were painted.
    struct {
        uint64_t TreeGeneration = 0;
        uint64_t Invalidations = 0;
        std::vector<HWND> Windows;
        size_t Next = 0;
    } PaintQueue;
    std::deque<MSG> Posted;
    std::deque<MSG> Input;
    bool QuitPosted = false;
    int QuitCode = 0;
    std::vector<TTimerEntry> Timers;
    TMessageHook Hook;
    MSG Current; // the last message taken from the queue

    // Input state.
    HWND Capture = nullptr;
    HWND Focus = nullptr;
    HWND Active = nullptr;
    HWND MouseWindow = nullptr; // the window under the mouse, for leave tracking
    HWND TrackedLeave = nullptr;
    HWND FocusLeaving = nullptr; // the active window the desktop took the focus from, until settled
    TPoint CursorPos;
    uint8_t KeyState[256] = {};
    uint8_t AsyncKeyState[256] = {};
    struct {
        HWND Hwnd = nullptr;
        UINT Message = 0;
        uint64_t Time = 0;
        TPoint Pos;
        bool Valid = false;
    } LastClick;
};

TWindowSystem& WS();
TWindow* FindWindow(HWND hwnd); // nullptr for a destroyed or unknown handle
TWindow& TopLevelOf(TWindow& w);
// The window's position in its top-level window's coordinates.
TPoint OffsetInTopLevel(const TWindow& w);
// The part of the window that shows, in window coordinates: its rectangle within every ancestor's client
// area, minus siblings above it when it clips them, minus its children when `clipChildren`, within the
// regions.
TRegion VisibleRegion(const TWindow& w, bool clipChildren);
// Forgets every window's visible region: call after any change VisibleRegion depends on.
void WindowTreeChanged();
// The classic non-client layout of a style, in window coordinates.
struct TNonClientLayout {
    int Frame = 0; // width of the outer border
    TRect Caption; // empty without WS_CAPTION
    TRect Client;
    TRect VScroll; // empty without WS_VSCROLL
    TRect HScroll;
    TRect CloseButton; // empty without WS_SYSMENU
    TRect MaxButton;
    TRect MinButton;
};
TNonClientLayout NonClientLayout(DWORD style, DWORD exStyle, TSize windowSize);
// The default handling of WM_SETTEXT and WM_GETTEXT (UTF-8 bytes; the copy ends with a zero and is cut to the
// buffer at a character boundary, never past it).
void StoreWindowText(TWindow& w, const std::string& utf8);
LRESULT CopyWindowText(const TWindow& w, size_t bufferSize, char* buffer);
// WM_MOVE and WM_SIZE for the window's current bounds and state.
void SendSizeMessages(TWindow& w);
// Recomputes the client rectangle through WM_NCCALCSIZE.
void RecalcClient(TWindow& w);
// Invalidates a window-coordinate region of the window, with its children when asked or when it paints over
// them.
void InvalidateWindowRegion(TWindow& w, const TRegion& windowRegion, bool erase, bool frame,
                            bool allChildren);
// Marks part of a top-level back buffer (top-level coordinates) as changed.
void MarkDirty(TWindow& topLevel, const TRect& rect);
// The deepest window under a screen point and its hit-test code.
HWND WindowHitTest(TPoint screen, int& hitCode);
// Input from the host, turned into queued messages.
void HandleHostEvent(const THostEvent& ev);
// Applies a focus-out of the desktop once the host has no events waiting: a focus-in that followed it (to a
// popup that never activates, or back) means the activation stays. True when the activation changed.
bool SettleHostFocus();
// Focus and capture bookkeeping when a window goes away or hides.
void ForgetInputWindow(HWND hwnd);
void ActivateWindow(HWND hwnd, int how);
// The scroll-bar rectangles in window coordinates (empty when the style has no such bar).
TRect ScrollBarRect(const TWindow& w, int bar);
TScrollBarState& ScrollState(TWindow& w, int bar);
// Paints the classic non-client area into a window DC.
void PaintNonClient(TWindow& w, TDC& dc);
void PaintScrollBar(TWindow& w, TDC& dc, int bar);
// The default non-client hit test, in screen coordinates.
int DefaultHitTest(TWindow& w, TPoint screen);
// The classic three-dimensional look.
void DrawEdge(TDC& dc, TRect r, TColor outerTL, TColor outerBR, TColor innerTL, TColor innerBR);
void DrawRaisedEdge(TDC& dc, const TRect& r);
void DrawButtonFace(TDC& dc, const TRect& r, bool pressed);
void DrawScrollBarParts(TDC& dc, const TRect& bar, bool vertical, int arrow, int thumbStart, int thumbEnd,
                        bool enabled);
// A press on a scroll bar of the window (screen point): sends the scroll messages until the release.
void TrackScrollBar(HWND hwnd, int bar, TPoint screen);
// Follows the mouse with the capture until the left button is released, calling onMove with each screen
// point; false when cancelled (Escape, the capture taken away, WM_QUIT or no more input).
bool TrackMouse(HWND hwnd, const std::function<void(TPoint)>& onMove);
