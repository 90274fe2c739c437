#include "skin/TAVAttachedScrollBars.h"

#include "classlib/WinControl.h"
#include "platform/MessageLoop.h"
#include "platform/ScrollBar.h"
#include "skin/TAVScrollBar.h"

#include <cstdlib>

namespace {
// The list-box messages other code may send a list; the platform's numbers.
enum : UINT {
    LB_ADDSTRING = 0x0180,
    LB_INSERTSTRING = 0x0181,
    LB_DELETESTRING = 0x0182,
    LB_SETCOUNT = 0x01A7,
    WM_DELETEITEM = 0x002D,
};

// The scroll code and the position as the message carries them: 16 bits of each.
WPARAM ThumbPositionWParam(int position) {
    return MAKEWPARAM(SB_THUMBPOSITION, unsigned(position) & 0xFFFF);
}
} // namespace

TtavAttachedScrollBars::TtavAttachedScrollBars(TWinControl& control, TtavAttachedBarRules rules)
    : FControl(control), FRules(std::move(rules)) {}

TtavAttachedScrollBars::~TtavAttachedScrollBars() {
    // The bars belong to their own owner and may outlive the control.
    ForEachBar([](TtavScrollBar* bar) {
        bar->OnChange = nullptr;
        bar->SetWheelTarget(nullptr);
    });
}

void TtavAttachedScrollBars::ForEachBar(const std::function<void(TtavScrollBar*)>& action) const {
    if (FVert) action(FVert);
    if (FHorz) action(FHorz);
}

void TtavAttachedScrollBars::Release(TtavScrollBar* bar) {
    bar->OnChange = nullptr;
    bar->SetWheelTarget(nullptr);
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
}

void TtavAttachedScrollBars::Attach(int which, TtavScrollBar* value) {
    TtavScrollBar*& slot = which == SB_HORZ ? FHorz : FVert;
    if (slot == value) return;
    if (slot) {
        Release(slot);
        if (slot != Bar(which == SB_HORZ ? SB_VERT : SB_HORZ)) FControl.RemoveFreeNotification(slot);
    }
    slot = value;
    if (!value) return UpdateNativeScrollBars();
    FControl.FreeNotification(value);
    value->SetOrientation(which == SB_HORZ ? tavHorizontal : tavVertical);
    value->OnChange = [this, which](TObject*) { BarChanged(which); };
    value->SetWheelTarget(&FControl);
    value->BringToFront();
    UpdateNativeScrollBars();
    PlaceScrollBars();
}

void TtavAttachedScrollBars::ApplyStyle(TtavUIStyle resolvedStyle) {
    ForEachBar([resolvedStyle](TtavScrollBar* bar) { bar->SetUIStyle(resolvedStyle); });
}

void TtavAttachedScrollBars::ApplyTheme(TtavFileTheme* theme) {
    ForEachBar([theme](TtavScrollBar* bar) { bar->SetFileTheme(theme); });
}

void TtavAttachedScrollBars::Removed(TComponent* component) {
    if (!component) return;
    if (component == FHorz) FHorz = nullptr;
    else if (component == FVert) FVert = nullptr;
    else return;
    if (!FControl.ComponentState().Contains(csDestroying)) UpdateNativeScrollBars();
}

void TtavAttachedScrollBars::UpdateNativeScrollBars() {
    if (!FRules.SetNativeBars) return;
    if (FHorz && FVert) FRules.SetNativeBars(ssBoth);
    else if (FVert) FRules.SetNativeBars(ssVertical);
    else if (FHorz) FRules.SetNativeBars(ssHorizontal);
    else FRules.SetNativeBars(ssNone);
}

void TtavAttachedScrollBars::PlaceScrollBars() {
    const TWinControl& c = FControl;
    if (FHorz) {
        if (FRules.HideThinBars) FHorz->SetVisible(FHorz->Height() <= c.Height());
        FHorz->SetLeft(c.Left() + 1);
        FHorz->SetTop(c.Top() + c.Height() - FHorz->Height() - 2);
        FHorz->SetWidth(c.Width() - 2 - (FVert ? FVert->Width() : 0));
    }
    if (FVert) {
        if (FRules.HideThinBars) FVert->SetVisible(FVert->Width() <= c.Width());
        FVert->SetLeft(c.Left() + c.Width() - FVert->Width() - 2);
        FVert->SetTop(c.Top() + 1);
        FVert->SetHeight(c.Height() - 2 - (FHorz ? FHorz->Height() : 0));
    }
    SyncScrollBars();
}

void TtavAttachedScrollBars::SyncScrollBars() {
    if (FScrollingFromBar || !FControl.HandleAllocated()) return;
    FSyncing = true;
    if (FHorz) SyncBar(SB_HORZ, FHorz);
    if (FVert) SyncBar(SB_VERT, FVert);
    FSyncing = false;
}

void TtavAttachedScrollBars::SyncBar(int which, TtavScrollBar* target) {
    const HWND handle = FControl.Handle();
    SCROLLBARINFO barInfo;
    GetScrollBarInfo(handle, which == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, barInfo);
    // Exact comparisons: only a bar that is wholly hidden or wholly unavailable counts.
    const bool unused = barInfo.rgstate[0] == STATE_SYSTEM_INVISIBLE || barInfo.rgstate[0] == STATE_SYSTEM_UNAVAILABLE;
    target->SetLineButton(unused ? 0 : std::abs(barInfo.xyThumbBottom - barInfo.xyThumbTop));
    if (!unused && which == SB_HORZ) target->SetSmallChange(uint16_t(3 * target->PageSize()));
    target->SetEnabled(!unused);
    if (FRules.HideWholeBar)
        target->SetVisible(!unused);
    else
        target->SetSliderVisible(!unused);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(handle, which, info);
    target->SetMax(info.nMax - int(info.nPage) + 1);
    target->SetMin(info.nMin);
    target->SetPosition(info.nPos);
}

void TtavAttachedScrollBars::BarChanged(int which) {
    if (FSyncing) return;
    TtavScrollBar* bar = Bar(which);
    if (!bar) return;
    auto alive = FControl.AliveMark();
    if (FRules.GuardBarScroll) FScrollingFromBar = true;
    SendMessage(FControl.Handle(), which == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, ThumbPositionWParam(bar->Position()),
                0);
    if (alive.expired()) return;
    FControl.Invalidate();
    FScrollingFromBar = false;
}

void TtavAttachedScrollBars::AfterMessage(const TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (FRules.TextMessages) SyncScrollBars();
        break;
    case WM_CREATE:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_SETCOUNT:
    case WM_DELETEITEM:
        if (!FRules.TextMessages) SyncScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case CM_ENABLEDCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL: SyncScrollBars(); break;
    case WM_LBUTTONDOWN:
        FMouseDown = true;
        SyncScrollBars();
        break;
    case WM_LBUTTONUP: FMouseDown = false; break;
    case WM_MOUSEMOVE:
        if (FMouseDown) SyncScrollBars();
        break;
    case WM_SIZE:
    case WM_MOVE: PlaceScrollBars(); break;
    }
}
