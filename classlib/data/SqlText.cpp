#include "classlib/data/SqlText.h"

#include "classlib/SysUtils.h"

#include <vector>

namespace {
enum class TTokenKind { Word, Name, Literal, Symbol };

struct TToken {
    TTokenKind Kind;
    size_t Begin;
    size_t End;
};

bool IsWordChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' ||
           u == '$' || u >= 0x80;
}

// The end of a literal or quoted name opened at begin by quote and closed by close; a doubled closing quote
// stands for itself.
size_t QuotedEnd(std::string_view sql, size_t begin, char close) {
    size_t i = begin + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

std::vector<TToken> Tokenize(std::string_view sql) {
    std::vector<TToken> tokens;
    size_t i = 0;
    while (i < sql.size()) {
        char c = sql[i];
        if (static_cast<unsigned char>(c) <= ' ') {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            size_t end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end + 1;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (c == '\'') {
            size_t end = QuotedEnd(sql, i, '\'');
            tokens.push_back({TTokenKind::Literal, i, end});
            i = end;
        } else if (c == '"' || c == '`' || c == '[') {
            size_t end = QuotedEnd(sql, i, c == '[' ? ']' : c);
            tokens.push_back({TTokenKind::Name, i, end});
            i = end;
        } else if (IsWordChar(c)) {
            size_t end = i;
            while (end < sql.size() && IsWordChar(sql[end]))
                ++end;
            tokens.push_back({TTokenKind::Word, i, end});
            i = end;
        } else {
            tokens.push_back({TTokenKind::Symbol, i, i + 1});
            ++i;
        }
    }
    return tokens;
}

std::string_view TextOf(std::string_view sql, const TToken& token) {
    return sql.substr(token.Begin, token.End - token.Begin);
}

bool IsWord(std::string_view sql, const TToken& token, std::string_view word) {
    return token.Kind == TTokenKind::Word && SameText(TextOf(sql, token), word);
}

bool IsSymbol(std::string_view sql, const TToken& token, char symbol) {
    return token.Kind == TTokenKind::Symbol && sql[token.Begin] == symbol;
}

bool IsAnyWord(std::string_view sql, const TToken& token, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (IsWord(sql, token, word)) return true;
    }
    return false;
}
} // namespace

std::string TranslateStatement(std::string_view sql) {
    std::vector<TToken> tokens = Tokenize(sql);
    std::string result;
    size_t copied = 0;
    for (size_t i = 0; i + 2 < tokens.size(); ++i) {
        if (IsWord(sql, tokens[i], "DELETE") && IsSymbol(sql, tokens[i + 1], '*') &&
            IsWord(sql, tokens[i + 2], "FROM")) {
            result.append(sql.substr(copied, tokens[i + 1].Begin - copied));
            copied = tokens[i + 2].Begin;
        }
    }
    result.append(sql.substr(copied));
    return result;
}

bool IsEmptyStatementTail(std::string_view tail) {
    for (const TToken& token : Tokenize(tail)) {
        if (!IsSymbol(tail, token, ';')) return false;
    }
    return true;
}

std::optional<TSingleTableSelect> ReadSingleTableSelect(std::string_view sql) {
    std::vector<TToken> tokens = Tokenize(sql);
    while (!tokens.empty() && IsSymbol(sql, tokens.back(), ';'))
        tokens.pop_back();
    if (tokens.size() < 4 || !IsWord(sql, tokens[0], "SELECT") ||
        IsAnyWord(sql, tokens[1], {"DISTINCT", "ALL"})) {
        return std::nullopt;
    }
    // Only words outside parentheses belong to this SELECT; subqueries are left alone.
    std::vector<size_t> top;
    int depth = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (IsSymbol(sql, tokens[i], '(')) ++depth;
        if (depth == 0) top.push_back(i);
        if (IsSymbol(sql, tokens[i], ')') && --depth < 0) return std::nullopt;
    }
    size_t from = 0;
    while (from < top.size() && !IsWord(sql, tokens[top[from]], "FROM"))
        ++from;
    if (from + 1 >= top.size()) return std::nullopt;
    const TToken& table = tokens[top[from + 1]];
    if (table.Kind != TTokenKind::Word && table.Kind != TTokenKind::Name) return std::nullopt;
    size_t next = from + 2;
    const TToken* alias = nullptr;
    if (next < top.size() && IsWord(sql, tokens[top[next]], "AS")) ++next;
    if (next < top.size() && !IsAnyWord(sql, tokens[top[next]], {"WHERE", "ORDER", "LIMIT"}) &&
        (tokens[top[next]].Kind == TTokenKind::Word || tokens[top[next]].Kind == TTokenKind::Name)) {
        alias = &tokens[top[next++]];
    }
    if (next < top.size() && !IsAnyWord(sql, tokens[top[next]], {"WHERE", "ORDER", "LIMIT"}))
        return std::nullopt;
    for (size_t i = next; i < top.size(); ++i) {
        if (IsAnyWord(sql, tokens[top[i]],
                      {"GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT", "WINDOW", "FROM"})) {
            return std::nullopt;
        }
    }
    std::string qualifier(TextOf(sql, alias ? *alias : table));
    std::string rewritten(sql.substr(0, tokens[0].End));
    rewritten += " " + qualifier + ".rowid AS vmr_rowid,";
    rewritten += sql.substr(tokens[0].End);
    return TSingleTableSelect{std::move(rewritten)};
}
