#include "classlib/dbctrls/DBCtrlGrid.h"

#include "classlib/data/DataSource.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"

#include <algorithm>
#include <cstdlib>

// The grid's link: every change of the data source moves the live panel, the scroll bar and the copies.
class TDBCtrlGrid::TGridDataLink : public TDataLink {
  public:
    explicit TGridDataLink(TDBCtrlGrid* grid) : FGrid(grid) { SetVisualControl(true); }

  protected:
    void ActiveChanged() override { FGrid->DataChanged(); }
    void DataSetChanged() override { FGrid->DataChanged(); }
    void DataSetScrolled(int) override { FGrid->DataChanged(); }
    void RecordChanged(TField*) override { FGrid->Invalidate(); }

  private:
    TDBCtrlGrid* FGrid;
};

namespace {

// The room the scroll bar takes beside (vertical) or below (horizontal) the panels.
TSize ScrollBarRoom(TDBCtrlGridOrientation orientation) {
    if (orientation == goVertical) return {GetSystemMetrics(SM_CXVSCROLL), 0};
    return {0, GetSystemMetrics(SM_CYHSCROLL)};
}

void FillPanel(TDC& dc, TSize size, TColor color, TDBCtrlGridBorder border) {
    TRect r{0, 0, size.cx, size.cy};
    dc.FillRect(r, TBrushDesc::SolidColor(color));
    if (border != gbRaised) return;
    auto light = TBrushDesc::SolidColor(clBtnHighlight);
    auto dark = TBrushDesc::SolidColor(clBtnShadow);
    dc.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, light);
    dc.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, light);
    dc.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
    dc.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
}

} // namespace

// ---- the live panel ---------------------------------------------------------------------------------------

TDBCtrlPanel::TDBCtrlPanel(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
}

void TDBCtrlPanel::PaintWindow(HDC dc) {
    if (!FGrid) return;
    FillPanel(*dc, {Width(), Height()}, FGrid->SelectedColor(), FGrid->PanelBorder());
    if (FGrid->ShowFocus() && FGrid->Focused()) dc->DrawFocusRect({2, 2, Width() - 2, Height() - 2});
    if (FGrid->OnPaintPanel) {
        FGrid->Canvas()->PaintOn(dc, [this] { FGrid->OnPaintPanel(FGrid, FGrid->PanelIndex()); });
    }
}

void TDBCtrlPanel::WndProc(TMessage& m) {
    // A left click anywhere on the panel, its texts included, gives the grid the keys; a windowed control
    // clicked takes the focus itself.
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && FGrid && FGrid->CanFocus()) {
        FGrid->SetFocus();
    }
    TWinControl::WndProc(m);
}

// ---- the grid ---------------------------------------------------------------------------------------------

TDBCtrlGrid::TDBCtrlGrid(TComponent* owner)
    : TCustomControl(owner), FDataLink(std::make_unique<TGridDataLink>(this)) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque} - TControlStyle{csAcceptsControls});
    SetTabStop(true);
    FPanel = NewComponent<TDBCtrlPanel>(this);
    FPanel->FGrid = this;
    FPanel->SetParent(this);
    FDataLink->SetBufferCount(PanelCount());
    FitToPanels();
}

TDBCtrlGrid::~TDBCtrlGrid() {
    // The panel goes first, while the grid is still whole, and nothing places it again.
    FPanel = nullptr;
    DestroyComponents();
    FDataLink->SetDataSource(nullptr);
}

void TDBCtrlGrid::PublishProperties(TPublisher<TDBCtrlGrid>& p) {
    p.Boolean("AllowDelete", &TDBCtrlGrid::AllowDelete, &TDBCtrlGrid::SetAllowDelete, true)
        .Boolean("AllowInsert", &TDBCtrlGrid::AllowInsert, &TDBCtrlGrid::SetAllowInsert, true)
        .Integer("ColCount", &TDBCtrlGrid::ColCount, &TDBCtrlGrid::SetColCount, 1)
        .Component("DataSource", &TDBCtrlGrid::DataSource, &TDBCtrlGrid::SetDataSource)
        .Enum("Orientation", &TDBCtrlGrid::Orientation, &TDBCtrlGrid::SetOrientation, goVertical)
        .Enum("PanelBorder", &TDBCtrlGrid::PanelBorder, &TDBCtrlGrid::SetPanelBorder, gbRaised)
        .Integer("PanelHeight", &TDBCtrlGrid::PanelHeight, &TDBCtrlGrid::SetPanelHeight, 72)
        .Integer("PanelWidth", &TDBCtrlGrid::PanelWidth, &TDBCtrlGrid::SetPanelWidth, 200)
        .Integer("RowCount", &TDBCtrlGrid::RowCount, &TDBCtrlGrid::SetRowCount, 3)
        .Color("SelectedColor", &TDBCtrlGrid::SelectedColor, &TDBCtrlGrid::SetSelectedColor, clWindow)
        .Boolean("ShowFocus", &TDBCtrlGrid::ShowFocus, &TDBCtrlGrid::SetShowFocus, true)
        .Event("OnPaintPanel", &TDBCtrlGrid::OnPaintPanel);
}

