#pragma once
#include "classlib/GraphicsObject.h"
#include "report/ReportPage.h"

#include <vector>

// Lines along the chosen edges of a band or an element, drawn over what it prints. The width is in pixels
// at 96 dpi; a clear style draws nothing.
class TQRFrame : public TPersistent {
    VMR_CLASS(TQRFrame, TPersistent)

  public:
    TQRFrame() = default;
    static void PublishProperties(TPublisher<TQRFrame>& p);

    TColor Color = clBlack;
    bool DrawTop = false, DrawBottom = false, DrawLeft = false, DrawRight = false;
    TPenStyle Style = psSolid;
    int Width = 1;

    // Adds the lines along the edges of `bounds`.
    void Print(const TMmRect& bounds, std::vector<TPageItem>& items) const;
};
