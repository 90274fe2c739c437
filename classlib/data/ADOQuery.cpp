#include "classlib/data/ADOQuery.h"

#include "classlib/SysUtils.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/DatabaseError.h"
#include "classlib/data/SqlText.h"
#include "classlib/data/SqliteStatement.h"
#include "platform/Exception.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
constexpr int DefaultTextSize = 255;
// Rows are packed into blocks of this size, a few hundred catalogue rows each.
constexpr size_t ResultBlockSize = 128 * 1024;

// The field kind of a column from its declared type, or, for an expression, from its first value.
TFieldType ColumnType(sqlite3_stmt* stmt, int column, bool hasRow, int& size) {
    size = 0;
    const char* declared = sqlite3_column_decltype(stmt, column);
    if (!declared) {
        int type = hasRow ? sqlite3_column_type(stmt, column) : SQLITE_TEXT;
        if (type == SQLITE_INTEGER) return ftInteger;
        if (type == SQLITE_FLOAT) return ftFloat;
        size = DefaultTextSize;
        return ftString;
    }
    std::string name = UpperCase(declared);
    auto has = [&](const char* part) { return name.find(part) != std::string::npos; };
    if (has("BOOL") || has("YESNO") || name == "BIT") return ftBoolean;
    if (has("MEMO") || has("LONGTEXT") || has("CLOB")) return ftMemo;
    if (has("CHAR") || has("TEXT")) {
        size_t open = name.find('(');
        size = open == std::string::npos ? DefaultTextSize : std::atoi(name.c_str() + open + 1);
        if (size <= 0) size = DefaultTextSize;
        return ftString;
    }
    if (has("INT") || has("COUNTER")) return ftInteger;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL") || has("CURRENCY")) {
        return ftFloat;
    }
    size = DefaultTextSize;
    return ftString;
}

// The table every result column comes from, after the row identity in column 0; empty when they do not
// all come from one table of the main database.
std::string SourceTable(sqlite3_stmt* stmt) {
    const char* table = sqlite3_column_table_name(stmt, 0);
    if (!table) return {};
    for (int column = 0; column < sqlite3_column_count(stmt); ++column) {
        const char* columnTable = sqlite3_column_table_name(stmt, column);
        const char* database = sqlite3_column_database_name(stmt, column);
        if (!columnTable || std::strcmp(columnTable, table) != 0 || !database ||
            std::strcmp(database, "main") != 0) {
            return {};
        }
    }
    return table;
}

// An INSERT, UPDATE or DELETE: what sqlite3_changes counts.
bool IsRowChange(sqlite3_stmt* stmt) {
    std::string_view sql = sqlite3_sql(stmt);
    size_t begin = sql.find_first_not_of(" \t\r\n(");
    std::string word = begin == std::string_view::npos ? "" : UpperCase(sql.substr(begin, 7));
    return word.starts_with("INSERT") || word.starts_with("UPDATE") || word.starts_with("DELETE") ||
           word.starts_with("REPLACE");
}

// A statement that changes no row leaves the file as it was: without this, a DELETE on an empty table
// still rewrites pages and the file's change counter. It runs in a savepoint rolled back unless rows changed.
class TUnlessRowsChange {
  public:
    TUnlessRowsChange(sqlite3* db, bool rowChange) : FDb(db), FOwn(rowChange && sqlite3_get_autocommit(db)) {
        if (FOwn && sqlite3_exec(FDb, "SAVEPOINT vmr_exec", nullptr, nullptr, nullptr) != SQLITE_OK) FOwn = false;
    }
    TUnlessRowsChange(const TUnlessRowsChange&) = delete;
    TUnlessRowsChange& operator=(const TUnlessRowsChange&) = delete;
    // A failed statement or commit leaves nothing behind.
    ~TUnlessRowsChange() {
        if (FOwn) sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void Finish(std::string_view sql) {
        if (!FOwn) return;
        const char* end = sqlite3_changes(FDb) == 0 ? "ROLLBACK" : "RELEASE vmr_exec";
        if (int code = sqlite3_exec(FDb, end, nullptr, nullptr, nullptr); code != SQLITE_OK)
            RaiseSqliteError(FDb, sqlite3_extended_errcode(FDb), sql);
        FOwn = false;
    }

  private:
    sqlite3* FDb;
    bool FOwn;
};

std::string QuoteName(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}
} // namespace

