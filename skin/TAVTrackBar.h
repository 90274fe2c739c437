#pragma once
#include "classlib/Bitmap.h"
#include "classlib/Panel.h"
#include "classlib/Picture.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

#include <memory>

class TTimer;
class TtavImagePanel;

// The direction of a track bar or a scroll bar.
enum class TtavProgressBarOrientation : uint8_t { tavHorizontal, tavVertical };
using enum TtavProgressBarOrientation;
VMR_ENUM_NAMES(TtavProgressBarOrientation, "tavHorizontal", "tavVertical")

// A slider control: the style's bar picture across it, a picture panel as the slider, optional ticks, and a
// value Position in Min..Max. The value moves by dragging the slider, by pressing beside it (one page, then
// on every 100 ms while held, never past the point pressed) and by the keys. The range setters clamp
// silently.
class TtavTrackBar : public TCustomPanel {
    VMR_CLASS(TtavTrackBar, TCustomPanel)

  public:
    ~TtavTrackBar() override;
    static void PublishProperties(TPublisher<TtavTrackBar>& p);
    void AfterConstruction() override;

    TtavProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TtavProgressBarOrientation value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    // MacOS also turns Transparent on; no style turns it off.
    void SetUIStyle(TtavUIStyle value);
    TPicture* BarImage() { return &FBarImage; }
    void SetBarImage(const TPicture* value);
    TPicture* SliderImage() const;
    virtual void SetSliderImage(const TPicture* value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    // Clamped to Min..Max; places the slider and repaints even when unchanged.
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    // Taken only in 0..Max.
    void SetPageSize(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    bool ShowTick() const { return FShowTick; }
    void SetShowTick(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);

    // The slider's top-left corner in client coordinates for the present value.
    TPoint GetSliderOrigin() const;
    // The value whose slider centre lies under the point, rounded half to even, not clamped; 0 when the
    // slider is as long as the bar.
    int GetValueAtPoint(int x, int y) const;
    // The value at the point, clamped; through the Position setter, or only stored.
    void SetPositionAtPoint(int x, int y, bool throughSetter);
    TtavImagePanel* Slider() const { return FSlider; }
    bool Dragging() const { return FDragging; }
    bool Repeating() const { return FRepeatTimer != nullptr; }
    // The bar picture composed at the control's length, turned for a vertical bar.
    const TBitmap& BarBitmap() const { return FBarBitmap; }

    TNotifyEvent OnChange;

  protected:
    explicit TtavTrackBar(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

    // Loads the style's pictures and builds the bar bitmap, unless ImagesFromOwner.
    virtual void ApplyStyleImages();
    virtual bool ImagesFromOwner() const { return false; }
    // What the slider panel's Transparent is set to.
    virtual bool SliderTransparent() const { return FOrientation == tavHorizontal; }

    void UpdateSlider();
    void Restyle();

  private:
    int Length() const;
    int Thickness() const;
    int SliderLength() const;
    int SliderThickness() const;
    // The coordinate along the bar.
    int Along(int x, int y) const { return FOrientation == tavHorizontal ? x : y; }
    // The value after one step of `step` towards the point, never past the value at the point.
    int StepTowards(int x, int y, int step) const;
    void FitToImages();
    void BuildBarBitmap();
    void DrawTicks(TCanvas* canvas) const;
    void MoveSlider();
    void NotifyChange();
    void SliderMouseDown(TMouseButton button);
    void StartRepeat();
    void RepeatTimerTick();
    void TakeFocus();

    TPicture FBarImage;
    std::unique_ptr<TTimer> FRepeatTimer;
    TtavImagePanel* FSlider = nullptr;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FNotifiedPosition = 0;
    TtavProgressBarOrientation FOrientation = tavHorizontal;
    TtavFileTheme* FFileTheme = nullptr;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    bool FShowTick = true;
    bool FTransparent = false;
    bool FDragging = false;
    int FFrequency = 1;
    int FPageSize = 2;
    int FLineSize = 1;
    TBitmap FBarBitmap;
};

// The track of the skinned scroll bar: its slider picture is built by the scroll bar, and it shows no bar
// picture and no ticks.
class TtavScrollTrackBar : public TtavTrackBar {
    VMR_CLASS(TtavScrollTrackBar, TtavTrackBar)

  public:
    bool GetSliderVisible() const;
    void SetSliderVisible(bool value);
    // The slider takes the size of the picture just given.
    void RefitSlider();

  protected:
    explicit TtavScrollTrackBar(TComponent* owner) : TtavTrackBar(owner) {}
    bool ImagesFromOwner() const override { return true; }
    bool SliderTransparent() const override { return false; }
};
