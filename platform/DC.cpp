#include "platform/DC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
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
    case TPenMode::Black:
        return 0;
    case TPenMode::NotMerge:
        return ~(p | d) & RgbMask;
    case TPenMode::MaskNotPen:
        return ~p & d & RgbMask;
    case TPenMode::NotCopy:
        return ~p & RgbMask;
    case TPenMode::MaskPenNot:
        return p & ~d & RgbMask;
    case TPenMode::Not:
        return ~d & RgbMask;
    case TPenMode::Xor:
        return (p ^ d) & RgbMask;
    case TPenMode::NotMask:
        return ~(p & d) & RgbMask;
    case TPenMode::Mask:
        return p & d & RgbMask;
    case TPenMode::NotXor:
        return ~(p ^ d) & RgbMask;
    case TPenMode::Nop:
        return d;
    case TPenMode::MergeNotPen:
        return (~p | d) & RgbMask;
    case TPenMode::Copy:
        return p;
    case TPenMode::MergePenNot:
        return (p | ~d) & RgbMask;
    case TPenMode::Merge:
        return (p | d) & RgbMask;
    case TPenMode::White:
        return RgbMask;
    }
    return d;
}

bool IsEmptySpan(const std::pair<int, int>& span) {
    return span.first >= span.second;
}

int Wrap(int value, int period) {
    const int m = value % period;
    return m < 0 ? m + period : m;
}

bool HatchBit(TBrushStyle hatch, int hx, int hy) {
    switch (hatch) {
    case TBrushStyle::Horizontal:
        return hy == 0;
    case TBrushStyle::Vertical:
        return hx == 0;
    case TBrushStyle::FDiagonal:
        return hx == hy;
    case TBrushStyle::BDiagonal:
        return hx + hy == 7;
    case TBrushStyle::Cross:
        return hx == 0 || hy == 0;
    case TBrushStyle::DiagCross:
        return hx == hy || hx + hy == 7;
    default:
        return true;
    }
}

// Repeats the first `seeded` pixels of `row` over its first `count`, doubling what is done at each copy: a
// few block copies instead of a store a pixel.
void RepeatLeading(TPixel* row, int seeded, int count) {
    if (seeded <= 0) return;
    for (int done = seeded; done < count; done *= 2)
        std::copy_n(row, std::min(done, count - done), row + done);
}

void FillPixels(TPixel* row, int count, TPixel color) {
    const int seeded = std::min(count, 16);
    std::fill_n(row, seeded, color);
    RepeatLeading(row, seeded, count);
}

// Paints pixels [x0, x1) of surface row y, already clipped.
void PaintRow(TSurface& surface, int y, int x0, int x1, const TDCFill& fill) {
    TPixel* row = surface.Row(y);
    switch (fill.Kind) {
    case TDCFill::TKind::None:
        return;
    case TDCFill::TKind::Solid:
        if (fill.Rop == TPenMode::Copy)
            FillPixels(row + x0, x1 - x0, fill.Color);
        else
            for (int x = x0; x < x1; ++x)
                row[x] = ApplyRop2(fill.Rop, fill.Color, row[x]);
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
        // A copy needs one period from the pattern; the rest repeats what the row already holds.
        const int end = fill.Rop == TPenMode::Copy ? std::min(x1, x0 + pattern.Width()) : x1;
        for (int x = x0; x < end;) {
            const int run = std::min(end - x, pattern.Width() - px);
            if (fill.Rop == TPenMode::Copy)
                std::copy_n(source + px, run, row + x);
            else
                for (int i = 0; i < run; ++i)
                    row[x + i] = ApplyRop2(fill.Rop, source[px + i], row[x + i]);
            x += run;
            px = 0;
        }
        RepeatLeading(row + x0, end - x0, x1 - x0);
        return;
    }
    }
}

