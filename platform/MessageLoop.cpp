#include "platform/MessageLoop.h"

#include "platform/Exception.h"
#include "platform/FontEngine.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Painting.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <cassert>
#include <malloc.h>

namespace {

constexpr int GlyphsAWarmUpSlice = 4;

bool NeedsPaint(const TWindow& w) {
    return !w.Update.IsEmpty() || w.NeedNcPaint;
}

// The shown windows that need painting, in paint order: parents before children, bottom of the z-order first.
void CollectPaintWindows(const std::vector<HWND>& list, std::vector<HWND>& found) {
    for (HWND h : list) {
        TWindow* w = FindWindow(h);
        if (!w || !(w->Style & WS_VISIBLE) || (w->Style & WS_MINIMIZE)) continue;
        if (NeedsPaint(*w)) found.push_back(h);
        CollectPaintWindows(w->Children, found);
    }
}

// The first window in paint order that needs painting. Painting only takes windows off the list found by the
// last walk of the tree, so the tree is walked again only after something was invalidated or the tree changed.
HWND FindPaintWindow() {
    TWindowSystem& ws = WS();
    auto& queue = ws.PaintQueue;
    if (queue.TreeGeneration != ws.TreeGeneration || queue.Invalidations != ws.Invalidations) {
        queue.Windows.clear();
        CollectPaintWindows(ws.TopLevels, queue.Windows);
        queue.Next = 0;
        queue.TreeGeneration = ws.TreeGeneration;
        queue.Invalidations = ws.Invalidations;
    }
    for (; queue.Next < queue.Windows.size(); ++queue.Next)
        if (TWindow* w = FindWindow(queue.Windows[queue.Next]); w && NeedsPaint(*w))
            return queue.Windows[queue.Next];
    return nullptr;
}

#ifndef NDEBUG
HWND FreshPaintWindow() {
    std::vector<HWND> found;
    CollectPaintWindows(WS().TopLevels, found);
    return found.empty() ? nullptr : found.front();
}
#endif

// Start-up leaves freed memory scattered through the heap (decoded layouts and pictures, surfaces sized twice,
// the font configuration); once the first picture is on the screen it goes back to the system.
void ReturnStartUpMemory() {
    static bool returned = false;
    if (returned) return;
    returned = true;
    TFontEngine::ReleaseConfiguration();
    malloc_trim(0);
}

TTimerEntry* FindTimer(HWND hwnd, uintptr_t id) {
    for (TTimerEntry& t : WS().Timers)
        if (t.Hwnd == hwnd && t.Id == id) return &t;
    return nullptr;
}

TTimerEntry* DueTimer(uint64_t now) {
    TTimerEntry* due = nullptr;
    for (TTimerEntry& t : WS().Timers)
        if (t.Interval > 0 && t.Due <= now && (!due || t.Due < due->Due)) due = &t;
    return due;
}

std::optional<uint64_t> NextTimerDue() {
    std::optional<uint64_t> next;
    for (const TTimerEntry& t : WS().Timers)
        if (t.Interval > 0 && (!next || t.Due < *next)) next = t.Due;
    return next;
}

MSG MakeMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, msg, wParam, lParam, DWORD(Host().Now()), WS().CursorPos};
}

