#include "classlib/Memo.h"

#include "classlib/SysUtils.h"
#include "platform/FontEngine.h"
#include "platform/ScrollBar.h"

#include <algorithm>

namespace {
constexpr int WheelLines = 3;
} // namespace

// ---- lines -----------------------------------------------------------------------------------------------

std::vector<std::string> TMemoStrings::Split() const {
    std::vector<std::string> lines;
    std::string_view text = FMemo.Text();
    while (!text.empty()) {
        size_t br = text.find(sLineBreak);
        lines.emplace_back(text.substr(0, br));
        if (br == std::string_view::npos) break;
        text.remove_prefix(br + sLineBreak.size());
    }
    return lines;
}

void TMemoStrings::Store(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += sLineBreak;
        text += lines[i];
    }
    FMemo.SetText(text);
}

int TMemoStrings::Count() const {
    return int(Split().size());
}

std::string TMemoStrings::Get(int index) const {
    std::vector<std::string> lines = Split();
    if (index < 0 || index >= int(lines.size())) IndexError(index);
    return lines[size_t(index)];
}

void TMemoStrings::Put(int index, const std::string& s) {
    std::vector<std::string> lines = Split();
    if (index < 0 || index >= int(lines.size())) IndexError(index);
    lines[size_t(index)] = s;
    Store(lines);
}

void TMemoStrings::Insert(int index, const std::string& s) {
    std::vector<std::string> lines = Split();
    if (index < 0 || index > int(lines.size())) IndexError(index);
    // An appended line goes after a break of its own: a text that ends in an empty line keeps it.
    if (index == int(lines.size()) && !FMemo.Text().empty()) return FMemo.SetText(FMemo.Text() + std::string(sLineBreak) + s);
    lines.insert(lines.begin() + index, s);
    Store(lines);
}

void TMemoStrings::Delete(int index) {
    std::vector<std::string> lines = Split();
    if (index < 0 || index >= int(lines.size())) IndexError(index);
    lines.erase(lines.begin() + index);
    Store(lines);
}

void TMemoStrings::Clear() {
    FMemo.SetText({});
}

void TMemoStrings::SetText(std::string_view text) {
    FMemo.SetText(std::string(text));
}

void TMemoStrings::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TStrings*>(source);
    if (!other || other == this) return TStrings::Assign(source);
    std::string text;
    for (int i = 0; i < other->Count(); ++i) {
        const std::string line = other->Strings(i);
        // Each added line would end at a NUL, and one added to an empty text would become the whole text.
        const std::string_view kept = std::string_view(line).substr(0, line.find('\0'));
        if (!text.empty()) text += sLineBreak;
        text += kept;
    }
    FMemo.SetText(text);
}

// ---- the memo --------------------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner, true) {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
}

