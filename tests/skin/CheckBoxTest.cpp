// The skinned check box: its mark, how mouse, keys and accelerator toggle it, and what it paints.
#include "SkinHostTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/Bitmap.h"
#include "classlib/LayoutReader.h"
#include "platform/ImageCodecs.h"
#include "platform/Input.h"
#include "skin/TAVCheckBox.h"
#include "skin/TAVMgr.h"

namespace {

class CheckBoxTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm();
        FForm->SetColor(clWhite);
        FBox = Make<TtavCheckBox>(FForm, {10, 10, 110, 27});
        FBox->SetCaption("&R.I.");
        FBox->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, FBox);
            ++FClicks;
        };
        FBox->OnDblClick = [this](TObject*) { ++FDoubleClicks; };
        FOther = Make<TtavCheckBox>(FForm, {10, 40, 110, 57});
        RunUntilIdle();
    }
    TPoint Inside(TControl* control) { return control->ClientToScreen({3, 3}); }
    void Space() {
        FHost.KeyDown(VK_SPACE);
        FHost.TypeText(" ");
        FHost.KeyUp(VK_SPACE);
        RunUntilIdle();
    }
    // The presented colour at a point of the check box.
    TColor BoxPixel(int x, int y) {
        return PixelToColor(WindowPixel(FForm, FBox->Left() + x, FBox->Top() + y));
    }
    // Whether the check box shows frame `index` of its style's strip at the image's place.
    bool ShowsFrame(TtavUIStyle style, int index) {
        TBitmap frame;
        GetBuiltinThemeImage(style, 3, &frame, 4, index);
        const int top = (FBox->ClientHeight() - frame.Height()) / 2;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                if (BoxPixel(1 + x, top + y) != frame.Canvas()->Pixels(x, y)) return false;
        return true;
    }

    TForm* FForm = nullptr;
    TtavCheckBox* FBox = nullptr;
    TtavCheckBox* FOther = nullptr;
    int FClicks = 0;
    int FDoubleClicks = 0;
};

TEST_F(CheckBoxTest, StateMirrorsCheckedAndOnClickFollowsEveryChange) {
    TtavCheckBox* fresh = NewComponent<TtavCheckBox>(FForm);
    EXPECT_EQ(fresh->Width(), 93);
    EXPECT_EQ(fresh->Height(), 17);
    EXPECT_TRUE(fresh->TabStop());
    EXPECT_TRUE(fresh->AutoSize());
    EXPECT_EQ(fresh->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_FALSE(fresh->ControlStyle().Contains(csDoubleClicks));

    FBox->SetChecked(false);
    EXPECT_EQ(FClicks, 0) << "an equal value changes nothing";
    FBox->SetState(cbChecked);
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(FClicks, 1);
    FBox->SetState(cbGrayed);
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FBox->State(), cbUnchecked);
    EXPECT_EQ(FClicks, 2);
    FBox->SetChecked(true);
    EXPECT_EQ(FBox->State(), cbChecked);
    EXPECT_EQ(FClicks, 3);
    EXPECT_EQ(GetEnumProp(FBox, "State"), "cbChecked");
}

