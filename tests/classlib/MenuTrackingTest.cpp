#include "classlib/MenuWindow.h"
#include "classlib/Menus.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ItemWidth = 120, ItemHeight = 20, LineHeight = 8, Border = 3;

// A form window under the menus (active, so keys come to the application) and a popup menu whose items
// measure a fixed size, so a test knows where each lies.
class MenuTrackingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        TWndProc proc = [this](HWND h, UINT m, WPARAM w, LPARAM l) {
            FFormMessages.push_back(m);
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(WNDCLASS{"MenuTestForm", 0, proc, clWhite});
        FForm = CreateWindowEx(0, "MenuTestForm", "form", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr);
        SetActiveWindow(FForm);
        FOwner = NewComponent<TComponent>(nullptr);
        FMenu = NewComponent<TPopupMenu>(FOwner);
        FMenu->SetOwnerDraw(true);
    }
    void TearDown() override {
        delete FOwner;
        ShutdownWindowSystem();
    }

    TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
        TMenuItem* item = NewComponent<TMenuItem>(FOwner);
        item->SetCaption(caption);
        item->OnMeasureItem = [this](TObject* s, TCanvas*, int& w, int& h) {
            w = ItemWidth;
            h = static_cast<TMenuItem*>(s)->IsLine() ? LineHeight : ItemHeight;
            FMeasured.push_back(static_cast<TMenuItem*>(s)->Caption());
        };
        item->OnClick = [this](TObject* s) { FClicked.push_back(static_cast<TMenuItem*>(s)->Caption()); };
        parent->Add(item);
        return item;
    }
    // The middle of the item at `index` of a menu shown at `origin`, its items all ItemHeight high.
    static TPoint ItemPoint(TPoint origin, int index) {
        return {origin.X + Border + ItemWidth / 2, origin.Y + Border + index * ItemHeight + ItemHeight / 2};
    }
    int MenuWindowCount() const {
        auto tops = GetTopLevelWindows();
        return int(std::count_if(tops.begin(), tops.end(),
                                 [](HWND h) { return GetClassName(h) == MenuWindowClass; }));
    }
    void Keys(std::initializer_list<int> keys) {
        for (int vk : keys)
            FHost.KeyPress(vk);
    }

    THeadlessHost FHost;
    HWND FForm = nullptr;
    std::vector<UINT> FFormMessages;
    TComponent* FOwner = nullptr;
    TPopupMenu* FMenu = nullptr;
    std::vector<std::string> FMeasured;
    std::vector<std::string> FClicked;
};

TEST_F(MenuTrackingTest, ClickRunsTheItemAfterPopupReturned) {
    Add(FMenu->Items(), "&Copy");
    Add(FMenu->Items(), "&Paste");
    std::vector<std::string> popups;
    FMenu->OnPopup = [&](TObject*) { popups.push_back("popup"); };
    FHost.Click(ItemPoint({200, 150}, 1), 2); // the right button chooses too
    FMenu->Popup(200, 150);
    EXPECT_EQ(popups.size(), 1u);
    EXPECT_TRUE(FClicked.empty()) << "the click waits for the message loop";
    EXPECT_EQ(MenuWindowCount(), 0);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, std::vector<std::string>{"&Paste"});
    EXPECT_EQ(FMenu->PopupPoint(), (TPoint{200, 150}));
}

TEST_F(MenuTrackingTest, ADesktopThatFocusesTheMenuTakesNoActivationFromTheForm) {
    Add(FMenu->Items(), "&Copy");
    Add(FMenu->Items(), "Cancella selezione");
    FHost.SetFocusOnShow(true);
    ShowWindow(FForm, SW_HIDE);
    ShowWindow(FForm, SW_SHOW);
    RunUntilIdle();
    ASSERT_EQ(GetActiveWindow(), FForm);
    FFormMessages.clear();
    FHost.Click(ItemPoint({200, 150}, 1));
    FMenu->Popup(200, 150);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, std::vector<std::string>{"Cancella selezione"});
    EXPECT_EQ(GetActiveWindow(), FForm);
    // The form's title bar never went grey.
    EXPECT_EQ(std::count(FFormMessages.begin(), FFormMessages.end(), UINT(WM_NCACTIVATE)), 0);
    EXPECT_EQ(std::count(FFormMessages.begin(), FFormMessages.end(), UINT(WM_ACTIVATE)), 0);
}