void TADOQuery::PublishProperties(TPublisher<TADOQuery>& p) {
    p.Component("Connection", &TADOQuery::Connection, &TADOQuery::SetConnection);
    p.Enum("CursorType", &TADOQuery::CursorType, &TADOQuery::SetCursorType, ctKeyset);
    p.Enum("LockType", &TADOQuery::LockType, &TADOQuery::SetLockType, ltOptimistic);
    p.Strings(
        "SQL", [](TADOQuery& q) { return q.SQL(); }, &TADOQuery::SetSQL);
}

TADOQuery::TADOQuery(TComponent* owner) : TDataSet(owner), FPacker(ResultBlockSize) {
    // Closing before the text changes lets a failing post keep both the edit and the old text.
    FSQL.OnChanging = [this](TObject*) {
        if (Active()) Close();
    };
}

TADOQuery::~TADOQuery() {
    ConnectionDestroyed();
}

void TADOQuery::ConnectionDestroyed() {
    try {
        Close();
    } catch (const Exception&) {
        // Being destroyed, the query cannot report the failed post any more.
        CloseDiscarding();
    }
    if (FConnection) FConnection->RemoveDataSet(this);
    FConnection = nullptr;
}

void TADOQuery::SetConnection(TADOConnection* value) {
    if (value == FConnection) return;
    Close();
    if (FConnection) {
        FConnection->RemoveDataSet(this);
        RemoveFreeNotification(FConnection);
    }
    FConnection = value;
    if (FConnection) {
        FConnection->AddDataSet(this);
        FConnection->FreeNotification(this);
    }
}

void TADOQuery::Notification(TComponent* component, TOperation operation) {
    TDataSet::Notification(component, operation);
    if (operation == opRemove && component && component == FConnection) ConnectionDestroyed();
}

TADOConnection& TADOQuery::RequireConnection() const {
    if (!FConnection) throw EDatabaseError(Name() + ": Missing Connection or ConnectionString");
    return *FConnection;
}

std::string TADOQuery::StatementText() const {
    std::string text = FSQL.Text();
    if (text.ends_with(sLineBreak)) text.resize(text.size() - sLineBreak.size());
    return text;
}

bool TADOQuery::CanModify() const {
    return Active() && !FTable.empty() && FLockType != ltReadOnly && TDataSet::CanModify();
}

int TADOQuery::ExecSQL() {
    TADOConnection& connection = RequireConnection();
    sqlite3* db = connection.Handle();
    std::string text = StatementText();
    TSqliteStatement statement(db, TranslateStatement(text), text);
    if (statement.ColumnCount() > 0) {
        throw EDatabaseError(Name() + ": ExecSQL runs only statements that return no rows, not " +
                             QuotedStatement(text));
    }
    connection.LogStatement(text);
    TUnlessRowsChange guard(db, IsRowChange(statement.Handle()));
    while (statement.Step()) {
    }
    guard.Finish(text);
    return sqlite3_changes(db);
}

void TADOQuery::InternalOpen() {
    RunSelect(true);
}

void TADOQuery::InternalClose() {
    FTable.clear();
    FColumns.clear();
    FFirstColumn = 0;
}

void TADOQuery::InternalRefresh() {
    RunSelect(false);
}

void TADOQuery::RunSelect(bool defineFields) {
    TADOConnection& connection = RequireConnection();
    sqlite3* db = connection.Handle();
    std::string text = StatementText();
    std::string sql = TranslateStatement(text);
    // A single-table SELECT is prepared once, selecting its row identity too; anything else as it stands.
    std::unique_ptr<TSqliteStatement> statement;
    std::string table;
    std::optional<TSingleTableSelect> single =
        FLockType == ltReadOnly ? std::nullopt : ReadSingleTableSelect(sql);
    if (single) {
        try {
            auto withRowId = std::make_unique<TSqliteStatement>(db, single->Rewritten, text);
            table = SourceTable(withRowId->Handle());
            if (!table.empty()) statement = std::move(withRowId);
        } catch (const EDatabaseError&) {
            // A view or a table without row identity: its rows are read only. A faulty text fails below with
            // the engine's message on the text as written.
        }
    }
    if (!statement) statement = std::make_unique<TSqliteStatement>(db, sql, text);
    if (statement->ColumnCount() == 0 || !statement->ReadOnly()) {
        throw EDatabaseError(Name() + ": Open runs only statements that return rows, not " + QuotedStatement(text));
    }
    if (defineFields) {
        FTable = table;
        FFirstColumn = table.empty() ? 0 : 1;
        connection.LogStatement(text);
    }
    bool hasRow = statement->Step();
    if (defineFields) DefineFields(*statement);
    FTypes.clear();
    for (const auto& field : Fields())
        FTypes.push_back(field->DataType());
    FRowViews.resize(FTypes.size());
    FPacker.Restart();
    for (; hasRow; hasRow = statement->Step()) {
        TDataRecord record;
        ReadRow(*statement, record);
        AddRecord(std::move(record));
    }
}

