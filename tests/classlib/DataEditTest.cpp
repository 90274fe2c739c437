// Editing through the fields of an open query: what reaches the file, when, and what never does.
#include "DataTestSupport.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {

class DataEdit : public DataFixture {
  protected:
    // The catalogue query on the spells of one Bardo level, the given spell current.
    void OpenOn(int64_t id) {
        OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = '7' ORDER BY INCANTESIMO");
        for (FQryInc->First(); !FQryInc->Eof(); FQryInc->Next()) {
            if (FQryInc->FieldByName("ID").AsInteger() == id) return;
        }
        FAIL() << "spell " << id << " not listed";
    }
    TField& Area() { return FQryInc->FieldByName("AREA"); }
};

TEST_F(DataEdit, AnEditSurvivesMovingClosingTheQueryAndClosingTheConnection) {
    int64_t first = AddSpell("Alfa", "7");
    int64_t second = AddSpell("Beta", "7");
    OpenOn(first);
    EXPECT_THROW(Area().SetAsString("senza modifica"), EDatabaseError);
    try {
        Area().SetAsString("x");
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Dataset not in edit or insert mode");
    }

    FQryInc->Edit();
    Area().SetAsString("Dopo lo spostamento");
    EXPECT_EQ(AreaOf(first), "Nessuna");
    FQryInc->Next();
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    EXPECT_EQ(AreaOf(first), "Dopo lo spostamento");
    EXPECT_EQ(FQryInc->FieldByName("ID").AsInteger(), second);

    FQryInc->Edit();
    Area().SetAsString("Dopo la chiusura");
    FQryInc->Close();
    EXPECT_EQ(AreaOf(second), "Dopo la chiusura");

    OpenOn(first);
    EXPECT_EQ(Area().AsString(), "Dopo lo spostamento");
    FQryInc->Edit();
    Area().SetAsString("Dopo la disconnessione");
    FConnection->Close();
    EXPECT_FALSE(FQryInc->Active());
    EXPECT_EQ(AreaOf(first), "Dopo la disconnessione");

    // Changing the SQL text closes the query, posting first.
    OpenOn(second);
    FQryInc->Edit();
    Area().SetAsString("Dopo il nuovo testo");
    FQryInc->SQL()->Clear();
    EXPECT_FALSE(FQryInc->Active());
    EXPECT_EQ(AreaOf(second), "Dopo il nuovo testo");

    // Refreshing posts too, and stays on the same row.
    OpenOn(second);
    FQryInc->Edit();
    Area().SetAsString("Dopo il ricaricamento");
    FQryInc->Refresh();
    EXPECT_EQ(AreaOf(second), "Dopo il ricaricamento");
    EXPECT_EQ(FQryInc->FieldByName("ID").AsInteger(), second);
}

TEST_F(DataEdit, AnEditWritesOnlyItsOwnRowWhenTheNameAppearsTwice) {
    int64_t first = AddSpell("Gemello", "7");
    int64_t second = AddSpell("Gemello", "7");
    OpenOn(second);
    FQryInc->Edit();
    Area().SetAsString("Solo il secondo");
    FQryInc->Post();
    EXPECT_EQ(AreaOf(first), "Nessuna");
    EXPECT_EQ(AreaOf(second), "Solo il secondo");

    FQryInc->Delete();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Gemello'"), "1");
    EXPECT_EQ(AreaOf(first), "Nessuna");
    FQryInc->First();
    int rows = 0;
    for (; !FQryInc->Eof(); FQryInc->Next())
        rows += FQryInc->FieldByName("ID").AsInteger() == second;
    EXPECT_EQ(rows, 0);
}

TEST_F(DataEdit, ApostrophesAndAccentedTextRoundTrip) {
    const std::string text = "L'area è “ampia” — ½ metro, ça va’";
    int64_t id = AddSpell("Città d’oro", "7");
    OpenOn(id);
    EXPECT_EQ(FQryInc->FieldByName("INCANTESIMO").AsString(), "Città d’oro");
    FQryInc->Edit();
    Area().SetAsString(text);
    FQryInc->Post();
    EXPECT_EQ(AreaOf(id), text);
    FQryInc->Close();
    OpenOn(id);
    EXPECT_EQ(Area().AsString(), text);
}

