// Generated catalogues for tests and benchmarks: size, coverage, variety, and the same spells per seed.
#include "DatabaseTestSupport.h"

#include "tools/gencatalogue/CatalogueGenerator.h"

#include <gtest/gtest.h>

namespace {

// Every column of every spell in one text, to compare whole catalogues.
std::string Content(SqliteDatabase& db) {
    return QueryColumn(
               db, "SELECT group_concat(quote(INCANTESIMO) || quote(SCUOLA) || quote(BARDO) || "
                   "quote(CHIERICO) || quote(DRUIDO) || quote(MAGO_STREGONE) || quote(PALADINO) || "
                   "quote(RANGER) || BERSAGLIO || TEMPODILANCIO || DURATA || RAGGIO || AREA || TS || RI || "
                   "V || S || M || F || FD || PE || PAGINA || DESCRIZIONE, '|') FROM "
                   "(SELECT * FROM INCANTESIMI ORDER BY ID)")
        .at(0)
        .value();
}

TEST(CatalogueGenerator, SixHundredSpellsCoverEveryClassAtEveryLevel) {
    TemporaryFolder folder;
    const auto file = folder.Path() / "Incantesimi.mdb";
    WriteCatalogue(file, 600, 7);
    SqliteDatabase db(file, SqliteDatabase::TOpenMode::ReadOnly);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI"), 600);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM SELEZIONATI"), 0);
    const std::vector<std::tuple<std::string, int, int>> classes = {
        {"BARDO", 0, 6},         {"CHIERICO", 0, 9}, {"DRUIDO", 0, 9},
        {"MAGO_STREGONE", 0, 9}, {"PALADINO", 1, 4}, {"RANGER", 1, 4}};
    for (const auto& [column, lowest, highest] : classes) {
        for (int level = lowest; level <= highest; ++level)
            EXPECT_GT(QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI WHERE " + column + " = '" +
                                          std::to_string(level) + "'"),
                      0)
                << column << ' ' << level;
        EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI WHERE " + column + " <> '' AND " +
                                      column + " NOT BETWEEN '" + std::to_string(lowest) + "' AND '" +
                                      std::to_string(highest) + "'"),
                  0)
            << column;
    }
}

TEST(CatalogueGenerator, SpellsVaryInNamesTextsAndYesNoValues) {
    TemporaryFolder folder;
    const auto file = folder.Path() / "catalogue.db";
    WriteCatalogue(file, 2000, 3);
    SqliteDatabase db(file, SqliteDatabase::TOpenMode::ReadOnly);
    auto count = [&](const std::string& where) {
        return QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI WHERE " + where);
    };
    EXPECT_GT(QueryNumber(db, "SELECT COUNT(DISTINCT INCANTESIMO) FROM INCANTESIMI"), 1000);
    EXPECT_GT(count("INCANTESIMO LIKE '%''%'"), 0);
    EXPECT_GT(count("substr(INCANTESIMO, 1, 1) BETWEEN 'a' AND 'z' COLLATE BINARY"), 0);
    EXPECT_GT(count("length(CAST(INCANTESIMO AS BLOB)) > length(INCANTESIMO)"), 0);
    EXPECT_GT(count("INCANTESIMO LIKE '% '"), 0);
    EXPECT_GT(count("length(DESCRIZIONE) < 102"), 0);
    EXPECT_GT(count("length(DESCRIZIONE) BETWEEN 102 AND 193"), 0);
    EXPECT_GT(count("length(DESCRIZIONE) > 193"), 0);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(DISTINCT RI || V || S || M || F || FD || PE) FROM INCANTESIMI"),
              128);
    EXPECT_GT(count("BARDO IS NULL"), 0);
    EXPECT_GT(count("BARDO = ''"), 0);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(DISTINCT SCUOLA) FROM INCANTESIMI"), 9);
}

TEST(CatalogueGenerator, SameSeedSameSpellsAndOtherSeedOthers) {
    TemporaryFolder folder;
    WriteCatalogue(folder.Path() / "a.db", 300, 42);
    WriteCatalogue(folder.Path() / "b.db", 300, 42);
    WriteCatalogue(folder.Path() / "c.db", 300, 43);
    SqliteDatabase a(folder.Path() / "a.db", SqliteDatabase::TOpenMode::ReadOnly);
    SqliteDatabase b(folder.Path() / "b.db", SqliteDatabase::TOpenMode::ReadOnly);
    SqliteDatabase c(folder.Path() / "c.db", SqliteDatabase::TOpenMode::ReadOnly);
    EXPECT_EQ(Content(a), Content(b));
    EXPECT_NE(Content(a), Content(c));
}

TEST(CatalogueGenerator, KeepsAnExistingFileUnlessToldToReplaceIt) {
    TemporaryFolder folder;
    const auto file = folder.Path() / "Incantesimi.mdb";
    WriteCatalogue(file, 50, 1);
    EXPECT_THROW(WriteCatalogue(file, 80, 1), std::runtime_error);
    {
        SqliteDatabase db(file, SqliteDatabase::TOpenMode::ReadOnly);
        EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI"), 50);
    }
    WriteCatalogue(file, 80, 1, StagedFile::TExisting::Replace);
    SqliteDatabase db(file, SqliteDatabase::TOpenMode::ReadOnly);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM INCANTESIMI"), 80);
}

} // namespace
