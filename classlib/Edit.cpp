#include "classlib/Edit.h"

#include "platform/FontEngine.h"
#include "platform/Input.h"
#include "platform/Painting.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace {
constexpr int TextMargin = 1; // pixels between the client edge and the text
constexpr char32_t CtrlA = 1, CtrlC = 3, CtrlV = 22, CtrlX = 24, CtrlZ = 26;

bool IsDown(int vk) {
    return GetKeyState(vk) < 0;
}
} // namespace

TCustomEdit::TCustomEdit(TComponent* owner, bool multiLine) : TWinControl(owner), FCore(multiLine) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

void TCustomEdit::PublishProperties(TPublisher<TCustomEdit>& p) {
    p.String("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
        .Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
        .Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
        .Enum("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal)
        .Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle)
        .Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true)
        .Boolean("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true)
        .Event("OnChange", &TCustomEdit::OnChange);
}

// ---- properties ------------------------------------------------------------------------------------------

void TCustomEdit::SetText(const std::string& value) {
    if (FCore.Normalized(value) == FCore.Text()) return;
    FCore.SetText(value);
    FTopLine = FScrollX = 0;
    TextEdited();
}

void TCustomEdit::SetSelStart(int value) {
    size_t pos = FCore.OffsetOfChar(size_t(std::max(value, 0)));
    FCore.Select(pos, pos);
    ScrollCaretIntoView();
}

void TCustomEdit::SetSelLength(int value) {
    size_t start = FCore.SelStart();
    size_t end = FCore.OffsetOfChar(FCore.CharIndex(start) + size_t(std::max(value, 0)));
    FCore.Select(start, end);
    ScrollCaretIntoView();
}

void TCustomEdit::SetSelText(const std::string& value) {
    // Code replaces the selection whatever the limits of typing are.
    bool readOnly = FCore.ReadOnly();
    int maxLength = FCore.MaxLength();
    FCore.SetReadOnly(false);
    FCore.SetMaxLength(0);
    bool changed = FCore.InsertText(value);
    FCore.SetReadOnly(readOnly);
    FCore.SetMaxLength(maxLength);
    if (changed) TextEdited();
}

void TCustomEdit::SelectAll() {
    FCore.SelectAll();
    ScrollCaretIntoView();
}

void TCustomEdit::SetReadOnly(bool value) {
    FCore.SetReadOnly(value);
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == FCore.CharCase()) return;
    std::string before = FCore.Text();
    FCore.SetCharCase(value);
    if (FCore.Text() != before) TextEdited();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    if (HandleAllocated()) {
        DWORD ex = GetWindowExStyle(Handle());
        SetWindowExStyle(Handle(), value == bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~DWORD(WS_EX_CLIENTEDGE));
        InvalidateLayout();
    }
}

void TCustomEdit::SetHideSelection(bool value) {
    FHideSelection = value;
    Invalidate();
}

// ---- the window ------------------------------------------------------------------------------------------

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    InvalidateLayout();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::TextEdited() {
    // The view and its scroll information first: the window text's WM_SETTEXT tells of a text laid out.
    FLinesValid = false;
    ScrollCaretIntoView();
    TWinControl::SetText(FCore.Text());
    Change();
}

void TCustomEdit::InvalidateLayout() {
    FLinesValid = false;
    if (HandleAllocated()) ScrollTo(FTopLine, FScrollX);
}

// ---- layout ----------------------------------------------------------------------------------------------

void TCustomEdit::BuildLines(std::vector<TVisualLine>& lines) {
    lines.push_back({0, FCore.Text().size()});
}

const std::vector<TCustomEdit::TVisualLine>& TCustomEdit::VisualLines() {
    if (!FLinesValid) {
        FLines.clear();
        BuildLines(FLines);
        if (FLines.empty()) FLines.push_back({0, 0});
        FWidest = 0;
        for (const TVisualLine& line : FLines)
            FWidest = std::max(FWidest, TextWidthOf(line.Start, line.End));
        FLinesValid = true;
    }
    return FLines;
}

