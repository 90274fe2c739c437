#pragma once
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Theme files byte by byte, for the tests: a header and 77-byte entries wherever the test puts them.
class TThemeFileBuilder {
public:
    enum : uint8_t { Image = 0, Integer = 1, Boolean = 2, String = 3 };
    struct TEntry {
        std::string Name;
        uint8_t Type = Integer;
        uint32_t DataOffset = 0;
        uint32_t DataSize = 0;
        uint32_t Next = 0;
    };

    // A 24-byte header whose first entry is at `firstEntry`.
    explicit TThemeFileBuilder(uint32_t firstEntry = 24) {
        PutU32(12, 24);
        PutU32(20, firstEntry);
    }

    void PutU32(size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            PutByte(offset + size_t(i), uint8_t(value >> (8 * i)));
    }
    void PutByte(size_t offset, uint8_t value) {
        Grow(offset + 1);
        Bytes[offset] = value;
    }
    void PutBytes(size_t offset, const std::vector<uint8_t>& data) {
        Grow(offset + data.size());
        std::copy(data.begin(), data.end(), Bytes.begin() + std::ptrdiff_t(offset));
    }
    void PutEntry(size_t offset, const TEntry& e) {
        Grow(offset + 77);
        for (size_t i = 0; i < 64; ++i)
            Bytes[offset + i] = i < e.Name.size() ? uint8_t(e.Name[i]) : 0;
        Bytes[offset + 64] = e.Type;
        PutU32(offset + 65, e.DataOffset);
        PutU32(offset + 69, e.DataSize);
        PutU32(offset + 73, e.Next);
    }

    // Lays the entries out one after another from offset 24, each with its data right behind the
    // terminator, in a chain that ends with a terminator.
    struct TItem {
        std::string Name;
        uint8_t Type;
        std::vector<uint8_t> Data;
    };
    static TThemeFileBuilder Chain(const std::vector<TItem>& items) {
        TThemeFileBuilder b;
        uint32_t data = uint32_t(24 + 77 * (items.size() + 1));
        for (size_t i = 0; i < items.size(); ++i) {
            const uint32_t at = uint32_t(24 + 77 * i);
            b.PutEntry(at, {items[i].Name, items[i].Type, data, uint32_t(items[i].Data.size()), at + 77});
            b.PutBytes(data, items[i].Data);
            data += uint32_t(items[i].Data.size());
        }
        b.PutEntry(24 + 77 * items.size(), {"", Integer, 0, 0, 0});
        return b;
    }

    static std::vector<uint8_t> Int32(int32_t v) {
        return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(uint32_t(v) >> 24)};
    }
    static std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

    void Save(const std::filesystem::path& path) const;

    std::vector<uint8_t> Bytes;

private:
    void Grow(size_t size) {
        if (Bytes.size() < size) Bytes.resize(size);
    }
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};
