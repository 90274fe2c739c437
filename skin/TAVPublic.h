#pragma once
#include "classlib/TypInfo.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "skin/TAVThemes.h"

#include <string>

class TBitmap;
class TCanvas;
class TDC;
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

// The outer frame of a control over its border, on the DC of its whole window (whose screen rectangle is
// given): one pixel of the border colour, and inside it one of the inner colour when asked. System colours
// are resolved.
void PaintControlFrame(TDC& windowDC, const TRect& windowScreenRect, TColor borderColor, TColor innerColor,
                       bool drawInner);

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

// ---- Controls and forms, of the class library's classes (given as template arguments): a control with
// SetLeft/SetTop/SetWidth/SetHeight; a form with Active(), IsMDIForm() and ActiveMDIChild(); the application
// with MainForm() and Active().

template <class TControlClass> void MoveControlTo(TControlClass* control, TPoint point) {
    if (!control) return;
    control->SetLeft(point.X);
    control->SetTop(point.Y);
}

// Left, Top, Width and Height, in that order, each through its setter.
template <class TFormClass> void SetFormBounds(TFormClass* form, const TRect& rect) {
    if (!form) return;
    form->SetLeft(rect.Left);
    form->SetTop(rect.Top);
    form->SetWidth(rect.Width());
    form->SetHeight(rect.Height());
}

// Whether the form may take its menu's shortcut keys now. A missing form is active only when the application
// is and has a main form.
template <class TApplicationClass, class TFormClass>
bool IsFormActive(const TApplicationClass& application, const TFormClass* form) {
    const auto* mainForm = application.MainForm();
    if (!mainForm) return form && form->Active();
    if (mainForm->IsMDIForm() && mainForm == form) return true;
    if (!application.Active()) return false;
    if (!form || form == mainForm) return true;
    if (mainForm->IsMDIForm() && mainForm->ActiveMDIChild() == form) return true;
    return form->Active();
}
