// Actions: a control shows its action and executes it; dataset actions reach the focused data-aware control's
// dataset; BiDiMode passes from parent to child.
#include "ControlsTestSupport.h"
#include "DBCtrlTestSupport.h"

#include "classlib/Actions.h"
#include "classlib/ImageList.h"
#include "classlib/data/DataSetActions.h"
#include "classlib/dbctrls/DBEdit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A button whose click runs as a key or a menu runs it, without the mouse.
class TClickableButton : public TTestButton {
    VMR_CLASS(TClickableButton, TTestButton)

  public:
    using TTestButton::Click;

  protected:
    explicit TClickableButton(TComponent* owner) : TTestButton(owner) {}
};

class ActionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        RegisterControlsClasses();
        NewComponent<TApplication>(nullptr);
        FForm = ShownTestForm({0, 0, 300, 200});
        FList = NewComponent<TActionList>(FForm);
        FAction = NewComponent<TAction>(FForm);
        FAction->SetActionList(FList);
        FButton = MakeTestControl<TTestButton>(FForm, {10, 10, 80, 30});
    }
    void TearDown() override {
        delete Application;
        ShutdownWindowSystem();
    }
    void ClickButton() {
        FHost.Click(FButton->ClientToScreen({5, 5}));
        RunUntilIdle();
    }

    THeadlessHost FHost;
    TForm* FForm = nullptr;
    TActionList* FList = nullptr;
    TAction* FAction = nullptr;
    TTestButton* FButton = nullptr;
};

TEST_F(ActionsTest, AControlShowsItsActionAndExecutesIt) {
    FAction->SetCaption("&Apri");
    FAction->SetHint("Apre il libro");
    FAction->SetEnabled(false);
    int executed = 0;
    FAction->OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, FAction);
        EXPECT_EQ(FAction->ActionComponent(), FButton);
        ++executed;
    };
    FButton->SetAction(FAction);
    EXPECT_EQ(FButton->Caption(), "&Apri");
    EXPECT_EQ(FButton->Hint(), "Apre il libro");
    EXPECT_FALSE(FButton->Enabled());

    // Changes of the action reach the control.
    FAction->SetEnabled(true);
    FAction->SetCaption("Chiudi");
    EXPECT_TRUE(FButton->Enabled());
    EXPECT_EQ(FButton->Caption(), "Chiudi");

    ClickButton();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(FAction->ActionComponent(), nullptr);

    // A disabled action does not run, and the control's own OnClick takes the click from the action.
    FAction->SetEnabled(false);
    FButton->SetEnabled(true);
    ClickButton();
    EXPECT_EQ(executed, 1);
    int clicks = 0;
    FAction->SetEnabled(true);
    FButton->OnClick = [&](TObject*) { ++clicks; };
    ClickButton();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(executed, 1);
}

TEST_F(ActionsTest, FreeingEitherSideLeavesNoLink) {
    FButton->SetAction(FAction);
    delete FAction;
    EXPECT_EQ(FButton->Action(), nullptr);
    EXPECT_EQ(FList->ActionCount(), 0);
    ClickButton(); // nothing left to execute

    TAction* other = NewComponent<TAction>(FForm);
    other->SetActionList(FList);
    FButton->SetAction(other);
    delete FButton;
    other->SetCaption("dopo"); // would reach the freed control
    delete FList;
    EXPECT_EQ(other->ActionList(), nullptr);
}

TEST_F(ActionsTest, AnActionMayFreeTheControlThatRunsIt) {
    auto* button = MakeTestControl<TClickableButton>(FForm, {10, 40, 80, 60});
    button->SetAction(FAction);
    int executed = 0;
    FAction->OnExecute = [&](TObject*) {
        ++executed;
        delete button; // and the control's link to the action with it
    };
    button->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(FAction->ActionComponent(), nullptr);

    // An action that frees itself leaves the control without one.
    FButton->SetAction(FAction);
    FAction->OnExecute = [&](TObject*) { delete FAction; };
    FButton->FDefault = true;
    EXPECT_EQ(FButton->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(FButton->Action(), nullptr);
}

TEST_F(ActionsTest, TheListKeepsItsImagesAndUpdatesItsActions) {
    auto images = TImageList::CreateSize(16, 16);
    FList->SetImages(images.get());
    EXPECT_EQ(FList->Images(), images.get());
    images.reset();
    EXPECT_EQ(FList->Images(), nullptr);

    int updates = 0;
    FAction->OnUpdate = [&](TObject*) { ++updates; };
    UpdateAllActionLists();
    EXPECT_EQ(updates, 1);
    // The application updates them when it goes idle.
    RunUntilIdle();
    Application->HandleMessage();
    EXPECT_EQ(updates, 2);
}

TEST_F(ActionsTest, BiDiModePassesFromParentToChild) {
    auto* panel = MakeTestControl<TTestPanel>(FForm, {0, 50, 200, 100});
    auto* inner = MakeTestControl<TTestButton>(panel, {0, 0, 50, 20});
    EXPECT_TRUE(inner->ParentBiDiMode());
    panel->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(panel->ParentBiDiMode());
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(inner->UseRightToLeftAlignment());

    inner->SetBiDiMode(bdRightToLeftReadingOnly);
    panel->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeftReadingOnly);
    EXPECT_FALSE(inner->UseRightToLeftAlignment());
    inner->SetParentBiDiMode(true);
    EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);

    // A control put on a right-to-left parent takes its mode.
    panel->SetBiDiMode(bdRightToLeft);
    auto* late = MakeTestControl<TTestButton>(FForm, {0, 0, 10, 10});
    late->SetParent(panel);
    EXPECT_EQ(late->BiDiMode(), bdRightToLeft);

    const TClassInfo& info = TTestButton::StaticClassInfo();
    ASSERT_NE(info.FindProperty("BiDiMode"), nullptr);
    ASSERT_NE(info.FindProperty("ParentBiDiMode"), nullptr);
    ASSERT_NE(info.FindProperty("Action"), nullptr);
}

