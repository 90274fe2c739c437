#include "platform/Color.h"

namespace {
constexpr TColor ClassicColors[COLOR_COUNT] = {
    0xC8D0D4, 0x984E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0xFF0000, 0xF0CAA6, 0xC0C0C0, 0xFF9933, 0xC8D0D4,
};
}

TColor GetSysColor(int index) {
    if (index < 0 || index >= COLOR_COUNT) return clBlack;
    return ClassicColors[index];
}

TColor ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0x7FFFFFFF);
    return color & 0xFFFFFF;
}
