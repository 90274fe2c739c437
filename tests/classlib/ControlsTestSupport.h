#pragma once
#include "TestForms.h"

#include "classlib/Application.h"
#include "classlib/CustomControl.h"
#include "classlib/RegisterControls.h"
#include "classlib/Screen.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A windowed container that takes the focus when asked to.
class TTestPanel : public TCustomControl {
    VMR_CLASS(TTestPanel, TCustomControl)

  protected:
    explicit TTestPanel(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetBounds(0, 0, 100, 50);
    }
};

// A focusable button that answers its accelerator ("&Ok" answers o) and Enter when it is the default.
class TTestButton : public TCustomControl {
    VMR_CLASS(TTestButton, TCustomControl)

  public:
    static void PublishProperties(TPublisher<TTestButton>& p) {
        p.String("Caption", &TTestButton::Caption, &TTestButton::SetCaption)
            .Boolean("Default", &TTestButton::FDefault, &TTestButton::FDefault);
    }
    bool FDefault = false;
    int Clicks = 0;

  protected:
    explicit TTestButton(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(0, 0, 60, 20);
    }
    void Click() override {
        ++Clicks;
        TCustomControl::Click();
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_DIALOGCHAR) {
            size_t amp = Caption().find('&');
            if (amp != std::string::npos && amp + 1 < Caption().size() &&
                std::tolower(Caption()[amp + 1]) == std::tolower(int(m.WParam)) && CanFocus()) {
                Click();
                m.Result = 1;
            }
            return;
        }
        if (m.Msg == CM_DIALOGKEY) {
            if (m.WParam == VK_RETURN && FDefault) {
                Click();
                m.Result = 1;
            }
            return;
        }
        TCustomControl::WndProc(m);
    }
};

// A non-windowed control that fills itself with its colour.
class TTestShape : public TGraphicControl {
    VMR_CLASS(TTestShape, TGraphicControl)

  protected:
    explicit TTestShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }
    void Paint() override {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// The window system on the headless host with an application; error boxes are recorded and answered.
class TControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        RegisterControlsClasses();
        RegisterClass<TTestPanel>();
        RegisterClass<TTestButton>();
        RegisterClass<TTestShape>();
        FPreviousBoxHook = SetMessageBoxHook([this](const TMessageBoxRequest& r) -> std::optional<int> {
            FBoxes.push_back(r);
            return IDOK;
        });
        NewComponent<TApplication>(nullptr)->SetTitle("Prova");
    }
    void TearDown() override {
        delete Application;
        SetMessageBoxHook(std::move(FPreviousBoxHook));
        ShutdownWindowSystem();
    }
    TForm* ShownForm(TRect bounds = {100, 100, 500, 400}) { return ShownTestForm(bounds); }
    template <class T> T* Make(TWinControl* parent, TRect bounds) { return MakeTestControl<T>(parent, bounds); }
    void Pump() { RunUntilIdle(); }
    TPoint ScreenPoint(TControl* control, TPoint client) { return control->ClientToScreen(client); }

    THeadlessHost FHost;
    TMessageBoxHook FPreviousBoxHook;
    std::vector<TMessageBoxRequest> FBoxes;
};
