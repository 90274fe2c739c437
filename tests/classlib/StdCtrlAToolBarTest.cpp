#include "StdCtrlATestSupport.h"

#include "classlib/Actions.h"
#include "classlib/Menus.h"
#include "classlib/ToolBar.h"

#include <map>
#include <vector>

namespace {

// A flat bar with a plain button, a check button and a disabled button that records the state each button
// is drawn in.
class ToolBarTest : public StdCtrlATest {
  protected:
    void SetUp() override {
        StdCtrlATest::SetUp();
        FBar = Make<TToolBar>();
        FBar->SetFlat(true);
        FBar->SetEdgeBorders({});
        FPlain = AddButton(tbsButton);
        FCheck = AddButton(tbsCheck);
        FDisabled = AddButton(tbsButton);
        FDisabled->SetEnabled(false);
        FBar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState state, bool&) {
            EXPECT_EQ(bar, FBar);
            FStates[button] = state;
        };
        Pump();
    }
    // Buttons added in code go in front of those at the left edge, so each new one is moved to the end.
    TToolButton* AddButton(TToolButtonStyle style) {
        auto* button = NewComponent<TToolButton>(FForm);
        button->SetLeft(FBar->ButtonCount() == 0 ? 0 : FBar->Buttons(FBar->ButtonCount() - 1)->Left() + 1);
        button->SetStyle(style);
        button->SetParent(FBar);
        return button;
    }
    TCustomDrawState StateOf(TToolButton* button) {
        FStates.clear();
        FBar->Repaint();
        return FStates.at(button);
    }
    TPoint Middle(TToolButton* button) {
        TRect r = button->BoundsRect();
        return FBar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }

    TToolBar* FBar = nullptr;
    TToolButton* FPlain = nullptr;
    TToolButton* FCheck = nullptr;
    TToolButton* FDisabled = nullptr;
    std::map<TToolButton*, TCustomDrawState> FStates;
};

TEST_F(ToolBarTest, CustomDrawStatesFollowHoverPressAndCheck) {
    EXPECT_EQ(StateOf(FPlain), TCustomDrawState{});
    EXPECT_EQ(StateOf(FDisabled), TCustomDrawState{cdsDisabled});

    FHost.MouseMove(Middle(FPlain));
    Pump();
    EXPECT_EQ(StateOf(FPlain), TCustomDrawState{cdsHot});
    FHost.MouseDown(Middle(FPlain));
    Pump();
    EXPECT_EQ(StateOf(FPlain), (TCustomDrawState{cdsHot, cdsSelected}));
    // Dragged off while held, the button pops up; back on, it is pressed again.
    FHost.MouseMove(FBar->ClientToScreen({FBar->ClientWidth() - 2, 2}));
    Pump();
    EXPECT_FALSE(StateOf(FPlain).Contains(cdsSelected));
    FHost.MouseMove(Middle(FPlain));
    Pump();
    EXPECT_TRUE(StateOf(FPlain).Contains(cdsSelected));
    int clicks = 0;
    FPlain->OnClick = [&](TObject*) { ++clicks; };
    FHost.MouseUp(Middle(FPlain));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(StateOf(FPlain), TCustomDrawState{cdsHot});

    FHost.Click(Middle(FCheck));
    Pump();
    EXPECT_TRUE(FCheck->Down());
    EXPECT_EQ(StateOf(FCheck), (TCustomDrawState{cdsHot, cdsChecked}));
    EXPECT_EQ(StateOf(FPlain), TCustomDrawState{});
    FHost.MouseMove(Middle(FDisabled));
    Pump();
    EXPECT_EQ(StateOf(FCheck), TCustomDrawState{cdsChecked});
    EXPECT_EQ(StateOf(FDisabled), TCustomDrawState{cdsDisabled});

    // Leaving the bar leaves no button hot.
    FHost.MouseMove({390, 290});
    Pump();
    EXPECT_EQ(FBar->HotButton(), nullptr);

    // A raised bar has no hot tracking, as on the platform.
    FBar->SetFlat(false);
    FHost.MouseMove(Middle(FPlain));
    Pump();
    EXPECT_EQ(StateOf(FPlain), TCustomDrawState{});
}

