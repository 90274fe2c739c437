#include "WindowManager.h"
#include "XScreen.h"
#include "XvfbServer.h"

#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdlib.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The program started in a folder of its own on the test's display, its error output kept in a file.
class TProgram {
  public:
    TProgram(const fs::path& folder, const std::string& display) : FErrors(folder.parent_path() / "stderr.txt") {
        FPid = fork();
        if (FPid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(126);
            setenv("DISPLAY", display.c_str(), 1);
            if (!freopen(FErrors.c_str(), "w", stderr)) _exit(126);
            execl(VMR_PROGRAM, "vmr", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~TProgram() {
        if (FPid > 0 && !FStatus) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
    }
    // The exit status once the program ended within the time, else nothing.
    std::optional<int> WaitExit(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!FStatus && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(FPid, &status, WNOHANG) == FPid)
                FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            else
                std::this_thread::sleep_for(20ms);
        }
        return FStatus;
    }
    void Terminate() const { kill(FPid, SIGTERM); }
    std::string Errors() const {
        std::ifstream in(FErrors);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

  private:
    pid_t FPid = -1;
    fs::path FErrors;
    std::optional<int> FStatus;
};

class ProgramOnXvfb : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!FServer.Running())
            GTEST_SKIP() << "Xvfb cannot start here, so the program's window cannot be checked: " << FServer.Failure();
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        std::string pattern = (fs::temp_directory_path() / "vmr-program-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FRoot = pattern;
        fs::create_directory(Folder());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(FRoot, ignored);
    }
    fs::path Folder() const { return FRoot / "lavoro"; }

    std::optional<TRect> WaitForWindow(const std::string& title, std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            if (std::optional<TRect> found = FScreen->FindWindow(title)) return found;
            if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
            std::this_thread::sleep_for(50ms);
        }
    }

    // Waits until what the area shows passes the test.
    bool WaitFor(const std::function<bool()>& test, std::chrono::milliseconds limit = 8s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!test()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }
    bool WaitForChange(const TRect& area, uint64_t before, std::chrono::milliseconds limit = 8s) {
        return WaitFor([&] { return FScreen->Fingerprint(area) != before; }, limit);
    }
    // Waits until the area has stopped changing, and returns what it shows.
    uint64_t Settled(const TRect& area) {
        uint64_t last = FScreen->Fingerprint(area);
        for (int still = 0; still < 6;) {
            std::this_thread::sleep_for(100ms);
            const uint64_t now = FScreen->Fingerprint(area);
            still = now == last ? still + 1 : 0;
            last = now;
        }
        return last;
    }

    TXvfbServer FServer{1280, 1024};
    std::unique_ptr<TXScreen> FScreen;
    fs::path FRoot;
};

TEST_F(ProgramOnXvfb, ShowsItsMainWindowOnTheSampleDatabase) {
    fs::copy_file(VMR_SAMPLE_DATABASE, Folder() / "Incantesimi.mdb");
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> window = WaitForWindow("Il Velmarune", 20s);
    ASSERT_TRUE(window) << program.Errors();
    EXPECT_EQ(window->Width(), 701);
    EXPECT_EQ(window->Height(), 562);

    // Once it has painted, keep what the screen shows.
    Settled(*window);
    const TSurface shot = FScreen->Grab(*window);
    SavePNGFile(shot, (fs::current_path() / "vmr-main-window.png").string());
    // The frame's black border and something more than one colour inside.
    EXPECT_EQ(shot.Pixel(0, shot.Height() / 2), 0x000000u);
    EXPECT_NE(shot.Pixel(100, 100), shot.Pixel(400, 300));

    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

TEST_F(ProgramOnXvfb, ALostDisplayEndsTheProgramWithTheReasonAndNoCrash) {
    fs::copy_file(VMR_SAMPLE_DATABASE, Folder() / "Incantesimi.mdb");
    auto server = std::make_unique<TXvfbServer>(1280, 1024);
    ASSERT_TRUE(server->Running()) << server->Failure();
    TProgram program(Folder(), server->Display());
    {
        const TXScreen screen(server->Display());
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!screen.FindWindow("Il Velmarune") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(screen.FindWindow("Il Velmarune")) << program.Errors();
    }
    server.reset();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(1)) << program.Errors();
    EXPECT_NE(program.Errors().find("The connection to the display was lost"), std::string::npos)
        << program.Errors();
}

