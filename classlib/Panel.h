#pragma once
#include "classlib/CustomControl.h"
#include "classlib/Forms.h"
#include "classlib/TextAlignment.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using enum TPanelBevel;
VMR_ENUM_NAMES(TPanelBevel, "bvNone", "bvLowered", "bvRaised", "bvSpace")

// A control's own border: bsNone or bsSingle of the form border styles.
using TBorderStyle = TFormBorderStyle;

// A container with a caption, framed by an outer and an inner bevel and a border; aligned children fill what
// lies inside the border, the bevels and BorderWidth.
class TCustomPanel : public TCustomControl {
    VMR_CLASS(TCustomPanel, TCustomControl)

  public:
    static void PublishProperties(TPublisher<TCustomPanel>& p);

    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Repaint the whole panel on a resize, not only what the resize uncovers.
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool value) { FFullRepaint = value; }

  protected:
    explicit TCustomPanel(TComponent* owner);
    void WndProc(TMessage& message) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void Resize() override;
    // Lays the children out again after an inset changed, and repaints.
    void InsetsChanged();

  private:
    // The width a bevel takes from each side.
    int BevelInset(TPanelBevel bevel) const { return bevel == bvNone ? 0 : FBevelWidth; }
    void PaintBevel(TRect& rect, TPanelBevel bevel);

    TPanelBevel FBevelOuter = bvRaised;
    TPanelBevel FBevelInner = bvNone;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
    VMR_CLASS(TPanel, TCustomPanel)

  protected:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
