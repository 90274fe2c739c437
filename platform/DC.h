#pragma once
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Region.h"
#include "platform/Surface.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

enum class TPenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
// The binary raster operations of the platform, numbered as its R2_ codes.
enum class TPenMode {
    Black = 1, NotMerge, MaskNotPen, NotCopy, MaskPenNot, Not, Xor, NotMask, Mask, NotXor, Nop, MergeNotPen,
    Copy, MergePenNot, Merge, White
};
enum class TBrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross, Pattern };
enum class TBkMode { Transparent = 1, Opaque = 2 };

struct TPenDesc {
    TPenStyle Style = TPenStyle::Solid;
    int Width = 1;
    TColor Color = clBlack;
    friend bool operator==(const TPenDesc&, const TPenDesc&) = default;
};

struct TBrushDesc {
    TBrushStyle Style = TBrushStyle::Solid;
    TColor Color = clWhite;
    // For TBrushStyle::Pattern: tiled from the brush origin.
    std::shared_ptr<const TSurface> Pattern;
    friend bool operator==(const TBrushDesc&, const TBrushDesc&) = default;
    static TBrushDesc SolidColor(TColor c) { return {TBrushStyle::Solid, c, nullptr}; }
};

// Ternary raster operations for blits (the platform's codes).
enum TRop : uint32_t {
    SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGEPAINT = 0x00BB0226,
    PATCOPY = 0x00F00021, PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062
};

// DrawText format flags, with the platform's values.
enum : unsigned {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80, DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000
};

constexpr TColor CLR_INVALID = TColor(0xFFFFFFFF);

struct TDCFill; // what paints pixels: a colour or a brush, and a raster operation (DC.cpp)

// A device context with the platform's semantics, drawing on a surface.
//
// Coordinates: a logical point p lands on the surface at DeviceOrigin + ViewportOrg + p. The device origin and
// the system clip are fixed at creation (a window DC: where the window lies in its top-level back buffer, and
// the part of it that is visible); the viewport origin and the clip region are the caller's and are saved by
// SaveDC. The clip region is kept in device coordinates (relative to the device origin, ignoring the viewport),
// as the platform's SelectClipRgn takes it; IntersectClipRect and ExcludeClipRect take logical coordinates.
class TDC {
public:
    explicit TDC(TSurface& surface, TPoint deviceOrigin = {}, std::optional<TRegion> systemClip = {});
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;
    virtual ~TDC() = default;

    TSurface& Surface() const { return *FSurface; }
    TPoint DeviceOrigin() const { return FDeviceOrigin; }
    // The parts of the surface drawn on through this DC so far (surface coordinates, before clipping): what
    // has to reach the screen. Drawing that writes Surface() itself says where with MarkDrawn.
    std::span<const TRect> Drawn() const { return {FDrawn.data(), FDrawnCount}; }
    void MarkDrawn(const TRect& surfaceRect);

    // Saved state: viewport origin, clip, pen, brush, font, colours, modes, current position, brush origin.
    int SaveDC();
    // `saved` is a value SaveDC returned, or negative to count back from the last save (-1: the last).
    bool RestoreDC(int saved);

    TPoint SetViewportOrg(TPoint origin); // returns the previous one
    TPoint GetViewportOrg() const { return FState.ViewportOrg; }
    TPoint OffsetViewportOrg(int dx, int dy);

    // Clip: results are the platform's NULLREGION 1, SIMPLEREGION 2, COMPLEXREGION 3 (ERROR 0).
    int SelectClipRgn(const TRegion* deviceRegion); // nullptr removes the clip
    int IntersectClipRect(const TRect& logical);
    int ExcludeClipRect(const TRect& logical);
    TRect GetClipBox() const; // in logical coordinates
    bool PtVisible(TPoint logical) const;
    bool RectVisible(const TRect& logical) const;

    TPenDesc SetPen(const TPenDesc& pen);
    const TPenDesc& Pen() const { return FState.Pen; }
    TBrushDesc SetBrush(const TBrushDesc& brush);
    const TBrushDesc& Brush() const { return FState.Brush; }
    TFontDesc SetFont(const TFontDesc& font);
    const TFontDesc& Font() const { return FState.Font; }
    TColor SetTextColor(TColor color);
    TColor GetTextColor() const { return FState.TextColor; }
    TColor SetBkColor(TColor color);
    TColor GetBkColor() const { return FState.BkColor; }
    TBkMode SetBkMode(TBkMode mode);
    TBkMode GetBkMode() const { return FState.BkMode; }
    TPenMode SetROP2(TPenMode mode);
    TPenMode GetROP2() const { return FState.Rop2; }
    TPoint SetBrushOrg(TPoint origin);

