#pragma once
#include <optional>
#include <string>
#include <string_view>

// Reading statement texts as SQLite would, without running them: literals, quoted names and comments are
// skipped, so words inside them never count.

// The one translation the engine needs: "DELETE * FROM" (any letter case) becomes "DELETE FROM".
std::string TranslateStatement(std::string_view sql);

// True when the text holds nothing but blanks, comments and semicolons: what may follow the one statement.
bool IsEmptyStatementTail(std::string_view tail);

// A SELECT whose rows are rows of one table: one table (optionally aliased) after FROM, no DISTINCT, no
// join, grouping or compound. Its rewriting also selects the row identity as the first column.
struct TSingleTableSelect {
    std::string Rewritten;
};
std::optional<TSingleTableSelect> ReadSingleTableSelect(std::string_view sql);
