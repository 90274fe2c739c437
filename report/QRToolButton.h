#pragma once
#include "classlib/CustomControl.h"

#include <functional>

// A flat tool bar button in the classic look: no frame until the mouse is over it, raised then, sunken while
// pressed, and its glyph drawn by code. With a caption it is a push button of the dialogs, always framed. It takes no focus, so the keys stay with the window.
class TQRToolButton : public TGraphicControl {
    VMR_CLASS(TQRToolButton, TGraphicControl)

  public:
    static constexpr int Size = 24;
    // Draws the glyph into the rectangle with the canvas's pen and brush in the glyph colour.
    using TGlyphPainter = std::function<void(TCanvas& canvas, const TRect& glyph)>;
    void SetGlyph(TGlyphPainter painter);

  protected:
    explicit TQRToolButton(TComponent* owner);
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  private:
    void DrawEdge(bool sunken);
    TGlyphPainter FGlyph;
    bool FHot = false;
    bool FPressed = false;
};
