#include "report/QRPage.h"

#include "platform/Exception.h"

#include <cmath>
#include <cstdio>

namespace {

struct TKnownPaper {
    TQRPaperSize Size;
    double Width, Length; // tenths of a millimetre
};

constexpr TKnownPaper KnownPapers[] = {
    {TQRPaperSize::Letter, 2159, 2794},    {TQRPaperSize::Legal, 2159, 3556},
    {TQRPaperSize::Executive, 1842, 2667}, {TQRPaperSize::A3, 2970, 4200},
    {TQRPaperSize::A4, 2100, 2970},        {TQRPaperSize::A5, 1480, 2100},
    {TQRPaperSize::B5, 1820, 2570},
};

std::string Shown(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

void TQRPage::PublishProperties(TPublisher<TQRPage>& p) {
    p.Float("BottomMargin", &TQRPage::BottomMargin, &TQRPage::BottomMargin, 100);
    p.Float("ColumnSpace", &TQRPage::ColumnSpace, &TQRPage::ColumnSpace);
    p.Integer("Columns", &TQRPage::FColumns, &TQRPage::SetColumns, 1);
    p.Float("LeftMargin", &TQRPage::LeftMargin, &TQRPage::LeftMargin, 100);
    p.Float("Length", &TQRPage::Length, &TQRPage::Length, 2970);
    p.Enum("Orientation", &TQRPage::FOrientation, &TQRPage::SetOrientation);
    p.Enum("PaperSize", &TQRPage::FPaperSize, &TQRPage::SetPaperSize, TQRPaperSize::A4);
    p.Float("RightMargin", &TQRPage::RightMargin, &TQRPage::RightMargin, 100);
    p.Float("TopMargin", &TQRPage::TopMargin, &TQRPage::TopMargin, 100);
    p.Float("Width", &TQRPage::Width, &TQRPage::Width, 2100);
}

void TQRPage::SetPaperSize(TQRPaperSize value) {
    FPaperSize = value;
    for (const TKnownPaper& paper : KnownPapers) {
        if (paper.Size != value) continue;
        Width = paper.Width;
        Length = paper.Length;
    }
}

TPaperSize TQRPage::Paper() const {
    const double width = Width / 10, length = Length / 10;
    const bool portrait = FOrientation == TQRPaperOrientation::poPortrait;
    const double across = (portrait ? width : length) - (LeftMargin + RightMargin) / 10;
    const double down = (portrait ? length : width) - (TopMargin + BottomMargin) / 10;
    if (!(width > 0 && length > 0 && across > 0 && down > 0) || !std::isfinite(across + down))
        throw EInvalidOperation("The report page of " + Shown(Width) + " x " + Shown(Length) +
                                " tenths of a millimetre leaves no room inside its margins");
    return {TMm(width), TMm(length)};
}

TPageOrientation TQRPage::PageOrientation() const {
    return FOrientation == TQRPaperOrientation::poPortrait ? TPageOrientation::Portrait
                                                           : TPageOrientation::Landscape;
}

void TQRPrinterSettings::PublishProperties(TPublisher<TQRPrinterSettings>& p) {
    p.Integer("Copies", &TQRPrinterSettings::Copies, &TQRPrinterSettings::Copies, 1);
    p.Boolean("Duplex", &TQRPrinterSettings::Duplex, &TQRPrinterSettings::Duplex);
    p.Integer("FirstPage", &TQRPrinterSettings::FirstPage, &TQRPrinterSettings::FirstPage);
    p.Integer("LastPage", &TQRPrinterSettings::LastPage, &TQRPrinterSettings::LastPage);
    p.Enum("OutputBin", &TQRPrinterSettings::OutputBin, &TQRPrinterSettings::OutputBin, TQRBin::Auto);
}

TQRFunctionLibrary::TQRFunctionLibrary() {
    for (const char* name : {"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"})
        FNames.Add(name);
    for (const char* value : {"0", "0", "''"})
        FData.Add(value);
}

void TQRFunctionLibrary::PublishProperties(TPublisher<TQRFunctionLibrary>& p) {
    p.Strings(
        "Data", [](TQRFunctionLibrary& f) { return f.Data(); },
        [](TQRFunctionLibrary& f, TStrings* lines) { f.FData.Assign(lines); });
    p.Strings(
        "Strings", [](TQRFunctionLibrary& f) { return f.Names(); },
        [](TQRFunctionLibrary& f, TStrings* lines) { f.FNames.Assign(lines); });
}

void TQRSize::PublishProperties(TPublisher<TQRSize>& p) {
    p.Float("Height", &TQRSize::Height, &TQRSize::Height);
    p.Float("Left", &TQRSize::Left, &TQRSize::Left);
    p.Float("Top", &TQRSize::Top, &TQRSize::Top);
    p.Float("Width", &TQRSize::Width, &TQRSize::Width);
}
