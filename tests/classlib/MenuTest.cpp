#include "classlib/Actions.h"
#include "classlib/ImageList.h"
#include "classlib/LayoutReader.h"
#include "classlib/Menus.h"
#include "classlib/RegisterMenus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A form-like root whose published method layouts bind menu items to.
class TMenuTestForm : public TComponent {
    VMR_CLASS(TMenuTestForm, TComponent)

  public:
    static void PublishProperties(TPublisher<TMenuTestForm>& p) {
        p.Method("ItemClick", &TMenuTestForm::ItemClick);
        p.Field("Pop", &TMenuTestForm::Pop);
    }
    void ItemClick(TObject* sender) { Clicked.push_back(static_cast<TComponent*>(sender)->Name()); }

    TPopupMenu* Pop = nullptr;
    std::vector<std::string> Clicked;

  protected:
    explicit TMenuTestForm(TComponent* owner) : TComponent(owner) {}
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption) {
    TMenuItem* item = NewComponent<TMenuItem>(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

} // namespace

TEST(ShortCutTest, TextRoundTrip) {
    struct {
        WORD Key;
        TShiftState Shift;
        const char* Text;
    } cases[] = {
        {'D', {ssCtrl}, "Ctrl+D"},
        {VK_F1, {ssShift, ssCtrl}, "Shift+Ctrl+F1"},
        {VK_DELETE, {}, "Del"},
        {'7', {ssAlt}, "Alt+7"},
        {VK_F12, {ssShift, ssAlt}, "Shift+Alt+F12"},
        {VK_RETURN, {ssCtrl, ssAlt}, "Ctrl+Alt+Enter"},
        {VK_PRIOR, {}, "PgUp"},
    };
    for (const auto& c : cases) {
        TShortCut sc = ShortCut(c.Key, c.Shift);
        EXPECT_EQ(ShortCutToText(sc), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), sc) << c.Text;
        WORD key = 0;
        TShiftState shift;
        ShortCutToKey(sc, key, shift);
        EXPECT_EQ(key, c.Key);
        EXPECT_EQ(shift, c.Shift);
    }
    EXPECT_EQ(TextToShortCut(" ctrl+ shift+d "), ShortCut('D', {ssCtrl, ssShift}));
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Hyper+X"), scNone);
    EXPECT_EQ(TextToShortCut("F13"), scNone);
}

TEST(MenuItemTest, TreeEditing) {
    std::unique_ptr<TMenuTestForm> form(NewComponent<TMenuTestForm>(nullptr));
    TPopupMenu* menu = NewComponent<TPopupMenu>(form.get());
    std::vector<std::tuple<TObject*, TMenuItem*, bool>> changes;
    menu->OnChange = [&](TObject* sender, TMenuItem* source, bool rebuild) {
        changes.emplace_back(sender, source, rebuild);
    };
    TMenuItem* file = NewItem(form.get(), menu->Items(), "&File");
    TMenuItem* edit = NewItem(form.get(), menu->Items(), "&Edit");
    TMenuItem* open = NewItem(form.get(), file, "&Open");
    ASSERT_EQ(changes.size(), 3u); // the insertions: captions changed before the items were in the menu
    EXPECT_EQ(changes.back(), std::make_tuple(static_cast<TObject*>(menu), file, true));
    open->SetEnabled(false);
    EXPECT_EQ(changes.back(), std::make_tuple(static_cast<TObject*>(menu), open, false));
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(file->GetParentComponent(), menu);
    EXPECT_EQ(open->GetParentComponent(), file);

    TMenuItem* help = NewComponent<TMenuItem>(form.get());
    menu->Items()->Insert(1, help);
    EXPECT_EQ(help->MenuIndex(), 1);
    EXPECT_EQ(edit->MenuIndex(), 2);
    help->SetMenuIndex(5); // past the end: the last place
    EXPECT_EQ(menu->Items()->IndexOf(help), 2);
    EXPECT_THROW(file->Add(help), EMenuError);
    TMenuItem* loose = NewComponent<TMenuItem>(form.get());
    TMenuItem* inner = NewItem(form.get(), loose, "Inner");
    EXPECT_THROW(inner->Add(loose), EMenuError) << "an item cannot hold itself";
}

