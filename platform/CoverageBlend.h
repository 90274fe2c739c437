#pragma once
#include "platform/Surface.h"

#include <cstdint>

// A colour laid over a pixel by an 8-bit coverage (0 keeps the pixel, 255 gives the colour), on each of the
// three channels with rounding; the top byte of the result is 0.
TPixel BlendCoverage(TPixel under, TPixel over, unsigned coverage);
// BlendCoverage of `color` over each of `count` pixels by the coverage at the same index.
void BlendCoverageRow(TPixel* pixels, const uint8_t* coverage, int count, TPixel color);
