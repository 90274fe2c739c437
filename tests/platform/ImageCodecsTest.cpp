#include "platform/ImageCodecs.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>
#include <png.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

using TBytes = std::vector<uint8_t>;

void Put16(TBytes& b, uint32_t v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void Put32(TBytes& b, uint32_t v) {
    Put16(b, v), Put16(b, v >> 16);
}

// A BMP put together field by field, so each test states exactly what the file holds.
struct TBmpRecipe {
    uint32_t HeaderSize = 40;
    int32_t Width = 0;
    int32_t Height = 0; // negative: top-down
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Masks;   // after a 40-byte header, inside a longer one
    std::vector<uint32_t> Palette; // 0x00RRGGBB
    uint32_t ColorsUsed = 0;
    std::vector<TBytes> Rows; // in file order, unpadded
};

TBytes BuildBmp(const TBmpRecipe& s) {
    TBytes header;
    Put32(header, s.HeaderSize);
    if (s.HeaderSize == 12) {
        Put16(header, uint32_t(s.Width)), Put16(header, uint32_t(s.Height)), Put16(header, 1),
            Put16(header, s.BitCount);
    } else {
        Put32(header, uint32_t(s.Width)), Put32(header, uint32_t(s.Height)), Put16(header, 1),
            Put16(header, s.BitCount);
        Put32(header, s.Compression), Put32(header, 0), Put32(header, 2835), Put32(header, 2835);
        Put32(header, s.ColorsUsed), Put32(header, 0);
        for (uint32_t m : s.Masks)
            Put32(header, m);
        if (s.HeaderSize > 40) header.resize(s.HeaderSize);
    }
    for (uint32_t c : s.Palette) {
        header.insert(header.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
        if (s.HeaderSize != 12) header.push_back(0);
    }
    TBytes file{'B', 'M'};
    Put32(file, 0), Put32(file, 0), Put32(file, uint32_t(14 + header.size()));
    file.insert(file.end(), header.begin(), header.end());
    for (const TBytes& row : s.Rows) {
        file.insert(file.end(), row.begin(), row.end());
        file.resize(file.size() + (4 - row.size() % 4) % 4);
    }
    return file;
}

// Palette indices packed most significant bits first.
TBytes PackIndices(int bits, std::initializer_list<int> indices) {
    TBytes row((indices.size() * bits + 7) / 8);
    int i = 0;
    for (int index : indices) {
        const int bit = i++ * bits;
        row[bit / 8] |= uint8_t(index << (8 - bits - bit % 8));
    }
    return row;
}

TSurface Surface(int width, int height, std::initializer_list<TPixel> pixels) {
    TSurface s(width, height);
    auto p = pixels.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, *p++);
    return s;
}

TSurface Patterned(int width, int height) {
    TSurface s(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.SetPixel(
                x, y, TPixel((x * 37 + y * 11) & 0xFF) << 16 | TPixel((x * y) & 0xFF) << 8 | TPixel(255 - x));
    return s;
}

// Rows in file order for a bottom-up or a top-down image.
TBmpRecipe WithRows(TBmpRecipe recipe, bool topDown, std::vector<TBytes> topFirst) {
    recipe.Height = topDown ? -int32_t(topFirst.size()) : int32_t(topFirst.size());
    if (!topDown) std::reverse(topFirst.begin(), topFirst.end());
    recipe.Rows = std::move(topFirst);
    return recipe;
}

std::string InvalidMessage(const std::function<void()>& decode) {
    try {
        decode();
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "(no EInvalidGraphic)";
}

std::string BmpError(const TBmpRecipe& recipe) {
    return InvalidMessage([&] { DecodeBMP(BuildBmp(recipe), "bad.bmp"); });
}

TBmpRecipe Valid8Bit() {
    TBmpRecipe s;
    s.Width = 3, s.BitCount = 8, s.Palette = {0x112233, 0x445566, 0x778899};
    return WithRows(s, false, {{0, 1, 2}, {2, 1, 0}});
}

// Any outcome but a clean decode or EInvalidGraphic naming the source fails the test.
void ExpectDecodesOrRejects(const TBytes& bytes, const std::string& what) {
    try {
        DecodeImage(bytes, "mangled.img");
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("mangled.img"), std::string::npos) << what << ": " << e.Message();
    }
}

} // namespace

// Failures show the pixels rather than the object's bytes.
void PrintTo(const TSurface& s, std::ostream* out) {
    *out << s.Width() << " x " << s.Height() << std::hex;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            *out << (x ? " " : "\n  ") << s.Pixel(x, y);
}

TEST(ImageCodecs, IndexedBmpsOfEveryDepthDecodeInBothRowOrders) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const TSurface expected = Surface(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF0000});
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            TBmpRecipe recipe;
            recipe.Width = 3, recipe.BitCount = uint16_t(bits);
            recipe.Palette = palette;
            recipe.Palette.resize(std::min<size_t>(palette.size(), size_t(1) << bits));
            const TSurface want =
                bits == 1 ? Surface(3, 2, {0xFF0000, 0x000000, 0xFF0000, 0x000000, 0x000000, 0xFF0000})
                          : expected;
            const auto rows =
                bits == 1 ? std::vector<TBytes>{PackIndices(1, {1, 0, 1}), PackIndices(1, {0, 0, 1})}
                          : std::vector<TBytes>{PackIndices(bits, {1, 2, 3}), PackIndices(bits, {4, 0, 1})};
            EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(recipe, topDown, rows)), "x.bmp"), want)
                << bits << " bits, top-down " << topDown;
        }
    }
    // An old core header has 3-byte palette entries.
    TBmpRecipe core;
    core.HeaderSize = 12, core.Width = 2, core.BitCount = 8, core.Palette = {0xABCDEF, 0x010203};
    EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(core, false, {{1, 0}, {0, 0}})), "core.bmp"),
              Surface(2, 2, {0x010203, 0xABCDEF, 0xABCDEF, 0xABCDEF}));
    // A short palette declared by its colour count.
    TBmpRecipe shortPalette = Valid8Bit();
    shortPalette.ColorsUsed = 3;
    EXPECT_EQ(DecodeBMP(BuildBmp(shortPalette), "p.bmp").Pixel(2, 0), 0x778899u);
}

