#include "GraphicsTestHelpers.h"

#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/Streams.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
// A 32 x 32 icon: magenta (transparent) except a blue 16 x 16 square at the top left and one stray blue
// pixel at the bottom right.
const std::vector<uint8_t>& IconFile() {
    static const std::vector<uint8_t> bytes = [] {
        TSurface icon(32, 32, RGBToPixel(clFuchsia));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                icon.SetPixel(x, y, RGBToPixel(clBlue));
        icon.SetPixel(31, 31, RGBToPixel(clBlue));
        return EncodeBMP(icon);
    }();
    return bytes;
}

void RegisterTestImages() {
    static const TResourceEntry entries[] = {{"TESTICON", IconFile().data(), IconFile().size()}};
    RegisterResources(entries, 1);
}

// Three distinct pixels on top, one below.
void FillSample(TBitmap& bitmap) {
    FillRows(bitmap, {{clRed, clLime, clBlue}, {clNavy, clYellow, clAqua}});
}
} // namespace

TEST(GraphicsBitmap, ResizingInEitherOrderKeepsTheTopLeftPixels) {
    TBitmap wideFirst, tallFirst;
    FillSample(wideFirst);
    FillSample(tallFirst);
    wideFirst.SetWidth(5);
    wideFirst.SetHeight(4);
    tallFirst.SetHeight(4);
    tallFirst.SetWidth(5);
    for (TBitmap* bitmap : {&wideFirst, &tallFirst}) {
        EXPECT_EQ(bitmap->Width(), 5);
        EXPECT_EQ(bitmap->Height(), 4);
        EXPECT_EQ(PixelAt(*bitmap, 0, 0), clRed);
        EXPECT_EQ(PixelAt(*bitmap, 2, 0), clBlue);
        EXPECT_EQ(PixelAt(*bitmap, 1, 1), clYellow);
        EXPECT_EQ(PixelAt(*bitmap, 4, 0), clWhite);
        EXPECT_EQ(PixelAt(*bitmap, 0, 3), clWhite);
    }
    // Shrinking loses pixels for good: growing again brings white.
    wideFirst.SetSize(1, 1);
    wideFirst.SetSize(3, 2);
    EXPECT_EQ(PixelAt(wideFirst, 0, 0), clRed);
    EXPECT_EQ(PixelAt(wideFirst, 1, 0), clWhite);
    // A canvas made before a resize draws on the whole new size.
    wideFirst.Canvas()->Brush()->SetColor(clBlack);
    wideFirst.SetSize(10, 10);
    wideFirst.Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(PixelAt(wideFirst, 9, 9), clBlack);

    Counted counted;
    tallFirst.OnChange = counted.Handler();
    tallFirst.SetSize(5, 4);
    tallFirst.SetWidth(-3); // negative sizes become 0
    EXPECT_EQ(counted.Changes, 1);
    EXPECT_TRUE(tallFirst.Empty());
}

TEST(GraphicsBitmap, EmptyBitmapsAreSafeEverywhere) {
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    TCanvas& canvas = *empty.Canvas();
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.SetPixels(0, 0, clRed);
    canvas.LineTo(5, 5);
    EXPECT_EQ(canvas.Pixels(0, 0), CLR_INVALID);
    TBitmap copy;
    FillSample(copy);
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
    TMemoryStream stream;
    empty.SaveToStream(stream);
    empty.WriteData(stream);
    stream.SetPosition(0);
    copy.ReadData(stream); // an empty bitmap is stored as no bytes
    EXPECT_TRUE(copy.Empty());
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.Empty());
    canvas.Draw(0, 0, &copy);
    canvas.CopyRect(Rect(0, 0, 4, 4), *copy.Canvas(), Rect(0, 0, 4, 4));
}