TEST(MenuItemTest, RadioGroupsDefaultsAndFreeing) {
    std::unique_ptr<TMenuTestForm> form(NewComponent<TMenuTestForm>(nullptr));
    TPopupMenu* menu = NewComponent<TPopupMenu>(form.get());
    TMenuItem* a = NewItem(form.get(), menu->Items(), "A");
    TMenuItem* b = NewItem(form.get(), menu->Items(), "B");
    TMenuItem* c = NewItem(form.get(), menu->Items(), "C");
    for (TMenuItem* item : {a, b, c})
        item->SetRadioItem(true);
    c->SetGroupIndex(1);
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked()) << "same group";
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()) << "another group";

    a->SetDefault(true);
    b->SetDefault(true);
    EXPECT_FALSE(a->Default());
    EXPECT_TRUE(b->Default());

    NewItem(form.get(), b, "Sub");
    int componentsBefore = form->ComponentCount();
    delete b;
    EXPECT_EQ(form->ComponentCount(), componentsBefore - 2) << "the sub-item went with its parent";
    EXPECT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->IndexOf(c), 1);
}

TEST(MenuItemTest, AnItemShowsItsActionAndRunsItWithoutAHandlerOfItsOwn) {
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    auto* action = NewComponent<TAction>(owner.get());
    action->SetCaption("&Salva");
    action->SetChecked(true);
    action->SetHint("Salva il file");
    action->SetImageIndex(3);
    int executed = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* item = NewComponent<TMenuItem>(owner.get());
    item->SetAction(action);
    EXPECT_EQ(item->Action(), action);
    EXPECT_EQ(item->Caption(), "&Salva");
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(item->Hint(), "Salva il file");
    EXPECT_EQ(item->ImageIndex(), 3);

    // The action's changes reach the item; a click runs the action, or the item's own handler instead.
    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    item->Click();
    EXPECT_EQ(executed, 0) << "disabled";
    action->SetEnabled(true);
    action->SetVisible(false);
    EXPECT_FALSE(item->Visible());
    item->Click();
    EXPECT_EQ(executed, 1);
    int own = 0;
    item->OnClick = [&](TObject*) { ++own; };
    item->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(executed, 1);

    // The action going leaves the item as it was, without it.
    delete action;
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(item->Caption(), "&Salva");
    item->OnClick = nullptr;
    item->Click();
}

TEST(MenuTest, ImagesShortCutsAndFreeingTheMenuFirst) {
    std::unique_ptr<TMenuTestForm> form(NewComponent<TMenuTestForm>(nullptr));
    TPopupMenu* menu = NewComponent<TPopupMenu>(form.get());
    EXPECT_FALSE(menu->IsOwnerDraw());
    std::unique_ptr<TImageList> images(NewComponent<TImageList>(nullptr));
    menu->SetImages(images.get());
    EXPECT_TRUE(menu->IsOwnerDraw()) << "an image list makes the items draw themselves";
    images.reset();
    EXPECT_EQ(menu->Images(), nullptr);

    TMenuItem* edit = NewItem(form.get(), menu->Items(), "Edit");
    TMenuItem* copy = NewItem(form.get(), edit, "Copy");
    TMenuItem* cut = NewItem(form.get(), edit, "Cut");
    copy->SetShortCut(ShortCut('C', {ssCtrl}));
    cut->SetShortCut(ShortCut('X', {ssCtrl}));
    cut->SetEnabled(false);
    std::vector<std::string> ran;
    copy->OnClick = cut->OnClick = [&](TObject* s) { ran.push_back(static_cast<TMenuItem*>(s)->Caption()); };
    EXPECT_TRUE(menu->IsShortCut('C', {ssCtrl}));
    EXPECT_FALSE(menu->IsShortCut('X', {ssCtrl})) << "disabled";
    EXPECT_FALSE(menu->IsShortCut('C', {}));
    edit->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut('C', {ssCtrl})) << "inside a disabled sub-menu";
    EXPECT_EQ(ran, std::vector<std::string>{"Copy"});

    TComponent* target = NewComponent<TMenuTestForm>(nullptr);
    menu->SetPopupComponent(target);
    delete target;
    EXPECT_EQ(menu->PopupComponent(), nullptr);

    // The items belong to the form but leave with the menu, in whichever order things go.
    delete menu;
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(MenuTest, LayoutsNestItemsAndBindClicks) {
    RegisterMenuClasses();
    RegisterClass<TMenuTestForm>();
    std::unique_ptr<TComponent> app(NewComponent<TMenuTestForm>(nullptr));
    auto* form = static_cast<TMenuTestForm*>(ReadLayout(R"(object MenuForm: TMenuTestForm
  object Pop: TPopupMenu
    Alignment = paRight
    object MnuFile: TMenuItem
      Caption = '&File'
      object MnuOpen: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = ItemClick
      end
      object MnuLine: TMenuItem
        Caption = '-'
      end
    end
    object MnuHidden: TMenuItem
      Caption = 'Hidden'
      Visible = False
      Enabled = False
      ImageIndex = 3
    end
  end
end
)",
                                                        "TMENUFORM", app.get()));
    ASSERT_NE(form->Pop, nullptr);
    EXPECT_EQ(form->Pop->Alignment(), paRight);
    TMenuItem* items = form->Pop->Items();
    ASSERT_EQ(items->Count(), 2);
    TMenuItem* file = items->Items(0);
    ASSERT_EQ(file->Count(), 2);
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_EQ(ShortCutToText(file->Items(0)->ShortCut()), "Ctrl+O");
    EXPECT_FALSE(items->Items(1)->Visible());
    EXPECT_EQ(items->Items(1)->ImageIndex(), 3);
    file->Items(0)->Click();
    EXPECT_EQ(form->Clicked, std::vector<std::string>{"MnuOpen"});
    // The item's own refusal, as it raised it.
    EXPECT_THROW(
        ReadLayout("object Bad: TMenuTestForm\n object Stray: TMenuItem\n end\nend\n", "TBAD", app.get()),
        EMenuError);
}

