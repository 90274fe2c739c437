#include "FrameTestSupport.h"
#include "ThemeFileBuilder.h"

#include "classlib/Panel.h"
#include "platform/ImageCodecs.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/TAVButton.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <algorithm>
#include <vector>

namespace {

class CaptionPanelTest : public TFrameTest {
protected:
    // The selection panel of the main window: a 512-wide caption panel holding a top-aligned panel.
    TForm* SelectionLayout() {
        return ShowLayout(MainLayout("    object tavPanel1: TtavPanel\n"
                                     "      Left = 10\n      Top = 40\n      Width = 512\n      Height = 225\n"
                                     "      UIStyle = Protein\n      BorderColor = clBlack\n"
                                     "      CaptionFontColor = clWhite\n      Color = clWhite\n"
                                     "      Caption = 'Incantesimi selezionati'\n      ShowButton = True\n"
                                     "      object Panel3: TPanel\n        Height = 18\n        Align = alTop\n"
                                     "      end\n    end\n"));
    }
    static TtavPanel* PanelOf(TForm* form) { return static_cast<TtavPanel*>(form->FindComponent("tavPanel1")); }
    // The roll button's middle, in screen coordinates.
    static TPoint OnButton(TtavPanel* panel) { return panel->ClientToScreen({panel->Width() - 11, 10}); }
};

TEST_F(CaptionPanelTest, ChildrenLieInsideTheBorderBelowTheCaptionBar) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    auto* inner = static_cast<TPanel*>(form->FindComponent("Panel3"));
    EXPECT_EQ(panel->CaptionBarHeight(), 21);
    EXPECT_EQ(inner->BoundsRect(), Bounds(4, 25, 504, 18));

    // A one-pixel black border around a white body, the caption bar across the top.
    TBitmap bar;
    bar.LoadFromResourceName("PROTEIN_SIDECHENNEL_BAR");
    const TPoint origin = panel->ClientToScreen({0, 0}) - form->ClientOrigin();
    EXPECT_EQ(PixelAt(form, origin.X, origin.Y + 100), clBlack);
    EXPECT_EQ(PixelAt(form, origin.X + 511, origin.Y + 100), clBlack);
    EXPECT_EQ(PixelAt(form, origin.X + 300, origin.Y + 224), clBlack);
    EXPECT_EQ(PixelAt(form, origin.X + 300, origin.Y + 200), clWhite);
    EXPECT_EQ(PixelAt(form, origin.X + 300, origin.Y + 3), bar.Canvas()->Pixels(0, 3));
}

// The bar leaves the side border columns; the caption starts 10 pixels in; the button shows frame 1 or 2
// (3 or 4 rolled up) of PANEL_BUTTON 4 pixels in from the corner, lit while the pointer is inside its
// rectangle, the right and bottom edges included.
TEST_F(CaptionPanelTest, TheBarCaptionAndButtonFramesSitWhereTheyShould) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    const int W = panel->Width();
    const TPoint origin = panel->ClientToScreen({0, 0}) - form->ClientOrigin();
    auto at = [&](int x, int y) {
        RunUntilIdle();
        return PixelAt(form, origin.X + x, origin.Y + y);
    };
    TBitmap bar;
    bar.LoadFromResourceName("PROTEIN_SIDECHENNEL_BAR");
    EXPECT_EQ(at(0, 3), clBlack) << "the bar starts one column in";
    EXPECT_EQ(at(W - 1, 3), clBlack);
    EXPECT_EQ(at(1, 3), bar.Canvas()->Pixels(0, 3));
    EXPECT_EQ(at(W - 2, 3), bar.Canvas()->Pixels(0, 3));

    int firstInk = -1;
    bool white = false;
    for (int x = 1; x < 200 && firstInk < 0; ++x)
        for (int y = 0; y < panel->CaptionBarHeight(); ++y)
            if (at(x, y) != bar.Canvas()->Pixels(0, y)) {
                firstInk = x;
                break;
            }
    for (int x = 10; x < 200; ++x)
        for (int y = 0; y < panel->CaptionBarHeight(); ++y) white = white || at(x, y) == clWhite;
    EXPECT_GE(firstInk, 10);
    EXPECT_LE(firstInk, 12);
    EXPECT_TRUE(white) << "the caption in CaptionFontColor";

    TBitmap strip;
    strip.LoadFromResourceName("PANEL_BUTTON");
    ASSERT_EQ(strip.Width(), 52);
    ASSERT_EQ(strip.Height(), 12);
    // Pixels of the button that differ from frame `index`.
    auto wrongPixels = [&](int index) {
        TBitmap frame;
        ExtractStripFrame(&strip, &frame, 4, index);
        int wrong = 0;
        for (int x = 0; x < 13; ++x)
            for (int y = 0; y < 12; ++y)
                if (at(W - 17 + x, 4 + y) != frame.Canvas()->Pixels(x, y)) ++wrong;
        return wrong;
    };
    auto point = [&](int x, int y) { FHost.MouseMove(panel->ClientToScreen({x, y})); };
    point(W / 2, 100);
    EXPECT_EQ(wrongPixels(1), 0);
    point(W - 5, 16);
    EXPECT_EQ(wrongPixels(2), 0) << "the lower-right corner of the button's rectangle is on it";
    point(W - 18, 4);
    EXPECT_EQ(wrongPixels(2), 0);
    point(W - 4, 10);
    EXPECT_EQ(wrongPixels(1), 0);
    point(W - 10, 17);
    EXPECT_EQ(wrongPixels(1), 0);

    point(W - 10, 10);
    FHost.Click(panel->ClientToScreen({W - 10, 10}));
    RunUntilIdle();
    ASSERT_FALSE(panel->Expanded());
    EXPECT_EQ(wrongPixels(4), 0);
    point(W / 2, 10);
    EXPECT_EQ(wrongPixels(3), 0);
    point(W / 2, 100);
    point(W - 10, 10);
    point(W / 2, 100);
    EXPECT_EQ(wrongPixels(4), 0) << "no mouse-leave handling: the last paint's frame stays";
}

