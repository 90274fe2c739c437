#include "skin/TAVToolBar.h"

#include "classlib/ImageList.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

namespace {
constexpr int DropDownPart = 14; // the arrow part at the right of a drop-down button
} // namespace

void TtavToolBar::PublishProperties(TPublisher<TtavToolBar>& p) {
    p.Component("FileTheme", &TtavToolBar::FileTheme, &TtavToolBar::SetFileTheme)
        .Enum("UIStyle", &TtavToolBar::UIStyle, &TtavToolBar::SetUIStyle, TtavUIStyle::DeepBlue)
        .Color("ButtonColor", &TtavToolBar::ButtonColor, &TtavToolBar::SetButtonColor, clBtnFace)
        .Color("ButtonBorderColor", &TtavToolBar::ButtonBorderColor, &TtavToolBar::SetButtonBorderColor, clBlack)
        .Color("ButtonDownColor", &TtavToolBar::ButtonDownColor, &TtavToolBar::SetButtonDownColor, clBtnFace);
}

void TtavToolBar::AfterConstruction() {
    TToolBar::AfterConstruction();
    // A stream that assigns the events replaces these handlers.
    if (!ComponentState().Contains(csDesigning))
        OnCustomDrawButton = [this](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& draw) {
            PaintSkinnedButton(sender, button, state, draw);
        };
    OnCustomDraw = [this](TToolBar* sender, const TRect& rect, bool& draw) {
        PaintToolBarBackground(sender, rect, draw);
    };
    SetFlat(true);
    SetTransparent(false);
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

TColor TtavToolBar::StyleColor(int key) const {
    TtavUIStyle effective;
    if (ResolveFileThemeStyle(FFileTheme, FUIStyle, effective)) return FFileTheme->GetThemeColor(key);
    return GetBuiltinThemeColor(effective, key);
}

void TtavToolBar::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    FButtonBorderColor = StyleColor(tavkey::ToolBarButtonBorderColor);
    FButtonColor = StyleColor(tavkey::ToolBarButtonBackgroundColor);
    FButtonDownColor = StyleColor(tavkey::ToolBarButtonDownBackgroundColor);
    // The stored style decides: FromThemeFile is never see-through.
    SetTransparent(value == TtavUIStyle::MacOS || value == TtavUIStyle::Protein);
    SetEdgeInner(esNone);
    SetEdgeOuter(esNone);
    Repaint();
}

void TtavToolBar::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavToolBar::SetButtonColor(TColor value) {
    FButtonColor = value;
    Repaint();
}

void TtavToolBar::SetButtonBorderColor(TColor value) {
    FButtonBorderColor = value;
    Repaint();
}

void TtavToolBar::SetButtonDownColor(TColor value) {
    FButtonDownColor = value;
    Repaint();
}

void TtavToolBar::Notification(TComponent* component, TOperation operation) {
    TToolBar::Notification(component, operation);
    if (operation != opRemove || !component || component != FFileTheme) return;
    FFileTheme = nullptr;
    SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavToolBar::PaintToolBarBackground(TToolBar*, const TRect&, bool&) {
    if (Transparent()) ::PaintParentBackground(Canvas(), this);
}

void TtavToolBar::PaintSkinnedButton(TToolBar*, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
    const TRect r = button->BoundsRect();
    const bool dropDown = button->Style() == tbsDropDown;
    TImageList* images = HotImages() ? HotImages() : Images();
    TCanvas* canvas = Canvas();
    if (state.Contains(cdsHot)) {
        if (state.Contains(cdsSelected))
            DrawButtonFaceDown(canvas, r, dropDown, button->Caption(), button->ImageIndex(), images);
        else
            DrawButtonFace(canvas, r, dropDown, button->Caption(), button->ImageIndex(), images);
        if (dropDown) DrawDropDownArrow(canvas, r);
        defaultDraw = false;
    } else if (state.Contains(cdsSelected) || state.Contains(cdsChecked)) {
        DrawButtonFace(canvas, r, dropDown, button->Caption(), button->ImageIndex(), images);
        defaultDraw = false;
    }
}

void TtavToolBar::DrawDropDownArrow(TCanvas* canvas, const TRect& r) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->Pen()->SetColor(clBlack);
    const int m = r.Top + (r.Bottom - r.Top) / 2;
    const TPoint outer[] = {{r.Right - 9, m}, {r.Right - 5, m}, {r.Right - 7, m + 2}};
    const TPoint inner[] = {{r.Right - 8, m}, {r.Right - 6, m}, {r.Right - 7, m + 1}};
    canvas->Polygon(outer);
    canvas->Polygon(inner);
    canvas->MoveTo(r.Right - DropDownPart, r.Top);
    canvas->LineTo(r.Right - DropDownPart, r.Bottom);
}

void TtavToolBar::DrawButtonFace(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text,
                                 int imageIndex, TImageList* images) {
    PaintFace(canvas, r, dropDown, text, imageIndex, images, FButtonColor, false);
}

void TtavToolBar::DrawButtonFaceDown(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text,
                                     int imageIndex, TImageList* images) {
    PaintFace(canvas, r, dropDown, text, imageIndex, images, FButtonDownColor, true);
}

void TtavToolBar::PaintFace(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text,
                            int imageIndex, TImageList* images, TColor face, bool down) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(face);
    canvas->Pen()->SetColor(FButtonBorderColor);
    canvas->Rectangle(r);
    const int textRight = dropDown ? r.Right - DropDownPart : r.Right;
    const int textX = r.Left + (textRight - r.Left - canvas->TextWidth(text)) / 2;
    const int shift = down ? 1 : 0;
    int textY = r.Top + 4 + shift;
    if (images) {
        const int imageX = r.Left + (r.Right - r.Left - images->Width()) / 2 - 1 + shift;
        if (imageIndex >= 0 && imageIndex < images->Count())
            images->Draw(canvas, imageX, r.Top + 2 + shift, imageIndex, true);
        textY = r.Top + images->Height() + 4;
    }
    if (!ShowCaptions()) return;
    // An opaque caption in the face colour.
    canvas->Brush()->SetColor(face);
    canvas->TextOut(textX, textY, text);
}
