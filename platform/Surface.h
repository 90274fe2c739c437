#pragma once
#include "platform/Color.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

// A 32-bit bitmap in memory: what device contexts draw on and what image codecs fill.
class TSurface {
public:
    // Larger sizes are refused before anything is allocated.
    static constexpr int MaxDimension = 1 << 15;
    static constexpr int64_t MaxPixels = int64_t(1) << 26;
    static constexpr TPixel White = 0xFFFFFF;

    TSurface() = default;
    TSurface(int width, int height, TPixel fill = White);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool IsEmpty() const { return FWidth == 0 || FHeight == 0; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }

    // Keeps the top-left pixels; new area is white. Negative sizes become 0; absurd ones raise EOutOfResources.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void Fill(TPixel pixel);

    TPixel* Row(int y) { return FPixels.data() + size_t(y) * size_t(FWidth); }
    const TPixel* Row(int y) const { return FPixels.data() + size_t(y) * size_t(FWidth); }
    bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
    // Outside the surface: reads give `outside`, writes do nothing.
    TPixel Pixel(int x, int y, TPixel outside = 0xFFFFFFFF) const {
        return InBounds(x, y) ? Row(y)[x] : outside;
    }
    void SetPixel(int x, int y, TPixel p) {
        if (InBounds(x, y)) Row(y)[x] = p;
    }
    TPixel* Data() { return FPixels.data(); }
    const TPixel* Data() const { return FPixels.data(); }
    int Stride() const { return FWidth * 4; }

    friend bool operator==(const TSurface&, const TSurface&) = default;

    static void CheckSize(int width, int height, const char* what);

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TPixel> FPixels;
};
