#pragma once
#include "platform/Geometry.h"
#include "platform/Region.h"
#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a host (a real display, or the headless one of the tests) offers the window system: top-level surfaces,
// the cursor, the clipboard, a clock, and input events in screen coordinates.
enum class TSurfaceKind { Normal, Borderless, Popup };
enum class THostCursor { Arrow, IBeam, Wait, Cross, HandPoint, SizeNWSE, SizeNESW, SizeWE, SizeNS, SizeAll, No };

class THostSurface {
public:
    virtual ~THostSurface() = default;
    virtual void SetBounds(const TRect& screenRect) = 0;
    virtual void Show(bool activate) = 0;
    virtual void Hide() = 0;
    virtual void Minimize() = 0;
    virtual void Raise() = 0;
    // The window system activated this window: keyboard input goes to it from now on.
    virtual void TakeFocus() = 0;
    virtual void SetTitle(const std::string& utf8) = 0;
    virtual void SetIcon(const TSurface& icon) = 0;
    virtual void SetShape(const std::optional<TRegion>& shape) = 0; // window coordinates; nullopt: whole
    // Shows the back buffer in one step; `dirty` is the part that changed (window coordinates).
    virtual void Present(const TSurface& backBuffer, const TRegion& dirty) = 0;
};

struct THostEvent {
    enum class TKind {
        None, MouseMove, MouseDown, MouseUp, Wheel, KeyDown, KeyUp, Text, CloseRequest, Expose, FocusIn,
        FocusOut, Quit, Wake,
        Configure, // the desktop moved or sized the window: Bounds
        Minimized, // the desktop minimised the window
        Restored,  // the window is on screen again, or a minimise asked for did not happen
        Idle // the host has no input and never will (the headless host out of injected events)
    };
    TKind Kind = TKind::None;
    THostSurface* Surface = nullptr; // the surface the event concerns, when any
    TPoint ScreenPos;                // mouse events
    TRect Bounds;                    // Configure: the window's new place on the screen
    int Button = 0;                  // 1 left, 2 right, 3 middle
    int WheelDelta = 0;              // multiples of 120, positive away from the user
    int Buttons = -1;                // mouse moves: the buttons held (bit 0 left, 1 right, 2 middle); -1 unknown
    int VirtualKey = 0;              // key events: the platform's VK_ codes
    bool Repeat = false;
    std::string Text;                // text input, UTF-8
};

class THost {
public:
    virtual ~THost() = default;
    virtual std::unique_ptr<THostSurface> CreateSurface(TSurfaceKind kind, const TRect& screenRect) = 0;
    virtual TRect ScreenRect() const = 0;
    virtual TRect WorkArea() const = 0;
    virtual void SetCursor(THostCursor cursor) = 0;
    virtual TPoint CursorPos() const = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& utf8) = 0;
    // Milliseconds of the host's clock: real on a display, virtual on the headless host.
    virtual uint64_t Now() const = 0;
    // Waits for the next event until `deadline` (host clock); returns a None event when the time ran out.
    // Never busy-waits.
    virtual THostEvent WaitEvent(std::optional<uint64_t> deadline) = 0;
    // Makes a pending or the next WaitEvent return at once (a posted message needs handling).
    virtual void Wake() = 0;
    // Opens a URL with the desktop's handler, detached; false when no handler could be started for it.
    virtual bool OpenURL(const std::string& url) = 0;
};
