#pragma once
#include "tools/skinart/Palette.h"

// One painter per kind of bitmap. Sizes come from the caller; strips are painted as their frames.
namespace art {

// Buttons.cpp
TSurface PushButtonStrip(const TStylePalette& p, int width, int height); // normal, mouse over, pressed
TSurface ComboButton(const TStylePalette& p, int width, int height, bool withArrow);
TSurface PanelButtonStrip(int width, int height); // chevrons up, up hot, down, down hot
TSurface NavigatorStrip(int width, int height);   // first ... refresh

// TitleBar.cpp
enum class TTitlePiece { Left, Client, Right };
TSurface TitlePicture(const TStylePalette& p, TTitlePiece piece, int width, int height);
TSurface TitleButtonStrip(const TStylePalette& p, int width, int height); // six groups of three states

// Checks.cpp
TSurface CheckBoxStrip(const TStylePalette& p, int width, int height); // checked, unchecked, greyed pair
TSurface RadioButtonStrip(const TStylePalette& p, int width, int height);
TSurface CheckListStrip(const TStylePalette& p, int width, int height);
TSurface MenuCheckMark(int width, int height);

// Sliders.cpp
TSurface TrackBarBar(const TStylePalette& p, int width, int height); // three slices, masked ends
TSurface TrackBarSlider(const TStylePalette& p, int width, int height, bool vertical);
TSurface ScrollBarButtonStrip(const TStylePalette& p, int width, int height); // up x3, down x3
TSurface ScrollBarThumb(const TStylePalette& p, int width, int height);       // first end, middle, last end
TSurface ScrollButtonStrip(const TStylePalette& p, int width, int height);    // up, down, left, right
TSurface ProgressBar(const TStylePalette& p, int width, int height);

// Surfaces.cpp
TSurface FormBackground(const TStylePalette& p, int width, int height);
TSurface MenuBar(const TStylePalette& p, int width, int height);
TSurface MenuSelection(const TStylePalette& p, int width, int height);
TSurface CaptionBar(const TStylePalette& p, int width, int height);
TSurface SideChannelHandle(const TStylePalette& p, int width, int height);
TSurface TabPicture(const TStylePalette& p, int width, int height);
TSurface TabLine(const TStylePalette& p, int width, int height);
TSurface ProgramIcon(int width, int height);

} // namespace art
