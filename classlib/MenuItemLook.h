#pragma once
#include "platform/Geometry.h"

class TCanvas;
class TFont;
class TMenuItem;

// The platform's own look of menu items, for items that do not draw themselves.

// Makes the font the platform's menu font (its name, height and colour).
void ApplyMenuFont(TFont& font);
// The item's size on a canvas carrying the menu font: caption, shortcut, the image and check column and the
// sub-menu arrow; separators are low.
TSize MeasureMenuItem(const TMenuItem& item, TCanvas& canvas);
// Highlight when selected, grey embossed text when disabled, check marks, images, the shortcut right-aligned,
// "&" underlines and the sub-menu arrow.
void DrawMenuItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected);
