#pragma once
#include "report/ReportPage.h"

#include <functional>
#include <string>
#include <vector>

// The rows a report prints, walked once from the first to the last.
class TReportRowSource {
  public:
    virtual ~TReportRowSource() = default;
    // Moves to the first row; false when there is none.
    virtual bool First() = 0;
    // Moves to the next row; false past the last.
    virtual bool Next() = 0;
    // The value of a group header's expression for the current row.
    virtual std::string GroupKey(const std::string& expression) = 0;
};

// What a band prints for the current row: items placed from the band's top and the page's left margin, in
// drawing order. Items may reach outside the band; nothing clips them to it.
using TBandContent = std::function<std::vector<TPageItem>()>;

enum class TLayoutBandKind { GroupHeader, Detail };

struct TLayoutBand {
    TLayoutBandKind Kind = TLayoutBandKind::Detail;
    TMm Height;
    // Group headers: printed before the first row and whenever this expression's value changes (or an
    // earlier header prints).
    std::string Expression;
    // Starts a new page unless the current one is still empty.
    bool ForceNewPage = false;
    // Group headers: printed again at the top of every page their group continues on.
    bool ReprintOnNewPage = false;
    // Index in TReportLayout::Bands of the band this one must share its page with, or NoLink.
    int LinkBand = NoLink;
    TBandContent Content;

    static constexpr int NoLink = -1;
};

struct TReportLayout {
    TPaperSize Paper = TPaperSize::A4();
    TPageOrientation Orientation = TPageOrientation::Portrait;
    TMm TopMargin, BottomMargin, LeftMargin, RightMargin;
    bool PrintIfEmpty = true;
    // In the order they print for a row: group headers outermost first, then the detail bands.
    std::vector<TLayoutBand> Bands;
};

// Lays the bands out over the rows: a band that does not fit below the previous one goes to the next page,
// together with the bands it is linked to. Raises EInvalidOperation for a link to a band that does not exist.
TReportDocument LayoutReport(const TReportLayout& layout, TReportRowSource& rows);
