#include "platform/Region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
using TRects = std::vector<TRect>;
using C = TRegion::TCombine;
} // namespace

TEST(Region, CombinesIntoCanonicalBands) {
    const TRegion a(Rect(0, 0, 4, 4)), b(Rect(2, 2, 6, 6));
    EXPECT_EQ(TRegion::Combine(a, b, C::Or).Rects(),
              (TRects{Rect(0, 0, 4, 2), Rect(0, 2, 6, 4), Rect(2, 4, 6, 6)}));
    EXPECT_EQ(TRegion::Combine(a, b, C::And).Rects(), (TRects{Rect(2, 2, 4, 4)}));
    EXPECT_EQ(TRegion::Combine(a, b, C::Diff).Rects(), (TRects{Rect(0, 0, 4, 2), Rect(0, 2, 2, 4)}));
    EXPECT_EQ(TRegion::Combine(a, b, C::Xor).Rects(),
              (TRects{Rect(0, 0, 4, 2), Rect(0, 2, 2, 4), Rect(4, 2, 6, 4), Rect(2, 4, 6, 6)}));
    EXPECT_TRUE(
        TRegion::Combine(a, TRegion(Rect(4, 0, 8, 4)), C::And).IsEmpty()); // touching is not overlapping

    // Touching pieces merge, so equal pixel sets compare equal however they were built.
    TRegion joined(Rect(0, 0, 2, 2));
    joined |= TRegion(Rect(2, 0, 4, 2));
    joined |= TRegion(Rect(0, 2, 4, 3));
    EXPECT_EQ(joined.Rects(), (TRects{Rect(0, 0, 4, 3)}));
    EXPECT_EQ(TRegion::Combine(a, b, C::Or), TRegion::Combine(b, a, C::Or));
    TRegion rebuilt = TRegion::Combine(a, b, C::Diff);
    rebuilt |= TRegion::Combine(a, b, C::And);
    EXPECT_EQ(rebuilt, a);

    TRegion framed(Rect(0, 0, 6, 6));
    framed -= TRegion(Rect(2, 2, 4, 4));
    EXPECT_EQ(framed.Rects(),
              (TRects{Rect(0, 0, 6, 2), Rect(0, 2, 2, 4), Rect(4, 2, 6, 4), Rect(0, 4, 6, 6)}));
    framed -= TRegion(Rect(-1, -1, 7, 7));
    EXPECT_TRUE(framed.IsEmpty());
}

namespace {

// A region of up to three rectangles, sometimes with a hole, in a small field so that operands often touch,
// enclose one another or lie apart; built by the general sweep only.
TRegion RandomRegion(std::mt19937& random) {
    std::uniform_int_distribution<int> coordinate(0, 15), count(0, 3);
    const auto rect = [&] {
        const int x = coordinate(random), y = coordinate(random);
        return Rect(x, y, x + 1 + coordinate(random) / 2, y + 1 + coordinate(random) / 2);
    };
    TRegion region;
    for (int i = count(random); i > 0; --i)
        region = TRegion::SweepCombine(region, TRegion(rect()), C::Or);
    if (count(random) == 0) region = TRegion::SweepCombine(region, TRegion(rect()), C::Diff);
    return region;
}

// The bounds of the region's pixels, found from its rectangles.
TRect BoundsOfRects(const TRegion& region) {
    TRect bounds;
    for (const TRect& r : region.Rects()) bounds = UnionRect(bounds, r);
    return bounds;
}

bool KeepsPixel(C mode, bool inA, bool inB) {
    switch (mode) {
    case C::Or: return inA || inB;
    case C::And: return inA && inB;
    case C::Diff: return inA && !inB;
    case C::Xor: return inA != inB;
    }
    return false;
}

} // namespace

