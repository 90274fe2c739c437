#pragma once
// The spell book report previewed in the real preview window on the headless host, with no print server, the
// message boxes recorded and answered, and the preview's windows handed to the test as they show.
#include "ReportComponentsFixture.h"

#include "classlib/Forms.h"
#include "platform/MessageBox.h"
#include "platform/host/headless/HeadlessHost.h"
#include "report/QRPreview.h"

#include <functional>
#include <string>
#include <vector>

class TQRPageView;

class PreviewTest : public ReportComponents {
  protected:
    PreviewTest();
    ~PreviewTest() override;

    // Previews the report; `onShown` runs for each preview window as it shows, before its loop.
    void Preview(std::function<void(TCustomForm&)> onShown);
    // A point of a control on screen, through its window (forms with a frame place their client area inside it).
    TPoint ScreenPoint(TControl* control, TPoint client);
    // Clicks the middle of a control and handles what follows.
    void ClickOn(TControl* control);
    void Pump();
    // Whether the part of the page that the page area shows on screen is that part of `page`.
    bool ShowsPage(TQRPageView* view, const TSurface& page);
    // A report of `levels` sections, one page each.
    void SelectLevels(int levels);

    THeadlessHost FHost;
    TMessageBoxHook FPreviousBoxHook;
    std::vector<TMessageBoxRequest> FBoxes;
};
