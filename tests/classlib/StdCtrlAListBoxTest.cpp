#include "StdCtrlATestSupport.h"

#include "classlib/ListBox.h"
#include "platform/ScrollBar.h"

#include <string>
#include <vector>

namespace {

constexpr int RowHeight = 20, Rows = 5;

// A focused owner-drawn list of 20 items, five rows high, that counts its clicks.
class ListBoxTest : public StdCtrlATest {
  protected:
    void SetUp() override {
        StdCtrlATest::SetUp();
        FList = Make<TListBox>();
        FList->SetStyle(lbOwnerDrawFixed);
        FList->SetItemHeight(RowHeight);
        FList->SetBounds(10, 10, 150, 100);
        FList->SetHeight(FList->Height() + Rows * RowHeight - FList->ClientHeight());
        for (int i = 0; i < 20; ++i) FList->Items()->Add("item " + std::to_string(i));
        FList->OnClick = [this](TObject*) { ++FClicks; };
        FList->SetFocus();
        Pump();
    }
    SCROLLINFO Scroll() {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(FList->Handle(), SB_VERT, info);
        return info;
    }
    void Key(int vk) {
        FHost.KeyPress(vk);
        Pump();
    }
    void VScroll(int code, int pos = 0) { FList->Perform(WM_VSCROLL, MAKEWPARAM(code, pos), 0); }
    // The middle of a visible row, on the screen.
    TPoint RowPoint(int row) { return FList->ClientToScreen({40, row * RowHeight + RowHeight / 2}); }

    TListBox* FList = nullptr;
    int FClicks = 0;
};

TEST_F(ListBoxTest, KeyboardWalkMovesSelectionAndScrollInformation) {
    ASSERT_EQ(FList->ClientHeight(), Rows * RowHeight);
    EXPECT_EQ(FList->ItemIndex(), -1);
    SCROLLINFO info = Scroll();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, UINT(Rows));
    EXPECT_EQ(info.nPos, 0);

    Key(VK_DOWN); // the first move selects the first item
    EXPECT_EQ(FList->ItemIndex(), 0);
    for (int i = 0; i < 5; ++i) Key(VK_DOWN);
    EXPECT_EQ(FList->ItemIndex(), 5);
    EXPECT_EQ(FList->TopIndex(), 1);
    EXPECT_EQ(Scroll().nPos, 1);

    Key(VK_END);
    EXPECT_EQ(FList->ItemIndex(), 19);
    EXPECT_EQ(FList->TopIndex(), 15);
    EXPECT_EQ(Scroll().nPos, 15);
    Key(VK_DOWN); // nothing below the last
    EXPECT_EQ(FList->ItemIndex(), 19);

    Key(VK_PRIOR);
    EXPECT_EQ(FList->ItemIndex(), 15);
    Key(VK_PRIOR);
    EXPECT_EQ(FList->ItemIndex(), 11);
    EXPECT_EQ(FList->TopIndex(), 11);
    Key(VK_NEXT);
    EXPECT_EQ(FList->ItemIndex(), 15);
    EXPECT_EQ(FList->TopIndex(), 11);
    Key(VK_UP);
    Key(VK_HOME);
    EXPECT_EQ(FList->ItemIndex(), 0);
    EXPECT_EQ(FList->TopIndex(), 0);
    EXPECT_EQ(Scroll().nPos, 0);
    Key(VK_UP);
    EXPECT_EQ(FList->ItemIndex(), 0);

    // Every change the user made fired OnClick once; moves that changed nothing did not.
    EXPECT_EQ(FClicks, 12);
    // Set from code, the selection fires nothing but still comes into view.
    FList->SetItemIndex(12);
    EXPECT_EQ(FClicks, 12);
    EXPECT_EQ(FList->TopIndex(), 8);
}

TEST_F(ListBoxTest, ScrollCodesMoveTheTopIndexWithinRange) {
    VScroll(SB_THUMBPOSITION, 10);
    EXPECT_EQ(FList->TopIndex(), 10);
    EXPECT_EQ(Scroll().nPos, 10);
    VScroll(SB_THUMBTRACK, 99);
    EXPECT_EQ(FList->TopIndex(), 15);
    VScroll(SB_LINEUP);
    EXPECT_EQ(FList->TopIndex(), 14);
    VScroll(SB_PAGEUP);
    EXPECT_EQ(FList->TopIndex(), 9);
    VScroll(SB_LINEDOWN);
    VScroll(SB_PAGEDOWN);
    EXPECT_EQ(FList->TopIndex(), 15);
    VScroll(SB_TOP);
    EXPECT_EQ(FList->TopIndex(), 0);
    VScroll(SB_BOTTOM);
    EXPECT_EQ(FList->TopIndex(), 15);
    VScroll(SB_ENDSCROLL);
    EXPECT_EQ(Scroll().nPos, 15);

    // The wheel scrolls three rows a notch.
    FHost.Wheel(RowPoint(1), 120);
    Pump();
    EXPECT_EQ(FList->TopIndex(), 12);

    // Removing items pulls the top back and shrinks the range; the selection past the end goes.
    FList->SetItemIndex(19);
    for (int i = 0; i < 12; ++i) FList->Items()->Delete(FList->Items()->Count() - 1);
    EXPECT_EQ(FList->TopIndex(), 3);
    EXPECT_EQ(FList->ItemIndex(), 7);
    EXPECT_EQ(Scroll().nMax, 7);
    EXPECT_EQ(Scroll().nPos, 3);
}

