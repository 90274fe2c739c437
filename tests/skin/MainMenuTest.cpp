#include "FrameTestSupport.h"
#include "MenuWindowPeek.h"
#include "ThemeFileBuilder.h"

#include "classlib/Edit.h"
#include "classlib/ImageList.h"
#include "classlib/ShortCut.h"
#include "platform/Input.h"
#include "skin/TAVButton.h"
#include "skin/TAVMainMenu.h"
#include "skin/TAVPublic.h"


namespace {

constexpr TColor ProteinMenuBar = 0xCED3D6;
constexpr TColor ProteinSelected = 0xC4302D;

// A skinned main menu on the main window's frame: File (New with Ctrl+N, a line, Exit), Edit (Copy), Help.
class MainMenuTest : public TFrameTest {
protected:
    TtavMainMenu* AttachMenu(TForm* form) {
        auto* menu = NewComponent<TtavMainMenu>(form);
        TMenuItem* file = Item(form, menu->Items(), "&File");
        Item(form, file, "&New")->SetShortCut(ShortCut('N', {ssCtrl}));
        Item(form, file, "-");
        Item(form, file, "E&xit");
        Item(form, Item(form, menu->Items(), "&Edit"), "&Copy");
        Item(form, menu->Items(), "&Help");
        menu->Loaded(); // as a layout ends: items hooked, the bar rebuilt
        RunUntilIdle();
        return menu;
    }
    TMenuItem* Item(TForm* form, TMenuItem* parent, const std::string& caption) {
        auto* item = NewComponent<TMenuItem>(form);
        item->SetCaption(caption);
        item->OnClick = [this](TObject* s) { Clicked.push_back(static_cast<TMenuItem*>(s)->Caption()); };
        parent->Add(item);
        return item;
    }
    static TPoint ButtonMiddle(TToolBar* bar, int index) {
        const TRect r = bar->Buttons(index)->BoundsRect();
        return bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TColor Screen(TPoint p) { return PixelToColor(FHost.ScreenPixel(p)); }

    std::vector<std::string> Clicked;
};

TEST_F(MainMenuTest, ANewMenuTakesItsFramesStyleAndKeepsItsValues) {
    TForm* form = ShowLayout(MainLayout());
    auto* plain = NewComponent<TMainMenu>(form);
    form->SetMenu(plain);
    TtavMainMenu* menu = AttachMenu(form);
    EXPECT_EQ(form->Menu(), nullptr) << "the form's own menu is taken away";
    EXPECT_EQ(FrameOf(form)->Menu(), menu);
    EXPECT_EQ(menu->Frame(), FrameOf(form));
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(menu->Look().BarWidth, 26);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    EXPECT_EQ(menu->Look().BarColor, ProteinMenuBar);
    EXPECT_TRUE(GetOrdProp(menu, "OwnerDraw"));

    // Without a frame: DeepBlue and the defaults under it.
    TForm* bare = ShownForm();
    auto* other = NewComponent<TtavMainMenu>(bare);
    EXPECT_EQ(other->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(other->Frame(), nullptr);
    EXPECT_TRUE(other->Look().UseSystemFont);
    EXPECT_EQ(other->Look().FontName, "MS Sans Serif");

    // MacOS keeps its heights.
    other->SetUIStyle(TtavUIStyle::MacOS);
    other->SetMenuItemHeight(30);
    other->SetSeparatorHeight(3);
    EXPECT_EQ(other->MenuItemHeight(), 20);
    EXPECT_EQ(other->SeparatorHeight(), 12);
    EXPECT_EQ(other->Look().SeparatorColor, TColor(0));

    // The own check-mark list never reads as Images; a user's list does, and none puts the own back.
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_NE(static_cast<TMenu*>(menu)->Images(), nullptr);
    std::unique_ptr<TImageList> images = TImageList::CreateSize(16, 16);
    menu->SetImages(images.get());
    EXPECT_EQ(menu->Images(), images.get());
    menu->SetImages(nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_TRUE(static_cast<TMenu*>(menu)->IsOwnerDraw());

    // Through the frame: a new style reaches the menu.
    FrameOf(form)->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::WinXP);
}

TEST_F(MainMenuTest, ItemsDrawInTheMenusStyleWithItsOwnCheckMark) {
    TForm* form = ShowLayout(MainLayout());
    TtavMainMenu* menu = AttachMenu(form);
    TMenuItem* item = menu->Items()->Items(0)->Items(0);
    TBitmap bitmap;
    bitmap.SetSize(160, 21);
    auto draw = [&](bool selected) {
        bitmap.Canvas()->Brush()->SetColor(clLime);
        bitmap.Canvas()->FillRect({0, 0, 160, 21});
        item->DrawItem(bitmap.Canvas(), {0, 0, 160, 21}, selected);
    };
    auto at = [&](int x, int y) { return PixelToColor(bitmap.Surface().Pixel(x, y)); };
    int width = 0, height = 0;
    item->MeasureItem(bitmap.Canvas(), width, height);
    EXPECT_EQ(height, 21);
    menu->Items()->Items(0)->Items(1)->MeasureItem(bitmap.Canvas(), width, height);
    EXPECT_EQ(height, 5) << "a separator";

    draw(false);
    EXPECT_EQ(at(10, 10), ProteinMenuBar);
    EXPECT_EQ(at(100, 2), clWhite);
    draw(true);
    EXPECT_EQ(at(10, 10), ProteinSelected);

    // A checked item with an image index but no list of the user's shows the mark, and no image.
    item->SetImageIndex(0);
    item->SetChecked(true);
    draw(false);
    int mark = 0;
    for (int y = 3; y < 19; ++y)
        for (int x = 4; x < 20; ++x)
            if (at(x, y) != ProteinMenuBar) ++mark;
    EXPECT_GT(mark, 10);
    EXPECT_EQ(at(3, 2), ProteinMenuBar) << "no black box: it has no image";

    // BorderColor draws nothing; the other stored values draw at once.
    SetOrdProp(menu, "BorderColor", int64_t(clRed));
    item->SetChecked(false);
    draw(false);
    EXPECT_EQ(at(100, 2), clWhite);
    SetOrdProp(menu, "Color", int64_t(clYellow));
    draw(false);
    EXPECT_EQ(at(100, 2), clYellow);

    // MacOS pictures; a theme file's colours; the theme component's removal brings DeepBlue back.
    menu->SetUIStyle(TtavUIStyle::MacOS);
    draw(true);
    EXPECT_EQ(at(0, 10), RGB(0x39, 0x73, 0xC4));
    TTempFolder folder;
    const std::string path = folder.File("items.tav");
    using B = TThemeFileBuilder;
    B::Chain({{"MenuBarColor", B::Integer, B::Int32(0x445566)},
              {"MenuBackgroundColor", B::Integer, B::Int32(0x112233)},
              {"MenuSelectedBackgroundColor", B::Integer, B::Int32(0x778899)}})
        .Save(path);
    auto* theme = NewComponent<TtavFileTheme>(form);
    theme->SetThemeFile(path);
    menu->SetFileTheme(theme);
    menu->SetUIStyle(TtavUIStyle::FromThemeFile);
    draw(false);
    EXPECT_EQ(at(10, 10), TColor(0x445566));
    EXPECT_EQ(at(100, 2), TColor(0x112233));
    draw(true);
    EXPECT_EQ(at(10, 10), TColor(0x778899));
    delete theme;
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::DeepBlue);
}

TEST_F(MainMenuTest, TheFrameShowsTheTopItemsAsAMenuBarUnderItsTitleBar) {
    TForm* form = ShowLayout(MainLayout());
    TtavForm* frame = FrameOf(form);
    EXPECT_EQ(frame->MenuBar(), nullptr) << "no menu, no bar";
    TtavMainMenu* menu = AttachMenu(form);
    TToolBar* bar = frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Buttons(0)->Caption(), "&File");
    EXPECT_EQ(bar->Buttons(1)->Caption(), "&Edit");
    EXPECT_EQ(bar->Buttons(2)->Caption(), "&Help");
    EXPECT_LT(bar->Buttons(0)->Left(), bar->Buttons(1)->Left());
    EXPECT_TRUE(bar->Buttons(0)->Grouped());
    EXPECT_EQ(bar->Buttons(0)->Owner(), frame);
    EXPECT_EQ(frame->TitleBar()->Top(), 0);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 23, 699, 22));
    EXPECT_EQ(bar->Color(), TColor(16514043));
    frame->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(bar->Color(), GetBuiltinThemeColor(TtavUIStyle::WinXP, tavkey::FormBackgroundColor))
        << "a new style's background reaches the bar";
    frame->SetUIStyle(TtavUIStyle::Protein);

    // Without its title bar the frame has the menu bar at its top; the title bar comes back above it.
    frame->SetTitleBarVisible(false);
    EXPECT_EQ(bar->Top(), 0);
    frame->SetTitleBarVisible(true);
    EXPECT_EQ(frame->TitleBar()->Top(), 0);
    EXPECT_EQ(bar->Top(), 23);

    // At run time renaming or disabling an item changes its button; a new top item adds none.
    menu->Items()->Items(1)->SetCaption("&Modifica");
    menu->Items()->Items(2)->SetEnabled(false);
    Item(form, menu->Items(), "&Tools");
    EXPECT_EQ(bar->Buttons(1)->Caption(), "&Modifica");
    EXPECT_FALSE(bar->Buttons(2)->Enabled());
    EXPECT_EQ(bar->ButtonCount(), 3);

    frame->SetMenuBarHeight(30);
    frame->SetMenuBarColor(clYellow);
    RunUntilIdle();
    EXPECT_EQ(bar->Height(), 30);
    EXPECT_EQ(bar->Buttons(0)->Height(), 30);
    EXPECT_EQ(bar->Color(), clYellow);
    EXPECT_EQ(PixelAt(form, 1 + 600, 23 + 10), clYellow);

    // Dropping the menu frees the bar; so does destroying it.
    frame->SetMenu(nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(menu->Frame(), nullptr);
    frame->SetMenu(menu);
    ASSERT_NE(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->MenuBar()->ButtonCount(), 4) << "an attachment rebuilds";
    delete menu;
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->Menu(), nullptr);

    // A plain main menu gets buttons too; a plain one given to the form is detached when it is shown.
    auto* plain = NewComponent<TMainMenu>(form);
    Item(form, plain->Items(), "&Solo");
    frame->SetMenu(plain);
    ASSERT_NE(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->MenuBar()->Buttons(0)->Caption(), "&Solo");
    form->SetMenu(plain);
    form->Hide();
    EXPECT_EQ(form->Menu(), nullptr);
}

