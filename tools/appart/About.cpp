#include "tools/appart/AppArt.h"
#include "tools/appart/Ornaments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

namespace {

// The window puts the picture 21 rows down: its title bar hides rows 0 and 1 and the window ends below row
// 474. Positions here are the layout's less those 21 rows; ornaments keep clear of every text it sets over
// them.
constexpr float VisibleTop = 2, VisibleBottom = 475;
const TBox Miniature{12, 70, 388, 314}; // the framed picture between the title and the licence memo
const TBox Book{72, 112, 328, 276};

const TRGB Parchment = FromHex(0xF4EBD3);
const TRGB Ink = FromHex(0x3B3E9E); // the blue of the title bar, as ink
const TRGB Gold = FromHex(0xE2AE2E);
const TRGB GoldEdge = FromHex(0xA8771A);
const TRGB Leather = FromHex(0x8C3522);
const TRGB LeatherDark = FromHex(0x5A1C0E);
const TRGB PageLight = FromHex(0xFFF9E8);
const TRGB PageShade = FromHex(0xEAD9AE);
const TRGB Writing = FromHex(0x6A4A30);

float EdgeDistance(TPt p) {
    return std::min({p.X, float(AboutWidth) - p.X, p.Y - VisibleTop, VisibleBottom - p.Y});
}

// Light parchment: faint blotches and grain, a little darker towards the window's edges.
void PaintParchment(TSurface& surface) {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const TPt p{x + 0.5f, y + 0.5f};
            const float blotch = ValueNoise(p.X, p.Y, 70, 1) * 0.6f + ValueNoise(p.X, p.Y, 18, 2) * 0.4f;
            const float grain = ValueNoise(p.X, p.Y, 1.5f, 3);
            const float edge = std::clamp(1 - EdgeDistance(p) / 36, 0.0f, 1.0f);
            TRGB c = Darker(Parchment, (blotch - 0.5f) * 0.05f + (grain - 0.5f) * 0.025f);
            c = Mix(c, FromHex(0xD9C49A), edge * edge * 0.45f);
            surface.SetPixel(x, y, ToPixel(c));
        }
}

TField Rectangle(TBox box, float width) {
    return Outline(RoundRect(box, 0), width);
}

void PaintGoldStar(TCanvas& canvas, TPt centre, float radius) {
    canvas.Fill(Circle(centre, radius * 0.9f), Gold, 0.12f);
    const TField star = Sparkle(centre, radius);
    canvas.Fill(
        star, VerticalGradient(centre.Y - radius, centre.Y + radius, {{0, Lighter(Gold, 0.35f)}, {1, Gold}}));
    canvas.Fill(Outline(star, 0.8f), GoldEdge, 0.9f);
}

// The frame of the miniature: a double rule in ink with a star at each corner.
void PaintFrame(TCanvas& canvas) {
    canvas.Fill(RoundRect(Miniature.Inset(4), 0), PageLight, 0.35f);
    canvas.Fill(Rectangle(Miniature, 1.6f), Ink, 0.85f);
    canvas.Fill(Rectangle(Miniature.Inset(4), 0.8f), Ink, 0.7f);
    for (TPt corner : {TPt{Miniature.L + 2, Miniature.T + 2}, TPt{Miniature.R - 2, Miniature.T + 2},
                       TPt{Miniature.L + 2, Miniature.B - 2}, TPt{Miniature.R - 2, Miniature.B - 2}}) {
        canvas.Fill(Circle(corner, 5.5f), Parchment);
        canvas.Fill(Sparkle(corner, 7, 0.3f), Ink, 0.85f);
    }
}

TField Pages() {
    return Unite(OpenBookPage(Book, TPageSide::Left), OpenBookPage(Book, TPageSide::Right));
}

void PaintCover(TCanvas& canvas) {
    const TBox coverBox{Book.L - 9, Book.T + 5, Book.R + 9, Book.B + 11};
    const TField cover =
        Unite(OpenBookPage(coverBox, TPageSide::Left), OpenBookPage(coverBox, TPageSide::Right));
    canvas.Fill([&](TPt p) { return cover({p.X - 2, p.Y - 4}) + 2; }, Solid({60, 40, 20}), 0.18f); // shadow
    canvas.Fill(cover, VerticalGradient(coverBox.T, coverBox.B, {{0, Leather}, {1, LeatherDark}}));
    canvas.Fill(Outline(cover, 1), Darker(LeatherDark, 0.3f));
    canvas.Fill(Outline([&](TPt p) { return cover(p) + 3; }, 0.8f), Gold, 0.55f); // tooled gold rule
}

// The pages beneath the open ones, seen as a thickening towards the bottom.
void PaintPageStack(TCanvas& canvas) {
    for (int layer = 5; layer >= 1; --layer) {
        const TField pages = Pages();
        const float dy = float(layer) * 1.3f;
        const TField shifted = [pages, dy](TPt p) { return pages({p.X, p.Y - dy}); };
        canvas.Fill(shifted, Mix(PageShade, LeatherDark, 0.08f));
        canvas.Fill(Outline(shifted, 0.6f), Darker(PageShade, 0.3f), 0.6f);
    }
}

void PaintOpenPages(TCanvas& canvas) {
    const float spine = Book.CX();
    const TPaint paper = [spine](TPt p) {
        const float shade = std::exp(-std::abs(p.X - spine) / 14) * 0.22f;
        const float outer = std::clamp((std::abs(p.X - spine) - 90) / 40, 0.0f, 1.0f) * 0.06f;
        return Darker(Mix(PageLight, PageShade, (p.Y - Book.T) / Book.H() * 0.6f), shade + outer);
    };
    const TField pages = Pages();
    canvas.Fill(pages, paper);
    canvas.Fill(Outline(pages, 0.8f), Darker(PageShade, 0.35f));
    canvas.Fill(Polyline({{spine, Book.T + Book.H() * 0.16f}, {spine, Book.B - 1}}, 1.2f),
                Darker(PageShade, 0.45f));
}

