#include "report/QRDialogForm.h"

#include "platform/MessageLoop.h"

#include <utility>

namespace {
constexpr UINT QRM_SHOWN = WM_APP + 0x104;

TQRDialogShownHook& ShownHook() {
    static TQRDialogShownHook hook;
    return hook;
}
} // namespace

TQRDialogShownHook SetQRDialogShownHook(TQRDialogShownHook hook) {
    return std::exchange(ShownHook(), std::move(hook));
}

// Posted, so that the hook runs from the loop after the window is on screen and placed.
void TQRDialogForm::VisibleChanged() {
    TForm::VisibleChanged();
    if (Visible() && ShownHook()) PostMessage(Handle(), QRM_SHOWN);
}

void TQRDialogForm::WndProc(TMessage& m) {
    if (m.Msg == QRM_SHOWN) {
        if (const TQRDialogShownHook hook = ShownHook()) hook(*this);
        return;
    }
    TForm::WndProc(m);
}