// The caption bar and colours of each built-in style.
TEST_F(CaptionPanelTest, EachStyleGivesItsBarAndColours) {
    TForm* form = LoadForm(MainLayout());
    auto* panel = NewComponent<TtavPanel>(form);
    struct TRow {
        TtavUIStyle Style;
        const char* Bar;
        TColor Border, Caption;
    };
    const TRow rows[] = {{TtavUIStyle::MacOS, "MACOS_SIDECHENNEL_BAR", 0x7F7F7F, 0x000000},
                         {TtavUIStyle::WinXP, "WINXP_SIDECHENNEL_BAR", 0x686868, 0x000000},
                         {TtavUIStyle::DeepBlue, "DEEPBLUE_SIDECHENNEL_BAR", 0x000000, 0xFFFFFF},
                         {TtavUIStyle::Protein, "PROTEIN_SIDECHENNEL_BAR", 0x000000, 0xFFFFFF},
                         {TtavUIStyle::BlueGlass, "BLUEGLASS_SIDECHENNEL_BAR", 0x000000, 0xFFFFFF}};
    for (const TRow& row : rows) {
        panel->SetColor(clRed);
        panel->SetUIStyle(row.Style);
        TBitmap bar;
        bar.LoadFromResourceName(row.Bar);
        EXPECT_EQ(bar.Width(), 1) << row.Bar;
        EXPECT_EQ(panel->CaptionBarHeight(), row.Style == TtavUIStyle::DeepBlue ? 20 : 21) << row.Bar;
        EXPECT_EQ(panel->CaptionBarHeight(), bar.Height()) << row.Bar;
        EXPECT_EQ(panel->BorderColor(), row.Border) << row.Bar;
        EXPECT_EQ(panel->CaptionFontColor(), row.Caption) << row.Bar;
        EXPECT_EQ(panel->Color(), clWhite) << row.Bar;
        EXPECT_EQ(panel->Height(), 100) << row.Bar;
    }
}

TEST_F(CaptionPanelTest, TheButtonRollsThePanelUpAndDownInSteps) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    std::vector<int> heights;
    int pushes = 0, pops = 0;
    panel->OnResize = [&](TObject*) { heights.push_back(panel->Height()); };
    panel->OnPush = [&](TObject*) { ++pushes; };
    panel->OnPop = [&](TObject*) { ++pops; };

    // A right click does nothing.
    FHost.MouseMove(OnButton(panel));
    FHost.Click(OnButton(panel), 3);
    RunUntilIdle();
    EXPECT_TRUE(heights.empty());

    FHost.Click(OnButton(panel));
    RunUntilIdle();
    std::vector<int> up;
    for (int h = 210; h >= 30; h -= 15) up.push_back(h);
    up.push_back(21);
    EXPECT_EQ(heights, up);
    EXPECT_EQ(pushes, 1);
    EXPECT_FALSE(panel->Expanded());
    EXPECT_EQ(panel->ExpandedHeight(), 225);

    // The height set while rolled up is kept for the next roll-down.
    panel->SetExpandedHeight(300);
    EXPECT_EQ(panel->Height(), 21);
    EXPECT_EQ(GetOrdProp(panel, "Height"), 300) << "the published height is the expanded one";
    heights.clear();
    FHost.Click(OnButton(panel));
    RunUntilIdle();
    std::vector<int> down;
    for (int h = 36; h < 300; h += 15) down.push_back(h);
    down.push_back(300);
    EXPECT_EQ(heights, down);
    EXPECT_EQ(pops, 1);
    EXPECT_EQ(pushes, 1);
    EXPECT_TRUE(panel->Expanded());
}

