#include "AppFixture.h"

#include "app/Vmr.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "skin/TAVComboBox.h"

using Statements = std::vector<std::string>;

TEST_F(AppTest, StartUpEmptiesTheSelectionAndOpensBardoAtAllLevels) {
    RawExec(DatabaseFile(), "INSERT INTO SELEZIONATI (LIVELLO, INCANTESIMO) VALUES ('1', 'Rimasto da ieri')");
    Start();

    EXPECT_EQ(TakeStatements(), (Statements{"DELETE * FROM SELEZIONATI", "SELECT * FROM SELEZIONATI",
                                            "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' "
                                            "ORDER BY INCANTESIMO",
                                            "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO"}));
    EXPECT_TRUE(SelectedNames().empty());
    EXPECT_TRUE(FrmMain->ADOQrySel->Active());
    EXPECT_EQ(FrmMain->ADOQrySel->RecordCount(), 0);
    EXPECT_EQ(FrmMain->GetLivello(), "10");
    EXPECT_EQ(FrmMain->GetClasse(), "BARDO");
    EXPECT_EQ(FrmMain->GetOrdine(), "INCANTESIMO");
    EXPECT_EQ(FrmMain->CmBIncantatore->Text(), "Bardo");

    // Every spell whose Bardo level lies between "0" and "9" as text, by name ignoring case.
    std::vector<std::string> expected;
    for (const auto& name : RawColumn(DatabaseFile(), "SELECT INCANTESIMO FROM INCANTESIMI WHERE BARDO BETWEEN "
                                                      "'0' AND '9' ORDER BY INCANTESIMO COLLATE NOCASE"))
        expected.push_back(name.value_or(""));
    std::vector<std::string> listed;
    TADOQuery* catalogue = FrmMain->ADOQryInc;
    for (catalogue->First(); !catalogue->Eof(); catalogue->Next())
        listed.push_back(catalogue->FieldByName("INCANTESIMO").AsString());
    EXPECT_EQ(listed, expected);
    EXPECT_GT(listed.size(), 10u);

    // The frame sizes the window, not the layout's own size and constraints.
    EXPECT_EQ(FrmMain->Left(), 207);
    EXPECT_EQ(FrmMain->Top(), 115);
    EXPECT_EQ(FrmMain->Width(), 701);
    EXPECT_EQ(FrmMain->Height(), 562);
    EXPECT_EQ(FrmMain->Constraints()->MinWidth(), 130);
    EXPECT_EQ(FrmMain->Constraints()->MinHeight(), 50);
    EXPECT_TRUE(FrmMain->Visible());
    EXPECT_FALSE(FrmAbout->Visible());
    EXPECT_TRUE(FBoxes.empty());
}

TEST_F(AppTest, ClosingClosesTheSelectionThenTheCatalogueThenTheConnection) {
    Start();
    std::vector<std::string> order;
    FrmMain->ADOQrySel->AfterClose = [&](TDataSet*) { order.push_back("selezione"); };
    FrmMain->ADOQryInc->AfterClose = [&](TDataSet*) { order.push_back("catalogo"); };
    FrmMain->ADOConnection->AfterDisconnect = [&](TObject*) { order.push_back("connessione"); };
    FrmMain->Close();
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"selezione", "catalogo", "connessione"}));
}

TEST_F(AppTest, ClosingSkipsAQueryThatIsAlreadyClosed) {
    Start();
    FrmMain->ADOQrySel->Close();
    std::vector<std::string> order;
    FrmMain->ADOQrySel->AfterClose = [&](TDataSet*) { order.push_back("selezione"); };
    FrmMain->ADOQryInc->AfterClose = [&](TDataSet*) { order.push_back("catalogo"); };
    FrmMain->Close();
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"catalogo"}));
    EXPECT_FALSE(FrmMain->ADOConnection->Connected());
}

// Without the database the program ends with an error that names the file: no window, no file made.
class MissingDatabase : public ::testing::Test {
  protected:
    THeadlessHost FHost;
    TTemporaryFolder FFolder;
};

TEST_F(MissingDatabase, StartUpEndsWithTheErrorNamingTheFullPath) {
    TCurrentFolder current(FFolder.Path());
    InitWindowSystem(FHost);
    std::vector<TMessageBoxRequest> boxes;
    TMessageBoxHook previous = SetMessageBoxHook([&](const TMessageBoxRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        EXPECT_TRUE(GetTopLevelWindows().empty()) << "no window shows behind the error";
        return IDOK;
    });
    EXPECT_NE(RunVmr(), 0);
    SetMessageBoxHook(std::move(previous));
    ShutdownWindowSystem();

    ASSERT_EQ(boxes.size(), 1u);
    const std::string path = (std::filesystem::canonical(FFolder.Path()) / "Incantesimi.mdb").string();
    // The connection's own words, without the layout's line and item.
    EXPECT_EQ(boxes[0].Text, "Cannot open the database \"" + path + "\": it does not exist");
    EXPECT_TRUE(std::filesystem::is_empty(FFolder.Path()));
    EXPECT_EQ(Application, nullptr);
    EXPECT_EQ(FrmMain, nullptr);
}
