#include "platform/host/xcb/XcbKeyMap.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>
#include <utility>

namespace {

// The platform's virtual-key numbers that have no character of their own.
enum : int {
    VkBack = 8, VkTab = 9, VkClear = 12, VkReturn = 13, VkShift = 16, VkControl = 17, VkMenu = 18,
    VkPause = 19, VkCapital = 20, VkEscape = 27, VkSpace = 32, VkPrior = 33, VkNext = 34, VkEnd = 35,
    VkHome = 36, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40, VkSnapshot = 44, VkInsert = 45,
    VkDelete = 46, VkLWin = 91, VkRWin = 92, VkApps = 93, VkNumpad0 = 96, VkMultiply = 106, VkAdd = 107,
    VkSubtract = 109, VkDecimal = 110, VkDivide = 111, VkF1 = 112, VkNumLock = 144, VkScroll = 145,
    VkOem1 = 186, VkOemPlus = 187, VkOemComma = 188, VkOemMinus = 189, VkOemPeriod = 190, VkOem2 = 191,
    VkOem3 = 192, VkOem4 = 219, VkOem5 = 220, VkOem6 = 221, VkOem7 = 222, VkOem102 = 226
};

constexpr std::array<std::pair<uint32_t, int>, 52> NamedKeys{{
    {XKB_KEY_BackSpace, VkBack},    {XKB_KEY_Tab, VkTab},           {XKB_KEY_ISO_Left_Tab, VkTab},
    {XKB_KEY_Clear, VkClear},       {XKB_KEY_Return, VkReturn},     {XKB_KEY_KP_Enter, VkReturn},
    {XKB_KEY_Shift_L, VkShift},     {XKB_KEY_Shift_R, VkShift},     {XKB_KEY_Control_L, VkControl},
    {XKB_KEY_Control_R, VkControl}, {XKB_KEY_Alt_L, VkMenu},        {XKB_KEY_Alt_R, VkMenu},
    {XKB_KEY_ISO_Level3_Shift, VkMenu}, {XKB_KEY_Pause, VkPause},   {XKB_KEY_Caps_Lock, VkCapital},
    {XKB_KEY_Escape, VkEscape},     {XKB_KEY_space, VkSpace},       {XKB_KEY_Prior, VkPrior},
    {XKB_KEY_Next, VkNext},         {XKB_KEY_End, VkEnd},           {XKB_KEY_Home, VkHome},
    {XKB_KEY_Left, VkLeft},         {XKB_KEY_Up, VkUp},             {XKB_KEY_Right, VkRight},
    {XKB_KEY_Down, VkDown},         {XKB_KEY_Print, VkSnapshot},    {XKB_KEY_Insert, VkInsert},
    {XKB_KEY_Delete, VkDelete},     {XKB_KEY_Super_L, VkLWin},      {XKB_KEY_Super_R, VkRWin},
    {XKB_KEY_Menu, VkApps},         {XKB_KEY_KP_Multiply, VkMultiply}, {XKB_KEY_KP_Add, VkAdd},
    {XKB_KEY_KP_Subtract, VkSubtract}, {XKB_KEY_KP_Decimal, VkDecimal}, {XKB_KEY_KP_Delete, VkDecimal},
    {XKB_KEY_KP_Divide, VkDivide},  {XKB_KEY_Num_Lock, VkNumLock},  {XKB_KEY_Scroll_Lock, VkScroll},
    {XKB_KEY_KP_Insert, VkNumpad0}, {XKB_KEY_KP_Home, VkHome},      {XKB_KEY_KP_End, VkEnd},
    {XKB_KEY_KP_Prior, VkPrior},    {XKB_KEY_KP_Next, VkNext},      {XKB_KEY_KP_Left, VkLeft},
    {XKB_KEY_KP_Right, VkRight},    {XKB_KEY_KP_Up, VkUp},          {XKB_KEY_KP_Down, VkDown},
    {XKB_KEY_KP_Begin, VkClear},    {XKB_KEY_KP_Space, VkSpace},    {XKB_KEY_KP_Tab, VkTab},
    {XKB_KEY_KP_Equal, VkOemPlus},
}};

// Evdev key numbers plus 8, as X numbers the keys of a PC keyboard.
constexpr uint32_t KeyOffset = 8;

// Punctuation by position on the keyboard, as the platform numbers its OEM keys.
constexpr std::array<std::pair<uint32_t, int>, 12> PunctuationKeys{{
    {39 + KeyOffset, VkOem1},   {13 + KeyOffset, VkOemPlus},   {51 + KeyOffset, VkOemComma},
    {12 + KeyOffset, VkOemMinus}, {52 + KeyOffset, VkOemPeriod}, {53 + KeyOffset, VkOem2},
    {41 + KeyOffset, VkOem3},   {26 + KeyOffset, VkOem4},      {43 + KeyOffset, VkOem5},
    {27 + KeyOffset, VkOem6},   {40 + KeyOffset, VkOem7},      {86 + KeyOffset, VkOem102},
}};

// The letters in the order of their keys' evdev numbers, row by row.
constexpr std::array<std::pair<uint32_t, const char*>, 3> LetterRows{{
    {16 + KeyOffset, "QWERTYUIOP"}, {30 + KeyOffset, "ASDFGHJKL"}, {44 + KeyOffset, "ZXCVBNM"}}};

int RangeKey(uint32_t sym) {
    if (sym >= XKB_KEY_a && sym <= XKB_KEY_z) return 'A' + int(sym - XKB_KEY_a);
    if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z) return 'A' + int(sym - XKB_KEY_A);
    if (sym >= XKB_KEY_0 && sym <= XKB_KEY_9) return '0' + int(sym - XKB_KEY_0);
    if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F24) return VkF1 + int(sym - XKB_KEY_F1);
    if (sym >= XKB_KEY_KP_0 && sym <= XKB_KEY_KP_9) return VkNumpad0 + int(sym - XKB_KEY_KP_0);
    return 0;
}

int PositionalLetterOrDigit(uint32_t keycode) {
    if (keycode >= 2 + KeyOffset && keycode <= 10 + KeyOffset) return '1' + int(keycode - 2 - KeyOffset);
    if (keycode == 11 + KeyOffset) return '0';
    for (const auto& [first, letters] : LetterRows)
        for (uint32_t i = 0; letters[i]; ++i)
            if (keycode == first + i) return letters[i];
    return 0;
}

} // namespace

int XKeyToVirtualKey(uint32_t symbol, uint32_t keycode) {
    if (const int vk = RangeKey(symbol)) return vk;
    for (const auto& [sym, vk] : NamedKeys)
        if (sym == symbol) return vk;
    for (const auto& [code, vk] : PunctuationKeys)
        if (code == keycode) return vk;
    return PositionalLetterOrDigit(keycode);
}
