#pragma once
#include "platform/Window.h"

#include <optional>

// The scroll bars a window's style gives it (WS_HSCROLL, WS_VSCROLL): their information, their drawing in the
// non-client area and their mouse handling, which sends WM_HSCROLL / WM_VSCROLL with the SB_ codes.

// Returns the new position. A range with nothing to scroll hides the bar, or disables it under
// SIF_DISABLENOSCROLL.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info); // fills what info.fMask asks for
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int min, int max, bool redraw);
bool ShowScrollBar(HWND hwnd, int bar, bool show);
bool EnableScrollBar(HWND hwnd, int bar, bool enable);
// `objectId` is OBJID_VSCROLL or OBJID_HSCROLL. The bar's state is exactly STATE_SYSTEM_INVISIBLE when the
// window has no such bar, exactly STATE_SYSTEM_UNAVAILABLE when it or its window is disabled.
bool GetScrollBarInfo(HWND hwnd, int objectId, SCROLLBARINFO& info);

// The position a WM_HSCROLL / WM_VSCROLL request asks for: from `pos` by `line` or `page`, the thumb's from the
// request itself, or 0 and `last` for the ends; none for SB_ENDSCROLL. The caller clamps it.
std::optional<int> RequestedScrollPos(WPARAM request, int pos, int line, int page, int last);
