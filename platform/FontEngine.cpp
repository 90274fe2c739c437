#include "platform/FontEngine.h"

#include "platform/CoverageBlend.h"
#include "platform/Exception.h"
#include "platform/FaceStyle.h"
#include "platform/Utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <memory>
#include <optional>
#include <string_view>
#include <strings.h>
#include <unordered_map>

namespace {

// The layouts' fonts and the installed free faces of similar metrics that stand in for them, best first.
struct TSubstitute {
    const char* Name;
    std::array<const char*, 2> Families;
    std::optional<TFaceCell> Cell = std::nullopt;
};
constexpr TSubstitute Substitutes[] = {
    {"MS Sans Serif", {"Liberation Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans"}},
    {"Arial", {"Liberation Sans"}},
    {"Times New Roman", {"Liberation Serif"}},
    {"Courier New", {"Liberation Mono"}},
    {"Verdana", {"DejaVu Sans"}},
    {"Tahoma", {"DejaVu Sans"}},
    // The chancery stand-in's own cell is far taller than the face the layouts were drawn for: its text would
    // sit lower and run into the rules printed under it.
    {"Monotype Corsiva", {"TeX Gyre Chorus", "Z003"}, TFaceCell{0.86, 0.24}},
};

constexpr int DefaultHeight = -11;
// Heights past this many pixels are drawn at it: nothing on a form is larger, and glyph bitmaps stay bounded.
constexpr int MaxPixelHeight = 1000;
// The slant of a synthesised italic, about 12 degrees (16.16 fixed point).
constexpr FT_Matrix ObliqueShear = {0x10000, 0x0366A, 0, 0x10000};

struct TFaceFile {
    std::string File;
    int Index = 0;
    std::optional<TFaceCell> Cell;
};

std::string Lowercase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return result;
}

// 0 means the default; absurd values are bounded (and INT_MIN is never negated).
int NormalisedHeight(int height) {
    if (height == 0) return DefaultHeight;
    return std::clamp(height, -MaxPixelHeight, MaxPixelHeight);
}

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPatternPtr = std::unique_ptr<FcPattern, TPatternDeleter>;

struct TMatchRequest {
    std::string Family;
    bool Bold = false;
    bool Italic = false;
    bool ExactFamily = false;
    std::string Key() const { return Family + (Bold ? "|b" : "|-") + (Italic ? "i" : "-") + (ExactFamily ? "=" : "~"); }
};
using TMatches = std::unordered_map<std::string, std::optional<TFaceFile>>;

// Parsing fontconfig's configuration, and matching faces, are a good part of the program's start-up: they run
// on a thread of their own from the moment the engine is made, while the program reads its layouts, and are
// waited for at the first match.
class TFontConfig {
public:
    explicit TFontConfig(std::vector<TMatchRequest> ahead)
        : FLoading(std::async(std::launch::async, [ahead = std::move(ahead)] {
              TLoaded loaded{FcInitLoadConfigAndFonts(), {}};
              if (loaded.Config)
                  for (const TMatchRequest& r : ahead) loaded.Matches.emplace(r.Key(), MatchNow(loaded.Config, r));
              return loaded;
          })) {}
    ~TFontConfig() {
        if (FLoading.valid()) FConfig = FLoading.get().Config;
        if (FConfig) FcConfigDestroy(FConfig);
    }
    TFontConfig(const TFontConfig&) = delete;
    TFontConfig& operator=(const TFontConfig&) = delete;

    // The installed face fontconfig finds closest to `family`; with `exactFamily`, only a face of that
    // family. Asked once per family and style: several layout fonts share a stand-in.
    std::optional<TFaceFile> Match(const TMatchRequest& request) {
        TakeLoaded();
        const std::string key = request.Key();
        auto found = FMatches.find(key);
        if (found == FMatches.end()) found = FMatches.emplace(key, MatchNow(Config(), request)).first;
        return found->second;
    }

