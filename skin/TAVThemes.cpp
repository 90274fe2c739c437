#include "skin/TAVThemes.h"

#include "classlib/Bitmap.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeFile.h"

const std::array<const char*, ThemeKeyCount + 1> ThemeKeyNames = {
    "",
    "ButtonImage",                      // 1
    "ButtonTransparentBool",            // 2
    "CheckBoxImage",                    // 3
    "RadioButtonImage",                 // 4
    "TitleBarButtonImage",              // 5
    "TitleBarButtonTransparentBool",    // 6
    "TitleBarButtonLeftOffsetInt",      // 7
    "TitleBarButtonRightOffsetInt",     // 8
    "TitleBarButtonTopInt",             // 9
    "TitleBarLeftImage",                // 10
    "TitleBarClientImage",              // 11
    "TitleBarRightImage",               // 12
    "FormMinWidthInt",                  // 13
    "FormRoundCornerInt",               // 14
    "FormBackgroundColor",              // 15
    "FormBorderColor",                  // 16
    "FormBorderWidthInt",               // 17
    "MenuSelectedBorderColor",          // 18
    "MenuSelectedBackgroundColor",      // 19
    "MenuSelectedFontColor",            // 20
    "MenuBackgroundColor",              // 21
    "MenuFontColor",                    // 22
    "MenuBarColor",                     // 23
    "ProgressBarImage",                 // 24
    "ControlBorderColor",               // 25
    "ControlBackgroundColor",           // 26
    "ControlFontColor",                 // 27
    "TrackBarBarImage",                 // 28
    "TrackBarSliderImage",              // 29
    "TrackBarSliderVImage",             // 30
    "ScrollBarBackgroundColor",         // 31
    "ScrollBarButtonImage",             // 32
    "ScrollBarSliderImage",             // 33
    "CheckListBoxImage",                // 34
    "ToolBarButtonBorderColor",         // 35
    "ToolBarButtonBackgroundColor",     // 36
    "ToolBarButtonDownBackgroundColor", // 37
    "ScrollButtonImage",                // 38
    "TabControlTabImage",               // 39
    "TabControlBarImage",               // 40
    "SideChannelHandleImage",           // 41
    "SideChannelBarImage",              // 42
};

std::string ThemeKeyName(int key) {
    return key >= 1 && key <= ThemeKeyCount ? ThemeKeyNames[size_t(key)] : "";
}

