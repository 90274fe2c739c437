#pragma once
#include "classlib/ShiftState.h"
#include "platform/Messages.h"

#include <string>
#include <string_view>

// A key with its modifiers in one number: the virtual key in the low byte, scShift, scCtrl and scAlt above.
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+D", "Shift+Ctrl+F1", "Del"; empty for scNone or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, ignoring case and blanks around the parts; scNone for a text it does not understand.
TShortCut TextToShortCut(std::string_view text);
