#include "classlib/MenuWindow.h"

#include "classlib/Canvas.h"
#include "classlib/MenuItemLook.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Services.h"
#include "platform/Window.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace {

constexpr const char* DispatchClass = "VmrMenuDispatch";

int BorderWidth() {
    return GetSystemMetrics(SM_CXDLGFRAME);
}

TRect WorkArea() {
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area);
    return area;
}

// Keeps [start, start + length) inside [low, high) where it fits.
int Clamp(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

// The hidden window that runs posted clicks. Made again when the window system was restarted.
HWND DispatchWindow() {
    static HWND window = nullptr;
    if (IsWindow(window)) return window;
    TWndProc proc = [](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg != WM_COMMAND) return DefWindowProc(h, msg, wParam, lParam);
        if (TMenuItem* item = TMenuItem::FindByCommand(unsigned(wParam))) item->Click();
        return 0;
    };
    RegisterClass(WNDCLASS{DispatchClass, 0, proc, clNone});
    window = CreateWindowEx(WS_EX_TOOLWINDOW, DispatchClass, "", WS_POPUP, 0, 0, 0, 0, nullptr);
    return window;
}

// The lower-case letter after a single "&" of the caption, or 0.
char AcceleratorOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return char(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

bool HasVisibleItems(const TMenuItem& item) {
    return !item.ShownItems().empty();
}

bool IsMouseMessage(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT msg) {
    return msg >= WM_KEYDOWN && msg <= WM_SYSCHAR;
}

// Client mouse messages as their non-client twins number them apart.
UINT ClientMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST ? msg : msg - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
}

class TMenuTracker;

// One open menu window: the visible items of one parent item.
struct TMenuLevel {
    TMenuTracker* Tracker = nullptr;
    TMenuItem* Parent = nullptr;
    std::vector<TMenuItem*> Items;
    std::vector<unsigned> Commands;
    std::vector<TRect> Rects; // client coordinates
    int Selected = -1;
    HWND Hwnd = nullptr;

    // The item at an index while it exists; nullptr once something freed it.
    TMenuItem* Item(int index) const {
        if (index < 0 || index >= int(Items.size())) return nullptr;
        TMenuItem* item = TMenuItem::FindByCommand(Commands[size_t(index)]);
        return item == Items[size_t(index)] ? item : nullptr;
    }
};

// The modal loop over a menu and its open sub-menus.
class TMenuTracker {
  public:
    TMenuTracker(TMenu& menu, TMenuBarExit* bar)
        : FRoot(menu.Items()), FRootCommand(menu.Items()->Command()), FBar(bar),
          FRightToLeft(menu.UseRightToLeftAlignment()) {}
    TMenuTracker(const TMenuTracker&) = delete;
    TMenuTracker& operator=(const TMenuTracker&) = delete;
    ~TMenuTracker() { CloseLevelsAfter(-1); }

    TMenuItem* Run(TPoint screen, TPopupAlignment alignment);
    void Paint(TMenuLevel& level);
    void Cancel() {
        if (FState == TState::Tracking) FState = TState::Cancelled;
    }

  private:
    enum class TState { Tracking, Chosen, Cancelled };

    bool Measure(TMenuLevel& level);
    bool OpenLevel(TMenuItem& parent, const std::function<TRect(TSize)>& place);
    bool OpenSubMenu(int levelIndex);
    void CloseLevelsAfter(int levelIndex);
    void Select(int levelIndex, int index);
    void Activate(int levelIndex, int index);
    void InvalidateItem(const TMenuLevel& level, int index);
    int LevelAt(TPoint screen) const;
    int ItemAt(const TMenuLevel& level, TPoint screen) const;
    int NextSelectable(const TMenuLevel& level, int from, int step) const;
    void HandleMouse(const MSG& msg);
    void HandleKey(const MSG& msg);
    void HandleAccelerator(char letter);
    void SwallowRelease();
    void MoveOn(int step);

