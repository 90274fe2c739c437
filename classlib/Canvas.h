#pragma once
#include "classlib/Font.h"
#include "classlib/GraphicsObject.h"

#include <span>
#include <string_view>

class TGraphic;
class TBitmap;

// How CopyRect and unscaled or stretched bitmaps combine with what is there: a raster operation.
using TCopyMode = uint32_t;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergePaint = MERGEPAINT,
                    cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE, cmPatCopy = PATCOPY,
                    cmPatInvert = PATINVERT, cmSrcAnd = SRCAND, cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE,
                    cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT, cmWhiteness = WHITENESS;

// Drawing with a pen, a brush and a font on a device context. The canvas does not own its DC: owners set
// and clear it (a control's canvas has one only while it paints). Changes of the pen, brush and font reach
// the DC lazily, just before a drawing call that needs them.
class TCanvas : public TPersistent {
    VMR_CLASS(TCanvas, TPersistent)

  public:
    TCanvas();

    // The DC with the current pen, brush and font selected into it. A canvas without one asks CreateHandle;
    // when there is still none, raises EInvalidOperation.
    TDC* Handle();
    void SetHandle(TDC* dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() { return &FFont; }
    void SetFont(const TFont* font) { FFont.Assign(font); }
    TPen* Pen() { return &FPen; }
    void SetPen(const TPen* pen) { FPen.Assign(pen); }
    TBrush* Brush() { return &FBrush; }
    void SetBrush(const TBrush* brush) { FBrush.Assign(brush); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }

    TPoint PenPos();
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    TRect ClipRect();

    void MoveTo(int x, int y);
    void LineTo(int x, int y); // without its end point
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(Rect(x1, y1, x2, y2)); }
    void Rectangle(const TRect& rect);
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    void Ellipse(int x1, int y1, int x2, int y2) { Ellipse(Rect(x1, y1, x2, y2)); }
    void Ellipse(const TRect& rect);
    void Polygon(std::span<const TPoint> points);
    void Polyline(std::span<const TPoint> points);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void DrawFocusRect(const TRect& rect);

    // CLR_INVALID outside the DC's surface or clip.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // Leaves the pen position at the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // Clipped to the rectangle, which the brush fills first unless it is clear.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);

    // Unscaled at (x, y); a transparent graphic leaves its transparent colour out. Nothing for an empty one.
    void Draw(int x, int y, const TGraphic* graphic);
    void StretchDraw(const TRect& rect, const TGraphic* graphic);
    // Stretches `source` of another canvas (or this one) into `dest` with CopyMode.
    void CopyRect(const TRect& dest, TCanvas& canvas, const TRect& source);
    // Copies `source` of the bitmap into `dest`, with the brush where the bitmap has `color`.
    void BrushCopy(const TRect& dest, const TBitmap* bitmap, const TRect& source, TColor color);

    // One thread draws here: locking has nothing to guard.
    void Lock() {}
    void Unlock() {}

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

  protected:
    // A canvas that finds its own DC (a control's) sets it here with SetHandle.
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();

  private:
    enum class TPart { Font, Pen, Brush };
    using TParts = TSet<TPart>;
    // The DC, with the given parts selected into it.
    TDC& RequiredState(TParts parts);
    // Runs a drawing call between Changing and Changed.
    template <class F> void Paint(TParts parts, F draw) {
        Changing();
        draw(RequiredState(parts));
        Changed();
    }
    void SelectFont(TDC& dc);
    void SelectPen(TDC& dc);
    void SelectBrush(TDC& dc);

    TDC* FHandle = nullptr;
    TParts FValid;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
};
