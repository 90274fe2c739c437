#pragma once

#include "tools/sqlitedb/SqliteStatement.h"

#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

// An open SQLite database file, closed when the object goes.
class SqliteDatabase {
public:
    enum class TOpenMode { ReadOnly, ReadWrite, Create };

    SqliteDatabase(const std::filesystem::path& file, TOpenMode mode);
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    // Runs every statement of a script, stopping at the first error.
    void Execute(std::string_view script);
    // Runs a script file; errors name the file.
    void ExecuteFile(const std::filesystem::path& script);
    SqliteStatement Prepare(std::string_view sql);


private:
    void RunScript(std::string_view script, const std::string& origin);

    std::filesystem::path FFile;
    sqlite3* FDb = nullptr;
};

// Wraps work in one transaction: committed by Commit, rolled back if the scope is left without it.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    ~SqliteTransaction();

    void Commit();

private:
    SqliteDatabase& FDb;
    bool FOpen = true;
};
