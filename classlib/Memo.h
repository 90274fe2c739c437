#pragma once
#include "classlib/Edit.h"
#include "classlib/Strings.h"

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;
VMR_ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

class TCustomMemo;

// The memo's lines: a view of its text split at its line breaks, so both always agree.
class TMemoStrings : public TStrings {
    VMR_CLASS(TMemoStrings, TStrings)

  public:
    explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}
    int Count() const override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetText(std::string_view text) override;
    // The memo's text set once for the whole list, as adding its lines one by one would leave it.
    void Assign(const TPersistent* source) override;

  protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;

  private:
    std::vector<std::string> Split() const;
    void Store(const std::vector<std::string>& lines);
    TCustomMemo& FMemo;
};

// The platform's multi-line edit: lines that may wrap, the native window scroll bars (vertical in lines,
// horizontal in pixels) whose information follows the view, and the scroll messages that move it.
class TCustomMemo : public TCustomEdit {
    VMR_CLASS(TCustomMemo, TCustomEdit)

  public:
    static void PublishProperties(TPublisher<TCustomMemo>& p);

    TStrings* Lines() { return &FLines; }
    void SetLines(const TStrings* value) { FLines.Assign(value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }

    // What the platform's multi-line edit answers about its view.
    int LineCount() { return int(VisualLines().size()); }
    int CaretLine() { return LineOf(Core().Caret()); }

  protected:
    explicit TCustomMemo(TComponent* owner);
    void CreateParams(TCreateParams& params) override;
    void DefaultHandler(TMessage& m) override;
    void BuildLines(std::vector<TVisualLine>& lines) override;
    bool EditKey(WORD key, bool shift, bool ctrl) override;
    bool EditChar(char32_t ch) override;
    void ViewChanged() override;

  private:
    void Scroll(int bar, WPARAM request);
    void WrapLine(size_t start, size_t end, int width, std::vector<TVisualLine>& lines);
    DWORD ScrollStyleBits() const;

    TMemoStrings FLines{*this};
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    VMR_CLASS(TMemo, TCustomMemo)

  protected:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
