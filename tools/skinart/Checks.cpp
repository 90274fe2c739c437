#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Painters.h"

#include <algorithm>

namespace art {

namespace {

// Frames in the order the check box cuts them: checked, unchecked, checked greyed, unchecked greyed.
bool IsChecked(int frame) {
    return frame % 2 == 0;
}
bool IsGreyed(int frame) {
    return frame >= 2;
}

TFace Greyed(const TFace& face, TRGB background) {
    return {Mix(face.Base, background, 0.6f), Mix(face.Border, background, 0.55f), face.Ring, 0};
}

// The square or round box of a state frame, as large as the frame's smaller side, centred.
TBox MarkBox(const TSurface& frame) {
    const float side = float(std::min(frame.Width(), frame.Height()));
    const TBox all = BoxOf(frame);
    return Square({all.CX(), all.CY()}, side / 2);
}

using TShapeOf = TField (*)(TBox box, float radius);

TSurface StateStrip(const TStylePalette& p, int width, int height, TShapeOf shapeOf, TGlyph mark,
                    float markInset) {
    return MakeStrip(width / 4, height, 4, [&](TSurface& frame, int index) {
        TCanvas canvas(frame);
        canvas.FillAll(Solid(p.Background));
        const TBox box = MarkBox(frame);
        const TField shape = shapeOf(box, p.BoxRadius);
        TFace face = IsChecked(index) ? p.CheckedBox : p.Box;
        TRGB markColor = p.Mark;
        if (IsGreyed(index)) {
            face = Greyed(face, p.Background);
            markColor = Mix(markColor, face.Base, 0.5f);
        }
        PaintFace(canvas, p, face, shape, box);
        if (IsChecked(index))
            DrawGlyph(canvas, mark, box.Inset(box.W() * markInset), std::max(1.4f, box.W() * 0.14f),
                      markColor);
    });
}

TField SquareBox(TBox box, float radius) {
    return RoundRect(box, radius);
}
TField RoundBox(TBox box, float) {
    return Circle({box.CX(), box.CY()}, box.W() / 2);
}

} // namespace

TSurface CheckBoxStrip(const TStylePalette& p, int width, int height) {
    return StateStrip(p, width, height, SquareBox, TGlyph::Check, 0.16f);
}

TSurface RadioButtonStrip(const TStylePalette& p, int width, int height) {
    return StateStrip(p, width, height, RoundBox, TGlyph::Dot, 0.3f);
}

TSurface CheckListStrip(const TStylePalette& p, int width, int height) {
    return StateStrip(p, width, height, SquareBox, TGlyph::Check, 0.14f);
}

// The menus add it masked with white, so it has no soft edges: every pixel is the mark or white.
TSurface MenuCheckMark(int width, int height) {
    TSurface surface(width, height);
    const TField mark = GlyphShape(TGlyph::Check, BoxOf(surface).Inset(3), 2.2f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (mark({x + 0.5f, y + 0.5f}) <= 0) surface.SetPixel(x, y, 0x000000);
    return surface;
}

} // namespace art
