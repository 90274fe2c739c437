#pragma once
#include <string>
#include <sys/types.h>

// A virtual X server of its own for a test, on a display number it picks itself; it goes with this object,
// or with the test process should that die first.
class TXvfbServer {
public:
    TXvfbServer(int width, int height);
    ~TXvfbServer();
    TXvfbServer(const TXvfbServer&) = delete;
    TXvfbServer& operator=(const TXvfbServer&) = delete;

    bool Running() const { return !FDisplay.empty(); }
    // ":N" once running.
    const std::string& Display() const { return FDisplay; }
    // Why it is not running.
    const std::string& Failure() const { return FFailure; }

private:
    void Start(int width, int height);
    std::string ReadDisplayNumber(int fd);
    void Stop();

    pid_t FPid = -1;
    std::string FDisplay;
    std::string FFailure;
};
