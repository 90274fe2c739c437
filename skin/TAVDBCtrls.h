#pragma once
#include "classlib/Panel.h"
#include "classlib/Strings.h"
#include "classlib/dbctrls/DBEdit.h"
#include "classlib/dbctrls/DBLookupListBox.h"
#include "classlib/dbctrls/DBMemo.h"
#include "classlib/dbctrls/NavigateBtn.h"
#include "skin/TAVAttachedScrollBars.h"
#include "skin/TAVButton.h"
#include "skin/TAVCheckBox.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <array>
#include <memory>
#include <string>

class TTimer;
class TtavDBNavigator;

// The style's control border colour (ControlBorderColor), from the theme file when the style says so.
TColor StyleControlBorderColor(const TtavFileTheme* theme, TtavUIStyle style);

// A data-aware control of the class library in the skin's frame: no system border but a ring of two pixels,
// painted after the control's own painting as one line of BorderColor outside and one of Color inside.
// BorderColor follows the style whenever UIStyle or FileTheme is set. The data handling stays the base's.
template <class Base> class TtavFramedDataControl : public Base {
  public:
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value) {
        FBorderColor = value;
        this->Invalidate();
    }
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value) {
        FUIStyle = value;
        FBorderColor = StyleControlBorderColor(FFileTheme, value);
        if (FBars) {
            TtavUIStyle resolved;
            ResolveFileThemeStyle(FFileTheme, value, resolved);
            FBars->ApplyStyle(resolved);
        }
        this->Invalidate();
    }
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value) {
        FFileTheme = LinkFileTheme(this, FFileTheme, value);
        if (FBars) FBars->ApplyTheme(value);
        SetUIStyle(FUIStyle);
    }

  protected:
    explicit TtavFramedDataControl(TComponent* owner) : Base(owner) {
        this->SetControlStyle(this->ControlStyle() + TControlStyle{csOpaque});
        this->SetBorderStyle(bsNone);
        this->SetBorderWidth(2);
        SetUIStyle(GetOwnerFormStyle(owner));
    }

    // A layout sets UIStyle before BorderColor, so a stored colour replaces the style's.
    template <class C> static void PublishSkinProperties(TPublisher<C>& p) {
        p.Component("FileTheme", &C::FileTheme, &C::SetFileTheme)
            .Enum("UIStyle", &C::UIStyle, &C::SetUIStyle, TtavUIStyle::DeepBlue)
            .Color("BorderColor", &C::BorderColor, &C::SetBorderColor, clBlack);
    }

    void Notification(TComponent* component, TOperation operation) override {
        Base::Notification(component, operation);
        if (operation == opRemove && FBars) FBars->Removed(component);
        if (operation == opRemove && component && component == FFileTheme) {
            FFileTheme = nullptr;
            SetUIStyle(TtavUIStyle::DeepBlue);
        }
    }
    void WndProc(TMessage& m) override {
        auto alive = this->AliveMark();
        Base::WndProc(m);
        if (alive.expired()) return;
        if (FBars) FBars->AfterMessage(m);
        if (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND)
            PaintControlFrame(this, FBorderColor, this->Color(), true);
    }

    // The skinned scroll bars that a memo or list attaches; none for an edit.
    std::unique_ptr<TtavAttachedScrollBars> FBars;

  private:
    TColor FBorderColor = clBlack;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
};

class TtavDBEdit : public TtavFramedDataControl<TDBEdit> {
    VMR_CLASS(TtavDBEdit, TDBEdit)

  public:
    static void PublishProperties(TPublisher<TtavDBEdit>& p) { PublishSkinProperties(p); }

  protected:
    explicit TtavDBEdit(TComponent* owner) : TtavFramedDataControl(owner) {}
};

// The memo's skinned bars stay visible however thin the memo is.
class TtavDBMemo : public TtavFramedDataControl<TDBMemo> {
    VMR_CLASS(TtavDBMemo, TDBMemo)

  public:
    static void PublishProperties(TPublisher<TtavDBMemo>& p);
    TtavScrollBar* VScrollBar() const { return FBars->Bar(SB_VERT); }
    void SetVScrollBar(TtavScrollBar* value) { FBars->Attach(SB_VERT, value); }
    TtavScrollBar* HScrollBar() const { return FBars->Bar(SB_HORZ); }
    void SetHScrollBar(TtavScrollBar* value) { FBars->Attach(SB_HORZ, value); }

  protected:
    explicit TtavDBMemo(TComponent* owner);
};

// One skinned vertical bar, shown only while the list has more rows than fit; the list's own scroll bar
// style stays as it is.
class TtavDBLookupListBox : public TtavFramedDataControl<TDBLookupListBox> {
    VMR_CLASS(TtavDBLookupListBox, TDBLookupListBox)

  public:
    static void PublishProperties(TPublisher<TtavDBLookupListBox>& p);
    TtavScrollBar* VScrollBar() const { return FBars->Bar(SB_VERT); }
    void SetVScrollBar(TtavScrollBar* value) { FBars->Attach(SB_VERT, value); }

  protected:
    explicit TtavDBLookupListBox(TComponent* owner);
};

// The skinned check box over one field: it shows the field as checked or unchecked, and a toggle by the user
// puts the dataset in edit and writes the value when the record is updated. A Boolean field is read and
// written as such; any other field through the value lists, ";"-separated texts compared without case,
// of which the first item is the text written.
class TtavDBCheckBox : public TtavCheckBox {
    VMR_CLASS(TtavDBCheckBox, TtavCheckBox)

