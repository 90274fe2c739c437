#include "classlib/WinControl.h"

#include "classlib/ControlCanvas.h"
#include "classlib/Forms.h"
#include "classlib/Screen.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"

#include <algorithm>
#include <unordered_map>

namespace {
// The control whose window is being made: its procedure takes the window on the first message.
TWinControl* gCreatingControl = nullptr;
// The controls of the windows the class library made; other windows' user data is not ours to read.
std::unordered_map<HWND, TWinControl*> gControlOfWindow;

bool IsDialogKeyCode(WORD key) {
    switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE: return true;
    default: return false;
    }
}

bool WantsKey(LRESULT code, WORD key) {
    if (code & DLGC_WANTALLKEYS) return true;
    if (key == VK_TAB) return code & DLGC_WANTTAB;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) return code & DLGC_WANTARROWS;
    return false;
}

// A key-down that was consumed must not leave its translated character behind.
void DropTranslatedChar(HWND hwnd) {
    MSG next;
    if (PeekMessage(next, PM_NOREMOVE) && next.hwnd == hwnd &&
        (next.message == WM_CHAR || next.message == WM_SYSCHAR))
        PeekMessage(next, PM_REMOVE);
}
} // namespace

LRESULT ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto found = gControlOfWindow.find(hwnd);
    TWinControl* control = found == gControlOfWindow.end() ? nullptr : found->second;
    if (!control) {
        control = gCreatingControl;
        if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
        gCreatingControl = nullptr;
        control->FHandle = hwnd;
        gControlOfWindow[hwnd] = control;
    }
    TMessage m{msg, wParam, lParam, 0};
    if (msg == WM_NCDESTROY) {
        FreeDeviceContexts();
        control->FHandle = nullptr;
        gControlOfWindow.erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    GuardBoundary(control, [&] {
        TWndMethod proc = control->WindowProc; // the control may be freed while it runs
        proc(m);
    });
    return m.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    Destroying();
    // Leave the parent (and the form's focus) while this is still a windowed control to it.
    if (Parent()) Parent()->RemoveControl(this);
    DestroyHandle();
    while (!FControls.empty() || !FWinControls.empty()) {
        TControl* child = FWinControls.empty() ? FControls.back() : FWinControls.back();
        RemoveControl(child);
        delete child;
    }
}

void TWinControl::PublishProperties(TPublisher<TWinControl>& p) {
    p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Integer("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, 0)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp);
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
    auto found = gControlOfWindow.find(hwnd);
    return found == gControlOfWindow.end() ? nullptr : found->second;
}

// ---- the window ----------------------------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (!FHandle) CreateWnd();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = Text();
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent()) params.WndParent = Parent()->Handle();
    params.WinClassName = ClassName();
    if (ControlStyle().Contains(csDoubleClicks)) params.ClassStyle |= CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    // Making the parent's window made this one with it.
    if (FHandle) return;
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    RegisterClass(WNDCLASS{params.WinClassName, params.ClassStyle, ControlWindowProc, clNone, THostCursor::Arrow});
    gCreatingControl = this;
    HWND hwnd = CreateWindowEx(params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X,
                               params.Y, params.Width, params.Height, params.WndParent);
    gCreatingControl = nullptr;
    if (!hwnd) throw EOutOfResources("Error creating window of " + ClassName() + " '" + Name() + "'");
    FHandle = hwnd;
    UpdateBoundsFromWindow();
    CreateChildHandles();
    CreateHandleDone();
}

