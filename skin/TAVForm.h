#pragma once
#include "classlib/Component.h"
#include "skin/TAVThemes.h"

// The skinned window frame of a form. Here it carries only the style that new controls of its form start
// with; the frame itself comes with the window system.
class TtavForm : public TComponent {
    VMR_CLASS(TtavForm, TComponent)

public:
    static void PublishProperties(TPublisher<TtavForm>& p);

    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value) { FUIStyle = value; }

protected:
    explicit TtavForm(TComponent* owner) : TComponent(owner) {}

private:
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
};
