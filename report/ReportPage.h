#pragma once
#include "platform/Color.h"
#include "platform/DC.h"

#include <compare>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A length on paper, kept as whole micrometres so that sums of band heights compare exactly.
class TMm {
  public:
    constexpr TMm() = default;
    // Millimetres, rounded to the nearest micrometre.
    constexpr TMm(double millimetres)
        : FMicrometres(int64_t(millimetres * 1000.0 + (millimetres < 0 ? -0.5 : 0.5))) {}
    static constexpr TMm FromMicrometres(int64_t micrometres) {
        TMm length;
        length.FMicrometres = micrometres;
        return length;
    }
    // A length the layouts give in pixels at 96 dpi (pen widths).
    static constexpr TMm FromPixels96(int pixels) { return TMm(pixels * 25.4 / 96.0); }

    constexpr int64_t Micrometres() const { return FMicrometres; }
    constexpr double Millimetres() const { return double(FMicrometres) / 1000.0; }

    constexpr TMm operator+(TMm o) const { return FromMicrometres(FMicrometres + o.FMicrometres); }
    constexpr TMm operator-(TMm o) const { return FromMicrometres(FMicrometres - o.FMicrometres); }
    constexpr TMm operator*(int64_t n) const { return FromMicrometres(FMicrometres * n); }
    constexpr TMm& operator+=(TMm o) { return *this = *this + o; }
    friend constexpr auto operator<=>(TMm, TMm) = default;

  private:
    int64_t FMicrometres = 0;
};

struct TMmRect {
    TMm Left, Top, Width, Height;
    friend bool operator==(const TMmRect&, const TMmRect&) = default;
    TMm Right() const { return Left + Width; }
    TMm Bottom() const { return Top + Height; }
    TMmRect Offsetted(TMm dx, TMm dy) const { return {Left + dx, Top + dy, Width, Height}; }
};

// The report components map their own alignment and font style types onto these.
enum class TTextAlign { Left, Right, Center };

struct TReportFont {
    std::string Name = "Verdana";
    double SizePt = 8;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clBlack;
    friend bool operator==(const TReportFont&, const TReportFont&) = default;
};

// A text on the page. Its background fills Bounds; the text starts at Bounds' top, wraps at its width when
// WordWrap is set, and lines that start below its bottom are not printed.
struct TReportText {
    TMmRect Bounds;
    std::string Text;
    TReportFont Font;
    TTextAlign Alignment = TTextAlign::Left;
    bool WordWrap = false;
    bool Transparent = true;
    TColor Color = clWhite; // the background when not transparent
    friend bool operator==(const TReportText&, const TReportText&) = default;
};

enum class TReportShapeKind { Rectangle, HorLine, VertLine };

// A shape on the page. A rectangle's outline lies inside Bounds; a horizontal line runs across Bounds at its
// vertical middle, a vertical line down Bounds at its horizontal middle.
struct TReportShape {
    TMmRect Bounds;
    TReportShapeKind Kind = TReportShapeKind::Rectangle;
    TMm PenWidth = TMm::FromPixels96(1);
    TColor PenColor = clBlack;
    TPenMode PenMode = TPenMode::Copy;
    TBrushStyle BrushStyle = TBrushStyle::Solid;
    TColor BrushColor = clWhite;
    friend bool operator==(const TReportShape&, const TReportShape&) = default;
};

using TPageItem = std::variant<TReportText, TReportShape>;

// The items of one page in drawing order.
struct TReportPage {
    std::vector<TPageItem> Items;
    friend bool operator==(const TReportPage&, const TReportPage&) = default;
    // The texts of the page in drawing order (what tests and text search read).
    std::vector<const TReportText*> Texts() const;
    std::vector<const TReportShape*> Shapes() const;
};

enum class TPageOrientation { Portrait, Landscape };

// The paper as it lies in the printer, before orientation.
struct TPaperSize {
    TMm Width = 210.0;
    TMm Height = 297.0;
    friend bool operator==(const TPaperSize&, const TPaperSize&) = default;
    static constexpr TPaperSize A4() { return {TMm(210.0), TMm(297.0)}; }
};

// A generated report: pages of one paper size and orientation.
struct TReportDocument {
    TPaperSize Paper = TPaperSize::A4();
    TPageOrientation Orientation = TPageOrientation::Portrait;
    std::vector<TReportPage> Pages;
    friend bool operator==(const TReportDocument&, const TReportDocument&) = default;

    TMm PageWidth() const;
    TMm PageHeight() const;
};
