#include "platform/DC.h"

#include <algorithm>
#include <utility>

struct TDCFill {
    enum class TKind { None, Solid, Hatch, Pattern };
    TKind Kind = TKind::None;
    TPenMode Rop = TPenMode::Copy;
    TPixel Color = 0;
    TPixel Back = 0;
    bool Opaque = false; // hatch gaps painted with Back
    TBrushStyle Hatch = TBrushStyle::Solid;
    const TSurface* Pattern = nullptr;
    TPoint Origin; // surface point where the pattern and the hatches start
};

namespace {

constexpr TPixel RgbMask = 0xFFFFFF;

TPixel ApplyRop2(TPenMode mode, TPixel p, TPixel d) {
    switch (mode) {
    case TPenMode::Black: return 0;
    case TPenMode::NotMerge: return ~(p | d) & RgbMask;
    case TPenMode::MaskNotPen: return ~p & d & RgbMask;
    case TPenMode::NotCopy: return ~p & RgbMask;
    case TPenMode::MaskPenNot: return p & ~d & RgbMask;
    case TPenMode::Not: return ~d & RgbMask;
    case TPenMode::Xor: return (p ^ d) & RgbMask;
    case TPenMode::NotMask: return ~(p & d) & RgbMask;
    case TPenMode::Mask: return p & d & RgbMask;
    case TPenMode::NotXor: return ~(p ^ d) & RgbMask;
    case TPenMode::Nop: return d;
    case TPenMode::MergeNotPen: return (~p | d) & RgbMask;
    case TPenMode::Copy: return p;
    case TPenMode::MergePenNot: return (p | ~d) & RgbMask;
    case TPenMode::Merge: return (p | d) & RgbMask;
    case TPenMode::White: return RgbMask;
    }
    return d;
}

int Wrap(int value, int period) {
    const int m = value % period;
    return m < 0 ? m + period : m;
}

bool HatchBit(TBrushStyle hatch, int hx, int hy) {
    switch (hatch) {
    case TBrushStyle::Horizontal: return hy == 0;
    case TBrushStyle::Vertical: return hx == 0;
    case TBrushStyle::FDiagonal: return hx == hy;
    case TBrushStyle::BDiagonal: return hx + hy == 7;
    case TBrushStyle::Cross: return hx == 0 || hy == 0;
    case TBrushStyle::DiagCross: return hx == hy || hx + hy == 7;
    default: return true;
    }
}

// Paints pixels [x0, x1) of surface row y, already clipped.
void PaintRow(TSurface& surface, int y, int x0, int x1, const TDCFill& fill) {
    TPixel* row = surface.Row(y);
    switch (fill.Kind) {
    case TDCFill::TKind::None: return;
    case TDCFill::TKind::Solid:
        if (fill.Rop == TPenMode::Copy)
            std::fill(row + x0, row + x1, fill.Color);
        else
            for (int x = x0; x < x1; ++x) row[x] = ApplyRop2(fill.Rop, fill.Color, row[x]);
        return;
    case TDCFill::TKind::Hatch: {
        const int hy = Wrap(y - fill.Origin.Y, 8);
        for (int x = x0; x < x1; ++x) {
            if (HatchBit(fill.Hatch, Wrap(x - fill.Origin.X, 8), hy))
                row[x] = ApplyRop2(fill.Rop, fill.Color, row[x]);
            else if (fill.Opaque)
                row[x] = ApplyRop2(fill.Rop, fill.Back, row[x]);
        }
        return;
    }
    case TDCFill::TKind::Pattern: {
        const TSurface& pattern = *fill.Pattern;
        const TPixel* source = pattern.Row(Wrap(y - fill.Origin.Y, pattern.Height()));
        int px = Wrap(x0 - fill.Origin.X, pattern.Width());
        for (int x = x0; x < x1;) {
            const int run = std::min(x1 - x, pattern.Width() - px);
            if (fill.Rop == TPenMode::Copy)
                std::copy_n(source + px, run, row + x);
            else
                for (int i = 0; i < run; ++i) row[x + i] = ApplyRop2(fill.Rop, source[px + i], row[x + i]);
            x += run;
            px = 0;
        }
        return;
    }
    }
}

// Calls f(rect) for each part of `area` inside the clip, top to bottom.
template <class F> void ForEachClipRect(const TRegion& clip, const TRect& area, F f) {
    const auto& rects = clip.Rects();
    auto it = std::partition_point(rects.begin(), rects.end(), [&](const TRect& r) { return r.Bottom <= area.Top; });
    for (; it != rects.end() && it->Top < area.Bottom; ++it) {
        const TRect part = Intersection(*it, area);
        if (!part.IsEmpty()) f(part);
    }
}

} // namespace

TDC::TDC(TSurface& surface, TPoint deviceOrigin, std::optional<TRegion> systemClip)
    : FSurface(&surface), FDeviceOrigin(deviceOrigin), FSystemClip(std::move(systemClip)) {
    UpdateEffectiveClip();
}

void TDC::UpdateEffectiveClip() const {
    TRegion clip(FSurface->BoundsRect());
    if (FSystemClip) clip &= *FSystemClip;
    if (FState.ClipRgn) {
        TRegion user = *FState.ClipRgn;
        user.Offset(FDeviceOrigin.X, FDeviceOrigin.Y);
        clip &= user;
    }
    FEffectiveClip = std::move(clip);
    FClipSurfaceSize = {FSurface->Width(), FSurface->Height()};
}

TRect TDC::ToSurface(const TRect& logical) const {
    const TPoint offset = FDeviceOrigin + FState.ViewportOrg;
    return logical.Offsetted(offset.X, offset.Y);
}

// --- State ---

