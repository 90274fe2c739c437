#include "ControlsTestSupport.h"
#include "classlib/ComboBox.h"
#include "classlib/RegisterEditControls.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"

namespace {

class ComboBoxTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        RegisterEditControlsClasses();
        FForm = ShownForm();
        FCombo = Make<TComboBox>(FForm, {5, 25, 182, 46});
        for (const char* item : {"Bardo", "Chierico", "Druido", "Mago/Stregone", "Paladino", "Ranger"})
            FCombo->Items()->Add(item);
        FCombo->OnChange = [this](TObject*) { FLog.push_back("change:" + FCombo->Text()); };
        FCombo->OnSelect = [this](TObject*) { FLog.push_back("select:" + std::to_string(FCombo->ItemIndex())); };
        FCombo->OnDropDown = [this](TObject*) { FLog.push_back("drop"); };
        FCombo->OnCloseUp = [this](TObject*) { FLog.push_back("close"); };
        FCombo->OnClick = [this](TObject*) { FLog.push_back("click"); };
        Pump();
    }
    static TPoint Center(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    TPoint At(HWND hwnd, TPoint client) { return ::ClientToScreen(hwnd, client); }
    void ClickButton() {
        TComboBoxInfo info = FCombo->ComboBoxInfo();
        FHost.Click(At(FCombo->Handle(), Center(info.rcButton)));
        Pump();
    }

    TForm* FForm = nullptr;
    TComboBox* FCombo = nullptr;
    std::vector<std::string> FLog;
};

TEST_F(ComboBoxTest, ItemIndexFromCodeSetsTheTextWithoutOnChange) {
    FCombo->SetItemIndex(2);
    EXPECT_EQ(FCombo->Text(), "Druido");
    EXPECT_EQ(FCombo->EditPart()->Text(), "Druido");
    FCombo->SetItemIndex(-1); // an editable box keeps its text
    EXPECT_EQ(FCombo->ItemIndex(), -1);
    FCombo->SetItemIndex(17);
    EXPECT_EQ(FCombo->ItemIndex(), -1);
    EXPECT_TRUE(FLog.empty());
}

TEST_F(ComboBoxTest, TypedTextFiresOnChangeAtEveryCharacterAndCompletes) {
    FCombo->SetFocus();
    Pump();
    FHost.TypeText("p");
    Pump();
    EXPECT_EQ(FCombo->Text(), "paladino"); // completed in the typed case, the rest selected
    EXPECT_EQ(FCombo->EditPart()->SelText(), "aladino");
    EXPECT_EQ(FCombo->ItemIndex(), 4);
    FHost.KeyPress(VK_DELETE); // deleting the completion does not complete again
    Pump();
    EXPECT_EQ(FCombo->Text(), "p");
    FHost.TypeText("x");
    Pump();
    EXPECT_EQ(FCombo->Text(), "px");
    EXPECT_EQ(FCombo->ItemIndex(), -1);
    EXPECT_EQ(FLog, (std::vector<std::string>{"change:paladino", "change:p", "change:px"}));

    FCombo->SetAutoComplete(false);
    FCombo->SetText("");
    FLog.clear();
    FHost.TypeText("Ra");
    Pump();
    EXPECT_EQ(FCombo->Text(), "Ra");
    EXPECT_EQ(FLog, (std::vector<std::string>{"change:R", "change:Ra"}));
}

