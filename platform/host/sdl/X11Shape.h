#pragma once
#include "platform/Geometry.h"

#include <vector>

struct SDL_Window;

// Gives an SDL window on X11 the shape of `rects` (window coordinates, y-x banded), or its whole rectangle
// again when `rects` is null. Returns false, changing nothing, where the display has no shape extension or
// the window is not an X11 one.
bool SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects);
