#include "report/ReportFile.h"

#include "platform/Exception.h"
#include "report/SystemReason.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

enum class TItemTag : uint8_t { Text = 1, Shape = 2 };
enum TTextFlags : uint8_t {
    tfBold = 1,
    tfItalic = 2,
    tfUnderline = 4,
    tfStrikeOut = 8,
    tfWordWrap = 16,
    tfTransparent = 32
};
constexpr uint8_t AllTextFlags = 63;

// No length on a page reaches ten metres; the check keeps absurd values out of the renderer.
constexpr int64_t MaxMicrometres = 10'000'000;
constexpr double MaxFontSizePt = 1000;
// The smallest encoded item (a shape) and page: counts are checked against them before anything grows.
constexpr size_t MinItemBytes = 1 + 16 + 1 + 4 + 4 + 1 + 1 + 4;
constexpr size_t MinPageBytes = 4;

class TByteWriter {
  public:
    void U8(uint8_t v) { FBytes.push_back(v); }
    void U16(uint16_t v) { Little(v, 2); }
    void U32(uint32_t v) { Little(v, 4); }
    void I32(int32_t v) { Little(uint32_t(v), 4); }
    void F64(double v) { Little(std::bit_cast<uint64_t>(v), 8); }
    // What could not be loaded again is not written.
    void Length(TMm v) {
        if (v.Micrometres() < -MaxMicrometres || v.Micrometres() > MaxMicrometres)
            throw EWriteError("Una misura di " + std::to_string(v.Millimetres()) +
                              " mm non si può salvare nel report");
        I32(int32_t(v.Micrometres()));
    }
    void FontSize(double points) {
        if (!(points > 0 && points <= MaxFontSizePt))
            throw EWriteError("Un carattere di " + std::to_string(points) + " pt non si può salvare nel report");
        F64(points);
    }
    void Rect(const TMmRect& r) { Length(r.Left), Length(r.Top), Length(r.Width), Length(r.Height); }
    void String(const std::string& s) {
        U32(uint32_t(s.size()));
        FBytes.insert(FBytes.end(), s.begin(), s.end());
    }
    void Raw(const char* data, size_t size) { FBytes.insert(FBytes.end(), data, data + size); }
    std::vector<uint8_t> Take() { return std::move(FBytes); }

  private:
    void Little(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            FBytes.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t> FBytes;
};

class TByteReader {
  public:
    TByteReader(const std::vector<uint8_t>& bytes, const std::string& fileName)
        : FBytes(bytes), FFileName(fileName) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw EReadError("Il file \"" + FFileName + "\" è rovinato o non è un report (" + what + ", al byte " +
                         std::to_string(FPos) + ")");
    }
    size_t Remaining() const { return FBytes.size() - FPos; }

    uint8_t U8(const char* what) { return uint8_t(Little(1, what)); }
    uint16_t U16(const char* what) { return uint16_t(Little(2, what)); }
    uint32_t U32(const char* what) { return uint32_t(Little(4, what)); }
    int32_t I32(const char* what) { return int32_t(uint32_t(Little(4, what))); }
    double F64(const char* what) { return std::bit_cast<double>(Little(8, what)); }

    TMm Length(const char* what) {
        const int32_t v = I32(what);
        if (v < -MaxMicrometres || v > MaxMicrometres) Fail(std::string(what) + " is out of range");
        return TMm::FromMicrometres(v);
    }
    TMmRect Rect() {
        TMmRect r;
        r.Left = Length("a left position");
        r.Top = Length("a top position");
        r.Width = Length("a width");
        r.Height = Length("a height");
        return r;
    }
    std::string String(const char* what) {
        const uint32_t size = U32(what);
        if (size > Remaining())
            Fail(std::string(what) + " of " + std::to_string(size) + " bytes runs past the end");
        std::string s(reinterpret_cast<const char*>(FBytes.data() + FPos), size);
        FPos += size;
        return s;
    }
    // A count of things of at least `minBytes` each, checked against what is left.
    uint32_t Count(const char* what, size_t minBytes) {
        const uint32_t count = U32(what);
        if (uint64_t(count) * minBytes > Remaining())
            Fail(std::string(what) + " " + std::to_string(count) + " is more than the file holds");
        return count;
    }
    template <typename E> E Enum(const char* what, E last) {
        const uint8_t v = U8(what);
        if (v > uint8_t(last)) Fail(std::string(what) + " " + std::to_string(v) + " is unknown");
        return E(v);
    }
    bool Match(const char* data, size_t size) {
        if (Remaining() < size || std::memcmp(FBytes.data() + FPos, data, size) != 0) return false;
        FPos += size;
        return true;
    }

