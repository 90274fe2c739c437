#include "tools/skinart/Catalogue.h"

#include "tools/skinart/Painters.h"

#include <functional>

namespace art {

namespace {

struct TSize2 {
    int W, H;
};
using TStylePainter = std::function<TSurface(const TStylePalette&, int, int)>;

// The keyed pictures: part name and size per style, in style order MacOS, WinXP, DeepBlue, Protein,
// BlueGlass.
struct TKeyedPart {
    const char* Part;
    std::array<TSize2, 5> Sizes;
    TStylePainter Paint;
};

std::vector<TKeyedPart> KeyedParts() {
    auto title = [](TTitlePiece piece) {
        return [piece](const TStylePalette& p, int w, int h) { return TitlePicture(p, piece, w, h); };
    };
    auto slider = [](bool vertical) {
        return [vertical](const TStylePalette& p, int w, int h) { return TrackBarSlider(p, w, h, vertical); };
    };
    return {
        {"BUTTON", {{{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}}, PushButtonStrip},
        {"CHECKBOX", {{{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, CheckBoxStrip},
        {"RADIOBUTTON", {{{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, RadioButtonStrip},
        {"TITLEBTN", {{{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}}, TitleButtonStrip},
        {"TITLE_LEFT", {{{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}}, title(TTitlePiece::Left)},
        {"TITLE_CLIENT", {{{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}}, title(TTitlePiece::Client)},
        {"TITLE_RIGHT", {{{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}}, title(TTitlePiece::Right)},
        {"PROGRESSBAR", {{{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}}, ProgressBar},
        {"TRACKBAR_BAR", {{{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}}, TrackBarBar},
        {"TRACKBAR_SLIDER", {{{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}}, slider(false)},
        {"TRACKBAR_SLIDER_V", {{{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}}, slider(true)},
        {"SCROLLBAR_BUTTON", {{{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}}, ScrollBarButtonStrip},
        {"SCROLLBAR_TRACK", {{{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}}, ScrollBarThumb},
        {"CHECKLIST", {{{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}}, CheckListStrip},
        {"TAB", {{{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}}, TabPicture},
        {"TAB_LINE", {{{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}}, TabLine},
        {"SIDECHENNEL_HANDLE", {{{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}}, SideChannelHandle},
        {"SIDECHENNEL_BAR", {{{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}}, CaptionBar},
    };
}

// Pictures a control loads by a fixed name, each painted in one style.
struct TNamedPicture {
    const char* Name;
    const char* Part;
    TStyle Style;
    TSize2 Size;
    TStylePainter Paint;
};

std::vector<TNamedPicture> NamedPictures() {
    auto combo = [](bool withArrow) {
        return [withArrow](const TStylePalette& p, int w, int h) { return ComboButton(p, w, h, withArrow); };
    };
    return {
        {"MACOS_SCROLLBUTTON", "SCROLLBUTTON", TStyle::MacOS, {72, 18}, ScrollButtonStrip},
        {"WINXP_SCROLLBUTTON", "SCROLLBUTTON", TStyle::WinXP, {72, 18}, ScrollButtonStrip},
        {"MORE_SCROLLBUTTON", "SCROLLBUTTON", TStyle::DeepBlue, {72, 17}, ScrollButtonStrip},
        {"MACOS_COMBOBOX_BUTTON", "COMBOBOX_BUTTON", TStyle::MacOS, {16, 17}, combo(false)},
        {"WINXP_COMBOBOX_BUTTON", "COMBOBOX_BUTTON", TStyle::WinXP, {16, 18}, combo(true)},
        {"MACOS_FORM_BACKGROUND", "FORM_BACKGROUND", TStyle::MacOS, {8, 8}, FormBackground},
        {"PROTEIN_FORM_BACKGROUND", "FORM_BACKGROUND", TStyle::Protein, {8, 8}, FormBackground},
        {"MACOS_MENU_BAR", "MENU_BAR", TStyle::MacOS, {1, 22}, MenuBar},
        {"MACOS_MENU_SELECT", "MENU_SELECT", TStyle::MacOS, {1, 21}, MenuSelection},
    };
}

// Pictures that belong to no style.
std::vector<TArtwork> SharedPictures() {
    std::vector<TArtwork> shared;
    shared.push_back({"MENU_CHECKED", "SHARED", -1, MenuCheckMark(16, 16)});
    shared.push_back({"PANEL_BUTTON", "SHARED", -1, PanelButtonStrip(52, 12)});
    shared.push_back({"DBNAV_BUTTON", "SHARED", -1, NavigatorStrip(160, 16)});
    shared.push_back({"MAINICON", "SHARED", -1, ProgramIcon(32, 32)});
    return shared;
}

} // namespace

std::vector<TArtwork> PaintAllArtwork() {
    std::vector<TArtwork> all;
    for (const TKeyedPart& part : KeyedParts())
        for (TStyle style : AllStyles) {
            const TStylePalette& palette = PaletteOf(style);
            const TSize2 size = part.Sizes[size_t(style)];
            all.push_back(
                {palette.Prefix + part.Part, part.Part, int(style), part.Paint(palette, size.W, size.H)});
        }
    for (const TNamedPicture& named : NamedPictures())
        all.push_back({named.Name, named.Part, int(named.Style),
                       named.Paint(PaletteOf(named.Style), named.Size.W, named.Size.H)});
    for (TArtwork& shared : SharedPictures())
        all.push_back(std::move(shared));
    return all;
}

} // namespace art
