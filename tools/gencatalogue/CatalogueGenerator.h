#pragma once

#include "tools/sqlitedb/SqliteDatabase.h"
#include "tools/sqlitedb/StagedFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Makes catalogues of invented spells of any size for tests and benchmarks. The same seed gives the same
// spells. The first 45 spells cover every class at every level it has, one each, so any catalogue of at
// least 45 spells lists something for every class and level; names, classes, texts and yes/no values
// vary beyond that, with lower-case, accented and apostrophe-holding names and descriptions of every length.
class CatalogueGenerator {
public:
    explicit CatalogueGenerator(std::uint64_t seed);

    // Appends count spells to the INCANTESIMI table of a database that has the schema. Large counts want
    // an open transaction around the call, as WriteCatalogue has.
    void AddSpells(SqliteDatabase& db, std::size_t count);

private:
    struct TSpell;

    TSpell MakeSpell();
    std::string MakeName();
    void MakeLevels(TSpell& spell);
    std::string MakeDescription();
    template <std::size_t N> const char* Pick(const char* const (&words)[N]) { return words[Below(N)]; }
    std::uint64_t Next();
    std::size_t Below(std::size_t bound);
    bool Chance(unsigned percent);

    std::uint64_t FState;
    std::size_t FMade = 0;
};

// The schema file of the source tree.
std::filesystem::path DefaultSchemaPath();

// Creates a catalogue database file of count spells from the schema, with an empty selection.
void WriteCatalogue(const std::filesystem::path& file, std::size_t count, std::uint64_t seed,
                    StagedFile::TExisting existing = StagedFile::TExisting::Refuse,
                    const std::filesystem::path& schema = DefaultSchemaPath());