// A second click on the button, handled while the roll processes messages, starts no roll of its own.
TEST_F(CaptionPanelTest, AClickDuringARollIsIgnored) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    std::vector<int> heights;
    int pushes = 0, pops = 0;
    panel->OnResize = [&](TObject*) { heights.push_back(panel->Height()); };
    panel->OnPush = [&](TObject*) { ++pushes; };
    panel->OnPop = [&](TObject*) { ++pops; };
    FHost.Click(OnButton(panel));
    FHost.Click(OnButton(panel));
    RunUntilIdle();
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(pops, 0);
    EXPECT_FALSE(panel->Expanded());
    EXPECT_EQ(panel->Height(), 21);
    ASSERT_FALSE(heights.empty());
    EXPECT_TRUE(std::is_sorted(heights.rbegin(), heights.rend())) << "one roll, downwards all the way";
}

TEST_F(CaptionPanelTest, APanelWithoutButtonNeverRolls) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(form->Handle()));
    FHost.MouseMove(OnButton(panel));
    RunUntilIdle();
    int presents = surface->PresentCount();
    FHost.MouseMove(OnButton(panel) + TPoint{1, 0});
    RunUntilIdle();
    EXPECT_GT(surface->PresentCount(), presents) << "a mouse move repaints to test the button";

    panel->SetShowButton(false);
    RunUntilIdle();
    presents = surface->PresentCount();
    FHost.MouseMove(OnButton(panel));
    RunUntilIdle();
    EXPECT_EQ(surface->PresentCount(), presents) << "no button: mouse moves do not repaint";
    // The pointer was over the button when it was hidden: the click there still does nothing.
    FHost.Click(OnButton(panel));
    RunUntilIdle();
    EXPECT_TRUE(panel->Expanded());
    EXPECT_EQ(panel->Height(), 225);
}

TEST_F(CaptionPanelTest, ANewPanelTakesItsFormsStyle) {
    TForm* form = LoadForm(MainLayout());
    auto* panel = NewComponent<TtavPanel>(form);
    EXPECT_EQ(panel->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(panel->Width(), 100);
    EXPECT_EQ(panel->Height(), 100);
    EXPECT_TRUE(panel->ShowButton());
    EXPECT_EQ(panel->Color(), clWhite);
    EXPECT_EQ(panel->CaptionFontColor(), clWhite);
    panel->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(panel->CaptionFontColor(), clBlack);
    EXPECT_EQ(panel->BorderColor(), TColor(0x7F7F7F));
}

// A theme file's caption bar, 30 pixels high, lays the children out anew; when the theme goes, the panel and
// its children that follow a style fall back to DeepBlue.
TEST_F(CaptionPanelTest, AThemeFileGivesTheBarAndColoursAndItsRemovalFallsBackToDeepBlue) {
    constexpr TColor BarColor = 0x3060C0;
    TTempFolder folder;
    TSurface bar(1, 30, ColorToPixel(BarColor));
    using B = TThemeFileBuilder;
    B::Chain({{"SideChannelBarImage", B::Image, EncodeBMP(bar)},
              {"ControlBorderColor", B::Integer, B::Int32(0x0000C0)},
              {"MenuSelectedFontColor", B::Integer, B::Int32(0x00C000)}})
        .Save(folder.File("panel.tav"));

    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    auto* inner = static_cast<TPanel*>(form->FindComponent("Panel3"));
    auto* button = NewComponent<TtavButton>(form);
    button->SetParent(panel);
    auto* theme = NewComponent<TtavFileTheme>(form);
    theme->SetThemeFile(folder.File("panel.tav"));
    panel->SetFileTheme(theme);
    button->SetFileTheme(theme);
    panel->SetUIStyle(TtavUIStyle::FromThemeFile);
    button->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(panel->CaptionBarHeight(), 30);
    EXPECT_EQ(panel->BorderColor(), TColor(0x0000C0));
    EXPECT_EQ(panel->CaptionFontColor(), TColor(0x00C000));
    EXPECT_EQ(panel->Color(), clWhite);
    EXPECT_EQ(inner->Top(), 34) << "below the new bar, 3 pixels and the bevel's one";
    EXPECT_EQ(panel->Height(), 225);
    const TPoint origin = panel->ClientToScreen({0, 0}) - form->ClientOrigin();
    EXPECT_EQ(PixelAt(form, origin.X + 300, origin.Y + 28), BarColor);
    EXPECT_EQ(PixelAt(form, origin.X, origin.Y + 100), TColor(0x0000C0));

    delete theme;
    EXPECT_EQ(panel->FileTheme(), nullptr);
    EXPECT_EQ(panel->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(panel->CaptionBarHeight(), 20);
    EXPECT_EQ(inner->Top(), 24);
    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), TtavUIStyle::DeepBlue);
}

} // namespace