void TDBCtrlGrid::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    DataChanged();
}

void TDBCtrlGrid::SetColCount(int value) {
    value = std::max(value, 1);
    if (value == FColCount) return;
    int panelWidth = FPanelWidth;
    FColCount = value;
    FDataLink->SetBufferCount(PanelCount());
    SetPanelWidth(panelWidth);
    DataChanged();
}

void TDBCtrlGrid::SetRowCount(int value) {
    value = std::max(value, 1);
    if (value == FRowCount) return;
    int panelHeight = FPanelHeight;
    FRowCount = value;
    FDataLink->SetBufferCount(PanelCount());
    SetPanelHeight(panelHeight);
    DataChanged();
}

void TDBCtrlGrid::SetPanelWidth(int value) {
    FPanelWidth = std::max(value, 1);
    FitToPanels();
}

void TDBCtrlGrid::SetPanelHeight(int value) {
    FPanelHeight = std::max(value, 1);
    FitToPanels();
}

void TDBCtrlGrid::FitToPanels() {
    TSize bar = ScrollBarRoom(FOrientation);
    FSizing = true;
    SetBounds(Left(), Top(), FPanelWidth * FColCount + bar.cx, FPanelHeight * FRowCount + bar.cy);
    FSizing = false;
    PlacePanel();
}

void TDBCtrlGrid::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    if (FSizing || !FPanel) return;
    // The panels share what the grid's size leaves beside the scroll bar.
    TSize bar = ScrollBarRoom(FOrientation);
    FPanelWidth = std::max((Width() - bar.cx) / FColCount, 1);
    FPanelHeight = std::max((Height() - bar.cy) / FRowCount, 1);
    PlacePanel();
    Invalidate();
}

void TDBCtrlGrid::SetPanelBorder(TDBCtrlGridBorder value) {
    FPanelBorder = value;
    Invalidate();
    FPanel->Invalidate();
}

void TDBCtrlGrid::SetOrientation(TDBCtrlGridOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    // The scroll bar moves to the other side: a new window with the other style.
    if (HandleAllocated()) RecreateWnd();
    FitToPanels();
    DataChanged();
}

void TDBCtrlGrid::SetShowFocus(bool value) {
    if (FShowFocus == value) return;
    FShowFocus = value;
    if (FPanel) FPanel->Invalidate();
}

void TDBCtrlGrid::SetSelectedColor(TColor value) {
    FSelectedColor = value;
    FPanel->Invalidate();
}

void TDBCtrlGrid::Loaded() {
    TCustomControl::Loaded();
    // A layout nests the panel's controls in the grid itself.
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i) != FPanel) children.push_back(Controls(i));
    for (TControl* c : children) c->SetParent(FPanel);
    DataChanged();
}

TRect TDBCtrlGrid::PanelBounds(int index) const {
    int col = FOrientation == goVertical ? index % FColCount : index / FRowCount;
    int row = FOrientation == goVertical ? index / FColCount : index % FRowCount;
    return {col * FPanelWidth, row * FPanelHeight, (col + 1) * FPanelWidth, (row + 1) * FPanelHeight};
}

int TDBCtrlGrid::PanelAt(TPoint client) const {
    for (int i = 0; i < PanelCount(); ++i)
        if (PanelBounds(i).Contains(client)) return i;
    return -1;
}

TDataSet* TDBCtrlGrid::ActiveDataSet() const {
    return FDataLink->Active() ? FDataLink->DataSet() : nullptr;
}

void TDBCtrlGrid::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= FOrientation == goVertical ? WS_VSCROLL : WS_HSCROLL;
}

void TDBCtrlGrid::CreateHandleDone() {
    TCustomControl::CreateHandleDone();
    UpdateScrollBar();
}

void TDBCtrlGrid::DataChanged() {
    if (!FPanel) return;
    PlacePanel();
    UpdateScrollBar();
    Invalidate();
    FPanel->Invalidate();
}

void TDBCtrlGrid::PlacePanel() {
    if (FPanel) FPanel->SetBoundsRect(PanelBounds(std::clamp(PanelIndex(), 0, PanelCount() - 1)));
}

void TDBCtrlGrid::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    TDataSet* dataSet = ActiveDataSet();
    if (dataSet && !dataSet->IsEmpty()) {
        info.nMin = 1;
        info.nMax = dataSet->RecordCount();
        info.nPage = 1;
        info.nPos = dataSet->RecNo();
    }
    SetScrollInfo(Handle(), ScrollBar(), info, true);
}

int TDBCtrlGrid::ScrollBar() const {
    return FOrientation == goVertical ? SB_VERT : SB_HORZ;
}

void TDBCtrlGrid::MoveBy(int distance) {
    if (TDataSet* dataSet = ActiveDataSet()) dataSet->MoveBy(distance);
}

void TDBCtrlGrid::MoveToPanel(int index) {
    if (index >= 0 && index < FDataLink->RecordCount()) MoveBy(index - PanelIndex());
}

