// The skinned scroll bar: its arrow buttons and track laid out in both orientations, the slider's length
// from LineButton or the page, the arrows' repeat, and its pictures from the styles and a theme file.
#include "SkinHostTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/Picture.h"
#include "platform/ImageCodecs.h"
#include "skin/TAVButton.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVScrollBar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ScrollBarTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm();
        FForm->SetColor(clWhite);
        FBar = Make<TtavScrollBar>(FForm, {10, 10, 210, 50});
        FBar->OnChange = [this](TObject* sender) { FSenders.push_back(sender); };
        RunUntilIdle();
    }
    TPoint At(TControl* control, TPoint client) { return control->ClientToScreen(client); }
    TColor Pixel(TControl* control, int x, int y) {
        const TPoint p = FForm->ScreenToClient(control->ClientToScreen({x, y}));
        return PixelToColor(WindowPixel(FForm, p.X, p.Y));
    }
    TtavImagePanel* Slider() { return FBar->Track()->Slider(); }

    TForm* FForm = nullptr;
    TtavScrollBar* FBar = nullptr;
    std::vector<TObject*> FSenders;
};

TEST_F(ScrollBarTest, ANewHorizontalBar) {
    EXPECT_EQ(FBar->Min(), 0);
    EXPECT_EQ(FBar->Max(), 100);
    EXPECT_EQ(FBar->Position(), 0);
    EXPECT_EQ(FBar->SmallChange(), 1);
    EXPECT_EQ(FBar->LargeChange(), 2);
    EXPECT_EQ(FBar->PageSize(), 2);
    EXPECT_EQ(FBar->LineButton(), 0);
    EXPECT_EQ(FBar->Orientation(), tavHorizontal);
    // DeepBlue's arrows are 16 x 16 and its slider pieces 7 x 16.
    EXPECT_EQ(FBar->BackButton()->Width(), 16);
    EXPECT_EQ(FBar->Height(), 16) << "the back button's height";
    EXPECT_EQ(FBar->BackButton()->Left(), 0);
    EXPECT_EQ(FBar->ForwardButton()->Left(), 200 - 16);
    EXPECT_EQ(FBar->Track()->Left(), 16);
    EXPECT_EQ(FBar->Track()->Width(), 200 - 32);
    EXPECT_EQ(FBar->Track()->Height(), 16);
    EXPECT_EQ(Slider()->Width(), (200 - 32) * 10 / 100) << "page size 2 is outside 10..100: 10 %";
    EXPECT_EQ(Slider()->Height(), 16);
    EXPECT_FALSE(FBar->Track()->ShowTick());
    EXPECT_FALSE(FBar->Track()->TabStop());
    EXPECT_FALSE(FBar->BackButton()->TabStop());
    EXPECT_EQ(FBar->BackButton()->MouseContinuouslyDownInterval(), 100);
    EXPECT_EQ(FBar->Track()->Color(), FBar->Color()) << "the background colour passed to the track";
    EXPECT_EQ(FBar->Color(), GetBuiltinThemeColor(TtavUIStyle::DeepBlue, tavkey::ScrollBarBackgroundColor));
}

TEST_F(ScrollBarTest, TheSliderLengthFollowsLineButtonOrThePage) {
    const int track = FBar->Track()->Width();
    FBar->SetPageSize(50);
    EXPECT_EQ(Slider()->Width(), track / 2);
    FBar->SetLargeChange(25);
    EXPECT_EQ(FBar->PageSize(), 25) << "one value";
    EXPECT_EQ(Slider()->Width(), track / 2) << "not rebuilt";
    FBar->SetPageSize(101);
    EXPECT_EQ(FBar->PageSize(), 25) << "refused by the track";
    EXPECT_EQ(Slider()->Width(), track / 4) << "rebuilt all the same";

    FBar->SetLineButton(5);
    EXPECT_EQ(FBar->LineButton(), 18);
    EXPECT_EQ(Slider()->Width(), 18);
    FBar->SetLineButton(40);
    EXPECT_EQ(Slider()->Width(), 40);
    FBar->SetLineButton(track + 1);
    EXPECT_EQ(FBar->LineButton(), 40) << "longer than the free length";
    FBar->SetLineButton(track);
    EXPECT_EQ(Slider()->Width(), track);
    FBar->SetLineButton(0);
    EXPECT_EQ(Slider()->Width(), track / 4);

    // The three pieces: both ends unscaled, the middle stretched between them.
    FBar->SetLineButton(60);
    FBar->SetPosition(0);
    RunUntilIdle();
    TBitmap pieces;
    GetBuiltinThemeImage(TtavUIStyle::DeepBlue, tavkey::ScrollBarSliderImage, &pieces, 0, 0);
    EXPECT_EQ(Pixel(Slider(), 0, 8), pieces.Canvas()->Pixels(0, 8));
    EXPECT_EQ(Pixel(Slider(), 59, 8), pieces.Canvas()->Pixels(20, 8));
    EXPECT_EQ(Pixel(Slider(), 30, 8), pieces.Canvas()->Pixels(10, 8));
}

TEST_F(ScrollBarTest, HoldingAnArrowStepsBySmallChange) {
    FBar->SetPosition(50);
    FSenders.clear();
    const TPoint forward = At(FBar->ForwardButton(), {8, 8});
    FHost.MouseMove(forward);
    FHost.MouseDown(forward);
    FHost.Pause(350);
    FHost.MouseUp(forward);
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 53);
    ASSERT_EQ(FSenders.size(), 3u);
    EXPECT_EQ(FSenders[0], FBar->Track()) << "the track sends the change";

    FBar->SetSmallChange(10);
    const TPoint back = At(FBar->BackButton(), {8, 8});
    FHost.MouseMove(back);
    FHost.MouseDown(back);
    FHost.Pause(50);
    FHost.MouseUp(back);
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 53) << "a short click does not step";
    FHost.MouseDown(back);
    FHost.Pause(150);
    FHost.MouseUp(back);
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 43);
    FBar->SetPosition(43);
    EXPECT_EQ(FSenders.size(), 4u) << "the same position is not set again";
}

