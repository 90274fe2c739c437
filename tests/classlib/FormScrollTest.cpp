#include "ControlsTestSupport.h"

#include "classlib/LayoutReader.h"
#include "platform/Painting.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"

namespace {

// A borderless 400 x 300 form, so its client area is its bounds until a bar takes room.
class TFormScrollTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        Form = ShownForm({100, 100, 500, 400});
        Bar = GetSystemMetrics(SM_CXVSCROLL);
    }
    bool HasBar(int bar) {
        return GetWindowStyle(Form->Handle()) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL);
    }
    SCROLLINFO Info(int bar) {
        SCROLLINFO info{SIF_ALL};
        GetScrollInfo(Form->Handle(), bar, info);
        return info;
    }
    void Scroll(int bar, int code, int pos = 0) {
        Form->Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(unsigned(code), unsigned(pos)));
    }

    TForm* Form = nullptr;
    int Bar = 0;
};

TEST_F(TFormScrollTest, BarsFollowTheUnalignedControlsExtentAndTheFormsSize) {
    ASSERT_TRUE(Form->AutoScroll());
    auto* client = Make<TTestPanel>(Form, {0, 0, 10, 10});
    client->SetAlign(alClient);
    auto* panel = Make<TTestPanel>(Form, {10, 10, 110, 60});
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_FALSE(HasBar(SB_VERT));

    // Reaching past the right edge: a horizontal bar over the whole extent, one client width a page.
    panel->SetLeft(350);
    Pump();
    ASSERT_TRUE(HasBar(SB_HORZ));
    EXPECT_FALSE(HasBar(SB_VERT));
    EXPECT_EQ(Info(SB_HORZ).nMax, 449);
    EXPECT_EQ(Info(SB_HORZ).nPage, 400u);
    EXPECT_EQ(Form->ClientHeight(), 300 - Bar);
    // The aligned control is placed again in the client area the bar leaves.
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400, 300 - Bar}));

    // Wider, the form holds the control: the bar goes and the room comes back.
    Form->SetWidth(460);
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 460, 300}));
    Form->SetWidth(400);
    EXPECT_TRUE(HasBar(SB_HORZ));

    // Within the width but past the bottom: the vertical bar takes room, so the horizontal one stays needed
    // for a control reaching 390 of 400.
    panel->SetBounds(290, 200, 100, 110);
    EXPECT_TRUE(HasBar(SB_VERT));
    EXPECT_TRUE(HasBar(SB_HORZ));
    EXPECT_EQ(Info(SB_VERT).nMax, 309);
    EXPECT_EQ(Info(SB_VERT).nPage, UINT(300 - Bar));
    EXPECT_EQ(Info(SB_HORZ).nPage, UINT(400 - Bar));
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400 - Bar, 300 - Bar}));
    panel->SetHeight(90);
    EXPECT_FALSE(HasBar(SB_VERT));
    EXPECT_FALSE(HasBar(SB_HORZ));

    // Hidden, shown, removed and inserted controls count as they come and go; an aligned one never does.
    panel->SetTop(400);
    EXPECT_TRUE(HasBar(SB_VERT));
    panel->Hide();
    EXPECT_FALSE(HasBar(SB_VERT));
    panel->Show();
    EXPECT_TRUE(HasBar(SB_VERT));
    panel->SetParent(nullptr);
    EXPECT_FALSE(HasBar(SB_VERT));
    panel->SetParent(Form);
    EXPECT_TRUE(HasBar(SB_VERT));
    delete panel;
    EXPECT_FALSE(HasBar(SB_VERT));
    auto* tall = Make<TTestPanel>(Form, {0, 0, 50, 1000});
    tall->SetAlign(alLeft);
    EXPECT_FALSE(HasBar(SB_VERT));
    EXPECT_FALSE(HasBar(SB_HORZ));
}

TEST_F(TFormScrollTest, AControlAnchoredToTheRightGivesTheVerticalBarItsRoom) {
    auto* stretched = Make<TTestPanel>(Form, {10, 10, 395, 50});
    stretched->SetAnchors({akLeft, akTop, akRight});
    Make<TTestPanel>(Form, {0, 100, 50, 290});
    EXPECT_FALSE(HasBar(SB_VERT));
    // Shorter, the form needs a vertical bar. Reaching 395 of 400, the stretched control would need a
    // horizontal one as well, but it shrinks with the client area the vertical bar leaves.
    Form->SetHeight(250);
    EXPECT_TRUE(HasBar(SB_VERT));
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_EQ(stretched->BoundsRect(), (TRect{10, 10, 400 - Bar - 5, 50}));
    EXPECT_EQ(Info(SB_VERT).nPage, 250u);
}

