#include "classlib/data/SqliteStatement.h"

#include "classlib/SysUtils.h"
#include "classlib/data/DatabaseError.h"
#include "classlib/data/SqlText.h"
#include "platform/Exception.h"

#include <sqlite3.h>

TSqliteStatement::TSqliteStatement(sqlite3* db, std::string_view sql, std::string_view shown)
    : FDb(db), FSql(sql), FShown(shown.empty() ? sql : shown) {
    // The engine would stop reading at the NUL and run what comes before it.
    if (FSql.find('\0') != std::string::npos)
        throw EDatabaseError("The statement holds a NUL character and was not run: " + QuotedStatement(FShown));
    const char* tail = nullptr;
    int code = sqlite3_prepare_v2(db, FSql.c_str(), int(FSql.size()), &FStmt, &tail);
    if (code != SQLITE_OK) RaiseSqliteError(db, code, FShown);
    if (!FStmt) throw EDatabaseError("The text holds no statement: " + QuotedStatement(FShown));
    if (!IsEmptyStatementTail(std::string_view(tail, FSql.c_str() + FSql.size() - tail))) {
        sqlite3_finalize(FStmt);
        FStmt = nullptr;
        throw EDatabaseError("Only one statement can be run at a time: " + QuotedStatement(FShown));
    }
}

TSqliteStatement::~TSqliteStatement() {
    sqlite3_finalize(FStmt);
}

int TSqliteStatement::ColumnCount() const {
    return sqlite3_column_count(FStmt);
}

bool TSqliteStatement::ReadOnly() const {
    return sqlite3_stmt_readonly(FStmt) != 0;
}

bool TSqliteStatement::Step() {
    int code = sqlite3_step(FStmt);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    // The step's own code is generic; the handle's extended code says why.
    RaiseSqliteError(FDb, sqlite3_extended_errcode(FDb), FShown);
}

void TSqliteStatement::Fail(int code) const {
    RaiseSqliteError(FDb, code, FShown);
}

void TSqliteStatement::BindNull(int index) {
    if (int code = sqlite3_bind_null(FStmt, index)) Fail(code);
}

void TSqliteStatement::BindText(int index, const std::string& value) {
    if (int code = sqlite3_bind_text(FStmt, index, value.data(), int(value.size()), SQLITE_TRANSIENT))
        Fail(code);
}

void TSqliteStatement::BindInteger(int index, int64_t value) {
    if (int code = sqlite3_bind_int64(FStmt, index, value)) Fail(code);
}

void TSqliteStatement::BindFloat(int index, double value) {
    if (int code = sqlite3_bind_double(FStmt, index, value)) Fail(code);
}

void TSqliteStatement::BindValue(int index, const TFieldValue& value, TFieldType dataType) {
    if (!value) return BindNull(index);
    switch (dataType) {
    case ftBoolean:
        return BindInteger(index, ParseBooleanText(*value).value_or(false) ? 1 : 0);
    case ftInteger:
        return BindInteger(index, StrToInt64(*value));
    case ftFloat:
        return BindFloat(index, std::stod(*value));
    default:
        return BindText(index, *value);
    }
}

std::optional<std::string_view> TSqliteStatement::View(int column, TFieldType dataType) const {
    if (dataType == ftBoolean) {
        int type = sqlite3_column_type(FStmt, column);
        if (type == SQLITE_NULL) return std::nullopt;
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return BooleanText(sqlite3_column_double(FStmt, column) != 0);
    }
    // The text first: only a missing one needs the type to tell NULL from an empty text or a failure.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, column));
    if (!text) {
        if (sqlite3_column_type(FStmt, column) == SQLITE_NULL) return std::nullopt;
        if (int code = sqlite3_errcode(FDb); code == SQLITE_NOMEM) Fail(code);
        return std::string_view();
    }
    std::string_view value(text, size_t(sqlite3_column_bytes(FStmt, column)));
    if (dataType == ftBoolean) {
        if (std::optional<bool> b = ParseBooleanText(value)) return BooleanText(*b);
    }
    return value;
}

TFieldValue TSqliteStatement::Value(int column, TFieldType dataType) const {
    std::optional<std::string_view> view = View(column, dataType);
    return view ? TFieldValue(std::string(*view)) : std::nullopt;
}
