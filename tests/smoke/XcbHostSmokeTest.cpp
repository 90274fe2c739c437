#include "WindowManager.h"
#include "XScreen.h"
#include "XvfbServer.h"

#include "platform/Exception.h"
#include "platform/host/xcb/XcbHost.h"
#include "platform/host/xcb/XcbSharedMemory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>

// How test names and failures show the route the pixels took.
static void PrintTo(TXcbUploads::TRoute route, std::ostream* out) {
    *out << (route == TXcbUploads::TRoute::Socket ? "Socket" : "SharedMemory");
}

namespace {

namespace fs = std::filesystem;
using TKind = THostEvent::TKind;
using TRoute = TXcbUploads::TRoute;

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

// Whether the server of `display` can attach memory of this machine's: some containers allow no shared memory,
// and pictures then take the socket whichever route is asked.
bool ServerSharesMemory(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    const bool shares = !xcb_connection_has_error(c) && TXcbSharedMemory::Attach(c, 4096) != nullptr;
    xcb_disconnect(c);
    return shares;
}

long VoluntarySwitchesOfThisThread() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

class XcbHostOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FServer.Running())
            GTEST_SKIP() << "Xvfb cannot start here, so real windows cannot be checked: " << FServer.Failure();
        setenv("DISPLAY", FServer.Display().c_str(), 1);
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        FHost = std::make_unique<TXcbHost>(Route());
    }
    virtual TRoute Route() const { return TRoute::SharedMemoryWhereItWorks; }

    THostSurface& Open(TSurfaceKind kind, const TRect& bounds, bool activate = false, TPixel fill = White,
                       const std::string& title = "") {
        FSurfaces.push_back(FHost->CreateSurface(kind, bounds));
        THostSurface& surface = *FSurfaces.back();
        if (!title.empty()) surface.SetTitle(title);
        surface.Show(activate);
        const TSurface picture(bounds.Width(), bounds.Height(), fill);
        surface.Present(picture, TRegion(picture.BoundsRect()));
        return surface;
    }

    // Handles what the display has to say until it falls silent.
    void Drain() {
        while (FHost->WaitEvent(FHost->Now() + 100).Kind != TKind::None) {
        }
    }

    // The first event that `wanted` accepts, or a None event after a while.
    template <class TPredicate> THostEvent WaitUntil(TPredicate wanted, uint64_t ms = 3000) {
        const uint64_t deadline = FHost->Now() + ms;
        for (;;) {
            THostEvent e = FHost->WaitEvent(deadline);
            if (e.Kind == TKind::None || wanted(e)) return e;
        }
    }
    THostEvent WaitFor(TKind kind, const THostSurface& surface, uint64_t ms = 3000) {
        return WaitUntil([&](const THostEvent& e) { return e.Kind == kind && e.Surface == &surface; }, ms);
    }
    THostEvent WaitForMoveTo(TPoint point) {
        return WaitUntil([&](const THostEvent& e) { return e.Kind == TKind::MouseMove && e.ScreenPos == point; });
    }

    // The screen once the server has carried out what the host asked.
    const TXScreen& Seen() const {
        FHost->Sync();
        return *FScreen;
    }

    TXvfbServer FServer{1280, 1024};
    std::unique_ptr<TXScreen> FScreen;
    std::unique_ptr<TXcbHost> FHost;
    std::vector<std::unique_ptr<THostSurface>> FSurfaces;
};

// The pictures reach the server through shared memory and, where that cannot be had, through the socket; each
// route must show the same.
class XcbHostPicturesOnXvfb : public XcbHostOnXvfb, public ::testing::WithParamInterface<TRoute> {
protected:
    TRoute Route() const override { return GetParam(); }
    void TearDown() override {
        if (FHost) {
            EXPECT_EQ(FHost->Uploads().ThroughSharedMemory(),
                      Route() == TRoute::SharedMemoryWhereItWorks && ServerSharesMemory(FServer.Display()));
        }
    }
};

INSTANTIATE_TEST_SUITE_P(, XcbHostPicturesOnXvfb,
                         ::testing::Values(TRoute::SharedMemoryWhereItWorks, TRoute::Socket),
                         ::testing::PrintToStringParamName());

