#include "app/ULibro.h"

#include "classlib/LayoutReader.h"
#include "classlib/SysUtils.h"
#include "report/QRBand.h"
#include "report/QRLabel.h"
#include "report/QRShape.h"

TfrmLibro* frmLibro = nullptr;

void TfrmLibro::PublishProperties(TPublisher<TfrmLibro>& p) {
    p.Field("QRGroup1", &TfrmLibro::QRGroup1);
    p.Field("QRShape8", &TfrmLibro::QRShape8);
    p.Field("QRLabel10", &TfrmLibro::QRLabel10);
    p.Field("QRDBText10", &TfrmLibro::QRDBText10);
    p.Field("QRLabel11", &TfrmLibro::QRLabel11);
    p.Field("QRLabel12", &TfrmLibro::QRLabel12);
    p.Field("QRLabel13", &TfrmLibro::QRLabel13);
    p.Field("QRShape11", &TfrmLibro::QRShape11);
    p.Field("QRShape12", &TfrmLibro::QRShape12);
    p.Field("QRShape13", &TfrmLibro::QRShape13);
    p.Field("QRBand1", &TfrmLibro::QRBand1);
    p.Field("QRShape9", &TfrmLibro::QRShape9);
    p.Field("QRDBText1", &TfrmLibro::QRDBText1);
    p.Field("QRDBText2", &TfrmLibro::QRDBText2);
    p.Field("QRDBText3", &TfrmLibro::QRDBText3);
    p.Field("QRDBText4", &TfrmLibro::QRDBText4);
    p.Field("QRDBText5", &TfrmLibro::QRDBText5);
    p.Field("QRDBText6", &TfrmLibro::QRDBText6);
    p.Field("QRDBText7", &TfrmLibro::QRDBText7);
    p.Field("QRDBText8", &TfrmLibro::QRDBText8);
    p.Field("QRDBText9", &TfrmLibro::QRDBText9);
    p.Field("QRLabel1", &TfrmLibro::QRLabel1);
    p.Field("QRLabel2", &TfrmLibro::QRLabel2);
    p.Field("QRLabel3", &TfrmLibro::QRLabel3);
    p.Field("QRLabel4", &TfrmLibro::QRLabel4);
    p.Field("QRLabel5", &TfrmLibro::QRLabel5);
    p.Field("QRLabel6", &TfrmLibro::QRLabel6);
    p.Field("QRLabel7", &TfrmLibro::QRLabel7);
    p.Field("QRLabel8", &TfrmLibro::QRLabel8);
    p.Field("QRLabel9", &TfrmLibro::QRLabel9);
    p.Field("QRShape14", &TfrmLibro::QRShape14);
    p.Field("QRShape15", &TfrmLibro::QRShape15);
    p.Field("QRShape16", &TfrmLibro::QRShape16);
    p.Field("QRShape17", &TfrmLibro::QRShape17);
    p.Field("QRShape18", &TfrmLibro::QRShape18);
    p.Field("QRShape19", &TfrmLibro::QRShape19);
    p.Field("QRShape20", &TfrmLibro::QRShape20);
    p.Field("QRShape21", &TfrmLibro::QRShape21);
    p.Field("QRShape22", &TfrmLibro::QRShape22);
    p.Field("QRShape23", &TfrmLibro::QRShape23);
    p.Field("QRShape24", &TfrmLibro::QRShape24);
    p.Field("QRShape25", &TfrmLibro::QRShape25);
    p.Field("QRShape26", &TfrmLibro::QRShape26);
    p.Field("QRShape27", &TfrmLibro::QRShape27);
    p.Field("QRShape28", &TfrmLibro::QRShape28);
    p.Field("QRDBText11", &TfrmLibro::QRDBText11);
    p.Field("QRDBText12", &TfrmLibro::QRDBText12);
    p.Field("QRDBText13", &TfrmLibro::QRDBText13);
    p.Field("QRDBText14", &TfrmLibro::QRDBText14);
    p.Field("QRDBText15", &TfrmLibro::QRDBText15);
    p.Field("QRDBText16", &TfrmLibro::QRDBText16);
    p.Field("QRDBText17", &TfrmLibro::QRDBText17);
    p.Field("QRLabel14", &TfrmLibro::QRLabel14);
    p.Field("QRLabel15", &TfrmLibro::QRLabel15);
    p.Field("QRLabel16", &TfrmLibro::QRLabel16);
    p.Field("QRLabel17", &TfrmLibro::QRLabel17);
    p.Field("QRLabel18", &TfrmLibro::QRLabel18);
    p.Field("QRLabel19", &TfrmLibro::QRLabel19);
    p.Field("QRLabel20", &TfrmLibro::QRLabel20);
    p.Field("QRDBText18", &TfrmLibro::QRDBText18);
    p.Field("QRShape29", &TfrmLibro::QRShape29);
    p.Field("QRShape30", &TfrmLibro::QRShape30);
    p.Field("QRShape31", &TfrmLibro::QRShape31);
    p.Field("QRShape32", &TfrmLibro::QRShape32);
    p.Field("QRShape33", &TfrmLibro::QRShape33);
    p.Field("QRShape34", &TfrmLibro::QRShape34);
    p.Field("QRShape35", &TfrmLibro::QRShape35);
    p.Field("QRShape36", &TfrmLibro::QRShape36);
    p.Field("QRShape37", &TfrmLibro::QRShape37);
    p.Field("QRShape38", &TfrmLibro::QRShape38);
    p.Method("MakeX", &TfrmLibro::MakeX);
    p.Method("QRDBText11Print", &TfrmLibro::QRDBText11Print);
    p.Method("QRDBText12Print", &TfrmLibro::QRDBText12Print);
    p.Method("QRDBText13Print", &TfrmLibro::QRDBText13Print);
    p.Method("QRDBText14Print", &TfrmLibro::QRDBText14Print);
    p.Method("QRDBText15Print", &TfrmLibro::QRDBText15Print);
    p.Method("QRDBText16Print", &TfrmLibro::QRDBText16Print);
    p.Method("QRDBText17Print", &TfrmLibro::QRDBText17Print);
}

void TfrmLibro::AfterConstruction() {
    TQuickRep::AfterConstruction();
    ReadLayoutResource(*this, "TFRMLIBRO");
}

void TfrmLibro::MakeX(std::string& value) {
    const bool yes = UpperCase(value) == "TRUE";
    value = std::string(yes ? "X" : " ");
}

void TfrmLibro::QRDBText11Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText12Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText13Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText14Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText15Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText16Print(TObject*, std::string& value) { MakeX(value); }
void TfrmLibro::QRDBText17Print(TObject*, std::string& value) { MakeX(value); }
