// The statements the program sends, run by plain SQLite on a copy of the sample database: the schema alone
// must give case-blind names, levels compared as text and yes/no values from True/False.
#include "DatabaseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The program's insert, as it builds it (the doubled blank before the area included), with the given level
// and yes/no words.
std::string InsertSelection(const std::string& level, const std::string& name, const std::string& yesNo) {
    return "INSERT INTO SELEZIONATI (LIVELLO, SCUOLA, INCANTESIMO,DESCRIZIONE1, DESCRIZIONE2, BERSAGLIO, "
           "TEMPODILANCIO, DURATA, RAGGIO,AREA, TS, RI, V, S, M, F, FD, PE, PAGINA)VALUES('" +
           level + "','Evocazione','" + name +
           "', 'Prima parte', 'Seconda parte', 'Una creatura', '1 azione standard', 'Istantanea', "
           "'Contatto',  'Nessuna', 'Nessuno', " +
           yesNo + ", '155')";
}

class ApplicationStatements : public ::testing::Test {
protected:
    static std::filesystem::path CopyOfSample(const TemporaryFolder& folder) {
        const auto copy = folder.Path() / "Incantesimi.mdb";
        std::filesystem::copy_file(SampleDatabase, copy);
        return copy;
    }

    TemporaryFolder FFolder;
    SqliteDatabase FDb{CopyOfSample(FFolder), SqliteDatabase::TOpenMode::ReadWrite};
};

TEST_F(ApplicationStatements, CatalogueIsOrderedByNameIgnoringCase) {
    const TColumn names = QueryColumn(FDb, "SELECT * FROM INCANTESIMI WHERE BARDO='1' ORDER BY INCANTESIMO");
    // SELECT * puts the row identity first: ask for the name alone to compare.
    const TColumn byName =
        QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI WHERE BARDO='1' ORDER BY INCANTESIMO");
    ASSERT_EQ(names.size(), byName.size());
    ASSERT_GT(byName.size(), 3u);
    std::vector<std::string> folded;
    for (const auto& name : byName)
        folded.push_back(Folded(name.value()));
    EXPECT_TRUE(std::is_sorted(folded.begin(), folded.end()));
    // The level holds a lower-case name that a byte-wise order would put last.
    std::vector<std::string> raw;
    for (const auto& name : byName)
        raw.push_back(*name);
    EXPECT_FALSE(std::is_sorted(raw.begin(), raw.end()));
}

TEST_F(ApplicationStatements, LevelsCompareAsText) {
    const std::int64_t bards =
        QueryNumber(FDb, "SELECT COUNT(*) FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9'");
    EXPECT_EQ(bards, QueryNumber(FDb, "SELECT COUNT(*) FROM INCANTESIMI WHERE BARDO GLOB '[0-9]'"));
    EXPECT_GT(QueryNumber(FDb, "SELECT COUNT(*) FROM INCANTESIMI WHERE BARDO = ''"), 0);
    // A level written as a number is stored as its text and still found by the quoted comparison.
    FDb.Execute("UPDATE INCANTESIMI SET DRUIDO = 3 WHERE INCANTESIMO = 'Scintilla'");
    EXPECT_EQ(
        QueryColumn(FDb, "SELECT typeof(DRUIDO) || DRUIDO FROM INCANTESIMI WHERE INCANTESIMO = 'Scintilla'"),
        TColumn{"text3"});
    EXPECT_EQ(
        QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI WHERE DRUIDO = '3' AND MAGO_STREGONE = '0'"),
        TColumn{"Scintilla"});
    // Text order: "10" sorts between "1" and "2", and the empty level first.
    for (const char* level : {"2", "10", "", "1"})
        FDb.Execute(InsertSelection(level, std::string("Livello ") + level,
                                    "True, True, True, True, True, True, True"));
    EXPECT_EQ(QueryColumn(FDb, "SELECT LIVELLO FROM SELEZIONATI ORDER BY LIVELLO"),
              (TColumn{"", "1", "10", "2"}));
}

// The all-levels catalogue query of every class reads its class's index, already in name order, and gets
// the rows a scan of the table gets.
TEST_F(ApplicationStatements, AllLevelsQueryReadsItsClassIndexInNameOrder) {
    for (const std::string cls : {"BARDO", "CHIERICO", "DRUIDO", "MAGO_STREGONE", "PALADINO", "RANGER"}) {
        const std::string where = " WHERE " + cls + " >= '0' AND " + cls + " <= '9'";
        std::string plan;
        SqliteStatement explain =
            FDb.Prepare("EXPLAIN QUERY PLAN SELECT * FROM INCANTESIMI" + where + " ORDER BY INCANTESIMO");
        while (explain.Step())
            plan += explain.Text(3).value_or("") + "\n";
        EXPECT_NE(plan.find("COVERING INDEX INCANTESIMI_" + cls), std::string::npos) << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;

        const TColumn names =
            QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI" + where + " ORDER BY INCANTESIMO");
        std::vector<std::string> folded;
        for (const auto& name : names)
            folded.push_back(Folded(name.value()));
        EXPECT_TRUE(std::is_sorted(folded.begin(), folded.end())) << cls;
        auto ids = [&](const std::string& sql) {
            std::vector<std::int64_t> numbers;
            for (const auto& id : QueryColumn(FDb, sql))
                numbers.push_back(std::stoll(id.value()));
            std::sort(numbers.begin(), numbers.end());
            return numbers;
        };
        std::vector<std::int64_t> indexed =
            ids("SELECT ID FROM INCANTESIMI" + where + " ORDER BY INCANTESIMO");
        EXPECT_EQ(indexed, ids("SELECT ID FROM INCANTESIMI NOT INDEXED" + where)) << cls;
        EXPECT_GT(indexed.size(), 10u) << cls;
    }
}

