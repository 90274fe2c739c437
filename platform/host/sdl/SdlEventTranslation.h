#pragma once
#include "platform/host/Host.h"

#include <SDL_events.h>

#include <functional>
#include <optional>

// Where an SDL window is: the surface it belongs to and its client origin on the screen.
struct TSdlWindowPlace {
    THostSurface* Surface = nullptr;
    TPoint Origin;
};
using TSdlWindowLookup = std::function<std::optional<TSdlWindowPlace>(Uint32 windowID)>;

// The host event for an SDL event, in screen coordinates; a None event for what the window system does not
// need (or for windows that are gone). `wakeEventType` is the user event that Wake pushes.
THostEvent TranslateSdlEvent(const SDL_Event& event, const TSdlWindowLookup& lookup, Uint32 wakeEventType);
