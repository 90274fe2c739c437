#pragma once
#include "classlib/Object.h"
#include "platform/Color.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TBitmap;
class TGraphic;
class TtavThemeFileReader;

// The style of a skinned control: a built-in one, or FromThemeFile for its FileTheme's values.
enum class TtavUIStyle : uint8_t { FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass };
VMR_ENUM_NAMES(TtavUIStyle, "FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass")

enum class TtavThemeKind : uint8_t { Int = 0, Color = 1, Image = 2, Bool = 3 };

// The theme keys by name, numbered as theme files and the built-in table number them.
namespace tavkey {
inline constexpr int ButtonImage = 1;
inline constexpr int ButtonTransparentBool = 2;
inline constexpr int CheckBoxImage = 3;
inline constexpr int RadioButtonImage = 4;
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
inline constexpr int MenuSelectedBorderColor = 18;
inline constexpr int MenuSelectedBackgroundColor = 19;
inline constexpr int MenuSelectedFontColor = 20;
inline constexpr int MenuBackgroundColor = 21;
inline constexpr int MenuFontColor = 22;
inline constexpr int MenuBarColor = 23;
inline constexpr int ProgressBarImage = 24;
inline constexpr int ControlBorderColor = 25;
inline constexpr int ControlBackgroundColor = 26;
inline constexpr int ControlFontColor = 27;
inline constexpr int TrackBarBarImage = 28;
inline constexpr int TrackBarSliderImage = 29;
inline constexpr int TrackBarSliderVImage = 30;
inline constexpr int ScrollBarBackgroundColor = 31;
inline constexpr int ScrollBarButtonImage = 32;
inline constexpr int ScrollBarSliderImage = 33;
inline constexpr int CheckListBoxImage = 34;
inline constexpr int ToolBarButtonBorderColor = 35;
inline constexpr int ToolBarButtonBackgroundColor = 36;
inline constexpr int ToolBarButtonDownBackgroundColor = 37;
inline constexpr int ScrollButtonImage = 38;
inline constexpr int TabControlTabImage = 39;
inline constexpr int TabControlBarImage = 40;
inline constexpr int SideChannelHandleImage = 41;
inline constexpr int SideChannelBarImage = 42;
} // namespace tavkey

// Theme keys 1 to 42; a theme file names its entries with the same strings.
inline constexpr int ThemeKeyCount = 42;
// The key names indexed 1 to 42 (index 0 is empty).
extern const std::array<const char*, ThemeKeyCount + 1> ThemeKeyNames;
// The key's name, or empty for a key outside 1 to 42.
std::string ThemeKeyName(int key);

// A value of the built-in table: a number (integer, colour 0x00BBGGRR or 0/1), or for an image the name of
// its bitmap resource.
struct TtavThemeValue {
    int32_t Number = -1;
    const char* ImageName = nullptr;
};

// Styles 1 to 5 with a key 1 to 42 give the table's value and the key's kind; anything else (FromThemeFile
// included) gives no style: -1 of kind Int.
TtavThemeValue LookupBuiltinThemeValue(TtavUIStyle style, int key, TtavThemeKind& kind);
// Loads the key's bitmap resource; a key that is no image leaves the bitmap as it was.
void LoadBuiltinThemeImage(TtavUIStyle style, int key, TBitmap* bitmap);
// The whole image with frameCount 0, else the 1-based frame out of frameCount equal-width frames.
void GetBuiltinThemeImage(TtavUIStyle style, int key, TGraphic* graphic, int frameCount, int frameIndex);
// A key of another kind gives False, 0 (black) and -1.
bool GetBuiltinThemeBool(TtavUIStyle style, int key);
TColor GetBuiltinThemeColor(TtavUIStyle style, int key);
int GetBuiltinThemeInt(TtavUIStyle style, int key);

// Holds the reader of one theme file, or none, and answers lookups by theme key.
class TtavFileThemeMgr : public TObject {
    VMR_CLASS(TtavFileThemeMgr, TObject)

public:
    TtavFileThemeMgr();
    ~TtavFileThemeMgr() override;

    // False, changing nothing, when the file does not exist. Otherwise the present reader goes first, so a
    // file that cannot be read raises and leaves the manager without a reader.
    bool LoadThemeFile(const std::string& fileName);
    bool HasReader() const { return FReader != nullptr; }

    // Without a reader, or for a key the file lacks: the graphic stays as it was.
    void GetKeyImage(int key, TGraphic* graphic) const;
    // Without a reader: False, 0 and 0; for a key the file lacks: False, -1 and -1.
    bool GetKeyBool(int key) const;
    TColor GetKeyColor(int key) const;
    int GetKeyInt(int key) const;

private:
    std::unique_ptr<TtavThemeFileReader> FReader;
};
