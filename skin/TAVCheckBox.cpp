#include "skin/TAVCheckBox.h"

#include "classlib/Bitmap.h"
#include "classlib/TextAlignment.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <algorithm>

TtavCheckBox::TtavCheckBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 93, 17);
    // The second press of a double click arrives as an ordinary press, so it toggles again.
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
    SetTabStop(true);
    FUIStyle = GetOwnerFormStyle(owner);
}

void TtavCheckBox::PublishProperties(TPublisher<TtavCheckBox>& p) {
    p.Enum("UIStyle", &TtavCheckBox::UIStyle, &TtavCheckBox::SetUIStyle, TtavUIStyle::DeepBlue)
        .Component("FileTheme", &TtavCheckBox::FileTheme, &TtavCheckBox::SetFileTheme)
        .Boolean("AutoSize", &TtavCheckBox::AutoSize, &TtavCheckBox::SetAutoSize, true)
        .Boolean("Checked", &TtavCheckBox::Checked, &TtavCheckBox::SetChecked, false)
        .String("Caption", &TtavCheckBox::Caption, &TtavCheckBox::SetCaption)
        .Enum("State", &TtavCheckBox::State, &TtavCheckBox::SetState, cbUnchecked)
        .Boolean("Transparent", &TtavCheckBox::Transparent, &TtavCheckBox::SetTransparent, false);
}

void TtavCheckBox::SetChecked(bool value) {
    if (FChecked == value) return;
    FChecked = value;
    Repaint();
    NotifyCheckedChange();
}

void TtavCheckBox::SetAutoSize(bool value) {
    FAutoSize = value;
    Repaint();
}

void TtavCheckBox::SetTransparent(bool value) {
    FTransparent = value;
    Repaint();
}

void TtavCheckBox::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    Repaint();
}

void TtavCheckBox::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavCheckBox::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    Repaint();
}

void TtavCheckBox::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component && component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(TtavUIStyle::DeepBlue);
    }
}

bool TtavCheckBox::NeedsFocusRect() {
    return TabStop() && Focused();
}

void TtavCheckBox::NotifyCheckedChange() {
    if (!ComponentState().Contains(csLoading) && OnClick) OnClick(this);
}

void TtavCheckBox::ToggleChecked() {
    BeforeToggle();
    SetChecked(!FChecked);
}

void TtavCheckBox::Click() {
    if (CanFocus()) SetFocus();
    ToggleChecked();
}

// ---- messages --------------------------------------------------------------------------------------------

void TtavCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: // the paint covers every pixel from its buffer
        m.Result = 1;
        return;
    case CM_FONTCHANGED:
        Repaint();
        return;
    case CM_DIALOGCHAR:
        return DialogChar(m);
    case WM_KEYUP: {
        auto alive = AliveMark();
        TCustomControl::WndProc(m); // OnKeyUp may take the key away, or free the check box
        if (!alive.expired()) ToggleByKey(WORD(m.WParam));
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(m);
        Repaint();
        return;
    }
    TCustomControl::WndProc(m);
}

void TtavCheckBox::ToggleByKey(WORD key) {
    if (!KeyToggleAllowed() || (key != VK_SPACE && key != VK_RETURN)) return;
    if (!Focused() || !Enabled()) return;
    Repaint();
    Click();
}

void TtavCheckBox::DialogChar(TMessage& m) {
    TCustomControl::WndProc(m);
    if (!IsAccel(char32_t(m.WParam), Caption()) || !Enabled()) {
        m.Result = 0;
        return;
    }
    Click();
    m.Result = 1;
}

// ---- painting --------------------------------------------------------------------------------------------

int TtavCheckBox::StateFrame() const {
    if (Enabled()) return FChecked ? 1 : 2;
    return FChecked ? 3 : 4;
}

void TtavCheckBox::LoadStateImage(TBitmap& image) const {
    TtavUIStyle style;
    if (ResolveFileThemeStyle(FFileTheme, FUIStyle, style))
        FFileTheme->GetThemeImageFrame(StateImageKey(), &image, 4, StateFrame());
    else
        GetBuiltinThemeImage(style, StateImageKey(), &image, 4, StateFrame());
}

void TtavCheckBox::PaintBackground(TCanvas& canvas) {
    if (FTransparent) {
        if (Parent() && InheritsFromClassNamed(*Parent(), "TTabSheet"))
            PaintBackgroundBehindParent(&canvas, this);
        else
            PaintParentBackground(&canvas, this);
        return;
    }
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
}

void TtavCheckBox::Paint() {
    TBitmap buffer;
    TBitmap image;
    image.SetTransparent(StateImageTransparent());
    TCanvas& canvas = *buffer.Canvas();
    canvas.SetFont(Font());
    LoadStateImage(image);

    const int textHeight = canvas.TextHeight("W");
    if (FAutoSize) {
        const int height = std::max(textHeight + 2, image.Height()) + 4;
        SetBounds(Left(), Top(), image.Width() + canvas.TextWidth(Caption()) + 8, height);
    }
    buffer.SetSize(Width(), Height());
    PaintBackground(canvas);
    canvas.Draw(1, (ClientHeight() - image.Height()) / 2, &image);

    canvas.Brush()->SetStyle(bsClear);
    const int textX = image.Width() + 4;
    const int textY = (ClientHeight() - textHeight) / 2;
    TRect textRect{textX, textY, Width(), Height()};
    canvas.Handle()->DrawText(Caption(), textRect, DT_SINGLELINE | DT_LEFT | DT_TOP);
    if (NeedsFocusRect()) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.DrawFocusRect({textX - 1, textY, Width(), textY + textHeight + 2});
    }
    Canvas()->Draw(0, 0, &buffer);
}