TEST_P(XcbHostPicturesOnXvfb, EachKindShowsItsBackBufferAtItsScreenPoint) {
    struct TCase {
        TSurfaceKind Kind;
        TRect Bounds;
        TPixel Fourth;
    };
    const TCase cases[] = {{TSurfaceKind::Normal, Bounds(100, 100, 200, 150), 0xFFFF00},
                           {TSurfaceKind::Borderless, Bounds(400, 300, 160, 120), 0x00FFFF},
                           {TSurfaceKind::Popup, Bounds(700, 200, 80, 60), 0xFF00FF}};
    for (const TCase& c : cases) {
        FSurfaces.push_back(FHost->CreateSurface(c.Kind, c.Bounds));
        FSurfaces.back()->Show(c.Kind == TSurfaceKind::Normal);
        const TSurface pattern = Quadrants(c.Bounds.Width(), c.Bounds.Height(), c.Fourth);
        FSurfaces.back()->Present(pattern, TRegion(pattern.BoundsRect()));
    }
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Kind));
        const int w = c.Bounds.Width(), h = c.Bounds.Height();
        // One pixel of the screen's black background all round.
        const TSurface shot = Seen().Grab(c.Bounds.Inflated(1, 1));
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

TEST_P(XcbHostPicturesOnXvfb, AWindowShowsOnlyWithItsPictureAndChangesSizeTogetherWithIt) {
    const TRect place = Bounds(400, 300, 160, 120);
    FSurfaces.push_back(FHost->CreateSurface(TSurfaceKind::Normal, place));
    THostSurface& surface = *FSurfaces.back();
    surface.SetTitle("Quadri");
    surface.Show(true);
    EXPECT_FALSE(Seen().FindWindow("Quadri")); // no picture yet: nothing on screen, not even black
    const TSurface first = Quadrants(160, 120, White);
    surface.Present(first, TRegion(first.BoundsRect()));
    EXPECT_EQ(Seen().FindWindow("Quadri"), place);
    EXPECT_EQ(Seen().PixelAt({559, 419}), White);

    // The new size waits for the picture of that size, and then both show at once.
    surface.SetBounds(Bounds(400, 300, 240, 180));
    EXPECT_EQ(Seen().FindWindow("Quadri"), place);
    const TSurface second = Quadrants(240, 180, 0x336699);
    surface.Present(second, TRegion(Rect(0, 0, 1, 1))); // a new size presents the whole picture whatever the window system says
    EXPECT_EQ(Seen().FindWindow("Quadri"), Bounds(400, 300, 240, 180));
    EXPECT_EQ(Seen().PixelAt({639, 479}), 0x336699u);
    EXPECT_EQ(Seen().PixelAt({401, 301}), Red);

    // A move alone goes at once; hiding takes the window off the screen.
    surface.SetBounds(Bounds(500, 300, 240, 180));
    EXPECT_EQ(Seen().PixelAt({739, 479}), 0x336699u);
    EXPECT_EQ(Seen().PixelAt({450, 350}), Black);
    surface.Hide();
    EXPECT_EQ(Seen().PixelAt({739, 479}), Black);
}

TEST_P(XcbHostPicturesOnXvfb, PresentCopiesOnlyTheDirtyPart) {
    const TRect place = Bounds(400, 300, 160, 120);
    THostSurface& surface = Open(TSurfaceKind::Borderless, place, false, 0x336699);
    TSurface buffer(160, 120, White);
    surface.Present(buffer, TRegion(Rect(10, 10, 20, 20)));
    surface.Present(buffer, TRegion(Rect(150, 110, 4000, 4000))); // beyond the buffer: only what exists

    const TSurface shot = Seen().Grab(place);
    EXPECT_EQ(shot.Pixel(10, 10), White);
    EXPECT_EQ(shot.Pixel(19, 19), White);
    EXPECT_EQ(shot.Pixel(9, 10), 0x336699u);
    EXPECT_EQ(shot.Pixel(20, 10), 0x336699u);
    EXPECT_EQ(shot.Pixel(10, 20), 0x336699u);
    EXPECT_EQ(shot.Pixel(149, 110), 0x336699u);
    EXPECT_EQ(shot.Pixel(159, 119), White);
}

