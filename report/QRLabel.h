#pragma once
#include "classlib/Alignment.h"
#include "classlib/Font.h"
#include "report/QRPrintable.h"

#include <functional>
#include <string>

class TDataSet;

// Called before a data text prints a non-empty value; the handler may change the value.
using TQRLabelOnPrintEvent = std::function<void(TObject* Sender, std::string& Value)>;

// A text element. AutoSize makes its box the printed text's size (kept at its right edge when
// right-justified, around its middle when centred); otherwise the box is its Size and WordWrap breaks the
// text at its width. A transparent text has no background; an opaque one fills its box with Color. With
// ParentFont it prints in the report's font; setting any attribute of its own Font clears ParentFont.
class TQRCustomLabel : public TQRPrintable {
    VMR_CLASS(TQRCustomLabel, TQRPrintable)

  public:
    static void PublishProperties(TPublisher<TQRCustomLabel>& p);

    TAlignment Alignment = taLeftJustify;
    bool AutoSize = true;
    // Kept: bands here have fixed heights, so nothing stretches.
    bool AutoStretch = false;
    TColor Color = clWhite;
    bool Transparent = false;
    bool WordWrap = true;
    bool ParentFont = true;

    TFont* Font() { return &FFont; }
    // The font the element prints in.
    const TFont& PrintFont() const;

  protected:
    explicit TQRCustomLabel(TComponent* owner);
    void PrintText(const std::string& text, std::vector<TPageItem>& items) const;

  private:
    TFont FFont;
};

class TQRLabel : public TQRCustomLabel {
    VMR_CLASS(TQRLabel, TQRCustomLabel)

  public:
    static void PublishProperties(TPublisher<TQRLabel>& p);
    std::string Caption;
    void Print(std::vector<TPageItem>& items) override;

  protected:
    using TQRCustomLabel::TQRCustomLabel;
};

// Prints a field of its dataset's current record as text.
class TQRDBText : public TQRCustomLabel {
    VMR_CLASS(TQRDBText, TQRCustomLabel)

  public:
    static void PublishProperties(TPublisher<TQRDBText>& p);

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* value);
    std::string DataField;
    TQRLabelOnPrintEvent OnPrint;

    // The field's text: empty without a field name. Raises EInvalidOperation when there is no open dataset
    // or it has no such field.
    std::string FieldText() const;
    void Print(std::vector<TPageItem>& items) override;

  protected:
    using TQRCustomLabel::TQRCustomLabel;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TDataSet* FDataSet = nullptr;
};
