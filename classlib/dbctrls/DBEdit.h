#pragma once
#include "classlib/Edit.h"
#include "classlib/dbctrls/FieldEditLink.h"

#include <memory>

// An edit over a field of its data source (see TFieldEditLink).
class TDBEdit : public TCustomEdit {
    VMR_CLASS(TDBEdit, TCustomEdit)

  public:
    ~TDBEdit() override;
    static void PublishProperties(TPublisher<TDBEdit>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value);
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    bool ReadOnly() const { return FDataLink->ControlReadOnly(); }
    void SetReadOnly(bool value) { FDataLink->SetControlReadOnly(value); }

  protected:
    explicit TDBEdit(TComponent* owner);
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void Change() override;
    void DoExit() override;

  private:
    std::unique_ptr<TFieldEditLink> FDataLink = std::make_unique<TFieldEditLink>(this);
};
