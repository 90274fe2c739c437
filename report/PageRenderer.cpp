#include "report/PageRenderer.h"

#include "classlib/SysUtils.h"
#include "platform/Exception.h"
#include "platform/FaceStyle.h"
#include "platform/FontEngine.h"
#include "platform/Utf8.h"
#include "report/CairoLibrary.h"
#include "report/SystemReason.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace {

const TCairoLibrary& Cairo() {
    return TCairoLibrary::Required();
}

constexpr double MmPerPoint = 25.4 / 72.0;
// Hatch brushes repeat every 8 screen pixels with 1-pixel lines, as on screen.
constexpr double HatchSpacingMm = 8 * 25.4 / 96.0;
constexpr double HatchLineMm = 25.4 / 96.0;
constexpr double MinPenMm = 0.1;
// Lengths are kept to the micrometre: a text measured to fit its width still fits after rounding.
constexpr double WidthToleranceMm = 0.001;

struct TCairoDeleter {
    void operator()(cairo_t* cr) const { Cairo().Destroy(cr); }
    void operator()(cairo_surface_t* s) const { Cairo().SurfaceDestroy(s); }
};
using TCairoPtr = std::unique_ptr<cairo_t, TCairoDeleter>;
using TCairoSurfacePtr = std::unique_ptr<cairo_surface_t, TCairoDeleter>;

// Cairo faces for the layouts' fonts, made once. Cairo keeps faces alive in its own caches past any owner
// here, so the cache and its FreeType library live as long as the process.
class TCairoFonts {
  public:
    static TCairoFonts& Instance() {
        static TCairoFonts* fonts = new TCairoFonts;
        return *fonts;
    }

    cairo_font_face_t* Face(const TReportFont& font) {
        const auto key = std::make_tuple(font.Name, font.Bold, font.Italic);
        auto found = FFaces.find(key);
        if (found == FFaces.end()) found = FFaces.emplace(key, Load(font)).first;
        return found->second;
    }

    // Metrics are not hinted, so widths do not change with the zoom.
    const cairo_font_options_t* Options() const { return FOptions; }

  private:
    TCairoFonts() : FOptions(Cairo().FontOptionsCreate()) {
        if (FT_Init_FreeType(&FLibrary) != 0)
            throw EOutOfResources("Report fonts: FreeType cannot be initialised");
        Cairo().FontOptionsSetHintMetrics(FOptions, CAIRO_HINT_METRICS_OFF);
        Cairo().FontOptionsSetHintStyle(FOptions, CAIRO_HINT_STYLE_NONE);
        Cairo().FontOptionsSetAntialias(FOptions, CAIRO_ANTIALIAS_GRAY);
    }

    cairo_font_face_t* Load(const TReportFont& font) {
        const std::string file = TFontEngine::Instance().ResolveFace(font.Name, font.Bold, font.Italic);
        FT_Face face = nullptr;
        if (FT_New_Face(FLibrary, file.c_str(), 0, &face) != 0)
            throw EResNotFound("Report fonts: the face \"" + file + "\" for \"" + font.Name +
                               "\" cannot be read");
        cairo_font_face_t* cairoFace = Cairo().FtFontFaceCreateForFtFace(face, 0);
        static cairo_user_data_key_t faceKey;
        Cairo().FontFaceSetUserData(cairoFace, &faceKey, face,
                                    [](void* data) { FT_Done_Face(static_cast<FT_Face>(data)); });
        // A family without a bold or italic face gets one drawn from its regular face.
        unsigned synthesize = 0;
        if (font.Bold && !FaceIsBold(face)) synthesize |= CAIRO_FT_SYNTHESIZE_BOLD;
        if (font.Italic && !FaceIsItalic(face)) synthesize |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
        Cairo().FtFontFaceSetSynthesize(cairoFace, synthesize);
        return cairoFace;
    }

    cairo_font_options_t* FOptions;
    FT_Library FLibrary = nullptr;
    std::map<std::tuple<std::string, bool, bool>, cairo_font_face_t*> FFaces;
};

void SetColor(cairo_t* cr, TColor color) {
    const TColor rgb = ColorToRGB(color);
    Cairo().SetSourceRgb(cr, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0, GetBValue(rgb) / 255.0);
}

void AddRect(cairo_t* cr, const TMmRect& r) {
    Cairo().Rectangle(cr, r.Left.Millimetres(), r.Top.Millimetres(), r.Width.Millimetres(),
                      r.Height.Millimetres());
}

double FontSizeMm(const TReportFont& font) {
    return std::clamp(font.SizePt, 0.1, 1000.0) * MmPerPoint;
}

