#include "XvfbServer.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ReadyTimeoutMs = 15000;

[[noreturn]] void ExecXvfb(pid_t parent, int readyFd, std::vector<char*>& argv) {
    // Runs between fork and exec: async-signal-safe calls only.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(126);
    fcntl(readyFd, F_SETFD, 0);
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, 0);
    dup2(devNull, 1);
    dup2(devNull, 2);
    execvp(argv[0], argv.data());
    _exit(127);
}

} // namespace

TXvfbServer::TXvfbServer(int width, int height, const std::vector<std::string>& options) {
    Start(width, height, options);
}

TXvfbServer::~TXvfbServer() { Stop(); }

void TXvfbServer::Start(int width, int height, const std::vector<std::string>& options) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        FFailure = std::string("no pipe for Xvfb: ") + std::strerror(errno);
        return;
    }
    std::vector<std::string> args{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                  std::to_string(width) + "x" + std::to_string(height) + "x24",
                                  "-nolisten", "tcp", "-br", "-noreset"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    FPid = fork();
    if (FPid == 0) ExecXvfb(parent, fds[1], argv);
    close(fds[1]);
    if (FPid < 0) {
        FFailure = std::string("cannot fork for Xvfb: ") + std::strerror(errno);
        close(fds[0]);
        return;
    }
    const std::string number = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        Stop();
        return;
    }
    FDisplay = ":" + number;
}

// Xvfb writes its display number once it accepts connections.
std::string TXvfbServer::ReadDisplayNumber(int fd) {
    std::string number;
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int ready = poll(&p, 1, ReadyTimeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            FFailure = "Xvfb did not become ready within " + std::to_string(ReadyTimeoutMs) + " ms";
            return {};
        }
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            FFailure = "Xvfb could not start (is it installed?)";
            return {};
        }
        if (c == '\n') return number;
        number += c;
    }
}

void TXvfbServer::Stop() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    while (waitpid(FPid, nullptr, 0) < 0 && errno == EINTR) {
    }
    FPid = -1;
    FDisplay.clear();
}
