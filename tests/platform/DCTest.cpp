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
            case White:
                out += '.';
                break;
            case Black:
                out += '#';
                break;
            case Red:
                out += 'r';
                break;
            case Blue:
                out += 'b';
                break;
            default:
                out += '?';
            }
        }
        out += '\n';
    }
    return out;
}

int CountPixels(const TSurface& s, TPixel p) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            n += s.Pixel(x, y) == p;
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
    EXPECT_EQ(dc.ExcludeClipRect(Rect(6, 2, 7, 3)), 3); // device: a hole at (6,2)
    EXPECT_FALSE(dc.RectVisible(Rect(6, 2, 7, 3)));
    EXPECT_TRUE(dc.RectVisible(Rect(6, 2, 8, 3)));
    EXPECT_EQ(dc.GetClipBox(), Rect(4, 0, 9, 5));
    dc.FillRect(Rect(-10, -10, 30, 30), TBrushDesc::SolidColor(clRed));
    EXPECT_EQ(CountPixels(surface, Red), 24);
    EXPECT_EQ(surface.Pixel(8, 5), White); // the hole, at device (6,2)
    EXPECT_EQ(surface.Pixel(6, 3), Red);
    EXPECT_EQ(surface.Pixel(10, 7), Red);
    EXPECT_EQ(surface.Pixel(11, 7), White);

    ASSERT_TRUE(dc.RestoreDC(-1)); // back to origin (4,0) and the plain clip
    EXPECT_EQ(dc.GetViewportOrg(), (TPoint{4, 0}));
    EXPECT_EQ(dc.GetClipBox(), Rect(0, 0, 5, 5));
    dc.FillRect(Rect(2, 2, 3, 3), TBrushDesc::SolidColor(clBlue));
    EXPECT_EQ(surface.Pixel(8, 5), Blue);
    EXPECT_TRUE(dc.PtVisible({4, 4}));
    EXPECT_FALSE(dc.PtVisible({5, 4}));

    ASSERT_TRUE(dc.RestoreDC(outer));
    EXPECT_FALSE(dc.RestoreDC(outer)); // that level is gone
    EXPECT_FALSE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetViewportOrg(), (TPoint{0, 0}));
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

TEST(DC, ASolidFillCoversExactlyItsRectangleAtEveryWidth) {
    // Rows are filled in doubling block copies: every width and start must still end on the right pixel.
    TSurface surface(80, 1);
    TDC dc(surface);
    for (int left : {0, 1, 7}) {
        for (int width = 1; width <= 70; ++width) {
            surface.Fill(White);
            dc.FillRect(Bounds(left, 0, width, 1), TBrushDesc::SolidColor(clBlack));
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ(surface.Pixel(x, 0), x >= left && x < left + width ? Black : White)
                    << "left " << left << ", width " << width << ", x " << x;
        }
    }
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
    // A long run starting mid-period keeps the phase all along.
    TSurface wide(40, 1);
    TDC wideDC(wide);
    wideDC.FillRect(Rect(4, 0, 37, 1), {TBrushStyle::Pattern, clBlack, pattern});
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(wide.Pixel(x, 0), x < 4 || x >= 37 ? White : pattern->Pixel(x % 3, 0)) << x;

    // Hatches: lines in the brush colour, gaps in the background colour only when opaque.
    TSurface hatched(9, 9);
    TDC hatchDC(hatched);
    hatchDC.SetBkColor(clRed);
    hatchDC.SetBkMode(TBkMode::Transparent);
    hatchDC.FillRect(Rect(0, 0, 9, 9), {TBrushStyle::Cross, clBlack, nullptr});
    EXPECT_EQ(CountPixels(hatched, Black), 81 - 49); // rows and columns 0 and 8
    EXPECT_EQ(CountPixels(hatched, White), 49);
    hatchDC.SetBkMode(TBkMode::Opaque);
    hatchDC.FillRect(Rect(0, 0, 9, 9), {TBrushStyle::Cross, clBlack, nullptr});
    EXPECT_EQ(CountPixels(hatched, Red), 49);
}