void TWinControl::CreateChildHandles() {
    std::vector<TWinControl*> children = FWinControls;
    for (TWinControl* child : children)
        child->Handle();
    // Windows above their siblings in the order the controls were made.
    for (TWinControl* child : children)
        SetWindowPos(child->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    FControlState.Include(csDestroyingHandle);
    DestroyWindow(FHandle); // the children's windows go with it; WM_NCDESTROY clears each handle
    FControlState.Exclude(csDestroyingHandle);
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    DestroyHandle();
    Handle();
}

void TWinControl::UpdateBoundsFromWindow() {
    TRect r = GetWindowRect(FHandle);
    if (HWND parent = GetParent(FHandle); parent && (GetWindowStyle(FHandle) & WS_CHILD)) {
        TPoint topLeft = ::ScreenToClient(parent, r.TopLeft());
        r = {topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
    }
    if (r == BoundsRect()) return;
    FAnchoring = true; // the window system moved it: keep the rules of the bounds it was given
    TControl::SetBounds(r.Left, r.Top, r.Width(), r.Height());
    FAnchoring = false;
    // A size the control refused goes back to its window.
    if (r != BoundsRect()) BoundsChanged(r);
    Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TSize oldClient{Width(), Height()};
    TControl::SetBounds(left, top, width, height);
    if (oldClient.cx != Width() || oldClient.cy != Height()) Realign();
}

void TWinControl::BoundsChanged(const TRect&) {
    if (!FHandle) return;
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // The window may have kept or adjusted its size (WM_WINDOWPOSCHANGING): the control takes what it got.
    if (FHandle) UpdateBoundsFromWindow();
}

void TWinControl::SetZOrder(bool topmost) {
    if (Parent()) {
        auto& list = Parent()->FWinControls;
        if (auto it = std::find(list.begin(), list.end(), this); it != list.end()) {
            list.erase(it);
            list.insert(topmost ? list.end() : list.begin(), this);
        }
    }
    if (FHandle)
        SetWindowPos(FHandle, topmost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged() {
    if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
    if (!Visible()) {
        if (TCustomForm* form = ParentForm(); form && form != this) form->ControlHidden(this);
    }
}

TRect TWinControl::ClientRect() {
    // A control not yet placed on a window has no frame to take off.
    if (!FHandle && !CanHaveHandle()) return TControl::ClientRect();
    return ::GetClientRect(Handle());
}

bool TWinControl::CanHaveHandle() const {
    for (const TWinControl* c = this; c; c = c->Parent()) {
        // A window made while its form is being freed would outlive its control.
        if (c->ComponentState().Contains(csDestroying)) return false;
        if (c->IsTopLevel()) return true;
    }
    return false;
}

void TWinControl::SetEnabled(bool value) {
    if (Enabled() == value) return;
    TControl::SetEnabled(value);
    if (!value) {
        if (TCustomForm* form = ParentForm(); form && form != this) form->ControlHidden(this);
    }
}

void TWinControl::SetText(const std::string& value) {
    if (Text() == value) return;
    if (FHandle) SetWindowText(FHandle, value);
    TControl::SetText(value);
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (FBorderWidth == value) return;
    FBorderWidth = value;
    Realign();
    Invalidate();
}

// ---- children -------------------------------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("Control index out of bounds (" + std::to_string(index) + ")");
    if (size_t(index) < FControls.size()) return FControls[size_t(index)];
    return FWinControls[size_t(index) - FControls.size()];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    auto* asWin = dynamic_cast<TWinControl*>(control);
    if (asWin && asWin->ContainsControl(this))
        throw EInvalidOperation("Control '" + control->Name() + "' cannot contain its own parent");
    control->FParent = this;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(win);
        FTabList.push_back(win);
        if (FHandle && !ComponentState().Contains(csDestroying)) win->Handle();
    } else {
        FControls.push_back(control);
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
    control->UpdateAnchorRules();
    control->Invalidate();
    AlignControl(control);
    Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->FParent != this) return;
    // A control being freed is no longer whole enough to be asked anything.
    if (!control->ComponentState().Contains(csDestroying) && !ComponentState().Contains(csDestroying))
        Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 0);
    control->Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = ParentForm()) form->ControlHidden(win);
        win->DestroyHandle();
        std::erase(FWinControls, win);
        std::erase(FTabList, win);
    } else {
        if (GetCaptureControl() == control) control->SetMouseCapture(false);
        std::erase(FControls, control);
    }
    control->FParent = nullptr;
    if (!ComponentState().Contains(csDestroying)) AlignControl(control);
}

