#include "classlib/TextEditCore.h"

#include "classlib/SysUtils.h"
#include "platform/Services.h"
#include "platform/Utf8.h"

namespace {

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c < 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddLower ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
    }
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c < 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddLower ? (c % 2 == 1) : (c % 2 == 0)) return c + 1;
    }
    return c;
}

template <class F>
std::string MapChars(std::string_view text, F map) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        char32_t c = DecodeUtf8(text, pos);
        char32_t mapped = map(c);
        if (mapped == c)
            out.append(text.substr(start, pos - start)); // malformed bytes stay as they were
        else
            out += Utf8Encode(mapped);
    }
    return out;
}

bool IsWordChar(char32_t c) {
    return c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 32) >= 'a' && (c | 32) <= 'z');
}

} // namespace

std::string Utf8ToUpper(std::string_view text) {
    return MapChars(text, ToUpper);
}

std::string Utf8ToLower(std::string_view text) {
    return MapChars(text, ToLower);
}

// ---- positions -------------------------------------------------------------------------------------------

size_t TTextEditCore::NextChar(size_t pos) const {
    if (pos >= FText.size()) return FText.size();
    if (IsBreakAt(pos)) return pos + 2;
    DecodeUtf8(FText, pos);
    return pos;
}

size_t TTextEditCore::PrevChar(size_t pos) const {
    if (pos == 0) return 0;
    pos = std::min(pos, FText.size());
    if (pos >= 2 && IsBreakAt(pos - 2)) return pos - 2;
    // The lead byte before the continuation bytes that end at `pos`, when it decodes to exactly them; a
    // malformed byte stands alone.
    size_t lead = pos - 1;
    while (lead > 0 && pos - lead < 4 && (static_cast<unsigned char>(FText[lead]) & 0xC0) == 0x80)
        --lead;
    size_t end = lead;
    DecodeUtf8(FText, end);
    if (end == pos) return lead;
    return pos - 1;
}

size_t TTextEditCore::Snap(size_t pos) const {
    pos = std::min(pos, FText.size());
    size_t p = 0;
    while (p < pos) {
        size_t next = NextChar(p);
        if (next > pos) return p;
        p = next;
    }
    return p;
}

size_t TTextEditCore::CharIndex(size_t offset) const {
    return Utf8Length(std::string_view(FText).substr(0, std::min(offset, FText.size())));
}

size_t TTextEditCore::OffsetOfChar(size_t charIndex) const {
    return Utf8Offset(FText, charIndex);
}

namespace {
char32_t CharAt(const std::string& text, size_t pos) {
    return pos < text.size() ? DecodeUtf8(text, pos) : 0;
}
} // namespace

size_t TTextEditCore::NextWord(size_t pos) const {
    size_t end = FText.size();
    if (pos >= end) return end;
    if (IsBreakAt(pos)) return pos + 2;
    while (pos < end && IsWordChar(CharAt(FText, pos)))
        pos = NextChar(pos);
    while (pos < end && !IsBreakAt(pos) && !IsWordChar(CharAt(FText, pos)))
        pos = NextChar(pos);
    return pos;
}

size_t TTextEditCore::PrevWord(size_t pos) const {
    if (pos == 0) return 0;
    if (pos >= 2 && IsBreakAt(pos - 2)) return pos - 2;
    while (pos > 0 && !IsBreakAt(PrevChar(pos)) && !IsWordChar(CharAt(FText, PrevChar(pos))))
        pos = PrevChar(pos);
    while (pos > 0 && IsWordChar(CharAt(FText, PrevChar(pos))))
        pos = PrevChar(pos);
    return pos;
}

void TTextEditCore::WordAt(size_t pos, size_t& start, size_t& end) const {
    pos = Snap(pos);
    start = end = pos;
    if (pos >= FText.size() || IsBreakAt(pos)) {
        if (pos > 0 && IsWordChar(CharAt(FText, PrevChar(pos)))) start = PrevWord(pos);
        return;
    }
    bool word = IsWordChar(CharAt(FText, pos));
    auto same = [&](size_t p) { return !IsBreakAt(p) && IsWordChar(CharAt(FText, p)) == word; };
    while (start > 0 && same(PrevChar(start)))
        start = PrevChar(start);
    while (end < FText.size() && same(end))
        end = NextChar(end);
}

// ---- text and selection ----------------------------------------------------------------------------------

void TTextEditCore::SetText(std::string_view text) {
    FText = Normalized(text);
    FCaret = FAnchor = 0;
    FHasUndo = false;
    FTyping = false;
    FModified = false;
}