TEST_F(TFormScrollTest, ScrollingMovesTheUnalignedControlsByExactlyTheDistance) {
    auto* top = Make<TTestPanel>(Form, {0, 0, 10, 30});
    top->SetAlign(alTop);
    auto* first = Make<TTestPanel>(Form, {10, 40, 60, 90});
    auto* last = Make<TTestPanel>(Form, {20, 900, 70, 1000});
    auto* shape = Make<TTestShape>(Form, {30, 100, 50, 120});
    shape->Hide();
    Pump();
    ASSERT_TRUE(HasBar(SB_VERT));
    ASSERT_FALSE(HasBar(SB_HORZ));
    const int highest = 1000 - 300;
    auto expectAt = [&](int pos) {
        EXPECT_EQ(Form->ScrollPosition(), (TPoint{0, pos}));
        EXPECT_EQ(GetScrollPos(Form->Handle(), SB_VERT), pos);
        EXPECT_EQ(first->Top(), 40 - pos);
        EXPECT_EQ(last->Top(), 900 - pos);
        EXPECT_EQ(shape->Top(), 100 - pos) << "a hidden control moves too, to show where it belongs";
        EXPECT_EQ(first->Left(), 10);
        EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400 - Bar, 30})) << "aligned controls stay put";
    };
    // A line is 8 pixels, a page the client height; the ends hold.
    Scroll(SB_VERT, SB_LINEDOWN);
    expectAt(8);
    Scroll(SB_VERT, SB_PAGEDOWN);
    expectAt(308);
    Scroll(SB_VERT, SB_PAGEDOWN);
    expectAt(608);
    Scroll(SB_VERT, SB_PAGEDOWN);
    expectAt(highest);
    Scroll(SB_VERT, SB_LINEDOWN);
    expectAt(highest);
    Scroll(SB_VERT, SB_LINEUP);
    expectAt(highest - 8);
    Scroll(SB_VERT, SB_PAGEUP);
    expectAt(highest - 308);
    Scroll(SB_VERT, SB_PAGEUP);
    expectAt(highest - 608);
    Scroll(SB_VERT, SB_PAGEUP);
    expectAt(0);
    Scroll(SB_VERT, SB_LINEUP);
    expectAt(0);
    Scroll(SB_VERT, SB_THUMBTRACK, 123);
    expectAt(123);
    Scroll(SB_VERT, SB_THUMBPOSITION, 999);
    expectAt(highest);
    Scroll(SB_VERT, SB_ENDSCROLL);
    expectAt(highest);
    Scroll(SB_VERT, SB_TOP);
    expectAt(0);
    Scroll(SB_VERT, SB_BOTTOM);
    expectAt(highest);
    // A form without a horizontal bar has nothing to scroll that way.
    Scroll(SB_HORZ, SB_LINEDOWN);
    EXPECT_EQ(first->Left(), 10);

    // The bar's own arrow, pressed on the screen, sends the line request.
    Scroll(SB_VERT, SB_TOP);
    SCROLLBARINFO bar;
    ASSERT_TRUE(GetScrollBarInfo(Form->Handle(), OBJID_VSCROLL, bar));
    FHost.Click({bar.rcScrollBar.Left + 4, bar.rcScrollBar.Bottom - 4});
    Pump();
    expectAt(8);

    // A notch of the wheel towards the user scrolls three lines down; the form takes it from its control.
    first->SetFocus();
    FHost.Wheel(ScreenPoint(Form, {200, 200}), -WHEEL_DELTA);
    Pump();
    expectAt(8 + 24);
    FHost.Wheel(ScreenPoint(Form, {200, 200}), 2 * WHEEL_DELTA);
    Pump();
    expectAt(0);
}

TEST_F(TFormScrollTest, TheRangeIsCheckedAgainWhenTheFormOrAControlChanges) {
    auto* first = Make<TTestPanel>(Form, {10, 40, 60, 90});
    auto* wide = Make<TTestPanel>(Form, {0, 100, 800, 150});
    Scroll(SB_HORZ, SB_BOTTOM);
    ASSERT_EQ(Form->ScrollPosition().X, 400);
    EXPECT_EQ(wide->Left(), -400);

    // A larger form needs less scrolling: the controls come back by what the range lost.
    Form->SetWidth(600);
    EXPECT_EQ(Form->ScrollPosition().X, 200);
    EXPECT_EQ(first->Left(), 10 - 200);
    EXPECT_EQ(Info(SB_HORZ).nMax, 799);
    // A control grown or shrunk while scrolled is measured from the origin.
    wide->SetWidth(700);
    EXPECT_EQ(Info(SB_HORZ).nMax, 699);
    EXPECT_EQ(Form->ScrollPosition().X, 100);
    EXPECT_EQ(wide->Left(), -100);
    wide->SetWidth(500);
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_EQ(Form->ScrollPosition().X, 0);
    EXPECT_EQ(first->Left(), 10);
    EXPECT_EQ(wide->Left(), 0);
}

