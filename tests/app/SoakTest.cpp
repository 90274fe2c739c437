// The running program under thousands of random clicks, double-clicks, right-clicks, keys and wheel turns,
// with message boxes and the preview answered: afterwards the catalogue holds exactly its rows, changed
// only in the fields the test typed into, and the selection holds no name twice.
#include "AppFixture.h"

#include "classlib/WinControl.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/Field.h"
#include "platform/Input.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVDBCtrls.h"

#include <sqlite3.h>

#include <map>
#include <random>
#include <set>

namespace {

// Every catalogue row by its ID: each column's name and value.
using TRows = std::map<std::string, std::map<std::string, std::optional<std::string>>>;

TRows CatalogueRows(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM INCANTESIMI", -1, &stmt, nullptr);
    TRows rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        auto& row = rows[reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))];
        for (int i = 1; i < sqlite3_column_count(stmt); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            row[sqlite3_column_name(stmt, i)] =
                text ? std::optional<std::string>(std::string(text, size_t(sqlite3_column_bytes(stmt, i))))
                     : std::nullopt;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return rows;
}

class SoakTest : public AppTest {
  protected:
    // The catalogue field a data control of the detail panel edits, or "" for any other control.
    static std::string FieldOf(TControl* control) {
        if (auto* edit = dynamic_cast<TtavDBEdit*>(control)) return edit->DataField();
        if (auto* memo = dynamic_cast<TtavDBMemo*>(control)) return memo->DataField();
        if (auto* box = dynamic_cast<TtavDBCheckBox*>(control)) return box->DataField();
        return {};
    }
    // Input about to reach a data control marks its field of the current spell as the test's change.
    void NoteTarget(TControl* control) {
        std::string field = FieldOf(control);
        TADOQuery* catalogue = FrmMain->ADOQryInc;
        if (field.empty() || !catalogue->Active() || catalogue->IsEmpty()) return;
        FTouched.insert({catalogue->FieldByName("ID").AsString(), field});
    }
    void NoteFocused() { NoteTarget(TWinControl::FindControl(GetFocus())); }
    // A control of the main window under a screen point, checked before a click reaches it.
    void NoteControlAt(TPoint screen) {
        for (int i = 0; i < FrmMain->ComponentCount(); ++i) {
            auto* control = dynamic_cast<TControl*>(FrmMain->Components(i));
            if (!control || FieldOf(control).empty() || !control->Visible()) continue;
            TPoint origin = control->ClientToScreen({0, 0});
            TRect bounds{origin.X, origin.Y, origin.X + control->Width(), origin.Y + control->Height()};
            if (bounds.Contains(screen)) NoteTarget(control);
        }
    }
    // A point of the main window below its title bar, where a click cannot close or shrink it.
    TPoint RandomPoint() {
        std::uniform_int_distribution<int> x(FrmMain->Left() + 2, FrmMain->Left() + FrmMain->Width() - 3);
        std::uniform_int_distribution<int> y(FrmMain->Top() + 26, FrmMain->Top() + FrmMain->Height() - 3);
        return {x(FRandom), y(FRandom)};
    }
    void RandomKeys() {
        static const std::vector<std::string> texts = {"a", "Z", "7", " ", "'", "dell'area", "è", "àéìòù", "ß",
                                                       "Ç", "niñez", "ó'", "x"};
        static const std::vector<int> keys = {VK_BACK,  VK_DELETE, VK_LEFT, VK_RIGHT, VK_UP,   VK_DOWN,  VK_HOME,
                                              VK_END,   VK_RETURN, VK_TAB,  VK_PRIOR, VK_NEXT, VK_INSERT, VK_ESCAPE,
                                              VK_SPACE};
        NoteFocused();
        if (std::uniform_int_distribution<int>(0, 1)(FRandom)) {
            FHost.TypeText(texts[std::uniform_int_distribution<size_t>(0, texts.size() - 1)(FRandom)]);
        } else {
            FHost.KeyPress(keys[std::uniform_int_distribution<size_t>(0, keys.size() - 1)(FRandom)]);
        }
    }
    void ChangeLevelOrClass() {
        TControl* levels[] = {FrmMain->BttT, FrmMain->Btt0, FrmMain->Btt1, FrmMain->Btt2, FrmMain->Btt3, FrmMain->Btt4,
                              FrmMain->Btt5, FrmMain->Btt6, FrmMain->Btt7, FrmMain->Btt8, FrmMain->Btt9};
        if (std::uniform_int_distribution<int>(0, 2)(FRandom)) {
            FHost.Click(CentreOf(levels[std::uniform_int_distribution<int>(0, 10)(FRandom)]));
        } else {
            FHost.Click(CentreOf(FrmMain->CmBIncantatore));
            FHost.KeyPress(std::uniform_int_distribution<int>(0, 1)(FRandom) ? VK_DOWN : VK_UP);
            FHost.KeyPress(VK_RETURN);
        }
    }
    void RandomAction() {
        TPoint at = RandomPoint();
        switch (std::uniform_int_distribution<int>(0, 9)(FRandom)) {
        case 0:
        case 1:
            NoteControlAt(at);
            FHost.Click(at);
            break;
        case 2:
            NoteControlAt(at);
            FHost.Click(at);
            FHost.Click(at);
            break;
        case 3:
            // A popup menu that opens takes the next key, or closes when the input ends.
            FHost.Click(at, 2);
            FHost.KeyPress(std::uniform_int_distribution<int>(0, 1)(FRandom) ? VK_DOWN : VK_ESCAPE);
            break;
        case 4: FHost.Wheel(at, std::uniform_int_distribution<int>(0, 1)(FRandom) ? 120 : -120); break;
        case 5: ChangeLevelOrClass(); break;
        default: RandomKeys(); break;
        }
        Pump();
    }

    std::mt19937 FRandom{18};
    // (ID, column) of each catalogue field the test's input reached.
    std::set<std::pair<std::string, std::string>> FTouched;
};

TEST_F(SoakTest, RandomUseLeavesTheCatalogueAndTheSelectionWhole) {
    const TRows before = CatalogueRows(DatabaseFile());
    Start();
    constexpr int Actions = 3000;
    for (int i = 0; i < Actions && FrmMain->Visible(); ++i)
        RandomAction();
    ASSERT_TRUE(FrmMain->Visible()) << "the main window went away";
    FrmMain->Close();
    Pump();

    const TRows after = CatalogueRows(DatabaseFile());
    ASSERT_EQ(after.size(), before.size()) << "rows were added or removed";
    int changed = 0;
    for (const auto& [id, row] : before) {
        ASSERT_TRUE(after.count(id)) << "row " << id << " is gone";
        for (const auto& [column, value] : row) {
            if (after.at(id).at(column) == value) continue;
            ++changed;
            EXPECT_TRUE(FTouched.count({id, column})) << "row " << id << " column " << column << " changed by itself";
        }
    }
    EXPECT_GT(changed, 0) << "the soak typed nothing into the catalogue";
    EXPECT_TRUE(RawColumn(DatabaseFile(), "SELECT INCANTESIMO FROM SELEZIONATI GROUP BY INCANTESIMO "
                                          "HAVING count(*) > 1")
                    .empty());
    EXPECT_FALSE(SelectedNames().empty()) << "the soak added no spell";
    for (const TMessageBoxRequest& box : FBoxes)
        ADD_FAILURE() << "unexpected message: " << box.Text;
}

} // namespace
