#include "TestClasses.h"

#include "classlib/LayoutReader.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {
constexpr std::string_view EveryKind = R"(object Form1: TTestForm
  Left = 207
  Caption = 'Il Velmarune'
  Face.Name = 'MS Sans Serif'
  Face.Size = -11
  Face.Traits = []
  OnClick = ButtonClick
  object Button1: TWidget
    Left = -5
    Visible = False
    Shade = SHDARK
    Traits = [trBold, trWide]
    Caption = 'L'#39'arte '#232' '#$2019 +
      'segue'
    Ratio = 1.5E2
    Color = $00FBFBFB
    Buddy = Form1.Panel
    OnClick = ButtonClick
    OnKey = KeyHandler
    Tabs = <
      item
        Caption = 'Uno'
        Width = 10
        Face.Size = 12
      end
      item
        Caption = 'Due'
      end>
    Lines.Strings = (
      'prima'
      'seconda')
    Glyph = {
      89504E47
      0d0a}
    object Inner: TWidget
      Buddy = Form1
      Color = clBtnFace
    end
  end
  object Panel: TWidget
    Buddy = Button1
    Glyph = 'tavleft.png'
    Color = 16514043
    Ratio = -2
    Lines = ()
  end
end
)";

std::string ReadError(std::string_view text) {
    RegisterTestClasses();
    std::unique_ptr<TComponent> owner(NewComponent<TComponent>(nullptr));
    try {
        ReadLayout(text, "ERR", owner.get());
    } catch (const EReadError& e) {
        EXPECT_EQ(owner->ComponentCount(), 0) << "a failed layout left its root behind";
        return e.Message();
    }
    return "no error";
}

std::string Form(std::string_view body) { return "object Form1: TTestForm\n" + std::string(body) + "end\n"; }
} // namespace

TEST(LayoutReader, ReadsEveryKindOfValueThroughTheSetters) {
    RegisterTestClasses();
    std::unique_ptr<TTestForm> form(NewComponent<TTestForm>(nullptr));
    static_cast<TTab*>(form->FTabs.Add())->FCaption = "stale";
    ReadLayoutInto(*form, EveryKind, "TFORM1");

    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->FLeft, 207);
    EXPECT_EQ(form->FFace.FName, "MS Sans Serif");
    EXPECT_EQ(form->FFace.FSize, -11);
    ASSERT_EQ(form->ComponentCount(), 3);
    auto* button = form->Button1;
    ASSERT_NE(button, nullptr);
    auto* inner = dynamic_cast<TWidget*>(form->FindComponent("Inner"));
    auto* panel = dynamic_cast<TWidget*>(form->FindComponent("Panel"));
    ASSERT_TRUE(inner && panel);
    EXPECT_EQ(inner->Owner(), form.get()); // the root owns every component, nested or not
    EXPECT_EQ(inner->FParentWidget, button);
    EXPECT_EQ(button->FParentWidget, form.get());

    EXPECT_EQ(button->FLeft, -5);
    EXPECT_FALSE(button->FVisible);
    EXPECT_EQ(button->FShade, TShade::shDark);
    EXPECT_EQ(button->FTraits, (TTraits{TTrait::trBold, TTrait::trWide}));
    EXPECT_EQ(button->FCaption, "L'arte \xC3\xA8 \xE2\x80\x99segue");
    EXPECT_DOUBLE_EQ(button->FRatio, 150.0);
    EXPECT_EQ(button->FColor, 0x00FBFBFB);
    EXPECT_EQ(inner->FColor, clBtnFace);
    EXPECT_EQ(panel->FColor, 16514043);
    EXPECT_DOUBLE_EQ(panel->FRatio, -2.0);
    EXPECT_EQ(button->FGlyph.Data, (std::vector<uint8_t>{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}));
    EXPECT_EQ(panel->FGlyph.FileName, "tavleft.png");
    EXPECT_EQ(button->FLines.Text(), "prima\r\nseconda\r\n");
    EXPECT_EQ(panel->FLines.Count(), 0);

    ASSERT_EQ(button->FTabs.Count(), 2);
    auto* uno = static_cast<TTab*>(button->FTabs.Items(0));
    EXPECT_EQ(uno->FCaption, "Uno");
    EXPECT_EQ(uno->FWidth, 10);
    EXPECT_EQ(uno->FFace.FSize, 12);
    EXPECT_EQ(form->FTabs.Count(), 1); // the layout does not name it: untouched
    EXPECT_EQ(button->FTabs.Updates, 1);

    // References, in either direction of the stream, and to the form itself.
    EXPECT_EQ(button->FBuddy, panel);
    EXPECT_EQ(panel->FBuddy, button);
    EXPECT_EQ(inner->FBuddy, form.get());

    // Events are bound to the form's methods.
    button->FOnClick(button);
    form->FOnClick(form.get());
    EXPECT_EQ(form->Clicks, (std::vector<TObject*>{button, form.get()}));
    char key = 'a';
    button->FOnKey(button, key);
    EXPECT_EQ(key, 'X');

    // Setters ran in stream order while loading; references came after the tree; Loaded last, once each.
    EXPECT_EQ(button->Log, (std::vector<std::string>{"Left=-5", "Caption=L'arte \xC3\xA8 \xE2\x80\x99segue",
                                                     "Lines", "Buddy=Panel", "Loaded"}));
    EXPECT_TRUE(button->LoadingDuringSetters);
    EXPECT_EQ(form->Log.back(), "Loaded");
    for (TWidget* w : {static_cast<TWidget*>(form.get()), button, inner, panel}) {
        EXPECT_EQ(w->LoadedCalls, 1);
        EXPECT_FALSE(w->ComponentState().Contains(csLoading));
    }
}

