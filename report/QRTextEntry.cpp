#include "report/QRTextEntry.h"

#include "classlib/SysUtils.h"

#include <algorithm>

TQRTextEntry::TQRTextEntry(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 200, 21);
}

void TQRTextEntry::SetValue(const std::string& value) {
    FValue = value;
    Invalidate();
}

void TQRTextEntry::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush()->SetColor(clWindow);
    c.FillRect(r);
    c.Pen()->SetColor(clBtnShadow);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen()->SetColor(clBtnHighlight);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left, r.Bottom - 1);
    c.Font()->SetColor(clWindowText);
    TSize size = c.TextExtent(FValue);
    int x = std::min(3, r.Width() - 4 - size.cx); // the end of a long name stays in view
    c.TextRect(r.Inflated(-2, -2), x, (r.Height() - size.cy) / 2, FValue);
    if (Focused()) {
        c.Pen()->SetColor(clWindowText);
        c.MoveTo(x + size.cx + 1, 3);
        c.LineTo(x + size.cx + 1, r.Height() - 3);
    }
}

void TQRTextEntry::KeyPress(char32_t& key) {
    if (key >= 0x20 && key != 0x7F) {
        FValue += Utf8Encode(key);
        Invalidate();
    }
    TCustomControl::KeyPress(key);
}

void TQRTextEntry::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_BACK && !FValue.empty()) {
        size_t cut = FValue.size() - 1;
        while (cut > 0 && (uint8_t(FValue[cut]) & 0xC0) == 0x80)
            --cut;
        FValue.erase(cut);
        Invalidate();
    }
    TCustomControl::KeyDown(key, shift);
}

void TQRTextEntry::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TQRTextEntry::WndProc(TMessage& m) {
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
}
