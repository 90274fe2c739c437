#include "GraphicsTestHelpers.h"

#include "classlib/Icon.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>

namespace {
const std::vector<uint8_t>& SwatchFile() {
    static const std::vector<uint8_t> bytes = EncodeBMP(TSurface(3, 2, RGBToPixel(clTeal)));
    return bytes;
}

struct GraphicsPicture : ::testing::Test {
    void SetUp() override {
        static const TResourceEntry entries[] = {{"SWATCH", SwatchFile().data(), SwatchFile().size()}};
        RegisterResources(entries, 1);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }
    const std::string Folder =
        (std::filesystem::temp_directory_path() / ("vmr-picture-" + std::to_string(getpid()))).string();
};
} // namespace

TEST_F(GraphicsPicture, AssignCopiesTheGraphicAndEveryChangeIsReported) {
    TPicture source;
    FillRows(*source.Bitmap(), {{clRed, clBlue}});
    TPicture picture;
    Counted counted;
    picture.OnChange = counted.Handler();
    picture.Assign(&source);
    EXPECT_EQ(counted.Changes, 1);
    ASSERT_NE(picture.Graphic(), source.Graphic());
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Bitmap()->Surface(), source.Bitmap()->Surface());

    // Changes of the held graphic are the picture's changes; the source's are not.
    picture.Bitmap()->SetHeight(5);
    picture.Bitmap()->Canvas()->SetPixels(0, 0, clLime);
    source.Bitmap()->SetHeight(9);
    EXPECT_EQ(counted.Changes, 3);
    EXPECT_EQ(picture.Height(), 5);

    // Asking for an icon replaces the bitmap.
    TIcon* icon = picture.Icon();
    EXPECT_EQ(picture.Graphic(), icon);
    EXPECT_EQ(counted.Changes, 4);
    TBitmap frame;
    EXPECT_EQ(ErrorOf([&] { frame.Assign(&picture); }), "Cannot assign a TIcon to a TBitmap");
    frame.Assign(&source); // a picture of a bitmap assigns into a bitmap
    EXPECT_EQ(frame.Height(), 9);

    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(counted.Changes, 5);
    picture.Assign(source.Graphic());
    EXPECT_EQ(picture.Height(), 9);
    picture.Assign(&picture);
    EXPECT_EQ(counted.Changes, 6);
}

TEST_F(GraphicsPicture, StoredDataNamesTheClassAndRoundTrips) {
    TPicture picture;
    FillRows(*picture.Bitmap(), {{clRed, clBlue}, {clLime, clYellow}});
    TMemoryStream stream;
    picture.WriteData(stream);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()), 8), "\x07TBitmap");
    stream.SetPosition(0);
    TPicture loaded;
    loaded.ReadData(stream);
    ASSERT_NE(dynamic_cast<TBitmap*>(loaded.Graphic()), nullptr);
    EXPECT_EQ(loaded.Bitmap()->Surface(), picture.Bitmap()->Surface());

    // The layout reader hands the inline bytes of "Picture.Data = {...}" over as they stand.
    TPictureSource source;
    source.Data.assign(stream.Memory(), stream.Memory() + stream.Size());
    EXPECT_EQ(FindPropInfo(&picture, "Data").GetPicture(picture), source);
    TPicture fromLayout;
    FindPropInfo(&fromLayout, "Data").SetPictureValue(fromLayout, source);
    EXPECT_EQ(fromLayout.Bitmap()->Surface(), picture.Bitmap()->Surface());
    // "Glyph.Data = {...}" holds a bitmap's own data, without a class name.
    TBitmap glyph;
    FindPropInfo(&glyph, "Data").SetPictureValue(glyph, InlinePictureData(*picture.Bitmap()));
    EXPECT_EQ(glyph.Surface(), picture.Bitmap()->Surface());
    FindPropInfo(&glyph, "Data").SetPictureValue(glyph, {"Swatch.bmp", {}});
    EXPECT_EQ(glyph.Width(), 3);
    glyph.LoadFromPictureSource({});
    EXPECT_TRUE(glyph.Empty());
    // Layouts written by hand hold the image file itself.
    const std::vector<uint8_t> png = EncodePNG(picture.Bitmap()->Surface());
    FindPropInfo(&glyph, "Data").SetPictureValue(glyph, {{}, png});
    EXPECT_EQ(glyph.Surface(), picture.Bitmap()->Surface());
    fromLayout.LoadFromPictureSource({{}, SwatchFile()});
    EXPECT_EQ(fromLayout.Bitmap()->Width(), 3);
    // A 1 x 4931 bitmap is a 19778-byte file: its stored length begins with "BM" and is still a length.
    TBitmap column;
    column.SetSize(1, 4931);
    const TPictureSource columnData = InlinePictureData(column);
    ASSERT_EQ(columnData.Data[0], 'B');
    ASSERT_EQ(columnData.Data[1], 'M');
    glyph.LoadFromPictureSource(columnData);
    EXPECT_EQ(glyph.Height(), 4931);
    const std::span<const uint8_t> afterName(stream.Memory() + 8, size_t(stream.Size() - 8));
    fromLayout.LoadFromClassAndBytes("TBitmap", afterName);
    EXPECT_EQ(fromLayout.Width(), 2);

    TPicture empty;
    TMemoryStream emptyStream;
    empty.WriteData(emptyStream);
    EXPECT_EQ(emptyStream.Size(), 1);
    emptyStream.SetPosition(0);
    loaded.ReadData(emptyStream);
    EXPECT_EQ(loaded.Graphic(), nullptr);

    EXPECT_EQ(ErrorOf([&] { loaded.LoadFromClassAndBytes("TMetafile", afterName); }),
              "A picture cannot hold a graphic of class TMetafile");
    TMemoryStream cut;
    cut.WriteBuffer("\x07TBit", 5);
    cut.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { loaded.ReadData(cut); }), "Stream read error");
}

