#include "FrameTestSupport.h"

#include "classlib/Panel.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/TAVMainMenu.h"
#include "skin/TAVImagePanel.h"
#include "platform/Exception.h"
#include "platform/Input.h"

namespace {

// A form as a designer holds it: what it owns is designed too.
class TDesignedForm : public TForm {
    VMR_CLASS(TDesignedForm, TForm)

public:
    using TComponent::SetDesigning;

protected:
    explicit TDesignedForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

class FrameTest : public TFrameTest {
protected:
    // What the form's window answers for a point of its client area.
    static LRESULT HitTestAt(TForm* form, int x, int y) {
        return SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam(form->ClientToScreen({x, y})));
    }
};

TEST_F(FrameTest, TheMainWindowIsSizedAndPlacedByItsFrame) {
    TForm* form = ShowLayout(MainLayout());
    TtavForm* frame = FrameOf(form);
    EXPECT_EQ(form->BoundsRect(), Bounds(207, 115, 701, 562));
    EXPECT_EQ(form->Constraints()->MinWidth(), 130);
    EXPECT_EQ(form->Constraints()->MinHeight(), 50);
    EXPECT_FALSE(form->Scaled());

    // No system caption or border: the whole window is client area, which the frame covers but for the
    // one-pixel margin at the left, right and bottom; the title bar covers the top.
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(frame->OwnerBorderStyle(), bsSizeable);
    EXPECT_EQ(GetWindowStyle(form->Handle()) & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_EQ(GetClientRect(form->Handle()), (TRect{0, 0, 701, 562}));
    EXPECT_EQ(frame->BoundsRect(), Bounds(1, 0, 699, 561));
    EXPECT_EQ(frame->TitleBar()->BoundsRect(), Bounds(0, 0, 699, 23));
    EXPECT_EQ(form->Caption(), "Il Velmarune");
    EXPECT_EQ(frame->Caption(), "Il Velmarune");
    EXPECT_EQ(frame->Version(), "4.06");

    // The margin in the border colour, the body in the style's tiled background, the bar's sections.
    EXPECT_EQ(PixelAt(form, 0, 300), clBlack);
    EXPECT_EQ(PixelAt(form, 700, 300), clBlack);
    EXPECT_EQ(PixelAt(form, 350, 561), clBlack);
    TBitmap tile;
    tile.LoadFromResourceName("PROTEIN_FORM_BACKGROUND");
    EXPECT_EQ(PixelAt(form, 1 + 40, 200), tile.Canvas()->Pixels(40 % tile.Width(), 200 % tile.Height()));
    // The tile repeats from the frame's corner, also where only a part of the frame at odd offsets is
    // repainted.
    const auto tileMismatches = [&] {
        int mismatches = 0;
        for (int y = 101; y < 117; ++y)
            for (int x = 37; x < 53; ++x)
                mismatches += PixelAt(form, 1 + x, y) != tile.Canvas()->Pixels(x % tile.Width(), y % tile.Height());
        return mismatches;
    };
    EXPECT_EQ(tileMismatches(), 0);
    const TRect part = Rect(39, 103, 50, 114);
    InvalidateRect(frame->Handle(), &part, true);
    RunUntilIdle();
    EXPECT_EQ(tileMismatches(), 0);
    EXPECT_EQ(PixelAt(form, 1 + 300, 20), LeftSectionColor);
    EXPECT_EQ(PixelAt(form, 1 + 500, 20), ClientSectionColor);
    EXPECT_EQ(PixelAt(form, 1 + 698, 22), RightSectionColor);

    // The tile whatever Color holds; DeepBlue shows Color.
    frame->SetColor(clYellow);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(form, 1 + 40, 200), tile.Canvas()->Pixels(40 % tile.Width(), 200 % tile.Height()));
    frame->SetUIStyle(TtavUIStyle::DeepBlue);
    EXPECT_EQ(frame->Color(), GetBuiltinThemeColor(TtavUIStyle::DeepBlue, tavkey::FormBackgroundColor));
    frame->SetColor(clYellow);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(form, 1 + 40, 200), clYellow);
}

