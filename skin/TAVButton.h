#pragma once
#include "classlib/CustomControl.h"
#include "classlib/Forms.h"
#include "skin/TAVThemes.h"

#include <memory>
#include <string>

class TBitmap;
class TTimer;
class TtavFileTheme;

// Where a push button's glyph sits beside its caption.
enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;
VMR_ENUM_NAMES(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

// The base of the skinned buttons: a windowed control painted whole through an off-screen bitmap from the
// frame of its state (normal, mouse over, pressed, disabled), its caption and a focus mark. It repeats an
// event while the left mouse button is held, answers its accelerator, Enter and Escape, and hands its
// ModalResult to its form on every click.
class TtavCustomButton : public TCustomControl {
    VMR_CLASS(TtavCustomButton, TCustomControl)

  public:
    ~TtavCustomButton() override;
    static void PublishProperties(TPublisher<TtavCustomButton>& p);
    void AfterConstruction() override;

    // What is drawn and carries the accelerator. The window text follows nothing of it, while a new window
    // text becomes the caption; so this hides TControl::Caption on purpose.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    int MouseContinuouslyDownInterval() const { return FRepeatInterval; }
    void SetMouseContinuouslyDownInterval(int value) { FRepeatInterval = value; }
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int value);
    void SetEnabled(bool value) override;

    bool MouseOver() const { return FMouseOver; }
    bool Pressed() const { return FPressed; }

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

  protected:
    explicit TtavCustomButton(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Paint() override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    virtual void ResizeToFrame();
    virtual void AfterCaptionChange() {}
    virtual void ApplyButtonFont();
    virtual void ApplyFrameTransparency();
    virtual void AfterEnabledChange() {}
    virtual void ApplyStyleSettings() {}
    virtual void PaintFrame(TCanvas* canvas, TBitmap* frame);
    virtual void PaintCaption(TCanvas* canvas, const std::string& caption);
    virtual void PaintFocus(TCanvas* canvas);
    virtual void LoadNormalFrame(TBitmap* bitmap);
    virtual void LoadMouseOnFrame(TBitmap* bitmap);
    virtual void LoadMouseDownFrame(TBitmap* bitmap);
    virtual void LoadDisabledFrame(TBitmap* bitmap);

    // Frame `index` of the three of the style's ButtonImage strip, from the theme file or the built-in table.
    void LoadStyleFrame(TBitmap* bitmap, int index);
    bool FrameTransparency() const { return FFrameTransparency; }
    // Set by a focus step that shows focus by a bold caption; read and cleared by the caption step.
    bool FBoldCaptionRequest = false;

  private:
    void LoadStateFrame(TBitmap* bitmap);
    void PaintBackground(TCanvas* canvas);
    void StartRepeat();
    void StopRepeat();
    // The left button or the key was let go, or the capture lost: not pressed any more.
    void ReleasePress();
    void HandleDialogKey(TMessage& m);
    void HandleDialogChar(TMessage& m);

    bool FAutoSize = false;
    std::string FCaption;
    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    TModalResult FModalResult = mrNone;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    bool FFrameTransparency = false;
    std::unique_ptr<TTimer> FRepeatTimer;
    int FRepeatInterval = 100;
    int FFocusedRectMargin = 2;
    bool FMouseOver = false;
    bool FPressed = false;
};

// The published push button: its frame stretched to any size, an optional glyph beside the caption, its
// transparency taken from the style, and focus shown in MacOS and BlueGlass by a bold caption.
class TtavButton : public TtavCustomButton {
    VMR_CLASS(TtavButton, TtavCustomButton)

  public:
    ~TtavButton() override;
    static void PublishProperties(TPublisher<TtavButton>& p);

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

  protected:
    explicit TtavButton(TComponent* owner);
    void ApplyStyleSettings() override;
    void PaintFrame(TCanvas* canvas, TBitmap* frame) override;
    void PaintCaption(TCanvas* canvas, const std::string& caption) override;
    void PaintFocus(TCanvas* canvas) override;

  private:
    void PaintGlyph(TCanvas* canvas);

    std::unique_ptr<TBitmap> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    TPoint FCaptionPos;
    int FSpacing = 4;
};