TEST_F(ToolBarTest, DefaultDrawFalseSuppressesTheDefaultLook) {
    FBar->SetFlat(false);
    FCheck->SetDown(true);
    TPoint corner = FCheck->BoundsRect().TopLeft();
    TPoint face = FCheck->BoundsRect().TopLeft() + TPoint{4, 4};
    // The default look: a sunken frame around the checked face.
    EXPECT_EQ(Pixel(corner.X, corner.Y), RGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(face.X, face.Y), RGB(cl3DLight));

    FBar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState, bool& defaultDraw) {
        if (button != FCheck) return;
        defaultDraw = false;
        bar->Canvas()->Brush()->SetColor(clRed);
        bar->Canvas()->FillRect(button->BoundsRect().Inflated(-3, -3));
    };
    FBar->Invalidate();
    EXPECT_EQ(Pixel(corner.X, corner.Y), RGB(clBtnFace));
    EXPECT_EQ(Pixel(face.X, face.Y), clRed);
    TPoint plain = FPlain->BoundsRect().TopLeft();
    EXPECT_EQ(Pixel(plain.X, plain.Y), RGB(clBtnHighlight));

    // The bar's own handler clearing DefaultDraw leaves every button undrawn and unasked.
    int buttonCalls = 0;
    FBar->OnCustomDrawButton = [&](TToolBar*, TToolButton*, TCustomDrawState, bool&) { ++buttonCalls; };
    TRect drawnRect;
    FBar->OnCustomDraw = [&](TToolBar*, const TRect& rect, bool& defaultDraw) {
        drawnRect = rect;
        defaultDraw = false;
    };
    FBar->Invalidate();
    EXPECT_EQ(Pixel(plain.X, plain.Y), RGB(clBtnFace));
    EXPECT_EQ(buttonCalls, 0);
    EXPECT_EQ(drawnRect, FBar->ClientRect());
}

TEST_F(ToolBarTest, GroupedCheckButtonsReleaseEachOther) {
    FPlain->SetStyle(tbsCheck);
    FPlain->SetGrouped(true);
    FCheck->SetGrouped(true);
    FHost.Click(Middle(FPlain));
    Pump();
    EXPECT_TRUE(FPlain->Down());
    FHost.Pause(1000);
    FHost.Click(Middle(FCheck));
    Pump();
    EXPECT_TRUE(FCheck->Down());
    EXPECT_FALSE(FPlain->Down());
    // Clicked again, a grouped button stays down unless the group may be all up.
    FHost.Pause(1000);
    FHost.Click(Middle(FCheck));
    Pump();
    EXPECT_TRUE(FCheck->Down());
    FCheck->SetAllowAllUp(true);
    FHost.Pause(1000);
    FHost.Click(Middle(FCheck));
    Pump();
    EXPECT_FALSE(FCheck->Down());
}

TEST_F(ToolBarTest, ButtonsStandInRowsAndNewOnesAtTheLeftComeFirst) {
    FBar->SetButtonWidth(30);
    EXPECT_EQ(FPlain->BoundsRect(), (TRect{0, 0, 30, 22}));
    EXPECT_EQ(FCheck->BoundsRect(), (TRect{30, 0, 60, 22}));
    auto* first = NewComponent<TToolButton>(FForm);
    first->SetParent(FBar);
    EXPECT_EQ(FBar->Buttons(0), first);
    EXPECT_EQ(FPlain->Left(), 30);

    auto* separator = AddButton(tbsSeparator);
    EXPECT_EQ(separator->Width(), 8);
    auto* dropDown = AddButton(tbsDropDown);
    EXPECT_EQ(dropDown->BoundsRect(), (TRect{128, 0, 172, 22}));

    // A narrow bar wraps the buttons that do not fit into further rows.
    FBar->SetAlign(alNone);
    FBar->SetWidth(100);
    FBar->SetHeight(80);
    EXPECT_EQ(FDisabled->BoundsRect(), (TRect{0, 22, 30, 44}));
    EXPECT_EQ(dropDown->BoundsRect(), (TRect{38, 22, 82, 44}));

    // Edges inset the buttons.
    FBar->SetEdgeBorders({ebLeft, ebTop});
    EXPECT_EQ(first->BoundsRect(), (TRect{2, 2, 32, 24}));

    delete FCheck;
    FCheck = nullptr;
    EXPECT_EQ(FBar->ButtonCount(), 5);
    EXPECT_EQ(FDisabled->BoundsRect(), (TRect{62, 2, 92, 24}));
}

} // namespace

