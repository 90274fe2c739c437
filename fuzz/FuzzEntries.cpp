#include "fuzz/FuzzEntries.h"

#include "app/UMain.h"
#include "app/Vmr.h"
#include "classlib/Application.h"
#include "classlib/LayoutReader.h"
#include "classlib/Streams.h"
#include "classlib/data/SqlText.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/MessageBox.h"
#include "platform/MessageLoop.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/TAVThemeFile.h"

#include <memory>
#include <string_view>

namespace {

// The window system, the classes and an application, made once for the whole run and kept to its end;
// message boxes are answered at once.
void EnsureWindowSystem() {
    static bool ready = [] {
        InitWindowSystem(*new THeadlessHost);
        RegisterVmrClasses();
        NewComponent<TApplication>(nullptr);
        SetMessageBoxHook([](const TMessageBoxRequest&) -> std::optional<int> { return IDOK; });
        return true;
    }();
    (void)ready;
}

std::string_view Text(std::span<const uint8_t> input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

// The main window's class without its own embedded layout, so the input is the layout read into it.
class TFuzzMainForm : public TFrmMain {
  public:
    explicit TFuzzMainForm(TComponent* owner) : TFrmMain(owner) {}

  protected:
    std::string LayoutName() const override { return {}; }
};

// Runs one input: the readers' refusals are expected, and what the reading left queued is handled too.
template <class F>
void Refusing(F&& read) {
    try {
        read();
    } catch (const Exception&) {
    }
}

} // namespace

void FuzzThemeFile(std::span<const uint8_t> input) {
    Refusing([&] {
        TMemoryStream stream;
        stream.WriteBuffer(input.data(), input.size());
        TtavThemeFileReader reader(stream);
        for (int i = 0; i < reader.Images().Count(); ++i) {
            TMemoryStream* image = reader.GetImageStreamByName(reader.Images().Strings(i));
            if (!image) continue;
            Refusing([&] {
                DecodeImage({static_cast<const uint8_t*>(image->Memory()), size_t(image->Size())}, "fuzz");
            });
        }
        for (const TStringList* list : {&reader.Integers(), &reader.Booleans()}) {
            for (int i = 0; i < list->Count(); ++i) {
                reader.GetIntByName(list->Names(i));
                reader.GetBoolByName(list->Names(i));
            }
        }
    });
}

void FuzzLayoutText(std::span<const uint8_t> input) {
    EnsureWindowSystem();
    Refusing([&] {
        std::unique_ptr<TComponent> root(ReadLayout(Text(input), "FUZZ", nullptr));
        RunUntilIdle();
    });
    RunUntilIdle();
}

void FuzzFormLayout(std::span<const uint8_t> input) {
    EnsureWindowSystem();
    Refusing([&] {
        std::unique_ptr<TFuzzMainForm> form(NewComponent<TFuzzMainForm>(nullptr));
        ReadLayoutInto(*form, Text(input), "TFRMMAIN");
        RunUntilIdle();
    });
    RunUntilIdle();
}

void FuzzBmp(std::span<const uint8_t> input) {
    Refusing([&] { DecodeBMP(input, "fuzz.bmp"); });
}

void FuzzPng(std::span<const uint8_t> input) {
    Refusing([&] { DecodePNG(input, "fuzz.png"); });
}

void FuzzStatement(std::span<const uint8_t> input) {
    std::string_view sql = Text(input);
    TranslateStatement(sql);
    IsEmptyStatementTail(sql);
    if (std::optional<TSingleTableSelect> single = ReadSingleTableSelect(sql)) ReadSingleTableSelect(single->Rewritten);
}

TFuzzEntry FindFuzzEntry(const std::string& target) {
    static const std::pair<const char*, TFuzzEntry> entries[] = {
        {"theme_file", FuzzThemeFile}, {"layout_text", FuzzLayoutText}, {"form_layout", FuzzFormLayout},
        {"bmp", FuzzBmp},              {"png", FuzzPng},                {"statement", FuzzStatement},
    };
    for (const auto& [name, entry] : entries)
        if (target == name) return entry;
    return nullptr;
}