void TCustomMemo::PublishProperties(TPublisher<TCustomMemo>& p) {
    p.Strings("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone)
        .Boolean("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true)
        .Boolean("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns, true)
        .Boolean("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false);
}

DWORD TCustomMemo::ScrollStyleBits() const {
    switch (FScrollBars) {
    case ssNone: return 0;
    case ssHorizontal: return WS_HSCROLL;
    case ssVertical: return WS_VSCROLL;
    case ssBoth: return WS_HSCROLL | WS_VSCROLL;
    }
    return 0;
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ScrollStyleBits();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (FScrollBars == value) return;
    FScrollBars = value;
    if (!HandleAllocated()) return;
    // The style changes in place: the window, its text and its view stay.
    DWORD style = GetWindowStyle(Handle()) & ~DWORD(WS_HSCROLL | WS_VSCROLL);
    SetWindowStyle(Handle(), style | ScrollStyleBits());
    InvalidateLayout();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (FWordWrap == value) return;
    FWordWrap = value;
    InvalidateLayout();
    Invalidate();
}

// ---- layout ----------------------------------------------------------------------------------------------

void TCustomMemo::BuildLines(std::vector<TVisualLine>& lines) {
    const std::string& text = Core().Text();
    int width = TextArea().Width();
    size_t start = 0;
    while (true) {
        size_t br = text.find(sLineBreak, start);
        size_t end = br == std::string::npos ? text.size() : br;
        if (FWordWrap)
            WrapLine(start, end, width, lines);
        else
            lines.push_back({start, end});
        if (br == std::string::npos) break;
        start = br + sLineBreak.size();
    }
}

// Breaks one line of text after the last blank that fits, or inside a word longer than the width.
void TCustomMemo::WrapLine(size_t start, size_t end, int width, std::vector<TVisualLine>& lines) {
    const std::string& text = Core().Text();
    const TFontDesc font = Font()->Desc();
    TFontEngine& engine = TFontEngine::Instance();
    do {
        if (TextWidthOf(start, end) <= width) {
            lines.push_back({start, end});
            return;
        }
        // Text widths add up character by character, so the line is measured once, not once per character.
        size_t fit = start, lastBreak = start;
        int fitWidth = 0;
        for (size_t p = start; p < end;) {
            size_t next = Core().NextChar(p);
            fitWidth += engine.TextWidth(font, std::string_view(text).substr(p, next - p));
            if (fitWidth > width) break;
            fit = next;
            if (text[p] == ' ' || text[p] == '\t') lastBreak = next;
            p = next;
        }
        // At least one character per line, however narrow the memo.
        size_t cut = lastBreak > start ? lastBreak : std::min(std::max(fit, Core().NextChar(start)), end);
        lines.push_back({start, cut});
        start = cut;
    } while (start < end);
}

// ---- scrolling -------------------------------------------------------------------------------------------

void TCustomMemo::ViewChanged() {
    if (!HandleAllocated()) return;
    int visible = VisibleLineCount();
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
        SCROLLINFO info{SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(LineCount() - 1, 0), UINT(visible),
                        FirstVisibleLine(), 0};
        SetScrollInfo(Handle(), SB_VERT, info, true);
    }
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
        int width = TextArea().Width();
        SCROLLINFO info{SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(WidestLine(), width - 1), UINT(width),
                        ScrollX(), 0};
        SetScrollInfo(Handle(), SB_HORZ, info, true);
    }
}

void TCustomMemo::Scroll(int bar, WPARAM request) {
    bool vertical = bar == SB_VERT;
    int pos = vertical ? FirstVisibleLine() : ScrollX();
    int line = vertical ? 1 : std::max(TFontEngine::Instance().Metrics(Font()->Desc()).AveCharWidth, 1);
    int page = vertical ? std::max(VisibleLineCount() - 1, 1) : std::max(TextArea().Width(), 1);
    int highest = vertical ? MaxTopLine() : MaxScrollX();
    const std::optional<int> requested = RequestedScrollPos(request, pos, line, page, highest);
    if (!requested) return;
    if (vertical)
        ScrollTo(*requested, ScrollX());
    else
        ScrollTo(FirstVisibleLine(), *requested);
}

// ---- messages --------------------------------------------------------------------------------------------

void TCustomMemo::DefaultHandler(TMessage& m) {
    if (!HandleAllocated()) return TCustomEdit::DefaultHandler(m);
    switch (m.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::DefaultHandler(m);
        if (FWantReturns) m.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs) m.Result |= DLGC_WANTTAB;
        return;
    case WM_VSCROLL: return Scroll(SB_VERT, m.WParam);
    case WM_HSCROLL: return Scroll(SB_HORZ, m.WParam);
    case WM_MOUSEWHEEL:
        ScrollTo(FirstVisibleLine() - GET_WHEEL_DELTA_WPARAM(m.WParam) * WheelLines / 120, ScrollX());
        m.Result = 0;
        return;
    }
    TCustomEdit::DefaultHandler(m);
}

bool TCustomMemo::EditKey(WORD key, bool shift, bool ctrl) {
    int line = CaretLine();
    int pageLines = std::max(VisibleLineCount() - 1, 1);
    auto moveToLine = [&](int target, int newTop) {
        target = std::clamp(target, 0, LineCount() - 1);
        MoveCaretTo(PosAtX(target, GoalX()), shift, true);
        if (newTop >= 0) ScrollTo(newTop, ScrollX());
        ScrollCaretIntoView();
    };
    switch (key) {
    case VK_UP: moveToLine(line - 1, -1); return true;
    case VK_DOWN: moveToLine(line + 1, -1); return true;
    case VK_PRIOR: moveToLine(line - pageLines, std::max(FirstVisibleLine() - pageLines, 0)); return true;
    case VK_NEXT: moveToLine(line + pageLines, FirstVisibleLine() + pageLines); return true;
    case VK_TAB:
        // Without WantTabs the Tab key still moves the focus, as the dialog would have done.
        if (!FWantTabs && !ctrl)
            if (TCustomForm* form = ParentForm()) form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        return true;
    }
    return false;
}

bool TCustomMemo::EditChar(char32_t ch) {
    if (ch == '\r') {
        if (FWantReturns && Core().Type('\r')) TextEdited();
        return true;
    }
    if (ch == '\t') {
        if (FWantTabs && Core().Type('\t')) TextEdited();
        return true;
    }
    return false;
}