TEST(ImageCodecs, DirectColourBmpsDecodeInBothRowOrders) {
    const TSurface want = Surface(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000});
    for (bool topDown : {false, true}) {
        TBmpRecipe rgb24;
        rgb24.Width = 3, rgb24.BitCount = 24;
        EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(rgb24, topDown,
                                              {{0, 0, 255, 0, 255, 0, 255, 0, 0},
                                               {0x56, 0x34, 0x12, 255, 255, 255, 0, 0, 0}})),
                            "24.bmp"),
                  want);
        TBmpRecipe rgb32 = rgb24;
        rgb32.BitCount = 32;
        EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(rgb32, topDown,
                                              {{0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9},
                                               {0x56, 0x34, 0x12, 9, 255, 255, 255, 9, 0, 0, 0, 9}})),
                            "32.bmp"),
                  want);
    }
}

TEST(ImageCodecs, SixteenAndThirtyTwoBitMasksAreHonoured) {
    // 5-5-5 by default: red, green 16/31, blue, white.
    TBmpRecipe rgb555;
    rgb555.Width = 2, rgb555.BitCount = 16;
    const TBytes row555a{0x00, 0x7C, 0x00, 0x02}, row555b{0x1F, 0x00, 0xFF, 0x7F};
    EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(rgb555, true, {row555a, row555b})), "555.bmp"),
              Surface(2, 2, {0xFF0000, 0x008400, 0x0000FF, 0xFFFFFF}));
    // 5-6-5 masks after a 40-byte header: red, green 32/63, blue, black.
    TBmpRecipe rgb565 = rgb555;
    rgb565.Compression = 3, rgb565.Masks = {0xF800, 0x07E0, 0x001F};
    const TBytes row565a{0x00, 0xF8, 0x00, 0x04}, row565b{0x1F, 0x00, 0x00, 0x00};
    EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(rgb565, false, {row565a, row565b})), "565.bmp"),
              Surface(2, 2, {0xFF0000, 0x008200, 0x0000FF, 0x000000}));
    // V4 and V5 headers carry the masks inside; here the bytes are R, G, B, X.
    for (uint32_t headerSize : {108u, 124u}) {
        TBmpRecipe v5;
        v5.HeaderSize = headerSize, v5.Width = 2, v5.BitCount = 32, v5.Compression = 3;
        v5.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
        EXPECT_EQ(DecodeBMP(BuildBmp(WithRows(v5, false, {{0x12, 0x34, 0x56, 0xFF, 1, 2, 3, 0}})), "v5.bmp"),
                  Surface(2, 1, {0x123456, 0x010203}))
            << headerSize;
    }
}

