#include "classlib/ComboBox.h"

#include "classlib/SysUtils.h"
#include "platform/Input.h"
#include "platform/Painting.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <vector>

namespace {
const char* const ListClassName = "VmrComboLBox";
constexpr int ListBorder = 1;
// A drop-down box draws its sunken edge in its client area, and its parts lie inside it.
constexpr int BoxEdge = 2;

bool StartsWithText(std::string_view item, std::string_view prefix) {
    return item.size() >= prefix.size() && CompareText(item.substr(0, prefix.size()), prefix) == 0;
}
} // namespace

// ---- the edit part ---------------------------------------------------------------------------------------

TComboEdit::TComboEdit(TComponent* owner) : TCustomEdit(owner) {
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetAutoSelect(true);
}

void TComboEdit::DefaultHandler(TMessage& m) {
    if (FCombo && HandleAllocated()) {
        switch (m.Msg) {
        case WM_GETDLGCODE:
            TCustomEdit::DefaultHandler(m);
            if (FCombo->DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
            return;
        case WM_SYSKEYDOWN:
            if (FCombo->ComboKey(WORD(m.WParam), true)) return;
            break;
        }
    }
    TCustomEdit::DefaultHandler(m);
}

bool TComboEdit::EditKey(WORD key, bool, bool) {
    return FCombo && FCombo->ComboKey(key, false);
}

bool TComboEdit::EditChar(char32_t ch) {
    return FCombo && FCombo->ComboChar(ch);
}

void TComboEdit::Change() {
    TCustomEdit::Change();
    if (FCombo && !FCombo->FSettingText) FCombo->TypedTextChanged();
}

// ---- the combo box ---------------------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    // OnClick reports a picked item, not a click on the box.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
    UpdateEditPart();
}

TCustomComboBox::~TCustomComboBox() {
    Destroying();
    DestroyList();
    if (FEdit) FEdit->FCombo = nullptr;
}

