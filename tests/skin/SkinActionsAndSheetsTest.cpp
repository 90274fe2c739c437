// Skinned buttons bound to actions, see-through buttons and check boxes on tab sheets, and the data-aware
// check box answering dataset actions.
#include "SkinDataTest.h"
#include "SkinHostTest.h"

#include "classlib/Actions.h"
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "classlib/PageControl.h"
#include "classlib/LayoutReader.h"
#include "classlib/data/DataSetActions.h"
#include "classlib/dbctrls/DBCtrlGrid.h"
#include "skin/TAVButton.h"
#include "skin/TAVCheckBox.h"
#include "skin/TAVDBCtrls.h"

#include <memory>

namespace {

class TMyTabSheet : public TTabSheet {
    VMR_CLASS(TMyTabSheet, TTabSheet)

  protected:
    explicit TMyTabSheet(TComponent* owner) : TTabSheet(owner) {}
};

void FillSolid(TBitmap& b, int w, int h, TColor color) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(color);
    b.Canvas()->FillRect({0, 0, w, h});
}

class SkinActionsTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm({0, 0, 400, 300});
        FList = NewComponent<TActionList>(FForm);
        FAction = NewComponent<TAction>(FForm);
        FAction->SetActionList(FList);
    }
    TColor Color(TControl* c, int x, int y) {
        RunUntilIdle();
        TPoint p = FForm->ScreenToClient(c->ClientToScreen({x, y}));
        return PixelToColor(WindowPixel(FForm, p.X, p.Y));
    }

    TForm* FForm = nullptr;
    TActionList* FList = nullptr;
    TAction* FAction = nullptr;
};

TEST_F(SkinActionsTest, AButtonTakesItsActionsCaptionEnabledStateAndImageAndExecutesIt) {
    TBitmap green;
    FillSolid(green, 16, 16, clLime);
    auto images = TImageList::CreateSize(16, 16);
    images->Add(&green, nullptr);
    FList->SetImages(images.get());
    FAction->SetCaption("&Stampa");
    FAction->SetImageIndex(0);
    FAction->SetEnabled(false);
    int executed = 0;
    FAction->OnExecute = [&](TObject*) { ++executed; };

    auto* button = Make<TtavButton>(FForm, {10, 10, 110, 37});
    button->SetAction(FAction);
    EXPECT_EQ(button->Caption(), "&Stampa");
    EXPECT_FALSE(button->Enabled());
    ASSERT_EQ(button->Glyph()->Width(), 16);
    EXPECT_EQ(PixelToColor(button->Glyph()->Surface().Pixel(8, 8)), clLime);

    FAction->SetEnabled(true);
    FAction->SetCaption("Anteprima");
    EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(button->Caption(), "Anteprima");
    FHost.Click(button->ClientToScreen({5, 5}));
    RunUntilIdle();
    EXPECT_EQ(executed, 1);
    // The accelerator of the action's caption clicks too.
    FAction->SetCaption("&Stampa");
    EXPECT_EQ(button->Perform(CM_DIALOGCHAR, 's'), 1);
    EXPECT_EQ(executed, 2);

    // A glyph of its own stays; an index outside the list gives none.
    auto* own = Make<TtavButton>(FForm, {10, 50, 110, 77});
    TBitmap red;
    FillSolid(red, 8, 8, clRed);
    own->SetGlyph(&red);
    own->SetAction(FAction);
    EXPECT_EQ(own->Glyph()->Width(), 8);
    FAction->SetImageIndex(3);
    auto* none = Make<TtavButton>(FForm, {10, 90, 110, 117});
    none->SetAction(FAction);
    EXPECT_TRUE(none->Glyph()->Empty());
    FList->SetImages(nullptr);
}

TEST_F(SkinActionsTest, APictureButtonTakesTheCaptionOfItsAction) {
    FAction->SetCaption("Avanti");
    auto* button = Make<TtavImageButton>(FForm, {10, 10, 90, 30});
    button->SetAction(FAction);
    EXPECT_EQ(button->Caption(), "Avanti");
    int executed = 0;
    FAction->OnExecute = [&](TObject*) { ++executed; };
    FHost.Click(button->ClientToScreen({5, 5}));
    RunUntilIdle();
    EXPECT_EQ(executed, 1);
}

// The page control paints a marker under the sheet's top-left corner (hidden by the sheet): a see-through
// control on the sheet shows what lies behind the sheet there, placed by the sheet's position only.
class SkinSheetTest : public SkinActionsTest {
  protected:
    void SetUp() override {
        SkinActionsTest::SetUp();
        FPages = Make<TPageControl>(FForm, {10, 10, 310, 210});
        FPages->SetColor(clYellow);
        FSheet = NewComponent<TMyTabSheet>(FForm);
        FSheet->SetPageControl(FPages);
        FSheet->SetColor(clBlue);
        RunUntilIdle();
        FMarker = Make<TSkinTestShape>(FPages, {FSheet->Left(), FSheet->Top(), FSheet->Left() + 6, FSheet->Top() + 6});
        FMarker->SetColor(clLime);
        FMarker->SendToBack();
        RunUntilIdle();
    }
    TPageControl* FPages = nullptr;
    TTabSheet* FSheet = nullptr;
    TSkinTestShape* FMarker = nullptr;
};

