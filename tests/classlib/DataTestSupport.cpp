#include "DataTestSupport.h"

#include "classlib/RegisterClasslib.h"

#include <sqlite3.h>

#include <stdexcept>
#include <stdlib.h>

const char* const ApplicationConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=Incantesimi.mdb;Mode=Share Deny None;"
    "Extended Properties=\"\";Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
    "Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
    "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
    "Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System Database=False;"
    "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
    "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False";

TTemporaryFolder::TTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vmr-classlib-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    FPath = pattern;
}

TTemporaryFolder::~TTemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

TCurrentFolder::TCurrentFolder(const std::filesystem::path& folder)
    : FPrevious(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

TCurrentFolder::~TCurrentFolder() {
    std::error_code ignored;
    std::filesystem::current_path(FPrevious, ignored);
}

namespace {
struct TRawDb {
    explicit TRawDb(const std::filesystem::path& file) {
        if (sqlite3_open_v2(file.c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(Db);
            throw std::runtime_error("cannot open " + file.string());
        }
    }
    ~TRawDb() { sqlite3_close_v2(Db); }
    sqlite3* Db = nullptr;
};
} // namespace

void RawExec(const std::filesystem::path& file, const std::string& sql) {
    TRawDb raw(file);
    char* error = nullptr;
    if (sqlite3_exec(raw.Db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message + " in " + sql);
    }
}

std::vector<std::optional<std::string>> RawColumn(const std::filesystem::path& file, const std::string& sql) {
    TRawDb raw(file);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(raw.Db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(raw.Db)) + " in " + sql);
    }
    std::vector<std::optional<std::string>> values;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        values.push_back(text ? std::optional<std::string>(reinterpret_cast<const char*>(text))
                              : std::nullopt);
    }
    sqlite3_finalize(stmt);
    return values;
}

std::string RawText(const std::filesystem::path& file, const std::string& sql) {
    auto values = RawColumn(file, sql);
    if (values.empty() || !values[0]) throw std::runtime_error("no value from " + sql);
    return *values[0];
}

DataFixture::DataFixture() {
    RegisterClasslibClasses();
    std::filesystem::copy_file(VMR_SAMPLE_DATABASE, DatabaseFile());
    FCurrent = std::make_unique<TCurrentFolder>(FFolder.Path());
    FOwner.reset(NewComponent<TComponent>(nullptr));
    FConnection = NewComponent<TADOConnection>(FOwner.get());
    FConnection->SetName("ADOConnection");
    FConnection->SetLoginPrompt(false);
    FConnection->SetMode(cmShareDenyNone);
    FConnection->SetConnectionString(ApplicationConnectionString);
    FQryInc = NewComponent<TADOQuery>(FOwner.get());
    FQryInc->SetName("ADOQryInc");
    FQrySel = NewComponent<TADOQuery>(FOwner.get());
    FQrySel->SetName("ADOQrySel");
    for (TADOQuery* query : {FQryInc, FQrySel}) {
        query->SetConnection(FConnection);
        query->SetCursorType(ctStatic);
    }
    FQryInc->SQL()->Add("SELECT * FROM INCANTESIMI");
    FQrySel->SQL()->Add("SELECT * FROM SELEZIONATI");
}

DataFixture::~DataFixture() {
    FOwner.reset();
    FCurrent.reset();
}

void DataFixture::OpenWith(TADOQuery* query, const std::string& sql) {
    query->SQL()->Clear();
    query->SQL()->Add(sql);
    query->Open();
}

int DataFixture::ExecWith(TADOQuery* query, const std::string& sql) {
    query->SQL()->Clear();
    query->SQL()->Add(sql);
    return query->ExecSQL();
}

int64_t DataFixture::AddSpell(const std::string& name, const std::string& bardo, const std::string& area) {
    RawExec(DatabaseFile(),
            "INSERT INTO INCANTESIMI (INCANTESIMO, SCUOLA, BARDO, AREA, RI, DESCRIZIONE) VALUES ('" + name +
                "', 'Abiurazione', '" + bardo + "', '" + area + "', 1, 'Prova')");
    return std::stoll(RawText(DatabaseFile(), "SELECT max(ID) FROM INCANTESIMI"));
}

std::string DataFixture::AreaOf(int64_t id) const {
    return RawText(DatabaseFile(), "SELECT AREA FROM INCANTESIMI WHERE ID = " + std::to_string(id));
}
