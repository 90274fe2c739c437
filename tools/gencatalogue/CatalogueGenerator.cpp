#include "tools/gencatalogue/CatalogueGenerator.h"

#include "tools/sqlitedb/BuildDatabaseFile.h"

#include <array>
#include <optional>
#include <string_view>

namespace {

struct TClassRange {
    const char* Column;
    int Lowest;
    int Highest;
};

constexpr std::array<TClassRange, 6> Classes{{{"BARDO", 0, 6},
                                              {"CHIERICO", 0, 9},
                                              {"DRUIDO", 0, 9},
                                              {"MAGO_STREGONE", 0, 9},
                                              {"PALADINO", 1, 4},
                                              {"RANGER", 1, 4}}};

constexpr std::size_t ClassLevelCount() {
    std::size_t count = 0;
    for (const auto& c : Classes)
        count += static_cast<std::size_t>(c.Highest - c.Lowest + 1);
    return count;
}

constexpr const char* Nouns[] = {
    "Scudo",    "Dardo",   "Velo",   "Lama",    "Canto",    "Sigillo",     "Onda",        "Passo",
    "Occhio",   "Mano",    "Voce",   "Catena",  "Corona",   "Lancia",      "Specchio",    "Respiro",
    "Sentiero", "Nebbia",  "Fiamma", "Radice",  "Ala",      "Sguardo",     "Soffio",      "Eco",
    "Muro",     "Cerchio", "Pugno",  "Fulmine", "Rovo",     "Lanterna",    "Ombra",       "Porta",
    "Sussurro", "Vortice", "Chiave", "Manto",   "Artiglio", "Benedizione", "Maledizione", "Patto"};

constexpr const char* Complements[] = {
    "di fuoco",       "di ghiaccio",  "d'ombra",     "dell'alba",      "del tramonto",  "di pietra",
    "della tempesta", "del silenzio", "di luce",     "della palude",   "dell'eremita",  "del lupo",
    "di cristallo",   "delle maree",  "della città", "del crepuscolo", "d'argento",     "della quercia",
    "dell'abisso",    "di rugiada",   "del falò",    "della verità",   "del viandante", "delle ceneri",
    "di Velmar",      "dell'oracolo", "della brina", "del vespro",     "di bronzo",     "dei sogni",
    "del guardiano",  "di spine"};

constexpr const char* Qualifiers[] = {" minore", " superiore", " maggiore", " di massa",
                                      " celere", " sublime",   " solenne",  " di gruppo"};

constexpr const char* Schools[] = {"Abiurazione", "Ammaliamento", "Divinazione",   "Evocazione", "Illusione",
                                   "Invocazione", "Necromanzia",  "Trasmutazione", "Universale"};

constexpr const char* Targets[] = {"Una creatura toccata",
                                   "Incantatore",
                                   "Un oggetto toccato",
                                   "Fino a tre creature",
                                   "Una creatura vivente",
                                   "Un'arma",
                                   "Creature nell'area",
                                   "Un alleato per livello",
                                   "Un non morto",
                                   "Un animale o pianta",
                                   ""};

constexpr const char* CastingTimes[] = {"1 azione standard", "1 round",         "1 azione veloce",
                                        "10 minuti",         "1 minuto",        "1 ora",
                                        "1 azione gratuita", "1 round completo"};

constexpr const char* Durations[] = {
    "Istantanea",     "1 round/livello", "1 minuto/livello", "10 min/livello",   "1 ora/livello",
    "Concentrazione", "Permanente",      "24 ore",           "1 giorno/livello", "Fino a scarica"};

constexpr const char* Ranges[] = {"Contatto", "Personale", "Corto (7,5 m)", "Medio (30 m)", "Lungo (120 m)",
                                  "9 m",      "18 m",      "Illimitato",    "Vista"};

constexpr const char* Areas[] = {"",
                                 "",
                                 "Raggio di 6 m",
                                 "Cono di 9 m",
                                 "Linea di 18 m",
                                 "Cubo di 3 m",
                                 "Emanazione di 3 m",
                                 "Cilindro di 6 m",
                                 "Propagazione 12 m",
                                 "Sfera di 1,5 m"};

constexpr const char* SavingThrows[] = {
    "Nessuno",         "Volontà nega",        "Tempra nega",   "Riflessi dimezza", "Volontà dimezza",
    "Tempra parziale", "Volontà, vedi testo", "Riflessi nega", "Sì (innocuo)",     "Nessuno e Volontà"};

constexpr const char* Phrases[] = {
    "L'incantatore traccia un segno nell'aria e il bersaglio ne resta avvolto.",
    "Una luce pallida si diffonde attorno al bersaglio.",
    "Il suono delle parole arcane fa tremare le pietre vicine.",
    "Chi fallisce il tiro salvezza resta confuso per un istante.",
    "L'effetto si dissolve se l'incantatore perde i sensi.",
    "Per ogni tre livelli dell'incantatore si aggiunge un bersaglio.",
    "La pelle del soggetto diventa dura come corteccia.",
    "Una nebbia fredda sale dal terreno e nasconde ogni traccia.",
    "Il bersaglio può ripetere il tiro salvezza ogni round.",
    "Le creature già colpite oggi ne sono immuni.",
    "Il danno è di 1d6 per livello, fino a un massimo di 10d6.",
    "Un'eco lontana ripete l'ultimo ordine impartito.",
    "L'oggetto brilla come una torcia e non scotta.",
    "Serve un pizzico di sale e un filo d'argento.",
    "Il soggetto ottiene un bonus di +2 ai tiri per colpire.",
    "Questo incantesimo non ha effetto sui costrutti.",
    "Finché dura, l'incantatore sente ciò che il bersaglio sente.",
    "Perché funzioni, il bersaglio deve essere consenziente.",
    "Le ferite si rimarginano lentamente, lasciando cicatrici sottili.",
    "È possibile congedare l'effetto con un'azione gratuita."};

// RI, V, S, M, F, FD and PE.
constexpr std::size_t YesNoCount = 7;

// SplitMix64: tiny, fast, and the same on every platform, so a seed always yields the same catalogue.
std::uint64_t Mix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string LowerFirst(std::string name) {
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return name;
}

constexpr std::string_view InsertSpell =
    "INSERT INTO INCANTESIMI (INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, "
    "BERSAGLIO, TEMPODILANCIO, DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, "
    "?22, ?23)";

} // namespace

