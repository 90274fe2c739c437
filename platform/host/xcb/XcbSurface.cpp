#include "platform/host/xcb/XcbSurface.h"

#include "platform/host/xcb/XcbHost.h"

#include <xcb/shape.h>

#include <algorithm>
#include <array>
#include <vector>
#include <unistd.h>

namespace {

// ICCCM size hints: the position and size are the user's, and the position is the window's own, not its frame's.
constexpr uint32_t USPosition = 1, USSize = 2, PWinGravity = 512;
constexpr uint32_t StaticGravity = 10;
constexpr uint32_t InputHint = 1, StateHint = 2, NormalState = 1, IconicState = 3;
constexpr uint32_t MotifDecorationsFlag = 2;

uint16_t Dimension(int value) { return uint16_t(std::clamp(value, 1, 0x7FFF)); }

} // namespace

TXcbSurface::TXcbSurface(TXcbHost& host, TSurfaceKind kind, const TRect& screenRect)
    : FHost(host), FKind(kind), FBounds(screenRect) {
    xcb_connection_t* c = FHost.Display().Connection();
    const xcb_screen_t& screen = FHost.Display().Screen();
    FWindow = xcb_generate_id(c);
    FPixmap = xcb_generate_id(c);
    FGC = xcb_generate_id(c);
    FCopyGC = xcb_generate_id(c);
    FPixmapSize = {Dimension(screenRect.Width()), Dimension(screenRect.Height())};
    xcb_create_pixmap(c, screen.root_depth, FPixmap, screen.root, uint16_t(FPixmapSize.cx),
                      uint16_t(FPixmapSize.cy));
    const uint32_t gcValues[] = {screen.black_pixel, 0};
    xcb_create_gc(c, FGC, FPixmap, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, gcValues);
    xcb_create_gc(c, FCopyGC, FPixmap, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, gcValues);
    const xcb_rectangle_t all{0, 0, uint16_t(FPixmapSize.cx), uint16_t(FPixmapSize.cy)};
    xcb_poly_fill_rectangle(c, FPixmap, FGC, 1, &all);
    constexpr uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_PROPERTY_CHANGE;
    const uint32_t values[] = {FPixmap, kind == TSurfaceKind::Popup ? 1u : 0u, events,
                               FHost.CurrentCursor()};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, FWindow, screen.root, int16_t(screenRect.Left),
                      int16_t(screenRect.Top), uint16_t(FPixmapSize.cx), uint16_t(FPixmapSize.cy), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK |
                          XCB_CW_CURSOR,
                      values);
    if (kind != TSurfaceKind::Popup) SetHints();
    FHost.Register(this);
}

TXcbSurface::~TXcbSurface() {
    FHost.Unregister(this);
    xcb_connection_t* c = FHost.Display().Connection();
    xcb_destroy_window(c, FWindow);
    xcb_free_pixmap(c, FPixmap);
    xcb_free_gc(c, FGC);
    xcb_free_gc(c, FCopyGC);
    xcb_flush(c);
}

void TXcbSurface::SetHints() {
    const TXcbDisplay& d = FHost.Display();
    const TXcbAtoms& a = d.Atoms();
    d.SetProperty(FWindow, a.WmProtocols, XCB_ATOM_ATOM, 32, &a.WmDeleteWindow, 1);
    const std::array<uint32_t, 9> wmHints{InputHint | StateHint, 1, NormalState, 0, 0, 0, 0, 0, 0};
    d.SetProperty(FWindow, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, wmHints.data(), wmHints.size());
    std::array<uint32_t, 18> sizeHints{};
    sizeHints[0] = USPosition | USSize | PWinGravity;
    sizeHints[17] = StaticGravity;
    d.SetProperty(FWindow, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, sizeHints.data(), sizeHints.size());
    static constexpr char WmClass[] = "vmr\0Vmr";
    d.SetProperty(FWindow, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, WmClass, sizeof WmClass);
    const uint32_t pid = uint32_t(getpid());
    d.SetProperty(FWindow, a.NetWmPid, XCB_ATOM_CARDINAL, 32, &pid, 1);
    if (FKind == TSurfaceKind::Borderless) {
        const std::array<uint32_t, 5> motif{MotifDecorationsFlag, 0, 0, 0, 0};
        d.SetProperty(FWindow, a.MotifWmHints, a.MotifWmHints, 32, motif.data(), motif.size());
    }
}

