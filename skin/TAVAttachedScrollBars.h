#pragma once
#include "classlib/Memo.h"
#include "skin/TAVThemes.h"

#include <functional>

class TComponent;
class TWinControl;
class TtavFileTheme;
class TtavScrollBar;
struct TMessage;

// How a control's attached bars differ from the memo's.
struct TtavAttachedBarRules {
    // The control's messages are a text editor's (text changes, cut, paste); else a list's.
    bool TextMessages = true;
    // Placing a bar hides it when the control is thinner than the bar.
    bool HideThinBars = false;
    // A native bar with nothing to scroll hides the whole attached bar; else only its slider.
    bool HideWholeBar = false;
    // A scroll that a bar drives does not sync the bars back.
    bool GuardBarScroll = true;
    // Attaching and detaching switch the control's own scroll bars; empty leaves them alone.
    std::function<void(TScrollStyle)> SetNativeBars;
};

// Skinned scroll bars that lie over a control's native ones, siblings on its parent: the control places
// them over its edge, copies its native scroll state into them after every message that can change it, and
// turns a bar's change into a thumb-position scroll of itself. Each control forwards its removal
// notifications and its messages (after their own handling) here. A bar that outlives the control is let
// go of first.
class TtavAttachedScrollBars {
  public:
    TtavAttachedScrollBars(TWinControl& control, TtavAttachedBarRules rules);
    ~TtavAttachedScrollBars();
    TtavAttachedScrollBars(const TtavAttachedScrollBars&) = delete;
    TtavAttachedScrollBars& operator=(const TtavAttachedScrollBars&) = delete;

    // `bar` is SB_HORZ or SB_VERT.
    TtavScrollBar* Bar(int bar) const { return bar == SB_HORZ ? FHorz : FVert; }
    void Attach(int bar, TtavScrollBar* value);
    // The resolved style and the theme, given on to the attached bars.
    void ApplyStyle(TtavUIStyle resolvedStyle);
    void ApplyTheme(TtavFileTheme* theme);
    void Removed(TComponent* component);
    void AfterMessage(const TMessage& message);

    void UpdateNativeScrollBars();
    void PlaceScrollBars();
    void SyncScrollBars();

  private:
    // Gives a detached bar back its stand-alone state.
    static void Release(TtavScrollBar* bar);
    void SyncBar(int bar, TtavScrollBar* target);
    void BarChanged(int bar);
    void ForEachBar(const std::function<void(TtavScrollBar*)>& action) const;

    TWinControl& FControl;
    TtavAttachedBarRules FRules;
    TtavScrollBar* FVert = nullptr;
    TtavScrollBar* FHorz = nullptr;
    bool FMouseDown = false;
    bool FSyncing = false;
    bool FScrollingFromBar = false;
};
