#pragma once
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Window.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

struct TRecordedMessage {
    HWND Hwnd;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A headless window system whose test windows record every message they get; a test can give a window its
// own handling for chosen messages (returning nullopt falls through to DefWindowProc).
class TWindowTest : public ::testing::Test {
  public:
    using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        TWndProc proc = [this](HWND h, UINT m, WPARAM w, LPARAM l) { return Proc(h, m, w, l); };
        RegisterClass(WNDCLASS{"Plain", 0, proc, clWhite});
        RegisterClass(WNDCLASS{"DoubleClicks", CS_DBLCLKS, proc, clWhite});
    }
    void TearDown() override { ShutdownWindowSystem(); }

    LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        FLog.push_back({h, m, w, l});
        if (auto it = FHandlers.find(h); it != FHandlers.end())
            if (std::optional<LRESULT> r = it->second(h, m, w, l)) return *r;
        return DefWindowProc(h, m, w, l);
    }

    HWND Top(TRect bounds, DWORD style = WS_POPUP | WS_VISIBLE, const char* cls = "Plain",
             DWORD exStyle = 0) {
        return CreateWindowEx(exStyle, cls, "top", style, bounds.Left, bounds.Top, bounds.Width(),
                              bounds.Height(), nullptr);
    }
    HWND Child(HWND parent, TRect bounds, DWORD style = WS_CHILD | WS_VISIBLE, const char* cls = "Plain") {
        return CreateWindowEx(0, cls, "child", style, bounds.Left, bounds.Top, bounds.Width(),
                              bounds.Height(), parent);
    }

    // The messages of the given numbers, in the order they came, with their windows.
    std::vector<std::pair<HWND, UINT>> Seen(std::initializer_list<UINT> msgs) const {
        std::vector<std::pair<HWND, UINT>> out;
        for (const auto& r : FLog)
            if (std::find(msgs.begin(), msgs.end(), r.Msg) != msgs.end()) out.emplace_back(r.Hwnd, r.Msg);
        return out;
    }
    std::vector<TRecordedMessage> Of(HWND h, UINT msg) const {
        std::vector<TRecordedMessage> out;
        for (const auto& r : FLog)
            if (r.Hwnd == h && r.Msg == msg) out.push_back(r);
        return out;
    }
    void Pump() { RunUntilIdle(); }

    THeadlessHost FHost;
    std::vector<TRecordedMessage> FLog;
    std::map<HWND, THandler> FHandlers;
};
