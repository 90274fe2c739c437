// The data-aware check box: the mark follows the field, and a toggle reaches the record and the file.
#include "SkinDataTest.h"

#include "classlib/dbctrls/DBCtrlGrid.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "skin/TAVDBCtrls.h"

namespace {

class DBCheckBoxTest : public SkinDataTest {
  protected:
    void SetUp() override {
        SkinDataTest::SetUp();
        AddSpells({"Alfa", "Beta", "Gamma"});
        RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET RI = 0 WHERE INCANTESIMO IN ('Beta', 'Gamma')");
        RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET AREA = NULL WHERE INCANTESIMO = 'Gamma'");
        FQryInc->Close();
        FQryInc->Open();
        FForm = ShownForm();
        FBox = Make<TtavDBCheckBox>(FForm, {10, 10, 100, 27});
        FBox->SetCaption("R.I.");
        FBox->SetDataSource(FSource);
        FBox->SetDataField("RI");
        FBox->OnClick = [this](TObject*) { ++FClicks; };
        FOther = Make<TtavDBCheckBox>(FForm, {10, 40, 100, 57});
        RunUntilIdle();
    }
    std::string Current() { return FQryInc->FieldByName("INCANTESIMO").AsString(); }
    void ClickBox(TControl* box) {
        FHost.Click(box->ClientToScreen({3, 3}));
        RunUntilIdle();
    }
    void Space() {
        FHost.KeyDown(VK_SPACE);
        FHost.TypeText(" ");
        FHost.KeyUp(VK_SPACE);
        RunUntilIdle();
    }

    TForm* FForm = nullptr;
    TtavDBCheckBox* FBox = nullptr;
    TtavDBCheckBox* FOther = nullptr;
    int FClicks = 0;
};

TEST_F(DBCheckBoxTest, TheMarkFollowsTheYesNoColumnAndOnClickItsChanges) {
    EXPECT_EQ(FBox->ValueChecked(), "True");
    EXPECT_EQ(FBox->ValueUnchecked(), "False");
    EXPECT_TRUE(FBox->ControlStyle().Contains(csReplicatable));
    EXPECT_EQ(FBox->Perform(CM_GETDATALINK), LRESULT(FBox->DataLink()));
    ASSERT_EQ(Current(), "Alfa");
    EXPECT_TRUE(FBox->Checked());
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FClicks, 1);
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(FClicks, 1) << "equal values fire nothing";
    FQryInc->Close();
    EXPECT_FALSE(FBox->Checked());
    FQryInc->Open();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(FClicks, 2);
}

TEST_F(DBCheckBoxTest, TogglingWritesTrueOrFalseThatSurvivesMovingOn) {
    FQryInc->Next();
    ASSERT_EQ(Current(), "Beta");
    ClickBox(FBox);
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_TRUE(FBox->DataLink()->IsModified());
    EXPECT_EQ(FQryInc->FieldByName("RI").AsString(), "False") << "written when the record is updated";

    // Leaving the box updates the record; moving on posts it to the file.
    ClickBox(FOther);
    EXPECT_EQ(FQryInc->FieldByName("RI").AsString(), "True");
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(Stored("RI", "Beta"), "1");
    FQryInc->Prior();
    EXPECT_TRUE(FBox->Checked());

    // Space unchecks; a post without leaving the box still takes the value.
    FBox->SetFocus();
    Space();
    EXPECT_FALSE(FBox->Checked());
    FQryInc->Post();
    EXPECT_EQ(Stored("RI", "Beta"), "0");
    FQryInc->Close();
    FQryInc->Open();
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked());
    EXPECT_EQ(Stored("RI", "Alfa"), "1") << "the other rows are untouched";
}

TEST_F(DBCheckBoxTest, EscapeReadOnlyAndNoFieldKeepTheFieldAsItIs) {
    FBox->SetFocus();
    Space();
    EXPECT_FALSE(FBox->Checked());
    FHost.KeyPress(VK_ESCAPE);
    RunUntilIdle();
    EXPECT_TRUE(FBox->Checked()) << "Escape reads the field again";
    FQryInc->Post();
    EXPECT_EQ(Stored("RI", "Alfa"), "1");

    FBox->SetReadOnly(true);
    ClickBox(FBox);
    ClickBox(FOther);
    EXPECT_NE(FQryInc->State(), dsEdit);
    FQryInc->Next();
    FQryInc->Prior();
    EXPECT_TRUE(FBox->Checked());
    EXPECT_EQ(Stored("RI", "Alfa"), "1");

    // A box without a field toggles on screen only.
    const bool before = FOther->Checked();
    ClickBox(FOther);
    EXPECT_NE(FOther->Checked(), before);
    EXPECT_NE(FQryInc->State(), dsEdit);
}