TEST(DC, EverythingIsSafeOnAnEmptySurface) {
    TSurface nothing;
    TDC dc(nothing);
    const TSurface source(3, 3, Black);
    const TPoint points[] = {{0, 0}, {5, 0}, {2, 4}};
    dc.FillRect(Rect(0, 0, 5, 5), TBrushDesc::SolidColor(clBlack));
    dc.FrameRect(Rect(0, 0, 5, 5), TBrushDesc::SolidColor(clBlack));
    dc.InvertRect(Rect(0, 0, 5, 5));
    dc.Rectangle(Rect(0, 0, 5, 5));
    dc.RoundRect(Rect(0, 0, 5, 5), 2, 2);
    dc.Ellipse(Rect(0, 0, 5, 5));
    dc.Polygon(points, 3);
    dc.LineTo({5, 5});
    dc.SetPixel(0, 0, clBlack);
    dc.BitBlt(0, 0, 3, 3, source, 0, 0);
    dc.StretchBlt(Rect(0, 0, 9, 9), source, source.BoundsRect());
    dc.TransparentBlt(Rect(0, 0, 9, 9), source, source.BoundsRect(), clWhite);
    dc.MaskedBlt(0, 0, source, source, source.BoundsRect());
    dc.DrawFocusRect(Rect(0, 0, 5, 5));
    dc.FillRegion(TRegion(Rect(0, 0, 5, 5)), TBrushDesc::SolidColor(clBlack));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(dc.GetClipBox(), TRect{});
    EXPECT_TRUE(nothing.IsEmpty());

    TSurface target(4, 4);
    TDC into(target);
    const TSurface empty;
    into.BitBlt(0, 0, 4, 4, empty, 0, 0);
    into.StretchBlt(Rect(0, 0, 4, 4), empty, Rect(0, 0, 2, 2));
    into.TransparentBlt(Rect(0, 0, 4, 4), empty, Rect(0, 0, 2, 2), clBlack);
    into.MaskedBlt(0, 0, empty, empty, Rect(0, 0, 2, 2));
    into.BitBlt(0, 0, 4, 4, dc, 0, 0);
    EXPECT_EQ(CountPixels(target, White), 16);
}

TEST(DC, LinesLeaveOutTheirEndPoint) {
    TSurface surface(8, 8);
    TDC dc(surface);
    dc.MoveTo({1, 1});
    dc.LineTo({5, 1});
    dc.LineTo({5, 4});
    dc.LineTo({2, 7});
    EXPECT_EQ(dc.CurrentPosition(), (TPoint{2, 7}));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "........\n"
                                                      ".#####..\n"
                                                      ".....#..\n"
                                                      ".....#..\n"
                                                      ".....#..\n"
                                                      "....#...\n"
                                                      "...#....\n"
                                                      "........\n");
    dc.MoveTo({6, 6});
    dc.LineTo({6, 6}); // zero length: nothing
    EXPECT_EQ(surface.Pixel(6, 6), White);
}

TEST(DC, PenModesAndStyles) {
    TSurface surface(30, 4);
    TDC dc(surface);
    dc.SetPen({TPenStyle::Solid, 1, clRed});
    dc.SetROP2(TPenMode::Black);
    dc.MoveTo({0, 0});
    dc.LineTo({3, 0});
    EXPECT_EQ(Picture(surface, Rect(0, 0, 4, 1)), "###.\n");

    dc.SetROP2(TPenMode::Xor); // XOR twice leaves nothing
    dc.SetPen({TPenStyle::Solid, 1, clWhite});
    const TPoint line[] = {{0, 1}, {4, 1}};
    dc.Polyline(line, 2);
    EXPECT_EQ(Picture(surface, Rect(0, 1, 5, 2)), "####.\n");
    dc.Polyline(line, 2);
    EXPECT_EQ(Picture(surface, Rect(0, 1, 5, 2)), ".....\n");

    dc.SetROP2(TPenMode::Copy);
    dc.SetPen({TPenStyle::Dot, 1, clBlack});
    dc.SetBkColor(clRed);
    dc.MoveTo({0, 2});
    dc.LineTo({9, 2});
    EXPECT_EQ(Picture(surface, Rect(0, 2, 10, 3)), "###rrr###.\n");
    dc.SetBkMode(TBkMode::Transparent);
    dc.MoveTo({0, 3});
    dc.LineTo({9, 3});
    EXPECT_EQ(Picture(surface, Rect(0, 3, 10, 4)), "###...###.\n");
    // The pattern runs on through a segment outside the clip.
    dc.SaveDC();
    dc.IntersectClipRect(Rect(12, 0, 30, 4));
    const TPoint dotted[] = {{4, 3}, {8, 3}, {21, 3}};
    dc.Polyline(dotted, 3);
    dc.RestoreDC(-1);
    EXPECT_EQ(Picture(surface, Rect(10, 3, 22, 4)), "..#...###...\n");

    dc.SetPen({TPenStyle::Clear, 1, clBlack});
    dc.MoveTo({20, 0});
    dc.LineTo({29, 3});
    EXPECT_EQ(CountPixels(surface, Black), 3 + 6 + 6 + 4);
}

