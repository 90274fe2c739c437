// The catalogue query for all levels of a class with the refill of the spell list over it, and one spell
// added to and removed from the selection with the requery that follows, on generated catalogues.
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/RegisterControls.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DataSource.h"
#include "classlib/data/SqliteStatement.h"
#include "classlib/dbctrls/DBLookupListBox.h"
#include "classlib/dbctrls/RegisterDataControls.h"
#include "platform/MessageLoop.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tools/gencatalogue/CatalogueGenerator.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdlib.h>

namespace {

// A temporary folder removed with everything in it.
struct TBenchFolder {
    TBenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vmr-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        Path = pattern;
    }
    ~TBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::filesystem::path Path;
};

// One catalogue file per size, made once.
const std::filesystem::path& Catalogue(size_t count) {
    static TBenchFolder folder;
    static std::map<size_t, std::filesystem::path> files;
    auto [it, added] = files.emplace(count, folder.Path / ("catalogue-" + std::to_string(count) + ".mdb"));
    if (added) WriteCatalogue(it->second, count, 1);
    return it->second;
}

struct TDatabase {
    explicit TDatabase(size_t count) {
        Owner.reset(NewComponent<TComponent>(nullptr));
        Connection = NewComponent<TADOConnection>(Owner.get());
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                        Catalogue(count).string());
        Query = NewComponent<TADOQuery>(Owner.get());
        Query->SetConnection(Connection);
        Query->SetCursorType(ctStatic);
        Connection->Open();
    }
    void Run(const std::string& sql, bool open) {
        if (Query->Active()) Query->Close();
        Query->SQL()->Clear();
        Query->SQL()->Add(sql);
        if (open) {
            Query->Open();
        } else {
            Query->ExecSQL();
        }
    }
    std::unique_ptr<TComponent> Owner;
    TADOConnection* Connection = nullptr;
    TADOQuery* Query = nullptr;
};

// The main window's spell list on a shown form of the headless window system, over the catalogue query.
struct TSpellList {
    explicit TSpellList(TADOQuery* query) {
        InitWindowSystem(Host);
        RegisterControlsClasses();
        RegisterDataControls();
        NewComponent<TApplication>(nullptr);
        TForm* form = NewComponent<TForm>(Application);
        form->SetBoundsRect(TRect{0, 0, 400, 600});
        Source = NewComponent<TDataSource>(form);
        Source->SetDataSet(query);
        List = NewComponent<TDBLookupListBox>(form);
        List->SetParent(form);
        List->SetBoundsRect(TRect{10, 10, 210, 410});
        List->SetListSource(Source);
        List->SetKeyField("INCANTESIMO");
        List->SetListField("INCANTESIMO");
        form->Show();
        RunUntilIdle();
    }
    ~TSpellList() {
        delete Application;
        ShutdownWindowSystem();
    }
    THeadlessHost Host;
    TDataSource* Source = nullptr;
    TDBLookupListBox* List = nullptr;
};

// A class's all-levels query reopened as the application does it, the spell list refilling on the open and
// repainting the rows it shows.
void BM_CatalogueAllLevels(benchmark::State& state) {
    TDatabase db(size_t(state.range(0)));
    TSpellList spells(db.Query);
    for (auto _ : state) {
        db.Run("SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO", true);
        RunUntilIdle();
        benchmark::DoNotOptimize(spells.List->Count());
    }
    if (spells.List->Count() != db.Query->RecordCount()) state.SkipWithError("the list did not refill");
    state.counters["rows"] = db.Query->RecordCount();
}
BENCHMARK(BM_CatalogueAllLevels)->Arg(600)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor under the query: the engine alone stepping through the same rows.
void BM_CatalogueAllLevelsEngineOnly(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Catalogue(size_t(state.range(0))).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(db, "PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    for (auto _ : state) {
        TSqliteStatement statement(
            db, "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO");
        while (statement.Step()) {
            for (int c = 0; c < statement.ColumnCount(); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(statement.Handle(), c));
        }
    }
    sqlite3_close_v2(db);
}
BENCHMARK(BM_CatalogueAllLevelsEngineOnly)->Arg(600)->Arg(100000)->Unit(benchmark::kMillisecond);

const std::string SelectionView = "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO";
const std::string AddSpell =
    "INSERT INTO SELEZIONATI (LIVELLO, SCUOLA, INCANTESIMO,DESCRIZIONE1, DESCRIZIONE2, BERSAGLIO, "
    "TEMPODILANCIO, "
    "DURATA, RAGGIO,AREA, TS, RI, V, S, M, F, FD, PE, PAGINA)VALUES('3','Evocazione','Sfera ardente', 'Una "
    "sfera "
    "di fuoco rotola dove vuole il lanciatore', '', 'Una sfera', '1 azione standard', '1 round/livello', "
    "'Medio',  'Sfera di 1,5 m', 'Riflessi nega', True, True, True, False, False, True, False, '231')";
const std::string RemoveSpell = "DELETE * FROM SELEZIONATI WHERE INCANTESIMO='Sfera ardente'";

// The selection holds 30 spells, as a full page of the grid and more.
void FillSelection(TDatabase& db) {
    db.Run("DELETE * FROM SELEZIONATI", false);
    for (int i = 0; i < 30; ++i) {
        db.Run("INSERT INTO SELEZIONATI (LIVELLO, INCANTESIMO) VALUES ('" + std::to_string(i % 10) +
                   "', 'Voce " + std::to_string(i) + "')",
               false);
    }
}

// The duplicate test, the insert and the requery of the selection view.
void BM_AddToSelection(benchmark::State& state) {
    TDatabase db(size_t(state.range(0)));
    FillSelection(db);
    for (auto _ : state) {
        db.Run("SELECT * FROM SELEZIONATI WHERE INCANTESIMO='Sfera ardente'", true);
        if (db.Query->Eof()) db.Run(AddSpell, false);
        db.Run(SelectionView, true);
        state.PauseTiming();
        db.Run(RemoveSpell, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddToSelection)->Arg(100000)->Unit(benchmark::kMillisecond);

// The delete and the requery of the selection view.
void BM_RemoveFromSelection(benchmark::State& state) {
    TDatabase db(size_t(state.range(0)));
    FillSelection(db);
    for (auto _ : state) {
        state.PauseTiming();
        db.Run(AddSpell, false);
        state.ResumeTiming();
        db.Run(RemoveSpell, false);
        db.Run(SelectionView, true);
    }
}
BENCHMARK(BM_RemoveFromSelection)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
