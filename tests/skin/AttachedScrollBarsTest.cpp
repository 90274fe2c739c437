// Skinned scroll bars attached to the memo, the data-aware memo and the lookup list: placed over the native
// bars, filled from the native scroll information, scrolling their control, and let go in either order.
#include "SkinDataTest.h"
#include "SkinHostTest.h"

#include "classlib/LayoutReader.h"
#include "platform/Input.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMemo.h"
#include "skin/TAVScrollBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ManyLines(int count, const std::string& stem = "riga") {
    std::string text;
    for (int i = 0; i < count; ++i) text += stem + " " + std::to_string(i) + "\r\n";
    return text;
}

// The attached bar against its control's native bar.
void ExpectMirrors(TWinControl* control, TtavScrollBar* bar, int which, bool wholeBarHides = false) {
    SCROLLBARINFO native;
    GetScrollBarInfo(control->Handle(), which == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, native);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(control->Handle(), which, info);
    const bool unused = native.rgstate[0] == STATE_SYSTEM_INVISIBLE || native.rgstate[0] == STATE_SYSTEM_UNAVAILABLE;
    EXPECT_EQ(bar->Max(), std::max(info.nMax - int(info.nPage) + 1, info.nMin));
    EXPECT_EQ(bar->Min(), info.nMin);
    EXPECT_EQ(bar->Position(), info.nPos);
    EXPECT_EQ(bar->Enabled(), !unused);
    if (wholeBarHides)
        EXPECT_EQ(bar->Visible(), !unused);
    else
        EXPECT_EQ(bar->Track()->GetSliderVisible(), !unused);
    EXPECT_EQ(bar->LineButton(), unused ? 0 : std::max(std::abs(native.xyThumbBottom - native.xyThumbTop), 18));
}

// The scroll messages a control receives.
class TScrollRecorder {
  public:
    explicit TScrollRecorder(TControl* control) : FControl(control), FInherited(control->WindowProc) {
        control->WindowProc = [this](TMessage& m) {
            if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) Messages.push_back({m.Msg, m.WParam});
            FInherited(m);
        };
    }
    ~TScrollRecorder() { FControl->WindowProc = FInherited; }
    std::vector<std::pair<UINT, WPARAM>> Messages;

  private:
    TControl* FControl;
    TWndMethod FInherited;
};

// ---- the memo --------------------------------------------------------------------------------------------

class MemoScrollBarsTest : public TSkinHostTest {
  protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FForm = ShownForm();
        FMemo = Make<TtavMemo>(FForm, {10, 10, 210, 110});
        FMemo->SetWordWrap(false);
        FVert = Make<TtavScrollBar>(FForm, {300, 10, 400, 30});
        FHorz = Make<TtavScrollBar>(FForm, {300, 50, 400, 70});
        RunUntilIdle();
    }
    TForm* FForm = nullptr;
    TtavMemo* FMemo = nullptr;
    TtavScrollBar* FVert = nullptr;
    TtavScrollBar* FHorz = nullptr;
};

