#include "ThemeFileBuilder.h"

#include "classlib/Bitmap.h"
#include "classlib/Streams.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "skin/RegisterSkin.h"
#include "skin/TAVThemeFile.h"
#include "skin/TAVThemes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include <linux/capability.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// While it lives, this thread is held to file permissions as other users are, also when it runs as root: it
// drops the capabilities that pass over them and takes them back at the end.
class TWithoutAccessOverride {
public:
    TWithoutAccessOverride() {
        if (Capabilities(SYS_capget, FSaved) != 0) return;
        auto dropped = FSaved;
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            dropped[0].effective &= ~(1u << cap);
        FChanged = Capabilities(SYS_capset, dropped) == 0;
    }
    ~TWithoutAccessOverride() {
        if (FChanged) Capabilities(SYS_capset, FSaved);
    }
    TWithoutAccessOverride(const TWithoutAccessOverride&) = delete;
    TWithoutAccessOverride& operator=(const TWithoutAccessOverride&) = delete;

private:
    using TSets = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;
    static long Capabilities(long call, TSets& sets) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(call, &header, sets.data());
    }
    TSets FSaved{};
    bool FChanged = false;
};

using B = TThemeFileBuilder;

constexpr int kButtonImage = 1, kButtonTransparentBool = 2, kFormBorderColor = 16, kFormBorderWidthInt = 17;

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

std::vector<uint8_t> SmallBMP(int width, int height, TPixel fill) {
    return EncodeBMP(TSurface(width, height, fill));
}

class ThemeFileTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSkinClasses(); }
    std::string Save(const B& builder, const std::string& name = "theme.tav") {
        const std::string path = Folder.File(name);
        builder.Save(path);
        return path;
    }
    TTempFolder Folder;
};

// The smallest useful file, laid out as the format describes it.
B SmallestFile(int32_t colour) {
    B b;
    b.PutEntry(24, {"FormBorderColor", B::Integer, 178, 4, 101});
    b.PutEntry(101, {"ignored", B::Image, 9999, 9999, 0});
    b.PutBytes(178, B::Int32(colour));
    return b;
}

TEST_F(ThemeFileTest, SmallestFileCarriesOneColour) {
    const B b = SmallestFile(0x2D30C4);
    ASSERT_EQ(b.Bytes.size(), 182u);
    TtavThemeFileReader reader(Save(b));
    EXPECT_EQ(Lines(reader.Integers()), std::vector<std::string>{"FormBorderColor=2961604"});
    EXPECT_EQ(reader.Images().Count() + reader.Booleans().Count() + reader.Texts().Count(), 0);

    TtavFileThemeMgr mgr;
    EXPECT_TRUE(mgr.LoadThemeFile(Save(b)));
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderColor), 0x2D30C4);
    EXPECT_EQ(mgr.GetKeyInt(kFormBorderColor), 0x2D30C4);
    EXPECT_EQ(mgr.GetKeyInt(kFormBorderWidthInt), -1);
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderWidthInt), -1);
    EXPECT_FALSE(mgr.GetKeyBool(kButtonTransparentBool));
}

TEST_F(ThemeFileTest, ChainsStoreEverythingBeforeTheirTerminator) {
    // One entry that is its own terminator: nothing.
    B lone;
    lone.PutEntry(24, {"FormBorderColor", B::Integer, 101, 4, 0});
    lone.PutBytes(101, B::Int32(5));
    TtavFileThemeMgr mgr;
    ASSERT_TRUE(mgr.LoadThemeFile(Save(lone)));
    for (int key = 1; key <= ThemeKeyCount; ++key) {
        EXPECT_EQ(mgr.GetKeyInt(key), -1) << key;
        EXPECT_EQ(mgr.GetKeyColor(key), -1) << key;
        EXPECT_FALSE(mgr.GetKeyBool(key)) << key;
    }

    // A, B, T: T's data would raise if it were read.
    B abt;
    abt.PutEntry(24, {"FormBorderWidthInt", B::Integer, 300, 4, 200});
    abt.PutEntry(200, {"ButtonTransparentBool", B::Boolean, 304, 1, 400});
    abt.PutEntry(400, {"ButtonImage", B::Image, 0xFFFFFF00, 500, 0});
    abt.PutBytes(300, B::Int32(3));
    abt.PutBytes(304, {1});
    TtavThemeFileReader reader(Save(abt));
    EXPECT_EQ(Lines(reader.Integers()), std::vector<std::string>{"FormBorderWidthInt=3"});
    EXPECT_EQ(Lines(reader.Booleans()), std::vector<std::string>{"ButtonTransparentBool=1"});
    EXPECT_EQ(reader.Images().Count(), 0);
}