TEST_P(XcbHostPicturesOnXvfb, PresentCopiesEachPartOfADirtyRegionAndNothingBetween) {
    // Wide enough that a part of the rows goes up in several pieces.
    const TRect place = Bounds(20, 20, 1000, 300);
    const TPixel before = 0x336699;
    THostSurface& surface = Open(TSurfaceKind::Borderless, place, false, before);
    TSurface buffer(1000, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 1000; ++x) buffer.SetPixel(x, y, TPixel(x * 2654435761u ^ y * 40503u) & 0xFFFFFF);
    const TRegion parts = TRegion::Combine(TRegion(Rect(3, 5, 990, 290)), TRegion(Rect(40, 30, 600, 200)),
                                           TRegion::TCombine::Diff);
    surface.Present(buffer, parts);

    const TSurface shot = Seen().Grab(place);
    int wrong = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 1000; ++x)
            wrong += shot.Pixel(x, y) != (parts.Contains({x, y}) ? buffer.Pixel(x, y) : before);
    EXPECT_EQ(wrong, 0);
}

TEST_P(XcbHostPicturesOnXvfb, ShapeCutsACornerOutOfAWindowAndCanBeLifted) {
    THostSurface& surface = Open(TSurfaceKind::Borderless, Bounds(50, 50, 100, 100), false, 0xFF8000);
    surface.SetShape(TRegion(Rect(0, 0, 100, 100)) -= TRegion(Rect(0, 0, 20, 20)));
    EXPECT_EQ(Seen().PixelAt({55, 55}), Black);
    EXPECT_EQ(Seen().PixelAt({69, 69}), Black);
    EXPECT_EQ(Seen().PixelAt({70, 55}), 0xFF8000u);
    EXPECT_EQ(Seen().PixelAt({55, 70}), 0xFF8000u);
    surface.SetShape(std::nullopt);
    EXPECT_EQ(Seen().PixelAt({55, 55}), 0xFF8000u); // the server has the picture of the corner too
}

// Holds the server for its own connection, as a window manager may, so that the server reads nothing more of
// the host's until it lets go.
class TServerGrab {
public:
    explicit TServerGrab(const std::string& display) : FConnection(xcb_connect(display.c_str(), nullptr)) {
        xcb_grab_server(FConnection);
        free(xcb_get_input_focus_reply(FConnection, xcb_get_input_focus(FConnection), nullptr));
    }
    ~TServerGrab() { xcb_disconnect(FConnection); }
    TServerGrab(const TServerGrab&) = delete;
    TServerGrab& operator=(const TServerGrab&) = delete;
    void Release() {
        xcb_ungrab_server(FConnection);
        xcb_flush(FConnection);
    }

private:
    xcb_connection_t* FConnection;
};

// Fills rows in a colour of their own for `band`, varied along the row.
void PaintBand(TSurface& buffer, int band, int top, int rows) {
    const TPixel colour = TPixel(band * 0x0A1B2C + 0x102030) & 0xFFFFFF;
    for (int y = top; y < top + rows; ++y)
        for (int x = 0; x < buffer.Width(); ++x) buffer.SetPixel(x, y, colour ^ TPixel(x));
}

// Presents that each change a band of rows a little below the one before, together twice what the host's
// shared memory holds: a band shows another's pixels where its upload was overwritten before the server read it.
constexpr int BandWidth = 400, BandRows = 60, BandStep = 10;
constexpr int Bands = int(2 * TXcbUploads::SharedMemoryBytes / (BandWidth * BandRows * 4)) + 1;
constexpr TRect BandsPlace = Bounds(100, 100, BandWidth, (Bands - 1) * BandStep + BandRows);

void PresentBands(THostSurface& surface, TSurface& buffer) {
    for (int band = 0; band < Bands; ++band) {
        PaintBand(buffer, band, band * BandStep, BandRows);
        surface.Present(buffer, TRegion(Rect(0, band * BandStep, BandWidth, band * BandStep + BandRows)));
    }
}

int WrongPixels(const TSurface& shot, const TSurface& expected) {
    int wrong = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) wrong += shot.Pixel(x, y) != expected.Pixel(x, y);
    return wrong;
}

TEST_P(XcbHostPicturesOnXvfb, PresentsTheServerCouldNotReadYetEndInTheLastPicture) {
    THostSurface& surface = Open(TSurfaceKind::Borderless, BandsPlace, false, Black);
    TSurface buffer(BandsPlace.Width(), BandsPlace.Height(), Black);
    Drain();
    TServerGrab grab(FServer.Display()); // the server reads nothing of the host's until it lets go
    std::thread release([&grab] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        grab.Release();
    });
    PresentBands(surface, buffer);
    release.join();
    EXPECT_EQ(WrongPixels(Seen().Grab(BandsPlace), buffer), 0);
}