void TTextEditCore::Select(size_t anchor, size_t caret) {
    FAnchor = Snap(anchor);
    FCaret = Snap(caret);
    FTyping = false;
}

void TTextEditCore::SetCharCase(TEditCharCase value) {
    FCharCase = value;
    std::string converted = Normalized(FText);
    if (converted.size() == FText.size()) {
        FText = std::move(converted);
        return;
    }
    FText = std::move(converted); // a letter changed its length: keep the caret on a boundary
    Select(FAnchor, FCaret);
}

std::string TTextEditCore::Normalized(std::string_view text) const {
    // The control's text is a C string, as in the platform's edit: a NUL ends it.
    text = text.substr(0, text.find('\0'));
    std::string out;
    if (FMultiLine) {
        // Every break the user or code brings (\n, \r or \r\n) becomes the platform's \r\n.
        // Long memo texts are copied a line at a time, the breaks found by the library's fast search.
        out.reserve(text.size());
        size_t cr = text.find('\r'), lf = text.find('\n');
        for (size_t i = 0;;) {
            const size_t end = std::min({cr, lf, text.size()});
            out.append(text, i, end - i);
            if (end == text.size()) break;
            out += "\r\n";
            i = end + (end == cr && lf == end + 1 ? 2 : 1);
            if (cr < i) cr = text.find('\r', i);
            if (lf < i) lf = text.find('\n', i);
        }
    } else {
        // A single line keeps the text before its first break.
        out = text.substr(0, text.find_first_of("\r\n"));
    }
    switch (FCharCase) {
    case ecUpperCase: return Utf8ToUpper(out);
    case ecLowerCase: return Utf8ToLower(out);
    case ecNormal: break;
    }
    return out;
}

// ---- editing ---------------------------------------------------------------------------------------------

bool TTextEditCore::Replace(size_t start, size_t end, std::string_view text, bool typingRun) {
    std::string insert = Normalized(text);
    if (FMaxLength > 0) {
        size_t kept = Utf8Length(FText) - Utf8Length(std::string_view(FText).substr(start, end - start));
        size_t room = kept >= size_t(FMaxLength) ? 0 : size_t(FMaxLength) - kept;
        if (Utf8Length(insert) > room) insert.resize(Utf8Offset(insert, room));
    }
    if (insert.empty() && start == end) return false;
    if (!(typingRun && FTyping && FHasUndo)) {
        FUndoText = FText;
        FUndoCaret = FCaret;
        FUndoAnchor = FAnchor;
        FHasUndo = true;
    }
    FText.replace(start, end - start, insert);
    FCaret = FAnchor = start + insert.size();
    FTyping = typingRun;
    FModified = true;
    return true;
}

bool TTextEditCore::Type(char32_t ch) {
    if (FReadOnly) return false;
    std::string text = ch == '\r' ? std::string("\r\n") : Utf8Encode(ch);
    return Replace(SelStart(), SelEnd(), text, true);
}

bool TTextEditCore::InsertText(std::string_view text) {
    if (FReadOnly) return false;
    return Replace(SelStart(), SelEnd(), text, false);
}

bool TTextEditCore::DeleteBack() {
    if (FReadOnly) return false;
    if (HasSelection()) return Replace(SelStart(), SelEnd(), {}, false);
    if (FCaret == 0) return false;
    return Replace(PrevChar(FCaret), FCaret, {}, false);
}

bool TTextEditCore::DeleteForward() {
    if (FReadOnly) return false;
    if (HasSelection()) return Replace(SelStart(), SelEnd(), {}, false);
    if (FCaret >= FText.size()) return false;
    return Replace(FCaret, NextChar(FCaret), {}, false);
}

bool TTextEditCore::Clear() {
    if (FReadOnly || !HasSelection()) return false;
    return Replace(SelStart(), SelEnd(), {}, false);
}

void TTextEditCore::Copy() const {
    if (HasSelection()) SetClipboardText(SelText());
}

bool TTextEditCore::Cut() {
    if (FReadOnly || !HasSelection()) return false;
    Copy();
    return Clear();
}

bool TTextEditCore::Paste() {
    return InsertText(GetClipboardText());
}

bool TTextEditCore::Undo() {
    if (FReadOnly || !FHasUndo) return false;
    std::swap(FText, FUndoText);
    std::swap(FCaret, FUndoCaret);
    std::swap(FAnchor, FUndoAnchor);
    FTyping = false;
    FModified = true;
    return true;
}
