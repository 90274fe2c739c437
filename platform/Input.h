#pragma once
#include "platform/Messages.h"
#include "platform/Window.h"
#include "platform/host/Host.h"

// Mouse capture, mouse-leave tracking, cursors, keyboard focus, activation and key state.

HWND SetCapture(HWND hwnd); // returns the previous capture window
bool ReleaseCapture();
HWND GetCapture();
bool TrackMouseEvent(const TRACKMOUSEEVENT& tme);
TPoint GetCursorPos();
void SetCursor(THostCursor cursor);

HWND SetFocus(HWND hwnd); // returns the window that had the focus
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND hwnd);

// The state of a key as of the last message taken from the queue: the high bit (negative) while it is down.
short GetKeyState(int virtualKey);
short GetAsyncKeyState(int virtualKey);