TEST_F(MainMenuTest, ASubMenuDropsFromItsButtonDrawnByTheMenuAndRunsTheChosenItem) {
    TForm* form = ShowLayout(MainLayout());
    AttachMenu(form);
    TToolBar* bar = FrameOf(form)->MenuBar();
    TColor barPixel = clNone, selectedPixel = clNone, pressedEdge = clNone, pressedInside = clNone;
    PeekAtMenuWindow([&](HWND menuWindow) {
        const TRect r = GetWindowRect(menuWindow);
        barPixel = Screen({r.Left + 3 + 10, r.Top + 3 + 21 + 5 + 10}); // on Exit, below New and the line
        selectedPixel = Screen({r.Left + 3 + 60, r.Top + 3 + 2});
        const TRect button = bar->Buttons(0)->BoundsRect();
        pressedEdge = PixelToColor(WindowPixel(form, 1 + button.Right - 2, 23 + 10));
        pressedInside = PixelToColor(WindowPixel(form, 1 + button.Right - 3, 23 + 10));
    });
    FHost.Click(ButtonMiddle(bar, 0));
    FHost.KeyPress(VK_DOWN);
    FHost.Pause(60);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    StopPeekingAtMenuWindow();
    EXPECT_EQ(Clicked, (std::vector<std::string>{"&File", "&New"}));
    EXPECT_EQ(barPixel, ProteinMenuBar);
    EXPECT_EQ(selectedPixel, ProteinSelected);
    EXPECT_NE(pressedEdge, ProteinSelected) << "a pressed button's rectangle ends 2 pixels early";
    EXPECT_EQ(pressedInside, GetBuiltinThemeColor(TtavUIStyle::Protein, tavkey::MenuSelectedBorderColor));

    // Right moves on to Edit; Alt with an accelerator drops that menu, whose accelerator then runs.
    Clicked.clear();
    FHost.Pause(1000);
    FHost.Click(ButtonMiddle(bar, 0));
    FHost.KeyPress(VK_RIGHT); // New has no sub-items
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('F');
    FHost.KeyUp(VK_MENU);
    FHost.KeyPress('X');
    RunUntilIdle();
    EXPECT_EQ(Clicked, (std::vector<std::string>{"&File", "&Edit", "&Copy", "&File", "E&xit"}));
}

