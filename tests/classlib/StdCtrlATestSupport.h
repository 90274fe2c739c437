#pragma once
#include "classlib/Forms.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

// A borderless form at the screen's top-left corner on the headless host, so that form client points are
// screen points; controls made by Make are owned by the form.
class StdCtrlATest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        FForm = NewComponent<TForm>(nullptr);
        FForm->SetBorderStyle(bsNone);
        FForm->SetBounds(0, 0, 400, 300);
        FForm->Show();
        Pump();
    }
    void TearDown() override {
        delete FForm;
        ShutdownWindowSystem();
    }

    template <class T>
    T* Make(TWinControl* parent = nullptr) {
        T* control = NewComponent<T>(FForm);
        control->SetParent(parent ? parent : FForm);
        return control;
    }
    void Pump() { RunUntilIdle(); }
    // The colour shown at a point of the form (children included), after pending paints.
    TColor Pixel(int x, int y) {
        Pump();
        PresentWindows();
        const TSurface& shown = static_cast<THeadlessSurface*>(GetHostSurface(FForm->Handle()))->Pixels();
        return PixelToColor(shown.Row(y)[x]);
    }
    static TColor RGB(TColor color) { return ColorToRGB(color); }

    THeadlessHost FHost;
    TForm* FForm = nullptr;
};
