#pragma once
#include "report/QRDialogForm.h"
#include "report/QRPrinterSetup.h"
#include "report/ReportPage.h"

#include <map>
#include <string>

class TQRPageView;
class TQRToolBar;
class TQRToolButton;

enum class TQRPreviewButton {
    WholePage, FullSize, PageWidth, ZoomIn, ZoomOut, First, Prior, Next, Last, PrinterSetup, Print, Save, Load,
    Close
};

// The report preview: a modal window with a tool bar (zoom, page navigation, printer set-up, printing, saving
// and loading generated reports, closing) over the scrolling page. PageUp and PageDown scroll, then turn the
// page; Home and End go to the first and last page, + and - zoom, Escape closes.
class TQRPreview : public TQRDialogForm {
    VMR_CLASS(TQRPreview, TQRDialogForm)

  public:
    static constexpr const char* DefaultCaption = "Anteprima di stampa";
    // Makes this window the report components' preview; the program calls it at start-up.
    static void Register();
    // Shows the document modally and returns when the window closes.
    static void Execute(const TReportDocument& document, const std::string& title, const TQRPrintChoice& print);

    const TReportDocument& Document() const { return FDocument; }
    void SetDocument(TReportDocument document);
    void SetTitle(const std::string& title);
    TQRPageView* PageView() const { return FView; }
    TQRToolButton* Button(TQRPreviewButton which) const { return FButtons.at(which); }
    // "Pagina N di M" as the tool bar shows it.
    const std::string& PageNumberText() const;

    void GoToPage(size_t index);
    void PrinterSetup();
    void PrintReport();
    void SaveReport();
    void LoadReport();

  protected:
    explicit TQRPreview(TComponent* owner);
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void WndProc(TMessage& message) override;

  private:
    void BuildToolBar();
    void PageChanged();
    void TurnOrScroll(int direction);
    void ShowError(const std::string& what, const std::exception& e);
    // Where a finished print or file went.
    void ShowDone(const std::string& where);

    TReportDocument FDocument;
    std::string FTitle;
    TQRPrintChoice FPrint;
    bool FPrintChosen = false;
    std::string FFileName;
    TQRToolBar* FToolBar = nullptr;
    TQRPageView* FView = nullptr;
    size_t FPageText = 0;
    std::map<TQRPreviewButton, TQRToolButton*> FButtons;
};
