#include "skin/TAVPublic.h"

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Picture.h"
#include "classlib/Application.h"
#include "platform/DC.h"
#include "platform/NativeImageList.h"
#include "platform/Painting.h"
#include "platform/Services.h"
#include "skin/TAVMgr.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <sys/utsname.h>
#include <utility>

namespace {

// A corner piece: its source in the bitmap cut to what fits the target, and where it goes.
struct TCornerPiece {
    TRect Source;
    TRect Target;
};

enum class THorz { Left, Right };
enum class TVert { Top, Bottom };

// Cuts the source to the largest size on the given sides and places it against (0, 0) or (right, bottom).
TCornerPiece PlaceCorner(const TRect& source, int largestW, int largestH, THorz horz, TVert vert, int right,
                         int bottom) {
    const int w = std::max(0, std::min(source.Width(), largestW));
    const int h = std::max(0, std::min(source.Height(), largestH));
    TCornerPiece piece;
    piece.Source.Left = horz == THorz::Left ? source.Left : source.Right - w;
    piece.Source.Right = piece.Source.Left + w;
    piece.Source.Top = vert == TVert::Top ? source.Top : source.Bottom - h;
    piece.Source.Bottom = piece.Source.Top + h;
    const int x = horz == THorz::Left ? 0 : right - w;
    const int y = vert == TVert::Top ? 0 : bottom - h;
    piece.Target = Bounds(x, y, w, h);
    return piece;
}

void DrawCorner(TDC& dc, const TSurface& image, const TCornerPiece& piece, bool mask) {
    const TRect source = Intersection(piece.Source, image.BoundsRect());
    if (piece.Target.IsEmpty() || source != piece.Source) return;
    if (mask)
        dc.TransparentBlt(piece.Target, image, source, SkinKeyColor);
    else
        dc.BitBlt(piece.Target.Left, piece.Target.Top, source.Width(), source.Height(), image, source.Left,
                  source.Top);
}

// Stretches the source, clipped to the image, into the target with magenta left out.
void DrawStretchedPiece(TDC& dc, const TSurface& image, const TRect& source, const TRect& target) {
    const TRect clipped = Intersection(source, image.BoundsRect());
    if (target.IsEmpty() || clipped.IsEmpty()) return;
    dc.TransparentBlt(target, image, clipped, SkinKeyColor);
}

TRect KeepLeftColumns(TRect r, int count) {
    if (count < r.Width()) r.Right = r.Left + count;
    return r;
}
TRect KeepRightColumns(TRect r, int count) {
    if (count < r.Width()) r.Left = r.Right - count;
    return r;
}
TRect KeepTopRows(TRect r, int count) {
    if (count < r.Height()) r.Bottom = r.Top + count;
    return r;
}
TRect KeepBottomRows(TRect r, int count) {
    if (count < r.Height()) r.Top = r.Bottom - count;
    return r;
}

// Replaces the bitmap's pixels with the image, notifying as a drawing would.
void ReplaceImage(TBitmap* bitmap, const TSurface& image) {
    TBitmap copy;
    copy.SetSize(image.Width(), image.Height());
    copy.Surface() = image;
    bitmap->SetHeight(image.Height());
    bitmap->SetWidth(image.Width());
    bitmap->Canvas()->Draw(0, 0, &copy);
}

template <class TPlace> void RotateBitmap(TBitmap* bitmap, TPlace place) {
    if (!bitmap) return;
    const TSurface& source = bitmap->Surface();
    TSurface rotated(source.Height(), source.Width());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            const TPoint to = place(x, y, source.Width(), source.Height());
            rotated.SetPixel(to.X, to.Y, source.Pixel(x, y));
        }
    ReplaceImage(bitmap, rotated);
}

bool Win95BuildFlag = false;

// Swallows the control's paint messages while it lives, so that its parent's painting leaves it out.
class TPaintSuppressor {
public:
    explicit TPaintSuppressor(TControl& control)
        : FControl(control), FAlive(control.AliveMark()), FSaved(control.WindowProc) {
        FControl.WindowProc = [saved = FSaved](TMessage& m) {
            if (m.Msg != WM_PAINT) saved(m);
        };
    }
    ~TPaintSuppressor() {
        if (!FAlive.expired()) FControl.WindowProc = std::move(FSaved);
    }
    TPaintSuppressor(const TPaintSuppressor&) = delete;
    TPaintSuppressor& operator=(const TPaintSuppressor&) = delete;

private:
    TControl& FControl;
    std::weak_ptr<const bool> FAlive;
    TWndMethod FSaved;
};

bool IsMDIParent(const TCustomForm* form) {
    return form->FormStyle() == fsMDIForm;
}

