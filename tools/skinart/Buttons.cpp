#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Painters.h"

#include <algorithm>

namespace art {

TSurface PushButtonStrip(const TStylePalette& p, int width, int height) {
    return MakeStrip(width / 3, height, 3, [&](TSurface& frame, int state) {
        TCanvas canvas(frame);
        canvas.FillAll(Solid(p.Background));
        const TBox box = BoxOf(frame);
        const TField shape = RoundRect(box, p.ButtonRadius);
        PaintFace(canvas, p, p.Button[state], shape, box);
        if (p.ButtonMasked) canvas.MaskOutside(shape);
    });
}

// Stretched into the combo box's drop button; the control draws the arrow itself except in WinXP.
TSurface ComboButton(const TStylePalette& p, int width, int height, bool withArrow) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid({255, 255, 255}));
    const TBox box = BoxOf(surface).Inset(withArrow ? 1 : 0, withArrow ? 1 : 0);
    const TField shape = RoundRect(box, withArrow ? 2.5f : 0);
    PaintFace(canvas, p, p.ArrowButton[Normal], shape, box);
    if (withArrow) DrawGlyph(canvas, TGlyph::Down, Square({box.CX(), box.CY() + 0.5f}, 4), 1, p.Arrow);
    return surface;
}

TSurface PanelButtonStrip(int width, int height) {
    return MakeStrip(width / 4, height, 4, [&](TSurface& frame, int index) {
        TCanvas canvas(frame);
        canvas.FillAll(Solid({255, 255, 255}));
        canvas.Fill(Outline(RoundRect(BoxOf(frame), 0), 1), FromHex(0xC4C8D0));
        const bool hot = index % 2 == 1;
        const TGlyph glyph = index < 2 ? TGlyph::ChevronsUp : TGlyph::ChevronsDown;
        DrawGlyph(canvas, glyph, BoxOf(frame).Inset(2.5f, 2), 1.4f, FromHex(hot ? 0x9AA0B0 : 0x303440));
    });
}

// Masked on magenta: AA edges are blended on a neutral face before the mask cuts the rest away.
TSurface NavigatorStrip(int width, int height) {
    struct TNavGlyph {
        TGlyph Glyph;
        unsigned Color;
    };
    constexpr unsigned blue = 0x2060D8, green = 0x1E9E3A, red = 0xD03424, orange = 0xE8880C;
    const TNavGlyph glyphs[] = {{TGlyph::First, blue},    {TGlyph::Prior, green}, {TGlyph::Next, green},
                                {TGlyph::Last, blue},     {TGlyph::Insert, red},  {TGlyph::Delete, red},
                                {TGlyph::Edit, red},      {TGlyph::Post, orange}, {TGlyph::Cancel, orange},
                                {TGlyph::Refresh, orange}};
    return MakeStrip(width / 10, height, 10, [&](TSurface& frame, int index) {
        TCanvas canvas(frame);
        canvas.FillAll(Solid(FromHex(0xE8E8E8)));
        const TBox box = BoxOf(frame).Inset(2);
        const TField shape = GlyphShape(glyphs[index].Glyph, box, 2.2f);
        const TRGB color = FromHex(glyphs[index].Color);
        canvas.Fill(shape,
                    VerticalGradient(box.T, box.B, {{0, Lighter(color, 0.3f)}, {1, Darker(color, 0.1f)}}));
        canvas.Fill(Outline(shape, 0.8f), Darker(color, 0.35f), 0.6f);
        canvas.MaskOutside(shape);
    });
}

} // namespace art
