#pragma once
#include "classlib/CustomControl.h"
#include "classlib/TextAlignment.h"

// Static text painted by its parent. With AutoSize it takes the size of its text whenever the caption or the
// font changes (keeping its width under WordWrap); an "&" marks the accelerator that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
    VMR_CLASS(TCustomLabel, TGraphicControl)

  public:
    static void PublishProperties(TPublisher<TCustomLabel>& p);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

  protected:
    explicit TCustomLabel(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void Loaded() override;
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();
    // What the label shows: its caption here, a field's text in a data-aware label.
    virtual std::string GetLabelText() const { return Caption(); }

  private:
    unsigned TextFlags() const;
    // The text rectangle DrawText computes within `rect` (its width kept under WordWrap).
    TRect MeasureCaption(TRect rect);
    void DialogChar(TMessage& m);

    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    VMR_CLASS(TLabel, TCustomLabel)

  protected:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
