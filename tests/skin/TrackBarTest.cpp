// The track bar: its clamping range, the value under a point, ticks, the press-and-hold repeat, dragging,
// the keys, and its pictures from the styles and a theme file.
#include "SkinHostTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/Picture.h"
#include "platform/ImageCodecs.h"
#include "platform/Input.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMgr.h"
#include "skin/TAVTrackBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A slider picture of one colour.
std::unique_ptr<TPicture> SolidPicture(int width, int height, TColor color) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect({0, 0, width, height});
    auto picture = std::make_unique<TPicture>();
    picture->SetBitmap(&bitmap);
    return picture;
}

class TrackBarTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm();
        FForm->SetColor(clWhite);
        FBar = Make<TtavTrackBar>(FForm, {10, 10, 130, 30});
        FBar->SetUIStyle(TtavUIStyle::DeepBlue);
        FBar->OnChange = [this](TObject* sender) { FChanges.push_back(sender); };
        RunUntilIdle();
    }
    // A horizontal bar 110 pixels long with a slider 10 pixels long.
    void UseTenPixelSlider() {
        FBar->SetWidth(110);
        const auto slider = SolidPicture(10, 20, clRed);
        FBar->SetSliderImage(slider.get());
        RunUntilIdle();
        ASSERT_EQ(FBar->Slider()->Width(), 10);
    }
    TPoint At(int x, int y) { return FBar->ClientToScreen({x, y}); }
    TColor BarColor(int x, int y) { return PixelToColor(WindowPixel(FForm, FBar->Left() + x, FBar->Top() + y)); }

    TForm* FForm = nullptr;
    TtavTrackBar* FBar = nullptr;
    std::vector<TObject*> FChanges;
};

TEST_F(TrackBarTest, ANewBarAndItsSilentClamping) {
    auto* fresh = Make<TtavTrackBar>(FForm, {10, 60, 130, 80});
    int changes = 0;
    fresh->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(fresh->Min(), 0);
    EXPECT_EQ(fresh->Max(), 10);
    EXPECT_EQ(fresh->Position(), 0);
    EXPECT_EQ(fresh->PageSize(), 2);
    EXPECT_EQ(fresh->LineSize(), 1);
    EXPECT_EQ(fresh->Frequency(), 1);
    EXPECT_TRUE(fresh->ShowTick());
    EXPECT_TRUE(fresh->TabStop());
    EXPECT_TRUE(fresh->ParentColor());
    EXPECT_FALSE(fresh->Transparent());
    EXPECT_EQ(fresh->Height(), 20) << "as thick as DeepBlue's slider";
    EXPECT_FALSE(fresh->ControlStyle().Contains(csAcceptsControls));

    FBar->SetPosition(8);
    FChanges.clear();
    FBar->SetMax(5);
    EXPECT_EQ(FBar->Position(), 5);
    EXPECT_EQ(FChanges, std::vector<TObject*>{FBar}) << "one change, sent by the bar";
    FBar->SetPosition(5);
    EXPECT_EQ(FChanges.size(), 1u) << "the same value is no change";
    FBar->SetPosition(99);
    EXPECT_EQ(FBar->Position(), 5);
    FBar->SetMin(2);
    FBar->SetMax(-3);
    EXPECT_EQ(FBar->Max(), 2) << "a Max below Min becomes Min";
    EXPECT_EQ(FBar->Position(), 2);
    FBar->SetMin(7);
    EXPECT_EQ(FBar->Min(), 2) << "a Min above Max becomes Max";
    FBar->SetMax(10);
    FBar->SetMin(4);
    EXPECT_EQ(FBar->Position(), 4) << "a Min above the value carries it";

    FBar->SetPageSize(-1);
    FBar->SetPageSize(11);
    EXPECT_EQ(FBar->PageSize(), 2);
    FBar->SetPageSize(10);
    EXPECT_EQ(FBar->PageSize(), 10);
    FBar->SetLineSize(12);
    EXPECT_EQ(FBar->LineSize(), 1);
}