    TMenuItem* FRoot;
    unsigned FRootCommand;
    std::vector<std::unique_ptr<TMenuLevel>> FLevels;
    TState FState = TState::Tracking;
    TMenuItem* FChosen = nullptr;
    unsigned FChosenCommand = 0;
    UINT FSwallowRelease = 0; // the release of the button whose press outside ended the menu
    TMenuBarExit* FBar;
    bool FRightToLeft; // sub-menus open towards the left
};

LRESULT MenuWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* level = static_cast<TMenuLevel*>(GetWindowUserData(h));
    if (!level) return DefWindowProc(h, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        level->Tracker->Paint(*level);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CANCELMODE:
        level->Tracker->Cancel();
        return 0;
    case WM_CAPTURECHANGED:
        if (HWND(lParam) != h) level->Tracker->Cancel();
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

// A canvas on a DC for the duration of a scope, carrying the menu font.
class TMenuCanvas {
  public:
    explicit TMenuCanvas(HDC dc) { FCanvas.SetHandle(dc); }
    ~TMenuCanvas() { FCanvas.SetHandle(nullptr); }
    TMenuCanvas(const TMenuCanvas&) = delete;
    TMenuCanvas& operator=(const TMenuCanvas&) = delete;
    // Every item starts from the same canvas state, whatever the one before left.
    TCanvas& Reset() {
        ApplyMenuFont(*FCanvas.Font());
        FCanvas.Brush()->SetStyle(bsSolid);
        FCanvas.Brush()->SetColor(clMenu);
        FCanvas.Pen()->SetColor(clMenuText);
        return FCanvas;
    }

  private:
    TCanvas FCanvas;
};

bool TMenuTracker::Measure(TMenuLevel& level) {
    TWindowDC screen(nullptr);
    TMenuCanvas canvas(screen.Get());
    for (TMenuItem* item : level.Parent->ShownItems()) {
        level.Items.push_back(item);
        level.Commands.push_back(item->Command());
    }
    int top = 0, width = 0;
    for (size_t i = 0; i < level.Items.size(); ++i) {
        TMenuItem* item = level.Item(int(i));
        int w = 0, h = 0;
        if (item) item->MeasureItem(&canvas.Reset(), w, h);
        level.Rects.push_back({0, top, 0, top + std::max(0, h)});
        top += std::max(0, h);
        width = std::max(width, w);
    }
    for (TRect& r : level.Rects)
        r.Right = width;
    return !level.Items.empty();
}

bool TMenuTracker::OpenLevel(TMenuItem& parent, const std::function<TRect(TSize)>& place) {
    auto level = std::make_unique<TMenuLevel>();
    level->Tracker = this;
    level->Parent = &parent;
    if (!Measure(*level)) return false;
    int border = BorderWidth();
    TSize size{level->Rects.back().Right + 2 * border, level->Rects.back().Bottom + 2 * border};
    TRect bounds = place(size);
    level->Hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MenuWindowClass, "",
                                 WS_POPUP | WS_DLGFRAME, bounds.Left, bounds.Top, bounds.Width(),
                                 bounds.Height(), nullptr);
    SetWindowUserData(level->Hwnd, level.get());
    FLevels.push_back(std::move(level));
    ShowWindow(FLevels.back()->Hwnd, SW_SHOWNA);
    return true;
}

bool TMenuTracker::OpenSubMenu(int levelIndex) {
    TMenuLevel& level = *FLevels[size_t(levelIndex)];
    TMenuItem* item = level.Item(level.Selected);
    if (!item || !item->Enabled() || !HasVisibleItems(*item)) return false;
    TRect window = GetWindowRect(level.Hwnd);
    TPoint origin = ClientToScreen(level.Hwnd, {});
    TRect itemRect = level.Rects[size_t(level.Selected)].Offsetted(origin.X, origin.Y);
    return OpenLevel(*item, [&](TSize size) {
        return PlaceSubMenu(size, window, itemRect, WorkArea(), FRightToLeft);
    });
}

