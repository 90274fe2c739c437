#include "platform/host/sdl/SdlEventTranslation.h"

#include "platform/host/sdl/SdlKeyMap.h"

namespace {

using TKind = THostEvent::TKind;

THostEvent OfKind(TKind kind) {
    THostEvent result;
    result.Kind = kind;
    return result;
}

THostEvent OnWindow(TKind kind, const TSdlWindowLookup& lookup, Uint32 windowID) {
    const auto place = lookup(windowID);
    if (!place) return {};
    THostEvent result = OfKind(kind);
    result.Surface = place->Surface;
    return result;
}

THostEvent Mouse(TKind kind, const TSdlWindowLookup& lookup, Uint32 windowID, int x, int y) {
    const auto place = lookup(windowID);
    if (!place) return {};
    THostEvent result = OfKind(kind);
    result.Surface = place->Surface;
    result.ScreenPos = place->Origin + TPoint{x, y};
    return result;
}

// SDL numbers the middle button 2 and the right one 3; the platform the other way round.
int PlatformButton(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
    }
}

THostEvent Button(const SDL_MouseButtonEvent& e, const TSdlWindowLookup& lookup) {
    const int button = PlatformButton(e.button);
    if (button == 0) return {};
    THostEvent result = Mouse(e.type == SDL_MOUSEBUTTONDOWN ? TKind::MouseDown : TKind::MouseUp, lookup,
                              e.windowID, e.x, e.y);
    result.Button = button;
    return result;
}

THostEvent Wheel(const SDL_MouseWheelEvent& e, const TSdlWindowLookup& lookup) {
    const int notches = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
    if (notches == 0) return {};
    THostEvent result = Mouse(TKind::Wheel, lookup, e.windowID, e.mouseX, e.mouseY);
    result.WheelDelta = notches * 120;
    return result;
}

THostEvent Key(const SDL_KeyboardEvent& e, const TSdlWindowLookup& lookup) {
    const int vk = SdlKeyToVirtualKey(e.keysym);
    if (vk == 0) return {};
    THostEvent result = OnWindow(e.type == SDL_KEYDOWN ? TKind::KeyDown : TKind::KeyUp, lookup, e.windowID);
    result.VirtualKey = vk;
    result.Repeat = e.repeat != 0;
    return result;
}

THostEvent Text(const SDL_TextInputEvent& e, const TSdlWindowLookup& lookup) {
    THostEvent result = OnWindow(TKind::Text, lookup, e.windowID);
    result.Text = e.text;
    return result;
}

THostEvent Window(const SDL_WindowEvent& e, const TSdlWindowLookup& lookup) {
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: return OnWindow(TKind::CloseRequest, lookup, e.windowID);
    case SDL_WINDOWEVENT_EXPOSED: return OnWindow(TKind::Expose, lookup, e.windowID);
    case SDL_WINDOWEVENT_FOCUS_GAINED: return OnWindow(TKind::FocusIn, lookup, e.windowID);
    case SDL_WINDOWEVENT_FOCUS_LOST: return OnWindow(TKind::FocusOut, lookup, e.windowID);
    default: return {};
    }
}

} // namespace

THostEvent TranslateSdlEvent(const SDL_Event& event, const TSdlWindowLookup& lookup, Uint32 wakeEventType) {
    switch (event.type) {
    case SDL_MOUSEMOTION: {
        THostEvent move = Mouse(TKind::MouseMove, lookup, event.motion.windowID, event.motion.x, event.motion.y);
        const Uint32 held = event.motion.state;
        move.Buttons = ((held & SDL_BUTTON_LMASK) ? 1 : 0) | ((held & SDL_BUTTON_RMASK) ? 2 : 0) |
                       ((held & SDL_BUTTON_MMASK) ? 4 : 0);
        return move;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return Button(event.button, lookup);
    case SDL_MOUSEWHEEL: return Wheel(event.wheel, lookup);
    case SDL_KEYDOWN:
    case SDL_KEYUP: return Key(event.key, lookup);
    case SDL_TEXTINPUT: return Text(event.text, lookup);
    case SDL_WINDOWEVENT: return Window(event.window, lookup);
    case SDL_QUIT: return OfKind(TKind::Quit);
    default: break;
    }
    if (event.type == wakeEventType) return OfKind(TKind::Wake);
    return {};
}
