#pragma once
#include "classlib/MenuWindow.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Window.h"

#include <functional>
#include <utility>

// Runs `look` once, with the windows presented, as soon as a menu window shows while the user's input goes on
// (a menu's modal loop runs the timer too). The input that opens the menu should pause a little after it, so
// that the timer has its turn; StopPeekingAtMenuWindow ends the watch.
inline constexpr uintptr_t MenuPeekTimer = 21;

inline std::function<void(HWND)>& MenuPeek() {
    static std::function<void(HWND)> peek;
    return peek;
}

inline void PeekAtMenuWindow(std::function<void(HWND)> look) {
    MenuPeek() = std::move(look);
    SetTimer(nullptr, MenuPeekTimer, 20, [](HWND, UINT, uintptr_t, DWORD) {
        for (HWND h : GetTopLevelWindows())
            if (GetClassName(h) == MenuWindowClass && IsWindowVisible(h) && MenuPeek()) {
                PresentWindows();
                auto once = std::move(MenuPeek());
                MenuPeek() = nullptr;
                once(h);
            }
    });
}

inline void StopPeekingAtMenuWindow() {
    KillTimer(nullptr, MenuPeekTimer);
    MenuPeek() = nullptr;
}
