#include "platform/ImageCodecs.h"

#include "platform/Exception.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

[[noreturn]] void Invalid(const char* format, const std::string& name, const std::string& problem) {
    throw EInvalidGraphic(std::string("Invalid ") + format + " image \"" + name + "\": " + problem);
}

std::string SizeText(int64_t width, int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Checked before any pixel memory is allocated, with the limits TSurface itself enforces.
void CheckImageSize(int64_t width, int64_t height, const char* format, const std::string& name) {
    if (width <= 0 || height <= 0)
        Invalid(format, name, "its size is " + SizeText(width, height) + " pixels");
    if (width > TSurface::MaxDimension || height > TSurface::MaxDimension ||
        width * height > TSurface::MaxPixels)
        Invalid(format, name, "a size of " + SizeText(width, height) + " pixels is too large");
}

void CheckNotEmpty(const TSurface& surface, const char* format) {
    if (surface.IsEmpty())
        throw EInvalidGraphic(std::string("Cannot store a bitmap of ") +
                              SizeText(surface.Width(), surface.Height()) + " pixels as " + format);
}

TPixel MakePixel(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

// ---------------------------------------------------------------------------------------------------- BMP

constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void WriteU16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v), p[1] = uint8_t(v >> 8);
}
void WriteU32(uint8_t* p, uint32_t v) {
    WriteU16(p, v), WriteU16(p + 2, v >> 16);
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class TBitfield {
  public:
    explicit TBitfield(uint32_t mask) {
        if (mask == 0) return;
        FShift = std::countr_zero(mask);
        // A mask with gaps is not meaningful; its lowest run of bits is used.
        FMax = (uint64_t(1) << std::countr_one(mask >> FShift)) - 1;
    }
    uint32_t Extract(uint32_t value) const {
        if (FMax == 0) return 0;
        return uint32_t(((value >> FShift) & FMax) * 255 + FMax / 2) / FMax;
    }

  private:
    int FShift = 0;
    uint64_t FMax = 0;
};

struct TBmpLayout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t Masks[3] = {0x7C00, 0x03E0, 0x001F};
    std::vector<TPixel> Palette;
    size_t PixelOffset = 0;
    size_t RowSize = 0;
};

class TBmpDecoder {
  public:
    TBmpDecoder(std::span<const uint8_t> bytes, const std::string& name) : FBytes(bytes), FName(name) {}

    TSurface Decode() {
        ReadHeaders();
        TSurface surface(FLayout.Width, FLayout.Height);
        for (int row = 0; row < FLayout.Height; ++row) {
            const int y = FLayout.TopDown ? row : FLayout.Height - 1 - row;
            DecodeRow(FBytes.data() + FLayout.PixelOffset + size_t(row) * FLayout.RowSize, y, surface.Row(y));
        }
        return surface;
    }

    // Once the headers pass, only an indexed pixel beyond a short palette can still fail.
    std::optional<TSize> SoundSize() {
        ReadHeaders();
        if (FLayout.BitCount <= 8 && FLayout.Palette.size() < size_t(1) << FLayout.BitCount) return {};
        return TSize{FLayout.Width, FLayout.Height};
    }

  private:
    std::span<const uint8_t> FBytes;
    const std::string& FName;
    TBmpLayout FLayout;

    [[noreturn]] void Fail(const std::string& problem) const { Invalid("BMP", FName, problem); }

    const uint8_t* At(size_t offset, size_t size, const char* what) const {
        if (offset > FBytes.size() || size > FBytes.size() - offset)
            Fail(std::string(what) + " is truncated: it needs bytes " + std::to_string(offset) + " to " +
                 std::to_string(offset + size) + " of a file of " + std::to_string(FBytes.size()) + " bytes");
        return FBytes.data() + offset;
    }

