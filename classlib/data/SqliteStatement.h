#pragma once
#include "classlib/data/Field.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement of the engine, finalized with its owner. Failures raise EDatabaseError naming the
// file, what is wrong and the statement (RaiseSqliteError).
class TSqliteStatement {
  public:
    // Prepares the first statement of sql; raises when anything but blanks, comments or semicolons follows.
    // Messages quote shown, the text as the application wrote it, when given.
    TSqliteStatement(sqlite3* db, std::string_view sql, std::string_view shown = {});
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;
    ~TSqliteStatement();

    sqlite3_stmt* Handle() const { return FStmt; }
    int ColumnCount() const;
    bool ReadOnly() const;
    // Steps once: true while there is a row.
    bool Step();
    void BindNull(int index);
    void BindText(int index, const std::string& value);
    void BindInteger(int index, int64_t value);
    void BindFloat(int index, double value);
    // Binds a field value in the kind the field stores: Booleans and integers as numbers.
    void BindValue(int index, const TFieldValue& value, TFieldType dataType);
    // The column's value as a field of that kind keeps it; the view lasts until the next step.
    std::optional<std::string_view> View(int column, TFieldType dataType) const;
    TFieldValue Value(int column, TFieldType dataType) const;

  private:
    [[noreturn]] void Fail(int code) const;

    sqlite3* FDb;
    sqlite3_stmt* FStmt = nullptr;
    std::string FSql;
    std::string FShown;
};
