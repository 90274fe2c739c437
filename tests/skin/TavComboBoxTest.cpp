#include "SkinHostTest.h"

#include "classlib/LayoutReader.h"
#include "classlib/SysUtils.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
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
        p.Method("CmBIncantatoreChange", &TComboTestForm::CmBIncantatoreChange);
    }
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
    const TRect button = Button();
    const int width = FCombo->Width(), height = FCombo->Height();
    EXPECT_EQ(button.Right, width) << "no sunken edge around the client area";
    const TComboEdit* edit = FCombo->EditPart();
    EXPECT_GT(edit->Top(), 1);
    EXPECT_EQ(edit->Top(), height - edit->BoundsRect().Bottom) << "the edit's line in the middle";
    EXPECT_EQ(Color(0, 0), clBlack);
    EXPECT_EQ(Color(width - 1, height - 1), clBlack);
    EXPECT_EQ(Color(40, height - 1), clBlack);
    EXPECT_EQ(Color(button.Left, 5), clBlack) << "the button's left line";
    EXPECT_EQ(Color(button.Left + 2, 3), ProteinBackground);
    EXPECT_EQ(Color(button.Right - 2, height - 3), ProteinBackground);

    // The arrow: seven pixels across at the top, one at its tip three rows down.
    const int x = button.Left + (button.Width() - 1) / 2 - 3, y = (button.Height() - 2) / 2;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Color(x + i, y), clBlack) << i;
    EXPECT_EQ(Color(x + 3, y + 3), clBlack);
    EXPECT_EQ(Color(x, y + 3), ProteinBackground);

    FCombo->SetArrowColor(clRed);
    EXPECT_EQ(Color(x + 3, y + 1), clRed);
    FCombo->SetEnabled(false);
    EXPECT_EQ(Color(x, y), clGray) << "grey when disabled";
    EXPECT_EQ(Color(x + 7, y + 1), clWhite) << "over a white copy one pixel down and right";

    FCombo->SetEnabled(true);
    FCombo->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_NE(Color(x + 3, y + 1), clBlack) << "WinXP shows its picture without an arrow";
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

} // namespace
