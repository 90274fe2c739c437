#pragma once
#include <cstddef>
#include <deque>
#include <optional>

// Places pieces of uploads one after another round a buffer that the server reads at its own pace. A place
// is free again once the server has read the piece there; pieces are read in the order they were placed.
class TStagingRing {
public:
    explicit TStagingRing(size_t capacity) : FCapacity(capacity) {}

    size_t Capacity() const { return FCapacity; }
    // Takes room for `bytes` (one up to the capacity) and returns where it starts; nothing while part of the
    // room it needs still waits to be read.
    std::optional<size_t> Claim(size_t bytes);
    // The server read the piece that starts at `offset`, and so every piece placed before it.
    void Read(size_t offset);
    bool Idle() const { return FUnread.empty(); }

private:
    struct TPiece {
        size_t Begin, End;
    };
    bool Unread(size_t begin, size_t end) const;

    size_t FCapacity;
    size_t FHead = 0;
    std::deque<TPiece> FUnread; // oldest first
};
