#include "skin/TAVMemo.h"

#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

TtavMemo::TtavMemo(TComponent* owner) : TCustomMemo(owner) {
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
        .Color("BorderColor", &TtavMemo::BorderColor, &TtavMemo::SetBorderColor, clBlack);
}

void TtavMemo::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavMemo::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    SetBorderColor(TtavThemeSource(FFileTheme, value).Color(tavkey::ControlBorderColor));
}

void TtavMemo::SetBorderColor(TColor value) {
    FBorderColor = value;
    Repaint();
}

void TtavMemo::Notification(TComponent* component, TOperation operation) {
    TCustomMemo::Notification(component, operation);
    if (operation != opRemove || !component || component != FFileTheme) return;
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
    switch (m.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    // The native scroll bars repaint alone when the view scrolls: the frame goes back over their edge.
    case WM_NCPAINT: PaintFrame(); break;
    }
}