TEST_P(XcbHostPicturesOnXvfb, PicturesGoOnReachingTheScreenWhileTheLoopHandlesTheServersNews) {
    const TRect place = Bounds(100, 100, 400, 300);
    THostSurface& surface = Open(TSurfaceKind::Borderless, place);
    // Whole pictures, several times what the shared memory holds, with the loop running between them.
    const int rounds = int(3 * TXcbUploads::SharedMemoryBytes / size_t(place.Width() * place.Height() * 4)) + 1;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        TSurface buffer(place.Width(), place.Height());
        PaintBand(buffer, round, 0, place.Height());
        surface.Present(buffer, TRegion(buffer.BoundsRect()));
        Drain();
        EXPECT_EQ(WrongPixels(Seen().Grab(place), buffer), 0);
    }
}

// A host on `hostDisplay`, the name the host is given for the server of `display`, that cannot share memory
// with the server: the pictures go through the socket and look the same.
void ExpectPicturesThroughTheSocket(const std::string& display, const std::string& hostDisplay) {
    setenv("DISPLAY", hostDisplay.c_str(), 1);
    TXScreen screen(display);
    TXcbHost host;
    const TRect place = Bounds(10, 10, 100, 80);
    const std::unique_ptr<THostSurface> surface = host.CreateSurface(TSurfaceKind::Borderless, place);
    surface->Show(false);
    const TSurface picture = Quadrants(100, 80, White);
    surface->Present(picture, TRegion(picture.BoundsRect()));
    host.Sync();
    EXPECT_FALSE(host.Uploads().ThroughSharedMemory());
    EXPECT_EQ(WrongPixels(screen.Grab(place), picture), 0);
}

TEST(XcbHostWithoutSharedMemory, AServerWithoutTheExtensionGetsThePicturesThroughTheSocket) {
    TXvfbServer server(640, 480, {"-extension", "MIT-SHM"});
    if (!server.Running()) GTEST_SKIP() << "Xvfb cannot start here: " << server.Failure();
    ExpectPicturesThroughTheSocket(server.Display(), server.Display());
}

TEST(XcbHostWithoutSharedMemory, AServerReachedOverTheNetworkGetsThePicturesThroughTheSocket) {
    // On this machine, but reached as another machine's would be: its memory cannot be assumed to be ours.
    TXvfbServer server(640, 480, {"-listen", "tcp"});
    if (!server.Running()) GTEST_SKIP() << "Xvfb cannot start here: " << server.Failure();
    ExpectPicturesThroughTheSocket(server.Display(), "127.0.0.1" + server.Display());
}

TEST_F(XcbHostOnXvfb, ALostConnectionEndsAPresentThatWaitsForTheServer) {
    THostSurface& surface = Open(TSurfaceKind::Borderless, BandsPlace);
    if (!ServerSharesMemory(FServer.Display())) GTEST_SKIP() << "the server cannot attach this machine's memory";
    ASSERT_TRUE(FHost->Uploads().ThroughSharedMemory());
    // A write that meets the cut socket must not end the test.
    struct sigaction ignore{}, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previous);
    TServerGrab grab(FServer.Display());
    const int socket = xcb_get_file_descriptor(FHost->Display().Connection());
    std::thread cut([socket] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        shutdown(socket, SHUT_RDWR);
    });
    TSurface buffer(BandsPlace.Width(), BandsPlace.Height());
    PresentBands(surface, buffer); // waits for the server once the shared memory is full
    cut.join();
    EXPECT_THROW(FHost->WaitEvent(FHost->Now() + 100), Exception);
    sigaction(SIGPIPE, &previous, nullptr);
}

TEST_F(XcbHostOnXvfb, PointerMotionAndClicksArriveInScreenCoordinatesOfTheRightSurface) {
    THostSurface& first = Open(TSurfaceKind::Borderless, Bounds(300, 200, 100, 100));
    THostSurface& second = Open(TSurfaceKind::Normal, Bounds(600, 400, 120, 80));
    Drain();

    FScreen->WarpPointer({350, 260});
    THostEvent e = WaitFor(TKind::MouseMove, first);
    ASSERT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.ScreenPos, (TPoint{350, 260}));

    FScreen->WarpPointer({610, 421});
    e = WaitFor(TKind::MouseMove, second);
    ASSERT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.ScreenPos, (TPoint{610, 421}));
    EXPECT_EQ(FHost->CursorPos(), (TPoint{610, 421}));

    FScreen->Click({612, 422}, 3);
    e = WaitFor(TKind::MouseDown, second);
    EXPECT_EQ(e.Button, 2); // the right button
    EXPECT_EQ(e.ScreenPos, (TPoint{612, 422}));
    EXPECT_EQ(WaitFor(TKind::MouseUp, second).Button, 2);
    FScreen->Click({612, 422}, 4);
    e = WaitFor(TKind::Wheel, second);
    EXPECT_EQ(e.WheelDelta, 120);
}