TEST_F(ComboBoxTest, PickingFromTheDroppedListByAClick) {
    ClickButton();
    ASSERT_TRUE(FCombo->DroppedDown());
    TComboBoxInfo info = FCombo->ComboBoxInfo();
    ASSERT_TRUE(info.hwndList);
    EXPECT_EQ(info.stateButton, DWORD(STATE_SYSTEM_PRESSED));
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    EXPECT_TRUE(GetWindowStyle(info.hwndList) & WS_POPUP);
    TRect list = GetWindowRect(info.hwndList);
    TRect box = GetWindowRect(FCombo->Handle());
    EXPECT_EQ(list.Top, box.Bottom);
    EXPECT_EQ(list.Left, box.Left);
    EXPECT_EQ(::GetClientRect(info.hwndList).Height(), 6 * FCombo->ItemHeight());

    TPoint third = At(info.hwndList, Center(FCombo->ListItemRect(3)));
    FHost.MouseMove(third);
    Pump();
    EXPECT_EQ(FCombo->ListHighlight(), 3); // hover highlights
    FHost.Click(third);
    Pump();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    EXPECT_EQ(FCombo->Text(), "Mago/Stregone");
    EXPECT_EQ(FCombo->ItemIndex(), 3);
    EXPECT_EQ(FLog, (std::vector<std::string>{"drop", "close", "change:Mago/Stregone", "click", "select:3"}));

    // A desktop that focuses the list when it shows leaves the form active, and the pick works the same.
    FHost.SetFocusOnShow(true);
    FLog.clear();
    HWND focus = GetFocus();
    ClickButton();
    ASSERT_TRUE(FCombo->DroppedDown());
    EXPECT_EQ(GetActiveWindow(), FForm->Handle());
    FHost.Click(At(info.hwndList, Center(FCombo->ListItemRect(1))));
    Pump();
    EXPECT_EQ(FCombo->Text(), "Chierico");
    EXPECT_EQ(GetActiveWindow(), FForm->Handle());
    EXPECT_EQ(GetFocus(), focus);
    FHost.SetFocusOnShow(false);

    // A click elsewhere closes the list and picks nothing.
    FLog.clear();
    ClickButton();
    FHost.Click({1000, 900});
    Pump();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FLog, (std::vector<std::string>{"drop", "close"}));
}

TEST_F(ComboBoxTest, KeysChangeTheSelectionOpenAndPick) {
    FCombo->SetFocus();
    Pump();
    FHost.KeyPress(VK_DOWN); // closed: the next item at once
    Pump();
    EXPECT_EQ(FCombo->Text(), "Bardo");
    FHost.KeyPress(VK_F4);
    Pump();
    ASSERT_TRUE(FCombo->DroppedDown());
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(FCombo->Text(), "Bardo"); // open: only the highlight moves
    FHost.KeyPress(VK_RETURN);
    Pump();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FCombo->Text(), "Druido");
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyUp(VK_MENU);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_ESCAPE); // cancels
    Pump();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FCombo->Text(), "Druido");
    EXPECT_EQ(FLog, (std::vector<std::string>{"change:Bardo", "click", "select:0", "drop", "close",
                                              "change:Druido", "click", "select:2", "drop", "close"}));
}