TEST_F(ListBoxTest, OwnerDrawIsCalledForEachVisibleItemWithItsState) {
    struct TDrawn {
        int Index;
        TRect Rect;
        TOwnerDrawState State;
    };
    std::vector<TDrawn> drawn;
    FList->OnDrawItem = [&](TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
        EXPECT_EQ(control, FList);
        drawn.push_back({index, rect, state});
    };
    FList->SetItemIndex(4);
    FList->SetTopIndex(3);
    drawn.clear();
    FList->Repaint();
    ASSERT_EQ(drawn.size(), size_t(Rows));
    for (int row = 0; row < Rows; ++row) {
        EXPECT_EQ(drawn[size_t(row)].Index, 3 + row);
        EXPECT_EQ(drawn[size_t(row)].Rect, (TRect{0, row * RowHeight, FList->ClientWidth(), (row + 1) * RowHeight}));
    }
    EXPECT_EQ(drawn[1].State, (TOwnerDrawState{odSelected, odFocused}));
    EXPECT_EQ(drawn[0].State, TOwnerDrawState{});

    // A part-visible last row is drawn too.
    FList->SetHeight(FList->Height() + RowHeight / 2);
    drawn.clear();
    FList->Repaint();
    EXPECT_EQ(drawn.size(), size_t(Rows + 1));
}

TEST_F(ListBoxTest, ASelectionOrFocusChangeRepaintsOnlyTheItemsItConcerns) {
    std::vector<int> drawn;
    FList->OnDrawItem = [&](TWinControl*, int index, const TRect&, TOwnerDrawState) { drawn.push_back(index); };
    FList->SetItemIndex(1);
    Pump();
    drawn.clear();
    FList->SetItemIndex(3);
    TRect update;
    ASSERT_TRUE(GetUpdateRect(FList->Handle(), &update, false));
    EXPECT_EQ(update, (TRect{0, RowHeight, FList->ClientWidth(), 4 * RowHeight}));
    Pump();
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (std::vector<int>{1, 3}));

    drawn.clear();
    FList->SetItemIndex(Rows + 2); // past the bottom: the list scrolls, and every row is new
    Pump();
    EXPECT_EQ(int(drawn.size()), Rows);

    drawn.clear();
    Make<TListBox>()->SetFocus(); // the focus rectangle goes
    Pump();
    EXPECT_EQ(drawn, (std::vector<int>{Rows + 2}));
}

TEST_F(ListBoxTest, MouseSelectsAndDoubleClickFires) {
    int doubleClicks = 0;
    FList->OnDblClick = [&](TObject*) { ++doubleClicks; };
    FList->SetTopIndex(2);
    FHost.Click(RowPoint(1));
    Pump();
    EXPECT_EQ(FList->ItemIndex(), 3);
    EXPECT_EQ(FClicks, 1);
    EXPECT_EQ(doubleClicks, 0);
    FHost.Click(RowPoint(1));
    Pump();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(FClicks, 1);

    // Below the last item nothing is selected.
    FList->Items()->Clear();
    FList->Items()->Add("only");
    FHost.Pause(1000);
    FHost.Click(RowPoint(3));
    Pump();
    EXPECT_EQ(FList->ItemIndex(), -1);
}

TEST_F(ListBoxTest, StandardItemsPaintSelectionInHighlightColours) {
    FList->SetStyle(lbStandard);
    FList->Items()->Clear();
    FList->Items()->Add("alpha");
    FList->Items()->Add("beta");
    FList->SetItemIndex(1);
    int h = FList->ItemHeight();
    TPoint inFirst = FList->ClientToScreen({FList->ClientWidth() - 3, h / 2});
    TPoint inSecond = FList->ClientToScreen({FList->ClientWidth() - 3, h + h / 2});
    TPoint below = FList->ClientToScreen({FList->ClientWidth() - 3, 3 * h});
    EXPECT_EQ(Pixel(inFirst.X, inFirst.Y), RGB(clWindow));
    EXPECT_EQ(Pixel(inSecond.X, inSecond.Y), RGB(clHighlight));
    EXPECT_EQ(Pixel(below.X, below.Y), RGB(clWindow));
}

TEST_F(ListBoxTest, AStandardListsLineHeightFollowsItsFont) {
    FList->SetStyle(lbStandard);
    const int small = FList->ItemHeight();
    FList->Font()->SetSize(FList->Font()->Size() * 2);
    const int large = FList->ItemHeight();
    EXPECT_GT(large, small + 5) << "a font twice the size gives taller lines";
    EXPECT_EQ(FList->ItemRect(1).Top, large);
    FList->Font()->SetSize(FList->Font()->Size() / 2);
    EXPECT_EQ(FList->ItemHeight(), small);
}

} // namespace