void PaintRows(TSurface& surface, const TRect& rect, const TDCFill& fill) {
    // The common solid copy without the per-row dispatch: frames paint their sides a pixel wide, row by row.
    if (fill.Kind == TDCFill::TKind::Solid && fill.Rop == TPenMode::Copy) {
        if (rect.Width() == 1) {
            for (int y = rect.Top; y < rect.Bottom; ++y)
                surface.Row(y)[rect.Left] = fill.Color;
            return;
        }
        // The first row filled, every other row a copy of it.
        TPixel* first = surface.Row(rect.Top) + rect.Left;
        FillPixels(first, rect.Width(), fill.Color);
        for (int y = rect.Top + 1; y < rect.Bottom; ++y)
            std::copy_n(first, rect.Width(), surface.Row(y) + rect.Left);
        return;
    }
    for (int y = rect.Top; y < rect.Bottom; ++y)
        PaintRow(surface, y, rect.Left, rect.Right, fill);
}

// Calls f(rect) for each part of `area` inside the clip, top to bottom.
template <class F> void ForEachClipRect(const TRegion& clip, const TRect& area, F f) {
    const auto& rects = clip.Rects();
    auto it = std::partition_point(rects.begin(), rects.end(),
                                   [&](const TRect& r) { return r.Bottom <= area.Top; });
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
    // A window's clip lies within its back buffer already: no intersection to compute then.
    const TRect bounds = FSurface->BoundsRect();
    TRegion clip = FSystemClip ? *FSystemClip : TRegion(bounds);
    if (FSystemClip && Intersection(clip.Bounds(), bounds) != clip.Bounds()) clip &= TRegion(bounds);
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

TPoint TDC::SetViewportOrg(TPoint origin) {
    return std::exchange(FState.ViewportOrg, origin);
}

TPoint TDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(FState.ViewportOrg + TPoint{dx, dy});
}

TPenDesc TDC::SetPen(const TPenDesc& pen) {
    return std::exchange(FState.Pen, pen);
}
TBrushDesc TDC::SetBrush(const TBrushDesc& brush) {
    return std::exchange(FState.Brush, brush);
}
TFontDesc TDC::SetFont(const TFontDesc& font) {
    return std::exchange(FState.Font, font);
}
TColor TDC::SetTextColor(TColor color) {
    return std::exchange(FState.TextColor, color);
}
TColor TDC::SetBkColor(TColor color) {
    return std::exchange(FState.BkColor, color);
}
TBkMode TDC::SetBkMode(TBkMode mode) {
    return std::exchange(FState.BkMode, mode);
}
TPenMode TDC::SetROP2(TPenMode mode) {
    return std::exchange(FState.Rop2, mode);
}
TPoint TDC::SetBrushOrg(TPoint origin) {
    return std::exchange(FState.BrushOrg, origin);
}

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
    FState.ClipRgn =
        TRegion::Combine(FState.ClipRgn ? *FState.ClipRgn : whole, rect, TRegion::TCombine::Diff);
    UpdateEffectiveClip();
    return RegionKind(FEffectiveClip);
}

TRect TDC::GetClipBox() const {
    const TRect box = EffectiveClip().Bounds();
    if (box.IsEmpty()) return {};
    const TPoint offset = FDeviceOrigin + FState.ViewportOrg;
    return box.Offsetted(-offset.X, -offset.Y);
}

bool TDC::PtVisible(TPoint logical) const {
    return EffectiveClip().Contains(ToSurface(logical));
}

bool TDC::RectVisible(const TRect& logical) const {
    return EffectiveClip().Intersects(ToSurface(logical));
}

// --- Painting primitives ---

