#pragma once
#include "classlib/Label.h"
#include "classlib/data/DataLink.h"

#include <memory>

// A label showing a field's display text as it stands (spaces kept). It reads the field of its link's
// active record, so a control grid can paint it for each of its records.
class TDBText : public TCustomLabel {
    VMR_CLASS(TDBText, TCustomLabel)

  public:
    ~TDBText() override;
    static void PublishProperties(TPublisher<TDBText>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value);
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    // What it shows now: the field's text; without a field nothing (its name while designing).
    std::string FieldText() const;

  protected:
    explicit TDBText(TComponent* owner);
    void WndProc(TMessage& message) override;
    void AdjustBounds() override;
    std::string GetLabelText() const override { return FieldText(); }

  private:
    void DataChange();

    std::unique_ptr<TFieldDataLink> FDataLink = std::make_unique<TFieldDataLink>();
};
