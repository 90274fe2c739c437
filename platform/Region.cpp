#include "platform/Region.h"

#include <algorithm>
#include <cmath>

namespace {

using TSpan = std::pair<int, int>; // [first, second)
using TSpans = std::vector<TSpan>;

struct TBand {
    int Top;
    int Bottom;
    TSpans Spans;
};

std::vector<TBand> ToBands(const TRectList& rects) {
    std::vector<TBand> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().Top != r.Top) bands.push_back({r.Top, r.Bottom, {}});
        bands.back().Spans.emplace_back(r.Left, r.Right);
    }
    return bands;
}

// Collects bands from top to bottom, merging a band into the one above it when they touch and have equal
// spans, so that every region has one canonical rectangle list.
class TBandBuilder {
  public:
    // A span of the band being written: spans of one band share top and bottom and come left to right.
    void Span(int top, int bottom, int left, int right) {
        if (left < right && top < bottom) FRects.push_back({left, top, right, bottom});
    }
    // Ends the band written since the last call.
    void EndBand() {
        const size_t start = FBandEnd, count = FRects.size() - start;
        FBandEnd = FRects.size();
        if (count == 0) return;
        if (count == FLastCount && FRects[FLastBand].Bottom == FRects[start].Top && SameSpans(start, count)) {
            for (size_t i = FLastBand; i < start; ++i)
                FRects[i].Bottom = FRects[start].Bottom;
            FRects.Truncate(start);
            FBandEnd = start;
            return;
        }
        FLastBand = start;
        FLastCount = count;
    }
    void Add(int top, int bottom, const TSpans& spans) {
        for (const TSpan& s : spans)
            Span(top, bottom, s.first, s.second);
        EndBand();
    }
    TRectList Rects() { return std::move(FRects); }

  private:
    bool SameSpans(size_t start, size_t count) const {
        for (size_t i = 0; i < count; ++i)
            if (FRects[FLastBand + i].Left != FRects[start + i].Left ||
                FRects[FLastBand + i].Right != FRects[start + i].Right)
                return false;
        return true;
    }

    TRectList FRects;
    size_t FBandEnd = 0;  // where the band being written starts
    size_t FLastBand = 0; // the last band ended, and its number of spans
    size_t FLastCount = 0;
};

bool Keeps(TRegion::TCombine mode, bool inA, bool inB) {
    switch (mode) {
    case TRegion::TCombine::Or:
        return inA || inB;
    case TRegion::TCombine::And:
        return inA && inB;
    case TRegion::TCombine::Diff:
        return inA && !inB;
    case TRegion::TCombine::Xor:
        return inA != inB;
    }
    return false;
}

// Whether the sorted spans cover x, advancing `index` past spans that end at or before x.
bool Covers(const TSpans& spans, size_t& index, int x) {
    while (index < spans.size() && spans[index].second <= x)
        ++index;
    return index < spans.size() && spans[index].first <= x;
}

TSpans CombineSpans(const TSpans& a, const TSpans& b, TRegion::TCombine mode) {
    std::vector<int> xs;
    for (const TSpans* spans : {&a, &b})
        for (const TSpan& s : *spans)
            xs.insert(xs.end(), {s.first, s.second});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    TSpans result;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const bool inA = Covers(a, ia, xs[i]);
        const bool inB = Covers(b, ib, xs[i]);
        if (!Keeps(mode, inA, inB)) continue;
        if (!result.empty() && result.back().second == xs[i])
            result.back().second = xs[i + 1];
        else
            result.emplace_back(xs[i], xs[i + 1]);
    }
    return result;
}

// The spans of the band covering y, advancing `index` past bands that end at or before y.
const TSpans& SpansAt(const std::vector<TBand>& bands, size_t& index, int y) {
    static const TSpans none;
    while (index < bands.size() && bands[index].Bottom <= y)
        ++index;
    return index < bands.size() && bands[index].Top <= y ? bands[index].Spans : none;
}

// The rectangles of `rects` clipped to `clip`, in canonical form: clipping can make touching bands equal.
// Clipping keeps every band a band, so the list is clipped band by band instead of by the general sweep.
TRectList ClippedRects(const TRectList& rects, const TRect& clip) {
    TBandBuilder builder;
    for (size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        builder.Span(std::max(r.Top, clip.Top), std::min(r.Bottom, clip.Bottom), std::max(r.Left, clip.Left),
                     std::min(r.Right, clip.Right));
        if (i + 1 == rects.size() || rects[i + 1].Top != r.Top) builder.EndBand();
    }
    return builder.Rects();
}

} // namespace