TDCFill TDC::BrushFill(const TBrushDesc& brush, TPenMode rop) const {
    TDCFill fill;
    fill.Rop = rop;
    fill.Color = ColorToPixel(brush.Color);
    fill.Back = ColorToPixel(FState.BkColor);
    fill.Opaque = FState.BkMode == TBkMode::Opaque;
    fill.Origin = FDeviceOrigin + FState.BrushOrg;
    switch (brush.Style) {
    case TBrushStyle::Solid:
        fill.Kind = TDCFill::TKind::Solid;
        break;
    case TBrushStyle::Clear:
        fill.Kind = TDCFill::TKind::None;
        break;
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

TDCFill TDC::SolidFill(TPixel color, TPenMode rop) {
    TDCFill fill;
    fill.Kind = TDCFill::TKind::Solid;
    fill.Rop = rop;
    fill.Color = color;
    return fill;
}

TDCFill TDC::PenFill(TPixel color) const {
    return SolidFill(color, FState.Rop2);
}

void TDC::MarkDrawn(const TRect& surfaceRect) {
    if (surfaceRect.IsEmpty()) return;
    if (FDrawnCount < FDrawn.size()) {
        FDrawn[FDrawnCount++] = surfaceRect;
        return;
    }
    TRect bounds = surfaceRect;
    for (const TRect& r : FDrawn) bounds = UnionRect(bounds, r);
    FDrawn[0] = bounds;
    FDrawnCount = 1;
}

void TDC::PaintRect(const TRect& surfaceRect, const TDCFill& fill) {
    if (fill.Kind == TDCFill::TKind::None) return;
    MarkDrawn(surfaceRect);
    ForEachClipRect(EffectiveClip(), surfaceRect,
                    [&](const TRect& part) { PaintRows(*FSurface, part, fill); });
}

void TDC::PaintSpan(int y, int x0, int x1, const TDCFill& fill) {
    PaintRect({x0, y, x1, y + 1}, fill);
}

void TDC::PaintPixel(TPoint p, const TDCFill& fill) {
    if (!EffectiveClip().Contains(p)) return;
    MarkDrawn({p.X, p.Y, p.X + 1, p.Y + 1});
    PaintRow(*FSurface, p.Y, p.X, p.X + 1, fill);
}

// --- Shapes ---

void TDC::FillRect(const TRect& rect, const TBrushDesc& brush) {
    PaintRect(ToSurface(rect), BrushFill(brush, TPenMode::Copy));
}

void TDC::FillRegion(const TRegion& logicalRegion, const TBrushDesc& brush) {
    const TDCFill fill = BrushFill(brush, TPenMode::Copy);
    if (fill.Kind == TDCFill::TKind::None) return;
    TRegion region = logicalRegion;
    const TPoint offset = FDeviceOrigin + FState.ViewportOrg;
    region.Offset(offset.X, offset.Y);
    region &= EffectiveClip();
    MarkDrawn(region.Bounds());
    for (const TRect& rect : region.Rects())
        PaintRows(*FSurface, rect, fill);
}

void TDC::FrameRect(const TRect& rect, const TBrushDesc& brush) {
    const TRect r = ToSurface(rect);
    if (r.IsEmpty()) return;
    const TDCFill fill = BrushFill(brush, TPenMode::Copy);
    PaintRect({r.Left, r.Top, r.Right, r.Top + 1}, fill);
    if (r.Height() > 1) PaintRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, fill);
    PaintRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, fill);
    if (r.Width() > 1) PaintRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, fill);
}

void TDC::InvertRect(const TRect& rect) {
    PaintRect(ToSurface(rect), SolidFill(0, TPenMode::Not));
}

void TDC::Rectangle(const TRect& rect) {
    DrawShape(rect, 0, 0);
}

void TDC::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) {
    DrawShape(rect, ellipseWidth, ellipseHeight);
}

void TDC::Ellipse(const TRect& rect) {
    DrawShape(rect, std::abs(rect.Width()), std::abs(rect.Height()));
}

