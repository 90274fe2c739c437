#include "FrameTestSupport.h"

#include "classlib/MenuItem.h"

namespace {

// A window whose layout binds the frame's title-bar events to its own handlers by name.
class TTitleEventsForm : public TForm {
    VMR_CLASS(TTitleEventsForm, TForm)

public:
    static void PublishProperties(TPublisher<TTitleEventsForm>& p) {
        p.Method("CustomClick", &TTitleEventsForm::CustomClick).Method("HelpClick", &TTitleEventsForm::HelpClick);
    }
    void CustomClick(TObject* sender, int index) { Clicks.push_back({"custom", sender, index}); }
    void HelpClick(TObject* sender, int index) { Clicks.push_back({"help", sender, index}); }

    struct TClick {
        std::string Event;
        TObject* Sender;
        int Index;
        bool operator==(const TClick&) const = default;
    };
    std::vector<TClick> Clicks;

protected:
    explicit TTitleEventsForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; }
};

class TitleBarTest : public TFrameTest {
protected:
    // Press and release inside a point of the bar.
    void ClickBar(TForm* form, int x, int y) {
        FHost.Click(OnBar(form, x, y));
        RunUntilIdle();
    }
    static TSurface FrameOfStrip(int index) {
        TBitmap frame;
        GetBuiltinThemeImage(TtavUIStyle::Protein, 5, &frame, 18, index);
        return frame.Surface();
    }
    static TSurface PictureOf(TPicture* picture) { return picture->Bitmap()->Surface(); }
};

TEST_F(TitleBarTest, LayoutButtonsAndSectionsArePlacedAndDrawn) {
    TForm* form = ShowLayout(MainLayout());
    TtavTitleBar* bar = FrameOf(form)->TitleBar();
    ASSERT_EQ(bar->Buttons()->Count(), 4);
    EXPECT_EQ(bar->Buttons()->Items(0)->ButtonType(), tavControlBox);
    EXPECT_EQ(bar->Buttons()->Items(3)->ButtonType(), tavMin);
    EXPECT_TRUE(bar->Buttons()->Items(1)->Transparent());
    ASSERT_EQ(bar->Sections()->Count(), 3);
    EXPECT_EQ(bar->Sections()->Items(0)->Width(), 441);
    EXPECT_EQ(bar->Sections()->Items(1)->Align(), tavRight);
    EXPECT_EQ(bar->Sections()->Items(2)->Align(), tavClient);
    EXPECT_TRUE(bar->Sections()->Items(2)->Stretch());
    EXPECT_EQ(bar->Height(), 23);

    // W = 699: close at W - 19, maximise at W - 39, minimise at W - 59, the control box at 0, all at y 2. The
    // form's x is the bar's plus the one-pixel margin.
    const int W = 699;
    EXPECT_EQ(PixelAt(form, 1 + W - 19 + 5, 2 + 5), CloseColor);
    EXPECT_EQ(PixelAt(form, 1 + W - 39 + 5, 2 + 5), MaxColor);
    EXPECT_EQ(PixelAt(form, 1 + W - 59 + 5, 2 + 5), MinColor);
    EXPECT_EQ(PixelAt(form, 1 + 5, 2 + 5), BoxColor);
    // Between buttons and above them the sections show; the white lower-left pixel is see-through.
    EXPECT_EQ(PixelAt(form, 1 + W - 20, 10), ClientSectionColor);
    EXPECT_EQ(PixelAt(form, 1 + W - 19, 2 + 18), ClientSectionColor);
    EXPECT_EQ(PixelAt(form, 1 + 0, 2 + 18), LeftSectionColor);

    // The button under the mouse shows its mouse-on picture, and while pressed its mouse-down one.
    FHost.MouseMove(OnBar(form, W - 10, 10));
    RunUntilIdle();
    EXPECT_EQ(bar->HotButton(), 1);
    EXPECT_EQ(PixelAt(form, 1 + W - 10, 10), CloseHotColor);
    FHost.MouseDown(OnBar(form, W - 10, 10));
    RunUntilIdle();
    EXPECT_EQ(PixelAt(form, 1 + W - 10, 10), CloseDownColor);
    // Released away from the button: nothing happens.
    FHost.MouseMove(OnBar(form, 300, 10));
    FHost.MouseUp(OnBar(form, 300, 10));
    RunUntilIdle();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(PixelAt(form, 1 + W - 10, 10), CloseColor);
}

