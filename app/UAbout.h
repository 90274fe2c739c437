#pragma once
#include "classlib/Forms.h"

class TImage;
class TLabel;
class TtavForm;
class TtavMemo;
class TtavURLLabel;

// The About window: title, version, a link to the author and the licence of the catalogue. Everything it
// does comes from its layout TFRMABOUT.
class TFrmAbout : public TForm {
    VMR_CLASS(TFrmAbout, TForm)

  public:
    static void PublishProperties(TPublisher<TFrmAbout>& p);

    TtavForm* tavForm1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TtavURLLabel* tavURLLabel1 = nullptr;
    TLabel* Label5 = nullptr;
    TtavMemo* tavMemo1 = nullptr;
    TLabel* Label3 = nullptr;

  protected:
    explicit TFrmAbout(TComponent* owner) : TForm(owner) {}
};

extern TFrmAbout* FrmAbout;
