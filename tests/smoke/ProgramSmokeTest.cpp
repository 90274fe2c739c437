#include "XScreen.h"
#include "XvfbServer.h"

#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

    // Let it paint, then keep what the screen shows.
    std::this_thread::sleep_for(1500ms);
    const TSurface shot = FScreen->Grab(*window);
    SavePNGFile(shot, (fs::current_path() / "vmr-main-window.png").string());
    // The frame's black border and something more than one colour inside.
    EXPECT_EQ(shot.Pixel(0, shot.Height() / 2), 0x000000u);
    EXPECT_NE(shot.Pixel(100, 100), shot.Pixel(400, 300));

    program.Terminate();
    EXPECT_EQ(program.WaitExit(20s), std::optional<int>(0)) << program.Errors();
}

TEST_F(ProgramOnXvfb, AnEmptyFolderEndsWithTheErrorAndStaysEmpty) {
    TProgram program(Folder(), FServer.Display());
    // The error box shows; closing it ends the program.
    std::optional<int> status = program.WaitExit(3s);
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

} // namespace
