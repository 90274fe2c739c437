#pragma once
#include "classlib/data/Field.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The values of one record packed in one block: a table of where each value ends (or that it is NULL),
// then the texts. Copies share the block; changing a value gives the record a block of its own.
class TRecordValues {
  public:
    TRecordValues() = default;
    // count NULL values.
    explicit TRecordValues(int count);

    int Count() const { return FCount; }
    std::optional<std::string_view> View(int index) const;
    TFieldValue Get(int index) const;
    void Set(int index, const TFieldValue& value);
    friend bool operator==(const TRecordValues& a, const TRecordValues& b);

  private:
    friend class TRecordPacker;
    static constexpr uint32_t NullBit = 0x80000000u;
    uint32_t Entry(int index) const;
    std::string_view Texts() const;

    int FCount = 0;
    size_t FSize = 0;
    std::shared_ptr<const char> FData;
};

// Packs records one after another into shared blocks, so that reading a result of many thousand rows costs
// an allocation per block of rows, not per row. A packer that reads result after result keeps its blocks:
// Restart reuses those that no record holds any more, so a requery allocates nothing.
class TRecordPacker {
  public:
    // Blocks of at least blockSize bytes; 0 packs each record into a block of its own size.
    explicit TRecordPacker(size_t blockSize = 0) : FMinBlockSize(blockSize) {}
    // Packs from the first block again, keeping only the blocks no record holds.
    void Restart();
    // Starts a record of count values whose texts take textBytes in all; Add each value in order, then
    // Finish.
    void Begin(int count, size_t textBytes);
    void Add(std::optional<std::string_view> value);
    TRecordValues Finish();

  private:
    // Moves to a block with room for size bytes: the next free one, or a new one.
    void NextBlock(size_t size);

    struct TBlock {
        std::shared_ptr<char[]> Data;
        size_t Size;
        // Only the packer holds it: its records are gone.
        bool Free() const { return Data.use_count() == 1; }
    };

    size_t FMinBlockSize;
    std::vector<TBlock> FBlocks;
    // The block being filled (an index into FBlocks, or none) and how much of it is used.
    size_t FBlock = NoBlock;
    size_t FUsed = 0;
    // The record being packed: where it begins in the block, its values, those added, its text bytes,
    // where its texts must end.
    size_t FBegin = 0;
    int FCount = 0;
    int FAdded = 0;
    size_t FTextBytes = 0;
    size_t FEnd = 0;
    static constexpr size_t NoBlock = size_t(-1);
};