TEST_F(MainMenuTest, AltClosesADroppedMenuAndALetterAloneDropsOneWhereTheFocusTakesNoCharacters) {
    TForm* form = ShowLayout(MainLayout());
    AttachMenu(form);
    TToolBar* bar = FrameOf(form)->MenuBar();
    auto* button = Make<TtavButton>(FrameOf(form), {20, 60, 80, 25});
    auto* edit = Make<TEdit>(FrameOf(form), {20, 100, 120, 21});
    RunUntilIdle();

    // A key as a keyboard gives it: its key-down, then its character.
    auto letter = [this](int key, const char* text) {
        FHost.KeyDown(key);
        FHost.TypeText(text);
        FHost.KeyUp(key);
    };

    // Alt closes File's menu: the keys after it choose nothing there.
    button->SetFocus();
    FHost.Click(ButtonMiddle(bar, 0));
    FHost.KeyPress(VK_MENU);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(Clicked, std::vector<std::string>{"&File"});

    // The button takes no characters: a letter alone is the accelerator of the bar's Edit.
    Clicked.clear();
    FHost.Pause(1000);
    button->SetFocus();
    letter('E', "e");
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(Clicked, (std::vector<std::string>{"&Edit", "&Copy"}));

    // The edit takes it as text.
    Clicked.clear();
    edit->SetFocus();
    letter('E', "e");
    RunUntilIdle();
    EXPECT_TRUE(Clicked.empty());
    EXPECT_EQ(edit->Text(), "e");
}