TEST(LayoutReader, ClearsACollectionBeforeReadingItsItems) {
    RegisterTestClasses();
    std::unique_ptr<TTestForm> form(NewComponent<TTestForm>(nullptr));
    static_cast<TTab*>(form->FTabs.Add())->FCaption = "stale";
    ReadLayoutInto(*form, Form("Tabs = <item Caption = 'fresh' end>\n"), "TFORM1");
    ASSERT_EQ(form->FTabs.Count(), 1);
    EXPECT_EQ(static_cast<TTab*>(form->FTabs.Items(0))->FCaption, "fresh");
}

TEST(LayoutReader, AReferenceToAFormMadeLaterIsSetWhenThatFormIsRead) {
    RegisterTestClasses();
    std::unique_ptr<TComponent> app(NewComponent<TComponent>(nullptr));
    auto* report = static_cast<TTestForm*>(ReadLayout(R"(object FrmLibroX: TOtherForm
  object QRDBText: TWidget
    Buddy = FrmMainX.ADOQrySel
  end
end)", "TFRMLIBRO", app.get()));
    auto* text = static_cast<TWidget*>(report->FindComponent("QRDBText"));
    EXPECT_EQ(text->FBuddy, nullptr);
    EXPECT_EQ(text->LoadedCalls, 1);

    auto* main = static_cast<TTestForm*>(ReadLayout(R"(object FrmMainX: TTestForm
  object ADOQrySel: TWidget
  end
end)", "TFRMMAIN", app.get()));
    auto* query = main->FindComponent("ADOQrySel");
    EXPECT_EQ(text->FBuddy, query);
    EXPECT_EQ(TLayoutFixups::Global().PendingCount(), 0u);

    // The reference goes with the form it points into.
    delete main;
    EXPECT_EQ(text->FBuddy, nullptr);
}

TEST(LayoutReader, PendingReferencesDieWithTheirFormAndMissingTargetsAreReported) {
    RegisterTestClasses();
    std::unique_ptr<TComponent> app(NewComponent<TComponent>(nullptr));
    delete ReadLayout("object Gone: TTestForm\n object W: TWidget\n Buddy = LaterY.Thing\n end\nend", "TGONE", app.get());
    ReadLayout("object Early: TTestForm\n object W: TWidget\n\n Buddy = LaterY.Missing\n end\nend", "TEARLY", app.get());
    EXPECT_EQ(TLayoutFixups::Global().PendingCount(), 1u);
    try {
        ReadLayout("object LaterY: TTestForm\nend", "TLATER", app.get());
        FAIL() << "the missing target was not reported";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "TEARLY(4): unknown component LaterY.Missing for TWidget.Buddy");
    }
    // The form whose reading raised it is not left half made.
    EXPECT_EQ(TLayoutFixups::Global().PendingCount(), 0u);
    EXPECT_EQ(TLayoutFixups::Global().FindRoot("latery"), nullptr);
    EXPECT_EQ(app->ComponentCount(), 1);
}

TEST(LayoutReader, EveryProblemNamesTheLayoutLineAndWhatIsWrong) {
    struct TCase {
        std::string Text;
        std::string Message;
    };
    const TCase cases[] = {
        {Form("  object X: TNope\n  end\n"), "ERR(2): unknown class TNope"},
        {"object Form1: TNoRoot\nend\n", "ERR(1): unknown class TNoRoot"},
        {Form("  Bogus = 1\n"), "ERR(2): TTestForm has no property Bogus"},
        {Form("\n  Face.Bogus = 1\n"), "ERR(3): TFace has no property Bogus"},
        {Form("  Left.Size = 1\n"), "ERR(2): TTestForm.Left has no property Size"},
        {Form("  Shade = shPurple\n"), "ERR(2): invalid value shPurple for TTestForm.Shade (TShade)"},
        {Form("  Traits = [trBold, trHeavy]\n"), "ERR(2): invalid value trHeavy for TTestForm.Traits (TTrait)"},
        {Form("  Left = 'x'\n"), "ERR(2): invalid value 'x' for TTestForm.Left (integer)"},
        {Form("  Visible = 1\n"), "ERR(2): invalid value '1' for TTestForm.Visible (Boolean)"},
        {Form("  Color = clPlaid\n"), "ERR(2): invalid value clPlaid for TTestForm.Color (colour)"},
        {Form("  Caption = -'x'\n"), "ERR(2): invalid value -'x' for TTestForm.Caption (string)"},
        {Form("  Face = 1\n"),
         "ERR(2): TTestForm.Face is an object: its properties are set one by one, as Face.Name = ..."},
        {Form("  Left = 99999999999\n"),
         "ERR(2): TTestForm.Left: 99999999999 is out of range for TWidget.Left"},
        {Form("  Name = '9x'\n"), "ERR(2): TTestForm.Name: '9x' is not a valid component name"},
        {Form("  OnClick = Missing\n"), "ERR(2): TTestForm has no method Missing for TTestForm.OnClick"},
        {Form("  OnKey = ButtonClick\n"),
         "ERR(2): TTestForm.OnKey = ButtonClick: The handler does not have the parameters of the event "
         "TWidget.OnKey"},
        {Form("  Buddy = Nobody\n"), "ERR(2): unknown component Nobody for TTestForm.Buddy"},
        {Form("  object Plain: TComponent\n  end\n  Buddy = Plain\n"),
         "ERR(4): TTestForm.Buddy: A TComponent cannot be assigned to TWidget.Buddy, which holds a TWidget"},
        {Form("  object A: TWidget\n  end\n  object A: TWidget\n  end\n"),
         "ERR(4): TWidget A: A component named A already exists"},
        {Form("  Left 5\n"), "ERR(2): expected '=' but found '5'"},
        {Form("  Caption = 'open\n"), "ERR(2): unterminated string"},
        {Form("  Caption = 'a' +\n  5\n"), "ERR(3): expected a string after '+' but found '5'"},
        {Form("  Glyph = {12 3}\n"), "ERR(2): binary data with an odd number of hex digits"},
        {Form("  Lines = ('a' 5)\n"), "ERR(2): expected a string or ')' in TTestForm.Lines but found '5'"},
        {Form("  Tabs = <\n  thing end>\n"), "ERR(3): expected item or '>' but found thing"},
        {Form("  Tabs = <item Wide = 1 end>\n"), "ERR(2): TTab has no property Wide"},
        {Form("  Traits = [trBold trWide]\n"), "ERR(2): expected ',' or ']' but found trWide"},
        {Form("  Left = 1 ;\n"), "ERR(2): unexpected character ';'"},
        {"object Form1: TTestForm\n  object B: TWidget\n", "ERR(2): missing end of B: TWidget"},
        {Form("") + "object", "ERR(3): unexpected object after the end of Form1"},
        {"Form1: TTestForm\nend\n", "ERR(1): expected object but found Form1"},
        {"object Form1 TTestForm\nend\n", "ERR(1): expected ':' but found TTestForm"},
    };
    for (const TCase& c : cases) EXPECT_EQ(ReadError(c.Text), c.Message) << c.Text;
}

TEST(LayoutReader, ReadingIntoARootOfAnotherClassIsRefusedAndFailuresEndLoading) {
    RegisterTestClasses();
    std::unique_ptr<TTestForm> form(NewComponent<TTestForm>(nullptr));
    try {
        ReadLayoutInto(*form, "object Form1: TOtherForm\nend\n", "TOTHER");
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "TOTHER(1): the layout holds a TOtherForm, not a TTestForm");
    }
    // A failed read leaves what it made to the root, none of it marked as loading.
    EXPECT_THROW(ReadLayoutInto(*form, Form("  object W: TWidget\n    Left = 'x'\n  end\n"), "TFORM1"), EReadError);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_FALSE(form->Components(0)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
}
