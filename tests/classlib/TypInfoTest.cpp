#include "TestClasses.h"

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

struct Fixture : ::testing::Test {
    void SetUp() override { RegisterTestClasses(); }
    std::unique_ptr<TTestForm> form{NewComponent<TTestForm>(nullptr)};
    TWidget* widget = NewComponent<TWidget>(form.get());
};
using TypInfo = Fixture;
} // namespace

TEST_F(TypInfo, OrdinalPropertiesByNameGoThroughTheirSetters) {
    SetOrdProp(widget, "left", 42);
    EXPECT_EQ(widget->FLeft, 42);
    EXPECT_EQ(widget->Log.back(), "Left=42");
    EXPECT_EQ(GetOrdProp(widget, "Left"), 42);
    SetOrdProp(widget, "Tag", -7); // inherited from TComponent
    EXPECT_EQ(widget->Tag(), -7);
    SetOrdProp(widget, "Color", clWindow);
    EXPECT_EQ(widget->FColor, clWindow);
    EXPECT_EQ(ErrorOf([&] { SetOrdProp(widget, "Left", int64_t(1) << 40); }),
              "1099511627776 is out of range for TWidget.Left");
    EXPECT_EQ(ErrorOf([&] { SetOrdProp(widget, "Visible", 2); }), "2 is out of range for TWidget.Visible");
    EXPECT_EQ(ErrorOf([&] { SetOrdProp(widget, "Caption", 1); }),
              "TWidget.Caption is not an ordinal property (it is string)");
    EXPECT_EQ(ErrorOf([&] { GetOrdProp(widget, "Width"); }), "TWidget has no published property Width");
}

TEST_F(TypInfo, EnumerationsAndSetsByValueName) {
    SetEnumProp(widget, "Shade", "SHDARK");
    EXPECT_EQ(widget->FShade, TShade::shDark);
    EXPECT_EQ(GetEnumProp(widget, "Shade"), "shDark");
    EXPECT_EQ(ErrorOf([&] { SetEnumProp(widget, "Shade", "shPurple"); }),
              "'shPurple' is not a value of TWidget.Shade");
    EXPECT_EQ(ErrorOf([&] { SetOrdProp(widget, "Shade", 3); }), "3 is not a value of TShade (TWidget.Shade)");
    EXPECT_EQ(widget->FShade, TShade::shDark);
    SetEnumProp(widget, "Visible", "false");
    EXPECT_FALSE(widget->FVisible);
    EXPECT_EQ(GetEnumProp(widget, "Visible"), "False");

    SetSetProp(widget, "Traits", "trWide, trBold");
    EXPECT_EQ(widget->FTraits, (TTraits{TTrait::trBold, TTrait::trWide}));
    EXPECT_EQ(GetSetProp(widget, "Traits"), "trBold,trWide");
    SetSetProp(widget, "Traits", "");
    EXPECT_TRUE(widget->FTraits.Empty());
    EXPECT_EQ(ErrorOf([&] { SetOrdProp(widget, "Traits", 0b1001); }),
              "The set holds 3, which is not a value of TTrait (TWidget.Traits)");
    EXPECT_EQ(ErrorOf([&] { SetSetProp(widget, "Traits", "trBold,trHeavy"); }),
              "'trHeavy' is not a value of TTrait (TWidget.Traits)");
}

TEST_F(TypInfo, StringsFloatsAndObjects) {
    SetStrProp(widget, "Caption", "Ciao");
    EXPECT_EQ(GetStrProp(widget, "caption"), "Ciao");
    SetStrProp(widget, "Name", "Button1"); // through SetName, so the form's field follows
    EXPECT_EQ(form->Button1, widget);
    SetFloatProp(widget, "Ratio", 2.5);
    EXPECT_DOUBLE_EQ(GetFloatProp(widget, "Ratio"), 2.5);

    auto* buddy = NewComponent<TWidget>(form.get());
    SetObjectProp(widget, "Buddy", buddy);
    EXPECT_EQ(GetObjectProp(widget, "Buddy"), buddy);
    delete buddy;
    EXPECT_EQ(widget->FBuddy, nullptr);
    EXPECT_EQ(ErrorOf([&] { SetObjectProp(widget, "Buddy", form.get()); }), "no error"); // a subclass fits
    EXPECT_EQ(ErrorOf([&] { SetObjectProp(widget, "Buddy", &widget->FFace); }),
              "A TFace cannot be assigned to TWidget.Buddy, which holds a TWidget");
    EXPECT_EQ(GetObjectProp(widget, "Face"), &widget->FFace);
    EXPECT_EQ(ErrorOf([&] { SetObjectProp(widget, "Face", nullptr); }), "TWidget.Face is read-only");
    EXPECT_EQ(GetObjectProp(widget, "Tabs"), &widget->FTabs);
}

