#include "SpellBookLayout.h"
#include "TempFile.h"

#include "platform/Exception.h"
#include "report/PageRenderer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace spellbook;

namespace {

constexpr double Dpi = 96;

TReportDocument OnePage(std::vector<TPageItem> items) {
    TReportDocument doc;
    doc.Pages.push_back({std::move(items)});
    return doc;
}

// The pixel at a point given in millimetres.
TPixel PixelAt(const TSurface& surface, double xMm, double yMm) {
    return surface.Pixel(int(xMm * Dpi / 25.4), int(yMm * Dpi / 25.4));
}

// Pixels darker than mid-grey inside a rectangle given in millimetres.
int InkIn(const TSurface& surface, const TMmRect& r) {
    const double scale = Dpi / 25.4;
    int ink = 0;
    for (int y = int(r.Top.Millimetres() * scale); y < int(r.Bottom().Millimetres() * scale); ++y)
        for (int x = int(r.Left.Millimetres() * scale); x < int(r.Right().Millimetres() * scale); ++x)
            if ((surface.Pixel(x, y, 0xFFFFFF) & 0xFF) < 0x80) ++ink;
    return ink;
}

TReportText PlainText(const TMmRect& bounds, const std::string& value) {
    TReportText text;
    text.Bounds = bounds;
    text.Text = value;
    text.Font = {"Arial", 12, false, false, false, false, clBlack};
    return text;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

} // namespace

TEST(PageRenderer, ShapesPutInkWhereTheyAreAndNowhereElse) {
    TReportShape filled = Box(20, 20, 30, 10);
    filled.BrushColor = clBlack;
    TReportShape outline = Box(100, 100, 40, 40, 4);
    outline.BrushStyle = TBrushStyle::Clear;
    TReportShape blackBar = Box(20, 200, 60, 8, 2); // white brush, but the mode paints everything black
    blackBar.PenMode = TPenMode::Black;
    TReportShape invisible = Box(120, 200, 30, 30);
    invisible.BrushColor = clBlack;
    invisible.PenMode = TPenMode::Nop;
    TReportShape red = Box(20, 250, 20, 20);
    red.BrushColor = clRed;
    red.PenColor = clRed;
    TReportShape line = Rule(150, 20, 40);
    line.Bounds.Height = 4.0; // drawn across the middle of its bounds

    TSurface surface(5, 5, 0);
    TPageRenderer::RenderPage(OnePage({filled, outline, blackBar, invisible, red, line}), 0, Dpi, surface);
    EXPECT_EQ(surface.Width(), 794);
    EXPECT_EQ(surface.Height(), 1123);
    EXPECT_EQ(PixelAt(surface, 35, 25), 0x000000u);
    EXPECT_EQ(PixelAt(surface, 18, 25), TSurface::White);
    EXPECT_EQ(PixelAt(surface, 35, 31), TSurface::White);
    EXPECT_EQ(PixelAt(surface, 100.3, 120), 0x000000u); // outline, inside the bounds
    EXPECT_EQ(PixelAt(surface, 99.5, 120), TSurface::White);
    EXPECT_EQ(PixelAt(surface, 120, 120), TSurface::White); // clear brush
    EXPECT_EQ(PixelAt(surface, 50, 204), 0x000000u);
    EXPECT_EQ(InkIn(surface, {120, 200, 30, 30}), 0);
    EXPECT_EQ(PixelAt(surface, 30, 260), 0xFF0000u);
    EXPECT_GT(InkIn(surface, {150, 21.6, 40, 0.8}), 100);
    EXPECT_EQ(InkIn(surface, {150, 20, 40, 1.5}), 0);
    EXPECT_EQ(InkIn(surface, {0, 0, 210, 15}), 0);

    // A hatched brush leaves paper between its lines.
    TReportShape hatched = Box(100, 200, 40, 40);
    hatched.BrushStyle = TBrushStyle::Cross;
    hatched.BrushColor = clGreen;
    TPageRenderer::RenderPage(OnePage({hatched}), 0, Dpi, surface);
    int green = 0, paper = 0;
    for (int y = 760; y < 900; ++y)
        for (int x = 380; x < 520; ++x) {
            const TPixel p = surface.Pixel(x, y);
            green += p != TSurface::White && (p >> 16) < ((p >> 8) & 0xFF) && (p & 0xFF) < ((p >> 8) & 0xFF);
            paper += surface.Pixel(x, y) == TSurface::White;
        }
    EXPECT_GT(green, 1000);
    EXPECT_GT(paper, 10000);

    // Inversion turns black paper white and white paper black, and leaves later items drawn normally.
    TReportShape inverted = Box(40, 20, 30, 10);
    inverted.PenMode = TPenMode::Not;
    TReportShape after = Box(150, 150, 10, 10);
    after.BrushColor = clBlue;
    TPageRenderer::RenderPage(OnePage({filled, inverted, after}), 0, Dpi, surface);
    EXPECT_EQ(PixelAt(surface, 30, 25), 0x000000u);
    EXPECT_EQ(PixelAt(surface, 45, 25), TSurface::White);
    EXPECT_EQ(PixelAt(surface, 60, 25), 0x000000u);
    EXPECT_EQ(PixelAt(surface, 155, 155), 0x0000FFu);

    // Twice the resolution, twice the pixels.
    TPageRenderer::RenderPage(OnePage({filled}), 0, 2 * Dpi, surface);
    EXPECT_EQ(surface.Width(), 1587);
    EXPECT_EQ(surface.Pixel(int(35 * 2 * Dpi / 25.4), int(25 * 2 * Dpi / 25.4)), 0x000000u);
    TReportDocument landscape = OnePage({});
    landscape.Orientation = TPageOrientation::Landscape;
    EXPECT_EQ(TPageRenderer::PagePixelSize(landscape, Dpi), (TSize{1123, 794}));
}

TEST(PageRenderer, TextsDrawInsideTheirBoundsWithBackgroundAlignmentAndWrap) {
    TReportText left = PlainText({20, 20, 80, 10}, "Palla di fuoco");
    TReportText right = PlainText({20, 40, 80, 10}, "Palla di fuoco");
    right.Alignment = TTextAlign::Right;
    TReportText backed = PlainText({20, 60, 80, 10}, "");
    backed.Transparent = false;
    backed.Color = clYellow;
    TReportText wrapped = PlainText({20, 80, 30, 30}, "parole che non stanno su una riga sola");
    wrapped.WordWrap = true;
    TReportText cut = PlainText({120, 80, 30, 4}, "parole che non stanno su una riga sola");
    cut.WordWrap = true;
    TSurface surface;
    TPageRenderer::RenderPage(OnePage({left, right, backed, wrapped, cut}), 0, Dpi, surface);

    EXPECT_GT(InkIn(surface, {20, 20, 30, 7}), 50);
    EXPECT_EQ(InkIn(surface, {70, 20, 30, 10}), 0);
    EXPECT_EQ(InkIn(surface, {20, 40, 40, 10}), 0);
    EXPECT_GT(InkIn(surface, {70, 40, 30, 7}), 50);
    EXPECT_EQ(PixelAt(surface, 60, 65), 0xFFFF00u);
    EXPECT_EQ(PixelAt(surface, 60, 71), TSurface::White);
    // The wrapped text runs down several lines and stays within its width.
    EXPECT_GT(InkIn(surface, {20, 90, 30, 10}), 20);
    EXPECT_EQ(InkIn(surface, {52, 80, 20, 30}), 0);
    // Lines that start below the bottom of their bounds are not printed.
    EXPECT_GT(InkIn(surface, {120, 80, 30, 5}), 20);
    EXPECT_EQ(InkIn(surface, {120, 85.5, 40, 30}), 0);

    const TMm width = TPageRenderer::MeasureText(left.Font, left.Text).Width;
    EXPECT_GT(width, TMm(20.0));
    EXPECT_LT(width, TMm(40.0));
    EXPECT_EQ(TPageRenderer::MeasureText(left.Font, "").Width, TMm());
    EXPECT_GT(TPageRenderer::MeasureText(left.Font, "").Height, TMm(3.0));
}

TEST(PageRenderer, ChanceryValuesSitOnTheRuleUnderThem) {
    // A card's value at 9 pt, 2.9 mm above the rule under it; no letter of these reaches below its baseline.
    TReportText value = PlainText({20, 10, 80, 4}, "Una creatura");
    value.Font = {"Monotype Corsiva", 9, false, true, false, false, clBlack};
    TSurface surface;
    TPageRenderer::RenderPage(OnePage({value}), 0, Dpi, surface);
    EXPECT_GT(InkIn(surface, {20, 10, 30, 2.9}), 50);
    EXPECT_EQ(InkIn(surface, {20, 13.0, 30, 1.0}), 0);
    // The cell the layout measures with is the same one.
    EXPECT_NEAR(TPageRenderer::MeasureText(value.Font, "Una").Height.Millimetres(), 1.10 * 9 * 25.4 / 72, 0.01);
}

TEST(PageRenderer, GlyphsSitAtTheirTrueAdvancesNotAtWholePixels) {
    // One italic letter starting on a whole pixel, then a quarter of a pixel further right: its ink moves by as
    // much, where a glyph put at the nearest whole pixel would not move at all.
    auto inkCentre = [](double leftMm) {
        TReportText text = PlainText({leftMm, 20, 80, 10}, "l");
        text.Font.Italic = true;
        TSurface surface;
        TPageRenderer::RenderPage(OnePage({text}), 0, Dpi, surface);
        double weight = 0, sum = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x) {
                double ink = 255 - double(surface.Pixel(x, y) & 0xFF);
                weight += ink;
                sum += ink * x;
            }
        return sum / weight;
    };
    const double pixelMm = 25.4 / Dpi;
    EXPECT_NEAR(inkCentre(80 * pixelMm + pixelMm / 4) - inkCentre(80 * pixelMm), 0.25, 0.08);
}