namespace {

// A menu bar: three buttons bound to the top items of a main menu, as a window frame builds it.
class ToolBarMenuTest : public StdCtrlATest {
  protected:
    void SetUp() override {
        StdCtrlATest::SetUp();
        FMenu = NewComponent<TMainMenu>(FForm);
        TMenuItem* file = Item(FMenu->Items(), "&File");
        Item(file, "&Open");
        Item(file, "&Close");
        TMenuItem* edit = Item(FMenu->Items(), "&Edit");
        Item(edit, "Cu&t");
        Item(FMenu->Items(), "&Help");
        FBar = Make<TToolBar>();
        FBar->SetFlat(true);
        FBar->SetShowCaptions(true);
        FBar->SetEdgeBorders({});
        // The bar puts each new button first, so the items are bound from the last.
        for (int i = FMenu->Items()->Count() - 1; i >= 0; --i) {
            auto* button = NewComponent<TToolButton>(FForm);
            button->SetParent(FBar);
            button->SetGrouped(true);
            button->SetMenuItem(FMenu->Items()->Items(i));
            button->SetAutoSize(true);
        }
        Pump();
    }
    TMenuItem* Item(TMenuItem* parent, const std::string& caption) {
        auto* item = NewComponent<TMenuItem>(FForm);
        item->SetCaption(caption);
        item->OnClick = [this](TObject* s) { FClicked.push_back(static_cast<TMenuItem*>(s)->Caption()); };
        parent->Add(item);
        return item;
    }
    TPoint Middle(int index) {
        TRect r = FBar->Buttons(index)->BoundsRect();
        return FBar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }

    TMainMenu* FMenu = nullptr;
    TToolBar* FBar = nullptr;
    std::vector<std::string> FClicked;
};

TEST_F(ToolBarMenuTest, ButtonsTakeTheItemsInMenuOrder) {
    ASSERT_EQ(FBar->ButtonCount(), 3);
    EXPECT_EQ(FBar->Buttons(0)->Caption(), "&File");
    EXPECT_EQ(FBar->Buttons(1)->Caption(), "&Edit");
    EXPECT_EQ(FBar->Buttons(2)->Caption(), "&Help");
    EXPECT_LT(FBar->Buttons(0)->Left(), FBar->Buttons(1)->Left());
    // Auto-sized to the caption, not the bar's button width.
    EXPECT_NE(FBar->Buttons(0)->Width(), FBar->Buttons(2)->Width() + 100);

    // Binding a button copies the item's state and action.
    auto* action = NewComponent<TAction>(FForm);
    action->SetCaption("&Guida");
    TMenuItem* help = FMenu->Items()->Items(2);
    help->SetAction(action);
    help->SetChecked(true);
    help->SetHint("Aiuto");
    auto* button = NewComponent<TToolButton>(FForm);
    button->SetMenuItem(help);
    EXPECT_EQ(button->Caption(), "&Guida");
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(button->Hint(), "Aiuto");
    EXPECT_EQ(button->Action(), action);
}

TEST_F(ToolBarMenuTest, ArrowsMoveBetweenMenusAndTheChosenItemRuns) {
    FHost.Click(Middle(0));
    FHost.KeyPress(VK_RIGHT); // Open has no sub-items: on to Edit
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"&File", "&Edit", "Cu&t"}));
    // The sub-items went back to their items.
    EXPECT_EQ(FMenu->Items()->Items(0)->Count(), 2);
    EXPECT_EQ(FMenu->Items()->Items(1)->Count(), 1);

    // Left from the first menu wraps to the last button, whose item has no sub-items: it only runs.
    FClicked.clear();
    FHost.Pause(1000);
    FHost.Click(Middle(0));
    FHost.KeyPress(VK_LEFT);
    Pump();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"&File", "&Help"}));
}

TEST_F(ToolBarMenuTest, MouseOntoAnotherButtonDropsItsMenuAndTheButtonShowsPressed) {
    TCustomDrawState editState;
    FMenu->Items()->Items(1)->Items(0)->OnClick = nullptr;
    FBar->OnCustomDrawButton = [&](TToolBar*, TToolButton* button, TCustomDrawState state, bool&) {
        if (button == FBar->Buttons(1) && state.Contains(cdsSelected)) editState = state;
    };
    FHost.Click(Middle(0));
    FHost.MouseMove(Middle(1));
    FHost.Pause(10); // the bar repaints while the menu waits
    FHost.KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"&File", "&Edit"}));
    EXPECT_TRUE(editState.Contains(cdsSelected));
    EXPECT_EQ(FMenu->Items()->Items(1)->Count(), 1);
    EXPECT_FALSE(FBar->Buttons(1)->DrawState().Contains(cdsSelected));
}

} // namespace

namespace {

TEST_F(ToolBarMenuTest, AltWithAnAcceleratorDropsThatMenu) {
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('E');
    FHost.KeyUp(VK_MENU);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"&Edit", "Cu&t"}));
    // A letter no button carries drops nothing.
    FClicked.clear();
    EXPECT_EQ(FForm->Perform(CM_DIALOGCHAR, 'q'), 0);
    EXPECT_TRUE(FClicked.empty());
}

} // namespace
