#include "skin/TAVMemo.h"

#include "skin/TAVPublic.h"
#include "skin/TAVScrollBar.h"
#include "skin/TAVThemeSource.h"

TtavMemo::TtavMemo(TComponent* owner)
    : TCustomMemo(owner),
      FBars(*this, {.HideThinBars = true, .SetNativeBars = [this](TScrollStyle style) { SetScrollBars(style); }}) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBorderStyle(bsNone);
    // The ring the frame is painted on.
    SetBorderWidth(2);
}

void TtavMemo::AfterConstruction() {
    TCustomMemo::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavMemo::PublishProperties(TPublisher<TtavMemo>& p) {
    p.Component("FileTheme", &TtavMemo::FileTheme, &TtavMemo::SetFileTheme)
        .Enum("UIStyle", &TtavMemo::UIStyle, &TtavMemo::SetUIStyle, TtavUIStyle::DeepBlue)
        .Color("BorderColor", &TtavMemo::BorderColor, &TtavMemo::SetBorderColor, clBlack)
        .Component("VScrollBar", &TtavMemo::VScrollBar, &TtavMemo::SetVScrollBar)
        .Component("HScrollBar", &TtavMemo::HScrollBar, &TtavMemo::SetHScrollBar);
}

void TtavMemo::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    FBars.ApplyTheme(value);
    SetUIStyle(FUIStyle);
}

void TtavMemo::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    const TtavThemeSource source(FFileTheme, value);
    FBorderColor = source.Color(tavkey::ControlBorderColor);
    FBars.ApplyStyle(source.EffectiveStyle());
    Repaint();
}

void TtavMemo::SetBorderColor(TColor value) {
    FBorderColor = value;
    Repaint();
}

void TtavMemo::Notification(TComponent* component, TOperation operation) {
    TCustomMemo::Notification(component, operation);
    if (operation != opRemove) return;
    FBars.Removed(component);
    if (!component || component != FFileTheme) return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying)) SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavMemo::PaintFrame() {
    PaintControlFrame(this, FBorderColor, Color(), true);
}

void TtavMemo::WndProc(TMessage& m) {
    auto alive = AliveMark();
    TCustomMemo::WndProc(m);
    if (alive.expired()) return;
    FBars.AfterMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    // The native scroll bars repaint alone when the view scrolls: the frame goes back over their edge.
    case WM_NCPAINT: PaintFrame(); break;
    }
}
