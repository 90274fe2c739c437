#include "report/QRFrame.h"

void TQRFrame::PublishProperties(TPublisher<TQRFrame>& p) {
    p.Color("Color", &TQRFrame::Color, &TQRFrame::Color, clBlack);
    p.Boolean("DrawBottom", &TQRFrame::DrawBottom, &TQRFrame::DrawBottom);
    p.Boolean("DrawLeft", &TQRFrame::DrawLeft, &TQRFrame::DrawLeft);
    p.Boolean("DrawRight", &TQRFrame::DrawRight, &TQRFrame::DrawRight);
    p.Boolean("DrawTop", &TQRFrame::DrawTop, &TQRFrame::DrawTop);
    p.Enum("Style", &TQRFrame::Style, &TQRFrame::Style, psSolid);
    p.Integer("Width", &TQRFrame::Width, &TQRFrame::Width, 1);
}

void TQRFrame::Print(const TMmRect& bounds, std::vector<TPageItem>& items) const {
    if (Style == psClear) return;
    auto line = [&](TReportShapeKind kind, const TMmRect& along) {
        TReportShape shape;
        shape.Bounds = along;
        shape.Kind = kind;
        shape.PenWidth = TMm::FromPixels96(Width);
        shape.PenColor = Color;
        items.push_back(shape);
    };
    const TMm none;
    if (DrawTop) line(TReportShapeKind::HorLine, {bounds.Left, bounds.Top, bounds.Width, none});
    if (DrawBottom) line(TReportShapeKind::HorLine, {bounds.Left, bounds.Bottom(), bounds.Width, none});
    if (DrawLeft) line(TReportShapeKind::VertLine, {bounds.Left, bounds.Top, none, bounds.Height});
    if (DrawRight) line(TReportShapeKind::VertLine, {bounds.Right(), bounds.Top, none, bounds.Height});
}
