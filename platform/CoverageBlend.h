#pragma once
#include "platform/Surface.h"

#include <cstddef>
#include <cstdint>

// A colour laid over a pixel by an 8-bit coverage (0 keeps the pixel, 255 gives the colour), on each of the
// three channels with rounding; the top byte of the result is 0.
TPixel BlendCoverage(TPixel under, TPixel over, unsigned coverage);
// BlendCoverage of `color` over each of `count` pixels by the coverage at the same index.
void BlendCoverageRow(TPixel* pixels, const uint8_t* coverage, int count, TPixel color);
// Whether each of the `count` pixels is `value`.
bool AllEqual(const TPixel* pixels, int count, TPixel value);
// Rows of pixels and the coverage for them, each row Width long, rows Stride apart.
struct TCoverageRows {
    TPixel* Pixels = nullptr;
    size_t PixelStride = 0;
    const uint8_t* Coverage = nullptr;
    size_t CoverageStride = 0; // `blended` below has the same
    int Width = 0;
    int Count = 0;
};
// BlendCoverageRow on each row, where `blended` holds the rows already blended over `under`: a row that is
// all `under` is copied from there.
void BlendCoverageRows(const TCoverageRows& rows, TPixel color, TPixel under, const TPixel* blended);