void UpdateKeyState(const MSG& msg) {
    uint8_t* keys = WS().KeyState;
    auto press = [&](int vk, bool down) {
        if (down) {
            if (!(keys[vk] & 0x80)) keys[vk] ^= 1; // toggle state
            keys[vk] |= 0x80;
        } else {
            keys[vk] &= ~0x80;
        }
    };
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        press(int(msg.wParam & 0xFF), true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        press(int(msg.wParam & 0xFF), false);
        break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        press(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        press(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
        press(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        press(VK_RBUTTON, false);
        break;
    case WM_MBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
        press(VK_MBUTTON, true);
        break;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
        press(VK_MBUTTON, false);
        break;
    default:
        break;
    }
}

// One pass over the sources in the platform's order: posted messages, input, WM_QUIT, painting, timers.
// Host events are fetched only when the queues are empty, so input is hit-tested when its turn comes.
enum class TFetch { Message, Nothing, Idle };

TFetch FetchMessage(MSG& msg, bool remove, bool wait) {
    TWindowSystem& ws = WS();
    for (;;) {
        if (!ws.Posted.empty()) {
            msg = ws.Posted.front();
            if (remove) ws.Posted.pop_front();
            return TFetch::Message;
        }
        if (!ws.Input.empty()) {
            msg = ws.Input.front();
            if (remove) {
                ws.Input.pop_front();
                UpdateKeyState(msg);
            }
            return TFetch::Message;
        }
        THostEvent polled = Host().WaitEvent(Host().Now());
        if (polled.Kind != THostEvent::TKind::None && polled.Kind != THostEvent::TKind::Idle &&
            polled.Kind != THostEvent::TKind::Wake) {
            HandleHostEvent(polled);
            continue;
        }
        if (SettleHostFocus()) continue;
        if (ws.QuitPosted) {
            msg = MakeMessage(nullptr, WM_QUIT, WPARAM(ws.QuitCode), 0);
            if (remove) ws.QuitPosted = false;
            return TFetch::Message;
        }
        HWND paint = FindPaintWindow();
        assert(paint == FreshPaintWindow() && "a new update region missed WS().Invalidations");
        if (HWND h = paint) {
            msg = MakeMessage(h, WM_PAINT, 0, 0);
            return TFetch::Message;
        }
        uint64_t now = Host().Now();
        if (TTimerEntry* t = DueTimer(now)) {
            msg = MakeMessage(t->Hwnd, WM_TIMER, t->Id, 0);
            if (remove) t->Due = now + t->Interval;
            return TFetch::Message;
        }
        if (polled.Kind == THostEvent::TKind::Wake)
            continue; // time passed or something was posted: look again
        if (PresentWindows()) ReturnStartUpMemory();
        if (!wait) return polled.Kind == THostEvent::TKind::Idle ? TFetch::Idle : TFetch::Nothing;
        // With nothing else to do, glyphs a later text may show are made ahead, a few at a time between
        // looks at the input.
        if (TFontEngine::WarmUp(GlyphsAWarmUpSlice)) continue;
        THostEvent ev = Host().WaitEvent(NextTimerDue());
        if (ev.Kind == THostEvent::TKind::Idle) return TFetch::Idle;
        if (ev.Kind != THostEvent::TKind::None && ev.Kind != THostEvent::TKind::Wake) HandleHostEvent(ev);
    }
}

} // namespace

void InitWindowSystem(THost& host) {
    ShutdownWindowSystem();
    WS().Host = &host;
    WS().CursorPos = host.CursorPos();
}

void ShutdownWindowSystem() {
    TWindowSystem& ws = WS();
    if (ws.Host) {
        std::vector<HWND> tops = ws.TopLevels;
        for (auto it = tops.rbegin(); it != tops.rend(); ++it)
            DestroyWindow(*it);
    }
    ws.Windows.clear();
    ws.TopLevels.clear();
    ws.Classes.clear();
    ws.Posted.clear();
    ws.Input.clear();
    ws.Timers.clear();
    ws.Hook = nullptr;
    SetMessageBoxHook(nullptr);
    ws.QuitPosted = false;
    ws.Capture = ws.Focus = ws.Active = ws.MouseWindow = ws.TrackedLeave = ws.FocusLeaving = nullptr;
    std::fill(std::begin(ws.KeyState), std::end(ws.KeyState), 0);
    std::fill(std::begin(ws.AsyncKeyState), std::end(ws.AsyncKeyState), 0);
    ws.LastClick = {};
    ws.Host = nullptr;
}

THost& Host() {
    if (!WS().Host)
        throw EInvalidOperation("The window system was used before InitWindowSystem gave it a host");
    return *WS().Host;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWindow* w = FindWindow(hwnd);
    if (!w) return 0;
    TWndProc proc = w->Proc; // the procedure may be replaced while it runs
    return proc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !FindWindow(hwnd)) return false;
    WS().Posted.push_back(MakeMessage(hwnd, msg, wParam, lParam));
    Host().Wake();
    return true;
}

void PostQuitMessage(int exitCode) {
    WS().QuitPosted = true;
    WS().QuitCode = exitCode;
    if (WS().Host) Host().Wake();
}

bool GetMessage(MSG& msg) {
    if (FetchMessage(msg, true, true) == TFetch::Idle) {
        msg = MakeMessage(nullptr, WM_NULL, 0, 0);
        return false;
    }
    WS().Current = msg;
    return msg.message != WM_QUIT;
}

bool WaitMessage() {
    MSG msg;
    return FetchMessage(msg, false, true) == TFetch::Message;
}

bool PeekMessage(MSG& msg, UINT removeFlags) {
    bool remove = removeFlags & PM_REMOVE;
    if (FetchMessage(msg, remove, false) != TFetch::Message) return false;
    if (remove) WS().Current = msg;
    return true;
}

bool TranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    int vk = int(msg.wParam);
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (msg.message == WM_SYSKEYDOWN) {
        bool alnum = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
        if (!alnum) return false;
        int ch = (vk >= 'A' && vk <= 'Z') ? vk - 'A' + 'a' : vk;
        WS().Posted.push_front(MakeMessage(msg.hwnd, WM_SYSCHAR, WPARAM(ch), msg.lParam));
        return true;
    }
    int ch = 0;
    switch (vk) {
    case VK_BACK:
        ch = 8;
        break;
    case VK_TAB:
        ch = 9;
        break;
    case VK_RETURN:
        ch = 13;
        break;
    case VK_ESCAPE:
        ch = 27;
        break;
    default:
        if (ctrl && vk >= 'A' && vk <= 'Z') ch = vk - 'A' + 1;
        break;
    }
    if (!ch) return false;
    WS().Posted.push_front(MakeMessage(msg.hwnd, WM_CHAR, WPARAM(ch), msg.lParam));
    return true;
}

