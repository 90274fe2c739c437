#pragma once
#include "report/QRDialogForm.h"
#include "report/Printers.h"

#include <optional>
#include <vector>

class TQRChoiceList;
class TQRNumberField;
class TQRTextEntry;
class TQRToolButton;

// What the printer set-up chose: where the report goes, how many copies and which pages.
struct TQRPrintChoice {
    TPrintTarget Target;
    TPrintSettings Settings;
};

// The printer set-up: the print server's queues and "Stampa su file PDF", which is always there, the copies
// and the page range. With no queue at all it says so and offers the file.
class TQRPrinterSetup : public TQRDialogForm {
    VMR_CLASS(TQRPrinterSetup, TQRDialogForm)

  public:
    static constexpr const char* PdfChoice = "Stampa su file PDF";
    // The space kept free at the dialog's left and right.
    static constexpr int Margin = 12;
    // Shows the set-up for a report of `pageCount` pages starting from `initial`; nothing when cancelled. The
    // file line starts with the report's title as a PDF in the documents folder when `initial` names none.
    static std::optional<TQRPrintChoice> Execute(size_t pageCount, const TQRPrintChoice& initial,
                                                 const std::string& title);
    // The title, without the characters a file name cannot hold, plus ".pdf" in the documents folder.
    static std::string DefaultPdfFileName(const std::string& title);

    TQRChoiceList* DestinationList() const { return FDestinations; }
    TQRTextEntry* PdfFileEntry() const { return FPdfFile; }
    TQRNumberField* CopiesField() const { return FCopies; }
    TQRChoiceList* RangeList() const { return FRange; }
    TQRNumberField* FromField() const { return FFrom; }
    TQRNumberField* ToField() const { return FTo; }
    TQRToolButton* OkButton() const { return FOk; }
    TQRToolButton* FolderButton() const { return FFolder; }
    bool SaysNoPrinter() const { return FPrinters.empty(); }
    // The choice as the controls show it now.
    TQRPrintChoice Choice() const;

  protected:
    explicit TQRPrinterSetup(TComponent* owner);
    void KeyDown(WORD& key, TShiftState shift) override;
    void Paint() override;

  private:
    void Load(size_t pageCount, const TQRPrintChoice& initial, const std::string& title);
    // The first line: the printers' heading, or why there are none.
    std::string Heading() const;
    TRect HeadingRect();
    void FitHeading();
    void Confirm();
    // Asks for the folder of the PDF file, keeping its name.
    void ChooseFolder();

    std::vector<TPrinterDestination> FPrinters;
    TQRChoiceList* FDestinations = nullptr;
    TQRTextEntry* FPdfFile = nullptr;
    TQRNumberField* FCopies = nullptr;
    TQRChoiceList* FRange = nullptr;
    TQRNumberField* FFrom = nullptr;
    TQRNumberField* FTo = nullptr;
    TQRToolButton* FOk = nullptr;
    TQRToolButton* FFolder = nullptr;
    int FShift = 0; // how far a heading of more lines moved the rest down
};