TEST_F(ApplicationStatements, SelectionInsertReadsBackYesNoAndLevel) {
    FDb.Execute(InsertSelection("3", "Mano che lenisce", "True, False, True, False, True, False, True"));
    FDb.Execute(
        InsertSelection("", "onda d''urto", "'True', 'False', 'TRUE', 'false', 'True', 'False', 'true'"));
    SqliteStatement rows = FDb.Prepare(
        "SELECT LIVELLO, INCANTESIMO, AREA, typeof(RI) || typeof(PE), RI || V || S || M || F || FD || PE "
        "FROM SELEZIONATI ORDER BY ID");
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Text(0), "3");
    EXPECT_EQ(rows.Text(1), "Mano che lenisce");
    EXPECT_EQ(rows.Text(2), "Nessuna");
    EXPECT_EQ(rows.Text(3), "integerinteger");
    EXPECT_EQ(rows.Text(4), "1010101");
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Text(0), "");
    EXPECT_EQ(rows.Text(1), "onda d'urto");
    EXPECT_EQ(rows.Text(3), "integerinteger");
    EXPECT_EQ(rows.Text(4), "1010101");
    EXPECT_FALSE(rows.Step());
}

TEST_F(ApplicationStatements, YesNoWordsAreFoldedOnUpdateAndOtherWordsRefused) {
    FDb.Execute("UPDATE INCANTESIMI SET RI = 'True', PE = 'FALSE' WHERE INCANTESIMO = 'Rammendo'");
    EXPECT_EQ(QueryColumn(FDb, "SELECT typeof(RI) || RI || typeof(PE) || PE FROM INCANTESIMI "
                               "WHERE INCANTESIMO = 'Rammendo'"),
              TColumn{"integer1integer0"});
    FDb.Execute(InsertSelection("1", "Passo di piuma", "False, False, False, False, False, False, False"));
    FDb.Execute("UPDATE SELEZIONATI SET V = 'true'");
    EXPECT_EQ(QueryNumber(FDb, "SELECT V FROM SELEZIONATI"), 1);
    EXPECT_THROW(FDb.Execute("UPDATE INCANTESIMI SET V = 'forse' WHERE INCANTESIMO = 'Rammendo'"),
                 std::runtime_error);
    EXPECT_THROW(FDb.Execute(InsertSelection("1", "Volto prestato", "2, 0, 0, 0, 0, 0, 0")),
                 std::runtime_error);
    EXPECT_EQ(QueryNumber(FDb, "SELECT COUNT(*) FROM SELEZIONATI"), 1);
}

TEST_F(ApplicationStatements, NamesMatchRegardlessOfCase) {
    EXPECT_EQ(QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI WHERE INCANTESIMO='mano che lenisce'"),
              TColumn{"Mano che lenisce"});
    EXPECT_EQ(QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI WHERE INCANTESIMO='ACCORDO STONATO'"),
              TColumn{"accordo stonato"});
    FDb.Execute(InsertSelection("2", "Nota che infrange", "True, True, True, False, False, False, False"));
    EXPECT_EQ(QueryNumber(FDb, "SELECT COUNT(*) FROM SELEZIONATI WHERE INCANTESIMO='nota CHE infrange'"), 1);
    FDb.Execute("DELETE FROM SELEZIONATI WHERE INCANTESIMO='NOTA che INFRANGE'");
    EXPECT_EQ(QueryNumber(FDb, "SELECT COUNT(*) FROM SELEZIONATI"), 0);
}

TEST_F(ApplicationStatements, SelectionFiltersAndRemovesByLevel) {
    FDb.Execute(InsertSelection("4", "Eco dei ricordi", "False, True, True, True, True, False, False"));
    FDb.Execute(InsertSelection("1", "Passo di piuma", "False, True, False, False, False, False, False"));
    FDb.Execute(InsertSelection("4", "Catene spezzate", "True, True, True, True, False, True, False"));
    EXPECT_EQ(
        QueryColumn(FDb,
                    "SELECT INCANTESIMO FROM SELEZIONATI WHERE LIVELLO = '4' ORDER BY SCUOLA, INCANTESIMO"),
        (TColumn{"Catene spezzate", "Eco dei ricordi"}));
    FDb.Execute("DELETE FROM SELEZIONATI WHERE LIVELLO='4'");
    EXPECT_EQ(QueryColumn(FDb, "SELECT INCANTESIMO FROM SELEZIONATI ORDER BY LIVELLO, INCANTESIMO"),
              TColumn{"Passo di piuma"});
    FDb.Execute("DELETE FROM SELEZIONATI");
    EXPECT_EQ(QueryNumber(FDb, "SELECT COUNT(*) FROM SELEZIONATI"), 0);
}

} // namespace