TEST_F(MemoScrollBarsTest, AttachedBarsLieOverTheNativeOnesAndMirrorThem) {
    FMemo->SetVScrollBar(FVert);
    EXPECT_EQ(FMemo->ScrollBars(), ssVertical);
    EXPECT_EQ(FVert->Orientation(), tavVertical);
    EXPECT_EQ(FVert->BoundsRect(), (TRect{10 + 200 - 16 - 2, 11, 10 + 200 - 2, 11 + 98}));
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_FALSE(FVert->Enabled()) << "a short text: nothing to scroll";

    FMemo->SetText(ManyLines(100) + std::string(400, 'x'));
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_TRUE(FVert->Enabled());
    EXPECT_GT(FVert->Max(), 50);

    FMemo->SetHScrollBar(FHorz);
    EXPECT_EQ(FMemo->ScrollBars(), ssBoth);
    EXPECT_EQ(FHorz->BoundsRect(), (TRect{11, 10 + 100 - 16 - 2, 11 + 200 - 2 - 16, 10 + 100 - 2}));
    EXPECT_EQ(FVert->Height(), 98 - 16);
    ExpectMirrors(FMemo, FHorz, SB_HORZ);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_EQ(FHorz->SmallChange(), 6) << "three times its page";
    EXPECT_EQ(FVert->SmallChange(), 1);

    FMemo->SetBounds(20, 30, 150, 80);
    RunUntilIdle();
    EXPECT_EQ(FVert->BoundsRect(), (TRect{20 + 150 - 16 - 2, 31, 20 + 150 - 2, 31 + 78 - 16}));
    EXPECT_EQ(FHorz->BoundsRect(), (TRect{21, 30 + 80 - 16 - 2, 21 + 148 - 16, 30 + 80 - 2}));
    ExpectMirrors(FMemo, FVert, SB_VERT);

    FMemo->SetWidth(10);
    RunUntilIdle();
    EXPECT_FALSE(FVert->Visible()) << "wider than the memo";
    FMemo->SetWidth(150);
    RunUntilIdle();
    EXPECT_TRUE(FVert->Visible());

    FMemo->SetEnabled(false);
    EXPECT_FALSE(FVert->Enabled());
    EXPECT_FALSE(FVert->Track()->GetSliderVisible());
    EXPECT_EQ(FVert->LineButton(), 0);
    FMemo->SetEnabled(true);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_TRUE(FVert->Enabled());
}

TEST_F(MemoScrollBarsTest, ABarScrollsTheMemoWithoutBeingWrittenBack) {
    FMemo->SetText(ManyLines(100));
    FMemo->SetVScrollBar(FVert);
    TScrollRecorder recorder(FMemo);
    FVert->SetPosition(20);
    EXPECT_EQ(FMemo->FirstVisibleLine(), 20);
    ASSERT_EQ(recorder.Messages.size(), 1u);
    EXPECT_EQ(recorder.Messages[0].first, WM_VSCROLL);
    EXPECT_EQ(recorder.Messages[0].second, MAKEWPARAM(SB_THUMBPOSITION, 20));
    EXPECT_EQ(GetScrollPos(FMemo->Handle(), SB_VERT), 20);

    // The message carries 16 bits; the memo's scroll does not write its position back into the bar.
    FVert->SetMax(70000);
    FVert->SetPosition(65536 + 3);
    EXPECT_EQ(recorder.Messages.back().second, MAKEWPARAM(SB_THUMBPOSITION, 3));
    EXPECT_EQ(FMemo->FirstVisibleLine(), 3);
    EXPECT_EQ(FVert->Position(), 65536 + 3);
    FMemo->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(FVert->Position(), 4) << "a scroll of its own syncs";
    ExpectMirrors(FMemo, FVert, SB_VERT);

    // Dragging the slider scrolls at every change.
    {
        TtavImagePanel* slider = FVert->Track()->Slider();
        const TPoint grip = slider->ClientToScreen({slider->Width() / 2, slider->Height() / 2});
        FHost.MouseMove(grip);
        FHost.MouseDown(grip);
        FHost.MouseMove({grip.X, grip.Y + 20});
        FHost.MouseMove({grip.X, grip.Y + 40});
        FHost.MouseUp({grip.X, grip.Y + 40});
        RunUntilIdle();
    }
    EXPECT_GT(FVert->Position(), 4);
    EXPECT_EQ(FMemo->FirstVisibleLine(), FVert->Position());

    // Taking the focus leaves the view where the bar scrolled it, away from the caret.
    FMemo->SetSelStart(0);
    FVert->SetPosition(30);
    FMemo->SetFocus();
    RunUntilIdle();
    EXPECT_EQ(FMemo->FirstVisibleLine(), 30);
    EXPECT_EQ(FVert->Position(), 30);
}