TEST_F(TitleBarTest, CloseHidesAWindowAndEndsTheProgramFromTheMainOne) {
    TForm* main = ShowLayout(MainLayout());
    TForm* about = LoadForm(AboutLayout());
    about->Show();
    RunUntilIdle();
    // The window that lost the activation shows its caption in the inactive colour.
    EXPECT_FALSE(FrameOf(main)->TitleBar()->FormActive());
    EXPECT_TRUE(FrameOf(about)->TitleBar()->FormActive());
    const int closeX = 398 - 19 + 5;
    ClickBar(about, closeX, 10);
    EXPECT_FALSE(about->Visible());
    EXPECT_FALSE(Application->Terminated());
    // Shown again, it is the same window.
    about->Show();
    RunUntilIdle();
    EXPECT_TRUE(about->Visible());

    ClickBar(main, 699 - 19 + 5, 10);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(TitleBarTest, MaximiseRestoreAndMinimise) {
    TForm* form = ShowLayout(MainLayout());
    TtavTitleBar* bar = FrameOf(form)->TitleBar();
    TtavTitleBarButton* max = bar->Buttons()->Items(2);
    ClickBar(form, 699 - 39 + 5, 10);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), FHost.WorkArea());
    EXPECT_EQ(FrameOf(form)->Width(), FHost.WorkArea().Width() - 2);
    // A maximised window's button shows the style's restore pictures.
    EXPECT_EQ(PictureOf(max->PicNormal()), FrameOfStrip(10));
    EXPECT_EQ(PictureOf(max->PicMouseDown()), FrameOfStrip(12));

    const int W = FHost.WorkArea().Width() - 2;
    ClickBar(form, W - 39 + 5, 10);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(207, 115, 701, 562));
    EXPECT_EQ(PictureOf(max->PicNormal()), FrameOfStrip(7));

    ClickBar(form, 699 - 59 + 5, 10);
    EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(TitleBarTest, DraggingTheBarMovesTheWindowAndADoubleClickMaximises) {
    TForm* form = ShowLayout(MainLayout());
    const TPoint grab = OnBar(form, 300, 10);
    FHost.MouseMove(grab);
    FHost.MouseDown(grab);
    FHost.MouseMove(grab + TPoint{40, 30});
    FHost.MouseUp(grab + TPoint{40, 30});
    RunUntilIdle();
    EXPECT_EQ(form->BoundsRect(), Bounds(247, 145, 701, 562));

    // A right press never moves the window.
    FHost.MouseDown(OnBar(form, 300, 10), 3);
    FHost.MouseMove(OnBar(form, 350, 10));
    FHost.MouseUp(OnBar(form, 350, 10), 3);
    RunUntilIdle();
    EXPECT_EQ(form->Left(), 247);

    FHost.Click(OnBar(form, 300, 10));
    FHost.Click(OnBar(form, 300, 10));
    RunUntilIdle();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    FHost.Advance(1000);
    FHost.Click(OnBar(form, 300, 10));
    FHost.Click(OnBar(form, 300, 10));
    RunUntilIdle();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->Left(), 247);
}

TEST_F(TitleBarTest, SectionsTakeTheirWidthsFromBothEndsAndTheClientFillsBetween) {
    TForm* form = LoadForm(MainLayout());
    TtavTitleBar* bar = FrameOf(form)->TitleBar();
    for (int i = 0; i < bar->Buttons()->Count(); ++i) bar->Buttons()->Items(i)->SetVisible(false);
    auto add = [&](int width, TtavTitleBarAlign align, int pictureWidth, TColor color) {
        TtavTitleBarSection* section = bar->Sections()->Add();
        TBitmap* picture = section->Picture()->Bitmap();
        picture->SetSize(pictureWidth, 23);
        picture->Canvas()->Brush()->SetColor(color);
        picture->Canvas()->FillRect({0, 0, pictureWidth, 23});
        section->SetWidth(width);
        section->SetAlign(align);
    };
    bar->Sections()->Clear();
    add(100, tavLeft, 150, 0x000011);  // its picture is cut to its width
    add(50, tavLeft, 50, 0x000022);    // starts where the first ends
    add(2000, tavRight, 10, 0x000033); // wider than what is left: not drawn, takes no room
    add(8, tavRight, 8, 0x000044);
    add(10, tavClient, 1, 0x000055);   // stretched over what lies between
    FrameOf(form)->SetCaption("");
    form->Show();
    RunUntilIdle();
    auto at = [&](int x) { return PixelAt(form, 1 + x, 12); };
    EXPECT_EQ(at(0), TColor(0x000011));
    EXPECT_EQ(at(99), TColor(0x000011));
    EXPECT_EQ(at(100), TColor(0x000022));
    EXPECT_EQ(at(149), TColor(0x000022));
    EXPECT_EQ(at(150), TColor(0x000055));
    EXPECT_EQ(at(699 - 9), TColor(0x000055));
    EXPECT_EQ(at(699 - 8), TColor(0x000044));
    EXPECT_EQ(at(698), TColor(0x000044));
}

