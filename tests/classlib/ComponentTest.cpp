#include "TestClasses.h"

#include "classlib/Component.h"
#include "platform/Exception.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {
std::set<const TComponent*>& Alive() {
    static std::set<const TComponent*> alive;
    return alive;
}

std::vector<std::string>& FreedNames() {
    static std::vector<std::string> names;
    return names;
}

// Holds references to other components the way controls hold a data source or a theme: cleared on removal.
class TLinker : public TComponent {
    VMR_CLASS(TLinker, TComponent)

public:
    ~TLinker() override {
        Alive().erase(this);
        FreedNames().push_back(Name() + (ComponentState().Contains(csDestroying) ? "" : " (not marked)"));
    }
    void Link(TComponent* target) {
        Targets.push_back(target);
        target->FreeNotification(this);
    }
    std::vector<TComponent*> Targets;
    std::vector<std::pair<TComponent*, TOperation>> Heard;

protected:
    explicit TLinker(TComponent* owner) : TComponent(owner) { Alive().insert(this); }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        // Only the address is used: the component may be half destroyed.
        Heard.emplace_back(component, operation);
        if (operation == opInsert) Inserted.push_back(component->ClassName());
        if (operation == opRemove) std::erase(Targets, component);
    }

public:
    std::vector<std::string> Inserted; // the class names of the new components heard of
};

// Reaches the override of the most-derived class from the second construction phase.
class TStyled : public TComponent {
    VMR_CLASS(TStyled, TComponent)

public:
    void AfterConstruction() override {
        TComponent::AfterConstruction();
        ApplyStyle();
    }
    virtual void ApplyStyle() { Style = "base"; }
    std::string Style;

protected:
    using TComponent::TComponent;
};

class TDerivedStyled : public TStyled {
    VMR_CLASS(TDerivedStyled, TStyled)

public:
    void ApplyStyle() override { Style = "derived:" + Colour; }
    std::string Colour = "blue"; // set by the constructor, before the style is applied

protected:
    using TStyled::TStyled;
};
} // namespace

TEST(Component, OwnsItsComponentsInCreationOrderAndFindsThemByName) {
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    auto* a = NewComponent<TComponent>(owner.get());
    auto* b = NewComponent<TComponent>(owner.get());
    a->SetName("Alpha");
    b->SetName("Beta_2");
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner->FindComponent("ALPHA"), a);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    EXPECT_THROW(owner->Components(2), EListError);

    try {
        b->SetName("alpha");
        FAIL() << "a duplicate name was accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named alpha already exists");
    }
    EXPECT_EQ(b->Name(), "Beta_2");
    a->SetName("alpha"); // renaming itself in another case is not a duplicate
    try {
        a->SetName("9lives");
        FAIL() << "an invalid name was accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "'9lives' is not a valid component name");
    }
    EXPECT_THROW(a->SetName("two words"), EComponentError);

    delete a;
    ASSERT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    EXPECT_EQ(b->Owner(), owner.get());
}

TEST(Component, InsertAndRemoveReachEveryComponentOfTheOwnerTree) {
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    auto* sibling = NewComponent<TLinker>(owner.get());
    auto* inner = NewComponent<TComponent>(owner.get());
    auto* nested = NewComponent<TLinker>(inner); // owned one level further down
    auto* added = NewComponent<TComponent>(owner.get());
    ASSERT_FALSE(sibling->Heard.empty());
    EXPECT_EQ(sibling->Heard.back(), std::make_pair(added, opInsert));
    EXPECT_EQ(nested->Heard.back(), std::make_pair(added, opInsert));
    delete added;
    EXPECT_EQ(sibling->Heard.back(), std::make_pair(added, opRemove));
    EXPECT_EQ(nested->Heard.back(), std::make_pair(added, opRemove));
}

