#include "ControlsTestSupport.h"
#include "classlib/ComboBox.h"
#include "classlib/Edit.h"
#include "classlib/LayoutReader.h"
#include "classlib/Memo.h"
#include "classlib/RegisterEditControls.h"
#include "platform/Services.h"

namespace {

class EditTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        RegisterEditControlsClasses();
        FForm = ShownForm();
        FEdit = Make<TEdit>(FForm, {10, 10, 160, 31});
        FEdit->OnChange = [this](TObject*) { ++FChanges; };
        FEdit->SetFocus();
        Pump();
    }
    void Type(const std::string& text) {
        FHost.TypeText(text);
        Pump();
    }
    void Key(int vk) {
        FHost.KeyPress(vk);
        Pump();
    }
    // The screen point of a client point of the edit's window (inside its sunken border).
    TPoint At(TPoint client) { return ::ClientToScreen(FEdit->Handle(), client); }
    void Chord(int modifier, int vk) {
        FHost.KeyDown(modifier);
        FHost.KeyPress(vk);
        FHost.KeyUp(modifier);
        Pump();
    }

    TForm* FForm = nullptr;
    TEdit* FEdit = nullptr;
    int FChanges = 0;
};

TEST_F(EditTest, TypingAndEditingKeysWorkByCharactersNeverCuttingASequence) {
    Type("caffè");
    EXPECT_EQ(FEdit->Text(), "caffè");
    EXPECT_EQ(FChanges, 5);
    EXPECT_EQ(FEdit->SelStart(), 5);
    Key(VK_BACK); // the two bytes of è go together
    EXPECT_EQ(FEdit->Text(), "caff");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(FEdit->Text(), "aff");
    Type("ß");
    EXPECT_EQ(FEdit->Text(), "ßaff");
    Chord(VK_SHIFT, VK_END);
    EXPECT_EQ(FEdit->SelText(), "aff");
    EXPECT_EQ(FEdit->SelStart(), 1);
    EXPECT_EQ(FEdit->SelLength(), 3);
    Type("x"); // typing replaces the selection
    EXPECT_EQ(FEdit->Text(), "ßx");
}

TEST_F(EditTest, WordMovesAndShiftExtendTheSelection) {
    FEdit->SetText("uno due  tre");
    FEdit->SetSelStart(0);
    Chord(VK_CONTROL, VK_RIGHT);
    EXPECT_EQ(FEdit->SelStart(), 4);
    Chord(VK_CONTROL, VK_RIGHT);
    EXPECT_EQ(FEdit->SelStart(), 9);
    FHost.KeyDown(VK_SHIFT);
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_LEFT);
    FHost.KeyUp(VK_CONTROL);
    FHost.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(FEdit->SelStart(), 4);
    EXPECT_EQ(FEdit->SelText(), "due  ");
    Key(VK_LEFT); // collapses to the selection's start
    EXPECT_EQ(FEdit->SelStart(), 4);
    EXPECT_EQ(FEdit->SelLength(), 0);
}

TEST_F(EditTest, ClipboardKeysAndUndo) {
    Type("alfa beta");
    Chord(VK_CONTROL, 'A');
    Chord(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "alfa beta");
    Key(VK_END);
    Chord(VK_CONTROL, 'V');
    EXPECT_EQ(FEdit->Text(), "alfa betaalfa beta");
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(FEdit->Text(), "alfa beta");
    Chord(VK_CONTROL, 'Z'); // undoing the undo brings the paste back
    EXPECT_EQ(FEdit->Text(), "alfa betaalfa beta");

    FEdit->SetText("gamma");
    FEdit->SelectAll();
    Chord(VK_SHIFT, VK_DELETE); // cut
    EXPECT_EQ(FEdit->Text(), "");
    EXPECT_EQ(GetClipboardText(), "gamma");
    Chord(VK_SHIFT, VK_INSERT); // paste
    EXPECT_EQ(FEdit->Text(), "gamma");
    FEdit->SetSelStart(1);
    FEdit->SetSelLength(2);
    Chord(VK_CONTROL, VK_INSERT); // copy
    EXPECT_EQ(GetClipboardText(), "am");
    FEdit->ClearSelection();
    EXPECT_EQ(FEdit->Text(), "gma");
    EXPECT_TRUE(FEdit->CanUndo());
    EXPECT_FALSE((FEdit->SetText("nuovo"), FEdit->CanUndo())); // text from code forgets the undo
}