TEST_F(MemoScrollBarsTest, TypingPastingKeysAndTheWheelMoveTheBar) {
    FMemo->SetVScrollBar(FVert);
    FMemo->SetFocus();
    for (int i = 0; i < 30; ++i) {
        FHost.TypeText("riga");
        FHost.KeyPress(VK_RETURN);
    }
    RunUntilIdle();
    EXPECT_GT(FVert->Position(), 0);
    ExpectMirrors(FMemo, FVert, SB_VERT);

    FHost.KeyPress(VK_PRIOR);
    FHost.KeyPress(VK_PRIOR);
    RunUntilIdle();
    ExpectMirrors(FMemo, FVert, SB_VERT);

    SetClipboardText(ManyLines(60));
    FMemo->Perform(WM_PASTE);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_GT(FVert->Max(), 60);

    FMemo->Perform(WM_VSCROLL, SB_TOP);
    FHost.Wheel(FMemo->ClientToScreen({20, 20}), -120);
    RunUntilIdle();
    EXPECT_EQ(FVert->Position(), 3);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    // The wheel over the bar that lies on the memo scrolls the memo too.
    FHost.Wheel(FVert->Track()->ClientToScreen({FVert->Track()->Width() / 2, FVert->Track()->Height() / 2}), -120);
    RunUntilIdle();
    EXPECT_EQ(FVert->Position(), 6);
    ExpectMirrors(FMemo, FVert, SB_VERT);

    FMemo->SelectAll();
    FMemo->Perform(WM_CUT);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_FALSE(FVert->Enabled());
    FMemo->Perform(WM_UNDO);
    ExpectMirrors(FMemo, FVert, SB_VERT);
    EXPECT_TRUE(FVert->Enabled());
}

TEST_F(MemoScrollBarsTest, DetachingAndRemovingBarsLeaveTheNativeStyle) {
    FMemo->SetText(ManyLines(100));
    FMemo->SetVScrollBar(FVert);
    FMemo->SetHScrollBar(FHorz);
    FMemo->SetVScrollBar(nullptr);
    EXPECT_EQ(FMemo->ScrollBars(), ssHorizontal);
    EXPECT_EQ(FVert->Max(), 100);
    EXPECT_EQ(FVert->LineButton(), 0);
    EXPECT_TRUE(FVert->Enabled());
    EXPECT_FALSE(FVert->OnChange);
    FVert->SetPosition(50);
    EXPECT_EQ(FMemo->FirstVisibleLine(), 0) << "a detached bar scrolls nothing";

    delete FHorz;
    EXPECT_EQ(FMemo->HScrollBar(), nullptr);
    EXPECT_EQ(FMemo->ScrollBars(), ssNone);

    // A bar that outlives its memo.
    FMemo->SetVScrollBar(FVert);
    delete FMemo;
    FVert->SetPosition(10);
    EXPECT_EQ(FVert->Position(), 10);
    EXPECT_FALSE(FVert->OnChange);
}