struct CatalogueGenerator::TSpell {
    std::string Name;
    const char* School = "";
    // A level digit, an empty text, or NULL for a class without the spell.
    std::array<std::optional<std::string>, Classes.size()> Levels;
    // BERSAGLIO, TEMPODILANCIO, DURATA, RAGGIO, AREA and TS.
    std::array<const char*, 6> Details{};
    std::array<bool, YesNoCount> YesNo{};
    std::string Page;
    std::string Description;
};

CatalogueGenerator::CatalogueGenerator(std::uint64_t seed) : FState(seed) {}

std::uint64_t CatalogueGenerator::Next() {
    return Mix(FState);
}

std::size_t CatalogueGenerator::Below(std::size_t bound) {
    return static_cast<std::size_t>(Next() % bound);
}

bool CatalogueGenerator::Chance(unsigned percent) {
    return Below(100) < percent;
}

std::string CatalogueGenerator::MakeName() {
    std::string name = std::string(Pick(Nouns)) + " " + Pick(Complements);
    if (Chance(30)) name += Pick(Qualifiers);
    // Now and then a trailing blank, which the selection trims from the names it stores.
    if (Chance(3)) name += ' ';
    return Chance(10) ? LowerFirst(std::move(name)) : name;
}

void CatalogueGenerator::MakeLevels(TSpell& spell) {
    for (auto& level : spell.Levels)
        level = Chance(50) ? std::optional<std::string>("") : std::nullopt;
    auto give = [&](std::size_t cls, int level) { spell.Levels[cls] = std::string(1, char('0' + level)); };
    std::size_t slot = FMade;
    if (slot < ClassLevelCount()) {
        for (std::size_t cls = 0; cls < Classes.size(); ++cls) {
            const auto span = static_cast<std::size_t>(Classes[cls].Highest - Classes[cls].Lowest + 1);
            if (slot < span) return give(cls, Classes[cls].Lowest + static_cast<int>(slot));
            slot -= span;
        }
    }
    const std::size_t classCount = 1 + Below(3);
    for (std::size_t i = 0; i < classCount; ++i) {
        const std::size_t cls = Below(Classes.size());
        const auto span = static_cast<std::size_t>(Classes[cls].Highest - Classes[cls].Lowest + 1);
        give(cls, Classes[cls].Lowest + static_cast<int>(Below(span)));
    }
}

std::string CatalogueGenerator::MakeDescription() {
    // From one short sentence to several: below, within and beyond the 102 and 193 characters the
    // selection keeps.
    const std::size_t sentences = 1 + Below(6);
    std::string text;
    for (std::size_t i = 0; i < sentences; ++i) {
        if (i)
            text += ' ';
        text += Pick(Phrases);
    }
    return text;
}

CatalogueGenerator::TSpell CatalogueGenerator::MakeSpell() {
    TSpell spell;
    spell.Name = MakeName();
    spell.School = Pick(Schools);
    MakeLevels(spell);
    spell.Details = {Pick(Targets), Pick(CastingTimes), Pick(Durations),
                     Pick(Ranges),  Pick(Areas),        Pick(SavingThrows)};
    const std::uint64_t bits = Next();
    for (std::size_t i = 0; i < YesNoCount; ++i)
        spell.YesNo[i] = (bits >> i) & 1u;
    spell.Page = std::to_string(1 + Below(320));
    spell.Description = MakeDescription();
    ++FMade;
    return spell;
}

void CatalogueGenerator::AddSpells(SqliteDatabase& db, std::size_t count) {
    SqliteStatement insert = db.Prepare(InsertSpell);
    for (std::size_t n = 0; n < count; ++n) {
        const TSpell spell = MakeSpell();
        int column = 1;
        insert.Bind(column++, spell.Name);
        insert.Bind(column++, spell.School);
        for (const auto& level : spell.Levels)
            level ? insert.Bind(column++, *level) : insert.BindNull(column++);
        for (const char* detail : spell.Details)
            insert.Bind(column++, detail);
        for (bool yes : spell.YesNo)
            insert.Bind(column++, std::int64_t{yes});
        insert.Bind(column++, spell.Page);
        insert.Bind(column++, spell.Description);
        insert.Step();
        insert.Reset();
    }
}

std::filesystem::path DefaultSchemaPath() {
    return VMR_SCHEMA_SQL;
}

void WriteCatalogue(const std::filesystem::path& file, std::size_t count, std::uint64_t seed,
                    StagedFile::TExisting existing, const std::filesystem::path& schema) {
    BuildDatabaseFile(file, existing, [&](SqliteDatabase& db) {
        db.ExecuteFile(schema);
        CatalogueGenerator(seed).AddSpells(db, count);
    });
}
