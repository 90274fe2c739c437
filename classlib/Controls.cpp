#include "classlib/Controls.h"

#include "classlib/Application.h"
#include "classlib/Menus.h"
#include "classlib/WinControl.h"
#include "platform/Input.h"
#include "platform/Painting.h"

#include <algorithm>

namespace {
TControl* gCaptureControl = nullptr;
TControl* gMouseControl = nullptr;
TPopupPresenter gPopupPresenter;

bool IsDown(int vk) {
    return GetKeyState(vk) < 0;
}
} // namespace

const TEnumInfo& EnumTypeInfo(TCursor*) {
    static const TEnumInfo info(
        "TCursor", std::vector<std::pair<std::string, int64_t>>{
                       {"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},       {"crCross", -3},
                       {"crIBeam", -4},      {"crSizeNESW", -6}, {"crSizeNS", -7},      {"crSizeNWSE", -8},
                       {"crSizeWE", -9},     {"crUpArrow", -10}, {"crHourGlass", -11},  {"crDrag", -12},
                       {"crNoDrop", -13},    {"crHSplit", -14},  {"crVSplit", -15},     {"crMultiDrag", -16},
                       {"crSQLWait", -17},   {"crNo", -18},      {"crAppStart", -19},   {"crHelp", -20},
                       {"crHandPoint", -21}, {"crSizeAll", -22}});
    return info;
}

TPopupPresenter SetPopupPresenter(TPopupPresenter presenter) {
    std::swap(gPopupPresenter, presenter);
    return presenter;
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (IsDown(VK_MENU)) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (IsDown(VK_SHIFT)) s.Include(ssShift);
    if (IsDown(VK_CONTROL)) s.Include(ssCtrl);
    if (IsDown(VK_MENU)) s.Include(ssAlt);
    return s;
}

TControl* GetCaptureControl() {
    return gCaptureControl;
}

TControl* GetMouseControl() {
    return gMouseControl;
}

void UpdateMouseControl(TPoint screen) {
    TControl* target = nullptr;
    if (TWinControl* win = TWinControl::FindControl(WindowFromPoint(screen))) {
        TControl* inner = win->ControlAtPos(win->ScreenToClient(screen), false);
        target = inner ? inner : win;
    }
    if (target == gMouseControl) return;
    TControl* old = gMouseControl;
    gMouseControl = target;
    if (Application) Application->HintMouseMoved();
    if (old) old->Perform(CM_MOUSELEAVE);
    // The leave handler may have moved the mouse control on, or freed the new one.
    if (target && gMouseControl == target) target->Perform(CM_MOUSEENTER);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.OnChange = [this](TObject*) { FontChanged(); };
    FConstraints.OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TControl::~TControl() {
    Destroying();
    if (gMouseControl == this) {
        gMouseControl = nullptr;
        if (Application) Application->CancelHint();
    }
    if (gCaptureControl == this) {
        gCaptureControl = nullptr;
        ReleaseCapture();
    }
    if (FParent) FParent->RemoveControl(this);
}

void TControl::PublishProperties(TPublisher<TControl>& p) {
    p.Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", &TControl::Align, &TControl::SetAlign, alNone)
        .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, TAnchors{akLeft, akTop})
        .Persistent("Constraints", &TControl::Constraints, &TControl::SetConstraints)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false)
        .Persistent("Font", &TControl::Font, &TControl::SetFont)
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Enum("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
        .String("Hint", &TControl::Hint, &TControl::SetHint)
        .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false)
        .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Component("Action", &TControl::Action, &TControl::SetAction)
        .Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight)
        .Boolean("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnResize", &TControl::OnResize)
        .Event("OnContextPopup", &TControl::OnContextPopup)
        .Event("OnCanResize", &TControl::OnCanResize)
        .Event("OnConstrainedResize", &TControl::OnConstrainedResize);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    TWndMethod proc = WindowProc; // a handler may replace it, or free the control, while it runs
    proc(m);
    return m.Result;
}

void TControl::Dispatch(TMessage& message) {
    DefaultHandler(message);
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: return MouseButtonDown(m, mbLeft, false);
    case WM_RBUTTONDOWN: return MouseButtonDown(m, mbRight, false);
    case WM_MBUTTONDOWN: return MouseButtonDown(m, mbMiddle, false);
    case WM_LBUTTONDBLCLK: return MouseButtonDown(m, mbLeft, true);
    case WM_RBUTTONDBLCLK: return MouseButtonDown(m, mbRight, true);
    case WM_MBUTTONDBLCLK: return MouseButtonDown(m, mbMiddle, true);
    case WM_LBUTTONUP: return MouseButtonUp(m, mbLeft);
    case WM_RBUTTONUP: return MouseButtonUp(m, mbRight);
    case WM_MBUTTONUP: return MouseButtonUp(m, mbMiddle);
    case WM_MOUSEMOVE:
        MouseMove(MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        return;
    case WM_CONTEXTMENU: return ContextMenu(m);
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        FControlState.Exclude(csClicked);
        if (gCaptureControl == this) gCaptureControl = nullptr;
        break;
    case CM_MOUSEENTER: MouseEnter(); return;
    case CM_MOUSELEAVE: MouseLeave(); return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont) TakeParentFont();
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) TakeParentColor();
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint) TakeParentShowHint();
        return;
    case CM_PARENTBIDIMODECHANGED:
        if (FParentBiDiMode) TakeParentBiDiMode();
        return;
    case CM_BIDIMODECHANGED: OwnedMenusTakeBiDiMode(); break;
    case CM_VISIBLECHANGED: VisibleChanged(); return;
    }
    Dispatch(m);
}