TEST_F(DataEdit, BooleanFieldsTakeBooleansOrTheirTextsInAnyCase) {
    int64_t id = AddSpell("Sì o no", "7");
    OpenOn(id);
    TField& ri = FQryInc->FieldByName("RI");
    EXPECT_EQ(ri.AsString(), "True");
    FQryInc->Edit();
    ri.SetAsString("fAlSe");
    EXPECT_EQ(ri.AsString(), "False");
    FQryInc->FieldByName("V").SetAsBoolean(true);
    EXPECT_THROW(ri.SetAsString("forse"), EDatabaseError);
    EXPECT_EQ(ri.AsString(), "False");
    FQryInc->Post();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT RI || V FROM INCANTESIMI WHERE ID = " + std::to_string(id)),
              "01");
    EXPECT_EQ(ri.AsString(), "False");
    EXPECT_EQ(FQryInc->FieldByName("V").AsString(), "True");

    // Null reads empty and false; integer fields refuse other texts.
    FQryInc->Edit();
    ri.Clear();
    EXPECT_TRUE(ri.IsNull());
    EXPECT_FALSE(ri.AsBoolean());
    EXPECT_THROW(FQryInc->FieldByName("ID").SetAsString("tre"), EDatabaseError);
    FQryInc->Cancel();
    EXPECT_EQ(ri.AsString(), "False");
}

TEST_F(DataEdit, AFailingPostRaisesAndKeepsTheEdit) {
    int64_t id = AddSpell("Protetto", "7");
    RawExec(DatabaseFile(),
            "CREATE TRIGGER NO_VIETATA BEFORE UPDATE ON INCANTESIMI WHEN NEW.AREA = 'vietata' "
            "BEGIN SELECT RAISE(ABORT, 'area vietata'); END");
    OpenOn(id);
    FQryInc->Edit();
    Area().SetAsString("vietata");
    try {
        FQryInc->Post();
        FAIL() << "the post went through";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("area vietata"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_EQ(Area().AsString(), "vietata");
    // Moving, closing and closing the connection all refuse to drop it.
    EXPECT_THROW(FQryInc->Next(), EDatabaseError);
    EXPECT_THROW(FQryInc->Close(), EDatabaseError);
    EXPECT_THROW(FConnection->Close(), EDatabaseError);
    EXPECT_TRUE(FQryInc->Active());
    EXPECT_EQ(Area().AsString(), "vietata");
    Area().SetAsString("permessa");
    FQryInc->Next();
    EXPECT_EQ(AreaOf(id), "permessa");
}

TEST_F(DataEdit, InsertPostsOnlyAModifiedRowAndTheStaticRowsFollow) {
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO");
    FQrySel->Append();
    EXPECT_EQ(FQrySel->RecordCount(), 1);
    FQrySel->First();
    EXPECT_EQ(FQrySel->State(), dsBrowse);
    EXPECT_EQ(FQrySel->RecordCount(), 0);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM SELEZIONATI"), "0");

    FQrySel->Insert();
    FQrySel->FieldByName("INCANTESIMO").SetAsString("Nuovo");
    FQrySel->FieldByName("PE").SetAsString("TRUE");
    FQrySel->Post();
    EXPECT_EQ(FQrySel->RecordCount(), 1);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT INCANTESIMO || '/' || PE || '/' || RI FROM SELEZIONATI"),
              "Nuovo/1/0");
    // The defaults the file gave show in the row.
    EXPECT_EQ(FQrySel->FieldByName("RI").AsString(), "False");
    EXPECT_FALSE(FQrySel->FieldByName("ID").IsNull());
    FQrySel->Edit();
    FQrySel->FieldByName("LIVELLO").SetAsString("4");
    FQrySel->Post();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT LIVELLO FROM SELEZIONATI"), "4");
    FQrySel->Delete();
    EXPECT_TRUE(FQrySel->Eof());
    EXPECT_TRUE(FQrySel->Bof());
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM SELEZIONATI"), "0");
}

TEST_F(DataEdit, ResultsThatAreNotRowsOfOneTableCannotBeModified) {
    for (const char* sql :
         {"SELECT count(*) AS N FROM INCANTESIMI", "SELECT DISTINCT SCUOLA FROM INCANTESIMI",
          "SELECT a.INCANTESIMO FROM INCANTESIMI a, SELEZIONATI b",
          "SELECT SCUOLA, max(ID) FROM INCANTESIMI GROUP BY SCUOLA",
          "SELECT INCANTESIMO, upper(AREA) AS A FROM INCANTESIMI"}) {
        OpenWith(FQryInc, sql);
        EXPECT_FALSE(FQryInc->CanModify()) << sql;
        EXPECT_THROW(FQryInc->Edit(), EDatabaseError) << sql;
        EXPECT_THROW(FQryInc->Delete(), EDatabaseError) << sql;
    }
    OpenWith(FQryInc, "SELECT count(*) AS N FROM INCANTESIMI");
    EXPECT_EQ(FQryInc->FieldByName("N").DataType(), ftInteger);
    FQryInc->SetLockType(ltReadOnly);
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI i WHERE i.BARDO = '1'");
    EXPECT_FALSE(FQryInc->CanModify());
    FQryInc->SetLockType(ltOptimistic);
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI i WHERE i.BARDO = '1'");
    EXPECT_TRUE(FQryInc->CanModify());
}

TEST_F(DataEdit, NavigationBookmarksAndFields) {
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = '1' ORDER BY INCANTESIMO");
    int count = FQryInc->RecordCount();
    ASSERT_GT(count, 3);
    EXPECT_TRUE(FQryInc->Bof());
    EXPECT_FALSE(FQryInc->Eof());
    EXPECT_EQ(FQryInc->RecNo(), 1);
    FQryInc->Prior();
    EXPECT_TRUE(FQryInc->Bof());
    EXPECT_EQ(FQryInc->MoveBy(2), 2);
    EXPECT_FALSE(FQryInc->Bof());
    TBookmark mark = FQryInc->GetBookmark();
    std::string name = FQryInc->FieldByName("INCANTESIMO").AsString();
    FQryInc->Last();
    EXPECT_TRUE(FQryInc->Eof());
    EXPECT_EQ(FQryInc->RecNo(), count);
    FQryInc->Next();
    EXPECT_EQ(FQryInc->RecNo(), count);
    EXPECT_EQ(FQryInc->MoveBy(-count - 5), -(count - 1));
    EXPECT_TRUE(FQryInc->Bof());
    ASSERT_TRUE(FQryInc->BookmarkValid(mark));
    FQryInc->GotoBookmark(mark);
    EXPECT_EQ(FQryInc->FieldByName("INCANTESIMO").AsString(), name);
    FQryInc->Delete();
    EXPECT_FALSE(FQryInc->BookmarkValid(mark));
    EXPECT_THROW(FQryInc->GotoBookmark(mark), EDatabaseError);
    FQryInc->SetRecNo(2);
    EXPECT_EQ(FQryInc->RecNo(), 2);

    EXPECT_EQ(FQryInc->FindField("incantesimo"), &FQryInc->FieldByName("INCANTESIMO"));
    EXPECT_EQ(FQryInc->FindField("NESSUNO"), nullptr);
    try {
        FQryInc->FieldByName("NESSUNO");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("Field 'NESSUNO' not found"), std::string::npos);
    }
    FQryInc->Close();
    EXPECT_EQ(FQryInc->Fields().Count(), 0);
    EXPECT_THROW(FQryInc->Next(), EDatabaseError);
}