TEST_F(XcbHostOnXvfb, UnderCaptureMotionOutsideEveryWindowStillArrivesWhereThePointerIs) {
    THostSurface& first = Open(TSurfaceKind::Borderless, Bounds(300, 200, 100, 100));
    THostSurface& second = Open(TSurfaceKind::Borderless, Bounds(600, 200, 100, 100));
    Drain();
    FScreen->WarpPointer({350, 250});
    ASSERT_EQ(WaitFor(TKind::MouseMove, first).Kind, TKind::MouseMove);

    FHost->CaptureMouse(true);
    FHost->Sync(); // the grab is sent without waiting: it holds once the server has read it
    FScreen->WarpPointer({500, 150}); // over no window at all
    EXPECT_EQ(WaitForMoveTo({500, 150}).Kind, TKind::MouseMove);
    EXPECT_EQ(FHost->CursorPos(), (TPoint{500, 150}));

    FHost->CaptureMouse(false);
    FScreen->WarpPointer({670, 260});
    const THostEvent e = WaitForMoveTo({670, 260});
    EXPECT_EQ(e.Kind, TKind::MouseMove);
    EXPECT_EQ(e.Surface, &second);
}

TEST_F(XcbHostOnXvfb, KeysArriveAsTheFocusedWindowsKeysAndText) {
    THostSurface& first = Open(TSurfaceKind::Normal, Bounds(100, 100, 100, 100), true);
    ASSERT_EQ(WaitFor(TKind::FocusIn, first).Kind, TKind::FocusIn);
    FScreen->PressKey("a");
    THostEvent e = WaitFor(TKind::KeyDown, first);
    EXPECT_EQ(e.VirtualKey, 'A');
    EXPECT_FALSE(e.Repeat);
    e = WaitFor(TKind::Text, first);
    EXPECT_EQ(e.Text, "a");
    EXPECT_EQ(WaitFor(TKind::KeyUp, first).VirtualKey, 'A');
    FScreen->PressKey("F4");
    EXPECT_EQ(WaitFor(TKind::KeyDown, first).VirtualKey, 0x73);
    FScreen->PressKey("Return");
    EXPECT_EQ(WaitFor(TKind::KeyDown, first).VirtualKey, 13);
}

TEST_F(XcbHostOnXvfb, TheWindowSystemsActivationAndAClickGiveTheKeyboardFocus) {
    THostSurface& first = Open(TSurfaceKind::Normal, Bounds(100, 100, 100, 100), true);
    THostSurface& second = Open(TSurfaceKind::Normal, Bounds(300, 100, 100, 100));
    THostSurface& popup = Open(TSurfaceKind::Popup, Bounds(500, 100, 100, 100), true);
    ASSERT_EQ(WaitFor(TKind::FocusIn, first).Kind, TKind::FocusIn);

    second.TakeFocus();
    EXPECT_EQ(WaitFor(TKind::FocusOut, first).Kind, TKind::FocusOut);
    EXPECT_EQ(WaitFor(TKind::FocusIn, second).Kind, TKind::FocusIn);

    // A click into a window that has lost the focus takes it back; a popup never takes it.
    FScreen->Click({150, 150});
    EXPECT_EQ(WaitFor(TKind::FocusIn, first).Kind, TKind::FocusIn);
    FScreen->Click({550, 150});
    EXPECT_EQ(WaitFor(TKind::MouseUp, popup).Kind, TKind::MouseUp);
    popup.TakeFocus();
    EXPECT_EQ(WaitFor(TKind::FocusOut, first).Kind, TKind::None);
}

