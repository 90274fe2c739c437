#pragma once
#include "platform/DC.h"
#include "platform/Surface.h"

#include <vector>

// The platform's image list: images of one size, each with an optional mask (white = transparent).
class TNativeImageList {
  public:
    TNativeImageList(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }

    // A bitmap wider than the list's width gives floor(W / width) images; returns the index of the first.
    int Add(const TSurface& image);
    int AddMasked(const TSurface& image, TColor keyColor);
    // With a mask strip of the image's size: white where the image is transparent.
    int Add(const TSurface& image, const TSurface& mask);
    void Delete(int index);
    void Clear();

    // An index out of range draws nothing. Disabled images are drawn in the platform's embossed look.
    void Draw(TDC& dc, int index, int x, int y, bool enabled = true) const;
    TSurface GetImage(int index) const; // white where the mask is transparent; empty when out of range

  private:
    struct TEntry {
        TSurface Image;
        TSurface Mask; // empty: opaque
    };
    int AddStrip(const TSurface& image, const TColor* keyColor, const TSurface* mask);

    int FWidth;
    int FHeight;
    std::vector<TEntry> FImages;
};