// Without an MDI client nothing is the active child.
bool IsActiveMDIChild(TCustomForm* mainForm, TCustomForm* form) {
    const HWND client = mainForm->ClientHandle();
    if (!IsWindow(client) || !form->HandleAllocated()) return false;
    return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE)) == form->Handle();
}

} // namespace

void DrawNineSlice(const TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool maskCorners) {
    if (!bitmap || !canvas || bitmap->Empty()) return;
    const TSurface& image = bitmap->Surface();
    const int W = image.Width(), H = image.Height();
    const int hw = W / 2, hh = H / 2;
    const int rw = W - hw + 1, rb = H - hh + 1;
    const int thw = rect.Width() / 2, thh = rect.Height() / 2;
    const int R = rect.Right, B = rect.Bottom;
    TDC& dc = *canvas->Handle();

    const TCornerPiece tl = PlaceCorner({0, 0, hw, hh}, thw, thh, THorz::Left, TVert::Top, R, B);
    const TCornerPiece bl = PlaceCorner({0, rb, hw, H}, thw, thh - 1, THorz::Left, TVert::Bottom, R, B);
    const TCornerPiece tr = PlaceCorner({rw, 0, W, hh}, thw - 1, thh, THorz::Right, TVert::Top, R, B);
    const TCornerPiece br = PlaceCorner({rw, rb, W, H}, thw - 1, thh - 1, THorz::Right, TVert::Bottom, R, B);
    const TRect &TL = tl.Target, &BL = bl.Target, &TR = tr.Target, &BR = br.Target;

    DrawCorner(dc, image, tl, maskCorners);
    DrawCorner(dc, image, bl, maskCorners);
    const TRect leftEdge{0, TL.Bottom, TL.Right, BL.Top};
    DrawStretchedPiece(dc, image, KeepLeftColumns({0, hh, hw, H - hh}, leftEdge.Width()), leftEdge);
    DrawCorner(dc, image, tr, maskCorners);
    DrawCorner(dc, image, br, maskCorners);
    const TRect rightEdge{TR.Left, TR.Bottom, TR.Right, BR.Top};
    DrawStretchedPiece(dc, image, KeepRightColumns({rw, H - hh, W, hh + 2}, rightEdge.Width()), rightEdge);
    const TRect topEdge{TL.Right, 0, TR.Left, TL.Bottom};
    DrawStretchedPiece(dc, image, KeepTopRows({hw, 0, rw, hh}, topEdge.Height()), topEdge);
    DrawStretchedPiece(dc, image, {hw, hh, rw, H - hh}, {TL.Right, TL.Bottom, TR.Left, BR.Top - 1});
    const TRect bottomEdge{TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom};
    DrawStretchedPiece(dc, image, KeepBottomRows({hw, H - hh, rw, H}, bottomEdge.Height()), bottomEdge);
}

void DrawThreeSlice(const TBitmap* bitmap, TCanvas* canvas, const TRect& rect, bool keyFromCorner) {
    if (!bitmap || !canvas) return;
    const TSurface& strip = bitmap->Surface();
    const int fw = strip.Width() / 3;
    if (fw == 0 || strip.Height() == 0) return;
    const TColor key = keyFromCorner ? PixelToColor(strip.Pixel(0, 0)) : SkinKeyColor;
    TNativeImageList list(fw, strip.Height());
    list.AddMasked(strip, key);
    TDC& dc = *canvas->Handle();
    list.Draw(dc, 0, rect.Left, rect.Top);
    list.Draw(dc, 2, rect.Right - fw, rect.Top);
    const TSurface middle = list.GetImage(1);
    dc.StretchBlt({rect.Left + fw, rect.Top, rect.Right - fw, rect.Bottom}, middle, middle.BoundsRect());
}

void DrawPictureStyled(TCanvas* canvas, TPicture* picture, const TRect& rect) {
    if (!canvas || !picture || !picture->Graphic()) return;
    const int pw = picture->Width(), ph = picture->Height();
    if (pw <= 0 || ph <= 0) return;
    for (int x = 0; x < pw + rect.Width(); x += pw)
        for (int y = 0; y < ph + rect.Height(); y += ph)
            canvas->Draw(x, y, picture->Graphic());
}

void RotateBitmapCounterClockwise(TBitmap* bitmap) {
    RotateBitmap(bitmap, [](int x, int y, int W, int) { return TPoint{y, W - 1 - x}; });
}

void RotateBitmapClockwise(TBitmap* bitmap) {
    RotateBitmap(bitmap, [](int x, int y, int, int H) { return TPoint{H - 1 - y, x}; });
}

