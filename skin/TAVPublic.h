#pragma once
#include "classlib/TypInfo.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "skin/TAVThemes.h"

#include <string>

class TBitmap;
class TCanvas;
class TPicture;

// Drawing routines the skinned controls share. HasPublishedProperty (TypInfo.h) is the one the controls
// use to find FileTheme and UIStyle on components they do not know.

// Magenta: the transparent pixels of the skin's bitmaps.
inline constexpr TColor SkinKeyColor = clFuchsia;

// Four corners unscaled and the edges and centre stretched, into a rectangle that starts at (0, 0). Corners
// shrink (cut, not scaled) in a small target; magenta corner pixels are see-through only with maskCorners,
// magenta edge and centre pixels always.
void DrawNineSlice(TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool maskCorners);
// A strip of three frames (left end, middle, right end): the ends unscaled and masked, the middle stretched
// between them. The key is the strip's top-left pixel with keyFromCorner, else magenta.
void DrawThreeSlice(TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool keyFromCorner);
// Tiles the picture from (0, 0), one tile beyond the rectangle's width and height.
void DrawPictureStyled(TCanvas* canvas, TPicture* picture, const TRect& rect);
void RotateBitmapCounterClockwise(TBitmap* bitmap);
void RotateBitmapClockwise(TBitmap* bitmap);
// The 1-based frame of `count` equal-width frames (width div count) into target. A count of 0 or less gives
// the whole image; the part of a frame that lies outside the source stays white.
void ExtractStripFrame(TBitmap* source, TBitmap* target, int count, int index);

// All four edges count as inside.
bool PointInRect(TPoint point, const TRect& rect);
bool PointInRect(int x, int y, const TRect& rect);
// Empty for nullptr.
std::string PCharToString(const char* text);

// What the system reports about its version, as the platform's version record holds it.
struct TOSVersionInfo {
    unsigned MajorVersion = 0;
    unsigned MinorVersion = 0;
    unsigned BuildNumber = 0;
    unsigned PlatformId = 0;
};
inline constexpr unsigned VER_PLATFORM_WIN32_WINDOWS = 1;
// The one build the combo box treats apart: major 4 or more, minor 0, build (low 16 bits) above 1000, on the
// 9x platform.
bool IsWin95Build(const TOSVersionInfo& version);
// This system's answer; never that build here.
bool DetectWin95Build();
// Set once at start-up (RegisterSkinClasses), False before.
bool IsWin95BuildFlag();
void InitWin95BuildFlag();

class TtavFileTheme;

// Sets FileTheme and then UIStyle, through their setters, on a control that publishes both; others are left.
void ApplyThemeToControl(TObject* control, TtavUIStyle style, TtavFileTheme* theme);

// The same for each direct child control of the parent, in order; grandchildren are not visited. TParent
// gives its children through ControlCount() and Controls(index).
template <class TParent> void ApplyThemeToChildren(TParent* parent, TtavUIStyle style, TtavFileTheme* theme) {
    for (int i = 0; i < parent->ControlCount(); ++i)
        ApplyThemeToControl(parent->Controls(i), style, theme);
}