TEST(Component, AnInsertionIsHeardOfOnceTheComponentIsWholeAndDesigningSpreadsDownTheOwners) {
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    auto* watcher = NewComponent<TLinker>(owner.get());
    watcher->Inserted.clear();
    NewComponent<TDerivedStyled>(owner.get());
    EXPECT_EQ(watcher->Inserted, std::vector<std::string>{"TDerivedStyled"}) << "heard of as what it is, once";
    std::unique_ptr<TComponent> loose(NewComponent<TStyled>(nullptr));
    owner->InsertComponent(loose.get());
    EXPECT_EQ(watcher->Inserted.back(), "TStyled");
    owner->RemoveComponent(loose.get());

    // A designer's form: what it owns designs, and so does what is made on it later, at any depth.
    auto* inner = NewComponent<TComponent>(owner.get());
    owner->SetDesigning(true);
    EXPECT_TRUE(watcher->ComponentState().Contains(csDesigning));
    auto* made = NewComponent<TComponent>(inner);
    EXPECT_TRUE(made->ComponentState().Contains(csDesigning));
    owner->InsertComponent(loose.get());
    EXPECT_TRUE(loose->ComponentState().Contains(csDesigning));
    owner->RemoveComponent(loose.get());
    owner->SetDesigning(false, false);
    EXPECT_FALSE(owner->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(made->ComponentState().Contains(csDesigning));
    owner->SetDesigning(false);
    EXPECT_FALSE(made->ComponentState().Contains(csDesigning));
}

TEST(Component, FreeingInEveryOrderLeavesNoReferenceToAFreedComponent) {
    // Two forms; components refer to each other within a form and across the forms, both ways.
    std::vector<int> order = {0, 1, 2, 3, 4};
    do {
        Alive().clear();
        TComponent* formA = NewComponent<TLinker>(nullptr);
        TComponent* formB = NewComponent<TLinker>(nullptr);
        auto* a1 = NewComponent<TLinker>(formA);
        auto* a2 = NewComponent<TLinker>(formA);
        auto* b1 = NewComponent<TLinker>(formB);
        a1->Link(b1);
        b1->Link(a1);
        a2->Link(a1); // same owner: told by the owner, once
        b1->Link(a2);
        a1->Link(formB);
        std::vector<TComponent*> handles = {formA, formB, a1, a2, b1};
        for (int index : order) {
            TComponent* victim = handles[size_t(index)];
            if (!Alive().count(victim)) continue; // already freed with its owner
            delete victim;
            for (const TComponent* c : Alive()) {
                for (TComponent* t : static_cast<const TLinker*>(c)->Targets) {
                    ASSERT_TRUE(Alive().count(t)) << "a freed component is still referenced";
                }
            }
        }
        ASSERT_TRUE(Alive().empty());
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(Component, SameOwnerHearsOfARemovalOnceAndUnlinkingStopsNotices) {
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    std::unique_ptr<TComponent> other(NewComponent<TComponent>(nullptr));
    auto* watcher = NewComponent<TLinker>(owner.get());
    auto* target = NewComponent<TComponent>(owner.get());
    auto* far = NewComponent<TComponent>(other.get());
    watcher->Link(target);
    watcher->Link(far);
    watcher->Heard.clear();
    delete target;
    EXPECT_EQ(std::count(watcher->Heard.begin(), watcher->Heard.end(), std::make_pair(target, opRemove)), 1);

    far->RemoveFreeNotification(watcher);
    watcher->Heard.clear();
    delete far;
    EXPECT_TRUE(watcher->Heard.empty());
}

TEST(Component, DestructionMarksTheOwnedComponentsAndFreesTheLastFirst) {
    auto* owner = NewComponent<TComponent>(nullptr);
    auto* first = NewComponent<TLinker>(owner);
    auto* second = NewComponent<TLinker>(owner);
    auto* grandchild = NewComponent<TLinker>(second);
    first->SetName("First");
    second->SetName("Second");
    grandchild->SetName("Grandchild");
    EXPECT_FALSE(first->ComponentState().Contains(csDesigning));
    FreedNames().clear();
    delete owner;
    // A destructor's own body runs while what the component owns still exists.
    EXPECT_EQ(FreedNames(), (std::vector<std::string>{"Second", "Grandchild", "First"}));
}

TEST(Component, TwoPhaseConstructionReachesTheDerivedOverride) {
    std::unique_ptr<TStyled> base(NewComponent<TStyled>(nullptr));
    std::unique_ptr<TStyled> derived(NewComponent<TDerivedStyled>(nullptr));
    EXPECT_EQ(base->Style, "base");
    EXPECT_EQ(derived->Style, "derived:blue");

    RegisterClass<TDerivedStyled>();
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    auto* byName = dynamic_cast<TDerivedStyled*>(CreateComponent("tderivedstyled", owner.get()));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->Style, "derived:blue");
    EXPECT_EQ(byName->Owner(), owner.get());
    try {
        CreateComponent("TNoSuchThing", owner.get());
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "Class TNoSuchThing not found");
    }
}

TEST(Component, PublishedFieldsFollowTheComponentOfTheirName) {
    RegisterTestClasses();
    std::unique_ptr<TTestForm> form(NewComponent<TTestForm>(nullptr));
    auto* button = NewComponent<TWidget>(form.get());
    EXPECT_EQ(form->Button1, nullptr);
    button->SetName("Button1");
    EXPECT_EQ(form->Button1, button);
    button->SetName("Renamed");
    EXPECT_EQ(form->Button1, nullptr);
    button->SetName("Button1");
    delete button;
    EXPECT_EQ(form->Button1, nullptr);

    auto* plain = NewComponent<TComponent>(form.get());
    try {
        plain->SetName("Button1");
        FAIL() << "a TComponent went into a TWidget field";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "Field TTestForm.Button1 holds a TWidget, not a TComponent");
    }
    EXPECT_EQ(plain->Name(), "");
    plain->SetName("Holder"); // a field of a base class takes any component
    EXPECT_EQ(form->Holder, plain);
}

TEST(Persistent, AssignWithoutSupportNamesBothClasses) {
    TFace face;
    TStringList list;
    try {
        face.Assign(&list);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TStringList to a TFace");
    }
    try {
        face.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TFace");
    }
}
