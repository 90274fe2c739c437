#include "report/QRPreview.h"

#include "classlib/Application.h"
#include "platform/MessageBox.h"
#include "report/QRFileNamePrompt.h"
#include "report/QRPageView.h"
#include "report/QRToolBar.h"
#include "report/QRToolButton.h"
#include "report/QuickRep.h"
#include "report/ReportFile.h"

#include <array>
#include <memory>

namespace {
using TGlyph = TQRToolButton::TGlyphPainter;

void Triangle(TCanvas& c, TPoint a, TPoint b, TPoint d) {
    std::array<TPoint, 3> points{a, b, d};
    c.Polygon(points);
}

// A page outline with the part that the zoom shows filled.
TGlyph PageGlyph(int inset) {
    return [inset](TCanvas& c, const TRect& r) {
        c.FrameRect({r.Left + 3, r.Top, r.Right - 3, r.Bottom});
        c.FillRect({r.Left + 3 + inset, r.Top + inset, r.Right - 3 - inset, r.Top + inset + 2});
        c.FillRect({r.Left + 3 + inset, r.Top + inset + 4, r.Right - 3 - inset, r.Top + inset + 6});
    };
}

TGlyph MagnifierGlyph(bool plus) {
    return [plus](TCanvas& c, const TRect& r) {
        c.Brush()->SetStyle(TBrushStyle::Clear);
        c.Ellipse(r.Left, r.Top, r.Left + 11, r.Top + 11);
        c.MoveTo(r.Left + 9, r.Top + 9);
        c.LineTo(r.Right, r.Bottom);
        c.MoveTo(r.Left + 3, r.Top + 5);
        c.LineTo(r.Left + 8, r.Top + 5);
        if (!plus) return;
        c.MoveTo(r.Left + 5, r.Top + 3);
        c.LineTo(r.Left + 5, r.Top + 8);
    };
}

// An arrow pointing left or right, with a bar for the first and last page.
TGlyph ArrowGlyph(bool right, bool bar) {
    return [right, bar](TCanvas& c, const TRect& r) {
        int mid = (r.Top + r.Bottom) / 2, cx = (r.Left + r.Right) / 2;
        int tip = right ? cx + 3 : cx - 3, base = right ? cx - 2 : cx + 2;
        Triangle(c, {base, mid - 5}, {base, mid + 5}, {tip, mid});
        if (!bar) return;
        int x = right ? tip + 1 : tip - 2;
        c.FillRect({x, mid - 5, x + 2, mid + 6});
    };
}

TGlyph PrinterGlyph(bool setup) {
    return [setup](TCanvas& c, const TRect& r) {
        c.FrameRect({r.Left + 4, r.Top, r.Right - 4, r.Top + 6});
        c.FillRect({r.Left, r.Top + 6, r.Right, r.Bottom - 4});
        c.FrameRect({r.Left + 3, r.Bottom - 5, r.Right - 3, r.Bottom});
        if (setup) c.FillRect({r.Right - 5, r.Top, r.Right, r.Top + 3});
    };
}

TGlyph DiskGlyph() {
    return [](TCanvas& c, const TRect& r) {
        c.FillRect(r);
        c.Brush()->SetColor(clWhite);
        c.FillRect({r.Left + 3, r.Top + 1, r.Right - 3, r.Top + 7});
    };
}

TGlyph FolderGlyph() {
    return [](TCanvas& c, const TRect& r) {
        c.FillRect({r.Left, r.Top + 2, r.Left + 6, r.Top + 4});
        c.FrameRect({r.Left, r.Top + 4, r.Right, r.Bottom - 1});
    };
}

TGlyph CloseGlyph() {
    return [](TCanvas& c, const TRect& r) {
        for (int d = 0; d < 2; ++d) {
            c.MoveTo(r.Left + 2 + d, r.Top + 2);
            c.LineTo(r.Right - 2 + d, r.Bottom - 2);
            c.MoveTo(r.Right - 3 + d, r.Top + 2);
            c.LineTo(r.Left + 1 + d, r.Bottom - 2);
        }
    };
}

TQRPrintChoice ChoiceOf(TQuickRep& report) {
    TQRPrintChoice choice;
    const TQRPrinterSettings& s = *report.PrinterSettings();
    choice.Settings = {s.Copies, s.FirstPage, s.LastPage};
    return choice;
}
} // namespace

