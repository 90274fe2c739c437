#include "tools/skinart/Glyphs.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace art {

namespace {

// Glyphs are designed on a unit square and mapped onto their box.
struct TUnit {
    TBox Box;
    TPt operator()(float u, float v) const { return {Box.L + u * Box.W(), Box.T + v * Box.H()}; }
    float Scale() const { return std::min(Box.W(), Box.H()); }
};

std::vector<TPt> Arc(const TUnit& at, TPt centre, float radius, float fromDeg, float toDeg, int steps) {
    std::vector<TPt> points;
    for (int i = 0; i <= steps; ++i) {
        const float a =
            (fromDeg + (toDeg - fromDeg) * float(i) / float(steps)) * std::numbers::pi_v<float> / 180;
        points.push_back(at(centre.X + radius * std::cos(a), centre.Y - radius * std::sin(a)));
    }
    return points;
}

TField Lines(std::initializer_list<std::vector<TPt>> polylines, float stroke) {
    TField shape;
    for (const auto& line : polylines) {
        TField part = Polyline(line, stroke);
        shape = shape ? Unite(shape, part) : part;
    }
    return shape;
}

TField Frame(const TUnit& at, float l, float t, float r, float b, float stroke) {
    const TPt tl = at(l, t), br = at(r, b);
    return Outline(RoundRect({tl.X, tl.Y, br.X, br.Y}, 0), stroke);
}

TField Triangle(const TUnit& at, TPt a, TPt b, TPt c) {
    return Polygon({at(a.X, a.Y), at(b.X, b.Y), at(c.X, c.Y)});
}

TField HelpMark(const TUnit& at, float stroke) {
    std::vector<TPt> hook = Arc(at, {0.5f, 0.33f}, 0.2f, 165, -40, 10);
    hook.push_back(at(0.5f, 0.55f));
    hook.push_back(at(0.5f, 0.64f));
    const TPt dot = at(0.5f, 0.84f);
    return Unite(Polyline(hook, stroke), Circle(dot, stroke * 0.7f));
}

TField RestoreMark(const TUnit& at, float stroke) {
    const TPt tl = at(0.14f, 0.36f), br = at(0.64f, 0.86f);
    const TField front = RoundRect({tl.X, tl.Y, br.X, br.Y}, 0);
    const TField back = Subtract(Frame(at, 0.36f, 0.14f, 0.86f, 0.64f, stroke), front);
    return Unite(back, Outline(front, stroke));
}

TField RefreshMark(const TUnit& at, float stroke) {
    const float startDeg = 70, radius = 0.3f;
    const TPt centre{0.5f, 0.52f};
    const TField ring = Polyline(Arc(at, centre, radius, startDeg - 290, startDeg, 16), stroke);
    const float a = startDeg * std::numbers::pi_v<float> / 180;
    const TPt p{centre.X + radius * std::cos(a), centre.Y - radius * std::sin(a)};
    const TPt tangent{-std::sin(a), -std::cos(a)}, normal{std::cos(a), -std::sin(a)};
    const TField head = Triangle(at, {p.X + tangent.X * 0.26f, p.Y + tangent.Y * 0.26f},
                                 {p.X + normal.X * 0.18f, p.Y + normal.Y * 0.18f},
                                 {p.X - normal.X * 0.18f, p.Y - normal.Y * 0.18f});
    return Unite(ring, head);
}

} // namespace