TEST_F(TitleBarTest, ALongCaptionIsShortenedBeforeTheButtons) {
    TForm* form = LoadForm(MainLayout());
    FrameOf(form)->SetCaption(std::string(300, 'W'));
    form->Show();
    RunUntilIdle();
    // The caption, drawn after the buttons, leaves the leftmost one whole.
    const int minLeft = 1 + 699 - 59;
    for (int y = 2; y < 2 + 18; ++y)
        for (int x = minLeft; x < minLeft + 19; ++x) ASSERT_EQ(PixelAt(form, x, y), MinColor) << x << "," << y;
    // The text reaches close to the buttons: the space is used.
    bool textNearButtons = false;
    for (int y = 2; y < 21; ++y)
        for (int x = minLeft - 30; x < minLeft; ++x) textNearButtons = textNearButtons || PixelAt(form, x, y) == clWhite;
    EXPECT_TRUE(textNearButtons);
}

TEST_F(TitleBarTest, ButtonsAndSectionsKeepTheirDesignRules) {
    TForm* form = LoadForm(MainLayout());
    TtavTitleBar* bar = FrameOf(form)->TitleBar();

    // A new button is a visible custom one without pictures; its style only sets its transparency.
    TtavTitleBarButton* custom = bar->Buttons()->Add();
    EXPECT_EQ(custom->ButtonType(), tavCustom);
    EXPECT_TRUE(custom->Visible());
    EXPECT_EQ(custom->Top(), 2);
    EXPECT_EQ(custom->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_EQ(custom->PicNormal()->Graphic(), nullptr);
    custom->SetUIStyle(TtavUIStyle::Protein);
    EXPECT_TRUE(custom->Transparent());
    EXPECT_EQ(custom->PicNormal()->Graphic(), nullptr);

    // A style's close button takes its frames of the 18-frame strip, 19 x 19 for Protein.
    custom->SetButtonType(tavClose);
    EXPECT_EQ(custom->PicNormal()->Width(), 19);
    EXPECT_EQ(PictureOf(custom->PicNormal()), FrameOfStrip(16));
    EXPECT_EQ(PictureOf(custom->PicMouseOn()), FrameOfStrip(17));

    // One control box, one client section, even when set on the one that already is.
    custom->SetButtonType(tavControlBox);
    bar->Buttons()->Items(0)->SetButtonType(tavControlBox);
    EXPECT_EQ(custom->ButtonType(), tavClose);
    TtavTitleBarSection* client = bar->Sections()->Items(2);
    client->SetAlign(tavClient);
    bar->Sections()->Items(0)->SetAlign(tavClient);
    EXPECT_EQ(bar->Sections()->Items(0)->Align(), tavLeft);
    ASSERT_EQ(Boxes.size(), 4u);
    EXPECT_EQ(Boxes[0], "Sorry, only one button's ButtonType property can be \"tavControlBox\"");
    EXPECT_EQ(Boxes[3], "Sorry, only one section's Align property can be \"tavClient\"");

    // A client section always stretches; an auto-sized section takes its picture's width either way.
    client->SetStretch(false);
    EXPECT_TRUE(client->Stretch());
    TtavTitleBarSection* left = bar->Sections()->Items(0);
    left->SetWidth(5);
    left->SetAutoSize(false);
    EXPECT_EQ(left->Width(), 441);

    // Copying a frame's collection copies every item.
    TForm* other = LoadForm(AboutLayout());
    FrameOf(other)->SetTitleBarButtons(bar->Buttons());
    EXPECT_EQ(FrameOf(other)->TitleBarButtons()->Count(), 5);
    EXPECT_EQ(FrameOf(other)->TitleBarButtons()->Items(4)->ButtonType(), tavClose);
}

TEST_F(TitleBarTest, TheControlBoxDropsTheSystemMenuOrItsOwnMenu) {
    TForm* form = ShowLayout(MainLayout());
    TtavTitleBar* bar = FrameOf(form)->TitleBar();
    int systemPopups = 0, ownPopups = 0;
    bar->SystemMenu()->OnPopup = [&](TObject*) { ++systemPopups; };
    ClickBar(form, 5, 10);
    EXPECT_EQ(systemPopups, 1);
    for (int i : {0, 1, 3}) EXPECT_TRUE(bar->SystemMenu()->Items()->Items(i)->Enabled());

    auto* own = NewComponent<TPopupMenu>(form);
    own->OnPopup = [&](TObject*) { ++ownPopups; };
    bar->Buttons()->Items(0)->SetControlBoxMenu(own);
    FHost.Advance(1000);
    ClickBar(form, 5, 10);
    EXPECT_EQ(ownPopups, 1);
    EXPECT_EQ(systemPopups, 1);
    // A menu that goes is no longer referred to.
    delete own;
    EXPECT_EQ(bar->Buttons()->Items(0)->ControlBoxMenu(), nullptr);
}

TEST_F(TitleBarTest, TheSystemMenuEnablesTheCommandsOfTheButtonsThereAre) {
    LoadForm(MainLayout());
    TForm* about = LoadForm(AboutLayout());
    TtavTitleBarPopupMenu* menu = FrameOf(about)->TitleBar()->SystemMenu();
    menu->Popup(10, 10);
    RunUntilIdle();
    EXPECT_FALSE(menu->Items()->Items(0)->Enabled());
    EXPECT_FALSE(menu->Items()->Items(1)->Enabled());
    EXPECT_TRUE(menu->Items()->Items(3)->Enabled());
    // It is drawn in the bar's style, and follows a change of it.
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::Protein);
    EXPECT_TRUE(menu->Items()->Items(0)->OnDrawItem);
    FrameOf(about)->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(menu->UIStyle(), TtavUIStyle::MacOS);
    // Its Close command closes the window.
    about->Show();
    menu->Items()->Items(3)->Click();
    EXPECT_FALSE(about->Visible());
}

