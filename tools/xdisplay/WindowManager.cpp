#include "WindowManager.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Whether a window mapped now gets managed: one the manager framed is a child of its frame, not of the root.
// A map request sent while it still starts up may go unanswered, so the request is repeated.
bool ManagesNewWindows(const std::string& display, const std::function<bool()>& alive) {
    Display* x = XOpenDisplay(display.c_str());
    if (!x) return false;
    const Window root = DefaultRootWindow(x);
    const Window probe = XCreateSimpleWindow(x, root, 0, 0, 10, 10, 0, 0, 0);
    bool managed = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!managed && alive() && std::chrono::steady_clock::now() < deadline) {
        XMapWindow(x, probe);
        XSync(x, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Window rootOut = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(x, probe, &rootOut, &parent, &children, &count)) managed = parent != root;
        if (children) XFree(children);
    }
    XDestroyWindow(x, probe);
    XCloseDisplay(x);
    return managed;
}

} // namespace

TWindowManager::TWindowManager(const std::string& display) {
    FPid = fork();
    if (FPid == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        if (!freopen("/dev/null", "w", stderr)) _exit(126);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // A loaded machine may take seconds before it takes windows over.
    FManaging = FPid > 0 && ManagesNewWindows(display, [this] { return Alive(); });
}

TWindowManager::~TWindowManager() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    waitpid(FPid, nullptr, 0);
}

bool TWindowManager::Alive() const {
    int status = 0;
    if (FPid <= 0) return false;
    if (waitpid(FPid, &status, WNOHANG) == 0) return true;
    FPid = -1;
    return false;
}
