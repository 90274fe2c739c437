// The control grid: one panel per visible record with its controls painted for that record, and the moves
// of the current record by mouse, keys and scroll bar.
#include "DBCtrlTestSupport.h"

#include "classlib/Edit.h"
#include "classlib/dbctrls/DBCtrlGrid.h"
#include "classlib/dbctrls/DBEdit.h"
#include "classlib/dbctrls/DBText.h"
#include "classlib/LayoutReader.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"

#include <gtest/gtest.h>

namespace {

// Remembers the text it showed each time it was painted, and whether as a copy for another record.
class TRecordingText : public TDBText {
    VMR_CLASS(TRecordingText, TDBText)

  public:
    std::vector<std::pair<std::string, bool>> Painted;

  protected:
    explicit TRecordingText(TComponent* owner) : TDBText(owner) {}
    void Paint() override {
        Painted.emplace_back(FieldText(), ControlState().Contains(csPaintCopy));
        TDBText::Paint();
    }
};

class DBCtrlGridTest : public DBControlsFixture {
  protected:
    void SetUp() override {
        DBControlsFixture::SetUp();
        AddSpells({"Alfa", "Beta", "Gamma", "Delta", "Epsilon"}); // listed Alfa Beta Delta Epsilon Gamma
        TForm* form = ShownForm();
        FGrid = Make<TDBCtrlGrid>(form, {10, 10, 200, 100});
        FGrid->SetRowCount(3);
        FGrid->SetPanelHeight(40);
        FGrid->SetPanelWidth(200);
        FGrid->SetSelectedColor(clYellow);
        FText = Make<TRecordingText>(FGrid->Panel(), {5, 5, 150, 20});
        FText->SetDataSource(FSource);
        FText->SetDataField("INCANTESIMO");
        FGrid->SetDataSource(FSource);
        Pump();
    }
    std::string Current() { return FQryInc->FieldByName("INCANTESIMO").AsString(); }
    TPoint PanelPoint(int index) { return ScreenPoint(FGrid, FGrid->PanelBounds(index).TopLeft() + TPoint{2, 30}); }

    TDBCtrlGrid* FGrid = nullptr;
    TRecordingText* FText = nullptr;
};

TEST_F(DBCtrlGridTest, PaintsEachVisibleRecordInItsPanel) {
    EXPECT_EQ(FGrid->Width(), 200 + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(FGrid->Height(), 120);
    EXPECT_EQ(FGrid->DataLink()->BufferCount(), 3);
    FText->Painted.clear();
    FGrid->Invalidate();
    FGrid->Panel()->Invalidate();
    Pump();
    std::vector<std::pair<std::string, bool>> expected{{"Beta", true}, {"Delta", true}, {"Alfa", false}};
    std::sort(FText->Painted.begin(), FText->Painted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FText->Painted, expected);
    EXPECT_EQ(Current(), "Alfa") << "painting the copies leaves the current record where it was";
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(0));

    FQryInc->Last();
    Pump();
    EXPECT_EQ(FGrid->PanelIndex(), 2);
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(2));
    FText->Painted.clear();
    FGrid->Invalidate();
    FGrid->Panel()->Invalidate();
    Pump();
    std::sort(FText->Painted.begin(), FText->Painted.end());
    expected = {{"Delta", true}, {"Epsilon", true}, {"Gamma", false}};
    EXPECT_EQ(FText->Painted, expected);

    // The live panel shows the selection colour, the others the grid's.
    TPixel live = FHost.ScreenPixel(PanelPoint(2) + TPoint{150, 0});
    TPixel other = FHost.ScreenPixel(PanelPoint(1) + TPoint{150, 0});
    EXPECT_NE(live, other);
}