TEST_F(TrackBarTest, TheValueAtAPointAndTheSliderOrigin) {
    UseTenPixelSlider();
    EXPECT_EQ(FBar->GetValueAtPoint(55, 0), 5);
    EXPECT_EQ(FBar->GetValueAtPoint(20, 0), 2) << "1.5 goes to the even 2";
    EXPECT_EQ(FBar->GetValueAtPoint(30, 0), 2) << "2.5 goes to the even 2";
    EXPECT_EQ(FBar->GetValueAtPoint(40, 0), 4) << "3.5 goes to the even 4";
    EXPECT_EQ(FBar->GetValueAtPoint(200, 0), 20) << "not clamped";
    FBar->SetPositionAtPoint(200, 0, true);
    EXPECT_EQ(FBar->Position(), 10);

    FBar->SetPosition(5);
    EXPECT_EQ(FBar->GetSliderOrigin(), (TPoint{50, 0}));
    EXPECT_EQ(FBar->Slider()->Left(), 50);
    FBar->SetPositionAtPoint(15, 0, false);
    EXPECT_EQ(FBar->Position(), 1);
    EXPECT_EQ(FBar->Slider()->Left(), 50) << "only stored";

    FBar->SetMax(0);
    EXPECT_EQ(FBar->GetSliderOrigin(), (TPoint{0, 0})) << "an empty range sits at the start";
    FBar->SetMax(10);
    FBar->SetWidth(10);
    const auto slider = SolidPicture(10, 20, clRed);
    FBar->SetSliderImage(slider.get());
    EXPECT_EQ(FBar->GetValueAtPoint(7, 0), 0) << "a slider as long as the bar";
}

TEST_F(TrackBarTest, TicksStandAtEveryFrequencyStepAndAtMax) {
    UseTenPixelSlider();
    FBar->SetPosition(5);
    FBar->SetFrequency(3);
    RunUntilIdle();
    const int bottom = FBar->Height() - 1;
    std::vector<int> ticks;
    for (int value = 0; value <= 10; ++value)
        if (BarColor(value * 10 + 5, bottom) == clBlack) ticks.push_back(value);
    EXPECT_EQ(ticks, (std::vector<int>{0, 3, 6, 9, 10}));
    EXPECT_NE(BarColor(35, bottom - 3), clBlack) << "three pixels tall";

    FBar->SetFrequency(0);
    RunUntilIdle();
    EXPECT_EQ(BarColor(5, bottom), clBlack);
    EXPECT_NE(BarColor(35, bottom), clBlack) << "only the ends";
    FBar->SetShowTick(false);
    RunUntilIdle();
    EXPECT_NE(BarColor(5, bottom), clBlack);
}

TEST_F(TrackBarTest, APressBesideTheSliderStepsAPageThenRepeatsTowardsThePoint) {
    UseTenPixelSlider();
    // The point of value 8.
    FHost.MouseMove(At(85, 5));
    FHost.MouseDown(At(85, 5));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 2) << "one page, whatever the point";
    EXPECT_TRUE(FBar->Repeating());
    EXPECT_TRUE(FBar->Focused());
    FHost.Pause(100);
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 8) << "three pages a tick, not past the point";
    FHost.Pause(300);
    FHost.MouseUp(At(85, 5));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 8);
    EXPECT_FALSE(FBar->Repeating());

    FHost.MouseDown(At(25, 5));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 6);
    FHost.MouseMove(FBar->ClientToScreen({25, 40}));
    RunUntilIdle();
    EXPECT_FALSE(FBar->Repeating()) << "leaving the bar ends the repeat";
    FHost.Pause(300);
    FHost.MouseUp(FBar->ClientToScreen({25, 40}));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 6);

    // Just beside the slider at 20..29, where the value is 2.5, which rounds to 2.
    FBar->SetPosition(2);
    FHost.MouseDown(At(30, 5));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 2) << "the point's own value: no step";
    EXPECT_TRUE(FBar->Repeating()) << "the timer starts all the same";
    FHost.MouseUp(At(30, 5));
    RunUntilIdle();
}