  public:
    ~TtavDBCheckBox() override;
    static void PublishProperties(TPublisher<TtavDBCheckBox>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value) { FDataLink->SetFieldName(value); }
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool value) { FDataLink->SetReadOnly(value); }
    const std::string& ValueChecked() const { return FValueChecked; }
    void SetValueChecked(const std::string& value);
    const std::string& ValueUnchecked() const { return FValueUnchecked; }
    void SetValueUnchecked(const std::string& value);
    // Dataset actions offered to the check box act on its data source.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    bool UseRightToLeftAlignment() const override;

  protected:
    explicit TtavDBCheckBox(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& m) override;
    void Paint() override;
    void KeyPress(char32_t& key) override;
    void BeforeToggle() override;

  private:
    // The mark the field's value means.
    TCheckBoxState ReadFieldState() const;
    void FieldDataChange();
    void WriteFieldValue();
    void ExitControl(TMessage& m);
    // A control grid paints the control for its other records: a plain check box with that record's mark.
    void PaintCopy();

    std::unique_ptr<TFieldDataLink> FDataLink = std::make_unique<TFieldDataLink>();
    std::string FValueChecked = "True";
    std::string FValueUnchecked = "False";
};

// True when one of the ";"-separated items of the list, trimmed, equals the text ignoring case. An empty list
// matches nothing; an empty item matches the empty text.
bool MatchesValueList(const std::string& list, const std::string& text);

// A button of the navigator: the skinned push button with the kind's picture, the focus mark of the
// navigator's active button, and the repeat of prior and next while held (400 ms first, then every 100 ms).
class TtavNavButton : public TtavButton {
    VMR_CLASS(TtavNavButton, TtavButton)

  public:
    ~TtavNavButton() override;

    TNavigateBtn Index() const { return FIndex; }
    void SetIndex(TNavigateBtn value) { FIndex = value; }
    bool AllowRepeat() const { return FAllowRepeat; }
    void SetAllowRepeat(bool value) { FAllowRepeat = value; }
    TTimer* RepeatTimer() const { return FRepeatTimer.get(); }

  protected:
    explicit TtavNavButton(TComponent* owner);
    void Paint() override;
    int FocusLook() const override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  private:
    friend class TtavDBNavigator;
    void RepeatTick();
    TtavDBNavigator* Navigator() const;

    TNavigateBtn FIndex = nbFirst;
    bool FAllowRepeat = false;
    std::unique_ptr<TTimer> FRepeatTimer;
};

// The navigator's link: it enables the buttons as the dataset's state, position and editing change.
class TtavNavDataLink : public TDataLink {
    VMR_CLASS(TtavNavDataLink, TDataLink)

  public:
    explicit TtavNavDataLink(TtavDBNavigator* navigator);
    ~TtavNavDataLink() override;

  protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void EditingChanged() override;

  private:
    TtavDBNavigator* FNavigator;
};

// Ten skinned buttons that move through and edit the dataset of a data source: first, prior, next, last,
// insert, delete (asking first when ConfirmDelete), edit, post, cancel, refresh. They stand side by side in
// equal widths, each enabled as the dataset allows; prior and next repeat while held.
class TtavDBNavigator : public TCustomPanel {
    VMR_CLASS(TtavDBNavigator, TCustomPanel)

  public:
    ~TtavDBNavigator() override;
    static void PublishProperties(TPublisher<TtavDBNavigator>& p);

    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet value);
    // The user's hints, one line per button; blank lines keep the default.
    TStrings* Hints();
    void SetHints(const TStrings* value);
    bool ConfirmDelete() const { return FConfirmDelete; }
    void SetConfirmDelete(bool value) { FConfirmDelete = value; }
    int ButtonWidth() const { return FButtonWidth; }
    TNavigateBtn ActiveButton() const { return FActiveButton; }
    TtavNavButton* NavButton(TNavigateBtn kind) const { return FButtons[size_t(kind)]; }
    TtavNavDataLink* DataLink() const { return FDataLink.get(); }

    // Does what the button of that kind does: BeforeAction, the dataset operation, OnClick.
    virtual void ClickButton(TNavigateBtn kind);
    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;

    ENavClick BeforeAction;
    ENavClick OnClick;

  protected:
    explicit TtavDBNavigator(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;

  private:
    friend class TtavNavDataLink;
    friend class TtavNavButton;
    void CreateButtons();
    void ApplyHints();
    int VisibleCount() const;
    void ClampSize(int& width, int& height);
    void LayoutButtons(int& width, int& height);
    void UpdateMoveButtons();
    void UpdateEditButtons();
    void UpdateAllButtons();
    bool LinkOn() const;
    void ButtonMouseDown(TtavNavButton* button);
    void InvalidateButtons(TNavigateBtn a, TNavigateBtn b);
    void StepActiveButton(int step);
    bool Loading() const { return ComponentState().Contains(csLoading); }

    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    std::unique_ptr<TtavNavDataLink> FDataLink;
    TButtonSet FVisibleButtons;
    TStringList FHints;
    std::unique_ptr<TStringList> FDefaultHints;
    int FButtonWidth = 0;
    TPoint FMinButtonSize{20, 18};
    TNavigateBtn FActiveButton = nbFirst;
    bool FConfirmDelete = true;
    std::array<TtavNavButton*, NavigateBtnCount> FButtons{};
};
