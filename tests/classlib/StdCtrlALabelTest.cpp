#include "StdCtrlATestSupport.h"

#include "classlib/Label.h"
#include "classlib/ListBox.h"

namespace {

using LabelTest = StdCtrlATest;

TEST_F(LabelTest, AutoSizeFollowsCaptionAndFont) {
    TLabel* label = Make<TLabel>();
    label->SetCaption("Hi");
    int shortWidth = label->Width(), lineHeight = label->Height();
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(lineHeight, 0);

    label->SetCaption("Hi there, a longer caption");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(label->Height(), lineHeight);

    int width = label->Width();
    label->Font()->SetSize(label->Font()->Size() * 2);
    EXPECT_GT(label->Width(), width);
    EXPECT_GT(label->Height(), lineHeight);

    // An "&" marks the accelerator and takes no room; without ShowAccelChar it is text.
    label->Font()->SetSize(label->Font()->Size() / 2);
    label->SetCaption("&Name");
    int withPrefix = label->Width();
    label->SetCaption("Name");
    EXPECT_EQ(label->Width(), withPrefix);
    label->SetShowAccelChar(false);
    label->SetCaption("&Name");
    EXPECT_GT(label->Width(), withPrefix);

    // An empty caption keeps one line's height.
    label->SetCaption("");
    EXPECT_EQ(label->Height(), lineHeight);

    label->SetAutoSize(false);
    label->SetBounds(10, 10, 30, 30);
    label->SetCaption("Another long caption that would be wider");
    EXPECT_EQ(label->BoundsRect(), (TRect{10, 10, 40, 40}));
}

TEST_F(LabelTest, WordWrapKeepsWidthAndRightAlignmentKeepsRightEdge) {
    TLabel* label = Make<TLabel>();
    label->SetCaption("one");
    int lineHeight = label->Height();
    label->SetWidth(60);
    label->SetWordWrap(true);
    label->SetCaption("several words that cannot fit on one line of sixty pixels");
    EXPECT_EQ(label->Width(), 60);
    EXPECT_GE(label->Height(), 3 * lineHeight);

    TLabel* right = Make<TLabel>();
    right->SetAlignment(taRightJustify);
    right->SetBounds(100, 50, 80, lineHeight);
    right->SetCaption("x");
    EXPECT_EQ(right->Left() + right->Width(), 180);
    right->SetCaption("a much longer text");
    EXPECT_EQ(right->Left() + right->Width(), 180);
}

TEST_F(LabelTest, PaintsOpaqueOrTransparentOnItsParent) {
    FForm->SetColor(clWhite);
    TLabel* label = Make<TLabel>();
    label->SetColor(clYellow);
    label->SetCaption("   ");
    label->SetBounds(10, 10, 40, 20);
    EXPECT_EQ(Pixel(12, 12), clYellow);
    label->SetTransparent(true);
    EXPECT_EQ(Pixel(12, 12), clWhite);
}

TEST_F(LabelTest, AcceleratorFocusesItsFocusControl) {
    auto* first = Make<TListBox>();
    auto* target = Make<TListBox>();
    target->SetTop(120);
    TLabel* label = Make<TLabel>();
    label->SetCaption("&Name");
    label->SetFocusControl(target);
    first->SetFocus();
    Pump();
    ASSERT_TRUE(first->Focused());

    // Another letter, or a doubled ampersand, leaves the focus where it is.
    EXPECT_EQ(FForm->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_TRUE(first->Focused());
    label->SetCaption("&&Name");
    EXPECT_EQ(FForm->Perform(CM_DIALOGCHAR, 'n'), 0);
    EXPECT_TRUE(first->Focused());

    label->SetCaption("&Name");
    EXPECT_EQ(FForm->Perform(CM_DIALOGCHAR, 'N'), 1);
    EXPECT_TRUE(target->Focused());

    // Alt with the letter, typed at the keyboard, goes the same way.
    first->SetFocus();
    Pump();
    FHost.KeyDown(VK_MENU);
    FHost.KeyPress('N');
    FHost.KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(target->Focused());

    // A focus control that goes away is forgotten.
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(FForm->Perform(CM_DIALOGCHAR, 'n'), 0);
}

TEST(LabelAccel, IsAccelFindsTheLetterAfterASingleAmpersand) {
    EXPECT_TRUE(IsAccel(U'n', "&Name"));
    EXPECT_TRUE(IsAccel(U'A', "N&ame"));
    EXPECT_FALSE(IsAccel(U'n', "Name"));
    EXPECT_FALSE(IsAccel(U'n', "&&Name"));
    EXPECT_TRUE(IsAccel(U'x', "&&Name &x"));
    EXPECT_FALSE(IsAccel(U'n', "Name&"));
    EXPECT_TRUE(IsAccel(U'è', "P&èrò"));
}

} // namespace
