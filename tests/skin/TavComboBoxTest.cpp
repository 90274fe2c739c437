#include "SkinHostTest.h"

#include "classlib/LayoutReader.h"
#include "classlib/SysUtils.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Services.h"
#include "skin/TAVComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor ProteinBackground = 0xFBFBFB;

// A form that records what its class selector's OnChange sees.
class TComboTestForm : public TForm {
    VMR_CLASS(TComboTestForm, TForm)

  public:
    static void PublishProperties(TPublisher<TComboTestForm>& p) {
        p.Method("CmBIncantatoreChange", &TComboTestForm::CmBIncantatoreChange)
            .Method("BoxDrawItem", &TComboTestForm::BoxDrawItem)
            .Method("BoxMeasureItem", &TComboTestForm::BoxMeasureItem);
    }
    // Owner drawing: each item a solid block, two pixels taller per index.
    void BoxDrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
        Drawn.push_back(index);
        TCanvas* canvas = static_cast<TCustomComboBox*>(control)->Canvas();
        canvas->Brush()->SetColor(state.Contains(odSelected) ? clRed : clLime);
        canvas->FillRect(rect);
    }
    void BoxMeasureItem(TWinControl*, int index, int& height) { height += 2 * index; }
    std::vector<int> Drawn;
    void CmBIncantatoreChange(TObject* sender) {
        Changes.push_back(UpperCase(static_cast<TCustomComboBox*>(sender)->Text()));
    }
    std::vector<std::string> Changes;

  protected:
    explicit TComboTestForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

// The main window's class selector as its layout stores it.
constexpr std::string_view ComboLayout = R"(object ComboTestForm: TComboTestForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  BorderStyle = bsNone
  Color = clWhite
  object CmBIncantatore: TtavComboBox
    Left = 5
    Top = 25
    Width = 177
    Height = 21
    UIStyle = Protein
    ArrowColor = clBlack
    BorderColor = clBlack
    ButtonColor = 16514043
    ItemHeight = 13
    Items.Strings = (
      'Bardo'
      'Chierico'
      'Druido'
      'Mago_Stregone'
      'Paladino'
      'Ranger')
    TabOrder = 0
    OnChange = CmBIncantatoreChange
  end
end
)";

class TavComboBoxTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        RegisterClass<TComboTestForm>();
        FForm = NewComponent<TComboTestForm>(Application);
        ReadLayoutInto(*FForm, ComboLayout, "TCOMBOTESTFORM");
        FForm->Show();
        RunUntilIdle();
        FCombo = static_cast<TtavComboBox*>(FForm->FindComponent("CmBIncantatore"));
        ASSERT_TRUE(FCombo);
    }
    TColor Color(int x, int y) {
        RunUntilIdle();
        return PixelToColor(WindowPixel(FForm, FCombo->Left() + x, FCombo->Top() + y));
    }
    TRect Button() { return FCombo->ComboBoxInfo().rcButton; }

    TComboTestForm* FForm = nullptr;
    TtavComboBox* FCombo = nullptr;
};

