#include "classlib/data/RecordValues.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

TRecordValues::TRecordValues(int count) {
    TRecordPacker packer;
    packer.Begin(count, 0);
    for (int i = 0; i < count; ++i)
        packer.Add(std::nullopt);
    *this = packer.Finish();
}

uint32_t TRecordValues::Entry(int index) const {
    uint32_t entry;
    std::memcpy(&entry, FData.get() + size_t(index) * sizeof(uint32_t), sizeof entry);
    return entry;
}

std::string_view TRecordValues::Texts() const {
    size_t table = size_t(FCount) * sizeof(uint32_t);
    return std::string_view(FData.get() + table, FSize - table);
}

std::optional<std::string_view> TRecordValues::View(int index) const {
    uint32_t entry = Entry(index);
    if (entry & NullBit) return std::nullopt;
    uint32_t begin = index == 0 ? 0 : Entry(index - 1) & ~NullBit;
    return Texts().substr(begin, entry - begin);
}

TFieldValue TRecordValues::Get(int index) const {
    std::optional<std::string_view> view = View(index);
    return view ? TFieldValue(std::string(*view)) : std::nullopt;
}

void TRecordValues::Set(int index, const TFieldValue& value) {
    TRecordPacker packer;
    std::optional<std::string_view> old = View(index);
    packer.Begin(FCount, Texts().size() - (old ? old->size() : 0) + (value ? value->size() : 0));
    for (int i = 0; i < FCount; ++i) {
        packer.Add(i == index ? (value ? std::optional<std::string_view>(*value) : std::nullopt) : View(i));
    }
    *this = packer.Finish();
}

bool operator==(const TRecordValues& a, const TRecordValues& b) {
    if (a.FCount != b.FCount || a.FSize != b.FSize) return false;
    return a.FSize == 0 || std::memcmp(a.FData.get(), b.FData.get(), a.FSize) == 0;
}

void TRecordPacker::Restart() {
    std::erase_if(FBlocks, [](const TBlock& block) { return !block.Free(); });
    FBlock = NoBlock;
    FUsed = 0;
}

void TRecordPacker::NextBlock(size_t size) {
    for (size_t next = FBlock == NoBlock ? 0 : FBlock + 1; next < FBlocks.size(); ++next) {
        if (FBlocks[next].Free() && FBlocks[next].Size >= size) {
            FBlock = next;
            FUsed = 0;
            return;
        }
    }
    size_t blockSize = std::max({FMinBlockSize, size, size_t(1)});
    FBlocks.push_back({std::make_shared_for_overwrite<char[]>(blockSize), blockSize});
    FBlock = FBlocks.size() - 1;
    FUsed = 0;
}

void TRecordPacker::Begin(int count, size_t textBytes) {
    size_t table = size_t(count) * sizeof(uint32_t);
    if (textBytes >= TRecordValues::NullBit) throw EDatabaseError("A record is too large to keep in memory");
    if (FBlock == NoBlock || FBlocks[FBlock].Size - FUsed < table + textBytes) NextBlock(table + textBytes);
    FBegin = FUsed;
    FCount = count;
    FAdded = 0;
    FTextBytes = 0;
    FUsed += table;
    FEnd = FUsed + textBytes;
}

void TRecordPacker::Add(std::optional<std::string_view> value) {
    if (FAdded == FCount || (value && value->size() > FEnd - FUsed)) {
        throw std::logic_error("TRecordPacker: more values or text than the record was begun with");
    }
    char* block = FBlocks[FBlock].Data.get();
    if (value && !value->empty()) {
        std::memcpy(block + FUsed, value->data(), value->size());
        FUsed += value->size();
        FTextBytes += value->size();
    }
    uint32_t entry = uint32_t(FTextBytes) | (value ? 0 : TRecordValues::NullBit);
    std::memcpy(block + FBegin + size_t(FAdded++) * sizeof(uint32_t), &entry, sizeof entry);
}

TRecordValues TRecordPacker::Finish() {
    if (FAdded != FCount) throw std::logic_error("TRecordPacker: the record lacks values");
    TRecordValues values;
    values.FCount = FCount;
    values.FSize = FUsed - FBegin;
    const std::shared_ptr<char[]>& block = FBlocks[FBlock].Data;
    values.FData = std::shared_ptr<const char>(block, block.get() + FBegin);
    return values;
}
