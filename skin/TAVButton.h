#pragma once
#include "classlib/CustomControl.h"
#include "classlib/Forms.h"
#include "skin/TAVThemes.h"

#include <memory>
#include <string>

class TBitmap;
class TPicture;
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
    // The class library takes the action's caption into the window text; the caption follows it.
    void ActionChange(TBasicAction* sender, bool checkDefaults) override;

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

    // What a paint shows of the focus; a change of focus elsewhere repaints only a button whose look it changes.
    virtual int FocusLook() const { return Focused() && TabStop(); }
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
    int FPaintedFocusLook = -1; // none painted yet
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
    // An empty glyph takes the action's image from its list.
    void ActionChange(TBasicAction* sender, bool checkDefaults) override;
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

// A button drawn from up to four pictures of its user's, one per state, each falling back to PicNormal. It
// has no style: UIStyle always reads FromThemeFile and no theme file is taken.
class TtavImageButton : public TtavCustomButton {
    VMR_CLASS(TtavImageButton, TtavCustomButton)

  public:
    ~TtavImageButton() override;
    static void PublishProperties(TPublisher<TtavImageButton>& p);

    TtavUIStyle UIStyle() const { return TtavUIStyle::FromThemeFile; }
    TPicture* PicNormal() const { return FPicNormal.get(); }
    void SetPicNormal(const TPicture* value) { SetPicture(*FPicNormal, value); }
    TPicture* PicMouseOn() const { return FPicMouseOn.get(); }
    void SetPicMouseOn(const TPicture* value) { SetPicture(*FPicMouseOn, value); }
    TPicture* PicMouseDown() const { return FPicMouseDown.get(); }
    void SetPicMouseDown(const TPicture* value) { SetPicture(*FPicMouseDown, value); }
    TPicture* PicDisabled() const { return FPicDisabled.get(); }
    void SetPicDisabled(const TPicture* value) { SetPicture(*FPicDisabled, value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value);

  protected:
    explicit TtavImageButton(TComponent* owner);
    void ResizeToFrame() override;
    void PaintFrame(TCanvas* canvas, TBitmap* frame) override;
    void PaintFocus(TCanvas* canvas) override;
    void LoadNormalFrame(TBitmap* bitmap) override;
    void LoadMouseOnFrame(TBitmap* bitmap) override;
    void LoadMouseDownFrame(TBitmap* bitmap) override;
    void LoadDisabledFrame(TBitmap* bitmap) override;

  private:
    void SetPicture(TPicture& picture, const TPicture* value);
    // The state's own picture, or PicNormal when that one is empty.
    void LoadPicture(TBitmap* bitmap, const TPicture& picture);

    std::unique_ptr<TPicture> FPicNormal;
    std::unique_ptr<TPicture> FPicMouseOn;
    std::unique_ptr<TPicture> FPicMouseDown;
    std::unique_ptr<TPicture> FPicDisabled;
    bool FStretch = false;
    bool FDrawFocused = false;
};
