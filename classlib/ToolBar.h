#pragma once
#include "classlib/CustomControl.h"
#include "classlib/MenuWindow.h"

#include <vector>

class TImageList;
class TMenu;
class TMenuItem;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
using enum TToolButtonStyle;
VMR_ENUM_NAMES(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")

enum class TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using enum TEdgeBorder;
VMR_ENUM_NAMES(TEdgeBorder, "ebLeft", "ebTop", "ebRight", "ebBottom")
using TEdgeBorders = TSet<TEdgeBorder>;

enum class TEdgeStyle { esNone, esRaised, esLowered };
using enum TEdgeStyle;
VMR_ENUM_NAMES(TEdgeStyle, "esNone", "esRaised", "esLowered")

// The state a custom-draw handler is given for the bar or a button.
enum class TCustomDrawStateFlag {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked,
    cdsIndeterminate
};
using enum TCustomDrawStateFlag;
VMR_ENUM_NAMES(TCustomDrawStateFlag, "cdsSelected", "cdsGrayed", "cdsDisabled", "cdsChecked", "cdsFocused",
               "cdsDefault", "cdsHot", "cdsMarked", "cdsIndeterminate")
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

using TTBCustomDrawEvent = std::function<void(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw)>;
class TToolButton;
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

// A button of a tool bar. The bar places and draws it; the button keeps its state and handles the mouse.
class TToolButton : public TGraphicControl {
    VMR_CLASS(TToolButton, TGraphicControl)

  public:
    ~TToolButton() override;
    static void PublishProperties(TPublisher<TToolButton>& p);

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    bool Down() const { return FDown; }
    // Pressing a grouped check button releases the others of its group.
    void SetDown(bool value);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value) { FGrouped = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // Sized to its caption rather than the bar's ButtonWidth.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // Starts a new row after this button.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    // A button bound to a menu item shows its caption and state and drops its sub-items down when pressed.
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* value);
    TToolBar* ToolBar() const { return FToolBar; }
    void SetParent(TWinControl* parent) override;

    // The state the bar draws the button in.
    TCustomDrawState DrawState() const;
    bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }

  protected:
    explicit TToolButton(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  private:
    friend class TToolBar;
    void Changed(); // repaint, and lay the bar out again
    void SetPressed(bool value);
    void ReleaseGroup();

    TToolBar* FToolBar = nullptr;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    int FImageIndex = -1;
    bool FAutoSize = false;
    bool FWrap = false;
    TMenuItem* FMenuItem = nullptr;
    bool FPressed = false; // the left button went down on it and is still down over it
};

// A bar of buttons in rows, drawn in the classic flat or raised look; custom-draw handlers may draw the bar
// or any button themselves and clear DefaultDraw to suppress the default drawing.
class TToolBar : public TCustomControl {
    VMR_CLASS(TToolBar, TCustomControl)

  public:
    ~TToolBar() override;
    static void PublishProperties(TPublisher<TToolBar>& p);

    int ButtonCount() const { return int(FButtons.size()); }
    TToolButton* Buttons(int index) const { return FButtons.at(size_t(index)); }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders value);
    TEdgeStyle EdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle value);
    TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    TImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TImageList* value);
    // Menu mode: frees every button, then makes one grouped, auto-sized button per top-level item of the menu,
    // bound to it, in the menu's order from left to right (from the right on a right-to-left bar); `owner`
    // owns the new buttons.
    void ShowMenuItems(TMenu* menu, TComponent* owner);
    // The button under the mouse, drawn hot; nullptr when none.
    TToolButton* HotButton() const { return FHotButton; }

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

  protected:
    explicit TToolBar(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void CreateHandleDone() override;
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* changed, TRect& rect) override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    // Draws a button in the classic look, unless OnCustomDrawButton clears DefaultDraw.
    virtual void DrawButton(TToolButton* button);

  private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    // Menu mode: runs the bound item's click and drops its sub-items down below the button, then follows the
    // user to neighbouring bound buttons until the menus are left.
    void DropDownMenu(TToolButton* button);
    bool DropDownOnce(TToolButton* button, TMenuBarExit& exit);
    TToolButton* NeighbourMenuButton(TToolButton* from, int step) const;
    TToolButton* MenuButtonAt(TPoint screen);
    void RemoveButton(TToolButton* button);
    void SetHotButton(TToolButton* button);
    void ArrangeButtons();
    int ButtonExtent(TToolButton* button);
    void PaintParentBackground();
    void PaintEdges(TRect& rect);
    void DrawButtonFace(TToolButton* button, TCustomDrawState state);
    void DrawButtonContent(TToolButton* button, TCustomDrawState state);
    void SetOption(bool& field, bool value);
    void SetImageList(TImageList*& field, TImageList* value);

    std::vector<TToolButton*> FButtons;
    TToolButton* FHotButton = nullptr;
    TToolButton* FMenuButton = nullptr; // the button whose menu is dropped down
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FFlat = false;
    bool FTransparent = false;
    bool FShowCaptions = false;
    bool FWrapable = true;
    TEdgeBorders FEdgeBorders{ebTop};
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    TImageList* FImages = nullptr;
    TImageList* FHotImages = nullptr;
    bool FArranging = false;
};
