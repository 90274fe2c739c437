#pragma once
#include "classlib/Memo.h"
#include "skin/TAVAttachedScrollBars.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

// A memo with a flat one-pixel frame in BorderColor, painted over its border after the memo's own painting.
// Skinned scroll bars attached as VScrollBar and HScrollBar cover its native ones and follow them.
class TtavMemo : public TCustomMemo {
    VMR_CLASS(TtavMemo, TCustomMemo)

public:
    static void PublishProperties(TPublisher<TtavMemo>& p);
    void AfterConstruction() override;

    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    // Takes the style's control border colour; the memo's Color stays.
    void SetUIStyle(TtavUIStyle value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TtavScrollBar* VScrollBar() const { return FBars.Bar(SB_VERT); }
    void SetVScrollBar(TtavScrollBar* value) { FBars.Attach(SB_VERT, value); }
    TtavScrollBar* HScrollBar() const { return FBars.Bar(SB_HORZ); }
    void SetHScrollBar(TtavScrollBar* value) { FBars.Attach(SB_HORZ, value); }

protected:
    explicit TtavMemo(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

private:
    void PaintFrame();

    TColor FBorderColor = clBlack;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TtavAttachedScrollBars FBars;
};
