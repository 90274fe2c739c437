#include "ControlsTestSupport.h"

#include "classlib/MDIClient.h"
#include "classlib/Menus.h"
#include "classlib/ToolBar.h"

namespace {

// A main form with a menu File(0) Edit(1) Window(5) Help(9), and menus to merge into it.
class TMenuMergeTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        Application->CreateForm(FMain);
        FMain->SetBounds(50, 50, 500, 300);
        FMenu = NewMenu(FMain, {{"&File", 0}, {"&Edit", 1}, {"&Window", 5}, {"&Help", 9}});
        FMain->SetMenu(FMenu);
        FMain->Show();
        Pump();
    }
    static TMainMenu* NewMenu(TComponent* owner, const std::vector<std::pair<std::string, int>>& items) {
        auto* menu = NewComponent<TMainMenu>(owner);
        for (const auto& [caption, group] : items) {
            auto* item = NewComponent<TMenuItem>(owner);
            item->SetCaption(caption);
            item->SetGroupIndex(uint8_t(group));
            auto* sub = NewComponent<TMenuItem>(owner);
            sub->SetCaption(caption + " sub");
            item->Add(sub);
            menu->Items()->Add(item);
        }
        return menu;
    }
    static std::vector<std::string> Captions(const TMenu* menu) {
        std::vector<std::string> captions;
        for (int i = 0; i < menu->Items()->Count(); ++i)
            captions.push_back(menu->Items()->Items(i)->Caption());
        return captions;
    }
    static std::vector<std::string> BarCaptions(TForm* form) {
        std::vector<std::string> captions;
        for (int i = 0; i < form->ControlCount(); ++i)
            if (auto* bar = dynamic_cast<TToolBar*>(form->Controls(i)))
                for (int b = 0; b < bar->ButtonCount(); ++b)
                    captions.push_back(bar->Buttons(b)->Caption());
        return captions;
    }
    // A form of the application other than the main form, with a menu that merges by itself.
    TForm* AutoMergeForm(TMainMenu*& menu) {
        auto* form = NewComponent<TForm>(Application);
        form->SetBounds(100, 100, 200, 150);
        menu = NewMenu(form, {{"&Tools", 3}, {"&Modifica", 1}});
        menu->SetAutoMerge(true);
        form->SetMenu(menu);
        return form;
    }

    const std::vector<std::string> Original{"&File", "&Edit", "&Window", "&Help"};
    const std::vector<std::string> Merged{"&File", "&Modifica", "&Tools", "&Window", "&Help"};
    TForm* FMain = nullptr;
    TMainMenu* FMenu = nullptr;
};

TEST_F(TMenuMergeTest, ItemsGoInByGroupAndUnmergingRestoresBothMenus) {
    TForm* other = ShownForm();
    TMainMenu* child = NewMenu(other, {{"&Tools", 3}, {"&Modifica", 1}, {"&Strumenti", 3}, {"&Last", 20}});
    TMenuItem* tools = child->Items()->Items(0);
    std::vector<bool> rebuilds;
    FMenu->OnChange = [&](TObject*, TMenuItem* source, bool rebuild) {
        EXPECT_EQ(source, nullptr) << "the whole menu changed";
        rebuilds.push_back(rebuild);
    };
    FMenu->Merge(child);
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&Modifica", "&Tools", "&Strumenti",
                                                         "&Window", "&Help", "&Last"}))
        << "Modifica replaces Edit of its group; the others go in group order";
    EXPECT_EQ(Captions(child), std::vector<std::string>{});
    EXPECT_EQ(rebuilds, std::vector<bool>{true}) << "one notification for the whole merge";
    EXPECT_EQ(FMenu->MergedMenu(), child);
    EXPECT_EQ(tools->Owner(), other) << "merged items stay the other form's";
    EXPECT_EQ(tools->GetParentMenu(), FMenu);
    EXPECT_EQ(BarCaptions(FMain), Captions(FMenu)) << "the form's bar shows the merged menu";

    FMenu->Merge(child);
    EXPECT_EQ(rebuilds.size(), 1u) << "merging the merged menu again changes nothing";
    FMenu->Unmerge(FMenu);
    EXPECT_EQ(rebuilds.size(), 1u) << "only the merged menu unmerges";

    FMenu->Unmerge(child);
    EXPECT_EQ(Captions(FMenu), Original);
    EXPECT_EQ(Captions(child), (std::vector<std::string>{"&Tools", "&Modifica", "&Strumenti", "&Last"}));
    EXPECT_EQ(FMenu->MergedMenu(), nullptr);
    EXPECT_EQ(tools->GetParentMenu(), child);
    EXPECT_EQ(BarCaptions(FMain), Original);

    // Merging another menu first gives the merged one its items back; nullptr only unmerges.
    TMainMenu* third = NewMenu(other, {{"&Help too", 9}});
    FMenu->Merge(child);
    FMenu->Merge(third);
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&Edit", "&Window", "&Help too"}));
    EXPECT_EQ(Captions(child).size(), 4u);
    FMenu->Merge(nullptr);
    EXPECT_EQ(Captions(FMenu), Original);
    EXPECT_EQ(Captions(third), std::vector<std::string>{"&Help too"});
}

