#include "report/QRToolButton.h"

TQRToolButton::TQRToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, Size, Size);
    SetShowHint(true);
    // Quick presses are each a click (next, next, next), never a double click.
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
}

void TQRToolButton::SetGlyph(TGlyphPainter painter) {
    FGlyph = std::move(painter);
    Invalidate();
}

void TQRToolButton::DrawEdge(bool sunken) {
    TRect r = ClientRect();
    TCanvas& c = *Canvas();
    c.Pen()->SetColor(sunken ? clBtnShadow : clBtnHighlight);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen()->SetColor(sunken ? clBtnHighlight : clBtnShadow);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left, r.Bottom - 1);
}

void TQRToolButton::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(ClientRect());
    bool down = FPressed && FHot;
    // A button with a caption is a push button and always shows its frame.
    if (FHot || FPressed || !Caption().empty()) DrawEdge(down);
    if (!Caption().empty()) {
        TSize size = c.TextExtent(Caption());
        c.Brush()->SetStyle(TBrushStyle::Clear);
        c.Font()->SetColor(Enabled() ? clBtnText : clGrayText);
        c.TextOut((Width() - size.cx) / 2 + down, (Height() - size.cy) / 2 + down, Caption());
        c.Brush()->SetStyle(TBrushStyle::Solid);
    }
    if (!FGlyph) return;
    int shift = down ? 1 : 0;
    TRect glyph{4 + shift, 4 + shift, Width() - 4 + shift, Height() - 4 + shift};
    TColor ink = Enabled() ? clBlack : clGray;
    c.Pen()->SetColor(ink);
    c.Brush()->SetColor(ink);
    FGlyph(c, glyph);
}

void TQRToolButton::MouseEnter() {
    FHot = true;
    Invalidate();
    TGraphicControl::MouseEnter();
}

void TQRToolButton::MouseLeave() {
    FHot = false;
    Invalidate();
    TGraphicControl::MouseLeave();
}

void TQRToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FPressed = true;
        FHot = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TQRToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}
