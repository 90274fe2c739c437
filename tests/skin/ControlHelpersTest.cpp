#include "platform/DC.h"
#include "skin/TAVPublic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A form that records the order its bounds are set in.
struct TFakeForm {
    std::vector<std::string> Calls;
    bool IsActive = false;
    bool MDIParent = false;
    const TFakeForm* ActiveChild = nullptr;

    void SetLeft(int v) { Calls.push_back("Left=" + std::to_string(v)); }
    void SetTop(int v) { Calls.push_back("Top=" + std::to_string(v)); }
    void SetWidth(int v) { Calls.push_back("Width=" + std::to_string(v)); }
    void SetHeight(int v) { Calls.push_back("Height=" + std::to_string(v)); }
    bool Active() const { return IsActive; }
    bool IsMDIForm() const { return MDIParent; }
    const TFakeForm* ActiveMDIChild() const { return ActiveChild; }
};

struct TFakeApplication {
    const TFakeForm* Main = nullptr;
    bool IsActive = true;
    const TFakeForm* MainForm() const { return Main; }
    bool Active() const { return IsActive; }
};

TEST(ControlHelpers, BoundsAreSetInOrder) {
    TFakeForm form;
    MoveControlTo(&form, {7, -3});
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"Left=7", "Top=-3"}));
    form.Calls.clear();
    SetFormBounds(&form, {10, 20, 110, 70});
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"Left=10", "Top=20", "Width=100", "Height=50"}));
    MoveControlTo<TFakeForm>(nullptr, {1, 1});
    SetFormBounds<TFakeForm>(nullptr, {});
}

TEST(ControlHelpers, FormActivity) {
    TFakeApplication app;
    TFakeForm main, child, other;
    const TFakeForm* none = nullptr;

    // No main form: the form's own state, and no form at all is not active.
    child.IsActive = true;
    EXPECT_TRUE(IsFormActive(app, &child));
    EXPECT_FALSE(IsFormActive(app, none));

    app.Main = &main;
    main.MDIParent = true;
    app.IsActive = false;
    EXPECT_TRUE(IsFormActive(app, &main)); // the MDI main form, even in an inactive application
    EXPECT_FALSE(IsFormActive(app, &child));

    app.IsActive = true;
    EXPECT_TRUE(IsFormActive(app, none));
    main.ActiveChild = &other;
    EXPECT_TRUE(IsFormActive(app, &other)); // the active MDI child
    child.IsActive = false;
    EXPECT_FALSE(IsFormActive(app, &child));

    main.MDIParent = false;
    EXPECT_TRUE(IsFormActive(app, &main));
    EXPECT_FALSE(IsFormActive(app, &other)); // no MDI: its own state only
    other.IsActive = true;
    EXPECT_TRUE(IsFormActive(app, &other));
}

TEST(ControlHelpers, ControlFrameOverTheBorder) {
    TSurface window(6, 5, 0x000001);
    TDC dc(window);
    PaintControlFrame(dc, {300, 200, 306, 205}, clBtnShadow, RGB(0, 0, 0xFF), true);
    const TPixel shadow = ColorToPixel(clBtnShadow);
    EXPECT_EQ(window.Pixel(0, 0), shadow);
    EXPECT_EQ(window.Pixel(5, 4), shadow);
    EXPECT_EQ(window.Pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(window.Pixel(4, 3), 0x0000FFu);
    EXPECT_EQ(window.Pixel(2, 2), 0x000001u);

    window.Fill(0x000001);
    PaintControlFrame(dc, {0, 0, 6, 5}, clRed, clBlue, false);
    EXPECT_EQ(window.Pixel(0, 2), 0xFF0000u);
    EXPECT_EQ(window.Pixel(1, 1), 0x000001u);
}

} // namespace
