#pragma once
#include <string>

// Why a file operation failed, in the user's words: the system error number in Italian.
std::string SystemReason(int error);