// A line of writing from `start` across the page for `length`, read from the left: on the right page from the
// spine outwards.
void PaintWritingLine(TCanvas& canvas, TPageSide side, float down, float start, float length) {
    const float direction = side == TPageSide::Left ? 1.0f : -1.0f;
    std::vector<TPt> line;
    for (int i = 0; i <= 8; ++i)
        line.push_back(PagePoint(Book, side, start + direction * length * float(i) / 8, down));
    canvas.Fill(Polyline(std::move(line), 1.3f), Writing, 0.55f);
}

// The left page holds a seal, the right page a spell written out, its first letter in red.
void PaintPageContent(TCanvas& canvas) {
    constexpr float margin = 0.13f, spineMargin = 0.88f;
    const TPt seal = PagePoint(Book, TPageSide::Left, 0.5f, 0.4f);
    canvas.Fill(Outline(Circle(seal, 24), 1.3f), Ink, 0.8f);
    canvas.Fill(Outline(Circle(seal, 20), 0.7f), Ink, 0.6f);
    for (int i = 0; i < 8; ++i) { // marks around the ring
        const float a = float(i) * std::numbers::pi_v<float> / 4 + 0.39f;
        canvas.Fill(Circle({seal.X + 22 * std::cos(a), seal.Y + 22 * std::sin(a)}, 1.1f), Ink, 0.8f);
    }
    canvas.Fill(Sparkle(seal, 16, 0.22f), Ink, 0.85f);
    canvas.Fill(Sparkle(seal, 9, 0.3f), Solid(Gold), 0.9f);
    const float belowSeal[] = {0.75f, 0.75f, 0.5f};
    for (int i = 0; i < 3; ++i)
        PaintWritingLine(canvas, TPageSide::Left, 0.72f + float(i) * 0.075f, margin, belowSeal[i]);

    const float initialAcross = spineMargin - 0.06f;
    const TPt initial = PagePoint(Book, TPageSide::Right, initialAcross, 0.27f);
    canvas.Fill(RoundRect(Square(initial, 7.5f), 1.5f), FromHex(0xB0302A), 0.85f);
    canvas.Fill(Sparkle(initial, 5.5f, 0.3f), PageLight);
    const float lengths[] = {0.58f, 0.58f, 0.75f, 0.72f, 0.75f, 0.4f, 0.75f, 0.7f, 0.52f};
    for (int i = 0; i < 9; ++i) {
        const float start = i < 2 ? initialAcross - 0.17f : spineMargin;
        PaintWritingLine(canvas, TPageSide::Right, 0.23f + float(i) * 0.075f, start, lengths[i]);
    }
}

// A ribbon marker hanging from the spine, cut into a swallowtail.
void PaintRibbon(TCanvas& canvas) {
    const float x = Book.CX() + 3, top = Book.B - 6, bottom = Miniature.B - 14;
    const TField ribbon =
        Polygon({{x - 4, top}, {x + 4, top}, {x + 6, bottom}, {x + 1, bottom - 5}, {x - 4, bottom}});
    canvas.Fill(ribbon, HorizontalGradient(x - 5, x + 6, {{0, Lighter(Ink, 0.15f)}, {1, Darker(Ink, 0.2f)}}));
    canvas.Fill(Outline(ribbon, 0.6f), Darker(Ink, 0.35f));
}

void PaintBook(TCanvas& canvas) {
    const TPt glow{Book.CX(), Book.CY()};
    canvas.Fill(
        Ellipse({glow.X - 180, glow.Y - 110, glow.X + 180, glow.Y + 110}), Solid(PageLight), [&](TPt p) {
            return 0.5f * std::clamp(1 - std::hypot((p.X - glow.X) / 180, (p.Y - glow.Y) / 110), 0.0f, 1.0f);
        });
    PaintCover(canvas);
    PaintPageStack(canvas);
    PaintOpenPages(canvas);
    PaintPageContent(canvas);
    PaintRibbon(canvas);
    PaintGoldStar(canvas, {Book.CX(), 92}, 13);
    PaintGoldStar(canvas, {Book.CX() - 26, 99}, 5);
    PaintGoldStar(canvas, {Book.CX() + 27, 97}, 6);
}

// Night-sky marks beside the title: stars at the left, a crescent moon at the right.
void PaintTitleMarks(TCanvas& canvas) {
    PaintGoldStar(canvas, {32, 24}, 10);
    PaintGoldStar(canvas, {49, 43}, 5);
    PaintGoldStar(canvas, {19, 47}, 4);
    const TPt moon{368, 22};
    const TField crescent = Subtract(Circle(moon, 12), Circle({moon.X + 5.5f, moon.Y - 3.5f}, 10));
    canvas.Fill(crescent, VerticalGradient(moon.Y - 12, moon.Y + 12, {{0, Lighter(Gold, 0.35f)}, {1, Gold}}));
    canvas.Fill(Outline(crescent, 0.8f), GoldEdge, 0.9f);
    PaintGoldStar(canvas, {387, 40}, 4);
}

} // namespace

TSurface AboutBackground() {
    TSurface surface(AboutWidth, AboutHeight);
    PaintParchment(surface);
    TCanvas canvas(surface);
    PaintTitleMarks(canvas);
    PaintFrame(canvas);
    PaintBook(canvas);
    return surface;
}

} // namespace art
