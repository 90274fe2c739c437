#pragma once
#include "classlib/Strings.h"
#include "classlib/data/DataSet.h"

#include <string>
#include <vector>

class TADOConnection;
class TSqliteStatement;

enum class TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };
using enum TCursorType;
VMR_ENUM_NAMES(TCursorType, "ctUnspecified", "ctOpenForwardOnly", "ctKeyset", "ctDynamic", "ctStatic")

enum class TADOLockType { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };
using enum TADOLockType;
VMR_ENUM_NAMES(TADOLockType, "ltUnspecified", "ltReadOnly", "ltPessimistic", "ltOptimistic",
               "ltBatchOptimistic")

// A query over a connection. Open runs one statement that returns rows and reads all of them (every cursor
// type reads statically); ExecSQL runs one that returns none. Rows of a single-table SELECT can be edited
// and deleted: they are written back by their row identity. Any change of the SQL text closes the query
// first, posting a pending edit.
class TADOQuery : public TDataSet {
    VMR_CLASS(TADOQuery, TDataSet)

  public:
    static void PublishProperties(TPublisher<TADOQuery>& p);
    ~TADOQuery() override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* value);
    TCursorType CursorType() const { return FCursorType; }
    void SetCursorType(TCursorType value) { FCursorType = value; }
    TADOLockType LockType() const { return FLockType; }
    void SetLockType(TADOLockType value) { FLockType = value; }
    TStrings* SQL() { return &FSQL; }
    const TStrings* SQL() const { return &FSQL; }
    void SetSQL(TStrings* value) { FSQL.Assign(value); }

    // Runs a statement that returns no rows; the number of rows it changed.
    int ExecSQL();
    // The rows can be written back: a single-table SELECT whose every column comes from that table.
    bool CanModify() const override;

  protected:
    explicit TADOQuery(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;

    void InternalOpen() override;
    void InternalClose() override;
    void InternalRefresh() override;
    void InternalPost(TDataRecord& record, const TDataRecord* original) override;
    void InternalDelete(const TDataRecord& record) override;

  private:
    friend class TADOConnection;
    void ConnectionDestroyed();
    TADOConnection& RequireConnection() const;
    // The text as the application wrote it, without its last line break.
    std::string StatementText() const;
    // Prepares the text of SQL; raises, before running anything, when it is not one statement that
    // returns rows.
    void RunSelect(bool defineFields);
    void DefineFields(const TSqliteStatement& statement);
    void ReadRow(const TSqliteStatement& statement, TDataRecord& record);
    std::string QuotedTable() const;
    std::string QuotedColumn(int field) const;
    // Reads the written row back, so the record holds what the database stored.
    void ReloadRecord(TDataRecord& record);

    TADOConnection* FConnection = nullptr;
    TCursorType FCursorType = ctKeyset;
    TADOLockType FLockType = ltOptimistic;
    TStringList FSQL;
    // Of the open result: the table its rows belong to (empty when they cannot be written back), the
    // result column of each field and the table column it comes from.
    std::string FTable;
    int FFirstColumn = 0;
    std::vector<std::string> FColumns;
    // The kind of each field, and the values of the row being read.
    std::vector<TFieldType> FTypes;
    std::vector<std::optional<std::string_view>> FRowViews;
    // Packs the rows read, reusing the blocks of the result before.
    TRecordPacker FPacker;
};
