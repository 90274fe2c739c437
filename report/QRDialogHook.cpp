#include "report/QRDialogHook.h"

#include <utility>

namespace {
TQRDialogShownHook& ShownHook() {
    static TQRDialogShownHook hook;
    return hook;
}
} // namespace

TQRDialogShownHook SetQRDialogShownHook(TQRDialogShownHook hook) {
    return std::exchange(ShownHook(), std::move(hook));
}

void NotifyQRDialogShown(TCustomForm& form) {
    if (const TQRDialogShownHook hook = ShownHook()) hook(form);
}
