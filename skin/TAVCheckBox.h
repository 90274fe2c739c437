#pragma once
#include "classlib/CustomControl.h"
#include "skin/TAVThemes.h"

class TBitmap;
class TtavFileTheme;

// The three marks of a check box; the skinned one shows only two.
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;
VMR_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

// A two-state check box drawn from its style's state strip, with its caption on one line beside it. It
// toggles on a click, on the release of Space or Enter and on its accelerator; OnClick fires whenever Checked
// changes (not while a layout loads). With AutoSize it fits itself to image and caption on every paint. It
// paints through an off-screen bitmap and repaints at once when a setter changes its look.
class TtavCheckBox : public TCustomControl {
    VMR_CLASS(TtavCheckBox, TCustomControl)

  public:
    static void PublishProperties(TPublisher<TtavCheckBox>& p);

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    // Mirrors Checked: never reads cbGrayed, and writing it unchecks.
    TCheckBoxState State() const { return FChecked ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState value) { SetChecked(value == cbChecked); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    void SetEnabled(bool value) override;

  protected:
    explicit TtavCheckBox(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& m) override;
    void Paint() override;
    // The click step: focus, toggle. The class library's own step would only fire OnClick, which here
    // belongs to the change of Checked.
    void Click() override;

    virtual bool NeedsFocusRect();
    virtual bool StateImageTransparent() const { return false; }
    virtual int StateImageKey() const { return tavkey::CheckBoxImage; }
    virtual void NotifyCheckedChange();
    // Runs before a toggle by the user flips Checked; setting Checked from code does not pass here.
    virtual void BeforeToggle() {}
    virtual void ToggleChecked();
    virtual bool KeyToggleAllowed() const { return true; }

  private:
    // Frame 1 to 4 of the strip: checked, unchecked, then both greyed.
    int StateFrame() const;
    void LoadStateImage(TBitmap& image) const;
    void PaintBackground(TCanvas& canvas);
    void ToggleByKey(WORD key);
    void DialogChar(TMessage& m);

    bool FChecked = false;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    bool FTransparent = false;
    bool FAutoSize = true;
};