TQRPreview::TQRPreview(TComponent* owner) : TQRDialogForm(owner) {
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    SetCaption(DefaultCaption);
    SetKeyPreview(true);
    SetClientWidth(760);
    SetClientHeight(600);
    FToolBar = NewComponent<TQRToolBar>(this);
    FToolBar->SetParent(this);
    FView = NewComponent<TQRPageView>(this);
    FView->SetParent(this);
    FView->SetAlign(alClient);
    BuildToolBar();
    SetActiveControl(FView);
}

void TQRPreview::BuildToolBar() {
    auto add = [this](TQRPreviewButton which, const std::string& hint, TGlyph glyph, std::function<void()> act) {
        FButtons[which] = FToolBar->AddButton(hint, std::move(glyph), [act](TObject*) { act(); });
    };
    using B = TQRPreviewButton;
    add(B::WholePage, "Pagina intera", PageGlyph(2), [this] { FView->SetZoomMode(TQRZoomMode::WholePage); });
    add(B::FullSize, "100 %", PageGlyph(0), [this] { FView->SetZoom(100); });
    add(B::PageWidth, "Larghezza pagina", PageGlyph(1), [this] { FView->SetZoomMode(TQRZoomMode::PageWidth); });
    add(B::ZoomIn, "Ingrandisci", MagnifierGlyph(true), [this] { FView->ZoomIn(); });
    add(B::ZoomOut, "Riduci", MagnifierGlyph(false), [this] { FView->ZoomOut(); });
    FToolBar->AddSeparator();
    add(B::First, "Prima pagina", ArrowGlyph(false, true), [this] { GoToPage(0); });
    add(B::Prior, "Pagina precedente", ArrowGlyph(false, false),
        [this] { GoToPage(FView->PageIndex() ? FView->PageIndex() - 1 : 0); });
    FPageText = FToolBar->AddText(110);
    add(B::Next, "Pagina successiva", ArrowGlyph(true, false), [this] { GoToPage(FView->PageIndex() + 1); });
    add(B::Last, "Ultima pagina", ArrowGlyph(true, true), [this] { GoToPage(FView->PageCount() - 1); });
    FToolBar->AddSeparator();
    add(B::PrinterSetup, "Impostazione stampa", PrinterGlyph(true), [this] { PrinterSetup(); });
    add(B::Print, "Stampa", PrinterGlyph(false), [this] { PrintReport(); });
    FToolBar->AddSeparator();
    add(B::Save, "Salva il report", DiskGlyph(), [this] { SaveReport(); });
    add(B::Load, "Apri un report", FolderGlyph(), [this] { LoadReport(); });
    FToolBar->AddSeparator();
    add(B::Close, "Chiudi", CloseGlyph(), [this] { Close(); });
}

void TQRPreview::Register() {
    TQuickRep::SetPreviewFactory([](TQuickRep& report, const TReportDocument& document) {
        Execute(document, report.ReportTitle, ChoiceOf(report));
    });
}

void TQRPreview::Execute(const TReportDocument& document, const std::string& title, const TQRPrintChoice& print) {
    std::unique_ptr<TQRPreview> form(NewComponent<TQRPreview>(Application));
    form->SetTitle(title);
    form->FPrint = print;
    form->SetDocument(document);
    form->ShowModal();
}

void TQRPreview::SetDocument(TReportDocument document) {
    FDocument = std::move(document);
    FView->SetDocument(&FDocument);
    PageChanged();
}

void TQRPreview::SetTitle(const std::string& title) {
    FTitle = title;
    SetCaption(title.empty() ? DefaultCaption : title);
}

const std::string& TQRPreview::PageNumberText() const { return FToolBar->Text(FPageText); }

void TQRPreview::GoToPage(size_t index) {
    FView->SetPageIndex(index);
    PageChanged();
}

