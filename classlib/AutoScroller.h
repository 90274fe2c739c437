#pragma once
#include "platform/Geometry.h"
#include "platform/Messages.h"

class TWinControl;

// A form's AutoScroll: the native scroll bars of the control's window, ranged over how far its unaligned
// (alNone) children reach, and scrolling that moves those children; aligned children stay where the
// alignment puts them.
class TAutoScroller {
  public:
    explicit TAutoScroller(TWinControl& control) : FControl(control) {}

    // Shows, hides and ranges the bars for the children's extent, scrolling back what the range no longer
    // reaches. True when a bar came or went, so the client area changed.
    bool UpdateRange();
    // No bars, and the children back at the origin. True when a bar went.
    bool Reset();
    // A WM_HSCROLL or WM_VSCROLL request (SB_ code in the low word, thumb position in the high word).
    void Scroll(int bar, WPARAM request);
    // WM_MOUSEWHEEL: false when there is no vertical bar to scroll.
    bool Wheel(int delta);
    // The children are being moved by a scroll.
    bool Moving() const { return FMoving; }
    TPoint Position() const { return FPos; }

  private:
    struct TRange {
        int Extent = 0; // the children's reach at the origin
        int Page = 0;   // the client size along the bar
        bool Needed = false;
    };
    void Measure(TRange& horz, TRange& vert) const;
    bool Apply(int bar, const TRange& range);
    // Moves the unaligned children so that the position along `bar` becomes `pos`.
    void ScrollTo(int bar, int pos);
    int& PosOf(int bar) { return bar == SB_VERT ? FPos.Y : FPos.X; }

    TWinControl& FControl;
    TPoint FPos;
    bool FMoving = false;
};
