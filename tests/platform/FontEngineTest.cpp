#include "platform/FontEngine.h"
#include "platform/CoverageBlend.h"
#include "platform/Utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <memory>

namespace {

constexpr TPixel White = 0xFFFFFF, Black = 0;

TFontDesc Font(const char* name, int height, bool bold = false, bool italic = false) {
    TFontDesc font;
    font.Name = name;
    font.Height = height;
    font.Weight = bold ? 700 : 400;
    font.Italic = italic;
    return font;
}

TSurface Drawn(const TFontDesc& font, std::string_view text, int width = 200, int height = 40) {
    TSurface surface(width, height);
    TFontEngine::Instance().DrawLine(surface, TRegion(surface.BoundsRect()), 2, 2, text, font, Black);
    return surface;
}

// The slant a face declares in its PostScript table, in degrees (0 for an upright face).
double ItalicAngle(const std::string& file) {
    FT_Library library = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    EXPECT_EQ(FT_New_Face(library, file.c_str(), 0, &face), 0) << file;
    auto* post = face ? static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST)) : nullptr;
    const double angle = post ? post->italicAngle / 65536.0 : 0;
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return angle;
}

} // namespace

TEST(FontEngine, EveryLayoutFontResolvesToAnInstalledFaceOfItsFamily) {
    TFontEngine& engine = TFontEngine::Instance();
    const std::pair<const char*, const char*> expected[] = {
        {"MS Sans Serif", "LiberationSans-"},
        {"Arial", "LiberationSans-"},
        {"Tahoma", "DejaVuSans"},
        {"Verdana", "DejaVuSans"},
        {"ms sans serif", "LiberationSans-"},
        {"Monotype Corsiva", "chorus"},
    };
    for (const auto& [name, fileStem] : expected) {
        for (bool bold : {false, true}) {
            const std::string file = engine.ResolveFace(name, bold, false);
            EXPECT_TRUE(std::filesystem::is_regular_file(file)) << name << " -> " << file;
            EXPECT_NE(file.find(fileStem), std::string::npos) << name << " -> " << file;
        }
    }
    EXPECT_NE(engine.ResolveFace("Arial", true, false), engine.ResolveFace("Arial", false, false));
    // The chancery is italic by design; an upright face is not.
    EXPECT_LT(ItalicAngle(engine.ResolveFace("Monotype Corsiva", false, false)), -5.0);
    EXPECT_EQ(ItalicAngle(engine.ResolveFace("Tahoma", false, false)), 0.0);
    // An unknown name falls back to an installed sans face.
    const std::string fallback = engine.ResolveFace("No Such Font Anywhere", false, false);
    EXPECT_TRUE(std::filesystem::is_regular_file(fallback)) << fallback;
    EXPECT_NE(fallback.find("Sans"), std::string::npos) << fallback;
}

TEST(FontEngine, FacesAreFoundAgainAfterTheConfigurationIsLetGo) {
    TFontEngine& engine = TFontEngine::Instance();
    const std::string before = engine.ResolveFace("Tahoma", false, false);
    TFontEngine::ReleaseConfiguration();
    // A family matched before is known without the configuration; one never asked for loads it again.
    EXPECT_EQ(engine.ResolveFace("Tahoma", false, false), before);
    const std::string serif = engine.ResolveFace("Times New Roman", true, true);
    EXPECT_NE(serif.find("LiberationSerif-BoldItalic"), std::string::npos) << serif;
    TFontEngine::ReleaseConfiguration();
    TFontEngine::ReleaseConfiguration();
    const std::string mono = engine.ResolveFace("Courier New", false, false);
    EXPECT_NE(mono.find("LiberationMono"), std::string::npos) << mono;
    EXPECT_GT(engine.TextWidth(Font("Courier New", -13), "abc"), 0);
}

TEST(FontEngine, ItalicAndBoldAreSynthesisedOnlyWhereTheFaceLacksThem) {
    // The chancery is italic already: asking for italic must not slant it a second time.
    EXPECT_EQ(Drawn(Font("Monotype Corsiva", -16, false, true), "Magia"),
              Drawn(Font("Monotype Corsiva", -16), "Magia"));
    // It has no bold face, so bold is synthesised: wider and darker.
    TFontEngine& engine = TFontEngine::Instance();
    EXPECT_GT(engine.TextWidth(Font("Monotype Corsiva", -16, true), "Magia"),
              engine.TextWidth(Font("Monotype Corsiva", -16), "Magia"));
    EXPECT_NE(Drawn(Font("MS Sans Serif", -16, false, true), "Magia"),
              Drawn(Font("MS Sans Serif", -16), "Magia"));
}

