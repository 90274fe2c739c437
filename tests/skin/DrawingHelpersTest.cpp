#include "classlib/Bitmap.h"
#include "classlib/Picture.h"
#include "skin/RegisterSkin.h"
#include "skin/TAVPublic.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>

namespace {

constexpr TPixel Ground = 0x123456;
constexpr TPixel Magenta = 0xFF00FF;

// Every pixel says where it came from: red is its column, green its row.
TPixel Coded(int x, int y) {
    return TPixel(x) << 16 | TPixel(y) << 8 | 0x40;
}
int SourceX(TPixel p) {
    return int(p >> 16) & 0xFF;
}
int SourceY(TPixel p) {
    return int(p >> 8) & 0xFF;
}

void MakeCoded(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Surface().SetPixel(x, y, Coded(x, y));
}

void MakeGround(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    bitmap.Surface().Fill(Ground);
}

// Where a target pixel may come from: source columns xLo..xHi and rows yLo..yHi.
struct TExpected {
    int XLo = -1, XHi = -1, YLo = -1, YHi = -1;
};

class DrawingHelpersTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSkinClasses(); }
};

TEST_F(DrawingHelpersTest, NineSliceGeometry) {
    TBitmap source, target;
    MakeCoded(source, 21, 21);
    MakeGround(target, 100, 30);
    DrawNineSlice(&source, target.Canvas(), {0, 0, 100, 30}, false);

    // The pieces in drawing order; a later piece wins where pieces overlap.
    using TRule = std::function<TExpected(int x, int y)>;
    const std::pair<TRect, TRule> pieces[] = {
        {{0, 0, 10, 10},
         [](int x, int y) {
             return TExpected{x, x, y, y};
         }}, // top-left
        {{0, 21, 10, 30},
         [](int x, int y) {
             return TExpected{x, x, y - 9, y - 9};
         }}, // bottom-left
        {{0, 10, 10, 21},
         [](int x, int) {
             return TExpected{x, x, 10, 10};
         }}, // left edge
        {{91, 0, 100, 10},
         [](int x, int y) {
             return TExpected{x - 79, x - 79, y, y};
         }}, // top-right
        {{91, 21, 100, 30},
         [](int x, int y) {
             return TExpected{x - 79, x - 79, y - 9, y - 9};
         }}, // bottom-right
        {{91, 10, 100, 21},
         [](int x, int) {
             return TExpected{x - 79, x - 79, 11, 11};
         }}, // right edge
        {{10, 0, 91, 10},
         [](int, int y) {
             return TExpected{10, 11, y, y};
         }}, // top edge
        {{10, 10, 91, 20},
         [](int, int) {
             return TExpected{10, 11, 10, 10};
         }}, // centre
        {{9, 20, 91, 30},
         [](int, int y) {
             return TExpected{10, 11, y - 9, y - 9};
         }}, // bottom edge
    };
    std::set<int> bottomColumns;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const TRule* rule = nullptr;
            for (const auto& [rect, r] : pieces)
                if (rect.Contains({x, y})) rule = &r;
            ASSERT_NE(rule, nullptr) << x << "," << y;
            const TExpected e = (*rule)(x, y);
            const TPixel p = target.Surface().Pixel(x, y);
            ASSERT_NE(p, Ground) << x << "," << y;
            ASSERT_TRUE(SourceX(p) >= e.XLo && SourceX(p) <= e.XHi && SourceY(p) >= e.YLo &&
                        SourceY(p) <= e.YHi)
                << "target " << x << "," << y << " shows " << SourceX(p) << "," << SourceY(p);
            if (y == 25) bottomColumns.insert(SourceX(p));
        }
    // The bottom edge covers the bottom-left corner's last column, and stretches both source columns.
    EXPECT_EQ(SourceY(target.Surface().Pixel(9, 25)), 16);
    EXPECT_TRUE(bottomColumns.contains(10) && bottomColumns.contains(11));
}

