#pragma once
#include "tools/skinart/Art.h"

// Shapes shared by the title bar and the About window, so the book and the stars look alike at every size.
namespace art {

// A four-pointed star; `waist` is the inner radius as a share of the outer one.
TField Sparkle(TPt centre, float radius, float waist = 0.28f);

enum class TPageSide { Left, Right };
// A point on one page of a book lying open in `box`, the spine at the box's centre: `across` runs from the
// page's outer edge (0) to the spine (1), `down` from its top (0) to its bottom (1). The outer corners stand
// higher than the spine, so lines of writing drawn through these points follow the page's curve.
TPt PagePoint(TBox box, TPageSide side, float across, float down);
TField OpenBookPage(TBox box, TPageSide side);
// The point at t (0 to 1) of a quadratic curve from `a` to `b` pulled towards `control`.
TPt QuadPoint(TPt a, TPt control, TPt b, float t);

// Smooth noise in [0, 1] on a grid of `cell` pixels; the same for the same seed every run.
float ValueNoise(float x, float y, float cell, unsigned seed);

} // namespace art
