#include "SkinHostTest.h"

#include "classlib/Bitmap.h"
#include "classlib/LayoutReader.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPopupMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The Protein button strip's frames (74 x 21): the border pixel at (1, 1) and a pixel of the face.
constexpr TColor ProteinNormalBorder = RGB(0x9D, 0xA1, 0xB2);
constexpr TColor ProteinOverBorder = RGB(0x34, 0x37, 0xC6);
constexpr TColor ProteinNormalFace = RGB(0xEB, 0xEC, 0xEF);
constexpr TColor ProteinDownFace = RGB(0xC8, 0xCB, 0xEF);

// A form with the handlers a layout binds its buttons to.
class TButtonTestForm : public TForm {
    VMR_CLASS(TButtonTestForm, TForm)

  public:
    static void PublishProperties(TPublisher<TButtonTestForm>& p) {
        p.Method("Btt0Click", &TButtonTestForm::Btt0Click);
    }
    void Btt0Click(TObject* sender) { Clicked.push_back(sender); }
    std::vector<TObject*> Clicked;

  protected:
    explicit TButtonTestForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

// The main window's level button and print button as its layout stores them.
constexpr std::string_view ButtonLayout = R"(object ButtonTestForm: TButtonTestForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  BorderStyle = bsNone
  Color = clWhite
  object Btt0: TtavButton
    Left = 21
    Top = 51
    Width = 17
    Height = 19
    UIStyle = Protein
    Caption = '0'
    TabOrder = 1
    Transparent = False
    ModalResult = 0
    AutoSize = False
    FocusedRectMargin = 2
    Layout = blGlyphLeft
    Spacing = 4
    MouseContinuouslyDownInterval = 100
    OnClick = Btt0Click
    ResHandle = 0
  end
  object tavButton1: TtavButton
    Left = 20
    Top = 181
    Width = 239
    Height = 27
    Anchors = [akLeft, akRight, akBottom]
    UIStyle = Protein
    Caption = 'Stampa Velmarune'
    TabOrder = 0
    Transparent = False
    ModalResult = 0
    AutoSize = False
    FocusedRectMargin = 2
    Layout = blGlyphLeft
    Spacing = 4
    MouseContinuouslyDownInterval = 100
    ResHandle = 0
  end
end
)";

class TavButtonTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        RegisterClass<TButtonTestForm>();
        FForm = NewComponent<TButtonTestForm>(Application);
        ReadLayoutInto(*FForm, ButtonLayout, "TBUTTONTESTFORM");
        FForm->Show();
        RunUntilIdle();
        FLevel = static_cast<TtavButton*>(FForm->FindComponent("Btt0"));
        FPrint = static_cast<TtavButton*>(FForm->FindComponent("tavButton1"));
        ASSERT_TRUE(FLevel && FPrint);
    }
    TPoint At(TControl* control, TPoint client) { return control->ClientToScreen(client); }
    // The presented colour of a point of a control, in the control's coordinates.
    TColor Color(TControl* control, int x, int y) {
        RunUntilIdle();
        return PixelToColor(WindowPixel(FForm, control->Left() + x, control->Top() + y));
    }
    int DarkPixels(TControl* control) {
        RunUntilIdle();
        int dark = 0;
        for (int y = 0; y < control->Height(); ++y)
            for (int x = 0; x < control->Width(); ++x)
                if (GetGValue(Color(control, x, y)) < 0x60) ++dark;
        return dark;
    }

    TButtonTestForm* FForm = nullptr;
    TtavButton* FLevel = nullptr;
    TtavButton* FPrint = nullptr;
};

