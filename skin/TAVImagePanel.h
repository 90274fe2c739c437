#pragma once
#include "classlib/Bitmap.h"
#include "classlib/Panel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

// A caption panel: the style's caption bar across its top with the caption in it, a white body in a
// one-pixel border, and, with ShowButton, a button at the bar's right end that rolls the panel up to the bar
// and down again in steps. Aligned children lie inside the border and below the bar.
class TtavPanel : public TCustomPanel {
    VMR_CLASS(TtavPanel, TCustomPanel)

public:
    static void PublishProperties(TPublisher<TtavPanel>& p);
    void AfterConstruction() override;

    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TColor CaptionFontColor() const { return FCaptionFontColor; }
    void SetCaptionFontColor(TColor value);
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool value);
    // The height when rolled down, also while rolled up; setting it while rolled up keeps it for the next
    // roll-down.
    int ExpandedHeight() const { return FExpandedHeight; }
    void SetExpandedHeight(int value);
    bool Expanded() const { return FExpanded; }
    // The caption bar's height: the style's bar picture.
    int CaptionBarHeight() const { return FCaptionBitmap.Height(); }

    void RollUp();
    void RollDown();

    TNotifyEvent OnPush;
    TNotifyEvent OnPop;

protected:
    explicit TtavPanel(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void Resize() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void DrawButton(TCanvas* canvas, int width, int barHeight);
    // Moves the height towards the target in steps of 15 pixels, painting and handling messages after each;
    // false when the panel was freed meanwhile.
    bool Roll(int target);

    TColor FBorderColor = clBlack;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TBitmap FCaptionBitmap;
    bool FShowButton = true;
    bool FMouseOnButton = false;
    bool FExpanded = true;
    int FExpandedHeight = 0;
    bool FAnimating = false;
    TColor FCaptionFontColor = clWhite;
};
