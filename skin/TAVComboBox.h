#pragma once
#include "classlib/ComboBox.h"
#include "platform/Window.h"
#include "skin/TAVThemes.h"

class TCanvas;
class TtavFileTheme;

// The platform's combo box (editing, list, keys, items, events) with a flat look painted over it: a
// one-pixel frame, a flat drop button with a small arrow (or the style's button picture) and a border round
// the dropped-down list.
class TtavCustomComboBox : public TCustomComboBox {
    VMR_CLASS(TtavCustomComboBox, TCustomComboBox)

  public:
    ~TtavCustomComboBox() override;
    static void PublishProperties(TPublisher<TtavCustomComboBox>& p);
    void AfterConstruction() override;

    TtavUIStyle UIStyle() const { return FUIStyle; }
    // Every style change also turns the arrow black and reads the border and button colours again.
    void SetUIStyle(TtavUIStyle value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor value);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor value);
    void SetEnabled(bool value) override;

  protected:
    explicit TtavCustomComboBox(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void CloseUp() override;

  private:
    void PlaceEditPart();
    void PaintComboFrame(TCanvas& canvas);
    // The list window paints itself: its procedure is wrapped so that the border follows every paint.
    void HookListWindow(HWND list);
    void UnhookListWindow();
    void PaintDroppedListBorder(HWND list);
    void DrawComboButtonArrow(TCanvas& canvas, int x, int y);

    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TColor FBorderColor = clBlack;
    TColor FButtonColor = clBtnFace;
    TColor FArrowColor = clBlack;
    HWND FHookedList = nullptr;
    TWndProc FListProc;
};

class TtavComboBox : public TtavCustomComboBox {
    VMR_CLASS(TtavComboBox, TtavCustomComboBox)

  protected:
    explicit TtavComboBox(TComponent* owner) : TtavCustomComboBox(owner) {}
};