TEST_F(TrackBarTest, AVerticalBarRepeatsOnePageATick) {
    FBar->SetOrientation(tavVertical);
    FBar->SetHeight(110);
    const auto slider = SolidPicture(20, 10, clRed);
    FBar->SetSliderImage(slider.get());
    RunUntilIdle();
    const TPoint point = FBar->ClientToScreen({5, 85});
    FHost.MouseMove(point);
    FHost.MouseDown(point);
    std::vector<int> positions;
    for (int tick = 0; tick < 4; ++tick) {
        RunUntilIdle();
        positions.push_back(FBar->Position());
        FHost.Pause(100);
    }
    FHost.MouseUp(point);
    RunUntilIdle();
    EXPECT_EQ(positions, (std::vector<int>{2, 4, 6, 8}));
}

TEST_F(TrackBarTest, DraggingTheSliderMovesTheValueWithoutTheSetter) {
    UseTenPixelSlider();
    FChanges.clear();
    FHost.MouseMove(At(5, 5));
    FHost.MouseDown(At(5, 5));
    RunUntilIdle();
    EXPECT_TRUE(FBar->Dragging());
    EXPECT_TRUE(FBar->MouseCapture()) << "the bar, not the slider, hears the moves";
    FHost.MouseMove(At(45, 5));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 4);
    EXPECT_EQ(FBar->Slider()->Left(), 40);
    FHost.MouseMove(At(300, 50));
    RunUntilIdle();
    EXPECT_EQ(FBar->Position(), 10) << "clamped, also outside the bar";
    EXPECT_TRUE(FBar->Dragging());
    FHost.MouseUp(At(300, 50));
    RunUntilIdle();
    EXPECT_FALSE(FBar->Dragging());
    EXPECT_FALSE(FBar->MouseCapture());
    EXPECT_EQ(FChanges, (std::vector<TObject*>{FBar, FBar}));
}

