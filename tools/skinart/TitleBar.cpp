#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Painters.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

void PaintTitleBackground(TCanvas& canvas, const TStylePalette& p, float topInBar) {
    canvas.FillAll([&](TPt at) { return TitleAt(p, at.Y + topInBar, float(p.TitleHeight)); });
}

// A soft glow behind the caption, gone well before the picture's right edge so the bar joins seamlessly.
void PaintSheen(TCanvas& canvas, const TStylePalette& p, int width, int height) {
    if (p.TitleSheenAlpha <= 0) return;
    const float cx = std::min(width * 0.3f, 120.0f), rx = std::min(width * 0.28f, 130.0f), ry = height * 0.6f;
    canvas.Fill(Ellipse({cx - rx, -ry * 0.4f, cx + rx, ry * 1.2f}), Solid(p.TitleSheen), [&](TPt at) {
        const float d = std::hypot((at.X - cx) / rx, (at.Y - ry * 0.4f) / ry);
        return p.TitleSheenAlpha * std::clamp(1 - d, 0.0f, 1.0f);
    });
}

enum TGroup { ControlBox, Help, Maximise, Restore, Minimise, Close };

TFace TitleButtonFace(const TStylePalette& p, TGroup group, int state) {
    const TRGB tint = group == Close                          ? p.CloseBase
                      : group == Minimise                     ? p.MinimiseBase
                      : group == Maximise || group == Restore ? p.MaximiseBase
                                                              : p.TitleButton[Normal].Base;
    TFace face = p.TitleButton[state];
    if (group == ControlBox || group == Help) return face;
    face.Base = state == Hot ? Lighter(tint, 0.22f) : state == Down ? Darker(tint, 0.22f) : tint;
    if (p.TintedBorders) face.Border = Darker(tint, 0.4f);
    return face;
}

TGlyph GlyphOf(TGroup group) {
    constexpr TGlyph glyphs[] = {TGlyph::Menu,    TGlyph::Help,     TGlyph::Maximise,
                                 TGlyph::Restore, TGlyph::Minimise, TGlyph::Close};
    return glyphs[group];
}

} // namespace

TSurface TitlePicture(const TStylePalette& p, TTitlePiece piece, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    PaintTitleBackground(canvas, p, 0);
    if (piece == TTitlePiece::Left) PaintSheen(canvas, p, width, height);
    canvas.Fill(RoundRect({0, float(height - 1), float(width), float(height)}, 0), p.TitleLine);
    return surface;
}

TSurface TitleButtonStrip(const TStylePalette& p, int width, int height) {
    return MakeStrip(width / 18, height, 18, [&](TSurface& frame, int index) {
        const TGroup group = TGroup(index / 3);
        const int state = index % 3;
        TCanvas canvas(frame);
        PaintTitleBackground(canvas, p, float(p.TitleButtonTop));
        const TBox box = BoxOf(frame);
        const TField shape = RoundRect(box, p.TitleButtonRadius);
        PaintFace(canvas, p, TitleButtonFace(p, group, state), shape, box);
        if (!(p.GlyphsOnHoverOnly && state == Normal)) {
            const float size = float(frame.Height());
            const float stroke = std::max(1.5f, size * 0.11f);
            const TBox glyphBox = box.Inset(size * (p.GlyphsOnHoverOnly ? 0.28f : 0.24f));
            if (!p.GlyphsOnHoverOnly) // a dark shadow keeps white symbols legible on light faces
                DrawGlyph(canvas, GlyphOf(group), glyphBox.Shift(0.6f, 0.8f), stroke, {0, 0, 0}, 0.3f);
            DrawGlyph(canvas, GlyphOf(group), glyphBox, stroke, p.TitleGlyph);
        }
        if (p.TitleButtonMasked) canvas.MaskOutside(shape);
    });
}

} // namespace art
