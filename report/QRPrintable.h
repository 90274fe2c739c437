#pragma once
#include "classlib/Component.h"
#include "report/QRFrame.h"
#include "report/QRPage.h"
#include "report/ReportPage.h"

#include <vector>

class TQRCustomBand;
class TQuickRep;

// An element of a report band. Its place is in millimetres from the band's top and the page's left margin;
// what it prints is not clipped to the band. Elements print in the order they were placed on their band.
class TQRPrintable : public TComponent {
    VMR_CLASS(TQRPrintable, TComponent)

  public:
    static void PublishProperties(TPublisher<TQRPrintable>& p);
    ~TQRPrintable() override;

    TQRSize* Size() { return &FSize; }
    const TQRSize* Size() const { return &FSize; }
    TQRFrame* Frame() { return &FFrame; }
    const TQRFrame* Frame() const { return &FFrame; }
    TQRCustomBand* Band() const { return FBand; }
    // The report of the band, or nullptr.
    TQuickRep* Report() const;

    // The parent must be a band; raises EInvalidOperation for anything else.
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    // Adds the page items the element prints for the current row, its frame last.
    virtual void Print(std::vector<TPageItem>& items) = 0;

  protected:
    explicit TQRPrintable(TComponent* owner) : TComponent(owner) {}

  private:
    friend class TQRCustomBand;
    TQRCustomBand* FBand = nullptr;
    TQRSize FSize;
    TQRFrame FFrame;
};
