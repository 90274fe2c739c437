#pragma once
#include <xcb/xcb.h>

#include <bitset>
#include <cstdint>
#include <string>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

// The keyboard as the X server's keyboard extension describes it: the layout's keymap, the state of the
// modifiers and groups, and which keys are down. Raises Exception when the server has no such extension.
class TXcbKeyboard {
public:
    explicit TXcbKeyboard(xcb_connection_t* connection);
    ~TXcbKeyboard();
    TXcbKeyboard(const TXcbKeyboard&) = delete;
    TXcbKeyboard& operator=(const TXcbKeyboard&) = delete;

    struct TKey {
        int VirtualKey = 0; // 0: none the platform knows
        bool Repeat = false;
        std::string Text;   // what the key types, UTF-8; empty for keys that type nothing
    };
    TKey Press(xcb_keycode_t keycode);
    TKey Release(xcb_keycode_t keycode);
    // Handles an event of the keyboard extension; false for every other event.
    bool HandleEvent(const xcb_generic_event_t& event);

private:
    void LoadKeymap();
    int VirtualKeyOf(xcb_keycode_t keycode) const;

    xcb_connection_t* FConnection;
    xkb_context* FContext = nullptr;
    xkb_keymap* FKeymap = nullptr;
    xkb_state* FState = nullptr;
    int32_t FDevice = -1;
    uint8_t FEventBase = 0;
    std::bitset<256> FDown;
};
