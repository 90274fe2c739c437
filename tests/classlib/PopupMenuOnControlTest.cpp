#include "ControlsTestSupport.h"

#include "classlib/Menus.h"
#include "classlib/RegisterMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The real menu, through the presenter the menus install: the chosen item runs and nothing moves.
TEST_F(TControlsTest, RightClickShowsTheControlsPopupMenuAndRunsTheChosenItem) {
    RegisterMenuClasses();
    TForm* form = ShownForm();
    TTestButton* button = Make<TTestButton>(form, {10, 10, 70, 30});
    TPopupMenu* menu = NewComponent<TPopupMenu>(form);
    std::vector<std::string> clicked;
    for (const char* caption : {"Uno", "Due"}) {
        TMenuItem* item = NewComponent<TMenuItem>(menu);
        item->SetCaption(caption);
        item->OnClick = [&clicked, caption](TObject*) { clicked.push_back(caption); };
        menu->Items()->Add(item);
    }
    button->SetPopupMenu(menu);

    FHost.Click(ScreenPoint(button, {4, 6}), 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(clicked, std::vector<std::string>{"Due"});
    EXPECT_EQ(button->Left(), 10);

    menu->SetAutoPopup(false);
    FHost.Click(ScreenPoint(button, {4, 6}), 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(clicked.size(), 1u) << "a menu without AutoPopup stays closed";
}

} // namespace