TEST_F(FrameTest, TheAboutWindowKeepsItsDialogBorderStyleAndOffersNoSizingEdge) {
    TForm* form = ShowLayout(AboutLayout());
    TtavForm* frame = FrameOf(form);
    EXPECT_EQ(form->BoundsRect(), Bounds(335, 129, 400, 496));
    EXPECT_EQ(frame->OwnerBorderStyle(), bsDialog);
    EXPECT_EQ(GetWindowStyle(form->Handle()) & (WS_CAPTION | WS_DLGFRAME), 0u);
    EXPECT_EQ(form->Constraints()->MinWidth(), 130);
    EXPECT_EQ(form->Constraints()->MinHeight(), 50);
    EXPECT_EQ(HitTestAt(form, 0, 300), HTCLIENT);
    EXPECT_EQ(HitTestAt(form, 399, 495), HTCLIENT);
    EXPECT_EQ(frame->TitleBar()->Perform(WM_NCHITTEST, 0, PointToLParam(OnBar(form, 100, 1))), HTCLIENT);
}

TEST_F(FrameTest, ASizeableWindowAnswersSizingBandsOfItsMargin) {
    TForm* form = ShowLayout(MainLayout());
    const int W = 701, H = 562;
    EXPECT_EQ(HitTestAt(form, 0, 300), HTLEFT);
    EXPECT_EQ(HitTestAt(form, 4, 300), HTLEFT);
    EXPECT_EQ(HitTestAt(form, 5, 300), HTCLIENT);
    EXPECT_EQ(HitTestAt(form, W - 5, 300), HTCLIENT);
    EXPECT_EQ(HitTestAt(form, W - 4, 300), HTRIGHT);
    EXPECT_EQ(HitTestAt(form, 300, H - 1), HTBOTTOM);
    EXPECT_EQ(HitTestAt(form, 0, H - 1), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestAt(form, W - 1, H - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTestAt(form, 0, 0), HTTOPLEFT);

    // The title bar answers the top edge with its own five rows.
    TtavTitleBar* bar = FrameOf(form)->TitleBar();
    auto barHit = [&](int x, int y) { return bar->Perform(WM_NCHITTEST, 0, PointToLParam(OnBar(form, x, y))); };
    EXPECT_EQ(barHit(300, 0), HTTOP);
    EXPECT_EQ(barHit(300, 4), HTTOP);
    EXPECT_EQ(barHit(300, 5), HTCLIENT);
    EXPECT_EQ(barHit(2, 2), HTTOPLEFT);
    EXPECT_EQ(barHit(W - 3, 2), HTTOPRIGHT);

    // Dragging the right margin sizes the window; the frame follows.
    FHost.MouseMove(form->ClientToScreen({W - 1, 300}));
    FHost.MouseDown(form->ClientToScreen({W - 1, 300}));
    FHost.MouseMove(form->ClientToScreen({W + 49, 310}));
    FHost.MouseUp(form->ClientToScreen({W + 49, 310}));
    RunUntilIdle();
    EXPECT_EQ(form->Width(), W + 50);
    EXPECT_EQ(FrameOf(form)->Width(), W + 50 - 2);

    // The bar's top rows size the window from its top edge.
    FHost.MouseMove(OnBar(form, 300, 1));
    FHost.MouseDown(OnBar(form, 300, 1));
    FHost.MouseMove(OnBar(form, 300, 1) - TPoint{0, 20});
    FHost.MouseUp(OnBar(form, 300, 1) - TPoint{0, 20});
    RunUntilIdle();
    EXPECT_EQ(form->Top(), 115 - 20);
    EXPECT_EQ(form->Height(), H + 20);

    // On a monitor left of and above the primary one, at negative screen points, the bands stay where they are.
    form->SetBounds(-900, -700, W, H);
    RunUntilIdle();
    EXPECT_EQ(HitTestAt(form, 0, 300), HTLEFT);
    EXPECT_EQ(HitTestAt(form, 300, 300), HTCLIENT);
    EXPECT_EQ(HitTestAt(form, W - 1, H - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(barHit(300, 2), HTTOP);
    EXPECT_EQ(barHit(300, 8), HTCLIENT);

    // A maximised window has no sizing edge.
    form->SetWindowState(wsMaximized);
    RunUntilIdle();
    EXPECT_EQ(HitTestAt(form, 0, 300), HTCLIENT);
    EXPECT_EQ(barHit(300, 0), HTCLIENT);
}

TEST_F(FrameTest, AWindowCreatedMaximisedIsRestoredToItsBoundsAtConstruction) {
    TForm* form = ShowLayout(FormLayout("FrmMain",
                                        "  Left = 207\n  Top = 115\n  Width = 709\n  Height = 589\n"
                                        "  WindowState = wsMaximized\n",
                                        699, 561, MainButtons()));
    EXPECT_EQ(form->BoundsRect(), FHost.WorkArea());
    const int W = FHost.WorkArea().Width() - 2;
    FHost.Click(OnBar(form, W - 39 + 5, 10));
    RunUntilIdle();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(207, 115, 709, 589));
    EXPECT_EQ(FrameOf(form)->BoundsRect(), Bounds(1, 0, 707, 588));
}

TEST_F(FrameTest, AFormHoldsOneFrame) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    TtavForm* first = NewComponent<TtavForm>(form);
    first->SetParent(form);
    form->Constraints()->SetMinHeight(300);
    form->SetBounds(10, 10, 600, 400);
    form->SetScaled(true);
    try {
        NewComponent<TtavForm>(form);
        FAIL() << "a second frame was made";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "Sorry, You can create only one TtavForm component in one form!");
    }
    // The half-made frame is gone. It had already set the form's constraints and applied its style: laid
    // out without a margin yet, it took the whole client width, and its border width then widened the form
    // around that. What comes after the refusal, the form's scaling, it never reached.
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Constraints()->MinHeight(), 50);
    EXPECT_EQ(form->Width(), 600 + 2 * GetBuiltinThemeInt(TtavUIStyle::DeepBlue, tavkey::FormBorderWidthInt));
    EXPECT_TRUE(form->Scaled());

    // A layout with two frames fails to load.
    const std::string two = "object FrmTest: TForm\n  object A: TtavForm\n  end\n  object B: TtavForm\n  end\nend\n";
    TForm* other = NewComponent<TForm>(Application);
    try {
        ReadLayoutInto(*other, two, "TWO");
        FAIL() << "the layout loaded";
    } catch (const EComponentError& e) {
        // The frame's own rule reaches the user as the frame raised it, without the layout's place.
        EXPECT_EQ(e.Message(), "Sorry, You can create only one TtavForm component in one form!");
    }
}

