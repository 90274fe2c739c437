#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement; bind, step through its rows, reset and run again.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    // Parameters are numbered from 1.
    void Bind(int index, std::string_view text);
    void Bind(int index, std::int64_t value);
    void BindNull(int index);

    // True while a row is available; false once the statement is done.
    bool Step();
    void Reset();

    // Columns are numbered from 0; a NULL reads as nullopt.
    std::optional<std::string> Text(int column) const;
    std::int64_t Integer(int column) const;

private:
    bool IsNull(int column) const;
    void Check(int rc, std::string_view what) const;

    sqlite3* FDb;
    sqlite3_stmt* FStmt = nullptr;
    std::string FSql;
};
