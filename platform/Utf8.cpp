#include "platform/Utf8.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the sequence a lead byte starts and the payload bits it carries; 0 for a byte no sequence starts.
int SequenceLength(unsigned char lead, char32_t& bits) {
    if (lead < 0x80) return bits = lead, 1;
    if (lead >= 0xC2 && lead <= 0xDF) return bits = lead & 0x1F, 2;
    if (lead >= 0xE0 && lead <= 0xEF) return bits = lead & 0x0F, 3;
    if (lead >= 0xF0 && lead <= 0xF4) return bits = lead & 0x07, 4;
    return 0;
}

// The smallest value each length may encode, so overlong forms are refused.
constexpr char32_t MinValue[] = {0, 0, 0x80, 0x800, 0x10000};

} // namespace

char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    char32_t value = 0;
    const int length = SequenceLength(static_cast<unsigned char>(text[pos++]), value);
    if (length == 0) return ReplacementChar;
    for (int i = 1; i < length; ++i) {
        // A truncated sequence is skipped up to the byte that broke it, which starts the next character.
        if (pos >= text.size() || !IsContinuation(static_cast<unsigned char>(text[pos])))
            return ReplacementChar;
        value = value << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    if (value < MinValue[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return ReplacementChar;
    return value;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        DecodeUtf8(text, pos);
    return count;
}
