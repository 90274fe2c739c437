#include "report/ReportLayoutEngine.h"

#include "platform/Exception.h"

#include <optional>

namespace {

void CheckLinks(const std::vector<TLayoutBand>& bands) {
    for (size_t i = 0; i < bands.size(); ++i) {
        const int link = bands[i].LinkBand;
        if (link != TLayoutBand::NoLink && (link < 0 || size_t(link) >= bands.size()))
            throw EInvalidOperation("Report layout: band " + std::to_string(i) + " is linked to band " +
                                    std::to_string(link) + ", which does not exist");
    }
}

void OffsetItem(TPageItem& item, TMm dx, TMm dy) {
    std::visit([&](auto& typed) { typed.Bounds = typed.Bounds.Offsetted(dx, dy); }, item);
}

class TPageFlow {
  public:
    TPageFlow(const TReportLayout& layout, TReportDocument& document)
        : FLayout(layout), FDocument(document), FKeys(layout.Bands.size()),
          FUsableHeight(document.PageHeight() - layout.TopMargin - layout.BottomMargin) {}

    void PrintRow(TReportRowSource& rows) {
        bool headerPrinted = false;
        for (size_t i = 0; i < FLayout.Bands.size(); ++i) {
            const TLayoutBand& band = FLayout.Bands[i];
            if (band.Kind == TLayoutBandKind::GroupHeader) {
                std::string key = rows.GroupKey(band.Expression);
                // An outer group's new value opens every inner group too, even where its own value repeats.
                if (!headerPrinted && FKeys[i] == key) continue;
                FKeys[i] = std::move(key);
                headerPrinted = true;
            }
            PrintBand(i);
        }
    }

    void NewPage() {
        FDocument.Pages.emplace_back();
        FUsed = TMm();
        FPageEmpty = true;
    }

  private:
    void PrintBand(size_t index) {
        const TLayoutBand& band = FLayout.Bands[index];
        if (FDocument.Pages.empty()) {
            NewPage();
        } else if (!FPageEmpty && (band.ForceNewPage || FUsed + KeptTogetherHeight(index) > FUsableHeight)) {
            NewPage();
            ReprintHeadersBefore(index);
        }
        // A band taller than the page still prints, on a page of its own, rather than push pages forever.
        Place(band);
    }

    // The band's height and those of the bands it is linked to, which must go on the same page.
    TMm KeptTogetherHeight(size_t index) const {
        TMm height;
        std::vector<bool> seen(FLayout.Bands.size());
        for (int i = int(index); i != TLayoutBand::NoLink && !seen[size_t(i)];
             i = FLayout.Bands[size_t(i)].LinkBand) {
            seen[size_t(i)] = true;
            height += FLayout.Bands[size_t(i)].Height;
        }
        return height;
    }

    void ReprintHeadersBefore(size_t index) {
        for (size_t i = 0; i < index; ++i) {
            const TLayoutBand& band = FLayout.Bands[i];
            if (band.Kind == TLayoutBandKind::GroupHeader && band.ReprintOnNewPage && FKeys[i]) Place(band);
        }
    }

    void Place(const TLayoutBand& band) {
        if (band.Content) {
            const TMm top = FLayout.TopMargin + FUsed;
            std::vector<TPageItem>& items = FDocument.Pages.back().Items;
            for (TPageItem& item : band.Content()) {
                OffsetItem(item, FLayout.LeftMargin, top);
                items.push_back(std::move(item));
            }
        }
        FUsed += band.Height;
        FPageEmpty = false;
    }

    const TReportLayout& FLayout;
    TReportDocument& FDocument;
    std::vector<std::optional<std::string>> FKeys; // the last printed value of each group header
    const TMm FUsableHeight;
    TMm FUsed;
    bool FPageEmpty = true;
};

} // namespace

TReportDocument LayoutReport(const TReportLayout& layout, TReportRowSource& rows) {
    CheckLinks(layout.Bands);
    TReportDocument document;
    document.Paper = layout.Paper;
    document.Orientation = layout.Orientation;
    TPageFlow flow(layout, document);
    if (rows.First()) {
        do
            flow.PrintRow(rows);
        while (rows.Next());
    }
    if (document.Pages.empty() && layout.PrintIfEmpty) flow.NewPage();
    return document;
}