TEST_F(MemoScrollBarsTest, TheStyleAndThemeGoOnToTheBars) {
    FMemo->SetVScrollBar(FVert);
    FMemo->SetHScrollBar(FHorz);
    FMemo->SetUIStyle(TtavUIStyle::Protein);
    EXPECT_EQ(FVert->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(FHorz->UIStyle(), TtavUIStyle::Protein);
    auto* theme = NewComponent<TtavFileTheme>(FForm);
    FMemo->SetFileTheme(theme);
    FMemo->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(FVert->FileTheme(), theme);
    EXPECT_EQ(FVert->UIStyle(), TtavUIStyle::DeepBlue) << "no file loaded";
    delete theme;
    EXPECT_EQ(FMemo->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(FVert->FileTheme(), nullptr);
}

// A form layout places the bars, the track bar and a memo that attaches them, and sets their properties.
class TBarsLayoutForm : public TForm {
    VMR_CLASS(TBarsLayoutForm, TForm)

  protected:
    explicit TBarsLayoutForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

constexpr std::string_view BarsLayout = R"(object BarsLayoutForm: TBarsLayoutForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  BorderStyle = bsNone
  object Bar: TtavScrollBar
    Left = 300
    Top = 10
    Width = 16
    Height = 100
    UIStyle = WinXP
    Max = 100
    Min = 0
    Position = 0
    SmallChange = 3
    LargeChange = 20
    LineButton = 0
  end
  object Track: TtavTrackBar
    Left = 10
    Top = 200
    Width = 150
    Height = 30
    Orientation = tavHorizontal
    UIStyle = Protein
    Max = 20
    Min = 5
    Position = 12
    PageSize = 4
    LineSize = 2
    ShowTick = False
    Transparent = True
    Frequency = 5
  end
  object Memo: TtavMemo
    Left = 10
    Top = 10
    Width = 200
    Height = 100
    UIStyle = Protein
    VScrollBar = Bar
    Lines.Strings = (
      'uno'
      'due')
  end
end
)";

TEST_F(MemoScrollBarsTest, AFormLayoutPlacesAndAttachesTheBars) {
    RegisterClass<TBarsLayoutForm>();
    auto* form = NewComponent<TBarsLayoutForm>(Application);
    ReadLayoutInto(*form, BarsLayout, "TBARSLAYOUTFORM");
    form->Show();
    RunUntilIdle();
    auto* bar = static_cast<TtavScrollBar*>(form->FindComponent("Bar"));
    auto* track = static_cast<TtavTrackBar*>(form->FindComponent("Track"));
    auto* memo = static_cast<TtavMemo*>(form->FindComponent("Memo"));
    ASSERT_TRUE(bar && track && memo);
    EXPECT_EQ(GetChildren(form->Handle()).size(), 3u) << "one window for each control, none left where the bar was";
    EXPECT_EQ(memo->VScrollBar(), bar);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(bar->Orientation(), tavVertical);
    EXPECT_EQ(bar->UIStyle(), TtavUIStyle::WinXP) << "attaching leaves the bar's style";
    memo->SetUIStyle(TtavUIStyle::Protein);
    EXPECT_EQ(bar->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(bar->SmallChange(), 3);
    EXPECT_EQ(bar->Left(), 10 + 200 - bar->Width() - 2);
    EXPECT_EQ(track->Min(), 5);
    EXPECT_EQ(track->Max(), 20);
    EXPECT_EQ(track->Position(), 12);
    EXPECT_EQ(track->PageSize(), 4);
    EXPECT_EQ(track->LineSize(), 2);
    EXPECT_EQ(track->Frequency(), 5);
    EXPECT_FALSE(track->ShowTick());
    EXPECT_TRUE(track->Transparent());
    delete form;
}

// ---- the data-aware memo and lookup list -----------------------------------------------------------------

class DBScrollBarsTest : public SkinDataTest {
  protected:
    void SetUp() override {
        SkinDataTest::SetUp();
        for (int i = 0; i < 40; ++i) AddSpell("Voce " + std::string(i < 10 ? "0" : "") + std::to_string(i), "Z");
        RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET DESCRIZIONE = '" + ManyLines(80, "testo") +
                                    "' WHERE INCANTESIMO = 'Voce 01'");
        AddSpells({});
        FForm = ShownForm();
        FVert = Make<TtavScrollBar>(FForm, {400, 10, 450, 30});
        FHorz = Make<TtavScrollBar>(FForm, {400, 50, 450, 70});
        Pump();
    }
    TtavDBMemo* MakeMemo() {
        auto* memo = Make<TtavDBMemo>(FForm, {10, 10, 210, 110});
        memo->SetDataSource(FSource);
        memo->SetDataField("DESCRIZIONE");
        return memo;
    }
    TtavDBLookupListBox* MakeList() {
        auto* list = Make<TtavDBLookupListBox>(FForm, {10, 150, 210, 150 + 16 * 5 + 4});
        list->SetListSource(FSource);
        list->SetKeyField("ID");
        list->SetListField("INCANTESIMO");
        return list;
    }
    TForm* FForm = nullptr;
    TtavScrollBar* FVert = nullptr;
    TtavScrollBar* FHorz = nullptr;
};

TEST_F(DBScrollBarsTest, TheDataAwareMemoFollowsItsDatasetAndKeepsThinBarsVisible) {
    TtavDBMemo* memo = MakeMemo();
    memo->SetVScrollBar(FVert);
    memo->SetHScrollBar(FHorz);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_EQ(FVert->BoundsRect(), (TRect{10 + 200 - 16 - 2, 11, 10 + 200 - 2, 11 + 98 - 16}));
    ExpectMirrors(memo, FVert, SB_VERT);
    EXPECT_FALSE(FVert->Enabled()) << "the first record's text is short";
    EXPECT_FALSE(FHorz->Enabled()) << "no long lines";
    EXPECT_TRUE(FHorz->Visible());
    EXPECT_EQ(FHorz->LineButton(), 0);

    FQryInc->Next();
    Pump();
    EXPECT_EQ(memo->Lines()->Count(), 80);
    ExpectMirrors(memo, FVert, SB_VERT);
    EXPECT_TRUE(FVert->Enabled()) << "the second record's text is long";

    FVert->SetPosition(30);
    EXPECT_EQ(memo->FirstVisibleLine(), 30);
    FQryInc->Next();
    Pump();
    ExpectMirrors(memo, FVert, SB_VERT);
    EXPECT_EQ(FVert->Position(), 0);

    memo->SetWidth(10);
    Pump();
    EXPECT_TRUE(FVert->Visible()) << "the data-aware memo never hides a bar";

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    memo->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(FHorz->UIStyle(), TtavUIStyle::WinXP);
    EXPECT_NE(FVert->UIStyle(), TtavUIStyle::WinXP) << "a detached bar keeps its style";
    delete memo;
    FHorz->SetPosition(5);
    EXPECT_FALSE(FHorz->OnChange);
}

TEST_F(DBScrollBarsTest, TheLookupListShowsItsBarOnlyWhileRowsDoNotFit) {
    TtavDBLookupListBox* list = MakeList();
    list->SetVScrollBar(FVert);
    EXPECT_EQ(FVert->Orientation(), tavVertical);
    EXPECT_EQ(FVert->BoundsRect(), (TRect{10 + 200 - 16 - 2, 151, 10 + 200 - 2, 151 + 16 * 5 + 4 - 2}));
    ExpectMirrors(list, FVert, SB_VERT, true);
    EXPECT_TRUE(FVert->Visible());

    // To the end: one thumb-position scroll, and the bar then shows where the list went.
    {
        TScrollRecorder recorder(list);
        FVert->SetPosition(FVert->Max());
        Pump();
        ASSERT_EQ(recorder.Messages.size(), 1u);
        EXPECT_EQ(recorder.Messages[0].second, MAKEWPARAM(SB_THUMBPOSITION, unsigned(FVert->Max())));
    }
    EXPECT_EQ(FQryInc->RecNo(), FVert->Max() + 1);
    ExpectMirrors(list, FVert, SB_VERT, true);

    FHost.KeyPress(VK_HOME);
    list->SetFocus();
    FHost.KeyPress(VK_HOME);
    Pump();
    EXPECT_EQ(FVert->Position(), 0);

    // Every row fits: the whole bar goes, and comes back at the next message of the list.
    list->SetHeight(16 * 45);
    Pump();
    ExpectMirrors(list, FVert, SB_VERT, true);
    EXPECT_FALSE(FVert->Visible());
    list->SetHeight(16 * 5 + 4);
    Pump();
    EXPECT_TRUE(FVert->Visible());
    EXPECT_TRUE(FVert->Enabled());

    list->SetUIStyle(TtavUIStyle::BlueGlass);
    EXPECT_EQ(FVert->UIStyle(), TtavUIStyle::BlueGlass);
    delete FVert;
    EXPECT_EQ(list->VScrollBar(), nullptr);
    SCROLLBARINFO native;
    GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, native);
    EXPECT_NE(native.rgstate[0], DWORD(STATE_SYSTEM_INVISIBLE)) << "the list's own bar stays";

    list->SetVScrollBar(FHorz);
    delete list;
    FHorz->SetPosition(3);
    EXPECT_FALSE(FHorz->OnChange);
}

} // namespace