TEST_F(MainMenuTest, AnItemMayFreeItsWindowWhetherChosenFromTheBarOrByItsShortcut) {
    // Exit frees the window, its frame, menu bar and menu, from the dropped menu and from its shortcut.
    for (bool byShortCut : {false, true}) {
        TForm* form = ShowLayout(MainLayout());
        TtavMainMenu* menu = AttachMenu(form);
        TMenuItem* exit = menu->Items()->Items(0)->Items(2);
        exit->SetShortCut(ShortCut('Q', {ssCtrl}));
        exit->OnClick = [form](TObject*) { delete form; };
        const HWND window = form->Handle();
        if (byShortCut) {
            FHost.KeyDown(VK_CONTROL);
            FHost.KeyPress('Q');
            FHost.KeyUp(VK_CONTROL);
        } else {
            FHost.Click(ButtonMiddle(FrameOf(form)->MenuBar(), 0));
            FHost.KeyPress(VK_UP);
            FHost.KeyPress(VK_RETURN);
        }
        RunUntilIdle();
        EXPECT_FALSE(IsWindow(window)) << (byShortCut ? "by its shortcut" : "from the bar");
        EXPECT_FALSE(Application->OnMessage) << "the hook went with the frame";
        FHost.Pause(1000);
    }
}

TEST_F(MainMenuTest, AShortcutRunsItsItemOnceAndTheFocusedEditNeverSeesTheKey) {
    TForm* form = ShowLayout(MainLayout());
    AttachMenu(form);
    auto* edit = Make<TEdit>(FrameOf(form), {20, 60, 120, 21});
    int editKeys = 0;
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        if (key == 'N') ++editKeys;
    };
    RunUntilIdle();
    edit->SetFocus();
    ASSERT_TRUE(IsFormActive(form));
    EXPECT_TRUE(Application->OnMessage) << "the main window's frame holds the hook";
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress('N');
    FHost.KeyUp(VK_CONTROL);
    RunUntilIdle();
    EXPECT_EQ(Clicked, std::vector<std::string>{"&New"});
    EXPECT_EQ(editKeys, 0);

    // A second frame finds the hook taken: its shortcuts run for keys that reach its own form's window.
    TForm* about = nullptr;
    Application->CreateForm(about);
    ReadLayoutInto(*about, AboutLayout(), "FRAMETEST");
    TtavMainMenu* aboutMenu = AttachMenu(about);
    about->Show();
    RunUntilIdle();
    aboutMenu->Items()->Items(0)->Items(0)->SetShortCut(ShortCut(VK_F2, {}));
    Clicked.clear();
    auto* aboutEdit = Make<TEdit>(FrameOf(about), {20, 60, 120, 21});
    RunUntilIdle();
    aboutEdit->SetFocus();
    FHost.KeyPress(VK_F2);
    RunUntilIdle();
    EXPECT_TRUE(Clicked.empty()) << "the key went to the edit only";
    EXPECT_EQ(SendMessage(about->Handle(), WM_KEYDOWN, VK_F2, 0), 1);
    EXPECT_EQ(Clicked, std::vector<std::string>{"&New"});
    EXPECT_EQ(SendMessage(about->Handle(), WM_KEYDOWN, VK_F3, 0), 0);

    // The hook goes with the frame that took it.
    delete FrameOf(about);
    EXPECT_TRUE(Application->OnMessage);
    delete FrameOf(form);
    EXPECT_FALSE(Application->OnMessage);
}