void TMenuTracker::CloseLevelsAfter(int levelIndex) {
    while (int(FLevels.size()) > levelIndex + 1) {
        HWND hwnd = FLevels.back()->Hwnd;
        if (GetCapture() == hwnd) ReleaseCapture();
        SetWindowUserData(hwnd, nullptr);
        DestroyWindow(hwnd);
        FLevels.pop_back();
    }
}

void TMenuTracker::InvalidateItem(const TMenuLevel& level, int index) {
    if (index >= 0 && index < int(level.Rects.size()))
        InvalidateRect(level.Hwnd, &level.Rects[size_t(index)], false);
}

void TMenuTracker::Select(int levelIndex, int index) {
    TMenuLevel& level = *FLevels[size_t(levelIndex)];
    if (level.Selected == index) return;
    CloseLevelsAfter(levelIndex);
    InvalidateItem(level, level.Selected);
    level.Selected = index;
    InvalidateItem(level, index);
}

// Enter, Space, an accelerator or a release on the item: open its sub-menu at its first item, or choose it.
void TMenuTracker::Activate(int levelIndex, int index) {
    TMenuItem* item = FLevels[size_t(levelIndex)]->Item(index);
    if (!item || item->IsLine() || !item->Enabled()) return;
    Select(levelIndex, index);
    if (HasVisibleItems(*item)) {
        if (int(FLevels.size()) == levelIndex + 1 && !OpenSubMenu(levelIndex)) return;
        TMenuLevel& sub = *FLevels[size_t(levelIndex) + 1];
        if (sub.Selected < 0) Select(levelIndex + 1, NextSelectable(sub, -1, 1));
        return;
    }
    FChosen = item;
    FChosenCommand = item->Command();
    FState = TState::Chosen;
}

int TMenuTracker::LevelAt(TPoint screen) const {
    for (int i = int(FLevels.size()) - 1; i >= 0; --i)
        if (GetWindowRect(FLevels[size_t(i)]->Hwnd).Contains(screen)) return i;
    return -1;
}

int TMenuTracker::ItemAt(const TMenuLevel& level, TPoint screen) const {
    TPoint p = ScreenToClient(level.Hwnd, screen);
    for (size_t i = 0; i < level.Rects.size(); ++i)
        if (level.Rects[i].Contains(p)) return int(i);
    return -1;
}

// The next item from `from` in the direction of `step` that can be selected (not a separator), wrapping
// around; `from` itself when there is none.
int TMenuTracker::NextSelectable(const TMenuLevel& level, int from, int step) const {
    int count = int(level.Items.size());
    int start = from < 0 ? (step > 0 ? -1 : count) : from;
    for (int n = 1; n <= count; ++n) {
        int i = ((start + step * n) % count + count) % count;
        if (TMenuItem* item = level.Item(i); item && !item->IsLine()) return i;
    }
    return from;
}

void TMenuTracker::HandleMouse(const MSG& msg) {
    UINT kind = ClientMouseMessage(msg.message);
    if (kind == WM_MOUSEWHEEL) return;
    bool client = msg.message >= WM_MOUSEFIRST;
    TPoint screen = client ? ClientToScreen(msg.hwnd, LParamToPoint(msg.lParam)) : LParamToPoint(msg.lParam);
    int levelIndex = LevelAt(screen);
    bool press = kind == WM_LBUTTONDOWN || kind == WM_RBUTTONDOWN || kind == WM_MBUTTONDOWN ||
                 kind == WM_LBUTTONDBLCLK || kind == WM_RBUTTONDBLCLK || kind == WM_MBUTTONDBLCLK;
    bool release = kind == WM_LBUTTONUP || kind == WM_RBUTTONUP;
    if (levelIndex < 0) {
        if (kind == WM_MOUSEMOVE && FBar && FBar->Claims && FBar->Claims(screen)) return MoveOn(0);
        if (press) {
            FState = TState::Cancelled;
            FSwallowRelease = kind == WM_LBUTTONDOWN || kind == WM_LBUTTONDBLCLK   ? WM_LBUTTONUP
                              : kind == WM_RBUTTONDOWN || kind == WM_RBUTTONDBLCLK ? WM_RBUTTONUP
                                                                                   : WM_MBUTTONUP;
        }
        return;
    }
    TMenuLevel& level = *FLevels[size_t(levelIndex)];
    int index = ItemAt(level, screen);
    TMenuItem* item = level.Item(index);
    if (item && item->IsLine()) index = -1;
    if (release) {
        if (index >= 0 && !HasVisibleItems(*item)) Activate(levelIndex, index);
        return;
    }
    if (index < 0 && int(FLevels.size()) > levelIndex + 1) return; // keep the open sub-menu
    Select(levelIndex, index);
    if (index >= 0 && int(FLevels.size()) == levelIndex + 1) OpenSubMenu(levelIndex);
}

