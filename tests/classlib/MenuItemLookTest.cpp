#include "classlib/MenuItemLook.h"
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Menus.h"
#include "platform/MessageLoop.h"
#include "platform/Services.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The platform's own look of items that do not draw themselves, drawn on a bitmap.
class MenuItemLookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        FOwner.reset(NewComponent<TComponent>(nullptr));
        FMenu = NewComponent<TPopupMenu>(FOwner.get());
        FBitmap.SetSize(200, 40);
    }
    void TearDown() override {
        FOwner.reset();
        ShutdownWindowSystem();
    }
    TMenuItem* Item(const std::string& caption) {
        TMenuItem* item = NewComponent<TMenuItem>(FOwner.get());
        item->SetCaption(caption);
        FMenu->Items()->Add(item);
        return item;
    }
    TSize Measure(const TMenuItem& item) {
        ApplyMenuFont(*FBitmap.Canvas()->Font());
        return MeasureMenuItem(item, *FBitmap.Canvas());
    }
    // Draws the item over the whole bitmap and counts the pixels of a colour.
    int Draw(const TMenuItem& item, bool selected, TColor color) {
        ApplyMenuFont(*FBitmap.Canvas()->Font());
        DrawMenuItem(item, *FBitmap.Canvas(), {0, 0, 200, 40}, selected);
        int count = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                count += FBitmap.Surface().Pixel(x, y) == ColorToPixel(color);
        return count;
    }

    THeadlessHost FHost;
    std::unique_ptr<TComponent> FOwner;
    TPopupMenu* FMenu = nullptr;
    TBitmap FBitmap;
};

TEST_F(MenuItemLookTest, MenuFontIsThePlatforms) {
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics));
    TFont font;
    font.SetStyle({fsItalic});
    font.SetSize(20);
    ApplyMenuFont(font);
    EXPECT_EQ(font.Desc(), metrics.lfMenuFont);
    EXPECT_EQ(font.Color(), clMenuText);
    metrics.cbSize = 340;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics)) << "a structure of another size";
}

TEST_F(MenuItemLookTest, Measures) {
    TMenuItem* plain = Item("&Open");
    TMenuItem* line = Item("-");
    TMenuItem* withKey = Item("&Open");
    withKey->SetShortCut(ShortCut('O', {ssCtrl}));
    EXPECT_EQ(Measure(*line).cy, 9);
    EXPECT_GE(Measure(*plain).cy, 19);
    EXPECT_GT(Measure(*withKey).cx, Measure(*plain).cx + 12) << "the shortcut text and its gap";
    TMenuItem* bold = Item("&Open");
    bold->SetDefault(true);
    EXPECT_GT(Measure(*bold).cx, Measure(*plain).cx) << "the default item is measured bold";
}

TEST_F(MenuItemLookTest, DrawsTheClassicStates) {
    TMenuItem* item = Item("&Open");
    EXPECT_EQ(Draw(*item, false, clHighlight), 0);
    EXPECT_GT(Draw(*item, false, clMenuText), 10) << "the caption";
    EXPECT_GT(Draw(*item, true, clHighlight), 200 * 40 / 2) << "the selection bar";
    EXPECT_GT(Draw(*item, true, clHighlightText), 10);
    int plainText = Draw(*item, false, clMenuText);
    item->SetChecked(true);
    EXPECT_GT(Draw(*item, false, clMenuText), plainText) << "the check mark";
    item->SetEnabled(false);
    EXPECT_EQ(Draw(*item, false, clMenuText), 0);
    EXPECT_GT(Draw(*item, false, clBtnHighlight), 10) << "the embossed look";
    EXPECT_GT(Draw(*item, true, clGrayText), 10) << "disabled and selected: grey on the bar";
    TMenuItem* line = Item("-");
    EXPECT_EQ(Draw(*line, true, clHighlight), 0) << "a separator is never highlighted";
    EXPECT_GE(Draw(*line, false, clBtnShadow), 190) << "the separator line";
}

} // namespace

namespace {

// Right to left, the caption stands at the right, the check mark at the right edge and the arrow at the left.
TEST_F(MenuItemLookTest, ARightToLeftMenuMirrorsItsItems) {
    TMenuItem* item = Item("&Open");
    item->SetChecked(true);
    TMenuItem* sub = NewComponent<TMenuItem>(FOwner.get());
    item->Add(sub);
    auto inColumns = [this](int from, int to) {
        int count = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = from; x < to; ++x)
                count += FBitmap.Surface().Pixel(x, y) == ColorToPixel(clMenuText);
        return count;
    };
    Draw(*item, false, clMenuText);
    // Gutter, caption, the rest of the text column, arrow column.
    const int leftToRight[] = {inColumns(0, 22), inColumns(22, 100), inColumns(100, 184),
                               inColumns(184, 200)};
    FMenu->SetBiDiMode(bdRightToLeft);
    Draw(*item, false, clMenuText);
    const int rightToLeft[] = {inColumns(0, 16), inColumns(16, 100), inColumns(100, 178),
                               inColumns(178, 200)};
    EXPECT_GT(leftToRight[0], 0);
    EXPECT_GT(leftToRight[1], 0);
    EXPECT_EQ(leftToRight[2], 0);
    EXPECT_GT(leftToRight[3], 0) << "the arrow";
    EXPECT_EQ(rightToLeft[0], leftToRight[3]) << "the arrow, mirrored";
    EXPECT_EQ(rightToLeft[1], 0);
    EXPECT_EQ(rightToLeft[2], leftToRight[1]) << "the caption";
    EXPECT_EQ(rightToLeft[3], leftToRight[0]) << "the check mark";
}

} // namespace
