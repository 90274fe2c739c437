#pragma once
#include "platform/Geometry.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// A list of rectangles that keeps the first few in place: most regions are one rectangle or a handful, and
// painting makes and drops many of them, so they are made without the heap.
class TRectList {
public:
    using value_type = TRect;
    using iterator = TRect*;
    using const_iterator = const TRect*;
    static constexpr size_t InPlace = 4;

    TRectList() = default;
    TRectList(const TRectList& o) { Append(o.begin(), o.end()); }
    TRectList(TRectList&& o) noexcept { TakeFrom(o); }
    TRectList& operator=(const TRectList& o) {
        if (this != &o) {
            clear();
            Append(o.begin(), o.end());
        }
        return *this;
    }
    TRectList& operator=(TRectList&& o) noexcept {
        if (this != &o) {
            FHeap.reset();
            FCapacity = InPlace;
            TakeFrom(o);
        }
        return *this;
    }

    TRect* data() { return FHeap ? FHeap.get() : FPlace; }
    const TRect* data() const { return FHeap ? FHeap.get() : FPlace; }
    TRect* begin() { return data(); }
    TRect* end() { return data() + FSize; }
    const TRect* begin() const { return data(); }
    const TRect* end() const { return data() + FSize; }
    size_t size() const { return FSize; }
    bool empty() const { return FSize == 0; }
    TRect& operator[](size_t i) { return data()[i]; }
    const TRect& operator[](size_t i) const { return data()[i]; }
    const TRect& front() const { return data()[0]; }
    const TRect& back() const { return data()[FSize - 1]; }

    void clear() { FSize = 0; }
    void Truncate(size_t count) { FSize = std::min(FSize, count); }
    void push_back(const TRect& r) {
        Reserve(FSize + 1);
        data()[FSize++] = r;
    }
    void Append(const TRect* first, const TRect* last) {
        const size_t count = size_t(last - first);
        Reserve(FSize + count);
        std::copy(first, last, data() + FSize);
        FSize += count;
    }

    friend bool operator==(const TRectList& a, const TRectList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const TRectList& a, const std::vector<TRect>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    void Reserve(size_t wanted) {
        if (wanted <= FCapacity) return;
        const size_t capacity = std::max(wanted, FCapacity * 2);
        auto heap = std::make_unique_for_overwrite<TRect[]>(capacity);
        std::copy(begin(), end(), heap.get());
        FHeap = std::move(heap);
        FCapacity = capacity;
    }
    // Takes a heap block over as it is; rectangles in place are copied.
    void TakeFrom(TRectList& o) {
        if (o.FHeap) {
            FHeap = std::move(o.FHeap);
            FCapacity = o.FCapacity;
        } else {
            std::copy(o.FPlace, o.FPlace + o.FSize, FPlace);
        }
        FSize = o.FSize;
        o.FSize = 0;
        o.FCapacity = InPlace;
    }

    std::unique_ptr<TRect[]> FHeap;
    size_t FSize = 0;
    size_t FCapacity = InPlace;
    TRect FPlace[InPlace];
};
