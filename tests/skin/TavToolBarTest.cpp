#include "SkinHostTest.h"

#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "skin/TAVMgr.h"
#include "skin/TAVToolBar.h"

#include <memory>

namespace {

constexpr TColor Face = 0xEFEFEF, Border = 0x474747, Down = 0xD8D8D8;
constexpr TColor XPFace = 0xEFD3C6, XPBorder = 0xC66931, XPDown = 0xE1AC93;

// A Protein bar on a red form with a plain, a check and a drop-down button.
class TavToolBarTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm({0, 0, 400, 300});
        FForm->SetColor(clRed);
        FBar = NewComponent<TtavToolBar>(FForm);
        FBar->SetParent(FForm);
        FBar->SetUIStyle(TtavUIStyle::Protein);
        FPlain = AddButton(tbsButton);
        FCheck = AddButton(tbsCheck);
        FDrop = AddButton(tbsDropDown);
        RunUntilIdle();
    }
    TToolButton* AddButton(TToolButtonStyle style) {
        auto* button = NewComponent<TToolButton>(FForm);
        button->SetLeft(FBar->ButtonCount() == 0 ? 0 : FBar->Buttons(FBar->ButtonCount() - 1)->Left() + 1);
        button->SetStyle(style);
        button->SetParent(FBar);
        return button;
    }
    TPoint Screen(TToolButton* b, int dx, int dy) { return FBar->ClientToScreen({b->Left() + dx, b->Top() + dy}); }
    TColor At(TToolButton* b, int dx, int dy) {
        RunUntilIdle();
        TPoint p = FForm->ScreenToClient(Screen(b, dx, dy));
        return PixelToColor(WindowPixel(FForm, p.X, p.Y));
    }
    void Hover(TToolButton* b) {
        FHost.MouseMove(Screen(b, 3, 3));
        RunUntilIdle();
    }

    TForm* FForm = nullptr;
    TtavToolBar* FBar = nullptr;
    TToolButton* FPlain = nullptr;
    TToolButton* FCheck = nullptr;
    TToolButton* FDrop = nullptr;
};

TEST_F(TavToolBarTest, TheStyleGivesColoursTransparencyAndNoEdges) {
    EXPECT_TRUE(FBar->Flat());
    EXPECT_TRUE(FBar->Transparent());
    EXPECT_EQ(FBar->EdgeInner(), esNone);
    EXPECT_EQ(FBar->EdgeOuter(), esNone);
    EXPECT_EQ(FBar->ButtonColor(), Face);
    EXPECT_EQ(FBar->ButtonBorderColor(), Border);
    EXPECT_EQ(FBar->ButtonDownColor(), Down);
    // The parent shows through where no button is.
    EXPECT_EQ(PixelToColor(WindowPixel(FForm, 300, 10)), clRed);

    FBar->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_FALSE(FBar->Transparent());
    EXPECT_EQ(FBar->ButtonColor(), XPFace);
    EXPECT_EQ(FBar->ButtonBorderColor(), XPBorder);
    EXPECT_EQ(FBar->ButtonDownColor(), XPDown);
    EXPECT_EQ(PixelToColor(WindowPixel(FForm, 300, 10)), ColorToRGB(FBar->Color()));
    FBar->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_TRUE(FBar->Transparent());
    FBar->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_FALSE(FBar->Transparent()) << "never see-through from a theme file";
    EXPECT_EQ(FBar->ButtonColor(), Face) << "no file loaded: DeepBlue";

    // A theme component that goes leaves DeepBlue behind.
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    FBar->SetFileTheme(theme);
    FBar->SetUIStyle(TtavUIStyle::WinXP);
    delete theme;
    EXPECT_EQ(FBar->FileTheme(), nullptr);
    EXPECT_EQ(FBar->UIStyle(), TtavUIStyle::DeepBlue);
}

