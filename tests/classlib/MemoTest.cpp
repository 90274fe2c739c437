#include "ControlsTestSupport.h"
#include "classlib/Memo.h"
#include "classlib/RegisterEditControls.h"
#include "platform/FontEngine.h"
#include "platform/ScrollBar.h"

namespace {

class MemoTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        RegisterEditControlsClasses();
        FForm = ShownForm();
        FMemo = Make<TMemo>(FForm, {10, 10, 210, 110});
        FMemo->SetScrollBars(ssVertical);
        FMemo->SetFocus();
        Pump();
    }
    SCROLLINFO Info(int bar) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(FMemo->Handle(), bar, info);
        return info;
    }
    void TypeLines(int count) {
        for (int i = 0; i < count; ++i) {
            if (i) FHost.KeyPress(VK_RETURN);
            FHost.TypeText("riga " + std::to_string(i));
        }
        Pump();
    }
    int Visible() { return FMemo->ClientHeight() / TFontEngine::Instance().Metrics(FMemo->Font()->Desc()).Height; }

    TForm* FForm = nullptr;
    TMemo* FMemo = nullptr;
};

TEST_F(MemoTest, TypedLinesKeepLinesAndTheVerticalScrollInformationInStep) {
    TypeLines(30);
    ASSERT_EQ(FMemo->Lines()->Count(), 30);
    EXPECT_EQ(FMemo->Lines()->Strings(29), "riga 29");
    EXPECT_EQ(FMemo->Text().substr(0, 14), "riga 0\r\nriga 1");
    SCROLLINFO info = Info(SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(int(info.nPage), Visible());
    EXPECT_EQ(info.nPos, 30 - Visible()); // the caret's line is the last one shown
    EXPECT_EQ(FMemo->FirstVisibleLine(), info.nPos);

    SendMessage(FMemo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
    EXPECT_EQ(FMemo->FirstVisibleLine(), 7);
    EXPECT_EQ(Info(SB_VERT).nPos, 7);
    SendMessage(FMemo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Info(SB_VERT).nPos, 8);
    SendMessage(FMemo->Handle(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(Info(SB_VERT).nPos, std::max(8 - (Visible() - 1), 0));
    SendMessage(FMemo->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Info(SB_VERT).nPos, 30 - Visible());
    SendMessage(FMemo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500), 0); // past the end: clamped
    EXPECT_EQ(Info(SB_VERT).nPos, 30 - Visible());
    SendMessage(FMemo->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(FMemo->FirstVisibleLine(), 0);

    FHost.Wheel(FMemo->ClientToScreen({20, 20}), -120);
    Pump();
    EXPECT_EQ(FMemo->FirstVisibleLine(), 3);
    FHost.KeyDown(VK_CONTROL);
    FHost.KeyPress(VK_HOME);
    FHost.KeyUp(VK_CONTROL);
    FHost.KeyPress(VK_NEXT);
    Pump();
    EXPECT_EQ(FMemo->CaretLine(), Visible() - 1);
}

TEST_F(MemoTest, ScrollPositionSurvivesHidingAndAChangeOfScrollBars) {
    TypeLines(40);
    SendMessage(FMemo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    FMemo->Hide();
    Pump();
    FMemo->Show();
    Pump();
    EXPECT_EQ(FMemo->FirstVisibleLine(), 12);
    EXPECT_EQ(Info(SB_VERT).nPos, 12);

    std::string text = FMemo->Text();
    FMemo->SetScrollBars(ssBoth);
    Pump();
    EXPECT_EQ(FMemo->Text(), text);
    EXPECT_EQ(FMemo->FirstVisibleLine(), 12);
    EXPECT_EQ(Info(SB_VERT).nPos, 12);
    EXPECT_TRUE(GetWindowStyle(FMemo->Handle()) & WS_HSCROLL);
    SCROLLBARINFO bar;
    GetScrollBarInfo(FMemo->Handle(), OBJID_HSCROLL, bar);
    EXPECT_EQ(bar.rgstate[0], DWORD(STATE_SYSTEM_UNAVAILABLE)); // short lines: nothing to scroll sideways

    FMemo->SetScrollBars(ssNone);
    EXPECT_FALSE(GetWindowStyle(FMemo->Handle()) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(FMemo->FirstVisibleLine(), 12);
}

TEST_F(MemoTest, HorizontalScrollIsInPixelsWithoutWordWrap) {
    FMemo->SetWordWrap(false);
    FMemo->SetScrollBars(ssHorizontal);
    FMemo->Lines()->Add(std::string(100, 'w'));
    FMemo->Lines()->Add("corta");
    ASSERT_EQ(FMemo->LineCount(), 2);
    int widest = TFontEngine::Instance().TextWidth(FMemo->Font()->Desc(), std::string(100, 'w'));
    SCROLLINFO info = Info(SB_HORZ);
    EXPECT_EQ(info.nMax, widest);
    EXPECT_GT(int(info.nPage), 100);
    EXPECT_LT(int(info.nPage), FMemo->ClientWidth());
    SendMessage(FMemo->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    EXPECT_EQ(FMemo->ScrollX(), 40);
    EXPECT_EQ(Info(SB_HORZ).nPos, 40);

    FMemo->SetWordWrap(true); // now the long line breaks into several
    EXPECT_GT(FMemo->LineCount(), 2);
    EXPECT_EQ(FMemo->Lines()->Count(), 2);

    // Narrower than a character, and with empty lines: one character a line, nothing lost.
    FMemo->Lines()->SetText("ab\n\ncd");
    FMemo->SetWidth(3);
    Pump();
    EXPECT_EQ(FMemo->LineCount(), 5);
    EXPECT_EQ(FMemo->Text(), "ab\r\n\r\ncd");
}

TEST_F(MemoTest, LinesAssignedOrAddedKeepTheirEmptyLines) {
    TStringList source;
    for (const char* line : {"Titolo", "", "primo paragrafo", "", "", "secondo"})
        source.Add(line);
    FMemo->SetLines(&source);
    EXPECT_EQ(FMemo->Lines()->Count(), 6);
    EXPECT_EQ(FMemo->Text(), "Titolo\r\n\r\nprimo paragrafo\r\n\r\n\r\nsecondo");
    FMemo->Lines()->Add("");
    FMemo->Lines()->Add("fine");
    EXPECT_EQ(FMemo->Lines()->Count(), 8);
    EXPECT_EQ(FMemo->Lines()->Strings(6), "");
    FMemo->Lines()->Insert(0, "");
    EXPECT_EQ(FMemo->Lines()->Strings(0), "");
    EXPECT_EQ(FMemo->Lines()->Strings(1), "Titolo");
}

TEST_F(MemoTest, AssignedLinesGiveTheTextThatAddingThemOneByOneGives) {
    TMemo* added = Make<TMemo>(FForm, {10, 120, 210, 220});
    const std::vector<std::vector<std::string>> lists{
        {"Titolo", "", "primo", "", ""},
        {"", "", "dopo due vuote", "fine"},
        {"", ""},
        {},
        {"a\r", "\nb", "c\r\nd", std::string("e\0ignorato", 11), "f"},
        {std::string("\0tutto", 6), "g"},
    };
    for (const auto& list : lists) {
        TStringList source;
        for (const std::string& line : list) source.Add(line);
        FMemo->Lines()->Assign(&source);
        added->Lines()->Clear();
        for (const std::string& line : list) added->Lines()->Add(line);
        EXPECT_EQ(FMemo->Text(), added->Text()) << testing::PrintToString(list);
        EXPECT_EQ(FMemo->Lines()->Count(), added->Lines()->Count());
    }
    TStringList source;
    source.Add("x");
    source.Add("y");
    FMemo->SetLines(&source);
    EXPECT_EQ(FMemo->Text(), "x\r\ny");
}

TEST_F(MemoTest, ReturnsTabsAndReadOnly) {
    FHost.TypeText("a");
    FHost.KeyPress(VK_RETURN);
    FHost.KeyPress(VK_TAB); // WantTabs is off: no tab in the text
    FHost.TypeText("b");
    Pump();
    EXPECT_EQ(FMemo->Text(), "a\r\nb");
    FMemo->SetWantTabs(true);
    FHost.KeyPress(VK_TAB);
    Pump();
    EXPECT_EQ(FMemo->Text(), "a\r\nb\t");
    FHost.KeyPress(VK_BACK);
    FHost.KeyPress(VK_BACK);
    FHost.KeyPress(VK_BACK); // the line break goes as one character
    Pump();
    EXPECT_EQ(FMemo->Text(), "a");
    FMemo->SetReadOnly(true);
    FHost.KeyPress(VK_RETURN);
    FHost.TypeText("z");
    Pump();
    EXPECT_EQ(FMemo->Text(), "a");
    FMemo->Lines()->SetText("uno\ndue\r\ntre");
    EXPECT_EQ(FMemo->Text(), "uno\r\ndue\r\ntre");
}

} // namespace

namespace {
TEST_F(MemoTest, TheWindowTextFollowsTheScrollInformation) {
    FMemo->SetScrollBars(ssVertical);
    std::vector<int> ranges;
    TWndMethod inherited = FMemo->WindowProc;
    FMemo->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) {
            SCROLLINFO info;
            info.fMask = SIF_RANGE;
            GetScrollInfo(FMemo->Handle(), SB_VERT, info);
            ranges.push_back(info.nMax);
        }
        inherited(m);
    };
    std::string text;
    for (int i = 0; i < 40; ++i) text += "riga\r\n";
    FMemo->SetText(text);
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ(ranges.front(), FMemo->LineCount() - 1) << "the new text's lines, not the old ones";
    FMemo->WindowProc = inherited;
}
} // namespace

namespace {
TEST_F(MemoTest, TheWindowIsDisabledWhileTheEnabledNotificationIsHandled) {
    std::vector<bool> seen;
    TWndMethod inherited = FMemo->WindowProc;
    FMemo->WindowProc = [&](TMessage& m) {
        inherited(m);
        if (m.Msg == CM_ENABLEDCHANGED) seen.push_back(IsWindowEnabled(FMemo->Handle()));
    };
    FMemo->SetEnabled(false);
    FMemo->SetEnabled(true);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    FMemo->WindowProc = inherited;
}
} // namespace

namespace {
TEST_F(MemoTest, TakingTheFocusLeavesTheViewWhereItWasScrolled) {
    FMemo->SetScrollBars(ssBoth);
    FMemo->SetWordWrap(false);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "riga di un testo che va ben oltre il bordo destro del memo\r\n";
    FMemo->SetText(text);
    FMemo->SetSelStart(0);
    SendMessage(FMemo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    SendMessage(FMemo->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
    auto* other = Make<TMemo>(FForm, {10, 150, 210, 200});
    other->SetFocus();
    FMemo->SetFocus();
    Pump();
    EXPECT_EQ(FMemo->FirstVisibleLine(), 12) << "the caret on the first line is not brought into view";
    EXPECT_EQ(Info(SB_VERT).nPos, 12);
    EXPECT_EQ(Info(SB_HORZ).nPos, 30);
    FHost.KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(FMemo->FirstVisibleLine(), 1) << "moving the caret brings it into view";
}
} // namespace
