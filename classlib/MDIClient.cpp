#include "classlib/MDIClient.h"

#include "platform/MessageLoop.h"

namespace {

struct TMDIClientState {
    HWND Active = nullptr;
};

// Set once the window is made; none while it is being made.
TMDIClientState* StateOf(HWND client) {
    return static_cast<TMDIClientState*>(GetWindowUserData(client));
}

// The active child while it is still a child of this client.
HWND ActiveChild(HWND client) {
    const TMDIClientState* state = StateOf(client);
    HWND active = state ? state->Active : nullptr;
    return IsWindow(active) && GetParent(active) == client ? active : nullptr;
}

void Activate(HWND client, HWND child) {
    TMDIClientState* state = StateOf(client);
    if (!state || !IsWindow(child) || GetParent(child) != client) return;
    const HWND old = ActiveChild(client);
    if (old == child) return;
    state->Active = child;
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (old) {
        SendMessage(old, WM_NCACTIVATE, 0, 0);
        SendMessage(old, WM_MDIACTIVATE, WPARAM(old), LPARAM(child));
    }
    SendMessage(child, WM_NCACTIVATE, 1, 0);
    SendMessage(child, WM_MDIACTIVATE, WPARAM(old), LPARAM(child));
}

void FillWithMaximizedChildren(HWND client) {
    const TRect area = GetClientRect(client);
    for (HWND child : GetChildren(client))
        if (IsZoomed(child)) MoveWindow(child, area.Left, area.Top, area.Width(), area.Height());
}

LRESULT MDIClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MDIACTIVATE:
        Activate(h, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE: {
        const HWND active = ActiveChild(h);
        if (auto* maximized = reinterpret_cast<bool*>(lParam)) *maximized = active && IsZoomed(active);
        return LRESULT(active);
    }
    case WM_SIZE:
        FillWithMaximizedChildren(h);
        return 0;
    case WM_NCDESTROY:
        delete StateOf(h);
        SetWindowUserData(h, nullptr);
        return 0;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

} // namespace

HWND CreateMDIClient(HWND parentForm) {
    RegisterClass(WNDCLASS{MDIClientClass, 0, MDIClientProc, clAppWorkSpace});
    const TRect area = GetClientRect(parentForm);
    HWND client = CreateWindowEx(WS_EX_CLIENTEDGE, MDIClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 0, 0, area.Width(), area.Height(), parentForm);
    SetWindowUserData(client, new TMDIClientState);
    // Below the form's other windows, made before it, as the aligned controls are around it.
    SetWindowPos(client, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return client;
}