TEST(ImageCodecs, BmpAndPngRoundTripsKeepEveryPixel) {
    // Rows of 4 pixels have no padding: the last pixel of the file ends it.
    for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {4, 3}, {5, 7}, {13, 4}, {64, 1}}) {
        const TSurface original = Patterned(w, h);
        const TBytes bmp = EncodeBMP(original);
        const size_t rowSize = (size_t(w) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 54 + rowSize * h);
        // Bottom-up: the first stored pixel is the bottom-left one, as blue, green, red.
        const TPixel bottomLeft = original.Pixel(0, h - 1);
        EXPECT_EQ(bmp[54], uint8_t(bottomLeft));
        EXPECT_EQ(bmp[56], uint8_t(bottomLeft >> 16));
        EXPECT_EQ(DecodeBMP(bmp, "rt.bmp"), original) << w << " x " << h;
        EXPECT_EQ(DecodePNG(EncodePNG(original), "rt.png"), original) << w << " x " << h;
        EXPECT_EQ(DecodeImage(EncodePNG(original), "rt"), original);
        EXPECT_EQ(DecodeImage(bmp, "rt"), original);
    }
    EXPECT_THROW(EncodeBMP(TSurface()), EInvalidGraphic);
    EXPECT_THROW(EncodePNG(TSurface(0, 5)), EInvalidGraphic);
}

// A PNG in a layout our encoder never writes, made by libpng directly.
TBytes WritePng(uint32_t width, uint32_t height, uint32_t format, const TBytes& pixels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = width, image.height = height, image.format = format;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr));
    TBytes png(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr));
    return png;
}

TEST(ImageCodecs, TranslucentPngPixelsAreLaidOverWhite) {
    const TBytes png = WritePng(4, 1, PNG_FORMAT_GA, {0, 255, 0, 0, 200, 255, 0, 102});
    EXPECT_EQ(DecodePNG(png, "ga.png"), Surface(4, 1, {0x000000, 0xFFFFFF, 0xC8C8C8, 0x999999}));
}

TEST(ImageCodecs, MalformedBmpsNameTheSourceAndSayWhatIsWrong) {
    auto withSize = [](int32_t w, int32_t h) {
        TBmpRecipe s = Valid8Bit();
        s.Width = w, s.Height = h;
        return s;
    };
    EXPECT_NE(BmpError(withSize(0, 2)).find("0 x 2"), std::string::npos);
    EXPECT_NE(BmpError(withSize(-3, 2)).find("-3 x 2"), std::string::npos);
    EXPECT_NE(BmpError(withSize(3, 0)).find("3 x 0"), std::string::npos);
    EXPECT_NE(BmpError(withSize(40000, 1)).find("too large"), std::string::npos);
    EXPECT_NE(BmpError(withSize(20000, -20000)).find("too large"), std::string::npos);
    EXPECT_NE(BmpError(withSize(INT_MAX, INT_MIN)).find("too large"), std::string::npos);
    EXPECT_NE(BmpError(withSize(3000, 3000)).find("pixel data is truncated"), std::string::npos);

    TBmpRecipe badIndex = Valid8Bit();
    badIndex.Rows[1][2] = 3;
    EXPECT_NE(BmpError(badIndex).find("pixel (2, 0) uses colour 3 of a palette of 3"), std::string::npos);

    TBmpRecipe rle = Valid8Bit();
    rle.Compression = 1;
    EXPECT_NE(BmpError(rle).find("RLE"), std::string::npos);
    TBmpRecipe oddBits = Valid8Bit();
    oddBits.BitCount = 7;
    EXPECT_NE(BmpError(oddBits).find("bit count of 7"), std::string::npos);
    TBmpRecipe masks24 = Valid8Bit();
    masks24.BitCount = 24, masks24.Compression = 3, masks24.Masks = {0xFF, 0xFF00, 0xFF0000};
    EXPECT_NE(BmpError(masks24).find("colour masks"), std::string::npos);
    TBmpRecipe oddHeader = Valid8Bit();
    oddHeader.HeaderSize = 44;
    EXPECT_NE(BmpError(oddHeader).find("44"), std::string::npos);

    TBytes bytes = BuildBmp(Valid8Bit());
    const std::string name = "skin/BAD_OFFSET";
    for (uint32_t offset : {0u, 20u, 0xFFFFFFF0u, uint32_t(bytes.size())}) {
        TBytes bad = bytes;
        bad[10] = uint8_t(offset), bad[11] = uint8_t(offset >> 8), bad[12] = uint8_t(offset >> 16),
        bad[13] = uint8_t(offset >> 24);
        const std::string message = InvalidMessage([&] { DecodeBMP(bad, name); });
        EXPECT_NE(message.find("\"skin/BAD_OFFSET\""), std::string::npos) << message;
        EXPECT_NE(message.find(offset < 54 ? "inside its headers" : "truncated"), std::string::npos)
            << message;
    }
    // Masks after a 40-byte header belong to the headers too.
    TBmpRecipe masks16;
    masks16.Width = 2, masks16.Height = 1, masks16.BitCount = 16, masks16.Compression = 3;
    masks16.Masks = {0xF800, 0x07E0, 0x001F}, masks16.Rows = {TBytes(4, 0)};
    TBytes intoMasks = BuildBmp(masks16);
    intoMasks[10] = 54;
    EXPECT_NE(
        InvalidMessage([&] { DecodeBMP(intoMasks, "m.bmp"); }).find("offset 54 lies inside its headers"),
        std::string::npos);

    // A failed decode leaves the caller's bitmap as it was.
    TSurface target = Patterned(2, 2);
    EXPECT_THROW(target = DecodeBMP(BuildBmp(badIndex), "bad.bmp"), EInvalidGraphic);
    EXPECT_EQ(target, Patterned(2, 2));
}

