#pragma once
#include "classlib/CustomControl.h"
#include "report/QRToolButton.h"

#include <string>

// A row of flat tool buttons and painted texts along the top of a window, placed left to right.
class TQRToolBar : public TCustomControl {
    VMR_CLASS(TQRToolBar, TCustomControl)

  public:
    static constexpr int BarHeight = TQRToolButton::Size + 6;
    TQRToolButton* AddButton(const std::string& hint, TQRToolButton::TGlyphPainter glyph, TNotifyEvent onClick);
    void AddSeparator();
    // A place for a text of the given width, painted by the bar; returns its index for SetBarText.
    size_t AddText(int width);
    void SetBarText(size_t index, const std::string& text);
    const std::string& BarText(size_t index) const { return FTexts.at(index).Text; }

  protected:
    explicit TQRToolBar(TComponent* owner);
    void Paint() override;

  private:
    struct TBarText {
        TRect Bounds;
        std::string Text;
    };
    int FNextLeft = 4;
    std::vector<TBarText> FTexts;
};
