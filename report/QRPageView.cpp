#include "report/QRPageView.h"

#include "platform/ScrollBar.h"
#include "report/PageRenderer.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array ZoomSteps{10, 25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int LineStep = 20;
constexpr int WheelLines = 3;
} // namespace

TQRPageView::TQRPageView(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetTabStop(true);
}

void TQRPageView::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL | WS_HSCROLL;
}

void TQRPageView::SetDocument(const TReportDocument* document) {
    FDocument = document;
    FCache.clear();
    FPageIndex = 0;
    FitZoom();
    ScrollTo({0, 0});
    UpdateScrollBars(); // a loaded report may have other paper
    Invalidate();
}

size_t TQRPageView::PageCount() const { return FDocument ? FDocument->Pages.size() : 0; }

void TQRPageView::SetPageIndex(size_t index) {
    index = std::min(index, PageCount() ? PageCount() - 1 : 0);
    if (index == FPageIndex) return;
    FPageIndex = index;
    ScrollTo({FScroll.X, 0});
    Invalidate();
}

void TQRPageView::SetZoomMode(TQRZoomMode mode) {
    FZoomMode = mode;
    FitZoom();
    UpdateScrollBars();
    Invalidate();
}

void TQRPageView::SetZoom(int percent) {
    FZoomMode = TQRZoomMode::Percent;
    FZoom = std::clamp(percent, MinZoom, MaxZoom);
    UpdateScrollBars();
    Invalidate();
}

void TQRPageView::ZoomIn() {
    auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), FZoom);
    SetZoom(next == ZoomSteps.end() ? MaxZoom : *next);
}

void TQRPageView::ZoomOut() {
    auto below = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), FZoom);
    SetZoom(below == ZoomSteps.begin() ? MinZoom : *std::prev(below));
}

TSize TQRPageView::PageSize() const {
    if (!FDocument) return {0, 0};
    return TPageRenderer::PagePixelSize(*FDocument, TPageRenderer::ScreenDpi * FZoom / 100.0);
}

void TQRPageView::FitZoom() {
    if (FZoomMode == TQRZoomMode::Percent || !FDocument || !HandleAllocated()) return;
    TSize full = TPageRenderer::PagePixelSize(*FDocument, TPageRenderer::ScreenDpi);
    TRect client = ClientRect();
    int byWidth = (client.Width() - 2 * Margin) * 100 / std::max(1, int(full.cx));
    int byHeight = (client.Height() - 2 * Margin) * 100 / std::max(1, int(full.cy));
    int zoom = FZoomMode == TQRZoomMode::PageWidth ? byWidth : std::min(byWidth, byHeight);
    FZoom = std::clamp(zoom, MinZoom, MaxZoom);
}

TRect TQRPageView::PageRect() {
    TSize page = PageSize();
    TRect client = ClientRect();
    int left = std::max(Margin, (client.Width() - page.cx) / 2) - FScroll.X;
    int top = std::max(Margin, (client.Height() - page.cy) / 2) - FScroll.Y;
    return {left, top, left + page.cx, top + page.cy};
}

const TSurface& TQRPageView::RenderedPage() {
    auto hit = std::find_if(FCache.begin(), FCache.end(),
                            [this](const TCachedPage& c) { return c.Page == FPageIndex && c.Zoom == FZoom; });
    if (hit != FCache.end()) {
        FCache.splice(FCache.begin(), FCache, hit);
        return FCache.front().Pixels;
    }
    TCachedPage page{FPageIndex, FZoom, {}};
    TPageRenderer::RenderPage(*FDocument, FPageIndex, TPageRenderer::ScreenDpi * FZoom / 100.0, page.Pixels);
    ++FRenderCount;
    FCache.push_front(std::move(page));
    if (FCache.size() > CachedPages) FCache.pop_back();
    return FCache.front().Pixels;
}

void TQRPageView::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(clGray);
    c.FillRect(ClientRect());
    if (!PageCount()) return;
    TRect page = PageRect();
    c.Brush()->SetColor(clBlack);
    c.FillRect(page.Offsetted(Shadow, Shadow));
    const TSurface& pixels = RenderedPage();
    c.Handle()->BitBlt(page.Left, page.Top, pixels.Width(), pixels.Height(), pixels, 0, 0);
}

void TQRPageView::Resize() {
    FitZoom();
    UpdateScrollBars();
    TCustomControl::Resize();
}

void TQRPageView::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    TSize page = PageSize();
    TRect client = ClientRect();
    auto set = [this](int bar, int content, int view) {
        SCROLLINFO info;
        info.nMax = content - 1;
        info.nPage = UINT(std::max(0, view));
        info.nPos = bar == SB_VERT ? FScroll.Y : FScroll.X;
        SetScrollInfo(Handle(), bar, info, true);
    };
    ScrollTo(FScroll); // clamps to the new size
    set(SB_HORZ, page.cx + 2 * Margin, client.Width());
    set(SB_VERT, page.cy + 2 * Margin, client.Height());
}

void TQRPageView::ScrollTo(TPoint position) {
    TSize page = PageSize();
    TRect client = HandleAllocated() ? ClientRect() : TRect{};
    int maxX = std::max(0, int(page.cx) + 2 * Margin - client.Width());
    int maxY = std::max(0, int(page.cy) + 2 * Margin - client.Height());
    TPoint clamped{std::clamp(position.X, 0, maxX), std::clamp(position.Y, 0, maxY)};
    if (clamped == FScroll) return;
    FScroll = clamped;
    if (HandleAllocated()) {
        SetScrollPos(Handle(), SB_HORZ, FScroll.X, true);
        SetScrollPos(Handle(), SB_VERT, FScroll.Y, true);
    }
    Invalidate();
}

bool TQRPageView::ScrollLines(int lines) {
    int before = FScroll.Y;
    ScrollTo({FScroll.X, FScroll.Y + lines * LineStep});
    return FScroll.Y != before;
}

void TQRPageView::Scroll(int bar, int code) {
    SCROLLINFO info;
    GetScrollInfo(Handle(), bar, info);
    int pos = info.nPos;
    int page = int(info.nPage);
    switch (code) {
    case SB_LINEUP: pos -= LineStep; break;
    case SB_LINEDOWN: pos += LineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
    }
    ScrollTo(bar == SB_VERT ? TPoint{FScroll.X, pos} : TPoint{pos, FScroll.Y});
}

void TQRPageView::Wheel(TMessage& m) {
    int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / 120;
    if (LOWORD(m.WParam) & MK_CONTROL) {
        for (int i = 0; i < std::abs(notches); ++i)
            notches > 0 ? ZoomIn() : ZoomOut();
    } else {
        ScrollLines(-notches * WheelLines);
    }
    m.Result = 1;
}

void TQRPageView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(m.WParam)); return;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(m.WParam)); return;
    case WM_MOUSEWHEEL: Wheel(m); return;
    case WM_ERASEBKGND: m.Result = 1; return;
    default: TCustomControl::WndProc(m);
    }
}