namespace {

// Sound files of several kinds: short palettes, masks, a core header, a PNG.
std::vector<TBytes> ValidSamples() {
    TBmpRecipe v5;
    v5.HeaderSize = 124, v5.Width = 3, v5.BitCount = 32, v5.Compression = 3,
    v5.Masks = {0xFF0000, 0xFF00, 0xFF};
    TBmpRecipe core;
    core.HeaderSize = 12, core.Width = 3, core.BitCount = 4, core.Palette = {1, 2, 3};
    TBmpRecipe mono;
    mono.Width = 9, mono.BitCount = 1, mono.Palette = {0x000000, 0xFFFFFF};
    TBmpRecipe direct;
    direct.Width = 2, direct.BitCount = 24;
    return {BuildBmp(Valid8Bit()),
            BuildBmp(WithRows(v5, true, {TBytes(12, 7)})),
            BuildBmp(WithRows(core, false, {PackIndices(4, {0, 1, 2})})),
            BuildBmp(WithRows(mono, false, {PackIndices(1, {1, 0, 1, 0, 1, 0, 1, 0, 1}), TBytes(2, 0)})),
            BuildBmp(WithRows(direct, true, {TBytes(6, 0x40), TBytes(6, 0x80), TBytes(6, 0xC0)})),
            EncodePNG(Patterned(5, 3))};
}

// Every cut and every damaged byte of the file, with what it stands for.
void ForEachMangling(const TBytes& file, const std::function<void(std::span<const uint8_t>, const std::string&)>& f) {
    for (size_t length = 0; length < file.size(); ++length)
        f(std::span(file).first(length), std::to_string(length) + " bytes");
    for (size_t at = 0; at < file.size(); ++at)
        for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            TBytes damaged = file;
            damaged[at] = value;
            f(damaged, "byte " + std::to_string(at) + " = " + std::to_string(value));
        }
}

} // namespace

TEST(ImageCodecs, EveryTruncationAndByteDamageIsRejectedCleanly) {
    const std::vector<TBytes> valid = ValidSamples();
    for (const TBytes& file : valid) {
        ASSERT_NO_THROW(DecodeImage(file, "valid"));
        for (size_t length = 0; length < file.size(); ++length) {
            const std::string message =
                InvalidMessage([&] { DecodeImage(std::span(file).first(length), "cut.img"); });
            EXPECT_NE(message.find("cut.img"), std::string::npos) << length << " bytes: " << message;
        }
        for (size_t at = 0; at < file.size(); ++at)
            for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                TBytes damaged = file;
                damaged[at] = value;
                ExpectDecodesOrRejects(damaged, "byte " + std::to_string(at) + " = " + std::to_string(value));
            }
    }
}

