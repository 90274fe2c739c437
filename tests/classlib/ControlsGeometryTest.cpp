#include "ControlsTestSupport.h"

TEST_F(TControlsTest, AlignmentFillsTheClientAreaInOrderAndFollowsResizes) {
    TForm* form = ShownForm({0, 0, 400, 300});
    TTestPanel* bottom = Make<TTestPanel>(form, {0, 0, 10, 30});
    bottom->SetAlign(alBottom);
    TTestPanel* top2 = Make<TTestPanel>(form, {0, 50, 10, 70});
    top2->SetAlign(alTop);
    TTestPanel* top1 = Make<TTestPanel>(form, {0, 0, 10, 40});
    top1->SetAlign(alTop); // above top2, which lies lower
    TTestPanel* left = Make<TTestPanel>(form, {0, 0, 50, 10});
    left->SetAlign(alLeft);
    TTestPanel* client = Make<TTestPanel>(form, {0, 0, 5, 5});
    client->SetAlign(alClient);

    EXPECT_EQ(top1->BoundsRect(), (TRect{0, 0, 400, 40}));
    EXPECT_EQ(top2->BoundsRect(), (TRect{0, 40, 400, 60}));
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 270, 400, 300}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 60, 50, 270}));
    EXPECT_EQ(client->BoundsRect(), (TRect{50, 60, 400, 270}));

    form->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 170, 300, 200}));
    EXPECT_EQ(client->BoundsRect(), (TRect{50, 60, 300, 170}));

    // A border keeps aligned children off the edges; hiding one gives its room to the others.
    form->SetBorderWidth(5);
    EXPECT_EQ(top1->BoundsRect(), (TRect{5, 5, 295, 45}));
    top2->SetVisible(false);
    EXPECT_EQ(left->BoundsRect(), (TRect{5, 45, 55, 165}));

    // Too small a form leaves no negative sizes.
    form->SetBounds(0, 0, 20, 20);
    EXPECT_GE(client->Width(), 0);
    EXPECT_GE(client->Height(), 0);
}

TEST_F(TControlsTest, AnchorsKeepDistancesToTheAnchoredEdges) {
    TForm* form = ShownForm({0, 0, 400, 300});
    TTestPanel* stretch = Make<TTestPanel>(form, {10, 10, 390, 50});
    stretch->SetAnchors({akLeft, akTop, akRight});
    TTestPanel* corner = Make<TTestPanel>(form, {300, 250, 380, 290});
    corner->SetAnchors({akRight, akBottom});
    TTestPanel* fixed = Make<TTestPanel>(form, {20, 100, 70, 120});
    TTestPanel* floating = Make<TTestPanel>(form, {100, 100, 200, 150});
    floating->SetAnchors({});

    form->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(stretch->BoundsRect(), (TRect{10, 10, 490, 50}));
    EXPECT_EQ(corner->BoundsRect(), (TRect{400, 350, 480, 390}));
    EXPECT_EQ(fixed->BoundsRect(), (TRect{20, 100, 70, 120}));
    EXPECT_EQ(floating->BoundsRect(), (TRect{150, 150, 250, 200}));

    // Back to the first size: no drift from repeated resizes.
    form->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(stretch->BoundsRect(), (TRect{10, 10, 390, 50}));
    EXPECT_EQ(corner->BoundsRect(), (TRect{300, 250, 380, 290}));
}

TEST_F(TControlsTest, ConstraintsAndBoundsEdgeCases) {
    TForm* form = ShownForm({0, 0, 400, 300});
    TTestPanel* panel = Make<TTestPanel>(form, {0, 0, 100, 100});
    int resizes = 0;
    panel->OnResize = [&](TObject*) { ++resizes; };

    panel->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(resizes, 0); // nothing changed, nothing happens
    panel->SetBounds(0, 0, -5, -1);
    EXPECT_EQ(panel->Width(), 0);
    EXPECT_EQ(panel->Height(), 0);

    panel->Constraints()->SetMinWidth(30);
    panel->Constraints()->SetMaxHeight(40);
    EXPECT_EQ(panel->Width(), 30); // applied at once
    panel->SetBounds(0, 0, 10, 90);
    EXPECT_EQ(panel->BoundsRect(), (TRect{0, 0, 30, 40}));

    // A constrained aligned control keeps its limits while the form grows.
    panel->SetAlign(alClient);
    EXPECT_EQ(panel->Height(), 40);
    EXPECT_EQ(panel->Width(), 400);

    // The window follows the control, and ClientToScreen uses the form's place.
    form->SetBounds(50, 60, 400, 300);
    EXPECT_EQ(GetWindowRect(panel->Handle()), (TRect{50, 60, 450, 100}));
    EXPECT_EQ(panel->ClientToScreen({1, 2}), (TPoint{51, 62}));
    EXPECT_EQ(panel->ScreenToClient({51, 62}), (TPoint{1, 2}));
}

