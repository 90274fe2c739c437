#include "platform/Color.h"
#include "platform/Exception.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

#include <gtest/gtest.h>

TEST(Geometry, IntersectionAndUnionFollowThePlatform) {
    TRect r;
    EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(r, TRect{});
    EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, -5, 20, 5)));
    EXPECT_EQ(r, Rect(5, 0, 10, 5));
    EXPECT_EQ(UnionRect(Rect(0, 0, 0, 0), Rect(3, 3, 4, 4)), Rect(3, 3, 4, 4));
    EXPECT_EQ(UnionRect(Rect(0, 0, 2, 2), Rect(3, 3, 4, 4)), Rect(0, 0, 4, 4));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 10, 10), {10, 10}));
    EXPECT_TRUE(PtInRect(Rect(0, 0, 10, 10), {9, 0}));
}

TEST(Color, SystemColoursResolveAndUnknownOnesAreBlack) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(TColor(0x800000FF)), clBlack);
    EXPECT_EQ(ColorToRGB(TColor(0x80000100)), clBlack);
    EXPECT_EQ(ColorToRGB(TColor(0xFFFFFFFF)), clBlack);
    EXPECT_EQ(ColorToPixel(clRed), 0xFF0000u);
    EXPECT_EQ(PixelToColor(0x0000FFu), clBlue);
}

TEST(Surface, ResizeKeepsTopLeftInEitherOrderAndFillsWhite) {
    TSurface s(2, 2, 0x123456);
    s.SetHeight(3);
    s.SetWidth(4);
    EXPECT_EQ(s.Pixel(1, 1), 0x123456u);
    EXPECT_EQ(s.Pixel(3, 0), TSurface::White);
    EXPECT_EQ(s.Pixel(0, 2), TSurface::White);
    s.SetWidth(1);
    EXPECT_EQ(s.Width(), 1);
    EXPECT_EQ(s.Pixel(0, 1), 0x123456u);
    s.SetSize(0, 0);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.Pixel(0, 0), 0xFFFFFFFFu);
    s.SetPixel(0, 0, 1); // outside: nothing happens
    s.SetSize(-5, 3);
    EXPECT_EQ(s.Width(), 0);
    EXPECT_THROW(s.SetSize(100000, 100000), EOutOfResources);
    EXPECT_EQ(s.Height(), 3);
}