// Sizes are in millimetres, the user unit of every page context.
void SelectFont(cairo_t* cr, const TReportFont& font) {
    TCairoFonts& fonts = TCairoFonts::Instance();
    Cairo().SetFontFace(cr, fonts.Face(font));
    Cairo().SetFontSize(cr, FontSizeMm(font));
    Cairo().SetFontOptions(cr, fonts.Options());
}

// The text cell of the selected font, the stand-in's own or the one the font table gives it.
cairo_font_extents_t CellExtents(cairo_t* cr, const TReportFont& font) {
    cairo_font_extents_t extents;
    Cairo().FontExtents(cr, &extents);
    if (const std::optional<TFaceCell> cell =
            TFontEngine::Instance().CellOf(font.Name, font.Bold, font.Italic)) {
        extents.ascent = cell->Ascent * FontSizeMm(font);
        extents.descent = cell->Descent * FontSizeMm(font);
    }
    return extents;
}

// Cairo stops drawing altogether at malformed UTF-8, and a text ends at a NUL for it: texts from data or a
// loaded file print with U+FFFD for bad bytes and without NULs.
std::string Printable(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t pos = 0; pos < text.size();)
        if (const char32_t c = DecodeUtf8(text, pos); c != 0) result += Utf8Encode(c);
    return result;
}

// An image surface puts each glyph at a whole pixel, which spaces small text unevenly; as outlines the glyphs
// sit at their true advances. Vector targets keep real text.
void ShowText(cairo_t* cr, const std::string& text) {
    if (Cairo().SurfaceGetType(Cairo().GetTarget(cr)) != CAIRO_SURFACE_TYPE_IMAGE) {
        Cairo().ShowText(cr, text.c_str());
        return;
    }
    Cairo().TextPath(cr, text.c_str());
    Cairo().Fill(cr);
}

double Advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    Cairo().TextExtents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// The lines a text prints as: its own line breaks, and with word wrap, breaks between words so that each
// line fits the width (a word longer than the width has a line of its own).
std::vector<std::string> BreakLines(cairo_t* cr, const std::string& text, bool wordWrap, double width) {
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
        start = end + 1;
        if (!wordWrap || Advance(cr, paragraph) <= width + WidthToleranceMm) {
            lines.push_back(std::move(paragraph));
            continue;
        }
        std::string line;
        for (size_t pos = 0; pos < paragraph.size();) {
            const size_t space = std::min(paragraph.find(' ', pos), paragraph.size());
            const std::string word = paragraph.substr(pos, space - pos);
            pos = space + 1;
            if (word.empty()) continue;
            std::string candidate = line.empty() ? word : line + ' ' + word;
            if (line.empty() || Advance(cr, candidate) <= width + WidthToleranceMm) {
                line = std::move(candidate);
            } else {
                lines.push_back(std::move(line));
                line = word;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void DrawDecoration(cairo_t* cr, double left, double width, double y, double thickness) {
    Cairo().Rectangle(cr, left, y - thickness / 2, width, thickness);
    Cairo().Fill(cr);
}

void DrawText(cairo_t* cr, const TReportText& text) {
    if (!text.Transparent) {
        SetColor(cr, text.Color);
        AddRect(cr, text.Bounds);
        Cairo().Fill(cr);
    }
    if (text.Text.empty()) return;
    SelectFont(cr, text.Font);
    SetColor(cr, text.Font.Color);
    const cairo_font_extents_t font = CellExtents(cr, text.Font);
    const double lineHeight = font.ascent + font.descent;
    const double left = text.Bounds.Left.Millimetres(), width = text.Bounds.Width.Millimetres();
    const double top = text.Bounds.Top.Millimetres(), bottom = text.Bounds.Bottom().Millimetres();
    const double size = FontSizeMm(text.Font);
    double lineTop = top;
    for (const std::string& line : BreakLines(cr, Printable(text.Text), text.WordWrap, width)) {
        if (lineTop > top && lineTop >= bottom) break;
        const double advance = Advance(cr, line);
        double x = left;
        if (text.Alignment == TTextAlign::Right) x = left + width - advance;
        if (text.Alignment == TTextAlign::Center) x = left + (width - advance) / 2;
        const double baseline = lineTop + font.ascent;
        Cairo().MoveTo(cr, x, baseline);
        ShowText(cr, line);
        if (text.Font.Underline) DrawDecoration(cr, x, advance, baseline + size * 0.1, size / 15);
        if (text.Font.StrikeOut) DrawDecoration(cr, x, advance, baseline - size * 0.28, size / 15);
        lineTop += lineHeight;
    }
}

// What a raster mode makes of a colour on paper. Modes that mix with what is below draw as the colour
// itself, except inversion, which cairo can do; std::nullopt draws nothing.
std::optional<TColor> ModeColor(TPenMode mode, TColor color) {
    switch (mode) {
    case TPenMode::Nop:
        return std::nullopt;
    case TPenMode::Black:
        return clBlack;
    case TPenMode::White:
        return clWhite;
    case TPenMode::NotCopy:
        return TColor(~ColorToRGB(color) & 0xFFFFFF);
    case TPenMode::Not:
        return clWhite;
    default:
        return color;
    }
}

// Paints the current path (or the clip) in a colour under the shape's raster mode.
void SetModeSource(cairo_t* cr, TPenMode mode, TColor color) {
    SetColor(cr, *ModeColor(mode, color));
    Cairo().SetOperator(cr, mode == TPenMode::Not ? CAIRO_OPERATOR_DIFFERENCE : CAIRO_OPERATOR_OVER);
}

void FillHatch(cairo_t* cr, const TMmRect& r, TBrushStyle style) {
    const double left = r.Left.Millimetres(), top = r.Top.Millimetres();
    const double width = r.Width.Millimetres(), height = r.Height.Millimetres();
    Cairo().Save(cr);
    AddRect(cr, r);
    Cairo().Clip(cr);
    Cairo().SetLineWidth(cr, HatchLineMm);
    const bool horizontal = style == TBrushStyle::Horizontal || style == TBrushStyle::Cross;
    const bool vertical = style == TBrushStyle::Vertical || style == TBrushStyle::Cross;
    const bool forward = style == TBrushStyle::FDiagonal || style == TBrushStyle::DiagCross;
    const bool backward = style == TBrushStyle::BDiagonal || style == TBrushStyle::DiagCross;
    for (double d = HatchSpacingMm / 2; d < width + height; d += HatchSpacingMm) {
        if (horizontal && d < height) {
            Cairo().MoveTo(cr, left, top + d);
            Cairo().LineTo(cr, left + width, top + d);
        }
        if (vertical && d < width) {
            Cairo().MoveTo(cr, left + d, top);
            Cairo().LineTo(cr, left + d, top + height);
        }
        if (forward) {
            Cairo().MoveTo(cr, left + d, top);
            Cairo().LineTo(cr, left + d - height, top + height);
        }
        if (backward) {
            Cairo().MoveTo(cr, left + width - d, top);
            Cairo().LineTo(cr, left + width - d + height, top + height);
        }
    }
    Cairo().Stroke(cr);
    Cairo().Restore(cr);
}

// Fills the part of a rectangle inside its outline, so that modes that invert never reach a pixel twice.
void FillShape(cairo_t* cr, const TReportShape& shape, TMm outline) {
    const TMmRect& b = shape.Bounds;
    const TMmRect interior{b.Left + outline, b.Top + outline, b.Width - outline * 2, b.Height - outline * 2};
    if (interior.Width <= TMm() || interior.Height <= TMm()) return;
    if (shape.BrushStyle == TBrushStyle::Clear || !ModeColor(shape.PenMode, shape.BrushColor)) return;
    SetModeSource(cr, shape.PenMode, shape.BrushColor);
    // A pattern brush's bitmap is not part of a page: it prints in the brush colour.
    if (shape.BrushStyle == TBrushStyle::Solid || shape.BrushStyle == TBrushStyle::Pattern) {
        AddRect(cr, interior);
        Cairo().Fill(cr);
    } else {
        FillHatch(cr, interior, shape.BrushStyle);
    }
}

void DrawShape(cairo_t* cr, const TReportShape& shape) {
    const double pen = std::max(shape.PenWidth.Millimetres(), MinPenMm);
    const double left = shape.Bounds.Left.Millimetres(), top = shape.Bounds.Top.Millimetres();
    const double width = shape.Bounds.Width.Millimetres(), height = shape.Bounds.Height.Millimetres();
    const bool outlined = ModeColor(shape.PenMode, shape.PenColor).has_value();
    Cairo().Save(cr);
    if (shape.Kind == TReportShapeKind::Rectangle) FillShape(cr, shape, outlined ? TMm(pen) : TMm());
    if (outlined) {
        SetModeSource(cr, shape.PenMode, shape.PenColor);
        Cairo().SetLineWidth(cr, pen);
        switch (shape.Kind) {
        case TReportShapeKind::Rectangle:
            // The outline stays inside the bounds; a pen wider than half the rectangle fills it.
            if (2 * pen >= std::min(width, height)) {
                Cairo().Rectangle(cr, left, top, width, height);
                Cairo().Fill(cr);
            } else {
                Cairo().Rectangle(cr, left + pen / 2, top + pen / 2, width - pen, height - pen);
                Cairo().Stroke(cr);
            }
            break;
        case TReportShapeKind::HorLine:
            Cairo().MoveTo(cr, left, top + height / 2);
            Cairo().LineTo(cr, left + width, top + height / 2);
            Cairo().Stroke(cr);
            break;
        case TReportShapeKind::VertLine:
            Cairo().MoveTo(cr, left + width / 2, top);
            Cairo().LineTo(cr, left + width / 2, top + height);
            Cairo().Stroke(cr);
            break;
        }
    }
    Cairo().Restore(cr);
}

void DrawPage(cairo_t* cr, const TReportPage& page) {
    for (const TPageItem& item : page.Items) {
        if (const auto* text = std::get_if<TReportText>(&item))
            DrawText(cr, *text);
        else
            DrawShape(cr, std::get<TReportShape>(item));
    }
}

void CheckStatus(cairo_status_t status, const std::string& fileName) {
    if (status != CAIRO_STATUS_SUCCESS)
        throw EFCreateError(
            "Il file PDF \"" + fileName + "\" non si può scrivere: " +
            (status == CAIRO_STATUS_WRITE_ERROR ? SystemReason(errno) : Cairo().StatusToString(status)));
}

} // namespace

TSize TPageRenderer::PagePixelSize(const TReportDocument& document, double dpi) {
    const double pixelsPerMm = dpi / 25.4;
    return {int(std::lround(document.PageWidth().Millimetres() * pixelsPerMm)),
            int(std::lround(document.PageHeight().Millimetres() * pixelsPerMm))};
}

void TPageRenderer::RenderPage(const TReportDocument& document, size_t pageIndex, double dpi,
                               TSurface& surface) {
    if (pageIndex >= document.Pages.size())
        throw EInvalidOperation("Report preview: page " + std::to_string(pageIndex + 1) +
                                " does not exist (" + std::to_string(document.Pages.size()) + " pages)");
    if (!(dpi > 0) || !std::isfinite(dpi))
        throw EInvalidOperation("Report preview: the resolution " + std::to_string(dpi) +
                                " dpi is not usable");
    const TSize size = PagePixelSize(document, dpi);
    TSurface::CheckSize(size.cx, size.cy, "Report page");
    surface.SetSize(size.cx, size.cy);
    surface.Fill(TSurface::White);
    // The surface's pixels are cairo's RGB24 layout: cairo draws straight into them.
    TCairoSurfacePtr target(
        Cairo().ImageSurfaceCreateForData(reinterpret_cast<unsigned char*>(surface.Data()),
                                          CAIRO_FORMAT_RGB24, size.cx, size.cy, surface.Stride()));
    TCairoPtr cr(Cairo().Create(target.get()));
    Cairo().Scale(cr.get(), dpi / 25.4, dpi / 25.4);
    DrawPage(cr.get(), document.Pages[pageIndex]);
    Cairo().SurfaceFlush(target.get());
    if (const cairo_status_t status = Cairo().Status(cr.get()); status != CAIRO_STATUS_SUCCESS)
        throw EOutOfResources("Report preview: page " + std::to_string(pageIndex + 1) +
                              " cannot be drawn: " + Cairo().StatusToString(status));
    // Cairo fills the unused top byte; surfaces keep it clear.
    TPixel* pixels = surface.Data();
    for (size_t i = 0, n = size_t(size.cx) * size_t(size.cy); i < n; ++i)
        pixels[i] &= 0xFFFFFF;
}

void TPageRenderer::WritePdf(const TReportDocument& document, const std::string& fileName) {
    const double pointsPerMm = 72 / 25.4;
    TCairoSurfacePtr pdf(Cairo().PdfSurfaceCreate(fileName.c_str(),
                                                  document.PageWidth().Millimetres() * pointsPerMm,
                                                  document.PageHeight().Millimetres() * pointsPerMm));
    CheckStatus(Cairo().SurfaceStatus(pdf.get()), fileName);
    {
        TCairoPtr cr(Cairo().Create(pdf.get()));
        Cairo().Scale(cr.get(), pointsPerMm, pointsPerMm);
        for (const TReportPage& page : document.Pages) {
            Cairo().Save(cr.get());
            DrawPage(cr.get(), page);
            Cairo().Restore(cr.get());
            Cairo().ShowPage(cr.get());
        }
        CheckStatus(Cairo().Status(cr.get()), fileName);
    }
    Cairo().SurfaceFinish(pdf.get());
    CheckStatus(Cairo().SurfaceStatus(pdf.get()), fileName);
}

TPageRenderer::TTextExtent TPageRenderer::MeasureText(const TReportFont& font, std::string_view text) {
    TCairoSurfacePtr scratch(Cairo().ImageSurfaceCreate(CAIRO_FORMAT_RGB24, 1, 1));
    TCairoPtr cr(Cairo().Create(scratch.get()));
    SelectFont(cr.get(), font);
    const cairo_font_extents_t extents = CellExtents(cr.get(), font);
    return {TMm(Advance(cr.get(), Printable(text))), TMm(extents.ascent + extents.descent)};
}
