// The program over read-only, locked and incomplete databases and texts holding a NUL: each failure is
// told in a message naming the file, the program goes on, and the file changes only by writes a user made.
#include "AppFixture.h"

#include "classlib/ListBox.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "classlib/dbctrls/DBLookupListBox.h"
#include "classlib/dbctrls/DBText.h"
#include "platform/Exception.h"
#include "skin/TAVButton.h"
#include "skin/TAVDBCtrls.h"

#include <sqlite3.h>

#include <fstream>
#include <iterator>

namespace {

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Another program holding a write transaction on the database until it is destroyed.
class TOtherWriter {
  public:
    explicit TOtherWriter(const std::filesystem::path& file) {
        sqlite3_open_v2(file.c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
        EXPECT_EQ(sqlite3_exec(FDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~TOtherWriter() {
        sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(FDb);
    }

  private:
    sqlite3* FDb = nullptr;
};

class DatabaseFaults : public AppTest {
  protected:
    std::string Database() const {
        return "The database \"" + (std::filesystem::current_path() / "Incantesimi.mdb").string() + "\" ";
    }
    std::string TakeBox() {
        if (FBoxes.empty()) return "no message";
        std::string text = FBoxes.front().Text;
        FBoxes.erase(FBoxes.begin());
        return text;
    }
    int SpellCount() const { return std::stoi(RawText(DatabaseFile(), "SELECT count(*) FROM INCANTESIMI")); }
    // Enter released on the spell list adds its current spell.
    void AddCurrentSpell() {
        FrmMain->DBLLBInc->SetFocus();
        FHost.KeyPress(VK_RETURN);
        Pump();
    }
    // A click on a row of the spell list, as a user makes it.
    void ClickSpellRow(int index) {
        TDBLookupListBox* list = FrmMain->DBLLBInc;
        list->SetTopIndex(index);
        TRect item = list->ItemRect(index);
        FHost.Click(list->ClientToScreen({item.Left + 10, (item.Top + item.Bottom) / 2}));
        Pump();
    }
};

TEST_F(DatabaseFaults, AReadOnlyDatabaseIsBrowsedAndEachWriteFailsSayingSo) {
    const std::string before = Bytes(DatabaseFile());
    std::filesystem::permissions(DatabaseFile(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    Start();
    // The start's emptying of the selection is the first write: it fails, and the catalogue still opens.
    EXPECT_EQ(TakeBox(), Database() + "is read-only: \"DELETE * FROM SELEZIONATI\" was not run");
    EXPECT_TRUE(FBoxes.empty());
    EXPECT_GT(FrmMain->DBLLBInc->Count(), 10);
    EXPECT_TRUE(FrmMain->ADOQrySel->Active());

    AddCurrentSpell();
    EXPECT_NE(TakeBox().find(Database() + "is read-only: \"INSERT INTO SELEZIONATI"), std::string::npos);
    EXPECT_EQ(FrmMain->ADOQrySel->SQL()->Text(), "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO\r\n");
    EXPECT_TRUE(FrmMain->ADOQrySel->Active());
    Click(FrmMain->Btt3);
    EXPECT_TRUE(FBoxes.empty());
    FrmMain->Close();
    Pump();
    std::filesystem::permissions(DatabaseFile(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(Bytes(DatabaseFile()), before);
}

TEST_F(DatabaseFaults, AFailedStatementPutsTheSelectionBackAndTheNextAddWorks) {
    Start();
    const std::string view = FrmMain->ADOQrySel->SQL()->Text();
    const std::string name = FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString();
    {
        TOtherWriter other(DatabaseFile());
        AddCurrentSpell();
        EXPECT_NE(TakeBox().find(Database() + "is locked by another program: \"INSERT INTO SELEZIONATI"),
                  std::string::npos);
        EXPECT_EQ(FrmMain->ADOQrySel->SQL()->Text(), view);
        EXPECT_TRUE(FrmMain->ADOQrySel->Active());
        try {
            FrmMain->Cancellatutti1Click(nullptr);
            ADD_FAILURE() << "a locked database was written";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message(), Database() + "is locked by another program: \"DELETE * FROM SELEZIONATI\" was not run");
        }
        EXPECT_EQ(FrmMain->ADOQrySel->SQL()->Text(), view);
    }
    AddCurrentSpell();
    EXPECT_TRUE(FBoxes.empty()) << TakeBox();
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{name});
    EXPECT_EQ(FrmMain->ADOQrySel->RecordCount(), 1);
    EXPECT_EQ(FrmMain->DBTIncSel->FieldText(), name);
}

TEST_F(DatabaseFaults, DataLabelsOfAClosedQueryShowNothing) {
    Start();
    FrmMain->ADOQrySel->Close();
    FrmMain->ADOQryInc->Close();
    for (TDBText* label : {FrmMain->DBTInc, FrmMain->DBTScuola, FrmMain->DBTIncSel, FrmMain->DBTLivello,
                           FrmMain->DBTScuSel}) {
        EXPECT_EQ(label->FieldText(), "") << label->Name();
    }
}

TEST_F(DatabaseFaults, ControlsOfAnEmptySpellListWriteNoBlankRow) {
    ASSERT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM INCANTESIMI WHERE BARDO = '9'"), "0");
    Start();
    Click(FrmMain->Btt9);
    ASSERT_EQ(FrmMain->ADOQryInc->RecordCount(), 0);
    const int spells = SpellCount();
    const std::string before = Bytes(DatabaseFile());
    Click(FrmMain->DBCBRI);
    Click(FrmMain->DBEBersaglio);
    FHost.TypeText("Una creatura");
    Pump();
    Click(FrmMain->DBMDescrizione);
    FHost.TypeText("Testo");
    Pump();
    Click(FrmMain->BttT);
    EXPECT_EQ(FrmMain->ADOQryInc->State(), dsBrowse);
    EXPECT_EQ(SpellCount(), spells);
    EXPECT_EQ(Bytes(DatabaseFile()), before);
    EXPECT_TRUE(FBoxes.empty()) << TakeBox();
}

TEST_F(DatabaseFaults, AMissingColumnIsReportedWhenItsQueryOpens) {
    // The catalogue's indexes hold every column.
    RawExec(DatabaseFile(), "ALTER TABLE SELEZIONATI DROP COLUMN SCUOLA; "
            "DROP INDEX INCANTESIMI_BARDO; DROP INDEX INCANTESIMI_CHIERICO; DROP INDEX INCANTESIMI_DRUIDO; "
            "DROP INDEX INCANTESIMI_MAGO_STREGONE; DROP INDEX INCANTESIMI_PALADINO; DROP INDEX INCANTESIMI_RANGER; "
            "ALTER TABLE INCANTESIMI DROP COLUMN DESCRIZIONE");
    Start();
    EXPECT_EQ(TakeBox(), "ADOQrySel: Field 'SCUOLA' not found");
    EXPECT_EQ(TakeBox(), "ADOQryInc: Field 'DESCRIZIONE' not found");
    // The other fields are shown all the same.
    EXPECT_GT(FrmMain->DBLLBInc->Count(), 10);
    EXPECT_EQ(FrmMain->DBTInc->FieldText(), FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString());
    EXPECT_EQ(FrmMain->DBMDescrizione->Text(), "");
}

TEST_F(DatabaseFaults, AfterAFailedPostTheListStaysOnTheSpellBeingEdited) {
    Start();
    const std::string first = FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString();
    Click(FrmMain->DBEArea);
    FHost.KeyPress(VK_END);
    FHost.TypeText(" e oltre");
    Pump();
    {
        TOtherWriter other(DatabaseFile());
        ClickSpellRow(3);
        EXPECT_NE(TakeBox().find(Database() + "is locked by another program"), std::string::npos);
        EXPECT_EQ(FrmMain->DBLLBInc->ItemIndex(), 0);
        EXPECT_EQ(FrmMain->DBTInc->FieldText(), first);
        EXPECT_EQ(FrmMain->ADOQryInc->State(), dsEdit);
    }
    ClickSpellRow(3);
    EXPECT_TRUE(FBoxes.empty()) << TakeBox();
    EXPECT_EQ(FrmMain->DBLLBInc->ItemIndex(), 3);
    EXPECT_EQ(FrmMain->DBTInc->FieldText(), FrmMain->DBLLBInc->ItemText(3));
    EXPECT_NE(RawText(DatabaseFile(), "SELECT AREA FROM INCANTESIMI WHERE INCANTESIMO = '" + first + "'")
                  .find(" e oltre"),
              std::string::npos);
}

TEST_F(DatabaseFaults, TextsHoldingANulAreShownCutThere) {
    const std::string first = RawText(DatabaseFile(), "SELECT INCANTESIMO FROM INCANTESIMI WHERE BARDO BETWEEN '0' "
                                                      "AND '9' ORDER BY INCANTESIMO COLLATE NOCASE LIMIT 1");
    RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET DESCRIZIONE = 'Prima' || char(0) || 'dopo', BERSAGLIO = 'Tu' || "
                            "char(0) || 'io', SCUOLA = 'Evo' || char(0) || 'cazione' WHERE INCANTESIMO = '" + first + "'");
    Start();
    EXPECT_EQ(FrmMain->DBMDescrizione->Text(), "Prima");
    EXPECT_EQ(FrmMain->DBEBersaglio->Text(), "Tu");
    EXPECT_EQ(FrmMain->DBTScuola->FieldText(), "Evo");
    FrmMain->Repaint();
    Pump();
    AddCurrentSpell();
    EXPECT_TRUE(FBoxes.empty()) << TakeBox();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT SCUOLA || '/' || DESCRIZIONE1 || '/' || BERSAGLIO FROM SELEZIONATI"),
              "Evo/Prima/Tu");
    FrmMain->Repaint();
    Pump();
}

} // namespace