void TADOQuery::DefineFields(const TSqliteStatement& statement) {
    sqlite3_stmt* stmt = statement.Handle();
    bool hasRow = sqlite3_data_count(stmt) > 0;
    for (int column = FFirstColumn; column < statement.ColumnCount(); ++column) {
        int size = 0;
        TFieldType type = ColumnType(stmt, column, hasRow, size);
        TField& field = AddField(sqlite3_column_name(stmt, column), type, size);
        const char* origin = sqlite3_column_origin_name(stmt, column);
        FColumns.push_back(origin ? origin : "");
        field.SetReadOnly(FTable.empty());
    }
}

void TADOQuery::ReadRow(const TSqliteStatement& statement, TDataRecord& record) {
    // Texts first, so their total length is known before the record is packed.
    std::vector<std::optional<std::string_view>>& views = FRowViews;
    size_t bytes = 0;
    for (size_t i = 0; i < FTypes.size(); ++i) {
        views[i] = statement.View(FFirstColumn + int(i), FTypes[i]);
        if (views[i]) bytes += views[i]->size();
    }
    FPacker.Begin(int(FTypes.size()), bytes);
    for (const auto& view : views)
        FPacker.Add(view);
    record.Values = FPacker.Finish();
    if (FFirstColumn == 1) record.RowId = sqlite3_column_int64(statement.Handle(), 0);
}

std::string TADOQuery::QuotedTable() const {
    return QuoteName(FTable);
}

std::string TADOQuery::QuotedColumn(int field) const {
    return QuoteName(FColumns[size_t(field)]);
}

void TADOQuery::InternalPost(TDataRecord& record, const TDataRecord* original) {
    sqlite3* db = RequireConnection().Handle();
    std::vector<int> written;
    for (int i = 0; i < Fields().Count(); ++i) {
        bool changed =
            original ? record.Values.View(i) != original->Values.View(i) : record.Values.View(i).has_value();
        if (changed) written.push_back(i);
    }
    if (original && written.empty()) return;
    std::string sql;
    if (original) {
        sql = "UPDATE " + QuotedTable() + " SET ";
        for (size_t k = 0; k < written.size(); ++k)
            sql += (k ? ", " : "") + QuotedColumn(written[k]) + " = ?";
        sql += " WHERE rowid = ?";
    } else if (written.empty()) {
        sql = "INSERT INTO " + QuotedTable() + " DEFAULT VALUES";
    } else {
        std::string values;
        sql = "INSERT INTO " + QuotedTable() + " (";
        for (size_t k = 0; k < written.size(); ++k) {
            sql += (k ? ", " : "") + QuotedColumn(written[k]);
            values += k ? ", ?" : "?";
        }
        sql += ") VALUES (" + values + ")";
    }
    TSqliteStatement statement(db, sql);
    int index = 1;
    for (int i : written)
        statement.BindValue(index++, record.Values.Get(i), Fields()[i]->DataType());
    if (original) statement.BindInteger(index, original->RowId);
    statement.Step();
    if (original && sqlite3_changes(db) == 0) {
        throw EDatabaseError(Name() + ": the row to update is no longer in " + FTable);
    }
    if (!original) record.RowId = sqlite3_last_insert_rowid(db);
    ReloadRecord(record);
}

void TADOQuery::ReloadRecord(TDataRecord& record) {
    std::string sql = "SELECT ";
    for (int i = 0; i < Fields().Count(); ++i)
        sql += (i ? ", " : "") + QuotedColumn(i);
    sql += " FROM " + QuotedTable() + " WHERE rowid = ?";
    TSqliteStatement statement(RequireConnection().Handle(), sql);
    statement.BindInteger(1, record.RowId);
    if (!statement.Step()) return;
    for (int i = 0; i < Fields().Count(); ++i) {
        record.Values.Set(i, statement.Value(i, Fields()[i]->DataType()));
    }
}

void TADOQuery::InternalDelete(const TDataRecord& record) {
    TSqliteStatement statement(RequireConnection().Handle(),
                               "DELETE FROM " + QuotedTable() + " WHERE rowid = ?");
    statement.BindInteger(1, record.RowId);
    statement.Step();
}
