#include "FrameTestSupport.h"

#include "classlib/Icon.h"
#include "classlib/Panel.h"
#include "platform/Input.h"
#include "skin/TAVMainMenu.h"

#include <algorithm>

namespace {

constexpr UINT ChildActivated = 0x1330, TitleBarAway = 0x1331, TitleBarBack = 0x1332;

// An MDI parent with its frame as the main form, and skinned MDI children with a panel at (10, 40).
class FrameMDITest : public TFrameTest {
protected:
    void SetUp() override {
        TFrameTest::SetUp();
        TtavForm::SetTitleBarScrolledAway(false);
        Parent = ShowLayout(FormLayout("FrmMDI", "  Left = 0\n  Top = 30\n  Width = 800\n  Height = 600\n"
                                       "  FormStyle = fsMDIForm\n", 798, 599, MainButtons()));
        const HWND client = Parent->ClientHandle();
        ASSERT_TRUE(IsWindow(client));
        SetWindowProc(client, [this, inner = GetWindowProc(client)](HWND h, UINT msg, WPARAM w, LPARAM l) {
            if (msg >= ChildActivated && msg <= TitleBarBack) Sent.push_back({msg, w});
            return CallWindowProc(inner, h, msg, w, l);
        });
    }
    void TearDown() override {
        TtavForm::SetTitleBarScrolledAway(false);
        TFrameTest::TearDown();
    }
    TForm* Child(const std::string& name, int left) {
        auto* form = NewComponent<TForm>(Application);
        ReadLayoutInto(*form,
                       FormLayout(name, "  Left = " + std::to_string(left) + "\n  Top = 10\n  Width = 300\n"
                                  "  Height = 220\n  FormStyle = fsMDIChild\n", 290, 190, MainButtons(),
                                  "    object Panel1: TPanel\n      Left = 10\n      Top = 40\n"
                                  "      Width = 50\n      Height = 30\n    end\n"),
                       "FRAMETEST");
        form->Show();
        RunUntilIdle();
        return form;
    }
    static TControl* PanelOf(TForm* form) { return static_cast<TControl*>(form->FindComponent("Panel1")); }
    int Count(UINT msg) const {
        return int(std::count_if(Sent.begin(), Sent.end(), [msg](const auto& s) { return s.first == msg; }));
    }