namespace {

using enum TtavThemeKind;
constexpr int BuiltinStyleCount = 5;

struct TKeyRow {
    TtavThemeKind Kind;
    TtavThemeValue Values[BuiltinStyleCount]; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

constexpr TtavThemeValue N(int32_t number) {
    return {number, nullptr};
}
constexpr TtavThemeValue I(const char* resourceName) {
    return {0, resourceName};
}

// Constant data, key by key; colours as 0x00BBGGRR.
constexpr TKeyRow BuiltinTable[ThemeKeyCount] = {
    {Image,
     {I("MACOS_BUTTON"), I("WINXP_BUTTON"), I("DEEPBLUE_BUTTON"), I("PROTEIN_BUTTON"),
      I("BLUEGLASS_BUTTON")}},              // 1 ButtonImage
    {Bool, {N(1), N(0), N(0), N(0), N(1)}}, // 2 ButtonTransparentBool
    {Image,
     {I("MACOS_CHECKBOX"), I("WINXP_CHECKBOX"), I("DEEPBLUE_CHECKBOX"), I("PROTEIN_CHECKBOX"),
      I("BLUEGLASS_CHECKBOX")}}, // 3 CheckBoxImage
    {Image,
     {I("MACOS_RADIOBUTTON"), I("WINXP_RADIOBUTTON"), I("DEEPBLUE_RADIOBUTTON"), I("PROTEIN_RADIOBUTTON"),
      I("BLUEGLASS_RADIOBUTTON")}}, // 4 RadioButtonImage
    {Image,
     {I("MACOS_TITLEBTN"), I("WINXP_TITLEBTN"), I("DEEPBLUE_TITLEBTN"), I("PROTEIN_TITLEBTN"),
      I("BLUEGLASS_TITLEBTN")}},              // 5 TitleBarButtonImage
    {Bool, {N(0), N(0), N(0), N(1), N(1)}},   // 6 TitleBarButtonTransparentBool
    {Int, {N(3), N(2), N(0), N(0), N(4)}},    // 7 TitleBarButtonLeftOffsetInt
    {Int, {N(-2), N(-2), N(0), N(0), N(-3)}}, // 8 TitleBarButtonRightOffsetInt
    {Int, {N(4), N(5), N(2), N(2), N(6)}},    // 9 TitleBarButtonTopInt
    {Image,
     {I("MACOS_TITLE_LEFT"), I("WINXP_TITLE_LEFT"), I("DEEPBLUE_TITLE_LEFT"), I("PROTEIN_TITLE_LEFT"),
      I("BLUEGLASS_TITLE_LEFT")}}, // 10 TitleBarLeftImage
    {Image,
     {I("MACOS_TITLE_CLIENT"), I("WINXP_TITLE_CLIENT"), I("DEEPBLUE_TITLE_CLIENT"), I("PROTEIN_TITLE_CLIENT"),
      I("BLUEGLASS_TITLE_CLIENT")}}, // 11 TitleBarClientImage
    {Image,
     {I("MACOS_TITLE_RIGHT"), I("WINXP_TITLE_RIGHT"), I("DEEPBLUE_TITLE_RIGHT"), I("PROTEIN_TITLE_RIGHT"),
      I("BLUEGLASS_TITLE_RIGHT")}},                                             // 12 TitleBarRightImage
    {Int, {N(130), N(150), N(130), N(130), N(270)}},                            // 13 FormMinWidthInt
    {Int, {N(0), N(13), N(0), N(0), N(11)}},                                    // 14 FormRoundCornerInt
    {Color, {N(0xE7E7E7), N(0xDEEBEF), N(0xE8E8E8), N(0xFBFBFB), N(0xE7E7E7)}}, // 15 FormBackgroundColor
    {Color, {N(0x7F7F7F), N(0xC82C00), N(0x000000), N(0x000000), N(0x000000)}}, // 16 FormBorderColor
    {Int, {N(1), N(3), N(1), N(1), N(1)}},                                      // 17 FormBorderWidthInt
    {Color, {N(0xC47339), N(0xC66931), N(0xA04A44), N(0xC4302D), N(0xEC5E5E)}}, // 18 MenuSelectedBorderColor
    {Color,
     {N(0xC47339), N(0xEFD3C6), N(0xA04A44), N(0xC4302D), N(0xEC5E5E)}}, // 19 MenuSelectedBackgroundColor
    {Color, {N(0xFFFFFF), N(0x000000), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF)}}, // 20 MenuSelectedFontColor
    {Color, {N(0x000000), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF), N(0xE7E7E7)}}, // 21 MenuBackgroundColor
    {Color, {N(0x000000), N(0x000000), N(0x000000), N(0x000000), N(0x000000)}}, // 22 MenuFontColor
    {Color, {N(0x000000), N(0xCED3D6), N(0xCED3D6), N(0xCED3D6), N(0xCED3D6)}}, // 23 MenuBarColor
    {Image,
     {I("MACOS_PROGRESSBAR"), I("WINXP_PROGRESSBAR"), I("DEEPBLUE_PROGRESSBAR"), I("PROTEIN_PROGRESSBAR"),
      I("BLUEGLASS_PROGRESSBAR")}},                                             // 24 ProgressBarImage
    {Color, {N(0x7F7F7F), N(0x686868), N(0x000000), N(0x000000), N(0x000000)}}, // 25 ControlBorderColor
    {Color, {N(0xE7E7E7), N(0xDEEBEF), N(0xE8E8E8), N(0xFBFBFB), N(0xE7E7E7)}}, // 26 ControlBackgroundColor
    {Color, {N(0x000000), N(0xCF4602), N(0x000000), N(0x000000), N(0x000000)}}, // 27 ControlFontColor
    {Image,
     {I("MACOS_TRACKBAR_BAR"), I("WINXP_TRACKBAR_BAR"), I("DEEPBLUE_TRACKBAR_BAR"), I("PROTEIN_TRACKBAR_BAR"),
      I("BLUEGLASS_TRACKBAR_BAR")}}, // 28 TrackBarBarImage
    {Image,
     {I("MACOS_TRACKBAR_SLIDER"), I("WINXP_TRACKBAR_SLIDER"), I("DEEPBLUE_TRACKBAR_SLIDER"),
      I("PROTEIN_TRACKBAR_SLIDER"), I("BLUEGLASS_TRACKBAR_SLIDER")}}, // 29 TrackBarSliderImage
    {Image,
     {I("MACOS_TRACKBAR_SLIDER_V"), I("WINXP_TRACKBAR_SLIDER_V"), I("DEEPBLUE_TRACKBAR_SLIDER_V"),
      I("PROTEIN_TRACKBAR_SLIDER_V"), I("BLUEGLASS_TRACKBAR_SLIDER_V")}},       // 30 TrackBarSliderVImage
    {Color, {N(0xC9C9C9), N(0xF9F9F9), N(0xF5F5F5), N(0xF5F5F5), N(0xF4F4F4)}}, // 31 ScrollBarBackgroundColor
    {Image,
     {I("MACOS_SCROLLBAR_BUTTON"), I("WINXP_SCROLLBAR_BUTTON"), I("DEEPBLUE_SCROLLBAR_BUTTON"),
      I("PROTEIN_SCROLLBAR_BUTTON"), I("BLUEGLASS_SCROLLBAR_BUTTON")}}, // 32 ScrollBarButtonImage
    {Image,
     {I("MACOS_SCROLLBAR_TRACK"), I("WINXP_SCROLLBAR_TRACK"), I("DEEPBLUE_SCROLLBAR_TRACK"),
      I("PROTEIN_SCROLLBAR_TRACK"), I("BLUEGLASS_SCROLLBAR_TRACK")}}, // 33 ScrollBarSliderImage
    {Image,
     {I("MACOS_CHECKLIST"), I("WINXP_CHECKLIST"), I("DEEPBLUE_CHECKLIST"), I("PROTEIN_CHECKLIST"),
      I("BLUEGLASS_CHECKLIST")}},                                               // 34 CheckListBoxImage
    {Color, {N(0x474747), N(0xC66931), N(0x474747), N(0x474747), N(0x474747)}}, // 35 ToolBarButtonBorderColor
    {Color,
     {N(0xEFEFEF), N(0xEFD3C6), N(0xEFEFEF), N(0xEFEFEF), N(0xEFEFEF)}}, // 36 ToolBarButtonBackgroundColor
    {Color,
     {N(0xD8D8D8), N(0xE1AC93), N(0xD8D8D8), N(0xD8D8D8),
      N(0xD8D8D8)}}, // 37 ToolBarButtonDownBackgroundColor
    {Image,
     {I("MACOS_SCROLLBUTTON"), I("WINXP_SCROLLBUTTON"), I("MORE_SCROLLBUTTON"), I("MORE_SCROLLBUTTON"),
      I("MORE_SCROLLBUTTON")}}, // 38 ScrollButtonImage
    {Image,
     {I("MACOS_TAB"), I("WINXP_TAB"), I("DEEPBLUE_TAB"), I("PROTEIN_TAB"),
      I("BLUEGLASS_TAB")}}, // 39 TabControlTabImage
    {Image,
     {I("MACOS_TAB_LINE"), I("WINXP_TAB_LINE"), I("DEEPBLUE_TAB_LINE"), I("PROTEIN_TAB_LINE"),
      I("BLUEGLASS_TAB_LINE")}}, // 40 TabControlBarImage
    {Image,
     {I("MACOS_SIDECHENNEL_HANDLE"), I("WINXP_SIDECHENNEL_HANDLE"), I("DEEPBLUE_SIDECHENNEL_HANDLE"),
      I("PROTEIN_SIDECHENNEL_HANDLE"), I("BLUEGLASS_SIDECHENNEL_HANDLE")}}, // 41 SideChannelHandleImage
    {Image,
     {I("MACOS_SIDECHENNEL_BAR"), I("WINXP_SIDECHENNEL_BAR"), I("DEEPBLUE_SIDECHENNEL_BAR"),
      I("PROTEIN_SIDECHENNEL_BAR"), I("BLUEGLASS_SIDECHENNEL_BAR")}}, // 42 SideChannelBarImage
};

