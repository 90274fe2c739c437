#include "report/QRBand.h"

#include "platform/Exception.h"
#include "report/QRPrintable.h"
#include "report/QRReference.h"
#include "report/QuickRep.h"

#include <algorithm>

void TQRCustomBand::PublishProperties(TPublisher<TQRCustomBand>& p) {
    p.Color("Color", &TQRCustomBand::Color, &TQRCustomBand::Color, clWhite);
    p.Persistent("Frame", [](TQRCustomBand& b) { return b.Frame(); });
    p.Boolean("ForceNewPage", &TQRCustomBand::ForceNewPage, &TQRCustomBand::ForceNewPage);
    p.Component("LinkBand", &TQRCustomBand::LinkBand, &TQRCustomBand::SetLinkBand);
    p.Persistent("Size", [](TQRCustomBand& b) { return b.Size(); });
}

TQRCustomBand::~TQRCustomBand() {
    for (TQRPrintable* element : FElements)
        element->FBand = nullptr;
    if (FReport) FReport->RemoveBand(this);
}

void TQRCustomBand::SetLinkBand(TQRCustomBand* value) {
    SetComponentReference(*this, FLinkBand, value == this ? nullptr : value);
}

void TQRCustomBand::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FLinkBand) FLinkBand = nullptr;
}

std::vector<TPageItem> TQRCustomBand::PrintElements() const {
    std::vector<TPageItem> items;
    const TMmRect strip{TMm(), TMm(), FSize.Width, FSize.Height};
    if (Color != clWhite) {
        TReportShape background;
        background.Bounds = strip;
        background.PenMode = pmNop;
        background.BrushColor = Color;
        items.push_back(background);
    }
    for (TQRPrintable* element : FElements)
        element->Print(items);
    FFrame.Print(strip, items);
    return items;
}

void TQRCustomBand::SetParentComponent(TComponent* parent) {
    auto* report = dynamic_cast<TQuickRep*>(parent);
    if (parent && !report)
        throw EInvalidOperation(ClassName() + " " + Name() + " must be placed on a report, not on " +
                                parent->ClassName() + " " + parent->Name());
    if (report == FReport) return;
    if (FReport) FReport->RemoveBand(this);
    if (report) report->AddBand(this);
}

TComponent* TQRCustomBand::GetParentComponent() const {
    return FReport;
}

void TQRCustomBand::AddElement(TQRPrintable* element) {
    FElements.push_back(element);
    element->FBand = this;
}

void TQRCustomBand::RemoveElement(TQRPrintable* element) {
    std::erase(FElements, element);
    element->FBand = nullptr;
}

void TQRBand::PublishProperties(TPublisher<TQRBand>& p) {
    p.Enum("BandType", &TQRBand::FBandType, &TQRBand::SetBandType, rbTitle);
}

void TQRGroup::PublishProperties(TPublisher<TQRGroup>& p) {
    p.String("Expression", &TQRGroup::Expression, &TQRGroup::Expression);
    p.Component("Master", &TQRGroup::Master, &TQRGroup::SetMaster);
    p.Boolean("ReprintOnNewPage", &TQRGroup::ReprintOnNewPage, &TQRGroup::ReprintOnNewPage);
}

void TQRGroup::SetMaster(TComponent* value) {
    SetComponentReference(*this, FMaster, value);
}

void TQRGroup::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FMaster) FMaster = nullptr;
}
