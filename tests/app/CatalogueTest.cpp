#include "AppFixture.h"

#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVDBCtrls.h"

using Statements = std::vector<std::string>;

TEST_F(AppTest, LevelButtonsRebuildBothQueriesOnlyWhenTheLevelChanges) {
    Start();
    TakeStatements();
    Click(FrmMain->Btt3);
    EXPECT_EQ(TakeStatements(), (Statements{"SELECT * FROM INCANTESIMI WHERE BARDO = '3' ORDER BY INCANTESIMO",
                                            "SELECT * FROM SELEZIONATI WHERE LIVELLO = '3' ORDER BY INCANTESIMO"}));
    EXPECT_EQ(FrmMain->GetLivello(), "3");
    for (FrmMain->ADOQryInc->First(); !FrmMain->ADOQryInc->Eof(); FrmMain->ADOQryInc->Next())
        EXPECT_EQ(FrmMain->ADOQryInc->FieldByName("BARDO").AsString(), "3");

    Click(FrmMain->Btt3);
    EXPECT_TRUE(TakeStatements().empty()) << "the level already in force issues no query";

    Click(FrmMain->BttT);
    EXPECT_EQ(TakeStatements(), (Statements{"SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' "
                                            "ORDER BY INCANTESIMO",
                                            "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO"}));
    EXPECT_EQ(FrmMain->GetLivello(), "10");
    EXPECT_TRUE(FBoxes.empty());
}

TEST_F(AppTest, TheClassComboBoxTakesUpperCasedClassNamesOnly) {
    Start();
    Click(FrmMain->Btt5);
    TakeStatements();

    FrmMain->CmBIncantatore->SetFocus();
    FrmMain->CmBIncantatore->SetText("");
    FHost.TypeText("mago_stregone");
    Pump();
    EXPECT_EQ(FrmMain->GetClasse(), "MAGO_STREGONE");
    // Only the catalogue follows the class; the selection is not filtered by class.
    EXPECT_EQ(TakeStatements(),
              (Statements{"SELECT * FROM INCANTESIMI WHERE MAGO_STREGONE = '5' ORDER BY INCANTESIMO"}));

    FrmMain->CmBIncantatore->SetText("");
    FHost.TypeText("Mago Stregone");
    Pump();
    EXPECT_EQ(FrmMain->GetClasse(), "MAGO_STREGONE");
    EXPECT_TRUE(TakeStatements().empty()) << "a text that is no class is ignored";
    EXPECT_TRUE(FBoxes.empty());
}

TEST_F(AppTest, ATypedApostropheIsStoredAsTheTypographicOne) {
    Start();
    const std::string id = FrmMain->ADOQryInc->FieldByName("ID").AsString();
    FrmMain->DBEArea->SetFocus();
    FrmMain->DBEArea->SelectAll();
    FHost.TypeText("dell'area");
    Pump();
    EXPECT_EQ(FrmMain->DBEArea->Text(), "dell\u2019area");
    // Moving to another row posts the edit.
    FrmMain->ADOQryInc->Next();
    Pump();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT AREA FROM INCANTESIMI WHERE ID = " + id),
              "dell\u2019area");
}

TEST_F(AppTest, AnEditInProgressIsPostedBeforeARequeryAndBeforeClosing) {
    Start();
    const std::string first = FrmMain->ADOQryInc->FieldByName("ID").AsString();
    FrmMain->DBEBersaglio->SetFocus();
    FrmMain->DBEBersaglio->SelectAll();
    FHost.TypeText("Tre creature");
    Pump();
    Click(FrmMain->Btt2);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT BERSAGLIO FROM INCANTESIMI WHERE ID = " + first), "Tre creature");

    const std::string second = FrmMain->ADOQryInc->FieldByName("ID").AsString();
    FrmMain->DBETempo->SetFocus();
    FrmMain->DBETempo->SelectAll();
    FHost.TypeText("1 minuto");
    Pump();
    FrmMain->Close();
    Pump();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT TEMPODILANCIO FROM INCANTESIMI WHERE ID = " + second), "1 minuto");
    EXPECT_TRUE(FBoxes.empty());
}