void TMenuTracker::HandleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return;
    int deepest = int(FLevels.size()) - 1;
    TMenuLevel& level = *FLevels.back();
    int vk = int(msg.wParam);
    switch (vk) {
    case VK_DOWN:
        Select(deepest, NextSelectable(level, level.Selected, 1));
        break;
    case VK_UP:
        Select(deepest, NextSelectable(level, level.Selected, -1));
        break;
    case VK_HOME:
        Select(deepest, NextSelectable(level, -1, 1));
        break;
    case VK_END:
        Select(deepest, NextSelectable(level, -1, -1));
        break;
    case VK_RIGHT:
        if (TMenuItem* item = level.Item(level.Selected); item && HasVisibleItems(*item))
            Activate(deepest, level.Selected);
        else if (FBar)
            MoveOn(1);
        break;
    case VK_LEFT:
        if (deepest > 0)
            CloseLevelsAfter(deepest - 1);
        else if (FBar)
            MoveOn(-1);
        break;
    case VK_RETURN:
    case VK_SPACE:
        Activate(deepest, level.Selected);
        break;
    case VK_ESCAPE:
        if (deepest > 0)
            CloseLevelsAfter(deepest - 1);
        else
            FState = TState::Cancelled;
        break;
    case VK_MENU:
        FState = TState::Cancelled;
        break;
    default:
        if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) HandleAccelerator(char(std::tolower(vk)));
        break;
    }
}

// A letter with one item: that item runs or opens; with several, the next of them is selected.
void TMenuTracker::HandleAccelerator(char letter) {
    int deepest = int(FLevels.size()) - 1;
    TMenuLevel& level = *FLevels.back();
    std::vector<int> matches;
    for (size_t i = 0; i < level.Items.size(); ++i)
        if (TMenuItem* item = level.Item(int(i)); item && AcceleratorOf(item->Caption()) == letter)
            matches.push_back(int(i));
    if (matches.empty()) return;
    if (matches.size() == 1) {
        Select(deepest, matches.front());
        Activate(deepest, matches.front());
        return;
    }
    auto next = std::upper_bound(matches.begin(), matches.end(), level.Selected);
    Select(deepest, next == matches.end() ? matches.front() : *next);
}

void TMenuTracker::MoveOn(int step) {
    FBar->MovedOn = true;
    FBar->Step = step;
    FState = TState::Cancelled;
}

// A press outside ended the menu: its release belongs to the press and goes nowhere either.
void TMenuTracker::SwallowRelease() {
    while (true) {
        MSG msg;
        if (!GetMessage(msg)) {
            if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
            return;
        }
        if (IsMouseMessage(msg.message)) {
            if (ClientMouseMessage(msg.message) == FSwallowRelease) return;
            continue;
        }
        ProcessMessage(msg);
    }
}