TEST_F(TavButtonTest, LayoutKeepsEveryStoredPropertyAndBindsTheHandler) {
    EXPECT_EQ(FLevel->Caption(), "0");
    EXPECT_EQ(FLevel->Text(), "") << "the caption is not the window text";
    EXPECT_EQ(FLevel->BoundsRect(), (TRect{21, 51, 38, 70}));
    EXPECT_EQ(FLevel->UIStyle(), TtavUIStyle::Protein);
    EXPECT_FALSE(FLevel->Transparent());
    EXPECT_FALSE(FLevel->AutoSize());
    EXPECT_EQ(FLevel->ModalResult(), 0);
    EXPECT_EQ(FLevel->FocusedRectMargin(), 2);
    EXPECT_EQ(FLevel->Layout(), blGlyphLeft);
    EXPECT_EQ(FLevel->Spacing(), 4);
    EXPECT_EQ(FLevel->MouseContinuouslyDownInterval(), 100);
    EXPECT_EQ(GetOrdProp(FLevel, "ResHandle"), 0);
    EXPECT_TRUE(FLevel->TabStop());
    EXPECT_EQ(FLevel->TabOrder(), 1);
    EXPECT_TRUE(FLevel->Glyph()->Empty());
    EXPECT_EQ(FPrint->Anchors(), (TAnchors{akLeft, akRight, akBottom}));
    EXPECT_EQ(FPrint->Caption(), "Stampa Velmarune");

    SetOrdProp(FLevel, "ResHandle", 77);
    EXPECT_EQ(GetOrdProp(FLevel, "ResHandle"), 0) << "ResHandle takes nothing";
    FHost.Click(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked, std::vector<TObject*>{FLevel});
}

TEST_F(TavButtonTest, ClicksOnReleaseInsideAfterAPressInsideOnly) {
    FHost.MouseMove(At(FLevel, {8, 9}));
    FHost.MouseDown(At(FLevel, {8, 9}));
    FHost.MouseMove(At(FLevel, {60, 9}));
    FHost.MouseUp(At(FLevel, {60, 9}));
    RunUntilIdle();
    EXPECT_TRUE(FForm->Clicked.empty()) << "released outside";
    EXPECT_FALSE(FLevel->Pressed());

    // Out and back in with the button held: not pressed any more, but the release still clicks.
    FHost.MouseMove(At(FLevel, {8, 9}));
    FHost.MouseDown(At(FLevel, {8, 9}));
    FHost.MouseMove(At(FLevel, {60, 9}));
    FHost.MouseMove(At(FLevel, {9, 9}));
    RunUntilIdle();
    EXPECT_TRUE(FLevel->MouseOver());
    EXPECT_FALSE(FLevel->Pressed());
    EXPECT_EQ(Color(FLevel, 1, 1), ProteinOverBorder) << "the mouse-over frame, not the pressed one";
    FHost.MouseUp(At(FLevel, {9, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 1u);

    // A press started elsewhere and released over the button is no click; nor is the right button.
    FHost.MouseMove(At(FPrint, {5, 5}));
    FHost.MouseDown(At(FPrint, {5, 5}));
    FHost.MouseMove(At(FLevel, {8, 9}));
    FHost.MouseUp(At(FLevel, {8, 9}));
    FHost.MouseDown(At(FLevel, {8, 9}), 2);
    RunUntilIdle();
    EXPECT_FALSE(FLevel->Pressed()) << "the right button presses nothing";
    FHost.MouseUp(At(FLevel, {8, 9}), 2);
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 1u);

    FHost.Click(At(FLevel, {16, 18})); // the last pixel inside
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 2u);
    FHost.Click(At(FLevel, {16, 18}));
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 3u) << "the second click of a double click clicks too";
    EXPECT_TRUE(FLevel->Focused()) << "a click takes the focus";
}