TEST_F(ThemeFileTest, LookupsByNameAndKind) {
    const B b = B::Chain({
        {"FormBorderColor", B::Integer, B::Int32(0x112233)},
        {"formbordercolor", B::Integer, B::Int32(0x445566)},
        {"FormBorderWidthInt", B::Integer, B::Int32(-1)},
        {"ButtonTransparentBool", B::Boolean, {2}},
        {"TitleBarButtonTransparentBool", B::Boolean, {0}},
        {"ButtonImage", B::String, B::Text("not a picture")},
        {"CheckBoxImage", B::Image, SmallBMP(5, 3, 0x00FF00)},
        {"Unknown", 9, B::Int32(1)},
    });
    TtavThemeFileReader reader(Save(b));
    EXPECT_EQ(reader.GetIntByName("FormBorderColor"), 0x112233);
    EXPECT_EQ(reader.GetIntByName("FORMBORDERCOLOR"), 0x112233);
    EXPECT_EQ(reader.GetIntByName("FormBorderWidthInt"), -1);
    EXPECT_EQ(reader.GetIntByName("Missing"), -1);
    EXPECT_TRUE(reader.GetBoolByName("ButtonTransparentBool"));
    EXPECT_FALSE(reader.GetBoolByName("TitleBarButtonTransparentBool"));
    EXPECT_EQ(reader.GetImageStreamByName("ButtonImage"), nullptr);
    EXPECT_EQ(Lines(reader.Texts()), std::vector<std::string>{"ButtonImage=not a picture"});
    EXPECT_EQ(reader.Integers().Count(), 3); // the unknown type is left out

    TtavFileThemeMgr mgr;
    ASSERT_TRUE(mgr.LoadThemeFile(Save(b)));
    TBitmap unchanged;
    unchanged.SetSize(2, 2);
    mgr.GetKeyImage(kButtonImage, &unchanged);
    EXPECT_EQ(unchanged.Width(), 2);
    // The stream is rewound for every lookup, so the image loads twice alike.
    for (int round = 0; round < 2; ++round) {
        TBitmap check;
        mgr.GetKeyImage(3, &check);
        ASSERT_EQ(check.Width(), 5);
        EXPECT_EQ(check.Height(), 3);
        EXPECT_EQ(check.Surface().Pixel(4, 2), 0x00FF00u);
    }
    // Keys outside 1 to 42 find nothing, not even an entry with an empty name.
    EXPECT_EQ(mgr.GetKeyInt(0), -1);
    EXPECT_EQ(mgr.GetKeyInt(43), -1);
    EXPECT_FALSE(mgr.GetKeyBool(-5));
}

TEST_F(ThemeFileTest, ManagerWithoutReader) {
    TtavFileThemeMgr mgr;
    EXPECT_EQ(mgr.GetKeyInt(kFormBorderWidthInt), 0);
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderColor), 0);
    EXPECT_FALSE(mgr.GetKeyBool(kButtonTransparentBool));
    TBitmap bitmap;
    bitmap.SetSize(3, 4);
    mgr.GetKeyImage(kButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_FALSE(mgr.LoadThemeFile(Folder.File("missing.tav")));
    EXPECT_FALSE(mgr.HasReader());
}

