#pragma once
#include "classlib/Strings.h"

#include <memory>
#include <string>
#include <map>
#include <string_view>
#include <utility>

class TMemoryStream;
class TStream;

// Reads a whole theme file at construction into four name lists: images (name, with the image bytes as a
// memory stream), integers, Booleans and strings ("name=value"). It only reads; the file is closed
// afterwards.
//
// The file is untrusted: the header is the first 24 bytes whatever its length field says, bytes past the end
// read as zeros, a truncated entry ends the chain like a terminator, a chain that comes back to an entry it
// has read ends there, and image data that does not lie within the file raises EReadError before anything is
// allocated for it, as do images and texts that together would hold more bytes than the file. Image entries
// with the same data share its stream.
class TtavThemeFileReader : public TObject {
    VMR_CLASS(TtavThemeFileReader, TObject)

public:
    static constexpr int HeaderSize = 24;
    static constexpr int EntrySize = 77;
    static constexpr int NameSize = 64;
    enum TEntryType : uint8_t { etImage = 0, etInteger = 1, etBoolean = 2, etString = 3 };
    // The image data by its offset and size.
    using TImageStreams = std::map<std::pair<uint32_t, uint32_t>, std::unique_ptr<TMemoryStream>>;

    // Raises EFOpenError "Cannot open file <name>" or EReadError "Stream read error".
    explicit TtavThemeFileReader(const std::string& fileName);
    // The whole stream is the file, whatever its position.
    explicit TtavThemeFileReader(TStream& stream);
    ~TtavThemeFileReader() override;

    // The first image of that name rewound to its start, owned by the reader; nullptr when there is none.
    TMemoryStream* GetImageStreamByName(std::string_view name) const;
    // -1 for a missing name or a value that is not an integer.
    int GetIntByName(std::string_view name) const;
    // False for a missing name or a value that is not an integer; else its low byte is not 0.
    bool GetBoolByName(std::string_view name) const;

    const TStringList& Images() const { return FImages; }
    const TStringList& Integers() const { return FIntegers; }
    const TStringList& Booleans() const { return FBooleans; }
    const TStringList& Texts() const { return FStrings; }

private:
    void ParseThemeFile(TStream& stream);

    TStringList FImages;
    TStringList FIntegers;
    TStringList FBooleans;
    TStringList FStrings;
    TImageStreams FImageStreams;
};
