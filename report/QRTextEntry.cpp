#include "report/QRTextEntry.h"

#include "classlib/SysUtils.h"

TQRTextEntry::TQRTextEntry(TComponent* owner) : TCustomEdit(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 200, 21);
}

void TQRTextEntry::SetValue(const std::string& value) {
    SetText(value);
    SetSelStart(int(Utf8Length(value)));
}