TEST_F(TFormScrollTest, SwitchingAutoScrollOffRemovesTheBarsAndGoesBackToTheOrigin) {
    auto* client = Make<TTestPanel>(Form, {0, 0, 10, 10});
    client->SetAlign(alClient);
    auto* far = Make<TTestPanel>(Form, {500, 400, 550, 450});
    Scroll(SB_VERT, SB_BOTTOM);
    Scroll(SB_HORZ, SB_LINEDOWN);
    ASSERT_EQ(Form->ScrollPosition(), (TPoint{8, 450 - (300 - Bar)}));
    ASSERT_EQ(far->BoundsRect(), (TRect{492, 250 - Bar, 542, 300 - Bar}));

    Form->SetAutoScroll(false);
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_FALSE(HasBar(SB_VERT));
    EXPECT_EQ(Form->ScrollPosition(), (TPoint{0, 0}));
    EXPECT_EQ(far->BoundsRect(), (TRect{500, 400, 550, 450}));
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400, 300}));
    // Off, nothing brings the bars back, nor do scroll requests move anything.
    far->SetLeft(600);
    Scroll(SB_VERT, SB_LINEDOWN);
    EXPECT_FALSE(HasBar(SB_HORZ));
    EXPECT_EQ(far->Top(), 400);

    Form->SetAutoScroll(true);
    EXPECT_TRUE(HasBar(SB_HORZ));
    EXPECT_TRUE(HasBar(SB_VERT));
    EXPECT_EQ(GetScrollPos(Form->Handle(), SB_VERT), 0);
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400 - Bar, 300 - Bar}));
}

TEST_F(TFormScrollTest, MovingAControlRepaintsOnlyWhereItWasAndIs) {
    Make<TTestPanel>(Form, {0, 350, 50, 400});
    auto* shape = Make<TTestShape>(Form, {10, 10, 30, 30});
    Pump();
    ASSERT_TRUE(HasBar(SB_VERT));
    TRect pending;
    ASSERT_FALSE(GetUpdateRect(Form->Handle(), &pending, false));
    // The bars stay as they are, so they are not drawn again: only where the control was and is.
    shape->SetLeft(40);
    ASSERT_TRUE(GetUpdateRect(Form->Handle(), &pending, false));
    EXPECT_EQ(pending, (TRect{10, 10, 60, 30}));
}

TEST_F(TFormScrollTest, LayoutsStoreAutoScrollOnlyWhenItIsOff) {
    const TPropInfo* prop = TForm::StaticClassInfo().FindProperty("AutoScroll");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->Kind, TPropKind::Boolean);
    EXPECT_EQ(prop->OrdDefault, 1);
    const char* layout = "object Scheda: TForm\n  AutoScroll = False\n  Width = 200\n  Height = 100\n"
                         "  object Far: TTestPanel\n    Left = 500\n    Top = 10\n  end\nend\n";
    auto* form = static_cast<TForm*>(ReadLayout(layout, "TSCHEDA", Application));
    EXPECT_FALSE(form->AutoScroll());
    form->Show();
    Pump();
    EXPECT_FALSE(GetWindowStyle(form->Handle()) & (WS_HSCROLL | WS_VSCROLL));
    // Without the line the form scrolls, once the layout is in.
    const char* plain = "object Scheda2: TForm\n  BorderStyle = bsNone\n  Width = 200\n  Height = 100\n"
                        "  object Far: TTestPanel\n    Left = 500\n    Top = 10\n  end\nend\n";
    auto* scrolling = static_cast<TForm*>(ReadLayout(plain, "TSCHEDA2", Application));
    EXPECT_TRUE(scrolling->AutoScroll());
    EXPECT_TRUE(GetWindowStyle(scrolling->Handle()) & WS_HSCROLL);
    SCROLLINFO info{SIF_RANGE};
    GetScrollInfo(scrolling->Handle(), SB_HORZ, info);
    EXPECT_EQ(info.nMax, 599);
}

} // namespace
