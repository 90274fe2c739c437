// Data sources and links: the reports data-aware controls live by, and the record buffer of lists and grids.
#include "DataTestSupport.h"

#include "classlib/data/DataLink.h"
#include "classlib/data/DataSource.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {

class TRecordingLink : public TDataLink {
  public:
    std::vector<std::string> Log;
    std::string Pending;

  protected:
    void ActiveChanged() override { Log.push_back(Active() ? "active" : "inactive"); }
    void DataSetChanged() override { Log.push_back("dataset"); }
    void DataSetScrolled(int distance) override { Log.push_back("scrolled " + std::to_string(distance)); }
    void RecordChanged(TField* field) override {
        Log.push_back("record " + (field ? field->FieldName() : "-"));
    }
    void EditingChanged() override { Log.push_back(Editing() ? "editing" : "browsing"); }
    void UpdateData() override {
        if (!Pending.empty()) DataSet()->FieldByName("AREA").SetAsString(Pending);
        Pending.clear();
    }
};

class DataLinks : public DataFixture {
  protected:
    DataLinks() {
        FSource = NewComponent<TDataSource>(FOwner.get());
        FSource->SetDataSet(FQryInc);
        FQryInc->SQL()->Clear();
        FQryInc->SQL()->Add(
            "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO");
    }
    TDataSource* FSource = nullptr;
};

TEST_F(DataLinks, LinksHearOfOpeningScrollingEditingAndClosing) {
    TRecordingLink link;
    link.SetDataSource(FSource);
    EXPECT_FALSE(link.Active());
    std::vector<std::string> states;
    FSource->OnStateChange = [&](TObject*) {
        states.push_back(*EnumInfo<TDataSetState>().NameOf(int(FSource->State())));
    };

    FQryInc->Open();
    FQryInc->Next();
    FQryInc->Edit();
    FQryInc->FieldByName("AREA").SetAsString("Nuova");
    FQryInc->Post();
    FQryInc->Close();
    EXPECT_EQ(link.Log, (std::vector<std::string>{"active", "scrolled 1", "editing", "record -",
                                                  "record AREA", "browsing", "dataset", "inactive"}));
    EXPECT_EQ(states, (std::vector<std::string>{"dsBrowse", "dsEdit", "dsBrowse", "dsInactive"}));

    // A disabled source reports its links inactive; DisableControls holds the reports back.
    FQryInc->Open();
    link.Log.clear();
    FSource->SetEnabled(false);
    EXPECT_FALSE(link.Active());
    FSource->SetEnabled(true);
    FQryInc->DisableControls();
    FQryInc->Next();
    FQryInc->Next();
    EXPECT_TRUE(FQryInc->ControlsDisabled());
    FQryInc->EnableControls();
    EXPECT_EQ(link.Log, (std::vector<std::string>{"inactive", "active", "dataset"}));
}

TEST_F(DataLinks, UpdateRecordWritesTheControlsPendingChangeBeforeAPostOrAMove) {
    TRecordingLink link;
    link.SetDataSource(FSource);
    FQryInc->Open();
    int64_t id = FQryInc->FieldByName("ID").AsInteger();
    EXPECT_TRUE(link.Edit());
    link.Pending = "Dal controllo";
    FQryInc->Next();
    EXPECT_EQ(AreaOf(id), "Dal controllo");

    // Without AutoEdit, or read-only, the link does not start an edit.
    FSource->SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(FQryInc->State(), dsBrowse);
    FSource->SetAutoEdit(true);
    link.SetReadOnly(true);
    EXPECT_FALSE(link.Edit());
    link.SetReadOnly(false);
    FQryInc->Edit();
    EXPECT_TRUE(link.Editing());
}

