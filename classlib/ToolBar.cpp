#include "classlib/ToolBar.h"

#include "classlib/Frame3D.h"
#include "classlib/ImageList.h"
#include "classlib/Menus.h"
#include "platform/Input.h"
#include "classlib/TextAlignment.h"

#include <algorithm>
#include <memory>

namespace {
constexpr int DropDownWidth = 14; // the arrow part of a drop-down button
constexpr int SeparatorWidth = 8;
constexpr int CaptionPadding = 8;
} // namespace

// ---- TToolButton ------------------------------------------------------------------------------------------

void TToolButton::PublishProperties(TPublisher<TToolButton>& p) {
    p.String("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
        .Enum("Style", &TToolButton::Style, &TToolButton::SetStyle, tbsButton)
        .Boolean("Down", &TToolButton::Down, &TToolButton::SetDown, false)
        .Boolean("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped, false)
        .Boolean("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp, false)
        .Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
        .Boolean("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize, false)
        .Boolean("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap, false);
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    // A quick second click is a second press, not a double click.
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
    if (FToolBar) FToolBar->RemoveButton(this);
    SetMenuItem(nullptr);
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FToolBar) FToolBar->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (auto* bar = dynamic_cast<TToolBar*>(parent)) bar->InsertButton(this);
}

void TToolButton::Changed() {
    if (FToolBar) FToolBar->ArrangeButtons();
    Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    if (IsSeparator()) SetWidth(SeparatorWidth);
    Changed();
}

void TToolButton::ReleaseGroup() {
    if (!FToolBar) return;
    // The group is the run of grouped check buttons around this one.
    auto& buttons = FToolBar->FButtons;
    auto self = std::find(buttons.begin(), buttons.end(), this);
    auto inGroup = [](TToolButton* b) { return b->FGrouped && b->FStyle == tbsCheck; };
    for (auto it = self; it != buttons.begin() && inGroup(*(it - 1)); --it) (*(it - 1))->SetDown(false);
    for (auto it = self + 1; it != buttons.end() && inGroup(*it); ++it) (*it)->SetDown(false);
}

void TToolButton::SetDown(bool value) {
    if (FDown == value) return;
    if (value && FGrouped && FStyle == tbsCheck) ReleaseGroup();
    FDown = value;
    Invalidate();
}

void TToolButton::SetImageIndex(int value) {
    if (FImageIndex == value) return;
    FImageIndex = value;
    Changed();
}

void TToolButton::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    FAutoSize = value;
    Changed();
}

void TToolButton::SetWrap(bool value) {
    if (FWrap == value) return;
    FWrap = value;
    Changed();
}

TCustomDrawState TToolButton::DrawState() const {
    TCustomDrawState state;
    if (!Enabled()) state.Include(cdsDisabled);
    if (FDown) state.Include(cdsChecked);
    if (FPressed || (FToolBar && FToolBar->FMenuButton == this)) state.Include(cdsSelected);
    // Hot tracking belongs to the flat look, as on the platform.
    if (FToolBar && FToolBar->FHotButton == this && FToolBar->Flat() && Enabled()) state.Include(cdsHot);
    return state;
}

void TToolButton::SetPressed(bool value) {
    if (FPressed == value) return;
    FPressed = value;
    Invalidate();
}

void TToolButton::Click() {
    if (FStyle == tbsCheck) {
        // A grouped button stays down when clicked again unless the group may be all up.
        if (!FDown) SetDown(true);
        else if (!FGrouped || FAllowAllUp) SetDown(false);
    }
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled() && FMenuItem && FToolBar) {
        // The menu takes the mouse from here; the release belongs to it, so no click follows.
        SetMouseCapture(false);
        SetControlState(ControlState() - TControlState{csClicked});
        FToolBar->DropDownMenu(this);
        return;
    }
    if (button == mbLeft && Enabled() && !IsSeparator()) SetPressed(true);
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TToolButton::MouseMove(TShiftState shift, int x, int y) {
    if (MouseCapture() && shift.Contains(ssLeft) && Enabled() && !IsSeparator())
        SetPressed(TRect{0, 0, Width(), Height()}.Contains(TPoint{x, y}));
    TGraphicControl::MouseMove(shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) SetPressed(false);
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FMenuItem) FMenuItem = nullptr;
}

void TToolButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (FToolBar && !IsSeparator()) FToolBar->SetHotButton(this);
        break;
    case CM_MOUSELEAVE:
        if (FToolBar && FToolBar->FHotButton == this) FToolBar->SetHotButton(nullptr);
        break;
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
        TGraphicControl::WndProc(m);
        return Changed();
    }
    TGraphicControl::WndProc(m);
}