    // The configuration and its caches are a good part of the program's memory and serve only matching: once
    // start-up's faces are matched they go, and a family asked for later loads them again.
    void Release() {
        TakeLoaded();
        if (FConfig) FcConfigDestroy(FConfig);
        FConfig = nullptr;
        FReleased = true;
    }

private:
    struct TLoaded {
        FcConfig* Config;
        TMatches Matches;
    };

    static std::optional<TFaceFile> MatchNow(FcConfig* config, const TMatchRequest& request) {
        const std::string& family = request.Family;
        TPatternPtr pattern(FcPatternCreate());
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern.get(), FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result;
        TPatternPtr match(FcFontMatch(config, pattern.get(), &result));
        FcChar8* file = nullptr;
        if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
            return std::nullopt;
        if (request.ExactFamily && !HasFamily(match.get(), family)) return std::nullopt;
        int index = 0;
        FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
        return TFaceFile{reinterpret_cast<const char*>(file), index, std::nullopt};
    }

    static bool HasFamily(FcPattern* pattern, const std::string& family) {
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i)
            if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
        return false;
    }

    void TakeLoaded() {
        if (!FLoading.valid()) return;
        TLoaded loaded = FLoading.get();
        FConfig = loaded.Config;
        FMatches = std::move(loaded.Matches);
    }

    FcConfig* Config() {
        TakeLoaded();
        if (!FConfig && FReleased) {
            FConfig = FcInitLoadConfigAndFonts();
            FReleased = false;
        }
        if (!FConfig) throw EResNotFound("Fonts: the fontconfig configuration cannot be loaded");
        return FConfig;
    }

    std::future<TLoaded> FLoading;
    FcConfig* FConfig = nullptr;
    bool FReleased = false;
    TMatches FMatches;
};

class TFreeType {
public:
    TFreeType() {
        if (FT_Init_FreeType(&FLibrary) != 0) throw EOutOfResources("Fonts: FreeType cannot be initialised");
    }
    ~TFreeType() { FT_Done_FreeType(FLibrary); }
    TFreeType(const TFreeType&) = delete;
    TFreeType& operator=(const TFreeType&) = delete;
    FT_Library Handle() const { return FLibrary; }

private:
    FT_Library FLibrary = nullptr;
};

struct TFaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using TFacePtr = std::unique_ptr<FT_FaceRec_, TFaceDeleter>;

struct TGlyph {
    int Advance = 0;
    int Left = 0; // bitmap offset from the pen position
    int Top = 0;  // bitmap top above the baseline
    int Width = 0;
    int Height = 0;
    // Rows of Stride bytes, Width rounded up to four with zeros after: a row is blended four pixels at a time
    // to its end.
    int Stride = 0;
    std::vector<uint8_t> Coverage;
    // The glyph last blended over a plain background, as rows of Stride pixels: text mostly goes on one
    // background in one colour, and then is copied instead of blended.
    mutable std::vector<TPixel> Blended;
    mutable TPixel BlendedUnder = 0, BlendedOver = 0;

    const TPixel* BlendedOn(TPixel under, TPixel over) const {
        if (Blended.empty() || BlendedUnder != under || BlendedOver != over) {
            Blended.assign(Coverage.size(), under);
            for (int row = 0; row < Height; ++row) {
                const size_t start = size_t(row) * size_t(Stride);
                BlendCoverageRow(Blended.data() + start, Coverage.data() + start, Stride, over);
            }
            BlendedUnder = under;
            BlendedOver = over;
        }
        return Blended.data();
    }
};

// A horizontal stroke of the font (underline, strike-out), relative to the baseline, downwards.
struct TStroke {
    int Offset = 0;
    int Thickness = 1;
};

