#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <bit>
#include <memory>
#include <stdexcept>

namespace {

// One channel of an X pixel as 8 bits, whatever its mask.
uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return uint32_t(((pixel & mask) >> shift) * 255 / max);
}

struct TImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

} // namespace

TXScreen::TXScreen(const std::string& display) : FDisplay(XOpenDisplay(display.c_str())) {
    if (!FDisplay) throw std::runtime_error("cannot open X display " + display);
}

TXScreen::~TXScreen() { XCloseDisplay(FDisplay); }

TSurface TXScreen::Grab(const TRect& area) const {
    XSync(FDisplay, False);
    std::unique_ptr<XImage, TImageDeleter> image(
        XGetImage(FDisplay, DefaultRootWindow(FDisplay), area.Left, area.Top, unsigned(area.Width()),
                  unsigned(area.Height()), AllPlanes, ZPixmap));
    if (!image) throw std::runtime_error("XGetImage failed");
    TSurface result(area.Width(), area.Height());
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x) {
            const unsigned long pixel = XGetPixel(image.get(), x, y);
            result.SetPixel(x, y, Channel(pixel, image->red_mask) << 16 | Channel(pixel, image->green_mask) << 8 |
                                      Channel(pixel, image->blue_mask));
        }
    return result;
}

namespace {

std::optional<TRect> FindIn(_XDisplay* display, Window window, const std::string& title) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        char* name = nullptr;
        const bool match = XFetchName(display, window, &name) && name && title == name;
        if (name) XFree(name);
        if (match) {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
            return Bounds(x, y, attributes.width, attributes.height);
        }
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return std::nullopt;
    std::optional<TRect> found;
    for (unsigned i = 0; i < count && !found; ++i)
        found = FindIn(display, children[i], title);
    if (children) XFree(children);
    return found;
}

} // namespace

std::optional<TRect> TXScreen::FindWindow(const std::string& title) const {
    XSync(FDisplay, False);
    return FindIn(FDisplay, DefaultRootWindow(FDisplay), title);
}

void TXScreen::WarpPointer(TPoint p) const {
    XWarpPointer(FDisplay, None, DefaultRootWindow(FDisplay), 0, 0, 0, 0, p.X, p.Y);
    XSync(FDisplay, False);
}

uint64_t TXScreen::Fingerprint(const TRect& area) const {
    std::unique_ptr<XImage, TImageDeleter> image(
        XGetImage(FDisplay, DefaultRootWindow(FDisplay), area.Left, area.Top, unsigned(area.Width()),
                  unsigned(area.Height()), AllPlanes, ZPixmap));
    if (!image) throw std::runtime_error("XGetImage failed");
    // FNV-1a over whole words.
    uint64_t hash = 1469598103934665603ull;
    const auto* words = reinterpret_cast<const uint32_t*>(image->data);
    const size_t count = size_t(image->bytes_per_line) * size_t(image->height) / sizeof(uint32_t);
    for (size_t i = 0; i < count; ++i) hash = (hash ^ words[i]) * 1099511628211ull;
    return hash;
}

void TXScreen::Click(TPoint p, int button) const {
    XTestFakeMotionEvent(FDisplay, -1, p.X, p.Y, CurrentTime);
    XTestFakeButtonEvent(FDisplay, unsigned(button), True, CurrentTime);
    XTestFakeButtonEvent(FDisplay, unsigned(button), False, CurrentTime);
    XFlush(FDisplay);
}

void TXScreen::WatchTopLevelMaps() {
    XSelectInput(FDisplay, DefaultRootWindow(FDisplay), SubstructureNotifyMask);
    XSync(FDisplay, False);
}

std::optional<TRect> TXScreen::WaitForMappedWindow(int minSize, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        while (XPending(FDisplay)) {
            XEvent event;
            XNextEvent(FDisplay, &event);
            if (event.type != MapNotify || event.xmap.override_redirect) continue;
            XWindowAttributes attributes{};
            if (!XGetWindowAttributes(FDisplay, event.xmap.window, &attributes)) continue;
            if (attributes.width >= minSize && attributes.height >= minSize)
                return Bounds(attributes.x, attributes.y, attributes.width, attributes.height);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{ConnectionNumber(FDisplay), POLLIN, 0};
        poll(&p, 1, int(left.count()));
    }
}