// Each merged or replaced item, and each menu, may go while merged; no one frees what is not its own.
TEST_F(TMenuMergeTest, FreeingAMenuOrAnItemWhileMergedLeavesTheOthersWhole) {
    TForm* other = ShownForm();
    TMainMenu* child = NewMenu(other, {{"&Tools", 3}, {"&Modifica", 1}});
    FMenu->Merge(child);
    delete child;
    EXPECT_EQ(Captions(FMenu), Original) << "the merged menu took its items back as it went";
    EXPECT_EQ(FMenu->MergedMenu(), nullptr);

    child = NewMenu(other, {{"&Tools", 3}, {"&Modifica", 1}});
    FMenu->Merge(child);
    delete FMenu->Items()->Items(2); // Tools, merged
    FMenu->Unmerge(child);
    EXPECT_EQ(Captions(child), std::vector<std::string>{"&Modifica"});
    EXPECT_EQ(Captions(FMenu), Original);

    TMenuItem* edit = FMenu->Items()->Items(1);
    FMenu->Merge(child);
    EXPECT_EQ(edit->Parent(), nullptr) << "replaced, out of the menu";
    delete edit;
    FMenu->Unmerge(child);
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&Window", "&Help"}));

    // The main menu goes first: the merged items return to their menu and live on.
    FMenu->Merge(child);
    delete FMenu;
    EXPECT_EQ(Captions(child), std::vector<std::string>{"&Modifica"});
    EXPECT_EQ(BarCaptions(FMain), std::vector<std::string>{});
    delete other;
}

TEST_F(TMenuMergeTest, AnAutoMergeMenuJoinsTheMainMenuWhileItsFormShows) {
    TMainMenu* menu = nullptr;
    TForm* form = AutoMergeForm(menu);
    EXPECT_EQ(Captions(FMenu), Original) << "not while hidden";
    form->Show();
    Pump();
    EXPECT_EQ(Captions(FMenu), Merged);
    EXPECT_EQ(BarCaptions(FMain), Merged);
    EXPECT_EQ(BarCaptions(form), std::vector<std::string>{}) << "the form shows no bar of its own";
    form->Hide();
    EXPECT_EQ(Captions(FMenu), Original);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"&Tools", "&Modifica"}));

    form->Show();
    menu->SetAutoMerge(false);
    EXPECT_EQ(Captions(FMenu), Original);
    EXPECT_EQ(BarCaptions(form), (std::vector<std::string>{"&Tools", "&Modifica"})) << "its own bar again";
    menu->SetAutoMerge(true);
    EXPECT_EQ(BarCaptions(form), std::vector<std::string>{});
    EXPECT_EQ(Captions(FMenu), Merged);
    form->SetMenu(nullptr);
    EXPECT_EQ(Captions(FMenu), Original) << "a menu taken from its form leaves";
    form->SetMenu(menu);
    EXPECT_EQ(Captions(FMenu), Merged);
    delete form;
    EXPECT_EQ(Captions(FMenu), Original);
    EXPECT_EQ(BarCaptions(FMain), Original);

    // Without AutoMerge a shown form keeps its menu; the main form's own menu never merges into itself.
    TForm* plain = ShownForm();
    plain->SetMenu(NewMenu(plain, {{"&Tools", 3}}));
    EXPECT_EQ(Captions(FMenu), Original);
    FMenu->SetAutoMerge(true);
    FMain->Hide();
    FMain->Show();
    EXPECT_EQ(Captions(FMenu), Original);
}

TEST_F(TMenuMergeTest, TheMainFormMayGoFirst) {
    TMainMenu* menu = nullptr;
    TForm* form = AutoMergeForm(menu);
    form->Show();
    Pump();
    EXPECT_EQ(Captions(FMenu), Merged);
    delete FMain;
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"&Tools", "&Modifica"}));
    form->Hide();
    form->Show();
    EXPECT_EQ(Captions(menu).size(), 2u) << "no main form, no merging";
}

TEST_F(TMenuMergeTest, AnMDIChildsMenuIsMergedWhileItIsTheActiveChild) {
    delete FMain;
    Application->CreateForm(FMain);
    FMain->SetFormStyle(fsMDIForm);
    FMain->SetBounds(50, 50, 600, 450);
    FMenu = NewMenu(FMain, {{"&File", 0}, {"&Edit", 1}, {"&Window", 5}, {"&Help", 9}});
    FMain->SetMenu(FMenu);
    FMain->Show();
    Pump();
    auto child = [](const std::string& caption) {
        auto* form = NewComponent<TForm>(Application);
        form->SetFormStyle(fsMDIChild);
        form->SetBounds(10, 10, 200, 150);
        form->SetMenu(NewMenu(form, {{caption, 1}}));
        return form;
    };
    TForm* a = child("&A edit");
    TForm* b = child("&B edit");
    EXPECT_FALSE(a->Menu()->AutoMerge());
    a->Show();
    Pump();
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&A edit", "&Window", "&Help"}));
    EXPECT_EQ(BarCaptions(a), std::vector<std::string>{}) << "a child's menu shows in its parent's bar";
    b->Show();
    Pump();
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&B edit", "&Window", "&Help"}));
    EXPECT_EQ(Captions(a->Menu()), std::vector<std::string>{"&A edit"});
    SendMessage(FMain->ClientHandle(), WM_MDIACTIVATE, WPARAM(a->Handle()));
    EXPECT_EQ(Captions(FMenu), (std::vector<std::string>{"&File", "&A edit", "&Window", "&Help"}));
    delete a;
    EXPECT_EQ(Captions(FMenu), Original);
    delete FMain;
    FMain = nullptr;
}

} // namespace
