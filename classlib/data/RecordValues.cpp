#include "classlib/data/RecordValues.h"

#include "platform/Exception.h"

#include <cstring>

TRecordValues::TRecordValues(int count) {
    TBuilder builder(count, 0);
    for (int i = 0; i < count; ++i)
        builder.Add(std::nullopt);
    *this = builder.Finish();
}

uint32_t TRecordValues::Entry(int index) const {
    uint32_t entry;
    std::memcpy(&entry, FData.data() + size_t(index) * sizeof(uint32_t), sizeof entry);
    return entry;
}

std::optional<std::string_view> TRecordValues::View(int index) const {
    uint32_t entry = Entry(index);
    if (entry & NullBit) return std::nullopt;
    uint32_t begin = index == 0 ? 0 : Entry(index - 1) & ~NullBit;
    return std::string_view(FData).substr(TextBegin() + begin, entry - begin);
}

TFieldValue TRecordValues::Get(int index) const {
    std::optional<std::string_view> view = View(index);
    return view ? TFieldValue(std::string(*view)) : std::nullopt;
}

void TRecordValues::Set(int index, const TFieldValue& value) {
    TBuilder builder(FCount, FData.size() - TextBegin() + (value ? value->size() : 0));
    for (int i = 0; i < FCount; ++i) {
        builder.Add(i == index ? (value ? std::optional<std::string_view>(*value) : std::nullopt) : View(i));
    }
    *this = builder.Finish();
}

TRecordValues::TBuilder::TBuilder(int count, size_t textBytes) : FCount(count) {
    FData.reserve(size_t(count) * sizeof(uint32_t) + textBytes);
    FData.resize(size_t(count) * sizeof(uint32_t));
}

void TRecordValues::TBuilder::Add(std::optional<std::string_view> value) {
    size_t textBegin = size_t(FCount) * sizeof(uint32_t);
    if (value) FData.append(*value);
    if (FData.size() - textBegin >= NullBit) throw EDatabaseError("A record is too large to keep in memory");
    uint32_t entry = uint32_t(FData.size() - textBegin) | (value ? 0 : NullBit);
    std::memcpy(FData.data() + size_t(FAdded++) * sizeof(uint32_t), &entry, sizeof entry);
}

TRecordValues TRecordValues::TBuilder::Finish() {
    TRecordValues values;
    values.FCount = FCount;
    values.FData = std::move(FData);
    return values;
}