int TDC::SaveDC() {
    FSaved.push_back(FState);
    return int(FSaved.size());
}

bool TDC::RestoreDC(int saved) {
    const int level = saved < 0 ? int(FSaved.size()) + saved + 1 : saved;
    if (level < 1 || level > int(FSaved.size())) return false;
    FState = FSaved[size_t(level) - 1];
    FSaved.resize(size_t(level) - 1);
    UpdateEffectiveClip();
    return true;
}

TPoint TDC::SetViewportOrg(TPoint origin) { return std::exchange(FState.ViewportOrg, origin); }

TPoint TDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(FState.ViewportOrg + TPoint{dx, dy});
}

TPenDesc TDC::SetPen(const TPenDesc& pen) { return std::exchange(FState.Pen, pen); }
TBrushDesc TDC::SetBrush(const TBrushDesc& brush) { return std::exchange(FState.Brush, brush); }
TFontDesc TDC::SetFont(const TFontDesc& font) { return std::exchange(FState.Font, font); }
TColor TDC::SetTextColor(TColor color) { return std::exchange(FState.TextColor, color); }
TColor TDC::SetBkColor(TColor color) { return std::exchange(FState.BkColor, color); }
TBkMode TDC::SetBkMode(TBkMode mode) { return std::exchange(FState.BkMode, mode); }
TPenMode TDC::SetROP2(TPenMode mode) { return std::exchange(FState.Rop2, mode); }
TPoint TDC::SetBrushOrg(TPoint origin) { return std::exchange(FState.BrushOrg, origin); }

// --- Clip ---

namespace {
int RegionKind(const TRegion& region) {
    if (region.IsEmpty()) return 1;
    return region.Rects().size() == 1 ? 2 : 3;
}
} // namespace

int TDC::SelectClipRgn(const TRegion* deviceRegion) {
    if (deviceRegion)
        FState.ClipRgn = *deviceRegion;
    else
        FState.ClipRgn.reset();
    UpdateEffectiveClip();
    return RegionKind(FEffectiveClip);
}

int TDC::IntersectClipRect(const TRect& logical) {
    const TRegion rect(logical.Offsetted(FState.ViewportOrg.X, FState.ViewportOrg.Y));
    FState.ClipRgn = FState.ClipRgn ? TRegion::Combine(*FState.ClipRgn, rect, TRegion::TCombine::And) : rect;
    UpdateEffectiveClip();
    return RegionKind(FEffectiveClip);
}

int TDC::ExcludeClipRect(const TRect& logical) {
    // Without a clip, the whole surface (in device coordinates) is the starting point.
    const TRegion whole(FSurface->BoundsRect().Offsetted(-FDeviceOrigin.X, -FDeviceOrigin.Y));
    const TRegion rect(logical.Offsetted(FState.ViewportOrg.X, FState.ViewportOrg.Y));
    FState.ClipRgn = TRegion::Combine(FState.ClipRgn ? *FState.ClipRgn : whole, rect, TRegion::TCombine::Diff);
    UpdateEffectiveClip();
    return RegionKind(FEffectiveClip);
}

TRect TDC::GetClipBox() const {
    const TRect box = EffectiveClip().Bounds();
    if (box.IsEmpty()) return {};
    const TPoint offset = FDeviceOrigin + FState.ViewportOrg;
    return box.Offsetted(-offset.X, -offset.Y);
}

bool TDC::PtVisible(TPoint logical) const { return EffectiveClip().Contains(ToSurface(logical)); }

bool TDC::RectVisible(const TRect& logical) const { return EffectiveClip().Intersects(ToSurface(logical)); }

// --- Painting primitives ---

TDCFill TDC::BrushFill(const TBrushDesc& brush, TPenMode rop) const {
    TDCFill fill;
    fill.Rop = rop;
    fill.Color = ColorToPixel(brush.Color);
    fill.Back = ColorToPixel(FState.BkColor);
    fill.Opaque = FState.BkMode == TBkMode::Opaque;
    fill.Origin = FDeviceOrigin + FState.BrushOrg;
    switch (brush.Style) {
    case TBrushStyle::Solid: fill.Kind = TDCFill::TKind::Solid; break;
    case TBrushStyle::Clear: fill.Kind = TDCFill::TKind::None; break;
    case TBrushStyle::Pattern:
        if (brush.Pattern && !brush.Pattern->IsEmpty()) {
            fill.Kind = TDCFill::TKind::Pattern;
            fill.Pattern = brush.Pattern.get();
        }
        break;
    default:
        fill.Kind = TDCFill::TKind::Hatch;
        fill.Hatch = brush.Style;
        break;
    }
    return fill;
}

TDCFill TDC::PenFill(TPixel color) const {
    TDCFill fill;
    fill.Kind = TDCFill::TKind::Solid;
    fill.Rop = FState.Rop2;
    fill.Color = color;
    return fill;
}

void TDC::PaintRect(const TRect& surfaceRect, const TDCFill& fill) {
    if (fill.Kind == TDCFill::TKind::None) return;
    ForEachClipRect(EffectiveClip(), surfaceRect, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) PaintRow(*FSurface, y, part.Left, part.Right, fill);
    });
}

void TDC::PaintSpan(int y, int x0, int x1, const TDCFill& fill) { PaintRect({x0, y, x1, y + 1}, fill); }

void TDC::PaintPixel(TPoint p, const TDCFill& fill) {
    if (EffectiveClip().Contains(p)) PaintRow(*FSurface, p.Y, p.X, p.X + 1, fill);
}

// --- Shapes ---

void TDC::FillRect(const TRect& rect, const TBrushDesc& brush) {
    PaintRect(ToSurface(rect), BrushFill(brush, TPenMode::Copy));
}