LRESULT DispatchMessage(const MSG& msg) {
    if (msg.message == WM_TIMER) {
        if (TTimerEntry* t = FindTimer(msg.hwnd, msg.wParam); t && t->Proc) {
            TTimerProc proc = t->Proc;
            proc(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
            return 0;
        }
    }
    LRESULT result = SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    if (msg.message == WM_PAINT) {
        // A procedure that painted nothing must not get the same WM_PAINT forever.
        if (TWindow* w = FindWindow(msg.hwnd); w && NeedsPaint(*w)) {
            w->Update = TRegion();
            w->NeedErase = w->NeedNcPaint = false;
        }
    }
    return result;
}

TMessageHook SetMessageHook(TMessageHook hook) {
    TMessageHook previous = std::move(WS().Hook);
    WS().Hook = std::move(hook);
    return previous;
}

bool HasMessageHook() {
    return bool(WS().Hook);
}

void ProcessMessage(MSG& msg) {
    if (TMessageHook hook = WS().Hook; hook && hook(msg)) return;
    TranslateMessage(msg);
    DispatchMessage(msg);
}

bool ProcessPendingMessages() {
    MSG msg;
    while (PeekMessage(msg, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        ProcessMessage(msg);
    }
    PresentWindows();
    return true;
}

bool RunUntilIdle() {
    MSG msg;
    while (GetMessage(msg))
        ProcessMessage(msg);
    PresentWindows();
    if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    return true;
}

bool RunModalLoop(const std::function<bool()>& done) {
    while (!done()) {
        MSG msg;
        if (!GetMessage(msg)) {
            if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
            return false;
        }
        ProcessMessage(msg);
    }
    return true;
}

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT intervalMs, TTimerProc proc) {
    if (hwnd && !FindWindow(hwnd)) return 0;
    if (!hwnd && !id) {
        id = 1;
        while (FindTimer(nullptr, id))
            ++id;
    }
    TTimerEntry* t = FindTimer(hwnd, id);
    if (!t) t = &WS().Timers.emplace_back();
    *t = TTimerEntry{hwnd, id, intervalMs, Host().Now() + intervalMs, std::move(proc)};
    return id;
}

bool KillTimer(HWND hwnd, uintptr_t id) {
    auto& timers = WS().Timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const TTimerEntry& t) { return t.Hwnd == hwnd && t.Id == id; });
    if (it == timers.end()) return false;
    timers.erase(it);
    std::erase_if(WS().Posted,
                  [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; });
    return true;
}

DWORD GetTickCount() {
    return DWORD(Host().Now());
}
DWORD GetMessageTime() {
    return WS().Current.time;
}
TPoint GetMessagePos() {
    return WS().Current.pt;
}