int TCustomEdit::LineHeight() const {
    return std::max(TFontEngine::Instance().Metrics(const_cast<TCustomEdit*>(this)->FontDesc()).Height, 1);
}

TRect TCustomEdit::TextArea() {
    TRect r = HandleAllocated() ? ::GetClientRect(Handle()) : TRect{0, 0, Width(), Height()};
    // BorderWidth keeps a ring free for a frame that a derived class paints.
    r.Left += BorderWidth() + TextMargin;
    r.Right -= BorderWidth() + TextMargin;
    r.Top += BorderWidth();
    r.Bottom -= BorderWidth();
    return r;
}

int TCustomEdit::VisibleLineCount() {
    return std::max(TextArea().Height() / LineHeight(), 1);
}

int TCustomEdit::LineOf(size_t pos) {
    const auto& lines = VisualLines();
    // The last line starting at or before the position: a caret at a wrap point belongs to the next line.
    auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                               [](size_t p, const TVisualLine& l) { return p < l.Start; });
    return std::max(int(it - lines.begin()) - 1, 0);
}

int TCustomEdit::TextWidthOf(size_t start, size_t end) const {
    if (end <= start) return 0;
    return TFontEngine::Instance().TextWidth(const_cast<TCustomEdit*>(this)->FontDesc(),
                                             std::string_view(FCore.Text()).substr(start, end - start));
}

int TCustomEdit::XOf(size_t pos) {
    const TVisualLine& line = VisualLines()[size_t(LineOf(pos))];
    return TextWidthOf(line.Start, std::min(pos, line.End));
}

size_t TCustomEdit::PosAtX(int lineIndex, int x) {
    const auto& lines = VisualLines();
    const TVisualLine line = lines[size_t(std::clamp(lineIndex, 0, int(lines.size()) - 1))];
    size_t pos = line.Start;
    int left = 0;
    while (pos < line.End) {
        size_t next = std::min(FCore.NextChar(pos), line.End);
        int right = TextWidthOf(line.Start, next);
        if (x < (left + right + 1) / 2) break; // nearer the left edge of this character
        pos = next;
        left = right;
    }
    return pos;
}

size_t TCustomEdit::PosAt(TPoint client) {
    TRect area = TextArea();
    int line = FTopLine + (client.Y < area.Top ? -1 : (client.Y - area.Top) / LineHeight());
    return PosAtX(line, client.X - area.Left + FScrollX);
}

TPoint TCustomEdit::CaretPos() {
    TRect area = TextArea();
    return {area.Left + XOf(FCore.Caret()) - FScrollX, area.Top + (LineOf(FCore.Caret()) - FTopLine) * LineHeight()};
}

int TCustomEdit::MaxTopLine() {
    return std::max(int(VisualLines().size()) - VisibleLineCount(), 0);
}

int TCustomEdit::MaxScrollX() {
    VisualLines();
    return std::max(FWidest + 1 - TextArea().Width(), 0); // room for the caret after the widest line
}

// ---- the view --------------------------------------------------------------------------------------------

void TCustomEdit::ScrollTo(int topLine, int scrollX) {
    topLine = std::clamp(topLine, 0, MaxTopLine());
    scrollX = std::clamp(scrollX, 0, MaxScrollX());
    if (topLine != FTopLine || scrollX != FScrollX) {
        FTopLine = topLine;
        FScrollX = scrollX;
    }
    Invalidate();
    ViewChanged();
}

void TCustomEdit::ScrollCaretIntoView() {
    if (!HandleAllocated()) return;
    TRect area = TextArea();
    int top = FTopLine, x = FScrollX;
    int line = LineOf(FCore.Caret());
    int visible = VisibleLineCount();
    if (line < top) top = line;
    if (line >= top + visible) top = line - visible + 1;
    int caretX = XOf(FCore.Caret());
    int width = std::max(area.Width() - 1, 1);
    // Jump by a third of the width, as the platform does, so typing does not scroll at every character.
    if (caretX < x) x = std::max(caretX - width / 3, 0);
    if (caretX > x + width) x = caretX - width + width / 3;
    ScrollTo(top, x);
}

