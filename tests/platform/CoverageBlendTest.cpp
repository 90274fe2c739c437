#include "platform/CoverageBlend.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// under + (over - under) * coverage / 255 rounded to the nearest, a channel at a time (255 is odd: no ties).
TPixel Expected(TPixel under, TPixel over, unsigned coverage) {
    TPixel result = 0;
    for (int shift : {0, 8, 16}) {
        const unsigned u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
        const unsigned sum = o * coverage + u * (255 - coverage);
        result |= ((2 * sum + 255) / 510) << shift;
    }
    return result;
}

} // namespace

TEST(CoverageBlend, EveryCoverageRoundsEachChannelAndEndsExactlyOnThePixelAndTheColour) {
    std::mt19937 random(7);
    for (unsigned coverage = 0; coverage <= 255; ++coverage) {
        for (int i = 0; i < 64; ++i) {
            const TPixel under = random() & 0xFFFFFF, over = random() & 0xFFFFFF;
            ASSERT_EQ(BlendCoverage(under, over, coverage), Expected(under, over, coverage))
                << std::hex << under << " " << over << " " << std::dec << coverage;
        }
    }
    EXPECT_EQ(BlendCoverage(0x123456, 0xABCDEF, 0), 0x123456u);
    EXPECT_EQ(BlendCoverage(0x123456, 0xABCDEF, 255), 0xABCDEFu);
}

// Rows of every length up to a few groups: the groups blended together and the pixels left over must agree
// with one pixel at a time, and nothing past the row may change.
TEST(CoverageBlend, ARowBlendsEachPixelByItsOwnCoverageWhateverItsLength) {
    std::mt19937 random(11);
    for (int count = 0; count <= 13; ++count) {
        for (int round = 0; round < 50; ++round) {
            std::vector<TPixel> pixels(size_t(count) + 1);
            std::vector<uint8_t> coverage(size_t(count) + 1);
            for (TPixel& p : pixels) p = random() & 0xFFFFFF;
            for (uint8_t& c : coverage) c = uint8_t(random() % 4 == 0 ? (random() % 2) * 255 : random());
            const TPixel color = random() & 0xFFFFFF;
            const std::vector<TPixel> before = pixels;
            BlendCoverageRow(pixels.data(), coverage.data(), count, color);
            for (int x = 0; x < count; ++x)
                ASSERT_EQ(pixels[size_t(x)], Expected(before[size_t(x)], color, coverage[size_t(x)]))
                    << "length " << count << " pixel " << x;
            ASSERT_EQ(pixels.back(), before.back()) << "length " << count;
        }
    }
}

TEST(CoverageBlend, ThePixelsTopByteNeverReachesTheResult) {
    std::vector<TPixel> pixels(6, 0xFF102030);
    const std::vector<uint8_t> coverage = {0, 64, 128, 200, 255, 30};
    BlendCoverageRow(pixels.data(), coverage.data(), int(pixels.size()), 0x00F0E0D0);
    for (size_t x = 0; x < pixels.size(); ++x) {
        EXPECT_EQ(pixels[x] >> 24, 0u) << x;
        EXPECT_EQ(pixels[x], Expected(0x102030, 0xF0E0D0, coverage[x])) << x;
    }
}