// OnCanResize may refuse a new size, the move with it, or change it; OnConstrainedResize may change the limits.
// Both are asked for every size, an aligned control's and a window's that the window system gave.
TEST_F(TControlsTest, CanResizeAndConstrainedResizeDecideANewSize) {
    TForm* form = ShownForm({0, 0, 400, 300});
    TTestPanel* panel = Make<TTestPanel>(form, {0, 0, 100, 100});
    std::vector<std::pair<int, int>> asked;
    panel->OnCanResize = [&](TObject* sender, int& w, int& h, bool& resize) {
        EXPECT_EQ(sender, panel);
        asked.emplace_back(w, h);
        if (w > 150) resize = false;
        h = h / 10 * 10;
    };
    panel->SetBounds(10, 10, 200, 50);
    EXPECT_EQ(panel->BoundsRect(), (TRect{0, 0, 100, 100})) << "refused, the move too";
    panel->SetBounds(10, 10, 120, 47);
    EXPECT_EQ(panel->BoundsRect(), (TRect{10, 10, 130, 50}));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{200, 50}, {120, 47}}));

    panel->OnCanResize = nullptr;
    panel->Constraints()->SetMaxWidth(140);
    panel->OnConstrainedResize = [&](TObject*, int& minW, int& minH, int& maxW, int& maxH) {
        EXPECT_EQ(maxW, 140) << "the constraints come in";
        EXPECT_EQ(minH, 0);
        maxW = 110;
        minH = 60;
        (void)minW;
        (void)maxH;
    };
    panel->SetWidth(125);
    EXPECT_EQ(panel->Width(), 110);
    EXPECT_EQ(panel->Height(), 60);
    panel->SetAlign(alClient);
    EXPECT_EQ(panel->Width(), 110) << "alignment asks too";
    EXPECT_EQ(panel->Height(), 300);

    // A window size the form refuses goes back to the window.
    form->OnCanResize = [](TObject*, int&, int&, bool& resize) { resize = false; };
    SetWindowPos(form->Handle(), nullptr, 0, 0, 500, 350, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(GetWindowRect(form->Handle()), (TRect{0, 0, 400, 300}));
    EXPECT_TRUE(HasPublishedProperty(panel, "OnCanResize"));
    EXPECT_TRUE(HasPublishedProperty(panel, "OnConstrainedResize"));
}

TEST_F(TControlsTest, GraphicControlsPaintInCreationOrderBeneathWindowedOnes) {
    TForm* form = ShownForm({0, 0, 200, 200});
    form->SetColor(clWhite);
    TTestShape* first = Make<TTestShape>(form, {10, 10, 60, 60});
    first->SetColor(clRed);
    TTestShape* second = Make<TTestShape>(form, {30, 30, 80, 80});
    second->SetColor(clBlue);
    TTestPanel* panel = Make<TTestPanel>(form, {50, 50, 100, 100});
    panel->SetColor(clLime);
    form->Repaint();
    Pump();
    auto pixel = [&](int x, int y) { return FHost.ScreenPixel({x, y}); };
    EXPECT_EQ(pixel(15, 15), (ColorToPixel(clRed)));
    EXPECT_EQ(pixel(40, 40), (ColorToPixel(clBlue)));  // the later one on top
    EXPECT_EQ(pixel(70, 70), (ColorToPixel(clLime)));  // the window above both
    EXPECT_EQ(pixel(150, 150), (ColorToPixel(clWhite)));

    // Bringing the first to the front paints it over the second.
    first->BringToFront();
    Pump();
    EXPECT_EQ(pixel(40, 40), (ColorToPixel(clRed)));

}