TEST(DC, WidePenStaysASolidBandAndXorsEachPixelOnce) {
    TSurface surface(12, 7);
    TDC dc(surface);
    dc.SetPen({TPenStyle::Solid, 3, clWhite});
    dc.SetROP2(TPenMode::Xor);
    const TPoint path[] = {{2, 3}, {9, 3}, {2, 3}}; // back over itself
    dc.Polyline(path, 3);
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "............\n"
                                                      "............\n"
                                                      ".##########.\n"
                                                      ".##########.\n"
                                                      ".##########.\n"
                                                      "............\n"
                                                      "............\n");
}

TEST(DC, FilledTriangleIsSevenWideAndFourHighWithItsVertices) {
    TSurface surface(12, 8);
    TDC dc(surface);
    dc.SetViewportOrg({1, 2});
    dc.SetBrush(TBrushDesc::SolidColor(clRed));
    const int x = 1, y = 1;
    const TPoint triangle[] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
    dc.Polygon(triangle, 3);
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "............\n"
                                                      "............\n"
                                                      "............\n"
                                                      "..#######...\n"
                                                      "...#rrr#....\n"
                                                      "....#r#.....\n"
                                                      ".....#......\n"
                                                      "............\n");
    // Without a pen only the pixels whose centres lie inside are filled.
    surface.Fill(White);
    dc.SetPen({TPenStyle::Clear, 1, clBlack});
    dc.Polygon(triangle, 3);
    EXPECT_EQ(CountPixels(surface, Red), 6 + 4 + 2);
    dc.Polygon(triangle, 2);
    dc.Polygon(nullptr, 3);
    EXPECT_EQ(CountPixels(surface, Red), 12);
}

TEST(DC, PolygonFillAlternates) {
    TSurface surface(10, 10);
    TDC dc(surface);
    dc.SetPen({TPenStyle::Clear, 1, clBlack});
    dc.SetBrush(TBrushDesc::SolidColor(clBlack));
    // An outer square and an inner one traced in one path: the inner one is a hole.
    const TPoint path[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}, {3, 3}, {6, 3}, {6, 6}, {3, 6}, {3, 3}};
    dc.Polygon(path, 10);
    EXPECT_EQ(surface.Pixel(1, 1), Black);
    EXPECT_EQ(surface.Pixel(4, 4), White);
    EXPECT_EQ(CountPixels(surface, Black), 81 - 9);
}

