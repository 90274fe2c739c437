#include "platform/host/sdl/SdlHost.h"

#include "platform/Exception.h"
#include "platform/host/DetachedProcess.h"
#include "platform/host/sdl/SdlEventTranslation.h"
#include "platform/host/sdl/SdlSurface.h"
#include "platform/host/sdl/X11Window.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr SDL_SystemCursor SystemCursors[] = {
    SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_IBEAM,    SDL_SYSTEM_CURSOR_WAIT,     SDL_SYSTEM_CURSOR_CROSSHAIR,
    SDL_SYSTEM_CURSOR_HAND,     SDL_SYSTEM_CURSOR_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENESW, SDL_SYSTEM_CURSOR_SIZEWE,
    SDL_SYSTEM_CURSOR_SIZENS,   SDL_SYSTEM_CURSOR_SIZEALL,  SDL_SYSTEM_CURSOR_NO,
};

TRect FromSdlRect(const SDL_Rect& r) { return Bounds(r.x, r.y, r.w, r.h); }

std::optional<TSdlWindowPlace> PlaceOfWindow(Uint32 windowID) {
    SDL_Window* window = SDL_GetWindowFromID(windowID);
    TSdlSurface* surface = TSdlSurface::FromWindow(window);
    if (!surface) return std::nullopt;
    TSdlWindowPlace place{surface, {}};
    SDL_GetWindowPosition(window, &place.Origin.X, &place.Origin.Y);
    return place;
}

bool IsMouseEvent(THostEvent::TKind kind) {
    using TKind = THostEvent::TKind;
    return kind == TKind::MouseMove || kind == TKind::MouseDown || kind == TKind::MouseUp || kind == TKind::Wheel;
}

} // namespace

TSdlHost::TSdlVideo::TSdlVideo() {
    // Windows at screen points need X11 (a Wayland compositor places windows itself); an explicit
    // SDL_VIDEODRIVER in the environment still wins over this hint.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Presenting is a copy into the X server: no OpenGL, whose threads would never idle.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const std::string reason = SDL_GetError();
        const char* display = std::getenv("DISPLAY");
        SDL_Quit();
        throw Exception("Cannot open the display \"" + std::string(display ? display : "") + "\": " + reason);
    }
}

TSdlHost::TSdlVideo::~TSdlVideo() { SDL_Quit(); }

void TSdlHost::TCursorDeleter::operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }

TSdlHost::TSdlHost() {
    // SDL sleeps in the display connection only while some window exists to receive its wake-up message;
    // without one it polls every millisecond. This hidden window is always there.
    FWakeWindow.reset(SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN));
    if (!FWakeWindow) throw EOutOfResources(std::string("SDL cannot create a window: ") + SDL_GetError());
    FWakeEventType = SDL_RegisterEvents(1);
    if (FWakeEventType == Uint32(-1)) throw EOutOfResources("SDL has no user event left for waking the loop");
    // Sentinels would wake the loop for nothing.
    SDL_EventState(SDL_POLLSENTINEL, SDL_IGNORE);
    SDL_StartTextInput();
}

TSdlHost::~TSdlHost() = default;

std::unique_ptr<THostSurface> TSdlHost::CreateSurface(TSurfaceKind kind, const TRect& screenRect) {
    return std::make_unique<TSdlSurface>(kind, screenRect);
}

TRect TSdlHost::ScreenRect() const {
    SDL_Rect r{};
    SDL_GetDisplayBounds(0, &r);
    return FromSdlRect(r);
}

TRect TSdlHost::WorkArea() const {
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenRect();
    return FromSdlRect(r);
}

void TSdlHost::SetCursor(THostCursor cursor) {
    auto& slot = FCursors.at(size_t(cursor));
    if (!slot) slot.reset(SDL_CreateSystemCursor(SystemCursors[size_t(cursor)]));
    if (slot) SDL_SetCursor(slot.get());
}

TPoint TSdlHost::CursorPos() const {
    TPoint p;
    if (!QueryX11Pointer(FWakeWindow.get(), p)) SDL_GetGlobalMouseState(&p.X, &p.Y);
    return p;
}

void TSdlHost::CaptureMouse(bool capture) {
    FCaptured = capture;
    SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

std::string TSdlHost::ClipboardText() {
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

void TSdlHost::SetClipboardText(const std::string& utf8) { SDL_SetClipboardText(utf8.c_str()); }

uint64_t TSdlHost::Now() const { return SDL_GetTicks64(); }

THostEvent TSdlHost::WaitEvent(std::optional<uint64_t> deadline) {
    SDL_Event event;
    while (SleepUntilEvent(event, deadline)) {
        THostEvent result = Translate(event);
        if (result.Kind != THostEvent::TKind::None) return result;
    }
    return {};
}

bool TSdlHost::SleepUntilEvent(SDL_Event& event, std::optional<uint64_t> deadline) {
    int timeout = -1;
    if (deadline) {
        const uint64_t now = Now();
        if (now >= *deadline) return SDL_PollEvent(&event) != 0;
        timeout = int(std::min<uint64_t>(*deadline - now, INT_MAX));
    }
    const bool got = SDL_WaitEventTimeout(&event, timeout) != 0;
    ++FWakeUps;
    if (!got && !deadline) throw Exception(std::string("SDL stopped delivering events: ") + SDL_GetError());
    return got;
}

THostEvent TSdlHost::Translate(const SDL_Event& event) {
    THostEvent result = TranslateSdlEvent(event, PlaceOfWindow, FWakeEventType);
    if (result.Kind == THostEvent::TKind::Wake) FWakePending = false;
    // SDL captures through the window with the keyboard focus and pins positions outside the window it
    // reports to its edge; under capture the pointer's own position is the true one.
    if (FCaptured && IsMouseEvent(result.Kind)) result.ScreenPos = CursorPos();
    return result;
}

void TSdlHost::Wake() {
    // One pending wake-up is enough however many messages were posted meanwhile.
    if (FWakePending.exchange(true)) return;
    SDL_Event event{};
    event.type = FWakeEventType;
    if (SDL_PushEvent(&event) != 1) FWakePending = false;
}

bool TSdlHost::OpenURL(const std::string& url) {
    // A leading dash would reach xdg-open or the browser as an option.
    if (url.empty() || url.front() == '-') return false;
    return SpawnDetached({"xdg-open", url});
}