TEST_F(MainMenuTest, TheBarTakesTheMenusFontWhenTheMenuStopsUsingTheSystemFont) {
    TForm* form = ShowLayout(MainLayout());
    TtavForm* frame = FrameOf(form);
    frame->UpdateMenuBarFont(); // no bar, no menu: nothing to do
    TtavMainMenu* menu = AttachMenu(form);
    TToolBar* bar = frame->MenuBar();
    // Caption pixels: those unlike the bar's colour.
    auto inked = [&] {
        PresentWindows();
        int count = 0;
        for (int y = 0; y < bar->Height(); ++y)
            for (int x = 0; x < bar->Width(); ++x)
                if (Screen(bar->ClientToScreen({x, y})) != bar->Color()) ++count;
        return count;
    };
    const int systemInk = inked();
    const int systemWidth = bar->Buttons(0)->Width();

    // From the start the bar is in the system's menu font, the one hot captions are drawn in: a hot
    // button's caption stays inside it, clear of its edges.
    TFont system;
    ApplySystemMenuFont(system);
    EXPECT_EQ(bar->Font()->Name(), system.Name());
    EXPECT_EQ(bar->Font()->Height(), system.Height());
    FHost.MouseMove(ButtonMiddle(bar, 1));
    RunUntilIdle();
    PresentWindows();
    const TRect hot = bar->Buttons(1)->BoundsRect();
    int edgeInk = 0;
    for (int y = hot.Top + 1; y < hot.Bottom - 1; ++y)
        for (int x : {hot.Left + 1, hot.Left + 2, hot.Right - 3, hot.Right - 2})
            if (Screen(bar->ClientToScreen({x, y})) != ProteinSelected) ++edgeInk;
    EXPECT_EQ(edgeInk, 0);
    FHost.MouseMove({0, 0});
    RunUntilIdle();

    bar->Font()->SetColor(clRed);

    // The menu's own font: name, size and character set, not its colour; the buttons fit their captions.
    menu->LookValues().FontName = "Verdana";
    menu->LookValues().FontSize = 14;
    menu->LookValues().FontCharset = ANSI_CHARSET;
    menu->SetUseSystemFont(false);
    EXPECT_EQ(bar->Font()->Name(), "Verdana");
    EXPECT_EQ(bar->Font()->Size(), 14);
    EXPECT_EQ(bar->Font()->Charset(), ANSI_CHARSET);
    EXPECT_EQ(bar->Font()->Color(), clRed);
    const int menuWidth = bar->Buttons(0)->Width();
    EXPECT_GT(menuWidth, systemWidth);
    EXPECT_GT(inked(), systemInk) << "repainted in the larger font";

    // Back to the system's menu font.
    menu->SetUseSystemFont(true);
    EXPECT_EQ(bar->Font()->Name(), system.Name());
    EXPECT_EQ(bar->Font()->Size(), system.Size());
    EXPECT_LT(bar->Buttons(0)->Width(), menuWidth);

    // A plain main menu has no font of its own to give: the bar keeps its font.
    auto* plain = NewComponent<TMainMenu>(form);
    Item(form, plain->Items(), "&Solo");
    frame->SetMenu(plain);
    frame->MenuBar()->Font()->SetSize(20);
    frame->UpdateMenuBarFont();
    EXPECT_EQ(frame->MenuBar()->Font()->Size(), 20);
}