bool IsBuiltinStyle(TtavUIStyle style) {
    return uint8_t(style) >= uint8_t(TtavUIStyle::MacOS) && uint8_t(style) <= uint8_t(TtavUIStyle::BlueGlass);
}

} // namespace

TtavThemeValue LookupBuiltinThemeValue(TtavUIStyle style, int key, TtavThemeKind& kind) {
    if (!IsBuiltinStyle(style) || key < 1 || key > ThemeKeyCount) {
        kind = Int;
        return N(-1);
    }
    const TKeyRow& row = BuiltinTable[key - 1];
    kind = row.Kind;
    return row.Values[uint8_t(style) - uint8_t(TtavUIStyle::MacOS)];
}

void LoadBuiltinThemeImage(TtavUIStyle style, int key, TBitmap* bitmap) {
    if (!bitmap) return;
    TtavThemeKind kind;
    const TtavThemeValue value = LookupBuiltinThemeValue(style, key, kind);
    if (kind == Image) bitmap->LoadFromResourceName(PCharToString(value.ImageName));
}

void GetBuiltinThemeImage(TtavUIStyle style, int key, TGraphic* graphic, int frameCount, int frameIndex) {
    auto* target = dynamic_cast<TBitmap*>(graphic);
    if (!target) return;
    if (frameCount == 0) {
        LoadBuiltinThemeImage(style, key, target);
        return;
    }
    TBitmap strip;
    LoadBuiltinThemeImage(style, key, &strip);
    ExtractStripFrame(&strip, target, frameCount, frameIndex);
}

