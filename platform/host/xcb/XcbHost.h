#pragma once
#include "platform/host/Host.h"
#include "platform/host/xcb/XcbClipboard.h"
#include "platform/host/xcb/XcbDisplay.h"
#include "platform/host/xcb/XcbKeyboard.h"
#include "platform/host/xcb/XcbUploads.h"

#include <csignal>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <unordered_set>

class TXcbSurface;

// The host on a real display: the X server spoken to directly through xcb. One at a time; its surfaces go
// before it does.
class TXcbHost : public THost {
public:
    // Raises Exception, naming the display, when none can be opened.
    explicit TXcbHost(TXcbUploads::TRoute pixels = TXcbUploads::TRoute::SharedMemoryWhereItWorks);
    ~TXcbHost() override;
    TXcbHost(const TXcbHost&) = delete;
    TXcbHost& operator=(const TXcbHost&) = delete;

    std::unique_ptr<THostSurface> CreateSurface(TSurfaceKind kind, const TRect& screenRect) override;
    TRect ScreenRect() const override;
    TRect WorkArea() const override;
    void SetCursor(THostCursor cursor) override;
    TPoint CursorPos() const override;
    void CaptureMouse(bool capture) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& utf8) override;
    uint64_t Now() const override;
    THostEvent WaitEvent(std::optional<uint64_t> deadline) override;
    void Wake() override;
    bool OpenURL(const std::string& url) override;

    // Returns once the server has carried out every request made so far (what another client then sees).
    void Sync() const;
    // How many times WaitEvent has come back from sleeping: what an idle loop must keep low.
    uint64_t WakeUps() const { return FWakeUps.load(); }

    // For the surfaces.
    const TXcbDisplay& Display() const { return FDisplay; }
    TXcbUploads& Uploads() { return FUploads; }
    bool HasShape() const { return FHasShape; }
    xcb_cursor_t CurrentCursor() const { return FCursor; }
    void Register(TXcbSurface* surface);
    void Unregister(TXcbSurface* surface);
    void Queue(THostEvent event) { FPending.push_back(std::move(event)); }
    void WaitingForPicture(TXcbSurface* surface) { FWaitingForPicture.insert(surface); }
    TPoint ScreenOrigin(xcb_window_t window) const;

private:
    using TEvent = TXcbReply<xcb_generic_event_t>;
    static constexpr size_t CursorCount = size_t(THostCursor::No) + 1;

    TEvent NextEvent(bool peeking);
    TEvent Read(xcb_generic_event_t* (*read)(xcb_connection_t*));
    bool AwaitServer();
    bool AwaitReadable(std::optional<std::chrono::steady_clock::time_point> deadline) const;
    TEvent AwaitSelectionNotify(xcb_window_t requestor, std::chrono::milliseconds limit);
    enum class TWoke { TimeRanOut, ByDisplay, ByWake };
    TWoke Sleep(std::optional<uint64_t> deadline);
    void MapSurfacesWithoutPicture();
    void Translate(const xcb_generic_event_t& event);
    void Key(const xcb_key_press_event_t& e, bool down);
    void Button(const xcb_button_press_event_t& e, bool down);
    void Focus(const xcb_focus_in_event_t& e, bool in);
    void ClientMessage(const xcb_client_message_event_t& e);
    TXcbSurface* SurfaceOf(xcb_window_t window) const;
    void QueueOn(TXcbSurface* surface, THostEvent event);

    TXcbDisplay FDisplay; // first in, last out
    TXcbUploads FUploads;
    TXcbKeyboard FKeyboard;
    TXcbClipboard FClipboard;
    bool FHasShape = false;
    std::unordered_map<xcb_window_t, TXcbSurface*> FSurfaces;
    std::unordered_set<TXcbSurface*> FWaitingForPicture;
    std::deque<THostEvent> FPending;
    std::deque<TEvent> FBacklog; // read while waiting for the clipboard's answer
    xcb_font_t FCursorFont = 0;
    std::array<xcb_cursor_t, CursorCount> FCursors{};
    xcb_cursor_t FCursor = 0;
    xcb_window_t FPointerWindow = 0;
    xcb_window_t FFocusWindow = 0;
    int FWakeFd = -1;
    struct sigaction FPreviousTerm {}, FPreviousInt{};
    std::chrono::steady_clock::time_point FEpoch = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point FLastRead; // the socket's last read for events
    std::atomic<bool> FWakePending{false};
    std::atomic<uint64_t> FWakeUps{0};
};
