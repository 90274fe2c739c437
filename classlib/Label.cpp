#include "classlib/Label.h"


void TCustomLabel::PublishProperties(TPublisher<TCustomLabel>& p) {
    p.String("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption)
        .Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify)
        .Enum("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
        .Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
        .Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Component("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (Transparent() == value) return;
    SetControlStyle(value ? ControlStyle() - TControlStyle{csOpaque} : ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (FWordWrap == value) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (FShowAccelChar == value) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (FFocusControl == value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

unsigned TCustomLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS | AlignmentFlag(FAlignment);
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

TRect TCustomLabel::MeasureCaption(TRect rect) {
    // An empty caption still measures one line high.
    const std::string text = GetLabelText();
    bool blank = text.empty() || (FShowAccelChar && text == "&");
    return MeasureText(Font(), blank ? text + " " : text, rect, TextFlags());
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    TRect text = MeasureCaption(TRect{0, 0, FWordWrap ? Width() : 0, 0});
    int left = Left();
    // A right-aligned label grows to the left, a centred one both ways, so its text stays where it was.
    if (!FWordWrap && FAlignment == taRightJustify) left += Width() - text.Width();
    if (!FWordWrap && FAlignment == taCenter) left += (Width() - text.Width()) / 2;
    SetBounds(left, Top(), FWordWrap ? Width() : text.Width(), text.Height());
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect text = client;
    if (FLayout != tlTop) {
        TRect measured = MeasureCaption(TRect{0, 0, client.Width(), 0});
        int offset = client.Height() - measured.Height();
        text.Top += FLayout == tlBottom ? offset : offset / 2;
    }
    TDC* dc = canvas->Handle();
    const std::string shown = GetLabelText();
    if (Enabled()) {
        dc->DrawText(shown, text, TextFlags());
        return;
    }
    // The platform's disabled text: a highlight copy one pixel down and right under a shadow copy.
    TRect shadow = text.Offsetted(1, 1);
    dc->SetTextColor(clBtnHighlight);
    dc->DrawText(shown, shadow, TextFlags());
    dc->SetTextColor(clBtnShadow);
    dc->DrawText(shown, text, TextFlags());
}

void TCustomLabel::DialogChar(TMessage& m) {
    if (!FFocusControl || !Enabled() || !FShowAccelChar || !IsAccel(char32_t(m.WParam), GetLabelText())) return;
    if (!FFocusControl->CanFocus()) return;
    FFocusControl->SetFocus();
    m.Result = 1;
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR: return DialogChar(m);
    }
    TGraphicControl::WndProc(m);
}
