#include "platform/host/DetachedProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

extern char** environ;

namespace {

class TSpawnSetup {
public:
    TSpawnSetup() {
        posix_spawn_file_actions_init(&FActions);
        posix_spawn_file_actions_addopen(&FActions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawnattr_init(&FAttributes);
        posix_spawnattr_setflags(&FAttributes, POSIX_SPAWN_SETSID);
    }
    ~TSpawnSetup() {
        posix_spawnattr_destroy(&FAttributes);
        posix_spawn_file_actions_destroy(&FActions);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    const posix_spawn_file_actions_t* Actions() const { return &FActions; }
    const posix_spawnattr_t* Attributes() const { return &FAttributes; }

private:
    posix_spawn_file_actions_t FActions;
    posix_spawnattr_t FAttributes;
};

// The child's end, as its reaper sees it.
struct TChildEnd {
    std::mutex Lock;
    std::condition_variable Came;
    std::optional<int> Status;
};

// The child is reaped in the background so that it never lingers as a zombie.
std::shared_ptr<TChildEnd> Reap(pid_t pid) {
    auto end = std::make_shared<TChildEnd>();
    std::thread([pid, end] {
        int status = 0;
        pid_t reaped = -1;
        // A signal handled meanwhile must not leave the child unreaped.
        do {
            reaped = waitpid(pid, &status, 0);
        } while (reaped < 0 && errno == EINTR);
        if (reaped != pid) status = 0;
        const std::lock_guard lock(end->Lock);
        end->Status = status;
        end->Came.notify_all();
    }).detach();
    return end;
}

bool EndedInFailure(TChildEnd& end, std::chrono::milliseconds patience) {
    std::unique_lock lock(end.Lock);
    end.Came.wait_for(lock, patience, [&] { return end.Status.has_value(); });
    return end.Status && !(WIFEXITED(*end.Status) && WEXITSTATUS(*end.Status) == 0);
}

} // namespace

bool SpawnDetached(const std::vector<std::string>& argv, std::chrono::milliseconds patience) {
    if (argv.empty()) return false;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const TSpawnSetup setup;
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], setup.Actions(), setup.Attributes(), args.data(), environ) != 0)
        return false;
    const std::shared_ptr<TChildEnd> end = Reap(pid);
    return patience.count() <= 0 || !EndedInFailure(*end, patience);
}
