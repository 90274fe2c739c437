#pragma once
#include "classlib/Set.h"
#include "classlib/TypInfo.h"

// Which modifier keys and mouse buttons are down, as key and mouse events report them.
enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using enum TShiftStateFlag;
VMR_ENUM_NAMES(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble")
using TShiftState = TSet<TShiftStateFlag>;
