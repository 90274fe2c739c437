#include "report/QRChoiceList.h"

#include <algorithm>

TQRChoiceList::TQRChoiceList(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 200, 4 * RowHeight + 4);
}

void TQRChoiceList::SetItems(std::vector<std::string> items) {
    FItems = std::move(items);
    FItemIndex = FItems.empty() ? -1 : std::clamp(FItemIndex, 0, int(FItems.size()) - 1);
    Invalidate();
}

void TQRChoiceList::SetItemIndex(int index) {
    if (FItems.empty()) return;
    index = std::clamp(index, 0, int(FItems.size()) - 1);
    if (index == FItemIndex) return;
    FItemIndex = index;
    Invalidate();
    if (OnChange) OnChange(this);
}

TRect TQRChoiceList::ItemRect(int index) const {
    return {2, 2 + index * RowHeight, Width() - 2, 2 + (index + 1) * RowHeight};
}

void TQRChoiceList::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush()->SetColor(clWindow);
    c.FillRect(r);
    c.Pen()->SetColor(clBtnShadow);
    c.Brush()->SetStyle(TBrushStyle::Clear);
    c.Rectangle(r);
    for (int i = 0; i < int(FItems.size()); ++i) {
        TRect row = ItemRect(i);
        bool selected = i == FItemIndex;
        c.Brush()->SetStyle(TBrushStyle::Solid);
        c.Brush()->SetColor(selected ? clHighlight : clWindow);
        c.FillRect(row);
        c.Font()->SetColor(selected ? clHighlightText : clWindowText);
        c.Brush()->SetStyle(TBrushStyle::Clear);
        c.TextRect(row, row.Left + 4, row.Top + (RowHeight - c.TextHeight(FItems[i])) / 2, FItems[i]);
    }
    if (Focused() && FItemIndex >= 0) c.DrawFocusRect(ItemRect(FItemIndex));
}

void TQRChoiceList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus()) SetFocus();
    for (int i = 0; i < int(FItems.size()); ++i)
        if (ItemRect(i).Contains({x, y})) SetItemIndex(i);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TQRChoiceList::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP) SetItemIndex(FItemIndex - 1);
    if (key == VK_DOWN) SetItemIndex(FItemIndex + 1);
    TCustomControl::KeyDown(key, shift);
}
