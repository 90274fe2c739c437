#pragma once
#include "classlib/GraphicsObject.h"
#include "platform/Font.h"

#include <cstdint>
#include <string>

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using enum TFontStyle;
VMR_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;
VMR_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

// A character set, with the platform's numbers; layouts name it (Font.Charset = DEFAULT_CHARSET).
enum class TFontCharset : uint8_t {};
constexpr TFontCharset ANSI_CHARSET{0}, DEFAULT_CHARSET{1}, SYMBOL_CHARSET{2}, MAC_CHARSET{77},
    SHIFTJIS_CHARSET{128}, HANGEUL_CHARSET{129}, JOHAB_CHARSET{130}, GB2312_CHARSET{134},
    CHINESEBIG5_CHARSET{136}, GREEK_CHARSET{161}, TURKISH_CHARSET{162}, VIETNAMESE_CHARSET{163},
    HEBREW_CHARSET{177}, ARABIC_CHARSET{178}, BALTIC_CHARSET{186}, RUSSIAN_CHARSET{204}, THAI_CHARSET{222},
    EASTEUROPE_CHARSET{238}, OEM_CHARSET{255};
const TEnumInfo& EnumTypeInfo(TFontCharset*);

// The platform's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

// A font of a canvas or a control. Size is in points at 96 pixels per inch: Height = -MulDiv(Size, 96, 72).
// Making one loads nothing: the face is found when text is first drawn with it.
class TFont : public TGraphicsObject {
    VMR_CLASS(TFont, TGraphicsObject)

  public:
    static constexpr int PixelsPerInch = 96;

    TFont() = default;
    static void PublishProperties(TPublisher<TFont>& p);
    // Takes every attribute of another font, with one OnChange when anything differs.
    void Assign(const TPersistent* source) override;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value) { Update(FName, value); }
    int Height() const { return FHeight; }
    void SetHeight(int value) { Update(FHeight, value); }
    int Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }
    void SetSize(int value) { SetHeight(-MulDiv(value, PixelsPerInch, 72)); }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value) { Update(FStyle, value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { Update(FColor, value); }
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value) { Update(FCharset, value); }
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value) { Update(FPitch, value); }

    // The platform's logical font; the colour is the canvas's text colour, not part of it.
    TFontDesc Desc() const;

  private:
    bool SameAs(const TFont& other) const;

    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};
