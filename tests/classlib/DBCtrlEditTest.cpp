// Editing a field through a data-aware edit: typing, replacing a character, Escape, and what reaches the file.
#include "DBCtrlTestSupport.h"

#include "classlib/dbctrls/DBEdit.h"
#include "classlib/dbctrls/DBMemo.h"

#include <gtest/gtest.h>

namespace {

class DBCtrlEditTest : public DBControlsFixture {
  protected:
    void SetUp() override {
        DBControlsFixture::SetUp();
        FAlfa = AddSpell("Alfa", "Z");
        AddSpell("Beta", "Z");
        AddSpells({});
        FForm = ShownForm();
        FEdit = Make<TDBEdit>(FForm, {10, 10, 200, 30});
        FEdit->SetDataSource(FSource);
        FEdit->SetDataField("AREA");
        FEdit->SetMaxLength(20);
        FOther = Make<TDBEdit>(FForm, {10, 50, 200, 70});
        FOther->SetDataSource(FSource);
        FOther->SetDataField("INCANTESIMO");
        Pump();
    }
    void TypeInto(TDBEdit* edit, const std::string& text) {
        FHost.Click(ScreenPoint(edit, {5, 5}));
        FHost.KeyPress(VK_END);
        FHost.TypeText(text);
        Pump();
    }

    int64_t FAlfa = 0;
    TForm* FForm = nullptr;
    TDBEdit* FEdit = nullptr;
    TDBEdit* FOther = nullptr;
};

TEST_F(DBCtrlEditTest, TypingEditsTheRecordAndTheEditSurvivesMovingAndClosing) {
    EXPECT_EQ(FEdit->Text(), "Nessuna");
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    TypeInto(FEdit, " o quasi");
    EXPECT_EQ(FQryInc->State(), dsEdit) << "typing puts the dataset in edit";
    EXPECT_EQ(FEdit->Text(), "Nessuna o quasi");
    EXPECT_EQ(AreaOf(FAlfa), "Nessuna");

    // Leaving the edit writes the text into the record; moving posts it.
    FHost.Click(ScreenPoint(FOther, {5, 5}));
    Pump();
    EXPECT_EQ(FQryInc->FieldByName("AREA").AsString(), "Nessuna o quasi");
    FQryInc->Next();
    EXPECT_EQ(AreaOf(FAlfa), "Nessuna o quasi");
    EXPECT_EQ(FEdit->Text(), "Nessuna");

    // An edit pending when the query and then the connection close is posted, not lost.
    TypeInto(FEdit, "!");
    FQryInc->Close();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT AREA FROM INCANTESIMI WHERE INCANTESIMO = 'Beta'"), "Nessuna!");
    FQryInc->Open();
    FQryInc->Last();
    Pump();
    TypeInto(FEdit, "?");
    FConnection->Close();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT AREA FROM INCANTESIMI WHERE INCANTESIMO = 'Beta'"), "Nessuna!?");
}

TEST_F(DBCtrlEditTest, KeyPressReplacesEscapeResetsAndMaxLengthHolds) {
    FEdit->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == U'\'') key = U'\u2019';
    };
    TypeInto(FEdit, "'");
    EXPECT_EQ(FEdit->Text(), "Nessuna\u2019");
    FHost.KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(FEdit->Text(), "Nessuna");
    FHost.TypeText("0123456789ABCDEFGHIJ");
    Pump();
    EXPECT_EQ(FEdit->Text().size(), 20u);
    FHost.KeyPress(VK_ESCAPE);
    Pump();

    // Backspace alone puts the dataset in edit.
    FQryInc->Cancel();
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    FHost.KeyPress(VK_END); // Escape selected the whole text
    FHost.KeyPress(VK_BACK);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_EQ(FEdit->Text(), "Nessun");
    FQryInc->Cancel();
    EXPECT_EQ(FEdit->Text(), "Nessuna");

    // Paste goes through the dataset's edit state too.
    FHost.SetClipboardText("X");
    FEdit->PasteFromClipboard();
    EXPECT_EQ(FQryInc->State(), dsEdit);
    FQryInc->Cancel();

    // Closed, nothing can be typed.
    FQryInc->Close();
    Pump();
    EXPECT_TRUE(static_cast<TCustomEdit*>(FEdit)->ReadOnly());
    FHost.TypeText("z");
    Pump();
    EXPECT_EQ(FEdit->Text(), "");
    EXPECT_EQ(FEdit->Perform(CM_GETDATALINK), LRESULT(FEdit->DataLink()));
}

TEST_F(DBCtrlEditTest, TheMemoEditsItsLongTextField) {
    TDBMemo* memo = Make<TDBMemo>(FForm, {10, 100, 300, 200});
    memo->SetDataSource(FSource);
    memo->SetDataField("DESCRIZIONE");
    Pump();
    std::string before = memo->Text();
    EXPECT_EQ(before, FQryInc->FieldByName("DESCRIZIONE").AsString());
    FHost.Click(ScreenPoint(memo, {5, 5}));
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_END);
    FHost.KeyUp(VK_CONTROL);
    FHost.TypeText("Fine.");
    Pump();
    EXPECT_EQ(FQryInc->State(), dsEdit);
    FHost.Click(ScreenPoint(FEdit, {5, 5}));
    Pump();
    FQryInc->Post();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT DESCRIZIONE FROM INCANTESIMI WHERE ID = " + std::to_string(FAlfa)),
              before + "Fine.");

    // A line break typed first puts the record in edit too, so leaving the memo writes it.
    FHost.Click(ScreenPoint(memo, {5, 5}));
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_HOME);
    FHost.KeyUp(VK_CONTROL);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsEdit);
    FHost.Click(ScreenPoint(FEdit, {5, 5}));
    Pump();
    FQryInc->Post();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT DESCRIZIONE FROM INCANTESIMI WHERE ID = " + std::to_string(FAlfa)),
              "\r\n" + before + "Fine.");
}

// With no current record nothing is there to edit: typing, deleting and pasting change nothing and
// start no new row.
TEST_F(DBCtrlEditTest, WithoutACurrentRecordNothingIsTypedOrInserted) {
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'nessuno'");
    TDBMemo* memo = Make<TDBMemo>(FForm, {10, 100, 300, 200});
    memo->SetDataSource(FSource);
    memo->SetDataField("DESCRIZIONE");
    Pump();
    const std::string rows = RawText(DatabaseFile(), "SELECT count(*) FROM INCANTESIMI");
    for (TCustomEdit* edit : {static_cast<TCustomEdit*>(FEdit), static_cast<TCustomEdit*>(memo)}) {
        FHost.Click(ScreenPoint(edit, {5, 5}));
        FHost.TypeText("Nuovo");
        FHost.KeyPress(VK_RETURN);
        FHost.KeyPress(VK_DELETE);
        Pump();
        EXPECT_EQ(edit->Text(), "");
        EXPECT_EQ(FQryInc->State(), dsBrowse);
    }
    FHost.Click(ScreenPoint(FEdit, {5, 5}));
    Pump();
    FQryInc->Close();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM INCANTESIMI"), rows);
}

} // namespace
