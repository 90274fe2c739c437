#include "ControlsTestSupport.h"

TEST_F(TControlsTest, ClickNeedsPressAndReleaseInside) {
    TForm* form = ShownForm();
    TTestButton* button = Make<TTestButton>(form, {10, 10, 70, 30});
    TTestShape* shape = Make<TTestShape>(form, {100, 10, 140, 50});
    int shapeClicks = 0;
    shape->OnClick = [&](TObject*) { ++shapeClicks; };
    std::vector<std::string> events;
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        events.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };

    FHost.Click(ScreenPoint(button, {5, 5}));
    Pump();
    EXPECT_EQ(button->Clicks, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"down 5,5", "up"}));

    // Pressed inside, released outside: the capture brings the release back, but no click.
    FHost.MouseDown(ScreenPoint(button, {5, 5}));
    FHost.MouseMove(ScreenPoint(button, {200, 200}));
    FHost.MouseUp(ScreenPoint(button, {200, 200}));
    Pump();
    EXPECT_EQ(button->Clicks, 1);
    EXPECT_EQ(events.back(), "up");

    // Pressed outside, released inside: no click either.
    FHost.MouseDown(ScreenPoint(form, {300, 200}));
    FHost.MouseMove(ScreenPoint(button, {5, 5}));
    FHost.MouseUp(ScreenPoint(button, {5, 5}));
    Pump();
    EXPECT_EQ(button->Clicks, 1);

    // A graphic control gets its own clicks through its parent, with the same rule.
    FHost.Click(ScreenPoint(shape, {3, 3}));
    FHost.MouseDown(ScreenPoint(shape, {3, 3}));
    FHost.MouseUp(ScreenPoint(form, {300, 200}));
    Pump();
    EXPECT_EQ(shapeClicks, 1);
}

TEST_F(TControlsTest, EnterAndLeaveFollowThePointerWhileAnotherHoldsTheCapture) {
    TForm* form = ShownForm();
    TTestButton* a = Make<TTestButton>(form, {10, 10, 70, 30});
    TTestButton* b = Make<TTestButton>(form, {100, 10, 160, 30});
    TTestShape* shape = Make<TTestShape>(form, {200, 10, 240, 50});
    std::vector<std::string> log;
    auto watch = [&](TControl* c, std::string name) {
        c->OnMouseEnter = [&log, name](TObject*) { log.push_back("enter " + name); };
        c->OnMouseLeave = [&log, name](TObject*) { log.push_back("leave " + name); };
    };
    watch(a, "a");
    watch(b, "b");
    watch(shape, "shape");
    watch(form, "form");

    FHost.MouseMove(ScreenPoint(a, {5, 5}));
    FHost.MouseDown(ScreenPoint(a, {5, 5})); // a holds the capture from here on
    FHost.MouseMove(ScreenPoint(b, {5, 5}));
    FHost.MouseMove(ScreenPoint(shape, {5, 5}));
    FHost.MouseMove(ScreenPoint(form, {300, 250}));
    FHost.MouseUp(ScreenPoint(form, {300, 250}));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b", "enter shape",
                                             "leave shape", "enter form"}));
    EXPECT_EQ(a->Clicks, 0);

    // Freeing the control under the mouse forgets it: the next move enters what lies there now.
    log.clear();
    FHost.MouseMove(ScreenPoint(b, {5, 5}));
    Pump();
    delete b;
    FHost.MouseMove(ScreenPoint(form, {130, 20}));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"leave form", "enter b", "enter form"}));
}

