#include "platform/NativeImageList.h"

#include <algorithm>

namespace {

// The width x height piece of `image` from column `left`; what the image lacks stays white.
TSurface Cut(const TSurface& image, int left, int width, int height) {
    TSurface piece(width, height);
    const int rows = std::min(height, image.Height());
    const int columns = std::clamp(image.Width() - left, 0, width);
    for (int y = 0; y < rows; ++y)
        std::copy_n(image.Row(y) + left, columns, piece.Row(y));
    return piece;
}

// White where the image has the key colour (transparent), black elsewhere.
TSurface KeyMask(const TSurface& image, TPixel key) {
    TSurface mask(image.Width(), image.Height(), 0);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Row(y)[x] == key) mask.Row(y)[x] = TSurface::White;
    return mask;
}

// A pixel takes part in the disabled look when its luminance is below three quarters of full white: outlines
// and strong colours stay, while white and light grey fills (which would vanish into a button face) drop out.
bool IsDark(TPixel p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return 299 * r + 587 * g + 114 * b < 192 * 1000;
}

// Black (drawn) where the opaque pixels of the image are dark.
TSurface DarkShape(const TSurface& image, const TSurface& mask) {
    TSurface shape(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const bool opaque = mask.IsEmpty() || mask.Row(y)[x] == 0;
            if (opaque && IsDark(image.Row(y)[x])) shape.Row(y)[x] = 0;
        }
    return shape;
}

void DrawInColor(TDC& dc, const TSurface& shape, int x, int y, TColor color) {
    const TSurface ink(shape.Width(), shape.Height(), ColorToPixel(color));
    dc.MaskedBlt(x, y, ink, shape, ink.BoundsRect());
}

} // namespace

TNativeImageList::TNativeImageList(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)) {}

int TNativeImageList::Add(const TSurface& image) {
    return AddStrip(image, nullptr, nullptr);
}

int TNativeImageList::AddMasked(const TSurface& image, TColor keyColor) {
    return AddStrip(image, &keyColor, nullptr);
}

int TNativeImageList::Add(const TSurface& image, const TSurface& mask) {
    return AddStrip(image, nullptr, &mask);
}

// Any mask pixel other than black is transparent; a mask smaller than the image leaves the rest transparent.
int TNativeImageList::AddStrip(const TSurface& image, const TColor* keyColor, const TSurface* mask) {
    if (FWidth == 0 || FHeight == 0 || image.IsEmpty()) return -1;
    const int count = image.Width() / FWidth;
    if (count == 0) return -1;
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        TEntry entry{Cut(image, i * FWidth, FWidth, FHeight), {}};
        if (keyColor) entry.Mask = KeyMask(entry.Image, ColorToPixel(*keyColor));
        if (mask) entry.Mask = Cut(*mask, i * FWidth, FWidth, FHeight);
        FImages.push_back(std::move(entry));
    }
    return first;
}

void TNativeImageList::Delete(int index) {
    if (index >= 0 && index < Count()) FImages.erase(FImages.begin() + index);
}

void TNativeImageList::Clear() {
    FImages.clear();
}

// Disabled: the dark part of the image as a shape, in the highlight colour one pixel down and right, then in
// the shadow colour on top at the image's place.
void TNativeImageList::Draw(TDC& dc, int index, int x, int y, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const TEntry& entry = FImages[size_t(index)];
    if (!enabled) {
        const TSurface shape = DarkShape(entry.Image, entry.Mask);
        DrawInColor(dc, shape, x + 1, y + 1, clBtnHighlight);
        DrawInColor(dc, shape, x, y, clBtnShadow);
    } else if (entry.Mask.IsEmpty()) {
        dc.BitBlt(x, y, FWidth, FHeight, entry.Image, 0, 0);
    } else {
        dc.MaskedBlt(x, y, entry.Image, entry.Mask, entry.Image.BoundsRect());
    }
}

TSurface TNativeImageList::GetImage(int index) const {
    if (index < 0 || index >= Count()) return {};
    const TEntry& entry = FImages[size_t(index)];
    TSurface image = entry.Image;
    if (entry.Mask.IsEmpty()) return image;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (entry.Mask.Row(y)[x] != 0) image.Row(y)[x] = TSurface::White;
    return image;
}
