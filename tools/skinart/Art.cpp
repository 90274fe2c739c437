#include "tools/skinart/Art.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace art {

namespace {
float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

float SegmentDistance(TPt p, TPt a, TPt b) {
    const float dx = b.X - a.X, dy = b.Y - a.Y;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? Clamp01(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2) : 0;
    return Length(p.X - a.X - t * dx, p.Y - a.Y - t * dy);
}

void Blit(TSurface& target, const TSurface& source, int x, int y) {
    for (int row = 0; row < source.Height(); ++row)
        for (int col = 0; col < source.Width(); ++col)
            target.SetPixel(x + col, y + row, source.Pixel(col, row));
}
} // namespace

TRGB FromColor(TColor bgr) {
    return {float(GetRValue(bgr)), float(GetGValue(bgr)), float(GetBValue(bgr))};
}
TRGB FromHex(unsigned rrggbb) {
    return {float((rrggbb >> 16) & 0xFF), float((rrggbb >> 8) & 0xFF), float(rrggbb & 0xFF)};
}
TPixel ToPixel(TRGB c) {
    auto channel = [](float v) { return TPixel(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return channel(c.R) << 16 | channel(c.G) << 8 | channel(c.B);
}
TRGB FromPixel(TPixel p) {
    return FromHex(p & 0xFFFFFF);
}
TRGB Mix(TRGB a, TRGB b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
TRGB Lighter(TRGB c, float t) {
    return Mix(c, {255, 255, 255}, t);
}
TRGB Darker(TRGB c, float t) {
    return Mix(c, {0, 0, 0}, t);
}

TBox BoxOf(const TSurface& s) {
    return {0, 0, float(s.Width()), float(s.Height())};
}
TBox Square(TPt centre, float half) {
    return {centre.X - half, centre.Y - half, centre.X + half, centre.Y + half};
}

TField RoundRect(TBox box, float radius) {
    radius = std::min({radius, box.W() / 2, box.H() / 2});
    return [=](TPt p) {
        const float qx = std::abs(p.X - box.CX()) - (box.W() / 2 - radius);
        const float qy = std::abs(p.Y - box.CY()) - (box.H() / 2 - radius);
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

TField Circle(TPt centre, float radius) {
    return [=](TPt p) { return Length(p.X - centre.X, p.Y - centre.Y) - radius; };
}

TField Ellipse(TBox box) {
    // Distance scaled by the smaller radius: exact enough for edges a pixel wide.
    const float rx = box.W() / 2, ry = box.H() / 2, rmin = std::min(rx, ry);
    return [=](TPt p) { return (Length((p.X - box.CX()) / rx, (p.Y - box.CY()) / ry) - 1) * rmin; };
}

TField Polygon(std::vector<TPt> pts) {
    return [pts = std::move(pts)](TPt p) {
        float dist = std::numeric_limits<float>::max();
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            dist = std::min(dist, SegmentDistance(p, pts[j], pts[i]));
            if ((pts[i].Y > p.Y) != (pts[j].Y > p.Y) &&
                p.X < (pts[j].X - pts[i].X) * (p.Y - pts[i].Y) / (pts[j].Y - pts[i].Y) + pts[i].X)
                inside = !inside;
        }
        return inside ? -dist : dist;
    };
}

TField Polyline(std::vector<TPt> pts, float width) {
    return [pts = std::move(pts), half = width / 2](TPt p) {
        float dist = std::numeric_limits<float>::max();
        for (size_t i = 1; i < pts.size(); ++i)
            dist = std::min(dist, SegmentDistance(p, pts[i - 1], pts[i]));
        if (pts.size() == 1) dist = Length(p.X - pts[0].X, p.Y - pts[0].Y);
        return dist - half;
    };
}

TField Outline(TField shape, float width) {
    return [=](TPt p) {
        const float d = shape(p);
        return std::max(d, -d - width);
    };
}

TField Intersect(TField a, TField b) {
    return [=](TPt p) { return std::max(a(p), b(p)); };
}
TField Subtract(TField a, TField b) {
    return [=](TPt p) { return std::max(a(p), -b(p)); };
}
TField Unite(TField a, TField b) {
    return [=](TPt p) { return std::min(a(p), b(p)); };
}

TPaint Solid(TRGB c) {
    return [=](TPt) { return c; };
}

TRGB GradientAt(const std::vector<TStop>& stops, float t) {
    if (t <= stops.front().At) return stops.front().Color;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].At) {
            const float span = stops[i].At - stops[i - 1].At;
            return Mix(stops[i - 1].Color, stops[i].Color, span > 0 ? (t - stops[i - 1].At) / span : 1);
        }
    return stops.back().Color;
}

TPaint VerticalGradient(float top, float bottom, std::vector<TStop> stops) {
    return [=, stops = std::move(stops)](TPt p) { return GradientAt(stops, (p.Y - top) / (bottom - top)); };
}
TPaint HorizontalGradient(float left, float right, std::vector<TStop> stops) {
    return [=, stops = std::move(stops)](TPt p) { return GradientAt(stops, (p.X - left) / (right - left)); };
}

TAlpha VerticalFade(float top, float bottom, float alphaTop, float alphaBottom) {
    return [=](TPt p) { return alphaTop + (alphaBottom - alphaTop) * Clamp01((p.Y - top) / (bottom - top)); };
}

void TCanvas::Blend(int x, int y, TRGB c, float alpha) {
    if (!FSurface.InBounds(x, y) || alpha <= 0) return;
    const TRGB under = FromPixel(FSurface.Pixel(x, y));
    FSurface.SetPixel(x, y, ToPixel(Mix(under, c, Clamp01(alpha))));
}

void TCanvas::Fill(const TField& shape, const TPaint& paint, const TAlpha& opacity) {
    for (int y = 0; y < FSurface.Height(); ++y)
        for (int x = 0; x < FSurface.Width(); ++x) {
            const TPt centre{x + 0.5f, y + 0.5f};
            const float coverage = Clamp01(0.5f - shape(centre));
            if (coverage > 0) Blend(x, y, paint(centre), coverage * opacity(centre));
        }
}

void TCanvas::Fill(const TField& shape, const TPaint& paint, float opacity) {
    Fill(shape, paint, [opacity](TPt) { return opacity; });
}

void TCanvas::FillAll(const TPaint& paint) {
    for (int y = 0; y < FSurface.Height(); ++y)
        for (int x = 0; x < FSurface.Width(); ++x)
            FSurface.SetPixel(x, y, ToPixel(paint({x + 0.5f, y + 0.5f})));
}

void TCanvas::MaskOutside(const TField& shape) {
    for (int y = 0; y < FSurface.Height(); ++y)
        for (int x = 0; x < FSurface.Width(); ++x)
            if (shape({x + 0.5f, y + 0.5f}) > 0) FSurface.SetPixel(x, y, Magenta);
}

TSurface MakeStrip(int frameWidth, int height, int count,
                   const std::function<void(TSurface&, int)>& paintFrame) {
    TSurface strip(frameWidth * count, height);
    for (int i = 0; i < count; ++i) {
        TSurface frame(frameWidth, height);
        paintFrame(frame, i);
        Blit(strip, frame, i * frameWidth, 0);
    }
    return strip;
}

} // namespace art