    void ReadHeaders() {
        const uint8_t* file = At(0, FileHeaderSize, "the file header");
        if (file[0] != 'B' || file[1] != 'M') Fail("it does not start with \"BM\"");
        FLayout.PixelOffset = ReadU32(file + 10);
        const size_t headerSize = ReadU32(At(FileHeaderSize, 4, "the bitmap header"));
        const uint8_t* header = At(FileHeaderSize, headerSize, "the bitmap header");
        size_t headersEnd = FileHeaderSize + headerSize;
        int64_t width, height;
        int paletteEntrySize = 4;
        uint32_t colorsUsed = 0;
        if (headerSize == CoreHeaderSize) {
            width = ReadU16(header + 4);
            height = ReadU16(header + 6);
            FLayout.BitCount = ReadU16(header + 10);
            paletteEntrySize = 3;
        } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
                   headerSize == 124) {
            width = int32_t(ReadU32(header + 4));
            height = int32_t(ReadU32(header + 8));
            FLayout.BitCount = ReadU16(header + 14);
            FLayout.Compression = ReadU32(header + 16);
            colorsUsed = ReadU32(header + 32);
            if (FLayout.Compression == BI_BITFIELDS) headersEnd += ReadMasks(headerSize);
        } else {
            Fail("its bitmap header has an unknown size of " + std::to_string(headerSize) + " bytes");
        }
        FLayout.TopDown = height < 0;
        CheckImageSize(width, FLayout.TopDown ? -height : height, "BMP", FName);
        FLayout.Width = int(width);
        FLayout.Height = int(FLayout.TopDown ? -height : height);
        CheckFormat();
        if (FLayout.PixelOffset < headersEnd)
            Fail("its pixel data offset " + std::to_string(FLayout.PixelOffset) + " lies inside its headers");
        FLayout.RowSize = (size_t(FLayout.Width) * size_t(FLayout.BitCount) + 31) / 32 * 4;
        At(FLayout.PixelOffset, FLayout.RowSize * size_t(FLayout.Height), "its pixel data");
        if (FLayout.BitCount <= 8) ReadPalette(headersEnd, paletteEntrySize, colorsUsed);
    }

    // Returns how many bytes the masks add after a plain 40-byte header.
    size_t ReadMasks(size_t headerSize) {
        const uint8_t* masks = At(FileHeaderSize + InfoHeaderSize, 12, "the colour masks");
        for (int i = 0; i < 3; ++i)
            FLayout.Masks[i] = ReadU32(masks + 4 * i);
        return headerSize == InfoHeaderSize ? 12 : 0;
    }

    void CheckFormat() const {
        const int bits = FLayout.BitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            Fail("it has an unsupported bit count of " + std::to_string(bits));
        const uint32_t compression = FLayout.Compression;
        if (compression == BI_RLE8 || compression == BI_RLE4) Fail("RLE compression is not supported");
        if (compression == BI_BITFIELDS && bits != 16 && bits != 32)
            Fail("colour masks are given for a bit count of " + std::to_string(bits));
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            Fail("it has an unsupported compression type " + std::to_string(compression));
    }

    // The palette sits between the headers and the pixels; a short one is read as far as it goes and any
    // pixel beyond it is an error.
    void ReadPalette(size_t offset, int entrySize, uint32_t colorsUsed) {
        const size_t maxColors = size_t(1) << FLayout.BitCount;
        const size_t declared = colorsUsed == 0 ? maxColors : std::min<size_t>(colorsUsed, maxColors);
        const size_t room = FLayout.PixelOffset > offset ? (FLayout.PixelOffset - offset) / entrySize : 0;
        const size_t count = std::min(declared, room);
        const uint8_t* entry = At(offset, count * entrySize, "the palette");
        for (size_t i = 0; i < count; ++i, entry += entrySize)
            FLayout.Palette.push_back(MakePixel(entry[2], entry[1], entry[0]));
    }

    void DecodeRow(const uint8_t* src, int y, TPixel* dest) const {
        const int width = FLayout.Width;
        switch (FLayout.BitCount) {
        case 1:
        case 4:
        case 8:
            DecodeIndexedRow(src, y, dest);
            break;
        case 16:
            DecodeMaskedRow(src, 2, dest);
            break;
        case 24:
            DecodeBgrRow(src, 3, width, dest);
            break;
        default:
            if (FLayout.Compression == BI_BITFIELDS)
                DecodeMaskedRow(src, 4, dest);
            else
                DecodeBgrRow(src, 4, width, dest);
        }
    }

    // Blue, green and red bytes, read as one little-endian word each: the word less its top byte is the
    // pixel. The last pixel of a 24-bit row is read by bytes, as the row may end the file.
    static void DecodeBgrRow(const uint8_t* src, int bytesPerPixel, int width, TPixel* dest) {
        int x = 0;
        if constexpr (std::endian::native == std::endian::little)
            for (const int words = bytesPerPixel == 4 ? width : width - 1; x < words; ++x, src += bytesPerPixel) {
                uint32_t word;
                std::memcpy(&word, src, sizeof word);
                dest[x] = word & 0xFFFFFF;
            }
        for (; x < width; ++x, src += bytesPerPixel)
            dest[x] = MakePixel(src[2], src[1], src[0]);
    }

    void DecodeIndexedRow(const uint8_t* src, int y, TPixel* dest) const {
        const int bits = FLayout.BitCount;
        const int perByte = 8 / bits;
        const unsigned mask = (1u << bits) - 1;
        for (int x = 0; x < FLayout.Width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            const size_t index = (src[x / perByte] >> shift) & mask;
            if (index >= FLayout.Palette.size())
                Fail("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") uses colour " +
                     std::to_string(index) + " of a palette of " + std::to_string(FLayout.Palette.size()));
            dest[x] = FLayout.Palette[index];
        }
    }

    void DecodeMaskedRow(const uint8_t* src, int bytesPerPixel, TPixel* dest) const {
        const TBitfield red(FLayout.Masks[0]), green(FLayout.Masks[1]), blue(FLayout.Masks[2]);
        for (int x = 0; x < FLayout.Width; ++x, src += bytesPerPixel) {
            const uint32_t value = bytesPerPixel == 2 ? ReadU16(src) : ReadU32(src);
            dest[x] = MakePixel(red.Extract(value), green.Extract(value), blue.Extract(value));
        }
    }
};

