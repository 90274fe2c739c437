#include "GraphicsTestHelpers.h"

#include "classlib/Font.h"
#include "classlib/GraphicsObject.h"
#include "classlib/TypInfo.h"

#include <gtest/gtest.h>

TEST(GraphicsFont, EverySetterNotifiesOncePerRealChangeAndNeverForEqualValues) {
    TFont font;
    Counted counted;
    font.OnChange = counted.Handler();

    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    font.SetSize(8); // the same height
    font.SetStyle({});
    font.SetColor(clWindowText);
    font.SetCharset(DEFAULT_CHARSET);
    font.SetPitch(fpDefault);
    EXPECT_EQ(counted.Changes, 0);

    font.SetName("Tahoma");
    font.SetSize(9);
    font.SetStyle({fsBold});
    font.SetColor(clWhite);
    font.SetCharset(ANSI_CHARSET);
    font.SetPitch(fpFixed);
    EXPECT_EQ(counted.Changes, 6);
    font.SetStyle({fsBold});
    font.SetHeight(-12);
    EXPECT_EQ(counted.Changes, 6);

    TFont same;
    same.Assign(&font);
    font.Assign(&same);
    EXPECT_EQ(counted.Changes, 6);
    same.SetStyle({fsBold, fsItalic});
    same.SetColor(clRed);
    font.Assign(&same); // two attributes differ: still one notification
    EXPECT_EQ(counted.Changes, 7);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(ErrorOf([&] { font.Assign(nullptr); }), "Cannot assign a nil to a TFont");
}

TEST(GraphicsFont, SizeIsPointsAt96PixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    const std::pair<int, int> sizeToHeight[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {0, 0}};
    for (auto [size, height] : sizeToHeight) {
        font.SetSize(size);
        EXPECT_EQ(font.Height(), height) << "size " << size;
        EXPECT_EQ(font.Size(), size) << "size " << size;
    }
    font.SetHeight(-15); // 11.25 points
    EXPECT_EQ(font.Size(), 11);
    font.SetHeight(16); // a cell height reads as a negative size, as the original
    EXPECT_EQ(font.Size(), -12);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, -2), -11);
}

TEST(GraphicsFont, DescribesThePlatformFont) {
    TFont font;
    font.SetName("Verdana");
    font.SetHeight(-13);
    font.SetStyle({fsBold, fsUnderline, fsStrikeOut});
    const TFontDesc desc = font.Desc();
    EXPECT_EQ(desc.Name, "Verdana");
    EXPECT_EQ(desc.Height, -13);
    EXPECT_TRUE(desc.Bold());
    EXPECT_FALSE(desc.Italic);
    EXPECT_TRUE(desc.Underline);
    EXPECT_TRUE(desc.StrikeOut);
    font.SetStyle({fsItalic});
    EXPECT_FALSE(font.Desc().Bold());
    EXPECT_TRUE(font.Desc().Italic);
}

TEST(GraphicsFont, FontPenAndBrushPropertiesAreSetByName) {
    TFont font;
    SetStrProp(&font, "Name", "Arial");
    SetSetProp(&font, "Style", "fsBold,fsItalic");
    SetEnumProp(&font, "Charset", "SYMBOL_CHARSET");
    SetOrdProp(&font, "Color", clNavy);
    SetOrdProp(&font, "Size", 12);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(font.Color(), clNavy);
    EXPECT_EQ(GetOrdProp(&font, "Height"), -16);
    EXPECT_EQ(GetEnumProp(&font, "Charset"), "SYMBOL_CHARSET");
    EXPECT_EQ(ErrorOf([&] { SetEnumProp(&font, "Charset", "KLINGON_CHARSET"); }),
              "'KLINGON_CHARSET' is not a value of TFont.Charset");

    TPen pen;
    SetEnumProp(&pen, "Mode", "pmXor");
    SetEnumProp(&pen, "Style", "psDot");
    SetOrdProp(&pen, "Width", 3);
    EXPECT_EQ(pen.Mode(), TPenMode::Xor);
    EXPECT_EQ(GetEnumProp(&pen, "Mode"), "pmXor");
    EXPECT_EQ(pen.Desc(), (TPenDesc{TPenStyle::Dot, 3, clBlack}));

    TBrush brush;
    SetOrdProp(&brush, "Color", clYellow);
    SetEnumProp(&brush, "Style", "bsClear");
    EXPECT_EQ(brush.Style(), bsClear);
    EXPECT_EQ(brush.Color(), clYellow);
    // A colour given to a clear brush makes it solid again, even the colour it had.
    SetOrdProp(&brush, "Color", clYellow);
    EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(GraphicsFont, BrushPatternIsACopyThatReplacesTheStyle) {
    TBrush brush;
    Counted counted;
    brush.OnChange = counted.Handler();
    TBitmap tile;
    FillRows(tile, {{clRed, clBlue}});
    brush.SetBitmap(&tile);
    EXPECT_EQ(counted.Changes, 1);
    tile.Surface().SetPixel(0, 0, 0); // later changes of the bitmap do not reach the brush
    const TBrushDesc desc = brush.Desc();
    EXPECT_EQ(desc.Style, TBrushStyle::Pattern);
    ASSERT_TRUE(desc.Pattern);
    EXPECT_EQ(PixelToColor(desc.Pattern->Pixel(0, 0)), clRed);

    brush.SetBitmap(nullptr);
    brush.SetBitmap(nullptr);
    EXPECT_EQ(counted.Changes, 2);
    EXPECT_EQ(brush.Desc(), TBrushDesc::SolidColor(clWhite));

    TPen pen;
    pen.OnChange = counted.Handler();
    TPen other;
    other.SetWidth(2);
    pen.Assign(&other);
    pen.Assign(&other);
    pen.SetWidth(2);
    EXPECT_EQ(counted.Changes, 3);
}
