#include "platform/host/xcb/XcbDisplay.h"

#include "platform/Exception.h"
#include "platform/Utf8.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

std::string DisplayName() {
    const char* name = std::getenv("DISPLAY");
    return name ? name : "";
}

const xcb_screen_t* ScreenNumber(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem; --number, xcb_screen_next(&it))
        if (number == 0) return it.data;
    return nullptr;
}

const xcb_visualtype_t* RootVisual(const xcb_screen_t& screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem; xcb_depth_next(&depths))
        for (auto v = xcb_depth_visuals_iterator(depths.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen.root_visual) return v.data;
    return nullptr;
}

// Back buffers go to the server as they are: 32-bit little-endian words of 0x00RRGGBB.
bool ShowsOurPixels(xcb_connection_t* connection, const xcb_screen_t& screen) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || screen.root_depth != 24) return false;
    bool thirtyTwoBits = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == 24) thirtyTwoBits = f.data->bits_per_pixel == 32;
    const xcb_visualtype_t* visual = RootVisual(screen);
    return thirtyTwoBits && visual && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
           visual->blue_mask == 0xFF;
}

TXcbAtoms InternAtoms(xcb_connection_t* connection) {
    static constexpr std::array Names{"WM_PROTOCOLS",   "WM_DELETE_WINDOW", "WM_STATE",      "WM_CHANGE_STATE",
                                      "WM_S0",          "_NET_WM_NAME",     "_NET_WM_ICON",  "_NET_WM_PID",
                                      "_NET_WORKAREA",  "_NET_ACTIVE_WINDOW", "_MOTIF_WM_HINTS", "UTF8_STRING",
                                      "CLIPBOARD",      "TARGETS",          "TEXT",          "VMR_CLIPBOARD"};
    static_assert(Names.size() * sizeof(xcb_atom_t) == sizeof(TXcbAtoms));
    std::array<xcb_intern_atom_cookie_t, Names.size()> cookies{};
    for (size_t i = 0; i < Names.size(); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(std::strlen(Names[i])), Names[i]);
    std::array<xcb_atom_t, Names.size()> atoms{};
    for (size_t i = 0; i < Names.size(); ++i) {
        TXcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    TXcbAtoms result;
    std::memcpy(&result, atoms.data(), sizeof result);
    return result;
}

} // namespace

std::string Utf8ToLatin1(const std::string& utf8) {
    std::string result;
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        result += c < 0x100 ? char(c) : '?';
    }
    return result;
}

TXcbDisplay::TXcbDisplay() {
    int screenNumber = 0;
    FConnection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(FConnection)) {
        xcb_disconnect(FConnection);
        throw Exception("Cannot open the display \"" + DisplayName() + "\"");
    }
    FScreen = ScreenNumber(FConnection, screenNumber);
    if (!FScreen || !ShowsOurPixels(FConnection, *FScreen)) {
        xcb_disconnect(FConnection);
        throw Exception("The display \"" + DisplayName() + "\" does not show 24-bit true colour");
    }
    FAtoms = InternAtoms(FConnection);
    FMaxRequestBytes = size_t(xcb_get_maximum_request_length(FConnection)) * 4;
}

TXcbDisplay::~TXcbDisplay() { xcb_disconnect(FConnection); }

void TXcbDisplay::SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, int format,
                              const void* data, size_t count) const {
    xcb_change_property(FConnection, XCB_PROP_MODE_REPLACE, window, property, type, uint8_t(format),
                        uint32_t(count), data);
}

void TXcbDisplay::SetText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const std::string& text) const {
    SetProperty(window, property, type, 8, text.data(), text.size());
}

std::vector<uint32_t> TXcbDisplay::Cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    const auto cookie = xcb_get_property(FConnection, 0, window, property, type, 0, 1 << 16);
    TXcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(FConnection, cookie, nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* items = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {items, items + xcb_get_property_value_length(reply.get()) / 4};
}

bool TXcbDisplay::HasWindowManager() const {
    const auto cookie = xcb_get_selection_owner(FConnection, FAtoms.WmS0);
    TXcbReply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(FConnection, cookie, nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}