TEST(PageRenderer, MalformedTextStillPrintsAndStopsNothingAfterIt) {
    TReportText bad = PlainText({20, 20, 80, 10}, std::string("Dardo \xFF\xC3 in\0canta", 18) + "\xE2\x80");
    TReportShape after = Box(20, 40, 10, 10);
    after.BrushColor = clBlack;
    TSurface surface;
    TPageRenderer::RenderPage(OnePage({bad, after}), 0, Dpi, surface);
    EXPECT_GT(InkIn(surface, {20, 20, 80, 10}), 50);
    EXPECT_EQ(PixelAt(surface, 25, 45), 0x000000u);

    TTempFile pdf(".pdf");
    TPageRenderer::WritePdf(OnePage({bad}), pdf.Path());
    const std::string text = CommandOutput("pdftotext " + Quoted(pdf.Path()) + " -");
    EXPECT_NE(text.find("incanta"), std::string::npos) << text;
    EXPECT_GT(TPageRenderer::MeasureText(bad.Font, bad.Text).Width,
              TPageRenderer::MeasureText(bad.Font, "Dardo").Width);
}

TEST(PageRenderer, RefusesPagesThatDoNotExistAndUnusableResolutions) {
    TSurface surface;
    EXPECT_THROW(TPageRenderer::RenderPage(OnePage({}), 1, Dpi, surface), EInvalidOperation);
    EXPECT_THROW(TPageRenderer::RenderPage(OnePage({}), 0, 0, surface), EInvalidOperation);
    EXPECT_THROW(TPageRenderer::RenderPage(OnePage({}), 0, NAN, surface), EInvalidOperation);
    EXPECT_THROW(TPageRenderer::RenderPage(OnePage({}), 0, 1e6, surface), EOutOfResources);
}

