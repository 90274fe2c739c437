#include "platform/host/DetachedProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Children of this process still in the process table, zombies included.
int ChildCount() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // pid (comm) state ppid ...: the name may hold spaces, so read after its last parenthesis.
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid()) ++count;
    }
    return count;
}

template <class TCondition> bool Eventually(TCondition condition) {
    for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

TEST(DetachedProcess, RunsWithoutAShellAndLeavesNoZombie) {
    const fs::path folder = fs::temp_directory_path() / ("vmr-spawn-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path file = folder / "a b;touch c";
    ASSERT_TRUE(SpawnDetached({"touch", file.string()}));
    EXPECT_TRUE(Eventually([&] { return fs::exists(file); }));
    EXPECT_FALSE(fs::exists(folder / "c")); // nobody read the name as a command line
    EXPECT_TRUE(Eventually([] { return ChildCount() == 0; }));
    fs::remove_all(folder);

    EXPECT_FALSE(SpawnDetached({"vmr-no-such-program-anywhere"}));
    EXPECT_FALSE(SpawnDetached({}));
}

TEST(DetachedProcess, WithPatienceAFailureAtOnceIsReportedAndAProgramThatRunsOnIsStarted) {
    using namespace std::chrono_literals;
    EXPECT_FALSE(SpawnDetached({"sh", "-c", "exit 3"}, 10s));
    EXPECT_FALSE(SpawnDetached({"sh", "-c", "kill -TERM $$"}, 10s));
    EXPECT_TRUE(SpawnDetached({"true"}, 10s));
    EXPECT_TRUE(SpawnDetached({"sleep", "1"}, 50ms));
    EXPECT_TRUE(Eventually([] { return ChildCount() == 0; }));
}

} // namespace