TControl* TWinControl::ControlAtPos(TPoint client, bool allowDisabled, bool allowWinControls) {
    auto hit = [&](TControl* c) {
        return c->Visible() && (allowDisabled || c->Enabled()) && c->BoundsRect().Contains(client);
    };
    if (allowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> children(FControls.begin(), FControls.end());
    children.insert(children.end(), FWinControls.begin(), FWinControls.end());
    for (TControl* child : children) {
        TWndMethod proc = child->WindowProc;
        proc(message);
        if (message.Result) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    std::vector<TControl*> children(FControls.begin(), FControls.end());
    children.insert(children.end(), FWinControls.begin(), FWinControls.end());
    for (TControl* child : children)
        child->Perform(msg);
}

// ---- alignment -------------------------------------------------------------------------------------------

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

bool TWinControl::AlignDeferred() {
    if (FAlignDisabled == 0 && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying))
        return false;
    FAlignPending = true;
    return true;
}

void TWinControl::AlignControl(TControl* changed) {
    if (FAligning || AlignDeferred()) return;
    FAlignPending = false;
    FAligning = true;
    try {
        TRect rect = ClientRect();
        AdjustClientRect(rect);
        AlignControls(changed, rect);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::AdjustClientRect(TRect& rect) {
    rect.Left += FBorderWidth;
    rect.Top += FBorderWidth;
    rect.Right -= FBorderWidth;
    rect.Bottom -= FBorderWidth;
}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    std::vector<TControl*> all(FControls.begin(), FControls.end());
    all.insert(all.end(), FWinControls.begin(), FWinControls.end());
    auto key = [](TControl* c, TAlign align) {
        switch (align) {
        case alTop: return c->Top();
        case alBottom: return -(c->Top() + c->Height());
        case alLeft: return c->Left();
        case alRight: return -(c->Left() + c->Width());
        default: return 0;
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom}) {
        std::vector<TControl*> list;
        for (TControl* c : all)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        // The control being moved goes before those at the same place.
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            int ka = key(a, align), kb = key(b, align);
            return ka < kb || (ka == kb && a == changed && b != changed);
        });
        for (TControl* c : list) {
            int w = std::max(rect.Width(), 0), h = std::max(rect.Height(), 0);
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right -= c->Width();
                break;
            case alClient: c->SetBounds(rect.Left, rect.Top, w, h); break;
            case alCustom: CustomAlignPosition(c, rect); break;
            case alNone: break;
            }
        }
    }
    TRect client = ClientRect();
    TSize size{client.Width(), client.Height()};
    for (TControl* c : all) {
        if (c->Align() != alNone || c->Anchors() == TAnchors{akLeft, akTop}) continue;
        if (c->ComponentState().Contains(csLoading)) continue;
        c->FAnchoring = true;
        c->SetBoundsRect(c->AnchoredBounds(size));
        c->FAnchoring = false;
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FAlignPending) Realign();
}

// ---- focus and tab order ---------------------------------------------------------------------------------

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    std::erase(list, this);
    size_t at = value < 0 ? list.size() : std::min(size_t(value), list.size());
    list.insert(list.begin() + ptrdiff_t(at), this);
}

