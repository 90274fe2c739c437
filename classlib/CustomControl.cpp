#include "classlib/CustomControl.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
        FCanvas.PaintOn(reinterpret_cast<HDC>(m.WParam), [this] {
            FCanvas.Font()->Assign(Font());
            Paint();
        });
        return;
    }
    TControl::WndProc(m);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas.PaintOn(dc, [this] {
        FCanvas.Font()->Assign(Font());
        Paint();
    });
}