TEST_F(ProgramOnXvfb, AnEmptyFolderEndsWithTheErrorAndStaysEmpty) {
    TProgram program(Folder(), FServer.Display());
    // The error is written and its box shows; closing the box ends the program.
    const std::string missing = (fs::weakly_canonical(Folder()) / "Incantesimi.mdb").string();
    EXPECT_TRUE(WaitFor([&] { return program.Errors().find(missing) != std::string::npos; }, 20s))
        << program.Errors();
    std::optional<int> status = program.WaitExit(1s);
    if (!status) {
        program.Terminate();
        status = program.WaitExit(20s);
    }
    ASSERT_TRUE(status);
    EXPECT_NE(*status, 0);
    EXPECT_NE(program.Errors().find((fs::canonical(Folder()) / "Incantesimi.mdb").string()), std::string::npos)
        << program.Errors();
    EXPECT_TRUE(fs::is_empty(Folder()));
    EXPECT_FALSE(FScreen->FindWindow("Il Velmarune"));
}


// The program driven as a user would, through the X server's own input, with and without a window manager.
class ProgramOnTheDesktop : public ProgramOnXvfb, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        ProgramOnXvfb::SetUp();
        if (IsSkipped()) return;
        if (GetParam()) {
            FManager = std::make_unique<TWindowManager>(FServer.Display());
            if (!FManager->Running()) GTEST_SKIP() << "openbox does not run here";
        }
        fs::copy_file(VMR_SAMPLE_DATABASE, Folder() / "Incantesimi.mdb");
    }
    void TearDown() override {
        FManager.reset();
        ProgramOnXvfb::TearDown();
    }
    void Shot(const TRect& area, const std::string& name) {
        SavePNGFile(FScreen->Grab(area), (fs::current_path() / (name + (GetParam() ? "-openbox" : "-bare") + ".png")).string());
    }

    std::unique_ptr<TWindowManager> FManager;
};

constexpr const char* MainTitle = "Il Velmarune";

