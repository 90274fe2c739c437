#pragma once
#include "report/QuickRep.h"

#include <string>

class TQRBand;
class TQRGroup;
class TQRLabel;
class TQRDBText;
class TQRShape;

// The spell book: the selection printed by level, one card per spell, from its layout TFRMLIBRO.
class TfrmLibro : public TQuickRep {
    VMR_CLASS(TfrmLibro, TQuickRep)

  public:
    static void PublishProperties(TPublisher<TfrmLibro>& p);
    void AfterConstruction() override;

    // A yes/no value prints as "X" when true and as one blank otherwise.
    void MakeX(std::string& value);
    void QRDBText11Print(TObject* sender, std::string& value);
    void QRDBText12Print(TObject* sender, std::string& value);
    void QRDBText13Print(TObject* sender, std::string& value);
    void QRDBText14Print(TObject* sender, std::string& value);
    void QRDBText15Print(TObject* sender, std::string& value);
    void QRDBText16Print(TObject* sender, std::string& value);
    void QRDBText17Print(TObject* sender, std::string& value);

    TQRGroup* QRGroup1 = nullptr;
    TQRShape* QRShape8 = nullptr;
    TQRLabel* QRLabel10 = nullptr;
    TQRDBText* QRDBText10 = nullptr;
    TQRLabel* QRLabel11 = nullptr;
    TQRLabel* QRLabel12 = nullptr;
    TQRLabel* QRLabel13 = nullptr;
    TQRShape* QRShape11 = nullptr;
    TQRShape* QRShape12 = nullptr;
    TQRShape* QRShape13 = nullptr;
    TQRBand* QRBand1 = nullptr;
    TQRShape* QRShape9 = nullptr;
    TQRDBText* QRDBText1 = nullptr;
    TQRDBText* QRDBText2 = nullptr;
    TQRDBText* QRDBText3 = nullptr;
    TQRDBText* QRDBText4 = nullptr;
    TQRDBText* QRDBText5 = nullptr;
    TQRDBText* QRDBText6 = nullptr;
    TQRDBText* QRDBText7 = nullptr;
    TQRDBText* QRDBText8 = nullptr;
    TQRDBText* QRDBText9 = nullptr;
    TQRLabel* QRLabel1 = nullptr;
    TQRLabel* QRLabel2 = nullptr;
    TQRLabel* QRLabel3 = nullptr;
    TQRLabel* QRLabel4 = nullptr;
    TQRLabel* QRLabel5 = nullptr;
    TQRLabel* QRLabel6 = nullptr;
    TQRLabel* QRLabel7 = nullptr;
    TQRLabel* QRLabel8 = nullptr;
    TQRLabel* QRLabel9 = nullptr;
    TQRShape* QRShape14 = nullptr;
    TQRShape* QRShape15 = nullptr;
    TQRShape* QRShape16 = nullptr;
    TQRShape* QRShape17 = nullptr;
    TQRShape* QRShape18 = nullptr;
    TQRShape* QRShape19 = nullptr;
    TQRShape* QRShape20 = nullptr;
    TQRShape* QRShape21 = nullptr;
    TQRShape* QRShape22 = nullptr;
    TQRShape* QRShape23 = nullptr;
    TQRShape* QRShape24 = nullptr;
    TQRShape* QRShape25 = nullptr;
    TQRShape* QRShape26 = nullptr;
    TQRShape* QRShape27 = nullptr;
    TQRShape* QRShape28 = nullptr;
    TQRDBText* QRDBText11 = nullptr;
    TQRDBText* QRDBText12 = nullptr;
    TQRDBText* QRDBText13 = nullptr;
    TQRDBText* QRDBText14 = nullptr;
    TQRDBText* QRDBText15 = nullptr;
    TQRDBText* QRDBText16 = nullptr;
    TQRDBText* QRDBText17 = nullptr;
    TQRLabel* QRLabel14 = nullptr;
    TQRLabel* QRLabel15 = nullptr;
    TQRLabel* QRLabel16 = nullptr;
    TQRLabel* QRLabel17 = nullptr;
    TQRLabel* QRLabel18 = nullptr;
    TQRLabel* QRLabel19 = nullptr;
    TQRLabel* QRLabel20 = nullptr;
    TQRDBText* QRDBText18 = nullptr;
    TQRShape* QRShape29 = nullptr;
    TQRShape* QRShape30 = nullptr;
    TQRShape* QRShape31 = nullptr;
    TQRShape* QRShape32 = nullptr;
    TQRShape* QRShape33 = nullptr;
    TQRShape* QRShape34 = nullptr;
    TQRShape* QRShape35 = nullptr;
    TQRShape* QRShape36 = nullptr;
    TQRShape* QRShape37 = nullptr;
    TQRShape* QRShape38 = nullptr;

  protected:
    explicit TfrmLibro(TComponent* owner) : TQuickRep(owner) {}
};

extern TfrmLibro* frmLibro;
