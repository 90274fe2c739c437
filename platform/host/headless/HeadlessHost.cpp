#include "platform/host/headless/HeadlessHost.h"

#include "platform/ImageCodecs.h"
#include "platform/ScreenLayer.h"

#include <algorithm>

namespace {

THostEvent MakeEvent(THostEvent::TKind kind) {
    THostEvent ev;
    ev.Kind = kind;
    return ev;
}

} // namespace

THeadlessSurface::THeadlessSurface(TSurfaceKind kind, const TRect& bounds, THeadlessHost& host)
    : FHost(&host), FKind(kind), FBounds(bounds),
      FPixels(std::max(1, bounds.Width()), std::max(1, bounds.Height())) {
    FHost->FStack.push_back(this);
}

THeadlessSurface::~THeadlessSurface() {
    if (!FHost) return;
    std::erase(FHost->FStack, this);
    if (FHost->FFocused == this) FHost->FFocused = nullptr;
    if (FHost->FGivenFocus == this) FHost->FGivenFocus = nullptr;
}

void THeadlessSurface::SetBounds(const TRect& screenRect) {
    if (screenRect.Size() != FBounds.Size())
        FPixels.SetSize(std::max(1, screenRect.Width()), std::max(1, screenRect.Height()));
    FBounds = screenRect;
}

void THeadlessSurface::Show(bool activate) {
    FVisible = true;
    FMinimized = false;
    if (activate && FHost) FHost->ToTop(this);
    if (FHost) FHost->FocusShown(this);
}

void THeadlessSurface::Hide() {
    FVisible = false;
}
void THeadlessSurface::Minimize() {
    FMinimized = true;
}
void THeadlessSurface::Raise() {
    if (FHost) FHost->ToTop(this);
}

void THeadlessSurface::TakeFocus() {
    if (FHost) FHost->FGivenFocus = this;
}

void THeadlessSurface::Present(const TSurface& backBuffer, const TRegion& dirty) {
    if (FPixels.Width() != backBuffer.Width() || FPixels.Height() != backBuffer.Height())
        FPixels.SetSize(backBuffer.Width(), backBuffer.Height());
    for (const TRect& rect : dirty.Rects()) {
        const TRect r = Intersection(rect, backBuffer.BoundsRect());
        for (int y = r.Top; y < r.Bottom; ++y)
            std::copy_n(backBuffer.Row(y) + r.Left, r.Width(), FPixels.Row(y) + r.Left);
    }
    FLastPresented = dirty;
    ++FPresentCount;
}

THeadlessHost::THeadlessHost(TRect screen, TRect workArea) : FScreen(screen), FWorkArea(workArea) {}

THeadlessHost::~THeadlessHost() {
    for (THeadlessSurface* s : FStack)
        s->FHost = nullptr;
}

std::unique_ptr<THostSurface> THeadlessHost::CreateSurface(TSurfaceKind kind, const TRect& screenRect) {
    return std::make_unique<THeadlessSurface>(kind, screenRect, *this);
}

THostEvent THeadlessHost::WaitEvent(std::optional<uint64_t> deadline) {
    if (FEvents.empty()) return MakeEvent(THostEvent::TKind::Idle);
    TQueued& next = FEvents.front();
    if (deadline && FNow + next.Advance > *deadline) {
        // The caller wants to be back before the event comes: time passes up to its deadline only.
        uint64_t passed = *deadline > FNow ? *deadline - FNow : 0;
        next.Advance -= passed;
        FNow += passed;
        return MakeEvent(THostEvent::TKind::None);
    }
    FNow += next.Advance;
    THostEvent ev = std::move(next.Event);
    FEvents.pop_front();
    if (ev.Kind == THostEvent::TKind::MouseMove || ev.Kind == THostEvent::TKind::MouseDown ||
        ev.Kind == THostEvent::TKind::MouseUp || ev.Kind == THostEvent::TKind::Wheel)
        FCursorPos = ev.ScreenPos;
    return ev;
}

void THeadlessHost::MouseMove(TPoint screen, int buttons) {
    THostEvent ev = MakeEvent(THostEvent::TKind::MouseMove);
    ev.ScreenPos = screen;
    ev.Buttons = buttons;
    Push(ev);
}