TEST_F(DBCtrlGridTest, TheCurrentPanelShowsTheFocusWhileTheGridHasIt) {
    // The dotted rectangle's first dot sits two pixels inside the live panel.
    auto dot = [this] { return FHost.ScreenPixel(ScreenPoint(FGrid->Panel(), {2, 2})); };
    auto beside = [this] { return FHost.ScreenPixel(ScreenPoint(FGrid->Panel(), {4, 30})); };
    EXPECT_EQ(dot(), beside()) << "no focus, no rectangle";
    FHost.Click(PanelPoint(1));
    Pump();
    ASSERT_TRUE(FGrid->Focused());
    EXPECT_EQ(Current(), "Beta");
    EXPECT_NE(dot(), beside());
    FGrid->SetShowFocus(false);
    Pump();
    EXPECT_EQ(dot(), beside());
    FGrid->SetShowFocus(true);
    Pump();
    EXPECT_NE(dot(), beside());
    TEdit* other = Make<TEdit>(FGrid->Parent(), {10, 150, 100, 20});
    other->SetFocus();
    Pump();
    EXPECT_EQ(dot(), beside()) << "the rectangle goes with the focus";
}

TEST_F(DBCtrlGridTest, LeftClickChoosesTheRecordAndRightClickDoesNot) {
    std::vector<TComponent*> shown;
    TPopupPresenter previous =
        SetPopupPresenter([&](TControl*, TComponent* menu, TPoint) { shown.push_back(menu); });
    TComponent* menu = NewComponent<TComponent>(FOwner.get());
    FGrid->SetPopupMenu(menu);

    FHost.Click(PanelPoint(1));
    Pump();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_TRUE(FGrid->Focused());
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(1));

    FHost.Click(PanelPoint(2), 2);
    Pump();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(shown, std::vector<TComponent*>{menu});
    FHost.Click(PanelPoint(1), 2); // on the live panel the grid's menu opens too
    Pump();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(shown, (std::vector<TComponent*>{menu, menu}));

    FHost.Click(PanelPoint(0) + TPoint{0, 50}, 1); // below the last panel: nothing
    Pump();
    FHost.Click(PanelPoint(0));
    Pump();
    EXPECT_EQ(Current(), "Alfa");
    SetPopupPresenter(std::move(previous));
}

TEST_F(DBCtrlGridTest, KeysAndTheScrollBarMoveTheCurrentRecord) {
    FHost.Click(PanelPoint(0));
    Pump();
    ASSERT_TRUE(FGrid->Focused());
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(Current(), "Epsilon");
    EXPECT_EQ(FGrid->PanelIndex(), 2);
    FHost.KeyPress(VK_UP);
    Pump();
    EXPECT_EQ(Current(), "Delta");
    EXPECT_EQ(FGrid->PanelIndex(), 1);
    FHost.KeyPress(VK_END);
    Pump();
    EXPECT_EQ(Current(), "Gamma");
    FHost.KeyPress(VK_PRIOR);
    Pump();
    EXPECT_EQ(Current(), "Beta");
    FHost.KeyPress(VK_HOME);
    Pump();
    EXPECT_EQ(Current(), "Alfa");
    FHost.KeyPress(VK_NEXT);
    Pump();
    EXPECT_EQ(Current(), "Epsilon");

    SCROLLINFO info;
    ASSERT_TRUE(GetScrollInfo(FGrid->Handle(), SB_VERT, info));
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nMax, 5);
    EXPECT_EQ(info.nPos, 4);
    FGrid->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Current(), "Gamma");
    EXPECT_EQ(GetScrollPos(FGrid->Handle(), SB_VERT), 5);
    FGrid->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(Current(), "Alfa");
    FGrid->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Current(), "Epsilon");
    EXPECT_EQ(GetScrollPos(FGrid->Handle(), SB_VERT), 4);

    // The wheel over the grid moves a line a notch: two notches towards the user, then one away.
    FGrid->Perform(WM_VSCROLL, SB_TOP);
    FHost.Wheel(PanelPoint(0), -2 * WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Current(), "Delta");
    FHost.Wheel(PanelPoint(0), WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Current(), "Beta");

    // Closing empties the bar; reopening places the live panel on the first record again.
    FQryInc->Close();
    EXPECT_EQ(GetScrollPos(FGrid->Handle(), SB_VERT), 0);
    FQryInc->Open();
    EXPECT_EQ(FGrid->PanelIndex(), 0);
    EXPECT_EQ(GetScrollPos(FGrid->Handle(), SB_VERT), 1);
}