// ---------------------------------------------------------------------------------------------------- PNG

// libpng's simplified interface keeps its setjmp inside libpng and reports failures by return value, so no
// longjmp ever crosses our frames; this owner frees its state on every path.
class TPngImage {
  public:
    TPngImage() {
        std::memset(&FImage, 0, sizeof FImage);
        FImage.version = PNG_IMAGE_VERSION;
    }
    ~TPngImage() { png_image_free(&FImage); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;

    png_image* operator->() { return &FImage; }
    png_image* Get() { return &FImage; }
    std::string Message() const { return FImage.message[0] ? FImage.message : "unknown libpng error"; }

  private:
    png_image FImage;
};

// Bytes that read as one native 32-bit word 0xAARRGGBB.
constexpr uint32_t NativeArgbFormat =
    std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t BmpSignature[2] = {'B', 'M'};

[[noreturn]] void UnknownFormat(const std::string& name) {
    throw EInvalidGraphic("Unknown image format in \"" + name + "\": it is neither a BMP nor a PNG image");
}

bool HasPrefix(std::span<const uint8_t> bytes, std::span<const uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// libpng stops reading after the pixels, so a file cut off before its end chunk would pass unnoticed.
bool ReachesEndChunk(std::span<const uint8_t> bytes) {
    constexpr size_t chunkOverhead = 12; // length, type, checksum
    size_t offset = sizeof PngSignature;
    while (bytes.size() - offset >= chunkOverhead) {
        const uint8_t* chunk = bytes.data() + offset;
        const size_t length =
            size_t(chunk[0]) << 24 | size_t(chunk[1]) << 16 | size_t(chunk[2]) << 8 | chunk[3];
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) return true;
        if (length > bytes.size() - offset - chunkOverhead) return false;
        offset += chunkOverhead + length;
    }
    return false;
}

// Surfaces carry no alpha: translucent pixels are laid over white, the colour of a new bitmap.
void CompositeOnWhite(TSurface& surface) {
    TPixel* pixel = surface.Data();
    for (size_t i = 0, n = size_t(surface.Width()) * size_t(surface.Height()); i < n; ++i, ++pixel) {
        const uint32_t alpha = *pixel >> 24;
        const auto blend = [alpha](uint32_t c) { return (c * alpha + 255 * (255 - alpha) + 127) / 255; };
        *pixel = MakePixel(blend(*pixel >> 16 & 0xFF), blend(*pixel >> 8 & 0xFF), blend(*pixel & 0xFF));
    }
}

// ---------------------------------------------------------------------------------------------------- files

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

std::string FileError(const char* action, const std::string& path, int error) {
    return std::string(action) + " file \"" + path + "\": " + std::strerror(error);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    TFile file(std::fopen(path.c_str(), "rb"));
    if (!file) throw EFOpenError(FileError("Cannot open", path, errno));
    std::vector<uint8_t> bytes;
    uint8_t chunk[1 << 16];
    while (size_t count = std::fread(chunk, 1, sizeof chunk, file.get()))
        bytes.insert(bytes.end(), chunk, chunk + count);
    if (std::ferror(file.get())) throw EFOpenError(FileError("Cannot read", path, errno));
    return bytes;
}

void WriteFileBytes(const std::vector<uint8_t>& bytes, const std::string& path) {
    TFile file(std::fopen(path.c_str(), "wb"));
    if (!file) throw EFCreateError(FileError("Cannot create", path, errno));
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw EFCreateError(FileError("Cannot write", path, errno));
    if (std::fclose(file.release()) != 0) throw EFCreateError(FileError("Cannot write", path, errno));
}

} // namespace