void ExtractStripFrame(TBitmap* source, TBitmap* target, int count, int index) {
    if (!source || !target) return;
    const TSurface& strip = std::as_const(*source).Surface();
    if (count <= 0) {
        count = 1;
        index = 1;
    }
    const int fw = strip.Width() / count;
    const int64_t left = int64_t(fw) * (int64_t(index) - 1);
    TSurface frame(fw, strip.Height());
    if (left < strip.Width() && left + fw > 0) {
        const int from = int(std::max<int64_t>(left, 0));
        const int to = int(std::min<int64_t>(left + fw, strip.Width()));
        TDC(frame).BitBlt(int(from - left), 0, to - from, strip.Height(), strip, from, 0);
    }
    ReplaceImage(target, frame);
}

void PaintControlFrame(TWinControl* control, TColor borderColor, TColor innerColor, bool drawInner) {
    if (!control || !control->HandleAllocated()) return;
    const HWND window = control->Handle();
    TWindowDC dc(window, true);
    if (!dc) return;
    const TRect screen = GetWindowRect(window);
    const TRect frame{0, 0, screen.Width(), screen.Height()};
    dc->FrameRect(frame, TBrushDesc::SolidColor(ColorToRGB(borderColor)));
    if (drawInner) dc->FrameRect(frame.Inflated(-1, -1), TBrushDesc::SolidColor(ColorToRGB(innerColor)));
}

void PaintParentBackground(TCanvas* canvas, TControl* control) {
    if (!canvas || !control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    TDC* dc = canvas->Handle();
    if (!dc) return;
    TDCStateSaver saved(*dc);
    dc->OffsetViewportOrg(-control->Left(), -control->Top());
    dc->IntersectClipRect({0, 0, parent->ClientWidth(), parent->ClientHeight()});
    TPaintSuppressor suppressed(*control);
    parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    parent->Perform(WM_PAINT, WPARAM(dc), 0);
}

bool InheritsFromClassNamed(const TObject& object, std::string_view className) {
    for (const TClassInfo* info = &object.ClassInfo(); info; info = info->Parent())
        if (info->Name() == className) return true;
    return false;
}

void PaintBackgroundBehindParent(TCanvas* canvas, TControl* control) {
    if (control && control->Parent()) PaintParentBackground(canvas, control->Parent());
}

bool PointInRect(TPoint point, const TRect& rect) {
    return PointInRect(point.X, point.Y, rect);
}

bool PointInRect(int x, int y, const TRect& rect) {
    return rect.Left <= x && x <= rect.Right && rect.Top <= y && y <= rect.Bottom;
}

std::string PCharToString(const char* text) {
    return text ? std::string(text) : std::string();
}

bool IsWin95Build(const TOSVersionInfo& version) {
    return version.MajorVersion >= 4 && version.MinorVersion == 0 && (version.BuildNumber & 0xFFFF) > 1000 &&
           version.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool DetectWin95Build() {
    // The kernel's version, on a platform id of none of that family's platforms.
    TOSVersionInfo version;
    utsname name{};
    if (uname(&name) == 0) std::sscanf(name.release, "%u.%u", &version.MajorVersion, &version.MinorVersion);
    return IsWin95Build(version);
}

bool IsWin95BuildFlag() {
    return Win95BuildFlag;
}

void InitWin95BuildFlag() {
    Win95BuildFlag = DetectWin95Build();
}

bool GetWorkArea(TRect& rect) {
    return SystemParametersInfo(SPI_GETWORKAREA, 0, &rect);
}

void MoveControlTo(TControl* control, TPoint point) {
    if (!control) return;
    control->SetLeft(point.X);
    control->SetTop(point.Y);
}

void SetFormBounds(TCustomForm* form, const TRect& rect) {
    if (!form) return;
    form->SetLeft(rect.Left);
    form->SetTop(rect.Top);
    form->SetWidth(rect.Width());
    form->SetHeight(rect.Height());
}

bool IsFormActive(TCustomForm* form) {
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm) return form && form->Active();
    if (IsMDIParent(mainForm) && mainForm == form) return true;
    if (!Application->Active()) return false;
    if (!form || form == mainForm) return true;
    if (IsMDIParent(mainForm) && IsActiveMDIChild(mainForm, form)) return true;
    return form->Active();
}

void ApplyThemeToChildren(TWinControl* parent, TtavUIStyle style, TtavFileTheme* theme) {
    if (!parent) return;
    // Counted again each time: a child's setter may change its siblings.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!HasPublishedProperty(child, "FileTheme") || !HasPublishedProperty(child, "UIStyle")) continue;
        SetObjectProp(child, "FileTheme", theme);
        SetOrdProp(child, "UIStyle", int64_t(style));
    }
}
