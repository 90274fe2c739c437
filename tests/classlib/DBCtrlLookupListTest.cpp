// The lookup list follows its dataset: its selection is the current record both ways, and it refills.
#include "DBCtrlTestSupport.h"

#include "classlib/dbctrls/DBLookupListBox.h"
#include "platform/ScrollBar.h"

#include <gtest/gtest.h>

namespace {

class DBCtrlLookupListTest : public DBControlsFixture {
  protected:
    void SetUp() override {
        DBControlsFixture::SetUp();
        for (int i = 0; i < 30; ++i) AddSpell("Voce " + std::string(i < 10 ? "0" : "") + std::to_string(i), "Z");
        AddSpells({});
        TForm* form = ShownForm();
        FList = Make<TDBLookupListBox>(form, {10, 10, 200, 10 + 16 * 5 + 4});
        FList->SetListSource(FSource);
        FList->SetKeyField("ID");
        FList->SetListField("INCANTESIMO");
        Pump();
    }
    std::string Current() { return FQryInc->FieldByName("INCANTESIMO").AsString(); }

    TDBLookupListBox* FList = nullptr;
};

TEST_F(DBCtrlLookupListTest, TheSelectionIsTheCurrentRecord) {
    ASSERT_EQ(FList->Count(), 30);
    EXPECT_EQ(FList->ItemText(3), "Voce 03");
    EXPECT_EQ(FList->ItemIndex(), 0);
    int keyUps = 0, clicks = 0, doubleClicks = 0;
    FList->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++keyUps; };
    FList->OnClick = [&](TObject*) { ++clicks; };
    FList->OnDblClick = [&](TObject*) { ++doubleClicks; };

    FHost.Click(ScreenPoint(FList, {5, FList->ItemHeight() * 2 + 5}));
    Pump();
    EXPECT_EQ(Current(), "Voce 02");
    EXPECT_EQ(clicks, 1);
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(Current(), "Voce 03");
    EXPECT_EQ(keyUps, 1);
    FHost.KeyPress(VK_END);
    Pump();
    EXPECT_EQ(Current(), "Voce 29");
    FHost.KeyPress(VK_PRIOR);
    Pump();
    EXPECT_LT(FQryInc->RecNo(), 30);
    EXPECT_EQ(FList->ItemIndex(), FQryInc->RecNo() - 1);
    FHost.KeyPress(VK_HOME);
    Pump();
    EXPECT_EQ(Current(), "Voce 00");
    EXPECT_EQ(FList->KeyValue(), FQryInc->FieldByName("ID").AsString());

    // The dataset moving moves the selection, and scrolls it into view.
    FQryInc->SetRecNo(20);
    EXPECT_EQ(FList->ItemIndex(), 19);
    EXPECT_LE(FList->TopIndex(), 19);
    EXPECT_GT(FList->TopIndex() + FList->VisibleCount(), 19);

    // The scroll bar moves the record.
    FList->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Current(), "Voce 20");
    FList->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(Current(), "Voce 00");
    EXPECT_EQ(GetScrollPos(FList->Handle(), SB_VERT), 0);
    FList->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(Current(), "Voce 29");
    EXPECT_EQ(GetScrollPos(FList->Handle(), SB_VERT), FList->TopIndex());
    // A thumb position sent by other code goes where the message says, not where the native thumb is.
    FList->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12));
    EXPECT_EQ(Current(), "Voce 12");
    EXPECT_EQ(GetScrollPos(FList->Handle(), SB_VERT), FList->TopIndex());
    EXPECT_LE(FList->TopIndex(), 12);

    FHost.MouseDown(ScreenPoint(FList, {5, 5}));
    FHost.MouseUp(ScreenPoint(FList, {5, 5}));
    FHost.MouseDown(ScreenPoint(FList, {5, 5}));
    FHost.MouseUp(ScreenPoint(FList, {5, 5}));
    Pump();
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(DBCtrlLookupListTest, TypedLettersJumpToTheFirstNameThatStartsWithThem) {
    AddSpells({"Armatura", "Bagliore", "Benedizione", "Charme"});
    Pump();
    FList->SetFocus();
    auto type = [&](const std::string& text) {
        FHost.TypeText(text);
        Pump();
        return Current();
    };
    EXPECT_EQ(type("b"), "Bagliore");
    EXPECT_EQ(type("E"), "Benedizione") << "the letters add up, whatever their case";
    EXPECT_EQ(type("x"), "Benedizione") << "a letter that matches nothing leaves the row and the text";
    EXPECT_EQ(type("n"), "Benedizione");
    FHost.Pause(FList->SearchPauseMs + 1);
    EXPECT_EQ(type("v"), "Voce 00") << "a pause starts again";
    EXPECT_EQ(type("oce 1"), "Voce 10");
    FHost.KeyPress(VK_BACK);
    EXPECT_EQ(type("c"), "Charme") << "Backspace starts again";
    EXPECT_EQ(FList->ItemIndex(), FQryInc->RecNo() - 1);
}