TEST_F(DrawingHelpersTest, NineSliceInSmallTargetsAndMasks) {
    TBitmap source, target;
    MakeCoded(source, 21, 21);
    MakeGround(target, 8, 8);
    DrawNineSlice(&source, target.Canvas(), {0, 0, 8, 8}, false);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.Surface().Pixel(x, y), Coded(x, y));

    // Magenta in a corner is painted only without masking; in the centre it is never painted.
    source.Surface().SetPixel(0, 0, Magenta);
    source.Surface().SetPixel(10, 10, Magenta);
    source.Surface().SetPixel(11, 10, Magenta);
    for (bool mask : {false, true}) {
        MakeGround(target, 100, 30);
        DrawNineSlice(&source, target.Canvas(), {0, 0, 100, 30}, mask);
        EXPECT_EQ(target.Surface().Pixel(0, 0), mask ? Ground : Magenta);
        EXPECT_EQ(target.Surface().Pixel(1, 0), Coded(1, 0));
        EXPECT_EQ(target.Surface().Pixel(50, 15), Ground);
    }

    // Tiny bitmaps and targets draw what fits and read nothing outside the bitmap.
    for (int size : {1, 2, 3, 4}) {
        TBitmap tiny;
        MakeCoded(tiny, size, size);
        for (int extent : {0, 1, 3, 7}) {
            MakeGround(target, 10, 10);
            DrawNineSlice(&tiny, target.Canvas(), {0, 0, extent, extent}, true);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x) {
                    const TPixel p = target.Surface().Pixel(x, y);
                    if (p != Ground) {
                        ASSERT_LT(SourceX(p), size);
                        ASSERT_LT(SourceY(p), size);
                    }
                }
        }
    }
}

TEST_F(DrawingHelpersTest, ThreeSliceKeys) {
    constexpr TPixel White = 0xFFFFFF, Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF;
    TBitmap strip, target;
    strip.SetSize(30, 6);
    strip.Surface().Fill(White);
    for (int y = 2; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            strip.Surface().SetPixel(x, y, Red);
            strip.Surface().SetPixel(10 + x, y, Green);
            strip.Surface().SetPixel(20 + x, y, Blue);
        }
    strip.Surface().SetPixel(25, 0, Magenta);

    MakeGround(target, 60, 6);
    DrawThreeSlice(&strip, target.Canvas(), {0, 0, 50, 6}, true);
    EXPECT_EQ(target.Surface().Pixel(0, 0), Ground); // white of the left end
    EXPECT_EQ(target.Surface().Pixel(3, 4), Red);
    EXPECT_EQ(target.Surface().Pixel(45, 1), Ground);  // white of the right end
    EXPECT_EQ(target.Surface().Pixel(45, 0), Magenta); // magenta is no key here
    EXPECT_EQ(target.Surface().Pixel(45, 4), Blue);
    EXPECT_EQ(target.Surface().Pixel(25, 4), Green); // the middle, stretched
    EXPECT_EQ(target.Surface().Pixel(39, 4), Green);
    EXPECT_EQ(target.Surface().Pixel(25, 0), White); // the middle is opaque
    EXPECT_EQ(target.Surface().Pixel(55, 4), Ground);

    MakeGround(target, 60, 6);
    DrawThreeSlice(&strip, target.Canvas(), {0, 0, 50, 6}, false);
    EXPECT_EQ(target.Surface().Pixel(0, 0), White);
    EXPECT_EQ(target.Surface().Pixel(45, 0), Ground);

    // A strip narrower than three pixels draws nothing.
    TBitmap narrow;
    narrow.SetSize(2, 6);
    MakeGround(target, 60, 6);
    DrawThreeSlice(&narrow, target.Canvas(), {0, 0, 50, 6}, false);
    EXPECT_EQ(target.Surface().Pixel(0, 0), Ground);
}

TEST_F(DrawingHelpersTest, PictureTilesFromTheOrigin) {
    TPicture picture;
    MakeCoded(*picture.Bitmap(), 30, 10);
    TBitmap target;
    MakeGround(target, 200, 40);
    DrawPictureStyled(target.Canvas(), &picture, {5, 5, 105, 15});
    // Columns at 0, 30, 60, 90 and 120; rows at 0 and 10.
    for (int x : {0, 30, 60, 90, 120})
        EXPECT_EQ(target.Surface().Pixel(x, 10), Coded(0, 0)) << x;
    EXPECT_EQ(target.Surface().Pixel(149, 19), Coded(29, 9));
    EXPECT_EQ(target.Surface().Pixel(150, 0), Ground);
    EXPECT_EQ(target.Surface().Pixel(0, 20), Ground);

    TPicture empty;
    MakeGround(target, 20, 20);
    DrawPictureStyled(target.Canvas(), &empty, {0, 0, 20, 20});
    EXPECT_EQ(target.Surface().Pixel(0, 0), Ground);
}

