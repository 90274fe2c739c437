#include "classlib/ControlCanvas.h"

#include "classlib/WinControl.h"
#include "platform/Painting.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<TControlCanvas*> gCanvasesWithDC;
}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* control) {
    if (FControl == control) return;
    FreeHandle();
    FControl = control;
}

void TControlCanvas::CreateHandle() {
    if (!FControl) return;
    auto* win = dynamic_cast<TWinControl*>(FControl);
    TPoint offset;
    if (!win) {
        win = FControl->Parent();
        offset = {FControl->Left(), FControl->Top()};
    }
    if (!win) return;
    HWND hwnd = win->Handle();
    TDC* dc = GetDC(hwnd);
    if (!dc) return;
    if (win != FControl) {
        dc->IntersectClipRect(FControl->BoundsRect());
        dc->OffsetViewportOrg(offset.X, offset.Y);
    }
    FWindow = hwnd;
    FOwnDC = dc;
    gCanvasesWithDC.push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC) return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FOwnDC);
    FOwnDC = nullptr;
    FWindow = nullptr;
    std::erase(gCanvasesWithDC, this);
}

void FreeDeviceContexts() {
    std::vector<TControlCanvas*> canvases = gCanvasesWithDC;
    for (TControlCanvas* canvas : canvases)
        canvas->FreeHandle();
}
