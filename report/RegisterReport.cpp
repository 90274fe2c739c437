#include "report/RegisterReport.h"

#include "report/QRBand.h"
#include "report/QRLabel.h"
#include "report/QRShape.h"
#include "report/QuickRep.h"

void RegisterReportClasses() {
    RegisterClass<TQuickRep>();
    RegisterClass<TQRBand>();
    RegisterClass<TQRGroup>();
    RegisterClass<TQRLabel>();
    RegisterClass<TQRDBText>();
    RegisterClass<TQRShape>();
}
