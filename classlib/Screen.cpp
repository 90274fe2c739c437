#include "classlib/Screen.h"

#include "classlib/Forms.h"
#include "platform/Input.h"
#include "platform/Services.h"

#include <algorithm>

TScreen* Screen = nullptr;

TScreen::~TScreen() {
    Destroying();
    if (Screen == this) Screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw EListError("Form index out of bounds (" + std::to_string(index) + ")");
    return FForms[size_t(index)];
}

TWinControl* TScreen::ActiveControl() const {
    return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor value) {
    if (FCursor == value) return;
    FCursor = value;
    ::SetCursor(HostCursor(value == crDefault ? crArrow : value));
}

THostCursor TScreen::HostCursor(TCursor cursor) {
    switch (cursor) {
    case crIBeam: return THostCursor::IBeam;
    case crHourGlass:
    case crSQLWait:
    case crAppStart: return THostCursor::Wait;
    case crCross: return THostCursor::Cross;
    case crHandPoint: return THostCursor::HandPoint;
    case crSizeNWSE: return THostCursor::SizeNWSE;
    case crSizeNESW: return THostCursor::SizeNESW;
    case crSizeWE:
    case crHSplit: return THostCursor::SizeWE;
    case crSizeNS:
    case crVSplit: return THostCursor::SizeNS;
    case crSizeAll:
    case crDrag:
    case crMultiDrag: return THostCursor::SizeAll;
    case crNo:
    case crNoDrop: return THostCursor::No;
    default: return THostCursor::Arrow;
    }
}

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const {
    TRect r;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &r);
    return r;
}

void TScreen::AddForm(TCustomForm* form) {
    FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(FForms, form);
    if (FActiveForm == form) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) {
    FActiveForm = form;
}
