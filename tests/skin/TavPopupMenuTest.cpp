#include "SkinHostTest.h"

#include "classlib/Bitmap.h"
#include "classlib/LayoutReader.h"
#include "classlib/MenuWindow.h"
#include "classlib/RegisterMenus.h"
#include "classlib/ShortCut.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "skin/TAVPopupMenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr TColor ProteinBar = 0xCED3D6;
constexpr TColor ProteinSelected = 0xC4302D;

// A form with the selection grid's two commands.
class TMenuTestForm : public TForm {
    VMR_CLASS(TMenuTestForm, TForm)

  public:
    static void PublishProperties(TPublisher<TMenuTestForm>& p) {
        p.Method("Cancellaselezione1Click", &TMenuTestForm::Cancellaselezione1Click)
            .Method("Cancellatutti1Click", &TMenuTestForm::Cancellatutti1Click);
    }
    void Cancellaselezione1Click(TObject*) { Commands.push_back("selezione"); }
    void Cancellatutti1Click(TObject*) { Commands.push_back("tutti"); }
    std::vector<std::string> Commands;

  protected:
    explicit TMenuTestForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

// The selection grid's popup menu as the main window's layout stores it.
constexpr std::string_view MenuLayout = R"(object MenuTestForm: TMenuTestForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  BorderStyle = bsNone
  object tavPopupMenu1: TtavPopupMenu
    OwnerDraw = True
    UIStyle = Protein
    MenuItemHeight = 21
    SeparatorHeight = 5
    BarWidth = 26
    BarColor = 13554646
    Color = clWhite
    SeparatorColor = 8684164
    SelectedBorderColor = 12857389
    SelectedColor = 12857389
    SelectedFontColor = clWhite
    FontColor = clBlack
    BorderColor = clBlack
    FlatMenu = False
    FontName = 'MS Sans Serif'
    FontSize = 8
    FontCharset = DEFAULT_CHARSET
    UseSystemFont = True
    object Cancellaselezione1: TMenuItem
      Caption = 'Cancella selezione'
      OnClick = Cancellaselezione1Click
    end
    object Cancellatutti1: TMenuItem
      Caption = 'Cancella tutti'
      OnClick = Cancellatutti1Click
    end
  end
end
)";

class TavPopupMenuTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        RegisterMenuClasses();
        RegisterClass<TMenuTestForm>();
        FForm = NewComponent<TMenuTestForm>(Application);
        ReadLayoutInto(*FForm, MenuLayout, "TMENUTESTFORM");
        FForm->Show();
        RunUntilIdle();
        FMenu = static_cast<TtavPopupMenu*>(FForm->FindComponent("tavPopupMenu1"));
        ASSERT_TRUE(FMenu);
    }
    TMenuItem* AddItem(const std::string& caption) {
        TMenuItem* item = NewComponent<TMenuItem>(FForm);
        item->SetCaption(caption);
        FMenu->Items()->Add(item);
        FMenu->HookMenuItems();
        return item;
    }
    // The item drawn alone on a bitmap of its size.
    TBitmap& Drawn(TMenuItem* item, bool selected, TSize size = {160, 21}) {
        FBitmap.SetSize(size.cx, size.cy);
        FBitmap.Canvas()->Brush()->SetColor(clLime);
        FBitmap.Canvas()->FillRect({0, 0, size.cx, size.cy});
        FMenu->DrawSkinnedItem(item, FBitmap.Canvas(), {0, 0, size.cx, size.cy}, selected);
        return FBitmap;
    }
    TColor At(int x, int y) { return PixelToColor(FBitmap.Surface().Pixel(x, y)); }
    int CountIn(const TRect& r, const std::function<bool(TColor)>& match) {
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (match(At(x, y))) ++count;
        return count;
    }

    TMenuTestForm* FForm = nullptr;
    TtavPopupMenu* FMenu = nullptr;
    TBitmap FBitmap;
};

