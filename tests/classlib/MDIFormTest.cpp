#include "ControlsTestSupport.h"

#include "classlib/MDIClient.h"

namespace {

// An MDI parent form with an aligned panel along its top, as the first form made (the main form).
class TMDIFormTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        Application->CreateForm(FParent);
        FParent->SetFormStyle(fsMDIForm);
        FParent->SetBounds(50, 50, 600, 450);
        FTop = Make<TTestPanel>(FParent, {0, 0, 100, 30});
        FTop->SetAlign(alTop);
        FParent->Show();
        Pump();
    }
    TForm* Child(TRect bounds) {
        auto* form = NewComponent<TForm>(Application);
        form->SetFormStyle(fsMDIChild);
        form->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        // What the form's window receives, as (wParam, lParam) of WM_MDIACTIVATE.
        form->WindowProc = [this, form, inner = form->WindowProc](TMessage& m) {
            if (m.Msg == WM_MDIACTIVATE) Activations.push_back({form->Name(), HWND(m.WParam), HWND(m.LParam)});
            inner(m);
        };
        return form;
    }
    HWND ActiveChild() { return reinterpret_cast<HWND>(SendMessage(FParent->ClientHandle(), WM_MDIGETACTIVE)); }

    struct TActivation {
        std::string Form;
        HWND Deactivated, Activated;
    };
    TForm* FParent = nullptr;
    TTestPanel* FTop = nullptr;
    std::vector<TActivation> Activations;
};

TEST_F(TMDIFormTest, TheClientWindowHoldsTheChildrenAndKeepsTheActiveOne) {
    const HWND client = FParent->ClientHandle();
    ASSERT_TRUE(IsWindow(client));
    EXPECT_EQ(GetClassName(client), MDIClientClass);
    EXPECT_EQ(GetParent(client), FParent->Handle());
    const TRect area = GetClientRect(FParent->Handle());
    EXPECT_EQ(GetWindowRect(client), (TRect{area.Left, 30, area.Right, area.Bottom}.Offsetted(
                                         ClientToScreen(FParent->Handle(), {}).X, ClientToScreen(FParent->Handle(), {}).Y)))
        << "below the aligned panel";
    EXPECT_EQ(ShownForm()->ClientHandle(), nullptr) << "no client for another form";

    TForm* a = Child(Bounds(10, 10, 200, 150));
    a->SetName("A");
    TForm* b = Child(Bounds(40, 40, 200, 150));
    b->SetName("B");
    a->Show();
    Pump();
    EXPECT_EQ(GetParent(a->Handle()), client);
    EXPECT_TRUE(GetWindowStyle(a->Handle()) & WS_CHILD);
    EXPECT_TRUE(GetWindowStyle(a->Handle()) & WS_THICKFRAME) << "the child keeps its system border";
    EXPECT_EQ(a->BoundsRect(), Bounds(10, 10, 200, 150)) << "in the client's coordinates";
    EXPECT_EQ(ActiveChild(), a->Handle());
    EXPECT_TRUE(a->Active());
    b->Show();
    Pump();
    EXPECT_EQ(ActiveChild(), b->Handle());
    EXPECT_EQ(FParent->ActiveMDIChild(), b);
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(b->Active());
    ASSERT_EQ(Activations.size(), 3u);
    EXPECT_EQ(Activations[0].Form, "A");
    EXPECT_EQ(Activations[0].Activated, a->Handle());
    EXPECT_EQ(Activations[1].Form, "A");
    EXPECT_EQ(Activations[1].Deactivated, a->Handle());
    EXPECT_EQ(Activations[1].Activated, b->Handle());
    EXPECT_EQ(Activations[2].Form, "B");
    EXPECT_EQ(Activations[2].Deactivated, a->Handle());

    // A click into the other child activates it and brings it to the top.
    FHost.Click(a->ClientToScreen({5, 5}));
    Pump();
    EXPECT_EQ(ActiveChild(), a->Handle());
    EXPECT_EQ(GetChildren(client).back(), a->Handle());

    // A maximised child fills the client area, also after the parent is sized.
    a->SetWindowState(wsMaximized);
    Pump();
    bool maximized = false;
    EXPECT_EQ(HWND(SendMessage(client, WM_MDIGETACTIVE, 0, LPARAM(&maximized))), a->Handle());
    EXPECT_TRUE(maximized);
    EXPECT_EQ(a->BoundsRect(), GetClientRect(client));
    FParent->SetWidth(700);
    Pump();
    EXPECT_EQ(a->BoundsRect(), GetClientRect(client));
    EXPECT_TRUE(GetWindowStyle(a->Handle()) & WS_THICKFRAME);

    // A child that goes is active no longer.
    delete a;
    EXPECT_EQ(ActiveChild(), nullptr);
}

TEST_F(TMDIFormTest, AChildNeedsAnMDIMainForm) {
    FParent->SetFormStyle(fsNormal);
    EXPECT_THROW(Child(Bounds(0, 0, 100, 100))->Show(), EInvalidOperation);
}

} // namespace
