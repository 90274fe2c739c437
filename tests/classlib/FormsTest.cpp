#include "ControlsTestSupport.h"

#include "classlib/Timer.h"
#include "platform/Resources.h"

#include <cstring>

namespace {
// A form class read from its embedded layout, with handlers bound by name.
class TLayoutForm : public TForm {
    VMR_CLASS(TLayoutForm, TForm)

  public:
    static void PublishProperties(TPublisher<TLayoutForm>& p) {
        p.Method("OkClick", &TLayoutForm::OkClick)
            .Method("FormCreate", &TLayoutForm::FormCreate)
            .Field("Inner", &TLayoutForm::Inner)
            .Field("Ok", &TLayoutForm::Ok);
    }
    void OkClick(TObject*) { ++OkClicks; }
    void FormCreate(TObject*) { CreateSawLayout = Ok && Ok->Parent() == Inner && Inner->Width() == 100; }

    TTestPanel* Inner = nullptr;
    TTestButton* Ok = nullptr;
    int OkClicks = 0;
    bool CreateSawLayout = false;

  protected:
    explicit TLayoutForm(TComponent* owner) : TForm(owner) {}
};

const char* const LayoutText = R"(object LayoutForm: TLayoutForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  BorderStyle = bsNone
  Caption = 'Prova'
  OnCreate = FormCreate
  object Outer: TTestPanel
    Align = alClient
    object Inner: TTestPanel
      Left = 10
      Top = 10
      Width = 100
      Height = 80
      Anchors = [akLeft, akTop, akRight]
      object Ok: TTestButton
        Left = 5
        Top = 5
        Caption = '&Ok'
        OnClick = OkClick
      end
    end
  end
end
)";

class TFormsTest : public TControlsTest {
  protected:
    void SetUp() override {
        TControlsTest::SetUp();
        static const TResourceEntry entries[] = {
            {"TLAYOUTFORM", reinterpret_cast<const uint8_t*>(LayoutText), std::strlen(LayoutText)}};
        RegisterResources(entries, 1);
        RegisterClass<TLayoutForm>();
    }
};
} // namespace

TEST_F(TFormsTest, AFormClassReadsItsLayoutBeforeOnCreate) {
    TLayoutForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_TRUE(form->CreateSawLayout);
    EXPECT_EQ(form->Caption(), "Prova");
    EXPECT_EQ(Screen->FormCount(), 1);

    form->Show();
    Pump();
    // The nested panels are placed, the anchors follow a resize, and the bound handler runs on a click.
    auto* outer = static_cast<TTestPanel*>(form->FindComponent("Outer"));
    EXPECT_EQ(outer->BoundsRect(), (TRect{0, 0, 300, 200}));
    form->SetWidth(400);
    EXPECT_EQ(form->Inner->Width(), 200);
    FHost.Click(form->Ok->ClientToScreen({2, 2}));
    Pump();
    EXPECT_EQ(form->OkClicks, 1);
    EXPECT_EQ(form->Ok->Clicks, 1);
}

TEST_F(TFormsTest, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 200);
    TTestButton* faulty = Make<TTestButton>(form, {10, 10, 70, 30});
    TTestButton* fine = Make<TTestButton>(form, {100, 10, 170, 30});
    faulty->OnClick = [](TObject*) { throw EConvertError("Valore non valido: 'x'"); };
    TTimer* timer = NewComponent<TTimer>(form);
    timer->SetInterval(100);
    timer->OnTimer = [timer](TObject*) {
        timer->SetEnabled(false);
        throw Exception("Guasto nel timer");
    };
    FHost.Click({15, 15});
    FHost.Pause(150);
    FHost.Click({105, 15});
    Application->Run();
    ASSERT_EQ(FBoxes.size(), 2u);
    EXPECT_EQ(FBoxes[0].Text, "Valore non valido: 'x'");
    EXPECT_EQ(FBoxes[0].Caption, "Prova");
    EXPECT_EQ(FBoxes[0].Type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(FBoxes[1].Text, "Guasto nel timer");
    EXPECT_EQ(fine->Clicks, 1);

    // OnException takes over from the box.
    std::string handled;
    Application->OnException = [&](TObject* sender, const std::exception& e) {
        handled = std::string(e.what()) + (sender == faulty ? " from faulty" : "");
    };
    FHost.Click({15, 15});
    Pump();
    EXPECT_EQ(handled, "Valore non valido: 'x' from faulty");
    EXPECT_EQ(FBoxes.size(), 2u);
}

