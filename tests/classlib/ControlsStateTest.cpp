#include "ControlsTestSupport.h"

#include "platform/DC.h"
#include "platform/Surface.h"

TEST_F(TControlsTest, PaintAndEraseIntoAGivenDCDrawTheWindowAndItsGraphicChildren) {
    TForm* form = ShownForm({0, 0, 200, 200});
    TTestPanel* panel = Make<TTestPanel>(form, {10, 10, 110, 110});
    panel->SetColor(clYellow);
    TTestShape* shape = Make<TTestShape>(panel, {20, 20, 40, 40});
    shape->SetColor(clRed);
    TTestPanel* child = Make<TTestPanel>(panel, {60, 60, 90, 90});
    child->SetColor(clBlue);

    // As a see-through control paints what lies behind it: shifted by its own origin.
    TSurface surface(100, 100, ColorToPixel(clBlack));
    TDC dc(surface);
    dc.OffsetViewportOrg(-5, -5);
    EXPECT_EQ(panel->Perform(WM_ERASEBKGND, WPARAM(&dc)), 1);
    panel->Perform(WM_PAINT, WPARAM(&dc));
    EXPECT_EQ(surface.Pixel(0, 0), ColorToPixel(clYellow));
    EXPECT_EQ(surface.Pixel(16, 16), ColorToPixel(clRed)); // the graphic child, at 20 - 5
    EXPECT_EQ(surface.Pixel(70, 70), ColorToPixel(clYellow)); // windowed children are not drawn
}

TEST_F(TControlsTest, ParentFontColorAndEnabledNotifications) {
    TForm* form = ShownForm();
    TTestPanel* panel = Make<TTestPanel>(form, {0, 0, 100, 100});
    TTestShape* shape = Make<TTestShape>(panel, {0, 0, 10, 10});
    shape->SetParentColor(true);
    form->Font()->SetName("Verdana");
    EXPECT_EQ(shape->Font()->Name(), "Verdana"); // through the panel
    EXPECT_TRUE(shape->ParentFont());
    panel->SetColor(clAqua);
    EXPECT_EQ(shape->Color(), clAqua);

    // A font of its own ends the inheritance.
    shape->Font()->SetSize(14);
    EXPECT_FALSE(shape->ParentFont());
    form->Font()->SetName("Tahoma");
    EXPECT_EQ(shape->Font()->Name(), "Verdana");

    int enabledChanges = 0, textChanges = 0;
    panel->WindowProc = [&, old = panel->WindowProc](TMessage& m) {
        enabledChanges += m.Msg == CM_ENABLEDCHANGED;
        textChanges += m.Msg == CM_TEXTCHANGED;
        old(m);
    };
    panel->SetEnabled(false);
    panel->SetEnabled(false);
    EXPECT_EQ(enabledChanges, 1);
    EXPECT_FALSE(IsWindowEnabled(panel->Handle()));
    panel->SetText("uno");
    panel->SetText("uno");
    EXPECT_EQ(textChanges, 1);
    EXPECT_EQ(GetWindowText(panel->Handle()), "uno");

    // A new window keeps the control's state.
    HWND before = panel->Handle();
    panel->RecreateWnd();
    EXPECT_NE(panel->Handle(), before);
    EXPECT_FALSE(IsWindowEnabled(panel->Handle()));
    EXPECT_EQ(GetWindowText(panel->Handle()), "uno");
    TPoint origin = panel->ClientToScreen({0, 0});
    EXPECT_EQ(GetWindowRect(panel->Handle()), (TRect{origin.X, origin.Y, origin.X + 100, origin.Y + 100}));
}