TEST_F(DataEdit, EventsComeInOrder) {
    std::vector<std::string> log;
    auto record = [&](const char* name) { return [&log, name](TDataSet*) { log.push_back(name); }; };
    FQrySel->BeforeOpen = record("BeforeOpen");
    FQrySel->AfterOpen = record("AfterOpen");
    FQrySel->BeforeClose = record("BeforeClose");
    FQrySel->AfterClose = record("AfterClose");
    FQrySel->BeforePost = record("BeforePost");
    FQrySel->AfterPost = record("AfterPost");
    FQrySel->OnNewRecord = [&](TDataSet* d) {
        log.push_back("OnNewRecord");
        d->FieldByName("LIVELLO").SetAsString("0");
    };
    FQrySel->Open();
    FQrySel->Append();
    // A default from OnNewRecord alone is no change: the row is dropped.
    FQrySel->Cancel();
    FQrySel->Append();
    FQrySel->FieldByName("INCANTESIMO").SetAsString("Uno");
    FQrySel->Close();
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeOpen", "AfterOpen", "OnNewRecord", "OnNewRecord",
                                             "BeforePost", "AfterPost", "BeforeClose", "AfterClose"}));
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT LIVELLO || INCANTESIMO FROM SELEZIONATI"), "0Uno");
}

} // namespace
