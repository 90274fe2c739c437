#include "platform/Resources.h"

#include "platform/Exception.h"

#include <unordered_map>

namespace {

// Resource names compare without regard to ASCII letter case, as the names in layouts and code differ in
// case.
std::string FoldCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return folded;
}

std::unordered_map<std::string, std::span<const uint8_t>>& Registry() {
    static std::unordered_map<std::string, std::span<const uint8_t>> registry;
    return registry;
}

} // namespace

void RegisterResources(const TResourceEntry* entries, size_t count) {
    for (const TResourceEntry& entry : std::span(entries, count)) {
        const std::span<const uint8_t> data(entry.Data, entry.Size);
        const auto [it, added] = Registry().emplace(FoldCase(entry.Name), data);
        // The same table registered twice is harmless; two different resources under one name are not.
        if (!added && (it->second.data() != data.data() || it->second.size() != data.size()))
            throw EInvalidOperation(std::string("Resource ") + entry.Name + " is embedded twice");
    }
}

bool HasResource(std::string_view name) {
    return Registry().contains(FoldCase(name));
}

std::span<const uint8_t> FindResource(std::string_view name) {
    const auto it = Registry().find(FoldCase(name));
    if (it == Registry().end()) throw EResNotFound("Resource " + std::string(name) + " not found");
    return it->second;
}