TEST(DC, RectangleOutlineInsideWithRightAndBottomExcluded) {
    TSurface surface(8, 6);
    TDC dc(surface);
    dc.SetBrush(TBrushDesc::SolidColor(clRed));
    dc.Rectangle(Rect(6, 5, 1, 1)); // given inverted: normalised as the platform does
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "........\n"
                                                      ".#####..\n"
                                                      ".#rrr#..\n"
                                                      ".#rrr#..\n"
                                                      ".#####..\n"
                                                      "........\n");
    surface.Fill(White);
    dc.SetPen({TPenStyle::Clear, 1, clBlack});
    dc.Rectangle(Rect(1, 1, 6, 5)); // without a pen one pixel shorter on the right and bottom
    EXPECT_EQ(Picture(surface, Rect(0, 0, 8, 6)), "........\n"
                                                  ".rrrr...\n"
                                                  ".rrrr...\n"
                                                  ".rrrr...\n"
                                                  "........\n"
                                                  "........\n");
    surface.Fill(White);
    dc.SetPen({TPenStyle::Solid, 2, clBlue});
    dc.SetROP2(TPenMode::Black); // a black bar: outline and fill both black
    dc.Rectangle(Rect(0, 0, 8, 6));
    EXPECT_EQ(CountPixels(surface, Black), 48);
    dc.SetROP2(TPenMode::Copy);
    dc.SetBrush({TBrushStyle::Clear, clRed, nullptr});
    dc.Rectangle(Rect(0, 0, 8, 6));
    EXPECT_EQ(CountPixels(surface, Blue), 48 - 8);
    EXPECT_EQ(CountPixels(surface, Black), 8);
}

TEST(DC, EllipseAndRoundRectAreSymmetricClosedAndInside) {
    TSurface surface(40, 30);
    TDC dc(surface);
    dc.SetBrush(TBrushDesc::SolidColor(clRed));
    dc.Ellipse(Rect(5, 3, 36, 26));
    const auto at = [&](int x, int y) { return surface.Pixel(x, y, White); };
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const TPixel p = at(x, y);
            EXPECT_EQ(p, at(40 - x, y)) << x << "," << y; // mirrored about x = 20.5
            EXPECT_EQ(p, at(x, 28 - y)) << x << "," << y; // mirrored about y = 14.5
            if (!Rect(5, 3, 36, 26).Contains({x, y})) {
                EXPECT_EQ(p, White) << x << "," << y;
            }
            if (p != Red) continue;
            // A closed outline: no fill pixel touches the outside.
            for (TPoint n : {TPoint{x - 1, y}, TPoint{x + 1, y}, TPoint{x, y - 1}, TPoint{x, y + 1}})
                EXPECT_NE(at(n.X, n.Y), White) << x << "," << y;
        }
    }
    EXPECT_EQ(surface.Pixel(5, 14), Black);
    EXPECT_EQ(surface.Pixel(20, 3), Black);
    EXPECT_EQ(surface.Pixel(20, 14), Red);
    EXPECT_EQ(surface.Pixel(6, 4), White);

    surface.Fill(White);
    dc.SetBrush({TBrushStyle::Clear, clRed, nullptr});
    dc.RoundRect(Rect(0, 0, 20, 12), 8, 8);
    EXPECT_EQ(surface.Pixel(0, 0), White);  // the corner is cut
    EXPECT_EQ(surface.Pixel(10, 0), Black); // straight edges
    EXPECT_EQ(surface.Pixel(0, 6), Black);
    EXPECT_EQ(surface.Pixel(19, 6), Black);
    EXPECT_EQ(surface.Pixel(10, 11), Black);
    EXPECT_EQ(surface.Pixel(10, 6), White); // clear brush
    EXPECT_EQ(CountPixels(surface, Red), 0);
}

TEST(DC, PixelsOutsideTheSurfaceOrClipAreInvalid) {
    TSurface surface(4, 4);
    TDC dc(surface, {1, 0});
    dc.SetPixel(0, 0, clBtnShadow);
    EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(surface.Pixel(1, 0), ColorToPixel(clBtnShadow));
    EXPECT_EQ(dc.GetPixel(3, 0), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(-2, 0), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(0, -1), CLR_INVALID);
    dc.SetPixel(3, 0, clBlack); // outside: ignored
    dc.SetPixel(-2, 0, clBlack);
    dc.IntersectClipRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(dc.GetPixel(1, 1), CLR_INVALID);
    dc.SetPixel(1, 1, clBlack);
    EXPECT_EQ(CountPixels(surface, Black), 0);
}

