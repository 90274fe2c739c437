#include "classlib/Icon.h"

#include "classlib/Streams.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// The average of the opaque pixels of the box, or the key when at least half of them are transparent.
TPixel AverageOpaque(const TSurface& image, const TRect& box, TPixel key) {
    int64_t r = 0, g = 0, b = 0, opaque = 0;
    for (int y = box.Top; y < box.Bottom; ++y) {
        for (int x = box.Left; x < box.Right; ++x) {
            const TPixel p = image.Row(y)[x];
            if (p == key) continue;
            r += (p >> 16) & 0xFF;
            g += (p >> 8) & 0xFF;
            b += p & 0xFF;
            ++opaque;
        }
    }
    if (opaque * 2 <= int64_t(box.Width()) * box.Height()) return key;
    return TPixel(r / opaque) << 16 | TPixel(g / opaque) << 8 | TPixel(b / opaque);
}

// Each target pixel averages the source pixels it covers, so a scaled-down icon keeps its thin lines.
TSurface ScaleKeyed(const TSurface& image, int width, int height, TPixel key) {
    TSurface scaled(width, height, key);
    auto span = [](int i, int from, int to) {
        const int first = int(int64_t(i) * from / to);
        return std::pair{first, std::max(first + 1, int(int64_t(i + 1) * from / to))};
    };
    for (int ty = 0; ty < height; ++ty) {
        const auto [y0, y1] = span(ty, image.Height(), height);
        for (int tx = 0; tx < width; ++tx) {
            const auto [x0, x1] = span(tx, image.Width(), width);
            scaled.Row(ty)[tx] = AverageOpaque(image, Rect(x0, y0, x1, y1), key);
        }
    }
    return scaled;
}

} // namespace

void TIcon::SetWidth(int value) {
    if (value != Width())
        throw EInvalidGraphic("An icon cannot be resized (width " + std::to_string(value) + ")");
}

void TIcon::SetHeight(int value) {
    if (value != Height())
        throw EInvalidGraphic("An icon cannot be resized (height " + std::to_string(value) + ")");
}

void TIcon::SetImage(TSurface image) {
    FImage = std::move(image);
    Changed();
}

void TIcon::LoadFromResourceName(std::string_view resourceName, int width, int height) {
    const std::string name(resourceName);
    TSurface image = DecodeImage(FindResource(name), name);
    const bool resize =
        width > 0 && height > 0 && !image.IsEmpty() && (width != image.Width() || height != image.Height());
    SetImage(resize ? ScaleKeyed(image, width, height, RGBToPixel(KeyColor)) : std::move(image));
}

void TIcon::LoadFromStream(TStream& stream) {
    SetImage(ReadImage(stream, stream.Size() - stream.Position()));
}

void TIcon::SaveToStream(TStream& stream) const {
    WriteBMP(stream, FImage);
}

void TIcon::Assign(const TPersistent* source) {
    auto* icon = dynamic_cast<const TIcon*>(source);
    if (!icon) return inherited::Assign(source);
    if (icon != this) SetImage(icon->FImage);
}

void TIcon::Draw(TDC& dc, const TRect& rect, TCopyMode) const {
    dc.TransparentBlt(rect, FImage, FImage.BoundsRect(), KeyColor);
}