void TCustomEdit::MoveCaretTo(size_t pos, bool extend, bool vertical) {
    FCore.MoveCaret(pos, extend);
    if (!vertical) FGoalX = XOf(FCore.Caret());
    ScrollCaretIntoView();
}

// ---- painting --------------------------------------------------------------------------------------------

void TCustomEdit::Paint(TDC& dc) {
    TRect client = ::GetClientRect(Handle());
    dc.FillRect(client, TBrushDesc::SolidColor(Color()));
    dc.SetFont(FontDesc());
    dc.SetBkMode(TBkMode::Transparent);
    TRect area = TextArea();
    dc.IntersectClipRect(area);
    bool focused = Focused();
    bool showSelection = FCore.HasSelection() && (focused || !FHideSelection);
    const auto& lines = VisualLines();
    int lh = LineHeight();
    for (int i = FTopLine, y = area.Top; i < int(lines.size()) && y < area.Bottom; ++i, y += lh)
        PaintLine(dc, lines[size_t(i)], y, showSelection);
    if (focused && !FCore.HasSelection()) {
        TPoint caret = CaretPos();
        dc.FillRect({caret.X, caret.Y, caret.X + 1, caret.Y + lh}, TBrushDesc::SolidColor(clWindowText));
    }
}

void TCustomEdit::PaintLine(TDC& dc, const TVisualLine& line, int y, bool showSelection) {
    int x0 = TextArea().Left - FScrollX;
    std::string_view text = std::string_view(FCore.Text()).substr(line.Start, line.End - line.Start);
    dc.SetTextColor(Enabled() ? Font()->Color() : clGrayText);
    dc.TextOut(x0, y, text);
    if (!showSelection) return;
    size_t from = std::max(FCore.SelStart(), line.Start), to = std::min(FCore.SelEnd(), line.End);
    bool breakSelected = FCore.SelEnd() > line.End && FCore.SelStart() <= line.End && line.End < FCore.Text().size();
    if (from > to || (from == to && !breakSelected)) return;
    int left = x0 + TextWidthOf(line.Start, from), right = x0 + TextWidthOf(line.Start, to);
    if (breakSelected) right += TextWidthOf(0, 0) + 4; // a selected line break shows as a small block
    TRect band{left, y, right, y + LineHeight()};
    dc.FillRect(band, TBrushDesc::SolidColor(clHighlight));
    TDCStateSaver saver(dc);
    dc.IntersectClipRect(band);
    dc.SetTextColor(clHighlightText);
    dc.TextOut(x0, y, text);
}

// ---- messages --------------------------------------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        auto alive = AliveMark();
        TWinControl::WndProc(m);
        if (!alive.expired()) MouseSelect(m);
        return;
    }
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        InvalidateLayout();
        return;
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(m);
        Invalidate();
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomEdit::DefaultHandler(TMessage& m) {
    if (!HandleAllocated()) return TWinControl::DefaultHandler(m);
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam) {
            Paint(*reinterpret_cast<HDC>(m.WParam));
            return;
        }
        break;
    case WM_ERASEBKGND: m.Result = 1; return; // the paint fills everything
    case WM_GETDLGCODE: m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; return;
    case WM_KEYDOWN: return KeyDownDefault(m);
    case WM_CHAR: return CharDefault(m);
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: return ClipboardMessage(m.Msg);
    case WM_SETTEXT: {
        std::string text = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        if (text != FCore.Text()) {
            // The text may have come from the core's own buffer, which SetText frees: the window stores
            // what the core now holds.
            FCore.SetText(text);
            FTopLine = FScrollX = 0;
            m.LParam = reinterpret_cast<LPARAM>(FCore.Text().c_str());
            TWinControl::DefaultHandler(m);
            TextEdited();
            return;
        }
        break;
    }
    case WM_SETFOCUS:
        // The view stays where it was scrolled, as on the platform; only selecting everything moves it.
        if (FAutoSelect && !IsDown(VK_LBUTTON)) SelectAll();
        Invalidate();
        break;
    case WM_KILLFOCUS: Invalidate(); break;
    case WM_SIZE:
        TWinControl::DefaultHandler(m);
        InvalidateLayout();
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TCustomEdit::MouseSelect(TMessage& m) {
    TPoint p = LParamToPoint(m.LParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        if (GetFocus() != Handle()) {
            if (CanFocus())
                SetFocus();
            else
                ::SetFocus(Handle());
        }
        FSelecting = true;
        MoveCaretTo(PosAt(p), (m.WParam & MK_SHIFT) != 0);
        break;
    case WM_LBUTTONDBLCLK: {
        size_t start = 0, end = 0;
        FCore.WordAt(PosAt(p), start, end);
        FCore.Select(start, end);
        FGoalX = XOf(end);
        ScrollCaretIntoView();
        break;
    }
    case WM_MOUSEMOVE:
        if (FSelecting && (m.WParam & MK_LBUTTON)) MoveCaretTo(PosAt(p), true);
        break;
    case WM_LBUTTONUP: FSelecting = false; break;
    }
}

