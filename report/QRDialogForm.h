#pragma once
#include "classlib/Forms.h"

#include <functional>

// Called for a window of the preview (the preview itself, the printer set-up, the file name prompt) once its
// modal loop runs with it shown: tests answer or close it from here so that nothing blocks.
using TQRDialogShownHook = std::function<void(TCustomForm& form)>;
TQRDialogShownHook SetQRDialogShownHook(TQRDialogShownHook hook); // returns the previous hook

// The preview's windows: built in code, and told to the hook when shown.
class TQRDialogForm : public TForm {
    VMR_CLASS(TQRDialogForm, TForm)

  protected:
    explicit TQRDialogForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
    void VisibleChanged() override;
    void WndProc(TMessage& message) override;
};
