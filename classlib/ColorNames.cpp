#include "classlib/ColorNames.h"

#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <cstdio>

namespace {
struct TColorName {
    TColor Color;
    const char* Name;
};

constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};
} // namespace

bool IdentToColor(std::string_view ident, TColor& color) {
    for (const auto& entry : ColorNames) {
        if (SameText(entry.Name, ident)) {
            color = entry.Color;
            return true;
        }
    }
    return false;
}

bool ColorToIdent(TColor color, std::string& ident) {
    for (const auto& entry : ColorNames) {
        // clLtGray and clDkGray share their values with clSilver and clGray: the first name wins.
        if (entry.Color == color) {
            ident = entry.Name;
            return true;
        }
    }
    return false;
}

std::string ColorToString(TColor color) {
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", unsigned(color));
    return buffer;
}

TColor StringToColor(std::string_view text) {
    TColor color = 0;
    if (IdentToColor(Trim(text), color)) return color;
    int64_t value = 0;
    if (!TryStrToInt64(text, value) || value < INT32_MIN || value > UINT32_MAX) {
        throw EConvertError("'" + std::string(text) + "' is not a valid colour");
    }
    return TColor(uint32_t(value));
}