TEST_F(MainMenuTest, HotAndPressedButtonsWearTheStylesMenuColours) {
    TForm* form = ShowLayout(MainLayout());
    TtavForm* frame = FrameOf(form);
    auto* plain = NewComponent<TMainMenu>(form);
    Item(form, plain->Items(), "&File");
    Item(form, plain->Items(), "&Edit");
    frame->SetMenu(plain);
    RunUntilIdle();
    TToolBar* bar = frame->MenuBar();
    auto hotPixels = [&](int dx, int dy) {
        FHost.MouseMove(ButtonMiddle(bar, 1));
        RunUntilIdle();
        const TRect b = bar->Buttons(1)->BoundsRect();
        PresentWindows();
        return Screen(bar->ClientToScreen({b.Left + dx, b.Top + dy}));
    };
    // A plain menu is drawn in the frame's style colours (Protein).
    EXPECT_EQ(hotPixels(3, 10), ProteinSelected);
    EXPECT_EQ(hotPixels(0, 0), TColor(GetBuiltinThemeColor(TtavUIStyle::Protein, tavkey::MenuSelectedBorderColor)));

    // WinXP frames a light fill in a darker blue; the caption lies on the fill, with no box of the
    // frame's colour behind its letters.
    frame->SetUIStyle(TtavUIStyle::WinXP);
    FHost.MouseMove({0, 0});
    RunUntilIdle();
    auto hotInside = [&](TColor color) {
        hotPixels(0, 0);
        const TRect b = bar->Buttons(1)->BoundsRect();
        int count = 0;
        for (int y = b.Top + 1; y < b.Bottom - 1; ++y)
            for (int x = b.Left + 1; x < b.Right - 1; ++x)
                if (Screen(bar->ClientToScreen({x, y})) == color) ++count;
        return count;
    };
    EXPECT_GT(hotInside(GetBuiltinThemeColor(TtavUIStyle::WinXP, tavkey::MenuSelectedBackgroundColor)), 100);
    EXPECT_EQ(hotInside(GetBuiltinThemeColor(TtavUIStyle::WinXP, tavkey::MenuSelectedBorderColor)), 0);

    // MacOS: the selection picture under the caption.
    frame->SetUIStyle(TtavUIStyle::MacOS);
    TBitmap select;
    select.LoadFromResourceName("MACOS_MENU_SELECT");
    FHost.MouseMove({0, 0});
    RunUntilIdle();
    const TColor macHot = hotPixels(1, 2);
    bool fromPicture = false;
    for (int y = 0; y < select.Height(); ++y)
        fromPicture = fromPicture || PixelToColor(select.Surface().Pixel(0, y)) == macHot;
    EXPECT_TRUE(fromPicture) << macHot;
    EXPECT_NE(macHot, ProteinSelected);

    // A theme file's colours.
    TTempFolder folder;
    const std::string path = folder.File("menu.tav");
    using B = TThemeFileBuilder;
    B::Chain({{"FormBorderWidthInt", B::Integer, B::Int32(1)},
              {"FormBackgroundColor", B::Integer, B::Int32(0xFFFFFF)},
              {"MenuSelectedFontColor", B::Integer, B::Int32(0)},
              {"MenuSelectedBackgroundColor", B::Integer, B::Int32(0x123456)},
              {"MenuSelectedBorderColor", B::Integer, B::Int32(0x654321)}})
        .Save(path);
    auto* theme = NewComponent<TtavFileTheme>(form);
    theme->SetThemeFile(path);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TtavUIStyle::FromThemeFile);
    FHost.MouseMove({0, 0});
    RunUntilIdle();
    EXPECT_EQ(hotPixels(2, 10), TColor(0x123456));
    EXPECT_EQ(hotPixels(0, 5), TColor(0x654321));
}

