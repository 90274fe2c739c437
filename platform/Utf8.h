#pragma once
#include <cstddef>
#include <string_view>

// UTF-8 walked by characters. Decoding never reads past the end of the text, and every malformed sequence
// (a stray continuation byte, a truncated, overlong or surrogate sequence, a value past U+10FFFF) reads as
// one U+FFFD, so a character is never cut in two and bad bytes never stop the walk.
constexpr char32_t ReplacementChar = 0xFFFD;

// The character at `pos`; moves `pos` past it (at least one byte). `pos` must be inside the text.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
// The number of characters in the text.
size_t Utf8Length(std::string_view text);
