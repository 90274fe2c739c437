// What the built sample database holds: every class at every level, the awkward rows the program must
// cope with, and every combination of the yes/no columns.
#include "DatabaseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

struct TClassLevels {
    std::string Column;
    int Lowest;
    int Highest;
};

const std::vector<TClassLevels> ClassLevels = {{"BARDO", 0, 6},         {"CHIERICO", 0, 9}, {"DRUIDO", 0, 9},
                                               {"MAGO_STREGONE", 0, 9}, {"PALADINO", 1, 4}, {"RANGER", 1, 4}};

class SampleCatalogue : public ::testing::Test {
protected:
    SqliteDatabase FDb{SampleDatabase, SqliteDatabase::TOpenMode::ReadOnly};

    std::int64_t Count(const std::string& where) {
        return QueryNumber(FDb, "SELECT COUNT(*) FROM INCANTESIMI WHERE " + where);
    }
};

TEST_F(SampleCatalogue, EveryClassHasSpellsAtEveryLevelItHasAndNoOther) {
    EXPECT_GE(QueryNumber(FDb, "SELECT COUNT(*) FROM INCANTESIMI"), 150);
    for (const auto& cls : ClassLevels) {
        for (int level = cls.Lowest; level <= cls.Highest; ++level)
            EXPECT_GT(Count(cls.Column + " = '" + std::to_string(level) + "'"), 0)
                << cls.Column << ' ' << level;
        // Anything else than a level of the class is '' or NULL.
        std::string outside = "'";
        outside += std::to_string(cls.Lowest) + "' AND '" + std::to_string(cls.Highest) + "'";
        EXPECT_EQ(Count(cls.Column + " <> '' AND " + cls.Column + " NOT BETWEEN " + outside), 0)
            << cls.Column;
        EXPECT_EQ(Count("typeof(" + cls.Column + ") NOT IN ('text', 'null')"), 0) << cls.Column;
    }
}

TEST_F(SampleCatalogue, HoldsCrowdedLevelsMixedClassesAndClasslessRows) {
    std::int64_t crowded = 0;
    for (const auto& cls : ClassLevels)
        for (int level = cls.Lowest; level <= cls.Highest; ++level)
            crowded = std::max(crowded, Count(cls.Column + " = '" + std::to_string(level) + "'"));
    EXPECT_GT(crowded, 10);
    EXPECT_GT(Count("BARDO <> '' AND MAGO_STREGONE <> '' AND BARDO <> MAGO_STREGONE"), 0);
    EXPECT_GT(
        Count("CHIERICO <> '' AND DRUIDO <> '' AND PALADINO <> '' AND RANGER <> '' AND CHIERICO <> DRUIDO"),
        0);
    for (const auto& cls : ClassLevels) {
        EXPECT_GT(Count(cls.Column + " = ''"), 0) << cls.Column;
        EXPECT_GT(Count(cls.Column + " IS NULL"), 0) << cls.Column;
    }
    std::string noClass = "1";
    for (const auto& cls : ClassLevels)
        noClass += " AND COALESCE(" + cls.Column + ", '') = ''";
    EXPECT_GT(Count(noClass), 0);
}

TEST_F(SampleCatalogue, EveryCombinationOfTheYesNoColumnsAppears) {
    const TColumn combinations =
        QueryColumn(FDb, "SELECT DISTINCT RI || V || S || M || F || FD || PE FROM INCANTESIMI");
    EXPECT_EQ(combinations.size(), 128u);
    for (const char* column : {"RI", "V", "S", "M", "F", "FD", "PE"})
        EXPECT_EQ(Count(std::string("typeof(") + column + ") <> 'integer' OR " + column + " NOT IN (0, 1)"),
                  0)
            << column;
}

TEST_F(SampleCatalogue, DescriptionsFallInAllThreeBandsOfTheSelectionSplit) {
    // length() counts characters; accented letters take two bytes, so byte counts would misplace some.
    EXPECT_GT(Count("length(DESCRIZIONE) < 102"), 10);
    EXPECT_GT(Count("length(DESCRIZIONE) BETWEEN 102 AND 193"), 10);
    EXPECT_GT(Count("length(DESCRIZIONE) > 193"), 10);
    EXPECT_GT(Count("length(CAST(DESCRIZIONE AS BLOB)) > length(DESCRIZIONE)"), 0);
    EXPECT_GT(Count("length(DESCRIZIONE) BETWEEN 102 AND 193 AND length(CAST(DESCRIZIONE AS BLOB)) > 193"),
              0);
    EXPECT_EQ(Count("DESCRIZIONE IS NULL OR DESCRIZIONE = ''"), 0);
}

