#pragma once
#include <string>
#include <sys/types.h>

// A window manager of Debian's (openbox) on a test's display, for as long as the object lives.
class TWindowManager {
public:
    // Returns once it manages the screen, or once it is clear that it will not.
    explicit TWindowManager(const std::string& display);
    ~TWindowManager();
    TWindowManager(const TWindowManager&) = delete;
    TWindowManager& operator=(const TWindowManager&) = delete;

    // Alive and managing the screen.
    bool Running() const { return FManaging && Alive(); }

private:
    bool Alive() const;

    // Forgotten once reaped: the system may give the number to another process, which must not be signalled.
    mutable pid_t FPid = -1;
    bool FManaging = false;
};
