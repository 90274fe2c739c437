// The skinned data-aware edit, memo and lookup list: the class library's editing and listing in the skin's
// frame.
#include "SkinDataTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/LayoutReader.h"
#include "platform/Input.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVForm.h"

namespace {

class DBFramedControlsTest : public SkinDataTest {
  protected:
    void SetUp() override {
        SkinDataTest::SetUp();
        AddSpells({"Alfa", "Beta", "Gamma"});
        FForm = ShownForm();
        FForm->SetColor(clWhite);
    }
    std::string Current() { return FQryInc->FieldByName("INCANTESIMO").AsString(); }
    TColor ControlColor(TWinControl* control, int x, int y) {
        return WindowColor(FForm, control->Left() + x, control->Top() + y);
    }
    // The outer ring in the border colour and the inner one in the control's colour, on all four sides.
    void ExpectFrame(TWinControl* control, TColor border, TColor inner) {
        const int right = control->Width() - 1, bottom = control->Height() - 1;
        for (TPoint p : {TPoint{0, 0}, TPoint{right / 2, 0}, TPoint{right, bottom}, TPoint{0, bottom / 2}})
            EXPECT_EQ(ControlColor(control, p.X, p.Y), border) << p.X << "," << p.Y;
        for (TPoint p :
             {TPoint{1, 1}, TPoint{right / 2, 1}, TPoint{right - 1, bottom - 1}, TPoint{1, bottom / 2}})
            EXPECT_EQ(ControlColor(control, p.X, p.Y), ColorToRGB(inner)) << p.X << "," << p.Y;
    }
    TtavDBEdit* MakeEdit(const std::string& field, TRect bounds) {
        auto* edit = Make<TtavDBEdit>(FForm, bounds);
        edit->SetDataSource(FSource);
        edit->SetDataField(field);
        return edit;
    }

