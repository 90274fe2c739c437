#pragma once
#include "platform/Color.h"

#include <string>
#include <string_view>

// The names of the colour constants (clBlack ... clBtnFace ...), as layouts and the original's
// ColorToString write them.
bool IdentToColor(std::string_view ident, TColor& color);
// False when the colour has no name.
bool ColorToIdent(TColor color, std::string& ident);
// A name, or the value as "$00BBGGRR".
std::string ColorToString(TColor color);
// A name or an integer ($hex or decimal); raises EConvertError naming the text.
TColor StringToColor(std::string_view text);
