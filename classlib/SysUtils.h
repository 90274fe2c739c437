#pragma once
#include "platform/Utf8.h" // Utf8Length: the platform's, which counts characters as text drawing does

#include <cstdint>
#include <string>
#include <string_view>

// The line break that texts of string lists and memos use, as the original system wrote them.
inline constexpr std::string_view sLineBreak = "\r\n";

// Removes the characters up to blank (controls and spaces) at both ends, or at one end.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII letters only, as the original: other bytes stay as they are.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Case-insensitive (ASCII) comparison: <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

std::string IntToStr(int64_t value);
// Accepts blanks before, a sign, decimal or $hex digits; raises EConvertError "'x' is not a valid integer value".
int StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int fallback);
bool TryStrToInt64(std::string_view s, int64_t& value);

// Letters, digits and underscores, not starting with a digit.
bool IsValidIdent(std::string_view s);

// True only for an existing regular file (a folder is not a file).
bool FileExists(const std::string& path);
// Both '/' and '\\' separate folders. The path keeps its trailing separator.
std::string ExtractFilePath(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
// The running program's executable and its folder (with a trailing '/').
std::string ExeName();
std::string ExeFolder();
// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR, set or in user-dirs.dirs), else
// Documenti or Documents in the home folder where one is there, else the home folder; no trailing '/'.
std::string DocumentsFolder();

// UTF-8 texts are counted in Unicode characters; these never cut a character in two.
// The byte offset of the character with the 0-based index, or s.size() past the end.
size_t Utf8Offset(std::string_view s, size_t charIndex);
// Characters index (1-based, as the original's Copy) to index + count - 1.
std::string Utf8Copy(std::string_view s, size_t index, size_t count);
std::string Utf8Encode(char32_t codePoint);