TEST_F(DBCheckBoxTest, ValueListsOnATextField) {
    RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET AREA = 'y' WHERE INCANTESIMO = 'Alfa'");
    FQryInc->Close();
    FQryInc->Open();
    FBox->SetDataField("AREA");
    FBox->SetValueChecked("Yes; Y ;1");
    FBox->SetValueUnchecked("No;Nessuna");
    EXPECT_TRUE(FBox->Checked()) << "a lower-case y is the middle item";
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked()) << "Nessuna";
    FQryInc->Next();
    EXPECT_FALSE(FBox->Checked()) << "null";

    // A text of both lists is checked; the mark is read again when a list changes.
    FQryInc->Prior();
    FBox->SetValueChecked("Nessuna");
    EXPECT_TRUE(FBox->Checked());
    FBox->SetValueChecked("Yes; Y ;1");
    EXPECT_FALSE(FBox->Checked());

    // Checking writes the first item, trimmed; unchecking the first unchecked one.
    ClickBox(FBox);
    FQryInc->Post();
    EXPECT_EQ(Stored("AREA", "Beta"), "Yes");
    FBox->SetFocus();
    Space();
    FQryInc->Post();
    EXPECT_EQ(Stored("AREA", "Beta"), "No");

    // With no checked texts every value reads unchecked, and checking writes an empty text.
    FBox->SetValueChecked("");
    FQryInc->First();
    EXPECT_FALSE(FBox->Checked());
    ClickBox(FBox);
    FQryInc->Post();
    EXPECT_EQ(Stored("AREA", "Alfa"), "");
}

TEST(MatchesValueListTest, ItemsAreTrimmedAndComparedWithoutCase) {
    EXPECT_TRUE(MatchesValueList("Yes; Y ;1", "y"));
    EXPECT_TRUE(MatchesValueList("Yes; Y ;1", "YES"));
    EXPECT_TRUE(MatchesValueList("Yes; Y ;1", "1"));
    EXPECT_FALSE(MatchesValueList("Yes; Y ;1", " y")) << "the text is not trimmed";
    EXPECT_FALSE(MatchesValueList("Yes; Y ;1", "Ye"));
    EXPECT_FALSE(MatchesValueList("", ""));
    EXPECT_TRUE(MatchesValueList("a;;b", ""));
    EXPECT_FALSE(MatchesValueList("a;b", ""));
    EXPECT_TRUE(MatchesValueList("True", "true"));
    EXPECT_TRUE(MatchesValueList("No;S\u00CC", "s\u00EC")) << "accented letters too";
    EXPECT_FALSE(MatchesValueList("S\u00CC", "si"));
}

TEST_F(DBCheckBoxTest, AValueTheFieldRefusesKeepsTheFocusAndReachesTheErrorBox) {
    std::vector<std::string> messages;
    TMessageBoxHook previous = SetMessageBoxHook([&](const TMessageBoxRequest& r) -> std::optional<int> {
        messages.push_back(r.Text);
        return IDOK;
    });
    FOther->SetDataSource(FSource);
    FOther->SetDataField("ID");
    FOther->SetValueChecked("Yes");
    ClickBox(FOther);
    EXPECT_TRUE(FOther->Checked());
    ClickBox(FBox);
    EXPECT_TRUE(FOther->Focused());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("'Yes' is not a valid integer value for field 'ID'"), std::string::npos)
        << messages[0];
    FQryInc->Cancel();
    EXPECT_FALSE(FOther->Checked());
    SetMessageBoxHook(std::move(previous));
}

TEST_F(DBCheckBoxTest, AControlGridPaintsPlainCopiesWithEachRecordsMark) {
    RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET RI = 1 WHERE INCANTESIMO = 'Gamma'");
    FQryInc->Close();
    FQryInc->Open();
    auto* grid = Make<TDBCtrlGrid>(FForm, {150, 10, 350, 130});
    grid->SetRowCount(3);
    grid->SetPanelHeight(40);
    grid->SetPanelWidth(200);
    auto* box = Make<TtavDBCheckBox>(grid->Panel(), {5, 5, 80, 22});
    box->SetDataSource(FSource);
    box->SetDataField("RI");
    grid->SetDataSource(FSource);
    RunUntilIdle();
    ASSERT_EQ(Current(), "Alfa");
    // Dark pixels inside the plain box of a panel's copy: its check mark.
    auto markPixels = [&](int panel) {
        const TRect bounds = grid->PanelBounds(panel);
        const int left = grid->Left() + bounds.Left + box->Left();
        const int top = grid->Top() + bounds.Top + box->Top() + (box->Height() - 13) / 2;
        int dark = 0;
        for (int y = top + 2; y < top + 11; ++y)
            for (int x = left + 2; x < left + 11; ++x)
                dark += WindowColor(FForm, x, y) == ColorToRGB(clWindowText);
        return dark;
    };
    EXPECT_EQ(markPixels(1), 0) << "Beta";
    EXPECT_GT(markPixels(2), 10) << "Gamma";
    EXPECT_TRUE(box->Checked()) << "the live box shows the current record";
}

TEST_F(DBCheckBoxTest, TheDataSourceGoingClearsTheReference) {
    FOther->SetDataSource(FSource);
    FOther->SetDataField("RI");
    EXPECT_TRUE(FOther->Checked());
    delete FSource;
    FSource = nullptr;
    EXPECT_EQ(FBox->DataSource(), nullptr);
    EXPECT_EQ(FOther->DataSource(), nullptr);
    EXPECT_FALSE(FBox->Checked());
    ClickBox(FBox);
    EXPECT_TRUE(FBox->Checked());
}

} // namespace
