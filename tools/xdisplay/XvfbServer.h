#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// A virtual X server of its own for a test, on a display number it picks itself; it goes with this object,
// or with the test process should that die first.
class TXvfbServer {
public:
    // `options` go to Xvfb after the usual ones ("-extension", "MIT-SHM" takes one away).
    TXvfbServer(int width, int height, const std::vector<std::string>& options = {});
    ~TXvfbServer();
    TXvfbServer(const TXvfbServer&) = delete;
    TXvfbServer& operator=(const TXvfbServer&) = delete;

    bool Running() const { return !FDisplay.empty(); }
    // ":N" once running.
    const std::string& Display() const { return FDisplay; }
    // Why it is not running.
    const std::string& Failure() const { return FFailure; }

private:
    void Start(int width, int height, const std::vector<std::string>& options);
    std::string ReadDisplayNumber(int fd);
    void Stop();

    pid_t FPid = -1;
    std::string FDisplay;
    std::string FFailure;
};
