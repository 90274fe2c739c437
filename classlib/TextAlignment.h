#pragma once
#include "classlib/TypInfo.h"
#include "platform/DC.h"

// Where a control's text sits across and down its rectangle.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;
VMR_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;
VMR_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom")

// The DrawText flag of a horizontal alignment.
constexpr unsigned AlignmentFlag(TAlignment alignment) {
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}

class TFont;
// The rectangle DrawText would fill with `format`, computed off-screen in the font (no window needed).
TRect MeasureText(const TFont* font, std::string_view text, TRect rect, unsigned format);