void TXcbSurface::SetBounds(const TRect& screenRect) {
    if (screenRect == FBounds && !FBoundsPending) return;
    const bool sized = screenRect.Size() != FBounds.Size();
    FBounds = screenRect;
    // A window on screen changes size together with its picture of the new size.
    if (sized && FMapRequested) {
        FBoundsPending = true;
        return;
    }
    ApplyBounds();
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::ResizePixmap(TSize size) {
    if (size == FPixmapSize) return;
    // The old picture carries over into the new pixmap until the window system presents the new one.
    xcb_connection_t* c = FHost.Display().Connection();
    const xcb_screen_t& screen = FHost.Display().Screen();
    const xcb_pixmap_t old = FPixmap;
    FPixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen.root_depth, FPixmap, screen.root, uint16_t(size.cx), uint16_t(size.cy));
    const xcb_rectangle_t all{0, 0, uint16_t(size.cx), uint16_t(size.cy)};
    xcb_poly_fill_rectangle(c, FPixmap, FGC, 1, &all);
    xcb_copy_area(c, old, FPixmap, FGC, 0, 0, 0, 0, uint16_t(std::min(size.cx, FPixmapSize.cx)),
                  uint16_t(std::min(size.cy, FPixmapSize.cy)));
    xcb_change_window_attributes(c, FWindow, XCB_CW_BACK_PIXMAP, &FPixmap);
    xcb_free_pixmap(c, old);
    FPixmapSize = size;
}

void TXcbSurface::ApplyBounds() {
    FBoundsPending = false;
    const TSize size{Dimension(FBounds.Width()), Dimension(FBounds.Height())};
    ResizePixmap(size);
    if (FShapePending) ApplyShape();
    // A window that changes size is repainted whole from its background: the pixmap's picture.
    const uint32_t values[] = {uint32_t(int32_t(FBounds.Left)), uint32_t(int32_t(FBounds.Top)), uint32_t(size.cx),
                               uint32_t(size.cy)};
    FLastConfigureRequest = xcb_configure_window(FHost.Display().Connection(), FWindow,
                                                 XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y |
                                                     XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                                                 values)
                                .sequence;
}

void TXcbSurface::Show(bool activate) {
    FWanted = true;
    if (activate && FKind != TSurfaceKind::Popup) FFocusWanted = true;
    if (FMapRequested) {
        if (FFocusWanted && FMapped) TakeFocus();
        return;
    }
    // Mapped with the next picture (or, should none come, before the host waits).
    FHost.WaitingForPicture(this);
}

void TXcbSurface::MapIfWaiting() {
    if (FWanted && !FMapRequested) Map();
}

void TXcbSurface::Map() {
    xcb_connection_t* c = FHost.Display().Connection();
    if (FBoundsPending) ApplyBounds();
    FMapRequested = true;
    xcb_map_window(c, FWindow);
    if (FKind == TSurfaceKind::Popup) Raise();
}