TEST_F(ThemeFileTest, AFailedLoadLeavesNoReader) {
    TtavFileThemeMgr mgr;
    ASSERT_TRUE(mgr.LoadThemeFile(Save(SmallestFile(7), "first.tav")));
    // A file that does not exist changes nothing.
    EXPECT_FALSE(mgr.LoadThemeFile(Folder.File("second.tav")));
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderColor), 7);

    // Image data beyond the end of the file.
    B damaged = B::Chain({{"FormBorderColor", B::Integer, B::Int32(9)}, {"ButtonImage", B::Image, {1, 2}}});
    damaged.PutU32(24 + 77 + 69, 5000);
    try {
        mgr.LoadThemeFile(Save(damaged, "damaged.tav"));
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    // The first file's reader went before the damaged file was read.
    EXPECT_FALSE(mgr.HasReader());
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderColor), 0);
    EXPECT_FALSE(mgr.GetKeyBool(kButtonTransparentBool));
    ASSERT_TRUE(mgr.LoadThemeFile(Save(SmallestFile(8), "third.tav")));
    EXPECT_EQ(mgr.GetKeyColor(kFormBorderColor), 8);
}

TEST_F(ThemeFileTest, UnreadableFileNamesItself) {
    TtavFileThemeMgr mgr;
    ASSERT_TRUE(mgr.LoadThemeFile(Save(SmallestFile(1), "first.tav")));
    const std::string path = Save(SmallestFile(2));
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    TWithoutAccessOverride asOtherUsers;
    ASSERT_NE(faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS), 0);
    try {
        mgr.LoadThemeFile(path);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
    }
    EXPECT_FALSE(mgr.HasReader());
}

TEST_F(ThemeFileTest, DamagedFilesReadWhatIsThere) {
    // A header length beyond the header is not followed.
    B longHeader = SmallestFile(11);
    longHeader.PutU32(12, 0xFFFFFFFF);
    EXPECT_EQ(TtavThemeFileReader(Save(longHeader)).GetIntByName("FormBorderColor"), 11);

    // A file shorter than its header: no entry.
    B stub;
    stub.Bytes.resize(10);
    EXPECT_EQ(TtavThemeFileReader(Save(stub)).Integers().Count(), 0);

    // A truncated second entry ends the chain after the first.
    B truncated = B::Chain(
        {{"FormBorderColor", B::Integer, B::Int32(4)}, {"FormBorderWidthInt", B::Integer, B::Int32(6)}});
    truncated.Bytes.resize(24 + 77 + 40);
    TtavThemeFileReader cut(Save(truncated));
    EXPECT_EQ(Lines(cut.Integers()),
              std::vector<std::string>{"FormBorderColor=0"}); // its data was cut off too

    // Chains that come back to an entry already read.
    B self;
    self.PutEntry(24, {"FormBorderColor", B::Integer, 101, 4, 24});
    self.PutBytes(101, B::Int32(8));
    EXPECT_EQ(Lines(TtavThemeFileReader(Save(self)).Integers()),
              std::vector<std::string>{"FormBorderColor=8"});
    B loop;
    loop.PutEntry(24, {"A", B::Integer, 300, 4, 101});
    loop.PutEntry(101, {"B", B::Boolean, 300, 1, 24});
    loop.PutBytes(300, B::Int32(0x0102));
    TtavThemeFileReader looped(Save(loop));
    EXPECT_EQ(Lines(looped.Integers()), std::vector<std::string>{"A=258"});
    EXPECT_EQ(Lines(looped.Booleans()), std::vector<std::string>{"B=2"});
}

TEST_F(ThemeFileTest, ValuesNeverTakeMoreThanTheirSize) {
    B b = B::Chain({
        {"Short", B::Integer, {0x34, 0x12}},
        {"Long", B::Integer, {1, 0, 0, 0, 9, 9, 9, 9, 9, 9}},
        {"Empty", B::Integer, {}},
        {"WideBool", B::Boolean, {0, 1, 1, 1}},
        {"NoBool", B::Boolean, {}},
        {"PastEnd", B::Integer, {}},
        {"Tail", B::String, B::Text("abc")},
    });
    // PastEnd's data starts at the file's last 2 bytes; Tail's text runs past the end.
    const uint32_t size = uint32_t(b.Bytes.size());
    b.PutU32(24 + 77 * 5 + 65, size - 2);
    b.PutU32(24 + 77 * 5 + 69, 4);
    b.PutU32(24 + 77 * 6 + 65, size - 3);
    b.PutU32(24 + 77 * 6 + 69, 100);
    TtavThemeFileReader reader(Save(b));
    EXPECT_EQ(Lines(reader.Integers()), (std::vector<std::string>{"Short=4660", "Long=1", "Empty=0",
                                                                  "PastEnd=" + std::to_string(0x6362)}));
    EXPECT_EQ(Lines(reader.Booleans()), (std::vector<std::string>{"WideBool=0", "NoBool=0"}));
    EXPECT_EQ(Lines(reader.Texts()), std::vector<std::string>{"Tail=abc"});

    // Names fill their 64 bytes without a terminator; an image of absurd size raises before allocating.
    const std::string name64(64, 'N');
    B named = B::Chain({{name64, B::Integer, B::Int32(3)}, {"Huge", B::Image, {}}});
    EXPECT_EQ(Lines(TtavThemeFileReader(Save(named)).Integers()), std::vector<std::string>{name64 + "=3"});
    named.PutU32(24 + 77 + 69, 0xFFFFFFFF);
    EXPECT_THROW(TtavThemeFileReader(Save(named)), EReadError);
}

