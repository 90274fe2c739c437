#pragma once
#include "classlib/Persistent.h"
#include "classlib/Strings.h"
#include "report/ReportPage.h"

// The paper sizes a report names; setting one other than Custom sets the page's width and length.
enum class TQRPaperSize { Default, Letter, Legal, Executive, A3, A4, A5, B5, Custom };
VMR_ENUM_NAMES(TQRPaperSize, "Default", "Letter", "Legal", "Executive", "A3", "A4", "A5", "B5", "Custom")

enum class TQRPaperOrientation { poPortrait, poLandscape };
VMR_ENUM_NAMES(TQRPaperOrientation, "poPortrait", "poLandscape")

// The page of a report. Lengths are in tenths of a millimetre, as layouts store them (Page.TopMargin = 50
// is 5.0 mm); Width and Length are the paper's as it lies in the printer, before the orientation.
class TQRPage : public TPersistent {
    VMR_CLASS(TQRPage, TPersistent)

  public:
    TQRPage() = default;
    static void PublishProperties(TPublisher<TQRPage>& p);

    TQRPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TQRPaperSize value);
    TQRPaperOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TQRPaperOrientation value) { FOrientation = value; }
    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }

    double TopMargin = 100, BottomMargin = 100, LeftMargin = 100, RightMargin = 100;
    double Length = 2970, Width = 2100, ColumnSpace = 0;

    // The page in millimetres; raises EInvalidOperation for a paper or margins that leave no room to print.
    TPaperSize Paper() const;
    TPageOrientation PageOrientation() const;

  private:
    TQRPaperSize FPaperSize = TQRPaperSize::A4;
    TQRPaperOrientation FOrientation = TQRPaperOrientation::poPortrait;
    int FColumns = 1;
};

enum class TQRBin {
    First,
    Upper,
    Lower,
    Middle,
    Manual,
    Envelope,
    EnvManual,
    Auto,
    Tractor,
    SmallFormat,
    LargeFormat,
    LargeCapacity,
    Cassette,
    Last
};
VMR_ENUM_NAMES(TQRBin, "First", "Upper", "Lower", "Middle", "Manual", "Envelope", "EnvManual", "Auto",
               "Tractor", "SmallFormat", "LargeFormat", "LargeCapacity", "Cassette", "Last")

// How a report prints: copies and the page range (0 for the first page means from the first, 0 for the
// last up to the last). Duplex and the paper bin are kept for the printer set-up.
class TQRPrinterSettings : public TPersistent {
    VMR_CLASS(TQRPrinterSettings, TPersistent)

  public:
    TQRPrinterSettings() = default;
    static void PublishProperties(TPublisher<TQRPrinterSettings>& p);

    int Copies = 1;
    bool Duplex = false;
    int FirstPage = 0;
    int LastPage = 0;
    TQRBin OutputBin = TQRBin::Auto;
};

// The named expressions a report offers its elements: names in Strings, their values in Data, line by line.
class TQRFunctionLibrary : public TPersistent {
    VMR_CLASS(TQRFunctionLibrary, TPersistent)

  public:
    // The three functions every report has: the page and column numbers and the report's title.
    TQRFunctionLibrary();
    static void PublishProperties(TPublisher<TQRFunctionLibrary>& p);

    TStringList* Names() { return &FNames; }
    const TStringList* Names() const { return &FNames; }
    TStringList* Data() { return &FData; }
    const TStringList* Data() const { return &FData; }

  private:
    TStringList FNames;
    TStringList FData;
};

// The place and size of a band or an element in millimetres: an element's from its band's left and top, a
// band's height and width.
class TQRSize : public TPersistent {
    VMR_CLASS(TQRSize, TPersistent)

  public:
    TQRSize() = default;
    static void PublishProperties(TPublisher<TQRSize>& p);

    double Left = 0, Top = 0, Width = 0, Height = 0;

    TMmRect Bounds() const { return {Left, Top, Width, Height}; }
};
