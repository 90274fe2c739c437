#include "classlib/Canvas.h"

#include "classlib/Bitmap.h"
#include "classlib/Graphic.h"
#include "platform/Exception.h"

TCanvas::TCanvas() {
    FFont.OnChange = [this](TObject*) { FValid.Exclude(TPart::Font); };
    FPen.OnChange = [this](TObject*) { FValid.Exclude(TPart::Pen); };
    FBrush.OnChange = [this](TObject*) { FValid.Exclude(TPart::Brush); };
}

// Even the same DC again starts with nothing selected: it may be a new DC made where the old one was.
void TCanvas::SetHandle(TDC* dc) {
    FHandle = dc;
    FValid = {};
}

TDC* TCanvas::Handle() {
    Changing();
    return &RequiredState({TPart::Font, TPart::Pen, TPart::Brush});
}

TDC& TCanvas::RequiredState(TParts parts) {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    const TParts missing = parts - FValid;
    if (missing.Contains(TPart::Font)) SelectFont(*FHandle);
    if (missing.Contains(TPart::Pen)) SelectPen(*FHandle);
    if (missing.Contains(TPart::Brush)) SelectBrush(*FHandle);
    FValid += missing;
    return *FHandle;
}

void TCanvas::SelectFont(TDC& dc) {
    dc.SetFont(FFont.Desc());
    dc.SetTextColor(FFont.Color());
}

void TCanvas::SelectPen(TDC& dc) {
    dc.SetPen(FPen.Desc());
    dc.SetROP2(FPen.Mode());
}

// Text is drawn on the brush colour with a solid brush, and over what is there with any other.
void TCanvas::SelectBrush(TDC& dc) {
    dc.SetBrush(FBrush.Desc());
    if (FBrush.Style() == bsSolid) {
        dc.SetBkColor(FBrush.Color());
        dc.SetBkMode(TBkMode::Opaque);
    } else {
        dc.SetBkMode(TBkMode::Transparent);
    }
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    return RequiredState({}).CurrentPosition();
}

TRect TCanvas::ClipRect() {
    return RequiredState({}).GetClipBox();
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState({}).MoveTo({x, y});
}

void TCanvas::LineTo(int x, int y) {
    Paint({TPart::Pen, TPart::Brush}, [&](TDC& dc) { dc.LineTo({x, y}); });
}

void TCanvas::Rectangle(const TRect& rect) {
    Paint({TPart::Pen, TPart::Brush}, [&](TDC& dc) { dc.Rectangle(rect); });
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
    Paint({TPart::Pen, TPart::Brush},
          [&](TDC& dc) { dc.RoundRect(Rect(x1, y1, x2, y2), ellipseWidth, ellipseHeight); });
}

void TCanvas::Ellipse(const TRect& rect) {
    Paint({TPart::Pen, TPart::Brush}, [&](TDC& dc) { dc.Ellipse(rect); });
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    Paint({TPart::Pen, TPart::Brush}, [&](TDC& dc) { dc.Polygon(points.data(), int(points.size())); });
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    Paint({TPart::Pen, TPart::Brush}, [&](TDC& dc) { dc.Polyline(points.data(), int(points.size())); });
}

void TCanvas::FillRect(const TRect& rect) {
    Paint({TPart::Brush}, [&](TDC& dc) { dc.FillRect(rect, FBrush.Desc()); });
}

void TCanvas::FrameRect(const TRect& rect) {
    Paint({TPart::Brush}, [&](TDC& dc) { dc.FrameRect(rect, FBrush.Desc()); });
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Paint({TPart::Brush}, [&](TDC& dc) { dc.DrawFocusRect(rect); });
}

TColor TCanvas::Pixels(int x, int y) {
    return RequiredState({}).GetPixel(x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Paint({TPart::Pen}, [&](TDC& dc) { dc.SetPixel(x, y, color); });
}

TSize TCanvas::TextExtent(std::string_view text) {
    return RequiredState({TPart::Font}).GetTextExtent(text);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    Paint({TPart::Font, TPart::Brush}, [&](TDC& dc) {
        dc.TextOut(x, y, text);
        dc.MoveTo({x + dc.GetTextExtent(text).cx, y});
    });
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    Paint({TPart::Font, TPart::Brush},
          [&](TDC& dc) { dc.ExtTextOut(x, y, FBrush.Style() == bsClear ? nullptr : &rect, &rect, text); });
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
    if (graphic) StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Paint({}, [&](TDC& dc) { graphic->Draw(dc, rect, FCopyMode); });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& canvas, const TRect& source) {
    Paint({TPart::Brush}, [&](TDC& dc) {
        const TDC& src = canvas.RequiredState({});
        dc.StretchBlt(dest, src.Surface(), src.ToSurface(source), FCopyMode);
    });
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap) return;
    Paint({TPart::Brush}, [&](TDC& dc) {
        dc.FillRect(dest, FBrush.Desc());
        dc.TransparentBlt(dest, bitmap->Surface(), source, color);
    });
}