TRegion::TRegion(const TRect& rect) {
    if (rect.IsEmpty()) return;
    FRects.push_back(rect);
    FBounds = rect;
}

std::pair<int, int> TRegion::RoundRectRowSpan(const TRect& rect, int ellipseWidth, int ellipseHeight, int y) {
    if (rect.IsEmpty() || y < rect.Top || y >= rect.Bottom) return {0, 0};
    const double a = std::clamp(ellipseWidth, 0, rect.Width()) / 2.0;
    const double b = std::clamp(ellipseHeight, 0, rect.Height()) / 2.0;
    if (a <= 0 || b <= 0) return {rect.Left, rect.Right};
    // Pixel centres inside the corner ellipses belong to the shape.
    const double centre = y + 0.5;
    double dy = 0;
    if (centre < rect.Top + b)
        dy = rect.Top + b - centre;
    else if (centre > rect.Bottom - b)
        dy = centre - (rect.Bottom - b);
    const double t = dy / b;
    const double inset = a * (1 - std::sqrt(std::max(0.0, 1 - t * t)));
    const int left = int(std::ceil(rect.Left + inset - 0.5));
    const int right = int(std::floor(rect.Right - inset - 0.5)) + 1;
    if (left >= right) return {0, 0};
    return {left, right};
}

TRegion TRegion::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) {
    const TRect r = NormalizedRect(rect);
    TBandBuilder builder;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const auto span = RoundRectRowSpan(r, ellipseWidth, ellipseHeight, y);
        if (span.first < span.second) builder.Add(y, y + 1, {span});
    }
    return FromRects(builder.Rects());
}

// Most combinations painting makes have an empty, a single-rectangle, an enclosing or a disjoint operand: their
// results come without the band sweep, and equal what the sweep gives.
std::optional<TRegion> TRegion::QuickCombine(const TRegion& a, const TRegion& b, TCombine mode) {
    const bool keepsA = mode != TCombine::And, keepsB = mode == TCombine::Or || mode == TCombine::Xor;
    if (a.IsEmpty() || b.IsEmpty()) return a.IsEmpty() ? (keepsB ? b : TRegion()) : (keepsA ? a : TRegion());
    const TRect boundsA = a.Bounds(), boundsB = b.Bounds();
    if (Intersection(boundsA, boundsB).IsEmpty()) {
        if (!keepsB) return keepsA ? a : TRegion();
        // Bands a row apart cannot merge, so the union is the two lists one after the other.
        if (boundsA.Bottom >= boundsB.Top && boundsB.Bottom >= boundsA.Top) return std::nullopt;
        TRegion result = boundsA.Top < boundsB.Top ? a : b;
        const TRegion& second = boundsA.Top < boundsB.Top ? b : a;
        result.FRects.Append(second.FRects.begin(), second.FRects.end());
        result.FBounds = UnionRect(boundsA, boundsB);
        return result;
    }
    const bool rectA = a.FRects.size() == 1, rectB = b.FRects.size() == 1;
    if (mode == TCombine::And && rectA && rectB) return TRegion(Intersection(boundsA, boundsB));
    if (mode == TCombine::And && rectB && Encloses(boundsB, boundsA)) return a;
    if (mode == TCombine::And && rectA && Encloses(boundsA, boundsB)) return b;
    if (mode == TCombine::And && (rectA || rectB)) {
        return FromRects(rectB ? ClippedRects(a.FRects, boundsB) : ClippedRects(b.FRects, boundsA));
    }
    if (rectB && Encloses(boundsB, boundsA) && mode != TCombine::Xor) return mode == TCombine::Or ? b : TRegion();
    if (rectA && Encloses(boundsA, boundsB) && mode == TCombine::Or) return a;
    return std::nullopt;
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TCombine mode) {
    if (std::optional<TRegion> quick = QuickCombine(a, b, mode)) return std::move(*quick);
    return SweepCombine(a, b, mode);
}