void TXcbSurface::Hide() {
    FWanted = false;
    FFocusWanted = false;
    if (!FMapRequested) return;
    FMapRequested = false;
    xcb_unmap_window(FHost.Display().Connection(), FWindow);
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::Minimize() {
    if (FIconic) return;
    const TXcbDisplay& d = FHost.Display();
    // With nobody to carry it out the window stays as it was, and the window system hears so.
    if (!FMapped || !d.HasWindowManager()) {
        FHost.Queue(Event(THostEvent::TKind::Restored));
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = FWindow;
    message.type = d.Atoms().WmChangeState;
    message.data.data32[0] = IconicState;
    xcb_send_event(d.Connection(), 0, d.Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(d.Connection());
    // The window system takes it as minimised from now on. The state is read when its change is handled, so
    // a desktop that iconifies and restores it before then leaves only "normal" to read: that is news.
    FIconic = true;
}

void TXcbSurface::Raise() {
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(FHost.Display().Connection(), FWindow, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::TakeFocus() {
    if (FKind == TSurfaceKind::Popup) return;
    if (!FMapped) {
        FFocusWanted = FWanted;
        return;
    }
    FFocusWanted = false;
    xcb_set_input_focus(FHost.Display().Connection(), XCB_INPUT_FOCUS_PARENT, FWindow, XCB_CURRENT_TIME);
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::SetTitle(const std::string& utf8) {
    const TXcbDisplay& d = FHost.Display();
    d.SetText(FWindow, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, Utf8ToLatin1(utf8));
    d.SetText(FWindow, d.Atoms().NetWmName, d.Atoms().Utf8String, utf8);
}

void TXcbSurface::SetIcon(const TSurface& icon) {
    if (icon.IsEmpty()) return;
    std::vector<uint32_t> data{uint32_t(icon.Width()), uint32_t(icon.Height())};
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x) data.push_back(0xFF000000u | icon.Row(y)[x]);
    const TXcbDisplay& d = FHost.Display();
    d.SetProperty(FWindow, d.Atoms().NetWmIcon, XCB_ATOM_CARDINAL, 32, data.data(), data.size());
}

void TXcbSurface::SetShape(const std::optional<TRegion>& shape) {
    if (!FHost.HasShape()) return; // such displays show the whole rectangle
    // A window about to change size takes its new shape together with its new picture.
    FShape = shape;
    if (FBoundsPending) {
        FShapePending = true;
        return;
    }
    ApplyShape();
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::ApplyShape() {
    FShapePending = false;
    const std::optional<TRegion>& shape = FShape;
    xcb_connection_t* c = FHost.Display().Connection();
    if (!shape) {
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, FWindow, 0, 0, XCB_PIXMAP_NONE);
        return;
    }
    // X keeps shapes in 16-bit fields; only the part a window can show matters.
    constexpr TRect Representable{0, 0, 0x7FFF, 0x7FFF};
    std::vector<xcb_rectangle_t> rects;
    for (const TRect& rect : shape->Rects()) {
        const TRect r = Intersection(rect, Representable);
        if (!r.IsEmpty())
            rects.push_back({int16_t(r.Left), int16_t(r.Top), uint16_t(r.Width()), uint16_t(r.Height())});
    }
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_YX_BANDED, FWindow, 0, 0,
                         uint32_t(rects.size()), rects.data());
}

void TXcbSurface::Present(const TSurface& backBuffer, const TRegion& dirty) {
    const bool resizing = FBoundsPending;
    if (resizing) ResizePixmap({Dimension(FBounds.Width()), Dimension(FBounds.Height())});
    TRegion area(Intersection(backBuffer.BoundsRect(), Rect(0, 0, FPixmapSize.cx, FPixmapSize.cy)));
    if (!resizing) area &= dirty;
    const std::vector<TRect> rects = area.ColumnRects();
    for (size_t i = 0; i < rects.size(); ++i)
        FHost.Uploads().Upload(backBuffer, rects[i], FPixmap, FGC, i + 1 == rects.size());
    if (resizing)
        ApplyBounds(); // the new size shows with its picture
    else if (FMapRequested)
        CopyToWindow(area);
    if (FWanted && !FMapRequested) Map(); // the background shows the whole picture at once
    xcb_flush(FHost.Display().Connection());
}

void TXcbSurface::CopyToWindow(const TRegion& area) const {
    if (area.IsEmpty()) return;
    // One request through the region as clip: the window takes every changed part in the same step.
    std::vector<xcb_rectangle_t> clip;
    clip.reserve(area.Rects().size());
    for (const TRect& r : area.Rects())
        clip.push_back({int16_t(r.Left), int16_t(r.Top), uint16_t(r.Width()), uint16_t(r.Height())});
    xcb_connection_t* c = FHost.Display().Connection();
    xcb_set_clip_rectangles(c, XCB_CLIP_ORDERING_YX_BANDED, FCopyGC, 0, 0, uint32_t(clip.size()), clip.data());
    const TRect b = area.Bounds();
    xcb_copy_area(c, FPixmap, FWindow, FCopyGC, int16_t(b.Left), int16_t(b.Top), int16_t(b.Left), int16_t(b.Top),
                  uint16_t(b.Width()), uint16_t(b.Height()));
}

void TXcbSurface::SetCursor(xcb_cursor_t cursor) const {
    xcb_change_window_attributes(FHost.Display().Connection(), FWindow, XCB_CW_CURSOR, &cursor);
}

THostEvent TXcbSurface::Event(THostEvent::TKind kind) {
    THostEvent e;
    e.Kind = kind;
    e.Surface = this;
    return e;
}

THostEvent TXcbSurface::Configured(const xcb_configure_notify_event_t& e) {
    // What the server reported before it carried out our latest request is out of date.
    if (int16_t(uint16_t(e.sequence - uint16_t(FLastConfigureRequest))) < 0 || FBoundsPending) return {};
    TPoint origin{e.x, e.y};
    const bool synthetic = e.response_type & 0x80;
    if (!synthetic && FParent && FParent != FHost.Display().Root()) origin = FHost.ScreenOrigin(FWindow);
    const TRect rect = Bounds(origin.X, origin.Y, e.width, e.height);
    if (rect == FBounds) return {};
    FBounds = rect;
    ResizePixmap({Dimension(rect.Width()), Dimension(rect.Height())});
    THostEvent result = Event(THostEvent::TKind::Configure);
    result.Bounds = rect;
    return result;
}

THostEvent TXcbSurface::Mapped() {
    FMapped = true;
    if (FFocusWanted) TakeFocus();
    return {};
}

THostEvent TXcbSurface::StateChanged() {
    const TXcbDisplay& d = FHost.Display();
    const std::vector<uint32_t> state = d.Cardinals(FWindow, d.Atoms().WmState, d.Atoms().WmState);
    const bool iconic = !state.empty() && state[0] == IconicState;
    if (iconic == FIconic) return {};
    FIconic = iconic;
    return Event(iconic ? THostEvent::TKind::Minimized : THostEvent::TKind::Restored);
}

THostEvent TXcbSurface::TookInput() {
    if (!FIconic) return {};
    FIconic = false;
    return Event(THostEvent::TKind::Restored);
}