TField GlyphShape(TGlyph glyph, TBox box, float stroke) {
    const TUnit at{box};
    switch (glyph) {
    case TGlyph::Menu:
        return Lines({{at(0.16f, 0.26f), at(0.84f, 0.26f)},
                      {at(0.16f, 0.5f), at(0.84f, 0.5f)},
                      {at(0.16f, 0.74f), at(0.84f, 0.74f)}},
                     stroke);
    case TGlyph::Help:
        return HelpMark(at, stroke);
    case TGlyph::Maximise: {
        const TPt tl = at(0.14f, 0.14f), br = at(0.86f, 0.86f);
        const TBox outer{tl.X, tl.Y, br.X, br.Y};
        return Unite(Outline(RoundRect(outer, 0), stroke * 0.6f),
                     RoundRect({outer.L, outer.T, outer.R, outer.T + stroke * 1.3f}, 0));
    }
    case TGlyph::Restore:
        return RestoreMark(at, stroke * 0.6f);
    case TGlyph::Minimise:
        return Lines({{at(0.2f, 0.78f), at(0.66f, 0.78f)}}, stroke * 1.3f);
    case TGlyph::Close:
    case TGlyph::Cancel:
        return Lines({{at(0.2f, 0.2f), at(0.8f, 0.8f)}, {at(0.8f, 0.2f), at(0.2f, 0.8f)}}, stroke);
    case TGlyph::Up:
        return Triangle(at, {0.5f, 0.26f}, {0.88f, 0.7f}, {0.12f, 0.7f});
    case TGlyph::Down:
        return Triangle(at, {0.12f, 0.3f}, {0.88f, 0.3f}, {0.5f, 0.74f});
    case TGlyph::Left:
        return Triangle(at, {0.26f, 0.5f}, {0.7f, 0.12f}, {0.7f, 0.88f});
    case TGlyph::Right:
        return Triangle(at, {0.3f, 0.12f}, {0.74f, 0.5f}, {0.3f, 0.88f});
    case TGlyph::Check:
    case TGlyph::Post:
        return Lines({{at(0.16f, 0.52f), at(0.42f, 0.78f), at(0.86f, 0.22f)}}, stroke);
    case TGlyph::Dot:
        return Circle({box.CX(), box.CY()}, at.Scale() / 2);
    case TGlyph::ChevronsUp:
        return Lines({{at(0.18f, 0.5f), at(0.5f, 0.2f), at(0.82f, 0.5f)},
                      {at(0.18f, 0.82f), at(0.5f, 0.52f), at(0.82f, 0.82f)}},
                     stroke);
    case TGlyph::ChevronsDown:
        return Lines({{at(0.18f, 0.18f), at(0.5f, 0.48f), at(0.82f, 0.18f)},
                      {at(0.18f, 0.5f), at(0.5f, 0.8f), at(0.82f, 0.5f)}},
                     stroke);
    case TGlyph::First:
        return Unite(Lines({{at(0.2f, 0.2f), at(0.2f, 0.8f)}}, stroke),
                     Triangle(at, {0.3f, 0.5f}, {0.8f, 0.18f}, {0.8f, 0.82f}));
    case TGlyph::Prior:
        return Triangle(at, {0.18f, 0.5f}, {0.8f, 0.1f}, {0.8f, 0.9f});
    case TGlyph::Next:
        return Triangle(at, {0.2f, 0.1f}, {0.82f, 0.5f}, {0.2f, 0.9f});
    case TGlyph::Last:
        return Unite(Lines({{at(0.8f, 0.2f), at(0.8f, 0.8f)}}, stroke),
                     Triangle(at, {0.2f, 0.18f}, {0.7f, 0.5f}, {0.2f, 0.82f}));
    case TGlyph::Insert:
        return Lines({{at(0.5f, 0.16f), at(0.5f, 0.84f)}, {at(0.16f, 0.5f), at(0.84f, 0.5f)}}, stroke * 1.2f);
    case TGlyph::Delete:
        return Lines({{at(0.16f, 0.5f), at(0.84f, 0.5f)}}, stroke * 1.2f);
    case TGlyph::Edit:
        return Triangle(at, {0.5f, 0.2f}, {0.86f, 0.76f}, {0.14f, 0.76f});
    case TGlyph::Refresh:
        return RefreshMark(at, stroke);
    }
    throw std::logic_error("unknown glyph");
}

void DrawGlyph(TCanvas& canvas, TGlyph glyph, TBox box, float stroke, TRGB color, float opacity) {
    canvas.Fill(GlyphShape(glyph, box, stroke), color, opacity);
}

} // namespace art