void TMenuTracker::Paint(TMenuLevel& level) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(level.Hwnd, ps);
    struct TEnd {
        HWND Hwnd;
        PAINTSTRUCT& Ps;
        ~TEnd() { EndPaint(Hwnd, Ps); }
    } end{level.Hwnd, ps};
    if (!dc) return;
    TMenuCanvas canvas(dc);
    for (size_t i = 0; i < level.Items.size(); ++i) {
        if (Intersection(level.Rects[i], ps.rcPaint).IsEmpty()) continue;
        if (TMenuItem* item = level.Item(int(i)))
            item->DrawItem(&canvas.Reset(), level.Rects[i], int(i) == level.Selected);
    }
}

TMenuItem* TMenuTracker::Run(TPoint screen, TPopupAlignment alignment) {
    RegisterClass(WNDCLASS{MenuWindowClass, CS_SAVEBITS, MenuWindowProc, clMenu});
    if (!OpenLevel(*FRoot, [&](TSize size) { return PlacePopupMenu(size, screen, alignment, WorkArea()); }))
        return nullptr;
    HWND active = GetActiveWindow();
    SetCapture(FLevels.front()->Hwnd);
    while (FState == TState::Tracking) {
        MSG msg;
        if (!GetMessage(msg)) {
            if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message))
            HandleMouse(msg);
        else if (IsKeyMessage(msg.message))
            HandleKey(msg);
        else
            ProcessMessage(msg);
        bool rootGone = TMenuItem::FindByCommand(FRootCommand) != FRoot;
        if (rootGone || GetActiveWindow() != active) Cancel();
    }
    CloseLevelsAfter(-1);
    if (FSwallowRelease) SwallowRelease();
    if (FState != TState::Chosen) return nullptr;
    TMenuItem* chosen = TMenuItem::FindByCommand(FChosenCommand);
    return chosen == FChosen ? chosen : nullptr;
}

} // namespace

TMenuItem* TrackMenu(TMenu& menu, TPoint screen, TPopupAlignment alignment) {
    TMenuTracker tracker(menu, nullptr);
    return tracker.Run(screen, alignment);
}

TMenuItem* TrackMenu(TMenu& menu, TPoint screen, TPopupAlignment alignment, TMenuBarExit& bar) {
    bar.MovedOn = false;
    bar.Step = 0;
    TMenuTracker tracker(menu, &bar);
    return tracker.Run(screen, alignment);
}

void PostMenuClick(TMenuItem* item) {
    if (item) PostMessage(DispatchWindow(), WM_COMMAND, item->Command(), 0);
}

TRect PlacePopupMenu(TSize size, TPoint screen, TPopupAlignment alignment, const TRect& workArea) {
    int left = screen.X - (alignment == paRight ? size.cx : alignment == paCenter ? size.cx / 2 : 0);
    int top = screen.Y;
    if (left + size.cx > workArea.Right && alignment == paLeft && screen.X - size.cx >= workArea.Left)
        left = screen.X - size.cx;
    if (top + size.cy > workArea.Bottom && screen.Y - size.cy >= workArea.Top) top = screen.Y - size.cy;
    return Bounds(Clamp(left, size.cx, workArea.Left, workArea.Right),
                  Clamp(top, size.cy, workArea.Top, workArea.Bottom), size.cx, size.cy);
}

TRect PlaceSubMenu(TSize size, const TRect& parentWindow, const TRect& parentItem, const TRect& workArea,
                   bool rightToLeft) {
    int border = BorderWidth();
    const int right = parentWindow.Right - border, left = parentWindow.Left - size.cx + border;
    int leftEdge = rightToLeft ? left : right;
    if (!rightToLeft && leftEdge + size.cx > workArea.Right) leftEdge = left;
    if (rightToLeft && leftEdge < workArea.Left) leftEdge = right;
    int top = parentItem.Top - border;
    return Bounds(Clamp(leftEdge, size.cx, workArea.Left, workArea.Right),
                  Clamp(top, size.cy, workArea.Top, workArea.Bottom), size.cx, size.cy);
}
