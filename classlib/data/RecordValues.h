#pragma once
#include "classlib/data/Field.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The values of one record packed in one block: a table of where each value ends (or that it is NULL),
// then the texts. A result of many thousand rows then costs one allocation per row.
class TRecordValues {
  public:
    TRecordValues() = default;
    // count NULL values.
    explicit TRecordValues(int count);

    int Count() const { return FCount; }
    std::optional<std::string_view> View(int index) const;
    TFieldValue Get(int index) const;
    void Set(int index, const TFieldValue& value);
    friend bool operator==(const TRecordValues&, const TRecordValues&) = default;

    // Fills a record value after value, in order: Reserve with the total length of the texts first.
    class TBuilder {
      public:
        TBuilder(int count, size_t textBytes);
        void Add(std::optional<std::string_view> value);
        TRecordValues Finish();

      private:
        std::string FData;
        int FCount;
        int FAdded = 0;
    };

  private:
    static constexpr uint32_t NullBit = 0x80000000u;
    uint32_t Entry(int index) const;
    size_t TextBegin() const { return size_t(FCount) * sizeof(uint32_t); }

    int FCount = 0;
    std::string FData;
};
