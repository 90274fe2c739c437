#include "ThemeFileBuilder.h"

#include "classlib/Streams.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "skin/TAVThemeFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>

namespace {

using B = TThemeFileBuilder;

// What a theme file holds, as lines; an image line carries its bytes in hex.
struct TParsed {
    std::vector<std::string> Images, Integers, Booleans, Strings;
    friend bool operator==(const TParsed&, const TParsed&) = default;
    friend void PrintTo(const TParsed& p, std::ostream* os) {
        for (const auto* list : {&p.Images, &p.Integers, &p.Booleans, &p.Strings}) {
            *os << "[";
            for (const std::string& line : *list)
                *os << ::testing::PrintToString(line) << " ";
            *os << "] ";
        }
    }
};

std::string Hex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < size; ++i)
        s += {digits[data[i] >> 4], digits[data[i] & 15]};
    return s;
}

// The format read the plain way: bytes past the end are zeros, the header is 24 bytes, a truncated or
// repeated entry ends the chain, values take at most 4 or 1 bytes, image data must lie within the file, and
// images and texts together hold no more bytes than the file.
// nullopt: the file must be refused with "Stream read error".
std::optional<TParsed> ReferenceParse(const std::vector<uint8_t>& file) {
    const uint64_t size = file.size();
    auto byte = [&](uint64_t at) -> uint32_t { return at < size ? file[at] : 0; };
    auto u32 = [&](uint64_t at) {
        return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
    };
    TParsed parsed;
    uint64_t held = 0;
    std::set<uint64_t> seen;
    for (uint64_t at = u32(20); at + 77 <= size && seen.insert(at).second;) {
        std::string name;
        for (uint64_t i = at; i < at + 64 && file[i] != 0; ++i)
            name += char(file[i]);
        const uint64_t data = u32(at + 65), length = u32(at + 69), next = u32(at + 73);
        if (next == 0) break;
        switch (byte(at + 64)) {
        case 0:
            if (data + length > size || held + length > size) return std::nullopt;
            held += length;
            parsed.Images.push_back(name + ":" + Hex(file.data() + data, length));
            break;
        case 1: {
            uint32_t value = 0;
            for (uint64_t i = 0; i < std::min<uint64_t>(length, 4); ++i)
                value |= byte(data + i) << (8 * i);
            parsed.Integers.push_back(name + "=" + std::to_string(int32_t(value)));
            break;
        }
        case 2:
            parsed.Booleans.push_back(name + "=" + std::to_string(length >= 1 ? byte(data) : 0));
            break;
        case 3: {
            std::string text;
            for (uint64_t i = data; i < size && i < data + length; ++i)
                text += char(file[i]);
            if (held + text.size() > size) return std::nullopt;
            held += text.size();
            parsed.Strings.push_back(name + "=" + text);
            break;
        }
        }
        at = next;
    }
    return parsed;
}

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

TParsed ReaderLists(const TtavThemeFileReader& reader) {
    TParsed parsed{{}, Lines(reader.Integers()), Lines(reader.Booleans()), Lines(reader.Texts())};
    for (int i = 0; i < reader.Images().Count(); ++i) {
        auto* stream = static_cast<TMemoryStream*>(reader.Images().Objects(i));
        parsed.Images.push_back(reader.Images().Strings(i) + ":" +
                                Hex(stream->Memory(), size_t(stream->Size())));
    }
    return parsed;
}

std::vector<std::vector<uint8_t>> Seeds() {
    B smallest;
    smallest.PutEntry(24, {"FormBorderColor", B::Integer, 178, 4, 101});
    smallest.PutEntry(101, {"", B::Integer, 0, 0, 0});
    smallest.PutBytes(178, B::Int32(0x7F7F7F));
    const B mixed = B::Chain({
        {"ButtonImage", B::Image, EncodeBMP(TSurface(3, 2, 0xFF00FF))},
        {"FormBorderWidthInt", B::Integer, B::Int32(3)},
        {"ButtonTransparentBool", B::Boolean, {1}},
        {"Author", B::String, B::Text("someone")},
    });
    B loop;
    loop.PutEntry(24, {"A", B::Integer, 178, 4, 101});
    loop.PutEntry(101, {"B", B::Boolean, 178, 1, 24});
    loop.PutBytes(178, B::Int32(-2));
    return {smallest.Bytes, mixed.Bytes, loop.Bytes};
}

void Mutate(std::vector<uint8_t>& bytes, std::mt19937& rng) {
    auto pick = [&](size_t n) { return size_t(rng() % std::max<size_t>(n, 1)); };
    static const uint32_t interesting[] = {0, 1, 4, 24, 77, 101, 178, 0x7FFFFFFF, 0xFFFFFFFF, 0xFFFFFFB3};
    switch (rng() % 5) {
    case 0:
        if (!bytes.empty()) bytes[pick(bytes.size())] ^= uint8_t(1u << (rng() % 8));
        break;
    case 1:
        if (!bytes.empty()) bytes[pick(bytes.size())] = uint8_t(rng());
        break;
    case 2: {
        // A 4-byte field: an offset, a size or a next link.
        uint32_t value =
            rng() % 2 ? interesting[pick(std::size(interesting))] : uint32_t(pick(bytes.size() + 80));
        const size_t at = pick(bytes.size());
        for (int i = 0; i < 4 && at + size_t(i) < bytes.size(); ++i)
            bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
        break;
    }
    case 3:
        bytes.resize(pick(bytes.size() + 1));
        break;
    default:
        for (size_t n = pick(100); n > 0; --n)
            bytes.push_back(uint8_t(rng()));
    }
}

TEST(ThemeFileFuzz, MutatedFilesParseLikeTheReferenceOrAreRefused) {
    const auto seeds = Seeds();
    std::mt19937 rng(20261209);
    int refused = 0, parsed = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::vector<uint8_t> bytes = seeds[size_t(iteration) % seeds.size()];
        for (int n = 1 + int(rng() % 4); n > 0; --n)
            Mutate(bytes, rng);
        TMemoryStream file;
        file.WriteBuffer(bytes.data(), int64_t(bytes.size()));

        const std::optional<TParsed> expected = ReferenceParse(bytes);
        try {
            TtavThemeFileReader reader(file);
            ASSERT_TRUE(expected.has_value()) << "accepted, iteration " << iteration;
            ASSERT_EQ(ReaderLists(reader), *expected) << "iteration " << iteration;
            ++parsed;
        } catch (const EReadError& e) {
            ASSERT_FALSE(expected.has_value()) << "refused, iteration " << iteration;
            ASSERT_STREQ(e.what(), "Stream read error");
            ++refused;
        }
    }
    // Both outcomes were reached, so the comparison saw each of them.
    EXPECT_GT(parsed, 1000);
    EXPECT_GT(refused, 10);
}

} // namespace
