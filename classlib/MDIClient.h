#pragma once
#include "platform/Window.h"

// The client window of an MDI parent form: the child window that holds the MDI child forms' windows and
// keeps which of them is active.

inline constexpr const char* MDIClientClass = "MDICLIENT";

// Makes the client window inside the parent form's window.
HWND CreateMDIClient(HWND parentForm);

// Messages the client answers:
// - WM_MDIACTIVATE (wParam: a child window): that child becomes the active one and comes to the top; the
//   child losing the activation and the child gaining it each receive WM_MDIACTIVATE with wParam the one
//   deactivated and lParam the one activated.
// - WM_MDIGETACTIVE: the active child window, or nullptr; when lParam points at a bool it says whether that
//   child is maximised.
// A maximised child keeps filling the client area as the client is sized.
