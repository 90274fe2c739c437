#include "skin/TAVURLLabel.h"

#include "classlib/SysUtils.h"
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

// The URL goes to the desktop as it stands, blanks included; a blank one opens nothing.
void TtavURLLabel::Click() {
    if (!Trim(FURL).empty()) ShellOpen(FURL);
    TCustomLabel::Click();
}

void TtavURLLabel::WndProc(TMessage& m) {
    auto alive = AliveMark();
    TCustomLabel::WndProc(m);
    if (alive.expired()) return;
    if (m.Msg == CM_MOUSEENTER) Font()->SetColor(FFontHoverColor);
    if (m.Msg == CM_MOUSELEAVE) Font()->SetColor(FFontLinkColor);
}
