#include "tools/sqlitedb/SqliteDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

int OpenFlags(SqliteDatabase::TOpenMode mode) {
    switch (mode) {
    case SqliteDatabase::TOpenMode::ReadOnly:
        return SQLITE_OPEN_READONLY;
    case SqliteDatabase::TOpenMode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case SqliteDatabase::TOpenMode::Create:
        break;
    }
    return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Line of a position in a script, counted from 1, skipping the blanks before the statement.
std::size_t LineOf(std::string_view script, const char* position) {
    std::size_t offset = static_cast<std::size_t>(position - script.data());
    offset = std::min(script.find_first_not_of(" \t\r\n", offset), script.size());
    return 1 + static_cast<std::size_t>(std::count(script.begin(), script.begin() + offset, '\n'));
}

} // namespace

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, TOpenMode mode) : FFile(file) {
    const int rc = sqlite3_open_v2(file.c_str(), &FDb, OpenFlags(mode), nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(rc);
        sqlite3_close(FDb);
        throw std::runtime_error("cannot open database " + file.string() + ": " + reason);
    }
    sqlite3_extended_result_codes(FDb, 1);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(FDb);
}

void SqliteDatabase::Execute(std::string_view script) {
    RunScript(script, FFile.string());
}

void SqliteDatabase::ExecuteFile(const std::filesystem::path& script) {
    RunScript(ReadFile(script), script.string() + " on " + FFile.string());
}

void SqliteDatabase::RunScript(std::string_view script, const std::string& origin) {
    const char* next = script.data();
    const char* const end = script.data() + script.size();
    while (next < end) {
        const char* start = next;
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(FDb, start, static_cast<int>(end - start), &stmt, &next);
        while (rc == SQLITE_OK && stmt && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc == SQLITE_DONE) rc = SQLITE_OK;
        const std::string reason = rc == SQLITE_OK ? std::string() : sqlite3_errmsg(FDb);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_OK)
            throw std::runtime_error(origin + ", statement at line " + std::to_string(LineOf(script, start)) +
                                     ": " + reason);
    }
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql) {
    return SqliteStatement(FDb, sql);
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : FDb(db) {
    FDb.Execute("BEGIN");
}

SqliteTransaction::~SqliteTransaction() {
    if (!FOpen) return;
    try {
        FDb.Execute("ROLLBACK");
    } catch (const std::runtime_error&) {
        // Rolling back after a failure that already ended the transaction: nothing is left to undo.
    }
}

void SqliteTransaction::Commit() {
    FDb.Execute("COMMIT");
    FOpen = false;
}
