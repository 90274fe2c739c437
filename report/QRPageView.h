#pragma once
#include "classlib/CustomControl.h"
#include "platform/Surface.h"
#include "report/ReportPage.h"

#include <list>

// How the preview sizes the page: a zoom of its own, the whole page in the view, or the page's width.
enum class TQRZoomMode { Percent, WholePage, PageWidth };

// The scrolling page area of the preview: one page of a document drawn at a zoom, white on a grey ground with
// a shadow, with native scroll bars. Pages are rendered once per page and zoom and kept while they are among
// the most recently shown.
class TQRPageView : public TCustomControl {
    VMR_CLASS(TQRPageView, TCustomControl)

  public:
    static constexpr int Margin = 12;
    static constexpr int Shadow = 4;
    static constexpr int MinZoom = 10;
    static constexpr int MaxZoom = 400;
    static constexpr size_t CachedPages = 12;

    // The view keeps no copy: the document must outlive it or be replaced first.
    void SetDocument(const TReportDocument* document);
    size_t PageCount() const;
    size_t PageIndex() const { return FPageIndex; }
    // Clamped to the document's pages.
    void SetPageIndex(size_t index);

    TQRZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TQRZoomMode mode);
    // The zoom in percent now in force (computed for the fitting modes).
    int Zoom() const { return FZoom; }
    void SetZoom(int percent);
    void ZoomIn();
    void ZoomOut();

    // Where the page lies in the view's client area, scrolling taken into account.
    TRect PageRect();
    int RenderCount() const { return FRenderCount; }

    // Scrolls by a number of lines of the vertical bar; answers whether the position moved.
    bool ScrollLines(int lines);
    int ScrollY() const { return FScroll.Y; }

  protected:
    explicit TQRPageView(TComponent* owner);
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Resize() override;

  private:
    struct TCachedPage {
        size_t Page;
        int Zoom;
        TSurface Pixels;
    };
    const TSurface& RenderedPage();
    TSize PageSize() const;
    void FitZoom();
    void UpdateScrollBars();
    void ScrollTo(TPoint position);
    void Scroll(int bar, int code);
    void Wheel(TMessage& message);

    const TReportDocument* FDocument = nullptr;
    size_t FPageIndex = 0;
    TQRZoomMode FZoomMode = TQRZoomMode::WholePage;
    int FZoom = 100;
    TPoint FScroll;
    std::list<TCachedPage> FCache; // most recent first
    int FRenderCount = 0;
};