TEST_F(TavPopupMenuTest, LayoutValuesAndEveryItemHooked) {
    const TtavMenuLook& look = FMenu->Look();
    EXPECT_TRUE(FMenu->OwnerDraw());
    EXPECT_EQ(FMenu->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(look.MenuItemHeight, 21);
    EXPECT_EQ(look.SeparatorHeight, 5);
    EXPECT_EQ(look.BarWidth, 26);
    EXPECT_EQ(look.BarColor, ProteinBar);
    EXPECT_EQ(look.Color, clWhite);
    EXPECT_EQ(look.SeparatorColor, TColor(0x848284));
    EXPECT_EQ(look.SelectedBorderColor, ProteinSelected);
    EXPECT_EQ(look.SelectedColor, ProteinSelected);
    EXPECT_EQ(look.SelectedFontColor, clWhite);
    EXPECT_EQ(look.FontColor, clBlack);
    EXPECT_EQ(look.BorderColor, clBlack);
    EXPECT_FALSE(look.FlatMenu);
    EXPECT_EQ(look.FontName, "MS Sans Serif");
    EXPECT_EQ(look.FontSize, 8);
    EXPECT_EQ(look.FontCharset, DEFAULT_CHARSET);
    EXPECT_TRUE(look.UseSystemFont);
    ASSERT_EQ(FMenu->Items()->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(FMenu->Items()->Items(i)->OnDrawItem) << i;
        EXPECT_TRUE(FMenu->Items()->Items(i)->OnMeasureItem) << i;
    }

    SetOrdProp(FMenu, "OwnerDraw", 0);
    EXPECT_TRUE(FMenu->OwnerDraw()) << "always owner-drawn";
    EXPECT_EQ(GetOrdProp(FMenu, "OwnerDraw"), 1);
    FMenu->SetOwnerDraw(false);
    static_cast<TMenu*>(FMenu)->SetOwnerDraw(false);
    EXPECT_TRUE(FMenu->OwnerDraw()) << "also when code sets it";
    EXPECT_TRUE(FMenu->IsOwnerDraw());

    // A sub-item added later is drawn by the platform until the items are hooked again, at any depth.
    TMenuItem* later = NewComponent<TMenuItem>(FForm);
    FMenu->Items()->Items(1)->Add(later);
    EXPECT_FALSE(later->OnDrawItem);
    FMenu->HookMenuItems();
    EXPECT_TRUE(later->OnDrawItem);
}

TEST_F(TavPopupMenuTest, ValuesComeFromTheStyle) {
    TtavPopupMenu* menu = NewComponent<TtavPopupMenu>(FForm);
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::DeepBlue) << "no skinned frame on the form";
    EXPECT_EQ(menu->Look().SelectedColor, TColor(0xA04A44));
    EXPECT_EQ(menu->Look().BarWidth, 26);
    EXPECT_TRUE(menu->Look().UseSystemFont);

    menu->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    EXPECT_EQ(menu->Look().SeparatorColor, clBlack);
    EXPECT_EQ(menu->Look().Color, clBlack);
    menu->SetMenuItemHeight(30);
    SetOrdProp(menu, "SeparatorHeight", 9);
    EXPECT_EQ(menu->MenuItemHeight(), 20) << "MacOS keeps its heights";
    EXPECT_EQ(menu->SeparatorHeight(), 12);

    menu->SetUIStyle(TtavUIStyle::BlueGlass);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    EXPECT_EQ(menu->Look().SeparatorColor, TColor(0x848284));
    EXPECT_EQ(menu->Look().Color, TColor(0xE7E7E7));
    EXPECT_EQ(menu->Look().SelectedFontColor, clWhite);
    menu->SetMenuItemHeight(30);
    EXPECT_EQ(menu->MenuItemHeight(), 30);
    menu->SetUIStyle(TtavUIStyle::Protein);
    EXPECT_EQ(menu->MenuItemHeight(), 21) << "a style change overwrites the heights";
    EXPECT_EQ(menu->Look().SelectedColor, ProteinSelected);
}

