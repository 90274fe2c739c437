#include "classlib/data/DatabaseError.h"

#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {
// The engine's "no such table: X" and the like, as what the file lacks.
std::string MissingName(std::string_view message) {
    for (auto [prefix, kind] : {std::pair<std::string_view, std::string_view>{"no such table: ", "table"},
                                {"no such column: ", "column"}}) {
        if (message.starts_with(prefix))
            return "has no " + std::string(kind) + " " + std::string(message.substr(prefix.size()));
    }
    if (size_t at = message.find(" has no column named "); at != std::string_view::npos && message.starts_with("table "))
        return "has no column " + std::string(message.substr(at + 21)) + " in " +
               std::string(message.substr(0, at));
    return {};
}

std::string FileOf(sqlite3* db) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? name : "";
}
} // namespace

bool CanWritePath(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

std::string DatabaseProblem(sqlite3* db, int code) {
    switch (code & 0xFF) {
    case SQLITE_READONLY: {
        std::string file = FileOf(db);
        if (!file.empty() && CanWritePath(file) &&
            !CanWritePath(std::filesystem::path(file).parent_path().string()))
            return "is read-only: its folder cannot be written";
        return "is read-only";
    }
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "is locked by another program";
    case SQLITE_CORRUPT: return "is damaged";
    case SQLITE_NOTADB: return "is not a database file";
    case SQLITE_FULL: return "cannot grow: the disk is full";
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: return "could not be read or written";
    case SQLITE_ERROR: return db ? MissingName(sqlite3_errmsg(db)) : std::string();
    default: return {};
    }
}

std::string QuotedStatement(std::string_view sql) {
    std::string text;
    for (char c : sql)
        text += c == '\0' ? std::string("\u2400") : std::string(1, c);
    if (Utf8Length(text) > QuotedStatementLength) text = Utf8Copy(text, 1, QuotedStatementLength - 1) + "\u2026";
    return "\"" + text + "\"";
}

void RaiseSqliteError(sqlite3* db, int code, std::string_view sql) {
    std::string database = "The database \"" + FileOf(db) + "\" ";
    std::string problem = DatabaseProblem(db, code);
    if (!problem.empty()) throw EDatabaseError(database + problem + ": " + QuotedStatement(sql) + " was not run");
    throw EDatabaseError(database + "refused " + QuotedStatement(sql) + ": " + sqlite3_errmsg(db));
}
