#include "skin/TAVDBCtrls.h"

#include "classlib/Frame3D.h"
#include "classlib/SysUtils.h"
#include "classlib/data/DataSource.h"
#include "skin/TAVScrollBar.h"
#include "platform/Utf8.h"

namespace {


// The lower case of the letters of code page 1252, the user's character set; other characters stay.
char32_t LowerCase1252(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    switch (c) {
    case 0x160:
        return 0x161; // S caron
    case 0x152:
        return 0x153; // OE
    case 0x17D:
        return 0x17E; // Z caron
    case 0x178:
        return 0xFF; // Y diaeresis
    }
    return c;
}

// Ignores case as the platform's comparison in the user's locale does, accented letters included.
bool SameTextAnyCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (LowerCase1252(DecodeUtf8(a, i)) != LowerCase1252(DecodeUtf8(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

// The item at `pos` up to the next ";", trimmed; pos moves past the ";".
std::string NextItem(std::string_view list, size_t& pos) {
    size_t end = list.find(';', pos);
    if (end == std::string_view::npos) end = list.size();
    std::string item = Trim(list.substr(pos, end - pos));
    pos = end + 1;
    return item;
}

std::string FirstItem(std::string_view list) {
    size_t pos = 0;
    return NextItem(list, pos);
}

} // namespace

TColor StyleControlBorderColor(const TtavFileTheme* theme, TtavUIStyle style) {
    TtavUIStyle effective;
    if (ResolveFileThemeStyle(theme, style, effective)) return theme->GetThemeColor(tavkey::ControlBorderColor);
    return GetBuiltinThemeColor(effective, tavkey::ControlBorderColor);
}

bool MatchesValueList(const std::string& list, const std::string& text) {
    size_t pos = 0;
    while (pos < list.size()) {
        if (SameTextAnyCase(NextItem(list, pos), text)) return true;
    }
    return false;
}

// ---- TtavDBMemo and TtavDBLookupListBox -----------------------------------------------------------------

TtavDBMemo::TtavDBMemo(TComponent* owner) : TtavFramedDataControl(owner) {
    FBars = std::make_unique<TtavAttachedScrollBars>(
        *this, TtavAttachedBarRules{.SetNativeBars = [this](TScrollStyle style) { SetScrollBars(style); }});
}

void TtavDBMemo::PublishProperties(TPublisher<TtavDBMemo>& p) {
    PublishSkinProperties(p);
    p.Component("VScrollBar", &TtavDBMemo::VScrollBar, &TtavDBMemo::SetVScrollBar)
        .Component("HScrollBar", &TtavDBMemo::HScrollBar, &TtavDBMemo::SetHScrollBar);
}

TtavDBLookupListBox::TtavDBLookupListBox(TComponent* owner) : TtavFramedDataControl(owner) {
    FBars = std::make_unique<TtavAttachedScrollBars>(
        *this, TtavAttachedBarRules{.TextMessages = false, .HideWholeBar = true, .GuardBarScroll = false, .SetNativeBars = nullptr});
}

void TtavDBLookupListBox::PublishProperties(TPublisher<TtavDBLookupListBox>& p) {
    PublishSkinProperties(p);
    p.Component("VScrollBar", &TtavDBLookupListBox::VScrollBar, &TtavDBLookupListBox::SetVScrollBar);
}

// ---- TtavDBCheckBox --------------------------------------------------------------------------------------

TtavDBCheckBox::TtavDBCheckBox(TComponent* owner) : TtavCheckBox(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FDataLink->SetControl(this);
    FDataLink->OnDataChange = [this](TObject*) { FieldDataChange(); };
    FDataLink->OnUpdateData = [this](TObject*) { WriteFieldValue(); };
}

TtavDBCheckBox::~TtavDBCheckBox() {
    FDataLink->SetDataSource(nullptr);
}

void TtavDBCheckBox::PublishProperties(TPublisher<TtavDBCheckBox>& p) {
    p.String("DataField", &TtavDBCheckBox::DataField, &TtavDBCheckBox::SetDataField)
        .Component("DataSource", &TtavDBCheckBox::DataSource, &TtavDBCheckBox::SetDataSource)
        .Boolean("ReadOnly", &TtavDBCheckBox::ReadOnly, &TtavDBCheckBox::SetReadOnly, false)
        .String("ValueChecked", &TtavDBCheckBox::ValueChecked, &TtavDBCheckBox::SetValueChecked)
        .String("ValueUnchecked", &TtavDBCheckBox::ValueUnchecked, &TtavDBCheckBox::SetValueUnchecked);
}

void TtavDBCheckBox::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    if (value) FreeNotification(value);
}

void TtavDBCheckBox::SetValueChecked(const std::string& value) {
    FValueChecked = value;
    FieldDataChange();
}

void TtavDBCheckBox::SetValueUnchecked(const std::string& value) {
    FValueUnchecked = value;
    FieldDataChange();
}

void TtavDBCheckBox::Notification(TComponent* component, TOperation operation) {
    TtavCheckBox::Notification(component, operation);
    if (operation == opRemove && FDataLink && component && component == DataSource()) SetDataSource(nullptr);
}

TCheckBoxState TtavDBCheckBox::ReadFieldState() const {
    const TField* field = Field();
    if (!field || field->IsNull()) return cbUnchecked;
    if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
    // A text in both lists counts as checked.
    return MatchesValueList(FValueChecked, field->Text()) ? cbChecked : cbUnchecked;
}

void TtavDBCheckBox::FieldDataChange() {
    SetState(ReadFieldState());
}

void TtavDBCheckBox::WriteFieldValue() {
    TField* field = Field();
    if (field->DataType() == ftBoolean)
        field->SetAsBoolean(Checked());
    else
        field->SetText(FirstItem(Checked() ? FValueChecked : FValueUnchecked));
}

void TtavDBCheckBox::BeforeToggle() {
    // Entering edit re-reads the mark from the field, so the toggle flips the field's value.
    if (!FDataLink->Edit()) return;
    TtavCheckBox::BeforeToggle();
    FDataLink->Modified();
}

void TtavDBCheckBox::KeyPress(char32_t& key) {
    TtavCheckBox::KeyPress(key);
    switch (key) {
    case 8:
    case 32:
        FDataLink->Edit();
        break;
    case 27:
        FDataLink->Reset();
        break;
    }
}

void TtavDBCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_GETDATALINK:
        m.Result = LRESULT(FDataLink.get());
        return;
    case CM_EXIT:
        return ExitControl(m);
    }
    TtavCheckBox::WndProc(m);
}

