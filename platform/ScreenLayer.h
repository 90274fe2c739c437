#pragma once
#include "platform/Region.h"
#include "platform/Surface.h"

#include <optional>

// Draws a top-level window's pixels onto a picture of the screen at its screen position, through its shape
// (window coordinates) when it has one.
void DrawScreenLayer(TSurface& screen, const TSurface& pixels, TPoint at,
                     const std::optional<TRegion>& shape);
