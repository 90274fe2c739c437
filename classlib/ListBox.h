#pragma once
#include "classlib/ControlCanvas.h"
#include "classlib/OwnerDraw.h"
#include "classlib/Panel.h"
#include "classlib/Strings.h"

#include <optional>

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };
using enum TListBoxStyle;
VMR_ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed")

// A list of texts with one selected, drawn by the control itself (or by OnDrawItem), with the window's own
// vertical scroll bar following the items. OnClick fires whenever the user changes the selection.
class TCustomListBox : public TWinControl {
    VMR_CLASS(TCustomListBox, TWinControl)

  public:
    ~TCustomListBox() override;
    static void PublishProperties(TPublisher<TCustomListBox>& p);

    TStrings* Items() { return &FItems; }
    void SetItems(const TStrings* value) { FItems.Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    // Selects the item (-1: none) and brings it into view; fires no OnClick.
    void SetItemIndex(int value);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int value);
    // The height of an owner-drawn item; standard items are as high as the font's text.
    int ItemHeight();
    void SetItemHeight(int value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool value) { FItems.SetSorted(value); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    int Count() const { return FDataCount >= 0 ? FDataCount : FItems.Count(); }
    // The text an item shows: its line of Items, or, for a list of SetItemCount, what a subclass supplies.
    virtual std::string ItemText(int index) const { return FItems.Strings(index); }

    // The item under a client point, or -1.
    int ItemAtPos(TPoint client, bool existing = true);
    TRect ItemRect(int index);
    // Items that fit whole in the client area (at least one).
    int VisibleCount();
    TControlCanvas* Canvas() { return &FCanvas; }

    TDrawItemEvent OnDrawItem;

  protected:
    explicit TCustomListBox(TComponent* owner);
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void Resize() override;
    // Draws one item; the default fires OnDrawItem for owner-drawn styles, else draws the text.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // Makes the list count items with no texts of their own: ItemText answers for the ones drawn, so a long
    // list costs nothing to fill. -1 returns to Items.
    void SetItemCount(int count);

  private:
    void ItemsChanged();
    void UpdateScrollInfo();
    void Scroll(WORD code, int thumb);
    // Selects an item as the user does: in view, repainted, OnClick when it changed.
    void SelectByUser(int index);
    void MakeVisible(int index);
    // Repaints one item only: a selection or focus change touches the items it concerns.
    void InvalidateItem(int index);
    int MaxTopIndex();

    TStringList FItems;
    TControlCanvas FCanvas{this};
    int FDataCount = -1;
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    std::optional<TFontDesc> FMeasuredFont; // the font the text line's height was measured in
    int FMeasuredHeight = 1;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = bsSingle;
};

class TListBox : public TCustomListBox {
    VMR_CLASS(TListBox, TCustomListBox)

  protected:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