TEST_F(FrameTest, WhileDesigningTheFrameLeavesTheFormToTheDesignerAndAdvisesTheSkinnedMenu) {
    TForm* form = NewComponent<TForm>(Application);
    form->SetName("FrmProgetto");
    form->SetDesigning(true);
    form->SetBounds(100, 100, 400, 300);
    form->Constraints()->SetMinHeight(200);
    form->Show();
    RunUntilIdle();
    const int nonClientWidth = form->Width() - form->ClientWidth();
    const int nonClientHeight = form->Height() - form->ClientHeight();
    ASSERT_GT(nonClientWidth, 0) << "a form with its system border";
    auto* frame = NewComponent<TtavForm>(form);
    frame->SetName("tavForm1");
    frame->SetParent(form);
    ASSERT_TRUE(frame->ComponentState().Contains(csDesigning)) << "made on a designing form";

    // Only the scaling is the frame's: border, caption, constraints, window procedure and hook stay.
    EXPECT_FALSE(form->Scaled());
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    EXPECT_TRUE(GetWindowStyle(form->Handle()) & WS_CAPTION);
    EXPECT_EQ(form->Constraints()->MinHeight(), 200);
    EXPECT_EQ(form->Constraints()->MinWidth(), 0);
    EXPECT_FALSE(Application->OnMessage);
    EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam(form->ClientToScreen({0, 150}))), HTCLIENT);
    EXPECT_THROW(NewComponent<TtavForm>(form), EComponentError) << "one frame a form, also while designing";

    // The size properties count the form's non-client size in.
    frame->SetFrameWidth(300);
    frame->SetFrameHeight(200);
    EXPECT_EQ(form->Width(), 300 + 2 + nonClientWidth);
    EXPECT_EQ(form->Height(), 200 + 1 + nonClientHeight);

    // Its paint lays it out and paints the margin, with no window procedure of its own to do so.
    form->SetBounds(100, 100, 420, 320);
    frame->Invalidate();
    RunUntilIdle();
    const TRect client = form->ClientRect();
    EXPECT_EQ(frame->BoundsRect(), Bounds(1, 0, client.Width() - 2, client.Height() - 1));
    const TPoint origin = form->ClientToScreen({0, 0}) - form->BoundsRect().TopLeft();
    EXPECT_EQ(PixelAt(form, origin.X + client.Width() - 1, origin.Y + 100), clBlack);
    EXPECT_EQ(PixelAt(form, origin.X + 100, origin.Y + client.Height() - 1), clBlack);

    // The rounded corners of a style are not cut into the window being designed.
    frame->SetUIStyle(TtavUIStyle::WinXP);
    EXPECT_EQ(frame->RoundCorner(), 13);
    EXPECT_FALSE(GetWindowRgn(form->Handle()).has_value());

    // A plain main menu dropped on the form gets the advice, in an information box; the skinned one none.
    std::vector<UINT> types;
    TMessageBoxHook fixture = SetMessageBoxHook([&](const TMessageBoxRequest& box) -> std::optional<int> {
        Boxes.push_back(box.Text);
        types.push_back(box.Type);
        return IDOK;
    });
    NewComponent<TMainMenu>(form);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0], "Strongly recommend you to use \"TtavMainMenu\" instead of \"TMainMenu\".\r\n\r\n"
                        "If you still want to use TMainForm, \r\n\r\nset FrmProgetto's MENU property to NIL please."
                        "\r\n\r\nAnd set tavForm1's MENU property to this Menu when you finished designing the menu.");
    EXPECT_EQ(types[0] & MB_ICONINFORMATION, UINT(MB_ICONINFORMATION));
    EXPECT_EQ(types[0] & 0xF, UINT(MB_OK));
    auto* menu = NewComponent<TtavMainMenu>(form);
    EXPECT_EQ(Boxes.size(), 1u);

    // The designer's bar: the tool bar draws its buttons, the frame only the background; every change of
    // the menu rebuilds it.
    ASSERT_NE(frame->MenuBar(), nullptr);
    EXPECT_FALSE(frame->MenuBar()->OnCustomDrawButton);
    EXPECT_TRUE(frame->MenuBar()->OnCustomDraw);
    auto* item = NewComponent<TMenuItem>(form);
    item->SetCaption("&File");
    menu->Items()->Add(item);
    ASSERT_EQ(frame->MenuBar()->ButtonCount(), 1);
    EXPECT_EQ(frame->MenuBar()->Buttons(0)->Caption(), "&File");

    // A layout being read gives no advice.
    TForm* loaded = NewComponent<TForm>(Application);
    loaded->SetDesigning(true);
    ReadLayoutInto(*loaded, "object FrmLetto: TForm\n  object tavForm1: TtavForm\n  end\n"
                            "  object MainMenu1: TMainMenu\n  end\nend\n", "DESIGNED");
    EXPECT_EQ(Boxes.size(), 1u);
    SetMessageBoxHook(fixture);
}

