#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string PathOf(const std::string& file) {
    return std::string(VMR_APP_LAYOUTS) + "/" + file;
}

std::vector<uint8_t> ReadBytes(const std::string& file) {
    std::ifstream in(PathOf(file), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadLines(const std::string& file) {
    std::ifstream in(PathOf(file), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TSurface Picture(const std::string& name) {
    return LoadImageFile(PathOf(name + ".bmp"));
}

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double Luminance(TPixel p) {
    const auto linear = [](unsigned channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((p >> 16) & 0xFF) + 0.7152 * linear((p >> 8) & 0xFF) + 0.0722 * linear(p & 0xFF);
}

double Contrast(double lighter, double darker) {
    return (lighter + 0.05) / (darker + 0.05);
}

struct TArea {
    int L, T, R, B;
};

double Extreme(const TSurface& s, TArea a, bool darkest) {
    double result = darkest ? 1 : 0;
    for (int y = a.T; y < a.B; ++y)
        for (int x = a.L; x < a.R; ++x)
            result = darkest ? std::min(result, Luminance(s.Pixel(x, y)))
                             : std::max(result, Luminance(s.Pixel(x, y)));
    return result;
}

size_t CodePoints(const std::string& utf8) {
    return size_t(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
}

const char* const Buttons[] = {"CONTROLBOX", "CLOSE", "MAX", "MIN"};
const char* const States[] = {"NORMAL", "OVER", "DOWN"};

} // namespace

TEST(AppLayoutArt, PicturesAre24BitBitmapsOfTheirLayoutSizes) {
    struct TSized {
        std::string Name;
        int W, H;
    };
    std::vector<TSized> all{{"VMR_TITLE_LEFT", 441, 23},
                            {"VMR_TITLE_CLIENT", 1, 23},
                            {"VMR_TITLE_RIGHT", 1, 23},
                            {"VMR_ABOUT_BACKGROUND", 400, 525}};
    for (const char* button : Buttons)
        for (const char* state : States)
            all.push_back({std::string("VMR_") + button + "_" + state, 19, 19});
    for (const TSized& s : all) {
        SCOPED_TRACE(s.Name);
        const std::vector<uint8_t> bytes = ReadBytes(s.Name + ".bmp");
        ASSERT_GT(bytes.size(), 30u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[28], 24) << "bits per pixel";
        const TSurface picture = Picture(s.Name);
        EXPECT_EQ(picture.Width(), s.W);
        EXPECT_EQ(picture.Height(), s.H);
    }
}

// The bar leaves out each button's lower-left colour: it must fill the rounded corners and nothing inside.
TEST(AppLayoutArt, ButtonKeyColourStaysInTheCornersAndEveryStateDiffers) {
    for (const char* button : Buttons) {
        std::vector<TSurface> states;
        for (const char* state : States) {
            const std::string name = std::string("VMR_") + button + "_" + state;
            SCOPED_TRACE(name);
            const TSurface b = Picture(name);
            const TPixel key = b.Pixel(0, b.Height() - 1);
            EXPECT_EQ(b.Pixel(0, 0), key);
            EXPECT_EQ(b.Pixel(b.Width() - 1, 0), key);
            EXPECT_EQ(b.Pixel(b.Width() - 1, b.Height() - 1), key);
            for (int y = 0; y < b.Height(); ++y)
                for (int x = 0; x < b.Width(); ++x) {
                    const int fromCorner = std::min(x, b.Width() - 1 - x) + std::min(y, b.Height() - 1 - y);
                    if (fromCorner > 2) {
                        EXPECT_NE(b.Pixel(x, y), key) << "at " << x << "," << y;
                    }
                }
            EXPECT_GT(Extreme(b, {5, 5, 14, 14}, false), 0.8) << "no white symbol";
            states.push_back(b);
        }
        EXPECT_NE(states[0], states[1]);
        EXPECT_NE(states[1], states[2]);
    }
}

TEST(AppLayoutArt, TitleSectionsJoinSeamlesslyAndKeepTheCaptionReadable) {
    const TSurface left = Picture("VMR_TITLE_LEFT");
    const TSurface client = Picture("VMR_TITLE_CLIENT");
    const TSurface right = Picture("VMR_TITLE_RIGHT");
    for (int y = 0; y < 23; ++y) {
        EXPECT_EQ(left.Pixel(440, y), client.Pixel(0, y)) << "row " << y;
        EXPECT_EQ(right.Pixel(0, y), client.Pixel(0, y)) << "row " << y;
    }
    // The bold white caption stands in rows 4 to 16 at the left; it needs a contrast of 3 to 1 at least.
    EXPECT_GE(Contrast(1, Extreme(left, {0, 4, 200, 17}, false)), 3.0);
}

TEST(AppLayoutArt, AboutBackgroundIsLightWhereverTextSits) {
    const TSurface about = Picture("VMR_ABOUT_BACKGROUND");
    // Window positions less the 21 rows the picture stands under the title bar.
    const TArea texts[] = {{63, 0, 241, 38},    // "Il Velmarune"
                           {144, 19, 305, 62},  // "Incantesimi"
                           {299, 40, 365, 53},  // version and link
                           {6, 459, 399, 473},  // licence notice
                           {5, 323, 393, 456}}; // under the memo
    for (const TArea& a : texts) {
        SCOPED_TRACE(std::to_string(a.L) + "," + std::to_string(a.T));
        EXPECT_GE(Contrast(Extreme(about, a, true), 0), 12.0) << "black text needs a light ground";
    }
}

TEST(AppLayoutArt, TextsFitTheirPlaces) {
    const std::vector<std::string> licence = ReadLines("VMR_LICENCE.txt");
    EXPECT_GE(licence.size(), 105u);
    EXPECT_LE(licence.size(), 125u);
    for (const std::string& line : licence) {
        EXPECT_LE(CodePoints(line), 60u) << line;
        EXPECT_EQ(line.find_first_of("\t\r"), std::string::npos) << line;
    }
    const std::vector<std::string> about = ReadLines("VMR_ABOUT_TEXTS.txt");
    ASSERT_EQ(about.size(), 3u);
    EXPECT_LE(CodePoints(about[0]), 8u) << "the link label is 32 pixels wide";
    const size_t at = about[1].find('@');
    ASSERT_NE(at, std::string::npos);
    EXPECT_TRUE(about[1].ends_with("@example.org") || about[1].ends_with("@example.com") ||
                about[1].ends_with("@example.net"))
        << about[1];
    EXPECT_LE(CodePoints(about[2]), 60u);
}
