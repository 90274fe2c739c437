#pragma once
// The whole program on the headless host, started in a temporary folder that holds a copy of the sample
// database. Error boxes are recorded and answered, the preview records the documents it is given and the
// shell's openings stay with the host.
#include "DataTestSupport.h"

#include "app/UAbout.h"
#include "app/ULibro.h"
#include "app/UMain.h"
#include "classlib/Application.h"
#include "platform/MessageBox.h"
#include "platform/host/headless/HeadlessHost.h"
#include "report/QuickRep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class TControl;

class AppTest : public ::testing::Test {
  protected:
    AppTest();
    ~AppTest() override;

    // Makes the three windows and runs the message loop until the start-up settles.
    void Start();
    void Pump();
    // The statements run since the last call.
    std::vector<std::string> TakeStatements();
    std::filesystem::path DatabaseFile() const { return FFolder.Path() / "Incantesimi.mdb"; }

    TPoint CentreOf(TControl* control) const;
    void Click(TControl* control, int button = 1);
    void DoubleClick(TControl* control);
    // Makes the catalogue row of that name current through the spell list.
    void ChooseSpell(const std::string& name);
    std::vector<std::string> SelectedNames() const;

    THeadlessHost FHost;
    TTemporaryFolder FFolder;
    std::vector<TMessageBoxRequest> FBoxes;
    std::vector<TReportDocument> FPreviews;

  private:
    std::unique_ptr<TCurrentFolder> FCurrent;
    TMessageBoxHook FPreviousBoxHook;
    TQRPreviewFactory FPreviousPreview;
};
