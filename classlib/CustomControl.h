#pragma once
#include "classlib/ControlCanvas.h"
#include "classlib/WinControl.h"

// A control without a window of its own, painted by its parent on the parent's window.
class TGraphicControl : public TControl {
    VMR_CLASS(TGraphicControl, TControl)

  public:
    TControlCanvas* Canvas() { return &FCanvas; }

  protected:
    explicit TGraphicControl(TComponent* owner);
    void WndProc(TMessage& message) override;
    virtual void Paint() {}

  private:
    TControlCanvas FCanvas{this};
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
    VMR_CLASS(TCustomControl, TWinControl)

  public:
    TControlCanvas* Canvas() { return &FCanvas; }

  protected:
    explicit TCustomControl(TComponent* owner);
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}

  private:
    TControlCanvas FCanvas{this};
};
