#pragma once
#include "classlib/GraphicsObject.h"
#include "report/QRPrintable.h"

enum class TQRShapeType {
    qrsRectangle,
    qrsCircle,
    qrsVertLine,
    qrsHorLine,
    qrsTopAndBottom,
    qrsRightAndLeft
};
using enum TQRShapeType;
VMR_ENUM_NAMES(TQRShapeType, "qrsRectangle", "qrsCircle", "qrsVertLine", "qrsHorLine", "qrsTopAndBottom",
               "qrsRightAndLeft")

// A rectangle or lines drawn with a pen (width in pixels at 96 dpi, colour, raster mode) and filled with a
// brush. A horizontal line runs across the middle of the element's box, a vertical one down its middle;
// top-and-bottom and right-and-left draw the box's two edges.
class TQRShape : public TQRPrintable {
    VMR_CLASS(TQRShape, TQRPrintable)

  public:
    static void PublishProperties(TPublisher<TQRShape>& p);

    TQRShapeType Shape = qrsRectangle;
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }

    // Raises EInvalidOperation for a circle, which pages cannot hold.
    void Print(std::vector<TPageItem>& items) override;

  protected:
    using TQRPrintable::TQRPrintable;

  private:
    TReportShape PageShape(TReportShapeKind kind, const TMmRect& bounds) const;

    TPen FPen;
    TBrush FBrush;
};
