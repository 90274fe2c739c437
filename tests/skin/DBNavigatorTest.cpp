// The data navigator over a copy of the sample database: layout, enabling, actions, confirmation, hints, keys
// and the repeat of prior and next.
#include "SkinDataTest.h"

#include "classlib/Bitmap.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "skin/TAVDBCtrls.h"

#include <string>
#include <vector>

namespace {

class DBNavigatorTest : public SkinDataTest {
  protected:
    void SetUp() override {
        SkinDataTest::SetUp();
        AddSpells({"Alfa", "Beta", "Gamma", "Delta"}); // in name order: Alfa, Beta, Delta, Gamma
        FForm = ShownForm();
        FNav = NewComponent<TtavDBNavigator>(FForm);
        FNav->SetParent(FForm);
        FNav->SetLeft(10);
        FNav->SetTop(10);
        FNav->SetDataSource(FSource);
        FNav->OnClick = [this](TObject* sender, TNavigateBtn kind) {
            EXPECT_EQ(sender, FNav);
            FClicked.push_back(kind);
        };
        Pump();
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        SkinDataTest::TearDown();
    }
    std::string Current() { return FQryInc->FieldByName("INCANTESIMO").AsString(); }
    // The enabled state of the ten buttons as a string of 1 and 0, first to refresh.
    std::string Enabled() {
        std::string s;
        for (int i = 0; i < NavigateBtnCount; ++i) s += FNav->NavButton(TNavigateBtn(i))->Enabled() ? '1' : '0';
        return s;
    }
    TPoint Middle(TNavigateBtn kind) {
        TtavNavButton* b = FNav->NavButton(kind);
        return b->ClientToScreen({b->Width() / 2, b->Height() / 2});
    }
    void Press(TNavigateBtn kind) {
        FHost.Click(Middle(kind));
        Pump();
    }
    void AnswerBoxWith(int answer) {
        SetMessageBoxHook([this, answer](const TMessageBoxRequest& r) -> std::optional<int> {
            FAsked.push_back(r);
            return answer;
        });
    }