TEST(GraphicsBitmap, StreamsCarryThePixelsAndPictureDataItsLength) {
    TBitmap bitmap;
    FillSample(bitmap);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()), 2), "BM");
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Surface(), bitmap.Surface());

    // Picture data: a 32-bit length, the file, and whatever follows stays unread.
    TMemoryStream data;
    bitmap.WriteData(data);
    const uint8_t trailer = 0x5A;
    data.WriteBuffer(&trailer, 1);
    data.SetPosition(0);
    TBitmap fromData;
    fromData.ReadData(data);
    EXPECT_EQ(fromData.Surface(), bitmap.Surface());
    EXPECT_EQ(data.Position(), data.Size() - 1);

    // A length past the end of the stream is refused before anything is read.
    uint32_t tooLong = 1000;
    data.SetPosition(0);
    data.WriteBuffer(&tooLong, 4);
    data.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { fromData.ReadData(data); }),
              "Stream read error: the bitmap data claims 1000 bytes but the stream holds fewer");

    // PNG is accepted on load.
    const std::vector<uint8_t> png = EncodePNG(bitmap.Surface());
    TMemoryStream pngStream;
    pngStream.WriteBuffer(png.data(), int64_t(png.size()));
    pngStream.SetPosition(0);
    loaded.SetSize(0, 0);
    loaded.LoadFromStream(pngStream);
    EXPECT_EQ(loaded.Surface(), bitmap.Surface());

    TMemoryStream garbage;
    garbage.WriteBuffer("not an image", 12);
    garbage.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { loaded.LoadFromStream(garbage); }),
              "Unknown image format in \"stream data\": it is neither a BMP nor a PNG image");
}

TEST(GraphicsBitmap, ResourcesLoadByNameAndAMissingOneIsNamed) {
    RegisterTestImages();
    TBitmap bitmap;
    bitmap.LoadFromResourceName("testicon");
    EXPECT_EQ(bitmap.Width(), 32);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlue);
    try {
        bitmap.LoadFromResourceName("PROTEIN_NOWHERE");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource PROTEIN_NOWHERE not found");
    }
    EXPECT_EQ(bitmap.Width(), 32); // unchanged
}

TEST(GraphicsBitmap, BitmapsOfOneResourceShareItsPixelsUntilOneChanges) {
    RegisterTestImages();
    TBitmap first, second, third;
    first.LoadFromResourceName("TESTICON");
    second.LoadFromResourceName("testicon");
    EXPECT_EQ(&std::as_const(first).Surface(), &std::as_const(second).Surface()) << "one decoded picture";

    first.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(PixelAt(first, 0, 0), clRed);
    EXPECT_EQ(PixelAt(second, 0, 0), clBlue) << "the other keeps the picture";
    second.Surface().SetPixel(1, 0, RGBToPixel(clLime));
    third.Assign(&second);
    EXPECT_EQ(PixelAt(third, 1, 0), clLime);
    third.LoadFromResourceName("TESTICON");
    EXPECT_EQ(PixelAt(third, 0, 0), clBlue) << "the decoded picture itself never changes";
    EXPECT_EQ(PixelAt(third, 1, 0), clBlue);

    // Assigned from a shared one, a bitmap shares too, and a size change gives it pixels of its own.
    TBitmap assigned;
    assigned.Assign(&third);
    EXPECT_EQ(&std::as_const(assigned).Surface(), &std::as_const(third).Surface());
    assigned.SetSize(40, 32);
    EXPECT_EQ(assigned.Width(), 40);
    EXPECT_EQ(third.Width(), 32);
    EXPECT_EQ(PixelAt(assigned, 0, 0), clBlue);
    EXPECT_EQ(PixelAt(assigned, 39, 0), clWhite);

    // A bitmap with a canvas takes a copy, so its canvas keeps drawing into what it shows.
    first.LoadFromResourceName("TESTICON");
    first.Canvas()->SetPixels(2, 0, clRed);
    EXPECT_EQ(PixelAt(first, 2, 0), clRed);
    EXPECT_EQ(PixelAt(second, 2, 0), clBlue);
}

