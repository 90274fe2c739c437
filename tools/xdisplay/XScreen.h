#pragma once
#include "platform/Geometry.h"
#include "platform/Surface.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

// The test's own connection to an X display: reads what the screen shows and moves the pointer.
class TXScreen {
public:
    // Throws std::runtime_error when the display cannot be opened.
    explicit TXScreen(const std::string& display);
    ~TXScreen();
    TXScreen(const TXScreen&) = delete;
    TXScreen& operator=(const TXScreen&) = delete;

    // The screen's pixels in `area`, as 0x00RRGGBB.
    TSurface Grab(const TRect& area) const;
    TPixel PixelAt(TPoint p) const { return Grab(Bounds(p.X, p.Y, 1, 1)).Pixel(0, 0); }
    void WarpPointer(TPoint p) const;
    // The screen rectangle of the first viewable window with that title, if one shows.
    std::optional<TRect> FindWindow(const std::string& title) const;
    // A hash of the pixels in `area`: cheap enough to tell frames apart while a program paints.
    uint64_t Fingerprint(const TRect& area) const;
    // A press and release of `button` (1 left, 2 middle, 3 right) at `p`, as the input devices would give.
    void Click(TPoint p, int button = 1) const;
    void DoubleClick(TPoint p) const;
    // A press at `from`, moves on the way to `to` and a release there, as a hand dragging with the button.
    void Drag(TPoint from, TPoint to, int button = 1) const;
    // A key by its X key name ("F4", "Escape", "b"), pressed and released while the modifiers ("Alt_L",
    // "Shift_L") are held.
    void PressKey(const std::string& key, std::initializer_list<const char*> modifiers = {}) const;
    // What a window manager or `xdotool windowsize` does: the window of that title gets a new size.
    bool ResizeWindow(const std::string& title, int width, int height) const;
    // Whether a window manager holds the screen (owns WM_S0 and names itself on the root window).
    bool HasWindowManager() const;
    // Whether the window manager names the window of that title as the active one (_NET_ACTIVE_WINDOW).
    bool IsActive(const std::string& title) const;
    // Asks the window manager to bring the window back (as a task bar does), and maps it where there is none.
    bool ActivateWindow(const std::string& title) const;
    // As a window manager or a tool from outside would: moves and sizes the window of that title, or asks
    // it to close (WM_DELETE_WINDOW). False when no such window shows.
    bool Configure(const std::string& title, const TRect& bounds) const;
    bool RequestClose(const std::string& title) const;
    // The text another program finds on the clipboard (CLIPBOARD, as UTF-8); empty after a second.
    std::string ClipboardText() const;

    // When the server drew into the top-level window at `p` from `act` on, until nothing was drawn for
    // `settle` (or `limit` ran out): the times it told of each drawing, as they came (the Damage extension).
    std::vector<std::chrono::steady_clock::time_point> DrawingTimes(TPoint p, const std::function<void()>& act,
                                                                     std::chrono::milliseconds settle,
                                                                     std::chrono::milliseconds limit) const;

    // From this call on, top-level windows that get mapped are reported to WaitForMappedWindow.
    void WatchTopLevelMaps();
    // The screen rectangle of the next top-level window mapped that is at least `minSize` wide and high.
    std::optional<TRect> WaitForMappedWindow(int minSize, std::chrono::milliseconds limit);

private:
    _XDisplay* FDisplay = nullptr;
};