TEST_F(FrameTest, FramePropertiesResizeAndRenameTheForm) {
    TForm* form = ShowLayout(MainLayout());
    TtavForm* frame = FrameOf(form);
    frame->SetBorderWidth(3);
    EXPECT_EQ(form->Width(), 699 + 6);
    EXPECT_EQ(frame->Width(), 699);
    EXPECT_EQ(frame->Left(), 3);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(form, 2, 300), clBlack);

    frame->SetCaption("Incantesimi");
    EXPECT_EQ(form->Caption(), "Incantesimi");
    EXPECT_EQ(frame->TitleBar()->Caption(), "Incantesimi");
    form->SetCaption("Altro");
    EXPECT_EQ(frame->Caption(), "Incantesimi");

    // Hiding the title bar leaves the top margin free.
    frame->SetTitleBarVisible(false);
    EXPECT_EQ(frame->Top(), 3);
    EXPECT_EQ(frame->Height(), form->ClientHeight() - 6);

    // The form panel fills the frame; the frame itself is refused.
    TPanel* panel = Make<TPanel>(frame, {10, 10, 50, 50});
    frame->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    frame->SetFormPanel(frame);
    EXPECT_EQ(frame->FormPanel(), panel);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0], "Sorry, you can't select the Form assign to FormPanel property");
    delete panel;
    EXPECT_EQ(frame->FormPanel(), nullptr);
}

