#pragma once
#include "classlib/Component.h"
#include "report/QRFrame.h"
#include "report/QRPage.h"
#include "report/ReportPage.h"

#include <string>
#include <vector>

class TQRPrintable;
class TQuickRep;

enum class TQRBandType {
    rbTitle,
    rbPageHeader,
    rbDetail,
    rbPageFooter,
    rbSummary,
    rbGroupHeader,
    rbGroupFooter,
    rbSubDetail,
    rbColumnHeader,
    rbOverlay,
    rbChild
};
using enum TQRBandType;
VMR_ENUM_NAMES(TQRBandType, "rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter", "rbSummary",
               "rbGroupHeader", "rbGroupFooter", "rbSubDetail", "rbColumnHeader", "rbOverlay", "rbChild")

// A band of a report: a strip of the page as high as its Size.Height and as wide as its Size.Width in
// millimetres, holding elements. A colour other than white fills the strip under the elements; its frame is
// drawn over them. LinkBand names a band that must share the page with this one.
class TQRCustomBand : public TComponent {
    VMR_CLASS(TQRCustomBand, TComponent)

  public:
    static void PublishProperties(TPublisher<TQRCustomBand>& p);
    ~TQRCustomBand() override;

    virtual TQRBandType BandType() const = 0;

    TQRSize* Size() { return &FSize; }
    const TQRSize* Size() const { return &FSize; }
    TQRFrame* Frame() { return &FFrame; }
    TColor Color = clWhite;
    bool ForceNewPage = false;
    TQRCustomBand* LinkBand() const { return FLinkBand; }
    void SetLinkBand(TQRCustomBand* value);

    TQuickRep* Report() const { return FReport; }
    // The elements in the order they print.
    const std::vector<TQRPrintable*>& Elements() const { return FElements; }
    // What the band prints for the current row: its background, its elements in their order, its frame.
    std::vector<TPageItem> PrintElements() const;

    // The parent must be a report; raises EInvalidOperation for anything else.
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

  protected:
    explicit TQRCustomBand(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TQRPrintable;
    friend class TQuickRep;
    void AddElement(TQRPrintable* element);
    void RemoveElement(TQRPrintable* element);

    TQRSize FSize;
    TQRFrame FFrame;
    TQRCustomBand* FLinkBand = nullptr;
    TQuickRep* FReport = nullptr;
    std::vector<TQRPrintable*> FElements;
};

class TQRBand : public TQRCustomBand {
    VMR_CLASS(TQRBand, TQRCustomBand)

  public:
    static void PublishProperties(TPublisher<TQRBand>& p);
    TQRBandType BandType() const override { return FBandType; }
    void SetBandType(TQRBandType value) { FBandType = value; }

  protected:
    using TQRCustomBand::TQRCustomBand;

  private:
    TQRBandType FBandType = rbTitle;
};

// A group header: prints before the first row and whenever the value of Expression, a field name of the
// report's dataset, changes. Master is kept: the report itself is the only master groups have here.
class TQRGroup : public TQRCustomBand {
    VMR_CLASS(TQRGroup, TQRCustomBand)

  public:
    static void PublishProperties(TPublisher<TQRGroup>& p);
    TQRBandType BandType() const override { return rbGroupHeader; }

    std::string Expression;
    bool ReprintOnNewPage = false;
    TComponent* Master() const { return FMaster; }
    void SetMaster(TComponent* value);

  protected:
    using TQRCustomBand::TQRCustomBand;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TComponent* FMaster = nullptr;
};
