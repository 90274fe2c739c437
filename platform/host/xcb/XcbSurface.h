#pragma once
#include "platform/host/Host.h"

#include <xcb/xcb.h>

class TXcbHost;

// A top-level X window of the xcb host. Its picture lives in a pixmap of the server that is also the window's
// background, so the server itself repaints what gets uncovered, a window is mapped only once it has a
// picture, and a change of size reaches the screen together with the picture of the new size. It must go
// before the host that made it.
class TXcbSurface : public THostSurface {
public:
    TXcbSurface(TXcbHost& host, TSurfaceKind kind, const TRect& screenRect);
    ~TXcbSurface() override;
    TXcbSurface(const TXcbSurface&) = delete;
    TXcbSurface& operator=(const TXcbSurface&) = delete;

    void SetBounds(const TRect& screenRect) override;
    void Show(bool activate) override;
    void Hide() override;
    void Minimize() override;
    void Raise() override;
    void TakeFocus() override;
    void SetTitle(const std::string& utf8) override;
    void SetIcon(const TSurface& icon) override;
    void SetShape(const std::optional<TRegion>& shape) override;
    void Present(const TSurface& backBuffer, const TRegion& dirty) override;

    xcb_window_t Window() const { return FWindow; }
    TSurfaceKind Kind() const { return FKind; }
    void SetCursor(xcb_cursor_t cursor) const;

    // What the server reports about this window. Each returns the event the window system needs, if any.
    THostEvent Configured(const xcb_configure_notify_event_t& e);
    THostEvent Mapped();
    void Unmapped() { FMapped = false; }
    void Reparented(xcb_window_t parent) { FParent = parent; }
    THostEvent StateChanged();
    // Input reached the window, so it is on screen: a minimise nobody carried out is over.
    THostEvent TookInput();
    // Maps the window when it was shown but no picture came for it.
    void MapIfWaiting();

private:
    void SetHints();
    void ResizePixmap(TSize size);
    void ApplyBounds();
    void ApplyShape();
    void Map();
    void CopyToWindow(const TRegion& area) const;
    THostEvent Event(THostEvent::TKind kind);

    TXcbHost& FHost;
    TSurfaceKind FKind;
    xcb_window_t FWindow = 0;
    xcb_pixmap_t FPixmap = 0;
    xcb_gcontext_t FGC = 0;
    xcb_gcontext_t FCopyGC = 0; // pixmap to window, clipped to what changed
    TRect FBounds;          // where the window system wants the window
    TSize FPixmapSize;
    bool FBoundsPending = false; // a new size waits for its picture
    std::optional<TRegion> FShape;
    bool FShapePending = false;
    bool FWanted = false;        // shown by the window system
    bool FMapRequested = false;
    bool FMapped = false;
    bool FFocusWanted = false;
    bool FIconic = false;
    xcb_window_t FParent = 0;
    unsigned FLastConfigureRequest = 0;
};
