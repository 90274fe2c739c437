#pragma once
#include "classlib/TypInfo.h"

// How a text lies in its box, for layouts and code alike.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;
VMR_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
