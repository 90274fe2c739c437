#pragma once
#include "tools/skinart/Art.h"

// The symbols drawn on buttons, each scaled to fit the box it is given.
namespace art {

enum class TGlyph {
    Menu,
    Help,
    Maximise,
    Restore,
    Minimise,
    Close, // title bar
    Up,
    Down,
    Left,
    Right, // arrows
    Check,
    Dot, // check box and radio button marks
    ChevronsUp,
    ChevronsDown, // panel roll button
    First,
    Prior,
    Next,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh // navigator
};

// `stroke` is the line width in pixels for the line glyphs; filled glyphs ignore it.
TField GlyphShape(TGlyph glyph, TBox box, float stroke);
void DrawGlyph(TCanvas& canvas, TGlyph glyph, TBox box, float stroke, TRGB color, float opacity = 1);

} // namespace art
