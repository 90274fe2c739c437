#include "platform/host/sdl/SdlSurface.h"

#include "platform/Exception.h"
#include "platform/host/sdl/X11Window.h"

#include <SDL.h>

#include <algorithm>

namespace {

constexpr const char* SurfaceKey = "vmr.surface";

Uint32 WindowFlags(TSurfaceKind kind) {
    switch (kind) {
    case TSurfaceKind::Normal: return SDL_WINDOW_HIDDEN;
    case TSurfaceKind::Borderless: return SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    case TSurfaceKind::Popup:
        return SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR |
               SDL_WINDOW_ALWAYS_ON_TOP;
    }
    return SDL_WINDOW_HIDDEN;
}

// A view of a 0x00RRGGBB surface as an SDL surface, without copying its pixels.
std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> SdlView(const TSurface& surface) {
    SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<TPixel*>(surface.Data()), surface.Width(),
                                                           surface.Height(), 32, surface.Stride(),
                                                           SDL_PIXELFORMAT_RGB888);
    if (!view) throw EOutOfResources(std::string("SDL cannot wrap a bitmap: ") + SDL_GetError());
    return {view, &SDL_FreeSurface};
}

SDL_Rect ToSdlRect(const TRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

} // namespace

TSdlSurface::TSdlSurface(TSurfaceKind kind, const TRect& screenRect) : FKind(kind) {
    FWindow.reset(SDL_CreateWindow("", screenRect.Left, screenRect.Top, std::max(screenRect.Width(), 1),
                                   std::max(screenRect.Height(), 1), WindowFlags(kind)));
    if (!FWindow) throw EOutOfResources(std::string("SDL cannot create a window: ") + SDL_GetError());
    SDL_SetWindowData(FWindow.get(), SurfaceKey, this);
}

TSdlSurface* TSdlSurface::FromWindow(SDL_Window* window) {
    return window ? static_cast<TSdlSurface*>(SDL_GetWindowData(window, SurfaceKey)) : nullptr;
}

void TSdlSurface::SetBounds(const TRect& screenRect) {
    SDL_SetWindowPosition(FWindow.get(), screenRect.Left, screenRect.Top);
    SDL_SetWindowSize(FWindow.get(), std::max(screenRect.Width(), 1), std::max(screenRect.Height(), 1));
}

void TSdlSurface::Show(bool activate) {
    // Popups (menus, drop-down lists) never take the focus from the form that opened them.
    const bool activates = activate && FKind != TSurfaceKind::Popup;
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, activates ? "0" : "1");
    SDL_ShowWindow(FWindow.get());
    if (activates) SDL_RaiseWindow(FWindow.get());
}

void TSdlSurface::Hide() { SDL_HideWindow(FWindow.get()); }

void TSdlSurface::Minimize() { SDL_MinimizeWindow(FWindow.get()); }

void TSdlSurface::Raise() { SDL_RaiseWindow(FWindow.get()); }

void TSdlSurface::SetTitle(const std::string& utf8) { SDL_SetWindowTitle(FWindow.get(), utf8.c_str()); }

void TSdlSurface::SetIcon(const TSurface& icon) {
    if (icon.IsEmpty()) return;
    SDL_SetWindowIcon(FWindow.get(), SdlView(icon).get());
}

void TSdlSurface::SetShape(const std::optional<TRegion>& shape) {
    // Displays without the shape extension show the whole rectangle.
    SetX11WindowShape(FWindow.get(), shape ? &shape->Rects() : nullptr);
}

void TSdlSurface::Present(const TSurface& backBuffer, const TRect& dirty) {
    SDL_Surface* target = SDL_GetWindowSurface(FWindow.get());
    if (!target) throw EOutOfResources(std::string("SDL cannot give a window its pixels: ") + SDL_GetError());
    const TRect area = Intersection(Intersection(dirty, backBuffer.BoundsRect()), Rect(0, 0, target->w, target->h));
    if (area.IsEmpty()) return;
    SDL_Rect from = ToSdlRect(area);
    SDL_Rect to = from;
    const auto source = SdlView(backBuffer);
    SDL_SetSurfaceBlendMode(source.get(), SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source.get(), &from, target, &to);
    SDL_UpdateWindowSurfaceRects(FWindow.get(), &from, 1);
}