// One face at one size and style: its metrics and the glyphs rendered so far.
class TSizedFont {
public:
    TSizedFont(FT_Library library, const TFaceFile& file, int height, bool bold, bool italic) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.File.c_str(), file.Index, &face) != 0)
            throw EResNotFound("Font file \"" + file.File + "\" cannot be opened");
        FFace.reset(face);
        if (!FT_IS_SCALABLE(face))
            throw EResNotFound("Font file \"" + file.File + "\" has no scalable outlines");
        FSynthBold = bold && !FaceIsBold(face);
        FSynthItalic = italic && !FaceIsItalic(face);
        SetSize(height, file);
    }

    const TTextMetric& Metric() const { return FMetric; }
    TStroke Underline() const { return FUnderline; }
    TStroke StrikeOut() const { return FStrikeOut; }

    // Renders the first glyph of `chars` from where the last call stopped that is not rendered yet; false once
    // every one is.
    bool RenderNextOf(std::u32string_view chars) {
        while (FWarmed < chars.size()) {
            const char32_t c = chars[FWarmed++];
            if (!FGlyphs.contains(c)) {
                Glyph(c);
                return true;
            }
        }
        return false;
    }

    const TGlyph& Glyph(char32_t c) {
        if (c < FAscii.size() && FAscii[c]) return *FAscii[c];
        auto found = FGlyphs.find(c);
        if (found == FGlyphs.end()) found = FGlyphs.emplace(c, Render(c)).first;
        if (c < FAscii.size()) FAscii[c] = &found->second;
        return found->second;
    }

