#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Painters.h"

#include <algorithm>

namespace art {

namespace {

void PaintArrowButton(TSurface& frame, const TStylePalette& p, int state, TGlyph arrow) {
    TCanvas canvas(frame);
    canvas.FillAll(Solid(p.ScrollTrack));
    const TBox box = BoxOf(frame);
    const TField shape = RoundRect(box, std::min(p.BoxRadius, 2.0f));
    PaintFace(canvas, p, p.ArrowButton[state], shape, box);
    const float half = std::min(box.W(), box.H()) * 0.32f;
    const TPt centre{box.CX(), box.CY() + (state == Down ? 0.5f : 0)};
    DrawGlyph(canvas, arrow, Square(centre, half), 1, p.Arrow);
}

} // namespace

// Cut in three by the track bar: the rounded ends stay in the outer thirds, which are drawn masked.
TSurface TrackBarBar(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid(p.Background));
    const TBox box = BoxOf(surface);
    const TField groove = RoundRect(box, box.H() / 2);
    canvas.Fill(groove, VerticalGradient(box.T, box.B,
                                         {{0, Darker(p.Groove, 0.25f)}, {1, Lighter(p.Groove, 0.35f)}}));
    canvas.Fill(Outline(groove, 1), Darker(p.Groove, 0.3f), 0.7f);
    canvas.MaskOutside(groove);
    return surface;
}

// The horizontal slider points down and is drawn see-through; the vertical one points right and is opaque.
TSurface TrackBarSlider(const TStylePalette& p, int width, int height, bool vertical) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid(p.Background));
    const float w = float(width), h = float(height);
    const float tip = vertical ? w * 0.3f : h * 0.3f;
    const TField pointer = vertical ? Polygon({{0, 0}, {w - tip, 0}, {w, h / 2}, {w - tip, h}, {0, h}})
                                    : Polygon({{0, 0}, {w, 0}, {w, h - tip}, {w / 2, h}, {0, h - tip}});
    const TField shape = Intersect(pointer, RoundRect(BoxOf(surface), 2.5f));
    const TBox box = BoxOf(surface);
    canvas.Fill(shape, FacePaint(p, p.Thumb[Normal], box));
    canvas.Fill(Outline(shape, 1), p.Thumb[Normal].Border);
    if (!vertical) canvas.MaskOutside(shape);
    return surface;
}

TSurface ScrollBarButtonStrip(const TStylePalette& p, int width, int height) {
    return MakeStrip(width / 6, height, 6, [&](TSurface& frame, int index) {
        PaintArrowButton(frame, p, index % 3, index < 3 ? TGlyph::Up : TGlyph::Down);
    });
}

// One thumb drawn across the whole strip: the ends round off inside the outer frames, the middle frame is
// uniform along the bar so it can be stretched.
TSurface ScrollBarThumb(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid(p.ScrollTrack));
    const TBox box = BoxOf(surface).Inset(0.5f, 1.5f);
    const TField shape = RoundRect(box, std::min(float(width / 3), box.H() / 2));
    PaintFace(canvas, p, p.Thumb[Normal], shape, box);
    return surface;
}

TSurface ScrollButtonStrip(const TStylePalette& p, int width, int height) {
    constexpr TGlyph arrows[] = {TGlyph::Up, TGlyph::Down, TGlyph::Left, TGlyph::Right};
    return MakeStrip(width / 4, height, 4,
                     [&](TSurface& frame, int index) { PaintArrowButton(frame, p, Normal, arrows[index]); });
}

// Tiled along the bar: a 1-pixel column is a plain gradient, wider tiles carry the style's pattern.
TSurface ProgressBar(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    const TBox box = BoxOf(surface);
    canvas.FillAll(FacePaint(p, {p.Progress, p.Progress, {}, 0}, box));
    if (width >= 10) { // diagonal stripes that seem to move as the bar grows
        canvas.Fill([&](TPt at) { return (int(at.X + at.Y) % width) < width / 2 ? -1.0f : 1.0f; },
                    Solid({255, 255, 255}), 0.25f);
    } else if (width > 1) { // separate blocks
        canvas.Fill(RoundRect({box.R - 1, box.T, box.R, box.B}, 0), p.Background);
    }
    return surface;
}

} // namespace art