// The pen's outline lies inside the rectangle, which excludes its right and bottom edges; the brush fills
// what the outline encloses. Without a pen the fill, as the platform's, stops one pixel short on the right
// and bottom.
void TDC::DrawShape(const TRect& logical, int ellipseWidth, int ellipseHeight) {
    TRect outer = NormalizedRect(ToSurface(logical));
    const TDCFill brush = BrushFill(FState.Brush, FState.Rop2);
    const bool hasPen = FState.Pen.Style != TPenStyle::Clear;
    if (!hasPen) outer = {outer.Left, outer.Top, outer.Right - 1, outer.Bottom - 1};
    if (outer.IsEmpty()) return;
    const int w = hasPen ? std::max(FState.Pen.Width, 1) : 0;
    const TDCFill ink = PenFill(ColorToPixel(FState.Pen.Color));
    const TRect inner = outer.Inflated(-w, -w);
    const auto outerSpan = [&](int y) {
        return TRegion::RoundRectRowSpan(outer, ellipseWidth, ellipseHeight, y);
    };
    const TRect clipBounds = EffectiveClip().Bounds();
    const int top = std::max(outer.Top, clipBounds.Top), bottom = std::min(outer.Bottom, clipBounds.Bottom);
    for (int y = top; y < bottom; ++y) {
        const auto span = outerSpan(y);
        if (IsEmptySpan(span)) continue;
        const auto in = TRegion::RoundRectRowSpan(inner, ellipseWidth - 2 * w, ellipseHeight - 2 * w, y);
        // The outline reaches at least to where the rows above and below begin, so steep arcs have no gaps.
        int interiorLeft = std::max(in.first, span.first + w),
            interiorRight = std::min(in.second, span.second - w);
        for (int neighbour : {y - 1, y + 1}) {
            const auto next = outerSpan(neighbour);
            if (IsEmptySpan(next) || w == 0) continue;
            interiorLeft = std::max(interiorLeft, next.first);
            interiorRight = std::min(interiorRight, next.second);
        }
        if (IsEmptySpan(in) || interiorLeft >= interiorRight) {
            PaintSpan(y, span.first, span.second, w ? ink : brush);
            continue;
        }
        PaintSpan(y, span.first, interiorLeft, ink);
        PaintSpan(y, interiorLeft, interiorRight, brush);
        PaintSpan(y, interiorRight, span.second, ink);
    }
}

// --- Lines and polygons ---

namespace {

// Bresenham's line from `a` towards `b`, without `b`.
template <class F> void ForEachLinePoint(TPoint a, TPoint b, F f) {
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    while (a != b) {
        f(a);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.X += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.Y += sy;
        }
    }
}

// Whether step `step` of a styled one-pixel pen is drawn: runs alternate on and off.
bool DashOn(TPenStyle style, int step) {
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    const std::vector<int>* runs = nullptr;
    switch (style) {
    case TPenStyle::Dash:
        runs = &dash;
        break;
    case TPenStyle::Dot:
        runs = &dot;
        break;
    case TPenStyle::DashDot:
        runs = &dashDot;
        break;
    case TPenStyle::DashDotDot:
        runs = &dashDotDot;
        break;
    default:
        return true;
    }
    int total = 0;
    for (int run : *runs)
        total += run;
    int position = step % total;
    for (size_t i = 0; i < runs->size(); ++i) {
        if (position < (*runs)[i]) return i % 2 == 0;
        position -= (*runs)[i];
    }
    return true;
}

std::vector<TPoint> SurfacePath(const TDC& dc, const TPoint* points, int count) {
    std::vector<TPoint> path;
    for (int i = 0; i < count; ++i)
        path.push_back(dc.ToSurface(points[i]));
    return path;
}

// Pixel spans gathered row by row and merged, so overlapping stamps of a wide pen paint each pixel once.
class TSpanSet {
  public:
    void Add(int y, std::pair<int, int> span) {
        if (!IsEmptySpan(span)) FRows[y].push_back(span);
    }
    template <class F> void ForEachMerged(F f) {
        for (auto& [y, spans] : FRows) {
            std::sort(spans.begin(), spans.end());
            std::pair<int, int> run = spans.front();
            for (const auto& span : spans) {
                if (span.first > run.second) {
                    f(y, run);
                    run = span;
                } else {
                    run.second = std::max(run.second, span.second);
                }
            }
            f(y, run);
        }
    }

  private:
    std::map<int, std::vector<std::pair<int, int>>> FRows;
};

} // namespace