TEST(FontEngine, NegativeHeightIsTheCharacterHeightAndPositiveTheCell) {
    TFontEngine& engine = TFontEngine::Instance();
    for (const char* name : {"MS Sans Serif", "Tahoma", "Monotype Corsiva"}) {
        for (int size : {11, 13, 24}) {
            const TTextMetric character = engine.Metrics(Font(name, -size));
            EXPECT_EQ(character.Height - character.InternalLeading, size) << name;
            EXPECT_EQ(character.Height, character.Ascent + character.Descent) << name;
            EXPECT_GT(character.InternalLeading, 0) << name;
            const TTextMetric cell = engine.Metrics(Font(name, size));
            EXPECT_EQ(cell.Height, size) << name;
            EXPECT_LT(cell.Height - cell.InternalLeading, size) << name;
            EXPECT_GT(character.AveCharWidth, 0) << name;
            EXPECT_GE(character.MaxCharWidth, character.AveCharWidth) << name;
        }
    }
    EXPECT_EQ(engine.Metrics(Font("Arial", 0)).Height, engine.Metrics(Font("Arial", -11)).Height);
    // Absurd heights are bounded rather than overflowing or allocating without limit.
    for (int height : {INT_MIN, INT_MAX, 1})
        EXPECT_LE(engine.Metrics(Font("Arial", height)).Height, 2000) << height;
    EXPECT_GT(engine.Metrics(Font("Arial", INT_MIN)).Height, 100);
}

TEST(FontEngine, TheChanceryStandInHasTheCellOfTheFaceTheLayoutsWereDrawnFor) {
    // Its own cell is over 1.3 em tall, which would push the text down out of the layouts' boxes.
    const TTextMetric metric = TFontEngine::Instance().Metrics(Font("Monotype Corsiva", 100));
    EXPECT_EQ(metric.Height, 100);
    EXPECT_EQ(metric.Ascent, 78);
    ASSERT_TRUE(TFontEngine::Instance().CellOf("Monotype Corsiva", false, true));
    EXPECT_FALSE(TFontEngine::Instance().CellOf("Arial", false, false));
}

TEST(FontEngine, WidthsGrowWithTheTextAndWithBold) {
    TFontEngine& engine = TFontEngine::Instance();
    const TFontDesc regular = Font("MS Sans Serif", -11);
    EXPECT_EQ(engine.TextWidth(regular, ""), 0);
    const int one = engine.TextWidth(regular, "Incantesimi");
    EXPECT_GT(one, 30);
    EXPECT_EQ(engine.TextWidth(regular, "IncantesimiIncantesimi"), 2 * one);
    EXPECT_GT(engine.TextWidth(Font("MS Sans Serif", -11, true), "Incantesimi"), one);
    EXPECT_GT(engine.TextWidth(Font("MS Sans Serif", -16), "Incantesimi"), one);
    // Control characters take no room.
    EXPECT_EQ(engine.TextWidth(regular, "Incantesimi\r\n\x01"), one);
}

TEST(FontEngine, MalformedUtf8IsDrawnAsReplacementCharactersWithoutOverreading) {
    TFontEngine& engine = TFontEngine::Instance();
    const TFontDesc font = Font("Tahoma", -11);
    const int replacement = engine.TextWidth(font, "\xEF\xBF\xBD");
    ASSERT_GT(replacement, 0);
    EXPECT_EQ(engine.TextWidth(font, "\xFF"), replacement);
    EXPECT_EQ(engine.TextWidth(font, "a\xE2\x82"
                                     "b"),
              engine.TextWidth(font, "a\xEF\xBF\xBD"
                                     "b"));
    // A lead byte at the very end of a heap buffer of exactly that size: AddressSanitizer sees any overread.
    for (std::string_view tail : {"\xE2", "\xE2\x82", "\xF0\x9F\x98", "\xC3"}) {
        auto buffer = std::make_unique<char[]>(tail.size());
        std::copy(tail.begin(), tail.end(), buffer.get());
        const std::string_view text(buffer.get(), tail.size());
        EXPECT_EQ(engine.TextWidth(font, text), replacement);
        EXPECT_NE(Drawn(font, text), TSurface(200, 40));
    }
}