TEST_F(ComboBoxTest, InfoAndStylesAndAListKeptInsideTheWorkArea) {
    TComboBoxInfo info;
    ASSERT_TRUE(GetComboBoxInfo(FCombo->Handle(), info));
    // The box draws its two-pixel sunken edge in its client area; the button and the item lie inside it.
    const TRect client = ::GetClientRect(FCombo->Handle());
    EXPECT_EQ(client, (TRect{0, 0, 177, 21}));
    EXPECT_FALSE(GetWindowExStyle(FCombo->Handle()) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(info.rcButton, (TRect{175 - GetSystemMetrics(SM_CXVSCROLL), 2, 175, 19}));
    EXPECT_EQ(info.rcItem, (TRect{3, 3, info.rcButton.Left - 1, 18}));
    EXPECT_EQ(FCombo->EditPart()->BoundsRect(), info.rcItem);
    EXPECT_EQ(info.stateButton, 0u);
    auto pixel = [&](TPoint p) { return FHost.ScreenPixel(At(FCombo->Handle(), p)) & 0xFFFFFF; };
    auto rgb = [](TColor c) { return ColorToPixel(c) & 0xFFFFFF; };
    EXPECT_EQ(pixel({0, 0}), rgb(clBtnShadow));
    EXPECT_EQ(pixel({1, 1}), rgb(cl3DDkShadow));
    EXPECT_EQ(pixel({176, 20}), rgb(clBtnHighlight));
    EXPECT_EQ(pixel({175, 19}), rgb(cl3DLight));
    EXPECT_EQ(pixel({info.rcButton.Left, 2}), rgb(cl3DLight)) << "the button's raised edge";
    EXPECT_EQ(pixel({info.rcButton.Right - 1, 18}), rgb(cl3DDkShadow));
    EXPECT_EQ(info.hwndItem, FCombo->EditPart()->Handle());
    EXPECT_FALSE(GetComboBoxInfo(FForm->Handle(), info));

    FCombo->SetStyle(csDropDownList);
    EXPECT_EQ(FCombo->EditPart(), nullptr);
    FCombo->SetText("Ranger");
    EXPECT_EQ(FCombo->ItemIndex(), 5);
    FCombo->SetText("Nessuno"); // not an item: nothing changes
    EXPECT_EQ(FCombo->Text(), "Ranger");

    FCombo->SetTop(FForm->ClientHeight() - 30);
    FForm->SetTop(700);
    Pump();
    FCombo->SetDroppedDown(true);
    TRect list = GetWindowRect(FCombo->ComboBoxInfo().hwndList);
    EXPECT_LE(list.Bottom, 994);
    EXPECT_EQ(list.Bottom, GetWindowRect(FCombo->Handle()).Top); // above the box when below has no room
    FCombo->SetDroppedDown(false);

    FCombo->SetStyle(csSimple);
    info = FCombo->ComboBoxInfo();
    EXPECT_TRUE(GetWindowExStyle(FCombo->Handle()) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(info.rcButton.IsEmpty());
    EXPECT_EQ(info.stateButton, DWORD(STATE_SYSTEM_INVISIBLE));
    EXPECT_TRUE(GetWindowStyle(info.hwndList) & WS_CHILD);
}

struct TDrawnItem {
    int Index;
    TRect Rect;
    TOwnerDrawState State;
    bool operator==(const TDrawnItem&) const = default;
};

TEST_F(ComboBoxTest, OwnerDrawnItemsGetTheirIndexRectAndState) {
    std::vector<TDrawnItem> drawn;
    std::vector<TColor> brushes;
    FCombo->OnDrawItem = [&](TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
        EXPECT_EQ(control, FCombo);
        EXPECT_TRUE(FCombo->Canvas()->HandleAllocated()) << "the canvas holds the paint DC";
        drawn.push_back({index, rect, state});
        brushes.push_back(FCombo->Canvas()->Brush()->Color());
        FCombo->Canvas()->Brush()->SetColor(clLime);
        FCombo->Canvas()->FillRect(rect);
    };
    FCombo->SetStyle(csOwnerDrawFixed);
    EXPECT_EQ(FCombo->EditPart(), nullptr) << "an owner-drawn box shows its chosen item, not an edit";
    FCombo->SetItemIndex(2);
    Pump();
    const TRect item = FCombo->ComboBoxInfo().rcItem;
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), (TDrawnItem{2, item, TOwnerDrawState{odComboBoxEdit}}));
    EXPECT_EQ(brushes.back(), clWindow);
    EXPECT_EQ(FHost.ScreenPixel(At(FCombo->Handle(), Center(item))) & 0xFFFFFF, ColorToPixel(clLime) & 0xFFFFFF);

    drawn.clear();
    FCombo->SetFocus();
    Pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), (TDrawnItem{2, item, TOwnerDrawState{odComboBoxEdit, odSelected, odFocused}}));
    EXPECT_EQ(brushes.back(), clHighlight) << "the canvas comes set for a selected item";

    // The dropped list: each item in its row, the highlighted one selected and focused.
    drawn.clear();
    FCombo->SetDroppedDown(true);
    Pump();
    std::vector<TDrawnItem> list;
    for (const TDrawnItem& d : drawn)
        if (!d.State.Contains(odComboBoxEdit)) list.push_back(d);
    ASSERT_EQ(list.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list[size_t(i)].Index, i);
        EXPECT_EQ(list[size_t(i)].Rect, FCombo->ListItemRect(i));
        EXPECT_EQ(list[size_t(i)].Rect.Height(), 13);
        EXPECT_EQ(list[size_t(i)].State, (i == 2 ? TOwnerDrawState{odSelected, odFocused} : TOwnerDrawState{}));
    }
    FCombo->SetDroppedDown(false);

    // No item chosen: the edit part is only filled, no handler call.
    drawn.clear();
    FCombo->SetItemIndex(-1);
    Pump();
    for (const TDrawnItem& d : drawn) EXPECT_GE(d.Index, 0);
}

