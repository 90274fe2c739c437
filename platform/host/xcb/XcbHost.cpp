#include "platform/host/xcb/XcbHost.h"

#include "platform/Exception.h"
#include "platform/host/DetachedProcess.h"
#include "platform/host/xcb/XcbSurface.h"

#include <xcb/shape.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <csignal>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

using TKind = THostEvent::TKind;

// Glyphs of the X cursor font, in the order of THostCursor.
constexpr uint16_t CursorGlyphs[] = {68, 152, 150, 130, 60, 134, 136, 108, 116, 52, 88};

constexpr uint8_t WheelUp = 4, WheelDown = 5;

// A request to end (SIGTERM, SIGINT) becomes a Quit event, as a desktop's log-out would have it.
volatile sig_atomic_t GEndRequested = 0;
int GWakeFdForSignals = -1;

void OnEndSignal(int) {
    GEndRequested = 1;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(GWakeFdForSignals, &one, sizeof one);
}

THostEvent OfKind(TKind kind) {
    THostEvent e;
    e.Kind = kind;
    return e;
}

// X numbers the middle button 2 and the right one 3; the platform the other way round.
int PlatformButton(uint8_t xButton) {
    switch (xButton) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 2;
    default: return 0;
    }
}

// The platform's bits of the buttons a pointer state holds: left, right, middle.
int HeldButtons(uint16_t state) {
    return (state & XCB_BUTTON_MASK_1 ? 1 : 0) | (state & XCB_BUTTON_MASK_3 ? 2 : 0) |
           (state & XCB_BUTTON_MASK_2 ? 4 : 0);
}

} // namespace

TXcbHost::TXcbHost(TXcbUploads::TRoute pixels)
    : FUploads(FDisplay, pixels, [this] { return AwaitServer(); }), FKeyboard(FDisplay.Connection()),
      FClipboard(FDisplay) {
    xcb_connection_t* c = FDisplay.Connection();
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &xcb_shape_id);
    FHasShape = shape && shape->present;
    FCursorFont = xcb_generate_id(c);
    xcb_open_font(c, FCursorFont, 6, "cursor");
    FWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (FWakeFd < 0) throw EOutOfResources(std::string("No event descriptor for waking the loop: ") + strerror(errno));
    SetCursor(THostCursor::Arrow);
    xcb_flush(c);
    GWakeFdForSignals = FWakeFd;
    struct sigaction action{};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, &FPreviousTerm);
    sigaction(SIGINT, &action, &FPreviousInt);
}

TXcbHost::~TXcbHost() {
    sigaction(SIGTERM, &FPreviousTerm, nullptr);
    sigaction(SIGINT, &FPreviousInt, nullptr);
    GWakeFdForSignals = -1;
    xcb_connection_t* c = FDisplay.Connection();
    for (xcb_cursor_t cursor : FCursors)
        if (cursor) xcb_free_cursor(c, cursor);
    xcb_close_font(c, FCursorFont);
    xcb_flush(c);
    close(FWakeFd);
}

std::unique_ptr<THostSurface> TXcbHost::CreateSurface(TSurfaceKind kind, const TRect& screenRect) {
    return std::make_unique<TXcbSurface>(*this, kind, screenRect);
}

void TXcbHost::Register(TXcbSurface* surface) { FSurfaces[surface->Window()] = surface; }

void TXcbHost::Unregister(TXcbSurface* surface) {
    FSurfaces.erase(surface->Window());
    FWaitingForPicture.erase(surface);
    std::erase_if(FPending, [surface](const THostEvent& e) { return e.Surface == surface; });
    if (FPointerWindow == surface->Window()) FPointerWindow = 0;
}

TXcbSurface* TXcbHost::SurfaceOf(xcb_window_t window) const {
    const auto it = FSurfaces.find(window);
    return it == FSurfaces.end() ? nullptr : it->second;
}

TRect TXcbHost::ScreenRect() const {
    const xcb_screen_t& s = FDisplay.Screen();
    return Rect(0, 0, s.width_in_pixels, s.height_in_pixels);
}

TRect TXcbHost::WorkArea() const {
    // The window manager's work area, where one says it; else the whole screen.
    const std::vector<uint32_t> area = FDisplay.Cardinals(FDisplay.Root(), FDisplay.Atoms().NetWorkarea, XCB_ATOM_CARDINAL);
    if (area.size() < 4 || area[2] == 0 || area[3] == 0) return ScreenRect();
    return Bounds(int(area[0]), int(area[1]), int(area[2]), int(area[3]));
}

