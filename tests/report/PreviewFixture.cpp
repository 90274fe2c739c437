#include "PreviewFixture.h"

#include "classlib/Application.h"
#include "report/CupsLibrary.h"
#include "report/QRDialogForm.h"
#include "report/QRPageView.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstdlib>

PreviewTest::PreviewTest() {
    setenv("CUPS_SERVER", "/nonexistent-folder/cups.sock", 1);
    TCupsLibrary::Required().SetServer(nullptr);
    InitWindowSystem(FHost);
    FPreviousBoxHook = SetMessageBoxHook([this](const TMessageBoxRequest& r) -> std::optional<int> {
        FBoxes.push_back(r);
        return IDOK;
    });
    NewComponent<TApplication>(nullptr)->SetTitle("Velmarune");
    TQRPreview::Register();
}

PreviewTest::~PreviewTest() {
    TQuickRep::SetPreviewFactory({});
    SetQRDialogShownHook({});
    delete Application;
    SetMessageBoxHook(std::move(FPreviousBoxHook));
    ShutdownWindowSystem();
    unsetenv("CUPS_SERVER");
    TCupsLibrary::Required().SetServer(nullptr);
}

void PreviewTest::Preview(std::function<void(TCustomForm&)> onShown) {
    SetQRDialogShownHook(std::move(onShown));
    FReport->Preview();
    SetQRDialogShownHook({});
}

TPoint PreviewTest::ScreenPoint(TControl* control, TPoint client) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) return ::ClientToScreen(windowed->Handle(), client);
    return ScreenPoint(control->Parent(), client + TPoint{control->Left(), control->Top()});
}

void PreviewTest::ClickOn(TControl* control) {
    FHost.Click(ScreenPoint(control, {control->Width() / 2, control->Height() / 2}));
    Pump();
}

void PreviewTest::Pump() { RunUntilIdle(); }

bool PreviewTest::ShowsPage(TQRPageView* view, const TSurface& page) {
    TRect shown = view->PageRect();
    if (shown.Size() != TSize{page.Width(), page.Height()}) return false;
    TRect client = view->ClientRect();
    TRect visible{std::max(shown.Left, client.Left), std::max(shown.Top, client.Top),
                  std::min(shown.Right, client.Right), std::min(shown.Bottom, client.Bottom)};
    for (int y = visible.Top; y < visible.Bottom; ++y)
        for (int x = visible.Left; x < visible.Right; ++x) {
            TPixel onScreen = FHost.ScreenPixel(ScreenPoint(view, {x, y}));
            if ((onScreen & 0xFFFFFF) != (page.Pixel(x - shown.Left, y - shown.Top) & 0xFFFFFF)) return false;
        }
    return !visible.IsEmpty();
}

void PreviewTest::SelectLevels(int levels) {
    std::vector<TSelected> rows;
    for (int level = 1; level <= levels; ++level)
        rows = Concat(rows, Spells(std::to_string(level), 2));
    Select(rows);
    ReadForms();
}