TEST_F(ThemeFileTest, OverlappingEntriesHoldNoMoreThanTheFile) {
    // Many entries over overlapping image data: each copy is fine alone, together they outgrow the file.
    std::vector<B::TItem> items(40, {"ButtonImage", B::Image, {}});
    B b = B::Chain(items);
    const uint32_t size = uint32_t(b.Bytes.size());
    for (size_t i = 0; i < items.size(); ++i) {
        b.PutU32(24 + 77 * i + 65, uint32_t(i));
        b.PutU32(24 + 77 * i + 69, size / 8);
    }
    EXPECT_THROW(TtavThemeFileReader(Save(b)), EReadError);
    // Texts are copies each, also of the same data.
    for (size_t i = 0; i < items.size(); ++i)
        b.PutU32(24 + 77 * i + 65, 0);
    for (size_t i = 0; i < items.size(); ++i)
        b.PutByte(24 + 77 * i + 64, B::String);
    EXPECT_THROW(TtavThemeFileReader(Save(b)), EReadError);
    for (size_t i = 8; i < items.size(); ++i)
        b.PutByte(24 + 77 * i + 64, B::Integer);
    EXPECT_EQ(TtavThemeFileReader(Save(b)).Texts().Count(), 8);
}

TEST_F(ThemeFileTest, EntriesShareImageData) {
    const std::vector<uint8_t> bmp = SmallBMP(3, 2, 0x0000FF);
    B b = B::Chain({{"ButtonImage", B::Image, bmp}, {"CheckBoxImage", B::Image, {}},
                    {"FormBorderColor", B::Integer, B::Int32(5)}});
    // The second image names the first one's data.
    const uint32_t data = 24 + 77 * 4;
    b.PutU32(24 + 77 + 65, data);
    b.PutU32(24 + 77 + 69, uint32_t(bmp.size()));
    TtavThemeFileReader reader(Save(b));
    EXPECT_EQ(Lines(reader.Images()), (std::vector<std::string>{"ButtonImage", "CheckBoxImage"}));
    EXPECT_EQ(reader.GetIntByName("FormBorderColor"), 5);
    TMemoryStream* first = reader.GetImageStreamByName("ButtonImage");
    ASSERT_NE(first, nullptr);
    first->SetPosition(7);
    TMemoryStream* second = reader.GetImageStreamByName("CheckBoxImage");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Position(), 0);
    ASSERT_EQ(second->Size(), int64_t(bmp.size()));
    EXPECT_TRUE(std::equal(bmp.begin(), bmp.end(), second->Memory()));

    TtavFileThemeMgr mgr;
    ASSERT_TRUE(mgr.LoadThemeFile(Save(b)));
    TBitmap bitmap;
    mgr.GetKeyImage(kButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);

    // More entries over one image than the file could hold copies of: it is held once.
    std::vector<B::TItem> items(30, {"ButtonImage", B::Image, {}});
    B many = B::Chain(items);
    const uint32_t size = uint32_t(many.Bytes.size());
    for (size_t i = 0; i < items.size(); ++i) {
        many.PutU32(24 + 77 * i + 65, 0);
        many.PutU32(24 + 77 * i + 69, size / 2);
    }
    EXPECT_EQ(TtavThemeFileReader(Save(many)).Images().Count(), 30);
}

} // namespace