TSurface DecodeBMP(std::span<const uint8_t> bytes, const std::string& name) {
    return TBmpDecoder(bytes, name).Decode();
}

std::vector<uint8_t> EncodeBMP(const TSurface& surface) {
    CheckNotEmpty(surface, "BMP");
    const size_t rowSize = (size_t(surface.Width()) * 3 + 3) / 4 * 4;
    const size_t offset = FileHeaderSize + InfoHeaderSize;
    std::vector<uint8_t> bytes(offset + rowSize * size_t(surface.Height()));
    uint8_t* p = bytes.data();
    p[0] = 'B', p[1] = 'M';
    WriteU32(p + 2, uint32_t(bytes.size()));
    WriteU32(p + 10, uint32_t(offset));
    uint8_t* header = p + FileHeaderSize;
    WriteU32(header, InfoHeaderSize);
    WriteU32(header + 4, uint32_t(surface.Width()));
    WriteU32(header + 8, uint32_t(surface.Height()));
    WriteU16(header + 12, 1);
    WriteU16(header + 14, 24);
    WriteU32(header + 20, uint32_t(bytes.size() - offset));
    for (int y = 0; y < surface.Height(); ++y) {
        uint8_t* dest = p + offset + size_t(surface.Height() - 1 - y) * rowSize;
        const TPixel* src = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x, dest += 3)
            dest[0] = uint8_t(src[x]), dest[1] = uint8_t(src[x] >> 8), dest[2] = uint8_t(src[x] >> 16);
    }
    return bytes;
}

TSurface DecodePNG(std::span<const uint8_t> bytes, const std::string& name) {
    if (!HasPrefix(bytes, PngSignature)) Invalid("PNG", name, "it does not start with the PNG signature");
    if (!ReachesEndChunk(bytes)) Invalid("PNG", name, "it is truncated before its IEND chunk");
    TPngImage png;
    if (!png_image_begin_read_from_memory(png.Get(), bytes.data(), bytes.size()))
        Invalid("PNG", name, png.Message());
    CheckImageSize(png->width, png->height, "PNG", name);
    png->format = NativeArgbFormat;
    TSurface surface(int(png->width), int(png->height));
    if (!png_image_finish_read(png.Get(), nullptr, surface.Data(), surface.Stride(), nullptr))
        Invalid("PNG", name, png.Message());
    CompositeOnWhite(surface);
    return surface;
}

std::vector<uint8_t> EncodePNG(const TSurface& surface) {
    CheckNotEmpty(surface, "PNG");
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(surface.Width()) * size_t(surface.Height()) * 3);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const TPixel p = surface.Row(y)[x];
            rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
    TPngImage png;
    png->width = png_uint_32(surface.Width());
    png->height = png_uint_32(surface.Height());
    png->format = PNG_FORMAT_RGB;
    std::vector<uint8_t> bytes(PNG_IMAGE_PNG_SIZE_MAX(*png.Get()));
    png_alloc_size_t size = bytes.size();
    if (!png_image_write_to_memory(png.Get(), bytes.data(), &size, 0, rgb.data(), 0, nullptr))
        throw EInvalidGraphic("Cannot encode a PNG image of " + SizeText(surface.Width(), surface.Height()) +
                              " pixels: " + png.Message());
    bytes.resize(size);
    return bytes;
}

TSurface DecodeImage(std::span<const uint8_t> bytes, const std::string& name) {
    if (HasPrefix(bytes, BmpSignature)) return DecodeBMP(bytes, name);
    if (HasPrefix(bytes, PngSignature)) return DecodePNG(bytes, name);
    UnknownFormat(name);
}

std::optional<TSize> SoundImageSize(std::span<const uint8_t> bytes, const std::string& name) {
    if (HasPrefix(bytes, BmpSignature)) return TBmpDecoder(bytes, name).SoundSize();
    if (HasPrefix(bytes, PngSignature)) return {};
    UnknownFormat(name);
}

TSurface LoadImageFile(const std::string& path) {
    return DecodeImage(ReadFileBytes(path), path);
}

void SaveBMPFile(const TSurface& surface, const std::string& path) {
    WriteFileBytes(EncodeBMP(surface), path);
}

void SavePNGFile(const TSurface& surface, const std::string& path) {
    WriteFileBytes(EncodePNG(surface), path);
}
