#pragma once
#include "classlib/CustomControl.h"
#include "classlib/data/DataLink.h"

#include <memory>

// A label showing a field's display text as it stands (spaces kept). It reads the field of its link's
// active record, so a control grid can paint it for each of its records.
class TDBText : public TGraphicControl {
    VMR_CLASS(TDBText, TGraphicControl)

  public:
    ~TDBText() override;
    static void PublishProperties(TPublisher<TDBText>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value);
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    // What it shows now: the field's text, or its name while no field is there.
    std::string FieldText() const;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

  protected:
    explicit TDBText(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Paint() override;

  private:
    void DataChange();
    void AdjustBounds();

    std::unique_ptr<TFieldDataLink> FDataLink = std::make_unique<TFieldDataLink>();
    bool FAutoSize = false;
    bool FTransparent = false;
};