TEST_F(DBCtrlLookupListTest, ReopeningTheQueryRefillsTheList) {
    FQryInc->Close();
    EXPECT_EQ(FList->Count(), 0);
    EXPECT_EQ(FList->ItemIndex(), -1);
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z' AND INCANTESIMO < 'Voce 05' ORDER BY INCANTESIMO");
    EXPECT_EQ(FList->Count(), 5);
    EXPECT_EQ(FList->ItemIndex(), 0);
    FQryInc->Last();
    FQryInc->Edit();
    FQryInc->FieldByName("INCANTESIMO").SetAsString("Voce nuova");
    FQryInc->Post();
    EXPECT_EQ(FList->ItemText(4), "Voce nuova");
    EXPECT_EQ(FList->ItemIndex(), 4);
}

TEST_F(DBCtrlLookupListTest, DrawsTheRowsItShowsAsAListOfTheirTextsWould) {
    // A plain list holding the same texts, the same size beside it.
    TListBox* plain = Make<TListBox>(FList->Parent(), FList->BoundsRect().Offsetted(250, 0));
    for (int i = 0; i < FQryInc->RecordCount(); ++i)
        plain->Items()->Add(FList->ItemText(i));
    auto sameLook = [&] {
        plain->SetItemIndex(FList->ItemIndex());
        plain->SetTopIndex(FList->TopIndex());
        Pump();
        TSurface screen = FHost.ComposeScreen();
        TPoint a = ScreenPoint(FList, {0, 0}), b = ScreenPoint(plain, {0, 0});
        for (int y = 0; y < FList->ClientHeight(); ++y)
            for (int x = 0; x < FList->ClientWidth(); ++x)
                if (screen.Pixel(a.X + x, a.Y + y) != screen.Pixel(b.X + x, b.Y + y)) return false;
        return true;
    };
    EXPECT_TRUE(sameLook());
    FQryInc->SetRecNo(17);
    EXPECT_GT(FList->TopIndex(), 0);
    EXPECT_TRUE(sameLook()) << "scrolled to the current record";
    FQryInc->Edit();
    FQryInc->FieldByName("INCANTESIMO").SetAsString("Voce in corso");
    FQryInc->Post();
    EXPECT_EQ(FList->ItemText(16), "Voce in corso");
    EXPECT_FALSE(sameLook()) << "the posted name is drawn";
    plain->Items()->SetStrings(16, "Voce in corso");
    EXPECT_TRUE(sameLook());
}

TEST_F(DBCtrlLookupListTest, WithADataFieldTheSelectionWritesTheKey) {
    TDataSource* target = NewComponent<TDataSource>(FOwner.get());
    target->SetDataSet(FQrySel);
    OpenWith(FQrySel, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z' AND INCANTESIMO = 'Voce 07'");
    FList->SetDataSource(target);
    FList->SetDataField("ID");
    EXPECT_EQ(Current(), "Voce 07") << "the list shows the data field's key";
    FHost.Click(ScreenPoint(FList, {5, 5}));
    Pump();
    EXPECT_EQ(FQrySel->State(), dsEdit);
    EXPECT_EQ(FQrySel->FieldByName("ID").AsString(), FList->KeyValue());
    FQrySel->Cancel();
}

} // namespace