void TWinControl::SetTabStop(bool value) {
    if (FTabStop == value) return;
    FTabStop = value;
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto it = std::find(list.begin(), list.end(), current);
    size_t start = it == list.end() ? (goForward ? list.size() - 1 : 0) : size_t(it - list.begin());
    size_t n = list.size();
    for (size_t step = 1; step <= n; ++step) {
        size_t i = goForward ? (start + step) % n : (start + n - step % n) % n;
        TWinControl* c = list[i];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

bool TWinControl::CanFocus() {
    TCustomForm* form = ParentForm();
    if (!form) return false;
    for (TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ParentForm()->FocusControl(this);
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- keyboard --------------------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

bool TWinControl::ChildKey(TMessage& m) {
    TWinControl* parent = Parent();
    return parent && parent->Perform(CM_CHILDKEY, m.WParam, LPARAM(this)) != 0;
}

// Each key routine lets the form see the key first when it previews keys; a zeroed key is consumed.
bool TWinControl::DoKeyDown(TMessage& m) {
    WORD key = WORD(m.WParam);
    TShiftState shift = KeyboardShiftState();
    auto alive = AliveMark();
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) static_cast<TWinControl*>(form)->KeyDown(key, shift);
    if (key && !alive.expired()) KeyDown(key, shift);
    m.WParam = key;
    return key == 0 || alive.expired();
}

bool TWinControl::DoKeyUp(TMessage& m) {
    WORD key = WORD(m.WParam);
    TShiftState shift = KeyboardShiftState();
    auto alive = AliveMark();
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) static_cast<TWinControl*>(form)->KeyUp(key, shift);
    if (key && !alive.expired()) KeyUp(key, shift);
    m.WParam = key;
    return key == 0 || alive.expired();
}

bool TWinControl::DoKeyPress(TMessage& m) {
    char32_t ch = char32_t(m.WParam);
    auto alive = AliveMark();
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) static_cast<TWinControl*>(form)->KeyPress(ch);
    if (ch && !alive.expired()) KeyPress(ch);
    m.WParam = WPARAM(ch);
    return ch == 0 || alive.expired();
}

// A shortcut of the form's menu runs before the control sees the key.
bool TWinControl::MenuKey(TMessage& m) {
    TCustomForm* form = ParentForm();
    return form && form->IsShortCut(WORD(m.WParam), KeyboardShiftState());
}

bool TWinControl::HandleDialogKey(TMessage& m) {
    WORD key = WORD(m.WParam);
    if (!IsDialogKeyCode(key) || WantsKey(Perform(WM_GETDLGCODE), key)) return false;
    TCustomForm* form = ParentForm();
    return form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0;
}

bool TWinControl::HandleDialogChar(TMessage& m) {
    if (m.Msg == WM_CHAR && (Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) return false;
    TCustomForm* form = ParentForm();
    return form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0;
}

// ---- painting --------------------------------------------------------------------------------------------

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, WPARAM(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc) {
    TRect clip = dc->GetClipBox();
    std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        TRect bounds = c->BoundsRect();
        if (!c->Visible() || Intersection(bounds, clip).IsEmpty()) continue;
        TDCStateSaver saver(*dc);
        dc->IntersectClipRect(bounds);
        dc->OffsetViewportOrg(bounds.Left, bounds.Top);
        GuardBoundary(c, [&] { c->Perform(WM_PAINT, WPARAM(dc), 0); });
    }
}

void TWinControl::PaintHandler(HDC dc) {
    {
        TDCStateSaver saver(*dc);
        PaintWindow(dc);
    }
    PaintControls(dc);
}

void TWinControl::WindowPainting(TMessage& m) {
    if (m.WParam) {
        PaintHandler(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, ps);
    HWND hwnd = FHandle;
    if (dc) GuardBoundary(this, [&] { PaintHandler(dc); });
    EndPaint(hwnd, ps);
}

void TWinControl::EraseBackground(TMessage& m) {
    m.Result = 1;
    if (ControlStyle().Contains(csOpaque) || !m.WParam) return;
    auto* dc = reinterpret_cast<HDC>(m.WParam);
    dc->FillRect(::GetClientRect(FHandle), TBrushDesc::SolidColor(Color()));
}

void TWinControl::SetCursorFor(TMessage& m) {
    if (int16_t(LOWORD(m.LParam)) != HTCLIENT) return DefaultHandler(m);
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
        TControl* c = GetMouseControl();
        for (; c && c->Cursor() == crDefault; c = c->Parent()) {}
        if (c) cursor = c->Cursor();
    }
    if (cursor == crDefault) return DefaultHandler(m);
    ::SetCursor(TScreen::HostCursor(cursor));
    m.Result = 1;
}

// ---- messages --------------------------------------------------------------------------------------------

bool TWinControl::RouteMouseToControl(TMessage& m) {
    TPoint p = LParamToPoint(m.LParam);
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && capture->Parent() == this && GetCapture() == FHandle)
        target = capture;
    else if (!capture || GetCapture() != FHandle)
        target = ControlAtPos(p, false);
    if (!target) return false;
    target->Perform(m.Msg, m.WParam, PointToLParam(p - TPoint{target->Left(), target->Top()}));
    return true;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    // As on the platform, the window is enabled or disabled while the notification is handled, so that
    // handlers after this one find its state (and its scroll bars') changed.
    case CM_ENABLEDCHANGED:
        if (FHandle) EnableWindow(FHandle, Enabled());
        break;
    case WM_MOUSEMOVE:
        UpdateMouseControl(::ClientToScreen(FHandle, LParamToPoint(m.LParam)));
        if (FHandle) TrackMouseEvent(TRACKMOUSEEVENT{TME_LEAVE, FHandle});
        if (RouteMouseToControl(m)) return;
        break;
    case WM_MOUSELEAVE: UpdateMouseControl(GetCursorPos()); return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A press anywhere in an MDI child form activates it.
        if (TCustomForm* form = ParentForm()) form->ActivateMDIChild();
        if (RouteMouseToControl(m)) return;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (RouteMouseToControl(m)) return;
        break;
    case WM_PAINT: return WindowPainting(m);
    case WM_ERASEBKGND: return EraseBackground(m);
    case WM_SETCURSOR: return SetCursorFor(m);
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(m);
        if (FHandle) UpdateBoundsFromWindow();
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = ParentForm(); form && form != this) form->SetFocusedControl(this);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        auto alive = AliveMark();
        if (ChildKey(m) || MenuKey(m) || DoKeyDown(m) || HandleDialogKey(m)) {
            if (!alive.expired()) DropTranslatedChar(FHandle);
            return;
        }
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(m)) return;
        break;
    case WM_CHAR:
        if (DoKeyPress(m) || HandleDialogChar(m)) return;
        break;
    case WM_SYSCHAR:
        if (HandleDialogChar(m)) return;
        break;
    case CM_CHILDKEY:
        // Up the parents: a container that acts on its children's keys (a control grid) answers non-zero.
        if (TWinControl* parent = Parent()) m.Result = parent->Perform(CM_CHILDKEY, m.WParam, m.LParam);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED: return Broadcast(m);
    case CM_ENTER: return DoEnter();
    case CM_EXIT: return DoExit();
    case CM_COLORCHANGED:
        TControl::WndProc(m);
        return NotifyControls(CM_PARENTCOLORCHANGED);
    case CM_FONTCHANGED:
        TControl::WndProc(m);
        return NotifyControls(CM_PARENTFONTCHANGED);
    case CM_SHOWHINTCHANGED: return NotifyControls(CM_PARENTSHOWHINTCHANGED);
    case CM_BIDIMODECHANGED:
        TControl::WndProc(m);
        return NotifyControls(CM_PARENTBIDIMODECHANGED);
    case CM_TEXTCHANGED:
        if (FHandle) SetWindowText(FHandle, Text());
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!FHandle) return;
    m.Result = DefWindowProc(FHandle, m.Msg, m.WParam, m.LParam);
}

TPoint TWinControl::ClientOrigin() {
    if (!HandleAllocated()) return TControl::ClientOrigin();
    return ::ClientToScreen(FHandle, {0, 0});
}
