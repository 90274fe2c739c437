#pragma once
#include "platform/host/xcb/XcbDisplay.h"

#include <chrono>
#include <functional>
#include <string>

// The desktop's clipboard (the CLIPBOARD selection) for text: owned through a window of its own that never
// shows, and read from other programs by asking for UTF-8 text (or Latin-1 where that is all they give).
class TXcbClipboard {
public:
    // Waits for the SelectionNotify sent to a window, keeping every other event for later; null on time-out.
    using TAwaitNotify = std::function<TXcbReply<xcb_generic_event_t>(xcb_window_t, std::chrono::milliseconds)>;

    explicit TXcbClipboard(const TXcbDisplay& display);
    ~TXcbClipboard();
    TXcbClipboard(const TXcbClipboard&) = delete;
    TXcbClipboard& operator=(const TXcbClipboard&) = delete;

    std::string Text(const TAwaitNotify& await);
    void SetText(const std::string& utf8);
    // Answers other programs' requests; false for events that are not the clipboard's.
    bool HandleEvent(const xcb_generic_event_t& event);

private:
    std::string Convert(xcb_atom_t target, const TAwaitNotify& await);
    void Answer(const xcb_selection_request_event_t& request);

    const TXcbDisplay& FDisplay;
    xcb_window_t FWindow = 0;
    std::string FText;
    bool FOwned = false;
};