TEST_F(GraphicsPicture, FilesByExtensionAndResourcesForMissingFiles) {
    std::filesystem::create_directories(Folder);
    TPicture picture;
    FillRows(*picture.Bitmap(), {{clRed, clBlue}});
    const std::string bmp = Folder + "/pair.bmp";
    picture.SaveToFile(bmp);
    TPicture loaded;
    loaded.LoadFromFile(bmp);
    EXPECT_EQ(loaded.Bitmap()->Surface(), picture.Bitmap()->Surface());
    SavePNGFile(picture.Bitmap()->Surface(), Folder + "/pair.png");
    loaded.LoadFromPictureSource({Folder + "/pair.png", {}});
    EXPECT_EQ(loaded.Bitmap()->Surface(), picture.Bitmap()->Surface());
    picture.SaveToFile(Folder + "/logo.ico");
    loaded.LoadFromFile(Folder + "/logo.ico");
    EXPECT_NE(dynamic_cast<TIcon*>(loaded.Graphic()), nullptr);

    EXPECT_EQ(ErrorOf([&] { loaded.LoadFromFile(Folder + "/notes.txt"); }),
              "Unknown picture file extension (.txt) of " + Folder + "/notes.txt");
    EXPECT_EQ(ErrorOf([&] { loaded.LoadFromFile(Folder + "/gone.bmp"); }),
              "Cannot open file " + Folder + "/gone.bmp");

    // A name that is no file is looked up among the embedded resources.
    loaded.LoadFromPictureSource({"pictures\\Swatch.bmp", {}});
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(PixelAt(*loaded.Bitmap(), 2, 1), clTeal);
    EXPECT_EQ(ErrorOf([&] {
                  loaded.LoadFromPictureSource({"Nowhere.bmp", {}});
              }),
              "Cannot open file Nowhere.bmp (no such file or embedded resource)");
    loaded.LoadFromPictureSource({});
    EXPECT_EQ(loaded.Graphic(), nullptr);
}

TEST_F(GraphicsPicture, AnEmbeddedPictureALayoutNamesIsSharedAndFailsWhereALoadedStreamWould) {
    static const std::vector<uint8_t> empty;
    static const std::vector<uint8_t> bad = [] {
        std::vector<uint8_t> bytes = SwatchFile();
        bytes[28] = 7; // bit count
        return bytes;
    }();
    static const TResourceEntry entries[] = {{"NOPIXELS", empty.data(), 0}, {"BADSWATCH", bad.data(), bad.size()}};
    RegisterResources(entries, 2);
    TBitmap direct;
    direct.LoadFromResourceName("SWATCH");
    TPicture loaded;
    loaded.LoadFromPictureSource({"pictures/swatch.bmp", {}});
    EXPECT_EQ(&std::as_const(*loaded.Bitmap()).Surface(), &std::as_const(direct).Surface())
        << "the embedded bytes are decoded once, for both";

    // As the stream over the embedded bytes loaded before: the same error, and no bytes give no image.
    TMemoryStream badStream;
    badStream.WriteBuffer(bad.data(), int64_t(bad.size()));
    badStream.SetPosition(0);
    TBitmap fromStream;
    const std::string streamError = ErrorOf([&] { fromStream.LoadFromStream(badStream); });
    EXPECT_NE(streamError.find("\"stream data\": it has an unsupported bit count of 7"), std::string::npos)
        << streamError;
    EXPECT_EQ(ErrorOf([&] { loaded.LoadFromPictureSource({"BadSwatch.bmp", {}}); }), streamError);
    EXPECT_EQ(loaded.Width(), 3);
    loaded.LoadFromPictureSource({"NOPIXELS.bmp", {}});
    ASSERT_NE(loaded.Graphic(), nullptr);
    EXPECT_TRUE(loaded.Graphic()->Empty());

    // A file of that name comes first.
    std::filesystem::create_directories(Folder);
    const std::string file = Folder + "/swatch.bmp";
    SaveBMPFile(TSurface(1, 1, RGBToPixel(clMaroon)), file);
    loaded.LoadFromPictureSource({file, {}});
    EXPECT_EQ(loaded.Width(), 1);
    EXPECT_EQ(PixelAt(*loaded.Bitmap(), 0, 0), clMaroon);
}

TEST_F(GraphicsPicture, TilesDrawnThroughTheCanvasKeepTheGraphicsTransparency) {
    TPicture picture;
    FillRows(*picture.Bitmap(), {{clRed, clBlue}, {clLime, clRed}});
    picture.Graphic()->SetTransparent(true); // bottom-left lime is the key
    TBitmap target;
    target.SetSize(4, 2);
    for (int x = 0; x < 4; x += picture.Width())
        target.Canvas()->Draw(x, 0, picture.Graphic());
    EXPECT_EQ(PixelAt(target, 2, 1), clWhite);
    EXPECT_EQ(PixelAt(target, 3, 0), clBlue);
}
