#include "classlib/ResourceStream.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "platform/Exception.h"
#include "platform/Resources.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vmr_classlib_" + std::to_string(getpid()) + "_" + name))
        .string();
}
} // namespace

TEST(Streams, MemoryStreamGrowsSeeksAndReportsShortReads) {
    TMemoryStream stream;
    stream.WriteBuffer("hello", 5);
    EXPECT_EQ(stream.Size(), 5);
    stream.SetPosition(8);
    stream.WriteBuffer("!", 1); // writing past the end fills the gap with zeros
    EXPECT_EQ(stream.Size(), 9);
    EXPECT_EQ(stream.Memory()[6], 0);
    EXPECT_EQ(stream.Seek(-4, soEnd), 5);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4);
    stream.SetPosition(0);
    stream.ReadBuffer(buffer, 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    try {
        stream.ReadBuffer(buffer, 5);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_THROW(stream.Seek(-1, soBeginning), EStreamError);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
}

TEST(Streams, FileStreamRoundTripAndErrorsNameThePath) {
    std::string path = TempPath("file.txt");
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("abc\ndef", 7);
    }
    TMemoryStream copy;
    copy.LoadFromFile(path);
    EXPECT_EQ(copy.Size(), 7);
    {
        TFileStream in(path, fmOpenRead);
        EXPECT_EQ(in.Size(), 7);
        TMemoryStream part;
        in.SetPosition(4);
        part.CopyFrom(in, 3);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(part.Memory()), 3), "def");
        EXPECT_EQ(in.Write("x", 1), 0); // opened for reading only
        EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    }
    TStringList lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Count(), 2);
    std::filesystem::remove(path);

    std::string missing = TempPath("missing/none.txt");
    try {
        TFileStream in(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + missing);
    }
    EXPECT_THROW(TFileStream(missing, fmCreate), EFCreateError);
}

TEST(Streams, ResourceStreamReadsAnEmbeddedResourceAndCannotWrite) {
    static const uint8_t bytes[] = {'s', 'k', 'i', 'n'};
    static const TResourceEntry table[] = {{"CLASSLIB_TEST_RES", bytes, sizeof bytes}};
    RegisterResources(table, 1);
    TResourceStream stream("classlib_test_res");
    EXPECT_EQ(stream.Size(), 4);
    char buffer[4];
    stream.ReadBuffer(buffer, 4);
    EXPECT_EQ(std::string(buffer, 4), "skin");
    EXPECT_THROW(stream.WriteBuffer("x", 1), EStreamError);
    EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
    EXPECT_THROW(TResourceStream("CLASSLIB_NO_SUCH_RES"), EResNotFound);
}
