#include "report/QRPrintable.h"

#include "platform/Exception.h"
#include "report/QRBand.h"

void TQRPrintable::PublishProperties(TPublisher<TQRPrintable>& p) {
    p.Persistent("Frame", [](TQRPrintable& e) { return e.Frame(); });
    p.Persistent("Size", [](TQRPrintable& e) { return e.Size(); });
}

TQRPrintable::~TQRPrintable() {
    if (FBand) FBand->RemoveElement(this);
}

TQuickRep* TQRPrintable::Report() const {
    return FBand ? FBand->Report() : nullptr;
}

void TQRPrintable::SetParentComponent(TComponent* parent) {
    auto* band = dynamic_cast<TQRCustomBand*>(parent);
    if (parent && !band)
        throw EInvalidOperation(ClassName() + " " + Name() + " must be placed on a report band, not on " +
                                parent->ClassName() + " " + parent->Name());
    if (band == FBand) return;
    if (FBand) FBand->RemoveElement(this);
    if (band) band->AddElement(this);
}

TComponent* TQRPrintable::GetParentComponent() const {
    return FBand;
}
