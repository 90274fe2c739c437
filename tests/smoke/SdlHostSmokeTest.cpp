#include "XScreen.h"
#include "XvfbServer.h"

#include "platform/host/sdl/SdlHost.h"
#include "platform/host/sdl/X11Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using TKind = THostEvent::TKind;

constexpr TPixel Black = 0x000000, Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF;

// Quadrants red, green, blue and `fourth`, so that a misplaced or mirrored copy shows.
TSurface Quadrants(int width, int height, TPixel fourth) {
    TSurface s(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            s.SetPixel(x, y, bottom ? (right ? fourth : Blue) : (right ? Green : Red));
        }
    return s;
}

long VoluntarySwitchesOfThisThread() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

class SdlHostOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FServer.Running())
            GTEST_SKIP() << "Xvfb cannot start here, so real windows cannot be checked: " << FServer.Failure();
        setenv("DISPLAY", FServer.Display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        FHost = std::make_unique<TSdlHost>();
    }

    THostSurface& Open(TSurfaceKind kind, const TRect& bounds, bool activate = false) {
        FSurfaces.push_back(FHost->CreateSurface(kind, bounds));
        FSurfaces.back()->Show(activate);
        return *FSurfaces.back();
    }

    // Handles what the display has to say until it falls silent.
    void Drain() {
        while (FHost->WaitEvent(FHost->Now() + 100).Kind != TKind::None) {
        }
    }

    // The first event that `wanted` accepts, or a None event after a while.
    template <class TPredicate> THostEvent WaitUntil(TPredicate wanted) {
        const uint64_t deadline = FHost->Now() + 3000;
        for (;;) {
            THostEvent e = FHost->WaitEvent(deadline);
            if (e.Kind == TKind::None || wanted(e)) return e;
        }
    }
    THostEvent WaitFor(TKind kind, const THostSurface& surface) {
        return WaitUntil([&](const THostEvent& e) { return e.Kind == kind && e.Surface == &surface; });
    }
    THostEvent WaitForMoveTo(TPoint point) {
        return WaitUntil([&](const THostEvent& e) { return e.Kind == TKind::MouseMove && e.ScreenPos == point; });
    }

    TXvfbServer FServer{1280, 1024};
    std::unique_ptr<TXScreen> FScreen;
    std::unique_ptr<TSdlHost> FHost;
    std::vector<std::unique_ptr<THostSurface>> FSurfaces;
};

TEST_F(SdlHostOnXvfb, EachKindShowsItsBackBufferAtItsScreenPoint) {
    struct TCase {
        TSurfaceKind Kind;
        TRect Bounds;
        TPixel Fourth;
    };
    const TCase cases[] = {{TSurfaceKind::Normal, Bounds(100, 100, 200, 150), 0xFFFF00},
                           {TSurfaceKind::Borderless, Bounds(400, 300, 160, 120), 0x00FFFF},
                           {TSurfaceKind::Popup, Bounds(700, 200, 80, 60), 0xFF00FF}};
    for (const TCase& c : cases) {
        THostSurface& surface = Open(c.Kind, c.Bounds, c.Kind == TSurfaceKind::Normal);
        const TSurface pattern = Quadrants(c.Bounds.Width(), c.Bounds.Height(), c.Fourth);
        surface.Present(pattern, pattern.BoundsRect());
    }
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Kind));
        const int w = c.Bounds.Width(), h = c.Bounds.Height();
        // One pixel of the screen's black background all round.
        const TSurface shot = FScreen->Grab(c.Bounds.Inflated(1, 1));
        EXPECT_EQ(shot.Pixel(1, 1), Red);
        EXPECT_EQ(shot.Pixel(w / 2, h / 2), Red);
        EXPECT_EQ(shot.Pixel(w / 2 + 1, h / 2), Green);
        EXPECT_EQ(shot.Pixel(w, 1), Green);
        EXPECT_EQ(shot.Pixel(1, h), Blue);
        EXPECT_EQ(shot.Pixel(w, h), c.Fourth);
        EXPECT_EQ(shot.Pixel(0, 0), Black);
        EXPECT_EQ(shot.Pixel(w + 1, h + 1), Black);
        EXPECT_EQ(shot.Pixel(w + 1, 1), Black);
    }
}

