#pragma once
#include "platform/Geometry.h"

#include <vector>

struct SDL_Window;

// What SDL does not offer for its X11 windows.

// Gives an SDL window on X11 the shape of `rects` (window coordinates, y-x banded), or its whole rectangle
// again when `rects` is null. Returns false, changing nothing, where the display has no shape extension or
// the window is not an X11 one.
bool SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects);

// Where the pointer is on the screen, asked of the X server of `window` (SDL's own answer can lag behind
// pointer moves made by other programs). False where the window is not an X11 one.
bool QueryX11Pointer(SDL_Window* window, TPoint& screenPos);
