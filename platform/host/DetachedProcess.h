#pragma once
#include <string>
#include <vector>

// Starts `argv[0]` (looked up on PATH) with the arguments as they stand, no shell, in a session of its own
// and with standard input from /dev/null. Nobody waits for it, yet it leaves no zombie behind.
// Returns false when it could not be started.
bool SpawnDetached(const std::vector<std::string>& argv);
