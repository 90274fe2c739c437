#pragma once
#include "classlib/Controls.h"

// What an owner-drawn item is at the moment it is drawn.
enum class TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using enum TOwnerDrawStateFlag;
VMR_ENUM_NAMES(TOwnerDrawStateFlag, "odSelected", "odGrayed", "odDisabled", "odChecked", "odFocused",
               "odDefault", "odComboBoxEdit")
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
// Height comes in as the control's ItemHeight; the handler sets the item's own.
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
