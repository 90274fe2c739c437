#include "AppFixture.h"

#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "classlib/dbctrls/DBCtrlGrid.h"
#include "platform/Input.h"
#include "skin/TAVButton.h"
#include "skin/TAVDBCtrls.h"

using Statements = std::vector<std::string>;

namespace {

// 300 characters: apostrophes and accented letters on both sides of the 102/91 cut.
std::string LongDescription() {
    std::string text;
    for (int i = 0; text.size() < 400; ++i)
        text += i % 3 == 0 ? "l'\u00e0" : "abcdefghij";
    return Utf8Copy(text, 1, 300);
}

std::string Doubled(const std::string& value) {
    std::string doubled;
    for (char c : value)
        doubled += c == '\'' ? std::string("''") : std::string(1, c);
    return doubled;
}

} // namespace

TEST_F(AppTest, DoubleClickAndEnterReleaseAddTheCurrentSpellOnce) {
    Start();
    DoubleClick(FrmMain->DBLLBInc);
    const std::string first = FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString();
    EXPECT_EQ(SelectedNames(), Statements{first});
    DoubleClick(FrmMain->DBLLBInc);
    EXPECT_EQ(SelectedNames(), Statements{first}) << "a spell is in the selection once";

    FrmMain->DBLLBInc->SetFocus();
    FHost.KeyPress(VK_DOWN);
    Pump();
    const std::string second = FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString();
    ASSERT_NE(second, first);
    FHost.KeyDown(VK_RETURN);
    Pump();
    EXPECT_EQ(SelectedNames().size(), 1u) << "pressing Enter alone adds nothing";
    FHost.KeyUp(VK_RETURN);
    Pump();
    EXPECT_EQ(FrmMain->ADOQrySel->RecordCount(), 2);
    const Statements selected = SelectedNames();
    EXPECT_EQ(std::count(selected.begin(), selected.end(), second), 1);
    EXPECT_TRUE(FBoxes.empty());
}

TEST_F(AppTest, AddingSplitsTheDescriptionAndKeepsApostrophesAndTrimmedNames) {
    RawExec(DatabaseFile(),
            "INSERT INTO INCANTESIMI (INCANTESIMO, SCUOLA, BARDO, DESCRIZIONE, BERSAGLIO, AREA, PAGINA, RI, V, S, "
            "M, F, FD, PE) VALUES ('  Aaa dell''alba  ', 'Evoc', '1', '" +
                Doubled(LongDescription()) +
                "', 'Un''alleato', 'Sfera di 6 m', '12', 1, 0, 1, 0, 1, 0, 1)");
    Start();
    Click(FrmMain->Btt1);
    FrmMain->ADOQryInc->First();
    Pump();
    ASSERT_EQ(FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString(), "  Aaa dell'alba  ");
    TakeStatements();
    FrmMain->DBLLBIncDblClick(FrmMain->DBLLBInc);
    FrmMain->DBLLBIncDblClick(FrmMain->DBLLBInc);
    ASSERT_TRUE(FBoxes.empty()) << FBoxes[0].Text;

    const std::string row = RawText(DatabaseFile(),
                                    "SELECT LIVELLO || '|' || SCUOLA || '|' || INCANTESIMO || '|' || BERSAGLIO || '|' || "
                                    "AREA || '|' || PAGINA || '|' || RI || V || S || M || F || FD || PE "
                                    "FROM SELEZIONATI");
    EXPECT_EQ(row, "1|Evoc|Aaa dell'alba|Un'alleato|Sfera di 6 m|12|1010101");
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT DESCRIZIONE1 FROM SELEZIONATI"), Utf8Copy(LongDescription(), 1, 102));
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT DESCRIZIONE2 FROM SELEZIONATI"), Utf8Copy(LongDescription(), 103, 91));
    // The duplicate test looks for the trimmed name, so the second add found the first.
    const Statements statements = TakeStatements();
    EXPECT_EQ(std::count_if(statements.begin(), statements.end(),
                            [](const std::string& s) { return s.starts_with("INSERT"); }),
              1);
    EXPECT_EQ(statements[0], "SELECT * FROM SELEZIONATI WHERE INCANTESIMO='Aaa dell''alba'");
}

