#pragma once
#include "classlib/Font.h"
#include "classlib/MenuItem.h"
#include "classlib/TypInfo.h"
#include "platform/Messages.h"
#include "skin/TAVThemes.h"

#include <memory>
#include <string>

class TImageList;
class TtavFileTheme;

// What the skinned menus (popup and main) paint their items with: their published drawing values.
struct TtavMenuLook {
    TtavUIStyle UIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FileTheme = nullptr; // not owned
    int MenuItemHeight = 21;
    int SeparatorHeight = 21;
    int BarWidth = 0;
    TColor BarColor = clBtnFace;
    TColor Color = clWhite;
    TColor SeparatorColor = clGray;
    TColor SelectedBorderColor = clHighlight;
    TColor SelectedColor = clHighlight;
    TColor SelectedFontColor = clWhite;
    TColor FontColor = clWhite;
    // Stored and streamed; the flat border's frame is always black.
    TColor BorderColor = clBlack;
    bool FlatMenu = false;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8;
    TFontCharset FontCharset = DEFAULT_CHARSET;
    bool UseSystemFont = true;
};

// Stores the style and puts its values in: bar width, heights and separator colour by the style, the six
// menu colours from the theme file or the built-in table. Font, flat border and border colour stay.
void ApplyMenuStyle(TtavMenuLook& look, TtavUIStyle style);

// The two item handlers of a skinned menu, run with the menu's values. An item captioned "-" is a separator.
void MeasureSkinnedMenuItem(const TtavMenuLook& look, const TMenuItem& item, TCanvas& canvas, int& width,
                            int& height);
// checkMarks holds the mark drawn for a checked item without an image of its own; itemImages (or none) the
// items' own images.
void DrawSkinnedMenuItem(const TtavMenuLook& look, const TImageList& checkMarks, const TImageList* itemImages,
                         const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected);

// The values of the menu property set that are only stored, for the next drawing: published alike by the
// skinned popup and main menus, which give them by Look() and take them by LookValues().
template <class C>
void PublishMenuLookValues(TPublisher<C>& p) {
    auto get = [](auto member) { return [member](const C& m) { return m.Look().*member; }; };
    auto set = [](auto member) { return [member](C& m, auto v) { m.LookValues().*member = v; }; };
    using L = TtavMenuLook;
    p.Integer("BarWidth", get(&L::BarWidth), set(&L::BarWidth), 0)
        .Color("BarColor", get(&L::BarColor), set(&L::BarColor), clBtnFace)
        .Color("Color", get(&L::Color), set(&L::Color), clWhite)
        .Color("SeparatorColor", get(&L::SeparatorColor), set(&L::SeparatorColor), clGray)
        .Color("SelectedBorderColor", get(&L::SelectedBorderColor), set(&L::SelectedBorderColor), clHighlight)
        .Color("SelectedColor", get(&L::SelectedColor), set(&L::SelectedColor), clHighlight)
        .Color("SelectedFontColor", get(&L::SelectedFontColor), set(&L::SelectedFontColor), clWhite)
        .Color("FontColor", get(&L::FontColor), set(&L::FontColor), clWhite)
        .Color("BorderColor", get(&L::BorderColor), set(&L::BorderColor), clBlack)
        .Boolean("FlatMenu", get(&L::FlatMenu), set(&L::FlatMenu), false)
        .String("FontName", get(&L::FontName), set(&L::FontName), "MS Sans Serif")
        .Integer("FontSize", get(&L::FontSize), set(&L::FontSize), 8)
        .Enum("FontCharset", get(&L::FontCharset), set(&L::FontCharset), DEFAULT_CHARSET);
}

// Sets both handlers on the item and, depth first, on every item under it.
void InstallMenuDrawHandlers(TMenuItem* item, const TMenuDrawItemEvent& draw,
                             const TMenuMeasureItemEvent& measure);
// A list of 16 x 16 images whose image 0 is the check mark MENU_CHECKED, white transparent.
std::unique_ptr<TImageList> NewCheckMarkImages();

void FrameMenuRect(TCanvas& canvas, const TRect& rect, TColor color);
void FillMenuRect(TCanvas& canvas, const TRect& rect, TColor color);
// A line two pixels below the top, from past the bar to two pixels before the right edge.
void DrawMenuSeparatorLine(TCanvas& canvas, const TRect& rect, TColor color, int barWidth);
// The MacOS style's pictures, stretched over the rectangle.
void DrawMacOSMenuSeparator(TCanvas& canvas, const TRect& rect);
void DrawMacOSMenuSelection(TCanvas& canvas, const TRect& rect);
void DrawMacOSMenuItemBackground(TCanvas& canvas, const TRect& rect);
// A flat border over the popup window's own, painted on the screen: a frame in frameColor, a white one
// inside it, and the top, right and bottom edges in edgeColor.
void DrawMenuPopupBorder(HWND window, TColor frameColor, TColor edgeColor);
// The system's menu font; the font is left as it was when the system does not tell it.
void ApplySystemMenuFont(TFont& font);
