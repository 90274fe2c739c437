#include "classlib/LayoutLexer.h"

#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <cstdlib>

namespace {
bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

TLayoutLexer::TLayoutLexer(std::string_view source, std::string layoutName)
    : FSource(source), FLayoutName(std::move(layoutName)) {
    Next();
}

bool TLayoutLexer::IsIdent(std::string_view word) const {
    return FToken.Kind == TLayoutToken::Ident && SameText(FToken.Text, word);
}

std::string TLayoutLexer::Describe() const {
    switch (FToken.Kind) {
    case TLayoutToken::End: return "the end of the layout";
    case TLayoutToken::Ident: return std::string(FToken.Text);
    case TLayoutToken::String: return "'" + FToken.String + "'";
    case TLayoutToken::Binary: return "binary data";
    default: break;
    }
    std::string quoted = "'";
    quoted += FToken.Text;
    quoted += '\'';
    return quoted;
}

void TLayoutLexer::Error(int line, const std::string& message) const {
    throw EReadError(FLayoutName + "(" + std::to_string(line) + "): " + message);
}

void TLayoutLexer::SkipBlanks() {
    while (FPos < FSource.size() && static_cast<unsigned char>(FSource[FPos]) <= ' ') {
        if (FSource[FPos] == '\n') ++FLine;
        ++FPos;
    }
}

void TLayoutLexer::Next() {
    SkipBlanks();
    FToken = TLayoutTokenValue{};
    FToken.Line = FLine;
    if (FPos >= FSource.size()) return;
    char c = Peek();
    if (IsIdentStart(c)) {
        ReadIdent();
    } else if (IsDigit(c) || c == '$') {
        ReadNumber();
    } else if (c == '\'' || c == '#') {
        ReadString();
    } else if (c == '{') {
        ReadBinary();
    } else if (std::string_view("=:.,+-[]()<>").find(c) != std::string_view::npos) {
        FToken.Kind = TLayoutToken::Symbol;
        FToken.Text = FSource.substr(FPos++, 1);
    } else {
        Error(FLine, "unexpected character '" + std::string(1, c) + "'");
    }
}

void TLayoutLexer::ReadIdent() {
    size_t start = FPos;
    while (IsIdentChar(Peek())) ++FPos;
    FToken.Kind = TLayoutToken::Ident;
    FToken.Text = FSource.substr(start, FPos - start);
}

void TLayoutLexer::ReadNumber() {
    size_t start = FPos;
    if (Peek() == '$') {
        ++FPos;
        while (HexValue(Peek()) >= 0) ++FPos;
    } else {
        while (IsDigit(Peek())) ++FPos;
        if (Peek() == '.' && IsDigit(Peek(1))) {
            ++FPos;
            while (IsDigit(Peek())) ++FPos;
            FToken.Kind = TLayoutToken::Float;
        }
        if ((Peek() == 'e' || Peek() == 'E') && (IsDigit(Peek(1)) || ((Peek(1) == '-' || Peek(1) == '+') && IsDigit(Peek(2))))) {
            FPos += 2;
            while (IsDigit(Peek())) ++FPos;
            FToken.Kind = TLayoutToken::Float;
        }
    }
    FToken.Text = FSource.substr(start, FPos - start);
    if (IsIdentChar(Peek())) Error(FLine, "invalid number " + std::string(FToken.Text) + Peek());
    if (FToken.Kind == TLayoutToken::Float) {
        FToken.Float = std::strtod(std::string(FToken.Text).c_str(), nullptr);
        return;
    }
    FToken.Kind = TLayoutToken::Integer;
    if (!TryStrToInt64(FToken.Text, FToken.Integer)) Error(FLine, "invalid number " + std::string(FToken.Text));
}

void TLayoutLexer::ReadString() {
    FToken.Kind = TLayoutToken::String;
    size_t start = FPos;
    while (Peek() == '\'' || Peek() == '#') {
        if (Peek() == '#') {
            ReadCharCode();
            continue;
        }
        ++FPos;
        for (;;) {
            if (FPos >= FSource.size() || Peek() == '\n' || Peek() == '\r') Error(FLine, "unterminated string");
            if (Peek() == '\'') {
                if (Peek(1) != '\'') break;
                ++FPos;
            }
            FToken.String += FSource[FPos++];
        }
        ++FPos;
    }
    FToken.Text = FSource.substr(start, FPos - start);
}

void TLayoutLexer::ReadCharCode() {
    size_t start = ++FPos;
    bool hex = Peek() == '$';
    if (hex) ++FPos;
    while (hex ? HexValue(Peek()) >= 0 : IsDigit(Peek())) ++FPos;
    int64_t code = -1;
    std::string_view digits = FSource.substr(start, FPos - start);
    if (!TryStrToInt64(digits, code) || code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        Error(FLine, "invalid character code #" + std::string(digits));
    }
    FToken.String += Utf8Encode(char32_t(code));
}

void TLayoutLexer::ReadBinary() {
    int startLine = FLine;
    size_t start = ++FPos;
    int high = -1;
    for (;; ++FPos) {
        char c = Peek();
        if (FPos >= FSource.size()) Error(startLine, "binary data without its closing '}'");
        if (c == '}') break;
        if (c == '\n') ++FLine;
        if (static_cast<unsigned char>(c) <= ' ') continue;
        int v = HexValue(c);
        if (v < 0) Error(FLine, "invalid character '" + std::string(1, c) + "' in binary data");
        if (high < 0) {
            high = v;
        } else {
            FToken.Bytes.push_back(uint8_t(high << 4 | v));
            high = -1;
        }
    }
    if (high >= 0) Error(startLine, "binary data with an odd number of hex digits");
    ++FPos;
    FToken.Kind = TLayoutToken::Binary;
    FToken.Text = FSource.substr(start - 1, FPos - start + 1);
    FToken.Line = startLine;
}