void TXcbHost::SetCursor(THostCursor cursor) {
    xcb_connection_t* c = FDisplay.Connection();
    xcb_cursor_t& slot = FCursors.at(size_t(cursor));
    if (!slot) {
        slot = xcb_generate_id(c);
        const uint16_t glyph = CursorGlyphs[size_t(cursor)];
        xcb_create_glyph_cursor(c, slot, FCursorFont, FCursorFont, glyph, uint16_t(glyph + 1), 0, 0, 0, 0xFFFF,
                                0xFFFF, 0xFFFF);
    }
    if (slot == FCursor) return;
    FCursor = slot;
    for (const auto& [window, surface] : FSurfaces) surface->SetCursor(slot);
    xcb_flush(c);
}

TPoint TXcbHost::CursorPos() const {
    xcb_connection_t* c = FDisplay.Connection();
    TXcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, FDisplay.Root()), nullptr));
    return reply ? TPoint{reply->root_x, reply->root_y} : TPoint{};
}

TPoint TXcbHost::ScreenOrigin(xcb_window_t window) const {
    xcb_connection_t* c = FDisplay.Connection();
    TXcbReply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, FDisplay.Root(), 0, 0), nullptr));
    return reply ? TPoint{reply->dst_x, reply->dst_y} : TPoint{};
}

void TXcbHost::CaptureMouse(bool capture) {
    xcb_connection_t* c = FDisplay.Connection();
    // Neither request is flushed here: the press that captures already holds the pointer (the server grabs it
    // until the release), and they leave with the picture the press paints, or whenever the socket is read.
    if (!capture) {
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
        return;
    }
    // The pointer's events then come to the window it was last over wherever it goes, in screen coordinates.
    xcb_window_t window = FPointerWindow;
    if (!window && !FSurfaces.empty()) window = FSurfaces.begin()->first;
    if (!window) return;
    constexpr uint16_t events =
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
    // The reply would tell nothing the program could act on, and waiting for it would hold up every press by
    // a round trip.
    const auto cookie = xcb_grab_pointer(c, 1, window, events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                         XCB_WINDOW_NONE, XCB_CURSOR_NONE, XCB_CURRENT_TIME);
    xcb_discard_reply(c, cookie.sequence);
}

void TXcbHost::Sync() const {
    xcb_connection_t* c = FDisplay.Connection();
    TXcbReply<xcb_get_input_focus_reply_t>(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

std::string TXcbHost::ClipboardText() {
    return FClipboard.Text([this](xcb_window_t requestor, std::chrono::milliseconds limit) {
        return AwaitSelectionNotify(requestor, limit);
    });
}

void TXcbHost::SetClipboardText(const std::string& utf8) { FClipboard.SetText(utf8); }

uint64_t TXcbHost::Now() const {
    return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - FEpoch)
                        .count()) +
           1;
}

void TXcbHost::Wake() {
    // One pending wake-up is enough however many messages were posted meanwhile.
    if (FWakePending.exchange(true)) return;
    const uint64_t one = 1;
    if (write(FWakeFd, &one, sizeof one) != sizeof one) FWakePending = false;
}

bool TXcbHost::OpenURL(const std::string& url) {
    // A leading dash would reach xdg-open or the browser as an option.
    if (url.empty() || url.front() == '-') return false;
    // xdg-open that finds no program for the address fails at once; a program it started may run on.
    return SpawnDetached({"xdg-open", url}, std::chrono::milliseconds(1500));
}

TXcbHost::TEvent TXcbHost::NextEvent(bool peeking) {
    if (!FBacklog.empty()) {
        TEvent e = std::move(FBacklog.front());
        FBacklog.pop_front();
        return e;
    }
    // A busy loop peeks after every message it handles: it takes what has arrived, and reads the socket for
    // more only now and then, not with a system call a message.
    constexpr auto PeekReadInterval = std::chrono::milliseconds(1);
    const auto now = std::chrono::steady_clock::now();
    if (peeking && now - FLastRead < PeekReadInterval) return Read(xcb_poll_for_queued_event);
    FLastRead = now;
    // What was asked since the last flush goes out before looking for the answers (no system call when
    // nothing waits).
    xcb_flush(FDisplay.Connection());
    return Read(xcb_poll_for_event);
}

// The next event `read` gives past the server's reports of uploads it has read, which are taken in here.
TXcbHost::TEvent TXcbHost::Read(xcb_generic_event_t* (*read)(xcb_connection_t*)) {
    for (;;) {
        TEvent e(read(FDisplay.Connection()));
        if (!e || !FUploads.TakeCompletion(*e)) return e;
    }
}