void TControl::MouseButtonDown(TMessage& m, TMouseButton button, bool doubleClick) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    TShiftState shift = MouseShiftState(m.WParam);
    auto alive = AliveMark();
    if (button == mbLeft) {
        if (doubleClick) {
            if (FControlStyle.Contains(csClickEvents)) DblClick();
        } else if (FControlStyle.Contains(csClickEvents)) {
            FControlState.Include(csClicked);
        }
    }
    if (doubleClick) shift.Include(ssDouble);
    if (!alive.expired()) MouseDown(button, shift, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::MouseButtonUp(TMessage& m, TMouseButton button) {
    TPoint p = LParamToPoint(m.LParam);
    // Taken before the capture goes, since losing the capture forgets the press.
    bool clicked = button == mbLeft && FControlState.Contains(csClicked);
    if (clicked) FControlState.Exclude(csClicked);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    auto alive = AliveMark();
    if (clicked && TRect{0, 0, FWidth, FHeight}.Contains(p)) Click();
    if (!alive.expired()) MouseUp(button, MouseShiftState(m.WParam), p.X, p.Y);
    // A right release asks for the context menu: a window through its default handling.
    if (alive.expired() || button != mbRight) return;
    if (dynamic_cast<TWinControl*>(this))
        Dispatch(m);
    else
        Perform(WM_CONTEXTMENU, 0, PointToLParam(ClientToScreen(p)));
}

void TControl::ContextMenu(TMessage& m) {
    TPoint screen = LParamToPoint(m.LParam);
    bool fromKeyboard = screen.X == -1 && screen.Y == -1;
    if (fromKeyboard) screen = ClientToScreen({FWidth / 2, FHeight / 2});
    bool handled = false;
    DoContextPopup(ScreenToClient(screen), handled);
    if (handled) {
        m.Result = 1;
        return;
    }
    if (FPopupMenu && gPopupPresenter) {
        gPopupPresenter(this, FPopupMenu, screen);
        m.Result = 1;
        return;
    }
    // Unanswered, the request goes to the parent.
    if (dynamic_cast<TWinControl*>(this))
        Dispatch(m);
    else if (FParent)
        m.Result = FParent->Perform(m.Msg, m.WParam, m.LParam);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (FActionLink && !ComponentState().Contains(csDesigning))
        FActionLink->Execute(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::Resize() {
    if (OnResize) OnResize(this);
}

bool TControl::MouseCapture() const {
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool value) {
    if (MouseCapture() == value) return;
    if (!value) {
        gCaptureControl = nullptr;
        ReleaseCapture();
        return;
    }
    auto* win = dynamic_cast<TWinControl*>(this);
    if (!win) win = FParent;
    if (!win) return;
    SetCapture(win->Handle());
    gCaptureControl = this;
}

void TControl::SetParent(TWinControl* parent) {
    if (FParent == parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent)
        c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    auto alive = AliveMark();
    if (!CheckNewSize(width, height) || alive.expired()) return;
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    TRect old = BoundsRect();
    bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged(old);
    if (!FAnchoring) UpdateAnchorRules();
    RequestAlign();
    if (resized && !alive.expired()) Resize();
}

// Asked on every SetBounds, a move too: the size may be refused (and the move with it) or changed, then it
// is held to the limits.
bool TControl::CheckNewSize(int& width, int& height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!CanResize(width, height)) return false;
    int minWidth = FConstraints.MinWidth(), minHeight = FConstraints.MinHeight();
    int maxWidth = FConstraints.MaxWidth(), maxHeight = FConstraints.MaxHeight();
    ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
    width = TSizeConstraints::Constrain(std::max(width, 0), minWidth, maxWidth);
    height = TSizeConstraints::Constrain(std::max(height, 0), minHeight, maxHeight);
    return true;
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
    bool resize = true;
    if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
    return resize;
}

void TControl::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {
    if (OnConstrainedResize) OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
}

void TControl::BoundsChanged(const TRect& old) {
    if (!FParent || !FParent->HandleAllocated()) return;
    InvalidateRect(FParent->Handle(), &old, true);
    Invalidate();
}

TRect TControl::ClientRect() {
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(int value) {
    SetWidth(FWidth - ClientWidth() + value);
}

void TControl::SetClientHeight(int value) {
    SetHeight(FHeight - ClientHeight() + value);
}

TPoint TControl::ClientOrigin() {
    if (!FParent) return {FLeft, FTop};
    return FParent->ClientOrigin() + TPoint{FLeft, FTop};
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value) return;
    TAlign old = FAlign;
    FAlign = value;
    if (old == alNone) UpdateAnchorRules();
    if (FParent) FParent->AlignControl(this);
}

void TControl::SetAnchors(TAnchors value) {
    if (FAnchors == value) return;
    FAnchors = value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!FParent || ComponentState().Contains(csLoading)) return;
    FAnchorBounds = BoundsRect();
    TRect client = FParent->ClientRect();
    FAnchorParentSize = {client.Width(), client.Height()};
}

TRect TControl::AnchoredBounds(TSize parentClient) const {
    TRect r = FAnchorBounds;
    auto follow = [](int& low, int& high, bool lowAnchor, bool highAnchor, int delta) {
        if (highAnchor && lowAnchor) {
            high += delta;
        } else if (highAnchor) {
            low += delta;
            high += delta;
        } else if (!lowAnchor) {
            // Neither edge anchored: the control keeps its size and its relative place.
            int shift = delta / 2;
            low += shift;
            high += shift;
        }
    };
    follow(r.Left, r.Right, FAnchors.Contains(akLeft), FAnchors.Contains(akRight),
           parentClient.cx - FAnchorParentSize.cx);
    follow(r.Top, r.Bottom, FAnchors.Contains(akTop), FAnchors.Contains(akBottom),
           parentClient.cy - FAnchorParentSize.cy);
    return r;
}

void TControl::RequestAlign() {
    if (!FParent) return;
    if (FAlign != alNone)
        FParent->AlignControl(this);
    else
        FParent->ControlBoundsChanged(this);
}

void TControl::ConstraintsChanged() {
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetVisible(bool value) {
    if (FVisible == value) return;
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value);
    if (FParent) FParent->AlignControl(this);
}

void TControl::VisibleChanged() {
    if (FParent && FParent->HandleAllocated()) {
        TRect r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, true);
    }
}