TEST_F(DataLinks, FieldLinkFollowsItsFieldAndWritesOnlyWhenModified) {
    std::unique_ptr<TFieldDataLink> link = std::make_unique<TFieldDataLink>();
    std::vector<std::string> log;
    std::string controlText;
    link->OnDataChange = [&](TObject*) {
        controlText = link->Field() ? link->Field()->DisplayText() : "";
        log.push_back("data " + controlText);
    };
    link->OnEditingChange = [&](TObject*) { log.push_back(link->Editing() ? "editing" : "browsing"); };
    link->OnActiveChange = [&](TObject*) { log.push_back(link->Active() ? "active" : "inactive"); };
    link->OnUpdateData = [&](TObject*) { link->Field()->SetAsString(controlText); };
    link->SetFieldName("TS");
    link->SetDataSource(FSource);
    EXPECT_EQ(link->Field(), nullptr);

    FQryInc->Open();
    ASSERT_NE(link->Field(), nullptr);
    EXPECT_EQ(link->Field(), &FQryInc->FieldByName("TS"));
    EXPECT_TRUE(link->CanModify());
    int64_t id = FQryInc->FieldByName("ID").AsInteger();
    std::string original = FQryInc->FieldByName("TS").AsString();
    EXPECT_EQ(controlText, original);

    // Typing: edit, change the control, mark it modified; Escape resets it.
    EXPECT_TRUE(link->Edit());
    controlText = "Riflessi dimezza";
    link->Modified();
    link->Reset();
    EXPECT_EQ(controlText, original);
    EXPECT_FALSE(link->IsModified());
    controlText = "Tempra nega";
    link->Modified();
    link->UpdateRecord();
    EXPECT_EQ(FQryInc->FieldByName("TS").AsString(), "Tempra nega");
    FQryInc->Post();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT TS FROM INCANTESIMI WHERE ID = " + std::to_string(id)),
              "Tempra nega");

    // An unmarked control writes nothing.
    FQryInc->Edit();
    controlText = "mai scritto";
    FQryInc->Next();
    EXPECT_EQ(RawText(DatabaseFile(), "SELECT TS FROM INCANTESIMI WHERE ID = " + std::to_string(id)),
              "Tempra nega");

    // A field that cannot be modified keeps the link out of edit state.
    link->Field()->SetReadOnly(true);
    EXPECT_FALSE(link->CanModify());
    EXPECT_FALSE(link->Edit());
    EXPECT_EQ(FQryInc->State(), dsBrowse);

    FQryInc->Close();
    EXPECT_EQ(link->Field(), nullptr);
    EXPECT_EQ(log[0], "data " + original);
    EXPECT_EQ(log[1], "active");
    EXPECT_EQ(log.back(), "inactive");
    EXPECT_NE(std::find(log.begin(), log.end(), "editing"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "browsing"), log.end());
    EXPECT_EQ(CM_GETDATALINK, 0xB02Du);
}

TEST_F(DataLinks, BufferedLinkKeepsTheCurrentRecordInsideItsWindow) {
    TRecordingLink link;
    link.SetBufferCount(4);
    link.SetDataSource(FSource);
    FQryInc->Open();
    int count = FQryInc->RecordCount();
    ASSERT_GT(count, 10);
    EXPECT_EQ(link.RecordCount(), 4);
    EXPECT_EQ(link.ActiveRecord(), 0);
    FQryInc->MoveBy(3);
    EXPECT_EQ(link.ActiveRecord(), 3);
    link.Log.clear();
    FQryInc->Next();
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(link.Log, (std::vector<std::string>{"scrolled 1"}));
    FQryInc->First();
    EXPECT_EQ(link.ActiveRecord(), 0);
    FQryInc->Last();
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(link.RecordCount(), 4);

    // Painting another buffered record reads its values, then the current record again.
    std::string current = FQryInc->FieldByName("INCANTESIMO").AsString();
    link.SetActiveRecord(0);
    FQryInc->First();
    FQryInc->Last();
    std::vector<std::string> shown;
    for (int i = 0; i < link.RecordCount(); ++i) {
        link.SetActiveRecord(i);
        shown.push_back(FQryInc->FieldByName("INCANTESIMO").AsString());
    }
    link.SetActiveRecord(link.ActiveRecord());
    EXPECT_EQ(FQryInc->FieldByName("INCANTESIMO").AsString(), current);
    EXPECT_EQ(shown.back(), current);
    FQryInc->MoveBy(-3);
    EXPECT_EQ(FQryInc->FieldByName("INCANTESIMO").AsString(), shown.front());

    // Deleting rows shrinks the window when fewer remain.
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = '6'");
    while (FQryInc->RecordCount() > 2)
        FQryInc->Delete();
    EXPECT_EQ(link.RecordCount(), 2);
}

TEST_F(DataLinks, ASourceOrLinkMovedToAnotherOpenDatasetTakesItsFields) {
    TFieldDataLink link;
    std::vector<std::string> shown;
    link.OnDataChange = [&](TObject*) { shown.push_back(link.Field() ? link.Field()->AsString() : "-"); };
    link.SetFieldName("INCANTESIMO");
    link.SetDataSource(FSource);
    FQryInc->Open();
    OpenWith(FQrySel, "SELECT 'dalla selezione' AS INCANTESIMO");
    FSource->SetDataSet(FQrySel);
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_EQ(link.Field()->DataSet(), FQrySel);
    EXPECT_EQ(shown.back(), "dalla selezione");

    TDataSource* other = NewComponent<TDataSource>(FOwner.get());
    other->SetDataSet(FQryInc);
    link.SetDataSource(other);
    EXPECT_EQ(link.Field(), &FQryInc->FieldByName("INCANTESIMO"));
    EXPECT_EQ(shown.back(), FQryInc->FieldByName("INCANTESIMO").AsString());
}

TEST_F(DataLinks, FreeingEitherEndClearsTheReference) {
    auto link = std::make_unique<TFieldDataLink>();
    link->SetDataSource(FSource);
    FQryInc->Open();
    delete FQryInc;
    FQryInc = nullptr;
    EXPECT_EQ(FSource->DataSet(), nullptr);
    EXPECT_FALSE(link->Active());
    delete FSource;
    EXPECT_EQ(link->DataSource(), nullptr);
}

} // namespace
