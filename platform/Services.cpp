#include "platform/Services.h"

#include "platform/MessageLoop.h"

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return Host().ScreenRect().Width();
    case SM_CYSCREEN:
        return Host().ScreenRect().Height();
    case SM_CXFULLSCREEN:
        return Host().WorkArea().Width();
    case SM_CYFULLSCREEN:
        return Host().WorkArea().Height() - GetSystemMetrics(SM_CYCAPTION);
    case SM_CXMAXIMIZED:
        return Host().WorkArea().Width();
    case SM_CYMAXIMIZED:
        return Host().WorkArea().Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
        return 16;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXSIZE:
        return 18;
    case SM_CYSIZE:
        return 18;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_MOUSEWHEELPRESENT:
        return 1;
    default:
        return 0;
    }
}

UINT GetDoubleClickTime() {
    return 500;
}

bool SystemParametersInfo(UINT action, UINT, void* data, UINT) {
    if (!data) return false;
    if (action == SPI_GETWORKAREA) {
        *static_cast<TRect*>(data) = Host().WorkArea();
        return true;
    }
    if (action == SPI_GETNONCLIENTMETRICS) {
        auto* metrics = static_cast<NONCLIENTMETRICS*>(data);
        if (metrics->cbSize != sizeof(NONCLIENTMETRICS)) return false;
        metrics->iMenuHeight = GetSystemMetrics(SM_CYMENU);
        metrics->lfMenuFont = TFontDesc{"Tahoma", -11};
        return true;
    }
    return false;
}

std::string GetClipboardText() {
    return Host().ClipboardText();
}
void SetClipboardText(const std::string& utf8) {
    Host().SetClipboardText(utf8);
}

bool ShellOpen(const std::string& url) {
    return Host().OpenURL(url);
}
