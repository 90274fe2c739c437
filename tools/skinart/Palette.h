#pragma once
#include "tools/skinart/Art.h"

#include <array>
#include <string>

// Everything that gives a style its look, in one place: change a colour or a finish here and every bitmap of
// the style follows.
namespace art {

enum class TStyle { MacOS, WinXP, DeepBlue, Protein, BlueGlass };
constexpr std::array<TStyle, 5> AllStyles{TStyle::MacOS, TStyle::WinXP, TStyle::DeepBlue, TStyle::Protein,
                                          TStyle::BlueGlass};

// How a surface is lit: the gradient and sheen that turn a base colour into a face.
enum class TFinish {
    Aqua,  // candy gloss: bright sheen on the upper half, glow rising from the bottom
    Luna,  // soft light-to-base gradient
    Matte, // nearly flat, a thin highlight on top
    Glass, // split sheen: pale upper half, deep lower half with a bright rim at the bottom
};

enum TState { Normal = 0, Hot = 1, Down = 2 };

struct TFace {
    TRGB Base;
    TRGB Border;
    TRGB Ring; // inner glow line; ignored when RingAlpha is 0
    float RingAlpha = 0;
};

struct TStylePalette {
    TStyle Style;
    std::string Prefix; // of the resource names, "MACOS_" ...
    TFinish Finish;

    // Colours of the theme table, so the bitmaps sit on what the controls paint around them.
    TRGB Background;  // FormBackgroundColor
    TRGB ScrollTrack; // ScrollBarBackgroundColor
    TRGB Selection;   // MenuSelectedBackgroundColor
    TRGB ControlBorder;

    // Push buttons and other raised controls, by state.
    std::array<TFace, 3> Button;
    float ButtonRadius;
    bool ButtonMasked; // ButtonTransparentBool: drawn with magenta corners

    // Title bar: its vertical gradient, the dark line that closes it below, and its buttons.
    std::vector<TStop> Title;
    int TitleHeight;    // of the title bar pictures
    int TitleButtonTop; // where the bar puts its buttons (TitleBarButtonTopInt)
    TRGB TitleLine;
    TRGB TitleSheen; // a soft glow behind the caption at the left, alpha in TitleSheenAlpha
    float TitleSheenAlpha;
    std::array<TFace, 3> TitleButton;
    TRGB CloseBase, MinimiseBase, MaximiseBase; // MacOS lights; others tint only the close button
    TRGB TitleGlyph;
    float TitleButtonRadius; // large values make round buttons
    bool GlyphsOnHoverOnly;  // the lights show their symbols only under the mouse
    bool TintedBorders;      // coloured buttons take a border of their own hue
    bool TitleButtonMasked;  // TitleBarButtonTransparentBool: drawn with magenta corners

    // Check boxes, radio buttons, check lists.
    TFace Box;
    TFace CheckedBox;
    TRGB Mark;
    float BoxRadius;

    // Sliders, scroll thumbs and arrow buttons.
    std::array<TFace, 3> Thumb;
    std::array<TFace, 3> ArrowButton;
    TRGB Arrow;
    TRGB Groove; // the track bar's channel

    // Bars: progress fill, side-channel caption, tabs.
    TRGB Progress;
    std::vector<TStop> CaptionBar;
    TFace Tab;
};

const TStylePalette& PaletteOf(TStyle style);

// The face of a state in the style's finish, as a fill and a border for a shape.
TPaint FacePaint(const TStylePalette& palette, const TFace& face, TBox box);
void PaintFace(TCanvas& canvas, const TStylePalette& palette, const TFace& face, const TField& shape,
               TBox box);
// The title bar colour at row y, so opaque title buttons melt into the bar behind them.
TRGB TitleAt(const TStylePalette& palette, float y, float height);

} // namespace art