TEST_F(ComboBoxTest, VariableHeightsLayOutTheDroppedList) {
    std::vector<int> measured;
    FCombo->OnMeasureItem = [&](TWinControl*, int index, int& height) {
        EXPECT_EQ(height, 13) << "the handler starts from ItemHeight";
        measured.push_back(index);
        height = 10 + 4 * index;
    };
    FCombo->SetStyle(csOwnerDrawVariable);
    FCombo->SetDroppedDown(true);
    Pump();
    EXPECT_EQ(measured, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    HWND list = FCombo->ComboBoxInfo().hwndList;
    EXPECT_EQ(::GetClientRect(list).Height(), 10 + 14 + 18 + 22 + 26 + 30);
    EXPECT_EQ(FCombo->ListItemRect(3), (TRect{0, 42, ::GetClientRect(list).Right, 64}));
    FHost.MouseMove(At(list, {5, 63})); // the last row of item 3
    Pump();
    EXPECT_EQ(FCombo->ListHighlight(), 3);
    FHost.Click(At(list, {5, 64}));
    Pump();
    EXPECT_EQ(FCombo->ItemIndex(), 4);

    // Three rows' worth of the first heights: the list scrolls so that a tall item shows whole.
    FCombo->SetDropDownCount(3);
    FCombo->SetItemIndex(0);
    FCombo->SetDroppedDown(true);
    Pump();
    EXPECT_EQ(::GetClientRect(list).Height(), 10 + 14 + 18);
    FCombo->SetFocus();
    FHost.KeyPress(VK_END);
    for (int i = 0; i < 5; ++i) FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(FCombo->ListHighlight(), 5);
    EXPECT_EQ(FCombo->ListItemRect(5).Top, 0) << "item 5 (30 high) fits only alone in 42 pixels";
    EXPECT_EQ(FCombo->ListItemRect(4).Top, -26);
    SCROLLINFO scroll;
    scroll.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, scroll);
    EXPECT_EQ(scroll.nPos, 5);
    FCombo->SetDroppedDown(false);

    // A fixed style measures nothing.
    measured.clear();
    FCombo->SetStyle(csOwnerDrawFixed);
    FCombo->SetDroppedDown(true);
    EXPECT_TRUE(measured.empty());
    EXPECT_EQ(FCombo->ListItemRect(1).Height(), 13);
}

TEST_F(ComboBoxTest, OwnerDrawnWithoutAHandlerDrawsTheItemsText) {
    FCombo->SetStyle(csOwnerDrawFixed);
    FCombo->SetItemIndex(1);
    FCombo->SetDroppedDown(true);
    Pump();
    HWND list = FCombo->ComboBoxInfo().hwndList;
    auto pixel = [&](TPoint p) { return FHost.ScreenPixel(At(list, p)) & 0xFFFFFF; };
    auto rgb = [](TColor c) { return ColorToPixel(c) & 0xFFFFFF; };
    // Text in each row: somewhere a pixel in the font's colour (highlight text on the chosen row).
    auto hasInk = [&](int index, TColor ink) {
        TRect r = FCombo->ListItemRect(index);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + 2; x < r.Left + 40; ++x)
                if (pixel({x, y}) == rgb(ink)) return true;
        return false;
    };
    TRect chosen = FCombo->ListItemRect(1);
    EXPECT_EQ(pixel({chosen.Right - 3, chosen.Top + 1}), rgb(clHighlight));
    TRect other = FCombo->ListItemRect(3);
    EXPECT_EQ(pixel({other.Right - 3, other.Top + 1}), rgb(clWindow));
    EXPECT_TRUE(hasInk(1, clHighlightText));
    EXPECT_TRUE(hasInk(3, clWindowText));
}

} // namespace