private:
    // The platform measures the cell by the OS/2 table's win ascent and descent; older faces have only hhea.
    void SetSize(int height, const TFaceFile& file) {
        FT_Face face = FFace.get();
        const TT_OS2* os2 = Os2Table(face);
        const bool winMetrics = os2 && os2->usWinAscent + os2->usWinDescent > 0;
        const double unitsPerEm = face->units_per_EM;
        const double ascent = file.Cell ? file.Cell->Ascent * unitsPerEm
                              : winMetrics ? os2->usWinAscent
                                           : face->ascender;
        const double descent = file.Cell ? file.Cell->Descent * unitsPerEm
                               : winMetrics ? os2->usWinDescent
                                            : -face->descender;
        const double em = std::max(1.0, height < 0 ? -height : height * unitsPerEm / (ascent + descent));
        const FT_Long em26 = FT_Long(std::lround(em * 64));
        FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_NOMINAL, em26, em26, 0, 0};
        if (FT_Request_Size(face, &request) != 0)
            throw EResNotFound("Font file \"" + file.File + "\" cannot be sized to " + std::to_string(height));
        const double scale = em / unitsPerEm;
        FBoldStrength = std::max<FT_Pos>(64, std::lround(em * 64 / 24));
        const int boldExtra = FSynthBold ? int((FBoldStrength + 32) >> 6) : 0;

        FMetric.Ascent = int(std::lround(ascent * scale));
        FMetric.Descent = height > 0 ? height - FMetric.Ascent : int(std::lround(descent * scale));
        FMetric.Height = FMetric.Ascent + FMetric.Descent;
        FMetric.InternalLeading = std::max(0, FMetric.Height - int(std::lround(em)));
        FMetric.ExternalLeading = std::max(0, int(std::lround((face->height - ascent - descent) * scale)));
        FMetric.AveCharWidth = os2 && os2->xAvgCharWidth > 0
                                   ? int(std::lround(os2->xAvgCharWidth * scale)) + boldExtra
                                   : Glyph('x').Advance;
        FMetric.MaxCharWidth = int(std::lround(face->max_advance_width * scale)) + boldExtra;

        const double underlineThickness =
            face->underline_thickness > 0 ? face->underline_thickness : unitsPerEm / 20;
        FUnderline.Thickness = std::max(1, int(std::lround(underlineThickness * scale)));
        const int underlineTop =
            int(std::lround(-face->underline_position * scale - FUnderline.Thickness / 2.0));
        FUnderline.Offset = std::clamp(underlineTop, 1, std::max(1, FMetric.Descent - FUnderline.Thickness));
        const bool strikeMetrics = os2 && os2->yStrikeoutSize > 0;
        FStrikeOut.Thickness =
            std::max(1, int(std::lround((strikeMetrics ? os2->yStrikeoutSize : underlineThickness) * scale)));
        FStrikeOut.Offset = -int(std::lround((strikeMetrics ? os2->yStrikeoutPosition : ascent / 3) * scale));
    }

    TGlyph Render(char32_t c) {
        TGlyph glyph;
        // Control characters take no room and draw nothing, rather than the face's missing-glyph box.
        if (c < 0x20 || c == 0x7F) return glyph;
        FT_Face face = FFace.get();
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_NO_BITMAP) != 0) return glyph;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (FSynthBold) FT_Outline_EmboldenXY(&slot->outline, FBoldStrength, FBoldStrength / 2);
            if (FSynthItalic) FT_Outline_Transform(&slot->outline, &ObliqueShear);
        }
        glyph.Advance = int((slot->advance.x + 32) >> 6) + (FSynthBold ? int((FBoldStrength + 32) >> 6) : 0);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 ||
            slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
            return glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.Left = slot->bitmap_left;
        glyph.Top = slot->bitmap_top;
        glyph.Width = int(bitmap.width);
        glyph.Height = int(bitmap.rows);
        glyph.Stride = (glyph.Width + 3) / 4 * 4;
        glyph.Coverage.assign(size_t(glyph.Stride) * size_t(glyph.Height), 0);
        for (int row = 0; row < glyph.Height; ++row) {
            // A negative pitch stores the rows bottom-up.
            const int stored = bitmap.pitch >= 0 ? row : glyph.Height - 1 - row;
            std::copy_n(bitmap.buffer + ptrdiff_t(stored) * std::abs(bitmap.pitch), glyph.Width,
                        glyph.Coverage.data() + size_t(row) * size_t(glyph.Stride));
        }
        return glyph;
    }

    TFacePtr FFace;
    bool FSynthBold = false;
    bool FSynthItalic = false;
    FT_Pos FBoldStrength = 64;
    TTextMetric FMetric;
    TStroke FUnderline;
    TStroke FStrikeOut;
    std::unordered_map<char32_t, TGlyph> FGlyphs;
    std::array<const TGlyph*, 128> FAscii{}; // the glyphs drawn most, found without hashing
    size_t FWarmed = 0;                      // how far RenderNextOf has gone
};

// The glyph at `origin` blended within `clip`.
void BlendGlyph(TSurface& surface, const TRect& clip, const TGlyph& glyph, TPoint origin, TPixel color) {
    const TRect area = Intersection(Bounds(origin.X, origin.Y, glyph.Width, glyph.Height), clip);
    if (area.IsEmpty()) return;
    const int offset = area.Left - origin.X;
    // Past the glyph's right edge its rows hold zeros, which leave pixels as they are: a row whose whole
    // fours of pixels stay within the clip is blended to them.
    int count = area.Width();
    if (const int whole = (count + 3) / 4 * 4; offset + whole <= glyph.Stride && area.Left + whole <= clip.Right)
        count = whole;
    const auto start = [&](int y) { return size_t(y - origin.Y) * size_t(glyph.Stride) + size_t(offset); };
    // On a plain background (its first row tells) rows of the glyph come from the glyph blended once over it.
    const TPixel under = surface.Row(area.Top)[area.Left];
    if (AllEqual(surface.Row(area.Top) + area.Left, count, under)) {
        const TCoverageRows rows{surface.Row(area.Top) + area.Left, size_t(surface.Width()),
                                 glyph.Coverage.data() + start(area.Top), size_t(glyph.Stride), count, area.Height()};
        BlendCoverageRows(rows, color, under, glyph.BlendedOn(under, color) + start(area.Top));
        return;
    }
    for (int y = area.Top; y < area.Bottom; ++y)
        BlendCoverageRow(surface.Row(y) + area.Left, glyph.Coverage.data() + start(y), count, color);
}