void TCustomEdit::KeyDownDefault(TMessage& m) {
    WORD key = WORD(m.WParam);
    bool shift = IsDown(VK_SHIFT), ctrl = IsDown(VK_CONTROL);
    const auto& lines = VisualLines();
    const TVisualLine line = lines[size_t(LineOf(FCore.Caret()))];
    size_t caret = FCore.Caret();
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            MoveCaretTo(FCore.PrevWord(caret), shift);
        else if (FCore.HasSelection() && !shift)
            MoveCaretTo(FCore.SelStart(), false);
        else
            MoveCaretTo(FCore.PrevChar(caret), shift);
        return;
    case VK_RIGHT:
        if (ctrl)
            MoveCaretTo(FCore.NextWord(caret), shift);
        else if (FCore.HasSelection() && !shift)
            MoveCaretTo(FCore.SelEnd(), false);
        else
            MoveCaretTo(FCore.NextChar(caret), shift);
        return;
    case VK_HOME: MoveCaretTo(ctrl ? 0 : line.Start, shift); return;
    case VK_END: MoveCaretTo(ctrl ? FCore.Text().size() : line.End, shift); return;
    case VK_DELETE:
        if (shift) {
            Perform(WM_CUT);
            return;
        }
        if (ctrl && !FCore.HasSelection()) FCore.Select(caret, FCore.NextWord(caret));
        if (FCore.DeleteForward()) TextEdited();
        return;
    case VK_INSERT:
        if (ctrl) Perform(WM_COPY);
        if (shift) Perform(WM_PASTE);
        return;
    }
    if (!EditKey(key, shift, ctrl)) TWinControl::DefaultHandler(m);
}

void TCustomEdit::CharDefault(TMessage& m) {
    char32_t ch = char32_t(m.WParam);
    switch (ch) {
    case CtrlA: SelectAll(); return;
    case CtrlC: Perform(WM_COPY); return;
    case CtrlV: Perform(WM_PASTE); return;
    case CtrlX: Perform(WM_CUT); return;
    case CtrlZ: Perform(WM_UNDO); return;
    case '\b':
        if (FCore.DeleteBack()) TextEdited();
        return;
    }
    if (EditChar(ch)) return;
    if (ch < 0x20 || ch == 0x7F) return; // other control characters insert nothing
    if (FCore.Type(ch)) TextEdited();
}

bool TCustomEdit::EditKey(WORD, bool, bool) {
    return false;
}

bool TCustomEdit::EditChar(char32_t) {
    return false;
}

void TCustomEdit::ClipboardMessage(UINT msg) {
    bool changed = false;
    switch (msg) {
    case WM_CUT: changed = FCore.Cut(); break;
    case WM_COPY: FCore.Copy(); return;
    case WM_PASTE: changed = FCore.Paste(); break;
    case WM_CLEAR: changed = FCore.Clear(); break;
    case WM_UNDO: changed = FCore.Undo(); break;
    }
    if (changed) TextEdited();
}
