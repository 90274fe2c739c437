#include "report/QRNumberField.h"

#include "report/QRToolButton.h"

#include <algorithm>

TQRNumberField::TQRNumberField(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls} - TControlStyle{csDoubleClicks});
    auto add = [this](const char* caption, int step) {
        auto* button = NewComponent<TQRToolButton>(this);
        button->SetParent(this);
        button->SetCaption(caption);
        button->OnClick = [this, step](TObject*) { SetValue(FValue + step); };
        return button;
    };
    FMinus = add("-", -1);
    FPlus = add("+", 1);
    SetBounds(0, 0, 180, 24); // places the buttons

}

void TQRNumberField::SetLabel(const std::string& label) {
    FLabel = label;
    Invalidate();
}

void TQRNumberField::SetLimits(int min, int max) {
    FMin = min;
    FMax = std::max(min, max);
    SetValue(FValue);
}

void TQRNumberField::SetValue(int value) {
    value = std::clamp(value, FMin, FMax);
    if (value == FValue) return;
    FValue = value;
    Invalidate();
}

void TQRNumberField::Resize() {
    int side = Height();
    FPlus->SetBounds(Width() - side, 0, side, side);
    FMinus->SetBounds(Width() - 2 * side - 40, 0, side, side);
    TCustomControl::Resize();
}

void TQRNumberField::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    c.Brush()->SetStyle(TBrushStyle::Clear);
    c.Font()->SetColor(clBtnText);
    int textY = (r.Height() - c.TextHeight(FLabel + "0")) / 2;
    c.TextOut(0, textY, FLabel);
    std::string number = std::to_string(FValue);
    int boxLeft = Width() - Height() - 40;
    c.TextOut(boxLeft + (40 - c.TextWidth(number)) / 2, textY, number);
}
