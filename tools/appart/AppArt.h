#pragma once
#include "tools/skinart/Palette.h"

#include <string>
#include <vector>

// The pictures that the application's window layouts store, drawn in the look of the style they use.
namespace art {

enum class TAppButton { ControlBox, Close, Max, Min };
constexpr int AppButtonSize = 19;
constexpr int AppTitleHeight = 23;
constexpr int AppTitleLeftWidth = 441;
constexpr int AboutWidth = 400, AboutHeight = 525;

// The style the windows are skinned with.
const TStylePalette& AppPalette();

// TitleArt.cpp
TSurface AppTitleButton(TAppButton button, TState state); // magenta outside the button
TSurface AppTitleLeft();
TSurface AppTitleClient();
TSurface AppTitleRight();

// About.cpp
TSurface AboutBackground();

struct TNamedPicture {
    std::string Name; // the file stem, which is the resource name
    TSurface Picture;
};
std::vector<TNamedPicture> PaintAppPictures();

} // namespace art
