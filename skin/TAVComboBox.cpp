#include "skin/TAVComboBox.h"

#include "classlib/Bitmap.h"
#include "classlib/ControlCanvas.h"
#include "classlib/TextAlignment.h"
#include "platform/Painting.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <algorithm>
#include <array>

namespace {

// The bitmap that stands for the drop button in the styles that draw it from a picture; none for the others.
const char* ButtonPictureName(TtavUIStyle style) {
    switch (style) {
    case TtavUIStyle::MacOS:
        return "MACOS_COMBOBOX_BUTTON";
    case TtavUIStyle::WinXP:
        return "WINXP_COMBOBOX_BUTTON";
    default:
        return nullptr;
    }
}
} // namespace

TtavCustomComboBox::TtavCustomComboBox(TComponent* owner) : TCustomComboBox(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBorderWidth(0);
}

TtavCustomComboBox::~TtavCustomComboBox() {
    UnhookListWindow();
}

void TtavCustomComboBox::PublishProperties(TPublisher<TtavCustomComboBox>& p) {
    p.Component("FileTheme", &TtavCustomComboBox::FileTheme, &TtavCustomComboBox::SetFileTheme)
        .Enum("UIStyle", &TtavCustomComboBox::UIStyle, &TtavCustomComboBox::SetUIStyle, TtavUIStyle::DeepBlue)
        .Color("BorderColor", &TtavCustomComboBox::BorderColor, &TtavCustomComboBox::SetBorderColor, clBlack)
        .Color("ButtonColor", &TtavCustomComboBox::ButtonColor, &TtavCustomComboBox::SetButtonColor,
               clBtnFace)
        .Color("ArrowColor", &TtavCustomComboBox::ArrowColor, &TtavCustomComboBox::SetArrowColor, clBlack);
}

void TtavCustomComboBox::AfterConstruction() {
    TCustomComboBox::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavCustomComboBox::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    FArrowColor = clBlack;
    TtavUIStyle effective;
    if (ResolveFileThemeStyle(FFileTheme, value, effective)) {
        FBorderColor = FFileTheme->GetThemeColor(tavkey::ControlBorderColor);
        FButtonColor = FFileTheme->GetThemeColor(tavkey::FormBackgroundColor);
    } else {
        FBorderColor = GetBuiltinThemeColor(effective, tavkey::ControlBorderColor);
        FButtonColor = GetBuiltinThemeColor(effective, tavkey::FormBackgroundColor);
    }
    Invalidate();
}

void TtavCustomComboBox::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavCustomComboBox::SetBorderColor(TColor value) {
    FBorderColor = value;
    Invalidate();
}

void TtavCustomComboBox::SetButtonColor(TColor value) {
    FButtonColor = value;
    Invalidate();
}

void TtavCustomComboBox::SetArrowColor(TColor value) {
    FArrowColor = value;
    Invalidate();
}

void TtavCustomComboBox::SetEnabled(bool value) {
    TCustomComboBox::SetEnabled(value);
    Invalidate();
}

void TtavCustomComboBox::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation != opRemove || component != FFileTheme) return;
    FFileTheme = nullptr;
    SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavCustomComboBox::CreateHandleDone() {
    TCustomComboBox::CreateHandleDone();
    PlaceEditPart();
}

void TtavCustomComboBox::WndProc(TMessage& m) {
    TCustomComboBox::WndProc(m);
    if (m.Msg == WM_SIZE || m.Msg == CM_FONTCHANGED) PlaceEditPart();
}

// The platform puts the edit part against the frame; in the flat box its line sits in the middle, a little
// in from the left, as combo boxes usually show it.
void TtavCustomComboBox::PlaceEditPart() {
    TComboEdit* edit = EditPart();
    if (!edit || !HandleAllocated() || Style() == csSimple || IsWin95BuildFlag()) return;
    const TRect client = ::GetClientRect(Handle());
    const int lineHeight = MeasureText(Font(), "Wg", {}, DT_SINGLELINE).Height();
    const int top = std::max(1, (client.Height() - lineHeight) / 2);
    const int left = client.Left + 3;
    edit->SetBounds(left, top, std::max(ComboBoxInfo().rcButton.Left - 1 - left, 0),
                    std::max(client.Height() - 2 * top, 0));
}

void TtavCustomComboBox::CloseUp() {
    auto alive = AliveMark();
    TCustomComboBox::CloseUp();
    // The border drawn round the list is gone with the list; the parent paints what it covered.
    if (!alive.expired() && Parent()) Parent()->Repaint();
}

void TtavCustomComboBox::PaintWindow(HDC dc) {
    TCustomComboBox::PaintWindow(dc);
    if (IsWin95BuildFlag()) return;
    TControlCanvas canvas(this);
    canvas.PaintOn(dc, [&] { PaintComboFrame(canvas); });
}

void TtavCustomComboBox::PaintComboFrame(TCanvas& canvas) {
    if (Style() == csSimple) return;
    const TComboBoxInfo info = ComboBoxInfo();
    const TRect client = ::GetClientRect(Handle());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(FBorderColor);
    canvas.FrameRect(client);
    canvas.Brush()->SetColor(Color());
    canvas.FrameRect(client.Inflated(-1, -1));

    if (info.hwndList != FHookedList) HookListWindow(info.hwndList);
    if (DroppedDown() && info.hwndList) PaintDroppedListBorder(info.hwndList);

    const TRect& button = info.rcButton;
    if (const char* picture = ButtonPictureName(FUIStyle)) {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(picture);
        canvas.StretchDraw(button, &bitmap);
    } else {
        canvas.Brush()->SetColor(FButtonColor);
        canvas.FillRect(button);
        canvas.Pen()->SetColor(FBorderColor);
        canvas.MoveTo(button.Left, button.Top - 1);
        canvas.LineTo(button.Left, button.Bottom + 1);
    }
    if (FUIStyle != TtavUIStyle::WinXP)
        DrawComboButtonArrow(canvas, button.Left + button.Width() / 2 - 3, button.Height() / 2);
}

void TtavCustomComboBox::HookListWindow(HWND list) {
    UnhookListWindow();
    if (!list) return;
    FHookedList = list;
    FListProc = SetWindowProc(list, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallWindowProc(FListProc, hwnd, msg, wParam, lParam);
        if ((msg == WM_NCPAINT || msg == WM_PAINT) && DroppedDown()) PaintDroppedListBorder(hwnd);
        return result;
    });
}

void TtavCustomComboBox::UnhookListWindow() {
    if (FHookedList && IsWindow(FHookedList)) SetWindowProc(FHookedList, FListProc);
    FHookedList = nullptr;
    FListProc = nullptr;
}

// The list is a window of its own: its border is drawn on it, in the combo's border colour.
void TtavCustomComboBox::PaintDroppedListBorder(HWND list) {
    TWindowDC dc(list, true);
    if (!dc) return;
    const TRect window = GetWindowRect(list);
    dc->FrameRect({0, 0, window.Width(), window.Height()}, TBrushDesc::SolidColor(FBorderColor));
}

void TtavCustomComboBox::DrawComboButtonArrow(TCanvas& canvas, int x, int y) {
    auto triangle = [&](int left, int top, TColor color) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(color);
        canvas.Pen()->SetColor(color);
        const std::array<TPoint, 3> points{TPoint{left, top}, TPoint{left + 6, top},
                                           TPoint{left + 3, top + 3}};
        canvas.Polygon(points);
    };
    if (!Enabled()) {
        triangle(x + 1, y + 1, clWhite);
        triangle(x, y, clGray);
        return;
    }
    triangle(x, y, FArrowColor);
}
