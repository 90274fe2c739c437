#include "platform/DC.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TPixel White = 0xFFFFFF;

// The smallest rectangle holding every pixel that is not white (empty when there is none).
TRect InkBounds(const TSurface& s) {
    TRect ink{s.Width(), s.Height(), 0, 0};
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != White)
                ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                       std::max(ink.Bottom, y + 1)};
    return ink.IsEmpty() ? TRect{} : ink;
}

// The columns and rows where two surfaces differ.
TRect DifferenceBounds(const TSurface& a, const TSurface& b) {
    TRect diff{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                diff = {std::min(diff.Left, x), std::min(diff.Top, y), std::max(diff.Right, x + 1),
                        std::max(diff.Bottom, y + 1)};
    return diff.IsEmpty() ? TRect{} : diff;
}

TFontDesc TestFont(int height = -16) {
    TFontDesc font;
    font.Name = "MS Sans Serif";
    font.Height = height;
    return font;
}

// A white surface and a transparent-mode DC on it with the test font.
struct TCanvas {
    TSurface Surface;
    TDC DC;
    explicit TCanvas(int width = 240, int height = 80) : Surface(width, height), DC(Surface) {
        DC.SetFont(TestFont());
        DC.SetBkMode(TBkMode::Transparent);
    }
    int Draw(std::string_view text, TRect rect, unsigned format) { return DC.DrawText(text, rect, format); }
};

TSurface DrawnText(std::string_view text, TRect rect, unsigned format) {
    TCanvas canvas;
    canvas.Draw(text, rect, format);
    return canvas.Surface;
}

TSurface TextOutAt(int x, int y, std::string_view text) {
    TCanvas canvas;
    canvas.DC.TextOut(x, y, text);
    return canvas.Surface;
}

} // namespace

TEST(DrawText, AlignsLeftCentreAndRightWithinTheRectangle) {
    const TRect rect = Rect(20, 10, 220, 40);
    TCanvas probe;
    const int width = probe.DC.GetTextExtent("Incantesimi").cx;
    const TRect left = InkBounds(DrawnText("Incantesimi", rect, DT_LEFT | DT_SINGLELINE));
    const TRect centre = InkBounds(DrawnText("Incantesimi", rect, DT_CENTER | DT_SINGLELINE));
    const TRect right = InkBounds(DrawnText("Incantesimi", rect, DT_RIGHT | DT_SINGLELINE));
    EXPECT_NEAR(left.Left, rect.Left, 2);
    EXPECT_NEAR(right.Right, rect.Right, 2);
    EXPECT_LE(right.Right, rect.Right);
    EXPECT_EQ(centre.Left - left.Left, (rect.Width() - width) / 2);
    EXPECT_EQ(right.Left - left.Left, rect.Width() - width);
}

TEST(DrawText, CentresAndBottomAlignsASingleLineVertically) {
    TCanvas probe;
    const int lineHeight = probe.DC.GetTextMetrics().Height;
    const TRect rect = Rect(0, 10, 200, 70);
    const TRect top = InkBounds(DrawnText("Libro", rect, DT_SINGLELINE));
    const TRect middle = InkBounds(DrawnText("Libro", rect, DT_SINGLELINE | DT_VCENTER));
    const TRect bottom = InkBounds(DrawnText("Libro", rect, DT_SINGLELINE | DT_BOTTOM));
    EXPECT_EQ(middle.Top - top.Top, (rect.Height() - lineHeight) / 2);
    EXPECT_EQ(bottom.Top - top.Top, rect.Height() - lineHeight);
    // Without DT_SINGLELINE the vertical flags do nothing.
    EXPECT_EQ(InkBounds(DrawnText("Libro", rect, DT_VCENTER)), top);
}