// The header check stands in for a decode deferred until the pixels are needed: what it passes with a size
// decodes to that size, and what it rejects, decoding rejects with the same words.
TEST(ImageCodecs, TheHeaderCheckFailsAsDecodingWouldAndPassesOnlyWhatDecodes) {
    int sized = 0, deferred = 0;
    for (const TBytes& file : ValidSamples())
        ForEachMangling(file, [&](std::span<const uint8_t> bytes, const std::string& what) {
            std::optional<TSize> size;
            const std::string checked = InvalidMessage([&] { size = SoundImageSize(bytes, "x.img"); });
            TSurface decoded;
            const std::string decoding = InvalidMessage([&] { decoded = DecodeImage(bytes, "x.img"); });
            if (size) {
                ++sized;
                EXPECT_EQ(decoding, "(no EInvalidGraphic)") << what;
                EXPECT_EQ(*size, (TSize{decoded.Width(), decoded.Height()})) << what;
            } else if (checked != "(no EInvalidGraphic)") {
                EXPECT_EQ(checked, decoding) << what;
            } else {
                ++deferred;
            }
        });
    EXPECT_GT(sized, 1000) << "direct colour and full palettes need no decode to be known sound";
    EXPECT_GT(deferred, 0);

    // Only a palette shorter than the indices reach, or a PNG, needs the pixels decoded.
    EXPECT_EQ(SoundImageSize(BuildBmp(Valid8Bit()), "short.bmp"), std::nullopt);
    EXPECT_EQ(SoundImageSize(EncodePNG(Patterned(5, 3)), "p.png"), std::nullopt);
    EXPECT_EQ(SoundImageSize(ValidSamples()[3], "mono.bmp"), (TSize{9, 2}));
    EXPECT_EQ(InvalidMessage([&] { SoundImageSize({}, "empty"); }),
              "Unknown image format in \"empty\": it is neither a BMP nor a PNG image");
}

TEST(ImageCodecs, MalformedPngsAndUnknownFormatsNameTheSource) {
    TBytes png = EncodePNG(Patterned(4, 4));
    // Width in the header chunk made huge; the chunk's checksum no longer matches either way.
    TBytes huge = png;
    huge[16] = 0x7F;
    EXPECT_NE(InvalidMessage([&] { DecodePNG(huge, "huge.png"); }).find("\"huge.png\""), std::string::npos);
    const TBytes wide = WritePng(40000, 1, PNG_FORMAT_GRAY, TBytes(40000, 9));
    EXPECT_NE(InvalidMessage([&] { DecodePNG(wide, "wide.png"); }).find("40000 x 1 pixels is too large"),
              std::string::npos);
    EXPECT_NE(InvalidMessage([&] { DecodePNG(BuildBmp(Valid8Bit()), "notpng.png"); }).find("PNG signature"),
              std::string::npos);
    EXPECT_NE(InvalidMessage([&] {
                  DecodeImage(TBytes{'G', 'I', 'F', '8'}, "anim.gif");
              }).find("\"anim.gif\""),
              std::string::npos);
    EXPECT_THROW(DecodeImage({}, "empty"), EInvalidGraphic);
}

TEST(ImageCodecs, FilesAreSavedAndLoadedAndErrorsNameThePath) {
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("vmr_codecs_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const TSurface original = Patterned(7, 3);
    SaveBMPFile(original, (dir / "a.bmp").string());
    SavePNGFile(original, (dir / "a.png").string());
    EXPECT_EQ(LoadImageFile((dir / "a.bmp").string()), original);
    EXPECT_EQ(LoadImageFile((dir / "a.png").string()), original);

    // An image that cannot be encoded does not clobber the file already there.
    EXPECT_THROW(SavePNGFile(TSurface(), (dir / "a.png").string()), EInvalidGraphic);
    EXPECT_EQ(LoadImageFile((dir / "a.png").string()), original);

    const std::string missing = (dir / "missing.bmp").string();
    try {
        LoadImageFile(missing);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\": No such file or directory");
    }
    EXPECT_THROW(LoadImageFile(dir.string()), EFOpenError);
    const std::string unwritable = (dir / "no" / "such" / "dir.bmp").string();
    try {
        SaveBMPFile(original, unwritable);
        ADD_FAILURE() << "no error for an unwritable path";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find(unwritable), std::string::npos);
    }
    { std::ofstream(dir / "text.bmp") << "BMnot really"; }
    EXPECT_NE(InvalidMessage([&] { LoadImageFile((dir / "text.bmp").string()); }).find("text.bmp"),
              std::string::npos);
    std::filesystem::remove_all(dir);
}
