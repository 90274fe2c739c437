#pragma once
#include <SDL_video.h>

#include <memory>

struct TSdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
// An SDL window that goes with its owner.
using TSdlWindowHandle = std::unique_ptr<SDL_Window, TSdlWindowDeleter>;
