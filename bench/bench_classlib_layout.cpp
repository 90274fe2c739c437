// Reading a form layout of 100 components, each with the kinds of values real layouts hold.
#include "classlib/LayoutReader.h"
#include "classlib/RegisterClasslib.h"

#include <benchmark/benchmark.h>

namespace {
enum class TBenchAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
VMR_ENUM_NAMES(TBenchAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")
enum class TBenchStyle { fsBold, fsItalic, fsUnderline };
VMR_ENUM_NAMES(TBenchStyle, "fsBold", "fsItalic", "fsUnderline")

class TBenchControl : public TComponent {
    VMR_CLASS(TBenchControl, TComponent)

public:
    static void PublishProperties(TPublisher<TBenchControl>& p) {
        p.Integer("Left", &TBenchControl::Left, &TBenchControl::Left);
        p.Integer("Top", &TBenchControl::Top, &TBenchControl::Top);
        p.Integer("Width", &TBenchControl::Width, &TBenchControl::Width);
        p.Integer("Height", &TBenchControl::Height, &TBenchControl::Height);
        p.String("Caption", &TBenchControl::Caption, &TBenchControl::Caption);
        p.Color("Color", &TBenchControl::Color, &TBenchControl::Color);
        p.Enum("Align", &TBenchControl::Align, &TBenchControl::Align);
        p.Set("FontStyle", &TBenchControl::FontStyle, &TBenchControl::FontStyle);
        p.Component("Next", &TBenchControl::Next, &TBenchControl::SetNext);
        p.Event("OnClick", &TBenchControl::OnClick);
    }
    void SetNext(TBenchControl* next) {
        Next = next;
        if (next) next->FreeNotification(this);
    }
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    TColor Color = clBtnFace;
    TBenchAlign Align = TBenchAlign::alNone;
    TSet<TBenchStyle> FontStyle;
    TBenchControl* Next = nullptr;
    TNotifyEvent OnClick;

protected:
    using TComponent::TComponent;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Next) Next = nullptr;
    }
};

class TBenchForm : public TBenchControl {
    VMR_CLASS(TBenchForm, TBenchControl)

public:
    static void PublishProperties(TPublisher<TBenchForm>& p) { p.Method("Click", &TBenchForm::Click); }
    void Click(TObject*) {}

protected:
    using TBenchControl::TBenchControl;
};

std::string MakeLayout(int count) {
    std::string text = "object BenchForm: TBenchForm\n  Caption = 'Bench'\n";
    for (int i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        text += "  object Control" + n + ": TBenchControl\n";
        text += "    Left = " + n + "\n    Top = " + std::to_string(i * 21) + "\n    Width = 120\n    Height = 21\n";
        text += "    Caption = 'Etichetta " + n + "'#13#10 +\n      'seconda riga'\n";
        text += "    Color = clWindow\n    Align = alTop\n    FontStyle = [fsBold, fsItalic]\n";
        text += "    Next = Control" + std::to_string((i + 1) % count) + "\n    OnClick = Click\n  end\n";
    }
    return text + "end\n";
}
} // namespace

static void BM_ReadLayoutOf100Components(benchmark::State& state) {
    RegisterClasslibClasses();
    RegisterClass<TBenchControl>();
    RegisterClass<TBenchForm>();
    std::string layout = MakeLayout(100);
    for (auto _ : state) {
        TComponent* form = ReadLayout(layout, "TBENCHFORM", nullptr);
        benchmark::DoNotOptimize(form);
        state.PauseTiming();
        delete form;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadLayoutOf100Components)->Unit(benchmark::kMicrosecond);
