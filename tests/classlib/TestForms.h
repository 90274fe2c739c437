#pragma once
// Forms and controls built in code for the window tests, at known places.
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "platform/MessageLoop.h"

// A visible borderless form of the application.
inline TForm* ShownTestForm(TRect bounds) {
    TForm* form = NewComponent<TForm>(Application);
    form->SetBorderStyle(bsNone);
    form->SetBoundsRect(bounds);
    form->Show();
    RunUntilIdle();
    return form;
}

template <class T> T* MakeTestControl(TWinControl* parent, TRect bounds) {
    T* control = NewComponent<T>(parent);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    return control;
}