    // Filled and framed shapes: the current pen outlines, the current brush fills.
    void FillRect(const TRect& rect, const TBrushDesc& brush);
    void FrameRect(const TRect& rect, const TBrushDesc& brush); // one pixel wide, inside the rectangle
    void InvertRect(const TRect& rect);
    void Rectangle(const TRect& rect);
    void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);
    void Ellipse(const TRect& rect);
    void Polygon(const TPoint* points, int count); // filled (alternate), outlined including its vertices
    void Polyline(const TPoint* points, int count);
    void MoveTo(TPoint p);
    void LineTo(TPoint p); // without its end point
    TPoint CurrentPosition() const { return FState.Position; }
    void FillRegion(const TRegion& logicalRegion, const TBrushDesc& brush);

    TColor GetPixel(int x, int y) const; // CLR_INVALID outside the surface or the clip
    void SetPixel(int x, int y, TColor color);

    // Blits from another DC (its logical coordinates) or from a surface. An empty or inverted rectangle draws
    // nothing; StretchBlt scales by nearest neighbour.
    void BitBlt(int x, int y, int width, int height, const TDC& src, int srcX, int srcY, uint32_t rop = SRCCOPY);
    void BitBlt(int x, int y, int width, int height, const TSurface& src, int srcX, int srcY,
                uint32_t rop = SRCCOPY);
    void StretchBlt(const TRect& dst, const TSurface& src, const TRect& srcRect, uint32_t rop = SRCCOPY);
    // Stretched copy that leaves the pixels of the key colour out.
    void TransparentBlt(const TRect& dst, const TSurface& src, const TRect& srcRect, TColor keyColor);
    // Copies the pixels of `src` whose mask pixel is black (mask of the same size as src, white = transparent).
    void MaskedBlt(int x, int y, const TSurface& src, const TSurface& mask, const TRect& srcRect);
    // The dotted focus rectangle, drawn by XOR so that drawing it twice removes it.
    void DrawFocusRect(const TRect& rect);

    // Text, with the current font, text colour and background mode.
    void TextOut(int x, int y, std::string_view utf8);
    void ExtTextOut(int x, int y, const TRect* opaqueRect, const TRect* clipRect, std::string_view utf8);
    TSize GetTextExtent(std::string_view utf8) const;
    TTextMetric GetTextMetrics() const;
    // Returns the height of the text drawn; with DT_CALCRECT draws nothing and sets the rectangle's size.
    int DrawText(std::string_view utf8, TRect& rect, unsigned format);

    // The region of surface pixels drawing may touch now, in surface coordinates; kept within the surface even
    // when the surface was resized after the DC was made.
    const TRegion& EffectiveClip() const {
        if (FClipSurfaceSize.cx != FSurface->Width() || FClipSurfaceSize.cy != FSurface->Height())
            UpdateEffectiveClip();
        return FEffectiveClip;
    }
    TPoint ToSurface(TPoint logical) const { return logical + FDeviceOrigin + FState.ViewportOrg; }
    TRect ToSurface(const TRect& logical) const;

private:
    struct TState {
        TPoint ViewportOrg;
        std::optional<TRegion> ClipRgn; // device coordinates
        TPenDesc Pen;
        TBrushDesc Brush;
        TFontDesc Font;
        TColor TextColor = clBlack;
        TColor BkColor = clWhite;
        TBkMode BkMode = TBkMode::Opaque;
        TPenMode Rop2 = TPenMode::Copy;
        TPoint Position;
        TPoint BrushOrg;
    };

    void UpdateEffectiveClip() const;
    TDCFill BrushFill(const TBrushDesc& brush, TPenMode rop) const;
    TDCFill PenFill(TPixel color) const;
    static TDCFill SolidFill(TPixel color, TPenMode rop);
    // Painting in surface coordinates, within the effective clip.
    void PaintRect(const TRect& surfaceRect, const TDCFill& fill);
    void PaintSpan(int y, int x0, int x1, const TDCFill& fill);
    void PaintPixel(TPoint surfacePoint, const TDCFill& fill);
    void DrawShape(const TRect& logical, int ellipseWidth, int ellipseHeight);
    void DrawOutline(const TPoint* points, int count, bool closed);
    void FillPolygon(const TPoint* points, int count);
    void Blit(const TRect& surfaceDst, const TSurface& src, const TRect& srcRect, uint32_t rop);

    TSurface* FSurface;
    TPoint FDeviceOrigin;
    std::optional<TRegion> FSystemClip; // surface coordinates
    TState FState;
    std::vector<TState> FSaved;
    mutable TRegion FEffectiveClip;
    mutable TSize FClipSurfaceSize{-1, -1};
    // A frame's four sides stay four rectangles; past a few dozen parts their bounds will do.
    std::array<TRect, 32> FDrawn;
    size_t FDrawnCount = 0;
};

// Saves a DC's state for a scope.
class TDCStateSaver {
public:
    explicit TDCStateSaver(TDC& dc) : FDC(dc), FSaved(dc.SaveDC()) {}
    ~TDCStateSaver() { FDC.RestoreDC(FSaved); }
    TDCStateSaver(const TDCStateSaver&) = delete;
    TDCStateSaver& operator=(const TDCStateSaver&) = delete;

private:
    TDC& FDC;
    int FSaved;
};
