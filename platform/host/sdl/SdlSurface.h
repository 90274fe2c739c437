#pragma once
#include "platform/host/Host.h"

#include <memory>

struct SDL_Window;

// A top-level window of the sdl host. It must go before the host that made it.
class TSdlSurface : public THostSurface {
public:
    TSdlSurface(TSurfaceKind kind, const TRect& screenRect);

    void SetBounds(const TRect& screenRect) override;
    void Show(bool activate) override;
    void Hide() override;
    void Minimize() override;
    void Raise() override;
    void SetTitle(const std::string& utf8) override;
    void SetIcon(const TSurface& icon) override;
    void SetShape(const std::optional<TRegion>& shape) override;
    void Present(const TSurface& backBuffer, const TRect& dirty) override;

    TSurfaceKind Kind() const { return FKind; }
    // The surface an SDL window belongs to, or null for a window of no surface.
    static TSdlSurface* FromWindow(SDL_Window* window);

private:
    struct TWindowDeleter {
        void operator()(SDL_Window* window) const;
    };
    TSurfaceKind FKind;
    std::unique_ptr<SDL_Window, TWindowDeleter> FWindow;
};
