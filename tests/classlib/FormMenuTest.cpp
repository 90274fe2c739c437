#include "ControlsTestSupport.h"

#include "classlib/Edit.h"
#include "classlib/ImageList.h"
#include "classlib/MenuWindow.h"
#include "classlib/Menus.h"
#include "classlib/RegisterMenus.h"
#include "classlib/ShortCut.h"
#include "classlib/ToolBar.h"

namespace {

class TFormMenuTest : public TControlsTest {
  protected:
    TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption) {
        auto* item = NewComponent<TMenuItem>(owner);
        item->SetCaption(caption);
        item->OnClick = [this](TObject* s) { Clicked.push_back(static_cast<TMenuItem*>(s)->Caption()); };
        parent->Add(item);
        return item;
    }
    static TToolBar* MenuBarOf(TForm* form) {
        for (int i = 0; i < form->ControlCount(); ++i)
            if (auto* bar = dynamic_cast<TToolBar*>(form->Controls(i))) return bar;
        return nullptr;
    }
    std::vector<std::string> Clicked;
};

TEST_F(TFormMenuTest, AFormShowsItsMenuAlongItsTopAndRunsItsShortcuts) {
    TForm* form = ShownForm();
    auto* menu = NewComponent<TMainMenu>(form);
    TMenuItem* file = Item(form, menu->Items(), "&File");
    Item(form, file, "&Save")->SetShortCut(ShortCut('S', {ssCtrl}));
    Item(form, menu->Items(), "&Help");
    auto* edit = Make<TEdit>(form, Bounds(10, 40, 100, 21));
    int editKeys = 0;
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editKeys += key == 'S'; };
    form->SetMenu(menu);
    Pump();

    TToolBar* bar = MenuBarOf(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_EQ(bar->Top(), 0);
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->Caption(), "&File");
    EXPECT_EQ(bar->Buttons(1)->MenuItem(), menu->Items()->Items(1));

    // The shortcut runs its item once; the focused edit never sees the key.
    edit->SetFocus();
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress('S');
    FHost.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Clicked, std::vector<std::string>{"&Save"});
    EXPECT_EQ(editKeys, 0);
    FHost.KeyPress('S');
    Pump();
    EXPECT_EQ(editKeys, 1) << "without the shortcut's modifier the key is the edit's";

    // Alt with an accelerator drops the item's menu, as the bar's buttons do.
    Clicked.clear();
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('F');
    FHost.KeyUp(VK_MENU);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(Clicked, (std::vector<std::string>{"&File", "&Save"}));

    // No menu, no bar; a menu that goes takes its bar along.
    form->SetMenu(nullptr);
    EXPECT_EQ(MenuBarOf(form), nullptr);
    form->SetMenu(menu);
    EXPECT_NE(MenuBarOf(form), nullptr);
    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(MenuBarOf(form), nullptr);
    EXPECT_FALSE(form->IsShortCut('S', {ssCtrl}));
}

// The application's message hook has one holder; a message it marks handled goes no further.
TEST_F(TFormMenuTest, TheApplicationsHookSeesQueuedMessagesFirstAndStopsHandledOnes) {
    TForm* form = ShownForm();
    auto* edit = Make<TEdit>(form, Bounds(10, 40, 100, 21));
    Pump();
    edit->SetFocus();
    int keyDowns = 0;
    edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
    std::vector<UINT> seen;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) seen.push_back(msg.message);
        handled = (msg.message == WM_CHAR && msg.wParam == 'x') || (msg.message == WM_KEYDOWN && msg.wParam == VK_F5);
    };
    FHost.TypeText("bx");
    FHost.KeyPress(VK_F5);
    Pump();
    EXPECT_EQ(edit->Text(), "b") << "the handled character was never dispatched";
    EXPECT_EQ(keyDowns, 0) << "nor the handled key-down";
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), UINT(WM_KEYDOWN));
    Application->OnMessage = nullptr;
    FHost.TypeText("x");
    FHost.KeyPress(VK_F5);
    Pump();
    EXPECT_EQ(edit->Text(), "bx");
    EXPECT_EQ(keyDowns, 1);
}

} // namespace

