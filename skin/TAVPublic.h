#pragma once
#include "classlib/TypInfo.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "skin/TAVThemes.h"

#include <string>
#include <string_view>

class TBitmap;
class TCanvas;
class TControl;
class TCustomForm;
class TPicture;
class TObject;
class TWinControl;

// Drawing routines the skinned controls share. HasPublishedProperty (TypInfo.h) is the one the controls
// use to find FileTheme and UIStyle on components they do not know.

// Magenta: the transparent pixels of the skin's bitmaps.
inline constexpr TColor SkinKeyColor = clFuchsia;

// Four corners unscaled and the edges and centre stretched, into a rectangle that starts at (0, 0). Corners
// shrink (cut, not scaled) in a small target; magenta corner pixels are see-through only with maskCorners,
// magenta edge and centre pixels always.
void DrawNineSlice(const TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool maskCorners);
// A strip of three frames (left end, middle, right end): the ends unscaled and masked, the middle stretched
// between them. The key is the strip's top-left pixel with keyFromCorner, else magenta.
void DrawThreeSlice(const TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool keyFromCorner);
// Tiles the picture from (0, 0), one tile beyond the rectangle's width and height.
void DrawPictureStyled(TCanvas* canvas, TPicture* picture, const TRect& rect);
void RotateBitmapCounterClockwise(TBitmap* bitmap);
void RotateBitmapClockwise(TBitmap* bitmap);
// The 1-based frame of `count` equal-width frames (width div count) into target. A count of 0 or less gives
// the whole image; the part of a frame that lies outside the source stays white.
void ExtractStripFrame(TBitmap* source, TBitmap* target, int count, int index);

// The outer frame of a windowed control over its border (its non-client area), drawn on the DC of its whole
// window after the control has painted: one pixel of the border colour, and inside it one of the inner colour
// when asked. System colours are resolved. A control without a window is left alone.
void PaintControlFrame(TWinControl* control, TColor borderColor, TColor innerColor, bool drawInner);
// What lies behind a see-through control: its parent's background and non-windowed children, painted into the
// canvas in the control's coordinates and clipped to the parent's client area. The control itself is not
// painted again meanwhile, so a non-windowed control may call it from its own painting.
void PaintParentBackground(TCanvas* canvas, TControl* control);

// The object's class or one of its ancestors has this name: the skin recognises classes of the class library
// and of its own later units this way without depending on them.
bool InheritsFromClassNamed(const TObject& object, std::string_view className);
// The background a see-through control shows on a parent that itself shows its own parent (a tab sheet, the
// navigator, the tool bar): the parent's parent paints into the canvas shifted by the parent's place only.
void PaintBackgroundBehindParent(TCanvas* canvas, TControl* control);

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

// The desktop's work area, in screen coordinates; the platform's answer.
bool GetWorkArea(TRect& rect);
// Left, then Top, each through its property.
void MoveControlTo(TControl* control, TPoint point);
// Left, Top, Width and Height, in that order, each through its property.
void SetFormBounds(TCustomForm* form, const TRect& rect);
// Whether the form may take its menu's shortcut keys now. Only a form whose FormStyle is fsMDIForm is an MDI
// parent, and its MDI client is the child window of the platform's MDI client class, when it has one.
bool IsFormActive(TCustomForm* form);

class TtavFileTheme;

// Sets FileTheme and then UIStyle, through their setters by name, on each direct child control of the parent
// that publishes both, in order; the other children and the grandchildren are not visited.
void ApplyThemeToChildren(TWinControl* parent, TtavUIStyle style, TtavFileTheme* theme);