void FillClipped(TSurface& surface, const std::vector<TRect>& clip, const TRect& rect, TPixel color) {
    for (const TRect& r : clip) {
        const TRect area = Intersection(rect, r);
        for (int y = area.Top; y < area.Bottom; ++y)
            std::fill_n(surface.Row(y) + area.Left, area.Width(), color);
    }
}

bool SameGlyphs(const TFontDesc& a, const TFontDesc& b) {
    return a.Height == b.Height && a.Bold() == b.Bold() && a.Italic == b.Italic && a.Name == b.Name;
}

const TSubstitute* SubstituteOf(const std::string& name) {
    for (const TSubstitute& substitute : Substitutes)
        if (strcasecmp(substitute.Name, name.c_str()) == 0) return &substitute;
    return nullptr;
}

// The first match a font's face is looked for with: the table's best stand-in, or the name itself.
TMatchRequest FirstMatch(const TFaceRequest& font) {
    const TSubstitute* substitute = SubstituteOf(font.Name);
    if (substitute && substitute->Families[0]) return {substitute->Families[0], font.Bold, font.Italic, true};
    return {font.Name, font.Bold, font.Italic, false};
}

std::vector<TMatchRequest> FirstMatches(const std::vector<TFaceRequest>& fonts) {
    std::vector<TMatchRequest> matches;
    for (const TFaceRequest& font : fonts) matches.push_back(FirstMatch(font));
    return matches;
}

} // namespace

struct TFontEngine::TImpl {
    explicit TImpl(const std::vector<TFaceRequest>& ahead) : FontConfig(FirstMatches(ahead)) {}

    TFreeType FreeType;
    TFontConfig FontConfig;
    std::unordered_map<std::string, TFaceFile> Faces;
    std::unordered_map<std::string, std::unique_ptr<TSizedFont>> Fonts;
    // The font asked for last, found again without hashing: a paint asks for the same font many times.
    TFontDesc LastDesc;
    TSizedFont* Last = nullptr;
    std::vector<TRect> ClipScratch;
    bool Warm = true; // every sized font has rendered the common characters

    bool WarmUp(int glyphs) {
        // What the program's texts are mostly made of: printable ASCII and the accented letters of its language.
        static constexpr std::u32string_view Common =
            U" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"
            U"àèéìíîòóùúÀÈÉÌÍÒÓÙÚ’«»°€";
        for (auto& [key, sized] : Fonts)
            while (glyphs > 0 && sized->RenderNextOf(Common)) --glyphs;
        Warm = glyphs > 0;
        return !Warm;
    }

    const TFaceFile& Face(const std::string& name, bool bold, bool italic) {
        const std::string key = Lowercase(name) + (bold ? "|b" : "|-") + (italic ? "i" : "-");
        auto found = Faces.find(key);
        if (found != Faces.end()) return found->second;
        std::optional<TFaceFile> face;
        if (const TSubstitute* substitute = SubstituteOf(name)) {
            for (const char* family : substitute->Families)
                if (family && !face) face = FontConfig.Match({family, bold, italic, true});
            if (face) face->Cell = substitute->Cell;
        }
        // Unknown names, and table faces that are not installed, go to whatever fontconfig offers (a sans
        // face).
        if (!face) face = FontConfig.Match({name, bold, italic, false});
        if (!face) throw EResNotFound("No installed font can stand in for the font \"" + name + "\"");
        return Faces.emplace(key, std::move(*face)).first->second;
    }

