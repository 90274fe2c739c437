#include "platform/ScreenLayer.h"

#include <algorithm>

void DrawScreenLayer(TSurface& screen, const TSurface& pixels, TPoint at,
                     const std::optional<TRegion>& shape) {
    TRegion area(pixels.BoundsRect());
    if (shape) area &= *shape;
    area.Offset(at.X, at.Y);
    area &= TRegion(screen.BoundsRect());
    for (const TRect& r : area.Rects())
        for (int y = r.Top; y < r.Bottom; ++y)
            std::copy_n(pixels.Row(y - at.Y) + (r.Left - at.X), r.Width(), screen.Row(y) + r.Left);
}