TEST_F(FrameTest, RemovingTheThemeComponentFallsBackToDeepBlue) {
    TForm* form = LoadForm(MainLayout("    object tavPanel1: TtavPanel\n      UIStyle = Protein\n    end\n"));
    TtavForm* frame = FrameOf(form);
    auto* panel = static_cast<TtavPanel*>(form->FindComponent("tavPanel1"));
    auto* theme = NewComponent<TtavFileTheme>(form);
    frame->SetUIStyleAutoUpdateSub(true);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(frame->TitleBar()->FileTheme(), theme);
    EXPECT_EQ(panel->FileTheme(), theme);
    EXPECT_EQ(panel->UIStyle(), TtavUIStyle::FromThemeFile);
    delete theme;
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(frame->TitleBar()->FileTheme(), nullptr);
    EXPECT_EQ(frame->TitleBar()->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(panel->FileTheme(), nullptr);
    EXPECT_EQ(panel->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(frame->Color(), GetBuiltinThemeColor(TtavUIStyle::DeepBlue, 15));
}

TEST_F(FrameTest, AFrameDestroyedBeforeItsFormIsNoLongerCalled) {
    TForm* form = ShowLayout(MainLayout());
    delete FrameOf(form);
    form->SetBounds(10, 10, 300, 200);
    RunUntilIdle();
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 10, 300, 200));
    EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam(form->ClientToScreen({0, 100}))), HTCLIENT);
}

TEST_F(FrameTest, TheFrameTurnsItsFormsAutoScrollOffAtRunTimeOnly) {
    // The application's main window: the frame fits the client area and the form never scrolls.
    TForm* main = ShowLayout(MainLayout());
    EXPECT_FALSE(main->AutoScroll());
    EXPECT_EQ(GetWindowStyle(main->Handle()) & (WS_HSCROLL | WS_VSCROLL), 0u);

    // A form already scrolled loses its bars and its controls go back when a frame takes it over.
    TForm* form = NewComponent<TForm>(Application);
    form->SetBounds(10, 10, 300, 200);
    auto* far = NewComponent<TPanel>(form);
    far->SetParent(form);
    far->SetBounds(20, 500, 50, 50);
    form->Show();
    RunUntilIdle();
    ASSERT_TRUE(GetWindowStyle(form->Handle()) & WS_VSCROLL);
    form->Perform(WM_VSCROLL, SB_BOTTOM);
    ASSERT_LT(far->Top(), 500);
    NewComponent<TtavForm>(form)->SetParent(form);
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_EQ(GetWindowStyle(form->Handle()) & (WS_HSCROLL | WS_VSCROLL), 0u);
    EXPECT_EQ(far->Top(), 500);

    // While designing, the frame leaves the form's AutoScroll, as it leaves its border.
    auto* designed = NewComponent<TDesignedForm>(Application);
    designed->SetDesigning(true);
    auto* frame = NewComponent<TtavForm>(designed);
    EXPECT_TRUE(frame->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(designed->AutoScroll());
    EXPECT_EQ(designed->BorderStyle(), bsSizeable);
}

} // namespace
