#pragma once
#include "classlib/Bitmap.h"
#include "classlib/Panel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

#include <memory>

class TPicture;

// How a picture panel lays its picture out.
enum class TtavDrawStyle : uint8_t { tavNormal, tavStretch, tavTile };
using enum TtavDrawStyle;
VMR_ENUM_NAMES(TtavDrawStyle, "tavNormal", "tavStretch", "tavTile")

// A panel that shows a picture unscaled at its corner, stretched or tiled, optionally over its parent's
// background, with an optional one-line caption. The track bar's and scroll bar's sliders are made of it.
class TtavCustomPanel : public TCustomPanel {
    VMR_CLASS(TtavCustomPanel, TCustomPanel)

public:
    ~TtavCustomPanel() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TtavDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TtavDrawStyle value);
    // Where the caption was drawn last.
    const TRect& TextRect() const { return FTextRect; }

protected:
    explicit TtavCustomPanel(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Resize() override;

    // Gives the canvas the panel's colour for what is painted next.
    virtual void FillBackground();
    // The caption is about to change; `rect` is where it was drawn.
    virtual void TextRectChanged(const TRect& rect) { (void)rect; }
    virtual void PictureUpdated();

private:
    bool HasGraphic() const;
    void DrawPicture(TCanvas* canvas, const TRect& rect);
    void DrawCaption(TCanvas* canvas, const TRect& rect);
    // With AutoSize, takes the picture's width and height where the alignment leaves them free.
    void FitToPicture();
    void SyncPictureTransparency();

    std::unique_ptr<TPicture> FPicture;
    bool FTransparent = false;
    bool FAutoSize = false;
    TtavDrawStyle FDrawStyle = tavNormal;
    TRect FTextRect;
};

// The published picture panel; it has no style of its own.
class TtavImagePanel : public TtavCustomPanel {
    VMR_CLASS(TtavImagePanel, TtavCustomPanel)

public:
    static void PublishProperties(TPublisher<TtavImagePanel>& p);

protected:
    explicit TtavImagePanel(TComponent* owner) : TtavCustomPanel(owner) {}
};

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
