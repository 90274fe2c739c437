#include "platform/CoverageBlend.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Two channels at a time: under + (over - under) * coverage / 255, rounded.
TPixel BlendCoverage(TPixel under, TPixel over, unsigned coverage) {
    const unsigned rest = 255 - coverage;
    uint32_t redBlue = (over & 0xFF00FF) * coverage + (under & 0xFF00FF) * rest + 0x800080;
    uint32_t green = (over & 0x00FF00) * coverage + (under & 0x00FF00) * rest + 0x008000;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    green = ((green + ((green >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
    return redBlue | green;
}

#ifdef __SSE2__

namespace {

// The same rounding on eight 16-bit channels (two pixels): a channel times a coverage fits in 16 bits.
__m128i BlendChannels(__m128i over, __m128i under, __m128i coverage) {
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(255), coverage);
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(over, coverage), _mm_mullo_epi16(under, rest));
    const __m128i t = _mm_add_epi16(sum, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

void BlendFour(TPixel* pixels, const uint8_t* coverage, __m128i overLow, __m128i overHigh) {
    const __m128i zero = _mm_setzero_si128();
    int32_t four;
    std::memcpy(&four, coverage, sizeof four);
    __m128i c = _mm_cvtsi32_si128(four);
    c = _mm_unpacklo_epi8(c, c);
    c = _mm_unpacklo_epi16(c, c); // every channel of a pixel gets its coverage
    const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i low = BlendChannels(overLow, _mm_unpacklo_epi8(under, zero), _mm_unpacklo_epi8(c, zero));
    const __m128i high = BlendChannels(overHigh, _mm_unpackhi_epi8(under, zero), _mm_unpackhi_epi8(c, zero));
    const __m128i result = _mm_and_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(0x00FFFFFF));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), result);
}

void CopyPixels(TPixel* to, const TPixel* from, int count) {
    int x = 0;
    for (; x + 4 <= count; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
    for (; x < count; ++x)
        to[x] = from[x];
}

} // namespace

void BlendCoverageRow(TPixel* pixels, const uint8_t* coverage, int count, TPixel color) {
    const __m128i colors = _mm_set1_epi32(int32_t(color));
    const __m128i overLow = _mm_unpacklo_epi8(colors, _mm_setzero_si128());
    const __m128i overHigh = _mm_unpackhi_epi8(colors, _mm_setzero_si128());
    int x = 0;
    for (; x + 4 <= count; x += 4)
        BlendFour(pixels + x, coverage + x, overLow, overHigh);
    for (; x < count; ++x)
        pixels[x] = BlendCoverage(pixels[x], color, coverage[x]);
}

bool AllEqual(const TPixel* pixels, int count, TPixel value) {
    const __m128i values = _mm_set1_epi32(int32_t(value));
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(four, values)) != 0xFFFF) return false;
    }
    for (; x < count; ++x)
        if (pixels[x] != value) return false;
    return true;
}

#else

namespace {

void CopyPixels(TPixel* to, const TPixel* from, int count) {
    std::copy_n(from, count, to);
}

} // namespace

void BlendCoverageRow(TPixel* pixels, const uint8_t* coverage, int count, TPixel color) {
    for (int x = 0; x < count; ++x)
        pixels[x] = BlendCoverage(pixels[x], color, coverage[x]);
}

bool AllEqual(const TPixel* pixels, int count, TPixel value) {
    return std::all_of(pixels, pixels + count, [value](TPixel p) { return p == value; });
}

#endif

void BlendCoverageRows(const TCoverageRows& rows, TPixel color, TPixel under, const TPixel* blended) {
    for (int y = 0; y < rows.Count; ++y) {
        TPixel* pixels = rows.Pixels + size_t(y) * rows.PixelStride;
        const size_t at = size_t(y) * rows.CoverageStride;
        if (AllEqual(pixels, rows.Width, under))
            CopyPixels(pixels, blended + at, rows.Width);
        else
            BlendCoverageRow(pixels, rows.Coverage + at, rows.Width, color);
    }
}