void TControl::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    if (FColor == value && !FParentColor) return;
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (FParentColor == value) return;
    FParentColor = value;
    if (value) TakeParentColor();
}

void TControl::TakeParentColor() {
    if (!FParent) return;
    TColor color = FParent->Color();
    bool changed = FColor != color;
    FColor = color;
    if (changed) Perform(CM_COLORCHANGED);
}

void TControl::FontChanged() {
    if (!FTakingParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (FParentFont == value) return;
    FParentFont = value;
    if (value) TakeParentFont();
}

void TControl::TakeParentFont() {
    if (!FParent) return;
    FTakingParentFont = true;
    try {
        FFont.Assign(FParent->Font());
    } catch (...) {
        FTakingParentFont = false;
        throw;
    }
    FTakingParentFont = false;
}

void TControl::SetText(const std::string& value) {
    if (FText == value) return;
    FText = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (FCursor == value) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value) {
    if (FShowHint == value && !FParentShowHint) return;
    FShowHint = value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (FParentShowHint == value) return;
    FParentShowHint = value;
    if (value) TakeParentShowHint();
}

void TControl::TakeParentShowHint() {
    if (!FParent) return;
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
    if (FBiDiMode == value && !FParentBiDiMode) return;
    FBiDiMode = value;
    FParentBiDiMode = false;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
    if (FParentBiDiMode == value) return;
    FParentBiDiMode = value;
    if (value) TakeParentBiDiMode();
}

void TControl::TakeParentBiDiMode() {
    if (!FParent || FParent->FBiDiMode == FBiDiMode) return;
    FBiDiMode = FParent->FBiDiMode;
    Perform(CM_BIDIMODECHANGED);
}

// The menus the control owns follow its BiDiMode as its child controls do. A menu's change may rebuild the
// owner's menu bar, whose buttons the owner owns too: the menus are listed first.
void TControl::OwnedMenusTakeBiDiMode() {
    std::vector<TMenu*> menus;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TMenu*>(Components(i))) menus.push_back(menu);
    for (TMenu* menu : menus)
        menu->ParentBiDiModeChanged();
}

void TControl::SetAction(TBasicAction* value) {
    if (Action() == value) return;
    if (RelinkAction(*this, FActionLink, value, [this] { return std::make_unique<TControlActionLink>(this); }))
        ActionChange(value, value->ComponentState().Contains(csLoading));
}

void TControl::ActionChange(TBasicAction* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || Hint().empty()) SetHint(action->Hint());
    if (!checkDefaults || Visible()) SetVisible(action->Visible());
}

void TControlActionLink::Change() {
    FClient->ActionChange(Action(), false);
}

void TControl::SetPopupMenu(TComponent* value) {
    if (FPopupMenu == value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink && component == FActionLink->Action()) FActionLink.reset();
}

void TControl::Invalidate() {
    if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
    TRect r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::SetZOrder(bool topmost) {
    if (!FParent) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    list.insert(topmost ? list.end() : list.begin(), this);
    Invalidate();
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent) {
        if (FParentColor) TakeParentColor();
        if (FParentFont) TakeParentFont();
        if (FParentShowHint) TakeParentShowHint();
        if (FParentBiDiMode) TakeParentBiDiMode();
    }
    if (TBasicAction* action = Action()) ActionChange(action, true);
    UpdateAnchorRules();
}
