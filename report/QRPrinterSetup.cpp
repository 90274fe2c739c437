#include "report/QRPrinterSetup.h"

#include "classlib/Application.h"
#include "classlib/SysUtils.h"
#include "classlib/TextAlignment.h"
#include "platform/MessageBox.h"
#include "report/QRChoiceList.h"
#include "report/QRFileNamePrompt.h"
#include "report/QRNumberField.h"
#include "report/QRTextEntry.h"
#include "report/QRToolButton.h"

#include <filesystem>
#include <memory>

namespace {
template <class T>
T* Place(TWinControl* parent, TRect bounds) {
    T* control = NewComponent<T>(parent);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    return control;
}

std::string DestinationText(const TPrinterDestination& d) {
    std::string name = d.Instance.empty() ? d.Name : d.Name + "/" + d.Instance;
    if (!d.Description.empty() && d.Description != d.Name) name += " (" + d.Description + ")";
    return d.IsDefault ? name + " *" : name;
}
} // namespace

TQRPrinterSetup::TQRPrinterSetup(TComponent* owner) : TQRDialogForm(owner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Impostazione stampa");
    SetKeyPreview(true);
    SetClientWidth(360);
    SetClientHeight(330);
    FDestinations = Place<TQRChoiceList>(this, {12, 44, 348, 44 + 4 * TQRChoiceList::RowHeight + 4});
    FPdfFile = Place<TQRTextEntry>(this, {80, 126, 268, 147});
    FFolder = Place<TQRToolButton>(this, {273, 124, 348, 149});
    FFolder->SetCaption("Cartella...");
    FFolder->OnClick = [this](TObject*) { ChooseFolder(); };
    FCopies = Place<TQRNumberField>(this, {12, 158, 220, 182});
    FCopies->SetLabel("Copie");
    FRange = Place<TQRChoiceList>(this, {12, 192, 348, 192 + 2 * TQRChoiceList::RowHeight + 4});
    FRange->SetItems({"Tutte le pagine", "Pagine da ... a ..."});
    FFrom = Place<TQRNumberField>(this, {12, 236, 220, 260});
    FFrom->SetLabel("Dalla pagina");
    FTo = Place<TQRNumberField>(this, {12, 264, 220, 288});
    FTo->SetLabel("Alla pagina");
    FOk = Place<TQRToolButton>(this, {188, 298, 263, 323});
    FOk->SetCaption("OK");
    FOk->OnClick = [this](TObject*) { Confirm(); };
    auto* cancel = Place<TQRToolButton>(this, {273, 298, 348, 323});
    cancel->SetCaption("Annulla");
    cancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
}

std::optional<TQRPrintChoice> TQRPrinterSetup::Execute(size_t pageCount, const TQRPrintChoice& initial,
                                                       const std::string& title) {
    std::unique_ptr<TQRPrinterSetup> form(NewComponent<TQRPrinterSetup>(Application));
    form->Load(pageCount, initial, title);
    if (form->ShowModal() != mrOk) return std::nullopt;
    return form->Choice();
}

std::string TQRPrinterSetup::DefaultPdfFileName(const std::string& title) {
    std::string name;
    for (char c : Trim(title))
        name += (c == '/' || c == '\\' || c == ':' || (unsigned char)c < 32) ? '-' : c;
    if (name.empty() || name == "." || name == "..") name = "Report";
    return DocumentsFolder() + "/" + name + ".pdf";
}

