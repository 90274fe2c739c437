#include "AppFixture.h"

#include "app/Vmr.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "platform/MessageLoop.h"

AppTest::AppTest() {
    std::filesystem::copy_file(VMR_SAMPLE_DATABASE, DatabaseFile());
    FCurrent = std::make_unique<TCurrentFolder>(FFolder.Path());
    InitWindowSystem(FHost);
    RegisterVmrClasses();
    FPreviousBoxHook = SetMessageBoxHook([this](const TMessageBoxRequest& r) -> std::optional<int> {
        FBoxes.push_back(r);
        return IDOK;
    });
    FPreviousPreview = TQuickRep::SetPreviewFactory(
        [this](TQuickRep&, const TReportDocument& document) { FPreviews.push_back(document); });
}

AppTest::~AppTest() {
    delete Application;
    FrmMain = nullptr;
    frmLibro = nullptr;
    FrmAbout = nullptr;
    TQuickRep::SetPreviewFactory(std::move(FPreviousPreview));
    SetMessageBoxHook(std::move(FPreviousBoxHook));
    ShutdownWindowSystem();
}

void AppTest::Start() {
    CreateVmrWindows();
    Application->Run();
    Pump();
}

void AppTest::Pump() { RunUntilIdle(); }

std::vector<std::string> AppTest::TakeStatements() {
    std::vector<std::string> statements = FrmMain->ADOConnection->StatementLog();
    FrmMain->ADOConnection->ClearStatementLog();
    return statements;
}

TPoint AppTest::CentreOf(TControl* control) const {
    return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
}

void AppTest::Click(TControl* control, int button) {
    FHost.Click(CentreOf(control), button);
    Pump();
}

void AppTest::DoubleClick(TControl* control) {
    FHost.Click(CentreOf(control));
    FHost.Click(CentreOf(control));
    Pump();
}

void AppTest::ChooseSpell(const std::string& name) {
    TADOQuery* query = FrmMain->ADOQryInc;
    for (query->First(); !query->Eof(); query->Next())
        if (query->FieldByName("INCANTESIMO").AsString() == name) return;
    FAIL() << name << " is not in the spell list";
}

std::vector<std::string> AppTest::SelectedNames() const {
    std::vector<std::string> names;
    for (const auto& name : RawColumn(DatabaseFile(), "SELECT INCANTESIMO FROM SELEZIONATI ORDER BY INCANTESIMO"))
        names.push_back(name.value_or("(NULL)"));
    return names;
}