namespace {

TEST_F(TFormMenuTest, AMenuFollowsTheBiDiModeOfTheControlItBelongsTo) {
    TForm* form = ShownForm();
    auto* menu = NewComponent<TMainMenu>(form);
    EXPECT_EQ(menu->BiDiMode(), bdLeftToRight);
    EXPECT_TRUE(menu->ParentBiDiMode());
    Item(form, menu->Items(), "&File");
    Item(form, menu->Items(), "&Help");
    form->SetMenu(menu);
    form->SetBiDiMode(bdRightToLeft);
    Pump();
    EXPECT_EQ(menu->BiDiMode(), bdRightToLeft) << "a later change of the form reaches its menu";

    // The form's bar runs from the right for a right-to-left menu.
    TToolBar* bar = MenuBarOf(form);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->BoundsRect().Right, bar->ClientWidth());
    EXPECT_EQ(bar->Buttons(1)->BoundsRect().Right, bar->Buttons(0)->Left());

    // Its own mode ends following; following again takes the form's mode at once.
    menu->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(menu->ParentBiDiMode());
    bar = MenuBarOf(form);
    EXPECT_EQ(bar->Buttons(0)->Left(), 0);
    form->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_EQ(menu->BiDiMode(), bdLeftToRight);
    menu->SetParentBiDiMode(true);
    EXPECT_EQ(menu->BiDiMode(), bdRightToLeftNoAlign);
    menu->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_FALSE(menu->ParentBiDiMode()) << "even setting the same mode";
    EXPECT_EQ(NewComponent<TMainMenu>(form)->BiDiMode(), bdRightToLeftNoAlign)
        << "a new menu starts as its form";

    // A popup menu follows the control it is shown for, else its owner.
    TPopupPresenter previous = SetPopupPresenter(nullptr);
    RegisterMenuClasses(); // the class library's presenter
    auto* popup = NewComponent<TPopupMenu>(form);
    Item(form, popup->Items(), "&Copy");
    auto* button = Make<TTestButton>(form, {10, 40, 110, 61});
    button->SetBiDiMode(bdRightToLeft);
    button->SetPopupMenu(popup);
    EXPECT_EQ(popup->BiDiMode(), bdRightToLeftNoAlign);
    FHost.Click(ScreenPoint(button, {5, 5}), 2);
    Pump();
    EXPECT_EQ(popup->PopupComponent(), button) << "shown for the control clicked";
    EXPECT_EQ(popup->BiDiMode(), bdRightToLeft);
    delete button;
    EXPECT_EQ(popup->BiDiMode(), bdRightToLeftNoAlign) << "its control gone, the owner's again";
    SetPopupPresenter(std::move(previous));
}

} // namespace

namespace {

// A right-to-left bar's item drops its menu down from the button's right edge, the menu drawn mirrored.
TEST_F(TFormMenuTest, ARightToLeftMenuBarDropsItsMenusFromTheRight) {
    TForm* form = ShownForm();
    auto* menu = NewComponent<TMainMenu>(form);
    menu->SetImages(NewComponent<TImageList>(form)); // the items then draw through their handlers
    TMenuItem* open = Item(form, Item(form, menu->Items(), "&File"), "&Open");
    TRect window;
    bool mirrored = false;
    open->OnDrawItem = [&](TObject*, TCanvas*, TRect, bool) {
        for (HWND h : GetTopLevelWindows())
            if (GetClassName(h) == MenuWindowClass) window = GetWindowRect(h);
        mirrored = open->GetParentMenu()->UseRightToLeftAlignment();
    };
    menu->SetBiDiMode(bdRightToLeft);
    form->SetMenu(menu);
    Pump();
    TToolButton* file = MenuBarOf(form)->Buttons(0);
    const TRect button = file->BoundsRect();
    FHost.Click(file->Parent()->ClientToScreen({button.Right - 3, button.Top + 3}));
    Pump();
    EXPECT_EQ(window.Right, file->Parent()->ClientToScreen({button.Right, 0}).X);
    EXPECT_EQ(window.Top, file->Parent()->ClientToScreen({0, button.Bottom}).Y);
    EXPECT_TRUE(mirrored);
}

} // namespace