  private:
    uint64_t Little(int bytes, const char* what) {
        if (Remaining() < size_t(bytes)) Fail(std::string("the file ends inside ") + what);
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= uint64_t(FBytes[FPos + size_t(i)]) << (8 * i);
        FPos += size_t(bytes);
        return v;
    }

    const std::vector<uint8_t>& FBytes;
    const std::string& FFileName;
    size_t FPos = 0;
};

void WriteText(TByteWriter& out, const TReportText& text) {
    out.U8(uint8_t(TItemTag::Text));
    out.Rect(text.Bounds);
    out.String(text.Text);
    out.String(text.Font.Name);
    out.FontSize(text.Font.SizePt);
    out.U32(uint32_t(text.Font.Color));
    out.U8(uint8_t(text.Alignment));
    out.U8(uint8_t((text.Font.Bold ? tfBold : 0) | (text.Font.Italic ? tfItalic : 0) |
                   (text.Font.Underline ? tfUnderline : 0) | (text.Font.StrikeOut ? tfStrikeOut : 0) |
                   (text.WordWrap ? tfWordWrap : 0) | (text.Transparent ? tfTransparent : 0)));
    out.U32(uint32_t(text.Color));
}

void WriteShape(TByteWriter& out, const TReportShape& shape) {
    out.U8(uint8_t(TItemTag::Shape));
    out.Rect(shape.Bounds);
    out.U8(uint8_t(shape.Kind));
    out.Length(shape.PenWidth);
    out.U32(uint32_t(shape.PenColor));
    out.U8(uint8_t(shape.PenMode));
    out.U8(uint8_t(shape.BrushStyle));
    out.U32(uint32_t(shape.BrushColor));
}

TReportText ReadText(TByteReader& in) {
    TReportText text;
    text.Bounds = in.Rect();
    text.Text = in.String("a text");
    text.Font.Name = in.String("a font name");
    text.Font.SizePt = in.F64("a font size");
    if (!(text.Font.SizePt > 0 && text.Font.SizePt <= MaxFontSizePt))
        in.Fail("the font size " + std::to_string(text.Font.SizePt) + " is out of range");
    text.Font.Color = TColor(in.U32("a font colour"));
    text.Alignment = in.Enum("an alignment", TTextAlign::Center);
    const uint8_t flags = in.U8("the text flags");
    if (flags & ~AllTextFlags) in.Fail("the text flags " + std::to_string(flags) + " are unknown");
    text.Font.Bold = flags & tfBold;
    text.Font.Italic = flags & tfItalic;
    text.Font.Underline = flags & tfUnderline;
    text.Font.StrikeOut = flags & tfStrikeOut;
    text.WordWrap = flags & tfWordWrap;
    text.Transparent = flags & tfTransparent;
    text.Color = TColor(in.U32("a background colour"));
    return text;
}

TReportShape ReadShape(TByteReader& in) {
    TReportShape shape;
    shape.Bounds = in.Rect();
    shape.Kind = in.Enum("a shape kind", TReportShapeKind::VertLine);
    shape.PenWidth = in.Length("a pen width");
    shape.PenColor = TColor(in.U32("a pen colour"));
    const uint8_t mode = in.U8("a pen mode");
    if (mode < uint8_t(TPenMode::Black) || mode > uint8_t(TPenMode::White))
        in.Fail("the pen mode " + std::to_string(mode) + " is unknown");
    shape.PenMode = TPenMode(mode);
    shape.BrushStyle = in.Enum("a brush style", TBrushStyle::Pattern);
    shape.BrushColor = TColor(in.U32("a brush colour"));
    return shape;
}

