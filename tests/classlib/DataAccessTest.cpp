// The connection and the queries on a copy of the sample database: every statement the application sends,
// as it builds them, read back through the fields.
#include "DataTestSupport.h"

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "classlib/data/SqlText.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <sqlite3.h>

namespace {

std::string InsertSelection(const std::string& level, const std::string& name, const std::string& ri) {
    return "INSERT INTO SELEZIONATI (LIVELLO, SCUOLA, INCANTESIMO,DESCRIZIONE1, DESCRIZIONE2, BERSAGLIO, "
           "TEMPODILANCIO, DURATA, RAGGIO,AREA, TS, RI, V, S, M, F, FD, PE, PAGINA)VALUES('" +
           level + "','Evocazione','" + name +
           "', 'Prima parte', 'Seconda parte', 'Una creatura', '1 azione standard', 'Istantanea', "
           "'Contatto',  'Nessuna', 'Nessuno', " +
           ri + ", False, True, False, True, False, True, '155')";
}

std::vector<std::string> Names(TADOQuery* query) {
    std::vector<std::string> names;
    for (query->First(); !query->Eof(); query->Next())
        names.push_back(query->FieldByName("INCANTESIMO").AsString());
    return names;
}

using DataAccess = DataFixture;

TEST_F(DataAccess, ConnectionKeepsItsStringAndOpensTheFileOfItsDataSource) {
    EXPECT_EQ(FConnection->ConnectionString(), ApplicationConnectionString);
    EXPECT_EQ(FConnection->Provider(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(ConnectionStringValue(ApplicationConnectionString, "jet oledb:database password"), "");
    EXPECT_EQ(ConnectionStringValue(ApplicationConnectionString, "Jet OLEDB:Engine Type"), "5");
    EXPECT_FALSE(FConnection->Connected());
    FConnection->Open();
    EXPECT_TRUE(FConnection->Connected());
    EXPECT_EQ(FConnection->FileName(), std::filesystem::canonical(DatabaseFile()).string());

    // The layout sets the same properties by name.
    SetOrdProp(FConnection, "Connected", 0);
    EXPECT_FALSE(FConnection->Connected());
    SetEnumProp(FConnection, "Mode", "cmRead");
    SetOrdProp(FConnection, "Connected", 1);
    EXPECT_TRUE(FConnection->Connected());
    EXPECT_EQ(GetStrProp(FConnection, "ConnectionString"), ApplicationConnectionString);
    // In read mode the file refuses writes.
    EXPECT_THROW(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"), EDatabaseError);
    EXPECT_EQ(GetClass("TADOQuery")->FindProperty("SQL")->Kind, TPropKind::Strings);
}

TEST_F(DataAccess, MissingFileOrProviderRaisesNamingItAndCreatesNothing) {
    std::filesystem::rename(DatabaseFile(), FFolder.Path() / "other.mdb");
    try {
        FConnection->Open();
        FAIL() << "a missing database opened";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find((std::filesystem::current_path() / "Incantesimi.mdb").string()),
                  std::string::npos)
            << e.Message();
    }
    EXPECT_FALSE(std::filesystem::exists(DatabaseFile()));
    EXPECT_FALSE(FConnection->Connected());
    // A query opens its connection, and fails the same way.
    EXPECT_THROW(FQryInc->Open(), EDatabaseError);
    EXPECT_FALSE(FQryInc->Active());
    EXPECT_FALSE(std::filesystem::exists(DatabaseFile()));

    FConnection->SetConnectionString("Provider=MSDASQL;Data Source=other.mdb");
    EXPECT_THROW(FConnection->Open(), EDatabaseError);
    std::filesystem::create_directory(FFolder.Path() / "folder.mdb");
    FConnection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=folder.mdb");
    EXPECT_THROW(FConnection->Open(), EDatabaseError);
}

TEST_F(DataAccess, CatalogueQueriesListTheClassLevelsAsTextOrderedByName) {
    int64_t stored = AddSpell("zeta minuscola", "3");
    RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET DRUIDO = 3 WHERE ID = " + std::to_string(stored));
    AddSpell("Senza livello", "");

    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO");
    std::vector<std::string> names = Names(FQryInc);
    auto expected = RawColumn(DatabaseFile(), "SELECT INCANTESIMO FROM INCANTESIMI WHERE BARDO IN "
                                              "('0','1','2','3','4','5','6','7','8','9')");
    EXPECT_EQ(names.size(), expected.size());
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(CompareText(names[i - 1], names[i]), 0) << names[i];
    EXPECT_NE(std::find(names.begin(), names.end(), "zeta minuscola"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "Senza livello"), names.end());

    // An unquoted level was stored as text and matches the quoted one.
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE DRUIDO = '3' ORDER BY INCANTESIMO");
    EXPECT_GT(FQryInc->RecordCount(), 1);
    bool found = false;
    for (FQryInc->First(); !FQryInc->Eof(); FQryInc->Next()) {
        EXPECT_EQ(FQryInc->FieldByName("DRUIDO").AsString(), "3");
        found = found || FQryInc->FieldByName("INCANTESIMO").AsString() == "zeta minuscola";
    }
    EXPECT_TRUE(found);

    TField& ri = FQryInc->FieldByName("RI");
    EXPECT_EQ(ri.DataType(), ftBoolean);
    EXPECT_EQ(FQryInc->FieldByName("BERSAGLIO").DataType(), ftString);
    EXPECT_EQ(FQryInc->FieldByName("BERSAGLIO").Size(), 50);
    EXPECT_EQ(FQryInc->FieldByName("DESCRIZIONE").DataType(), ftMemo);
    EXPECT_EQ(FQryInc->FieldByName("ID").DataType(), ftInteger);
    std::set<std::string> texts;
    for (FQryInc->First(); !FQryInc->Eof(); FQryInc->Next()) {
        for (const char* name : {"RI", "V", "S", "M", "F", "FD", "PE"}) {
            texts.insert(FQryInc->FieldByName(name).AsString());
            EXPECT_EQ(FQryInc->FieldByName(name).AsBoolean(),
                      FQryInc->FieldByName(name).AsString() == "True");
        }
    }
    EXPECT_EQ(texts, (std::set<std::string>{"False", "True"}));
    EXPECT_EQ(FConnection->StatementLog().back(),
              "SELECT * FROM INCANTESIMI WHERE DRUIDO = '3' ORDER BY INCANTESIMO");
}

TEST_F(DataAccess, SelectionStatementsAddFindOrderAndDeleteRows) {
    RawExec(DatabaseFile(),
            "INSERT INTO SELEZIONATI (INCANTESIMO, LIVELLO) VALUES ('Da un avvio precedente', '1')");
    EXPECT_EQ(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"), 1);
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI");
    EXPECT_TRUE(FQrySel->Bof());
    EXPECT_TRUE(FQrySel->Eof());
    EXPECT_EQ(FQrySel->RecordCount(), 0);

    EXPECT_EQ(ExecWith(FQrySel, InsertSelection("3", "Sfera ardente", "True")), 1);
    EXPECT_EQ(ExecWith(FQrySel, InsertSelection("1", "alba serena", "False")), 1);
    EXPECT_EQ(ExecWith(FQrySel, InsertSelection("3", "Muro di rovi", "True")), 1);

    // The duplicate test ignores letter case.
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI WHERE INCANTESIMO='SFERA ARDENTE'");
    ASSERT_EQ(FQrySel->RecordCount(), 1);
    EXPECT_FALSE(FQrySel->Eof());
    EXPECT_EQ(FQrySel->FieldByName("RI").AsString(), "True");
    EXPECT_EQ(FQrySel->FieldByName("V").AsString(), "False");
    EXPECT_TRUE(FQrySel->FieldByName("S").AsBoolean());
    EXPECT_EQ(FQrySel->FieldByName("AREA").AsString(), "Nessuna");

    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO");
    EXPECT_EQ(Names(FQrySel), (std::vector<std::string>{"alba serena", "Muro di rovi", "Sfera ardente"}));
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI WHERE LIVELLO = '3' ORDER BY LIVELLO, INCANTESIMO");
    EXPECT_EQ(Names(FQrySel), (std::vector<std::string>{"Muro di rovi", "Sfera ardente"}));
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ORDER BY LIVELLO");
    EXPECT_EQ(FQrySel->FieldByName("LIVELLO").AsString(), "1");

    EXPECT_EQ(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI WHERE INCANTESIMO='muro di rovi'"), 1);
    EXPECT_EQ(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI WHERE LIVELLO='1'"), 1);
    EXPECT_EQ(RawColumn(DatabaseFile(), "SELECT INCANTESIMO FROM SELEZIONATI"),
              (std::vector<std::optional<std::string>>{"Sfera ardente"}));
    EXPECT_EQ(FConnection->StatementLog()[0], "DELETE * FROM SELEZIONATI");
    EXPECT_EQ(FConnection->StatementLog().back(), "DELETE * FROM SELEZIONATI WHERE LIVELLO='1'");
}

TEST_F(DataAccess, OpenAndExecSQLRefuseTheOtherKindOfStatementBeforeRunningIt) {
    ExecWith(FQrySel, InsertSelection("2", "Resta qui", "True"));
    size_t logged = FConnection->StatementLog().size();
    EXPECT_THROW(OpenWith(FQrySel, "DELETE * FROM SELEZIONATI"), EDatabaseError);
    EXPECT_FALSE(FQrySel->Active());
    EXPECT_THROW(OpenWith(FQrySel, "DELETE FROM SELEZIONATI RETURNING INCANTESIMO"), EDatabaseError);
    EXPECT_THROW(OpenWith(FQrySel, "SELECT * FROM SELEZIONATI; DELETE FROM SELEZIONATI"), EDatabaseError);
    EXPECT_THROW(ExecWith(FQrySel, "DELETE FROM SELEZIONATI; SELECT 1"), EDatabaseError);
    EXPECT_THROW(ExecWith(FQrySel, "SELECT * FROM SELEZIONATI"), EDatabaseError);
    EXPECT_THROW(OpenWith(FQrySel, "SELECT * FROM NESSUNA_TABELLA"), EDatabaseError);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT count(*) FROM SELEZIONATI"), "1");
    EXPECT_EQ(FConnection->StatementLog().size(), logged);

    // Trailing semicolons and blanks are no second statement.
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ;\r\n ; ");
    EXPECT_EQ(FQrySel->RecordCount(), 1);
}

TEST_F(DataAccess, ABusyDatabaseWaitsAShortTimeThenRaisesAClearError) {
    FConnection->Open();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(DatabaseFile().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    auto start = std::chrono::steady_clock::now();
    try {
        ExecWith(FQrySel, "DELETE * FROM SELEZIONATI");
        ADD_FAILURE() << "a locked database was written";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("is locked by another program"), std::string::npos) << e.Message();
    }
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(TADOConnection::BusyTimeoutMs / 2));
    EXPECT_LT(waited, std::chrono::milliseconds(TADOConnection::BusyTimeoutMs * 5));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(other);
    EXPECT_EQ(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"), 0);
}

TEST_F(DataAccess, OnlyDeleteStarFromIsTranslatedAndNeverInsideLiterals) {
    EXPECT_EQ(TranslateStatement("delete  *  from T where A='DELETE * FROM T'"),
              "delete  from T where A='DELETE * FROM T'");
    EXPECT_EQ(TranslateStatement("SELECT * FROM T WHERE A = True"), "SELECT * FROM T WHERE A = True");
    EXPECT_EQ(TranslateStatement("DELETE \"*\" FROM T"), "DELETE \"*\" FROM T");

    ExecWith(FQrySel, InsertSelection("2", "DELETE * FROM SELEZIONATI", "False"));
    ExecWith(FQrySel, InsertSelection("2", "Altro", "False"));
    EXPECT_EQ(ExecWith(FQrySel, "Delete * From SELEZIONATI WHERE INCANTESIMO='DELETE * FROM SELEZIONATI'"),
              1);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT INCANTESIMO FROM SELEZIONATI"), "Altro");
}

} // namespace
