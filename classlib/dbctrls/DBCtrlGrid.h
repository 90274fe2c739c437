#pragma once
#include "classlib/CustomControl.h"
#include "classlib/data/DataLink.h"

#include <functional>
#include <memory>
#include <optional>

class TDBCtrlGrid;

enum class TDBCtrlGridOrientation { goVertical, goHorizontal };
using enum TDBCtrlGridOrientation;
VMR_ENUM_NAMES(TDBCtrlGridOrientation, "goVertical", "goHorizontal")

enum class TDBCtrlGridBorder { gbNone, gbRaised };
using enum TDBCtrlGridBorder;
VMR_ENUM_NAMES(TDBCtrlGridBorder, "gbNone", "gbRaised")

using TPaintPanelEvent = std::function<void(TDBCtrlGrid* DBCtrlGrid, int Index)>;

// The panel of the current record: it holds the grid's controls, live, and shows the selection colour. The
// other panels are copies the grid paints from these controls, one per buffered record.
class TDBCtrlPanel : public TWinControl {
    VMR_CLASS(TDBCtrlPanel, TWinControl)

  public:
    TDBCtrlGrid* Grid() const { return FGrid; }

  protected:
    explicit TDBCtrlPanel(TComponent* owner);
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& message) override;

  private:
    friend class TDBCtrlGrid;
    TDBCtrlGrid* FGrid = nullptr;
};

// A grid of ColCount x RowCount panels, one per record of its data source, all showing the controls placed
// on its panel: the current record's panel holds them live, the others are painted from them record by
// record. Vertical grids fill their panels row by row and scroll down, horizontal ones column by column and
// scroll to the right. The keys that move the current record, insert and delete work in the grid and in the
// live panel's controls alike; an edit there keeps Left, Right, Home and End for its caret.
class TDBCtrlGrid : public TCustomControl {
    VMR_CLASS(TDBCtrlGrid, TCustomControl)

  public:
    ~TDBCtrlGrid() override;
    static void PublishProperties(TPublisher<TDBCtrlGrid>& p);

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value);
    TDataLink* DataLink() const { return FDataLink.get(); }
    // The panel that holds the controls; layouts' children of the grid land on it when loaded.
    TDBCtrlPanel* Panel() const { return FPanel; }

    int ColCount() const { return FColCount; }
    void SetColCount(int value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int PanelWidth() const { return FPanelWidth; }
    void SetPanelWidth(int value);
    int PanelHeight() const { return FPanelHeight; }
    void SetPanelHeight(int value);
    // The panel of the current record among the visible ones.
    int PanelIndex() const { return FDataLink->ActiveRecord(); }
    int PanelCount() const { return FColCount * FRowCount; }
    TRect PanelBounds(int index) const;
    // The panel under a client point, or -1.
    int PanelAt(TPoint client) const;

    TDBCtrlGridBorder PanelBorder() const { return FPanelBorder; }
    void SetPanelBorder(TDBCtrlGridBorder value);
    TDBCtrlGridOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TDBCtrlGridOrientation value);
    // The current panel's colour; it follows Color until set.
    TColor SelectedColor() const { return FSelectedColor.value_or(Color()); }
    void SetSelectedColor(TColor value);
    // While the grid has the focus, the current panel shows a focus rectangle.
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool value);
    bool AllowInsert() const { return FAllowInsert; }
    void SetAllowInsert(bool value) { FAllowInsert = value; }
    bool AllowDelete() const { return FAllowDelete; }
    void SetAllowDelete(bool value) { FAllowDelete = value; }

    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;

    TPaintPanelEvent OnPaintPanel;

  protected:
    explicit TDBCtrlGrid(TComponent* owner);
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  private:
    class TGridDataLink;
    friend class TDBCtrlPanel;
    // A data-aware control put on the grid or its panel takes the grid's data source, fixed; taken off,
    // its link is free again.
    void FixDataLink(TControl* control, bool fix);
    void FixDataLinks();
    void ControlListChange(TMessage& m);
    void DataChanged();
    void PlacePanel();
    void UpdateScrollBar();
    void Scroll(int code);
    void MoveToPanel(int index);
    void MoveBy(int distance);
    // Acts on one of the grid's keys and returns true; false for keys it leaves alone, as it leaves the
    // caret keys to a control that wants them.
    bool GridKey(WORD key, TShiftState shift, bool caretKeysTaken);
    // The scroll bar of the orientation: SB_VERT or SB_HORZ.
    int ScrollBar() const;
    // How many records a step down or right moves.
    int StepDown() const { return FOrientation == goVertical ? FColCount : 1; }
    int StepRight() const { return FOrientation == goVertical ? 1 : FRowCount; }
    // The grid's size for the panels with the scroll bar beside or below them.
    void FitToPanels();
    // Paints the panel's controls as they show the link's active record.
    void PaintPanelCopy(TDC& dc, int index);
    TDataSet* ActiveDataSet() const;

    std::unique_ptr<TDataLink> FDataLink;
    TDBCtrlPanel* FPanel = nullptr;
    int FColCount = 1;
    int FRowCount = 3;
    int FPanelWidth = 200;
    int FPanelHeight = 72;
    TDBCtrlGridBorder FPanelBorder = gbRaised;
    TDBCtrlGridOrientation FOrientation = goVertical;
    std::optional<TColor> FSelectedColor;
    bool FShowFocus = true;
    bool FAllowInsert = true;
    bool FAllowDelete = true;
    bool FSizing = false;
};
