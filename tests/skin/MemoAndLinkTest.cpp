#include "FrameTestSupport.h"

#include "skin/TAVMemo.h"
#include "skin/TAVURLLabel.h"

namespace {

class MemoAndLinkTest : public TFrameTest {
protected:
    // The About window's link and licence memo on its frame.
    TForm* AboutWithContent() {
        std::string lines;
        for (int i = 1; i <= 115; ++i) lines += "      'Riga " + std::to_string(i) + " della licenza'\n";
        const std::string children =
            "    object tavURLLabel1: TtavURLLabel\n      Left = 331\n      Top = 61\n"
            "      Cursor = crHandPoint\n      Caption = 'Autore'\n      URL = 'mailto:autore@example.org'\n"
            "      FontLinkColor = clBlue\n      FontHoverColor = clRed\n      Transparent = True\n    end\n"
            "    object tavMemo1: TtavMemo\n      Left = 5\n      Top = 344\n      Width = 388\n      Height = 133\n"
            "      UIStyle = Protein\n      BorderColor = clBlack\n      ReadOnly = True\n"
            "      ScrollBars = ssVertical\n      Lines.Strings = (\n" + lines + "      )\n    end\n";
        LoadForm(MainLayout());
        TForm* about = LoadForm(FormLayout("FrmAbout", "  Left = 335\n  Top = 129\n  BorderStyle = bsDialog\n", 398,
                                           495, ButtonItem("tavClose", CloseColor, CloseHotColor, CloseDownColor),
                                           children));
        about->Show();
        RunUntilIdle();
        return about;
    }
};

TEST_F(MemoAndLinkTest, TheLinkOpensItsAddressAndLightsUpUnderTheMouse) {
    TForm* about = AboutWithContent();
    auto* link = static_cast<TtavURLLabel*>(about->FindComponent("tavURLLabel1"));
    int clicks = 0;
    link->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(link->Cursor(), crHandPoint);
    EXPECT_TRUE(link->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(link->Font()->Color(), clBlue);

    const TPoint middle = link->ClientToScreen({link->Width() / 2, link->Height() / 2});
    FHost.MouseMove(middle);
    RunUntilIdle();
    EXPECT_EQ(link->Font()->Color(), clRed);
    // The link colour shows at once, although the mouse is still over the label.
    link->SetFontLinkColor(clGreen);
    EXPECT_EQ(link->Font()->Color(), clGreen);
    FHost.Click(middle);
    RunUntilIdle();
    EXPECT_EQ(FHost.OpenedURLs(), (std::vector<std::string>{"mailto:autore@example.org"}));
    EXPECT_EQ(clicks, 1);

    FHost.MouseMove(about->ClientToScreen({200, 200}));
    RunUntilIdle();
    EXPECT_EQ(link->Font()->Color(), clGreen);

    // A blank address opens nothing but still clicks; a leading blank goes to the desktop as it is.
    link->SetURL("   ");
    FHost.Advance(1000); // not a double-click
    FHost.Click(middle);
    RunUntilIdle();
    EXPECT_EQ(FHost.OpenedURLs().size(), 1u);
    EXPECT_EQ(clicks, 2);
    link->SetURL(" mailto:a@b.c");
    FHost.Advance(1000);
    FHost.Click(middle);
    RunUntilIdle();
    EXPECT_EQ(FHost.OpenedURLs().back(), " mailto:a@b.c");
    EXPECT_TRUE(Boxes.empty());

    // No program opens the address: the user is told which one and why, and the click still counts.
    FHost.SetOpensURLs(false);
    FHost.Advance(1000);
    FHost.Click(middle);
    RunUntilIdle();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find("mailto:a@b.c"), std::string::npos) << Boxes[0];
    EXPECT_NE(Boxes[0].find("xdg-open"), std::string::npos) << Boxes[0];
    EXPECT_EQ(clicks, 4);
}

TEST_F(MemoAndLinkTest, ANewLinkHasTheMakersDefaults) {
    auto* link = NewComponent<TtavURLLabel>(Application);
    EXPECT_EQ(link->Caption(), "Welcome to Orlenta");
    EXPECT_FALSE(link->URL().empty());
    EXPECT_TRUE(link->AutoSize());
    EXPECT_EQ(link->FontHoverColor(), clRed);
    EXPECT_FALSE(HasPublishedProperty(link, "UIStyle"));
    delete link;
}

TEST_F(MemoAndLinkTest, TheLicenceMemoIsReadOnlyScrollsAndHasAFlatFrame) {
    TForm* about = AboutWithContent();
    auto* memo = static_cast<TtavMemo*>(about->FindComponent("tavMemo1"));
    EXPECT_EQ(memo->Lines()->Count(), 115);
    const std::string text = memo->Text();
    FHost.Click(memo->ClientToScreen({50, 20}));
    FHost.TypeText("xyz");
    FHost.KeyPress(VK_DELETE);
    RunUntilIdle();
    EXPECT_EQ(memo->Text(), text);

    EXPECT_EQ(memo->FirstVisibleLine(), 0);
    FHost.Wheel(memo->ClientToScreen({50, 20}), -120);
    RunUntilIdle();
    EXPECT_GT(memo->FirstVisibleLine(), 0);
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_GT(memo->FirstVisibleLine(), 100);

    // The native scroll bar inside a black frame with a ring of the memo's colour.
    RunUntilIdle();
    const TPoint origin = memo->ClientToScreen({0, 0}) - about->ClientOrigin();
    EXPECT_EQ(PixelAt(about, origin.X, origin.Y + 60), clBlack);
    EXPECT_EQ(PixelAt(about, origin.X + 387, origin.Y + 60), clBlack);
    EXPECT_EQ(PixelAt(about, origin.X + 1, origin.Y + 60), ColorToRGB(memo->Color()));
    EXPECT_NE(GetWindowStyle(memo->Handle()) & WS_VSCROLL, 0u);
}

} // namespace