// Sends what was asked and returns once more came from the server, kept for later; false once the connection
// is lost.
bool TXcbHost::AwaitServer() {
    xcb_connection_t* c = FDisplay.Connection();
    xcb_flush(c);
    for (;;) {
        bool came = false;
        while (TEvent e = TEvent(xcb_poll_for_event(c))) {
            came = true;
            if (!FUploads.TakeCompletion(*e)) FBacklog.push_back(std::move(e));
        }
        if (came) return true;
        if (!AwaitReadable(std::nullopt)) return false;
    }
}

// Waits until the server has sent something; false when the deadline passed first or the connection is lost.
bool TXcbHost::AwaitReadable(std::optional<std::chrono::steady_clock::time_point> deadline) const {
    xcb_connection_t* c = FDisplay.Connection();
    if (xcb_connection_has_error(c)) return false;
    int timeout = -1;
    if (deadline) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        timeout = int(std::min<int64_t>(left.count(), INT_MAX));
    }
    pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
    poll(&p, 1, timeout);
    return true;
}

TXcbHost::TEvent TXcbHost::AwaitSelectionNotify(xcb_window_t requestor, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        while (TEvent e = Read(xcb_poll_for_event)) {
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(*e);
            if ((e->response_type & 0x7F) == XCB_SELECTION_NOTIFY && notify.requestor == requestor) return e;
            FBacklog.push_back(std::move(e));
        }
        if (!AwaitReadable(deadline)) return nullptr;
    }
}

THostEvent TXcbHost::WaitEvent(std::optional<uint64_t> deadline) {
    const bool peeking = deadline && Now() >= *deadline;
    for (;;) {
        if (!FPending.empty()) {
            THostEvent e = std::move(FPending.front());
            FPending.pop_front();
            return e;
        }
        if (TEvent e = NextEvent(peeking)) {
            Translate(*e);
            continue;
        }
        if (xcb_connection_has_error(FDisplay.Connection())) throw Exception("The connection to the display was lost");
        if (deadline && Now() >= *deadline) return {};
        switch (Sleep(deadline)) {
        case TWoke::TimeRanOut: return {};
        case TWoke::ByWake:
            if (GEndRequested) {
                GEndRequested = 0;
                return OfKind(TKind::Quit);
            }
            if (FWakePending.exchange(false)) return OfKind(TKind::Wake);
            break;
        case TWoke::ByDisplay: break;
        }
    }
}

// Sleeps until the display or a wake-up has something, or the deadline.
TXcbHost::TWoke TXcbHost::Sleep(std::optional<uint64_t> deadline) {
    MapSurfacesWithoutPicture();
    xcb_connection_t* c = FDisplay.Connection();
    xcb_flush(c);
    if (TEvent e = Read(xcb_poll_for_queued_event)) {
        FBacklog.push_back(std::move(e));
        return TWoke::ByDisplay;
    }
    int timeout = -1;
    if (deadline) timeout = int(std::min<uint64_t>(*deadline - std::min(*deadline, Now()), INT_MAX));
    pollfd fds[] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {FWakeFd, POLLIN, 0}};
    const int ready = poll(fds, 2, timeout);
    ++FWakeUps;
    if (ready <= 0) return ready == 0 ? TWoke::TimeRanOut : TWoke::ByDisplay;
    if (fds[1].revents & POLLIN) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t drained = read(FWakeFd, &count, sizeof count);
        return TWoke::ByWake;
    }
    return TWoke::ByDisplay;
}

void TXcbHost::MapSurfacesWithoutPicture() {
    for (TXcbSurface* s : FWaitingForPicture) s->MapIfWaiting();
    FWaitingForPicture.clear();
}

void TXcbHost::QueueOn(TXcbSurface* surface, THostEvent event) {
    if (!surface || event.Kind == TKind::None) return;
    event.Surface = surface;
    FPending.push_back(std::move(event));
}

