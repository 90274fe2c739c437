#pragma once
#include <chrono>
#include <string>
#include <vector>

// Starts `argv[0]` (looked up on PATH) with the arguments as they stand, no shell, in a session of its own
// and with standard input from /dev/null. Nobody waits for it, yet it leaves no zombie behind.
// Returns false when it could not be started, or when it failed within `patience`: a launcher that finds
// nothing to hand its argument to says so at once, while one that runs on has done its part.
bool SpawnDetached(const std::vector<std::string>& argv, std::chrono::milliseconds patience = {});
