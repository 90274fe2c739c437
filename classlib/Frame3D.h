#pragma once
#include "classlib/Canvas.h"

// The classic raised or sunken edge: `width` rings of top-left and bottom-right colours drawn inside the
// rectangle, which shrinks by the width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
