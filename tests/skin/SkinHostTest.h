#pragma once
#include "TestForms.h"

#include "classlib/Application.h"
#include "classlib/CustomControl.h"
#include "classlib/RegisterControls.h"
#include "platform/Painting.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/RegisterSkin.h"

#include <gtest/gtest.h>

// A windowed container that fills itself with its colour.
class TSkinTestPanel : public TCustomControl {
    VMR_CLASS(TSkinTestPanel, TCustomControl)

protected:
    explicit TSkinTestPanel(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetBounds(0, 0, 100, 50);
    }
};

// A non-windowed control that fills itself with its colour.
class TSkinTestShape : public TGraphicControl {
    VMR_CLASS(TSkinTestShape, TGraphicControl)

protected:
    explicit TSkinTestShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }
    void Paint() override {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// The window system on the headless host, with an application and the skin's classes. The work area is not
// the host's default, so that answers taken from elsewhere show.
class TSkinHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        RegisterControlsClasses();
        RegisterSkinClasses();
        NewComponent<TApplication>(nullptr);
    }
    void TearDown() override {
        delete Application;
        ShutdownWindowSystem();
    }
    TForm* ShownForm(TRect bounds = {100, 100, 500, 400}) { return ShownTestForm(bounds); }
    template <class T> T* Make(TWinControl* parent, TRect bounds) { return MakeTestControl<T>(parent, bounds); }
    // The presented pixel of a top-level window, in window coordinates.
    TPixel WindowPixel(TWinControl* window, int x, int y) {
        PresentWindows();
        return static_cast<THeadlessSurface*>(GetHostSurface(window->Handle()))->Pixels().Pixel(x, y);
    }

    THeadlessHost FHost{{0, 0, 1280, 1024}, {0, 24, 1200, 1000}};
};