// ---- TToolBar ---------------------------------------------------------------------------------------------

void TToolBar::PublishProperties(TPublisher<TToolBar>& p) {
    p.Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23)
        .Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22)
        .Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat, false)
        .Boolean("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent, false)
        .Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, false)
        .Boolean("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable, true)
        .Set("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders, TEdgeBorders{ebTop})
        .Enum("EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner, esRaised)
        .Enum("EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter, esLowered)
        .Component("Images", &TToolBar::Images, &TToolBar::SetImages)
        .Component("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages)
        .Event("OnCustomDraw", &TToolBar::OnCustomDraw)
        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque} - TControlStyle{csDoubleClicks});
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    for (TToolButton* button : FButtons) button->FToolBar = nullptr;
}

void TToolBar::InsertButton(TToolButton* button) {
    button->FToolBar = this;
    // Buttons read from a layout come in their order; one added in code goes before the first button that
    // does not lie left of it, so a new button at the left edge comes first.
    auto at = FButtons.end();
    if (!button->ComponentState().Contains(csLoading))
        at = std::find_if(FButtons.begin(), FButtons.end(),
                          [button](TToolButton* b) { return b->Left() >= button->Left(); });
    FButtons.insert(at, button);
    ArrangeButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    button->FToolBar = nullptr;
    std::erase(FButtons, button);
    if (FHotButton == button) FHotButton = nullptr;
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetHotButton(TToolButton* button) {
    if (FHotButton == button) return;
    if (FHotButton) FHotButton->Invalidate();
    FHotButton = button;
    if (button) button->Invalidate();
}

void TToolBar::SetOption(bool& field, bool value) {
    if (field == value) return;
    field = value;
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetFlat(bool value) { SetOption(FFlat, value); }
void TToolBar::SetTransparent(bool value) { SetOption(FTransparent, value); }
void TToolBar::SetShowCaptions(bool value) { SetOption(FShowCaptions, value); }
void TToolBar::SetWrapable(bool value) { SetOption(FWrapable, value); }

void TToolBar::SetButtonWidth(int value) {
    value = std::max(value, 0);
    if (FButtonWidth == value) return;
    FButtonWidth = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    value = std::max(value, 0);
    if (FButtonHeight == value) return;
    FButtonHeight = value;
    ArrangeButtons();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    if (FEdgeBorders == value) return;
    FEdgeBorders = value;
    Realign();
    Invalidate();
}

void TToolBar::SetEdgeInner(TEdgeStyle value) {
    if (FEdgeInner == value) return;
    FEdgeInner = value;
    Realign();
    Invalidate();
}

void TToolBar::SetEdgeOuter(TEdgeStyle value) {
    if (FEdgeOuter == value) return;
    FEdgeOuter = value;
    Realign();
    Invalidate();
}

void TToolBar::SetImageList(TImageList*& field, TImageList* value) {
    if (field == value) return;
    TImageList* other = &field == &FImages ? FHotImages : FImages;
    if (field && field != other) field->RemoveFreeNotification(this);
    field = value;
    if (value) value->FreeNotification(this);
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetImages(TImageList* value) { SetImageList(FImages, value); }
void TToolBar::SetHotImages(TImageList* value) { SetImageList(FHotImages, value); }

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FImages) SetImages(nullptr);
    if (component == FHotImages) SetHotImages(nullptr);
}

void TToolBar::CreateHandleDone() {
    TCustomControl::CreateHandleDone();
    ArrangeButtons();
}

void TToolBar::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int edge = (FEdgeOuter != esNone ? 1 : 0) + (FEdgeInner != esNone ? 1 : 0);
    if (FEdgeBorders.Contains(ebLeft)) rect.Left += edge;
    if (FEdgeBorders.Contains(ebTop)) rect.Top += edge;
    if (FEdgeBorders.Contains(ebRight)) rect.Right -= edge;
    if (FEdgeBorders.Contains(ebBottom)) rect.Bottom -= edge;
}

void TToolBar::AlignControls(TControl* changed, TRect& rect) {
    TCustomControl::AlignControls(changed, rect);
    ArrangeButtons();
}

int TToolBar::ButtonExtent(TToolButton* button) {
    if (button->IsSeparator()) return button->Width();
    int width = FButtonWidth;
    if (button->FAutoSize) {
        int image = FImages ? FImages->Width() : 0;
        int text = FShowCaptions ? MeasureText(Font(), button->Caption(), TRect{}, DT_SINGLELINE).Width() : 0;
        width = std::max(image, text) + CaptionPadding;
    }
    return button->FStyle == tbsDropDown ? width + DropDownWidth : width;
}

void TToolBar::ArrangeButtons() {
    // Without a window the client area is unknown; CreateHandleDone arranges the buttons.
    if (FArranging || !HandleAllocated()) return;
    FArranging = true;
    TRect area = ClientRect();
    AdjustClientRect(area);
    int x = area.Left, y = area.Top;
    for (TToolButton* button : FButtons) {
        if (!button->Visible()) continue;
        int width = ButtonExtent(button);
        if (FWrapable && x > area.Left && x + width > area.Right && !button->IsSeparator()) {
            x = area.Left;
            y += FButtonHeight;
        }
        // Right to left, the rows run from the right edge.
        const int left = UseRightToLeftAlignment() ? area.Left + area.Right - x - width : x;
        button->SetBounds(left, y, width, FButtonHeight);
        x += width;
        if (button->FWrap) {
            x = area.Left;
            y += FButtonHeight;
        }
    }
    FArranging = false;
}

void TToolBar::PaintParentBackground() {
    if (!Parent()) return;
    // The parent paints itself into this DC, shifted so that its pixels under the bar land here.
    TDC* dc = Canvas()->Handle();
    TDCStateSaver saved(*dc);
    dc->OffsetViewportOrg(-Left(), -Top());
    Parent()->Perform(WM_ERASEBKGND, WPARAM(dc));
    Parent()->Perform(WM_PAINT, WPARAM(dc));
}

void TToolBar::PaintEdges(TRect& rect) {
    TCanvas* canvas = Canvas();
    auto line = [&](TEdgeStyle style) {
        if (style == esNone) return;
        TColor topLeft = style == esRaised ? clBtnHighlight : clBtnShadow;
        TColor bottomRight = style == esRaised ? clBtnShadow : clBtnHighlight;
        auto side = [&](TEdgeBorder border, TColor color, TRect strip) {
            if (!FEdgeBorders.Contains(border)) return;
            canvas->Brush()->SetColor(color);
            canvas->FillRect(strip);
        };
        side(ebLeft, topLeft, TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
        side(ebTop, topLeft, TRect{rect.Left, rect.Top, rect.Right, rect.Top + 1});
        side(ebRight, bottomRight, TRect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        side(ebBottom, bottomRight, TRect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        if (FEdgeBorders.Contains(ebLeft)) ++rect.Left;
        if (FEdgeBorders.Contains(ebTop)) ++rect.Top;
        if (FEdgeBorders.Contains(ebRight)) --rect.Right;
        if (FEdgeBorders.Contains(ebBottom)) --rect.Bottom;
    };
    line(FEdgeOuter);
    line(FEdgeInner);
}

void TToolBar::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    if (FTransparent) {
        PaintParentBackground();
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    TRect inside = client;
    PaintEdges(inside);
    bool defaultDraw = true;
    if (OnCustomDraw) OnCustomDraw(this, client, defaultDraw);
    if (!defaultDraw) return;
    for (TToolButton* button : FButtons)
        if (button->Visible()) DrawButton(button);
}

void TToolBar::DrawButton(TToolButton* button) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    TCustomDrawState state = button->DrawState();
    bool defaultDraw = true;
    if (OnCustomDrawButton && !button->IsSeparator()) OnCustomDrawButton(this, button, state, defaultDraw);
    if (!defaultDraw) return;
    canvas->Font()->Assign(Font());
    DrawButtonFace(button, state);
    DrawButtonContent(button, state);
}

void TToolBar::DrawButtonFace(TToolButton* button, TCustomDrawState state) {
    TCanvas* canvas = Canvas();
    TRect r = button->BoundsRect();
    if (button->FStyle == tbsDivider) {
        int x = r.Left + r.Width() / 2 - 1;
        TRect line{x, r.Top + 2, x + 2, r.Bottom - 2};
        Frame3D(canvas, line, clBtnShadow, clBtnHighlight, 1);
        return;
    }
    if (button->IsSeparator()) return;
    bool sunken = state.Contains(cdsSelected) || state.Contains(cdsChecked);
    if (state.Contains(cdsChecked) && !state.Contains(cdsSelected)) {
        canvas->Brush()->SetColor(cl3DLight);
        canvas->FillRect(r);
    }
    if (FFlat) {
        if (sunken) Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        else if (state.Contains(cdsHot)) Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    } else if (sunken) {
        Frame3D(canvas, r, cl3DDkShadow, clBtnHighlight, 1);
        Frame3D(canvas, r, clBtnShadow, cl3DLight, 1);
    } else {
        Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
    }
    if (button->FStyle != tbsDropDown) return;
    // The arrow part: a divider line and a small black triangle pointing down.
    TRect bounds = button->BoundsRect();
    int split = bounds.Right - DropDownWidth;
    if (!FFlat || state.Contains(cdsHot) || sunken) {
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FillRect(TRect{split, bounds.Top + 2, split + 1, bounds.Bottom - 2});
    }
    int cx = split + DropDownWidth / 2, cy = bounds.Top + bounds.Height() / 2;
    canvas->Brush()->SetColor(button->Enabled() ? clBtnText : clGrayText);
    for (int i = 0; i < 3; ++i) canvas->FillRect(TRect{cx - 2 + i, cy - 1 + i, cx + 3 - i, cy + i});
}

void TToolBar::DrawButtonContent(TToolButton* button, TCustomDrawState state) {
    if (button->IsSeparator()) return;
    TCanvas* canvas = Canvas();
    TRect r = button->BoundsRect();
    if (button->FStyle == tbsDropDown) r.Right -= DropDownWidth;
    // A pressed button's content moves one pixel right and down.
    if (state.Contains(cdsSelected) || state.Contains(cdsChecked)) r = r.Offsetted(1, 1);
    bool enabled = !state.Contains(cdsDisabled);
    TImageList* images = state.Contains(cdsHot) && FHotImages ? FHotImages : FImages;
    bool hasImage = images && button->FImageIndex >= 0 && button->FImageIndex < images->Count();
    bool hasText = FShowCaptions && !button->Caption().empty();
    int imageHeight = hasImage ? images->Height() : 0;
    int textHeight = hasText ? MeasureText(Font(), button->Caption(), TRect{}, DT_SINGLELINE).Height() : 0;
    int top = r.Top + (r.Height() - imageHeight - textHeight - (hasImage && hasText ? 1 : 0)) / 2;
    if (hasImage) {
        images->Draw(canvas, r.Left + (r.Width() - images->Width()) / 2, top, button->FImageIndex, enabled);
        top += imageHeight + 1;
    }
    if (!hasText) return;
    TRect text{r.Left, top, r.Right, top + textHeight};
    canvas->Brush()->SetStyle(bsClear);
    TDC* dc = canvas->Handle();
    dc->SetTextColor(enabled ? Font()->Color() : clGrayText);
    dc->DrawText(button->Caption(), text, DT_SINGLELINE | DT_CENTER);
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: // Paint covers every pixel
        m.Result = 1;
        return;
    case CM_FONTCHANGED:
    case CM_BIDIMODECHANGED:
        TCustomControl::WndProc(m);
        return ArrangeButtons();
    case CM_MOUSELEAVE:
        SetHotButton(nullptr);
        break;
    case CM_DIALOGCHAR:
        // A bound button's accelerator drops its menu down.
        for (TToolButton* button : FButtons)
            if (button->FMenuItem && button->Visible() && button->Enabled() &&
                IsAccel(char32_t(m.WParam), button->Caption())) {
                m.Result = 1;
                return DropDownMenu(button);
            }
        break;
    }
    TCustomControl::WndProc(m);
}

TToolButton* TToolBar::NeighbourMenuButton(TToolButton* from, int step) const {
    std::vector<TToolButton*> bound;
    for (TToolButton* b : FButtons)
        if (b->FMenuItem && b->Visible() && b->Enabled()) bound.push_back(b);
    auto at = std::find(bound.begin(), bound.end(), from);
    if (at == bound.end()) return nullptr;
    int count = int(bound.size());
    return bound[size_t(((at - bound.begin()) + step + count) % count)];
}

TToolButton* TToolBar::MenuButtonAt(TPoint screen) {
    TPoint client = ScreenToClient(screen);
    for (TToolButton* b : FButtons)
        if (b->FMenuItem && b->Visible() && b->Enabled() && b->BoundsRect().Contains(client)) return b;
    return nullptr;
}

void TToolBar::DropDownMenu(TToolButton* button) {
    auto alive = AliveMark();
    TMenuBarExit exit;
    exit.Claims = [this, &button](TPoint screen) {
        TToolButton* other = MenuButtonAt(screen);
        return other && other != button;
    };
    while (button && DropDownOnce(button, exit) && !alive.expired() && exit.MovedOn)
        button = exit.Step ? NeighbourMenuButton(button, exit.Step) : MenuButtonAt(GetCursorPos());
}

// One drop-down; false when the item or the bar went away meanwhile.
bool TToolBar::DropDownOnce(TToolButton* button, TMenuBarExit& exit) {
    auto alive = AliveMark(), buttonAlive = button->AliveMark();
    unsigned command = button->FMenuItem->Command();
    button->FMenuItem->Click();
    TMenuItem* item = TMenuItem::FindByCommand(command);
    if (alive.expired() || buttonAlive.expired() || !item || item->Count() == 0) return false;

    // The sub-items lend themselves to a popup menu of the bar's own while it shows.
    std::unique_ptr<TPopupMenu> popup(NewComponent<TPopupMenu>(nullptr));
    if (TMenu* menu = item->GetParentMenu()) {
        popup->SetImages(menu->Images());
        popup->SetBiDiMode(menu->BiDiMode());
    }
    while (item->Count() > 0) {
        TMenuItem* child = item->Items(0);
        item->Remove(child);
        popup->Items()->Add(child);
    }
    FMenuButton = button;
    button->Invalidate();
    // A right-to-left menu hangs from the button's right edge.
    const bool rightToLeft = popup->UseRightToLeftAlignment();
    const TRect bounds = button->BoundsRect();
    TPoint below = ClientToScreen(TPoint{rightToLeft ? bounds.Right : bounds.Left, bounds.Bottom});
    TMenuItem* chosen = nullptr;
    try {
        chosen = TrackMenu(*popup, below, rightToLeft ? paRight : paLeft, exit);
    } catch (...) {
        HandleBoundaryException(this);
    }
    bool itemAlive = TMenuItem::FindByCommand(command) == item;
    while (popup->Items()->Count() > 0) {
        TMenuItem* child = popup->Items()->Items(0);
        popup->Items()->Remove(child);
        if (itemAlive) item->Add(child);
        else delete child;
    }
    PostMenuClick(chosen);
    if (alive.expired()) return false;
    FMenuButton = nullptr;
    if (!buttonAlive.expired()) button->Invalidate();
    return !buttonAlive.expired();
}

// ---- menu mode --------------------------------------------------------------------------------------------

void TToolButton::SetMenuItem(TMenuItem* value) {
    if (FMenuItem == value) return;
    if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
    FMenuItem = value;
    if (!value) return;
    value->FreeNotification(this);
    // The action first: what the item shows wins over what the action gives the button.
    SetAction(value->Action());
    SetCaption(value->Caption());
    SetDown(value->Checked());
    SetEnabled(value->Enabled());
    SetHint(value->Hint());
    SetImageIndex(value->ImageIndex());
    SetVisible(value->Visible());
}

void TToolBar::ShowMenuItems(TMenu* menu, TComponent* owner) {
    while (!FButtons.empty()) delete FButtons.back();
    if (!menu) return;
    // Each new button goes in front of the others: made from the last item to the first.
    TMenuItem* items = menu->Items();
    for (int i = items->Count() - 1; i >= 0; --i) {
        auto* button = NewComponent<TToolButton>(owner);
        button->SetParent(this);
        button->SetGrouped(true);
        button->SetMenuItem(items->Items(i));
        button->SetAutoSize(true);
    }
}