TEST(Region, ShortcutsGiveWhatTheSweepGivesPixelForPixel) {
    std::mt19937 random(19);
    int shortcuts = 0;
    for (int i = 0; i < 4000; ++i) {
        // Some right sides are the left one, some a rectangle round it.
        const TRegion a = RandomRegion(random);
        const TRegion b =
            i % 5 == 0 ? a : i % 7 == 0 ? TRegion(a.Bounds().Inflated(i % 3, 0)) : RandomRegion(random);
        for (C mode : {C::Or, C::And, C::Diff, C::Xor}) {
            const TRegion quick = TRegion::Combine(a, b, mode), swept = TRegion::SweepCombine(a, b, mode);
            ASSERT_EQ(quick.Rects(), swept.Rects()) << "case " << i << " mode " << int(mode);
            // Bounds are kept with the rectangles, through every shortcut and an offset.
            ASSERT_EQ(quick.Bounds(), BoundsOfRects(quick)) << "case " << i << " mode " << int(mode);
            ASSERT_EQ(swept.Bounds(), BoundsOfRects(swept)) << "case " << i << " mode " << int(mode);
            TRegion moved = quick;
            moved.Offset(3, -2);
            ASSERT_EQ(moved.Bounds(), BoundsOfRects(moved)) << "case " << i << " mode " << int(mode);
            // The compound operators, which skip the work where the result is the left side as it is.
            TRegion inPlace = a;
            if (mode == C::Or) inPlace |= b;
            if (mode == C::And) inPlace &= b;
            if (mode == C::Diff) inPlace -= b;
            if (mode != C::Xor) {
                ASSERT_EQ(inPlace.Rects(), quick.Rects()) << "case " << i << " mode " << int(mode);
                ASSERT_EQ(inPlace.Bounds(), quick.Bounds()) << "case " << i << " mode " << int(mode);
            }
            for (int y = -1; y < 25; ++y)
                for (int x = -1; x < 25; ++x)
                    ASSERT_EQ(quick.Contains({x, y}), KeepsPixel(mode, a.Contains({x, y}), b.Contains({x, y})))
                        << "case " << i << " mode " << int(mode) << " at " << x << "," << y;
            shortcuts += a.IsEmpty() || b.IsEmpty() || a.Rects().size() == 1 || b.Rects().size() == 1;
        }
    }
    EXPECT_GT(shortcuts, 4000); // the cases reach the shortcuts, not only the sweep
}

// Each pixel of the region in exactly one column rectangle, none outside it, and no more rectangles than bands
// give; equal spans in touching bands become one.
TEST(Region, ColumnRectanglesCoverEachPixelOnceInNoMoreRectanglesThanTheBands) {
    std::mt19937 random(29);
    for (int i = 0; i < 3000; ++i) {
        const TRegion region = TRegion::Combine(RandomRegion(random), RandomRegion(random), C::Or);
        const std::vector<TRect> columns = region.ColumnRects();
        ASSERT_LE(columns.size(), region.Rects().size()) << "case " << i;
        for (int y = -1; y < 25; ++y)
            for (int x = -1; x < 25; ++x) {
                const auto covering = std::count_if(columns.begin(), columns.end(),
                                                    [&](const TRect& r) { return r.Contains({x, y}); });
                ASSERT_EQ(covering, region.Contains({x, y}) ? 1 : 0) << "case " << i << " at " << x << "," << y;
            }
    }
    // Two tall sides cut into bands by a rectangle between them: three rectangles again.
    TRegion sides = TRegion::Union({Rect(0, 0, 2, 20), Rect(10, 0, 12, 20), Rect(4, 5, 8, 9)});
    EXPECT_EQ(sides.Rects().size(), 7u);
    EXPECT_EQ(sides.ColumnRects(), (TRects{Rect(0, 0, 2, 20), Rect(10, 0, 12, 20), Rect(4, 5, 8, 9)}));
}

TEST(Region, AUnionOfManyRectanglesEqualsJoiningThemOneByOne) {
    std::mt19937 random(23);
    std::uniform_int_distribution<int> coordinate(0, 15), count(0, 12);
    for (int i = 0; i < 2000; ++i) {
        TRects rects;
        TRegion joined;
        for (int n = count(random); n > 0; --n) {
            const int x = coordinate(random), y = coordinate(random);
            // Empty and inside-out ones among them take no part.
            rects.push_back(Rect(x, y, x + coordinate(random) / 2 - 1, y + coordinate(random) / 2 - 1));
            joined = TRegion::SweepCombine(joined, TRegion(rects.back()), C::Or);
        }
        const TRegion united = TRegion::Union(rects);
        ASSERT_EQ(united.Rects(), joined.Rects()) << "case " << i;
        ASSERT_EQ(united.Bounds(), BoundsOfRects(united)) << "case " << i;
    }
    EXPECT_EQ(TRegion::Union({Rect(0, 0, 2, 2), Rect(2, 0, 4, 2), Rect(0, 2, 4, 3), Rect(1, 1, 3, 2)}).Rects(),
              (TRects{Rect(0, 0, 4, 3)}));
}

