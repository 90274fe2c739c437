#include "tools/appart/AppArt.h"
#include "tools/appart/Ornaments.h"
#include "tools/skinart/Glyphs.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

namespace {

const TRGB White{255, 255, 255};

// The bar's own gradient closed by its dark line, so every section and button corner agrees row by row.
void PaintBar(TCanvas& canvas, float topInBar, int width) {
    const TStylePalette& p = AppPalette();
    canvas.FillAll([&](TPt at) { return TitleAt(p, at.Y + topInBar, float(p.TitleHeight)); });
    const float line = float(p.TitleHeight - 1) - topInBar;
    canvas.Fill(RoundRect({0, line, float(width), line + 1}, 0), p.TitleLine);
}

TSurface BarPiece(int width) {
    TSurface surface(width, AppTitleHeight);
    TCanvas canvas(surface);
    PaintBar(canvas, 0, width);
    return surface;
}

// How strongly the ornament shows at x: rising from nothing, then gone well before the picture's right edge.
float OrnamentWeight(float x) {
    constexpr float riseFrom = 190, full = 250, fadeFrom = 330, goneAt = 395;
    if (x <= riseFrom || x >= goneAt) return 0;
    if (x < full) return (x - riseFrom) / (full - riseFrom);
    if (x > fadeFrom) return (goneAt - x) / (goneAt - fadeFrom);
    return 1;
}

// A small constellation: stars joined by faint lines, a spell-book's night sky in the bar.
void PaintConstellation(TCanvas& canvas) {
    const std::vector<TPt> stars{{204, 14}, {222, 7.5f}, {241, 12}, {259, 6}, {276, 13.5f}, {296, 8},
                                 {314, 15}, {331, 7},    {350, 11}, {368, 6}, {386, 12.5f}};
    const std::vector<float> sizes{2.2f, 3.2f, 2.4f, 4.2f, 2.6f, 3.6f, 2.4f, 4.4f, 2.8f, 3.0f, 2.2f};
    const TRGB starlight = FromHex(0xE4E6FF);
    for (size_t i = 1; i < stars.size(); ++i) {
        const float weight = std::min(OrnamentWeight(stars[i - 1].X), OrnamentWeight(stars[i].X));
        canvas.Fill(Polyline({stars[i - 1], stars[i]}, 0.7f), starlight, 0.28f * weight);
    }
    for (size_t i = 0; i < stars.size(); ++i) {
        const float weight = OrnamentWeight(stars[i].X);
        canvas.Fill(Circle(stars[i], sizes[i] * 1.1f), starlight, 0.12f * weight); // the glow
        canvas.Fill(Sparkle(stars[i], sizes[i]), starlight, 0.9f * weight);
    }
}

// A soft light behind the caption at the left.
void PaintCaptionSheen(TCanvas& canvas) {
    const float cx = 70, rx = 150, ry = 16;
    canvas.Fill(Ellipse({cx - rx, -ry, cx + rx, ry}), Solid(White), [&](TPt at) {
        const float d = std::hypot((at.X - cx) / rx, at.Y / ry);
        return 0.1f * std::clamp(1 - d, 0.0f, 1.0f);
    });
}

TFace ButtonFace(TAppButton button, TState state) {
    const TStylePalette& p = AppPalette();
    TFace face = p.TitleButton[state];
    if (button == TAppButton::Close)
        face.Base = state == Hot    ? Lighter(p.CloseBase, 0.22f)
                    : state == Down ? Darker(p.CloseBase, 0.22f)
                                    : p.CloseBase;
    return face;
}

// An open book, the control box's emblem: two pages with a line of writing cut out of each.
TField BookGlyph(TBox box) {
    const TBox book{box.L - 1.5f, box.T + 0.5f, box.R + 1.5f, box.B + 0.5f};
    TField glyph;
    for (TPageSide side : {TPageSide::Left, TPageSide::Right}) {
        const TField writing =
            Polyline({PagePoint(book, side, 0.22f, 0.5f), PagePoint(book, side, 0.78f, 0.5f)}, 1.2f);
        const TField page = Subtract(OpenBookPage(book, side), writing);
        glyph = glyph ? Unite(glyph, page) : page;
    }
    return glyph;
}

TField ButtonGlyph(TAppButton button, TBox box, float stroke) {
    switch (button) {
    case TAppButton::ControlBox:
        return BookGlyph(box);
    case TAppButton::Close:
        return GlyphShape(TGlyph::Close, box, stroke);
    case TAppButton::Max:
        return GlyphShape(TGlyph::Maximise, box, stroke);
    case TAppButton::Min:
        return GlyphShape(TGlyph::Minimise, box, stroke);
    }
    throw std::logic_error("unknown title-bar button");
}

} // namespace

TSurface AppTitleButton(TAppButton button, TState state) {
    const TStylePalette& p = AppPalette();
    TSurface surface(AppButtonSize, AppButtonSize);
    TCanvas canvas(surface);
    PaintBar(canvas, float(p.TitleButtonTop), AppButtonSize);
    const TBox box = BoxOf(surface);
    const TField shape = RoundRect(box, p.TitleButtonRadius);
    PaintFace(canvas, p, ButtonFace(button, state), shape, box);
    const float size = float(AppButtonSize);
    const float stroke = std::max(1.5f, size * 0.11f);
    const TBox glyphBox = box.Inset(size * 0.24f);
    const float press = state == Down ? 0.5f : 0; // the symbol sinks with the button
    const TField glyph = ButtonGlyph(button, glyphBox.Shift(press, press), stroke);
    canvas.Fill([&](TPt at) { return glyph({at.X - 0.6f, at.Y - 0.8f}); }, Solid({0, 0, 0}), 0.3f);
    canvas.Fill(glyph, White);
    canvas.MaskOutside(shape);
    return surface;
}

TSurface AppTitleLeft() {
    TSurface surface = BarPiece(AppTitleLeftWidth);
    TCanvas canvas(surface);
    PaintCaptionSheen(canvas);
    PaintConstellation(canvas);
    return surface;
}

TSurface AppTitleClient() {
    return BarPiece(1);
}

TSurface AppTitleRight() {
    return BarPiece(1);
}

} // namespace art