TEST_F(TControlsTest, TabOrderDialogKeysAndAccelerators) {
    TForm* form = ShownForm();
    TTestButton* first = Make<TTestButton>(form, {10, 10, 70, 30});
    TTestPanel* group = Make<TTestPanel>(form, {10, 50, 200, 150});
    TTestButton* inner1 = Make<TTestButton>(group, {5, 5, 60, 25});
    TTestButton* inner2 = Make<TTestButton>(group, {5, 30, 60, 50});
    TTestButton* last = Make<TTestButton>(form, {10, 200, 70, 220});
    last->SetCaption("&Ok");
    last->SetTabOrder(0); // first in the form's order now
    TTestButton* hidden = Make<TTestButton>(form, {100, 200, 170, 220});
    hidden->SetVisible(false);

    std::vector<std::string> log;
    first->OnEnter = [&](TObject*) { log.push_back("enter first"); };
    first->OnExit = [&](TObject*) { log.push_back("exit first"); };
    group->OnEnter = [&](TObject*) { log.push_back("enter group"); };
    group->OnExit = [&](TObject*) { log.push_back("exit group"); };
    inner1->OnEnter = [&](TObject*) { log.push_back("enter inner1"); };

    first->SetFocus();
    Pump();
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(form->ActiveControl(), first);

    FHost.KeyPress(VK_TAB);
    Pump();
    EXPECT_TRUE(inner1->Focused()) << "the group does not stop the tab: its children come next";
    EXPECT_EQ(log, (std::vector<std::string>{"enter first", "exit first", "enter group", "enter inner1"}));

    FHost.KeyPress(VK_DOWN); // arrows stay among the siblings
    Pump();
    EXPECT_TRUE(inner2->Focused());
    FHost.KeyPress(VK_TAB); // past the end, around to the start, skipping the hidden one
    Pump();
    EXPECT_TRUE(last->Focused());
    FHost.KeyDown(VK_SHIFT);
    FHost.KeyPress(VK_TAB);
    FHost.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_TRUE(inner2->Focused());
    EXPECT_EQ(log.back(), "enter group");

    // A control that wants tabs keeps them, and sees the key.
    int tabsSeen = 0;
    inner2->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { tabsSeen += key == VK_TAB; };
    inner2->WindowProc = [old = inner2->WindowProc](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) m.Result = DLGC_WANTTAB;
        else old(m);
    };
    FHost.KeyPress(VK_TAB);
    Pump();
    EXPECT_TRUE(inner2->Focused());
    EXPECT_EQ(tabsSeen, 1);

    // The accelerator character reaches the button named by it, from a control that does not want chars.
    FHost.TypeText("o");
    Pump();
    EXPECT_EQ(last->Clicks, 1);
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('O');
    FHost.KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(last->Clicks, 2);

    // Enter goes to the default button.
    first->FDefault = true;
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(first->Clicks, 1);

    // CM_FOCUSCHANGED reached every control of the form, graphic ones included.
    TTestShape* shape = Make<TTestShape>(group, {100, 5, 120, 25});
    LPARAM told = 0;
    shape->WindowProc = [&, old = shape->WindowProc](TMessage& m) {
        if (m.Msg == CM_FOCUSCHANGED) told = m.LParam;
        old(m);
    };
    first->SetFocus();
    EXPECT_EQ(told, LPARAM(static_cast<TWinControl*>(first)));
}

TEST_F(TControlsTest, KeyPressCanReplaceTheCharacterAndPreviewSeesItFirst) {
    TForm* form = ShownForm();
    TTestButton* edit = Make<TTestButton>(form, {10, 10, 70, 30});
    edit->SetCaption("x");
    std::u32string seen;
    edit->WindowProc = [&, old = edit->WindowProc](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) m.Result = DLGC_WANTCHARS;
        else old(m);
        if (m.Msg == WM_CHAR && m.WParam) seen += char32_t(m.WParam);
    };
    edit->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == U'a') key = U'b';
        if (key == U'z') key = 0;
    };
    form->SetKeyPreview(true);
    form->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == U'q') key = U'a';
    };
    edit->SetFocus();
    FHost.TypeText("aqzc");
    Pump();
    EXPECT_EQ(seen, U"bbc"); // z swallowed, q turned into a then into b
}

TEST_F(TControlsTest, PopupMenuOnRightReleaseAndFreeNotification) {
    TForm* form = ShownForm();
    TTestButton* button = Make<TTestButton>(form, {10, 10, 70, 30});
    TComponent* menu = NewComponent<TComponent>(nullptr);
    button->SetPopupMenu(menu);
    std::vector<TPoint> shownAt;
    std::vector<TControl*> shownFor;
    TPopupPresenter previous = SetPopupPresenter([&](TControl* c, TComponent* m, TPoint p) {
        EXPECT_EQ(m, menu);
        shownAt.push_back(p);
        shownFor.push_back(c);
    });
    FHost.Click(ScreenPoint(button, {4, 6}), 2);
    Pump();
    ASSERT_EQ(shownAt.size(), 1u);
    EXPECT_EQ(shownAt[0], ScreenPoint(button, {4, 6}));
    EXPECT_EQ(button->Left(), 10); // nothing moved

    // A graphic control without a menu passes the request to its parent.
    TTestShape* shape = Make<TTestShape>(form, {100, 10, 140, 50});
    form->SetPopupMenu(menu);
    FHost.Click(ScreenPoint(shape, {2, 2}), 2);
    Pump();
    ASSERT_EQ(shownAt.size(), 2u);
    EXPECT_EQ(shownAt[1], ScreenPoint(shape, {2, 2}));
    EXPECT_EQ(shownFor, (std::vector<TControl*>{button, form})) << "shown for the control whose menu it is";

    delete menu;
    EXPECT_EQ(button->PopupMenu(), nullptr);
    EXPECT_EQ(form->PopupMenu(), nullptr);
    FHost.Click(ScreenPoint(button, {4, 6}), 2);
    Pump();
    EXPECT_EQ(shownAt.size(), 2u);
    SetPopupPresenter(std::move(previous));
}