TEST(Region, QueriesAndOffset) {
    TRegion region(Rect(0, 0, 6, 6));
    region -= TRegion(Rect(2, 2, 4, 4));
    EXPECT_EQ(region.Bounds(), Rect(0, 0, 6, 6));
    EXPECT_TRUE(region.Contains({0, 0}));
    EXPECT_TRUE(region.Contains({5, 3}));
    EXPECT_FALSE(region.Contains({3, 3}));
    EXPECT_FALSE(region.Contains({6, 0}));
    EXPECT_FALSE(region.Contains({0, 6}));
    EXPECT_TRUE(region.Intersects(Rect(3, 3, 5, 5)));
    EXPECT_FALSE(region.Intersects(Rect(2, 2, 4, 4)));
    EXPECT_FALSE(region.Intersects(Rect(0, 0, 0, 5)));
    region.Offset(10, -1);
    EXPECT_EQ(region.Bounds(), Rect(10, -1, 16, 5));
    EXPECT_TRUE(region.Contains({10, -1}));

    const TRegion empty(Rect(3, 3, 3, 9));
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.Bounds(), TRect{});
    EXPECT_FALSE(empty.Contains({3, 3}));
    EXPECT_EQ(TRegion::Combine(region, empty, C::Or), region);
    EXPECT_TRUE(TRegion::Combine(region, empty, C::And).IsEmpty());
}

TEST(Region, RoundedRectangles) {
    const TRegion plain = TRegion::RoundRect(Rect(0, 0, 11, 8), 0, 0); // no corner: the rectangle itself
    EXPECT_EQ(plain, TRegion(Rect(0, 0, 11, 8)));

    const TRegion round = TRegion::RoundRect(Rect(0, 0, 20, 10), 6, 6);
    EXPECT_EQ(round.Bounds(), Rect(0, 0, 20, 10));
    for (TPoint corner : {TPoint{0, 0}, TPoint{19, 0}, TPoint{0, 9}, TPoint{19, 9}})
        EXPECT_FALSE(round.Contains(corner));
    for (TPoint edge : {TPoint{10, 0}, TPoint{0, 5}, TPoint{19, 5}, TPoint{10, 9}})
        EXPECT_TRUE(round.Contains(edge));
    for (int y = 0; y < 10; ++y) // symmetric in both directions
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(round.Contains({x, y}), round.Contains({19 - x, y})) << x << "," << y;
            EXPECT_EQ(round.Contains({x, y}), round.Contains({x, 9 - y})) << x << "," << y;
        }
    EXPECT_EQ(TRegion::RoundRect(Rect(20, 10, 0, 0), 6, 6), round); // corners given in either order

    // Only the top corners rounded: the bottom corners filled back in.
    TRegion topOnly = round;
    topOnly |= TRegion(Rect(0, 4, 6, 10));
    topOnly |= TRegion(Rect(14, 4, 20, 10));
    EXPECT_FALSE(topOnly.Contains({0, 0}));
    EXPECT_TRUE(topOnly.Contains({0, 9}));
    EXPECT_TRUE(topOnly.Contains({19, 9}));
    EXPECT_EQ(topOnly.Rects(), (TRects{Rect(1, 0, 19, 1), Rect(0, 1, 20, 10)}));

    EXPECT_TRUE(TRegion::RoundRect(Rect(0, 0, 0, 5), 4, 4).IsEmpty());
    EXPECT_EQ(TRegion::RoundRect(Rect(0, 0, 1, 1), 40, 40), TRegion(Rect(0, 0, 1, 1)));
}