namespace {

// A layout stores AutoMerge, BiDiMode and ParentBiDiMode of a main menu, and the two modes of a popup menu,
// against the defaults the menus start with.
TEST(MenuTest, LayoutsStoreMergingAndReadingOrder) {
    RegisterMenuClasses();
    RegisterClass<TMenuTestForm>();
    const TPropInfo* autoMerge = TMainMenu::StaticClassInfo().FindProperty("AutoMerge");
    const TPropInfo* biDiMode = TPopupMenu::StaticClassInfo().FindProperty("BiDiMode");
    const TPropInfo* parentBiDiMode = TMainMenu::StaticClassInfo().FindProperty("ParentBiDiMode");
    ASSERT_TRUE(autoMerge && biDiMode && parentBiDiMode);
    EXPECT_EQ(autoMerge->OrdDefault, 0);
    EXPECT_EQ(biDiMode->OrdDefault, int64_t(bdLeftToRight));
    EXPECT_EQ(parentBiDiMode->OrdDefault, 1);
    EXPECT_EQ(TPopupMenu::StaticClassInfo().FindProperty("AutoMerge"), nullptr) << "main menus merge";

    std::unique_ptr<TComponent> app(NewComponent<TMenuTestForm>(nullptr));
    auto* form = ReadLayout(R"(object MenuForm: TMenuTestForm
  object MainMenu1: TMainMenu
    AutoMerge = True
    BiDiMode = bdRightToLeft
    ParentBiDiMode = False
    object MnuFile: TMenuItem
      Caption = '&File'
      GroupIndex = 2
    end
  end
  object Pop: TPopupMenu
    BiDiMode = bdRightToLeftReadingOnly
  end
end
)",
                            "TMENUFORM", app.get());
    auto* menu = dynamic_cast<TMainMenu*>(form->FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->AutoMerge());
    EXPECT_EQ(menu->BiDiMode(), bdRightToLeft);
    EXPECT_FALSE(menu->ParentBiDiMode());
    EXPECT_EQ(menu->Items()->Items(0)->GroupIndex(), 2);
    auto* pop = static_cast<TMenuTestForm*>(form)->Pop;
    EXPECT_EQ(pop->BiDiMode(), bdRightToLeftReadingOnly);
    EXPECT_FALSE(pop->ParentBiDiMode()) << "a stored mode is the menu's own";
}

} // namespace