std::vector<TRect> TRegion::ColumnRects() const {
    std::vector<TRect> columns;
    std::vector<size_t> above, band; // columns ending where the band starts, and those the band ends, by Left
    for (size_t i = 0; i < FRects.size();) {
        band.clear();
        size_t k = 0;
        for (const int top = FRects[i].Top; i < FRects.size() && FRects[i].Top == top; ++i) {
            const TRect& r = FRects[i];
            while (k < above.size() && columns[above[k]].Left < r.Left)
                ++k;
            if (k < above.size() && columns[above[k]].Left == r.Left && columns[above[k]].Right == r.Right &&
                columns[above[k]].Bottom == r.Top) {
                columns[above[k]].Bottom = r.Bottom;
                band.push_back(above[k]);
            } else {
                columns.push_back(r);
                band.push_back(columns.size() - 1);
            }
        }
        std::swap(above, band);
    }
    return columns;
}

TRegion& TRegion::operator|=(const TRegion& o) {
    if (o.IsEmpty() || (FRects.size() == 1 && Encloses(FBounds, o.FBounds))) return *this;
    return *this = Combine(*this, o, TCombine::Or);
}

TRegion& TRegion::operator&=(const TRegion& o) {
    if (IsEmpty() || (o.FRects.size() == 1 && Encloses(o.FBounds, FBounds))) return *this;
    return *this = Combine(*this, o, TCombine::And);
}

TRegion& TRegion::operator-=(const TRegion& o) {
    if (IsEmpty() || o.IsEmpty() || Intersection(FBounds, o.FBounds).IsEmpty()) return *this;
    return *this = Combine(*this, o, TCombine::Diff);
}

TRegion TRegion::Union(const std::vector<TRect>& rects) {
    std::vector<TRect> starting; // top to bottom
    std::vector<int> ys;
    for (const TRect& r : rects) {
        if (r.IsEmpty()) continue;
        starting.push_back(r);
        ys.insert(ys.end(), {r.Top, r.Bottom});
    }
    std::sort(starting.begin(), starting.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    TBandBuilder builder;
    std::vector<TRect> covering; // the rectangles across the band
    TSpans spans;
    size_t next = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        std::erase_if(covering, [&](const TRect& r) { return r.Bottom <= ys[i]; });
        for (; next < starting.size() && starting[next].Top <= ys[i]; ++next)
            covering.push_back(starting[next]);
        std::sort(covering.begin(), covering.end(), [](const TRect& a, const TRect& b) { return a.Left < b.Left; });
        spans.clear();
        for (const TRect& r : covering) {
            if (!spans.empty() && r.Left <= spans.back().second)
                spans.back().second = std::max(spans.back().second, r.Right);
            else
                spans.emplace_back(r.Left, r.Right);
        }
        builder.Add(ys[i], ys[i + 1], spans);
    }
    return FromRects(builder.Rects());
}

TRegion TRegion::SweepCombine(const TRegion& a, const TRegion& b, TCombine mode) {
    const std::vector<TBand> bandsA = ToBands(a.FRects);
    const std::vector<TBand> bandsB = ToBands(b.FRects);
    std::vector<int> ys;
    for (const auto* bands : {&bandsA, &bandsB})
        for (const TBand& band : *bands)
            ys.insert(ys.end(), {band.Top, band.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    TBandBuilder builder;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i)
        builder.Add(ys[i], ys[i + 1],
                    CombineSpans(SpansAt(bandsA, ia, ys[i]), SpansAt(bandsB, ib, ys[i]), mode));
    return FromRects(builder.Rects());
}

TRegion TRegion::FromRects(TRectList rects) {
    TRegion region;
    region.FRects = std::move(rects);
    if (region.FRects.empty()) return region;
    const TRectList& r = region.FRects;
    TRect bounds{r.front().Left, r.front().Top, r.front().Right, r.back().Bottom};
    for (const TRect& rect : r) {
        bounds.Left = std::min(bounds.Left, rect.Left);
        bounds.Right = std::max(bounds.Right, rect.Right);
    }
    region.FBounds = bounds;
    return region;
}

bool TRegion::Contains(TPoint p) const {
    for (const TRect& r : FRects) {
        if (r.Top > p.Y) break;
        if (r.Contains(p)) return true;
    }
    return false;
}

bool TRegion::Intersects(const TRect& rect) const {
    if (rect.IsEmpty()) return false;
    for (const TRect& r : FRects) {
        if (r.Top >= rect.Bottom) break;
        if (!Intersection(r, rect).IsEmpty()) return true;
    }
    return false;
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : FRects)
        r = r.Offsetted(dx, dy);
    if (!FRects.empty()) FBounds = FBounds.Offsetted(dx, dy);
}
