#include "classlib/Frame3D.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
        canvas->Brush()->SetColor(topLeft);
        canvas->FillRect(TRect{rect.Left, rect.Top, rect.Right - 1, rect.Top + 1});
        canvas->FillRect(TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1});
        canvas->Brush()->SetColor(bottomRight);
        canvas->FillRect(TRect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        canvas->FillRect(TRect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}
