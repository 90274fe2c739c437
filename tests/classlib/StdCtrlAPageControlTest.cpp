#include "StdCtrlATestSupport.h"

#include "classlib/PageControl.h"

namespace {

class PageControlTest : public StdCtrlATest {
  protected:
    void SetUp() override {
        StdCtrlATest::SetUp();
        FPages = Make<TPageControl>();
        FPages->SetBounds(10, 10, 300, 200);
        FFirst = AddPage("Primo");
        FSecond = AddPage("Secondo");
        FThird = AddPage("Terzo");
        Pump();
    }
    TTabSheet* AddPage(const std::string& caption) {
        auto* page = NewComponent<TTabSheet>(FForm);
        page->SetCaption(caption);
        page->SetPageControl(FPages);
        return page;
    }
    void ClickTab(int index) {
        TRect tab = FPages->TabRect(index);
        FHost.Click(FPages->ClientToScreen({(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2}));
        Pump();
    }

    TPageControl* FPages = nullptr;
    TTabSheet* FFirst = nullptr;
    TTabSheet* FSecond = nullptr;
    TTabSheet* FThird = nullptr;
};

TEST_F(PageControlTest, ATabShowsItsPageAndOnlyThatOne) {
    EXPECT_EQ(FPages->ActivePage(), FFirst);
    EXPECT_TRUE(FFirst->Visible());
    EXPECT_FALSE(FSecond->Visible());
    int changes = 0;
    FPages->OnChange = [&](TObject*) { ++changes; };
    ClickTab(2);
    EXPECT_EQ(FPages->ActivePage(), FThird);
    EXPECT_EQ(FPages->ActivePageIndex(), 2);
    EXPECT_TRUE(FThird->Visible());
    EXPECT_FALSE(FFirst->Visible());
    EXPECT_EQ(changes, 1);
    ClickTab(2); // the active tab again changes nothing
    EXPECT_EQ(changes, 1);

    // The page fills the body inside its raised frame, below the tabs.
    const int tabs = FPages->TabHeight();
    EXPECT_EQ(FThird->BoundsRect(), (TRect{4, tabs + 4, 296, 196}));
}

TEST_F(PageControlTest, RemovingOrHidingThePageMovesToAnotherTab) {
    FSecond->SetPageIndex(0);
    EXPECT_EQ(FPages->Pages(0), FSecond);
    EXPECT_EQ(FFirst->PageIndex(), 1);
    FPages->SetActivePage(FSecond);
    FSecond->SetTabVisible(false);
    EXPECT_EQ(FPages->ActivePage(), FFirst);
    EXPECT_TRUE(FPages->TabRect(0).IsEmpty());
    delete FFirst;
    EXPECT_EQ(FPages->ActivePage(), FThird);
    EXPECT_EQ(FPages->PageCount(), 2);
    FThird->SetParent(FForm);
    EXPECT_EQ(FThird->PageControl(), nullptr);
    EXPECT_EQ(FPages->PageCount(), 1);
    EXPECT_EQ(FPages->ActivePage(), nullptr); // the page left has no tab to show it by
}

TEST_F(PageControlTest, ClassicLookRaisesTabsAndTheBody) {
    FPages->SetActivePage(FSecond);
    const TRect first = FPages->TabRect(0), second = FPages->TabRect(1), third = FPages->TabRect(2);
    const int x = 10, y = 10; // the control on the form
    // The inactive tab starts two rows down; the active one is taller and reaches the top.
    EXPECT_EQ(Pixel(x + first.Left + 5, y + 1), RGB(clBtnFace));
    EXPECT_EQ(Pixel(x + first.Left + 5, y + 2), RGB(clBtnHighlight));
    EXPECT_EQ(Pixel(x + second.Left + 5, y + 0), RGB(clBtnHighlight));
    EXPECT_EQ(Pixel(x + third.Right - 1, y + 8), RGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(x + first.Left, y + 8), RGB(clBtnHighlight));
    // Below the active tab the body is open; below an inactive one its top edge shows.
    const int body = y + FPages->TabHeight();
    EXPECT_EQ(Pixel(x + second.Left + 5, body), RGB(clBtnFace));
    EXPECT_EQ(Pixel(x + first.Left + 5, body), RGB(clBtnHighlight));
    EXPECT_EQ(Pixel(x + 299, body + 50), RGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(x + 298, body + 50), RGB(clBtnShadow));
}

} // namespace
