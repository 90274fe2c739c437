#pragma once
#include "platform/host/Host.h"

#include <deque>
#include <string>
#include <vector>

// A top-level surface of the headless host: what the window system last presented, and how it was placed.
class THeadlessSurface : public THostSurface {
  public:
    THeadlessSurface(TSurfaceKind kind, const TRect& bounds, class THeadlessHost& host);
    THeadlessSurface(const THeadlessSurface&) = delete;
    THeadlessSurface& operator=(const THeadlessSurface&) = delete;
    ~THeadlessSurface() override;

    void SetBounds(const TRect& screenRect) override;
    void Show(bool activate) override;
    void Hide() override;
    void Minimize() override;
    void Raise() override;
    void TakeFocus() override;
    void SetTitle(const std::string& utf8) override { FTitle = utf8; }
    void SetIcon(const TSurface& icon) override { FIcon = icon; }
    void SetShape(const std::optional<TRegion>& shape) override { FShape = shape; }
    void Present(const TSurface& backBuffer, const TRegion& dirty) override;

    TSurfaceKind Kind() const { return FKind; }
    const TRect& Bounds() const { return FBounds; }
    bool Visible() const { return FVisible && !FMinimized; }
    bool Minimized() const { return FMinimized; }
    const std::string& Title() const { return FTitle; }
    const std::optional<TRegion>& Shape() const { return FShape; }
    // The presented pixels, the size of the window.
    const TSurface& Pixels() const { return FPixels; }
    int PresentCount() const { return FPresentCount; }
    // The part of the window the last present brought to the screen.
    const TRegion& LastPresented() const { return FLastPresented; }

  private:
    friend class THeadlessHost;
    THeadlessHost* FHost; // cleared when the host goes first
    TSurfaceKind FKind;
    TRect FBounds;
    bool FVisible = false;
    bool FMinimized = false;
    std::string FTitle;
    TSurface FIcon;
    std::optional<TRegion> FShape;
    TSurface FPixels;
    int FPresentCount = 0;
    TRegion FLastPresented;
};

// The host of the tests: a virtual screen with a work area, input that tests inject at screen points, and a
// virtual clock that only tests and injected pauses advance. It never blocks: waiting takes no real time, and
// out of input WaitEvent answers Idle.
class THeadlessHost : public THost {
  public:
    explicit THeadlessHost(TRect screen = {0, 0, 1280, 1024}, TRect workArea = {0, 0, 1280, 994});
    ~THeadlessHost() override;
    THeadlessHost(const THeadlessHost&) = delete;
    THeadlessHost& operator=(const THeadlessHost&) = delete;

    std::unique_ptr<THostSurface> CreateSurface(TSurfaceKind kind, const TRect& screenRect) override;
    TRect ScreenRect() const override { return FScreen; }
    TRect WorkArea() const override { return FWorkArea; }
    void SetCursor(THostCursor cursor) override { FCursor = cursor; }
    TPoint CursorPos() const override { return FCursorPos; }
    void CaptureMouse(bool capture) override { FCaptured = capture; }
    std::string ClipboardText() override { return FClipboard; }
    void SetClipboardText(const std::string& utf8) override { FClipboard = utf8; }
    uint64_t Now() const override { return FNow; }
    THostEvent WaitEvent(std::optional<uint64_t> deadline) override;
    void Wake() override {}
    bool OpenURL(const std::string& url) override {
        FOpenedURLs.push_back(url);
        return FOpensURLs;
    }
    // A desktop with no program for addresses: every opening fails.
    void SetOpensURLs(bool opens) { FOpensURLs = opens; }

    // Injected input, delivered in order.
    void MouseMove(TPoint screen, int buttons = -1); // buttons held as THostEvent::Buttons says
    void MouseDown(TPoint screen, int button = 1);
    void MouseUp(TPoint screen, int button = 1);
    void Click(TPoint screen, int button = 1); // move, press, release
    void Wheel(TPoint screen, int delta);
    void KeyDown(int virtualKey, bool repeat = false);
    void KeyUp(int virtualKey);
    void KeyPress(int virtualKey); // down and up
    void TypeText(const std::string& utf8);
    void RequestClose(THostSurface* surface);
    void FocusSurface(THostSurface* surface, bool focused); // the desktop gives or takes the focus
    // The desktop moves or sizes a surface, or minimises or restores it, as a window manager would.
    void ConfigureSurface(THeadlessSurface* surface, const TRect& bounds);
    void SetSurfaceMinimized(THeadlessSurface* surface, bool minimized);
    // Acts as a desktop that focuses every window it shows, popups too (a bare X server under some
    // toolkits): the focus-out of the last one and the focus-in of the shown one come next.
    void SetFocusOnShow(bool focus) { FFocusOnShow = focus; }
    // Time passing between injected events: the clock moves on by `ms` when the loop reaches this point, so
    // timers of a modal loop (auto-repeat, menus) fire inside it.
    void Pause(uint64_t ms);
    bool HasPendingInput() const { return !FEvents.empty(); }

    void Advance(uint64_t ms) { FNow += ms; }

    // Read-back.
    const std::vector<THeadlessSurface*>& Surfaces() const { return FStack; } // bottom first
    TSurface ComposeScreen() const; // the visible surfaces in stacking order over a black screen
    TPixel ScreenPixel(TPoint screen) const;
    void SaveScreenPNG(const std::string& path) const;
    THostCursor Cursor() const { return FCursor; }
    bool Captured() const { return FCaptured; }
    const std::vector<std::string>& OpenedURLs() const { return FOpenedURLs; }
    // The surface the window system last gave the keyboard to.
    const THeadlessSurface* FocusedSurface() const { return FGivenFocus; }

  private:
    friend class THeadlessSurface;
    struct TQueued {
        THostEvent Event;
        uint64_t Advance = 0; // clock time that passes before the event arrives
    };
    void Push(THostEvent ev, uint64_t advance = 0) { FEvents.push_back({std::move(ev), advance}); }
    void ToTop(THeadlessSurface* s);
    void FocusShown(THeadlessSurface* s);

    TRect FScreen;
    TRect FWorkArea;
    uint64_t FNow = 1000;
    TPoint FCursorPos;
    THostCursor FCursor = THostCursor::Arrow;
    bool FCaptured = false;
    std::string FClipboard;
    std::deque<TQueued> FEvents;
    std::vector<THeadlessSurface*> FStack;
    THeadlessSurface* FGivenFocus = nullptr; // by the window system
    std::vector<std::string> FOpenedURLs;
    bool FFocusOnShow = false;
    bool FOpensURLs = true;
    THeadlessSurface* FFocused = nullptr;
};
