#pragma once
#include "platform/Geometry.h"
#include "platform/Surface.h"
#include "report/ReportPage.h"

#include <string>
#include <string_view>

// Draws report pages with cairo: to a surface for the preview, and to PDF for printing and saving. Both go
// through the same drawing code, so what the preview shows is what prints. Fonts are the installed faces the
// font engine maps the layouts' font names to.
class TPageRenderer {
  public:
    static constexpr double ScreenDpi = 96;

    // The size of a page in pixels at `dpi` (96 dpi is a zoom of 100 %).
    static TSize PagePixelSize(const TReportDocument& document, double dpi);
    // Replaces the surface's contents with the page drawn at `dpi`, white paper first.
    // Raises EInvalidOperation for a page that does not exist.
    static void RenderPage(const TReportDocument& document, size_t pageIndex, double dpi, TSurface& surface);
    // Writes every page as a page of a PDF file, fonts embedded. Raises EFCreateError naming the file when it
    // cannot be written.
    static void WritePdf(const TReportDocument& document, const std::string& fileName);

    // The space a text takes when printed as a report text would print it (unwrapped), in millimetres: the
    // report components size their elements with it.
    struct TTextExtent {
        TMm Width;
        TMm Height;
    };
    static TTextExtent MeasureText(const TReportFont& font, std::string_view text);
};
