#pragma once
#include "classlib/ToolBar.h"
#include "skin/TAVThemes.h"

class TtavFileTheme;

// The class library's flat tool bar with the skin's button faces: hot, pressed and checked buttons are
// painted in the style's three tool-bar colours; every other state keeps the base drawing. In the MacOS and
// Protein styles the bar shows its parent through.
class TtavToolBar : public TToolBar {
    VMR_CLASS(TtavToolBar, TToolBar)

  public:
    static void PublishProperties(TPublisher<TtavToolBar>& p);
    void AfterConstruction() override;

    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor value);
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor value);
    TColor ButtonDownColor() const { return FButtonDownColor; }
    void SetButtonDownColor(TColor value);

  protected:
    explicit TtavToolBar(TComponent* owner) : TToolBar(owner) {}
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void PaintToolBarBackground(TToolBar* sender, const TRect& rect, bool& defaultDraw);
    void PaintSkinnedButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw);
    void DrawButtonFace(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text, int imageIndex,
                        TImageList* images);
    void DrawButtonFaceDown(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text,
                            int imageIndex, TImageList* images);
    // What both faces share; `down` shifts the image and caption one pixel right and down.
    void PaintFace(TCanvas* canvas, const TRect& r, bool dropDown, const std::string& text, int imageIndex,
                   TImageList* images, TColor face, bool down);
    void DrawDropDownArrow(TCanvas* canvas, const TRect& r);
    TColor StyleColor(int key) const;

    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TColor FButtonColor = clBtnFace;
    TColor FButtonBorderColor = clBlack;
    TColor FButtonDownColor = clBtnFace;
};