TEST_F(DBCtrlGridTest, CtrlDeleteDeletesAndInsertInsertsWhenAllowed) {
    FHost.Click(PanelPoint(1));
    Pump();
    FGrid->SetAllowDelete(false);
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_DELETE);
    Pump();
    EXPECT_EQ(FQryInc->RecordCount(), 5);

    FGrid->SetAllowDelete(true);
    FHost.KeyPress(VK_DELETE);
    FHost.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(FQryInc->RecordCount(), 4);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Beta'"), "0");
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE BARDO = 'Z'"), "4");

    FHost.KeyPress(VK_DELETE); // without Ctrl nothing happens
    Pump();
    EXPECT_EQ(FQryInc->RecordCount(), 4);

    FGrid->SetAllowInsert(false);
    FHost.KeyPress(VK_INSERT);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    FGrid->SetAllowInsert(true);
    FHost.KeyPress(VK_INSERT);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsInsert);
    FQryInc->Cancel();
}

TEST_F(DBCtrlGridTest, KeysTypedIntoTheLivePanelReachTheGrid) {
    TDBEdit* edit = Make<TDBEdit>(FGrid->Panel(), {5, 22, 150, 38});
    edit->SetDataSource(FSource);
    edit->SetDataField("INCANTESIMO");
    FHost.Click(ScreenPoint(edit, {5, 5}));
    Pump();
    ASSERT_TRUE(edit->Focused());

    // The caret keys stay with the edit; typing edits the record.
    FHost.KeyPress(VK_END);
    FHost.KeyPress(VK_LEFT);
    FHost.TypeText("x");
    Pump();
    EXPECT_EQ(edit->Text(), "Alfxa");
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_EQ(FGrid->PanelIndex(), 0);

    // Down moves the record, posting the edit; the edit keeps the focus on the moved live panel.
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Alfxa'"), "1");
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(1));
    EXPECT_EQ(edit->Text(), "Beta");
    FHost.KeyPress(VK_NEXT);
    Pump();
    EXPECT_EQ(Current(), "Gamma");
    FHost.KeyPress(VK_PRIOR);
    FHost.KeyPress(VK_UP);
    Pump();
    EXPECT_EQ(Current(), "Alfxa");

    // Delete alone is the edit's; Ctrl+Delete deletes the record.
    FHost.KeyPress(VK_HOME);
    FHost.KeyPress(VK_DELETE);
    Pump();
    EXPECT_EQ(edit->Text(), "lfxa");
    EXPECT_EQ(FQryInc->RecordCount(), 5);
    FHost.KeyPress(VK_ESCAPE);
    FQryInc->Cancel();
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_DELETE);
    FHost.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(FQryInc->RecordCount(), 4);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Alfxa'"), "0");
    EXPECT_EQ(edit->Text(), "Beta");

    // Insert starts a new record, unless the grid forbids it.
    FGrid->SetAllowInsert(false);
    FHost.KeyPress(VK_INSERT);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    FGrid->SetAllowInsert(true);
    FHost.KeyPress(VK_INSERT);
    Pump();
    EXPECT_EQ(FQryInc->State(), dsInsert);
    EXPECT_EQ(edit->Text(), "");
    FQryInc->Cancel();
}