TEST_F(XcbHostOnXvfb, TheDesktopsMovesSizesAndCloseRequestsReachTheWindowSystem) {
    THostSurface& surface = Open(TSurfaceKind::Normal, Bounds(100, 100, 200, 150), true, White, "Fuori");
    surface.SetBounds(Bounds(120, 100, 200, 150)); // our own move is not reported back
    Drain();

    FScreen->Configure("Fuori", Bounds(150, 160, 320, 240));
    THostEvent e = WaitFor(TKind::Configure, surface);
    ASSERT_EQ(e.Kind, TKind::Configure);
    EXPECT_EQ(e.Bounds, Bounds(150, 160, 320, 240));
    // The server keeps the old picture where it fits until the window system presents the new size.
    EXPECT_EQ(Seen().PixelAt({151, 161}), White);

    FScreen->RequestClose("Fuori");
    EXPECT_EQ(WaitFor(TKind::CloseRequest, surface).Kind, TKind::CloseRequest);
}

TEST_F(XcbHostOnXvfb, MinimisingWithoutAWindowManagerReportsThatTheWindowStayed) {
    THostSurface& surface = Open(TSurfaceKind::Normal, Bounds(100, 100, 200, 150), true, Red, "Resta");
    Drain();
    surface.Minimize();
    EXPECT_EQ(WaitFor(TKind::Restored, surface).Kind, TKind::Restored);
    EXPECT_EQ(Seen().PixelAt({150, 150}), Red);
}

