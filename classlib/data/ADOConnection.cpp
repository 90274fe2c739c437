#include "classlib/data/ADOConnection.h"

#include "classlib/SysUtils.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DatabaseError.h"
#include "platform/Exception.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {
// Providers of desktop database files that the embedded engine stands in for.
bool IsKnownProvider(std::string_view provider) {
    std::string name = UpperCase(Trim(provider));
    return name.empty() || name.starts_with("MICROSOFT.JET.OLEDB.") ||
           name.starts_with("MICROSOFT.ACE.OLEDB.") || name == "SQLITE";
}
// The engine's files begin with their format's name; anything else would be read as a damaged database.
bool HasDatabaseHeader(const std::string& path) {
    static constexpr char Magic[] = "SQLite format 3";
    char header[sizeof Magic] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(header, sizeof header) && std::equal(header, header + sizeof header, Magic);
}
} // namespace

std::string ConnectionStringValue(std::string_view connectionString, std::string_view key) {
    size_t i = 0;
    while (i < connectionString.size()) {
        size_t equals = connectionString.find('=', i);
        if (equals == std::string_view::npos) break;
        std::string name = Trim(connectionString.substr(i, equals - i));
        size_t valueBegin = equals + 1;
        while (valueBegin < connectionString.size() && connectionString[valueBegin] == ' ')
            ++valueBegin;
        std::string value;
        size_t next;
        if (valueBegin < connectionString.size() && connectionString[valueBegin] == '"') {
            size_t close = connectionString.find('"', valueBegin + 1);
            if (close == std::string_view::npos) close = connectionString.size();
            value = std::string(connectionString.substr(valueBegin + 1, close - valueBegin - 1));
            next = connectionString.find(';', close);
        } else {
            next = connectionString.find(';', valueBegin);
            value = Trim(connectionString.substr(
                valueBegin, next == std::string_view::npos ? std::string_view::npos : next - valueBegin));
        }
        if (SameText(name, key)) return value;
        if (next == std::string_view::npos) break;
        i = next + 1;
    }
    return {};
}

void TADOConnection::PublishProperties(TPublisher<TADOConnection>& p) {
    p.String("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
    p.Integer("ConnectionTimeout", &TADOConnection::ConnectionTimeout, &TADOConnection::SetConnectionTimeout,
              15);
    p.Boolean("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected);
    p.Boolean("KeepConnection", &TADOConnection::KeepConnection, &TADOConnection::SetKeepConnection, true);
    p.Boolean("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt, true);
    p.Enum("Mode", &TADOConnection::Mode, &TADOConnection::SetMode);
    p.String("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider);
    p.Event("BeforeConnect", &TADOConnection::BeforeConnect);
    p.Event("AfterConnect", &TADOConnection::AfterConnect);
    p.Event("BeforeDisconnect", &TADOConnection::BeforeDisconnect);
    p.Event("AfterDisconnect", &TADOConnection::AfterDisconnect);
}

TADOConnection::~TADOConnection() {
    // Nothing can be raised any more: the datasets close without a last post.
    while (!FDataSets.empty())
        FDataSets.back()->ConnectionDestroyed();
    CloseHandle();
}

void TADOConnection::SetConnectionString(const std::string& value) {
    if (value == FConnectionString) return;
    Close();
    FConnectionString = value;
}

std::string TADOConnection::Provider() const {
    std::string provider = ConnectionStringValue(FConnectionString, "Provider");
    return provider.empty() ? FProvider : provider;
}

void TADOConnection::SetConnected(bool value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedConnected = value;
        return;
    }
    if (value) {
        Open();
    } else {
        Close();
    }
}

void TADOConnection::Loaded() {
    TComponent::Loaded();
    if (FStreamedConnected) Open();
}

std::string TADOConnection::DatabasePath() const {
    std::string provider = Provider();
    if (!IsKnownProvider(provider)) throw EDatabaseError("Provider cannot be found: \"" + provider + "\"");
    std::string source = ConnectionStringValue(FConnectionString, "Data Source");
    if (source.empty()) throw EDatabaseError(Name() + ": the connection string names no Data Source");
    std::replace(source.begin(), source.end(), '\\', '/');
    return (std::filesystem::current_path() / source).lexically_normal().string();
}

void TADOConnection::Open() {
    if (Connected()) return;
    if (BeforeConnect) BeforeConnect(this);
    std::string path = DatabasePath();
    auto fail = [&](const std::string& problem) {
        throw EDatabaseError("Cannot open the database \"" + path + "\": it " + problem);
    };
    std::error_code error;
    if (!std::filesystem::exists(path, error)) fail("does not exist");
    if (!std::filesystem::is_regular_file(path, error)) fail("is not a file");
    // An empty file would become a database at the first write: it holds none of the tables.
    if (std::filesystem::file_size(path, error) == 0) fail("is empty, not a database file");
    if (!HasDatabaseHeader(path)) fail("is not a database file");
    // Opening writes nothing; a file that cannot be written, or whose folder cannot take the journal of a
    // change, is read for browsing and each write fails saying why.
    bool readOnly = FMode == cmRead || !CanWritePath(path) ||
                    !CanWritePath(std::filesystem::path(path).parent_path().string());
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int code = sqlite3_open_v2(path.c_str(), &FDb, flags, nullptr);
    // The engine reads the file only when asked something: ask now, so a broken file fails here. A sorted
    // catalogue reads its rows back in name order, all over the file: mapping the file saves a system call
    // per page.
    if (code == SQLITE_OK) code = sqlite3_busy_timeout(FDb, BusyTimeoutMs);
    if (code == SQLITE_OK)
        code = sqlite3_exec(FDb, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (code == SQLITE_OK) {
        code = sqlite3_exec(FDb, "PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 268435456", nullptr, nullptr,
                            nullptr);
    }
    if (code != SQLITE_OK) {
        std::string problem = DatabaseProblem(FDb, FDb ? sqlite3_extended_errcode(FDb) : code);
        if (problem.empty()) problem = std::string("cannot be read: ") + (FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code));
        CloseHandle();
        fail(problem);
    }
    FFileName = path;
    if (AfterConnect) AfterConnect(this);
}

void TADOConnection::Close() {
    if (!Connected()) return;
    if (BeforeDisconnect) BeforeDisconnect(this);
    for (size_t i = FDataSets.size(); i-- > 0;) {
        if (i < FDataSets.size()) FDataSets[i]->Close();
    }
    CloseHandle();
    if (AfterDisconnect) AfterDisconnect(this);
}

void TADOConnection::CloseHandle() {
    sqlite3_close_v2(FDb);
    FDb = nullptr;
}

sqlite3* TADOConnection::Handle() {
    Open();
    return FDb;
}

void TADOConnection::AddDataSet(TADOQuery* query) {
    if (std::find(FDataSets.begin(), FDataSets.end(), query) == FDataSets.end()) FDataSets.push_back(query);
}

void TADOConnection::RemoveDataSet(TADOQuery* query) {
    std::erase(FDataSets, query);
}
