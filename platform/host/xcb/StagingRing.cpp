#include "platform/host/xcb/StagingRing.h"

#include <algorithm>

std::optional<size_t> TStagingRing::Claim(size_t bytes) {
    if (bytes > FCapacity) return std::nullopt;
    // With nothing left to read it starts over, and stays in the memory it has written.
    const size_t begin = FUnread.empty() || FHead + bytes > FCapacity ? 0 : FHead;
    if (Unread(begin, begin + bytes)) return std::nullopt;
    FUnread.push_back({begin, begin + bytes});
    FHead = begin + bytes;
    return begin;
}

void TStagingRing::Read(size_t offset) {
    const auto it = std::find_if(FUnread.begin(), FUnread.end(), [offset](const TPiece& p) { return p.Begin == offset; });
    if (it != FUnread.end()) FUnread.erase(FUnread.begin(), it + 1);
}

bool TStagingRing::Unread(size_t begin, size_t end) const {
    return std::any_of(FUnread.begin(), FUnread.end(),
                       [&](const TPiece& p) { return p.Begin < end && begin < p.End; });
}
