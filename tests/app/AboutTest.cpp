#include "AppFixture.h"

#include "platform/ImageCodecs.h"
#include "platform/Input.h"
#include "platform/ScrollBar.h"
#include "platform/Window.h"
#include "skin/TAVButton.h"
#include "skin/TAVForm.h"
#include "skin/TAVMemo.h"
#include "skin/TAVTitleBar.h"
#include "skin/TAVURLLabel.h"
#include "classlib/Label.h"

#include <fstream>

namespace {

std::vector<std::string> LinesOf(const std::string& fileName) {
    std::ifstream in(std::string(VMR_APP_LAYOUTS) + "/" + fileName);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int ShownAboutWindows() {
    int shown = 0;
    for (HWND window : GetTopLevelWindows())
        if (IsWindowVisible(window) && GetWindowText(window) == "About...") ++shown;
    return shown;
}

} // namespace

TEST_F(AppTest, TheAboutWindowShowsOnceAndItsCloseButtonHidesIt) {
    Start();
    Click(FrmMain->tavButton2);
    ASSERT_TRUE(FrmAbout->Visible());
    EXPECT_EQ(FrmAbout->BoundsRect(), Bounds(335, 129, 400, 496));
    EXPECT_EQ(FrmAbout->Constraints()->MinWidth(), 130);
    EXPECT_EQ(FrmAbout->Constraints()->MinHeight(), 50);
    EXPECT_EQ(GetTopLevelWindows().back(), FrmAbout->Handle());

    // Again "?" with the main window in front: the same window comes to the front.
    FrmMain->Show();
    Pump();
    ASSERT_NE(GetTopLevelWindows().back(), FrmAbout->Handle());
    Click(FrmMain->tavButton2);
    EXPECT_EQ(ShownAboutWindows(), 1);
    EXPECT_EQ(GetTopLevelWindows().back(), FrmAbout->Handle());

    // The texts are those written for the window; the licence scrolls but cannot be changed.
    const std::vector<std::string> texts = LinesOf("VMR_ABOUT_TEXTS.txt");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(FrmAbout->tavURLLabel1->Caption(), texts[0]);
    EXPECT_EQ(FrmAbout->tavURLLabel1->URL(), "mailto:" + texts[1]);
    EXPECT_EQ(FrmAbout->Label3->Caption(), texts[2]);
    TtavMemo* memo = FrmAbout->tavMemo1;
    const std::vector<std::string> licence = LinesOf("VMR_LICENCE.txt");
    ASSERT_EQ(memo->Lines()->Count(), int(licence.size()));
    for (size_t i = 0; i < licence.size(); ++i)
        EXPECT_EQ(memo->Lines()->Strings(int(i)), licence[i]) << i;
    const std::string shown = memo->Lines()->Text();
    memo->SetFocus();
    FHost.TypeText("x");
    FHost.KeyPress(VK_DELETE);
    FHost.KeyPress(VK_NEXT);
    Pump();
    EXPECT_EQ(memo->Lines()->Text(), shown);
    EXPECT_GT(GetScrollPos(memo->Handle(), SB_VERT), 0);
    const int scrolled = GetScrollPos(memo->Handle(), SB_VERT);

    // The link opens a new mail through the shell.
    Click(FrmAbout->tavURLLabel1);
    ASSERT_EQ(FHost.OpenedURLs().size(), 1u);
    EXPECT_TRUE(FHost.OpenedURLs()[0].starts_with("mailto:")) << FHost.OpenedURLs()[0];
    EXPECT_NE(FHost.OpenedURLs()[0].find("@example."), std::string::npos);

    // The title bar's close button hides the window; "?" shows it again as it was left.
    TtavTitleBar* bar = FrmAbout->tavForm1->TitleBar();
    FHost.Click(bar->ClientToScreen({bar->Width() - 10, 10}));
    Pump();
    EXPECT_FALSE(FrmAbout->Visible());
    EXPECT_TRUE(FrmMain->Visible());
    Click(FrmMain->tavButton2);
    EXPECT_TRUE(FrmAbout->Visible());
    EXPECT_EQ(GetScrollPos(memo->Handle(), SB_VERT), scrolled);
    EXPECT_TRUE(FBoxes.empty());
}
