#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr TPixel Magenta = 0xFF00FF;

// How a control draws the picture: masked on magenta, opaque, or not drawn by any control.
enum class TDrawn { Masked, Opaque, Unread };

struct TExpected {
    std::string Name;
    int Width, Height;
    int Frames; // 0: not a strip
    TDrawn Drawn;
    int StatesPerButton = 0; // frames that are states of one button; 0: the whole strip
};

struct TSize2 {
    int W, H;
};

// Sizes of the theme table, style by style: MacOS, WinXP, DeepBlue, Protein, BlueGlass.
struct TKeyed {
    const char* Part;
    std::array<TSize2, 5> Sizes;
    int Frames;
    std::array<TDrawn, 5> Drawn;
};

constexpr TDrawn M = TDrawn::Masked, O = TDrawn::Opaque, U = TDrawn::Unread;
constexpr std::array<TDrawn, 5> AllOpaque{O, O, O, O, O}, AllMasked{M, M, M, M, M}, AllUnread{U, U, U, U, U};

const std::vector<TKeyed> Keyed = {
    {"BUTTON", {{{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}}, 3, {M, O, O, O, M}},
    {"CHECKBOX", {{{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, 4, AllOpaque},
    {"RADIOBUTTON", {{{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, 0, AllUnread},
    {"TITLEBTN", {{{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}}, 18, {O, O, O, M, M}},
    {"TITLE_LEFT", {{{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}}, 0, AllOpaque},
    {"TITLE_CLIENT", {{{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}}, 0, AllOpaque},
    {"TITLE_RIGHT", {{{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}}, 0, AllOpaque},
    {"PROGRESSBAR", {{{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}}, 0, AllUnread},
    {"TRACKBAR_BAR", {{{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}}, 3, AllMasked},
    {"TRACKBAR_SLIDER", {{{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}}, 0, AllMasked},
    {"TRACKBAR_SLIDER_V", {{{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}}, 0, AllOpaque},
    {"SCROLLBAR_BUTTON", {{{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}}, 6, AllOpaque},
    {"SCROLLBAR_TRACK", {{{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}}, 3, AllOpaque},
    {"CHECKLIST", {{{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}}, 0, AllUnread},
    {"TAB", {{{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}}, 0, AllUnread},
    {"TAB_LINE", {{{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}}, 0, AllUnread},
    {"SIDECHENNEL_HANDLE", {{{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}}, 0, AllUnread},
    {"SIDECHENNEL_BAR", {{{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}}, 0, AllOpaque},
};

std::vector<TExpected> ExpectedResources() {
    const char* prefixes[] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};
    std::vector<TExpected> all;
    for (const TKeyed& k : Keyed)
        for (size_t s = 0; s < 5; ++s)
            all.push_back({prefixes[s] + std::string(k.Part), k.Sizes[s].W, k.Sizes[s].H, k.Frames,
                           k.Drawn[s], k.Frames == 18 ? 3 : k.Frames});
    const std::vector<TExpected> named = {
        {"MACOS_SCROLLBUTTON", 72, 18, 0, U},
        {"WINXP_SCROLLBUTTON", 72, 18, 0, U},
        {"MORE_SCROLLBUTTON", 72, 17, 0, U},
        {"MACOS_COMBOBOX_BUTTON", 16, 17, 0, O},
        {"WINXP_COMBOBOX_BUTTON", 16, 18, 0, O},
        {"MACOS_FORM_BACKGROUND", 8, 8, 0, O},
        {"PROTEIN_FORM_BACKGROUND", 8, 8, 0, O},
        {"MACOS_MENU_BAR", 1, 22, 0, O},
        {"MACOS_MENU_SELECT", 1, 21, 0, O},
        {"MENU_CHECKED", 16, 16, 0, O},
        {"PANEL_BUTTON", 52, 12, 4, O},
        {"DBNAV_BUTTON", 160, 16, 10, M},
        {"MAINICON", 32, 32, 0, U},
    };
    all.insert(all.end(), named.begin(), named.end());
    return all;
}

std::string PathOf(const std::string& name) {
    return std::string(VMR_SKIN_RESOURCES) + "/" + name + ".bmp";
}

TSurface FrameOf(const TSurface& strip, int frames, int index) {
    const int fw = strip.Width() / frames;
    TSurface frame(fw, strip.Height());
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < fw; ++x)
            frame.SetPixel(x, y, strip.Pixel(index * fw + x, y));
    return frame;
}

std::array<TPixel, 4> Corners(const TSurface& s) {
    const int r = s.Width() - 1, b = s.Height() - 1;
    return {s.Pixel(0, 0), s.Pixel(r, 0), s.Pixel(0, b), s.Pixel(r, b)};
}

bool HasMagenta(const TSurface& s) {
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) == Magenta) return true;
    return false;
}

// The pieces a control draws on its own: frames of a strip, or the whole picture.
std::vector<TSurface> DrawnPieces(const TSurface& picture, const TExpected& e) {
    if (e.Frames == 0) return {picture};
    std::vector<TSurface> pieces;
    for (int i = 0; i < e.Frames; ++i)
        pieces.push_back(FrameOf(picture, e.Frames, i));
    return pieces;
}

} // namespace

TEST(SkinResources, EveryListedBitmapExistsAtItsSizeAndNoOtherIsThere) {
    const std::vector<TExpected> expected = ExpectedResources();
    ASSERT_EQ(expected.size(), 103u); // 93 keyed, 9 fixed names, the program icon
    std::set<std::string> names;
    for (const TExpected& e : expected) {
        SCOPED_TRACE(e.Name);
        names.insert(e.Name + ".bmp");
        const TSurface picture = LoadImageFile(PathOf(e.Name));
        EXPECT_EQ(picture.Width(), e.Width);
        EXPECT_EQ(picture.Height(), e.Height);
        if (e.Frames > 0) {
            EXPECT_EQ(picture.Width() % e.Frames, 0) << "frames of unequal width";
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(VMR_SKIN_RESOURCES)) {
        if (entry.path().extension() == ".bmp") {
            EXPECT_TRUE(names.count(entry.path().filename().string())) << "unexpected " << entry.path();
        }
    }
}

TEST(SkinResources, MagentaStandsExactlyWhereThePictureIsDrawnMasked) {
    for (const TExpected& e : ExpectedResources()) {
        if (e.Drawn == TDrawn::Unread || e.Name.ends_with("TRACKBAR_BAR")) continue;
        SCOPED_TRACE(e.Name);
        const TSurface picture = LoadImageFile(PathOf(e.Name));
        for (const TSurface& piece : DrawnPieces(picture, e)) {
            if (e.Drawn == TDrawn::Opaque) {
                EXPECT_FALSE(HasMagenta(piece)) << "an opaque picture would show magenta";
                continue;
            }
            for (TPixel corner : Corners(piece)) {
                EXPECT_EQ(corner, Magenta);
            }
        }
    }
}

TEST(SkinResources, TrackBarBarsHaveMaskedEndsAndAnOpaqueMiddle) {
    for (const char* prefix : {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"}) {
        SCOPED_TRACE(prefix);
        const TSurface bar = LoadImageFile(PathOf(std::string(prefix) + "TRACKBAR_BAR"));
        for (TPixel corner : Corners(bar)) {
            EXPECT_EQ(corner, Magenta);
        }
        EXPECT_FALSE(HasMagenta(FrameOf(bar, 3, 1))) << "the middle slice is stretched without a mask";
    }
}

TEST(SkinResources, MenuCheckMarkIsDarkOnPureWhite) {
    const TSurface mark = LoadImageFile(PathOf("MENU_CHECKED"));
    for (TPixel corner : Corners(mark)) {
        EXPECT_EQ(corner, 0xFFFFFFu);
    }
    int dark = 0;
    for (int y = 0; y < mark.Height(); ++y)
        for (int x = 0; x < mark.Width(); ++x) {
            const TPixel p = mark.Pixel(x, y);
            EXPECT_TRUE(p == 0xFFFFFF || p == 0x000000) << "a soft edge would leave a halo around the mask";
            dark += p == 0x000000;
        }
    EXPECT_GT(dark, 10);
}

// Title-bar buttons: the three states of each button differ; two buttons may share a look at rest.
TEST(SkinResources, EveryStateOfAStripLooksDifferent) {
    for (const TExpected& e : ExpectedResources()) {
        if (e.Frames == 0) continue;
        SCOPED_TRACE(e.Name);
        const size_t group = size_t(e.StatesPerButton > 0 ? e.StatesPerButton : e.Frames);
        const TSurface picture = LoadImageFile(PathOf(e.Name));
        const std::vector<TSurface> frames = DrawnPieces(picture, e);
        for (size_t i = 0; i < frames.size(); ++i)
            for (size_t j = i + 1; j < frames.size() && j / group == i / group; ++j)
                EXPECT_FALSE(frames[i] == frames[j])
                    << "frames " << i + 1 << " and " << j + 1 << " are the same";
    }
}