TEST_P(ProgramOnTheDesktop, MenusAndListsWorkAsAUserDrivesThem) {
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> found = WaitForWindow(MainTitle, 20s);
    ASSERT_TRUE(found) << program.Errors();
    const TPoint w = found->TopLeft();
    auto at = [&](int x, int y) { return w + TPoint{x, y}; };
    const TRect gridRow = Bounds(w.X + 212, w.Y + 298, 460, 18);
    const TRect title = Bounds(w.X + 200, w.Y + 40, 400, 30);
    const uint64_t emptyRow = Settled(gridRow);
    Settled(*found);

    // A double-click on a spell adds it to the selection grid.
    FScreen->DoubleClick(at(60, 129));
    ASSERT_TRUE(WaitForChange(gridRow, emptyRow)) << "the spell never reached the selection";
    const uint64_t fullRow = Settled(gridRow);

    // A right-click on the row shows the popup menu; its first item removes the row.
    const TPoint rightClick = at(400, 306);
    const TRect menuArea = Bounds(rightClick.X + 2, rightClick.Y + 2, 120, 40);
    const uint64_t noMenu = FScreen->Fingerprint(menuArea);
    FScreen->Click(rightClick, 3);
    ASSERT_TRUE(WaitForChange(menuArea, noMenu)) << "no popup menu showed";
    Settled(menuArea);
    Shot(Bounds(rightClick.X - 20, rightClick.Y - 20, 200, 100), "vmr-popup");
    FScreen->Click(rightClick + TPoint{40, 13});
    EXPECT_TRUE(WaitFor([&] { return FScreen->Fingerprint(gridRow) == emptyRow; }))
        << "\"Cancella selezione\" left the row";
    EXPECT_NE(fullRow, emptyRow);

    // The title bar's system menu opens under its icon, and Escape closes it.
    const TRect systemMenu = Bounds(w.X + 4, w.Y + 24, 150, 60);
    const uint64_t noSystemMenu = Settled(systemMenu);
    FScreen->Click(at(10, 11));
    EXPECT_TRUE(WaitForChange(systemMenu, noSystemMenu)) << "the system menu did not open";
    Shot(Bounds(w.X, w.Y, 250, 200), "vmr-system-menu");
    FScreen->PressKey("Escape");
    EXPECT_TRUE(WaitFor([&] { return FScreen->Fingerprint(systemMenu) == noSystemMenu; }))
        << "the system menu stayed";

    // The class's drop-down list opens and closes.
    const TRect dropArea = Bounds(w.X + 6, w.Y + 70, 170, 40);
    const uint64_t closedList = Settled(dropArea);
    FScreen->Click(at(174, 57));
    EXPECT_TRUE(WaitForChange(dropArea, closedList)) << "the drop-down list did not open";
    FScreen->Click(at(174, 57));
    EXPECT_TRUE(WaitFor([&] { return FScreen->Fingerprint(dropArea) == closedList; }))
        << "the drop-down list did not close";
    // A click still chooses a spell.
    const uint64_t before = Settled(title);
    FScreen->Click(at(60, 142));
    EXPECT_TRUE(WaitForChange(title, before)) << "after the menus a click on the spell list was ignored";
    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

TEST_P(ProgramOnTheDesktop, KeysReachTheFocusedControlAfterADropDownAndAltF4Closes) {
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> found = WaitForWindow(MainTitle, 20s);
    ASSERT_TRUE(found) << program.Errors();
    const TPoint w = found->TopLeft();
    auto at = [&](int x, int y) { return w + TPoint{x, y}; };
    const TRect title = Bounds(w.X + 200, w.Y + 40, 400, 30);
    Settled(*found);

    // After a drop-down list opens and closes, a click on the spell list and a typed letter reach it: the
    // list jumps to the first spell with that letter, and the description shows it.
    const TRect dropArea = Bounds(w.X + 6, w.Y + 70, 170, 40);
    const uint64_t closedList = Settled(dropArea);
    const uint64_t first = Settled(title);
    FScreen->Click(at(174, 57));
    ASSERT_TRUE(WaitForChange(dropArea, closedList)) << "the drop-down list did not open";
    FScreen->Click(at(174, 57));
    ASSERT_TRUE(WaitFor([&] { return FScreen->Fingerprint(dropArea) == closedList; })) << "the list stayed open";
    FScreen->Click(at(60, 142));
    ASSERT_TRUE(WaitForChange(title, first)) << "the click on the spell list was ignored";
    const uint64_t clicked = Settled(title);
    FScreen->PressKey("m");
    EXPECT_TRUE(WaitForChange(title, clicked)) << "the typed letter did not reach the spell list";

    // Alt+F4 closes the program.
    Settled(title);
    FScreen->PressKey("F4", {"Alt_L"});
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

TEST_P(ProgramOnTheDesktop, MinimiseAndRestoreKeepTheWindowUsable) {
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> found = WaitForWindow(MainTitle, 20s);
    ASSERT_TRUE(found) << program.Errors();
    const TPoint w = found->TopLeft();
    auto at = [&](int x, int y) { return w + TPoint{x, y}; };
    const TRect title = Bounds(w.X + 200, w.Y + 40, 400, 30);
    Settled(*found);

    const uint64_t first = Settled(title);

    // Minimised, the window leaves the screen where a window manager carries it out, else it stays there; either
    // way, once it shows again (and the manager has made it the active window) clicks on the spell list count.
    FScreen->Click(at(651, 11));
    if (GetParam()) {
        ASSERT_TRUE(WaitFor([&] { return !FScreen->FindWindow(MainTitle); })) << "openbox did not minimise it";
        ASSERT_TRUE(FScreen->ActivateWindow(MainTitle));
        ASSERT_TRUE(WaitFor([&] { return FScreen->FindWindow(MainTitle) && FScreen->IsActive(MainTitle); }))
            << "the window did not come back";
    } else {
        std::this_thread::sleep_for(1s);
        ASSERT_TRUE(FScreen->FindWindow(MainTitle)) << "the window left the screen with nobody to bring it back";
    }
    FScreen->Click(at(60, 155));
    ASSERT_TRUE(WaitForChange(title, first)) << "after minimising, the first click on the spell list was ignored";
    const uint64_t before = Settled(title);
    FScreen->Click(at(60, 181));
    EXPECT_TRUE(WaitForChange(title, before)) << "after minimising, a click on the spell list was ignored";

    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

// Places in the main window at its first size (701 x 562): the "?" button in the bottom-right corner and the
// selection grid's scroll bar.
constexpr TRect CornerButton{648, 527, 682, 558};
constexpr int CornerButtonRight = 701 - CornerButton.Right, CornerButtonBottom = 562 - CornerButton.Bottom;
constexpr TRect GridScrollBar{681, 292, 695, 524};

bool SamePixels(const TSurface& a, const TSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

TEST_P(ProgramOnTheDesktop, ASizeFromOutsideLaysTheWindowOutForItAndTheEdgesStillSize) {
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> found = WaitForWindow(MainTitle, 20s);
    ASSERT_TRUE(found) << program.Errors();
    const TPoint w = found->TopLeft();
    Settled(*found);
    const TSurface button = FScreen->Grab(CornerButton.Offsetted(w.X, w.Y));
    // The "?" button keeps its place from the corner of a window of `size`, with the frame's border round it.
    auto laidOutFor = [&](TSize size) {
        const std::optional<TRect> now = FScreen->FindWindow(MainTitle);
        if (!now || now->Size() != size) return false;
        const TRect place = Bounds(now->Right - CornerButtonRight - CornerButton.Width(),
                                   now->Bottom - CornerButtonBottom - CornerButton.Height(), CornerButton.Width(),
                                   CornerButton.Height());
        return SamePixels(FScreen->Grab(place), button) &&
               FScreen->PixelAt({now->Right - 1, now->Top + size.cy / 2}) == 0x000000u &&
               FScreen->PixelAt({now->Left + size.cx / 2, now->Bottom - 1}) == 0x000000u;
    };

    ASSERT_TRUE(FScreen->ResizeWindow(MainTitle, 900, 700));
    EXPECT_TRUE(WaitFor([&] { return laidOutFor({900, 700}); })) << "not laid out for 900 x 700";
    Shot(Bounds(w.X, w.Y, 900, 700), "vmr-resized");

    // The sizing edge at the new corner still sizes the window.
    const TPoint corner = w + TPoint{899, 699};
    Settled(Bounds(w.X, w.Y, 900, 700));
    FScreen->Drag(corner, corner - TPoint{100, 50});
    EXPECT_TRUE(WaitFor([&] { return laidOutFor({800, 650}); })) << "the corner did not size the window";

    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

TEST_P(ProgramOnTheDesktop, AfterMaximiseAndRestoreTheGridShowsItsScrollBarAndTheWheelScrollsIt) {
    TProgram program(Folder(), FServer.Display());
    const std::optional<TRect> found = WaitForWindow(MainTitle, 20s);
    ASSERT_TRUE(found) << program.Errors();
    const TPoint w = found->TopLeft();
    auto at = [&](int x, int y) { return w + TPoint{x, y}; };
    const TRect bar = GridScrollBar.Offsetted(w.X, w.Y);
    const TRect title = Bounds(w.X + 200, w.Y + 40, 400, 30);
    Settled(*found);

    // Three spells in the selection; the grid's first row current, then the spell list focused.
    const TRect rows = Bounds(w.X + 212, w.Y + 298, 460, 220);
    for (int row : {129, 142, 155}) {
        const uint64_t before = Settled(rows);
        FScreen->DoubleClick(at(60, row));
        ASSERT_TRUE(WaitForChange(rows, before)) << "the spell never reached the selection";
    }
    const uint64_t lastAdded = Settled(title);
    FScreen->Click(at(400, 306));
    FScreen->Click(at(60, 181));
    ASSERT_TRUE(WaitForChange(title, lastAdded)) << "the click on the spell list was ignored";
    const uint64_t spell = Settled(title);
    Settled(*found);
    const TSurface shown = FScreen->Grab(bar);

    // Maximised by its button and restored by it again.
    FScreen->Click(at(671, 11));
    ASSERT_TRUE(WaitFor([&] { return FScreen->FindWindow(MainTitle).value_or(TRect{}).Width() > 701; }))
        << "no maximise";
    const TRect maximised = *FScreen->FindWindow(MainTitle);
    Settled(maximised);
    FScreen->Click({maximised.Right - 30, maximised.Top + 11});
    ASSERT_TRUE(WaitFor([&] { return FScreen->FindWindow(MainTitle) == found; })) << "no restore";
    Settled(*found);
    Shot(*found, "vmr-restored");
    EXPECT_TRUE(SamePixels(FScreen->Grab(bar), shown)) << "the grid's scroll bar is not painted as before";

    // The wheel over the grid moves its current row (the thumb goes down), not the focused spell list.
    FScreen->Click(at(400, 400), 5);
    EXPECT_TRUE(WaitFor([&] { return !SamePixels(FScreen->Grab(bar), shown); })) << "the wheel did not scroll the grid";
    EXPECT_EQ(Settled(title), spell);

    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

INSTANTIATE_TEST_SUITE_P(Desktop, ProgramOnTheDesktop, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "UnderOpenbox" : "WithoutWindowManager"; });

} // namespace
