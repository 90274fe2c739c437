#pragma once
#include "classlib/Memo.h"
#include "classlib/dbctrls/FieldEditLink.h"

#include <memory>

// A memo over a field of its data source (see TFieldEditLink).
class TDBMemo : public TCustomMemo {
    VMR_CLASS(TDBMemo, TCustomMemo)

  public:
    ~TDBMemo() override;
    static void PublishProperties(TPublisher<TDBMemo>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value);
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    bool ReadOnly() const { return FDataLink->ControlReadOnly(); }
    void SetReadOnly(bool value) { FDataLink->SetControlReadOnly(value); }

  protected:
    explicit TDBMemo(TComponent* owner);
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void Change() override;
    void DoExit() override;

  private:
    std::unique_ptr<TFieldEditLink> FDataLink = std::make_unique<TFieldEditLink>(this);
};