    TSizedFont& Sized(const TFontDesc& font) {
        if (Last && SameGlyphs(font, LastDesc)) return *Last;
        const int height = NormalisedHeight(font.Height);
        const TFaceFile& face = Face(font.Name, font.Bold(), font.Italic);
        const std::string key = face.File + "|" + std::to_string(face.Index) + "|" + std::to_string(height) +
                                (font.Bold() ? "|b" : "|-") + (font.Italic ? "i" : "-");
        std::unique_ptr<TSizedFont>& sized = Fonts[key];
        if (!sized) {
            Warm = false;
            try {
                sized =
                    std::make_unique<TSizedFont>(FreeType.Handle(), face, height, font.Bold(), font.Italic);
            } catch (...) {
                Fonts.erase(key);
                throw;
            }
        }
        LastDesc = font;
        Last = sized.get();
        return *sized;
    }
};

TFontEngine& TFontEngine::Instance(const std::vector<TFaceRequest>& ahead) {
    static TFontEngine engine(ahead);
    return engine;
}

namespace {
TFontEngine* gEngine = nullptr;
}

TFontEngine::TFontEngine(const std::vector<TFaceRequest>& ahead) : FImpl(new TImpl(ahead)) {
    gEngine = this;
}

void TFontEngine::ReleaseConfiguration() {
    if (gEngine) gEngine->FImpl->FontConfig.Release();
}

bool TFontEngine::WarmUp(int glyphs) {
    return gEngine && !gEngine->FImpl->Warm && gEngine->FImpl->WarmUp(glyphs);
}

TFontEngine::~TFontEngine() {
    gEngine = nullptr;
    delete FImpl;
}

std::string TFontEngine::ResolveFace(const std::string& name, bool bold, bool italic) {
    return FImpl->Face(name, bold, italic).File;
}

std::optional<TFaceCell> TFontEngine::CellOf(const std::string& name, bool bold, bool italic) {
    return FImpl->Face(name, bold, italic).Cell;
}

TTextMetric TFontEngine::Metrics(const TFontDesc& font) {
    return FImpl->Sized(font).Metric();
}

int TFontEngine::TextWidth(const TFontDesc& font, std::string_view utf8) {
    TSizedFont& sized = FImpl->Sized(font);
    int width = 0;
    for (size_t pos = 0; pos < utf8.size();)
        width += sized.Glyph(DecodeUtf8(utf8, pos)).Advance;
    return width;
}

void TFontEngine::DrawLine(TSurface& surface, const TRegion& clip, int x, int y, std::string_view utf8,
                           const TFontDesc& font, TPixel color) {
    TSizedFont& sized = FImpl->Sized(font);
    const int width = TextWidth(font, utf8);
    const int height = sized.Metric().Height;
    // Glyphs may reach a little outside their cell (accents, swashes, slant); only rectangles near it matter.
    const TRect reach =
        Intersection(surface.BoundsRect(), Rect(x - height, y - height, x + width + height, y + 2 * height));
    std::vector<TRect>& rects = FImpl->ClipScratch;
    rects.clear();
    for (const TRect& r : clip.Rects())
        if (TRect area; IntersectRect(area, r, reach)) rects.push_back(area);
    if (rects.empty()) return;

    const int baseline = y + sized.Metric().Ascent;
    int pen = x;
    for (size_t pos = 0; pos < utf8.size();) {
        const TGlyph& glyph = sized.Glyph(DecodeUtf8(utf8, pos));
        if (glyph.Width > 0) {
            for (const TRect& r : rects)
                BlendGlyph(surface, r, glyph, {pen + glyph.Left, baseline - glyph.Top}, color);
        }
        pen += glyph.Advance;
    }
    const auto strokeRect = [&](TStroke stroke) {
        return Rect(x, baseline + stroke.Offset, x + width, baseline + stroke.Offset + stroke.Thickness);
    };
    if (font.Underline) FillClipped(surface, rects, strokeRect(sized.Underline()), color);
    if (font.StrikeOut) FillClipped(surface, rects, strokeRect(sized.StrikeOut()), color);
}
