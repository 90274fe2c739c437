#include "app/UAbout.h"

#include "classlib/Image.h"
#include "classlib/Label.h"
#include "skin/TAVForm.h"
#include "skin/TAVMemo.h"
#include "skin/TAVURLLabel.h"

TFrmAbout* FrmAbout = nullptr;

void TFrmAbout::PublishProperties(TPublisher<TFrmAbout>& p) {
    p.Field("tavForm1", &TFrmAbout::tavForm1);
    p.Field("Image1", &TFrmAbout::Image1);
    p.Field("Label1", &TFrmAbout::Label1);
    p.Field("Label2", &TFrmAbout::Label2);
    p.Field("tavURLLabel1", &TFrmAbout::tavURLLabel1);
    p.Field("Label5", &TFrmAbout::Label5);
    p.Field("tavMemo1", &TFrmAbout::tavMemo1);
    p.Field("Label3", &TFrmAbout::Label3);
}
