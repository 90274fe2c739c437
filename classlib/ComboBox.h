#pragma once
#include "classlib/ControlCanvas.h"
#include "classlib/Edit.h"
#include "classlib/OwnerDraw.h"
#include "classlib/Strings.h"

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using enum TComboBoxStyle;
VMR_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
               "csOwnerDrawVariable")

// What the platform tells about a combo box: where its parts are (client coordinates) and its list window.
struct TComboBoxInfo {
    TRect rcItem;             // the edit or the selected item's text
    TRect rcButton;           // the drop button inside the box's edge; empty for csSimple
    DWORD stateButton = 0;    // STATE_SYSTEM_PRESSED while dropped down, STATE_SYSTEM_INVISIBLE without button
    HWND hwndCombo = nullptr;
    HWND hwndItem = nullptr;  // the edit window, or the combo's own for a drop-down list
    HWND hwndList = nullptr;  // the list window
};

class TCustomComboBox;

// The edit part of an editable combo box: an edit without a border whose special keys go to the combo.
class TComboEdit : public TCustomEdit {
    VMR_CLASS(TComboEdit, TCustomEdit)

  public:
    TCustomComboBox* Combo() const { return FCombo; }

  protected:
    explicit TComboEdit(TComponent* owner);
    void DefaultHandler(TMessage& m) override;
    bool EditKey(WORD key, bool shift, bool ctrl) override;
    bool EditChar(char32_t ch) override;
    void Change() override;

  private:
    friend class TCustomComboBox;
    TCustomComboBox* FCombo = nullptr;
};

// The platform's combo box: an edit part (or the chosen item for a drop-down list), the drop button and a
// list of items, shown in a popup window below the box or, for csSimple, always below the edit.
class TCustomComboBox : public TWinControl {
    VMR_CLASS(TCustomComboBox, TWinControl)

  public:
    ~TCustomComboBox() override;
    static void PublishProperties(TPublisher<TCustomComboBox>& p);

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    TStrings* Items() { return &FItems; }
    void SetItems(const TStrings* value) { FItems.Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    // From code: the text follows the item, and no OnChange fires.
    void SetItemIndex(int value);
    void SetText(const std::string& value) override;
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = std::max(value, 1); }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool value) { FItems.SetSorted(value); }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool value) { FAutoDropDown = value; }

    bool DroppedDown() const { return FDropped; }
    void SetDroppedDown(bool value);
    TComboBoxInfo ComboBoxInfo();
    TComboEdit* EditPart() const { return FEdit; }
    // The item shown highlighted in the list.
    int ListHighlight() const { return FHighlight; }
    TRect ListItemRect(int index); // client coordinates of the list window
    // What the owner-drawing handlers draw on; it holds a DC only while an item is drawn.
    TControlCanvas* Canvas() { return &FCanvas; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // Owner-drawn styles: the edit part and every list item are drawn by DrawItem; csOwnerDrawVariable asks
    // each item's height as the list is laid out.
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

  protected:
    explicit TCustomComboBox(TComponent* owner);
    void CreateHandleDone() override;
    void Loaded() override;
    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    // The list has closed (picked, cancelled or by a click elsewhere).
    virtual void CloseUp();
    // The default fires OnDrawItem, or fills the rectangle and writes the item's text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // The default fires OnMeasureItem; height comes in as ItemHeight.
    virtual void MeasureItem(int index, int& height);

  private:
    friend class TComboEdit;
    friend LRESULT ComboListProc(HWND, UINT, WPARAM, LPARAM);
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    bool IsOwnerDraw() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    TRect ButtonRect();
    TRect ItemRect();
    void UpdateEdge();
    void Arrange();
    void UpdateEditPart();
    void EnsureList();
    void DestroyList();
    void PlaceList();
    // A key the combo handles itself, from its own window or its edit part; true when handled.
    bool ComboKey(WORD key, bool alt);
    bool ComboChar(char32_t ch);
    // The user chose an item (keys or list): text, ItemIndex, OnChange, OnSelect.
    void Pick(int index);
    void TypedTextChanged();
    void ItemsChanged();
    void Paint(TDC& dc);
    void PaintButton(TDC& dc, const TRect& r);
    LRESULT ListMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintList(TDC& dc);
    int ListItemAt(TPoint listClient);
    int ListTopIndex() const { return FListTop; }
    void MeasureItems(); // once after each change that can alter the heights
    void UpdateListScroll();
    int ListItemHeight(int index) const;
    // Items that fit whole below the list's top item (at least one).
    int ListRows();
    // The highest top item that still shows `index` whole in `space` pixels.
    int TopShowing(int index, int space) const;
    int MaxListTop();
    // Sets up the canvas as the platform hands it to an owner-drawn item, then draws it.
    void PaintOwnerItem(TDC& dc, int index, const TRect& rect, TOwnerDrawState state);
    void SetHighlight(int index);

    TComboBoxStyle FStyle = csDropDown;
    TStringList FItems;
    int FItemIndex = -1;
    int FLoadedIndex = -1;
    int FDropDownCount = 8;
    int FItemHeight = 13;
    TEditCharCase FCharCase = ecNormal;
    int FMaxLength = 0;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    TComboEdit* FEdit = nullptr;
    HWND FList = nullptr;
    bool FDropped = false;
    int FHighlight = -1;
    int FListTop = 0;
    std::vector<int> FHeights; // measured for csOwnerDrawVariable
    bool FMeasured = false;
    TControlCanvas FCanvas{this};
    bool FSettingText = false; // the edit part's text is being set by the combo, not typed
};

class TComboBox : public TCustomComboBox {
    VMR_CLASS(TComboBox, TCustomComboBox)

  protected:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

// GetComboBoxInfo for a combo box window of the class library; false for any other window.
bool GetComboBoxInfo(HWND hwnd, TComboBoxInfo& info);
