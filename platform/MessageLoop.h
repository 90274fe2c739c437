#pragma once
#include "platform/Messages.h"
#include "platform/host/Host.h"

#include <functional>

// Messages: sending, posting, the one queue, timers and the application's message hook.

// Starts the window system on a host; the host outlives every window. Shutting down destroys every window
// and forgets the queue, the timers and the hooks.
void InitWindowSystem(THost& host);
void ShutdownWindowSystem();
THost& Host();

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

// Waits for the next message. Returns false for WM_QUIT, and also, with WM_NULL in `msg`, when the host can
// never deliver more input (the headless host out of injected events): a modal loop then ends as cancelled.
bool GetMessage(MSG& msg);
// Waits until a message is there, without taking it; false when the host can never deliver more input.
bool WaitMessage();
// Takes (PM_REMOVE) or looks at the next message without waiting; false when there is none.
bool PeekMessage(MSG& msg, UINT removeFlags);
// Posts WM_CHAR for the keys that stand for control characters and WM_SYSCHAR for Alt with a letter or digit;
// printable text arrives from the host as WM_CHAR by itself.
bool TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);

// The application's hook sees every message taken from the queue (except WM_QUIT) before it is translated
// and dispatched; returning true marks it handled.
using TMessageHook = std::function<bool(MSG&)>;
TMessageHook SetMessageHook(TMessageHook hook); // returns the previous hook
bool HasMessageHook();
// Hook, translate and dispatch, as every message loop does with a message it took.
void ProcessMessage(MSG& msg);
// Handles every pending message without waiting (posted, input, paint, due timers); false once WM_QUIT came
// (it stays posted for the outer loop).
bool ProcessPendingMessages();
// Runs the loop until the host has no more input (the headless host's end of injected events, its pauses
// included); false when WM_QUIT came. On a display it returns only on WM_QUIT.
bool RunUntilIdle();
// Runs a nested loop until `done` answers true; false when it ended because of WM_QUIT or because the host
// has no more input.
bool RunModalLoop(const std::function<bool()>& done);

// Timers: WM_TIMER on the queue's thread when the queue is otherwise empty. An interval of 0 never fires;
// setting an existing id again restarts it.
using TTimerProc = std::function<void(HWND, UINT, uintptr_t, DWORD)>;
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT intervalMs, TTimerProc proc = {});
bool KillTimer(HWND hwnd, uintptr_t id);
DWORD GetTickCount();
DWORD GetMessageTime();
TPoint GetMessagePos();