TEST_F(TrackBarTest, TheKeysMoveTheValueThroughTheSetter) {
    FBar->SetFocus();
    FBar->SetPosition(1);
    auto press = [&](int key) {
        FHost.KeyPress(key);
        RunUntilIdle();
        return FBar->Position();
    };
    EXPECT_EQ(press(VK_PRIOR), 0) << "clamped, not -1";
    EXPECT_EQ(press(VK_NEXT), 2);
    EXPECT_EQ(press(VK_RIGHT), 3);
    EXPECT_EQ(press(VK_DOWN), 4);
    EXPECT_EQ(press(VK_LEFT), 3);
    EXPECT_EQ(press(VK_UP), 2);
    EXPECT_EQ(press(VK_END), 10);
    EXPECT_EQ(press(VK_HOME), 0);
    EXPECT_EQ(press('A'), 0);
    EXPECT_EQ(FBar->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
    EXPECT_TRUE(FBar->Focused()) << "the arrows stay with the bar";
}

TEST_F(TrackBarTest, TheFocusRectangleFollowsTheFocus) {
    auto* other = Make<TtavTrackBar>(FForm, {10, 60, 130, 80});
    auto topRow = [&] {
        RunUntilIdle();
        std::vector<TColor> row;
        for (int x = 0; x < FBar->Width(); ++x) row.push_back(BarColor(x, 0));
        return row;
    };
    other->SetFocus();
    const std::vector<TColor> unfocused = topRow();
    FBar->SetFocus();
    EXPECT_NE(topRow(), unfocused) << "a dotted frame round the whole bar";
    FBar->SetTabStop(false);
    FBar->Invalidate();
    EXPECT_EQ(topRow(), unfocused) << "only on a tab stop";
    other->SetFocus();
    EXPECT_EQ(topRow(), unfocused);
}

TEST_F(TrackBarTest, StylesGiveTheirPicturesAndMacOSTurnsTransparentOn) {
    FBar->SetShowTick(false);
    FBar->SetPosition(10);
    RunUntilIdle();
    const int middle = FBar->Height() / 2;
    const TColor deepBlue = BarColor(40, middle);
    EXPECT_NE(deepBlue, clWhite) << "the bar is drawn";
    EXPECT_EQ(FBar->BarBitmap().Width(), 120);
    EXPECT_EQ(FBar->BarBitmap().Height(), 4);
    FBar->SetUIStyle(TtavUIStyle::WinXP);
    RunUntilIdle();
    EXPECT_EQ(FBar->Height(), 21);
    EXPECT_EQ(FBar->BarBitmap().Height(), 8);
    EXPECT_FALSE(FBar->Transparent());

    FBar->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_TRUE(FBar->Transparent());
    FBar->SetUIStyle(TtavUIStyle::Protein);
    EXPECT_TRUE(FBar->Transparent()) << "no style turns it off";

    FBar->SetOrientation(tavVertical);
    RunUntilIdle();
    EXPECT_EQ(FBar->Width(), 18) << "Protein's vertical slider";
    EXPECT_EQ(FBar->BarBitmap().Width(), 4) << "the bar turned";
    EXPECT_EQ(FBar->BarBitmap().Height(), FBar->Height());
    EXPECT_FALSE(FBar->Slider()->Transparent());
    FBar->SetOrientation(tavHorizontal);
    EXPECT_TRUE(FBar->Slider()->Transparent());
}

TEST_F(TrackBarTest, AThemeFileGivesThePicturesAndItsRemovalDeepBlue) {
    TSurface bar(9, 6), slider(7, 12);
    bar.Fill(0x00FF00);
    slider.Fill(0x0000FF);
    // The see-through colour of the horizontal slider: its corner's.
    for (int x = 0; x < 7; ++x) slider.SetPixel(x, 11, 0xFF00FF);
    TTempFolder folder;
    TThemeFileBuilder::Chain({{"TrackBarBarImage", TThemeFileBuilder::Image, EncodeBMP(bar)},
                              {"TrackBarSliderImage", TThemeFileBuilder::Image, EncodeBMP(slider)}})
        .Save(folder.File("track.tav"));
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    theme->SetThemeFile(folder.File("track.tav"));
    FBar->SetShowTick(false);
    FBar->SetFileTheme(theme);
    FBar->SetUIStyle(TtavUIStyle::FromThemeFile);
    RunUntilIdle();
    EXPECT_EQ(FBar->Height(), 12);
    EXPECT_EQ(FBar->Slider()->Width(), 7);
    EXPECT_EQ(BarColor(60, 6), PixelToColor(0x00FF00));
    EXPECT_EQ(BarColor(3, 6), PixelToColor(0x0000FF)) << "the slider at 0";

    const int verticalSliderWidth = FBar->Slider()->Width();
    FBar->SetOrientation(tavVertical);
    EXPECT_EQ(FBar->Slider()->Width(), verticalSliderWidth) << "a key the file lacks keeps the picture";

    delete theme;
    EXPECT_EQ(FBar->FileTheme(), nullptr);
    EXPECT_EQ(FBar->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(FBar->Slider()->Width(), 18);
}

TEST_F(TrackBarTest, ARepeatingBarMayBeFreed) {
    UseTenPixelSlider();
    FHost.MouseMove(At(85, 5));
    FHost.MouseDown(At(85, 5));
    RunUntilIdle();
    ASSERT_TRUE(FBar->Repeating());
    const TPoint point = At(85, 5);
    delete FBar;
    FHost.Pause(500);
    FHost.MouseUp(point);
    EXPECT_NO_FATAL_FAILURE(RunUntilIdle());
}

TEST_F(TrackBarTest, AChangeHandlerMayFreeTheBar) {
    UseTenPixelSlider();
    FBar->OnChange = [](TObject* sender) { delete sender; };
    FHost.MouseMove(At(85, 5));
    FHost.MouseDown(At(85, 5));
    FHost.Pause(300);
    FHost.MouseUp(At(85, 5));
    EXPECT_NO_FATAL_FAILURE(RunUntilIdle());
    EXPECT_EQ(FForm->ControlCount(), 0);
}

} // namespace
