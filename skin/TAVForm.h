#pragma once
#include "classlib/CustomControl.h"
#include "skin/TAVThemes.h"

// The skinned window frame of a form, a control among the form's children. Here it carries only the style
// that new controls of its form start with; the frame itself comes with the window system.
class TtavForm : public TCustomControl {
    VMR_CLASS(TtavForm, TCustomControl)

public:
    static void PublishProperties(TPublisher<TtavForm>& p);

    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value) { FUIStyle = value; }

protected:
    explicit TtavForm(TComponent* owner) : TCustomControl(owner) {}

private:
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
};
