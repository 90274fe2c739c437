#include "classlib/HintWindow.h"

#include "platform/Window.h"

namespace {
constexpr int HintMargin = 3;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
}

void THintWindow::ActivateHint(TPoint screen, const std::string& text) {
    SetText(text);
    Canvas()->Font()->Assign(Font());
    TSize extent = Canvas()->TextExtent(text);
    Canvas()->FreeHandle();
    SetBounds(screen.X, screen.Y, extent.cx + 2 * HintMargin + 2, extent.cy + 2 * HintMargin);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    SetVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHint() {
    SetVisible(false);
}

void THintWindow::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(HintMargin, HintMargin, Text());
}
