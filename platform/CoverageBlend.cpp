#include "platform/CoverageBlend.h"

#include <cstring>

namespace {

// Four pixels at a time, a channel in each 16-bit lane: a channel times a coverage fits in 16 bits.
using TBytes16 = uint8_t __attribute__((vector_size(16)));
using TWords16 = uint16_t __attribute__((vector_size(32)));
using TBytes4 = uint8_t __attribute__((vector_size(4)));
using TQuads4 = uint32_t __attribute__((vector_size(16)));

void BlendFour(TPixel* pixels, const uint8_t* coverage, const TWords16& over) {
    TBytes16 under;
    std::memcpy(&under, pixels, sizeof under);
    TBytes4 cover;
    std::memcpy(&cover, coverage, sizeof cover);
    TQuads4 each = __builtin_convertvector(cover, TQuads4);
    each |= (each << 8) | (each << 16) | (each << 24); // every channel of a pixel gets its coverage
    TBytes16 coverBytes;
    std::memcpy(&coverBytes, &each, sizeof coverBytes);
    const TWords16 c = __builtin_convertvector(coverBytes, TWords16);
    TWords16 t = over * c + __builtin_convertvector(under, TWords16) * (255 - c) + 128;
    t = (t + (t >> 8)) >> 8;
    TQuads4 result;
    const TBytes16 blended = __builtin_convertvector(t, TBytes16);
    std::memcpy(&result, &blended, sizeof result);
    result &= 0x00FFFFFF;
    std::memcpy(pixels, &result, sizeof result);
}

} // namespace

// Two channels at a time: under + (over - under) * coverage / 255, rounded.
TPixel BlendCoverage(TPixel under, TPixel over, unsigned coverage) {
    const unsigned rest = 255 - coverage;
    uint32_t redBlue = (over & 0xFF00FF) * coverage + (under & 0xFF00FF) * rest + 0x800080;
    uint32_t green = (over & 0x00FF00) * coverage + (under & 0x00FF00) * rest + 0x008000;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    green = ((green + ((green >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
    return redBlue | green;
}

void BlendCoverageRow(TPixel* pixels, const uint8_t* coverage, int count, TPixel color) {
    TBytes16 colorBytes;
    const TQuads4 colors = {color, color, color, color};
    std::memcpy(&colorBytes, &colors, sizeof colorBytes);
    const TWords16 over = __builtin_convertvector(colorBytes, TWords16);
    int x = 0;
    for (; x + 4 <= count; x += 4)
        BlendFour(pixels + x, coverage + x, over);
    for (; x < count; ++x)
        pixels[x] = BlendCoverage(pixels[x], color, coverage[x]);
}
