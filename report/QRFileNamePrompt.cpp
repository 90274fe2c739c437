#include "report/QRFileNamePrompt.h"

#include "classlib/Application.h"
#include "report/QRTextEntry.h"
#include "report/QRToolButton.h"

#include <memory>

namespace {
TQRToolButton* PushButton(TWinControl* parent, const std::string& caption, TRect bounds, TNotifyEvent onClick) {
    auto* button = NewComponent<TQRToolButton>(parent);
    button->SetParent(parent);
    button->SetBoundsRect(bounds);
    button->SetCaption(caption);
    button->OnClick = std::move(onClick);
    return button;
}
} // namespace

TQRFileNamePrompt::TQRFileNamePrompt(TComponent* owner) : TQRDialogForm(owner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetClientWidth(360);
    SetClientHeight(96);
    FEntry = NewComponent<TQRTextEntry>(this);
    FEntry->SetParent(this);
    FEntry->SetBounds(12, 30, 336, 21);
    PushButton(this, "OK", {188, 62, 263, 87}, [this](TObject*) { SetModalResult(mrOk); });
    PushButton(this, "Annulla", {273, 62, 348, 87}, [this](TObject*) { SetModalResult(mrCancel); });
}

std::optional<std::string> TQRFileNamePrompt::Ask(const std::string& caption, const std::string& prompt,
                                                  const std::string& initial) {
    std::unique_ptr<TQRFileNamePrompt> form(NewComponent<TQRFileNamePrompt>(Application));
    form->SetCaption(caption);
    form->FPrompt = prompt;
    form->FEntry->SetValue(initial);
    form->SetActiveControl(form->FEntry);
    if (form->ShowModal() != mrOk || form->FEntry->Value().empty()) return std::nullopt;
    return form->FEntry->Value();
}

void TQRFileNamePrompt::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_RETURN) SetModalResult(mrOk);
    if (key == VK_ESCAPE) SetModalResult(mrCancel);
    TQRDialogForm::KeyDown(key, shift);
}

void TQRFileNamePrompt::Paint() {
    Canvas()->Brush()->SetStyle(TBrushStyle::Clear);
    Canvas()->TextOut(12, 10, FPrompt);
}
