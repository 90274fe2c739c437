#include "GraphicsTestHelpers.h"

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"

#include <array>
#include <gtest/gtest.h>

namespace {
// A canvas that finds its DC on demand, as a control's canvas does while it paints.
class TOnDemandCanvas : public TCanvas {
  public:
    explicit TOnDemandCanvas(TDC* dc) : FDC(dc) {}
    int Requests = 0;

  protected:
    void CreateHandle() override {
        ++Requests;
        SetHandle(FDC);
    }

  private:
    TDC* FDC;
};
} // namespace

TEST(GraphicsCanvas, PenBrushAndFontChangesReachTheDCBeforeTheNextDrawing) {
    TBitmap bitmap;
    bitmap.SetSize(40, 10);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(Rect(10, 0, 20, 10));
    EXPECT_EQ(canvas.Pixels(5, 5), clRed);
    EXPECT_EQ(canvas.Pixels(15, 5), clBlue);

    canvas.Pen()->SetColor(clLime);
    canvas.MoveTo(20, 2);
    canvas.LineTo(30, 2);
    canvas.Pen()->SetColor(clYellow);
    canvas.LineTo(30, 8);
    EXPECT_EQ(canvas.Pixels(25, 2), clLime);
    EXPECT_EQ(canvas.Pixels(30, 5), clYellow);
    EXPECT_EQ(canvas.PenPos(), (TPoint{30, 8}));

    // A clear brush fills nothing, and its rectangle is only outlined.
    canvas.Brush()->SetStyle(bsClear);
    canvas.Pen()->SetColor(clBlack);
    canvas.Rectangle(31, 0, 40, 10);
    EXPECT_EQ(canvas.Pixels(31, 0), clBlack);
    EXPECT_EQ(canvas.Pixels(35, 5), clWhite);

    canvas.Font()->SetSize(8);
    const int small = canvas.TextWidth("Incantesimi");
    canvas.Font()->SetSize(20);
    EXPECT_GT(canvas.TextWidth("Incantesimi"), small);
    EXPECT_EQ(canvas.Handle()->Font().Height, -27);
}

TEST(GraphicsCanvas, ANewDCGetsTheWholeStateAgain) {
    TSurface first(10, 10), second(10, 10);
    TDC dc1(first), dc2(second);
    TCanvas canvas;
    EXPECT_EQ(ErrorOf([&] { canvas.FillRect(Rect(0, 0, 1, 1)); }), "Canvas does not allow drawing");
    canvas.SetHandle(&dc1);
    canvas.Brush()->SetColor(clRed);
    canvas.Pen()->SetMode(pmXor);
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.SetHandle(&dc2); // a fresh DC: white brush, copy mode
    canvas.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(PixelToColor(second.Pixel(3, 3)), clRed);
    EXPECT_EQ(dc2.GetROP2(), TPenMode::Copy); // filling needs no pen
    canvas.LineTo(5, 0);
    EXPECT_EQ(dc2.GetROP2(), TPenMode::Xor);
    EXPECT_EQ(dc2.GetBkColor(), clRed);
    // The same DC handed over again is selected into anew (it may be a new DC at the old address).
    dc1.SetBrush(TBrushDesc::SolidColor(clBlue));
    canvas.SetHandle(&dc1);
    canvas.FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(PixelToColor(first.Pixel(0, 0)), clRed);

    TOnDemandCanvas onDemand(&dc1);
    onDemand.SetPixels(1, 1, clBlue);
    onDemand.SetPixels(2, 1, clBlue);
    EXPECT_EQ(onDemand.Requests, 1);
    EXPECT_EQ(PixelToColor(first.Pixel(1, 1)), clBlue);
    onDemand.SetHandle(nullptr);
    EXPECT_EQ(onDemand.Pixels(1, 1), clBlue);
    EXPECT_EQ(onDemand.Requests, 2);
}

TEST(GraphicsCanvas, EveryDrawingCallTellsTheBitmap) {
    TBitmap bitmap;
    bitmap.SetSize(8, 8);
    Counted changed, changing;
    bitmap.OnChange = changed.Handler();
    TCanvas& canvas = *bitmap.Canvas();
    canvas.OnChanging = changing.Handler();
    canvas.FillRect(Rect(0, 0, 2, 2));
    canvas.SetPixels(3, 3, clRed);
    const std::array<TPoint, 3> triangle{{{0, 7}, {4, 4}, {7, 7}}};
    canvas.Polygon(triangle);
    EXPECT_EQ(changed.Changes, 3);
    EXPECT_EQ(changing.Changes, 3);
    canvas.Pixels(3, 3); // reading changes nothing
    EXPECT_EQ(changed.Changes, 3);
}

