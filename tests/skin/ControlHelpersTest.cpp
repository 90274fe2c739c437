#include "SkinHostTest.h"

#include "classlib/Bitmap.h"
#include "platform/Input.h"
#include "skin/TAVPublic.h"

#include <string>
#include <vector>

namespace {

// A form that records how its bounds are set.
class TRecordingForm : public TForm {
    VMR_CLASS(TRecordingForm, TForm)

public:
    void SetBounds(int left, int top, int width, int height) override {
        Calls.push_back("SetBounds " + std::to_string(left) + "," + std::to_string(top) + "," +
                        std::to_string(width) + "," + std::to_string(height));
        TForm::SetBounds(left, top, width, height);
    }
    std::vector<std::string> Calls;

protected:
    explicit TRecordingForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; } // built in code
    void Resize() override {
        Calls.push_back("Resize");
        TForm::Resize();
    }
};

// A control with a two-pixel non-client edge and a white client area.
class TEdgedBox : public TCustomControl {
    VMR_CLASS(TEdgedBox, TCustomControl)

protected:
    explicit TEdgedBox(TComponent* owner) : TCustomControl(owner) { SetColor(clWhite); }
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// A see-through control: what lies behind it, then a green dot in its bottom-right corner.
class TSeeThrough : public TGraphicControl {
    VMR_CLASS(TSeeThrough, TGraphicControl)

public:
    int Paints = 0;

protected:
    explicit TSeeThrough(TComponent* owner) : TGraphicControl(owner) {}
    void Paint() override {
        ++Paints;
        PaintParentBackground(Canvas(), this);
        Canvas()->SetPixels(Width() - 1, Height() - 1, clLime);
    }
};

using ControlHelpers = TSkinHostTest;

TEST_F(ControlHelpers, BoundsAreSetThroughThePropertiesInOrder) {
    auto* form = NewComponent<TRecordingForm>(Application);
    form->SetBounds(1, 2, 30, 40);
    form->Calls.clear();
    MoveControlTo(form, {7, -3});
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"SetBounds 7,2,30,40", "SetBounds 7,-3,30,40"}));
    form->Calls.clear();
    SetFormBounds(form, {10, 20, 110, 70});
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"SetBounds 10,-3,30,40", "SetBounds 10,20,30,40",
                                                     "SetBounds 10,20,100,40", "Resize",
                                                     "SetBounds 10,20,100,50", "Resize"}));
    EXPECT_EQ(form->BoundsRect(), (TRect{10, 20, 110, 70}));
    MoveControlTo(nullptr, {1, 1});
    SetFormBounds(nullptr, {});
}

TEST_F(ControlHelpers, WorkAreaIsTheHosts) {
    TRect area;
    EXPECT_TRUE(GetWorkArea(area));
    EXPECT_EQ(area, FHost.WorkArea());
    EXPECT_EQ(area, (TRect{0, 24, 1200, 1000}));
}

// A window that is not the class library's, to take the activation from the application.
HWND ForeignWindow() {
    WNDCLASS raw;
    raw.Name = "SkinTestRaw";
    RegisterClass(raw);
    return CreateWindowEx(0, "SkinTestRaw", "", WS_POPUP | WS_VISIBLE, 900, 0, 50, 50, nullptr);
}

TEST_F(ControlHelpers, FormActivityUnderAPlainMainForm) {
    // No main form: the form's own state; no form is not active.
    TForm* other = ShownForm({0, 0, 100, 100});
    EXPECT_TRUE(IsFormActive(other));
    EXPECT_FALSE(IsFormActive(nullptr));

    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetBorderStyle(bsNone);
    main->Show();
    TForm* second = ShownForm({200, 0, 300, 100});
    RunUntilIdle();

    // An inactive application has no active form, whatever the main-form rule says.
    HWND foreign = ForeignWindow();
    SetActiveWindow(foreign);
    ASSERT_FALSE(Application->Active());
    EXPECT_FALSE(IsFormActive(main));
    EXPECT_FALSE(IsFormActive(nullptr));

    // Active application: no form, or the main form, is active whatever its own state; the others by theirs.
    SetActiveWindow(other->Handle());
    ASSERT_TRUE(Application->Active());
    EXPECT_FALSE(main->Active());
    EXPECT_TRUE(IsFormActive(main));
    EXPECT_TRUE(IsFormActive(nullptr));
    EXPECT_TRUE(IsFormActive(other));
    EXPECT_FALSE(IsFormActive(second));

    // Made an MDI parent after its window, it has no MDI client: the main form is active even in an inactive
    // application, and no other form is its active child.
    main->SetFormStyle(fsMDIForm);
    ASSERT_EQ(main->ClientHandle(), nullptr);
    EXPECT_FALSE(IsFormActive(second));
    SetActiveWindow(foreign);
    EXPECT_TRUE(IsFormActive(main));
    EXPECT_FALSE(IsFormActive(other));
    DestroyWindow(foreign);
}

