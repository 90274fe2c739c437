#include "classlib/Panel.h"

#include "classlib/Frame3D.h"

void TCustomPanel::PublishProperties(TPublisher<TCustomPanel>& p) {
    p.String("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption)
        .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised)
        .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone)
        .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, bsNone)
        .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
        .Boolean("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint, true);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csSetCaption});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::InsetsChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value) {
    if (FBevelOuter == value) return;
    FBevelOuter = value;
    InsetsChanged();
}

void TCustomPanel::SetBevelInner(TPanelBevel value) {
    if (FBevelInner == value) return;
    FBevelInner = value;
    InsetsChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
    value = std::max(value, 1);
    if (FBevelWidth == value) return;
    FBevelWidth = value;
    InsetsChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle; // a panel has no caption bar or sizing frame
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    InsetsChanged();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect); // BorderWidth
    int inset = (FBorderStyle == bsSingle ? 1 : 0) + BevelInset(FBevelOuter) + BevelInset(FBevelInner);
    rect = TRect{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

void TCustomPanel::PaintBevel(TRect& rect, TPanelBevel bevel) {
    TCanvas* canvas = Canvas();
    switch (bevel) {
    case bvNone: return;
    case bvRaised: return Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, FBevelWidth);
    case bvLowered: return Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, FBevelWidth);
    case bvSpace: return Frame3D(canvas, rect, Color(), Color(), FBevelWidth);
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    if (FBorderStyle == bsSingle) Frame3D(canvas, rect, clWindowFrame, clWindowFrame, 1);
    PaintBevel(rect, FBevelOuter);
    // BorderWidth is the face colour between the bevels.
    Frame3D(canvas, rect, Color(), Color(), BorderWidth());
    PaintBevel(rect, FBevelInner);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
    if (Caption().empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    TDC* dc = canvas->Handle();
    if (!Enabled()) dc->SetTextColor(clGrayText);
    dc->DrawText(Caption(), rect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlag(FAlignment));
}

void TCustomPanel::Resize() {
    if (FFullRepaint) Invalidate();
    TCustomControl::Resize();
}

void TCustomPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: // Paint covers every pixel
        m.Result = 1;
        return;
    }
    TCustomControl::WndProc(m);
}
