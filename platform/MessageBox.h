#pragma once
#include "platform/Messages.h"

#include <functional>
#include <optional>
#include <string>

// The platform's modal message box: caption, text, icon and OK, OK-Cancel, Yes-No or Yes-No-Cancel buttons in
// the classic look. Enter answers the default button, Escape (and the close button) the cancelling one.

struct TMessageBoxRequest {
    HWND Owner = nullptr;
    std::string Text;
    std::string Caption;
    UINT Type = MB_OK;
};

// A hook that answers a box before it shows (tests); nullopt lets the box show.
using TMessageBoxHook = std::function<std::optional<int>(const TMessageBoxRequest&)>;
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook); // returns the previous hook

// Returns IDOK, IDCANCEL, IDYES or IDNO. The owner's top-level window is disabled while the box shows. When
// the loop ends without an answer (WM_QUIT, or a host without more input) the box answers as Escape would,
// and a Yes-No box, which has no cancelling button, answers IDNO.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