TEST_F(TavPopupMenuTest, ARightClickShowsTheMenuAndItsItemsReachTheirHandlers) {
    auto* panel = Make<TSkinTestPanel>(FForm, {10, 10, 200, 100});
    panel->SetPopupMenu(FMenu);
    RunUntilIdle();
    const TPoint point = panel->ClientToScreen({20, 20});

    // While the menu is open: the items wear the style's bar and selection.
    TColor bar = clNone, selection = clNone;
    static std::function<void()> peek;
    peek = [&] {
        PresentWindows();
        for (HWND h : GetTopLevelWindows()) {
            if (GetClassName(h) != MenuWindowClass) continue;
            const TRect r = GetWindowRect(h);
            bar = PixelToColor(FHost.ScreenPixel({r.Left + 3 + 10, r.Top + 3 + 10}));
            selection = PixelToColor(FHost.ScreenPixel({r.Left + 3 + 60, r.Top + 3 + 21 + 2}));
        }
    };
    SetTimer(nullptr, 11, 30, [](HWND, UINT, uintptr_t, DWORD) { peek(); });
    FHost.Click(point, 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    FHost.Pause(50);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    KillTimer(nullptr, 11);
    EXPECT_EQ(FForm->Commands, std::vector<std::string>{"tutti"});
    EXPECT_EQ(bar, ProteinBar);
    EXPECT_EQ(selection, ProteinSelected);

    FHost.Click(point, 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(FForm->Commands, (std::vector<std::string>{"tutti", "selezione"}));
}

TEST_F(TavPopupMenuTest, MeasuresAndDrawsItemsWithTheMenuValues) {
    TMenuItem* item = FMenu->Items()->Items(0);
    TMenuItem* line = AddItem("-");
    int width = 0, height = 0;
    FBitmap.SetSize(1, 1);
    TCanvas* canvas = FBitmap.Canvas();
    item->MeasureItem(canvas, width, height);
    EXPECT_EQ(height, 21);
    EXPECT_EQ(width, canvas->TextWidth("Cancella selezione") + 26 + 40);
    line->MeasureItem(canvas, width, height);
    EXPECT_EQ(height, 5);
    item->SetShortCut(ShortCut(VK_DELETE, {ssCtrl}));
    item->MeasureItem(canvas, width, height);
    EXPECT_EQ(width, canvas->TextWidth("Cancella selezione") +
                         canvas->TextWidth(ShortCutToText(item->ShortCut())) + 26 + 40);
    item->SetShortCut(scNone);

    Drawn(item, false);
    EXPECT_EQ(At(0, 0), ProteinBar);
    EXPECT_EQ(At(25, 20), ProteinBar);
    EXPECT_EQ(At(26, 0), clWhite);
    EXPECT_EQ(At(159, 20), clWhite);
    EXPECT_GT(CountIn({30, 4, 159, 21}, [](TColor c) { return c == clBlack; }), 20) << "a black caption";
    EXPECT_EQ(CountIn({0, 0, 160, 4}, [](TColor c) { return c == clBlack; }), 0) << "its top at T + 4";
    EXPECT_EQ(CountIn({4, 3, 20, 19}, [](TColor c) { return c != ProteinBar; }), 0) << "no check mark";

    Drawn(item, true);
    EXPECT_EQ(At(0, 0), ProteinSelected) << "the frame, over the bar too";
    EXPECT_EQ(At(10, 10), ProteinSelected);
    EXPECT_GT(CountIn({30, 4, 159, 21}, [](TColor c) { return c == clWhite; }), 20) << "a white caption";

    item->SetEnabled(false);
    Drawn(item, true);
    EXPECT_EQ(At(10, 10), ProteinBar) << "a disabled item shows no selection";
    EXPECT_GT(CountIn({30, 4, 159, 21}, [](TColor c) { return c == clGray; }), 20) << "a grey caption";
    item->SetEnabled(true);

    item->SetChecked(true);
    Drawn(item, false);
    EXPECT_GT(CountIn({4, 3, 20, 19}, [](TColor c) { return c != ProteinBar; }), 10) << "the check mark";
    EXPECT_EQ(At(4, 3), ProteinBar) << "its white is transparent";

    Drawn(line, false, {160, 5});
    EXPECT_EQ(At(10, 2), ProteinBar);
    EXPECT_EQ(At(29, 2), clWhite) << "the line starts past the bar";
    EXPECT_EQ(At(30, 2), TColor(0x848284));
    EXPECT_EQ(At(157, 2), TColor(0x848284));
    EXPECT_EQ(At(158, 2), clWhite);
    EXPECT_EQ(At(60, 1), clWhite);

    SetOrdProp(FMenu, "BarWidth", 0);
    Drawn(item, false);
    EXPECT_EQ(At(0, 10), clWhite) << "no bar";
}

TEST_F(TavPopupMenuTest, AFlatMenuPaintsItsBorderOverThePopupWindowOnTheScreen) {
    FForm->SetColor(clLime);
    RunUntilIdle();
    DrawMenuPopupBorder(FForm->Handle(), clBlack, clBlue);
    const TRect w = GetWindowRect(FForm->Handle());
    auto screen = [&](int x, int y) {
        PresentWindows();
        return PixelToColor(FHost.ScreenPixel({x, y}));
    };
    EXPECT_EQ(screen(w.Left, w.Top), clLime) << "the top-left pixel is left alone";
    EXPECT_EQ(screen(w.Left + 1, w.Top), clBlue);
    EXPECT_EQ(screen(w.Right - 1, w.Top + 10), clBlue);
    EXPECT_EQ(screen(w.Left + 10, w.Bottom - 1), clBlue);
    EXPECT_EQ(screen(w.Left, w.Top + 10), clBlack);
    EXPECT_EQ(screen(w.Left + 10, w.Top + 1), clBlack);
    EXPECT_EQ(screen(w.Right - 2, w.Top + 10), clBlack);
    EXPECT_EQ(screen(w.Left + 10, w.Bottom - 2), clBlack);
    EXPECT_EQ(screen(w.Left + 1, w.Top + 10), clWhite);
    EXPECT_EQ(screen(w.Left + 10, w.Top + 2), clWhite);
    EXPECT_EQ(screen(w.Left + 10, w.Top + 10), clLime);
}

// MacOS draws backgrounds, selections and separators from its pictures' top rows, stretched to the item.
TEST_F(TavPopupMenuTest, MacOSDrawsItsItemsFromPictures) {
    FMenu->SetUIStyle(TtavUIStyle::MacOS);
    TMenuItem* item = FMenu->Items()->Items(0);
    Drawn(item, false, {160, 20});
    EXPECT_EQ(At(0, 0), RGB(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(At(100, 19), RGB(0xE0, 0xE0, 0xE0)) << "the top twenty of 22 rows";
    Drawn(item, true, {160, 20});
    EXPECT_EQ(At(0, 10), RGB(0x39, 0x73, 0xC4));
    item->SetEnabled(false);
    Drawn(item, true, {160, 20});
    EXPECT_EQ(At(0, 10), RGB(0xEA, 0xEA, 0xEA)) << "disabled: no selection";
    Drawn(AddItem("-"), false, {160, 12});
    EXPECT_EQ(At(80, 11), RGB(0xE9, 0xE9, 0xE9)) << "the top twelve rows, no line";
}

} // namespace