void THeadlessHost::MouseDown(TPoint screen, int button) {
    THostEvent ev = MakeEvent(THostEvent::TKind::MouseDown);
    ev.ScreenPos = screen;
    ev.Button = button;
    Push(ev);
}

void THeadlessHost::MouseUp(TPoint screen, int button) {
    THostEvent ev = MakeEvent(THostEvent::TKind::MouseUp);
    ev.ScreenPos = screen;
    ev.Button = button;
    Push(ev);
}

void THeadlessHost::Click(TPoint screen, int button) {
    MouseMove(screen);
    MouseDown(screen, button);
    MouseUp(screen, button);
}

void THeadlessHost::Wheel(TPoint screen, int delta) {
    THostEvent ev = MakeEvent(THostEvent::TKind::Wheel);
    ev.ScreenPos = screen;
    ev.WheelDelta = delta;
    Push(ev);
}

void THeadlessHost::KeyDown(int virtualKey, bool repeat) {
    THostEvent ev = MakeEvent(THostEvent::TKind::KeyDown);
    ev.VirtualKey = virtualKey;
    ev.Repeat = repeat;
    Push(ev);
}

void THeadlessHost::KeyUp(int virtualKey) {
    THostEvent ev = MakeEvent(THostEvent::TKind::KeyUp);
    ev.VirtualKey = virtualKey;
    Push(ev);
}

void THeadlessHost::KeyPress(int virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void THeadlessHost::TypeText(const std::string& utf8) {
    THostEvent ev = MakeEvent(THostEvent::TKind::Text);
    ev.Text = utf8;
    Push(ev);
}

void THeadlessHost::RequestClose(THostSurface* surface) {
    THostEvent ev = MakeEvent(THostEvent::TKind::CloseRequest);
    ev.Surface = surface;
    Push(ev);
}

void THeadlessHost::FocusSurface(THostSurface* surface, bool focused) {
    THostEvent ev = MakeEvent(focused ? THostEvent::TKind::FocusIn : THostEvent::TKind::FocusOut);
    ev.Surface = surface;
    Push(ev);
}

void THeadlessHost::ConfigureSurface(THeadlessSurface* surface, const TRect& bounds) {
    surface->SetBounds(bounds);
    THostEvent ev = MakeEvent(THostEvent::TKind::Configure);
    ev.Surface = surface;
    ev.Bounds = bounds;
    Push(ev);
}

void THeadlessHost::SetSurfaceMinimized(THeadlessSurface* surface, bool minimized) {
    surface->FMinimized = minimized;
    THostEvent ev = MakeEvent(minimized ? THostEvent::TKind::Minimized : THostEvent::TKind::Restored);
    ev.Surface = surface;
    Push(ev);
}

void THeadlessHost::Pause(uint64_t ms) {
    Push(MakeEvent(THostEvent::TKind::Wake), ms);
}

void THeadlessHost::FocusShown(THeadlessSurface* s) {
    if (!FFocusOnShow || FFocused == s) return;
    THostEvent in = MakeEvent(THostEvent::TKind::FocusIn);
    in.Surface = s;
    FEvents.push_front({in, 0});
    if (FFocused) {
        THostEvent out = MakeEvent(THostEvent::TKind::FocusOut);
        out.Surface = FFocused;
        FEvents.push_front({out, 0});
    }
    FFocused = s;
}

void THeadlessHost::ToTop(THeadlessSurface* s) {
    std::erase(FStack, s);
    FStack.push_back(s);
}

TSurface THeadlessHost::ComposeScreen() const {
    TSurface screen(FScreen.Width(), FScreen.Height(), 0);
    for (const THeadlessSurface* s : FStack)
        if (s->Visible())
            DrawScreenLayer(screen, s->Pixels(), s->Bounds().TopLeft() - FScreen.TopLeft(), s->Shape());
    return screen;
}

TPixel THeadlessHost::ScreenPixel(TPoint screen) const {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
        const THeadlessSurface* s = *it;
        TPoint local = screen - s->Bounds().TopLeft();
        if (!s->Visible() || !s->Bounds().Contains(screen) || (s->Shape() && !s->Shape()->Contains(local)))
            continue;
        return s->Pixels().Pixel(local.X, local.Y, 0);
    }
    return 0;
}

void THeadlessHost::SaveScreenPNG(const std::string& path) const {
    SavePNGFile(ComposeScreen(), path);
}
