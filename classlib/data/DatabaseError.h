#pragma once
#include <string>
#include <string_view>

struct sqlite3;

// The database layer's failures in words a user understands: the file and what is wrong with it.

// Whether a file or folder may be written. A file whose permissions mark it read-only stays read-only
// even for a user whose rights would let them write it anyway, as a read-only file does on the desktop.
bool CanWritePath(const std::string& path);

// What is wrong with the file, after "the database ...": "is read-only", "is locked by another program",
// "is damaged", "is not a database file", "has no table X", "has no column X"; empty when the engine's
// failure is about the statement rather than the file.
std::string DatabaseProblem(sqlite3* db, int code);

// A statement between double quotes, cut to a length a message box shows whole; a NUL shows as U+2400.
std::string QuotedStatement(std::string_view sql);
constexpr size_t QuotedStatementLength = 80;

// Raises EDatabaseError for an engine failure on a statement, naming the file.
[[noreturn]] void RaiseSqliteError(sqlite3* db, int code, std::string_view sql);