TEST_F(CheckBoxTest, LayoutsStoreStateAfterCheckedAndLoadingFiresNothing) {
    RegisterClass<TForm>();
    int clicks = 0;
    TForm* form = NewComponent<TForm>(Application);
    ReadLayoutInto(*form,
                   "object Frm: TForm\n"
                   "  object DBCBRI: TtavCheckBox\n"
                   "    Left = 4\n"
                   "    Top = 5\n"
                   "    Caption = 'R.I.'\n"
                   "    Checked = True\n"
                   "    State = cbChecked\n"
                   "    TabStop = True\n"
                   "    UIStyle = Protein\n"
                   "  end\n"
                   "  object DBCBV: TtavCheckBox\n"
                   "    Checked = True\n"
                   "    State = cbUnchecked\n"
                   "  end\n"
                   "end\n",
                   "TFRM");
    auto* ri = static_cast<TtavCheckBox*>(form->FindComponent("DBCBRI"));
    auto* v = static_cast<TtavCheckBox*>(form->FindComponent("DBCBV"));
    ASSERT_TRUE(ri && v);
    ri->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_TRUE(ri->Checked());
    EXPECT_FALSE(v->Checked()) << "the stored State decides";
    EXPECT_EQ(ri->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(ri->Caption(), "R.I.");
    EXPECT_EQ(ri->Parent(), form);
    ri->SetChecked(false);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxTest, MouseClicksToggleAndTakeTheFocus) {
    FHost.Click(Inside(FBox));
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_TRUE(FBox->Focused());
    EXPECT_EQ(FClicks, 1);

    // A double click is two clicks; OnDblClick never fires.
    FHost.Click(Inside(FBox));
    FHost.Click(Inside(FBox));
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(FClicks, 3);
    EXPECT_EQ(FDoubleClicks, 0);

    // Pressed inside and released outside: no click.
    FHost.MouseMove(Inside(FBox));
    FHost.MouseDown(Inside(FBox));
    FHost.MouseMove(FForm->ClientToScreen({300, 200}));
    FHost.MouseUp(FForm->ClientToScreen({300, 200}));
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(FClicks, 3);

    // A right click does not toggle.
    FHost.Click(Inside(FBox), 3);
    RunUntilIdle();
    EXPECT_EQ(FClicks, 3);
}

TEST_F(CheckBoxTest, SpaceAndEnterToggleOnReleaseAndTheAcceleratorWhileEnabled) {
    FBox->SetFocus();
    RunUntilIdle();
    // Held down with repeats, Space toggles once, on its release.
    FHost.KeyDown(VK_SPACE);
    FHost.KeyDown(VK_SPACE, true);
    FHost.KeyDown(VK_SPACE, true);
    RunUntilIdle();
    EXPECT_FALSE(FBox->Checked());
    FHost.KeyUp(VK_SPACE);
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked());
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FClicks, 2);

    // A handler that takes the key away keeps the mark.
    FBox->OnKeyUp = [](TObject*, WORD& key, TShiftState) { key = 0; };
    Space();
    EXPECT_FALSE(FBox->Checked());
    FBox->OnKeyUp = nullptr;

    // Keys reach only the focused box; the accelerator reaches it from anywhere on the form.
    FOther->SetFocus();
    Space();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_TRUE(FOther->Checked());
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('R');
    FHost.KeyUp(VK_MENU);
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_TRUE(FBox->Focused());
    EXPECT_EQ(FBox->Perform(CM_DIALOGCHAR, 'r'), 1);
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FBox->Perform(CM_DIALOGCHAR, 'x'), 0);

    FBox->SetEnabled(false);
    EXPECT_EQ(FBox->Perform(CM_DIALOGCHAR, 'r'), 0);
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FClicks, 4);
}

TEST_F(CheckBoxTest, PaintsTheStripFrameOfItsStateAndFitsItself) {
    FBox->SetUIStyle(TtavUIStyle::Protein);
    FBox->Font()->SetName("Verdana");
    FBox->Font()->SetHeight(-11);
    RunUntilIdle();
    TBitmap measure;
    measure.Canvas()->SetFont(FBox->Font());
    const int textHeight = measure.Canvas()->TextHeight("W");
    EXPECT_EQ(FBox->Height(), std::max(textHeight + 2, 13) + 4);
    EXPECT_EQ(FBox->Width(), 13 + measure.Canvas()->TextWidth("&R.I.") + 8);
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::Protein, 2));
    EXPECT_FALSE(ShowsFrame(TtavUIStyle::Protein, 1));

    FBox->SetChecked(true);
    RunUntilIdle();
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::Protein, 1));
    FBox->SetEnabled(false);
    RunUntilIdle();
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::Protein, 3));
    FBox->SetChecked(false);
    RunUntilIdle();
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::Protein, 4));
    FBox->SetEnabled(true);

    // A longer caption widens the box at its next paint; a mac strip is taller.
    FBox->SetUIStyle(TtavUIStyle::MacOS);
    FBox->SetCaption("Componente materiale");
    RunUntilIdle();
    EXPECT_EQ(FBox->Width(), 15 + measure.Canvas()->TextWidth("Componente materiale") + 8);
    EXPECT_EQ(FBox->Height(), std::max(textHeight + 2, 17) + 4);
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::MacOS, 2));

    // Without AutoSize the box keeps its size.
    FBox->SetAutoSize(false);
    FBox->SetBounds(FBox->Left(), FBox->Top(), 40, 30);
    RunUntilIdle();
    EXPECT_EQ(FBox->Width(), 40);
    EXPECT_EQ(FBox->Height(), 30);
}

