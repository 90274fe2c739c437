#include "classlib/TextAlignment.h"

#include "classlib/Font.h"
#include "platform/DC.h"
#include "platform/Utf8.h"

#include <cwctype>

TRect MeasureText(const TFont* font, std::string_view text, TRect rect, unsigned format) {
    // Measuring draws nothing: a DC on one pixel will do, without a bitmap and its canvas each time (a list
    // box measures its line at every item it places).
    TSurface scratch(1, 1);
    TDC dc(scratch);
    dc.SetFont(font ? font->Desc() : TFont().Desc());
    dc.DrawText(text, rect, format | DT_CALCRECT);
    return rect;
}

bool IsAccel(char32_t key, std::string_view caption) {
    size_t pos = 0;
    while (pos < caption.size()) {
        char32_t c = DecodeUtf8(caption, pos);
        if (c != U'&' || pos >= caption.size()) continue;
        char32_t next = DecodeUtf8(caption, pos);
        if (next == U'&') continue; // "&&" is a literal ampersand
        return std::towlower(wint_t(next)) == std::towlower(wint_t(key));
    }
    return false;
}