void TDC::DrawOutline(const TPoint* points, int count, bool closed) {
    const TPenDesc& pen = FState.Pen;
    if (!points || count < 2 || pen.Style == TPenStyle::Clear) return;
    std::vector<TPoint> path = SurfacePath(*this, points, count);
    if (closed) path.push_back(path.front());
    const TDCFill ink = PenFill(ColorToPixel(pen.Color));
    if (pen.Width <= 1) {
        const TDCFill gap = PenFill(ColorToPixel(FState.BkColor));
        const bool paintGaps = FState.BkMode == TBkMode::Opaque;
        const TRect clipBounds = EffectiveClip().Bounds();
        int step = 0; // the dash pattern runs on across the segments
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            const TPoint a = path[i], b = path[i + 1];
            const TRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1,
                            std::max(a.Y, b.Y) + 1};
            if (Intersection(box, clipBounds).IsEmpty()) {
                step += std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y)); // out of sight: skip its points
                continue;
            }
            ForEachLinePoint(a, b, [&](TPoint p) {
                if (DashOn(pen.Style, step++))
                    PaintPixel(p, ink);
                else if (paintGaps)
                    PaintPixel(p, gap);
            });
        }
        return;
    }
    // A wide pen is solid with round ends: a disc stamped at every point of the path.
    TSpanSet spans;
    const int w = pen.Width;
    for (size_t i = 0; i + 1 < path.size(); ++i)
        ForEachLinePoint(path[i], path[i + 1], [&](TPoint p) {
            const TRect disc = Bounds(p.X - (w - 1) / 2, p.Y - (w - 1) / 2, w, w);
            for (int y = disc.Top; y < disc.Bottom; ++y)
                spans.Add(y, TRegion::RoundRectRowSpan(disc, w, w, y));
        });
    spans.ForEachMerged([&](int y, std::pair<int, int> span) { PaintSpan(y, span.first, span.second, ink); });
}