void TCustomComboBox::PublishProperties(TPublisher<TCustomComboBox>& p) {
    p.Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown)
        .Strings("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
        .Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1)
        .String("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText)
        .Integer("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8)
        .Integer("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 13)
        .Boolean("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false)
        .Enum("CharCase", &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase, ecNormal)
        .Integer("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0)
        .Boolean("AutoComplete", &TCustomComboBox::AutoComplete, &TCustomComboBox::SetAutoComplete, true)
        .Boolean("AutoDropDown", &TCustomComboBox::AutoDropDown, &TCustomComboBox::SetAutoDropDown, false)
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnSelect", &TCustomComboBox::OnSelect)
        .Event("OnDropDown", &TCustomComboBox::OnDropDown)
        .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
        .Event("OnDrawItem", &TCustomComboBox::OnDrawItem)
        .Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
}

// ---- properties ------------------------------------------------------------------------------------------

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (FStyle == value) return;
    SetDroppedDown(false);
    DestroyList(); // a popup list or a child one, as the style says
    FStyle = value;
    FMeasured = false;
    UpdateEdge();
    UpdateEditPart();
    if (FStyle == csSimple) EnsureList();
    Arrange();
    Invalidate();
}

void TCustomComboBox::UpdateEditPart() {
    if (!HasEdit()) {
        delete FEdit;
        FEdit = nullptr;
        return;
    }
    if (FEdit) return;
    FEdit = NewComponent<TComboEdit>(nullptr);
    FEdit->FCombo = this;
    FEdit->SetMaxLength(FMaxLength);
    FEdit->SetCharCase(FCharCase);
    FEdit->SetParentColor(true);
    FSettingText = true;
    FEdit->SetText(Text());
    FSettingText = false;
    FEdit->SetParent(this);
    Arrange();
}

void TCustomComboBox::SetItemIndex(int value) {
    if (ComponentState().Contains(csLoading)) {
        FLoadedIndex = value; // layouts may name the index before the items
        return;
    }
    if (value < -1 || value >= FItems.Count()) value = -1;
    FItemIndex = value;
    std::string text = value >= 0 ? FItems.Strings(value) : std::string();
    // A picked item sets the text as well; -1 clears it only for a drop-down list, as the platform does.
    if (value >= 0 || !HasEdit()) {
        FSettingText = true;
        if (FEdit) FEdit->SetText(text);
        TWinControl::SetText(FEdit ? FEdit->Text() : text);
        FSettingText = false;
    }
    FHighlight = value;
    if (FEdit) FEdit->SelectAll();
    Invalidate();
    if (FList) InvalidateRect(FList, nullptr, true);
}

void TCustomComboBox::SetText(const std::string& value) {
    if (!HasEdit()) {
        // A drop-down list shows only its items: the text picks the item of that text.
        int index = FItems.IndexOf(value);
        if (index >= 0) SetItemIndex(index);
        return;
    }
    FSettingText = true;
    FEdit->SetText(value);
    FSettingText = false;
    TWinControl::SetText(FEdit->Text());
    FItemIndex = FItems.IndexOf(Text());
    Change();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    if (FLoadedIndex >= 0) SetItemIndex(FLoadedIndex);
    FLoadedIndex = -1;
}

void TCustomComboBox::SetItemHeight(int value) {
    value = std::max(value, 1);
    if (FItemHeight == value) return;
    FItemHeight = value;
    FMeasured = false;
    if (FDropped || FStyle == csSimple) PlaceList();
    Invalidate();
}

void TCustomComboBox::SetCharCase(TEditCharCase value) {
    FCharCase = value;
    if (FEdit) FEdit->SetCharCase(value);
}

void TCustomComboBox::SetMaxLength(int value) {
    FMaxLength = std::max(value, 0);
    if (FEdit) FEdit->SetMaxLength(FMaxLength);
}

void TCustomComboBox::ItemsChanged() {
    FMeasured = false;
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    if (FHighlight >= FItems.Count()) FHighlight = -1;
    if (FDropped || FStyle == csSimple) PlaceList();
    Invalidate();
}

// ---- events ----------------------------------------------------------------------------------------------

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas.FillRect(rect);
    FCanvas.TextOut(rect.Left + 2, rect.Top, FItems.Strings(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::Pick(int index) {
    if (index < 0 || index >= FItems.Count()) return;
    bool changed = index != FItemIndex || Text() != FItems.Strings(index);
    SetItemIndex(index);
    auto alive = AliveMark();
    if (changed) Change();
    if (!alive.expired()) Click();
    if (!alive.expired()) Select();
}

void TCustomComboBox::TypedTextChanged() {
    std::string typed = FEdit->Text();
    FItemIndex = FItems.IndexOf(typed);
    // Completion only while the text grows at its end, so Backspace and Delete still remove characters.
    bool grows = typed.size() > Text().size() && FEdit->SelStart() == int(Utf8Length(typed));
    if (FAutoComplete && grows && !typed.empty()) {
        for (int i = 0; i < FItems.Count(); ++i) {
            std::string item = FItems.Strings(i);
            if (!StartsWithText(item, typed)) continue;
            FItemIndex = i;
            FSettingText = true;
            FEdit->SetText(typed + item.substr(typed.size()));
            FEdit->SetSelStart(int(Utf8Length(typed)));
            FEdit->SetSelLength(int(Utf8Length(FEdit->Text())) - FEdit->SelStart());
            FSettingText = false;
            break;
        }
    }
    TWinControl::SetText(FEdit->Text());
    SetHighlight(FItemIndex);
    auto alive = AliveMark();
    if (FAutoDropDown && !FDropped) SetDroppedDown(true);
    if (!alive.expired()) Change();
}

// ---- geometry --------------------------------------------------------------------------------------------

TRect TCustomComboBox::ButtonRect() {
    if (FStyle == csSimple || !HandleAllocated()) return {};
    const TRect inside = ::GetClientRect(Handle()).Inflated(-BoxEdge, -BoxEdge);
    return {std::max(inside.Right - GetSystemMetrics(SM_CXVSCROLL), inside.Left), inside.Top, inside.Right,
            std::max(inside.Bottom, inside.Top)};
}

TRect TCustomComboBox::ItemRect() {
    if (!HandleAllocated()) return {};
    TRect client = ::GetClientRect(Handle());
    if (FStyle == csSimple) {
        client.Bottom = client.Top + std::min(FItemHeight + 6, client.Height());
        return client.Inflated(-1, -1);
    }
    const TRect inside = client.Inflated(-BoxEdge - 1, -BoxEdge - 1);
    return {inside.Left, inside.Top, std::max(ButtonRect().Left - 1, inside.Left), inside.Bottom};
}

void TCustomComboBox::Arrange() {
    if (!HandleAllocated()) return;
    if (FEdit) FEdit->SetBoundsRect(ItemRect());
    if (FStyle == csSimple) PlaceList();
}

TComboBoxInfo TCustomComboBox::ComboBoxInfo() {
    EnsureList();
    TComboBoxInfo info;
    info.rcItem = ItemRect();
    info.rcButton = ButtonRect();
    info.stateButton = FStyle == csSimple ? DWORD(STATE_SYSTEM_INVISIBLE) : FDropped ? DWORD(STATE_SYSTEM_PRESSED) : 0;
    info.hwndCombo = HandleAllocated() ? Handle() : nullptr;
    info.hwndItem = FEdit && FEdit->HandleAllocated() ? FEdit->Handle() : info.hwndCombo;
    info.hwndList = FList;
    return info;
}

bool GetComboBoxInfo(HWND hwnd, TComboBoxInfo& info) {
    auto* combo = dynamic_cast<TCustomComboBox*>(TWinControl::FindControl(hwnd));
    if (!combo) return false;
    info = combo->ComboBoxInfo();
    return true;
}

// ---- the list window -------------------------------------------------------------------------------------

LRESULT ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* combo = static_cast<TCustomComboBox*>(GetWindowUserData(hwnd));
    if (!combo) return DefWindowProc(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    GuardBoundary(combo, [&] { result = combo->ListMessage(msg, wParam, lParam); });
    return result;
}

void TCustomComboBox::EnsureList() {
    if (!HandleAllocated()) return;
    if (FList && IsWindow(FList)) return;
    RegisterClass(WNDCLASS{ListClassName, CS_DBLCLKS, ComboListProc, clWindow});
    DWORD style = FStyle == csSimple ? WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL
                                     : WS_POPUP | WS_BORDER | WS_VSCROLL;
    FList = CreateWindowEx(FStyle == csSimple ? 0 : WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, ListClassName, "",
                           style, 0, 0, 10, 10, Handle());
    SetWindowUserData(FList, this);
    PlaceList();
}

void TCustomComboBox::DestroyList() {
    if (FList && IsWindow(FList)) {
        SetWindowUserData(FList, nullptr);
        DestroyWindow(FList);
    }
    FList = nullptr;
}

void TCustomComboBox::MeasureItems() {
    if (FMeasured) return;
    FMeasured = true;
    FHeights.clear();
    if (FStyle != csOwnerDrawVariable) return;
    FHeights.resize(size_t(FItems.Count()), FItemHeight);
    for (int i = 0; i < FItems.Count(); ++i) {
        int height = FItemHeight;
        MeasureItem(i, height);
        FHeights[size_t(i)] = std::max(height, 1);
    }
}

int TCustomComboBox::ListItemHeight(int index) const {
    if (index >= 0 && index < int(FHeights.size())) return FHeights[size_t(index)];
    return FItemHeight;
}

int TCustomComboBox::ListRows() {
    int space = FList ? ::GetClientRect(FList).Height() : 0;
    int rows = 0;
    for (int i = FListTop; i < FItems.Count() && (space -= ListItemHeight(i)) >= 0; ++i) ++rows;
    return std::max(rows, 1);
}

int TCustomComboBox::TopShowing(int index, int space) const {
    int top = index + 1;
    while (top > 0 && (space -= ListItemHeight(top - 1)) >= 0) --top;
    return std::clamp(top, 0, std::max(index, 0));
}

int TCustomComboBox::MaxListTop() {
    int count = FItems.Count();
    return count == 0 ? 0 : TopShowing(count - 1, ::GetClientRect(FList).Height());
}

void TCustomComboBox::PlaceList() {
    if (!FList || !IsWindow(FList)) return;
    MeasureItems();
    int count = FItems.Count();
    if (FStyle == csSimple) {
        TRect client = ::GetClientRect(Handle());
        int top = ItemRect().Bottom + 1;
        MoveWindow(FList, 0, top, client.Width(), std::max(client.Bottom - top, 0));
    } else {
        // As high as the first DropDownCount items; an empty list shows one empty row.
        int height = 2 * ListBorder;
        for (int i = 0, shown = std::clamp(count, 1, FDropDownCount); i < shown; ++i) height += ListItemHeight(i);
        TRect box = GetWindowRect(Handle());
        TRect work;
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work);
        int x = std::clamp(box.Left, work.Left, std::max(work.Right - box.Width(), work.Left));
        int y = box.Bottom;
        if (y + height > work.Bottom && box.Top - height >= work.Top) y = box.Top - height; // above instead
        y = std::clamp(y, work.Top, std::max(work.Bottom - height, work.Top));
        MoveWindow(FList, x, y, box.Width(), height);
    }
    int maxTop = MaxListTop();
    FListTop = std::clamp(FListTop, 0, maxTop);
    UpdateListScroll();
    ShowScrollBar(FList, SB_VERT, maxTop > 0);
    InvalidateRect(FList, nullptr, true);
}

// The page is what shows below the top item, which varies with the top when items differ in height.
void TCustomComboBox::UpdateListScroll() {
    SCROLLINFO info{SIF_ALL, 0, std::max(FItems.Count() - 1, 0), UINT(ListRows()), FListTop, 0};
    SetScrollInfo(FList, SB_VERT, info, true);
}

TRect TCustomComboBox::ListItemRect(int index) {
    TRect client = FList ? ::GetClientRect(FList) : TRect{};
    int top = 0;
    for (int i = FListTop; i < index; ++i) top += ListItemHeight(i);
    for (int i = index; i < FListTop; ++i) top -= ListItemHeight(i);
    return {client.Left, top, client.Right, top + ListItemHeight(index)};
}

int TCustomComboBox::ListItemAt(TPoint p) {
    TRect client = ::GetClientRect(FList);
    if (!client.Contains(p)) return -1;
    for (int i = FListTop, bottom = 0; i < FItems.Count(); ++i) {
        bottom += ListItemHeight(i);
        if (p.Y < bottom) return i;
    }
    return -1;
}

void TCustomComboBox::SetHighlight(int index) {
    FHighlight = index;
    if (!FList || !IsWindow(FList) || index < 0) return;
    if (index < FListTop) FListTop = index;
    else FListTop = std::max(FListTop, TopShowing(index, ::GetClientRect(FList).Height()));
    UpdateListScroll();
    InvalidateRect(FList, nullptr, true);
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (FStyle == csSimple || value == FDropped || !HandleAllocated()) return;
    if (value) {
        auto alive = AliveMark();
        DropDown(); // the handler may fill the items
        if (alive.expired()) return;
        FMeasured = false; // the handler may answer differently now
        EnsureList();
        FDropped = true;
        FHighlight = FItemIndex;
        PlaceList();
        SetHighlight(FItemIndex);
        ShowWindow(FList, SW_SHOWNA);
        SetWindowPos(FList, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetCapture(FList);
    } else {
        FDropped = false;
        if (GetCapture() == FList) ReleaseCapture();
        ShowWindow(FList, SW_HIDE);
        CloseUp();
    }
    Invalidate();
}

LRESULT TCustomComboBox::ListMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TPoint p = LParamToPoint(lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(FList, ps)) PaintList(*dc);
        EndPaint(FList, ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        if (int index = ListItemAt(p); index >= 0 && index != FHighlight) SetHighlight(index);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FStyle == csSimple) {
            if (int index = ListItemAt(p); index >= 0) Pick(index);
            return 0;
        }
        // A press outside the list closes it; on the box's own button it only closes.
        if (!::GetClientRect(FList).Contains(p)) {
            TPoint screen = ::ClientToScreen(FList, p);
            if (!GetWindowRect(FList).Contains(screen)) SetDroppedDown(false);
        }
        return 0;
    case WM_LBUTTONUP:
        if (FStyle != csSimple && FDropped) {
            if (int index = ListItemAt(p); index >= 0) {
                SetDroppedDown(false);
                Pick(index);
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (FDropped && HWND(lParam) != FList) SetDroppedDown(false);
        return 0;
    case WM_MOUSEWHEEL:
        FListTop = std::clamp(FListTop - GET_WHEEL_DELTA_WPARAM(wParam) / 120, 0, std::max(FItems.Count() - 1, 0));
        PlaceList();
        return 0;
    case WM_VSCROLL: {
        int rows = ListRows();
        int top = FListTop;
        switch (int(LOWORD(wParam))) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= rows; break;
        case SB_PAGEDOWN: top += rows; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: top = HIWORD(wParam); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = FItems.Count(); break;
        }
        FListTop = std::clamp(top, 0, MaxListTop());
        UpdateListScroll();
        InvalidateRect(FList, nullptr, true);
        return 0;
    }
    }
    return DefWindowProc(FList, msg, wParam, lParam);
}

void TCustomComboBox::PaintList(TDC& dc) {
    TRect client = ::GetClientRect(FList);
    dc.FillRect(client, TBrushDesc::SolidColor(Color()));
    if (IsOwnerDraw()) {
        for (int i = FListTop; i < FItems.Count(); ++i) {
            TRect r = ListItemRect(i);
            if (r.Top >= client.Bottom) break;
            TOwnerDrawState state;
            if (i == FHighlight) state += TOwnerDrawState{odSelected, odFocused};
            if (!Enabled()) state.Include(odDisabled);
            PaintOwnerItem(dc, i, r, state);
        }
        return;
    }
    dc.SetFont(Font()->Desc());
    dc.SetBkMode(TBkMode::Transparent);
    for (int i = FListTop; i < FItems.Count(); ++i) {
        TRect r = ListItemRect(i);
        if (r.Top >= client.Bottom) break;
        bool hot = i == FHighlight;
        if (hot) dc.FillRect(r, TBrushDesc::SolidColor(clHighlight));
        dc.SetTextColor(hot ? clHighlightText : Font()->Color());
        TRect text{r.Left + 2, r.Top, r.Right - 2, r.Bottom};
        dc.DrawText(FItems.Strings(i), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
}

// ---- the box ---------------------------------------------------------------------------------------------

void TCustomComboBox::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    UpdateEdge();
    if (FStyle == csSimple) EnsureList();
    Arrange();
}

// A simple box is an edit above a list, in a sunken edge round both; a drop-down box draws its own edge.
void TCustomComboBox::UpdateEdge() {
    if (!HandleAllocated()) return;
    const DWORD exStyle = GetWindowExStyle(Handle());
    SetWindowExStyle(Handle(), FStyle == csSimple ? exStyle | WS_EX_CLIENTEDGE : exStyle & ~DWORD(WS_EX_CLIENTEDGE));
}

void TCustomComboBox::Paint(TDC& dc) {
    TRect client = ::GetClientRect(Handle());
    dc.FillRect(client, TBrushDesc::SolidColor(Color()));
    if (FStyle != csSimple) DrawEdge(dc, client, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
    if (TRect button = ButtonRect(); !button.IsEmpty()) PaintButton(dc, button);
    if (HasEdit()) return;
    TRect item = ItemRect();
    bool focused = Focused() && !FDropped;
    if (IsOwnerDraw()) {
        TOwnerDrawState state{odComboBoxEdit};
        if (focused) state += TOwnerDrawState{odSelected, odFocused};
        if (!Enabled()) state.Include(odDisabled);
        return PaintOwnerItem(dc, FItemIndex, item, state);
    }
    if (focused) dc.FillRect(item, TBrushDesc::SolidColor(clHighlight));
    dc.SetFont(Font()->Desc());
    dc.SetBkMode(TBkMode::Transparent);
    dc.SetTextColor(!Enabled() ? clGrayText : focused ? clHighlightText : Font()->Color());
    TRect text{item.Left + 2, item.Top, item.Right, item.Bottom};
    dc.DrawText(Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (focused) dc.DrawFocusRect(item);
}

void TCustomComboBox::PaintOwnerItem(TDC& dc, int index, const TRect& rect, TOwnerDrawState state) {
    FCanvas.PaintOn(&dc, [&] {
        FCanvas.Font()->Assign(Font());
        FCanvas.Brush()->SetStyle(bsSolid);
        FCanvas.Brush()->SetColor(Color());
        if (index >= 0 && state.Contains(odSelected)) {
            FCanvas.Brush()->SetColor(clHighlight);
            FCanvas.Font()->SetColor(clHighlightText);
        }
        if (state.Contains(odDisabled)) FCanvas.Font()->SetColor(clGrayText);
        // No item chosen: the edit part is only filled.
        if (index >= 0) DrawItem(index, rect, state);
        else FCanvas.FillRect(rect);
        if (state.Contains(odFocused)) FCanvas.DrawFocusRect(rect);
    });
}

void TCustomComboBox::PaintButton(TDC& dc, const TRect& r) {
    dc.FillRect(r, TBrushDesc::SolidColor(clBtnFace));
    auto line = [&](TColor c, TPoint a, TPoint b) {
        dc.SetPen(TPenDesc{TPenStyle::Solid, 1, c});
        dc.MoveTo(a);
        dc.LineTo(b);
    };
    bool pressed = FDropped;
    // The classic raised edge: light top-left, dark bottom-right; pressed shows one shadow line.
    if (pressed) {
        dc.FrameRect(r, TBrushDesc::SolidColor(clBtnShadow));
    } else {
        line(cl3DLight, {r.Left, r.Bottom - 1}, {r.Left, r.Top});
        line(cl3DLight, {r.Left, r.Top}, {r.Right - 1, r.Top});
        line(cl3DDkShadow, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1});
        line(cl3DDkShadow, {r.Left, r.Bottom - 1}, {r.Right, r.Bottom - 1});
        line(clBtnHighlight, {r.Left + 1, r.Bottom - 2}, {r.Left + 1, r.Top + 1});
        line(clBtnHighlight, {r.Left + 1, r.Top + 1}, {r.Right - 2, r.Top + 1});
        line(clBtnShadow, {r.Right - 2, r.Top + 1}, {r.Right - 2, r.Bottom - 2});
        line(clBtnShadow, {r.Left + 1, r.Bottom - 2}, {r.Right - 1, r.Bottom - 2});
    }
    int cx = (r.Left + r.Right) / 2 + (pressed ? 1 : 0), cy = (r.Top + r.Bottom) / 2 - 1 + (pressed ? 1 : 0);
    TColor arrow = Enabled() ? clBtnText : clBtnShadow;
    for (int row = 0; row < 4; ++row)
        dc.FillRect({cx - 3 + row, cy + row, cx + 4 - row, cy + row + 1}, TBrushDesc::SolidColor(arrow));
}

bool TCustomComboBox::ComboKey(WORD key, bool alt) {
    if ((key == VK_DOWN || key == VK_UP) && alt) {
        SetDroppedDown(!FDropped);
        return true;
    }
    switch (key) {
    case VK_F4:
        if (alt) return false;
        SetDroppedDown(!FDropped);
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        int step = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_PRIOR ? -FDropDownCount : FDropDownCount;
        int from = FDropped ? FHighlight : FItemIndex;
        int target = std::clamp(from < 0 ? (step > 0 ? 0 : FItems.Count() - 1) : from + step, 0,
                                FItems.Count() - 1);
        if (FItems.Count() == 0) return true;
        if (FDropped)
            SetHighlight(target);
        else
            Pick(target);
        return true;
    }
    case VK_HOME:
    case VK_END:
        if (HasEdit() || FItems.Count() == 0) return false;
        Pick(key == VK_HOME ? 0 : FItems.Count() - 1);
        return true;
    }
    return false;
}

bool TCustomComboBox::ComboChar(char32_t ch) {
    if (ch == '\r' || ch == 27) {
        if (!FDropped) return false;
        int pick = ch == '\r' ? FHighlight : -1;
        SetDroppedDown(false);
        if (pick >= 0) Pick(pick);
        return true;
    }
    if (HasEdit() || ch < 0x20) return false;
    // A drop-down list picks the next item starting with the typed letter.
    std::string letter = Utf8Encode(ch);
    for (int step = 1; step <= FItems.Count(); ++step) {
        int i = (std::max(FItemIndex, -1) + step) % FItems.Count();
        if (StartsWithText(FItems.Strings(i), letter)) {
            FDropped ? SetHighlight(i) : Pick(i);
            break;
        }
    }
    return true;
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        auto alive = AliveMark();
        TWinControl::WndProc(m);
        if (alive.expired() || FStyle == csSimple) return;
        if (CanFocus() && !Focused() && !(FEdit && FEdit->Focused())) SetFocus();
        // The whole box of a drop-down list opens it; an editable one opens from its button.
        if (!HasEdit() || ButtonRect().Contains(LParamToPoint(m.LParam))) SetDroppedDown(!FDropped);
        return;
    }
    case WM_SETFOCUS:
        TWinControl::WndProc(m);
        if (FEdit && FEdit->HandleAllocated()) ::SetFocus(FEdit->Handle());
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TWinControl::WndProc(m);
        Invalidate();
        return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        Arrange();
        return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(m);
        if (FEdit) FEdit->Invalidate();
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomComboBox::DefaultHandler(TMessage& m) {
    if (!HandleAllocated()) return TWinControl::DefaultHandler(m);
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam) {
            Paint(*reinterpret_cast<HDC>(m.WParam));
            return;
        }
        break;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FDropped ? LRESULT(DLGC_WANTALLKEYS) : 0); return;
    case WM_KEYDOWN:
        if (ComboKey(WORD(m.WParam), false)) return;
        break;
    case WM_SYSKEYDOWN:
        if (ComboKey(WORD(m.WParam), true)) return;
        break;
    case WM_CHAR:
        if (ComboChar(char32_t(m.WParam))) return;
        break;
    }
    TWinControl::DefaultHandler(m);
}