    TForm* FForm = nullptr;
};

TEST_F(DBFramedControlsTest, TheStyleGivesTheBorderColourAndAStoredColourWins) {
    TtavDBEdit* edit = MakeEdit("AREA", {10, 10, 200, 27});
    EXPECT_EQ(edit->BorderStyle(), bsNone);
    EXPECT_EQ(edit->BorderWidth(), 2);
    EXPECT_TRUE(edit->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(edit->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(edit->BorderColor(), TColor(0x000000));
    edit->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(edit->BorderColor(), TColor(0x7F7F7F));
    edit->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(edit->BorderColor(), TColor(0x686868));
    edit->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(edit->BorderColor(), TColor(0x000000)) << "no theme file: DeepBlue's";

    // New controls take the style of the form's frame; the removed theme component leaves DeepBlue.
    auto* frame = Make<TtavForm>(FForm, {0, 0, 10, 10});
    frame->SetUIStyle(TtavUIStyle::MacOS);
    auto* memo = Make<TtavDBMemo>(FForm, {10, 40, 200, 80});
    auto* list = Make<TtavDBLookupListBox>(FForm, {210, 10, 300, 80});
    EXPECT_EQ(memo->UIStyle(), TtavUIStyle::MacOS);
    EXPECT_EQ(list->UIStyle(), TtavUIStyle::MacOS);
    EXPECT_EQ(list->BorderColor(), TColor(0x7F7F7F));
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    list->SetFileTheme(theme);
    memo->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(list->FileTheme(), nullptr);
    EXPECT_EQ(list->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(list->BorderColor(), TColor(0x000000));
    EXPECT_EQ(memo->UIStyle(), TtavUIStyle::DeepBlue);

    // As a layout stores them: UIStyle, then BorderColor.
    RegisterClass<TForm>();
    TForm* loaded = NewComponent<TForm>(Application);
    ReadLayoutInto(*loaded,
                   "object Frm: TForm\n"
                   "  object DBEArea: TtavDBEdit\n"
                   "    BorderStyle = bsNone\n"
                   "    MaxLength = 19\n"
                   "    UIStyle = MacOS\n"
                   "    BorderColor = clRed\n"
                   "  end\n"
                   "end\n",
                   "TFRM");
    auto* stored = static_cast<TtavDBEdit*>(loaded->FindComponent("DBEArea"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->BorderColor(), clRed);
    EXPECT_EQ(stored->MaxLength(), 19);
    stored->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(stored->BorderColor(), TColor(0x7F7F7F));
}

TEST_F(DBFramedControlsTest, ALoadedThemeFileGivesTheBorderColour) {
    TtavDBEdit* edit = MakeEdit("AREA", {10, 10, 200, 27});
    auto* list = Make<TtavDBLookupListBox>(FForm, {210, 10, 300, 80});
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    for (auto* control : std::vector<TWinControl*>{edit, list}) {
        SetObjectProp(control, "FileTheme", theme);
        SetEnumProp(control, "UIStyle", "FromThemeFile");
    }
    EXPECT_EQ(edit->BorderColor(), TColor(0x000000));
    // Loading the file has the form's controls that use the theme read their colours again.
    TTempFolder folder;
    TThemeFileBuilder::Chain(
        {{"ControlBorderColor", TThemeFileBuilder::Integer, TThemeFileBuilder::Int32(0x00A0B0)}})
        .Save(folder.File("theme.tav"));
    theme->SetThemeFile(folder.File("theme.tav"));
    EXPECT_EQ(edit->BorderColor(), TColor(0x00A0B0));
    EXPECT_EQ(list->BorderColor(), TColor(0x00A0B0));
    RunUntilIdle();
    ExpectFrame(edit, TColor(0x00A0B0), edit->Color());
}

TEST_F(DBFramedControlsTest, TheEditKeepsItsEditingInsideItsFrame) {
    TtavDBEdit* edit = MakeEdit("AREA", {10, 10, 200, 27});
    TtavDBEdit* name = MakeEdit("INCANTESIMO", {10, 40, 200, 57});
    edit->SetMaxLength(10);
    edit->SetBorderColor(clRed);
    edit->SetColor(clYellow);
    edit->OnKeyPress = [](TObject*, char32_t& key) {
        if (key == U'\'') key = U'\u2019';
    };
    RunUntilIdle();
    EXPECT_EQ(edit->Text(), "Nessuna");
    ExpectFrame(edit, clRed, clYellow);

    FHost.Click(edit->ClientToScreen({20, 5}));
    FHost.KeyPress(VK_END);
    FHost.TypeText("'abcdefgh");
    RunUntilIdle();
    EXPECT_EQ(edit->Text(), "Nessuna\u2019ab") << "the apostrophe replaced, ten characters at most";
    EXPECT_EQ(FQryInc->State(), dsEdit);
    ExpectFrame(edit, clRed, clYellow);

    FHost.Click(name->ClientToScreen({20, 5}));
    RunUntilIdle();
    FQryInc->Next();
    EXPECT_EQ(Stored("AREA", "Alfa"), "Nessuna\u2019ab");
    EXPECT_EQ(edit->Text(), "Nessuna");
    ExpectFrame(edit, clRed, clYellow);
}

TEST_F(DBFramedControlsTest, TheMemoEditsTheDescriptionInsideItsFrame) {
    auto* memo = Make<TtavDBMemo>(FForm, {10, 10, 300, 60});
    memo->SetDataSource(FSource);
    memo->SetDataField("DESCRIZIONE");
    memo->SetBorderColor(clBlue);
    RunUntilIdle();
    EXPECT_EQ(memo->Text(), "Prova");
    ExpectFrame(memo, clBlue, memo->Color());
    FHost.Click(memo->ClientToScreen({40, 5}));
    FHost.KeyPress(VK_END);
    FHost.TypeText(" lunga");
    RunUntilIdle();
    EXPECT_EQ(memo->Text(), "Prova lunga");
    FQryInc->Post();
    EXPECT_EQ(Stored("DESCRIZIONE", "Alfa"), "Prova lunga");
    ExpectFrame(memo, clBlue, memo->Color());
}

TEST_F(DBFramedControlsTest, TheLookupListFollowsItsDatasetAndReportsDoubleClicksAndKeys) {
    auto* list = Make<TtavDBLookupListBox>(FForm, {10, 10, 200, 100});
    list->SetListSource(FSource);
    list->SetKeyField("INCANTESIMO");
    list->SetListField("INCANTESIMO");
    list->SetBorderColor(clRed);
    int doubleClicks = 0;
    std::vector<WORD> keysUp;
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    list->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { keysUp.push_back(key); };
    RunUntilIdle();
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->ItemIndex(), 0);
    ExpectFrame(list, clRed, list->Color());

    FQryInc->Last();
    EXPECT_EQ(list->ItemIndex(), 2);
    const int row = list->ItemHeight() + list->ItemHeight() / 2;
    FHost.Click(list->ClientToScreen({20, row}));
    RunUntilIdle();
    EXPECT_EQ(Current(), "Beta");
    EXPECT_EQ(doubleClicks, 0);
    FHost.Click(list->ClientToScreen({20, row}));
    RunUntilIdle();
    EXPECT_EQ(doubleClicks, 1);

    FHost.KeyPress(VK_DOWN);
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(Current(), "Gamma");
    EXPECT_EQ(keysUp, (std::vector<WORD>{VK_DOWN, VK_RETURN}));
    ExpectFrame(list, clRed, list->Color());
}

} // namespace