// Alternate fill of the pixels whose centres lie inside the polygon; pixel centres sit on whole coordinates,
// so a pixel on a left or top edge is inside and one on a right or bottom edge is not.
void TDC::FillPolygon(const TPoint* points, int count) {
    const TDCFill brush = BrushFill(FState.Brush, FState.Rop2);
    if (brush.Kind == TDCFill::TKind::None || count < 3) return;
    const std::vector<TPoint> path = SurfacePath(*this, points, count);
    int top = path.front().Y, bottom = top;
    for (const TPoint& p : path) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    const TRect clipBounds = EffectiveClip().Bounds();
    top = std::max(top, clipBounds.Top);
    bottom = std::min(bottom, clipBounds.Bottom);
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        crossings.clear();
        for (size_t i = 0; i < path.size(); ++i) {
            const TPoint a = path[i], b = path[(i + 1) % path.size()];
            if ((y < a.Y) == (y < b.Y)) continue;
            crossings.push_back(a.X + double(y - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            PaintSpan(y, int(std::ceil(crossings[i])), int(std::ceil(crossings[i + 1])), brush);
    }
}

void TDC::Polygon(const TPoint* points, int count) {
    if (!points) return;
    FillPolygon(points, count);
    DrawOutline(points, count, true);
}

void TDC::Polyline(const TPoint* points, int count) {
    DrawOutline(points, count, false);
}

void TDC::MoveTo(TPoint p) {
    FState.Position = p;
}

void TDC::LineTo(TPoint p) {
    const TPoint line[2] = {FState.Position, p};
    DrawOutline(line, 2, false);
    FState.Position = p;
}

// --- Pixels ---

TColor TDC::GetPixel(int x, int y) const {
    const TPoint p = ToSurface(TPoint{x, y});
    if (!EffectiveClip().Contains(p)) return CLR_INVALID;
    return PixelToColor(FSurface->Pixel(p.X, p.Y));
}

void TDC::SetPixel(int x, int y, TColor color) {
    PaintPixel(ToSurface(TPoint{x, y}), SolidFill(ColorToPixel(color), TPenMode::Copy));
}

void TDC::DrawFocusRect(const TRect& rect) {
    const TRect r = ToSurface(rect);
    if (r.IsEmpty()) return;
    // Every other pixel of each side inverted, in step with the device's pixel grid.
    const auto dots = [&](const TRect& side) {
        if (side.IsEmpty()) return;
        MarkDrawn(side);
        ForEachClipRect(EffectiveClip(), side, [&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y) {
                TPixel* row = FSurface->Row(y);
                for (int x = part.Left + ((part.Left - FDeviceOrigin.X + y - FDeviceOrigin.Y) & 1); x < part.Right;
                     x += 2)
                    row[x] = ~row[x] & RgbMask;
            }
        });
    };
    dots({r.Left, r.Top, r.Right, r.Top + 1});
    if (r.Height() > 1) dots({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    dots({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    if (r.Width() > 1) dots({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

// --- Blits ---

namespace {

// The ternary raster operation `code` (the platform's index: pattern 0xF0, source 0xCC, destination 0xAA).
TPixel ApplyRop3(uint8_t code, TPixel p, TPixel s, TPixel d) {
    TPixel result = 0;
    for (int i = 0; i < 8; ++i)
        if (code >> i & 1) result |= (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
    return result & RgbMask;
}

bool UsesSource(uint8_t code) {
    return ((code >> 2 ^ code) & 0x33) != 0;
}
bool UsesPattern(uint8_t code) {
    return ((code >> 4 ^ code) & 0x0F) != 0;
}

// A ternary operation that ignores the source, as the binary one of pattern and destination.
TPenMode BinaryRop(uint8_t code) {
    int table = 0;
    for (int p = 0; p < 2; ++p)
        for (int d = 0; d < 2; ++d)
            if (code >> (p * 4 + d) & 1) table |= 1 << (p * 2 + d);
    return TPenMode(table + 1);
}

TPixel BrushPixel(const TDCFill& fill, int x, int y) {
    switch (fill.Kind) {
    case TDCFill::TKind::Solid:
        return fill.Color;
    case TDCFill::TKind::Hatch:
        return HatchBit(fill.Hatch, Wrap(x - fill.Origin.X, 8), Wrap(y - fill.Origin.Y, 8)) ? fill.Color
                                                                                            : fill.Back;
    case TDCFill::TKind::Pattern:
        return fill.Pattern->Pixel(Wrap(x - fill.Origin.X, fill.Pattern->Width()),
                                   Wrap(y - fill.Origin.Y, fill.Pattern->Height()));
    case TDCFill::TKind::None:
        break;
    }
    return 0;
}

// Maps destination `d` of [dstStart, dstStart + dstLength) to the source pixel whose centre is nearest.
int NearestSource(int d, int dstStart, int dstLength, int srcStart, int srcLength) {
    return srcStart + int(((int64_t(d) - dstStart) * 2 + 1) * srcLength / (int64_t(dstLength) * 2));
}

// Calls op(dstPixels, srcPixels, n, x, y) for each clipped row of destination `dst` with its source pixels
// from `srcRect` of `src`, scaled by nearest neighbour; destination pixels whose source lies outside `src`
// are left alone.
template <class RowOp>
void BlitRows(TSurface& dst, const TRegion& clip, const TRect& dstRect, const TSurface& src,
              const TRect& srcRect, RowOp op) {
    if (dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    const auto mapX = [&](int x) {
        return NearestSource(x, dstRect.Left, dstRect.Width(), srcRect.Left, srcRect.Width());
    };
    const auto mapY = [&](int y) {
        return NearestSource(y, dstRect.Top, dstRect.Height(), srcRect.Top, srcRect.Height());
    };
    TRect area = Intersection(dstRect, clip.Bounds());
    while (area.Left < area.Right && mapX(area.Left) < 0)
        ++area.Left;
    while (area.Left < area.Right && mapX(area.Right - 1) >= src.Width())
        --area.Right;
    while (area.Top < area.Bottom && mapY(area.Top) < 0)
        ++area.Top;
    while (area.Top < area.Bottom && mapY(area.Bottom - 1) >= src.Height())
        --area.Bottom;
    if (area.IsEmpty()) return;
    const bool unscaled = dstRect.Size() == srcRect.Size();
    std::vector<int> columns;
    std::vector<TPixel> buffer;
    if (!unscaled) {
        for (int x = area.Left; x < area.Right; ++x)
            columns.push_back(mapX(x));
        buffer.resize(columns.size());
    }
    ForEachClipRect(clip, area, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            const TPixel* sourceRow = src.Row(mapY(y));
            if (unscaled) {
                op(dst.Row(y) + part.Left, sourceRow + (part.Left - dstRect.Left + srcRect.Left),
                   part.Width(), part.Left, y);
                continue;
            }
            for (int x = part.Left; x < part.Right; ++x)
                buffer[size_t(x - part.Left)] = sourceRow[columns[size_t(x - area.Left)]];
            op(dst.Row(y) + part.Left, buffer.data(), part.Width(), part.Left, y);
        }
    });
}

} // namespace

void TDC::Blit(const TRect& dst, const TSurface& src, const TRect& srcRect, uint32_t rop) {
    const uint8_t code = uint8_t(rop >> 16);
    if (!UsesSource(code)) {
        const TPenMode rop2 = BinaryRop(code);
        PaintRect(dst, UsesPattern(code) ? BrushFill(FState.Brush, rop2) : SolidFill(0, rop2));
        return;
    }
    if (&src == FSurface) { // reading and writing the same pixels: read from a copy
        const TSurface copy = src;
        Blit(dst, copy, srcRect, rop);
        return;
    }
    MarkDrawn(dst);
    if (code == uint8_t(SRCCOPY >> 16)) {
        BlitRows(*FSurface, EffectiveClip(), dst, src, srcRect,
                 [](TPixel* d, const TPixel* s, int n, int, int) { std::copy_n(s, n, d); });
        return;
    }
    const TDCFill brush = BrushFill(FState.Brush, TPenMode::Copy);
    BlitRows(*FSurface, EffectiveClip(), dst, src, srcRect,
             [&](TPixel* d, const TPixel* s, int n, int x, int y) {
                 for (int i = 0; i < n; ++i)
                     d[i] = ApplyRop3(code, BrushPixel(brush, x + i, y), s[i], d[i]);
             });
}

void TDC::BitBlt(int x, int y, int width, int height, const TDC& src, int srcX, int srcY, uint32_t rop) {
    Blit(ToSurface(Bounds(x, y, width, height)), src.Surface(),
         src.ToSurface(Bounds(srcX, srcY, width, height)), rop);
}

void TDC::BitBlt(int x, int y, int width, int height, const TSurface& src, int srcX, int srcY, uint32_t rop) {
    Blit(ToSurface(Bounds(x, y, width, height)), src, Bounds(srcX, srcY, width, height), rop);
}

void TDC::StretchBlt(const TRect& dst, const TSurface& src, const TRect& srcRect, uint32_t rop) {
    if (dst.IsEmpty() || srcRect.IsEmpty()) return;
    Blit(ToSurface(dst), src, srcRect, rop);
}

void TDC::TransparentBlt(const TRect& dst, const TSurface& src, const TRect& srcRect, TColor keyColor) {
    if (&src == FSurface) {
        const TSurface copy = src;
        TransparentBlt(dst, copy, srcRect, keyColor);
        return;
    }
    const TPixel key = ColorToPixel(keyColor);
    MarkDrawn(ToSurface(dst));
    BlitRows(*FSurface, EffectiveClip(), ToSurface(dst), src, srcRect,
             [key](TPixel* d, const TPixel* s, int n, int, int) {
                 for (int i = 0; i < n; ++i)
                     if (s[i] != key) d[i] = s[i];
             });
}

void TDC::MaskedBlt(int x, int y, const TSurface& src, const TSurface& mask, const TRect& srcRect) {
    if (&src == FSurface || &mask == FSurface) {
        const TSurface srcCopy = src, maskCopy = mask;
        MaskedBlt(x, y, srcCopy, maskCopy, srcRect);
        return;
    }
    // Only source pixels that have a mask pixel take part.
    const TRect area = Intersection(Intersection(srcRect, src.BoundsRect()), mask.BoundsRect());
    if (area.IsEmpty()) return;
    const TRect dst = ToSurface(
        Bounds(x + area.Left - srcRect.Left, y + area.Top - srcRect.Top, area.Width(), area.Height()));
    MarkDrawn(dst);
    BlitRows(*FSurface, EffectiveClip(), dst, src, area,
             [&](TPixel* d, const TPixel* s, int n, int dx, int dy) {
                 const TPixel* m = mask.Row(dy - dst.Top + area.Top) + (dx - dst.Left + area.Left);
                 for (int i = 0; i < n; ++i)
                     if (m[i] == 0) d[i] = s[i];
             });
}