TEST_F(TControlsTest, FormPositionStateAndTheMessageHook) {
    TForm* form = NewComponent<TForm>(Application);
    form->SetBounds(0, 0, 200, 100);
    form->SetPosition(poScreenCenter);
    std::vector<std::string> log;
    form->OnShow = [&](TObject*) { log.push_back("show"); };
    form->OnActivate = [&](TObject*) { log.push_back("activate"); };
    form->OnHide = [&](TObject*) { log.push_back("hide"); };
    form->Show();
    Pump();
    TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form->Left(), area.Left + (area.Width() - 200) / 2);
    EXPECT_EQ(form->Top(), area.Top + (area.Height() - 100) / 2);
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(Screen->ActiveForm(), form);
    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    form->Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "activate", "hide"}));

    // The application's hook sees queued messages first and can keep them from their window.
    TForm* shown = ShownForm();
    int clicks = 0;
    shown->OnClick = [&](TObject*) { ++clicks; };
    Application->OnMessage = [](MSG& msg, bool& handled) { handled = msg.message == WM_LBUTTONDOWN; };
    FHost.Click(ScreenPoint(shown, {5, 5}));
    Pump();
    EXPECT_EQ(clicks, 0);
    Application->OnMessage = nullptr;
    FHost.Pause(1000);
    FHost.Click(ScreenPoint(shown, {5, 5}));
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(TControlsTest, AHintShowsAfterThePauseAndGoesWithTheMouse) {
    TForm* form = ShownForm();
    TTestButton* button = Make<TTestButton>(form, {10, 10, 70, 30});
    button->SetHint("Stampa il libro");
    TTestButton* quiet = Make<TTestButton>(form, {100, 10, 170, 30});
    quiet->SetHint("mai mostrato"); // ShowHint is off
    form->SetShowHint(true);         // the button takes it from its parent
    EXPECT_TRUE(button->ShowHint());

    FHost.MouseMove(ScreenPoint(button, {5, 5}));
    FHost.Pause(200);
    Pump();
    EXPECT_TRUE(!Application->HintWindow() || !Application->HintWindow()->Visible()) << "not before the pause";
    FHost.Pause(400);
    Pump();
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->Visible());
    EXPECT_EQ(Application->HintWindow()->Text(), "Stampa il libro");
    EXPECT_GT(Application->HintWindow()->Width(), 20);

    quiet->SetShowHint(false);
    FHost.MouseMove(ScreenPoint(quiet, {5, 5}));
    FHost.Pause(1000);
    Pump();
    EXPECT_FALSE(Application->HintWindow()->Visible());

    // A desktop that focuses the hint when it shows: the form stays active and keeps its keys.
    FHost.SetFocusOnShow(true);
    HWND focus = GetFocus();
    FHost.MouseMove(ScreenPoint(button, {6, 6}));
    FHost.Pause(1000);
    Pump();
    ASSERT_TRUE(Application->HintWindow()->Visible());
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(TControlsTest, AClickOrAKeyPutsTheHintAwayUntilTheMouseRestsOnAnotherControl) {
    TForm* form = ShownForm();
    form->SetShowHint(true);
    TTestButton* button = Make<TTestButton>(form, {10, 10, 70, 30});
    button->SetHint("Stampa");
    TTestButton* other = Make<TTestButton>(form, {100, 10, 170, 30});
    other->SetHint("Salva");
    auto shown = [] { return Application->HintWindow() && Application->HintWindow()->Visible(); };
    auto restOn = [&](TControl* control, TPoint at) {
        FHost.MouseMove(ScreenPoint(control, at));
        FHost.Pause(1000);
        Pump();
    };

    restOn(button, {5, 5});
    ASSERT_TRUE(shown());
    FHost.Click(ScreenPoint(button, {5, 5}));
    Pump();
    EXPECT_FALSE(shown()) << "the click left the hint";
    restOn(button, {6, 6});
    EXPECT_FALSE(shown()) << "back while the mouse stayed on the button (over a box the click opened)";

    // Clicked before the pause: the hint never comes.
    restOn(other, {5, 5});
    ASSERT_TRUE(shown());
    FHost.MouseMove(ScreenPoint(button, {5, 5}));
    FHost.Pause(100);
    FHost.Click(ScreenPoint(button, {5, 5}));
    FHost.Pause(1000);
    Pump();
    EXPECT_FALSE(shown());

    // A key puts it away as well; over another control it shows again.
    restOn(other, {6, 6});
    ASSERT_TRUE(shown());
    FHost.KeyPress(VK_SHIFT);
    Pump();
    EXPECT_FALSE(shown()) << "a key left the hint";
    restOn(button, {7, 7});
    EXPECT_TRUE(shown());
    EXPECT_EQ(Application->HintWindow()->Text(), "Stampa");
}

namespace {
TEST_F(TControlsTest, AChildAskedForItsWindowBeforeItsParentHasOneGetsOnlyOne) {
    TForm* form = NewComponent<TForm>(Application);
    TTestPanel* first = NewComponent<TTestPanel>(form);
    first->SetParent(form);
    TTestPanel* second = NewComponent<TTestPanel>(form);
    second->SetParent(form);
    form->DestroyHandle();
    ASSERT_FALSE(second->HandleAllocated());
    const HWND handle = second->Handle();
    EXPECT_EQ(GetChildren(form->Handle()), (std::vector<HWND>{first->Handle(), handle}))
        << "the parent's window brings its children's, and no second window of the one asked";
    EXPECT_EQ(TWinControl::FindControl(handle), second);
    delete form;
}
} // namespace