TEST(DC, BitBltFromDCAndSurfaceWithRops) {
    TSurface source(4, 2, Red);
    source.SetPixel(0, 0, Blue);
    TDC sourceDC(source, {}, {});
    sourceDC.SetViewportOrg({-1, 0}); // logical (1, 0) is surface (0, 0)
    TSurface surface(6, 3);
    TDC dc(surface);
    dc.SetViewportOrg({1, 0});
    dc.BitBlt(0, 0, 5, 2, sourceDC, 1, 0); // the column beyond the source stays untouched
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), ".brrr.\n"
                                                      ".rrrr.\n"
                                                      "......\n");
    dc.BitBlt(0, 0, 4, 2, source, 0, 0, SRCINVERT); // red ^ red = black, blue ^ blue = black
    EXPECT_EQ(CountPixels(surface, Black), 8);
    dc.BitBlt(0, 0, 4, 1, source, 0, 0, NOTSRCCOPY);
    EXPECT_EQ(surface.Pixel(1, 0), 0xFFFF00u);
    dc.BitBlt(-1, 2, 6, 1, source, 0, 0, DSTINVERT);
    EXPECT_EQ(Picture(surface, Rect(0, 2, 6, 3)), "######\n");
    dc.SetBrush(TBrushDesc::SolidColor(clBlue));
    dc.BitBlt(-1, 2, 2, 1, source, 0, 0, PATCOPY);
    dc.BitBlt(1, 2, 2, 1, source, 0, 0, WHITENESS);
    EXPECT_EQ(Picture(surface, Rect(0, 2, 6, 3)), "bb..##\n");
    dc.BitBlt(0, 0, 0, 2, source, 0, 0); // zero sizes draw nothing
    dc.BitBlt(0, 0, 2, -1, source, 0, 0);
    const TSurface empty;
    dc.BitBlt(0, 0, 3, 3, empty, 0, 0);
    EXPECT_EQ(Picture(surface, Rect(0, 2, 6, 3)), "bb..##\n");
}

TEST(DC, EveryListedRasterOperation) {
    constexpr TPixel P = 0x0F0F0F, S = 0x3C3C3C, D = 0x555555;
    const struct {
        uint32_t Rop;
        TPixel Result;
    } cases[] = {
        {SRCCOPY, S},
        {SRCPAINT, S | D},
        {SRCAND, S & D},
        {SRCINVERT, S ^ D},
        {SRCERASE, S & ~D & White},
        {NOTSRCCOPY, ~S & White},
        {NOTSRCERASE, ~(S | D) & White},
        {MERGEPAINT, (~S | D) & White},
        {PATCOPY, P},
        {PATINVERT, P ^ D},
        {DSTINVERT, ~D & White},
        {BLACKNESS, 0},
        {WHITENESS, White},
    };
    const TSurface source(1, 1, S);
    for (const auto& c : cases) {
        TSurface surface(1, 1, D);
        TDC dc(surface);
        dc.SetBrush(TBrushDesc::SolidColor(PixelToColor(P)));
        dc.BitBlt(0, 0, 1, 1, source, 0, 0, c.Rop);
        EXPECT_EQ(surface.Pixel(0, 0), c.Result) << std::hex << c.Rop;
    }
}

TEST(DC, BitBltWithinOneSurfaceReadsBeforeWriting) {
    TSurface surface(6, 1);
    for (int x = 0; x < 6; ++x)
        surface.SetPixel(x, 0, TPixel(x));
    TDC dc(surface);
    dc.BitBlt(1, 0, 5, 1, dc, 0, 0); // overlapping scroll to the right
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(surface.Pixel(x, 0), TPixel(x - 1));
}

