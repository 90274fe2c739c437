#include "skin/TAVURLLabel.h"

#include "classlib/SysUtils.h"
#include "classlib/Forms.h"
#include "platform/MessageBox.h"
#include "platform/Services.h"

namespace {
constexpr const char* DefaultCaption = "Welcome to Orlenta";
constexpr const char* MakerAddress = "https://www.orlenta.example/";
} // namespace

TtavURLLabel::TtavURLLabel(TComponent* owner) : TCustomLabel(owner) {
    Font()->SetStyle(TFontStyles{fsUnderline});
    Font()->SetColor(clBlue);
    SetCursor(crHandPoint);
    SetAutoSize(true);
    FFontHoverColor = clRed;
    SetFontLinkColor(clBlue);
    SetCaption(DefaultCaption);
    SetURL(MakerAddress);
}

void TtavURLLabel::PublishProperties(TPublisher<TtavURLLabel>& p) {
    p.String("URL", &TtavURLLabel::URL, &TtavURLLabel::SetURL, MakerAddress)
        .Color("FontHoverColor", &TtavURLLabel::FontHoverColor, &TtavURLLabel::SetFontHoverColor, clRed)
        .Color("FontLinkColor", &TtavURLLabel::FontLinkColor, &TtavURLLabel::SetFontLinkColor, clBlue)
        .String("Caption", &TtavURLLabel::Caption, &TtavURLLabel::SetCaption, DefaultCaption)
        .Enum("Cursor", &TtavURLLabel::Cursor, &TtavURLLabel::SetCursor, crHandPoint);
}

void TtavURLLabel::SetURL(const std::string& value) {
    if (value != FURL) FURL = value;
}

void TtavURLLabel::SetFontLinkColor(TColor value) {
    FFontLinkColor = value;
    Font()->SetColor(value);
}

// The URL goes to the desktop as it stands, blanks included; a blank one opens nothing. A desktop without a
// program for it gets the user told, rather than a click that does nothing.
void TtavURLLabel::Click() {
    if (!Trim(FURL).empty() && !ShellOpen(FURL)) {
        TCustomForm* form = ParentForm();
        MessageBox(form ? form->Handle() : nullptr,
                   "L'indirizzo " + FURL +
                       " non si è potuto aprire: su questo computer nessun programma apre gli indirizzi di questo "
                       "tipo (il comando xdg-open manca, o non ne ha trovato uno).",
                   form ? form->Caption() : std::string(), MB_OK | MB_ICONWARNING);
    }
    TCustomLabel::Click();
}

void TtavURLLabel::WndProc(TMessage& m) {
    auto alive = AliveMark();
    TCustomLabel::WndProc(m);
    if (alive.expired()) return;
    if (m.Msg == CM_MOUSEENTER) Font()->SetColor(FFontHoverColor);
    if (m.Msg == CM_MOUSELEAVE) Font()->SetColor(FFontLinkColor);
}
