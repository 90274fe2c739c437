#include "FrameTestSupport.h"

#include "classlib/Panel.h"
#include "skin/TAVImagePanel.h"

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
    panel->SetExpandedHeight(66);
    EXPECT_EQ(panel->Height(), 21);
    heights.clear();
    FHost.Click(OnButton(panel));
    RunUntilIdle();
    EXPECT_EQ(heights, (std::vector<int>{36, 51, 66}));
    EXPECT_EQ(pops, 1);
    EXPECT_TRUE(panel->Expanded());
}

TEST_F(CaptionPanelTest, APanelWithoutButtonNeverRolls) {
    TForm* form = SelectionLayout();
    TtavPanel* panel = PanelOf(form);
    panel->SetShowButton(false);
    FHost.MouseMove(OnButton(panel));
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

} // namespace