TEST_F(TavButtonTest, RepeatsWhileHeldAndStopsWhenTheMouseLeaves) {
    int repeats = 0;
    FLevel->OnMouseContinuouslyDown = [&](TObject* sender) {
        EXPECT_EQ(sender, FLevel);
        ++repeats;
    };
    FHost.MouseMove(At(FLevel, {8, 9}));
    FHost.MouseDown(At(FLevel, {8, 9}));
    FHost.Pause(350);
    FHost.MouseUp(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(repeats, 3) << "one per interval, the first one interval after the press";
    EXPECT_EQ(FForm->Clicked.size(), 1u);
    FHost.Pause(300);
    RunUntilIdle();
    EXPECT_EQ(repeats, 3) << "the click ends the repeat";

    FHost.MouseDown(At(FLevel, {8, 9}));
    FHost.Pause(150);
    FHost.MouseMove(At(FLevel, {60, 9}));
    FHost.Pause(300);
    FHost.MouseMove(At(FLevel, {8, 9}));
    FHost.Pause(300);
    FHost.MouseUp(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(repeats, 4) << "leaving ends the repeat for good";

    FLevel->SetMouseContinuouslyDownInterval(0);
    FHost.MouseDown(At(FLevel, {8, 9}));
    FHost.Pause(300);
    FHost.MouseUp(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(repeats, 4) << "no interval, no repeat";
    EXPECT_EQ(FForm->Clicked.size(), 3u);
}

TEST_F(TavButtonTest, HandlersMayFreeTheButton) {
    FLevel->OnClick = [](TObject* sender) { delete sender; };
    FHost.Click(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->FindComponent("Btt0"), nullptr);

    FPrint->OnMouseContinuouslyDown = [](TObject* sender) { delete sender; };
    FHost.MouseMove(At(FPrint, {8, 9}));
    FHost.MouseDown(At(FPrint, {8, 9}));
    FHost.Pause(150);
    FHost.MouseUp(At(FPrint, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->FindComponent("tavButton1"), nullptr);
}

TEST_F(TavButtonTest, PaintsTheStyleFrameOfItsStateAndTheCaption) {
    EXPECT_EQ(Color(FLevel, 1, 1), ProteinNormalBorder);
    EXPECT_EQ(Color(FLevel, 0, 0), RGB(0xFB, 0xFB, 0xFB)) << "the strip's corner, drawn opaque";
    EXPECT_EQ(Color(FLevel, 8, 1), RGB(0xFC, 0xFC, 0xFD)) << "the top edge";
    EXPECT_EQ(Color(FPrint, 237, 25), ProteinNormalBorder) << "the bottom-right corner at the far end";
    EXPECT_GT(DarkPixels(FLevel), 5) << "the caption";
    const int captionPixels = DarkPixels(FPrint);
    EXPECT_GT(captionPixels, 60);

    FHost.MouseMove(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(Color(FLevel, 1, 1), ProteinOverBorder);
    FHost.MouseDown(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(Color(FLevel, 2, 9), ProteinDownFace);
    FHost.MouseUp(At(FLevel, {8, 9}));
    FHost.MouseMove(At(FPrint, {200, 20}));
    RunUntilIdle();
    EXPECT_EQ(Color(FLevel, 1, 1), ProteinNormalBorder);

    // Focus: a dotted rectangle two pixels inside the edge, in Protein; the click gave it to the level
    // button.
    const TColor face = Color(FLevel, 6, 2);
    FPrint->SetFocus();
    EXPECT_NE(Color(FPrint, 120, 2), Color(FPrint, 121, 2)) << "dotted";
    EXPECT_EQ(Color(FPrint, 120, 1), Color(FPrint, 121, 1)) << "two pixels inside the edge";
    FLevel->SetFocus();
    EXPECT_EQ(Color(FPrint, 120, 2), Color(FPrint, 121, 2)) << "gone with the focus";
    EXPECT_NE(Color(FLevel, 6, 2), Color(FLevel, 7, 2));
    EXPECT_TRUE(Color(FLevel, 6, 2) != face || Color(FLevel, 7, 2) != face);

    // Disabled: the normal frame, a grey caption over a white shadow.
    FPrint->SetEnabled(false);
    RunUntilIdle();
    EXPECT_EQ(Color(FPrint, 1, 1), ProteinNormalBorder);
    EXPECT_EQ(DarkPixels(FPrint), 0) << "no black caption";

    // A caption of blanks draws nothing.
    FHost.MouseMove(At(FForm, {390, 290}));
    FPrint->SetEnabled(true);
    FPrint->SetCaption("   ");
    EXPECT_EQ(DarkPixels(FPrint), 0);
    EXPECT_EQ(Color(FPrint, 120, 13), ProteinNormalFace);
}

TEST_F(TavButtonTest, AFocusMoveElsewhereLeavesAButtonUnpainted) {
    auto* third = NewComponent<TtavButton>(FForm);
    third->SetParent(FForm);
    third->SetBounds(300, 51, 60, 21);
    third->SetCaption("Terzo");
    RunUntilIdle();
    FLevel->SetFocus();
    RunUntilIdle();
    int paints = 0;
    const TWndMethod inherited = FPrint->WindowProc;
    FPrint->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_PAINT) ++paints;
        inherited(m);
    };
    third->SetFocus();
    RunUntilIdle();
    EXPECT_EQ(paints, 0) << "the focus moved between two other buttons";
    FPrint->SetFocus();
    EXPECT_NE(Color(FPrint, 120, 2), Color(FPrint, 121, 2)) << "its focus rectangle";
    EXPECT_GT(paints, 0);
    paints = 0;
    FLevel->SetFocus();
    EXPECT_EQ(Color(FPrint, 120, 2), Color(FPrint, 121, 2)) << "gone with the focus";
    EXPECT_GT(paints, 0);
    FPrint->WindowProc = inherited;
}

TEST_F(TavButtonTest, KeysPressTheFocusedButtonAndReachDefaultCancelAndAccelerator) {
    FLevel->SetFocus();
    FHost.KeyDown(VK_SPACE);
    RunUntilIdle();
    EXPECT_TRUE(FLevel->Pressed());
    EXPECT_TRUE(FForm->Clicked.empty());
    FHost.KeyUp(VK_SPACE);
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 1u);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(FForm->Clicked.size(), 2u) << "Enter presses the focused button once";

    int prints = 0;
    FPrint->OnClick = [&](TObject*) { ++prints; };
    FPrint->SetDefault(true);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(prints, 1) << "the Default button takes Enter";
    EXPECT_EQ(FForm->Clicked.size(), 2u) << "and the focused one does not click as well";
    EXPECT_TRUE(FPrint->Focused()) << "the click took the focus";
    FLevel->SetFocus();
    FHost.KeyDown(VK_SHIFT);
    FHost.KeyPress(VK_RETURN);
    FHost.KeyUp(VK_SHIFT);
    RunUntilIdle();
    EXPECT_EQ(prints, 1) << "the Default button does not take Shift+Enter";
    EXPECT_EQ(FForm->Clicked.size(), 3u) << "the focused button does";

    FPrint->SetCancel(true);
    FHost.KeyPress(VK_ESCAPE);
    RunUntilIdle();
    EXPECT_EQ(prints, 2);

    FPrint->SetCaption("&Stampa");
    FHost.TypeText("s");
    RunUntilIdle();
    EXPECT_EQ(prints, 3) << "the accelerator, whatever has the focus";
    FPrint->SetEnabled(false);
    FHost.TypeText("s");
    RunUntilIdle();
    EXPECT_EQ(prints, 3);
}

TEST_F(TavButtonTest, EveryClickHandsItsModalResultToTheForm) {
    FPrint->SetModalResult(mrOk);
    FHost.Click(At(FPrint, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->ModalResult(), mrOk);
    FHost.Click(At(FLevel, {8, 9}));
    RunUntilIdle();
    EXPECT_EQ(FForm->ModalResult(), mrNone) << "a result of 0 resets it";
}

TEST_F(TavButtonTest, StyleSetsTransparencyAndAutoSizeTheFrameSize) {
    FLevel->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_TRUE(FLevel->Transparent());
    FLevel->SetTransparent(false);
    EXPECT_FALSE(FLevel->Transparent()) << "until the next style change";
    FLevel->SetUIStyle(TtavUIStyle::BlueGlass);
    EXPECT_TRUE(FLevel->Transparent());

    const std::pair<TtavUIStyle, TSize> sizes[] = {{TtavUIStyle::MacOS, {84, 23}},
                                                   {TtavUIStyle::WinXP, {18, 21}},
                                                   {TtavUIStyle::Protein, {74, 21}},
                                                   {TtavUIStyle::BlueGlass, {77, 27}},
                                                   {TtavUIStyle::FromThemeFile, {24, 21}}};
    for (auto [style, size] : sizes) {
        FLevel->SetUIStyle(style);
        FLevel->SetAutoSize(true);
        EXPECT_EQ(FLevel->Width(), size.cx) << int(style);
        EXPECT_EQ(FLevel->Height(), size.cy) << int(style);
    }

    TtavButton* fresh = NewComponent<TtavButton>(FForm);
    EXPECT_EQ(fresh->Width(), 80);
    EXPECT_EQ(fresh->Height(), 27);
    EXPECT_EQ(fresh->UIStyle(), TtavUIStyle::DeepBlue) << "no skinned frame on the form";
    EXPECT_TRUE(fresh->TabStop());
}

TEST_F(TavButtonTest, ATransparentButtonShowsItsParentThroughTheFramesMagenta) {
    FForm->SetColor(clRed);
    FLevel->SetUIStyle(TtavUIStyle::MacOS);
    ASSERT_TRUE(FLevel->Transparent());
    EXPECT_EQ(Color(FLevel, 0, 0), clRed);
    EXPECT_EQ(Color(FLevel, 16, 18), clRed);
    EXPECT_NE(Color(FLevel, 8, 9), clRed);
    FLevel->SetTransparent(false);
    EXPECT_EQ(Color(FLevel, 0, 0), clFuchsia) << "an opaque frame draws its corners as they are";
}

// Every skinned control of this unit falls back to DeepBlue when its theme component goes.
TEST_F(TavButtonTest, SkinnedControlsForgetAThemeThatIsFreed) {
    TtavFileTheme* theme = NewComponent<TtavFileTheme>(FForm);
    TtavComboBox* combo = NewComponent<TtavComboBox>(FForm);
    TtavPopupMenu* menu = NewComponent<TtavPopupMenu>(FForm);
    FLevel->SetFileTheme(theme);
    combo->SetFileTheme(theme);
    combo->SetUIStyle(TtavUIStyle::Protein);
    menu->SetFileTheme(theme);
    menu->SetUIStyle(TtavUIStyle::Protein);
    delete theme;
    EXPECT_EQ(FLevel->FileTheme(), nullptr);
    EXPECT_EQ(FLevel->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(combo->FileTheme(), nullptr);
    EXPECT_EQ(combo->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(combo->ButtonColor(), TColor(0xE8E8E8));
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(menu->Look().SelectedColor, TColor(0xA04A44));
    RunUntilIdle();
    EXPECT_NE(Color(FLevel, 1, 1), ProteinNormalBorder) << "drawn with DeepBlue's frame";
}

// A glyph twice as wide as high holds an enabled and a disabled picture side by side.
TEST_F(TavButtonTest, ATwoImageGlyphShowsItsSecondPictureUngreyedWhenDisabled) {
    TBitmap glyph;
    glyph.SetSize(32, 16);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect({0, 0, 32, 16});
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect({4, 4, 12, 12});
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect({20, 4, 28, 12});
    FPrint->SetCaption("");
    FPrint->SetGlyph(&glyph);
    FHost.MouseMove(At(FForm, {390, 290}));
    // Left of an empty caption: x = (239 - 0 - 16 - 4) / 2, y = (27 - 16) / 2.
    const int x = 109, y = 5;
    EXPECT_EQ(Color(FPrint, x + 8, y + 8), clRed);
    EXPECT_EQ(Color(FPrint, x + 1, y + 1), Color(FPrint, x - 5, y + 1)) << "the glyph's white is transparent";
    FPrint->SetEnabled(false);
    EXPECT_EQ(Color(FPrint, x + 8, y + 8), clBlue);

    FPrint->SetEnabled(true);
    FPrint->SetLayout(blGlyphTop);
    // Above it: x = (239 - 16) / 2, y = (27 - th - 16 - 4) / 2 with the caption's height th.
    EXPECT_EQ(Color(FPrint, 111 + 8, (27 - FPrint->Canvas()->TextHeight("") - 20) / 2 + 8), clRed);
}

} // namespace
