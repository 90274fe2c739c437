#include "classlib/ShortCut.h"

#include "classlib/SysUtils.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<WORD, std::string_view>, 15> SpecialKeys{{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
}};

// The modifiers in the order their names are written.
constexpr std::array<std::pair<TShortCut, std::string_view>, 3> Modifiers{{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

std::string KeyName(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F12) return std::string("F") += IntToStr(key - VK_F1 + 1);
    for (auto [vk, name] : SpecialKeys)
        if (vk == key) return std::string(name);
    return {};
}

WORD KeyOfName(std::string_view name) {
    for (WORD key = 1; key < 256; ++key) {
        std::string known = KeyName(key);
        if (!known.empty() && SameText(known, name)) return key;
    }
    return 0;
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key & 0xFF00) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = {};
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string text;
    for (auto [flag, prefix] : Modifiers)
        if (shortCut & flag) text += prefix;
    return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
    std::string rest = Trim(text);
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (auto [flag, prefix] : Modifiers) {
            if (rest.size() > prefix.size() &&
                SameText(std::string_view(rest).substr(0, prefix.size()), prefix)) {
                modifiers |= flag;
                rest = Trim(std::string_view(rest).substr(prefix.size()));
                found = true;
            }
        }
    }
    WORD key = KeyOfName(rest);
    return key ? TShortCut(key | modifiers) : scNone;
}
