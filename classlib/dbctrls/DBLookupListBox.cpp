#include "classlib/dbctrls/DBLookupListBox.h"

#include "classlib/SysUtils.h"
#include "classlib/data/DataSource.h"
#include "platform/MessageLoop.h"
#include "platform/ScrollBar.h"
#include "platform/Utf8.h"

#include <algorithm>

// Refills the list when the dataset changes; only moves the selection when it scrolls.
class TDBLookupListBox::TListSourceLink : public TDataLink {
  public:
    explicit TListSourceLink(TDBLookupListBox* list) : FList(list) {}

  protected:
    void ActiveChanged() override { FList->ListChanged(); }
    void DataSetChanged() override { FList->ListChanged(); }
    void DataSetScrolled(int) override { FList->ShowCurrent(); }

  private:
    TDBLookupListBox* FList;
};

TDBLookupListBox::TDBLookupListBox(TComponent* owner)
    : TCustomListBox(owner), FListLink(std::make_unique<TListSourceLink>(this)) {
    FDataLink->SetControl(this);
    FDataLink->OnDataChange = [this](TObject*) { ShowDataKey(); };
}

TDBLookupListBox::~TDBLookupListBox() {
    FDataLink->SetDataSource(nullptr);
    FListLink->SetDataSource(nullptr);
}

void TDBLookupListBox::PublishProperties(TPublisher<TDBLookupListBox>& p) {
    p.String("DataField", &TDBLookupListBox::DataField, &TDBLookupListBox::SetDataField)
        .Component("DataSource", &TDBLookupListBox::DataSource, &TDBLookupListBox::SetDataSource)
        .String("KeyField", &TDBLookupListBox::KeyField, &TDBLookupListBox::SetKeyField)
        .String("ListField", &TDBLookupListBox::ListField, &TDBLookupListBox::SetListField)
        .Component("ListSource", &TDBLookupListBox::ListSource, &TDBLookupListBox::SetListSource);
}

void TDBLookupListBox::SetListSource(TDataSource* value) {
    FListLink->SetDataSource(value);
    ListChanged();
}

void TDBLookupListBox::SetKeyField(const std::string& value) {
    FKeyField = value;
    ListChanged();
}

void TDBLookupListBox::SetListField(const std::string& value) {
    FListField = value;
    ListChanged();
}

void TDBLookupListBox::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    ShowDataKey();
}

void TDBLookupListBox::SetDataField(const std::string& value) {
    FDataLink->SetFieldName(value);
    ShowDataKey();
}

TDataSet* TDBLookupListBox::ListDataSet() const {
    return FListLink->Active() ? FListLink->DataSet() : nullptr;
}

std::string TDBLookupListBox::RowText(const std::string& fieldName, int index) const {
    TDataSet* dataSet = ListDataSet();
    TField* field = dataSet && !fieldName.empty() ? dataSet->FindField(fieldName) : nullptr;
    if (!field || index < 0 || index >= dataSet->RecordCount()) return {};
    dataSet->SetDisplayRecord(index);
    std::string text = field->DisplayText();
    dataSet->SetDisplayRecord(-1);
    return text;
}

std::string TDBLookupListBox::ItemText(int index) const {
    return RowText(ListFieldName(), index);
}

std::string TDBLookupListBox::KeyValue() const {
    return RowText(FKeyField, ItemIndex());
}

void TDBLookupListBox::ListChanged() {
    TDataSet* dataSet = ListDataSet();
    bool listed = dataSet && !ListFieldName().empty() && dataSet->FindField(ListFieldName());
    SetItemCount(listed ? dataSet->RecordCount() : 0);
    ShowCurrent();
}

void TDBLookupListBox::ShowCurrent() {
    TDataSet* dataSet = ListDataSet();
    SetItemIndex(dataSet && Count() > 0 ? dataSet->RecNo() - 1 : -1);
}

void TDBLookupListBox::ShowDataKey() {
    TField* field = FDataLink->Field();
    if (!field || !ListDataSet()) return;
    std::string key = field->AsString();
    for (int i = 0; i < Count(); ++i) {
        if (RowText(FKeyField, i) == key) return ListDataSet()->SetRecNo(i + 1);
    }
}

void TDBLookupListBox::Click() {
    if (TDataSet* dataSet = ListDataSet(); dataSet && ItemIndex() >= 0) {
        try {
            dataSet->SetRecNo(ItemIndex() + 1);
        } catch (...) {
            // The record stayed (a pending edit failed to post): the list stays on it too.
            ShowCurrent();
            throw;
        }
        TField* field = FDataLink->Field();
        if (field && KeyValue() != field->AsString() && FDataLink->Edit()) field->SetAsString(KeyValue());
    }
    TCustomListBox::Click();
}

void TDBLookupListBox::KeyPress(char32_t& key) {
    TCustomListBox::KeyPress(key);
    if (key && SearchKey(key)) key = 0;
}

bool TDBLookupListBox::SearchKey(char32_t key) {
    if (!ListDataSet() || Count() == 0) return false;
    if (key == 8 || key == 27) {
        FSearchText.clear();
        return true;
    }
    if (key < 32) return false;
    DWORD now = GetTickCount();
    if (now - FSearchTime > SearchPauseMs) FSearchText.clear();
    FSearchTime = now;
    if (Utf8Length(FSearchText) >= SearchMaxLength) return true;
    std::string text = FSearchText + Utf8Encode(key);
    int found = FindPrefix(text);
    if (found < 0) return true;
    FSearchText = text;
    if (found != ItemIndex()) {
        SetItemIndex(found);
        Click();
    }
    return true;
}

int TDBLookupListBox::FindPrefix(const std::string& prefix) const {
    for (int i = 0; i < Count(); ++i) {
        std::string text = ItemText(i);
        if (text.size() >= prefix.size() && SameText(std::string_view(text).substr(0, prefix.size()), prefix))
            return i;
    }
    return -1;
}

void TDBLookupListBox::ScrollRecord(WPARAM wparam) {
    const int code = int(LOWORD(wparam));
    TDataSet* dataSet = ListDataSet();
    if (!dataSet || Count() == 0) return;
    int page = std::max(VisibleCount() - 1, 1);
    int target = ItemIndex();
    switch (code) {
    case SB_LINEUP: target -= 1; break;
    case SB_LINEDOWN: target += 1; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = Count() - 1; break;
    // The message's own position: a scroll sent by other code, with the native bar where it was.
    case SB_THUMBPOSITION: target = int(HIWORD(wparam)); break;
    case SB_THUMBTRACK: {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_VERT, info);
        target = info.nTrackPos;
        break;
    }
    default: return;
    }
    target = std::clamp(target, 0, Count() - 1);
    if (target == ItemIndex()) return;
    SetItemIndex(target);
    Click();
}

void TDBLookupListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_GETDATALINK: m.Result = LRESULT(FDataLink.get()); return;
    case WM_VSCROLL: return GuardBoundary(this, [&] { ScrollRecord(m.WParam); });
    default: TCustomListBox::WndProc(m);
    }
}