// Leaving the check box writes its value into the record; a refused value keeps the focus here.
void TtavDBCheckBox::ExitControl(TMessage& m) {
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        if (CanFocus()) SetFocus();
        throw;
    }
    TtavCheckBox::WndProc(m);
}

void TtavDBCheckBox::Paint() {
    if (ControlState().Contains(csPaintCopy))
        PaintCopy();
    else
        TtavCheckBox::Paint();
}

void TtavDBCheckBox::PaintCopy() {
    constexpr int BoxSize = 13;
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    TRect box{0, (ClientHeight() - BoxSize) / 2, BoxSize, (ClientHeight() + BoxSize) / 2};
    Frame3D(&canvas, box, clBtnShadow, clBtnHighlight, 1);
    Frame3D(&canvas, box, cl3DDkShadow, clBtnFace, 1);
    canvas.Brush()->SetColor(Enabled() ? clWindow : clBtnFace);
    canvas.FillRect(box);
    if (ReadFieldState() == cbChecked) {
        canvas.Pen()->SetColor(Enabled() ? clWindowText : clGrayText);
        for (int dy = 0; dy < 3; ++dy) {
            const TPoint mark[] = {{box.Left + 1, box.Top + 3 + dy},
                                   {box.Left + 3, box.Top + 5 + dy},
                                   {box.Left + 8, box.Top + dy}};
            canvas.Polyline(mark);
        }
    }
    canvas.Brush()->SetStyle(bsClear);
    TRect textRect{BoxSize + 4, 0, Width(), Height()};
    canvas.Handle()->DrawText(Caption(), textRect, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
}
