#pragma once
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

class TGraphic;

// Where a skinned control reads its style's values: its theme file when that serves the style, else the
// built-in table for the effective style. Resolved once per style change.
class TtavThemeSource {
public:
    TtavThemeSource(const TtavFileTheme* theme, TtavUIStyle style)
        : FTheme(theme), FFromFile(ResolveFileThemeStyle(theme, style, FStyle)) {}

    bool FromFile() const { return FFromFile; }
    // FromThemeFile when the file serves the style, else the built-in style used.
    TtavUIStyle EffectiveStyle() const { return FStyle; }

    TColor Color(int key) const {
        return FFromFile ? FTheme->GetThemeColor(key) : GetBuiltinThemeColor(FStyle, key);
    }
    int Int(int key) const { return FFromFile ? FTheme->GetThemeInt(key) : GetBuiltinThemeInt(FStyle, key); }
    bool Bool(int key) const { return FFromFile ? FTheme->GetThemeBool(key) : GetBuiltinThemeBool(FStyle, key); }
    void Image(int key, TGraphic* graphic) const {
        if (FFromFile)
            FTheme->GetThemeImage(key, graphic);
        else
            GetBuiltinThemeImage(FStyle, key, graphic, 0, 0);
    }
    // The 1-based frame of frameCount equal-width frames.
    void ImageFrame(int key, TGraphic* graphic, int frameCount, int frameIndex) const {
        if (FFromFile)
            FTheme->GetThemeImageFrame(key, graphic, frameCount, frameIndex);
        else
            GetBuiltinThemeImage(FStyle, key, graphic, frameCount, frameIndex);
    }

private:
    const TtavFileTheme* FTheme;
    TtavUIStyle FStyle = TtavUIStyle::DeepBlue;
    bool FFromFile;
};

// The theme keys the frame, its title bar, the caption panel and the memo read.
namespace tavkey {
inline constexpr int TitleBarButtonImage = 5;
inline constexpr int TitleBarButtonTransparentBool = 6;
inline constexpr int TitleBarButtonLeftOffsetInt = 7;
inline constexpr int TitleBarButtonRightOffsetInt = 8;
inline constexpr int TitleBarButtonTopInt = 9;
inline constexpr int TitleBarLeftImage = 10;
inline constexpr int TitleBarClientImage = 11;
inline constexpr int TitleBarRightImage = 12;
inline constexpr int FormMinWidthInt = 13;
inline constexpr int FormRoundCornerInt = 14;
inline constexpr int FormBackgroundColor = 15;
inline constexpr int FormBorderColor = 16;
inline constexpr int FormBorderWidthInt = 17;
inline constexpr int MenuSelectedFontColor = 20;
inline constexpr int ControlBorderColor = 25;
inline constexpr int SideChannelBarImage = 42;
} // namespace tavkey