TEST_F(SkinSheetTest, ButtonAndCheckBoxOnATabSheetShowWhatLiesBehindTheSheet) {
    auto* button = Make<TtavButton>(FSheet, {40, 30, 120, 57});
    button->SetUIStyle(TtavUIStyle::MacOS); // see-through corners
    ASSERT_TRUE(button->Transparent());
    EXPECT_EQ(Color(button, 0, 0), clLime) << "the sheet's corner, not the button's place";
    EXPECT_NE(Color(button, 0, 0), clBlue);

    auto* box = Make<TtavCheckBox>(FSheet, {40, 80, 140, 97});
    box->SetCaption("V");
    box->SetTransparent(true);
    EXPECT_EQ(Color(box, 2, 0), clLime);
    EXPECT_EQ(Color(box, box->Width() - 1, 10), clYellow);
    box->SetTransparent(false);
    EXPECT_EQ(Color(box, box->Width() - 1, 10), ColorToRGB(box->Color()));
}

// The data-aware check box answers dataset actions through its link.
class DBCheckBoxActionsTest : public SkinDataTest {
  protected:
    void SetUp() override {
        SkinDataTest::SetUp();
        AddSpells({"Alfa", "Beta"});
        FForm = ShownForm();
        FBox = Make<TtavDBCheckBox>(FForm, {10, 10, 100, 27});
        FBox->SetDataSource(FSource);
        FBox->SetDataField("RI");
        FBox->SetFocus();
        Pump();
    }
    TForm* FForm = nullptr;
    TtavDBCheckBox* FBox = nullptr;
};

TEST_F(DBCheckBoxActionsTest, DatasetActionsReachTheDatasetThroughTheCheckBox) {
    auto* next = NewComponent<TDataSetNext>(FOwner.get());
    auto* edit = NewComponent<TDataSetEdit>(FOwner.get());
    EXPECT_TRUE(next->Update());
    EXPECT_TRUE(next->Enabled());
    EXPECT_TRUE(next->Execute());
    EXPECT_EQ(FQryInc->FieldByName("INCANTESIMO").AsString(), "Beta");
    EXPECT_TRUE(next->Execute()); // past the last record: the end is reached
    EXPECT_TRUE(next->Update());
    EXPECT_FALSE(next->Enabled());
    EXPECT_TRUE(edit->Execute());
    EXPECT_EQ(FQryInc->State(), dsEdit);

    FBox->SetReadOnly(true); // the link still names the data source
    FBox->SetDataSource(nullptr);
    EXPECT_FALSE(FBox->ExecuteAction(next));
    EXPECT_FALSE(FBox->UpdateAction(next));
}

TEST_F(DBCheckBoxActionsTest, RightToLeftFollowsTheControlsMode) {
    EXPECT_FALSE(FBox->UseRightToLeftAlignment());
    FBox->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(FBox->UseRightToLeftAlignment());
    FBox->SetParentBiDiMode(true);
    EXPECT_FALSE(FBox->UseRightToLeftAlignment());
}

// A check box placed in a control grid by a layout keeps the grid's data source, whatever the layout gives it.
constexpr std::string_view GridLayout = R"(object GridForm: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  object GridSource: TDataSource
  end
  object OtherSource: TDataSource
  end
  object Grid: TDBCtrlGrid
    Left = 0
    Top = 0
    Width = 200
    Height = 120
    DataSource = GridSource
    object Box: TtavDBCheckBox
      Left = 4
      Top = 4
      DataField = 'RI'
      DataSource = OtherSource
    end
  end
end
)";

TEST_F(DBCheckBoxActionsTest, AControlGridFixesTheDataSourceOfItsCheckBox) {
    TForm* form = NewComponent<TForm>(Application);
    ReadLayoutInto(*form, GridLayout, "TGRIDFORM");
    auto* grid = static_cast<TDBCtrlGrid*>(form->FindComponent("Grid"));
    auto* box = static_cast<TtavDBCheckBox*>(form->FindComponent("Box"));
    auto* gridSource = static_cast<TDataSource*>(form->FindComponent("GridSource"));
    auto* other = static_cast<TDataSource*>(form->FindComponent("OtherSource"));
    ASSERT_TRUE(grid && box && gridSource && other);
    EXPECT_EQ(box->Parent(), grid->Panel());
    EXPECT_EQ(box->DataSource(), gridSource);
    EXPECT_TRUE(box->DataLink()->DataSourceFixed());

    // The grid's new source reaches the box; taken off the grid, the box is free again.
    grid->SetDataSource(other);
    EXPECT_EQ(box->DataSource(), other);
    box->SetParent(form);
    EXPECT_FALSE(box->DataLink()->DataSourceFixed());
    box->SetDataSource(gridSource);
    EXPECT_EQ(box->DataSource(), gridSource);
    delete form;
}

} // namespace