TEST_F(AppTest, AddingWithAnEmptySpellListDoesNothing) {
    RawExec(DatabaseFile(), "DELETE FROM INCANTESIMI WHERE BARDO = '6'");
    Start();
    Click(FrmMain->Btt6);
    ASSERT_EQ(FrmMain->ADOQryInc->RecordCount(), 0);
    TakeStatements();
    FrmMain->DBLLBIncDblClick(FrmMain->DBLLBInc);
    EXPECT_TRUE(TakeStatements().empty());
    EXPECT_TRUE(SelectedNames().empty());
}

TEST_F(AppTest, SortButtonsRequeryOnlyForAnotherColumn) {
    Start();
    TakeStatements();
    Click(FrmMain->BttOrdLivello);
    Click(FrmMain->BttOrdLivello);
    Click(FrmMain->BttOrdScuola);
    Click(FrmMain->BttOrdInc);
    EXPECT_EQ(TakeStatements(), (Statements{"SELECT * FROM SELEZIONATI ORDER BY LIVELLO",
                                            "SELECT * FROM SELEZIONATI ORDER BY SCUOLA",
                                            "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO"}));
}

TEST_F(AppTest, ThePopupMenuRemovesTheCurrentRowOrTheLevel) {
    RawExec(DatabaseFile(), "INSERT INTO INCANTESIMI (INCANTESIMO, BARDO) VALUES ('Zeta dell''ombra', '4')");
    Start();
    // Three spells: the first two of the list at their levels, and one at level 4.
    FrmMain->ADOQryInc->First();
    FrmMain->DBLLBIncDblClick(nullptr);
    FrmMain->ADOQryInc->Next();
    FrmMain->DBLLBIncDblClick(nullptr);
    FrmMain->ADOQryInc->Last();
    ASSERT_EQ(FrmMain->ADOQryInc->FieldByName("INCANTESIMO").AsString(), "Zeta dell'ombra");
    FrmMain->DBLLBIncDblClick(nullptr);
    Pump();
    ASSERT_EQ(FrmMain->ADOQrySel->RecordCount(), 3);
    const std::string current = FrmMain->ADOQrySel->FieldByName("INCANTESIMO").AsString();

    // A right click on the last panel leaves the current row; the first item removes the current row.
    TDBCtrlGrid* grid = FrmMain->DBCGSelezionati;
    const TPoint third = grid->ClientToScreen({grid->PanelWidth() / 2, 2 * grid->PanelHeight() + 12});
    FHost.Click(third, 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    const Statements left = SelectedNames();
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ(std::count(left.begin(), left.end(), current), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), "Zeta dell'ombra"), 1);

    // "Cancella tutti" at level 4 removes the level-4 rows only.
    Click(FrmMain->Btt4);
    FHost.Click(grid->ClientToScreen({20, 10}), 2);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(SelectedNames().size(), 1u);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM SELEZIONATI WHERE LIVELLO = '4'"), "0");
    EXPECT_TRUE(FBoxes.empty());

    // With nothing in view, removing the current row does nothing.
    TakeStatements();
    FrmMain->Cancellaselezione1Click(nullptr);
    EXPECT_TRUE(TakeStatements().empty());
}

TEST_F(AppTest, TheEnterThatClosesAnErrorBoxDoesNotAddAgain) {
    Start();
    // The selection table gone, every add fails with the data layer's error.
    RawExec(DatabaseFile(), "ALTER TABLE SELEZIONATI RENAME TO SELEZIONATI_VECCHI");
    FrmMain->DBLLBInc->SetFocus();
    Pump();
    // Let the real box show; the keys after the first Enter close it.
    SetMessageBoxHook([this](const TMessageBoxRequest& r) -> std::optional<int> {
        FBoxes.push_back(r);
        return std::nullopt;
    });
    FHost.KeyPress(VK_RETURN);
    FHost.KeyPress(VK_RETURN);
    Pump();
    ASSERT_EQ(FBoxes.size(), 1u);
    EXPECT_NE(FBoxes[0].Text.find("SELEZIONATI"), std::string::npos) << FBoxes[0].Text;
    EXPECT_TRUE(FrmMain->DBLLBInc->Focused());
}