TPageItem ReadItem(TByteReader& in) {
    const uint8_t tag = in.U8("an item kind");
    if (tag == uint8_t(TItemTag::Text)) return ReadText(in);
    if (tag == uint8_t(TItemTag::Shape)) return ReadShape(in);
    in.Fail("the item kind " + std::to_string(tag) + " is unknown");
}

TMm ReadPaperSide(TByteReader& in, const char* what) {
    const TMm side = in.Length(what);
    if (side <= TMm()) in.Fail(std::string(what) + " is not positive");
    return side;
}

std::string SystemError() {
    return SystemReason(errno);
}

} // namespace

std::vector<uint8_t> TReportFile::Encode(const TReportDocument& document) {
    TByteWriter out;
    out.Raw(Magic, sizeof Magic);
    out.U16(Version);
    out.Length(document.Paper.Width);
    out.Length(document.Paper.Height);
    out.U8(uint8_t(document.Orientation));
    out.U32(uint32_t(document.Pages.size()));
    for (const TReportPage& page : document.Pages) {
        out.U32(uint32_t(page.Items.size()));
        for (const TPageItem& item : page.Items) {
            if (const auto* text = std::get_if<TReportText>(&item))
                WriteText(out, *text);
            else
                WriteShape(out, std::get<TReportShape>(item));
        }
    }
    return out.Take();
}

TReportDocument TReportFile::Decode(const std::vector<uint8_t>& bytes, const std::string& fileName) {
    TByteReader in(bytes, fileName);
    if (!in.Match(Magic, sizeof Magic)) in.Fail("it does not start with the report file header");
    const uint16_t version = in.U16("the version");
    if (version != Version) in.Fail("the format version " + std::to_string(version) + " is not supported");
    TReportDocument document;
    document.Paper.Width = ReadPaperSide(in, "the paper width");
    document.Paper.Height = ReadPaperSide(in, "the paper height");
    document.Orientation = in.Enum("the orientation", TPageOrientation::Landscape);
    document.Pages.resize(in.Count("the page count", MinPageBytes));
    for (TReportPage& page : document.Pages) {
        const uint32_t items = in.Count("an item count", MinItemBytes);
        page.Items.reserve(items);
        for (uint32_t i = 0; i < items; ++i)
            page.Items.push_back(ReadItem(in));
    }
    if (in.Remaining() != 0) in.Fail(std::to_string(in.Remaining()) + " bytes follow the last page");
    return document;
}

void TReportFile::Save(const TReportDocument& document, const std::string& fileName) {
    const std::vector<uint8_t> bytes = Encode(document);
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        throw EFCreateError("Il file del report \"" + fileName + "\" non si può creare: " + SystemError());
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        const std::string reason = SystemError();
        std::remove(fileName.c_str());
        throw EWriteError("Il file del report \"" + fileName + "\" non si può scrivere: " + reason);
    }
}

TReportDocument TReportFile::Load(const std::string& fileName) {
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        throw EFOpenError("Il file del report \"" + fileName + "\" non si può aprire: è una cartella");
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) throw EFOpenError("Il file del report \"" + fileName + "\" non si può aprire: " + SystemError());
    const std::streamoff size = file.tellg();
    if (size < 0) throw EReadError("Il file del report \"" + fileName + "\" non si può leggere");
    if (uint64_t(size) > MaxFileSize)
        throw EReadError("Il file \"" + fileName + "\" è troppo grande per essere un report (" +
                         std::to_string(size) + " byte)");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        throw EReadError("Il file del report \"" + fileName + "\" non si può leggere: " + SystemError());
    return Decode(bytes, fileName);
}