TEST_F(TypInfo, TablesChainToTheParentAndKnowKindsAndDefaults) {
    const TClassInfo& info = TTestForm::StaticClassInfo();
    EXPECT_TRUE(info.InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_FALSE(TComponent::StaticClassInfo().InheritsFrom(info));
    EXPECT_TRUE(HasPublishedProperty(form.get(), "Caption"));
    EXPECT_TRUE(HasPublishedProperty(form.get(), "NAME"));
    EXPECT_FALSE(HasPublishedProperty(form.get(), "FileTheme"));
    EXPECT_FALSE(HasPublishedProperty(nullptr, "Name"));

    const TPropInfo* color = info.FindProperty("Color");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Kind, TPropKind::Color);
    EXPECT_EQ(color->OrdDefault, clBtnFace);
    EXPECT_EQ(color->DeclaringClass, &TWidget::StaticClassInfo());
    EXPECT_EQ(info.FindProperty("Visible")->OrdDefault, 1);
    EXPECT_EQ(info.FindProperty("Lines")->Kind, TPropKind::Strings);
    EXPECT_EQ(info.FindProperty("Glyph")->Kind, TPropKind::Picture);
    EXPECT_EQ(info.Properties().front()->Name, "Name"); // the parents' come first
    EXPECT_NE(info.FindMethod("buttonclick"), nullptr);
    EXPECT_EQ(TWidget::StaticClassInfo().FindMethod("ButtonClick"), nullptr);
    EXPECT_EQ(GetClass("ttestform"), &info);

    // A class that publishes a parent's property again replaces it, in its place.
    const TClassInfo& other = TOtherForm::StaticClassInfo();
    EXPECT_EQ(other.FindProperty("Left")->OrdDefault, 100);
    EXPECT_EQ(other.FindProperty("Left")->DeclaringClass, &other);
    EXPECT_EQ(info.FindProperty("Left")->OrdDefault, 0);
    ASSERT_EQ(other.Properties().size(), info.Properties().size());
    for (size_t i = 0; i < info.Properties().size(); ++i) {
        EXPECT_EQ(other.Properties()[i]->Name, info.Properties()[i]->Name);
    }
    EXPECT_EQ(GetClass("TUnregistered"), nullptr);

    // Every published name is found as itself, in any case; a name that only begins or extends one is not.
    for (const TPropInfo* prop : other.Properties()) {
        EXPECT_EQ(other.FindProperty(prop->Name), prop) << prop->Name;
        EXPECT_EQ(other.FindProperty(LowerCase(prop->Name)), prop) << prop->Name;
        EXPECT_EQ(other.FindProperty(UpperCase(prop->Name)), prop) << prop->Name;
        for (const std::string& near : {prop->Name.substr(0, prop->Name.size() - 1), prop->Name + "x"}) {
            const bool published = std::any_of(other.Properties().begin(), other.Properties().end(),
                                               [&](const TPropInfo* p) { return SameText(p->Name, near); });
            EXPECT_EQ(other.FindProperty(near) != nullptr, published) << near;
        }
    }
    EXPECT_EQ(other.FindProperty(""), nullptr);
}

TEST_F(TypInfo, EventsTakeOnlyHandlersOfTheirType) {
    const TPropInfo& onClick = FindPropInfo(widget, "OnClick");
    onClick.SetEventValue(*widget, form->ClassInfo().FindMethod("ButtonClick")->Bind(*form));
    widget->FOnClick(widget);
    ASSERT_EQ(form->Clicks.size(), 1u);
    EXPECT_EQ(form->Clicks[0], widget);

    const TPropInfo& onKey = FindPropInfo(widget, "OnKey");
    EXPECT_EQ(ErrorOf([&] { onKey.SetEventValue(*widget, form->ClassInfo().FindMethod("ButtonClick")->Bind(*form)); }),
              "The handler does not have the parameters of the event TWidget.OnKey");
    onKey.SetEventValue(*widget, form->ClassInfo().FindMethod("KeyHandler")->Bind(*form));
    char key = 'a';
    widget->FOnKey(widget, key);
    EXPECT_EQ(key, 'X');
}