TEST_F(DBCtrlGridTest, AHorizontalGridRunsItsPanelsLeftToRightAndScrollsAcross) {
    FGrid->SetColCount(2);
    FGrid->SetRowCount(2);
    FGrid->SetPanelWidth(100);
    FGrid->SetPanelHeight(30);
    FGrid->SetOrientation(goHorizontal);
    Pump();
    EXPECT_EQ(FGrid->Width(), 200);
    EXPECT_EQ(FGrid->Height(), 60 + GetSystemMetrics(SM_CYHSCROLL));
    // Column by column: the second record under the first, the third to its right.
    EXPECT_EQ(FGrid->PanelBounds(1), (TRect{0, 30, 100, 60}));
    EXPECT_EQ(FGrid->PanelBounds(2), (TRect{100, 0, 200, 30}));
    SCROLLINFO info;
    ASSERT_TRUE(GetScrollInfo(FGrid->Handle(), SB_HORZ, info));
    EXPECT_EQ(info.nMax, 5);
    EXPECT_EQ(info.nPos, 1);
    EXPECT_FALSE(GetWindowStyle(FGrid->Handle()) & WS_VSCROLL);

    // A click on a text of the live panel focuses the grid. Right moves a column, Down a record; the live
    // panel follows.
    FHost.Click(ScreenPoint(FText, {5, 5}));
    Pump();
    ASSERT_TRUE(FGrid->Focused());
    FHost.KeyPress(VK_RIGHT);
    Pump();
    EXPECT_EQ(Current(), "Delta");
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(2));
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(Current(), "Epsilon");
    EXPECT_EQ(FGrid->Panel()->BoundsRect(), FGrid->PanelBounds(3));
    FHost.KeyPress(VK_LEFT);
    Pump();
    EXPECT_EQ(Current(), "Beta");
    FGrid->Perform(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Current(), "Epsilon");
    EXPECT_EQ(GetScrollPos(FGrid->Handle(), SB_HORZ), 4);
    FGrid->Perform(WM_VSCROLL, SB_TOP); // not its bar
    EXPECT_EQ(Current(), "Epsilon");

    // The records show in their panels: the live one at the current record's place, the copies elsewhere.
    FText->Painted.clear();
    FGrid->Invalidate();
    FGrid->Panel()->Invalidate();
    Pump();
    std::sort(FText->Painted.begin(), FText->Painted.end());
    std::vector<std::pair<std::string, bool>> expected{
        {"Alfa", true}, {"Beta", true}, {"Delta", true}, {"Epsilon", false}};
    EXPECT_EQ(FText->Painted, expected);

    // Back to vertical: the bar returns beside the panels.
    FGrid->SetOrientation(goVertical);
    Pump();
    EXPECT_EQ(FGrid->Width(), 200 + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(FGrid->Height(), 60);
    EXPECT_TRUE(GetWindowStyle(FGrid->Handle()) & WS_VSCROLL);
    EXPECT_EQ(FGrid->PanelBounds(1), (TRect{100, 0, 200, 30}));
}

using DBCtrlGridLayout = DBControlsFixture;

TEST_F(DBCtrlGridLayout, ALayoutPutsTheGridsControlsOnItsPanel) {
    TForm* form = ShownForm();
    FSource->SetName("DtSInc");
    FOwner->RemoveComponent(FSource);
    form->InsertComponent(FSource);
    ReadLayoutInto(*form,
                   "object FrmMain: TForm\n"
                   "  object DBCGSel: TDBCtrlGrid\n"
                   "    DataSource = DtSInc\n"
                   "    ColCount = 1\n"
                   "    RowCount = 4\n"
                   "    PanelHeight = 25\n"
                   "    PanelWidth = 180\n"
                   "    SelectedColor = clYellow\n"
                   "    object DBTNome: TDBText\n"
                   "      Left = 4\n"
                   "      Top = 4\n"
                   "      Width = 170\n"
                   "      Height = 17\n"
                   "      DataField = 'INCANTESIMO'\n"
                   "      DataSource = DtSInc\n"
                   "    end\n"
                   "  end\n"
                   "end\n",
                   "TFRMMAIN");
    auto* grid = static_cast<TDBCtrlGrid*>(form->FindComponent("DBCGSel"));
    auto* text = static_cast<TDBText*>(form->FindComponent("DBTNome"));
    ASSERT_TRUE(grid && text);
    EXPECT_EQ(text->Parent(), grid->Panel());
    EXPECT_EQ(grid->PanelCount(), 4);
    EXPECT_EQ(grid->Height(), 100);
    EXPECT_EQ(grid->SelectedColor(), clYellow);
    AddSpells({"Uno", "Due"});
    EXPECT_EQ(text->FieldText(), "Due");
}

} // namespace