namespace {
int32_t BuiltinNumberOfKind(TtavUIStyle style, int key, TtavThemeKind wanted, int32_t otherwise) {
    TtavThemeKind kind;
    const TtavThemeValue value = LookupBuiltinThemeValue(style, key, kind);
    return kind == wanted ? value.Number : otherwise;
}
} // namespace

bool GetBuiltinThemeBool(TtavUIStyle style, int key) {
    return BuiltinNumberOfKind(style, key, Bool, 0) != 0;
}
TColor GetBuiltinThemeColor(TtavUIStyle style, int key) {
    return BuiltinNumberOfKind(style, key, Color, 0);
}
int GetBuiltinThemeInt(TtavUIStyle style, int key) {
    return BuiltinNumberOfKind(style, key, Int, -1);
}

// ---- TtavFileThemeMgr ----

TtavFileThemeMgr::TtavFileThemeMgr() = default;
TtavFileThemeMgr::~TtavFileThemeMgr() = default;

bool TtavFileThemeMgr::LoadThemeFile(const std::string& fileName) {
    if (!FileExists(fileName)) return false;
    FReader.reset();
    FReader = std::make_unique<TtavThemeFileReader>(fileName);
    return true;
}

void TtavFileThemeMgr::GetKeyImage(int key, TGraphic* graphic) const {
    const std::string name = ThemeKeyName(key);
    if (!FReader || !graphic || name.empty()) return;
    if (TMemoryStream* stream = FReader->GetImageStreamByName(name)) graphic->LoadFromStream(*stream);
}

bool TtavFileThemeMgr::GetKeyBool(int key) const {
    const std::string name = ThemeKeyName(key);
    return FReader && !name.empty() && FReader->GetBoolByName(name);
}

TColor TtavFileThemeMgr::GetKeyColor(int key) const {
    return GetKeyInt(key);
}

int TtavFileThemeMgr::GetKeyInt(int key) const {
    if (!FReader) return 0;
    const std::string name = ThemeKeyName(key);
    return name.empty() ? -1 : FReader->GetIntByName(name);
}
