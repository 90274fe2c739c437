#include "tools/sqlitedb/SqliteStatement.h"

#include <sqlite3.h>

#include <stdexcept>
#include <utility>

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : FDb(db), FSql(sql) {
    Check(sqlite3_prepare_v2(FDb, FSql.data(), static_cast<int>(FSql.size()), &FStmt, nullptr), "prepare");
    if (!FStmt) throw std::runtime_error("SQLite: no statement in \"" + FSql + "\"");
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : FDb(other.FDb), FStmt(std::exchange(other.FStmt, nullptr)), FSql(std::move(other.FSql)) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(FStmt);
}

void SqliteStatement::Bind(int index, std::string_view text) {
    Check(sqlite3_bind_text(FStmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT),
          "bind");
}

void SqliteStatement::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(FStmt, index, value), "bind");
}

void SqliteStatement::BindNull(int index) {
    Check(sqlite3_bind_null(FStmt, index), "bind");
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(FStmt);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Check(rc, "run");
    return false;
}

void SqliteStatement::Reset() {
    sqlite3_reset(FStmt);
    sqlite3_clear_bindings(FStmt);
}

std::optional<std::string> SqliteStatement::Text(int column) const {
    if (IsNull(column)) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, column));
    return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(FStmt, column)));
}

std::int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(FStmt, column);
}

bool SqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(FStmt, column) == SQLITE_NULL;
}

void SqliteStatement::Check(int rc, std::string_view what) const {
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQLite could not " + std::string(what) + " \"" + FSql +
                                 "\": " + sqlite3_errmsg(FDb));
}
