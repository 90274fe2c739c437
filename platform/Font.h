#pragma once
#include "platform/Color.h"
#include "platform/Geometry.h"

#include <string>
#include <string_view>

// What a device context's font is: the platform's logical font, by value.
struct TFontDesc {
    std::string Name = "MS Sans Serif";
    // Negative: the character height in pixels at 96 dpi; positive: the cell height; 0: a default of -11.
    int Height = -11;
    int Weight = 400; // 700 and above is bold
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
    bool Bold() const { return Weight >= 600; }
};

struct TTextMetric {
    int Height = 0;          // ascent + descent
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0; // cell height less character height
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};