TEST_F(TavComboBoxTest, LayoutKeepsItsValuesAndTheStyleSetsColours) {
    EXPECT_EQ(FCombo->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(FCombo->BorderColor(), clBlack);
    EXPECT_EQ(FCombo->ButtonColor(), ProteinBackground);
    EXPECT_EQ(FCombo->ArrowColor(), clBlack);
    EXPECT_EQ(FCombo->ItemHeight(), 13);
    EXPECT_EQ(FCombo->Items()->Count(), 6);
    EXPECT_EQ(FCombo->Style(), csDropDown);
    EXPECT_EQ(FCombo->BoundsRect(), (TRect{5, 25, 182, 46}));

    FCombo->SetArrowColor(clRed);
    FCombo->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(FCombo->ArrowColor(), clBlack) << "every style change turns the arrow black";
    EXPECT_EQ(FCombo->BorderColor(), TColor(0x686868));
    EXPECT_EQ(FCombo->ButtonColor(), TColor(0xDEEBEF));
    FCombo->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(FCombo->UIStyle(), TtavUIStyle::FromThemeFile);
    EXPECT_EQ(FCombo->ButtonColor(), TColor(0xE8E8E8)) << "DeepBlue's, without a theme";

    TtavComboBox* fresh = NewComponent<TtavComboBox>(FForm);
    EXPECT_EQ(fresh->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(fresh->ButtonColor(), TColor(0xE8E8E8));
}

TEST_F(TavComboBoxTest, StoredColoursAfterTheStyleSurviveALayoutLoad) {
    auto* form = NewComponent<TComboTestForm>(Application);
    ReadLayoutInto(*form, R"(object StoredColoursForm: TComboTestForm
  object Box: TtavComboBox
    Left = 5
    Top = 5
    UIStyle = Protein
    BorderColor = clRed
    ButtonColor = clYellow
    ArrowColor = clBlue
  end
end
)", "TCOMBOTESTFORM");
    auto* box = static_cast<TtavComboBox*>(form->FindComponent("Box"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(box->BorderColor(), clRed);
    EXPECT_EQ(box->ButtonColor(), clYellow);
    EXPECT_EQ(box->ArrowColor(), clBlue);
    delete form;
}

TEST_F(TavComboBoxTest, TypingChangesFireOnChangeButAnIndexSetInCodeDoesNot) {
    FCombo->SetItemIndex(0);
    EXPECT_EQ(FCombo->Text(), "Bardo");
    EXPECT_TRUE(FForm->Changes.empty());

    FCombo->SetFocus();
    FCombo->EditPart()->SelectAll();
    FHost.TypeText("mago_stregone");
    RunUntilIdle();
    ASSERT_EQ(FForm->Changes.size(), 13u) << "one per typed character";
    EXPECT_EQ(FForm->Changes.back(), "MAGO_STREGONE");

    FForm->Changes.clear();
    FHost.KeyPress(VK_DOWN);
    RunUntilIdle();
    EXPECT_EQ(FForm->Changes, std::vector<std::string>{"PALADINO"}) << "an item chosen with the keys";

    FForm->Changes.clear();
    FCombo->SetItemIndex(5);
    EXPECT_TRUE(FForm->Changes.empty());
    EXPECT_EQ(FCombo->Text(), "Ranger");
}

TEST_F(TavComboBoxTest, PaintsAFlatFrameAndButtonWithAnArrow) {
    // The platform's button lies inside the box's edge; the skin draws into it unchanged.
    const int width = FCombo->Width(), height = FCombo->Height();
    const TRect button = Button();
    EXPECT_EQ(button, (TRect{width - 2 - GetSystemMetrics(SM_CXVSCROLL), 2, width - 2, height - 2}));
    const TComboEdit* edit = FCombo->EditPart();
    EXPECT_GT(edit->Top(), 1);
    EXPECT_EQ(edit->Top(), height - edit->BoundsRect().Bottom) << "the edit's line in the middle";
    EXPECT_LT(edit->BoundsRect().Right, button.Left);

    // The frame in BorderColor, a ring in Color inside it.
    for (TPoint p : {TPoint{0, 0}, TPoint{width - 1, height - 1}, TPoint{40, height - 1}, TPoint{width - 1, 1}})
        EXPECT_EQ(Color(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    EXPECT_EQ(Color(1, 1), clWhite);
    EXPECT_EQ(Color(40, height - 2), clWhite);
    EXPECT_EQ(Color(width - 2, 5), clWhite) << "right of the button";

    // The button's left line runs from one row above it to one row below it.
    for (int y = button.Top - 1; y <= button.Bottom; ++y)
        EXPECT_EQ(Color(button.Left, y), clBlack) << y;
    EXPECT_EQ(Color(button.Left + 1, button.Top), ProteinBackground);
    EXPECT_EQ(Color(button.Right - 1, button.Bottom - 1), ProteinBackground);
    EXPECT_EQ(Color(button.Left + 1, button.Top - 1), clWhite) << "the ring above the button";

    // The arrow: left at the button's middle less 3, top at half the button's height (not below its top).
    const int x = button.Left + button.Width() / 2 - 3, y = button.Height() / 2;
    auto arrowAt = [&](TColor colour) {
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Color(x + i, y), colour) << i;
        EXPECT_EQ(Color(x + 3, y + 3), colour);
        EXPECT_EQ(Color(x, y + 3), ProteinBackground);
        EXPECT_EQ(Color(x + 3, y - 1), ProteinBackground);
    };
    arrowAt(clBlack);
    FCombo->SetArrowColor(clRed);
    arrowAt(clRed);
    FCombo->SetEnabled(false);
    EXPECT_EQ(Color(x, y), clGray) << "grey when disabled";
    EXPECT_EQ(Color(x + 7, y + 1), clWhite) << "over a white copy one pixel down and right";
    EXPECT_EQ(Color(x + 4, y + 4), clWhite);
    FCombo->SetEnabled(true);

    // Every style but the two picture styles fills the flat button in its button colour, with the arrow.
    for (TtavUIStyle style : {TtavUIStyle::DeepBlue, TtavUIStyle::Protein, TtavUIStyle::FromThemeFile}) {
        FCombo->SetUIStyle(style);
        EXPECT_EQ(Color(button.Left + 1, button.Top), FCombo->ButtonColor()) << int(style);
        EXPECT_EQ(Color(button.Left, button.Top - 1), FCombo->BorderColor()) << int(style);
        EXPECT_EQ(Color(x + 3, y + 3), clBlack) << int(style);
    }
    // The pictures fill the button: MacOS with the arrow over it, WinXP without.
    FCombo->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(Color(x + 3, y + 3), clBlack);
    const TColor macCorner = Color(button.Left, button.Top);
    FCombo->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_NE(Color(x + 3, y + 3), clBlack) << "WinXP shows its picture without an arrow";
    EXPECT_NE(Color(button.Left, button.Top), macCorner);
    EXPECT_NE(Color(button.Left, button.Top), FCombo->ButtonColor());
}

TEST_F(TavComboBoxTest, ASimpleBoxKeepsThePlatformsLook) {
    TtavComboBox* simple = Make<TtavComboBox>(FForm, {5, 60, 125, 160});
    simple->SetStyle(csSimple);
    simple->Items()->Add("Bardo");
    TComboBox* plain = Make<TComboBox>(FForm, {150, 60, 270, 160});
    plain->SetStyle(csSimple);
    plain->Items()->Add("Bardo");
    RunUntilIdle();
    for (int y = 0; y < 100; y += 3)
        for (int x = 0; x < 120; x += 4)
            ASSERT_EQ(WindowPixel(FForm, 5 + x, 60 + y), WindowPixel(FForm, 150 + x, 60 + y)) << x << "," << y;
}

TEST_F(TavComboBoxTest, TheDroppedListHasABorderInTheBorderColour) {
    FCombo->SetBorderColor(clRed);
    FCombo->SetDroppedDown(true);
    RunUntilIdle();
    HWND list = FCombo->ComboBoxInfo().hwndList;
    ASSERT_TRUE(list && IsWindowVisible(list));
    PresentWindows();
    const TSurface& pixels = static_cast<THeadlessSurface*>(GetHostSurface(list))->Pixels();
    EXPECT_EQ(PixelToColor(pixels.Pixel(0, 0)), clRed);
    EXPECT_EQ(PixelToColor(pixels.Pixel(pixels.Width() - 1, pixels.Height() / 2)), clRed);

    FCombo->SetDroppedDown(false);
    RunUntilIdle();
    EXPECT_EQ(Color(0, 0), clRed);
}

TEST_F(TavComboBoxTest, AnOwnerDrawnBoxFromALayoutDrawsInsideTheFlatFrame) {
    auto* form = NewComponent<TComboTestForm>(Application);
    ReadLayoutInto(*form, R"(object OwnerDrawnForm: TComboTestForm
  Left = 100
  Top = 300
  Width = 300
  Height = 100
  BorderStyle = bsNone
  object Box: TtavComboBox
    Left = 5
    Top = 5
    Width = 177
    Height = 21
    UIStyle = Protein
    BorderColor = clBlack
    Style = csOwnerDrawVariable
    ItemHeight = 15
    Items.Strings = (
      'Bardo'
      'Chierico'
      'Druido')
    ItemIndex = 1
    OnDrawItem = BoxDrawItem
    OnMeasureItem = BoxMeasureItem
  end
end
)", "TCOMBOTESTFORM");
    auto* box = static_cast<TtavComboBox*>(form->FindComponent("Box"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Style(), csOwnerDrawVariable);
    EXPECT_EQ(box->ItemHeight(), 15);
    ASSERT_TRUE(box->OnDrawItem);
    ASSERT_TRUE(box->OnMeasureItem);
    form->Show();
    RunUntilIdle();
    EXPECT_EQ(form->Drawn, std::vector<int>{1}) << "the chosen item in the box";
    auto pixel = [&](int x, int y) {
        RunUntilIdle();
        return PixelToColor(WindowPixel(form, box->Left() + x, box->Top() + y));
    };
    const TComboBoxInfo info = box->ComboBoxInfo();
    ASSERT_TRUE(box->Focused()) << "the form's first control";
    EXPECT_EQ(pixel(info.rcItem.Left + 5, 10), clRed) << "focused: the chosen item comes selected";
    EXPECT_EQ(pixel(0, 0), clBlack) << "the flat frame over the platform's painting";
    EXPECT_EQ(pixel(info.rcButton.Left, 10), clBlack) << "the button's left line";

    form->Drawn.clear();
    box->SetDroppedDown(true);
    RunUntilIdle();
    ASSERT_GE(form->Drawn.size(), 3u); // the box repaints too, its button now pressed
    EXPECT_EQ(std::vector<int>(form->Drawn.end() - 3, form->Drawn.end()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(::GetClientRect(info.hwndList).Height(), 15 + 17 + 19);
    EXPECT_EQ(box->ListItemRect(2), (TRect{0, 32, ::GetClientRect(info.hwndList).Right, 51}));
    box->SetDroppedDown(false);
    delete form;
}

} // namespace