TEST_F(CheckBoxTest, TheFocusRectangleAndTheBackground) {
    FBox->SetColor(clYellow);
    FBox->SetCaption("");
    RunUntilIdle();
    // Past the image, the box shows its colour; see-through, the form's.
    const int x = FBox->Width() - 2;
    const int y = FBox->Height() / 2;
    EXPECT_EQ(BoxPixel(x, y), clYellow);
    FBox->SetTransparent(true);
    RunUntilIdle();
    EXPECT_EQ(BoxPixel(x, y), clWhite);
    FBox->SetTransparent(false);

    // The focus rectangle runs from just before the caption to the right edge, only while focused.
    TBitmap measure;
    measure.Canvas()->SetFont(FBox->Font());
    const int top = (FBox->ClientHeight() - measure.Canvas()->TextHeight("W")) / 2;
    auto focusRow = [&] {
        std::vector<TColor> row;
        for (int px = 13 + 3; px < FBox->Width(); ++px)
            row.push_back(BoxPixel(px, top));
        return row;
    };
    RunUntilIdle();
    const std::vector<TColor> unfocused = focusRow();
    for (TColor c : unfocused)
        EXPECT_EQ(c, clYellow);
    FBox->SetFocus();
    RunUntilIdle();
    EXPECT_NE(focusRow(), unfocused);
    FBox->SetTabStop(false);
    FBox->Invalidate();
    RunUntilIdle();
    EXPECT_EQ(focusRow(), unfocused);
}

TEST_F(CheckBoxTest, AThemeFileGivesTheStrip) {
    // Four frames of 3 x 3, each a colour of its own.
    const TPixel colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    TSurface strip(12, 3);
    for (int frame = 0; frame < 4; ++frame)
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) strip.SetPixel(frame * 3 + x, y, colours[frame]);
    TTempFolder folder;
    TThemeFileBuilder::Chain({{"CheckBoxImage", TThemeFileBuilder::Image, EncodeBMP(strip)}})
        .Save(folder.File("strip.tav"));
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    theme->SetThemeFile(folder.File("strip.tav"));
    FBox->SetFileTheme(theme);
    FBox->SetUIStyle(TtavUIStyle::FromThemeFile);
    FBox->SetChecked(true);
    RunUntilIdle();
    const int top = (FBox->ClientHeight() - 3) / 2;
    EXPECT_EQ(BoxPixel(2, top + 1), PixelToColor(colours[0]));
    FBox->SetChecked(false);
    FBox->SetEnabled(false);
    RunUntilIdle();
    EXPECT_EQ(BoxPixel(2, top + 1), PixelToColor(colours[3]));
}

TEST_F(CheckBoxTest, RemovingTheThemeComponentFallsBackToDeepBlue) {
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    FBox->SetUIStyle(TtavUIStyle::FromThemeFile);
    FBox->SetFileTheme(theme);
    RunUntilIdle();
    // Without a loaded file the style draws as DeepBlue.
    EXPECT_TRUE(ShowsFrame(TtavUIStyle::DeepBlue, 2));
    delete theme;
    EXPECT_EQ(FBox->FileTheme(), nullptr);
    EXPECT_EQ(FBox->UIStyle(), TtavUIStyle::DeepBlue);
}

} // namespace