TEST_F(ControlHelpers, FormActivityUnderAnMDIParent) {
    TForm* other = ShownForm({0, 0, 100, 100});
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetFormStyle(fsMDIForm);
    main->SetBorderStyle(bsNone);
    main->SetBounds(200, 0, 500, 400);
    main->Show();
    auto child = [](int left) {
        auto* form = NewComponent<TForm>(Application);
        form->SetFormStyle(fsMDIChild);
        form->SetBounds(left, 10, 150, 100);
        form->Show();
        return form;
    };
    TForm* first = child(10);
    TForm* second = child(60);
    RunUntilIdle();
    ASSERT_EQ(main->ActiveMDIChild(), second);

    // An inactive application: only the MDI main form counts as active.
    HWND foreign = ForeignWindow();
    SetActiveWindow(foreign);
    ASSERT_FALSE(Application->Active());
    EXPECT_TRUE(IsFormActive(main));
    EXPECT_FALSE(IsFormActive(second));
    EXPECT_FALSE(IsFormActive(nullptr));

    // Active application, another window in front: the MDI client's active child is the active form.
    SetActiveWindow(other->Handle());
    ASSERT_TRUE(Application->Active());
    EXPECT_TRUE(IsFormActive(second));
    EXPECT_FALSE(IsFormActive(first));
    EXPECT_TRUE(IsFormActive(other)) << "not a child, but active itself";
    SendMessage(main->ClientHandle(), WM_MDIACTIVATE, WPARAM(first->Handle()));
    EXPECT_TRUE(IsFormActive(first));
    EXPECT_FALSE(IsFormActive(second));
    EXPECT_TRUE(IsFormActive(main));

    // A form without a window is nobody's active child.
    auto* windowless = NewComponent<TForm>(Application);
    EXPECT_FALSE(IsFormActive(windowless));
    EXPECT_FALSE(windowless->HandleAllocated());
    DestroyWindow(foreign);
}

TEST_F(ControlHelpers, ControlFrameOverTheNonClientEdge) {
    TForm* form = ShownForm();
    auto* box = Make<TEdgedBox>(form, {20, 30, 60, 50});
    RunUntilIdle();
    ASSERT_EQ(box->ClientRect(), (TRect{0, 0, 36, 16})); // the edge is two pixels on each side

    PaintControlFrame(box, clBtnShadow, RGB(0, 0, 0xFF), true);
    const TPixel shadow = ColorToPixel(clBtnShadow);
    EXPECT_EQ(WindowPixel(form, 20, 30), shadow);
    EXPECT_EQ(WindowPixel(form, 59, 49), shadow);
    EXPECT_EQ(WindowPixel(form, 59, 30), shadow);
    EXPECT_EQ(WindowPixel(form, 21, 31), 0x0000FFu);
    EXPECT_EQ(WindowPixel(form, 58, 48), 0x0000FFu);
    EXPECT_EQ(WindowPixel(form, 22, 32), 0xFFFFFFu); // the client area is left alone
    EXPECT_EQ(WindowPixel(form, 19, 29), ColorToPixel(clBtnFace));

    PaintControlFrame(box, clRed, clYellow, false);
    EXPECT_EQ(WindowPixel(form, 20, 40), 0xFF0000u);
    EXPECT_EQ(WindowPixel(form, 21, 40), 0x0000FFu);

    // A control without a window gets none.
    auto* loose = NewComponent<TEdgedBox>(Application);
    PaintControlFrame(loose, clRed, clRed, true);
    EXPECT_FALSE(loose->HandleAllocated());
    PaintControlFrame(nullptr, clRed, clRed, true);
}

TEST_F(ControlHelpers, ParentBackgroundBehindASeeThroughControl) {
    TForm* form = ShownForm();
    auto* panel = Make<TSkinTestPanel>(form, {50, 50, 150, 100});
    panel->SetColor(clRed);
    Make<TSkinTestShape>(panel, {5, 5, 15, 15})->SetColor(clBlue);
    auto* seeThrough = Make<TSeeThrough>(panel, {10, 10, 40, 40});
    RunUntilIdle();

    // On the window: the parent's shape and background show through, the control paints once, on top.
    EXPECT_EQ(seeThrough->Paints, 1);
    EXPECT_EQ(WindowPixel(form, 60, 60), 0x0000FFu);
    EXPECT_EQ(WindowPixel(form, 64, 64), 0x0000FFu);
    EXPECT_EQ(WindowPixel(form, 65, 65), 0xFF0000u);
    EXPECT_EQ(WindowPixel(form, 89, 89), 0x00FF00u);

    // Into any canvas, in the control's coordinates, leaving the control itself out.
    TBitmap target;
    target.SetSize(30, 30);
    auto fillWhite = [&] {
        target.Canvas()->Brush()->SetColor(clWhite);
        target.Canvas()->FillRect({0, 0, 30, 30});
    };
    fillWhite();
    PaintParentBackground(target.Canvas(), seeThrough);
    EXPECT_EQ(seeThrough->Paints, 1);
    EXPECT_EQ(target.Surface().Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(target.Surface().Pixel(4, 4), 0x0000FFu);
    EXPECT_EQ(target.Surface().Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(target.Surface().Pixel(29, 29), 0xFF0000u);
    TDC* dc = target.Canvas()->Handle();
    EXPECT_EQ(dc->GetViewportOrg(), (TPoint{0, 0}));
    EXPECT_EQ(dc->GetClipBox(), (TRect{0, 0, 30, 30}));

    // Clipped to the parent's client area.
    seeThrough->SetBounds(90, 40, 30, 30);
    fillWhite();
    PaintParentBackground(target.Canvas(), seeThrough);
    EXPECT_EQ(target.Surface().Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(target.Surface().Pixel(15, 5), 0xFFFFFFu);
    EXPECT_EQ(target.Surface().Pixel(5, 15), 0xFFFFFFu);

    // Without a parent nothing is painted; the control still paints normally afterwards.
    seeThrough->SetParent(nullptr);
    fillWhite();
    PaintParentBackground(target.Canvas(), seeThrough);
    EXPECT_EQ(target.Surface().Pixel(5, 5), 0xFFFFFFu);
    seeThrough->SetParent(panel);
    seeThrough->SetBounds(10, 10, 30, 30);
    const int paints = seeThrough->Paints;
    panel->Repaint();
    EXPECT_GT(seeThrough->Paints, paints);
}

} // namespace