TEST_F(TitleBarTest, AStyleChangeReloadsTheBarAndTheFormsMinimumWidth) {
    TForm* form = LoadForm(MainLayout());
    TtavForm* frame = FrameOf(form);
    frame->SetUIStyle(TtavUIStyle::WinXP);
    TtavTitleBar* bar = frame->TitleBar();
    EXPECT_EQ(form->Constraints()->MinWidth(), 150);
    EXPECT_EQ(bar->RoundCorner(), 13);
    EXPECT_EQ(bar->Sections()->Count(), 3);
    TBitmap left;
    GetBuiltinThemeImage(TtavUIStyle::WinXP, 10, &left, 0, 0);
    EXPECT_EQ(bar->Height(), left.Height());
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    // Rounded top corners: the window's top-left pixel is cut away, the bottom-left one stays.
    const std::optional<TRegion> region = GetWindowRgn(form->Handle());
    ASSERT_TRUE(region.has_value());
    EXPECT_FALSE(region->Contains({0, 0}));
    EXPECT_TRUE(region->Contains({0, form->Height() - 1}));

    // With Custom set, a style change is only stored.
    bar->SetCustom(true);
    frame->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(bar->UIStyle(), TtavUIStyle::MacOS);
    EXPECT_EQ(bar->RoundCorner(), 13);
    EXPECT_EQ(bar->Font()->Color(), clWhite);
}

TEST_F(TitleBarTest, CustomAndHelpButtonsCallTheFramesEventsWithTheTitleBarAsSender) {
    RegisterClass<TTitleEventsForm>();
    std::string layout = FormLayout("TitleEventsForm", "  Left = 100\n  Top = 100\n  Width = 501\n  Height = 301\n",
                                    499, 300,
                                    ButtonItem("tavClose", CloseColor, CloseHotColor, CloseDownColor) +
                                        ButtonItem("tavCustom", MaxColor, MaxColor, MaxColor) +
                                        ButtonItem("tavHelp", MinColor, MinColor, MinColor),
                                    "    OnTitleBarCustomBtnsClick = CustomClick\n"
                                    "    OnTitleBarHelpBtnClick = HelpClick\n");
    layout.replace(layout.find(": TForm"), 7, ": TTitleEventsForm");
    TTitleEventsForm* form = nullptr;
    Application->CreateForm(form);
    ReadLayoutInto(*form, layout, "FRAMETEST");
    form->Show();
    RunUntilIdle();
    TtavForm* frame = FrameOf(form);
    TtavTitleBar* bar = frame->TitleBar();
    EXPECT_TRUE(bar->OnCustomBtnsClick) << "the frame's events are the title bar's own";
    EXPECT_TRUE(bar->OnHelpBtnClick);
    EXPECT_TRUE(frame->OnTitleBarCustomBtnsClick());

    // Right to left: close at W - 19, the custom button at W - 39, help at W - 59.
    const int W = bar->Width();
    ClickBar(form, W - 39 + 5, 10);
    ClickBar(form, W - 59 + 5, 10);
    using C = TTitleEventsForm::TClick;
    EXPECT_EQ(form->Clicks, (std::vector<C>{{"custom", bar, 1}, {"help", bar, 2}}));

    // Pressed on the custom button and released off it: no event.
    FHost.MouseDown(OnBar(form, W - 39 + 5, 10));
    FHost.MouseMove(OnBar(form, 200, 10));
    FHost.MouseUp(OnBar(form, 200, 10));
    RunUntilIdle();
    EXPECT_EQ(form->Clicks.size(), 2u);
}

} // namespace