TEST_F(DrawingHelpersTest, RotationsRoundTrip) {
    TBitmap bitmap;
    MakeCoded(bitmap, 5, 3);
    const TSurface original = bitmap.Surface();
    RotateBitmapCounterClockwise(&bitmap);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.Surface().Pixel(y, 4 - x), Coded(x, y));
    RotateBitmapClockwise(&bitmap);
    EXPECT_EQ(bitmap.Surface(), original);

    RotateBitmapClockwise(&bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.Surface().Pixel(2 - y, x), Coded(x, y));
    RotateBitmapCounterClockwise(&bitmap);
    EXPECT_EQ(bitmap.Surface(), original);
}

TEST_F(DrawingHelpersTest, StripFrames) {
    TBitmap strip, frame;
    MakeCoded(strip, 100, 4);
    ExtractStripFrame(&strip, &frame, 3, 3);
    ASSERT_EQ(frame.Width(), 33);
    ASSERT_EQ(frame.Height(), 4);
    for (int x = 0; x < 33; ++x)
        EXPECT_EQ(frame.Surface().Pixel(x, 3), Coded(66 + x, 3));

    // Outside the strip: only what lies inside is copied, the rest is white.
    ExtractStripFrame(&strip, &frame, 3, 4);
    EXPECT_EQ(frame.Surface().Pixel(0, 0), Coded(99, 0));
    EXPECT_EQ(frame.Surface().Pixel(1, 0), 0xFFFFFFu);
    for (int index : {0, -7, INT_MAX, INT_MIN}) {
        ExtractStripFrame(&strip, &frame, 3, index);
        EXPECT_EQ(frame.Width(), 33);
        EXPECT_EQ(frame.Surface().Pixel(0, 0), 0xFFFFFFu) << index;
    }
    // No frame count: the whole image.
    for (int count : {0, -2}) {
        ExtractStripFrame(&strip, &frame, count, 5);
        EXPECT_EQ(frame.Surface(), strip.Surface());
    }
    // More frames than columns: empty frames.
    ExtractStripFrame(&strip, &frame, 1000, 1);
    EXPECT_EQ(frame.Width(), 0);
}

TEST_F(DrawingHelpersTest, SmallHelpers) {
    EXPECT_TRUE(PointInRect({10, 10}, {0, 0, 10, 10}));
    EXPECT_TRUE(PointInRect({0, 0}, {0, 0, 10, 10}));
    EXPECT_FALSE(PointInRect({11, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(PointInRect({5, -1}, {0, 0, 10, 10}));
    EXPECT_TRUE(PointInRect(10, 0, {0, 0, 10, 10}));
    EXPECT_FALSE(PointInRect(10, 11, {0, 0, 10, 10}));

    EXPECT_EQ(PCharToString(nullptr), "");
    EXPECT_EQ(PCharToString(""), "");
    EXPECT_EQ(PCharToString("MACOS_BUTTON"), "MACOS_BUTTON");
}

TEST_F(DrawingHelpersTest, Win95BuildOnlyForThatBuild) {
    EXPECT_FALSE(IsWin95Build({4, 0, 950, VER_PLATFORM_WIN32_WINDOWS}));
    EXPECT_TRUE(IsWin95Build({4, 0, 1111, VER_PLATFORM_WIN32_WINDOWS}));
    EXPECT_TRUE(IsWin95Build({4, 0, 0x04000457, VER_PLATFORM_WIN32_WINDOWS}));  // low 16 bits: 1111
    EXPECT_FALSE(IsWin95Build({4, 0, 0x000103B6, VER_PLATFORM_WIN32_WINDOWS})); // low 16 bits: 950
    EXPECT_FALSE(IsWin95Build({4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS}));      // the next version
    EXPECT_FALSE(IsWin95Build({4, 0, 1381, 2}));                                // the NT platform
    EXPECT_FALSE(IsWin95Build({5, 1, 2600, 2}));
    EXPECT_FALSE(IsWin95Build({3, 0, 1111, VER_PLATFORM_WIN32_WINDOWS}));
    EXPECT_FALSE(DetectWin95Build());
    EXPECT_FALSE(IsWin95BuildFlag());
}

} // namespace
