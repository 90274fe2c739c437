#include "tools/skinart/Palette.h"

#include <stdexcept>

namespace art {

namespace {

TRGB Hex(unsigned rrggbb) {
    return FromHex(rrggbb);
}
TFace Face(unsigned base, unsigned border) {
    return {Hex(base), Hex(border), {}, 0};
}
TFace Face(unsigned base, unsigned border, unsigned ring, float ringAlpha) {
    return {Hex(base), Hex(border), Hex(ring), ringAlpha};
}

// Aqua: grey pill buttons that turn to blue candy under the mouse, traffic-light title buttons.
TStylePalette MacOSPalette() {
    TStylePalette p{};
    p.Style = TStyle::MacOS;
    p.ButtonMasked = true;
    p.TitleButtonMasked = false;
    p.TintedBorders = true;
    p.Prefix = "MACOS_";
    p.Finish = TFinish::Aqua;
    p.Background = FromColor(0xE7E7E7);
    p.ScrollTrack = FromColor(0xC9C9C9);
    p.Selection = FromColor(0xC47339);
    p.ControlBorder = FromColor(0x7F7F7F);
    p.Button = {Face(0xE6E6E6, 0x8A8A8A), Face(0x6FA8F0, 0x3B6EB5), Face(0x3F82DB, 0x2A5590)};
    p.ButtonRadius = 11;
    p.Title = {{0, Hex(0xEDEDED)}, {0.5f, Hex(0xD6D6D6)}, {1, Hex(0xBDBDBD)}};
    p.TitleHeight = 23;
    p.TitleButtonTop = 4;
    p.TitleLine = Hex(0x8C8C8C);
    p.TitleSheen = Hex(0xFFFFFF);
    p.TitleSheenAlpha = 0; // opaque title buttons must match the bar everywhere
    p.TitleButton = {Face(0x9AA6B8, 0x6B7588), Face(0xB3BDCC, 0x6B7588), Face(0x7A869A, 0x55607A)};
    p.CloseBase = Hex(0xE0443E);
    p.MinimiseBase = Hex(0xF2B12C);
    p.MaximiseBase = Hex(0x3FB93E);
    p.TitleGlyph = Hex(0x3A2A20);
    p.TitleButtonRadius = 100;
    p.GlyphsOnHoverOnly = true;
    p.Box = Face(0xF4F4F4, 0x8A8A8A);
    p.CheckedBox = Face(0x5A97E8, 0x2F5F9F);
    p.Mark = Hex(0x10203A);
    p.BoxRadius = 3;
    p.Thumb = {Face(0x4F8FE6, 0x2F5F9F), Face(0x6AA3EE, 0x2F5F9F), Face(0x3A78CF, 0x244C86)};
    p.ArrowButton = {Face(0xE2E2E2, 0x9A9A9A), Face(0xEEEEEE, 0x8A8A8A), Face(0xC4C4C4, 0x7A7A7A)};
    p.Arrow = Hex(0x303030);
    p.Groove = Hex(0xA0A0A0);
    p.Progress = Hex(0x4F8FE6);
    p.CaptionBar = {{0, Hex(0xF4F4F4)}, {0.5f, Hex(0xE0E0E0)}, {1, Hex(0xC4C4C4)}};
    p.Tab = Face(0xE2E2E2, 0x8A8A8A);
    return p;
}

// Luna: a deep blue title bar with white-rimmed buttons, cream buttons with an orange glow, green marks.
TStylePalette WinXPPalette() {
    TStylePalette p{};
    p.Style = TStyle::WinXP;
    p.ButtonMasked = false;
    p.TitleButtonMasked = false;
    p.TintedBorders = false;
    p.Prefix = "WINXP_";
    p.Finish = TFinish::Luna;
    p.Background = FromColor(0xDEEBEF);
    p.ScrollTrack = FromColor(0xF9F9F9);
    p.Selection = FromColor(0xEFD3C6);
    p.ControlBorder = FromColor(0x686868);
    p.Button = {Face(0xE6E3D8, 0x003C74), Face(0xE6E3D8, 0x003C74, 0xF8B330, 1),
                Face(0xD9D6CA, 0x003C74, 0xC9C3B0, 0.8f)};
    p.ButtonRadius = 3;
    p.Title = {{0, Hex(0x4D9BFF)},
               {0.12f, Hex(0x0A66F0)},
               {0.5f, Hex(0x0058EE)},
               {0.85f, Hex(0x0453DD)},
               {1, Hex(0x0040B8)}};
    p.TitleHeight = 29;
    p.TitleButtonTop = 5;
    p.TitleLine = Hex(0x003BA8);
    p.TitleSheen = Hex(0x7FB6FF);
    p.TitleSheenAlpha = 0;
    p.TitleButton = {Face(0x2D6FF7, 0xFFFFFF), Face(0x5B93FF, 0xFFFFFF), Face(0x1C4FC4, 0xE0E8FF)};
    p.CloseBase = Hex(0xE2572C);
    p.MinimiseBase = p.TitleButton[Normal].Base;
    p.MaximiseBase = p.TitleButton[Normal].Base;
    p.TitleGlyph = Hex(0xFFFFFF);
    p.TitleButtonRadius = 3;
    p.GlyphsOnHoverOnly = false;
    p.Box = Face(0xF0EFE8, 0x1C5180);
    p.CheckedBox = p.Box;
    p.Mark = Hex(0x21A121);
    p.BoxRadius = 0;
    p.Thumb = {Face(0xC1D3FB, 0x98AEE2), Face(0xD6E3FE, 0x98AEE2), Face(0xA7BFF5, 0x7F97D0)};
    p.ArrowButton = p.Thumb;
    p.Arrow = Hex(0x4D6185);
    p.Groove = Hex(0xB7B3A2);
    p.Progress = Hex(0x2FBF2F);
    p.CaptionBar = {{0, Hex(0xFFFFFF)}, {1, Hex(0xC6D3F7)}};
    p.Tab = Face(0xFCFCFE, 0x919B9C);
    return p;
}

// Deep navy bars and thumbs with white glyphs; light steel buttons so black captions stay readable.
TStylePalette DeepBluePalette() {
    TStylePalette p{};
    p.Style = TStyle::DeepBlue;
    p.ButtonMasked = false;
    p.TitleButtonMasked = false;
    p.TintedBorders = false;
    p.Prefix = "DEEPBLUE_";
    p.Finish = TFinish::Matte;
    p.Background = FromColor(0xE8E8E8);
    p.ScrollTrack = FromColor(0xF5F5F5);
    p.Selection = FromColor(0xA04A44);
    p.ControlBorder = FromColor(0x000000);
    p.Button = {Face(0xC2CFE8, 0x1E2C5A, 0xFFFFFF, 0.5f), Face(0xD6E2F8, 0x2C4A94, 0xFFFFFF, 0.7f),
                Face(0xA3B4D8, 0x1E2C5A)};
    p.ButtonRadius = 3;
    p.Title = {{0, Hex(0x41579A)}, {0.45f, Hex(0x1F3068)}, {0.55f, Hex(0x172552)}, {1, Hex(0x0A1232)}};
    p.TitleHeight = 32;
    p.TitleButtonTop = 2;
    p.TitleLine = Hex(0x000000);
    p.TitleSheen = Hex(0x7090E0);
    p.TitleSheenAlpha = 0;
    p.TitleButton = {Face(0x2A3D78, 0x0A1230), Face(0x3E58A8, 0x0A1230), Face(0x16224A, 0x05091A)};
    p.CloseBase = Hex(0x8A2B3A);
    p.MinimiseBase = p.TitleButton[Normal].Base;
    p.MaximiseBase = p.TitleButton[Normal].Base;
    p.TitleGlyph = Hex(0xFFFFFF);
    p.TitleButtonRadius = 3;
    p.GlyphsOnHoverOnly = false;
    p.Box = Face(0xFFFFFF, 0x1E2C5A);
    p.CheckedBox = Face(0x2A3D78, 0x0A1230);
    p.Mark = Hex(0xFFFFFF);
    p.BoxRadius = 2;
    p.Thumb = {Face(0x2A3D78, 0x0A1230), Face(0x3E58A8, 0x0A1230), Face(0x1A2858, 0x05091A)};
    p.ArrowButton = p.Thumb;
    p.Arrow = Hex(0xFFFFFF);
    p.Groove = Hex(0x1E2C5A);
    p.Progress = Hex(0x2E4A9A);
    p.CaptionBar = {{0, Hex(0x41579A)}, {0.5f, Hex(0x1F3068)}, {1, Hex(0x0A1232)}};
    p.Tab = Face(0x2A3D78, 0x0A1230);
    return p;
}

// Light, almost white surfaces; everything chosen or under the mouse turns to the style's blue.
TStylePalette ProteinPalette() {
    TStylePalette p{};
    p.Style = TStyle::Protein;
    p.ButtonMasked = false;
    p.TitleButtonMasked = true;
    p.TintedBorders = false;
    p.Prefix = "PROTEIN_";
    p.Finish = TFinish::Matte;
    p.Background = FromColor(0xFBFBFB);
    p.ScrollTrack = FromColor(0xF5F5F5);
    p.Selection = FromColor(0xC4302D);
    p.ControlBorder = FromColor(0x000000);
    p.Button = {Face(0xEEEFF3, 0x9A9EB0, 0xFFFFFF, 0.8f), Face(0xE3E5FA, 0x2D30C4, 0xFFFFFF, 0.8f),
                Face(0xC6C9F2, 0x2D30C4)};
    p.ButtonRadius = 4;
    p.Title = {{0, Hex(0x6E73EA)}, {0.5f, Hex(0x4246D4)}, {1, Hex(0x2D30C4)}};
    p.TitleHeight = 23;
    p.TitleButtonTop = 2;
    p.TitleLine = Hex(0x1E2090);
    p.TitleSheen = Hex(0xFFFFFF);
    p.TitleSheenAlpha = 0.2f;
    p.TitleButton = {Face(0x4F54D8, 0xD8DAFF), Face(0x7075EE, 0xFFFFFF), Face(0x2A2DA8, 0xC8CAF5)};
    p.CloseBase = Hex(0xD8453A);
    p.MinimiseBase = p.TitleButton[Normal].Base;
    p.MaximiseBase = p.TitleButton[Normal].Base;
    p.TitleGlyph = Hex(0xFFFFFF);
    p.TitleButtonRadius = 4;
    p.GlyphsOnHoverOnly = false;
    p.Box = Face(0xFFFFFF, 0x8088A8);
    p.CheckedBox = Face(0x2D30C4, 0x1E2090);
    p.Mark = Hex(0xFFFFFF);
    p.BoxRadius = 2;
    p.Thumb = {Face(0xE4E6F8, 0x8A8FD0), Face(0xD2D5F8, 0x2D30C4), Face(0xB8BCF0, 0x2D30C4)};
    p.ArrowButton = {Face(0xF2F2F4, 0xB4B8C8), Face(0xE6E8FA, 0x2D30C4), Face(0xC9CCF2, 0x2D30C4)};
    p.Arrow = Hex(0x2D30C4);
    p.Groove = Hex(0xC4C8DC);
    p.Progress = Hex(0x2D30C4);
    p.CaptionBar = {{0, Hex(0x5A5FE0)}, {1, Hex(0x2D30C4)}};
    p.Tab = Face(0xF0F0F2, 0x9A9EB0);
    return p;
}

// Glass: every surface split into a pale sheen and a deep blue body, round orbs on the title bar.
TStylePalette BlueGlassPalette() {
    TStylePalette p{};
    p.Style = TStyle::BlueGlass;
    p.ButtonMasked = true;
    p.TitleButtonMasked = true;
    p.TintedBorders = false;
    p.Prefix = "BLUEGLASS_";
    p.Finish = TFinish::Glass;
    p.Background = FromColor(0xE7E7E7);
    p.ScrollTrack = FromColor(0xF4F4F4);
    p.Selection = FromColor(0xEC5E5E);
    p.ControlBorder = FromColor(0x000000);
    p.Button = {Face(0x98C4F0, 0x3E6FA8), Face(0xB4D8FA, 0x4F8AD0, 0xFFFFFF, 0.6f), Face(0x6A9FDA, 0x2E5A8C)};
    p.ButtonRadius = 6;
    p.Title = {{0, Hex(0x96C6F4)},
               {0.47f, Hex(0x5E9FE2)},
               {0.53f, Hex(0x3A82D2)},
               {0.88f, Hex(0x2C6EBE)},
               {1, Hex(0x4C92DC)}};
    p.TitleHeight = 33;
    p.TitleButtonTop = 6;
    p.TitleLine = Hex(0x1C4A80);
    p.TitleSheen = Hex(0xFFFFFF);
    p.TitleSheenAlpha = 0.15f;
    p.TitleButton = {Face(0x3F86D6, 0x1C4A80), Face(0x62A6EE, 0x1C4A80), Face(0x2A66B0, 0x143660)};
    p.CloseBase = Hex(0xD9443A);
    p.MinimiseBase = p.TitleButton[Normal].Base;
    p.MaximiseBase = p.TitleButton[Normal].Base;
    p.TitleGlyph = Hex(0xFFFFFF);
    p.TitleButtonRadius = 100;
    p.GlyphsOnHoverOnly = false;
    p.Box = Face(0xE8F2FC, 0x3E6FA8);
    p.CheckedBox = Face(0x4A90DC, 0x2E5A8C);
    p.Mark = Hex(0xFFFFFF);
    p.BoxRadius = 3;
    p.Thumb = {Face(0x5B9BE0, 0x2E5A8C), Face(0x7AB4F0, 0x2E5A8C), Face(0x3F7EC6, 0x1C4A80)};
    p.ArrowButton = {Face(0xBFDBF7, 0x6A9ACD), Face(0xD4E8FC, 0x4F8AD0), Face(0x9CC4EE, 0x3E6FA8)};
    p.Arrow = Hex(0x1C4A80);
    p.Groove = Hex(0x6A9ACD);
    p.Progress = Hex(0x4A90DC);
    p.CaptionBar = {{0, Hex(0x96C6F4)}, {0.47f, Hex(0x5E9FE2)}, {0.53f, Hex(0x3A82D2)}, {1, Hex(0x2C6EBE)}};
    p.Tab = Face(0xC9E0F7, 0x6A9ACD);
    return p;
}

const std::array<TStylePalette, 5>& Palettes() {
    static const std::array<TStylePalette, 5> palettes{MacOSPalette(), WinXPPalette(), DeepBluePalette(),
                                                       ProteinPalette(), BlueGlassPalette()};
    return palettes;
}

} // namespace

const TStylePalette& PaletteOf(TStyle style) {
    return Palettes().at(size_t(style));
}

TPaint FacePaint(const TStylePalette& palette, const TFace& face, TBox box) {
    const TRGB b = face.Base;
    switch (palette.Finish) {
    case TFinish::Aqua:
        return VerticalGradient(
            box.T, box.B,
            {{0, Lighter(b, 0.3f)}, {0.5f, b}, {0.8f, Lighter(b, 0.2f)}, {1, Lighter(b, 0.45f)}});
    case TFinish::Luna:
        return VerticalGradient(box.T, box.B, {{0, Lighter(b, 0.75f)}, {0.8f, b}, {1, Darker(b, 0.08f)}});
    case TFinish::Matte:
        return VerticalGradient(box.T, box.B, {{0, Lighter(b, 0.22f)}, {1, Darker(b, 0.04f)}});
    case TFinish::Glass:
        return VerticalGradient(box.T, box.B,
                                {{0, Lighter(b, 0.6f)},
                                 {0.48f, Lighter(b, 0.3f)},
                                 {0.52f, b},
                                 {0.85f, Darker(b, 0.05f)},
                                 {1, Lighter(b, 0.3f)}});
    }
    throw std::logic_error("unknown finish");
}

void PaintFace(TCanvas& canvas, const TStylePalette& palette, const TFace& face, const TField& shape,
               TBox box) {
    canvas.Fill(shape, FacePaint(palette, face, box));
    const TField inner = [shape](TPt p) { return shape(p) + 1; };
    if (palette.Finish == TFinish::Aqua) {
        // The sheen: a pale lens over the upper half, fading downwards.
        const TBox lens{box.L + box.W() * 0.12f, box.T + 1, box.R - box.W() * 0.12f, box.T + box.H() * 0.5f};
        canvas.Fill(Intersect(inner, RoundRect(lens, lens.H() / 2)), Solid({255, 255, 255}),
                    VerticalFade(lens.T, lens.B, 0.85f, 0.25f));
    }
    if (face.RingAlpha > 0) canvas.Fill(Outline(inner, 1.6f), Solid(face.Ring), face.RingAlpha);
    canvas.Fill(Outline(shape, 1), Solid(face.Border));
}

TRGB TitleAt(const TStylePalette& palette, float y, float height) {
    return GradientAt(palette.Title, y / height);
}

} // namespace art