TEST_F(EditTest, MaxLengthCountsCharactersAndLimitsTypingAndPastingOnly) {
    FEdit->SetMaxLength(4);
    Type("àèìòù");
    EXPECT_EQ(FEdit->Text(), "àèìò");
    SetClipboardText("éé");
    FEdit->SetSelStart(1);
    FEdit->SetSelLength(1); // the selection's place counts as free room
    FEdit->PasteFromClipboard();
    EXPECT_EQ(FEdit->Text(), "àéìò");
    FEdit->SetText("più di quattro");
    EXPECT_EQ(FEdit->Text(), "più di quattro");
    int changes = FChanges;
    Type("x");
    EXPECT_EQ(FEdit->Text(), "più di quattro");
    EXPECT_EQ(FChanges, changes); // nothing changed, nothing reported
}

TEST_F(EditTest, ReadOnlyAndCharCase) {
    FEdit->SetText("fisso");
    FEdit->SetReadOnly(true);
    Type("x");
    Key(VK_BACK);
    Chord(VK_CONTROL, 'X');
    EXPECT_EQ(FEdit->Text(), "fisso");
    FEdit->SetReadOnly(false);
    FEdit->SetCharCase(ecUpperCase);
    EXPECT_EQ(FEdit->Text(), "FISSO");
    FEdit->SetSelStart(5);
    Type("òa");
    EXPECT_EQ(FEdit->Text(), "FISSOÒA");
    FEdit->SetCharCase(ecLowerCase);
    EXPECT_EQ(FEdit->Text(), "fissoòa");
}

TEST_F(EditTest, KeyPressHandlerCanReplaceTheTypedCharacter) {
    FEdit->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == '\'') key = U'\u2019';
    };
    Type("l'arco");
    EXPECT_EQ(FEdit->Text(), "l\u2019arco");
}

TEST_F(EditTest, MouseSelectsByPressDragAndDoubleClick) {
    FEdit->SetText("primo secondo");
    FEdit->SetSelStart(6);
    int xSecond = FEdit->CaretPos().X;
    FEdit->SetSelStart(13);
    int xEnd = FEdit->CaretPos().X;
    int y = FEdit->CaretPos().Y + 4;
    FHost.MouseDown(At({xSecond, y}));
    FHost.MouseMove(At({xEnd + 30, y}));
    FHost.MouseUp(At({xEnd + 30, y}));
    Pump();
    EXPECT_EQ(FEdit->SelText(), "secondo");
    FHost.Advance(1000);
    FHost.Click(At({3, y}));
    FHost.Click(At({3, y}));
    Pump();
    EXPECT_EQ(FEdit->SelText(), "primo");
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
    std::string text(80, 'm');
    Type(text);
    EXPECT_GT(FEdit->ScrollX(), 0);
    int caretX = FEdit->CaretPos().X;
    EXPECT_GE(caretX, 0);
    EXPECT_LT(caretX, FEdit->ClientWidth());
    Key(VK_HOME);
    EXPECT_EQ(FEdit->ScrollX(), 0);
}

} // namespace

