#include "classlib/ListBox.h"

#include "platform/Painting.h"
#include "platform/ScrollBar.h"

#include <algorithm>

namespace {
constexpr int WheelLines = 3;
}

void TCustomListBox::PublishProperties(TPublisher<TCustomListBox>& p) {
    p.Strings("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
        .Integer("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex, -1)
        .Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight, 16)
        .Enum("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle, lbStandard)
        .Boolean("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted, false)
        .Enum("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle, bsSingle)
        .Event("OnDrawItem", &TCustomListBox::OnDrawItem);
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
    // OnClick follows the selection, not the mouse button.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents} + TControlStyle{csOpaque});
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomListBox::~TCustomListBox() {
    FItems.OnChange = nullptr;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateHandleDone() {
    UpdateScrollInfo();
}

int TCustomListBox::ItemHeight() {
    if (FStyle == lbOwnerDrawFixed) return FItemHeight;
    // Asked several times for every item placed or painted: measured again only when the font changed.
    const TFontDesc font = Font()->Desc();
    if (FMeasuredFont != font) {
        FMeasuredHeight = std::max(1, MeasureText(Font(), "Wg", TRect{}, DT_SINGLELINE | DT_NOPREFIX).Height());
        FMeasuredFont = font;
    }
    return FMeasuredHeight;
}

void TCustomListBox::SetItemHeight(int value) {
    value = std::max(value, 1);
    if (FItemHeight == value) return;
    FItemHeight = value;
    ItemsChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    ItemsChanged();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::VisibleCount() {
    // Before the window exists the client area is not known; the bounds are near enough until it does.
    int height = HandleAllocated() ? ClientHeight() : Height();
    return std::max(1, height / ItemHeight());
}

int TCustomListBox::MaxTopIndex() {
    return std::max(0, Count() - VisibleCount());
}

TRect TCustomListBox::ItemRect(int index) {
    int h = ItemHeight();
    int top = (index - FTopIndex) * h;
    return TRect{0, top, ClientWidth(), top + h};
}

int TCustomListBox::ItemAtPos(TPoint client, bool existing) {
    if (client.Y < 0) return existing ? -1 : FTopIndex;
    int index = FTopIndex + client.Y / ItemHeight();
    if (index < Count()) return index;
    return existing ? -1 : Count() - 1;
}

void TCustomListBox::ItemsChanged() {
    if (FItemIndex >= Count()) FItemIndex = Count() - 1;
    FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::SetItemCount(int count) {
    FDataCount = std::max(count, -1);
    ItemsChanged();
}

void TCustomListBox::UpdateScrollInfo() {
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = Count() - 1;
    info.nPage = UINT(VisibleCount());
    info.nPos = FTopIndex;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

void TCustomListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, MaxTopIndex());
    if (FTopIndex == value) return;
    FTopIndex = value;
    UpdateScrollInfo();
    Invalidate();
}

void TCustomListBox::MakeVisible(int index) {
    if (index < 0) return;
    if (index < FTopIndex) SetTopIndex(index);
    else if (index >= FTopIndex + VisibleCount()) SetTopIndex(index - VisibleCount() + 1);
}

void TCustomListBox::SetItemIndex(int value) {
    value = std::clamp(value, -1, Count() - 1);
    if (FItemIndex == value) return;
    const int previous = FItemIndex, top = FTopIndex;
    FItemIndex = value;
    MakeVisible(value);
    if (FTopIndex != top) return; // the scroll repaints every item
    InvalidateItem(previous);
    InvalidateItem(value);
}

void TCustomListBox::InvalidateItem(int index) {
    if (!HandleAllocated() || index < 0) return;
    const TRect item = ItemRect(index);
    InvalidateRect(Handle(), &item, !ControlStyle().Contains(csOpaque));
}

void TCustomListBox::SelectByUser(int index) {
    if (Count() == 0) return;
    index = std::clamp(index, 0, Count() - 1);
    if (index == FItemIndex) return;
    SetItemIndex(index);
    Click();
}

void TCustomListBox::Scroll(WORD code, int thumb) {
    switch (code) {
    case SB_LINEUP: return SetTopIndex(FTopIndex - 1);
    case SB_LINEDOWN: return SetTopIndex(FTopIndex + 1);
    case SB_PAGEUP: return SetTopIndex(FTopIndex - VisibleCount());
    case SB_PAGEDOWN: return SetTopIndex(FTopIndex + VisibleCount());
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return SetTopIndex(thumb);
    case SB_TOP: return SetTopIndex(0);
    case SB_BOTTOM: return SetTopIndex(MaxTopIndex());
    case SB_ENDSCROLL: return;
    }
}

void TCustomListBox::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    int target;
    switch (key) {
    case VK_UP: target = FItemIndex - 1; break;
    case VK_DOWN: target = FItemIndex + 1; break;
    case VK_PRIOR: target = FItemIndex - (VisibleCount() - 1); break;
    case VK_NEXT: target = FItemIndex + (VisibleCount() - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    default: return;
    }
    key = 0;
    // With nothing selected, the first move selects the first item.
    SelectByUser(FItemIndex < 0 ? 0 : target);
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (CanFocus()) SetFocus();
        int index = ItemAtPos(TPoint{x, y});
        if (index >= 0) SelectByUser(index);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    // Dragging with the button down moves the selection, scrolling past either edge.
    if (shift.Contains(ssLeft) && MouseCapture()) {
        if (y < 0) SetTopIndex(FTopIndex - 1);
        else if (y >= ClientHeight()) SetTopIndex(FTopIndex + 1);
        SelectByUser(ItemAtPos(TPoint{x, std::clamp(y, 0, ClientHeight() - 1)}, false));
    }
    TWinControl::MouseMove(shift, x, y);
}

void TCustomListBox::Resize() {
    FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
    UpdateScrollInfo();
    Invalidate();
    TWinControl::Resize();
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (FStyle == lbOwnerDrawFixed && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas.FillRect(rect);
    TRect text{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
    FCanvas.Brush()->SetStyle(bsClear);
    FCanvas.Handle()->DrawText(ItemText(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomListBox::PaintWindow(HDC dc) {
    FCanvas.PaintOn(dc, [this] {
        TRect client = ClientRect();
        bool focused = Focused();
        int h = ItemHeight();
        int last = std::min(Count() - 1, FTopIndex + (client.Height() + h - 1) / h - 1); // may show in part
        for (int i = FTopIndex; i <= last; ++i) {
            if (!FCanvas.Handle()->RectVisible(ItemRect(i))) continue; // nothing of it to repaint
            TOwnerDrawState state;
            if (i == FItemIndex) state.Include(odSelected);
            if (i == FItemIndex && focused) state.Include(odFocused);
            if (!Enabled()) state.Include(odDisabled);
            FCanvas.Font()->Assign(Font());
            FCanvas.Brush()->SetStyle(bsSolid);
            FCanvas.Brush()->SetColor(state.Contains(odSelected) ? clHighlight : Color());
            if (state.Contains(odSelected)) FCanvas.Font()->SetColor(clHighlightText);
            if (!Enabled()) FCanvas.Font()->SetColor(clGrayText);
            TRect rect = ItemRect(i);
            DrawItem(i, rect, state);
            if (state.Contains(odFocused)) FCanvas.DrawFocusRect(rect);
        }
        // What lies below the last item.
        int bottom = Count() > 0 ? std::max(0, ItemRect(last).Bottom) : 0;
        FCanvas.Brush()->SetStyle(bsSolid);
        FCanvas.Brush()->SetColor(Color());
        FCanvas.FillRect(TRect{0, bottom, client.Right, client.Bottom});
    });
}

void TCustomListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_ERASEBKGND: m.Result = 1; return; // PaintWindow covers every pixel
    case WM_VSCROLL: return Scroll(LOWORD(m.WParam), int(HIWORD(m.WParam)));
    case WM_MOUSEWHEEL: return SetTopIndex(FTopIndex - GET_WHEEL_DELTA_WPARAM(m.WParam) * WheelLines / 120);
    case WM_LBUTTONDBLCLK: {
        // The class's click events are off (OnClick follows the selection), so the double click is ours.
        auto alive = AliveMark();
        TWinControl::WndProc(m);
        if (!alive.expired()) DblClick();
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::WndProc(m);
        InvalidateItem(FItemIndex); // the focus rectangle
        return;
    }
    TWinControl::WndProc(m);
}
