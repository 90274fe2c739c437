#include "TestClasses.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {
TTab* TabAt(TCollection& c, int i) { return static_cast<TTab*>(c.Items(i)); }
} // namespace

TEST(Collection, ItemsKeepOrderIndexAndOwnerAndUpdateOncePerBracket) {
    TFace owner;
    TTabs tabs(&owner);
    auto* first = static_cast<TTab*>(tabs.Add());
    auto* second = static_cast<TTab*>(tabs.Add());
    auto* third = static_cast<TTab*>(tabs.Add());
    EXPECT_EQ(tabs.Updates, 3);
    EXPECT_EQ(third->Index(), 2);
    EXPECT_EQ(tabs.GetOwner(), &owner);
    EXPECT_EQ(third->GetOwner(), &tabs);
    EXPECT_EQ(tabs.FindItemID(second->ID()), second);

    third->SetIndex(0);
    EXPECT_EQ(TabAt(tabs, 0), third);
    EXPECT_EQ(first->Index(), 1);
    third->SetIndex(99); // clamped to the last place
    EXPECT_EQ(TabAt(tabs, 2), third);

    tabs.Updates = 0;
    tabs.BeginUpdate();
    tabs.Delete(0);
    delete second; // freeing an item removes it
    tabs.EndUpdate();
    EXPECT_EQ(tabs.Updates, 1);
    ASSERT_EQ(tabs.Count(), 1);
    EXPECT_EQ(TabAt(tabs, 0), third);
    EXPECT_THROW(tabs.Delete(1), EListError);
    EXPECT_EQ(tabs.FindItemID(-5), nullptr);
}

TEST(Collection, AssignReplacesTheItemsWithCopies) {
    TTabs source(nullptr), target(nullptr);
    auto* a = static_cast<TTab*>(source.Add());
    a->FCaption = "Uno";
    a->FFace.FSize = 12;
    static_cast<TTab*>(source.Add())->FCaption = "Due";
    target.Add();
    target.Updates = 0;
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_NE(TabAt(target, 0), a);
    EXPECT_EQ(TabAt(target, 0)->FCaption, "Uno");
    EXPECT_EQ(TabAt(target, 0)->FFace.FSize, 12);
    EXPECT_EQ(TabAt(target, 1)->FCaption, "Due");
    EXPECT_EQ(target.Updates, 1);
    TStringList lines;
    EXPECT_THROW(target.Assign(&lines), EConvertError);
    target.Clear();
    EXPECT_EQ(target.Count(), 0);
}