TEST_F(SampleCatalogue, NamesAndTextsIncludeApostrophesAccentsAndLowerCase) {
    EXPECT_GT(Count("INCANTESIMO LIKE '%''%'"), 1);
    EXPECT_GT(Count("DESCRIZIONE LIKE '%''%'"), 10);
    EXPECT_GT(Count("length(CAST(INCANTESIMO AS BLOB)) > length(INCANTESIMO)"), 1);
    const TColumn names = QueryColumn(FDb, "SELECT INCANTESIMO FROM INCANTESIMI");
    const auto lowerCase = std::count_if(names.begin(), names.end(),
                                         [](const auto& name) { return name && std::islower((*name)[0]); });
    EXPECT_GT(lowerCase, 2);
    EXPECT_EQ(std::set<std::optional<std::string>>(names.begin(), names.end()).size(), names.size());
}

TEST_F(SampleCatalogue, SchoolsAreTheNineItalianOnes) {
    const TColumn schools = QueryColumn(FDb, "SELECT DISTINCT SCUOLA FROM INCANTESIMI ORDER BY SCUOLA");
    const TColumn expected = {"Abiurazione", "Ammaliamento", "Divinazione",   "Evocazione", "Illusione",
                              "Invocazione", "Necromanzia",  "Trasmutazione", "Universale"};
    EXPECT_EQ(schools, expected);
}

TEST_F(SampleCatalogue, DetailTextsAreFilledAndFitTheirEditors) {
    const std::map<std::string, int> editLimits = {{"BERSAGLIO", 39}, {"TEMPODILANCIO", 19}, {"DURATA", 19},
                                                   {"RAGGIO", 19},    {"AREA", 19},          {"TS", 19},
                                                   {"PAGINA", 10}};
    for (const auto& [column, limit] : editLimits)
        EXPECT_EQ(
            Count("COALESCE(" + column + ", '') = '' OR length(" + column + ") > " + std::to_string(limit)),
            0)
            << column;
}

// Declared type of every column of a table, by name.
std::map<std::string, std::string> DeclaredTypes(SqliteDatabase& db, const std::string& table) {
    SqliteStatement info = db.Prepare("SELECT name, type FROM pragma_table_info('" + table + "')");
    std::map<std::string, std::string> types;
    while (info.Step())
        types[info.Text(0).value()] = info.Text(1).value();
    return types;
}

int DeclaredSize(const std::string& type) {
    const auto open = type.find('(');
    return open == std::string::npos ? 0 : std::stoi(type.substr(open + 1));
}

TEST_F(SampleCatalogue, ColumnsDeclareTheirKindAndAtLeastTheSizesTheProgramWrites) {
    const std::map<std::string, int> textSizes = {{"INCANTESIMO", 1},    {"SCUOLA", 1},  {"BERSAGLIO", 39},
                                                  {"TEMPODILANCIO", 19}, {"DURATA", 19}, {"RAGGIO", 19},
                                                  {"AREA", 19},          {"TS", 19},     {"PAGINA", 10}};
    for (const std::string table : {"INCANTESIMI", "SELEZIONATI"}) {
        auto types = DeclaredTypes(FDb, table);
        EXPECT_EQ(types["ID"], "INTEGER") << table;
        for (const auto& [column, size] : textSizes) {
            EXPECT_EQ(types[column].rfind("VARCHAR(", 0), 0u) << table << '.' << column;
            EXPECT_GE(DeclaredSize(types[column]), size) << table << '.' << column;
        }
        for (const char* column : {"RI", "V", "S", "M", "F", "FD", "PE"})
            EXPECT_EQ(types[column], "BOOLEAN") << table << '.' << column;
    }
    auto catalogue = DeclaredTypes(FDb, "INCANTESIMI");
    EXPECT_EQ(catalogue["DESCRIZIONE"], "LONGTEXT");
    for (const auto& cls : ClassLevels)
        EXPECT_EQ(catalogue[cls.Column].rfind("VARCHAR(", 0), 0u) << cls.Column;
    auto selection = DeclaredTypes(FDb, "SELEZIONATI");
    EXPECT_GE(DeclaredSize(selection["DESCRIZIONE1"]), 102);
    EXPECT_GE(DeclaredSize(selection["DESCRIZIONE2"]), 91);
    EXPECT_EQ(selection["LIVELLO"].rfind("VARCHAR(", 0), 0u);
}

TEST_F(SampleCatalogue, SelectionStartsEmpty) {
    EXPECT_EQ(QueryNumber(FDb, "SELECT COUNT(*) FROM SELEZIONATI"), 0);
}

} // namespace