TEST_F(TFormsTest, ShowModalEndsOnModalResultWithOtherFormsDisabled) {
    TForm* main = ShownForm({0, 0, 300, 200});
    TForm* dialog = NewComponent<TForm>(Application);
    dialog->SetBorderStyle(bsNone);
    dialog->SetBounds(400, 0, 200, 100);
    TTestButton* ok = Make<TTestButton>(dialog, {10, 10, 70, 30});
    bool mainEnabledMeanwhile = true;
    ok->OnClick = [&](TObject*) {
        mainEnabledMeanwhile = IsWindowEnabled(main->Handle());
        dialog->SetModalResult(mrOk);
    };
    int refusals = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++refusals > 1; };
    FHost.Click({415, 15}); // refused by OnCloseQuery: the dialog stays
    FHost.Pause(1000);      // not a double click
    FHost.Click({415, 15});
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(refusals, 2);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_THROW(main->ShowModal(), EInvalidOperation); // already visible

    // Without any more input the modal loop ends as cancelled.
    refusals = 5;
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST_F(TFormsTest, CloseActionsAndTheMainFormEndingTheProgram) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetBorderStyle(bsNone);
    TForm* other = ShownForm({400, 0, 600, 100});
    other->Close();
    EXPECT_FALSE(other->Visible());

    TCloseAction next = caNone;
    other->OnClose = [&](TObject*, TCloseAction& action) { action = next; };
    other->Show();
    other->Close();
    EXPECT_TRUE(other->Visible());
    next = caMinimize;
    other->Close();
    EXPECT_EQ(other->WindowState(), wsMinimized);

    // caFree frees it later, through the queue; Release is safe from its own handler.
    next = caFree;
    auto alive = other->AliveMark();
    TTestButton* button = Make<TTestButton>(other, {10, 10, 70, 30});
    button->OnClick = [other](TObject*) { other->Close(); };
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(alive.expired());
    Pump();
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(Screen->FormCount(), 1);

    bool closed = false;
    main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    main->Show();
    Pump();
    FHost.RequestClose(GetHostSurface(main->Handle()));
    FHost.Click({10, 10}); // never reached: the program ends first
    Application->Run();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(TFormsTest, TimersFireByIntervalAndMayBeFreedInTheirOwnTick) {
    TForm* form = ShownForm();
    int ticks = 0;
    TTimer* owned = NewComponent<TTimer>(form);
    owned->SetInterval(50);
    owned->OnTimer = [&](TObject*) {
        ++ticks;
        delete owned;
    };
    TTimer* never = NewComponent<TTimer>(nullptr);
    never->SetInterval(0);
    int neverTicks = 0;
    never->OnTimer = [&](TObject*) { ++neverTicks; };
    TTimer* repeating = NewComponent<TTimer>(nullptr);
    repeating->SetInterval(100);
    int repeats = 0;
    repeating->OnTimer = [&](TObject*) { ++repeats; };

    FHost.Pause(120);
    FHost.Pause(120);
    FHost.Pause(120);
    Pump();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(neverTicks, 0);
    EXPECT_EQ(repeats, 3);

    repeating->SetEnabled(false);
    FHost.Pause(500);
    Pump();
    EXPECT_EQ(repeats, 3);
    delete repeating;
    delete never;
}