TEST(FontEngine, WarmingUpEndsAfterTheCommonGlyphsOfEachFontAndStartsAgainForANewFont) {
    TFontEngine& engine = TFontEngine::Instance();
    const TFontDesc first = Font("Arial", -23);
    const int width = engine.TextWidth(first, "Wg");
    auto slicesUntilWarm = [] {
        int slices = 0;
        while (TFontEngine::WarmUp(4) && slices < 1000) ++slices;
        return slices;
    };
    EXPECT_GT(slicesUntilWarm(), 0) << "a font just used has glyphs to render";
    EXPECT_FALSE(TFontEngine::WarmUp(4)) << "once warm, idle is idle";
    EXPECT_EQ(engine.TextWidth(first, "Wg"), width) << "rendering ahead leaves the glyphs as they were";

    const int slices = slicesUntilWarm(); // whatever other tests left to do
    EXPECT_LT(slices, 1000) << "warming up must end";
    engine.TextWidth(Font("Arial", -31), "x");
    EXPECT_TRUE(TFontEngine::WarmUp(4)) << "a font used for the first time warms up too";
    EXPECT_LT(slicesUntilWarm(), 1000);
    EXPECT_FALSE(TFontEngine::WarmUp(4));
}

TEST(Utf8, DecodesValidTextAndReplacesEachMalformedSequenceOnce) {
    EXPECT_EQ(Utf8Length("Perché l’incantesimo"), 20u);
    const std::pair<std::string_view, std::u32string> cases[] = {
        {"a\xC3\xA0\xE2\x80\x99\xF0\x9F\x98\x80", U"a\u00E0\u2019\U0001F600"},
        {"\x80"
         "a",
         U"\uFFFDa"},                    // stray continuation byte
        {"\xC0\xAF", U"\uFFFD\uFFFD"},   // overlong: an invalid lead, then a stray byte
        {"\xE0\x80\x80", U"\uFFFD"},     // overlong three-byte form
        {"\xED\xA0\x80", U"\uFFFD"},     // surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD"}, // past U+10FFFF
        {"\xE2\x82"
         "a",
         U"\uFFFDa"},                // truncated: the breaking byte starts the next character
        {"\xF0\x9F\x98", U"\uFFFD"}, // truncated at the end
    };
    for (const auto& [bytes, expected] : cases) {
        std::u32string decoded;
        for (size_t pos = 0; pos < bytes.size();)
            decoded += DecodeUtf8(bytes, pos);
        EXPECT_EQ(decoded, expected) << testing::PrintToString(std::string(bytes));
        EXPECT_EQ(Utf8Length(bytes), expected.size());
    }
}

TEST(FontEngine, DrawingStaysInTheClipAndUnderlinesAcrossTheRun) {
    TFontEngine& engine = TFontEngine::Instance();
    TFontDesc font = Font("MS Sans Serif", -16);
    const int width = engine.TextWidth(font, "Libro");
    const TTextMetric metric = engine.Metrics(font);

    TSurface clipped(100, 40);
    const TRegion clip(Rect(0, 0, 10, 40));
    engine.DrawLine(clipped, clip, 2, 2, "Libro", font, Black);
    bool inked = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            if (x >= 10) {
                EXPECT_EQ(clipped.Pixel(x, y), White) << x << "," << y;
            }
            inked |= clipped.Pixel(x, y) != White;
        }
    EXPECT_TRUE(inked);

    font.Underline = true;
    TSurface underlined = Drawn(font, "Libro", 100);
    int underlineRows = 0;
    for (int y = 2 + metric.Ascent; y < 2 + metric.Height; ++y) {
        bool solid = true;
        for (int x = 2; x < 2 + width; ++x)
            solid &= underlined.Pixel(x, y) == Black;
        underlineRows += solid;
        EXPECT_EQ(underlined.Pixel(2 + width, y), White);
    }
    EXPECT_GE(underlineRows, 1);
    font.Underline = false;
    font.StrikeOut = true;
    TSurface struck = Drawn(font, "Libro", 100);
    int strikeRows = 0;
    for (int y = 2; y < 2 + metric.Ascent; ++y) {
        bool solid = true;
        for (int x = 2; x < 2 + width; ++x)
            solid &= struck.Pixel(x, y) == Black;
        strikeRows += solid;
    }
    EXPECT_GE(strikeRows, 1);
}