// Polls the screen, without handling a single event of the host's, until `test` holds.
template <class TTest> bool ScreenShows(TTest test) {
    for (int i = 0; i < 400; ++i) {
        if (test()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

TEST_F(XcbHostOnXvfb, AMinimiseTheDesktopUndidBeforeTheHostLookedIsReportedAsRestored) {
    TWindowManager manager(FServer.Display());
    if (!manager.Running()) GTEST_SKIP() << "openbox does not run here";
    THostSurface& surface = Open(TSurfaceKind::Normal, Bounds(100, 100, 200, 150), true, Red, "Via");
    ASSERT_TRUE(ScreenShows([&] { return FScreen->FindWindow("Via").has_value(); }));
    Drain();

    // The window system takes the window as minimised from its request on; a program busy elsewhere sees
    // the desktop iconify it and a task bar bring it back only afterwards.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        surface.Minimize();
        ASSERT_TRUE(ScreenShows([&] { return !FScreen->FindWindow("Via"); })) << "openbox did not iconify";
        if (round == 1) { // the host looks in time
            EXPECT_EQ(WaitFor(TKind::Restored, surface, 500).Kind, TKind::None) << "restored while iconic";
        }
        ASSERT_TRUE(FScreen->ActivateWindow("Via"));
        ASSERT_TRUE(ScreenShows([&] { return FScreen->FindWindow("Via").has_value(); }));
        EXPECT_EQ(WaitFor(TKind::Restored, surface).Kind, TKind::Restored);
        EXPECT_EQ(WaitFor(TKind::Restored, surface, 500).Kind, TKind::None) << "reported twice";
    }
    EXPECT_EQ(Seen().PixelAt(FScreen->FindWindow("Via").value_or(TRect{}).TopLeft() + TPoint{50, 50}), Red);
}

// Claims to be the window manager (owns WM_S0) but manages nothing: minimise requests go unanswered.
class TIdleWindowManager {
public:
    explicit TIdleWindowManager(const std::string& display) : FConnection(xcb_connect(display.c_str(), nullptr)) {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data;
        const xcb_window_t owner = xcb_generate_id(FConnection);
        xcb_create_window(FConnection, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const auto cookie = xcb_intern_atom(FConnection, 0, 5, "WM_S0");
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(FConnection, cookie, nullptr);
        xcb_set_selection_owner(FConnection, owner, atom->atom, XCB_CURRENT_TIME);
        free(atom);
        free(xcb_get_input_focus_reply(FConnection, xcb_get_input_focus(FConnection), nullptr));
    }
    ~TIdleWindowManager() { xcb_disconnect(FConnection); }
    TIdleWindowManager(const TIdleWindowManager&) = delete;
    TIdleWindowManager& operator=(const TIdleWindowManager&) = delete;

private:
    xcb_connection_t* FConnection;
};

TEST_F(XcbHostOnXvfb, AMinimiseAWindowManagerIgnoredEndsAtTheNextClickOrKey) {
    TIdleWindowManager manager(FServer.Display());
    THostSurface& surface = Open(TSurfaceKind::Normal, Bounds(100, 100, 200, 150), true, Red, "Ferma");
    ASSERT_TRUE(ScreenShows([&] { return FScreen->FindWindow("Ferma").has_value(); }));
    Drain();

    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "key" : "click");
        surface.Minimize();
        EXPECT_EQ(WaitFor(TKind::Restored, surface, 500).Kind, TKind::None) << "nobody answered yet";
        ASSERT_TRUE(FScreen->FindWindow("Ferma").has_value()) << "the window left the screen";
        if (byKey) {
            surface.TakeFocus();
            FHost->Sync();
            FScreen->PressKey("a");
        } else {
            FScreen->Click({150, 150});
        }
        const TKind input = byKey ? TKind::KeyDown : TKind::MouseDown;
        const THostEvent first = WaitUntil([&](const THostEvent& e) {
            return e.Surface == &surface && (e.Kind == TKind::Restored || e.Kind == input);
        });
        EXPECT_EQ(first.Kind, TKind::Restored) << "the input came first or not at all";
        EXPECT_EQ(WaitFor(input, surface).Kind, input);
        Drain();
    }
}

TEST_F(XcbHostOnXvfb, ClipboardTextMakesTheRoundTripThroughTheServer) {
    EXPECT_EQ(FHost->ScreenRect(), Rect(0, 0, 1280, 1024));
    EXPECT_EQ(FHost->WorkArea(), Rect(0, 0, 1280, 1024));
    const std::string text = "Palla di fuoco \xE2\x80\x99 livello 3";
    FHost->SetClipboardText(text);
    EXPECT_EQ(FHost->ClipboardText(), text);
    // Another program asks for it while the host answers.
    std::string theirs;
    std::thread other([&] { theirs = FScreen->ClipboardText(); });
    for (int i = 0; i < 20; ++i) FHost->WaitEvent(FHost->Now() + 50);
    other.join();
    EXPECT_EQ(theirs, text);
    for (int c = 0; c <= int(THostCursor::No); ++c) FHost->SetCursor(THostCursor(c));
}

TEST_F(XcbHostOnXvfb, OpenURLHandsTheAddressOverAsOneArgumentAndRefusesOptions) {
    // A stand-in for the desktop's handler, found first on PATH, writes down what it was given.
    const fs::path folder = fs::temp_directory_path() / ("vmr-open-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path handler = folder / "xdg-open";
    // It finds no program for mail addresses, as on a desktop without a mail client.
    std::ofstream(handler) << "#!/bin/sh\ncase \"$1\" in mailto:*) exit 3;; esac\n"
                              "printf '%s|' \"$@\" >> \"$0.log\"\necho >> \"$0.log\"\n";
    fs::permissions(handler, fs::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
    const auto calls = [log = folder / "xdg-open.log"] {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    };

    EXPECT_FALSE(FHost->OpenURL("--version"));
    EXPECT_FALSE(FHost->OpenURL("mailto:autore@example.org"));
    EXPECT_TRUE(FHost->OpenURL("https://example.org/a b?x=1&y=$(id)"));
    for (int i = 0; i < 500 && calls().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // room for a call that should not happen
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(calls(), std::vector<std::string>{"https://example.org/a b?x=1&y=$(id)|"});
    fs::remove_all(folder);
}

TEST_F(XcbHostOnXvfb, IdleLoopSleepsUntilTheDeadlineWithAndWithoutWindows) {
    for (const bool withWindow : {false, true}) {
        SCOPED_TRACE(withWindow ? "with a window" : "without windows");
        if (withWindow) Open(TSurfaceKind::Normal, Bounds(10, 10, 50, 50), true);
        Drain();
        const uint64_t wakeUps = FHost->WakeUps();
        const long switches = VoluntarySwitchesOfThisThread();
        const uint64_t start = FHost->Now();
        int strayEvents = 0;
        while (FHost->Now() < start + 300)
            if (FHost->WaitEvent(start + 300).Kind != TKind::None) ++strayEvents;
        EXPECT_LE(strayEvents, 2);
        EXPECT_LT(FHost->Now() - start, 1000u);
        EXPECT_LE(FHost->WakeUps() - wakeUps, 3u);
        // A loop that polled would have slept and woken hundreds of times in 300 ms.
        EXPECT_LE(VoluntarySwitchesOfThisThread() - switches, 10);
    }
}

TEST_F(XcbHostOnXvfb, WakeFromAnotherThreadEndsAnEndlessWaitAndCoalesces) {
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
