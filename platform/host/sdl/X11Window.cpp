#include "platform/host/sdl/X11Window.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace {

// X keeps shapes in 16-bit fields; only the part a window can show matters.
std::vector<XRectangle> ToXRectangles(const std::vector<TRect>& rects) {
    constexpr TRect Representable{0, 0, 0x7FFF, 0x7FFF};
    std::vector<XRectangle> result;
    result.reserve(rects.size());
    for (const TRect& rect : rects) {
        const TRect r = Intersection(rect, Representable);
        if (r.IsEmpty()) continue;
        result.push_back({short(r.Left), short(r.Top), static_cast<unsigned short>(r.Width()),
                          static_cast<unsigned short>(r.Height())});
    }
    return result;
}

bool X11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

} // namespace

bool SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects) {
    SDL_SysWMinfo info;
    if (!X11Info(window, info)) return false;
    Display* display = info.info.x11.display;
    int eventBase = 0;
    int errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase)) return false;
    const Window xwindow = info.info.x11.window;
    if (!rects) {
        XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> xrects = ToXRectangles(*rects);
        XShapeCombineRectangles(display, xwindow, ShapeBounding, 0, 0, xrects.data(), int(xrects.size()),
                                ShapeSet, YXBanded);
    }
    // Synchronously, so the next frame presented is already cut to the new shape.
    XSync(display, False);
    return true;
}

bool QueryX11Pointer(SDL_Window* window, TPoint& screenPos) {
    SDL_SysWMinfo info;
    if (!X11Info(window, info)) return false;
    Display* display = info.info.x11.display;
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    return XQueryPointer(display, info.info.x11.window, &root, &child, &screenPos.X, &screenPos.Y, &windowX,
                         &windowY, &buttons);
}
