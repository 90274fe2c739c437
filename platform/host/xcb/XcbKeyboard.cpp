#include "platform/host/xcb/XcbKeyboard.h"

#include "platform/Exception.h"
#include "platform/host/xcb/XcbKeyMap.h"

// The keyboard extension's header names a field `explicit`, a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace {

constexpr uint16_t SelectedEvents =
    XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY | XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
constexpr uint16_t MapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                              XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                              XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                              XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;

// The first bytes every keyboard extension event shares.
struct TXkbEventHead {
    uint8_t ResponseType;
    uint8_t XkbType;
    uint16_t Sequence;
    xcb_timestamp_t Time;
    uint8_t DeviceId;
};

bool IsPrintable(const std::string& text) {
    return !text.empty() && static_cast<unsigned char>(text[0]) >= 0x20 && text != "\x7F";
}

} // namespace

TXcbKeyboard::TXcbKeyboard(xcb_connection_t* connection) : FConnection(connection) {
    if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &FEventBase, nullptr))
        throw Exception("The display has no keyboard extension");
    FContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    FDevice = xkb_x11_get_core_keyboard_device_id(connection);
    if (!FContext || FDevice < 0) throw Exception("The display's keyboard cannot be read");
    LoadKeymap();
    xcb_xkb_select_events(connection, uint16_t(FDevice), SelectedEvents, 0, SelectedEvents, MapParts, MapParts,
                          nullptr);
    // Held keys repeat as presses alone, so that a repeat can be told from a new press.
    constexpr uint32_t Detectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_discard_reply(connection, xcb_xkb_per_client_flags(connection, uint16_t(FDevice), Detectable, Detectable,
                                                           0, 0, 0).sequence);
}

TXcbKeyboard::~TXcbKeyboard() {
    xkb_state_unref(FState);
    xkb_keymap_unref(FKeymap);
    xkb_context_unref(FContext);
}

void TXcbKeyboard::LoadKeymap() {
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(FContext, FConnection, FDevice, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state* state = keymap ? xkb_x11_state_new_from_device(keymap, FConnection, FDevice) : nullptr;
    if (!state) {
        xkb_keymap_unref(keymap);
        if (!FState) throw Exception("The display's keyboard layout cannot be read");
        return; // keep the layout we had
    }
    xkb_state_unref(FState);
    xkb_keymap_unref(FKeymap);
    FKeymap = keymap;
    FState = state;
}

int TXcbKeyboard::VirtualKeyOf(xcb_keycode_t keycode) const {
    const xkb_layout_index_t layout = xkb_state_key_get_layout(FState, keycode);
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(FKeymap, keycode, layout == XKB_LAYOUT_INVALID ? 0 : layout,
                                                       0, &syms);
    return XKeyToVirtualKey(count > 0 ? syms[0] : XKB_KEY_NoSymbol, keycode);
}

TXcbKeyboard::TKey TXcbKeyboard::Press(xcb_keycode_t keycode) {
    TKey key;
    key.VirtualKey = VirtualKeyOf(keycode);
    key.Repeat = FDown.test(keycode);
    FDown.set(keycode);
    // Control and Alt make shortcuts, not text.
    if (xkb_state_mod_name_is_active(FState, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0 ||
        xkb_state_mod_name_is_active(FState, XKB_MOD_NAME_ALT, XKB_STATE_MODS_EFFECTIVE) > 0)
        return key;
    char text[64] = {};
    xkb_state_key_get_utf8(FState, keycode, text, sizeof text);
    if (IsPrintable(text)) key.Text = text;
    return key;
}

TXcbKeyboard::TKey TXcbKeyboard::Release(xcb_keycode_t keycode) {
    TKey key;
    key.VirtualKey = VirtualKeyOf(keycode);
    FDown.reset(keycode);
    return key;
}

bool TXcbKeyboard::HandleEvent(const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7F) != FEventBase) return false;
    const auto& head = reinterpret_cast<const TXkbEventHead&>(event);
    if (head.DeviceId != FDevice) return true;
    switch (head.XkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY: LoadKeymap(); break;
    case XCB_XKB_STATE_NOTIFY: {
        const auto& s = reinterpret_cast<const xcb_xkb_state_notify_event_t&>(event);
        xkb_state_update_mask(FState, s.baseMods, s.latchedMods, s.lockedMods, xkb_layout_index_t(s.baseGroup),
                              xkb_layout_index_t(s.latchedGroup), s.lockedGroup);
        break;
    }
    default: break;
    }
    return true;
}
