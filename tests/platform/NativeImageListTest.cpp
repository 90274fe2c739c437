#include "platform/NativeImageList.h"

#include <gtest/gtest.h>

namespace {
constexpr TPixel Magenta = 0xFF00FF, Red = 0xFF0000, Black = 0, White = 0xFFFFFF, Face = 0x123456;

// A strip of `count` 3 x 2 frames, frame i filled with the pixel i + 1 and a magenta top-left corner.
TSurface Strip(int width) {
    TSurface strip(width, 2);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < 2; ++y)
            strip.SetPixel(x, y, x % 3 == 0 && y == 0 ? Magenta : TPixel(x / 3 + 1));
    return strip;
}
} // namespace

TEST(NativeImageList, WiderBitmapGivesWholeImagesOnly) {
    TNativeImageList list(3, 2);
    EXPECT_EQ(list.Add(Strip(11)), 0); // floor(11 / 3) = 3 images, the last two columns unused
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.AddMasked(Strip(6), TColor(0xFF00FF)), 3);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Add(Strip(2)), -1); // narrower than one image
    EXPECT_EQ(list.Count(), 5);

    const TSurface third = list.GetImage(2);
    ASSERT_EQ(third.Width(), 3);
    ASSERT_EQ(third.Height(), 2);
    EXPECT_EQ(third.Pixel(0, 0), Magenta); // opaque: the key colour is kept
    EXPECT_EQ(third.Pixel(2, 1), 3u);
    const TSurface masked = list.GetImage(4);
    EXPECT_EQ(masked.Pixel(0, 0), White); // transparent pixels come back white
    EXPECT_EQ(masked.Pixel(1, 0), 2u);
    EXPECT_TRUE(list.GetImage(5).IsEmpty());
    EXPECT_TRUE(list.GetImage(-1).IsEmpty());

    list.Delete(0);
    list.Delete(7);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetImage(0).Pixel(1, 1), 2u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(NativeImageList, DrawsMaskedAndNothingOutOfRange) {
    TNativeImageList list(3, 2);
    list.AddMasked(Strip(6), TColor(0xFF00FF));
    list.Add(Strip(3));
    TSurface surface(8, 3, Face);
    TDC dc(surface);
    list.Draw(dc, 1, 1, 1);
    EXPECT_EQ(surface.Pixel(1, 1), Face); // the key pixel is see-through
    EXPECT_EQ(surface.Pixel(2, 1), 2u);
    EXPECT_EQ(surface.Pixel(3, 2), 2u);
    list.Draw(dc, 2, 5, 0);
    EXPECT_EQ(surface.Pixel(5, 0), Magenta); // added without a mask: opaque
    const TSurface before = surface;
    list.Draw(dc, 3, 0, 0);
    list.Draw(dc, -1, 0, 0);
    list.Draw(dc, 3, 0, 0, false);
    EXPECT_EQ(surface, before);
}

TEST(NativeImageList, DisabledImageIsEmbossedFromItsDarkPixels) {
    TSurface image(4, 3, White);
    image.SetPixel(0, 0, Magenta); // transparent
    image.SetPixel(1, 0, Black);
    image.SetPixel(1, 1, Red);      // dark enough
    image.SetPixel(2, 1, 0x404040); // its shadow covers the black pixel's highlight
    image.SetPixel(0, 2, 0xC0C0C0); // light grey: left out
    image.SetPixel(3, 2, Black);    // its highlight falls outside the image's cell
    TNativeImageList list(4, 3);
    list.AddMasked(image, TColor(0xFF00FF));
    TSurface surface(6, 5, Face);
    TDC dc(surface);
    list.Draw(dc, 0, 1, 1, false);
    const TPixel S = ColorToPixel(clBtnShadow), H = ColorToPixel(clBtnHighlight), F = Face;
    const TPixel expected[5][6] = {
        {F, F, F, F, F, F}, {F, F, S, F, F, F}, {F, F, S, S, F, F}, {F, F, F, H, S, F}, {F, F, F, F, F, H},
    };
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(surface.Pixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(NativeImageList, ZeroSizesAreSafe) {
    TNativeImageList empty(0, 0);
    EXPECT_EQ(empty.Add(Strip(9)), -1);
    EXPECT_EQ(empty.AddMasked(Strip(9), clWhite), -1);
    TNativeImageList list(-3, 2);
    EXPECT_EQ(list.Width(), 0);
    TNativeImageList normal(3, 2);
    EXPECT_EQ(normal.Add(TSurface()), -1);
    TSurface nothing;
    TDC dc(nothing);
    normal.Add(Strip(3));
    normal.Draw(dc, 0, 0, 0);
    normal.Draw(dc, 0, 0, 0, false);
    EXPECT_TRUE(nothing.IsEmpty());
}
