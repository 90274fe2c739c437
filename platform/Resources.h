#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Files embedded into the binary at build time, found by name without regard to case.
struct TResourceEntry {
    const char* Name;
    const uint8_t* Data;
    size_t Size;
};

// Each generated bundle registers its table once at start-up (see cmake/VmrResources.cmake).
void RegisterResources(const TResourceEntry* entries, size_t count);
bool HasResource(std::string_view name);
// Raises EResNotFound naming the resource when no bundle has it.
std::span<const uint8_t> FindResource(std::string_view name);
