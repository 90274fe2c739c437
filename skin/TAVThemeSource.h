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

