#pragma once
#include "classlib/AutoScroller.h"
#include "classlib/ControlCanvas.h"
#include "classlib/WinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
VMR_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
               "bsSizeToolWin")

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using enum TBorderIcon;
VMR_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;

enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
using enum TFormStyle;
VMR_ENUM_NAMES(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")

enum class TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
using enum TPosition;
VMR_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
using enum TWindowState;
VMR_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1;

class TMainMenu;
class TToolBar;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window made from its layout: a form class reads the layout resource named after its class in
// capitals ("TFRMMAIN") while it is made, and OnCreate runs once the layout is in.
class TCustomForm : public TWinControl {
    VMR_CLASS(TCustomForm, TWinControl)

  public:
    ~TCustomForm() override;
    static void PublishProperties(TPublisher<TCustomForm>& p);
    void AfterConstruction() override;
    void Loaded() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Active() const { return FActive; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }
    TControlCanvas* Canvas() { return &FCanvas; }
    // Kept as layouts store them; the class library does not scale forms.
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    // Scroll bars appear when unaligned controls reach past the client area, and scroll those controls;
    // switched off, the bars go and the controls return to where scrolling found them.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // Where AutoScroll has scrolled to (0, 0 without bars).
    TPoint ScrollPosition() const { return FScroller.Position(); }
    // The menu along the form's top: a menu bar of the class library's own, above the aligned controls, one
    // button per top-level item (from the right for a right-to-left menu); its shortcuts run from the form's
    // key handling. On another form than the main form the menu may be merged into the main form's menu
    // (TMainMenu::AutoMerge), and then shows in the main form's bar only.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    // An fsMDIForm form's MDI client window, made with the form's window, which holds the fsMDIChild forms'
    // windows; nullptr for any other form.
    HWND ClientHandle() const { return FClientHandle; }
    // The MDI client's active child form, or nullptr.
    TCustomForm* ActiveMDIChild() const;
    // Runs the item of Menu whose ShortCut the key with the modifiers is; true when one ran.
    bool IsShortCut(WORD key, TShiftState shift);

    // Visible and in front.
    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form with every other form disabled and returns its ModalResult once it is set.
    TModalResult ShowModal();
    // Asks OnCloseQuery and OnClose, then acts: the main form's close ends the program.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages already queued are handled.
    void Release();
    void FocusControl(TWinControl* control);
    // The focus moved to `control`: exit and enter notifications, then CM_FOCUSCHANGED to every control.
    bool SetFocusedControl(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

  protected:
    explicit TCustomForm(TComponent* owner);
    // The embedded layout this class reads when it is made; empty for a form built in code.
    virtual std::string LayoutName() const;
    void CreateParams(TCreateParams& params) override;
    bool IsTopLevel() const override { return true; }
    void CreateHandleDone() override;
    // The MDI client takes the room the aligned controls leave.
    void AlignControls(TControl* changed, TRect& rect) override;
    void ControlBoundsChanged(TControl* control) override;
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    void PaintWindow(HDC dc) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();

  private:
    friend class TWinControl;
    void ControlHidden(TWinControl* control);
    void PlaceOnFirstShow();
    void WindowActivated(bool active);
    // A menu changed as a whole (LParam): the form's own menu is merged and shown again, and the child
    // controls hear of it, a bar that shows it among them.
    void MenuChanged(TMessage& m);
    void DialogKey(TMessage& m);
    void CloseModal();
    void UpdateWindowState();
    void RebuildMenuBar();
    // Merges Menu into the main form's menu, or unmerges it, as AutoMerge, the form's visibility and, for an
    // MDI child, the active child say.
    void UpdateMenuMerge();
    void MergeMenu(bool merge);
    bool MenuMerges() const;
    bool MenuShownByMainForm() const;
    // An MDI child: its window lives in the main form's MDI client.
    void MDIChildParams(TCreateParams& params);
    void ActivateMDIChild();
    // AutoScroll's bars follow the controls; when they come or go the aligned controls are placed again.
    void UpdateScrollRange();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    bool FActive = false;
    bool FModal = false;
    bool FPlaced = false;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FOldCreateOrder = false;
    bool FAutoScroll = true;
    TAutoScroller FScroller{*this};
    TMainMenu* FMenu = nullptr;
    TToolBar* FMenuBar = nullptr;
    HWND FClientHandle = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    TControlCanvas FCanvas{this};
};

class TForm : public TCustomForm {
    VMR_CLASS(TForm, TCustomForm)

  protected:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
