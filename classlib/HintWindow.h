#pragma once
#include "classlib/CustomControl.h"

// The small window that shows a control's Hint beside the mouse, without taking the activation.
class THintWindow : public TCustomControl {
    VMR_CLASS(THintWindow, TCustomControl)

  public:
    // Shows the text with its top-left corner at a screen point.
    void ActivateHint(TPoint screen, const std::string& text);
    void ReleaseHint();

  protected:
    explicit THintWindow(TComponent* owner);
    void CreateParams(TCreateParams& params) override;
    bool IsTopLevel() const override { return true; }
    void Paint() override;
};
