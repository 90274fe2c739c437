#include "SpellBookLayout.h"
#include "TempFile.h"

#include "platform/Exception.h"
#include "report/ReportFile.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace spellbook;

namespace {

// Every kind of item with values away from the defaults, so that a field lost on the way shows.
TReportDocument Sample() {
    TReportDocument doc;
    doc.Orientation = TPageOrientation::Landscape;
    TReportText text;
    text.Bounds = {TMm(-1.5), TMm(2.25), TMm(30.001), TMm(4.0)};
    text.Text = "Sfera d\xE2\x80\x99infiammabilit\xC3\xA0";
    text.Font = {"Monotype Corsiva", 9.5, true, true, true, true, clWindowText};
    text.Alignment = TTextAlign::Center;
    text.WordWrap = true;
    text.Transparent = false;
    text.Color = clYellow;
    TReportShape shape;
    shape.Bounds = {TMm(4.5), TMm(-0.5), TMm(195.3), TMm(31.2)};
    shape.Kind = TReportShapeKind::VertLine;
    shape.PenWidth = TMm::FromPixels96(3);
    shape.PenColor = clRed;
    shape.PenMode = TPenMode::White;
    shape.BrushStyle = TBrushStyle::DiagCross;
    shape.BrushColor = clNavy;
    doc.Pages = {{{text, shape}}, {}, {{shape}}};
    return doc;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Decoding raises EReadError naming the source, and nothing else.
void ExpectRejected(const std::vector<uint8_t>& bytes, const std::string& why) {
    try {
        TReportFile::Decode(bytes, "libro.vrp");
        ADD_FAILURE() << "accepted: " << why;
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("\"libro.vrp\""), std::string::npos) << e.Message();
    }
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
}

} // namespace

TEST(ReportFile, SavedReportsLoadAsTheSameDocument) {
    const TReportDocument sample = Sample();
    EXPECT_EQ(TReportFile::Decode(TReportFile::Encode(sample), "x"), sample);

    TSpellRows rows(Concat({Spells("", 1), Spells("1", 12)}));
    const TReportDocument book = LayoutReport(Layout(rows), rows);
    TTempFile file(".vrp");
    TReportFile::Save(book, file.Path());
    const TReportDocument loaded = TReportFile::Load(file.Path());
    EXPECT_EQ(loaded, book);
    EXPECT_EQ(loaded.Pages.size(), 3u);

    // Saving over a report replaces it.
    TReportFile::Save(sample, file.Path());
    EXPECT_EQ(TReportFile::Load(file.Path()), sample);
}

TEST(ReportFile, EveryTruncationAndForeignHeaderIsRejected) {
    const std::vector<uint8_t> good = TReportFile::Encode(Sample());
    for (size_t size = 0; size < good.size(); ++size)
        ExpectRejected(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(size)),
                       "truncated to " + std::to_string(size));
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    ExpectRejected(longer, "a byte after the last page");

    std::vector<uint8_t> bad = good;
    bad[0] = 'X';
    ExpectRejected(bad, "bad magic");
    bad = good;
    bad[8] = 2;
    ExpectRejected(bad, "a later version");
    const std::string png = "\x89PNG\r\n\x1A\n and more";
    ExpectRejected(std::vector<uint8_t>(png.begin(), png.end()), "a picture");
}

TEST(ReportFile, HugeCountsAndOutOfRangeValuesAreRejectedBeforeAllocating) {
    const std::vector<uint8_t> good = TReportFile::Encode(Sample());
    const size_t pageCount = 8 + 2 + 4 + 4 + 1;
    const size_t firstItemCount = pageCount + 4;
    const size_t firstTextLength = firstItemCount + 4 + 1 + 16;
    for (size_t at : {pageCount, firstItemCount, firstTextLength}) {
        for (uint32_t huge : {0xFFFFFFFFu, 0x7FFFFFFFu, uint32_t(good.size())}) {
            std::vector<uint8_t> bad = good;
            PutU32(bad, at, huge);
            ExpectRejected(bad, "count " + std::to_string(huge) + " at " + std::to_string(at));
        }
    }
    std::vector<uint8_t> bad = good;
    PutU32(bad, 10, 0); // paper width
    ExpectRejected(bad, "no paper width");
    bad = good;
    PutU32(bad, firstItemCount + 4 + 1, 0x7FFFFFFF); // a left position of 2 km
    ExpectRejected(bad, "a position out of range");
    bad = good;
    bad[firstItemCount + 4] = 9;
    ExpectRejected(bad, "an unknown item kind");

    // No single damaged byte makes the decoder misbehave: it rejects the file or reads a document.
    for (size_t i = 0; i < good.size(); ++i) {
        for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(good[i] ^ 0x80)}) {
            bad = good;
            bad[i] = value;
            try {
                TReportFile::Decode(bad, "libro.vrp");
            } catch (const EReadError&) {
            }
        }
    }

    TReportDocument unsavable = Sample();
    std::get<TReportText>(unsavable.Pages[0].Items[0]).Font.SizePt = 0;
    EXPECT_THROW(TReportFile::Encode(unsavable), EWriteError);
}

TEST(ReportFile, FileErrorsNameTheFile) {
    TTempFile file(".vrp");
    try {
        TReportFile::Load(file.Path());
        FAIL() << "a missing file loaded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(file.Path()), std::string::npos) << e.Message();
    }
    WriteBytes(file.Path(), {});
    try {
        TReportFile::Load(file.Path());
        FAIL() << "an empty file loaded";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(file.Path()), std::string::npos) << e.Message();
    }
    EXPECT_THROW(TReportFile::Load(std::filesystem::temp_directory_path().string()), EFOpenError);
    EXPECT_THROW(TReportFile::Save(Sample(), "/nonexistent-folder/libro.vrp"), EFCreateError);
    // A document that could not be loaded again is refused before the saved report is touched.
    TReportFile::Save(Sample(), file.Path());
    TReportDocument unsavable = Sample();
    std::get<TReportShape>(unsavable.Pages[0].Items[1]).Bounds.Width = TMm(20000.0);
    EXPECT_THROW(TReportFile::Save(unsavable, file.Path()), EWriteError);
    EXPECT_EQ(TReportFile::Load(file.Path()), Sample());
}
