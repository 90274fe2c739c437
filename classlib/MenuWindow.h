#pragma once
#include "classlib/Menus.h"

#include <functional>

// Menu windows: popup top-level windows with the platform's 3-pixel border that show a level of menu items,
// and the modal tracking of the mouse and keys over them.

inline constexpr const char* MenuWindowClass = "VmrMenuWindow";

// Shows the menu's visible items at the screen point (the menu's left, right or centre there, as `alignment`
// says), kept inside the work area, and tracks the user until an item is chosen or the menu is left: returns
// the chosen item (enabled, without sub-items), or nullptr. Runs no click itself.
TMenuItem* TrackMenu(TMenu& menu, TPoint screen, TPopupAlignment alignment);

// A menu bar's drop-down also ends when the user moves on to a neighbouring top item: the left arrow on the
// first level, the right arrow on an item without sub-items, or the mouse onto a place the bar claims.
struct TMenuBarExit {
    std::function<bool(TPoint screen)> Claims; // asked for mouse moves outside the menu windows
    bool MovedOn = false;                     // set when tracking ended so
    int Step = 0;                             // -1 left, +1 right; 0 when the mouse moved on
};
TMenuItem* TrackMenu(TMenu& menu, TPoint screen, TPopupAlignment alignment, TMenuBarExit& bar);
// Runs the item's click from the message loop once the current message is handled; nothing when the item is
// gone by then.
void PostMenuClick(TMenuItem* item);

// Where a menu window of `size` goes: at the point as aligned, or beside the item of its parent menu window
// (on its right, or its left for a right-to-left menu), flipped to the other side and then moved where it
// would leave the work area.
TRect PlacePopupMenu(TSize size, TPoint screen, TPopupAlignment alignment, const TRect& workArea);
TRect PlaceSubMenu(TSize size, const TRect& parentWindow, const TRect& parentItem, const TRect& workArea,
                   bool rightToLeft = false);
