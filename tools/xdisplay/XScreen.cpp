#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
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
    // Windows come and go while the tree is walked: a window gone by the time it is asked about is no error.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
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

// The first window of that title, viewable ones only unless `anyState`.
Window WindowNamed(_XDisplay* display, Window window, const std::string& title, bool anyState) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) && (anyState || attributes.map_state == IsViewable)) {
        char* name = nullptr;
        const bool match = XFetchName(display, window, &name) && name && title == name;
        if (name) XFree(name);
        if (match) return window;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = WindowNamed(display, children[i], title, anyState);
    if (children) XFree(children);
    return found;
}

} // namespace

std::optional<TRect> TXScreen::FindWindow(const std::string& title) const {
    XSync(FDisplay, False);
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, false);
    XWindowAttributes attributes{};
    if (!window || !XGetWindowAttributes(FDisplay, window, &attributes)) return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(FDisplay, window, DefaultRootWindow(FDisplay), 0, 0, &x, &y, &child);
    return Bounds(x, y, attributes.width, attributes.height);
}

std::vector<std::chrono::steady_clock::time_point> TXScreen::DrawingTimes(TPoint p, const std::function<void()>& act,
                                                                           std::chrono::milliseconds settle,
                                                                           std::chrono::milliseconds limit) const {
    using TClock = std::chrono::steady_clock;
    int eventBase = 0, errorBase = 0;
    if (!XDamageQueryExtension(FDisplay, &eventBase, &errorBase))
        throw std::runtime_error("the X server has no Damage extension");
    const Window root = DefaultRootWindow(FDisplay);
    Window window = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(FDisplay, root, root, p.X, p.Y, &x, &y, &window);
    if (!window) return {};
    const Damage damage = XDamageCreate(FDisplay, window, XDamageReportRawRectangles);
    XSync(FDisplay, False);
    std::vector<TClock::time_point> times;
    act();
    const auto start = TClock::now();
    for (auto last = start;;) {
        while (XPending(FDisplay)) {
            XEvent event;
            XNextEvent(FDisplay, &event);
            if (event.type == eventBase + XDamageNotify) times.push_back(last = TClock::now());
        }
        const auto now = TClock::now();
        const auto quiet = std::chrono::duration_cast<std::chrono::milliseconds>(settle - (now - last));
        if (quiet.count() <= 0 || now - start >= limit) break;
        pollfd ready{ConnectionNumber(FDisplay), POLLIN, 0};
        poll(&ready, 1, int(quiet.count()) + 1);
    }
    XDamageDestroy(FDisplay, damage);
    XSync(FDisplay, False);
    return times;
}

void TXScreen::DoubleClick(TPoint p) const {
    Click(p);
    Click(p);
}

void TXScreen::PressKey(const std::string& key, std::initializer_list<const char*> modifiers) const {
    auto code = [&](const char* name) { return XKeysymToKeycode(FDisplay, XStringToKeysym(name)); };
    for (const char* m : modifiers) XTestFakeKeyEvent(FDisplay, code(m), True, CurrentTime);
    XTestFakeKeyEvent(FDisplay, code(key.c_str()), True, CurrentTime);
    XTestFakeKeyEvent(FDisplay, code(key.c_str()), False, CurrentTime);
    for (const char* m : modifiers) XTestFakeKeyEvent(FDisplay, code(m), False, CurrentTime);
    XFlush(FDisplay);
}

bool TXScreen::ResizeWindow(const std::string& title, int width, int height) const {
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, false);
    if (!window) return false;
    XResizeWindow(FDisplay, window, unsigned(width), unsigned(height));
    XSync(FDisplay, False);
    return true;
}

namespace {

// The root window's property of one window, or 0.
Window RootWindowProperty(_XDisplay* display, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window result = 0;
    if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, name, False), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        result = *reinterpret_cast<const Window*>(data);
    if (data) XFree(data);
    return result;
}

} // namespace

bool TXScreen::HasWindowManager() const {
    XSync(FDisplay, False);
    return XGetSelectionOwner(FDisplay, XInternAtom(FDisplay, "WM_S0", False)) != None &&
           RootWindowProperty(FDisplay, "_NET_SUPPORTING_WM_CHECK") != 0;
}

bool TXScreen::IsActive(const std::string& title) const {
    XSync(FDisplay, False);
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, true);
    return window && RootWindowProperty(FDisplay, "_NET_ACTIVE_WINDOW") == window;
}

bool TXScreen::ActivateWindow(const std::string& title) const {
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, true);
    if (!window) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(FDisplay, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // from a pager
    XSendEvent(FDisplay, DefaultRootWindow(FDisplay), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XMapRaised(FDisplay, window);
    XSync(FDisplay, False);
    return true;
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

void TXScreen::Drag(TPoint from, TPoint to, int button) const {
    XTestFakeMotionEvent(FDisplay, -1, from.X, from.Y, CurrentTime);
    XTestFakeButtonEvent(FDisplay, unsigned(button), True, CurrentTime);
    XSync(FDisplay, False);
    constexpr int Steps = 8;
    for (int i = 1; i <= Steps; ++i) {
        // Delays in milliseconds: the program sees a hand's pace, not one jump.
        XTestFakeMotionEvent(FDisplay, -1, from.X + (to.X - from.X) * i / Steps, from.Y + (to.Y - from.Y) * i / Steps,
                             20);
        XSync(FDisplay, False);
    }
    XTestFakeButtonEvent(FDisplay, unsigned(button), False, 20);
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

bool TXScreen::Configure(const std::string& title, const TRect& bounds) const {
    XSync(FDisplay, False);
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, false);
    if (!window) return false;
    XMoveResizeWindow(FDisplay, window, bounds.Left, bounds.Top, unsigned(bounds.Width()), unsigned(bounds.Height()));
    XSync(FDisplay, False);
    return true;
}

bool TXScreen::RequestClose(const std::string& title) const {
    XSync(FDisplay, False);
    const Window window = WindowNamed(FDisplay, DefaultRootWindow(FDisplay), title, false);
    if (!window) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(FDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(FDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(FDisplay, window, False, NoEventMask, &event);
    XSync(FDisplay, False);
    return true;
}

std::string TXScreen::ClipboardText() const {
    const Window requestor = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(FDisplay, "XSCREEN_CLIPBOARD", False);
    XConvertSelection(FDisplay, XInternAtom(FDisplay, "CLIPBOARD", False), XInternAtom(FDisplay, "UTF8_STRING", False),
                      property, requestor, CurrentTime);
    XFlush(FDisplay);
    std::string text;
    XEvent event{};
    for (int tries = 0; tries < 100; ++tries) {
        if (XCheckTypedWindowEvent(FDisplay, requestor, SelectionNotify, &event)) {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (event.xselection.property != None &&
                XGetWindowProperty(FDisplay, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type, &format,
                                   &count, &after, &data) == Success && data) {
                text.assign(reinterpret_cast<const char*>(data), count);
                XFree(data);
            }
            break;
        }
        pollfd p{ConnectionNumber(FDisplay), POLLIN, 0};
        poll(&p, 1, 10);
    }
    XDestroyWindow(FDisplay, requestor);
    return text;
}
