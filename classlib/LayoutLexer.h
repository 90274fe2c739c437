#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Tokens of the layout text format. Strings are decoded: quoted parts, '' for a quote and #nnn character
// codes (as UTF-8), written side by side, make one string.
enum class TLayoutToken { End, Ident, Integer, Float, String, Binary, Symbol };

struct TLayoutTokenValue {
    TLayoutToken Kind = TLayoutToken::End;
    int Line = 1;
    std::string_view Text; // as written (identifiers, numbers, symbols)
    std::string String;
    int64_t Integer = 0;
    double Float = 0;
    std::vector<uint8_t> Bytes;
};

class TLayoutLexer {
public:
    TLayoutLexer(std::string_view source, std::string layoutName);

    const TLayoutTokenValue& Token() const { return FToken; }
    void Next();
    bool IsSymbol(char c) const { return FToken.Kind == TLayoutToken::Symbol && FToken.Text[0] == c; }
    // Keywords (object, end, item, True ...) are identifiers compared without regard to case.
    bool IsIdent(std::string_view word) const;
    // The token as an error message shows it.
    std::string Describe() const;

    // EReadError "<layout>(<line>): <message>".
    [[noreturn]] void Error(int line, const std::string& message) const;
    const std::string& LayoutName() const { return FLayoutName; }

private:
    char Peek(size_t ahead = 0) const { return FPos + ahead < FSource.size() ? FSource[FPos + ahead] : '\0'; }
    void SkipBlanks();
    void ReadIdent();
    void ReadNumber();
    void ReadString();
    void ReadCharCode();
    void ReadBinary();

    std::string_view FSource;
    std::string FLayoutName;
    size_t FPos = 0;
    int FLine = 1;
    TLayoutTokenValue FToken;
};