TEST_F(SdlHostOnXvfb, PresentCopiesOnlyTheDirtyPartAndFollowsMovesAndHiding) {
    const TRect place = Bounds(400, 300, 160, 120);
    THostSurface& surface = Open(TSurfaceKind::Borderless, place);
    TSurface buffer(160, 120, 0x336699);
    surface.Present(buffer, buffer.BoundsRect());
    buffer.Fill(White);
    surface.Present(buffer, Rect(10, 10, 20, 20));
    surface.Present(buffer, Rect(150, 110, 4000, 4000)); // beyond the buffer: only what exists

    TSurface shot = FScreen->Grab(place);
    EXPECT_EQ(shot.Pixel(10, 10), White);
    EXPECT_EQ(shot.Pixel(19, 19), White);
    EXPECT_EQ(shot.Pixel(9, 10), 0x336699u);
    EXPECT_EQ(shot.Pixel(20, 10), 0x336699u);
    EXPECT_EQ(shot.Pixel(10, 20), 0x336699u);
    EXPECT_EQ(shot.Pixel(149, 110), 0x336699u);
    EXPECT_EQ(shot.Pixel(159, 119), White);

    // A buffer larger than the window after a resize: the window shows its part.
    surface.SetBounds(Bounds(600, 500, 80, 60));
    buffer.SetPixel(79, 59, Red);
    surface.Present(buffer, buffer.BoundsRect());
    EXPECT_EQ(FScreen->PixelAt({600, 500}), White);
    EXPECT_EQ(FScreen->PixelAt({679, 559}), Red);
    EXPECT_EQ(FScreen->PixelAt({680, 559}), Black);
    EXPECT_EQ(FScreen->PixelAt({400, 300}), Black);

    surface.Hide();
    EXPECT_EQ(FScreen->PixelAt({600, 500}), Black);
}

TEST_F(SdlHostOnXvfb, ShapeCutsACornerOutOfAWindowAndCanBeLifted) {
    const TSdlWindowHandle window(SDL_CreateWindow("", 50, 50, 100, 100, SDL_WINDOW_BORDERLESS));
    ASSERT_TRUE(window) << SDL_GetError();
    const auto fill = [&] {
        SDL_Surface* pixels = SDL_GetWindowSurface(window.get());
        SDL_FillRect(pixels, nullptr, SDL_MapRGB(pixels->format, 0xFF, 0x80, 0x00));
        SDL_UpdateWindowSurface(window.get());
    };
    fill();
    const std::vector<TRect> withoutTopLeft{Rect(20, 0, 100, 20), Rect(0, 20, 100, 100)};
    ASSERT_TRUE(SetX11WindowShape(window.get(), &withoutTopLeft));
    EXPECT_EQ(FScreen->PixelAt({55, 55}), Black);
    EXPECT_EQ(FScreen->PixelAt({69, 69}), Black);
    EXPECT_EQ(FScreen->PixelAt({70, 55}), 0xFF8000u);
    EXPECT_EQ(FScreen->PixelAt({55, 70}), 0xFF8000u);

    ASSERT_TRUE(SetX11WindowShape(window.get(), nullptr));
    fill(); // the corner was never drawn while cut out
    EXPECT_EQ(FScreen->PixelAt({55, 55}), 0xFF8000u);
}

TEST_F(SdlHostOnXvfb, PointerMotionArrivesInScreenCoordinatesOfTheRightSurface) {
    THostSurface& first = Open(TSurfaceKind::Borderless, Bounds(300, 200, 100, 100));
    THostSurface& second = Open(TSurfaceKind::Normal, Bounds(600, 400, 120, 80));
    Drain();

    FScreen->WarpPointer({350, 260});
    THostEvent e = WaitFor(TKind::MouseMove, first);
    ASSERT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.ScreenPos, (TPoint{350, 260}));

    // Leaving the first window may first report a move clamped to its edge.
    FScreen->WarpPointer({610, 421});
    e = WaitFor(TKind::MouseMove, second);
    ASSERT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.ScreenPos, (TPoint{610, 421}));
    EXPECT_EQ(FHost->CursorPos(), (TPoint{610, 421}));
}

TEST_F(SdlHostOnXvfb, ScreenClipboardAndCursorsWork) {
    EXPECT_EQ(FHost->ScreenRect(), Rect(0, 0, 1280, 1024));
    const std::string text = "Palla di fuoco \xE2\x80\x99 livello 3";
    FHost->SetClipboardText(text);
    EXPECT_EQ(FHost->ClipboardText(), text);

    for (int c = 0; c <= int(THostCursor::No); ++c) FHost->SetCursor(THostCursor(c));
    FHost->SetCursor(THostCursor::HandPoint);
    SDL_Cursor* hand = SDL_GetCursor();
    FHost->SetCursor(THostCursor::Arrow);
    EXPECT_NE(SDL_GetCursor(), hand);
    FHost->SetCursor(THostCursor::HandPoint);
    EXPECT_EQ(SDL_GetCursor(), hand); // made once, then reused
}

