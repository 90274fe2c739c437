#include "platform/host/xcb/XcbKeyMap.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

namespace {

// X keycodes of a PC keyboard: evdev numbers plus 8.
constexpr uint32_t KeyQ = 24, KeyA = 38, Key1 = 10, Key0 = 19, KeySemicolon = 47, KeyMinus = 20, KeyLess = 94,
                   KeyF4 = 70, KeyReturn = 36;

TEST(XKeyMap, LettersAndDigitsFollowTheLayoutPunctuationAndTheRestThePosition) {
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_q, KeyQ), 'Q');
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_a, KeyQ), 'A'); // AZERTY: the key of Q types A
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_A, KeyA), 'A');
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_1, Key1), '1');
    // Keys whose first symbol is no letter or digit still have the platform's code of their position.
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_ampersand, Key1), '1');
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_agrave, Key0), '0');
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_ograve, KeySemicolon), 186);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_apostrophe, KeyMinus), 189);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_less, KeyLess), 226);

    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_F4, KeyF4), 0x73);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_F13, 191), 0x7C);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_Return, KeyReturn), 13);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_KP_Enter, 104), 13);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_ISO_Left_Tab, 23), 9); // Shift+Tab is still Tab
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_Alt_L, 64), 18);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_Menu, 135), 93);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_KP_7, 79), 96 + 7);
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_KP_Home, 79), 36); // the same key without Num Lock
    EXPECT_EQ(XKeyToVirtualKey(XKB_KEY_XF86AudioMute, 121), 0);
}

} // namespace
