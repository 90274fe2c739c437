#pragma once
#include "classlib/Forms.h"
#include "classlib/TextEditCore.h"
#include "platform/Font.h"

#include <vector>

using TBorderStyle = TFormBorderStyle; // bsNone or bsSingle for controls

// The platform's edit control: the text, caret and selection of a TTextEditCore shown in lines, edited by
// keys, mouse and clipboard. One line here; the memo derives from it with many. The editing lives in the
// default handling (DefaultHandler), as the platform's own window class does it, so classes that handle a
// message after the inherited handling see the edit's work already done.
class TCustomEdit : public TWinControl {
    VMR_CLASS(TCustomEdit, TWinControl)

  public:
    static void PublishProperties(TPublisher<TCustomEdit>& p);

    void SetText(const std::string& value) override;

    int SelStart() const { return int(FCore.CharIndex(FCore.SelStart())); }
    void SetSelStart(int value);
    int SelLength() const { return int(FCore.CharIndex(FCore.SelEnd()) - FCore.CharIndex(FCore.SelStart())); }
    void SetSelLength(int value);
    std::string SelText() const { return FCore.SelText(); }
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection() { Perform(WM_CLEAR); }
    void CutToClipboard() { Perform(WM_CUT); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    void Undo() { Perform(WM_UNDO); }
    bool CanUndo() const { return FCore.CanUndo(); }
    // A memo's text takes line breaks and tabs.
    bool MultiLine() const { return FCore.MultiLine(); }
    void ClearUndo() { FCore.ClearUndo(); }
    void Clear() { SetText({}); }

    int MaxLength() const { return FCore.MaxLength(); }
    void SetMaxLength(int value) { FCore.SetMaxLength(value); }
    bool ReadOnly() const { return FCore.ReadOnly(); }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return FCore.CharCase(); }
    void SetCharCase(TEditCharCase value);
    bool Modified() const { return FCore.Modified(); }
    void SetModified(bool value) { FCore.SetModified(value); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);

    // The view: the first line shown and the horizontal scroll in pixels.
    int FirstVisibleLine() const { return FTopLine; }
    int ScrollX() const { return FScrollX; }
    // Client point of the caret's top.
    TPoint CaretPos();

    TNotifyEvent OnChange;

  protected:
    explicit TCustomEdit(TComponent* owner, bool multiLine = false);
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    virtual void Change();

    // A line as shown: [Start, End) of the text, without its line break.
    struct TVisualLine {
        size_t Start = 0;
        size_t End = 0;
    };
    // Breaks the text into the lines shown; the memo wraps and splits them.
    virtual void BuildLines(std::vector<TVisualLine>& lines);
    // The keys the single line does not know (Up, Down, pages, Enter, Tab); true when handled.
    virtual bool EditKey(WORD key, bool shift, bool ctrl);
    virtual bool EditChar(char32_t ch);
    // The view moved or the text changed: scroll bars follow here.
    virtual void ViewChanged() {}

    TTextEditCore& Core() { return FCore; }
    const std::vector<TVisualLine>& VisualLines();
    int LineHeight() const;
    int VisibleLineCount();
    TRect TextArea();
    int LineOf(size_t pos);
    int XOf(size_t pos); // text coordinates, before the horizontal scroll
    int TextWidthOf(size_t start, size_t end) const;
    size_t PosAtX(int line, int x);
    size_t PosAt(TPoint client);
    // Sets the view and repaints; clamped to the text.
    void ScrollTo(int topLine, int scrollX);
    int MaxTopLine();
    int MaxScrollX();
    int WidestLine() { return VisualLines(), FWidest; }
    void ScrollCaretIntoView();
    // The text changed: relayout, refresh the control's Text, show the caret, repaint, OnChange.
    void TextEdited();
    // The size, font or wrapping changed: relayout keeping the view.
    void InvalidateLayout();
    // Moves the caret as a key does, remembering the column for vertical moves unless `vertical`.
    void MoveCaretTo(size_t pos, bool extend, bool vertical = false);
    int GoalX() const { return FGoalX; }

  private:
    void Paint(TDC& dc);
    void PaintLine(TDC& dc, const TVisualLine& line, int y, bool showSelection);
    void KeyDownDefault(TMessage& m);
    void CharDefault(TMessage& m);
    void MouseSelect(TMessage& m);
    void ClipboardMessage(UINT msg);
    TFontDesc FontDesc() { return Font()->Desc(); }

    TTextEditCore FCore;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    std::vector<TVisualLine> FLines;
    bool FLinesValid = false;
    int FWidest = 0; // pixels
    int FTopLine = 0;
    int FScrollX = 0;
    int FGoalX = 0;
    bool FSelecting = false; // the left button is down and drags the selection
};

class TEdit : public TCustomEdit {
    VMR_CLASS(TEdit, TCustomEdit)

  protected:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
