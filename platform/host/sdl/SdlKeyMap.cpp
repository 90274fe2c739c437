#include "platform/host/sdl/SdlKeyMap.h"

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

constexpr std::array<std::pair<SDL_Keycode, int>, 38> NamedKeys{{
    {SDLK_BACKSPACE, VkBack},   {SDLK_TAB, VkTab},          {SDLK_CLEAR, VkClear},
    {SDLK_RETURN, VkReturn},    {SDLK_RETURN2, VkReturn},   {SDLK_KP_ENTER, VkReturn},
    {SDLK_LSHIFT, VkShift},     {SDLK_RSHIFT, VkShift},     {SDLK_LCTRL, VkControl},
    {SDLK_RCTRL, VkControl},    {SDLK_LALT, VkMenu},        {SDLK_RALT, VkMenu},
    {SDLK_PAUSE, VkPause},      {SDLK_CAPSLOCK, VkCapital}, {SDLK_ESCAPE, VkEscape},
    {SDLK_SPACE, VkSpace},      {SDLK_PAGEUP, VkPrior},     {SDLK_PAGEDOWN, VkNext},
    {SDLK_END, VkEnd},          {SDLK_HOME, VkHome},        {SDLK_LEFT, VkLeft},
    {SDLK_UP, VkUp},            {SDLK_RIGHT, VkRight},      {SDLK_DOWN, VkDown},
    {SDLK_PRINTSCREEN, VkSnapshot}, {SDLK_INSERT, VkInsert}, {SDLK_DELETE, VkDelete},
    {SDLK_LGUI, VkLWin},        {SDLK_RGUI, VkRWin},        {SDLK_APPLICATION, VkApps},
    {SDLK_KP_MULTIPLY, VkMultiply}, {SDLK_KP_PLUS, VkAdd},  {SDLK_KP_MINUS, VkSubtract},
    {SDLK_KP_PERIOD, VkDecimal}, {SDLK_KP_DIVIDE, VkDivide}, {SDLK_NUMLOCKCLEAR, VkNumLock},
    {SDLK_SCROLLLOCK, VkScroll}, {SDLK_KP_0, VkNumpad0},
}};

// Punctuation by position on the keyboard, as the platform numbers its OEM keys.
constexpr std::array<std::pair<SDL_Scancode, int>, 12> PunctuationKeys{{
    {SDL_SCANCODE_SEMICOLON, VkOem1},   {SDL_SCANCODE_EQUALS, VkOemPlus},   {SDL_SCANCODE_COMMA, VkOemComma},
    {SDL_SCANCODE_MINUS, VkOemMinus},   {SDL_SCANCODE_PERIOD, VkOemPeriod}, {SDL_SCANCODE_SLASH, VkOem2},
    {SDL_SCANCODE_GRAVE, VkOem3},       {SDL_SCANCODE_LEFTBRACKET, VkOem4}, {SDL_SCANCODE_BACKSLASH, VkOem5},
    {SDL_SCANCODE_RIGHTBRACKET, VkOem6}, {SDL_SCANCODE_APOSTROPHE, VkOem7}, {SDL_SCANCODE_NONUSBACKSLASH, VkOem102},
}};

int RangeKey(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return VkF1 + (sym - SDLK_F1);
    if (sym >= SDLK_F13 && sym <= SDLK_F24) return VkF1 + 12 + (sym - SDLK_F13);
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return VkNumpad0 + 1 + (sym - SDLK_KP_1);
    return 0;
}

// Layouts whose letter and digit keys give other symbols (accented letters, AZERTY digits) still have
// the platform's letter and digit codes on those keys.
int PositionalLetterOrDigit(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    return 0;
}

} // namespace

int SdlKeyToVirtualKey(const SDL_Keysym& key) {
    if (const int vk = RangeKey(key.sym)) return vk;
    for (const auto& [sym, vk] : NamedKeys)
        if (sym == key.sym) return vk;
    for (const auto& [code, vk] : PunctuationKeys)
        if (code == key.scancode) return vk;
    return PositionalLetterOrDigit(key.scancode);
}