TEST_F(SdlHostOnXvfb, UnderCaptureMotionOutsideEveryWindowStillArrivesWhereThePointerIs) {
    THostSurface& first = Open(TSurfaceKind::Borderless, Bounds(300, 200, 100, 100));
    THostSurface& second = Open(TSurfaceKind::Borderless, Bounds(600, 200, 100, 100));
    Drain();
    FScreen->WarpPointer({350, 250});
    ASSERT_EQ(WaitFor(TKind::MouseMove, first).Kind, TKind::MouseMove);

    FHost->CaptureMouse(true);
    FScreen->WarpPointer({500, 150}); // over no window at all
    EXPECT_EQ(WaitForMoveTo({500, 150}).Kind, TKind::MouseMove);
    EXPECT_EQ(FHost->CursorPos(), (TPoint{500, 150}));

    FHost->CaptureMouse(false);
    // SDL may report the jump into a window right after an ungrab only with the next move.
    FScreen->WarpPointer({660, 250});
    FScreen->WarpPointer({670, 260});
    const THostEvent e = WaitForMoveTo({670, 260});
    EXPECT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.Surface, &second);
}

TEST_F(SdlHostOnXvfb, OpenURLHandsTheAddressOverAsOneArgumentAndRefusesOptions) {
    // A stand-in for the desktop's handler, found first on PATH, writes down what it was given.
    const fs::path folder = fs::temp_directory_path() / ("vmr-open-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path handler = folder / "xdg-open";
    std::ofstream(handler) << "#!/bin/sh\nprintf '%s|' \"$@\" >> \"$0.log\"\necho >> \"$0.log\"\n";
    fs::permissions(handler, fs::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
    const auto calls = [log = folder / "xdg-open.log"] {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    };

    FHost->OpenURL("--version");
    FHost->OpenURL("https://example.org/a b?x=1&y=$(id)");
    for (int i = 0; i < 500 && calls().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // room for a call that should not happen
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(calls(), std::vector<std::string>{"https://example.org/a b?x=1&y=$(id)|"});
    fs::remove_all(folder);
}

TEST_F(SdlHostOnXvfb, IdleLoopSleepsUntilTheDeadlineWithAndWithoutWindows) {
    for (const bool withWindow : {false, true}) {
        SCOPED_TRACE(withWindow ? "with a window" : "without windows");
        if (withWindow) Open(TSurfaceKind::Normal, Bounds(10, 10, 50, 50), true);
        Drain();
        const uint64_t wakeUps = FHost->WakeUps();
        const long switches = VoluntarySwitchesOfThisThread();
        const uint64_t start = FHost->Now();
        // A late event of the window just shown may still arrive on a loaded machine; a few are fine.
        int strayEvents = 0;
        while (FHost->Now() < start + 300)
            if (FHost->WaitEvent(start + 300).Kind != TKind::None) ++strayEvents;
        const uint64_t elapsed = FHost->Now() - start;
        EXPECT_LE(strayEvents, 2);
        EXPECT_LT(elapsed, 1000u);
        EXPECT_LE(FHost->WakeUps() - wakeUps, 3u);
        // A loop that polled would have slept and woken hundreds of times in 300 ms.
        EXPECT_LE(VoluntarySwitchesOfThisThread() - switches, 10);
    }
}

TEST_F(SdlHostOnXvfb, WakeFromAnotherThreadEndsAnEndlessWaitAndCoalesces) {
    Drain();
    const uint64_t start = FHost->Now();
    std::thread waker([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        FHost->Wake();
    });
    const THostEvent e = FHost->WaitEvent(std::nullopt);
    waker.join();
    EXPECT_EQ(e.Kind, TKind::Wake);
    EXPECT_GE(FHost->Now() - start, 100u);
    EXPECT_LT(FHost->Now() - start, 1000u);

    FHost->Wake();
    FHost->Wake();
    EXPECT_EQ(FHost->WaitEvent(FHost->Now() + 50).Kind, TKind::Wake);
    EXPECT_EQ(FHost->WaitEvent(FHost->Now() + 50).Kind, TKind::None);
    FHost->Wake();
    EXPECT_EQ(FHost->WaitEvent(FHost->Now() + 50).Kind, TKind::Wake);
}

} // namespace
