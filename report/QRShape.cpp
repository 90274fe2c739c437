#include "report/QRShape.h"

#include "platform/Exception.h"

void TQRShape::PublishProperties(TPublisher<TQRShape>& p) {
    p.Persistent("Brush", [](TQRShape& s) { return s.Brush(); });
    p.Persistent("Pen", [](TQRShape& s) { return s.Pen(); });
    p.Enum("Shape", &TQRShape::Shape, &TQRShape::Shape, qrsRectangle);
}

TReportShape TQRShape::PageShape(TReportShapeKind kind, const TMmRect& bounds) const {
    TReportShape shape;
    shape.Bounds = bounds;
    shape.Kind = kind;
    shape.PenWidth = TMm::FromPixels96(FPen.Width());
    shape.PenColor = FPen.Color();
    shape.PenMode = FPen.Style() == psClear ? pmNop : FPen.Mode();
    shape.BrushStyle = FBrush.Style();
    shape.BrushColor = FBrush.Color();
    return shape;
}

void TQRShape::Print(std::vector<TPageItem>& items) {
    const TMmRect box = Size()->Bounds();
    switch (Shape) {
    case qrsRectangle:
        items.push_back(PageShape(TReportShapeKind::Rectangle, box));
        break;
    case qrsHorLine:
        items.push_back(PageShape(TReportShapeKind::HorLine, box));
        break;
    case qrsVertLine:
        items.push_back(PageShape(TReportShapeKind::VertLine, box));
        break;
    case qrsTopAndBottom:
        items.push_back(PageShape(TReportShapeKind::HorLine, {box.Left, box.Top, box.Width, TMm()}));
        items.push_back(PageShape(TReportShapeKind::HorLine, {box.Left, box.Bottom(), box.Width, TMm()}));
        break;
    case qrsRightAndLeft:
        items.push_back(PageShape(TReportShapeKind::VertLine, {box.Left, box.Top, TMm(), box.Height}));
        items.push_back(PageShape(TReportShapeKind::VertLine, {box.Right(), box.Top, TMm(), box.Height}));
        break;
    case qrsCircle:
        throw EInvalidOperation(Name() + ": report pages hold no circles; use a rectangle or lines");
    }
    Frame()->Print(box, items);
}
