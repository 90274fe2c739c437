#pragma once
#include "platform/Geometry.h"
#include "platform/RectList.h"

#include <optional>
#include <utility>
#include <vector>

// A set of pixels kept as non-overlapping rectangles in y-x bands: rows of equal spans, sorted by Top then Left,
// with touching bands of equal spans merged, so two equal regions have equal rectangle lists.
class TRegion {
public:
    enum class TCombine { Or, And, Diff, Xor };

    TRegion() = default;
    explicit TRegion(const TRect& rect);
    // A rectangle with corners rounded by ellipses of the given width and height (as the platform's
    // rounded-rectangle region).
    static TRegion RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);
    static TRegion Combine(const TRegion& a, const TRegion& b, TCombine mode);
    // The union of any number of rectangles in one sweep: the region joining them one by one gives.
    static TRegion Union(const std::vector<TRect>& rects);
    // The general band sweep that Combine shortens where it can; the same result always.
    static TRegion SweepCombine(const TRegion& a, const TRegion& b, TCombine mode);
    // The pixels [first, second) of row y that such a rounded rectangle covers (an empty pair when none): the
    // one shape rule that regions and the device context's rounded rectangles and ellipses share.
    static std::pair<int, int> RoundRectRowSpan(const TRect& rect, int ellipseWidth, int ellipseHeight, int y);

    bool IsEmpty() const { return FRects.empty(); }
    TRect Bounds() const { return FBounds; }
    bool Contains(TPoint p) const;
    bool Intersects(const TRect& rect) const;
    void Offset(int dx, int dy);
    const TRectList& Rects() const { return FRects; }
    // The same pixels in rectangles that do not overlap, one for each run of equal spans in touching bands:
    // fewer and taller than Rects(), top to bottom by their tops, for one request a rectangle.
    std::vector<TRect> ColumnRects() const;

    // In place where the result is the region as it is: nothing is copied.
    TRegion& operator|=(const TRegion& o);
    TRegion& operator&=(const TRegion& o);
    TRegion& operator-=(const TRegion& o);
    friend bool operator==(const TRegion& a, const TRegion& b) { return a.FRects == b.FRects; }

private:
    static std::optional<TRegion> QuickCombine(const TRegion& a, const TRegion& b, TCombine mode);
    // The region of a canonical list, with its bounds.
    static TRegion FromRects(TRectList rects);

    TRectList FRects;
    TRect FBounds; // empty for an empty region
};