TEST_F(MenuTrackingTest, ClickOutsideClosesAndIsConsumed) {
    Add(FMenu->Items(), "&Copy");
    FHost.Click({600, 500});
    FMenu->Popup(200, 150);
    EXPECT_EQ(MenuWindowCount(), 0);
    RunUntilIdle();
    EXPECT_TRUE(FClicked.empty());
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        EXPECT_EQ(std::count(FFormMessages.begin(), FFormMessages.end(), m), 0) << "message " << m;
}

TEST_F(MenuTrackingTest, MeasuresOnceThenDrawsEveryRepaintInItemOrder) {
    TMenuItem* hidden = Add(FMenu->Items(), "Hidden");
    hidden->SetVisible(false);
    std::vector<std::string> drawn;
    for (const char* caption : {"One", "-", "Two", "Three"}) {
        TMenuItem* item = Add(FMenu->Items(), caption);
        item->OnDrawItem = [&](TObject* s, TCanvas*, TRect r, bool selected) {
            drawn.push_back(static_cast<TMenuItem*>(s)->Caption() + (selected ? "*" : "") + "@" +
                            std::to_string(r.Top));
            EXPECT_TRUE(FMeasured.size() == 4u) << "every visible item was measured before the first draw";
        };
    }
    FHost.Pause(10);
    FHost.MouseMove(ItemPoint({100, 100}, 0) + TPoint{0, LineHeight + ItemHeight});
    FHost.Pause(10);
    FHost.MouseMove(ItemPoint({100, 100}, 0));
    FHost.Pause(10);
    FHost.KeyPress(VK_ESCAPE);
    FMenu->Popup(100, 100);
    EXPECT_EQ(FMeasured, (std::vector<std::string>{"One", "-", "Two", "Three"}));
    std::vector<std::string> expected{"One@0",   "-@20", "Two@28", "Three@48", // the first paint
                                      "Two*@28",                               // hovering Two
                                      "One*@0",  "-@20", "Two@28"};            // then One: the repaint
                                                                               // spans what lies between
    EXPECT_EQ(drawn, expected);
    EXPECT_TRUE(FClicked.empty());
}

TEST_F(MenuTrackingTest, RedundantSeparatorsAreLeftOutUnlessLinesAreManual) {
    for (const char* caption : {"-", "One", "-", "Hidden", "-", "Two", "-"})
        Add(FMenu->Items(), caption);
    FMenu->Items()->Items(3)->SetVisible(false);
    TMenuItem* more = Add(FMenu->Items(), "More");
    for (const char* caption : {"-", "Three", "-"})
        Add(more, caption);
    auto shown = [&](auto&&... keys) {
        FMeasured.clear();
        for (int vk : {keys...})
            FHost.KeyPress(vk);
        FHost.KeyPress(VK_ESCAPE);
        FHost.KeyPress(VK_ESCAPE);
        FMenu->Popup(100, 100);
        return FMeasured;
    };
    using V = std::vector<std::string>;
    // Leading, doubled and trailing lines go, also around a hidden item; More's menu shows Three alone.
    EXPECT_EQ(shown(VK_UP, VK_RIGHT), (V{"One", "-", "Two", "-", "More", "Three"}));
    // Manual on the menu keeps every visible line; an item may decide for its own sub-items.
    FMenu->SetAutoLineReduction(maManual);
    more->SetAutoLineReduction(maAutomatic);
    EXPECT_EQ(shown(VK_UP, VK_RIGHT), (V{"-", "One", "-", "-", "Two", "-", "More", "Three"}));
    more->SetAutoLineReduction(maParent);
    EXPECT_EQ(shown(VK_UP, VK_RIGHT), (V{"-", "One", "-", "-", "Two", "-", "More", "-", "Three", "-"}));
    EXPECT_TRUE(FClicked.empty());
}

