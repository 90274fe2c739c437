#pragma once
// Small builders shared by the graphics tests.
#include "classlib/Bitmap.h"
#include "platform/Exception.h"

#include <initializer_list>
#include <string>

// A bitmap whose rows hold the given colours.
inline void FillRows(TBitmap& bitmap, std::initializer_list<std::initializer_list<TColor>> rows) {
    bitmap.SetSize(int(rows.begin()->size()), int(rows.size()));
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (TColor c : row)
            bitmap.Surface().SetPixel(x++, y, RGBToPixel(c));
        ++y;
    }
}

inline TColor PixelAt(const TBitmap& bitmap, int x, int y) {
    return PixelToColor(bitmap.Surface().Pixel(x, y));
}

// Counts the notifications of the OnChange events it is given to.
struct Counted {
    int Changes = 0;
    TNotifyEvent Handler() {
        return [this](TObject*) { ++Changes; };
    }
};

template <class F> std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}