TEST(GraphicsBitmap, AnEmbeddedPictureIsCheckedWhenLoadedAndDecodedWhereItLiesAtTheFirstLook) {
    // Bytes that the test may change where they are embedded: the decode reads them there, once.
    static std::vector<uint8_t> late = EncodeBMP(TSurface(2, 1, RGBToPixel(clRed)));
    static std::vector<uint8_t> bad = late;
    bad[14] = 44; // a bitmap header of an unknown size
    static const TResourceEntry entries[] = {{"LATEPICTURE", late.data(), late.size()},
                                             {"BADPICTURE", bad.data(), bad.size()}};
    RegisterResources(entries, 2);
    TBitmap bitmap, other;
    bitmap.LoadFromResourceName("LATEPICTURE");
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 1);
    late[54] = 0xFF, late[55] = 0, late[56] = 0; // the first pixel turns blue before anyone looks
    EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlue);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), clRed);
    late[54] = 0, late[56] = 0xFF;
    other.LoadFromResourceName("latepicture");
    EXPECT_EQ(PixelAt(other, 0, 0), clBlue) << "decoded once";
    EXPECT_EQ(&std::as_const(other).Surface(), &std::as_const(bitmap).Surface());

    // A bad picture fails when it is loaded, with the words of a decode, and nothing changes.
    const std::string decodeError = ErrorOf([&] { DecodeImage(bad, "BADPICTURE"); });
    EXPECT_NE(decodeError.find("unknown size of 44"), std::string::npos) << decodeError;
    EXPECT_EQ(ErrorOf([&] { bitmap.LoadFromResourceName("BADPICTURE"); }), decodeError);
    EXPECT_EQ(ErrorOf([&] { bitmap.LoadFromResourceName("BADPICTURE"); }), decodeError) << "not kept as sound";
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlue);
}

TEST(GraphicsBitmap, AssignCopiesPixelsAndTransparencyWithOneNotification) {
    TBitmap source;
    FillSample(source);
    source.SetTransparent(true);
    source.SetTransparentColor(clYellow);
    source.SetPixelFormat(pf24bit);
    TBitmap copy;
    Counted counted;
    copy.OnChange = counted.Handler();
    copy.Assign(&source);
    EXPECT_EQ(counted.Changes, 1);
    EXPECT_EQ(copy.Surface(), source.Surface());
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clYellow);
    EXPECT_EQ(copy.TransparentMode(), tmFixed);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    copy.Canvas()->SetPixels(0, 0, clBlack); // a copy, not a share
    EXPECT_EQ(PixelAt(source, 0, 0), clRed);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    TIcon icon;
    EXPECT_EQ(ErrorOf([&] { copy.Assign(&icon); }), "Cannot assign a TIcon to a TBitmap");
}

TEST(GraphicsIcon, ScaledDownIconKeepsItsShapeAndDrawsTransparent) {
    RegisterTestImages();
    TIcon icon;
    icon.LoadFromResourceName("TESTICON");
    EXPECT_EQ(icon.Width(), 32);
    TIcon small;
    small.LoadFromResourceName("TESTICON", 16, 16);
    ASSERT_EQ(small.Width(), 16);
    ASSERT_EQ(small.Height(), 16);
    EXPECT_EQ(PixelToColor(small.Surface().Pixel(7, 7)), clBlue);
    EXPECT_EQ(PixelToColor(small.Surface().Pixel(8, 8)), clFuchsia);
    EXPECT_EQ(PixelToColor(small.Surface().Pixel(15, 15)), clFuchsia); // one blue pixel of four: transparent
    EXPECT_TRUE(small.Transparent());
    EXPECT_EQ(ErrorOf([&] { small.SetWidth(20); }), "An icon cannot be resized (width 20)");

    TBitmap target;
    target.SetSize(20, 20);
    target.Canvas()->Draw(2, 2, &small);
    EXPECT_EQ(PixelAt(target, 2, 2), clBlue);
    EXPECT_EQ(PixelAt(target, 12, 12), clWhite);
    EXPECT_EQ(PixelAt(target, 1, 1), clWhite);
    EXPECT_EQ(ErrorOf([&] { icon.LoadFromResourceName("NOICON"); }), "Resource NOICON not found");
}