TEST(DrawText, BreaksLinesAtWordsAndLineBreaks) {
    TCanvas canvas;
    const int lineHeight = canvas.DC.GetTextMetrics().Height;
    const int pairWidth = canvas.DC.GetTextExtent("aaa aaa").cx;
    TRect rect = Rect(5, 5, 5 + pairWidth + 1, 5);
    EXPECT_EQ(canvas.Draw("aaa aaa aaa aaa aaa", rect, DT_WORDBREAK | DT_CALCRECT), 3 * lineHeight);
    rect = Rect(5, 5, 5 + pairWidth + 1, 5);
    canvas.DC.DrawText("aaa aaa aaa aaa aaa", rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(rect, Rect(5, 5, 5 + pairWidth, 5 + 3 * lineHeight));

    // A word wider than the rectangle stays whole on its own line, and widens the calculated rectangle.
    const int longWidth = canvas.DC.GetTextExtent("aaaaaaaaaaaa").cx;
    rect = Rect(0, 0, 20, 0);
    EXPECT_EQ(canvas.Draw("aaaaaaaaaaaa b", rect, DT_WORDBREAK | DT_CALCRECT), 2 * lineHeight);
    rect = Rect(0, 0, 20, 0);
    canvas.DC.DrawText("aaaaaaaaaaaa b", rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(rect.Right, longWidth);

    // Hard breaks in every form; DT_SINGLELINE ignores them; a final break starts no extra line.
    EXPECT_EQ(canvas.Draw("a\r\nb\nc\rd", Rect(0, 0, 200, 0), DT_CALCRECT), 4 * lineHeight);
    EXPECT_EQ(canvas.Draw("a\n\nb\n", Rect(0, 0, 200, 0), DT_CALCRECT), 3 * lineHeight);
    EXPECT_EQ(canvas.Draw("a\r\nb\nc", Rect(0, 0, 200, 0), DT_CALCRECT | DT_SINGLELINE), lineHeight);
    EXPECT_EQ(canvas.Draw("", Rect(0, 0, 200, 0), DT_CALCRECT), 0);

    // Drawn, the three lines ink three line heights.
    const TRect ink =
        InkBounds(DrawnText("aaa aaa aaa aaa aaa", Rect(5, 5, 5 + pairWidth + 1, 80), DT_WORDBREAK));
    EXPECT_GT(ink.Height(), 2 * lineHeight);
    EXPECT_LE(ink.Height(), 3 * lineHeight);
    EXPECT_LE(ink.Right, 5 + pairWidth + 1);
}

TEST(DrawText, EndEllipsisKeepsTheLongestPrefixOfWholeCharactersThatFits) {
    TCanvas probe;
    for (std::string_view text :
         {"Evoca un fulmine sul nemico", "àèìòùàèìòùàèìòùàèìòù", "\xE2\x82 broken \xFF tail"}) {
        for (int width : {40, 75, 110}) {
            const TRect rect = Rect(10, 5, 10 + width, 30);
            // The expected cut, found by trying every character boundary.
            const bool fits = probe.DC.GetTextExtent(text).cx <= width;
            std::string expected = fits ? std::string(text) : "...";
            for (size_t pos = 0; pos < text.size() && !fits;) {
                DecodeUtf8(text, pos);
                const std::string candidate = std::string(text.substr(0, pos)) + "...";
                if (probe.DC.GetTextExtent(candidate).cx <= width)
                    expected = candidate;
                else
                    break;
            }
            EXPECT_EQ(DrawnText(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX),
                      TextOutAt(10, 5, expected))
                << width;
            EXPECT_LE(InkBounds(DrawnText(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS)).Right, rect.Right);
        }
    }
    // Text that fits is left alone.
    EXPECT_EQ(DrawnText("Libro", Rect(10, 5, 200, 30), DT_SINGLELINE | DT_END_ELLIPSIS),
              TextOutAt(10, 5, "Libro"));
}

TEST(DrawText, PrefixUnderlinesTheNextCharacterOnly) {
    TCanvas probe;
    const TTextMetric metric = probe.DC.GetTextMetrics();
    const TRect rect = Rect(10, 5, 230, 40);
    const int fWidth = probe.DC.GetTextExtent("F").cx;
    const int fiWidth = probe.DC.GetTextExtent("Fi").cx;

    const TRect first = DifferenceBounds(DrawnText("&File", rect, 0), TextOutAt(10, 5, "File"));
    ASSERT_FALSE(first.IsEmpty());
    EXPECT_EQ(first.Left, 10);
    EXPECT_EQ(first.Right, 10 + fWidth);
    EXPECT_GE(first.Top, 5 + metric.Ascent);
    EXPECT_LE(first.Bottom, 5 + metric.Height);

    const TRect second = DifferenceBounds(DrawnText("F&ile", rect, 0), TextOutAt(10, 5, "File"));
    EXPECT_EQ(second.Left, 10 + fWidth);
    EXPECT_EQ(second.Right, 10 + fiWidth);

    // A multi-byte character is underlined whole.
    EXPECT_EQ(DifferenceBounds(DrawnText("&Èra", rect, 0), TextOutAt(10, 5, "Èra")).Right,
              10 + probe.DC.GetTextExtent("È").cx);

    EXPECT_EQ(DrawnText("Tom && Jerry", rect, 0), TextOutAt(10, 5, "Tom & Jerry"));
    EXPECT_EQ(DrawnText("&File", rect, DT_NOPREFIX), TextOutAt(10, 5, "&File"));
    EXPECT_EQ(DrawnText("&File", rect, DT_HIDEPREFIX), TextOutAt(10, 5, "File"));
    EXPECT_EQ(DrawnText("File&", rect, 0), TextOutAt(10, 5, "File"));
    // A prefix on a character cut away by the ellipsis leaves no stray underline.
    EXPECT_EQ(DrawnText("Evoca un fulmine sul &nemico", Rect(10, 5, 70, 30), DT_SINGLELINE | DT_END_ELLIPSIS),
              DrawnText("Evoca un fulmine sul nemico", Rect(10, 5, 70, 30), DT_SINGLELINE | DT_END_ELLIPSIS));
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
    TCanvas canvas;
    TRect rect = Rect(7, 9, 8, 10);
    const int height = canvas.DC.DrawText("&Incantesimi", rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(canvas.Surface, TSurface(240, 80));
    const TSize extent = canvas.DC.GetTextExtent("Incantesimi");
    EXPECT_EQ(height, extent.cy);
    EXPECT_EQ(rect, Rect(7, 9, 7 + extent.cx, 9 + extent.cy));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    const TRect rect = Rect(10, 10, 40, 18);
    const TRect clipped = InkBounds(DrawnText("Incantesimi", rect, DT_SINGLELINE));
    EXPECT_GE(clipped.Left, rect.Left);
    EXPECT_LE(clipped.Right, rect.Right);
    EXPECT_LE(clipped.Bottom, rect.Bottom);
    const TRect unclipped = InkBounds(DrawnText("Incantesimi", rect, DT_SINGLELINE | DT_NOCLIP));
    EXPECT_GT(unclipped.Right, rect.Right);
    EXPECT_GT(unclipped.Bottom, rect.Bottom);
}

TEST(DrawText, ExpandsTabsToEightAverageCharacters) {
    TCanvas probe;
    const int tab = 8 * probe.DC.GetTextMetrics().AveCharWidth;
    const TRect rect = Rect(0, 0, 240, 30);
    TCanvas expected;
    expected.DC.TextOut(0, 0, "a");
    expected.DC.TextOut(tab, 0, "b");
    EXPECT_EQ(DrawnText("a\tb", rect, DT_EXPANDTABS), expected.Surface);
    TRect measured = rect;
    probe.DC.DrawText("\tb", measured, DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(measured.Right, tab + probe.DC.GetTextExtent("b").cx);
}

TEST(TextOut, OpaqueModeFillsTheCellAndTransparentModeDoesNot) {
    TCanvas canvas;
    const TPixel blue = 0x0000FF;
    canvas.DC.SetBkColor(RGB(0, 0, 255));
    canvas.DC.SetTextColor(clRed);
    canvas.DC.SetBkMode(TBkMode::Opaque);
    canvas.DC.SetViewportOrg({5, 3});
    canvas.DC.TextOut(10, 10, "Libro");
    const TSize extent = canvas.DC.GetTextExtent("Libro");
    const TRect cell = Bounds(15, 13, extent.cx, extent.cy);
    EXPECT_EQ(InkBounds(canvas.Surface), cell);
    EXPECT_EQ(canvas.Surface.Pixel(cell.Left, cell.Top), blue);
    EXPECT_EQ(canvas.Surface.Pixel(cell.Right - 1, cell.Bottom - 1), blue);
    int red = 0;
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            red += canvas.Surface.Pixel(x, y) == 0xFF0000;
    EXPECT_GT(red, 10);

    TCanvas transparent;
    transparent.DC.SetBkColor(RGB(0, 0, 255));
    transparent.DC.TextOut(10, 10, "Libro");
    EXPECT_FALSE(InkBounds(transparent.Surface).IsEmpty());
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 240; ++x)
            ASSERT_NE(transparent.Surface.Pixel(x, y), blue);
}

TEST(TextOut, ExtTextOutFillsTheOpaqueRectangleAndClipsToTheClipRectangle) {
    TCanvas canvas;
    canvas.DC.SetBkColor(RGB(0, 255, 0));
    const TRect opaque = Rect(0, 0, 100, 30);
    const TRect clip = Rect(0, 0, 12, 30);
    canvas.DC.ExtTextOut(2, 2, &opaque, &clip, "Incantesimi");
    EXPECT_EQ(canvas.Surface.Pixel(99, 29), 0x00FF00u);
    for (int y = 0; y < 30; ++y)
        for (int x = 12; x < 100; ++x)
            ASSERT_EQ(canvas.Surface.Pixel(x, y), 0x00FF00u) << x << "," << y;
    bool inked = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 12; ++x)
            inked |= canvas.Surface.Pixel(x, y) != 0x00FF00u;
    EXPECT_TRUE(inked);
}

TEST(DrawText, MalformedTextIsSafe) {
    TCanvas canvas;
    for (std::string_view text : {"&", "&&", "&\xE2", "\xE2\x82&", "a\r", "\xF0\x9F\x98\n\xF0", "&\t&"}) {
        TRect rect = Rect(0, 0, 30, 30);
        canvas.Draw(text, rect, DT_WORDBREAK | DT_END_ELLIPSIS | DT_EXPANDTABS);
        canvas.Draw(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CENTER | DT_VCENTER);
        canvas.DC.DrawText(text, rect, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_LE(rect.Height(), 2 * canvas.DC.GetTextMetrics().Height) << text;
    }
}