void TQRPreview::PageChanged() {
    size_t count = FView->PageCount();
    size_t page = FView->PageIndex();
    FToolBar->SetText(FPageText, "Pagina " + std::to_string(count ? page + 1 : 0) + " di " + std::to_string(count));
    bool notFirst = page > 0, notLast = page + 1 < count;
    Button(TQRPreviewButton::First)->SetEnabled(notFirst);
    Button(TQRPreviewButton::Prior)->SetEnabled(notFirst);
    Button(TQRPreviewButton::Next)->SetEnabled(notLast);
    Button(TQRPreviewButton::Last)->SetEnabled(notLast);
}

void TQRPreview::PrinterSetup() {
    if (auto choice = TQRPrinterSetup::Execute(FDocument.Pages.size(), FPrint, FTitle.empty() ? DefaultCaption : FTitle)) {
        FPrint = *choice;
        FPrintChosen = true;
    }
}

// Printing goes where the set-up said; before any set-up the set-up shows first.
void TQRPreview::PrintReport() {
    if (!FPrintChosen) {
        auto choice = TQRPrinterSetup::Execute(FDocument.Pages.size(), FPrint, FTitle.empty() ? DefaultCaption : FTitle);
        if (!choice) return;
        FPrint = *choice;
        FPrintChosen = true;
    }
    try {
        TPrinters::Print(FDocument, FPrint.Target, FPrint.Settings, FTitle.empty() ? DefaultCaption : FTitle);
    } catch (const std::exception& e) {
        ShowError("La stampa non è riuscita", e);
        return;
    }
    ShowDone(FPrint.Target.Printer ? "Il report è stato mandato alla stampante \"" + FPrint.Target.Printer->Name + "\"."
                                   : "Il report è stato stampato nel file " + FPrint.Target.PdfFileName + ".");
}

void TQRPreview::SaveReport() {
    auto name = TQRFileNamePrompt::Ask("Salva il report", "Nome del file:", FFileName);
    if (!name) return;
    try {
        TReportFile::Save(FDocument, *name);
        FFileName = *name;
    } catch (const std::exception& e) {
        ShowError("Il report non è stato salvato", e);
        return;
    }
    ShowDone("Il report è stato salvato nel file " + *name + ".");
}

// A file that cannot be read leaves the report shown as it was.
void TQRPreview::LoadReport() {
    auto name = TQRFileNamePrompt::Ask("Apri un report", "Nome del file:", FFileName);
    if (!name) return;
    try {
        SetDocument(TReportFile::Load(*name));
        FFileName = *name;
    } catch (const std::exception& e) {
        ShowError("Il report non è stato aperto", e);
    }
}

void TQRPreview::ShowError(const std::string& what, const std::exception& e) {
    MessageBox(Handle(), what + ": " + e.what(), Caption(), MB_OK | MB_ICONERROR);
}

void TQRPreview::ShowDone(const std::string& where) {
    MessageBox(Handle(), where, Caption(), MB_OK | MB_ICONINFORMATION);
}

void TQRPreview::TurnOrScroll(int direction) {
    if (FView->ScrollLines(direction * 10)) return;
    size_t page = FView->PageIndex();
    if (direction < 0 && page > 0) {
        GoToPage(page - 1);
    } else if (direction > 0 && page + 1 < FView->PageCount()) {
        GoToPage(page + 1);
    }
}

void TQRPreview::KeyDown(WORD& key, TShiftState shift) {
    switch (key) {
    case VK_PRIOR: TurnOrScroll(-1); break;
    case VK_NEXT: TurnOrScroll(1); break;
    case VK_HOME: GoToPage(0); break;
    case VK_END: GoToPage(FView->PageCount() ? FView->PageCount() - 1 : 0); break;
    case VK_ESCAPE: Close(); break;
    default: TQRDialogForm::KeyDown(key, shift); return;
    }
    key = 0;
}

void TQRPreview::KeyPress(char32_t& key) {
    if (key == '+') FView->ZoomIn();
    if (key == '-') FView->ZoomOut();
    TQRDialogForm::KeyPress(key);
}

// The wheel turns on the page wherever the focus is.
void TQRPreview::WndProc(TMessage& m) {
    if (m.Msg == WM_MOUSEWHEEL && FView->HandleAllocated()) {
        m.Result = SendMessage(FView->Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    TQRDialogForm::WndProc(m);
}
