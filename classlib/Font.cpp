#include "classlib/Font.h"

#include <cstdlib>

const TEnumInfo& EnumTypeInfo(TFontCharset*) {
    static const TEnumInfo info("TFontCharset",
                                std::vector<std::pair<std::string, int64_t>>{{"ANSI_CHARSET", 0},
                                                                             {"DEFAULT_CHARSET", 1},
                                                                             {"SYMBOL_CHARSET", 2},
                                                                             {"MAC_CHARSET", 77},
                                                                             {"SHIFTJIS_CHARSET", 128},
                                                                             {"HANGEUL_CHARSET", 129},
                                                                             {"JOHAB_CHARSET", 130},
                                                                             {"GB2312_CHARSET", 134},
                                                                             {"CHINESEBIG5_CHARSET", 136},
                                                                             {"GREEK_CHARSET", 161},
                                                                             {"TURKISH_CHARSET", 162},
                                                                             {"VIETNAMESE_CHARSET", 163},
                                                                             {"HEBREW_CHARSET", 177},
                                                                             {"ARABIC_CHARSET", 178},
                                                                             {"BALTIC_CHARSET", 186},
                                                                             {"RUSSIAN_CHARSET", 204},
                                                                             {"THAI_CHARSET", 222},
                                                                             {"EASTEUROPE_CHARSET", 238},
                                                                             {"OEM_CHARSET", 255}});
    return info;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1; // as the platform answers a division by zero
    const int64_t product = int64_t(a) * b;
    const int64_t rounded = (std::llabs(product) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
    return int((product < 0) != (c < 0) ? -rounded : rounded);
}

void TFont::PublishProperties(TPublisher<TFont>& p) {
    p.Enum("Charset", &TFont::FCharset, &TFont::SetCharset, DEFAULT_CHARSET);
    p.Color("Color", &TFont::FColor, &TFont::SetColor, clWindowText);
    p.Integer("Height", &TFont::FHeight, &TFont::SetHeight, -11);
    p.String("Name", &TFont::FName, &TFont::SetName, "MS Sans Serif");
    p.Enum("Pitch", &TFont::FPitch, &TFont::SetPitch, fpDefault);
    p.Integer("Size", &TFont::Size, &TFont::SetSize, 8);
    p.Set("Style", &TFont::FStyle, &TFont::SetStyle);
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset && FPitch == other.FPitch;
}

void TFont::Assign(const TPersistent* source) {
    auto* font = dynamic_cast<const TFont*>(source);
    if (!font) return inherited::Assign(source);
    if (SameAs(*font)) return;
    FName = font->FName;
    FHeight = font->FHeight;
    FStyle = font->FStyle;
    FColor = font->FColor;
    FCharset = font->FCharset;
    FPitch = font->FPitch;
    Changed();
}

TFontDesc TFont::Desc() const {
    TFontDesc desc;
    desc.Name = FName;
    desc.Height = FHeight;
    desc.Weight = FStyle.Contains(fsBold) ? 700 : 400;
    desc.Italic = FStyle.Contains(fsItalic);
    desc.Underline = FStyle.Contains(fsUnderline);
    desc.StrikeOut = FStyle.Contains(fsStrikeOut);
    return desc;
}
