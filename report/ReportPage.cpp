#include "report/ReportPage.h"

namespace {

template <typename T> std::vector<const T*> ItemsOfKind(const std::vector<TPageItem>& items) {
    std::vector<const T*> result;
    for (const TPageItem& item : items)
        if (const T* typed = std::get_if<T>(&item)) result.push_back(typed);
    return result;
}

} // namespace

std::vector<const TReportText*> TReportPage::Texts() const {
    return ItemsOfKind<TReportText>(Items);
}

std::vector<const TReportShape*> TReportPage::Shapes() const {
    return ItemsOfKind<TReportShape>(Items);
}

TMm TReportDocument::PageWidth() const {
    return Orientation == TPageOrientation::Portrait ? Paper.Width : Paper.Height;
}

TMm TReportDocument::PageHeight() const {
    return Orientation == TPageOrientation::Portrait ? Paper.Height : Paper.Width;
}