TEST_F(MenuTrackingTest, StaysInsideTheWorkAreaAtTheScreenEdge) {
    for (const char* caption : {"A", "B", "C"})
        Add(FMenu->Items(), caption);
    TRect work = FHost.WorkArea();
    TRect seen;
    FMenu->Items()->Items(0)->OnDrawItem = [&](TObject*, TCanvas*, TRect, bool) {
        auto tops = GetTopLevelWindows();
        for (HWND h : tops)
            if (GetClassName(h) == MenuWindowClass) seen = GetWindowRect(h);
    };
    FMenu->Popup(work.Right - 5, work.Bottom - 5);
    TSize size{ItemWidth + 2 * Border, 3 * ItemHeight + 2 * Border};
    EXPECT_EQ(seen, Bounds(work.Right - 5 - size.cx, work.Bottom - 5 - size.cy, size.cx, size.cy))
        << "flipped to the left of and above the point";
    EXPECT_EQ(PlacePopupMenu(size, {work.Right - 5, 10}, paCenter, work),
              Bounds(work.Right - size.cx, 10, size.cx, size.cy));
    EXPECT_EQ(PlacePopupMenu(size, {-50, -50}, paLeft, work), Bounds(work.Left, work.Top, size.cx, size.cy));
    TRect parent = Bounds(work.Right - 130, 100, 126, 66);
    EXPECT_EQ(PlaceSubMenu(size, parent, Bounds(work.Right - 127, 123, 120, 20), work),
              Bounds(parent.Left - size.cx + Border, 120, size.cx, size.cy))
        << "a sub-menu without room on the right opens on the left";
    EXPECT_EQ(PlaceSubMenu(size, Bounds(10, 100, 126, 66), Bounds(13, 103, 120, 20), work),
              Bounds(133, 100, size.cx, size.cy));
    EXPECT_EQ(PlaceSubMenu(size, Bounds(300, 100, 126, 66), Bounds(303, 103, 120, 20), work, true),
              Bounds(300 - size.cx + Border, 100, size.cx, size.cy))
        << "right to left, a sub-menu opens on the left";
    EXPECT_EQ(PlaceSubMenu(size, Bounds(10, 100, 126, 66), Bounds(13, 103, 120, 20), work, true),
              Bounds(133, 100, size.cx, size.cy))
        << "and on the right without room on the left";
}

TEST_F(MenuTrackingTest, KeyboardWalkSkipsSeparatorsAndRunsNoDisabledItem) {
    Add(FMenu->Items(), "First");
    Add(FMenu->Items(), "-");
    Add(FMenu->Items(), "Disabled")->SetEnabled(false);
    Add(FMenu->Items(), "Last");
    Keys({VK_DOWN, VK_DOWN, VK_RETURN, VK_SPACE}); // First, then over the line to Disabled
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty()) << "a disabled item is selectable but does not run";

    Keys({VK_UP, VK_UP, VK_RETURN}); // Up from nothing selects Last, the next Up Disabled
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty());

    Keys({VK_UP, VK_RETURN});
    FMenu->Popup(100, 100);
    Keys({VK_END, VK_DOWN, VK_RETURN}); // wraps from Last to First
    FMenu->Popup(100, 100);
    Keys({VK_DOWN, VK_HOME, VK_SPACE});
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"Last", "First", "First"}));
}

TEST_F(MenuTrackingTest, EscapeAndAcceleratorsAndSubMenus) {
    TMenuItem* more = Add(FMenu->Items(), "&More");
    Add(more, "&Inner");
    Add(more, "In&ternal");
    Add(FMenu->Items(), "&Plain");

    Keys({VK_DOWN, VK_ESCAPE, VK_RETURN});
    FMenu->Popup(100, 100);
    EXPECT_EQ(MenuWindowCount(), 0);
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty()) << "Escape closed the menu; Enter came after it";
    FClicked.clear();

    Keys({VK_DOWN, VK_RIGHT, VK_RETURN});
    FMenu->Popup(100, 100);
    Keys({VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}); // Left closed the sub-menu: Down moves to Plain
    FMenu->Popup(100, 100);
    Keys({VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN}); // Escape closes one level only
    FMenu->Popup(100, 100);
    Keys({'M', 'T'}); // the letter opens the sub-menu, the next runs its item
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, (std::vector<std::string>{"&Inner", "&Plain", "&Plain", "In&ternal"}));
}

TEST_F(MenuTrackingTest, HoverOpensSubMenuAndReleaseRunsItsItem) {
    TMenuItem* more = Add(FMenu->Items(), "More");
    Add(more, "Inner");
    Add(more, "Deep");
    Add(FMenu->Items(), "Plain");
    TPoint origin{100, 100};
    TPoint sub{origin.X + ItemWidth + 2 * Border - Border,
               origin.Y}; // beside More, its first item level with it
    FHost.MouseMove(ItemPoint(origin, 0));
    FHost.Click(ItemPoint(sub, 1));
    FMenu->Popup(origin.X, origin.Y);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, std::vector<std::string>{"Deep"});
}

