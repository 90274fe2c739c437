#include "XScreen.h"
#include "XvfbServer.h"

#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/Window.h"
#include "platform/host/xcb/XcbHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Runs the real loop for a while: a timer posts the quit that ends it.
void RunFor(UINT ms) {
    SetTimer(nullptr, 0, ms, [](HWND, UINT, uintptr_t id, DWORD) {
        KillTimer(nullptr, id);
        PostQuitMessage(0);
    });
    MSG msg;
    while (GetMessage(msg))
        ProcessMessage(msg);
}

} // namespace

TEST(WindowSystemOnX, AWindowShowsItsClassicFrameAndItsPaintOnTheXScreen) {
    TXvfbServer server(1280, 1024);
    if (!server.Running())
        GTEST_SKIP() << "Xvfb cannot start here, so real windows cannot be checked: " << server.Failure();
    setenv("DISPLAY", server.Display().c_str(), 1);
    TXScreen screen(server.Display());
    TXcbHost host;
    InitWindowSystem(host);
    RegisterClass(WNDCLASS{"Smoke", 0,
                           [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                               if (m != WM_PAINT) return DefWindowProc(h, m, w, l);
                               PAINTSTRUCT ps;
                               HDC dc = BeginPaint(h, ps);
                               dc->FillRect(Rect(0, 0, 40, 30), TBrushDesc::SolidColor(clRed));
                               EndPaint(h, ps);
                               return 0;
                           },
                           clBlue});
    HWND w =
        CreateWindowEx(0, "Smoke", "Fumo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr);
    TPoint client = ClientToScreen(w, {0, 0});
    TPixel red = 0, blue = 0;
    for (int tries = 0; tries < 30 && (red != 0xFF0000u || blue != 0x0000FFu); ++tries) {
        RunFor(100);
        red = screen.PixelAt(client + TPoint{5, 5});
        blue = screen.PixelAt(client + TPoint{100, 100});
    }
    EXPECT_EQ(red, 0xFF0000u);
    EXPECT_EQ(blue, 0x0000FFu);
    TPixel caption = screen.PixelAt({100 + 20, 100 + 10});
    EXPECT_TRUE(caption == ColorToPixel(clActiveCaption) || caption == ColorToPixel(clInactiveCaption));
    EXPECT_EQ(screen.PixelAt({100 + 1, 100 + 100}), ColorToPixel(clBtnHighlight)); // the raised sizing frame
    // Idle, the loop sleeps until its one timer is due instead of polling.
    RunFor(100);
    uint64_t wakeUps = host.WakeUps();
    RunFor(1000);
    EXPECT_LE(host.WakeUps() - wakeUps, 5u);
    ShutdownWindowSystem();
}
