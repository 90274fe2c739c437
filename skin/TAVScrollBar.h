#pragma once
#include "classlib/Bitmap.h"
#include "classlib/Panel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"
#include "skin/TAVTrackBar.h"

#include <cstdint>

class TtavImageButton;

// A skinned scroll bar of three children: a back arrow button, a scroll track with its slider, and a
// forward arrow button, whose press-and-hold steps the value by SmallChange. The value, its range, the page
// and OnChange live in the track, which is OnChange's Sender. The slider is LineButton pixels long, or
// PageSize percent of the track.
class TtavScrollBar : public TCustomPanel {
    VMR_CLASS(TtavScrollBar, TCustomPanel)

  public:
    ~TtavScrollBar() override;
    static void PublishProperties(TPublisher<TtavScrollBar>& p);
    void AfterConstruction() override;

    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TtavProgressBarOrientation value);
    int LineButton() const { return FLineButton; }
    // Ignored when longer than the track can be; 1 to 17 become 18; 0 or less: the page rule.
    void SetLineButton(int value);
    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    uint16_t SmallChange() const { return FSmallChange; }
    void SetSmallChange(uint16_t value) { FSmallChange = value; }
    // The track's page size, as 16 bits; the slider stays until its next build.
    uint16_t LargeChange() const;
    void SetLargeChange(uint16_t value);
    // The same value as LargeChange; rebuilds the slider.
    int PageSize() const;
    void SetPageSize(int value);
    void SetSliderVisible(bool value);

    TtavScrollTrackBar* Track() const { return FTrack; }
    TtavImageButton* BackButton() const { return FBackButton; }
    TtavImageButton* ForwardButton() const { return FForwardButton; }

    // The control an attached bar lies over: the wheel over the bar scrolls that control. nullptr: none.
    void SetWheelTarget(TWinControl* value) { FWheelTarget = value; }

    // Fired by the track, with the track as Sender.
    TNotifyEvent OnChange;

  protected:
    explicit TtavScrollBar(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void Resize() override;

  private:
    TtavImageButton* MakeArrowButton(void (TtavScrollBar::*step)());
    void StepBack();
    void StepForward();
    void LoadStyleImages();
    void LoadButtonPictures(const class TtavThemeSource& source);
    void LayoutParts();
    void BuildSlider();
    // The length the slider may take: the bar's length less both buttons.
    int FreeLength() const;
    int TrackLength() const;

    TtavScrollTrackBar* FTrack = nullptr;
    TWinControl* FWheelTarget = nullptr;
    TtavImageButton* FForwardButton = nullptr;
    TtavImageButton* FBackButton = nullptr;
    TBitmap FFirstPiece;
    TBitmap FMiddlePiece;
    TBitmap FLastPiece;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TtavProgressBarOrientation FOrientation = tavHorizontal;
    uint16_t FSmallChange = 1;
    int FLineButton = 0;
};
