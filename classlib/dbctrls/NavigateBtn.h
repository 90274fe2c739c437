#pragma once
#include "classlib/Object.h"
#include "classlib/Set.h"
#include "classlib/TypInfo.h"

#include <functional>

// The buttons of a data navigator, left to right.
enum class TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
using enum TNavigateBtn;
VMR_ENUM_NAMES(TNavigateBtn, "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit", "nbPost",
               "nbCancel", "nbRefresh")
using TButtonSet = TSet<TNavigateBtn>;
inline constexpr int NavigateBtnCount = 10;

using ENavClick = std::function<void(TObject* Sender, TNavigateBtn Button)>;
