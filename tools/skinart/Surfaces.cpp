#include "tools/skinart/Painters.h"

#include <algorithm>
#include <cstdint>

namespace art {

namespace {
// A fixed hash: the same grain every time the tool runs.
float Grain(int x, int y) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float(h & 0xFF) / 255.0f - 0.5f;
}
} // namespace

// Tiled over the whole window: a faint grain for MacOS, a faint blue dot grid for Protein.
TSurface FormBackground(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            TRGB c = p.Background;
            if (p.Style == TStyle::Protein)
                c = (x % 4 == 0 && y % 4 == 0) ? Mix(c, p.Selection, 0.06f) : c;
            else
                c = Lighter(c, Grain(x, y) * 0.06f);
            surface.SetPixel(x, y, ToPixel(c));
        }
    return surface;
}

TSurface MenuBar(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(VerticalGradient(0, float(height),
                                    {{0, Lighter(p.Background, 0.6f)}, {1, Darker(p.Background, 0.04f)}}));
    canvas.Fill(RoundRect({0, float(height - 1), float(width), float(height)}, 0),
                Darker(p.Background, 0.25f));
    return surface;
}

TSurface MenuSelection(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(FacePaint(p, {p.Selection, p.Selection, {}, 0}, BoxOf(surface)));
    return surface;
}

TSurface CaptionBar(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(VerticalGradient(0, float(height), p.CaptionBar));
    canvas.Fill(RoundRect({0, float(height - 1), float(width), float(height)}, 0), p.ControlBorder, 0.5f);
    return surface;
}

TSurface SideChannelHandle(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    const TBox box = BoxOf(surface);
    canvas.FillAll(HorizontalGradient(box.L, box.R, {{0, Lighter(p.Tab.Base, 0.4f)}, {1, p.Tab.Base}}));
    canvas.Fill(Outline(RoundRect(box, 0), 1), p.Tab.Border);
    for (float y = box.CY() - 12; y <= box.CY() + 12; y += 4) // grip dots
        canvas.Fill(Circle({box.CX(), y}, 1), Darker(p.Tab.Border, 0.2f));
    return surface;
}

TSurface TabPicture(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid(p.Background));
    const TBox box = BoxOf(surface);
    const float radius = std::min(4.0f, box.W() / 3);
    const TField tab = RoundRect({box.L, box.T, box.R, box.B + radius}, radius); // rounded on top only
    PaintFace(canvas, p, p.Tab, tab, box);
    return surface;
}

TSurface TabLine(const TStylePalette& p, int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(FacePaint(p, p.Tab, BoxOf(surface)));
    canvas.Fill(RoundRect({0, 0, float(width), 1}, 0), p.Tab.Border);
    return surface;
}

// An open spell book with a spark above it, on the transparent key colour.
TSurface ProgramIcon(int width, int height) {
    TSurface surface(width, height);
    TCanvas canvas(surface);
    canvas.FillAll(Solid(FromHex(0xD8D0C0)));
    const float s = float(width) / 32;
    auto at = [s](float x, float y) { return TPt{x * s, y * s}; };
    const TField cover = Polygon({at(1, 11), at(16, 14), at(31, 11), at(31, 27), at(16, 30), at(1, 27)});
    const TField leftPage = Polygon(
        {at(3, 9), at(7, 8), at(12, 9), at(15.5f, 11.5f), at(15.5f, 27), at(12, 25), at(7, 24), at(3, 25)});
    const TField rightPage = Polygon({at(29, 9), at(25, 8), at(20, 9), at(16.5f, 11.5f), at(16.5f, 27),
                                      at(20, 25), at(25, 24), at(29, 25)});
    const TField star = Polygon({at(16, 0.5f), at(17.2f, 3.8f), at(20.5f, 5), at(17.2f, 6.2f), at(16, 9.5f),
                                 at(14.8f, 6.2f), at(11.5f, 5), at(14.8f, 3.8f)});
    canvas.Fill(cover, VerticalGradient(11 * s, 30 * s, {{0, FromHex(0x9A3A22)}, {1, FromHex(0x5E1E10)}}));
    canvas.Fill(Outline(cover, 1), FromHex(0x3E120A));
    for (const TField& page : {leftPage, rightPage}) {
        canvas.Fill(page, VerticalGradient(8 * s, 27 * s, {{0, FromHex(0xFFF7E0)}, {1, FromHex(0xE8D6A8)}}));
        canvas.Fill(Outline(page, 0.9f), FromHex(0x9A7A40));
    }
    for (int line = 0; line < 5; ++line) { // lines of writing on both pages
        const float y = 13 + line * 2.6f;
        canvas.Fill(Polyline({at(5, y - 1), at(13.5f, y + 0.6f)}, 0.9f * s), FromHex(0x6A4A30), 0.7f);
        canvas.Fill(Polyline({at(18.5f, y + 0.6f), at(27, y - 1)}, 0.9f * s), FromHex(0x6A4A30), 0.7f);
    }
    canvas.Fill(star, FromHex(0xFFD23C));
    canvas.Fill(Outline(star, 0.8f), FromHex(0xC08A10));
    canvas.MaskOutside(Unite(Unite(cover, Unite(leftPage, rightPage)), star));
    return surface;
}

} // namespace art