// Dataset actions over the focused data-aware edit.
class DataSetActionsTest : public DBControlsFixture {
  protected:
    void SetUp() override {
        DBControlsFixture::SetUp();
        AddSpells({"Alfa", "Beta", "Gamma"});
        FForm = ShownForm();
        FEdit = Make<TDBEdit>(FForm, {10, 10, 200, 30});
        FEdit->SetDataSource(FSource);
        FEdit->SetDataField("INCANTESIMO");
        FEdit->SetFocus();
        Pump();
    }
    template <class A> A* NewAction() { return NewComponent<A>(FOwner.get()); }
    bool EnabledAfterUpdate(TBasicAction* action) {
        EXPECT_TRUE(action->Update());
        return static_cast<TCustomAction*>(action)->Enabled();
    }

    TForm* FForm = nullptr;
    TDBEdit* FEdit = nullptr;
};

TEST_F(DataSetActionsTest, ActionsWithoutASourceActOnTheFocusedControlsDataset) {
    auto* next = NewAction<TDataSetNext>();
    auto* prior = NewAction<TDataSetPrior>();
    auto* last = NewAction<TDataSetLast>();
    auto* edit = NewAction<TDataSetEdit>();
    auto* post = NewAction<TDataSetPost>();
    auto* cancel = NewAction<TDataSetCancel>();
    auto* del = NewAction<TDataSetDelete>();

    EXPECT_FALSE(EnabledAfterUpdate(prior));
    EXPECT_TRUE(EnabledAfterUpdate(next));
    EXPECT_TRUE(next->Execute());
    EXPECT_EQ(FEdit->Text(), "Beta");
    EXPECT_TRUE(EnabledAfterUpdate(prior));
    last->Execute();
    EXPECT_EQ(FEdit->Text(), "Gamma");
    EXPECT_FALSE(EnabledAfterUpdate(next));
    EXPECT_FALSE(EnabledAfterUpdate(last));

    EXPECT_FALSE(EnabledAfterUpdate(post));
    EXPECT_TRUE(EnabledAfterUpdate(edit));
    edit->Execute();
    EXPECT_EQ(FQryInc->State(), dsEdit);
    EXPECT_FALSE(EnabledAfterUpdate(edit));
    EXPECT_TRUE(EnabledAfterUpdate(post));
    cancel->Execute();
    EXPECT_EQ(FQryInc->State(), dsBrowse);

    del->Execute();
    EXPECT_EQ(FQryInc->RecordCount(), 2);
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT COUNT(*) FROM INCANTESIMI WHERE INCANTESIMO = 'Gamma'"), "0");
}

TEST_F(DataSetActionsTest, AnActionBoundToAnotherSourceIsNotTakenByTheControl) {
    auto* other = NewComponent<TDataSource>(FOwner.get());
    other->SetDataSet(FQrySel);
    auto* next = NewAction<TDataSetNext>();
    next->SetDataSource(other);
    EXPECT_FALSE(next->Execute());
    EXPECT_EQ(FEdit->Text(), "Alfa");
    next->SetDataSource(FSource);
    EXPECT_TRUE(next->Execute());
    EXPECT_EQ(FEdit->Text(), "Beta");
    delete other;

    // Without a focused data-aware control nothing handles it, and a closed dataset disables it.
    FQryInc->Close();
    EXPECT_TRUE(next->Update());
    EXPECT_FALSE(next->Enabled());
    EXPECT_FALSE(next->Execute());
}

TEST_F(DataSetActionsTest, ADataAwareEditFollowsItsBiDiMode) {
    EXPECT_FALSE(FEdit->UseRightToLeftAlignment());
    FForm->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(FEdit->UseRightToLeftAlignment());
}

} // namespace