// Another main menu merged into the frame's: the bar shows the merged items, and the menu's own again after.
TEST_F(MainMenuTest, TheFramesBarShowsAMergedMenuUntilItIsUnmerged) {
    TForm* form = ShowLayout(MainLayout());
    TtavMainMenu* menu = AttachMenu(form);
    auto* other = NewComponent<TForm>(Application);
    auto* merged = NewComponent<TMainMenu>(other);
    TMenuItem* tools = Item(other, merged->Items(), "&Strumenti");
    tools->SetGroupIndex(1);
    Item(other, merged->Items(), "&Modifica");
    menu->Items()->Items(2)->SetGroupIndex(2); // Help
    auto captions = [&] {
        std::vector<std::string> all;
        for (int i = 0; i < FrameOf(form)->MenuBar()->ButtonCount(); ++i)
            all.push_back(FrameOf(form)->MenuBar()->Buttons(i)->Caption());
        return all;
    };
    menu->Merge(merged);
    RunUntilIdle();
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Modifica", "&Strumenti", "&Help"}))
        << "File and Edit of group 0 are replaced by Modifica; Strumenti goes before Help";
    EXPECT_EQ(FrameOf(form)->MenuBar()->Buttons(1)->MenuItem(), tools);
    menu->Unmerge(merged);
    EXPECT_EQ(captions(), (std::vector<std::string>{"&File", "&Edit", "&Help"}));
    menu->Merge(merged);
    delete other;
    EXPECT_EQ(captions(), (std::vector<std::string>{"&File", "&Edit", "&Help"})) << "its form took it away";
}

// What a layout stores of the inherited merging and reading order reaches the menu, and the frame shows it.
TEST_F(MainMenuTest, ALayoutSetsTheInheritedMergingAndReadingOrder) {
    TForm* form = NewComponent<TForm>(Application);
    ReadLayoutInto(*form,
                   "object FrmMenu: TForm\n"
                   "  object tavForm1: TtavForm\n    Menu = tavMainMenu1\n  end\n"
                   "  object tavMainMenu1: TtavMainMenu\n    AutoMerge = True\n    BiDiMode = bdRightToLeft\n"
                   "    ParentBiDiMode = False\n"
                   "    object MnuFile: TMenuItem\n      Caption = '&File'\n    end\n  end\nend\n",
                   "FRMMENU");
    auto* menu = dynamic_cast<TtavMainMenu*>(form->FindComponent("tavMainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->AutoMerge());
    EXPECT_EQ(menu->BiDiMode(), bdRightToLeft) << "not the form's mode: the layout turned following off";
    EXPECT_FALSE(menu->ParentBiDiMode());
    EXPECT_EQ(FrameOf(form)->Menu(), menu);
    ASSERT_NE(FrameOf(form)->MenuBar(), nullptr);
    EXPECT_EQ(FrameOf(form)->MenuBar()->Buttons(0)->Caption(), "&File");
}

} // namespace
