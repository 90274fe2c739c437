#include "report/CairoLibrary.h"

#include "platform/Exception.h"

TCairoLibrary::TCairoLibrary(const char* fileName) : FLibrary(fileName) {
    bool ok = FLibrary.Loaded();
    ok = ok && FLibrary.Bind(Clip, "cairo_clip");
    ok = ok && FLibrary.Bind(Create, "cairo_create");
    ok = ok && FLibrary.Bind(Destroy, "cairo_destroy");
    ok = ok && FLibrary.Bind(Fill, "cairo_fill");
    ok = ok && FLibrary.Bind(FontExtents, "cairo_font_extents");
    ok = ok && FLibrary.Bind(FontFaceSetUserData, "cairo_font_face_set_user_data");
    ok = ok && FLibrary.Bind(FontOptionsCreate, "cairo_font_options_create");
    ok = ok && FLibrary.Bind(FontOptionsSetAntialias, "cairo_font_options_set_antialias");
    ok = ok && FLibrary.Bind(FontOptionsSetHintMetrics, "cairo_font_options_set_hint_metrics");
    ok = ok && FLibrary.Bind(FontOptionsSetHintStyle, "cairo_font_options_set_hint_style");
    ok = ok && FLibrary.Bind(FtFontFaceCreateForFtFace, "cairo_ft_font_face_create_for_ft_face");
    ok = ok && FLibrary.Bind(FtFontFaceSetSynthesize, "cairo_ft_font_face_set_synthesize");
    ok = ok && FLibrary.Bind(GetTarget, "cairo_get_target");
    ok = ok && FLibrary.Bind(ImageSurfaceCreate, "cairo_image_surface_create");
    ok = ok && FLibrary.Bind(ImageSurfaceCreateForData, "cairo_image_surface_create_for_data");
    ok = ok && FLibrary.Bind(LineTo, "cairo_line_to");
    ok = ok && FLibrary.Bind(MoveTo, "cairo_move_to");
    ok = ok && FLibrary.Bind(PdfSurfaceCreate, "cairo_pdf_surface_create");
    ok = ok && FLibrary.Bind(Rectangle, "cairo_rectangle");
    ok = ok && FLibrary.Bind(Restore, "cairo_restore");
    ok = ok && FLibrary.Bind(Save, "cairo_save");
    ok = ok && FLibrary.Bind(Scale, "cairo_scale");
    ok = ok && FLibrary.Bind(SetFontFace, "cairo_set_font_face");
    ok = ok && FLibrary.Bind(SetFontOptions, "cairo_set_font_options");
    ok = ok && FLibrary.Bind(SetFontSize, "cairo_set_font_size");
    ok = ok && FLibrary.Bind(SetLineWidth, "cairo_set_line_width");
    ok = ok && FLibrary.Bind(SetOperator, "cairo_set_operator");
    ok = ok && FLibrary.Bind(SetSourceRgb, "cairo_set_source_rgb");
    ok = ok && FLibrary.Bind(ShowPage, "cairo_show_page");
    ok = ok && FLibrary.Bind(ShowText, "cairo_show_text");
    ok = ok && FLibrary.Bind(Status, "cairo_status");
    ok = ok && FLibrary.Bind(StatusToString, "cairo_status_to_string");
    ok = ok && FLibrary.Bind(Stroke, "cairo_stroke");
    ok = ok && FLibrary.Bind(SurfaceDestroy, "cairo_surface_destroy");
    ok = ok && FLibrary.Bind(SurfaceFinish, "cairo_surface_finish");
    ok = ok && FLibrary.Bind(SurfaceFlush, "cairo_surface_flush");
    ok = ok && FLibrary.Bind(SurfaceGetType, "cairo_surface_get_type");
    ok = ok && FLibrary.Bind(SurfaceStatus, "cairo_surface_status");
    ok = ok && FLibrary.Bind(TextExtents, "cairo_text_extents");
    ok = ok && FLibrary.Bind(TextPath, "cairo_text_path");
    FLoaded = ok;
}

const TCairoLibrary& TCairoLibrary::Required() {
    // Never unloaded: cairo keeps its caches, and the faces it was given, until the process ends.
    static const TCairoLibrary* cairo = new TCairoLibrary(FileName);
    if (!cairo->Loaded())
        throw EOutOfResources("Report pages: the drawing library " + std::string(FileName) +
                              " cannot be loaded: " + cairo->Failure());
    return *cairo;
}