TEST(DC, StretchBltIsNearestNeighbour) {
    TSurface strip(1, 3);
    strip.SetPixel(0, 0, Red);
    strip.SetPixel(0, 1, Blue);
    strip.SetPixel(0, 2, Black);
    TSurface surface(6, 7);
    TDC dc(surface);
    dc.StretchBlt(Rect(1, 0, 5, 6), strip, Rect(0, 0, 1, 3));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), ".rrrr.\n"
                                                      ".rrrr.\n"
                                                      ".bbbb.\n"
                                                      ".bbbb.\n"
                                                      ".####.\n"
                                                      ".####.\n"
                                                      "......\n");
    surface.Fill(White);
    dc.StretchBlt(Rect(5, 0, 1, 6), strip, Rect(0, 0, 1, 3)); // inverted: nothing
    dc.StretchBlt(Rect(1, 6, 5, 0), strip, Rect(0, 0, 1, 3));
    dc.StretchBlt(Rect(1, 0, 5, 6), strip, Rect(0, 3, 1, 0));
    dc.StretchBlt(Rect(1, 0, 5, 6), strip, Rect(0, 1, 1, 1)); // empty source
    EXPECT_EQ(CountPixels(surface, White), 42);
    dc.StretchBlt(Rect(0, 0, 1, 2), strip, Rect(0, 0, 1, 3)); // shrinking picks the nearest centres
    EXPECT_EQ(Picture(surface, Rect(0, 0, 1, 2)), "r\n#\n");
    dc.StretchBlt(Rect(0, 0, 6, 7), strip, Rect(0, 1, 2, 5)); // the source beyond the strip adds nothing
    EXPECT_EQ(Picture(surface, Rect(0, 0, 6, 2)), "bbb...\nbbb...\n");
}

TEST(DC, KeyColourAndMaskedBlits) {
    TSurface image(3, 2, 0xFF00FF);
    image.SetPixel(1, 0, Red);
    image.SetPixel(2, 1, Blue);
    TSurface surface(8, 4, Black);
    TDC dc(surface);
    dc.TransparentBlt(Rect(0, 0, 3, 2), image, image.BoundsRect(), TColor(0xFF00FF));
    dc.TransparentBlt(Rect(3, 0, 9, 4), image, image.BoundsRect(), TColor(0xFF00FF)); // doubled
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "#r###rr#\n"
                                                      "##b##rr#\n"
                                                      "#######b\n"
                                                      "#######b\n");
    TSurface mask(3, 2, White);
    mask.SetPixel(0, 0, Black);
    mask.SetPixel(1, 0, Black);
    mask.SetPixel(2, 1, Black);
    surface.Fill(White);
    dc.MaskedBlt(2, 1, image, mask, image.BoundsRect());
    dc.MaskedBlt(-1, 3, image, mask, Rect(0, 0, 3, 1));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "........\n"
                                                      "..?r....\n"
                                                      "....b...\n"
                                                      "r.......\n");
    const TSurface smallMask(1, 1, Black); // pixels without a mask pixel are left out
    surface.Fill(White);
    dc.MaskedBlt(0, 0, image, smallMask, image.BoundsRect());
    EXPECT_EQ(CountPixels(surface, White), 31);
}

TEST(DC, FramesInversionAndFocusRectangle) {
    TSurface surface(7, 5);
    TDC dc(surface);
    dc.FrameRect(Rect(0, 0, 7, 5), TBrushDesc::SolidColor(clBlack));
    dc.FrameRect(Rect(2, 2, 2, 5), TBrushDesc::SolidColor(clRed));
    EXPECT_EQ(CountPixels(surface, Black), 20);
    dc.InvertRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(surface, Rect(0, 0, 3, 3)), "..#\n.#.\n#..\n");

    surface.Fill(White);
    dc.DrawFocusRect(Rect(1, 0, 7, 4));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), "..#.#.#\n"
                                                      ".#.....\n"
                                                      "......#\n"
                                                      ".#.#.#.\n"
                                                      ".......\n");
    dc.DrawFocusRect(Rect(1, 0, 7, 4));
    EXPECT_EQ(CountPixels(surface, White), 35);

    // Moved by the viewport origin the dots keep to the device grid; the clip cuts the frame pixel for pixel.
    surface.Fill(White);
    TDC moved(surface, TPoint{1, 0});
    moved.IntersectClipRect(Rect(0, 0, 4, 4));
    moved.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), ".#.#...\n"
                                                      ".......\n"
                                                      ".#.....\n"
                                                      "..#.#..\n"
                                                      ".......\n");
    // One pixel high or wide: a single row or column of dots.
    surface.Fill(White);
    dc.DrawFocusRect(Rect(0, 1, 6, 2));
    dc.DrawFocusRect(Rect(0, 3, 1, 5));
    EXPECT_EQ(Picture(surface, surface.BoundsRect()), ".......\n"
                                                      ".#.#.#.\n"
                                                      ".......\n"
                                                      ".......\n"
                                                      "#......\n");
}