TEST(GraphicsCanvas, TransparentStretchDrawLeavesTheKeyColourOut) {
    TBitmap picture;
    FillRows(picture, {{clRed, clRed}, {clLime, clRed}}); // bottom-left lime: the automatic key
    TBitmap target;
    target.SetSize(4, 4);
    TCanvas& canvas = *target.Canvas();

    canvas.StretchDraw(Rect(0, 0, 4, 4), &picture); // opaque: every pixel
    EXPECT_EQ(PixelAt(target, 0, 3), clLime);

    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 4, 4));
    picture.SetTransparent(true);
    EXPECT_EQ(picture.TransparentMode(), tmAuto);
    EXPECT_EQ(picture.TransparentColor(), clLime);
    canvas.StretchDraw(Rect(0, 0, 4, 4), &picture);
    EXPECT_EQ(PixelAt(target, 0, 2), clWhite);
    EXPECT_EQ(PixelAt(target, 1, 3), clWhite);
    EXPECT_EQ(PixelAt(target, 2, 2), clRed);
    EXPECT_EQ(PixelAt(target, 0, 0), clRed);

    picture.SetTransparentColor(clRed);
    EXPECT_EQ(picture.TransparentMode(), tmFixed);
    canvas.FillRect(Rect(0, 0, 4, 4));
    canvas.Draw(1, 1, &picture); // unscaled
    EXPECT_EQ(PixelAt(target, 1, 2), clLime);
    EXPECT_EQ(PixelAt(target, 1, 1), clWhite);
    EXPECT_EQ(PixelAt(target, 2, 2), clWhite);

    picture.SetTransparentMode(tmAuto);
    EXPECT_EQ(picture.TransparentColor(), clLime);
    TBitmap empty;
    empty.SetTransparent(true);
    EXPECT_EQ(empty.TransparentColor(), clDefault);
    canvas.Draw(0, 0, &empty);
    canvas.Draw(0, 0, nullptr);
    EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
}

TEST(GraphicsCanvas, CopyRectStretchesAnotherCanvasWithTheCopyMode) {
    TBitmap source;
    FillRows(source, {{clRed, clBlue}});
    TBitmap target;
    target.SetSize(6, 2);
    target.Canvas()->CopyRect(Rect(1, 0, 5, 2), *source.Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(target, 1, 1), clRed);
    EXPECT_EQ(PixelAt(target, 2, 0), clRed);
    EXPECT_EQ(PixelAt(target, 3, 1), clBlue);
    EXPECT_EQ(PixelAt(target, 5, 0), clWhite);

    target.Canvas()->SetCopyMode(cmNotSrcCopy);
    target.Canvas()->CopyRect(Rect(0, 0, 1, 1), *source.Canvas(), Rect(0, 0, 1, 1));
    EXPECT_EQ(PixelAt(target, 0, 0), clAqua); // not red

    // Within one canvas: the source is read before it is overwritten.
    TBitmap strip;
    FillRows(strip, {{clRed, clBlue, clLime}});
    strip.Canvas()->CopyRect(Rect(1, 0, 3, 1), *strip.Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(PixelAt(strip, 1, 0), clRed);
    EXPECT_EQ(PixelAt(strip, 2, 0), clBlue);
}

TEST(GraphicsCanvas, BrushCopyPaintsTheBrushWhereTheBitmapHasTheColour) {
    TBitmap glyph;
    FillRows(glyph, {{clFuchsia, clNavy}});
    TBitmap target;
    target.SetSize(2, 1);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->BrushCopy(Rect(0, 0, 2, 1), &glyph, Rect(0, 0, 2, 1), clFuchsia);
    EXPECT_EQ(PixelAt(target, 0, 0), clYellow);
    EXPECT_EQ(PixelAt(target, 1, 0), clNavy);
}

TEST(GraphicsCanvas, TextMovesThePenAndTextRectStaysInsideItsRectangle) {
    TBitmap bitmap;
    bitmap.SetSize(100, 30);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Font()->SetColor(clBlack);
    canvas.Font()->SetSize(14);
    const TSize extent = canvas.TextExtent("WWW");
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(canvas.TextHeight("WWW"), extent.cy);
    canvas.TextOut(2, 3, "WWW");
    EXPECT_EQ(canvas.PenPos(), (TPoint{2 + extent.cx, 3}));

    canvas.Brush()->SetColor(clRed);
    canvas.TextRect(Rect(50, 0, 60, 30), 50, 0, "WWWWWWWW");
    EXPECT_EQ(canvas.Pixels(60, 15), clWhite); // nothing drawn right of the rectangle
    EXPECT_EQ(canvas.Pixels(50, 29), clRed);   // the rectangle filled with the brush
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(Rect(70, 0, 80, 30), 70, 0, "WWWWWWWW");
    EXPECT_EQ(canvas.Pixels(70, 29), clWhite); // a clear brush leaves the background
}
