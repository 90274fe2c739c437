#pragma once
#include "classlib/TypInfo.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using enum TEditCharCase;
VMR_ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

// The text, caret, selection, clipboard and undo of an edit control, without a window. Positions are byte
// offsets of the UTF-8 text and always lie between two characters; a multi-line text breaks its lines with
// "\r\n", which the caret steps over as one character. Limits and case apply to what the user enters;
// text set by code is taken as it is (only the case applies, as the platform converts every text).
class TTextEditCore {
  public:
    explicit TTextEditCore(bool multiLine = false) : FMultiLine(multiLine) {}

    const std::string& Text() const { return FText; }
    // Text from code: the caret goes to the start, the undo is forgotten and Modified is cleared.
    void SetText(std::string_view text);
    // A text as this control keeps it: its line breaks and letter case.
    std::string Normalized(std::string_view text) const;

    size_t Caret() const { return FCaret; }
    size_t Anchor() const { return FAnchor; }
    size_t SelStart() const { return std::min(FCaret, FAnchor); }
    size_t SelEnd() const { return std::max(FCaret, FAnchor); }
    bool HasSelection() const { return FCaret != FAnchor; }
    std::string SelText() const { return FText.substr(SelStart(), SelEnd() - SelStart()); }
    // Both ends are clamped to the text and moved back to a character start.
    void Select(size_t anchor, size_t caret);
    void MoveCaret(size_t pos, bool extend) { Select(extend ? FAnchor : pos, pos); }
    void SelectAll() { Select(0, FText.size()); }
    // Selection in characters, as SelStart and SelLength count them.
    size_t CharIndex(size_t offset) const;
    size_t OffsetOfChar(size_t charIndex) const;

    // Neighbouring positions: one character (a line break counts as one), or a word start.
    size_t NextChar(size_t pos) const;
    size_t PrevChar(size_t pos) const;
    size_t NextWord(size_t pos) const;
    size_t PrevWord(size_t pos) const;
    // The word (or run of blanks) around a position, for a double-click.
    void WordAt(size_t pos, size_t& start, size_t& end) const;

    // Editing as the user does it; each returns whether the text changed. Read-only refuses them all.
    bool Type(char32_t ch);
    bool InsertText(std::string_view text); // replaces the selection, within MaxLength
    bool DeleteBack();                      // Backspace
    bool DeleteForward();                   // Delete
    bool Cut();
    void Copy() const;
    bool Paste();
    bool Clear(); // deletes the selection
    bool Undo();  // one level; undoing again redoes
    bool CanUndo() const { return FHasUndo; }
    void ClearUndo() { FHasUndo = false; }

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = std::max(value, 0); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    TEditCharCase CharCase() const { return FCharCase; }
    // Converts the text already there, as the platform does when the style changes.
    void SetCharCase(TEditCharCase value);
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool MultiLine() const { return FMultiLine; }

  private:
    // Puts `text` in place of [start, end) and leaves the caret after it, keeping one undo step; a typing
    // run continues the step of the characters typed just before.
    bool Replace(size_t start, size_t end, std::string_view text, bool typingRun);
    bool IsBreakAt(size_t pos) const { return pos + 1 < FText.size() && FText[pos] == '\r' && FText[pos + 1] == '\n'; }
    size_t Snap(size_t pos) const;

    std::string FText;
    size_t FCaret = 0;
    size_t FAnchor = 0;
    bool FMultiLine;
    int FMaxLength = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    bool FModified = false;

    bool FHasUndo = false;
    std::string FUndoText;
    size_t FUndoCaret = 0;
    size_t FUndoAnchor = 0;
    bool FTyping = false; // the last change was a typed character at the caret
};

// Case mapping of a UTF-8 text for Latin letters (ASCII, Latin-1 and Latin Extended-A), which covers the
// languages the program is written for.
std::string Utf8ToUpper(std::string_view text);
std::string Utf8ToLower(std::string_view text);
