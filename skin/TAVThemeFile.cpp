#include "skin/TAVThemeFile.h"

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace {

uint32_t ReadUInt32LE(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The file seen as its bytes followed by zeros without end.
class TThemeFileBytes {
public:
    explicit TThemeFileBytes(TStream& stream) : FStream(stream), FSize(stream.Size()), FBudget(FSize) {}

    int64_t Size() const { return FSize; }
    bool Holds(uint64_t offset, uint64_t count) const {
        return offset <= uint64_t(FSize) && count <= uint64_t(FSize) - offset;
    }
    // The bytes at offset that lie within the file, at most count of them.
    uint64_t Available(uint64_t offset, uint64_t count) const {
        return offset >= uint64_t(FSize) ? 0 : std::min(count, uint64_t(FSize) - offset);
    }
    // Fills count bytes from offset, with zeros past the end of the file.
    void ReadAt(uint64_t offset, void* buffer, uint64_t count) {
        std::memset(buffer, 0, count);
        uint64_t n = Available(offset, count);
        if (n == 0) return;
        FStream.SetPosition(int64_t(offset));
        FStream.Read(buffer, int64_t(n));
    }
    // The images and texts the reader holds may not together be more than the file: a chain of overlapping
    // entries would otherwise take memory in the square of the file's size. Entries naming the same image
    // data share one copy, so it is spent once.
    void Spend(uint64_t count) {
        if (count > FBudget) throw EReadError("Stream read error");
        FBudget -= count;
    }
    void CopyTo(TStream& dest, uint64_t offset, uint64_t count) {
        if (!Holds(offset, count)) throw EReadError("Stream read error");
        Spend(count);
        if (count == 0) return; // CopyFrom would take 0 as "the whole file"
        FStream.SetPosition(int64_t(offset));
        dest.CopyFrom(FStream, int64_t(count));
    }

private:
    TStream& FStream;
    int64_t FSize;
    uint64_t FBudget;
};

struct TThemeEntry {
    std::string Name;
    uint8_t Type = 0;
    uint32_t DataOffset = 0;
    uint32_t DataSize = 0;
    uint32_t Next = 0;
};

TThemeEntry DecodeEntry(const std::array<uint8_t, TtavThemeFileReader::EntrySize>& raw) {
    const auto nameEnd = std::find(raw.begin(), raw.begin() + TtavThemeFileReader::NameSize, uint8_t(0));
    TThemeEntry e;
    e.Name.assign(raw.begin(), nameEnd);
    e.Type = raw[64];
    e.DataOffset = ReadUInt32LE(&raw[65]);
    e.DataSize = ReadUInt32LE(&raw[69]);
    e.Next = ReadUInt32LE(&raw[73]);
    return e;
}

int32_t ReadInt32Data(TThemeFileBytes& file, const TThemeEntry& e) {
    std::array<uint8_t, 4> bytes{};
    file.ReadAt(e.DataOffset, bytes.data(), std::min<uint32_t>(e.DataSize, 4));
    return int32_t(ReadUInt32LE(bytes.data()));
}

uint8_t ReadByteData(TThemeFileBytes& file, const TThemeEntry& e) {
    uint8_t byte = 0;
    file.ReadAt(e.DataOffset, &byte, std::min<uint32_t>(e.DataSize, 1));
    return byte;
}

std::string ReadTextData(TThemeFileBytes& file, const TThemeEntry& e) {
    const uint64_t length = file.Available(e.DataOffset, e.DataSize);
    file.Spend(length);
    std::string text(size_t(length), '\0');
    file.ReadAt(e.DataOffset, text.data(), text.size());
    return text;
}

// The stream of the image data at offset, made on its first use.
TMemoryStream* ImageStream(TtavThemeFileReader::TImageStreams& streams, TThemeFileBytes& file, const TThemeEntry& e) {
    if (auto it = streams.find({e.DataOffset, e.DataSize}); it != streams.end()) return it->second.get();
    auto stream = std::make_unique<TMemoryStream>();
    file.CopyTo(*stream, e.DataOffset, e.DataSize);
    stream->SetPosition(0);
    return streams.emplace(std::pair{e.DataOffset, e.DataSize}, std::move(stream)).first->second.get();
}

} // namespace

TtavThemeFileReader::TtavThemeFileReader(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    ParseThemeFile(stream);
}

TtavThemeFileReader::TtavThemeFileReader(TStream& stream) {
    ParseThemeFile(stream);
}

TtavThemeFileReader::~TtavThemeFileReader() = default;

void TtavThemeFileReader::ParseThemeFile(TStream& stream) {
    TThemeFileBytes file(stream);
    std::array<uint8_t, HeaderSize> header{};
    file.ReadAt(0, header.data(), header.size());

    std::unordered_set<uint32_t> visited;
    uint32_t offset = ReadUInt32LE(&header[20]);
    while (file.Holds(offset, EntrySize) && visited.insert(offset).second) {
        std::array<uint8_t, EntrySize> raw{};
        file.ReadAt(offset, raw.data(), raw.size());
        const TThemeEntry e = DecodeEntry(raw);
        if (e.Next == 0) break;
        switch (e.Type) {
        case etImage:
            FImages.AddObject(e.Name, ImageStream(FImageStreams, file, e));
            break;
        case etInteger:
            FIntegers.Add(e.Name + "=" + IntToStr(ReadInt32Data(file, e)));
            break;
        case etBoolean:
            FBooleans.Add(e.Name + "=" + IntToStr(ReadByteData(file, e)));
            break;
        case etString:
            FStrings.Add(e.Name + "=" + ReadTextData(file, e));
            break;
        default:
            break;
        }
        offset = e.Next;
    }
}

TMemoryStream* TtavThemeFileReader::GetImageStreamByName(std::string_view name) const {
    const int index = FImages.IndexOf(name);
    if (index < 0) return nullptr;
    auto* stream = static_cast<TMemoryStream*>(FImages.Objects(index));
    stream->SetPosition(0);
    return stream;
}

int TtavThemeFileReader::GetIntByName(std::string_view name) const {
    const int index = FIntegers.IndexOfName(name);
    return index < 0 ? -1 : StrToIntDef(FIntegers.ValueFromIndex(index), -1);
}

bool TtavThemeFileReader::GetBoolByName(std::string_view name) const {
    const int index = FBooleans.IndexOfName(name);
    return index >= 0 && (StrToIntDef(FBooleans.ValueFromIndex(index), 0) & 0xFF) != 0;
}
