#pragma once
#include "classlib/Actions.h"
#include "classlib/Component.h"
#include "platform/Exception.h"
#include "classlib/Font.h"
#include "classlib/ShiftState.h"
#include "classlib/SizeConstraints.h"
#include "platform/Messages.h"

#include <functional>
#include <memory>
#include <string>

class TControl;
class TWinControl;
class TCustomForm;
class TControlCanvas;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using enum TAlign;
VMR_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
VMR_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = TSet<TAnchorKind>;

enum class TControlStyleFlag {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
    csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
    csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using enum TControlStyleFlag;
using TControlStyle = TSet<TControlStyleFlag>;

enum class TControlStateFlag {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using enum TControlStateFlag;
using TControlState = TSet<TControlStateFlag>;

// Reading order and alignment of a control's text.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;
VMR_ENUM_NAMES(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly")

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;



// Cursors keep the class library's numbers; layouts name them.
enum class TCursor : int {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
    crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
    crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19,
    crHelp = -20, crHandPoint = -21, crSizeAll = -22
};
using enum TCursor;
const TEnumInfo& EnumTypeInfo(TCursor*);

// What a control answers to WM_GETDLGCODE: the keys it handles itself instead of the dialog.
enum : LRESULT {
    DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004, DLGC_WANTMESSAGE = 0x0004,
    DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010, DLGC_UNDEFPUSHBUTTON = 0x0020,
    DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080, DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000
};

using TWndMethod = std::function<void(TMessage&)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;

// Popup menus live in another unit: it installs the one routine that shows a menu component at a screen
// point for a control, so controls need nothing of it but the component.
using TPopupPresenter = std::function<void(TControl* control, TComponent* menu, TPoint screen)>;
TPopupPresenter SetPopupPresenter(TPopupPresenter presenter); // returns the previous one

// The shift state of mouse-message key flags, and of the keyboard for key messages.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
// Hands the exception being handled to the application (every dispatch boundary calls it in a catch).
void HandleBoundaryException(TObject* sender);

// A visual component: a rectangle on a parent, mouse handling, and the component notifications. Messages
// reach it through WindowProc (which others may replace and call through), then WndProc's switch; what no
// class handles ends in DefaultHandler.
class TControl : public TComponent {
    VMR_CLASS(TControl, TComponent)

  public:
    ~TControl() override;
    static void PublishProperties(TPublisher<TControl>& p);

    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage&) {}

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const { return FParent != nullptr; }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Nothing happens when nothing changes; negative sizes become 0; the constraints apply.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Where the client area starts on the screen; a windowed control asks its window, frame included.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p) { return p + ClientOrigin(); }
    TPoint ScreenToClient(TPoint p) { return p - ClientOrigin(); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints* Constraints() { return &FConstraints; }
    void SetConstraints(const TSizeConstraints* value) { FConstraints.Assign(value); }

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return FText; }
    virtual void SetText(const std::string& value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    TComponent* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TComponent* value);

    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    // Takes the parent's BiDiMode, as ParentFont takes its font.
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    // Text and content are mirrored: the mode is right to left with its alignment.
    virtual bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

    // The action whose caption, enabled state, hint and visibility the control shows, and which a click
    // executes when no OnClick is set.
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* value);
    TBasicActionLink* ActionLink() const { return FActionLink.get(); }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    // A request to repaint later; Update paints what is pending now; Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    // The mouse is held for this control until released.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // The form this control is on, or nullptr.
    TCustomForm* ParentForm() const;
    void Loaded() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;

  protected:
    explicit TControl(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    virtual void WndProc(TMessage& message);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();
    // Whether a new size (which OnCanResize may change) is taken at all; a refused one leaves the bounds.
    virtual bool CanResize(int& newWidth, int& newHeight);
    // The limits a new size is held to, the constraints' unless OnConstrainedResize changes them.
    virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    // The action changed, or became the control's: take its look. checkDefaults (while loading) takes only
    // what the control still has at its default.
    virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
    // Puts the new bounds into effect (a window moves; a graphic control repaints where it was and is).
    virtual void BoundsChanged(const TRect& old);
    virtual void SetZOrder(bool topmost);
    virtual void VisibleChanged();
    // Asks the parent to align its controls again when this control's place depends on it; an unaligned
    // control only tells the parent that it moved.
    void RequestAlign();
    // Remembers the control's distances to its parent's edges, which anchors keep on a resize.
    void UpdateAnchorRules();
    // The bounds the anchors give for a parent client size.
    TRect AnchoredBounds(TSize parentClient) const;

  private:
    friend class TWinControl;
    friend class TControlActionLink;
    void MouseButtonDown(TMessage& m, TMouseButton button, bool doubleClick);
    void MouseButtonUp(TMessage& m, TMouseButton button);
    void ContextMenu(TMessage& m);
    void FontChanged();
    void ConstraintsChanged();
    bool CheckNewSize(int& width, int& height);
    void TakeParentFont();
    void TakeParentColor();
    void TakeParentShowHint();
    void TakeParentBiDiMode();
    void OwnedMenusTakeBiDiMode();

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TRect FAnchorBounds;      // bounds when the anchor rules were taken
    TSize FAnchorParentSize;  // the parent's client size then
    bool FAnchoring = false;  // the bounds being set come from the anchors
    TSizeConstraints FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TFont FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    std::string FText;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TComponent* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    std::unique_ptr<TBasicActionLink> FActionLink;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
};

// A control's link to its action: each change of the action reaches the control's ActionChange.
class TControlActionLink : public TBasicActionLink {
    VMR_CLASS(TControlActionLink, TBasicActionLink)

  public:
    explicit TControlActionLink(TControl* client) : FClient(client) {}

  protected:
    void Change() override;

  private:
    TControl* FClient;
};

// Runs a handler at a dispatch boundary (a message, a paint, a tick): what it raises goes to the application.
template <class F>
void GuardBoundary(TObject* sender, F&& action) {
    try {
        action();
    } catch (...) {
        HandleBoundaryException(sender);
    }
}

// The control that holds the mouse (a graphic control holds it through its parent's window).
TControl* GetCaptureControl();
// The control under the mouse, which CM_MOUSEENTER and CM_MOUSELEAVE follow wherever the capture is.
TControl* GetMouseControl();
// Moves the mouse control to what lies under a screen point, with leave before enter.
void UpdateMouseControl(TPoint screen);