TEST_F(MenuTrackingTest, EndsWhenInputRunsOutOrFocusGoes) {
    Add(FMenu->Items(), "Only");
    FMenu->Popup(100, 100); // no input at all: the headless host ends the loop
    EXPECT_EQ(MenuWindowCount(), 0);
    FHost.KeyPress(VK_DOWN);
    FHost.FocusSurface(GetHostSurface(FForm), false);
    FHost.KeyPress(VK_RETURN);
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty());

    // Another part of the program cancels modes while the menu is open.
    SetActiveWindow(FForm);
    SetTimer(nullptr, 7, 20, [](HWND, UINT, uintptr_t, DWORD) {
        for (HWND h : GetTopLevelWindows())
            if (GetClassName(h) == MenuWindowClass) SendMessage(h, WM_CANCELMODE);
    });
    FHost.KeyPress(VK_DOWN);
    FHost.Pause(50);
    FHost.KeyPress(VK_RETURN);
    FMenu->Popup(100, 100);
    KillTimer(nullptr, 7);
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty());
    Keys({VK_DOWN, VK_RETURN});
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, std::vector<std::string>{"Only"}) << "the same keys without the cancel";
}

TEST_F(MenuTrackingTest, MenuBarTakesArrowsAndTheMouseOverIt) {
    TMenuItem* more = Add(FMenu->Items(), "More");
    Add(more, "Inner");
    Add(FMenu->Items(), "Plain");
    std::vector<std::string> asked;
    TMenuBarExit bar;
    bar.Claims = [&](TPoint p) {
        asked.push_back("move " + std::to_string(p.Y));
        return p.Y < 50; // over the bar's buttons
    };
    auto track = [&] { return TrackMenu(*FMenu, {100, 100}, paLeft, bar); };

    Keys({VK_DOWN, VK_RIGHT, VK_LEFT, VK_LEFT}); // Left closes the sub-menu first, then goes to the bar
    EXPECT_EQ(track(), nullptr);
    EXPECT_TRUE(bar.MovedOn);
    EXPECT_EQ(bar.Step, -1);
    Keys({VK_DOWN, VK_DOWN, VK_RIGHT}); // Right on Plain, which has no sub-menu
    EXPECT_EQ(track(), nullptr);
    EXPECT_TRUE(bar.MovedOn);
    EXPECT_EQ(bar.Step, 1);
    FHost.MouseMove({500, 300}); // beside the menu, not over the bar: tracking goes on
    FHost.MouseMove({500, 20});
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(track(), nullptr);
    EXPECT_TRUE(bar.MovedOn);
    EXPECT_EQ(bar.Step, 0);
    EXPECT_EQ(asked, (std::vector<std::string>{"move 300", "move 20"}));
    EXPECT_EQ(MenuWindowCount(), 0);
    RunUntilIdle();
    EXPECT_TRUE(FClicked.empty());

    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(track(), FMenu->Items()->Items(1)) << "the chosen item is returned, not run";
    EXPECT_FALSE(bar.MovedOn);
    EXPECT_TRUE(FClicked.empty());
}

TEST_F(MenuTrackingTest, HandlerMayFreeTheMenusOwner) {
    TMenuItem* item = Add(FMenu->Items(), "Close");
    Add(FMenu->Items(), "Other");
    item->OnClick = [this](TObject*) {
        delete FOwner;
        FOwner = nullptr;
    };
    Keys({VK_DOWN, VK_RETURN});
    FMenu->Popup(100, 100);
    ProcessPendingMessages();
    EXPECT_EQ(FOwner, nullptr);

    // A click posted for an item that is gone by the time it would run does nothing.
    FOwner = NewComponent<TComponent>(nullptr);
    FMenu = NewComponent<TPopupMenu>(FOwner);
    Add(FMenu->Items(), "Late");
    Keys({VK_DOWN, VK_RETURN});
    FMenu->Popup(100, 100);
    delete FMenu;
    ProcessPendingMessages();
    EXPECT_TRUE(FClicked.empty());
}

} // namespace

namespace {

TEST_F(MenuTrackingTest, ARightToLeftMenuOpensItsSubMenusOnTheLeft) {
    TMenuItem* more = Add(FMenu->Items(), "More");
    Add(more, "Inner");
    Add(more, "Deep");
    FMenu->SetBiDiMode(bdRightToLeft);
    TPoint origin{400, 100};
    TPoint sub{origin.X - (ItemWidth + 2 * Border) + Border, origin.Y};
    FHost.MouseMove(ItemPoint(origin, 0));
    FHost.Click(ItemPoint(sub, 1));
    FMenu->Popup(origin.X, origin.Y);
    ProcessPendingMessages();
    EXPECT_EQ(FClicked, std::vector<std::string>{"Deep"});
}

} // namespace
