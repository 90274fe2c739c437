#pragma once
#include "classlib/Controls.h"
#include "platform/Window.h"

#include <vector>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;
    UINT ClassStyle = 0;
};

// A control with a window of its own, made when first needed, and child controls: the non-windowed ones
// painted by it in creation order, beneath the windowed ones. It takes the focus and the keyboard.
class TWinControl : public TControl {
    VMR_CLASS(TWinControl, TControl)

  public:
    ~TWinControl() override;
    static void PublishProperties(TPublisher<TWinControl>& p);

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    TPoint ClientOrigin() override;
    // It, or a parent of it, is a window of its own on the desktop, so a window can be made for it.
    bool CanHaveHandle() const;
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Makes the window again with the control's state (bounds, text, visibility, children).
    void RecreateWnd();
    // The control of a window made by the class library, or nullptr.
    static TWinControl* FindControl(HWND hwnd);

    // Non-windowed children first, then windowed ones, each in creation order.
    int ControlCount() const { return int(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    // Each tells the control itself with CM_CONTROLLISTCHANGE (WParam the child, LParam 1 on insertion).
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible non-windowed child at a client point, the topmost; with allowWinControls also windowed.
    TControl* ControlAtPos(TPoint client, bool allowDisabled, bool allowWinControls = false);
    // Sends a message to every child until one answers with a result.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Every windowed descendant in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    virtual bool CanFocus();
    virtual void SetFocus();
    bool Focused() const;

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

    TRect ClientRect() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool value) override;
    void SetText(const std::string& value) override;
    void Invalidate() override;
    void Update() override;

    // Alignment of the children: DisableAlign and EnableAlign bracket changes; Realign applies them.
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();
    void Realign();
    void Loaded() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

  protected:
    explicit TWinControl(TComponent* owner);
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    virtual void CreateParams(TCreateParams& params);
    virtual bool IsTopLevel() const { return false; }
    virtual void CreateWnd();
    // The window and its children exist: subclasses set up what needs the handle.
    virtual void CreateHandleDone() {}
    void BoundsChanged(const TRect& old) override;
    void SetZOrder(bool topmost) override;
    void VisibleChanged() override;

    virtual void AlignControls(TControl* changed, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);
    // An unaligned child moved or was resized; nothing depends on it by default.
    virtual void ControlBoundsChanged(TControl*) {}
    // Alignment waits while it is disabled or the control is loading or being destroyed: true then, and
    // it runs once that ends.
    bool AlignDeferred();
    // Places a child with alCustom; the default leaves it where it is.
    virtual void CustomAlignPosition(TControl*, TRect&) {}
    void AlignControl(TControl* changed);

    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    void PaintHandler(HDC dc);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();

  private:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void CreateChildHandles();
    void UpdateBoundsFromWindow();
    bool RouteMouseToControl(TMessage& m);
    // Offers a key to the parents first (CM_CHILDKEY): true when one of them took it.
    bool ChildKey(TMessage& m);
    bool MenuKey(TMessage& m);
    bool DoKeyDown(TMessage& m);
    bool DoKeyPress(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool HandleDialogKey(TMessage& m);
    bool HandleDialogChar(TMessage& m);
    void EraseBackground(TMessage& m);
    void WindowPainting(TMessage& m);
    void SetCursorFor(TMessage& m);

    HWND FHandle = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FBorderWidth = 0;
    int FAlignDisabled = 0;
    bool FAligning = false;
    bool FAlignPending = false;
};