    TForm* FForm = nullptr;
    TtavDBNavigator* FNav = nullptr;
    std::vector<TNavigateBtn> FClicked;
    std::vector<TMessageBoxRequest> FAsked;
};

TEST_F(DBNavigatorTest, ButtonsFollowThePositionAndTheEditingState) {
    //                   FPNLIDEPCR
    EXPECT_EQ(Enabled(), "0011111001") << "at the first record";
    Press(nbNext);
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(Enabled(), "1111111001") << "in the middle";
    Press(nbLast);
    EXPECT_EQ(Current(), "Gamma");
    EXPECT_EQ(Enabled(), "1100111001") << "at the last record";

    Press(nbEdit);
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_EQ(Enabled(), "1100110111");
    Press(nbCancel);
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    Press(nbInsert);
    EXPECT_EQ(FQryInc->State(), dsInsert);
    EXPECT_EQ(Enabled().substr(4), "110111");
    FQryInc->FieldByName("INCANTESIMO").SetAsString("Epsilon");
    FQryInc->FieldByName("BARDO").SetAsString("Z");
    Press(nbPost);
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Epsilon'"), "1");
    Press(nbFirst);
    EXPECT_EQ(Current(), "Alfa");
    Press(nbPrior);
    EXPECT_EQ(Current(), "Alfa") << "prior is disabled at the first record";
    EXPECT_EQ(FClicked, (std::vector<TNavigateBtn>{nbNext, nbLast, nbEdit, nbCancel, nbInsert, nbPost, nbFirst}));

    // Closed, disabled or unbound: every button off.
    FQryInc->Close();
    EXPECT_EQ(Enabled(), "0000000000");
    FQryInc->Open();
    FNav->SetEnabled(false);
    EXPECT_EQ(Enabled(), "0000000000");
    FNav->SetEnabled(true);
    EXPECT_EQ(Enabled(), "0011111001");
    FNav->SetDataSource(nullptr);
    EXPECT_EQ(Enabled(), "0000000000");
}

TEST_F(DBNavigatorTest, EmptyAndReadOnlyDatasets) {
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'nessuno'");
    EXPECT_EQ(Enabled(), "0000101001") << "empty: insert, edit and refresh";
    FQryInc->Close();
    FQryInc->SetReadOnly(true);
    FQryInc->Open();
    EXPECT_EQ(Enabled(), "0000000000");
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z' ORDER BY INCANTESIMO");
    EXPECT_EQ(Enabled(), "0011000000") << "read-only: only moving";
}

TEST_F(DBNavigatorTest, DeleteAsksFirstAndCancelKeepsTheRecord) {
    Press(nbNext);
    AnswerBoxWith(IDCANCEL);
    Press(nbDelete);
    ASSERT_EQ(FAsked.size(), 1u);
    EXPECT_EQ(FAsked[0].Text, "Delete record?");
    EXPECT_EQ(FAsked[0].Type & 0xF, UINT(MB_OKCANCEL));
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(FQryInc->RecordCount(), 4);
    EXPECT_EQ(FClicked.back(), nbDelete) << "OnClick comes also when nothing was deleted";

    AnswerBoxWith(IDOK);
    Press(nbDelete);
    EXPECT_EQ(FQryInc->RecordCount(), 3);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Beta'"), "0");
    EXPECT_EQ(Enabled(), "1111111001") << "Delta, in the middle";

    FNav->SetConfirmDelete(false);
    FAsked.clear();
    Press(nbDelete);
    EXPECT_TRUE(FAsked.empty());
    EXPECT_EQ(FQryInc->RecordCount(), 2);
}

TEST_F(DBNavigatorTest, ClickButtonWithoutAnOpenDatasetOnlyReportsTheClick) {
    int before = 0;
    FNav->BeforeAction = [&](TObject*, TNavigateBtn kind) {
        EXPECT_EQ(kind, nbNext);
        EXPECT_EQ(Current(), "Alfa") << "before the move";
        ++before;
    };
    FNav->ClickButton(nbNext);
    EXPECT_EQ(before, 1);
    FQryInc->Close();
    FNav->ClickButton(nbNext);
    FNav->SetDataSource(nullptr);
    FNav->ClickButton(nbLast);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(FClicked, (std::vector<TNavigateBtn>{nbNext, nbNext, nbLast}));
}

TEST_F(DBNavigatorTest, WidthsAtSeveralNavigatorWidths) {
    TtavDBNavigator* fresh = NewComponent<TtavDBNavigator>(FForm);
    EXPECT_EQ(fresh->Width(), 250);
    EXPECT_EQ(fresh->Height(), 30);
    fresh->SetParent(FForm);
    Pump();
    for (int i = 0; i < NavigateBtnCount; ++i) {
        EXPECT_EQ(fresh->NavButton(TNavigateBtn(i))->BoundsRect(), (TRect{i * 25, 0, i * 25 + 25, 30})) << i;
    }
    FNav->SetWidth(255);
    EXPECT_EQ(FNav->Width(), 250);
    FNav->SetWidth(150);
    EXPECT_EQ(FNav->Width(), 200);
    FNav->SetHeight(10);
    EXPECT_EQ(FNav->Height(), 18);
    EXPECT_EQ(FNav->ButtonWidth(), 20);

    // Aligned, the buttons share the left-over pixels: prior, delete and cancel are one wider.
    auto* holder = Make<TTestPanel>(FForm, {0, 100, 253, 160});
    FNav->SetParent(holder);
    FNav->SetAlign(alTop);
    Pump();
    EXPECT_EQ(FNav->Width(), 253);
    EXPECT_EQ(FNav->ButtonWidth(), 25);
    int x = 0;
    for (int i = 0; i < NavigateBtnCount; ++i) {
        TtavNavButton* b = FNav->NavButton(TNavigateBtn(i));
        const bool wide = i == 1 || i == 5 || i == 8;
        EXPECT_EQ(b->Width(), wide ? 26 : 25) << i;
        EXPECT_EQ(b->Left(), x) << i;
        x += b->Width();
    }
    EXPECT_EQ(x, 253);

    // Hidden buttons lie outside; none visible still counts as one.
    FNav->SetAlign(alNone);
    FNav->SetVisibleButtons({nbFirst, nbLast});
    FNav->SetWidth(100);
    Pump();
    EXPECT_EQ(FNav->NavButton(nbLast)->Left(), 50);
    EXPECT_FALSE(FNav->NavButton(nbNext)->Visible());
    EXPECT_GT(FNav->NavButton(nbNext)->Left(), FNav->Width());
    FNav->SetVisibleButtons({});
    FNav->SetBounds(0, 0, 5, 5);
    EXPECT_EQ(FNav->Width(), 20);
    EXPECT_EQ(FNav->Height(), 18);
}

TEST_F(DBNavigatorTest, HintsKeepTheDefaultsForBlankLines) {
    EXPECT_EQ(FNav->NavButton(nbFirst)->Hint(), "First record");
    EXPECT_EQ(FNav->NavButton(nbRefresh)->Hint(), "Refresh data");
    TStringList hints;
    hints.SetText("\nIndietro\n\n\n\n\n\n\n\n\nundicesima\n");
    FNav->SetHints(&hints);
    EXPECT_EQ(FNav->NavButton(nbFirst)->Hint(), "First record");
    EXPECT_EQ(FNav->NavButton(nbPrior)->Hint(), "Indietro");
    EXPECT_EQ(FNav->NavButton(nbRefresh)->Hint(), "Refresh data") << "the eleventh line is ignored";

    TStringList defaults;
    defaults.SetText("First record\nPrior record\nNext record\nLast record\nInsert record\nDelete record\n"
                     "Edit record\nPost edit\nCancel edit\nRefresh data\n");
    FNav->SetHints(&defaults);
    EXPECT_EQ(FNav->Hints()->Count(), 0);
    EXPECT_EQ(FNav->NavButton(nbPrior)->Hint(), "Prior record");
}

TEST_F(DBNavigatorTest, HoldingNextRepeatsAfter400msThenEvery100ms) {
    FHost.MouseMove(Middle(nbNext));
    FHost.MouseDown(Middle(nbNext));
    FHost.Pause(350);
    Pump();
    EXPECT_EQ(Current(), "Alfa") << "no move before 400 ms";
    FHost.Pause(60);
    Pump();
    EXPECT_EQ(Current(), "Beta");
    FHost.Pause(100);
    Pump();
    EXPECT_EQ(Current(), "Delta");
    FHost.MouseUp(Middle(nbNext));
    Pump();
    EXPECT_EQ(Current(), "Gamma") << "and once more at the release";
    FHost.Pause(500);
    Pump();
    EXPECT_EQ(FQryInc->RecNo(), 4);

    // A short click moves once; the refresh button does not repeat.
    Press(nbFirst);
    FHost.MouseDown(Middle(nbNext));
    FHost.Pause(200);
    FHost.MouseUp(Middle(nbNext));
    Pump();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(FNav->NavButton(nbRefresh)->RepeatTimer(), nullptr);
}

TEST_F(DBNavigatorTest, ArrowKeysMoveTheActiveButtonAndSpaceClicksIt) {
    FNav->SetTabStop(true);
    FHost.Click(Middle(nbNext));
    Pump();
    EXPECT_TRUE(FNav->Focused());
    EXPECT_EQ(FNav->ActiveButton(), nbNext);
    EXPECT_EQ(FNav->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
    FNav->SetVisibleButtons({nbFirst, nbNext, nbLast, nbRefresh});
    FHost.KeyPress(VK_RIGHT);
    Pump();
    EXPECT_EQ(FNav->ActiveButton(), nbLast);
    FHost.KeyPress(VK_RIGHT);
    FHost.KeyPress(VK_RIGHT);
    Pump();
    EXPECT_EQ(FNav->ActiveButton(), nbRefresh);
    FHost.KeyPress(VK_LEFT);
    FHost.KeyPress(VK_LEFT);
    Pump();
    EXPECT_EQ(FNav->ActiveButton(), nbNext);
    const std::string before = Current();
    FHost.KeyPress(VK_SPACE);
    Pump();
    EXPECT_NE(Current(), before);
    FNav->SetVisibleButtons({nbNext});
    FHost.KeyPress(VK_LEFT);
    Pump();
    EXPECT_EQ(FNav->ActiveButton(), nbFirst) << "the first is taken even when hidden";
}

TEST_F(DBNavigatorTest, TheStyleReachesEveryButtonAndTheSourceGoingClearsIt) {
    FNav->SetUIStyle(TtavUIStyle::MacOS);
    for (int i = 0; i < NavigateBtnCount; ++i) {
        EXPECT_EQ(FNav->NavButton(TNavigateBtn(i))->UIStyle(), TtavUIStyle::MacOS);
        EXPECT_TRUE(FNav->NavButton(TNavigateBtn(i))->Transparent());
    }
    EXPECT_FALSE(FNav->NavButton(nbFirst)->Glyph()->Empty());
    EXPECT_EQ(FNav->NavButton(nbFirst)->Glyph()->Width(), 16);
    delete FSource;
    FSource = nullptr;
    EXPECT_EQ(FNav->DataSource(), nullptr);
    EXPECT_EQ(Enabled(), "0000000000");
}

} // namespace