void TDBCtrlGrid::Scroll(int code) {
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet) return;
    // A line of panels across the direction the grid scrolls.
    int line = FOrientation == goVertical ? FColCount : FRowCount;
    switch (code) {
    case SB_LINEUP: return MoveBy(-line);
    case SB_LINEDOWN: return MoveBy(line);
    case SB_PAGEUP: return MoveBy(-PanelCount());
    case SB_PAGEDOWN: return MoveBy(PanelCount());
    case SB_TOP: return dataSet->First();
    case SB_BOTTOM: return dataSet->Last();
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), ScrollBar(), info);
        return dataSet->SetRecNo(info.nTrackPos);
    }
    default: return;
    }
}

void TDBCtrlGrid::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (FPanel) FPanel->Invalidate();
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if ((m.Msg == WM_VSCROLL) != (FOrientation == goVertical)) break;
        return GuardBoundary(this, [&] { Scroll(int(LOWORD(m.WParam))); });
    case WM_MOUSEWHEEL: {
        // A notch away from the user goes a line of panels back, as the scroll bar's arrow would.
        int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA;
        GuardBoundary(this, [&] {
            for (int i = 0; i < std::abs(notches); ++i)
                Scroll(notches > 0 ? SB_LINEUP : SB_LINEDOWN);
        });
        m.Result = 1;
        return;
    }
    case CM_CHILDKEY: {
        // A key typed into a control of the live panel: the grid's keys are the grid's.
        auto* sender = reinterpret_cast<TWinControl*>(m.LParam);
        bool caretKeysTaken = sender && (sender->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS);
        // A key whose action failed was still the grid's: the control does not get it as well.
        bool taken = true;
        GuardBoundary(this, [&] { taken = GridKey(WORD(m.WParam), KeyboardShiftState(), caretKeysTaken); });
        if (taken) {
            m.Result = 1;
            return;
        }
        break;
    }
    }
    TCustomControl::WndProc(m);
}

void TDBCtrlGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // Only the left button chooses a record: a right click opens the popup menu on the current one.
    if (button == mbLeft) {
        if (CanFocus()) SetFocus();
        MoveToPanel(PanelAt({x, y}));
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TDBCtrlGrid::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key && GridKey(key, shift, false)) key = 0;
}

bool TDBCtrlGrid::GridKey(WORD key, TShiftState shift, bool caretKeysTaken) {
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet) return false;
    bool ctrl = shift.Contains(ssCtrl);
    bool plain = !ctrl && !shift.Contains(ssShift) && !shift.Contains(ssAlt);
    bool caretKey = key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END;
    if (caretKey && caretKeysTaken) return false;
    switch (key) {
    case VK_UP: MoveBy(-StepDown()); break;
    case VK_DOWN: MoveBy(StepDown()); break;
    case VK_LEFT: MoveBy(-StepRight()); break;
    case VK_RIGHT: MoveBy(StepRight()); break;
    case VK_PRIOR: MoveBy(-PanelCount()); break;
    case VK_NEXT: MoveBy(PanelCount()); break;
    case VK_HOME: dataSet->First(); break;
    case VK_END: dataSet->Last(); break;
    case VK_INSERT:
        if (!plain) return false;
        if (FAllowInsert && dataSet->CanModify()) dataSet->Insert();
        break;
    case VK_DELETE:
        if (!ctrl) return false;
        if (FAllowDelete && dataSet->CanModify() && !dataSet->IsEmpty()) dataSet->Delete();
        break;
    default: return false;
    }
    return true;
}

void TDBCtrlGrid::Paint() {
    TDC& dc = *Canvas()->Handle();
    dc.FillRect(TRect{0, 0, Width(), Height()}, TBrushDesc::SolidColor(Color()));
    int records = FDataLink->RecordCount();
    int active = PanelIndex();
    for (int i = 0; i < PanelCount(); ++i) {
        if (i == active && records > 0) continue; // the live panel shows it
        TRect r = PanelBounds(i);
        TDCStateSaver saver(dc);
        dc.OffsetViewportOrg(r.Left, r.Top);
        dc.IntersectClipRect({0, 0, r.Width(), r.Height()});
        FillPanel(dc, {r.Width(), r.Height()}, Color(), FPanelBorder);
        if (i >= records) continue;
        if (OnPaintPanel) OnPaintPanel(this, i);
        PaintPanelCopy(dc, i);
    }
}

void TDBCtrlGrid::PaintPanelCopy(TDC& dc, int index) {
    int active = PanelIndex();
    FDataLink->SetActiveRecord(index);
    for (int i = 0; i < FPanel->ControlCount(); ++i) {
        TControl* c = FPanel->Controls(i);
        if (!c->Visible()) continue;
        TRect bounds = c->BoundsRect();
        TDCStateSaver saver(dc);
        dc.IntersectClipRect(bounds);
        dc.OffsetViewportOrg(bounds.Left, bounds.Top);
        c->SetControlState(c->ControlState() + TControlState{csPaintCopy});
        GuardBoundary(c, [&] { c->Perform(WM_PAINT, WPARAM(&dc), 0); });
        c->SetControlState(c->ControlState() - TControlState{csPaintCopy});
    }
    FDataLink->SetActiveRecord(active);
}
