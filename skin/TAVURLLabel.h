#pragma once
#include "classlib/Label.h"

#include <string>

// A label that behaves as a link: underlined in FontLinkColor, FontHoverColor while the mouse is over it, a
// hand cursor, and a click opens its URL with the desktop's handler.
class TtavURLLabel : public TCustomLabel {
    VMR_CLASS(TtavURLLabel, TCustomLabel)

public:
    static void PublishProperties(TPublisher<TtavURLLabel>& p);

    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& value);
    // Shown from the next time the mouse enters.
    TColor FontHoverColor() const { return FFontHoverColor; }
    void SetFontHoverColor(TColor value) { FFontHoverColor = value; }
    // Shown at once, also while the mouse is over the label.
    TColor FontLinkColor() const { return FFontLinkColor; }
    void SetFontLinkColor(TColor value);

protected:
    explicit TtavURLLabel(TComponent* owner);
    void Click() override;
    void WndProc(TMessage& message) override;

private:
    std::string FURL;
    TColor FFontHoverColor = clRed;
    TColor FFontLinkColor = clBlue;
};
