#pragma once
#include "platform/Color.h"
#include "platform/Surface.h"

#include <functional>
#include <initializer_list>
#include <vector>

// Small anti-aliased drawing kit for the style bitmaps: shapes are signed distance fields (negative inside,
// in pixels), paints give a colour per point, and a canvas blends one into a surface.
namespace art {

struct TRGB {
    float R = 0, G = 0, B = 0; // 0 to 255
};

constexpr TPixel Magenta = 0xFF00FF;

TRGB FromColor(TColor bgr);    // a table colour, 0x00BBGGRR
TRGB FromHex(unsigned rrggbb); // a colour as designers write it, 0xRRGGBB
TPixel ToPixel(TRGB c);
TRGB FromPixel(TPixel p);
TRGB Mix(TRGB a, TRGB b, float t); // t = 0 gives a, 1 gives b
TRGB Lighter(TRGB c, float t);
TRGB Darker(TRGB c, float t);

struct TPt {
    float X = 0, Y = 0;
};
struct TBox { // a rectangle in pixel edges: (0, 0, 3, 3) covers pixels 0 to 2
    float L = 0, T = 0, R = 0, B = 0;
    float W() const { return R - L; }
    float H() const { return B - T; }
    float CX() const { return (L + R) / 2; }
    float CY() const { return (T + B) / 2; }
    TBox Inset(float d) const { return {L + d, T + d, R - d, B - d}; }
    TBox Inset(float dx, float dy) const { return {L + dx, T + dy, R - dx, B - dy}; }
    TBox Shift(float dx, float dy) const { return {L + dx, T + dy, R + dx, B + dy}; }
};
TBox BoxOf(const TSurface& s);
TBox Square(TPt centre, float half);

using TField = std::function<float(TPt)>;
using TPaint = std::function<TRGB(TPt)>;
using TAlpha = std::function<float(TPt)>; // opacity per point, 0 to 1

// Shapes.
TField RoundRect(TBox box, float radius);
TField Circle(TPt centre, float radius);
TField Ellipse(TBox box);
TField Polygon(std::vector<TPt> points);
TField Polyline(std::vector<TPt> points, float width); // round caps and joins
TField Outline(TField shape, float width);             // a band of `width` just inside the shape's edge
TField Intersect(TField a, TField b);
TField Subtract(TField a, TField b);
TField Unite(TField a, TField b);

// Paints.
struct TStop {
    float At; // 0 to 1
    TRGB Color;
};
TPaint Solid(TRGB c);
TPaint VerticalGradient(float top, float bottom, std::vector<TStop> stops);
TPaint HorizontalGradient(float left, float right, std::vector<TStop> stops);
TAlpha VerticalFade(float top, float bottom, float alphaTop, float alphaBottom);
TRGB GradientAt(const std::vector<TStop>& stops, float t);

class TCanvas {
  public:
    explicit TCanvas(TSurface& surface) : FSurface(surface) {}
    void Fill(const TField& shape, const TPaint& paint, const TAlpha& opacity);
    void Fill(const TField& shape, const TPaint& paint, float opacity = 1);
    void Fill(const TField& shape, TRGB color, float opacity = 1) { Fill(shape, Solid(color), opacity); }
    void FillAll(const TPaint& paint);
    // Every pixel whose centre lies outside the shape becomes the transparent key colour.
    void MaskOutside(const TField& shape);
    void Blend(int x, int y, TRGB c, float alpha);

  private:
    TSurface& FSurface;
};

// A horizontal strip of `count` equal frames, each painted on its own surface of frameWidth x height.
TSurface MakeStrip(int frameWidth, int height, int count,
                   const std::function<void(TSurface&, int)>& paintFrame);

} // namespace art
