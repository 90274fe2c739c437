#include "app/Vmr.h"

#include "AppResources.h"
#include "app/UAbout.h"
#include "app/ULibro.h"
#include "app/UMain.h"
#include "classlib/Application.h"
#include "classlib/RegisterClasslib.h"
#include "report/QRPreview.h"
#include "report/RegisterReport.h"
#include "skin/RegisterSkin.h"

#include <cstdio>
#include <exception>

void RegisterVmrClasses() {
    RegisterClasslibClasses();
    RegisterReportClasses();
    RegisterSkinClasses();
    TQRPreview::Register();
    RegisterResources_App();
    RegisterClass<TFrmMain>();
    RegisterClass<TfrmLibro>();
    RegisterClass<TFrmAbout>();
}

void CreateVmrWindows() {
    if (!Application) NewComponent<TApplication>(nullptr);
    Application->Initialize();
    Application->CreateForm(FrmMain);
    frmLibro = NewComponent<TfrmLibro>(Application);
    Application->CreateForm(FrmAbout);
}

int RunVmr() {
    RegisterVmrClasses();
    try {
        CreateVmrWindows();
    } catch (const std::exception& e) {
        // Said on the terminal too: the program ends here without a window.
        std::fprintf(stderr, "vmr: %s\n", e.what());
        Application->ShowException(e);
        delete Application;
        return 1;
    }
    Application->Run();
    delete Application;
    return 0;
}