// Clip rectangles of one to five pixels, at every phase against the glyphs: inside them the text is exactly as
// drawn without a clip, outside them no pixel changes (glyphs are blended in whole fours of pixels where
// they can be).
TEST(FontEngine, ThroughNarrowClipStripsEachPixelIsAsUnclippedOrUntouched) {
    TFontEngine& engine = TFontEngine::Instance();
    const TFontDesc font = Font("MS Sans Serif", -13, false, true);
    const std::string text = "Wavy fjord Àgëì quiz";
    constexpr int Width = 200, Height = 30;
    auto background = [](int x, int y) { return TPixel((x * 37 + y * 101) * 0x010305) & 0xFFFFFF; };
    auto painted = [&] {
        TSurface s(Width, Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) s.SetPixel(x, y, background(x, y));
        return s;
    };
    TSurface whole = painted();
    engine.DrawLine(whole, TRegion(whole.BoundsRect()), 3, 4, text, font, 0x2040C0);
    for (int strip = 1; strip <= 5; ++strip) {
        for (int phase = 0; phase < strip * 2; ++phase) {
            std::vector<TRect> strips;
            for (int x = phase; x < Width; x += strip * 2)
                strips.push_back(Rect(x, 0, std::min(x + strip, Width), Height));
            const TRegion clip = TRegion::Union(strips);
            TSurface clipped = painted();
            engine.DrawLine(clipped, clip, 3, 4, text, font, 0x2040C0);
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x) {
                    const TPixel expected = clip.Contains({x, y}) ? whole.Pixel(x, y) : background(x, y);
                    ASSERT_EQ(clipped.Pixel(x, y), expected) << "strip " << strip << " phase " << phase << " at "
                                                             << x << "," << y;
                }
        }
    }
}

// Glyphs on a plain background are copied from a blend made once; elsewhere they are blended in place. Either
// way each pixel is the background blended with the colour by the glyph's coverage, read here from the text
// drawn white on black.
TEST(FontEngine, EachPixelOfTextIsItsBackgroundBlendedByTheCoverageOnPlainAndBusyBackgrounds) {
    TFontEngine& engine = TFontEngine::Instance();
    const TFontDesc font = Font("MS Sans Serif", -13);
    const std::string text = "W  a  g  é  Q  j  8"; // glyph boxes apart, so no pixel is blended twice
    constexpr int Width = 160, Height = 24;
    const TRegion all(Rect(0, 0, Width, Height));
    auto drawnOn = [&](auto background, TPixel color) {
        TSurface s(Width, Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                s.SetPixel(x, y, background(x, y));
        engine.DrawLine(s, all, 3, 4, text, font, color);
        return s;
    };
    const TSurface coverage = drawnOn([](int, int) { return TPixel(0); }, 0xFFFFFF);
    auto expectBlended = [&](const TSurface& s, auto background, TPixel color, const char* what) {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                ASSERT_EQ(s.Pixel(x, y), BlendCoverage(background(x, y), color, coverage.Pixel(x, y) & 0xFF))
                    << what << " at " << x << "," << y;
    };
    auto busy = [](int x, int y) { return TPixel((x * 73 + y * 151) * 0x010307) & 0xFFFFFF; };
    auto plain = [](int, int) { return TPixel(0xF0E8D0); };
    expectBlended(drawnOn(busy, 0x2040C0), busy, 0x2040C0, "busy");
    // Plain backgrounds in turn with two colours, so that blends made before are not taken for the new ones.
    for (TPixel color : {TPixel(0x2040C0), TPixel(0x10A020), TPixel(0x2040C0)})
        expectBlended(drawnOn(plain, color), plain, color, "plain");
    // The text drawn again over itself: nothing under the glyphs is plain any more.
    TSurface twice = drawnOn(plain, 0x2040C0);
    engine.DrawLine(twice, all, 3, 4, text, font, 0x2040C0);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const unsigned c = coverage.Pixel(x, y) & 0xFF;
            ASSERT_EQ(twice.Pixel(x, y), BlendCoverage(BlendCoverage(0xF0E8D0, 0x2040C0, c), 0x2040C0, c))
                << x << "," << y;
        }
    EXPECT_GT(
        std::count_if(coverage.Data(), coverage.Data() + Width * Height, [](TPixel p) { return p != 0; }),
        100);
}
