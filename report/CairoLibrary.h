#pragma once
#include "platform/SharedLibrary.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>

// The drawing library of report pages, loaded the first time a page is measured, drawn or written: most runs
// never print or preview. Only the calls the pages make are here; the headers give their types.
class TCairoLibrary {
  public:
    static constexpr const char* FileName = "libcairo.so.2";

    // Loads `fileName` and every call below; Failure() says what is missing when any is.
    explicit TCairoLibrary(const char* fileName);
    bool Loaded() const { return FLoaded; }
    const std::string& Failure() const { return FLibrary.Failure(); }

    // The library of the system, loaded once; raises EOutOfResources (every time) when it cannot be loaded.
    static const TCairoLibrary& Required();

    decltype(&::cairo_clip) Clip = nullptr;
    decltype(&::cairo_create) Create = nullptr;
    decltype(&::cairo_destroy) Destroy = nullptr;
    decltype(&::cairo_fill) Fill = nullptr;
    decltype(&::cairo_font_extents) FontExtents = nullptr;
    decltype(&::cairo_font_face_set_user_data) FontFaceSetUserData = nullptr;
    decltype(&::cairo_font_options_create) FontOptionsCreate = nullptr;
    decltype(&::cairo_font_options_set_antialias) FontOptionsSetAntialias = nullptr;
    decltype(&::cairo_font_options_set_hint_metrics) FontOptionsSetHintMetrics = nullptr;
    decltype(&::cairo_font_options_set_hint_style) FontOptionsSetHintStyle = nullptr;
    decltype(&::cairo_ft_font_face_create_for_ft_face) FtFontFaceCreateForFtFace = nullptr;
    decltype(&::cairo_ft_font_face_set_synthesize) FtFontFaceSetSynthesize = nullptr;
    decltype(&::cairo_get_target) GetTarget = nullptr;
    decltype(&::cairo_image_surface_create) ImageSurfaceCreate = nullptr;
    decltype(&::cairo_image_surface_create_for_data) ImageSurfaceCreateForData = nullptr;
    decltype(&::cairo_line_to) LineTo = nullptr;
    decltype(&::cairo_move_to) MoveTo = nullptr;
    decltype(&::cairo_pdf_surface_create) PdfSurfaceCreate = nullptr;
    decltype(&::cairo_rectangle) Rectangle = nullptr;
    decltype(&::cairo_restore) Restore = nullptr;
    decltype(&::cairo_save) Save = nullptr;
    decltype(&::cairo_scale) Scale = nullptr;
    decltype(&::cairo_set_font_face) SetFontFace = nullptr;
    decltype(&::cairo_set_font_options) SetFontOptions = nullptr;
    decltype(&::cairo_set_font_size) SetFontSize = nullptr;
    decltype(&::cairo_set_line_width) SetLineWidth = nullptr;
    decltype(&::cairo_set_operator) SetOperator = nullptr;
    decltype(&::cairo_set_source_rgb) SetSourceRgb = nullptr;
    decltype(&::cairo_show_page) ShowPage = nullptr;
    decltype(&::cairo_show_text) ShowText = nullptr;
    decltype(&::cairo_status) Status = nullptr;
    decltype(&::cairo_status_to_string) StatusToString = nullptr;
    decltype(&::cairo_stroke) Stroke = nullptr;
    decltype(&::cairo_surface_destroy) SurfaceDestroy = nullptr;
    decltype(&::cairo_surface_finish) SurfaceFinish = nullptr;
    decltype(&::cairo_surface_flush) SurfaceFlush = nullptr;
    decltype(&::cairo_surface_get_type) SurfaceGetType = nullptr;
    decltype(&::cairo_surface_status) SurfaceStatus = nullptr;
    decltype(&::cairo_text_extents) TextExtents = nullptr;
    decltype(&::cairo_text_path) TextPath = nullptr;

  private:
    TSharedLibrary FLibrary;
    bool FLoaded = false;
};
