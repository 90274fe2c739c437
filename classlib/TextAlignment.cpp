#include "classlib/TextAlignment.h"

#include "classlib/Bitmap.h"

TRect MeasureText(const TFont* font, std::string_view text, TRect rect, unsigned format) {
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(font);
    scratch.Canvas()->Handle()->DrawText(text, rect, format | DT_CALCRECT);
    return rect;
}
