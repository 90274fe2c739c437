#include "platform/DC.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TPixel Red = 0xFF0000, Blue = 0x0000FF, White = 0xFFFFFF, Black = 0;

// The surface as rows of characters, one per pixel: '.' white, '#' black, 'r' red, 'b' blue, '?' other.
std::string Picture(const TSurface& s, const TRect& area) {
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            switch (s.Pixel(x, y)) {
            case White: out += '.'; break;
            case Black: out += '#'; break;
            case Red: out += 'r'; break;
            case Blue: out += 'b'; break;
            default: out += '?';
            }
        }
        out += '\n';
    }
    return out;
}

int CountPixels(const TSurface& s, TPixel p) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == p;
    return n;
}

} // namespace

TEST(DC, OriginClipAndSaveRestoreCombine) {
    TSurface surface(20, 20);
    TDC dc(surface, {2, 3});
    const int outer = dc.SaveDC();
    dc.SetViewportOrg({4, 0});
    EXPECT_EQ(dc.IntersectClipRect(Rect(0, 0, 5, 5)), 2); // device (4,0)-(9,5), surface (6,3)-(11,8)
    dc.SaveDC();
    dc.SetViewportOrg({0, 0});
    dc.ExcludeClipRect(Rect(6, 2, 7, 3)); // device: a hole at (6,2)
    EXPECT_EQ(dc.GetClipBox(), Rect(4, 0, 9, 5));
    dc.FillRect(Rect(-10, -10, 30, 30), TBrushDesc::SolidColor(clRed));
    EXPECT_EQ(CountPixels(surface, Red), 24);
    EXPECT_EQ(surface.Pixel(8, 5), White); // the hole, at device (6,2)
    EXPECT_EQ(surface.Pixel(6, 3), Red);
    EXPECT_EQ(surface.Pixel(10, 7), Red);
    EXPECT_EQ(surface.Pixel(11, 7), White);

    ASSERT_TRUE(dc.RestoreDC(-1)); // back to origin (4,0) and the plain clip
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(4, 0));
    EXPECT_EQ(dc.GetClipBox(), Rect(0, 0, 5, 5));
    dc.FillRect(Rect(2, 2, 3, 3), TBrushDesc::SolidColor(clBlue));
    EXPECT_EQ(surface.Pixel(8, 5), Blue);
    EXPECT_TRUE(dc.PtVisible({4, 4}));
    EXPECT_FALSE(dc.PtVisible({5, 4}));

    ASSERT_TRUE(dc.RestoreDC(outer));
    EXPECT_FALSE(dc.RestoreDC(outer)); // that level is gone
    EXPECT_FALSE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(0, 0));
    EXPECT_EQ(dc.GetClipBox(), Rect(-2, -3, 18, 17)); // the whole surface again
    dc.FillRect(Rect(-5, -5, 100, 100), TBrushDesc::SolidColor(clBlack));
    EXPECT_EQ(CountPixels(surface, Black), 400);
}

TEST(DC, SystemClipAndClipRegionStayInsideTheSurface) {
    TSurface surface(10, 10);
    TDC dc(surface, {5, 5}, TRegion(Rect(4, 4, 50, 50)));
    EXPECT_EQ(dc.EffectiveClip().Bounds(), Rect(4, 4, 10, 10));
    const TRegion region(Rect(-1, -1, 2, 2)); // device coordinates: the viewport does not move it
    dc.SetViewportOrg({100, 100});
    EXPECT_EQ(dc.SelectClipRgn(&region), 2);
    EXPECT_EQ(dc.EffectiveClip().Bounds(), Rect(4, 4, 7, 7));
    const TRegion empty;
    EXPECT_EQ(dc.SelectClipRgn(&empty), 1);
    dc.FillRect(Rect(-200, -200, 200, 200), TBrushDesc::SolidColor(clBlack));
    EXPECT_EQ(CountPixels(surface, Black), 0);
    EXPECT_EQ(dc.GetClipBox(), TRect{});
    dc.SelectClipRgn(nullptr);
    surface.SetSize(6, 6); // shrunk under the DC: drawing must still stay inside
    dc.SetViewportOrg({0, 0});
    dc.FillRect(Rect(-200, -200, 200, 200), TBrushDesc::SolidColor(clBlack));
    EXPECT_EQ(CountPixels(surface, Black), 4);
}

TEST(DC, FillRectWithBrushes) {
    TSurface surface(8, 4);
    TDC dc(surface);
    dc.FillRect(Rect(3, 1, 1, 3), TBrushDesc::SolidColor(clBlack)); // inverted: nothing
    dc.FillRect(Rect(2, 2, 2, 9), TBrushDesc::SolidColor(clBlack)); // empty: nothing
    dc.FillRect(Rect(0, 0, 8, 4), {TBrushStyle::Clear, clBlack, nullptr});
    EXPECT_EQ(CountPixels(surface, Black), 0);

    auto pattern = std::make_shared<TSurface>(3, 2, White);
    pattern->SetPixel(0, 0, Red);
    pattern->SetPixel(2, 1, Blue);
    dc.SetBrushOrg({1, 0});
    dc.SetViewportOrg({5, 5}); // the pattern follows the brush origin, not the viewport
    dc.FillRect(Rect(-5, -5, 3, -1), {TBrushStyle::Pattern, clBlack, pattern});
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), ".r..r..r\n"
                                                      "b..b..b.\n"
                                                      ".r..r..r\n"
                                                      "b..b..b.\n");
}
