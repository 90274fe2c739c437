#include "platform/host/xcb/XcbClipboard.h"

#include <array>

namespace {

using namespace std::chrono_literals;

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string result;
    for (const unsigned char c : latin1) {
        if (c < 0x80) {
            result += char(c);
        } else {
            result += char(0xC0 | (c >> 6));
            result += char(0x80 | (c & 0x3F));
        }
    }
    return result;
}

} // namespace

TXcbClipboard::TXcbClipboard(const TXcbDisplay& display) : FDisplay(display) {
    FWindow = xcb_generate_id(display.Connection());
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(display.Connection(), 0, FWindow, display.Root(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
}

TXcbClipboard::~TXcbClipboard() { xcb_destroy_window(FDisplay.Connection(), FWindow); }

void TXcbClipboard::SetText(const std::string& utf8) {
    FText = utf8;
    FOwned = true;
    xcb_set_selection_owner(FDisplay.Connection(), FWindow, FDisplay.Atoms().Clipboard, XCB_CURRENT_TIME);
    xcb_flush(FDisplay.Connection());
}

std::string TXcbClipboard::Text(const TAwaitNotify& await) {
    if (FOwned) return FText;
    xcb_connection_t* c = FDisplay.Connection();
    const auto cookie = xcb_get_selection_owner(c, FDisplay.Atoms().Clipboard);
    TXcbReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(c, cookie, nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE) return {};
    std::string text = Convert(FDisplay.Atoms().Utf8String, await);
    if (!text.empty()) return text;
    return Latin1ToUtf8(Convert(XCB_ATOM_STRING, await));
}

std::string TXcbClipboard::Convert(xcb_atom_t target, const TAwaitNotify& await) {
    xcb_connection_t* c = FDisplay.Connection();
    const TXcbAtoms& a = FDisplay.Atoms();
    xcb_convert_selection(c, FWindow, a.Clipboard, target, a.ClipboardProperty, XCB_CURRENT_TIME);
    xcb_flush(c);
    TXcbReply<xcb_generic_event_t> event = await(FWindow, 1000ms);
    if (!event) return {};
    const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(*event);
    if (notify.property == XCB_ATOM_NONE) return {};
    const auto property = xcb_get_property(c, 1, FWindow, a.ClipboardProperty, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 24);
    TXcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, property, nullptr));
    // Text too large for one property comes in pieces; that is more than a field of this program holds.
    if (!reply || reply->format != 8 || (reply->type != target && reply->type != a.Utf8String)) return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {data, size_t(xcb_get_property_value_length(reply.get()))};
}

bool TXcbClipboard::HandleEvent(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7F) {
    case XCB_SELECTION_REQUEST: {
        const auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(event);
        if (request.owner != FWindow) return false;
        Answer(request);
        return true;
    }
    case XCB_SELECTION_CLEAR: {
        const auto& clear = reinterpret_cast<const xcb_selection_clear_event_t&>(event);
        if (clear.owner != FWindow) return false;
        FOwned = false;
        FText.clear();
        return true;
    }
    default: return false;
    }
}

void TXcbClipboard::Answer(const xcb_selection_request_event_t& request) {
    const TXcbAtoms& a = FDisplay.Atoms();
    // Clients of the old conventions name no property: the target then serves as one.
    xcb_atom_t property = request.property == XCB_ATOM_NONE ? request.target : request.property;
    if (!FOwned || request.selection != a.Clipboard) {
        property = XCB_ATOM_NONE;
    } else if (request.target == a.Targets) {
        const std::array<xcb_atom_t, 4> targets{a.Targets, a.Utf8String, a.Text, XCB_ATOM_STRING};
        FDisplay.SetProperty(request.requestor, property, XCB_ATOM_ATOM, 32, targets.data(), targets.size());
    } else if (request.target == a.Utf8String || request.target == a.Text) {
        FDisplay.SetText(request.requestor, property, a.Utf8String, FText);
    } else if (request.target == XCB_ATOM_STRING) {
        FDisplay.SetText(request.requestor, property, XCB_ATOM_STRING, Utf8ToLatin1(FText));
    } else {
        property = XCB_ATOM_NONE;
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(FDisplay.Connection(), 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(FDisplay.Connection());
}
