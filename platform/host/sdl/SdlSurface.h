#pragma once
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlWindowHandle.h"

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

    // The surface an SDL window belongs to, or null for a window of no surface.
    static TSdlSurface* FromWindow(SDL_Window* window);

private:
    TSurfaceKind FKind;
    TSdlWindowHandle FWindow;
};