void TXcbHost::Translate(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7F) {
    case XCB_KEY_PRESS: Key(reinterpret_cast<const xcb_key_press_event_t&>(event), true); break;
    case XCB_KEY_RELEASE: Key(reinterpret_cast<const xcb_key_press_event_t&>(event), false); break;
    case XCB_BUTTON_PRESS: Button(reinterpret_cast<const xcb_button_press_event_t&>(event), true); break;
    case XCB_BUTTON_RELEASE: Button(reinterpret_cast<const xcb_button_press_event_t&>(event), false); break;
    case XCB_MOTION_NOTIFY: {
        const auto& e = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
        THostEvent move = OfKind(TKind::MouseMove);
        move.ScreenPos = {e.root_x, e.root_y};
        move.Buttons = HeldButtons(e.state);
        if (TXcbSurface* s = SurfaceOf(e.event)) FPointerWindow = e.event, QueueOn(s, move);
        break;
    }
    case XCB_FOCUS_IN: Focus(reinterpret_cast<const xcb_focus_in_event_t&>(event), true); break;
    case XCB_FOCUS_OUT: Focus(reinterpret_cast<const xcb_focus_in_event_t&>(event), false); break;
    case XCB_CLIENT_MESSAGE: ClientMessage(reinterpret_cast<const xcb_client_message_event_t&>(event)); break;
    case XCB_CONFIGURE_NOTIFY: {
        const auto& e = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
        if (TXcbSurface* s = SurfaceOf(e.window)) QueueOn(s, s->Configured(e));
        break;
    }
    case XCB_MAP_NOTIFY:
        if (TXcbSurface* s = SurfaceOf(reinterpret_cast<const xcb_map_notify_event_t&>(event).window))
            QueueOn(s, s->Mapped());
        break;
    case XCB_UNMAP_NOTIFY:
        if (TXcbSurface* s = SurfaceOf(reinterpret_cast<const xcb_unmap_notify_event_t&>(event).window)) s->Unmapped();
        break;
    case XCB_REPARENT_NOTIFY: {
        const auto& e = reinterpret_cast<const xcb_reparent_notify_event_t&>(event);
        if (TXcbSurface* s = SurfaceOf(e.window)) s->Reparented(e.parent);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto& e = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (TXcbSurface* s = SurfaceOf(e.window); s && e.atom == FDisplay.Atoms().WmState) QueueOn(s, s->StateChanged());
        break;
    }
    default:
        if (!FClipboard.HandleEvent(event)) FKeyboard.HandleEvent(event);
        break;
    }
}

void TXcbHost::Key(const xcb_key_press_event_t& e, bool down) {
    TXcbSurface* s = SurfaceOf(e.event);
    const TXcbKeyboard::TKey key = down ? FKeyboard.Press(e.detail) : FKeyboard.Release(e.detail);
    if (s && down) QueueOn(s, s->TookInput());
    if (key.VirtualKey) {
        THostEvent k = OfKind(down ? TKind::KeyDown : TKind::KeyUp);
        k.VirtualKey = key.VirtualKey;
        k.Repeat = key.Repeat;
        QueueOn(s, k);
    }
    if (!key.Text.empty()) {
        THostEvent text = OfKind(TKind::Text);
        text.Text = key.Text;
        QueueOn(s, text);
    }
}

void TXcbHost::Button(const xcb_button_press_event_t& e, bool down) {
    TXcbSurface* s = SurfaceOf(e.event);
    if (!s) return;
    FPointerWindow = e.event;
    // The server gives input only to a window on screen: one the window system takes as minimised (a window
    // manager that ignored the request) is shown after all, and hears so before the click.
    if (down) QueueOn(s, s->TookInput());
    THostEvent result;
    result.ScreenPos = {e.root_x, e.root_y};
    if (e.detail == WheelUp || e.detail == WheelDown) {
        if (!down) return;
        result.Kind = TKind::Wheel;
        result.WheelDelta = e.detail == WheelUp ? 120 : -120;
    } else {
        result.Button = PlatformButton(e.detail);
        if (result.Button == 0) return;
        result.Kind = down ? TKind::MouseDown : TKind::MouseUp;
        // A click activates: with or without a window manager the clicked window gets the keyboard.
        if (down && s->Kind() != TSurfaceKind::Popup && FFocusWindow != e.event) s->TakeFocus();
    }
    QueueOn(s, result);
}

void TXcbHost::Focus(const xcb_focus_in_event_t& e, bool in) {
    // Grabs of the keyboard (a window manager's switcher) and the pointer's own focus change nothing.
    if (e.mode == XCB_NOTIFY_MODE_GRAB || e.mode == XCB_NOTIFY_MODE_UNGRAB) return;
    if (e.detail == XCB_NOTIFY_DETAIL_POINTER || e.detail == XCB_NOTIFY_DETAIL_INFERIOR) return;
    TXcbSurface* s = SurfaceOf(e.event);
    if (!s) return;
    if (in)
        FFocusWindow = e.event;
    else if (FFocusWindow == e.event)
        FFocusWindow = 0;
    QueueOn(s, OfKind(in ? TKind::FocusIn : TKind::FocusOut));
}

void TXcbHost::ClientMessage(const xcb_client_message_event_t& e) {
    const TXcbAtoms& a = FDisplay.Atoms();
    if (e.type == a.WmProtocols && e.format == 32 && e.data.data32[0] == a.WmDeleteWindow)
        QueueOn(SurfaceOf(e.window), OfKind(TKind::CloseRequest));
}
