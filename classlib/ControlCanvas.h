#pragma once
#include "classlib/Canvas.h"
#include "platform/Messages.h"

class TControl;

// The canvas of a control. While the control paints it draws on the paint DC; outside painting it takes a
// DC of the control's window (or of its parent's, clipped to the control) and keeps it until
// FreeDeviceContexts runs, as the application does when it goes idle.
class TControlCanvas : public TCanvas {
    VMR_CLASS(TControlCanvas, TCanvas)

  public:
    explicit TControlCanvas(TControl* control = nullptr) : FControl(control) {}
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* control);
    // Draws with `paint` on a DC the caller owns, then leaves the canvas without one.
    template <class F>
    void PaintOn(TDC* dc, F&& paint) {
        FreeHandle();
        SetHandle(dc);
        try {
            paint();
        } catch (...) {
            SetHandle(nullptr);
            throw;
        }
        SetHandle(nullptr);
    }
    void FreeHandle();

  protected:
    void CreateHandle() override;

  private:
    TControl* FControl;
    HWND FWindow = nullptr; // the window whose DC the canvas took
    TDC* FOwnDC = nullptr;
};

void FreeDeviceContexts();