namespace {

TEST_F(EditTest, LayoutsCreateEditsMemosAndComboBoxesWithTheirProperties) {
    const std::string layout = "object Scheda: TForm\n"
                               "  object Area: TEdit\n"
                               "    Left = 4\n"
                               "    BorderStyle = bsNone\n"
                               "    CharCase = ecUpperCase\n"
                               "    MaxLength = 19\n"
                               "    Text = 'cono'\n"
                               "  end\n"
                               "  object Descrizione: TMemo\n"
                               "    Lines.Strings = (\n"
                               "      'prima'\n"
                               "      'seconda')\n"
                               "    ReadOnly = True\n"
                               "    ScrollBars = ssVertical\n"
                               "    WordWrap = False\n"
                               "  end\n"
                               "  object Classe: TComboBox\n"
                               "    Style = csDropDownList\n"
                               "    ItemHeight = 13\n"
                               "    ItemIndex = 1\n"
                               "    Items.Strings = (\n"
                               "      'Bardo'\n"
                               "      'Ranger')\n"
                               "  end\n"
                               "end\n";
    std::unique_ptr<TComponent> root(ReadLayout(layout, "TSCHEDA", nullptr));
    auto* area = dynamic_cast<TEdit*>(root->FindComponent("Area"));
    auto* memo = dynamic_cast<TMemo*>(root->FindComponent("Descrizione"));
    auto* combo = dynamic_cast<TComboBox*>(root->FindComponent("Classe"));
    ASSERT_TRUE(area && memo && combo);
    EXPECT_EQ(area->Text(), "CONO");
    EXPECT_EQ(area->MaxLength(), 19);
    EXPECT_EQ(area->BorderStyle(), bsNone);
    EXPECT_EQ(memo->Text(), "prima\r\nseconda");
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->Text(), "Ranger");
}

} // namespace

namespace {

TEST_F(EditTest, PaintsTheClassicLookWithTheSelectionHighlighted) {
    FEdit->SetText("MMMM");
    FEdit->SelectAll();
    FEdit->Repaint();
    Pump();
    auto pixel = [&](TPoint client) { return FHost.ScreenPixel(At(client)) & 0xFFFFFF; };
    TPoint caret = FEdit->CaretPos(); // after the selected text
    EXPECT_EQ(pixel({2, caret.Y}), ColorToPixel(clHighlight) & 0xFFFFFF);
    EXPECT_EQ(pixel({caret.X + 10, caret.Y + 2}), ColorToPixel(clWindow) & 0xFFFFFF);
    TPoint corner = ::ClientToScreen(FEdit->Handle(), {0, 0}) - TPoint{2, 2}; // the sunken edge's outer line
    EXPECT_EQ(FHost.ScreenPixel(corner) & 0xFFFFFF, ColorToPixel(clBtnShadow) & 0xFFFFFF);

    // The selection hides when the focus leaves.
    Make<TEdit>(FForm, {10, 60, 160, 81})->SetFocus();
    Pump();
    FEdit->Repaint();
    Pump();
    EXPECT_EQ(pixel({2, caret.Y}), ColorToPixel(clWindow) & 0xFFFFFF);
}

} // namespace

namespace {

// An edit's text is a C string in its window: a value holding a NUL is cut there, in the control and in
// the window alike, however it arrives.
TEST_F(EditTest, ATextHoldingANulIsCutThereForEditsAndMemos) {
    const std::string withNul("prima\0dopo", 10);
    TMemo* memo = Make<TMemo>(FForm, {10, 60, 160, 120});
    for (TCustomEdit* edit : {static_cast<TCustomEdit*>(FEdit), static_cast<TCustomEdit*>(memo)}) {
        SCOPED_TRACE(edit->ClassName());
        edit->SetText("altro");
        edit->SetText(withNul);
        EXPECT_EQ(edit->Text(), "prima");
        EXPECT_EQ(GetWindowText(edit->Handle()), "prima");
        SetWindowText(edit->Handle(), std::string("dal\0messaggio", 13));
        EXPECT_EQ(edit->Text(), "dal");
        edit->SelectAll();
        edit->SetSelText(std::string("x\0y", 3));
        EXPECT_EQ(edit->Text(), "x");
        edit->Repaint();
        Pump();
    }
    memo->Lines()->Add(std::string("riga\0coda", 9));
    EXPECT_EQ(memo->Lines()->Strings(memo->Lines()->Count() - 1), "riga");
}

} // namespace
