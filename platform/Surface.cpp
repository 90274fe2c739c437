#include "platform/Surface.h"

#include "platform/Exception.h"

#include <algorithm>
#include <string>

void TSurface::CheckSize(int width, int height, const char* what) {
    if (width > MaxDimension || height > MaxDimension || int64_t(width) * int64_t(height) > MaxPixels)
        throw EOutOfResources(std::string(what) + ": a bitmap of " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels is too large");
}

TSurface::TSurface(int width, int height, TPixel fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    CheckSize(width, height, "Bitmap");
    FWidth = width;
    FHeight = height;
    FPixels.assign(size_t(width) * size_t(height), fill);
}

void TSurface::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    CheckSize(width, height, "Bitmap");
    std::vector<TPixel> pixels(size_t(width) * size_t(height), White);
    const int keepW = std::min(width, FWidth);
    const int keepH = std::min(height, FHeight);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(Row(y), keepW, pixels.data() + size_t(y) * size_t(width));
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
}

void TSurface::Fill(TPixel pixel) { std::fill(FPixels.begin(), FPixels.end(), pixel); }