TEST_F(ScrollBarTest, AVerticalBarTurnsItsPictures) {
    TBitmap strip;
    GetBuiltinThemeImage(TtavUIStyle::DeepBlue, tavkey::ScrollBarButtonImage, &strip, 6, 1);
    // The horizontal back arrow is the strip's first frame turned counter-clockwise.
    const TColor turned = Pixel(FBar->BackButton(), 3, 15 - 12);
    EXPECT_EQ(turned, strip.Canvas()->Pixels(12, 3));

    FBar->SetOrientation(tavVertical);
    RunUntilIdle();
    EXPECT_EQ(FBar->Width(), 16);
    EXPECT_EQ(FBar->Height(), 16) << "the height the horizontal bar had";
    FBar->SetHeight(200);
    RunUntilIdle();
    EXPECT_EQ(FBar->Height(), 200);
    EXPECT_EQ(FBar->Track()->Top(), 16);
    EXPECT_EQ(FBar->Track()->Height(), 200 - 32 - 1) << "one pixel short of the forward button";
    EXPECT_EQ(FBar->ForwardButton()->Top(), 200 - 16);
    EXPECT_EQ(Pixel(FBar->BackButton(), 3, 12), strip.Canvas()->Pixels(3, 12)) << "the strip as it is";
    EXPECT_EQ(Slider()->Width(), 16);
    EXPECT_EQ(Slider()->Height(), (200 - 33) * 10 / 100);

    FBar->SetPosition(100);
    RunUntilIdle();
    EXPECT_EQ(Slider()->Top() + Slider()->Height(), FBar->Track()->Height()) << "at the far end";
}

TEST_F(ScrollBarTest, StylesAndAThemeFile) {
    FBar->SetUIStyle(TtavUIStyle::MacOS);
    RunUntilIdle();
    EXPECT_EQ(FBar->Height(), 16) << "MacOS's arrows are 16 x 22 upright, turned";
    EXPECT_EQ(FBar->BackButton()->Width(), 22);
    EXPECT_EQ(FBar->Track()->Left(), 22);
    EXPECT_EQ(FBar->Track()->Height(), 16);
    EXPECT_EQ(FBar->Track()->Top(), 0);
    EXPECT_EQ(FBar->Color(), GetBuiltinThemeColor(TtavUIStyle::MacOS, tavkey::ScrollBarBackgroundColor));
    EXPECT_EQ(FBar->Track()->Color(), FBar->Color());

    TSurface buttons(6 * 10, 12), slider(9, 12);
    for (int frame = 0; frame < 6; ++frame)
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 10; ++x) buttons.SetPixel(frame * 10 + x, y, frame < 3 ? 0x0000FF : 0x00FF00);
    slider.Fill(0xFF0000);
    TTempFolder folder;
    TThemeFileBuilder::Chain({{"ScrollBarBackgroundColor", TThemeFileBuilder::Integer, TThemeFileBuilder::Int32(0x123456)},
                              {"ScrollBarButtonImage", TThemeFileBuilder::Image, EncodeBMP(buttons)},
                              {"ScrollBarSliderImage", TThemeFileBuilder::Image, EncodeBMP(slider)}})
        .Save(folder.File("scroll.tav"));
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    theme->SetThemeFile(folder.File("scroll.tav"));
    FBar->SetFileTheme(theme);
    FBar->SetUIStyle(TtavUIStyle::FromThemeFile);
    RunUntilIdle();
    EXPECT_EQ(FBar->Color(), TColor(0x123456));
    EXPECT_EQ(FBar->Height(), 10) << "the 10 x 12 frames turned";
    EXPECT_EQ(FBar->BackButton()->Width(), 12);
    EXPECT_EQ(Pixel(FBar->BackButton(), 2, 2), PixelToColor(0x0000FF));
    EXPECT_EQ(Pixel(FBar->ForwardButton(), 2, 2), PixelToColor(0x00FF00));
    EXPECT_EQ(Pixel(Slider(), 1, 1), PixelToColor(0xFF0000));

    delete theme;
    EXPECT_EQ(FBar->FileTheme(), nullptr);
    EXPECT_EQ(FBar->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(FBar->Height(), 16);
}

TEST_F(ScrollBarTest, TheTrackActsAsATrackBar) {
    FBar->SetLineButton(20);
    FBar->SetPosition(0);
    RunUntilIdle();
    const TPoint beside = At(FBar->Track(), {FBar->Track()->Width() - 5, 8});
    FHost.MouseMove(beside);
    FHost.MouseDown(beside);
    FHost.MouseUp(beside);
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 2) << "one page";
    EXPECT_TRUE(FBar->Track()->Focused()) << "a click focuses the track";
}

TEST_F(ScrollBarTest, AHandlerMayFreeTheBar) {
    FBar->OnChange = [this](TObject*) { delete FBar; };
    const TPoint forward = At(FBar->ForwardButton(), {8, 8});
    FHost.MouseMove(forward);
    FHost.MouseDown(forward);
    FHost.Pause(350);
    FHost.MouseUp(forward);
    EXPECT_NO_FATAL_FAILURE(RunUntilIdle());
    EXPECT_EQ(FForm->ControlCount(), 0);
}

} // namespace
