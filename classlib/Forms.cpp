#include "classlib/Forms.h"

#include "classlib/Application.h"
#include "classlib/LayoutReader.h"
#include "classlib/MDIClient.h"
#include "classlib/Menus.h"
#include "classlib/ToolBar.h"
#include "classlib/Screen.h"
#include "classlib/SysUtils.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Resources.h"
#include "platform/Services.h"

#include <algorithm>

namespace {
// Bars and the controls placed for them settle within a few rounds; more would only repeat themselves.
constexpr int MaxScrollPasses = 3;
} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    TControl::SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    Destroying();
    MergeMenu(false);
    GuardBoundary(this, [this] { DoDestroy(); });
    FActiveControl = FFocusedControl = nullptr;
    if (Screen) Screen->RemoveForm(this);
    if (Application) Application->FormDestroying(this);
    DestroyHandle();
    DestroyComponents();
}

void TCustomForm::PublishProperties(TPublisher<TCustomForm>& p) {
    p.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
        .Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
        .Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
             TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
        .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
        .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
        .Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Boolean("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
        .Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch, 96)
        .Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight, 13)
        .Boolean("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder, false)
        .Boolean("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, true)
        .Component("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

std::string TCustomForm::LayoutName() const {
    const TClassInfo& info = ClassInfo();
    if (&info == &TForm::StaticClassInfo() || &info == &TCustomForm::StaticClassInfo()) return {};
    return UpperCase(info.Name());
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    if (Application) Application->FormConstructing(this);
    if (Screen) Screen->AddForm(this);
    if (std::string name = LayoutName(); !name.empty()) ReadLayoutResource(*this, name);
    GuardBoundary(this, [this] { DoCreate(); });
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    RebuildMenuBar(); // the menu's items are read by now
    UpdateMenuMerge();
}

// ---- window ----------------------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    params.WndParent = nullptr;
    params.ExStyle = 0;
    DWORD icons = 0;
    if (FBorderIcons.Contains(biSystemMenu)) {
        icons |= WS_SYSMENU;
        if (FBorderIcons.Contains(biMinimize)) icons |= WS_MINIMIZEBOX;
        if (FBorderIcons.Contains(biMaximize)) icons |= WS_MAXIMIZEBOX;
    }
    switch (FBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER | icons; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME | icons; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | (icons & WS_SYSMENU);
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION | (icons & WS_SYSMENU);
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME | (icons & WS_SYSMENU);
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    if (FFormStyle == fsMDIChild) MDIChildParams(params);
}

void TCustomForm::MDIChildParams(TCreateParams& params) {
    TCustomForm* parent = Application ? Application->MainForm() : nullptr;
    if (!parent || parent == this || parent->FormStyle() != fsMDIForm || !parent->Handle() || !parent->ClientHandle())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    params.Style = (params.Style & ~DWORD(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = parent->ClientHandle();
}

void TCustomForm::CreateHandleDone() {
    if (FFormStyle == fsMDIForm && !IsWindow(FClientHandle)) {
        FClientHandle = CreateMDIClient(Handle());
        Realign();
    }
    UpdateScrollRange(); // a window made again has no bars yet
    if (Visible()) {
        PlaceOnFirstShow();
        UpdateWindowState();
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (FBorderIcons == value) return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (FFormStyle == value) return;
    FFormStyle = value;
    if (HandleAllocated())
        SetWindowPos(Handle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (FWindowState == value) return;
    FWindowState = value;
    if (Visible() && HandleAllocated()) UpdateWindowState();
}

void TCustomForm::UpdateWindowState() {
    static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), commands[int(FWindowState)]);
}

void TCustomForm::PlaceOnFirstShow() {
    if (FPlaced) return;
    FPlaced = true;
    TRect area = Screen ? Screen->WorkAreaRect() : TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    auto centreOn = [this](const TRect& r) {
        SetBounds(r.Left + (r.Width() - Width()) / 2, r.Top + (r.Height() - Height()) / 2, Width(), Height());
    };
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: centreOn(area); break;
    case poMainFormCenter: centreOn(mainForm && mainForm != this ? mainForm->BoundsRect() : area); break;
    case poOwnerFormCenter: centreOn(ownerForm ? ownerForm->BoundsRect() : area); break;
    case poDefault:
    case poDefaultPosOnly: SetBounds(area.Left + 22, area.Top + 22, Width(), Height()); break;
    default: break;
    }
}

void TCustomForm::AlignControls(TControl* changed, TRect& rect) {
    TWinControl::AlignControls(changed, rect);
    // The bars took room or gave it back: the controls placed again in the new client area may reach less
    // far, or further (anchored ones, or a control that fits itself to the form on WM_SIZE).
    for (int pass = 0; pass < MaxScrollPasses && FAutoScroll && FScroller.UpdateRange(); ++pass) {
        rect = ClientRect();
        AdjustClientRect(rect);
        TWinControl::AlignControls(changed, rect);
    }
    if (IsWindow(FClientHandle)) MoveWindow(FClientHandle, rect.Left, rect.Top, rect.Width(), rect.Height());
}

// ---- AutoScroll ------------------------------------------------------------------------------------------

void TCustomForm::SetAutoScroll(bool value) {
    if (FAutoScroll == value) return;
    FAutoScroll = value;
    if (value)
        UpdateScrollRange();
    else if (FScroller.Reset())
        Realign();
}

void TCustomForm::ControlBoundsChanged(TControl*) {
    UpdateScrollRange();
}

void TCustomForm::UpdateScrollRange() {
    // Alignment and scrolling move controls themselves and range the bars afterwards.
    if (!FAutoScroll || FScroller.Moving() || FAligning || AlignDeferred()) return;
    if (FScroller.UpdateRange()) Realign();
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!IsWindow(FClientHandle)) return nullptr;
    auto* active = reinterpret_cast<HWND>(SendMessage(FClientHandle, WM_MDIGETACTIVE));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

void TCustomForm::ActivateMDIChild() {
    if (FFormStyle == fsMDIChild && HandleAllocated() && Visible())
        SendMessage(GetParent(Handle()), WM_MDIACTIVATE, WPARAM(Handle()));
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
    if (FFormStyle == fsMDIChild) return ActivateMDIChild();
    if (HandleAllocated()) {
        BringWindowToTop(Handle());
        SetActiveWindow(Handle());
    }
}

void TCustomForm::VisibleChanged() {
    if (Visible()) {
        DoShow();
        HWND hwnd = Handle(); // made now when it was not yet
        PlaceOnFirstShow();
        if (Visible() && IsWindow(hwnd)) UpdateWindowState();
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
        DoHide();
    }
    UpdateMenuMerge();
}

void TCustomForm::PaintWindow(HDC dc) {
    FCanvas.PaintOn(dc, [this] {
        FCanvas.Font()->Assign(Font());
        Paint();
    });
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---- events ----------------------------------------------------------------------------------------------

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}
void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ---- menu ----------------------------------------------------------------------------------------------

void TCustomForm::SetMenu(TMainMenu* value) {
    if (FMenu == value) return;
    MergeMenu(false);
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (value) value->FreeNotification(this);
    RebuildMenuBar();
    UpdateMenuMerge();
}

// An MDI child's menu, and a menu that merges by itself on another form than the main form, show in the main
// form's bar only.
bool TCustomForm::MenuShownByMainForm() const {
    const TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return FMenu && main && main != this && (FFormStyle == fsMDIChild || FMenu->AutoMerge());
}

void TCustomForm::UpdateMenuMerge() {
    MergeMenu(MenuMerges());
}

bool TCustomForm::MenuMerges() const {
    if (!FMenu || !Visible() || ComponentState().Contains(csDestroying)) return false;
    if (FFormStyle != fsMDIChild) return FMenu->AutoMerge();
    const TCustomForm* parent = Application ? Application->MainForm() : nullptr;
    return parent && parent->ActiveMDIChild() == this;
}

void TCustomForm::MergeMenu(bool merge) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!FMenu || !main || main == this || !main->FMenu) return;
    if (merge)
        main->FMenu->Merge(FMenu);
    else
        main->FMenu->Unmerge(FMenu);
}

void TCustomForm::RebuildMenuBar() {
    if (!FMenu || MenuShownByMainForm()) {
        delete FMenuBar;
        return;
    }
    if (ComponentState().Contains(csDestroying)) return;
    if (!FMenuBar) {
        FMenuBar = NewComponent<TToolBar>(this);
        FMenuBar->SetFlat(true);
        FMenuBar->SetEdgeBorders({});
        FMenuBar->SetShowCaptions(true);
        FMenuBar->SetHeight(FMenuBar->ButtonHeight());
        FMenuBar->SetParent(this);
    }
    FMenuBar->SetBiDiMode(FMenu->BiDiMode());
    FMenuBar->ShowMenuItems(FMenu, FMenuBar);
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    return FMenu && FMenu->IsShortCut(key, shift);
}

void TCustomForm::MenuChanged(TMessage& m) {
    if (FMenu && m.LParam == LPARAM(FMenu)) {
        UpdateMenuMerge();
        RebuildMenuBar();
    }
    // A child's rebuilt bar may take others along: each is told only while it lives.
    std::vector<std::pair<TControl*, std::weak_ptr<const bool>>> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.emplace_back(Controls(i), Controls(i)->AliveMark());
    for (const auto& [child, alive] : children)
        if (!alive.expired()) child->Perform(m.Msg, m.WParam, m.LParam);
}

// ---- closing -----------------------------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    auto alive = AliveMark();
    if (!CloseQuery() || alive.expired()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (alive.expired() || action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    if (action == caFree) Release();
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture()) ReleaseCapture();
    std::vector<HWND> disabled;
    for (HWND top : GetTopLevelWindows())
        if (top != Handle() && IsWindowVisible(top) && IsWindowEnabled(top)) {
            EnableWindow(top, false);
            disabled.push_back(top);
        }
    auto alive = AliveMark();
    FModal = true;
    FModalResult = mrNone;
    auto restore = [&] {
        for (HWND top : disabled)
            EnableWindow(top, true);
    };
    try {
        Show();
        bool ended = RunModalLoop([this, &alive] {
            if (alive.expired() || (Application && Application->Terminated())) return true;
            if (FModalResult == mrNone) return false;
            GuardBoundary(this, [this] { CloseModal(); });
            return FModalResult != mrNone;
        });
        if (alive.expired()) {
            restore();
            return mrCancel;
        }
        if (!ended && FModalResult == mrNone) FModalResult = mrCancel;
    } catch (...) {
        restore();
        if (!alive.expired()) FModal = false;
        throw;
    }
    restore();
    FModal = false;
    Hide();
    return FModalResult;
}

void TCustomForm::Release() {
    PostMessage(Handle(), CM_RELEASE);
}

// ---- focus -------------------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (FActiveControl == control) return;
    if (control && (control == this || control->ParentForm() != this))
        throw EInvalidOperation("Invalid active control '" + control->Name() + "' for form '" + Name() + "'");
    if (ComponentState().Contains(csLoading) || !FActive || !control) {
        FActiveControl = control;
        return;
    }
    control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (!FActive) {
        FActiveControl = control;
        if (Visible() && HandleAllocated()) SetActiveWindow(Handle());
        if (!FActive) return;
    }
    ::SetFocus(control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (FFocusedControl == control) return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    FActiveControl = control;
    if (control && !FActive) ActivateMDIChild();
    if (Screen && Screen->ActiveForm() != this && FActive) Screen->SetActiveForm(this);
    auto alive = AliveMark();
    // Exits from the control that had the focus up to the parent it shares with the new one.
    for (TWinControl* c = old; c && !c->ContainsControl(control); c = c->Parent()) {
        auto mark = c->AliveMark();
        c->Perform(CM_EXIT);
        if (alive.expired()) return false;
        if (mark.expired()) break;
    }
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
        entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
        (*it)->Perform(CM_ENTER);
        if (alive.expired()) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
    return FFocusedControl == control;
}

void TCustomForm::ControlHidden(TWinControl* control) {
    if (FActiveControl && control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FFocusedControl && control->ContainsControl(FFocusedControl)) {
        FFocusedControl = nullptr;
        if (FActive && HandleAllocated()) ::SetFocus(Handle());
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FMenuBar) FMenuBar = nullptr;
    if (component == FMenu) SetMenu(nullptr);
    if (component == FActiveControl) FActiveControl = nullptr;
    if (component == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::WindowActivated(bool active) {
    if (FActive == active) return;
    FActive = active;
    if (!active) {
        Deactivate();
        return;
    }
    if (Screen) Screen->SetActiveForm(this);
    auto alive = AliveMark();
    Activate();
    if (alive.expired() || !FActive) return;
    TWinControl* target = FActiveControl;
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    if (target && target->CanFocus())
        ::SetFocus(target->Handle());
    else
        ::SetFocus(Handle());
}

// ---- messages ----------------------------------------------------------------------------------------------

void TCustomForm::DialogKey(TMessage& m) {
    if (GetKeyState(VK_MENU) >= 0) {
        switch (m.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                m.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN,
                                                     false);
                m.Result = 1;
                return;
            }
            break;
        }
    }
    Broadcast(m);
}

void TCustomForm::WndProc(TMessage& m) {
    if (Application && Application->MainForm() == this && Application->CallMainWindowHooks(m)) return;
    switch (m.Msg) {
    case CM_DIALOGKEY: return DialogKey(m);
    case CM_RELEASE: delete this; return;
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE:
        WindowActivated(LOWORD(m.WParam) != WA_INACTIVE);
        return;
    case WM_SETFOCUS:
        // The form's own window took the focus: hand it to the active control.
        if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus()) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        break;
    case WM_MDIACTIVATE:
        if (FFormStyle == fsMDIChild) {
            auto alive = AliveMark();
            WindowActivated(HWND(m.LParam) == Handle());
            if (!alive.expired()) UpdateMenuMerge();
        }
        break;
    case CM_MENUCHANGED: return MenuChanged(m);
    case WM_NCLBUTTONDOWN:
        ActivateMDIChild();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The form's own bars; a scroll bar control's notification names its window in LParam.
        if (!FAutoScroll || m.LParam) break;
        FScroller.Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, m.WParam);
        return;
    case WM_MOUSEWHEEL:
        if (FAutoScroll && FScroller.Wheel(GET_WHEEL_DELTA_WPARAM(m.WParam))) {
            m.Result = 1;
            return;
        }
        break;
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
        else if (m.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
        else if (Visible()) FWindowState = wsNormal;
        break;
    case WM_GETMINMAXINFO: {
        DefaultHandler(m);
        auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
        const TSizeConstraints& c = *Constraints();
        if (c.MinWidth() > 0) info->ptMinTrackSize.X = c.MinWidth();
        if (c.MinHeight() > 0) info->ptMinTrackSize.Y = c.MinHeight();
        if (c.MaxWidth() > 0) info->ptMaxTrackSize.X = c.MaxWidth();
        if (c.MaxHeight() > 0) info->ptMaxTrackSize.Y = c.MaxHeight();
        return;
    }
    }
    TWinControl::WndProc(m);
}
