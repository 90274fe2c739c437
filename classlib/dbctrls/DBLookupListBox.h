#pragma once
#include "classlib/ListBox.h"
#include "classlib/data/DataLink.h"

#include <memory>
#include <string>

// A list of the ListField values of ListSource's dataset whose selected row is that dataset's current
// record: clicks, keys and the scroll bar move the record, and the list follows the dataset. With a
// DataSource and DataField it also writes the selected row's KeyField value into that field. The list keeps
// no texts: it has as many items as the dataset has records and reads the ones it draws, so a requery of a
// large result refills it at no cost.
class TDBLookupListBox : public TCustomListBox {
    VMR_CLASS(TDBLookupListBox, TCustomListBox)

  public:
    ~TDBLookupListBox() override;
    static void PublishProperties(TPublisher<TDBLookupListBox>& p);

    TDataSource* ListSource() const { return FListLink->DataSource(); }
    void SetListSource(TDataSource* value);
    const std::string& KeyField() const { return FKeyField; }
    void SetKeyField(const std::string& value);
    const std::string& ListField() const { return FListField; }
    void SetListField(const std::string& value);
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value);
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    // The key of the selected row ("" with none).
    std::string KeyValue() const;
    // The ListField value of a row.
    std::string ItemText(int index) const override;

  protected:
    explicit TDBLookupListBox(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Click() override;
    void KeyPress(char32_t& key) override;

  private:
    class TListSourceLink;
    // Reads the list again from the list dataset.
    void ListChanged();
    // Selects the list dataset's current record.
    void ShowCurrent();
    // Moves the list dataset to the row of the data field's key.
    void ShowDataKey();
    void ScrollRecord(WPARAM wparam);
    TDataSet* ListDataSet() const;
    // The list field defaults to the key field, as a list of keys alone shows them.
    const std::string& ListFieldName() const { return FListField.empty() ? FKeyField : FListField; }
    // The text of the named field in a row of the list dataset; "" without such a field or row.
    std::string RowText(const std::string& fieldName, int index) const;
    // Typed characters add up to a text the list jumps to the first row starting with (letter case aside);
    // Backspace, Escape or a pause of SearchPauseMs start again.
    bool SearchKey(char32_t key);
    int FindPrefix(const std::string& prefix) const;

    std::unique_ptr<TDataLink> FListLink;
    std::unique_ptr<TFieldDataLink> FDataLink = std::make_unique<TFieldDataLink>();
    std::string FKeyField;
    std::string FListField;
    std::string FSearchText;
    DWORD FSearchTime = 0;

  public:
    static constexpr DWORD SearchPauseMs = 2000;
    static constexpr size_t SearchMaxLength = 32;
};