void TQRPrinterSetup::Load(size_t pageCount, const TQRPrintChoice& initial, const std::string& title) {
    FPrinters = TPrinters::Destinations();
    FitHeading();
    std::vector<std::string> items;
    int selected = int(FPrinters.size()); // the file, unless a printer is chosen or the default
    for (size_t i = 0; i < FPrinters.size(); ++i) {
        items.push_back(DestinationText(FPrinters[i]));
        bool chosen = initial.Target.Printer ? *initial.Target.Printer == FPrinters[i]
                                             : initial.Target.PdfFileName.empty() && FPrinters[i].IsDefault;
        if (chosen) selected = int(i);
    }
    items.push_back(PdfChoice);
    FDestinations->SetItems(std::move(items));
    FDestinations->SetItemIndex(selected);
    FPdfFile->SetValue(initial.Target.PdfFileName.empty() ? DefaultPdfFileName(title) : initial.Target.PdfFileName);
    int pages = std::max(1, int(pageCount));
    FCopies->SetLimits(1, 999);
    FCopies->SetValue(initial.Settings.Copies);
    FFrom->SetLimits(1, pages);
    FTo->SetLimits(1, pages);
    bool all = initial.Settings.FirstPage == 0 && initial.Settings.LastPage == 0;
    FRange->SetItemIndex(all ? 0 : 1);
    FFrom->SetValue(initial.Settings.FirstPage ? initial.Settings.FirstPage : 1);
    FTo->SetValue(initial.Settings.LastPage ? initial.Settings.LastPage : pages);
    SetActiveControl(FDestinations);
}

TQRPrintChoice TQRPrinterSetup::Choice() const {
    TQRPrintChoice choice;
    size_t index = size_t(FDestinations->ItemIndex());
    if (index < FPrinters.size())
        choice.Target.Printer = FPrinters[index];
    else
        choice.Target.PdfFileName = FPdfFile->Value();
    choice.Settings.Copies = FCopies->Value();
    if (FRange->ItemIndex() == 1) {
        choice.Settings.FirstPage = FFrom->Value();
        choice.Settings.LastPage = FTo->Value();
    }
    return choice;
}

// A file target needs its name, and a range must hold a page, before the set-up can close.
void TQRPrinterSetup::Confirm() {
    TQRPrintChoice choice = Choice();
    if (!choice.Target.Printer && choice.Target.PdfFileName.empty()) {
        MessageBox(Handle(), "Scrivere il nome del file PDF.", Caption(), MB_OK | MB_ICONWARNING);
        return;
    }
    if (choice.Settings.FirstPage > choice.Settings.LastPage) {
        MessageBox(Handle(), "La prima pagina viene dopo l'ultima.", Caption(), MB_OK | MB_ICONWARNING);
        return;
    }
    SetModalResult(mrOk);
}

void TQRPrinterSetup::ChooseFolder() {
    const std::string current = FPdfFile->Value();
    std::string folder = ExtractFilePath(current);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    auto chosen = TQRFileNamePrompt::Ask("Cartella del file PDF", "Cartella:", folder.empty() ? DocumentsFolder() : folder);
    if (!chosen) return;
    std::error_code error;
    if (!std::filesystem::is_directory(*chosen, error)) {
        MessageBox(Handle(), "La cartella " + *chosen + " non esiste.", Caption(), MB_OK | MB_ICONWARNING);
        return;
    }
    std::string name = ExtractFileName(current);
    if (name.empty()) name = "Report.pdf";
    FPdfFile->SetValue(*chosen + (chosen->back() == '/' ? "" : "/") + name);
}

void TQRPrinterSetup::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_RETURN) Confirm();
    if (key == VK_ESCAPE) SetModalResult(mrCancel);
    TQRDialogForm::KeyDown(key, shift);
}

std::string TQRPrinterSetup::Heading() const {
    return FPrinters.empty() ? TPrinters::NoPrinterMessage : "Stampante:";
}

TRect TQRPrinterSetup::HeadingRect() {
    TRect rect{Margin, 8, ClientWidth() - Margin, 8};
    rect.Bottom += MeasureText(Font(), Heading(), rect, DT_WORDBREAK).Height();
    return rect;
}

// A heading too long for one line wraps inside the margins, and everything under it moves down to make room.
void TQRPrinterSetup::FitHeading() {
    const int shift = HeadingRect().Height() - MeasureText(Font(), "Stampante:", {}, 0).Height() - FShift;
    if (shift == 0) return;
    FShift += shift;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetTop(Controls(i)->Top() + shift);
    SetClientHeight(ClientHeight() + shift);
    Invalidate();
}

void TQRPrinterSetup::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetStyle(TBrushStyle::Clear);
    TRect heading = HeadingRect();
    c.Handle()->DrawText(Heading(), heading, DT_WORDBREAK);
    c.TextOut(Margin, 26 + FShift, "Destinazione:");
    c.TextOut(Margin, 129 + FShift, "File PDF:");
}