    TForm* Parent = nullptr;
    std::vector<std::pair<UINT, WPARAM>> Sent;
};

TEST_F(FrameMDITest, AChildKeepsItsSystemBorderAndGetsNoMenuBarOrRoundCorner) {
    TForm* child = Child("FrmA", 10);
    TtavForm* frame = FrameOf(child);
    EXPECT_EQ(GetParent(child->Handle()), Parent->ClientHandle());
    EXPECT_EQ(child->BorderStyle(), bsSizeable) << "not taken away for an MDI child";
    EXPECT_EQ(GetWindowStyle(child->Handle()) & WS_CAPTION, 0u);
    EXPECT_TRUE(GetWindowStyle(child->Handle()) & WS_THICKFRAME);
    const TRect client = child->ClientRect();
    EXPECT_EQ(frame->BoundsRect(), Bounds(1, 0, client.Width() - 2 - 3, client.Height() - 1 - 3));
    // The frame has the size its layout stores: the child is sized around it, system border included, and
    // keeps it when the margin is set again.
    EXPECT_EQ(frame->Width(), 290);
    EXPECT_EQ(frame->Height(), 190);
    frame->SetBorderWidth(1);
    EXPECT_EQ(frame->Width(), 290);
    EXPECT_EQ(frame->Height(), 190);

    // The margin left, right and bottom, the right and bottom strips 3 pixels wider, the left 2 shorter.
    TBitmap border;
    border.SetSize(client.Width(), client.Height());
    border.Canvas()->Brush()->SetColor(clLime);
    border.Canvas()->FillRect(client);
    frame->PaintFormBorder(border.Canvas()->Handle());
    auto at = [&](int x, int y) { return PixelToColor(border.Surface().Pixel(x, y)); };
    const int W = client.Width(), H = client.Height();
    EXPECT_EQ(at(0, 50), clBlack);
    EXPECT_EQ(at(1, 50), clLime);
    EXPECT_EQ(at(W - 4, 50), clBlack);
    EXPECT_EQ(at(W - 5, 50), clLime);
    EXPECT_EQ(at(50, H - 4), clBlack);
    EXPECT_EQ(at(50, H - 5), clLime);

    frame->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(frame->RoundCorner(), 0);
    frame->SetRoundCorner(9);
    EXPECT_EQ(frame->RoundCorner(), 0);
    NewComponent<TtavMainMenu>(child)->Items()->Add(NewComponent<TMenuItem>(child));
    EXPECT_NE(frame->Menu(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr) << "never a menu bar on a child";
}

TEST_F(FrameMDITest, ActivatingMaximisingAndClosingChildrenTellTheMainClient) {
    TForm* a = Child("FrmA", 10);
    TForm* b = Child("FrmB", 60);
    EXPECT_EQ(Count(ChildActivated), 2) << "each child activated as it was shown";
    SendMessage(Parent->ClientHandle(), WM_MDIACTIVATE, WPARAM(a->Handle()));
    EXPECT_EQ(Count(ChildActivated), 3);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(Parent->ActiveMDIChild(), a);

    // The first child maximised hides its title bar and moves its controls up, once.
    Sent.clear();
    const int barHeight = FrameOf(a)->TitleBar()->Height();
    a->SetWindowState(wsMaximized);
    RunUntilIdle();
    EXPECT_FALSE(FrameOf(a)->TitleBarVisible());
    EXPECT_EQ(PanelOf(a)->Top(), 40 - barHeight);
    ASSERT_EQ(Count(TitleBarAway), 1);
    EXPECT_EQ(Sent.back(), std::make_pair(TitleBarAway, WPARAM(a->Handle())));
    EXPECT_EQ(FrameOf(a)->Top(), 1);
    b->SetWindowState(wsMaximized);
    RunUntilIdle();
    EXPECT_FALSE(FrameOf(b)->TitleBarVisible());
    EXPECT_EQ(PanelOf(b)->Top(), 40) << "the shared mark was set already";
    EXPECT_EQ(Count(TitleBarAway), 1);

    // Restored: the title bar comes back and the controls move down, once.
    a->SetWindowState(wsNormal);
    RunUntilIdle();
    EXPECT_TRUE(FrameOf(a)->TitleBarVisible());
    EXPECT_EQ(PanelOf(a)->Top(), 40);
    EXPECT_EQ(Count(TitleBarBack), 1);
    EXPECT_FALSE(TtavForm::TitleBarScrolledAway());
    b->SetWindowState(wsNormal);
    RunUntilIdle();
    EXPECT_EQ(PanelOf(b)->Top(), 40);
    EXPECT_EQ(Count(TitleBarBack), 1);

    // A child's window going: 0x1330, and 0x1332 as well while it is maximised.
    b->SetWindowState(wsMaximized);
    RunUntilIdle();
    Sent.clear();
    delete b;
    EXPECT_EQ(Count(ChildActivated), 1);
    EXPECT_EQ(Count(TitleBarBack), 1);
    Sent.clear();
    delete a;
    EXPECT_EQ(Count(ChildActivated), 1);
    EXPECT_EQ(Count(TitleBarBack), 0);
}

TEST_F(FrameMDITest, TheParentsClientWindowHoldsTheChildrenBelowTheFramesBars) {
    TForm* a = Child("FrmA", 10);
    TForm* b = Child("FrmB", 60);
    TtavForm* frame = FrameOf(Parent);
    const HWND client = Parent->ClientHandle();
    // The client covers what the title bar leaves of the frame, in front of it.
    auto frameRest = [&](int barsHeight) {
        const TPoint at = Parent->ClientToScreen({frame->Left(), frame->Top() + barsHeight});
        return Bounds(at.X, at.Y, frame->Width(), frame->Height() - barsHeight);
    };
    const int titleHeight = frame->TitleBar()->Height();
    EXPECT_EQ(GetWindowRect(client), frameRest(titleHeight));
    const std::vector<HWND> order = GetChildren(Parent->Handle());
    EXPECT_GT(std::find(order.begin(), order.end(), client) - order.begin(),
              std::find(order.begin(), order.end(), frame->Handle()) - order.begin());

    // On the screen: the parent's title bar, then the children inside the client, the active one in front.
    EXPECT_EQ(PixelAt(Parent, frame->Left() + 100, frame->Top() + 21), LeftSectionColor);
    auto screen = [&](TPoint p) { PresentWindows(); return PixelToColor(FHost.ScreenPixel(p)); };
    EXPECT_EQ(screen(FrameOf(b)->TitleBar()->ClientToScreen({100, 21})), LeftSectionColor);
    EXPECT_EQ(screen(FrameOf(a)->TitleBar()->ClientToScreen({20, 21})), LeftSectionColor);
    EXPECT_EQ(screen(FrameOf(a)->TitleBar()->ClientToScreen({60, 21})), screen(FrameOf(b)->TitleBar()->ClientToScreen({10, 21})))
        << "where they overlap the active child shows";

    // The form's own layout leaves the client where the frame has it, and a form panel filling the frame
    // stays behind it; a menu bar pushes it down; a wider margin and a larger window move it with the frame.
    Parent->Realign();
    EXPECT_EQ(GetWindowRect(client), frameRest(titleHeight));
    auto* panel = Make<TPanel>(frame, {0, 0, 50, 50});
    frame->SetFormPanel(panel);
    RunUntilIdle();
    EXPECT_EQ(GetWindowRect(client), frameRest(titleHeight));
    EXPECT_EQ(screen(FrameOf(b)->TitleBar()->ClientToScreen({100, 21})), LeftSectionColor);
    auto* menu = NewComponent<TtavMainMenu>(Parent);
    auto* item = NewComponent<TMenuItem>(Parent);
    item->SetCaption("&Finestra");
    menu->Items()->Add(item);
    frame->RebuildMenuBar();
    RunUntilIdle();
    ASSERT_NE(frame->MenuBar(), nullptr);
    EXPECT_EQ(GetWindowRect(client), frameRest(titleHeight + frame->MenuBarHeight()));
    EXPECT_EQ(PixelAt(Parent, frame->Left() + 600, frame->Top() + titleHeight + 5), frame->MenuBarColor());
    frame->SetBorderWidth(4);
    Parent->SetBounds(0, 30, 900, 640);
    RunUntilIdle();
    EXPECT_EQ(frame->Left(), 4);
    EXPECT_EQ(GetWindowRect(client), frameRest(titleHeight + frame->MenuBarHeight()));

    // A maximised child fills the client: the parent's bars stay in sight.
    a->SetWindowState(wsMaximized);
    RunUntilIdle();
    const TPoint inside = ClientToScreen(client, {0, 0});
    EXPECT_EQ(GetWindowRect(a->Handle()), GetClientRect(client).Offsetted(inside.X, inside.Y));
    EXPECT_EQ(PixelAt(Parent, frame->Left() + 100, frame->Top() + 21), LeftSectionColor);
}

TEST_F(FrameMDITest, TheParentsMarginIsTransparentButForItsSizingBandsAndItsTitleBarTakesTheMouse) {
    auto hit = [&](int x, int y) {
        return SendMessage(Parent->Handle(), WM_NCHITTEST, 0, PointToLParam(Parent->ClientToScreen({x, y})));
    };
    const int W = Parent->ClientWidth();
    EXPECT_EQ(hit(0, 300), HTLEFT);
    EXPECT_EQ(hit(W - 1, 300), HTRIGHT);
    TtavTitleBar* bar = FrameOf(Parent)->TitleBar();
    auto barHit = [&](int x, int y) { return bar->Perform(WM_NCHITTEST, 0, PointToLParam(OnBar(Parent, x, y))); };
    EXPECT_EQ(barHit(300, 1), HTTOP);
    EXPECT_EQ(barHit(300, 10), HTCLIENT);

    // The parent's own title bar works as any other: it drags the window, its buttons light up and act.
    const TPoint from = Parent->BoundsRect().TopLeft();
    FHost.MouseDown(OnBar(Parent, 300, 10));
    FHost.MouseMove(OnBar(Parent, 340, 30));
    FHost.MouseUp(OnBar(Parent, 340, 30));
    RunUntilIdle();
    EXPECT_EQ(Parent->BoundsRect().TopLeft(), (from + TPoint{40, 20}));
    const int barWidth = bar->Width();
    FHost.MouseMove(OnBar(Parent, barWidth - 39 + 5, 10));
    RunUntilIdle();
    EXPECT_EQ(bar->HotButton(), 2);
    FHost.Click(OnBar(Parent, barWidth - 39 + 5, 10));
    RunUntilIdle();
    EXPECT_EQ(Parent->WindowState(), wsMaximized);

    Parent->SetWindowState(wsNormal);
    RunUntilIdle();
    FrameOf(Parent)->SetBorderWidth(8);
    EXPECT_EQ(hit(6, 300), HTTRANSPARENT) << "inside the margin, past the band";
}

TEST_F(FrameMDITest, TheTitleBarDrawsTheProgramIconSmallAndGivesItsMenuTheEffectiveStyle) {
    TtavTitleBar* bar = FrameOf(Parent)->TitleBar();
    bar->SetDrawAppIcon(true);
    RunUntilIdle();
    TIcon icon;
    icon.LoadFromResourceName("MAINICON", 16, 16);
    ASSERT_EQ(icon.Width(), 16);
    TtavTitleBarButton* box = bar->Buttons()->Items(0);
    const TPoint origin = bar->ClientToScreen({bar->LeftBtnXOffset() + 3, box->Top()});
    PresentWindows();
    int same = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (icon.Surface().Pixel(x, y) == FHost.ScreenPixel(origin + TPoint{x, y})) ++same;
    EXPECT_GT(same, 16 * 16 / 2) << "the icon at its own 16 x 16 size";

    bar->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(bar->SystemMenu()->UIStyle(), TtavUIStyle::DeepBlue) << "no theme loaded";
    bar->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(bar->SystemMenu()->UIStyle(), TtavUIStyle::MacOS);
}

} // namespace