TEST(PageRenderer, PdfHasOneA4PageWithEmbeddedFontsPerReportPage) {
    std::vector<TSpell> spells = Spells("1", 10);
    spells.push_back({"2", "Dardo incantato"});
    TSpellRows rows(spells);
    const TReportDocument doc = LayoutReport(Layout(rows), rows);
    ASSERT_EQ(doc.Pages.size(), 3u);
    TTempFile pdf(".pdf");
    TPageRenderer::WritePdf(doc, pdf.Path());

    const std::string info = CommandOutput("pdfinfo " + Quoted(pdf.Path()));
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("595.276 x 841.89 pts (A4)"), std::string::npos) << info;
    const std::string fonts = CommandOutput("pdffonts " + Quoted(pdf.Path()));
    EXPECT_NE(fonts.find(" yes "), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find(" no  "), std::string::npos) << fonts; // every font embedded

    auto pageText = [&](int page) {
        const std::string n = std::to_string(page);
        return CommandOutput("pdftotext -f " + n + " -l " + n + " " + Quoted(pdf.Path()) + " -");
    };
    const std::string first = pageText(1), second = pageText(2), third = pageText(3);
    EXPECT_NE(first.find("Incantesimi di"), std::string::npos) << first;
    EXPECT_NE(first.find("Incantesimo 1-108"), std::string::npos) << first;
    EXPECT_EQ(first.find("Incantesimo 1-109"), std::string::npos) << first;
    EXPECT_NE(second.find("Incantesimo 1-109"), std::string::npos) << second;
    EXPECT_EQ(second.find("Incantesimi di"), std::string::npos) << second;
    EXPECT_NE(third.find("Dardo incantato"), std::string::npos) << third;
    EXPECT_NE(third.find("Tiro salvezza"), std::string::npos) << third;
}

TEST(PageRenderer, AnUnwritablePdfFileIsReportedByName) {
    const std::string path = "/nonexistent-folder/report.pdf";
    try {
        TPageRenderer::WritePdf(OnePage({PlainText({10, 10, 50, 10}, "x")}), path);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
}