TEST_F(TavToolBarTest, HotPressedAndCheckedFacesInEachStyle) {
    for (TtavUIStyle style : {TtavUIStyle::Protein, TtavUIStyle::WinXP}) {
        SCOPED_TRACE(int(style));
        FBar->SetUIStyle(style);
        const TColor face = FBar->ButtonColor(), border = FBar->ButtonBorderColor(), down = FBar->ButtonDownColor();
        // A plain button that is neither hot nor down keeps the base look: the bar behind it.
        FHost.MouseMove({390, 290});
        const TColor behind = style == TtavUIStyle::Protein ? clRed : ColorToRGB(FBar->Color());
        EXPECT_EQ(At(FPlain, 10, 10), behind);

        Hover(FPlain);
        EXPECT_EQ(At(FPlain, 10, 10), face);
        EXPECT_EQ(At(FPlain, 0, 0), border);
        EXPECT_EQ(At(FPlain, 22, 21), border);
        FHost.MouseDown(Screen(FPlain, 3, 3));
        EXPECT_EQ(At(FPlain, 10, 10), down);
        EXPECT_EQ(At(FPlain, 0, 0), border);
        FHost.MouseUp(Screen(FPlain, 3, 3));

        FCheck->SetDown(true);
        FHost.MouseMove({390, 290});
        EXPECT_EQ(At(FCheck, 10, 10), face) << "checked, not hot";
        FCheck->SetDown(false);
    }
}

TEST_F(TavToolBarTest, TheDropDownArrowIsDrawnOnlyWhileHot) {
    const int w = FDrop->Width(), h = FDrop->Height(), m = h / 2;
    FDrop->SetStyle(tbsDropDown);
    Hover(FDrop);
    EXPECT_EQ(At(FDrop, w - 7, m + 1), clBlack);
    EXPECT_EQ(At(FDrop, w - 9, m), clBlack);
    EXPECT_EQ(At(FDrop, w - 14, 5), clBlack) << "the divider";
    EXPECT_EQ(At(FDrop, w - 3, m), Face);

    // Checked but not hot: the face without the arrow.
    FDrop->SetStyle(tbsCheck);
    FDrop->SetDown(true);
    FDrop->SetStyle(tbsDropDown);
    FHost.MouseMove({390, 290});
    EXPECT_EQ(At(FDrop, w - 7, m + 1), Face);
    EXPECT_EQ(At(FDrop, w - 14, 5), Face);
}

TEST_F(TavToolBarTest, ImagesSitOnePixelFurtherOnThePressedFace) {
    TBitmap green;
    green.SetSize(16, 16);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect({0, 0, 16, 16});
    auto images = TImageList::CreateSize(16, 16);
    images->Add(&green, nullptr);
    FBar->SetImages(images.get());
    FPlain->SetImageIndex(0);
    RunUntilIdle();
    const int x = (FPlain->Width() - 16) / 2 - 1;
    Hover(FPlain);
    EXPECT_EQ(At(FPlain, x, 2), clLime);
    EXPECT_EQ(At(FPlain, x - 1, 2), Face);
    FHost.MouseDown(Screen(FPlain, 3, 3));
    EXPECT_EQ(At(FPlain, x, 2), Down);
    EXPECT_EQ(At(FPlain, x + 1, 3), clLime);
    FHost.MouseUp(Screen(FPlain, 3, 3));

    // Hot images win over the bar's images.
    TBitmap blue;
    blue.SetSize(16, 16);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect({0, 0, 16, 16});
    auto hot = TImageList::CreateSize(16, 16);
    hot->Add(&blue, nullptr);
    FBar->SetHotImages(hot.get());
    Hover(FCheck);
    Hover(FPlain);
    EXPECT_EQ(At(FPlain, x, 2), clBlue);
    FBar->SetHotImages(nullptr);
    FBar->SetImages(nullptr);
}

TEST_F(TavToolBarTest, AButtonInTheSecondRowKeepsItsArrowInside) {
    FBar->SetWrapable(true);
    FBar->SetBounds(0, 0, 60, 60);
    FBar->SetAlign(alNone);
    FBar->SetBounds(0, 0, 60, 60);
    RunUntilIdle();
    ASSERT_GT(FDrop->Top(), 0) << "wrapped to the second row";
    const int w = FDrop->Width(), m = FDrop->Height() / 2;
    Hover(FDrop);
    EXPECT_EQ(At(FDrop, w - 7, m + 1), clBlack);
    EXPECT_EQ(At(FDrop, 0, 0), Border);
}

} // namespace
