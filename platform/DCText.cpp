// The text methods of TDC: runs, extents, and DrawText's layout of lines in a rectangle.
#include "platform/DC.h"

#include "platform/FontEngine.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace {

constexpr std::string_view Ellipsis = "...";
constexpr int TabStopChars = 8;

// A line of text and the characters a prefix underlines in it (byte offsets of their first bytes, ascending).
struct TTextLine {
    std::string Text;
    std::vector<size_t> Underlined;
};

// Removes the prefix marks: "&x" underlines x (unless `hideUnderlines`), "&&" is one "&", a last lone "&"
// goes.
TTextLine StripPrefixes(std::string_view text, bool hideUnderlines) {
    TTextLine line;
    line.Text.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        if (text[pos] != '&') {
            line.Text += text[pos++];
            continue;
        }
        if (++pos == text.size()) break;
        if (text[pos] != '&' && !hideUnderlines) line.Underlined.push_back(line.Text.size());
        const size_t start = pos;
        DecodeUtf8(text, pos);
        line.Text.append(text.substr(start, pos - start));
    }
    return line;
}

// The bytes [begin, end) of a line, with the underlines that fall inside them.
TTextLine Slice(const TTextLine& line, size_t begin, size_t end) {
    TTextLine slice{line.Text.substr(begin, end - begin), {}};
    for (size_t u : line.Underlined)
        if (u >= begin && u < end) slice.Underlined.push_back(u - begin);
    return slice;
}

bool IsBreakSpace(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipSpaces(std::string_view text, size_t pos) {
    while (pos < text.size() && IsBreakSpace(text[pos]))
        ++pos;
    return pos;
}

// The end of the next word after `pos` (spaces before it included).
size_t WordEnd(std::string_view text, size_t pos) {
    pos = SkipSpaces(text, pos);
    while (pos < text.size() && !IsBreakSpace(text[pos]))
        ++pos;
    return pos;
}

size_t TrimTrailingSpaces(std::string_view text, size_t begin, size_t end) {
    while (end > begin && IsBreakSpace(text[end - 1]))
        --end;
    return end;
}

// Measures and cuts text for one font and one set of DrawText flags.
class TTextLayout {
public:
    TTextLayout(const TFontDesc& font, unsigned format)
        : FEngine(TFontEngine::Instance()), FFont(font), FFormat(format),
          FTabWidth((format & DT_EXPANDTABS) ? TabStopChars * std::max(1, FEngine.Metrics(font).AveCharWidth)
                                             : 0) {}

    // Calls piece(text, offset, underlined) for each run between tabs and prefix underlines, with its offset
    // from the start of the line; returns the width of the line.
    template <class F>
    int ForEachPiece(std::string_view text, const std::vector<size_t>& underlined, F piece) const {
        int pen = 0;
        size_t start = 0;
        auto flush = [&](size_t end, bool underline) {
            if (end == start) return;
            const std::string_view run = text.substr(start, end - start);
            piece(run, pen, underline);
            pen += FEngine.TextWidth(FFont, run);
            start = end;
        };
        auto next = underlined.begin();
        for (size_t pos = 0; pos < text.size();) {
            const size_t charStart = pos;
            const char32_t c = DecodeUtf8(text, pos);
            if (c == '\t' && FTabWidth > 0) {
                flush(charStart, false);
                pen = (pen / FTabWidth + 1) * FTabWidth;
                start = pos;
            } else if (next != underlined.end() && *next == charStart) {
                flush(charStart, false);
                flush(pos, true);
                ++next;
            }
        }
        flush(text.size(), false);
        return pen;
    }

    int Width(std::string_view text) const {
        return ForEachPiece(text, {}, [](std::string_view, int, bool) {});
    }

    // The lines DrawText shows: broken at line breaks and (with DT_WORDBREAK) between words to fit maxWidth,
    // and (with DT_END_ELLIPSIS) shortened to fit.
    std::vector<TTextLine> Lines(const TTextLine& text, int maxWidth) const {
        std::vector<TTextLine> lines;
        if (text.Text.empty()) return lines;
        if (FFormat & DT_SINGLELINE)
            lines.push_back(text);
        else
            for (const TTextLine& paragraph : Paragraphs(text)) {
                if (FFormat & DT_WORDBREAK)
                    Wrap(paragraph, maxWidth, lines);
                else
                    lines.push_back(paragraph);
            }
        if (FFormat & DT_END_ELLIPSIS)
            for (TTextLine& line : lines)
                if (Width(line.Text) > maxWidth) line = Ellipsized(line, maxWidth);
        return lines;
    }

private:
    // Split at CR LF, CR or LF; a break at the very end starts no further line.
    static std::vector<TTextLine> Paragraphs(const TTextLine& text) {
        std::vector<TTextLine> paragraphs;
        const std::string& t = text.Text;
        size_t begin = 0;
        while (begin < t.size()) {
            const size_t end = std::min(t.find_first_of("\r\n", begin), t.size());
            paragraphs.push_back(Slice(text, begin, end));
            begin = end;
            if (begin < t.size() && t[begin] == '\r') ++begin;
            if (begin < t.size() && t[begin] == '\n') ++begin;
        }
        return paragraphs;
    }

    // A word too wide for a line of its own is left whole, as the platform does.
    void Wrap(const TTextLine& paragraph, int maxWidth, std::vector<TTextLine>& lines) const {
        const std::string_view t = paragraph.Text;
        size_t start = 0;
        do {
            size_t end = WordEnd(t, start);
            for (size_t next; end < t.size(); end = next) {
                next = WordEnd(t, end);
                if (Width(t.substr(start, next - start)) > maxWidth) break;
            }
            lines.push_back(Slice(paragraph, start, TrimTrailingSpaces(t, start, end)));
            start = SkipSpaces(t, end);
        } while (start < t.size());
    }

    // The longest run of whole characters that fits with the ellipsis after it (the ellipsis alone at worst).
    TTextLine Ellipsized(const TTextLine& line, int maxWidth) const {
        std::vector<size_t> ends{0};
        for (size_t pos = 0; pos < line.Text.size();) {
            DecodeUtf8(line.Text, pos);
            ends.push_back(pos);
        }
        const int room = maxWidth - Width(Ellipsis);
        // Widths grow with the number of characters, so the cut is found by bisection.
        const auto fits = std::partition_point(ends.begin(), ends.end(), [&](size_t end) {
            return Width(std::string_view(line.Text).substr(0, end)) <= room;
        });
        const size_t keep = fits == ends.begin() ? 0 : *(fits - 1);
        TTextLine result = Slice(line, 0, keep);
        result.Text += Ellipsis;
        return result;
    }

    TFontEngine& FEngine;
    const TFontDesc& FFont;
    unsigned FFormat;
    int FTabWidth; // 0 when tabs are not expanded
};

// Draws one line with its top-left at `at` (logical): the cell filled with the background colour in opaque
// mode (within `cellClip` when given), the text clipped to `clip` (surface coordinates).
void DrawTextLine(TDC& dc, const TTextLayout& layout, std::string_view text,
                  const std::vector<size_t>& underlined, TPoint at, const TRegion& clip,
                  const TRect* cellClip) {
    if (dc.GetBkMode() == TBkMode::Opaque) {
        TRect cell = Bounds(at.X, at.Y, layout.Width(text), dc.GetTextMetrics().Height);
        if (cellClip) cell = Intersection(cell, *cellClip);
        dc.FillRect(cell, TBrushDesc::SolidColor(dc.GetBkColor()));
    }
    const TPoint origin = dc.ToSurface(at);
    const TPixel color = ColorToPixel(dc.GetTextColor());
    TFontDesc underlinedFont = dc.Font();
    underlinedFont.Underline = true;
    dc.MarkDrawn(clip.Bounds());
    layout.ForEachPiece(text, underlined, [&](std::string_view run, int offset, bool underline) {
        TFontEngine::Instance().DrawLine(dc.Surface(), clip, origin.X + offset, origin.Y, run,
                                         underline ? underlinedFont : dc.Font(), color);
    });
}

} // namespace

void TDC::TextOut(int x, int y, std::string_view utf8) {
    ExtTextOut(x, y, nullptr, nullptr, utf8);
}

void TDC::ExtTextOut(int x, int y, const TRect* opaqueRect, const TRect* clipRect, std::string_view utf8) {
    if (opaqueRect) FillRect(*opaqueRect, TBrushDesc::SolidColor(FState.BkColor));
    const TTextLayout layout(FState.Font, 0);
    if (!clipRect) return DrawTextLine(*this, layout, utf8, {}, {x, y}, EffectiveClip(), nullptr);
    const TRegion clip =
        TRegion::Combine(EffectiveClip(), TRegion(ToSurface(*clipRect)), TRegion::TCombine::And);
    DrawTextLine(*this, layout, utf8, {}, {x, y}, clip, clipRect);
}

TSize TDC::GetTextExtent(std::string_view utf8) const {
    TFontEngine& engine = TFontEngine::Instance();
    return {engine.TextWidth(FState.Font, utf8), engine.Metrics(FState.Font).Height};
}

TTextMetric TDC::GetTextMetrics() const {
    return TFontEngine::Instance().Metrics(FState.Font);
}

int TDC::DrawText(std::string_view utf8, TRect& rect, unsigned format) {
    const TTextLayout layout(FState.Font, format);
    const TTextLine text = (format & DT_NOPREFIX) ? TTextLine{std::string(utf8), {}}
                                                  : StripPrefixes(utf8, format & DT_HIDEPREFIX);
    const std::vector<TTextLine> lines = layout.Lines(text, rect.Width());
    const TTextMetric metric = GetTextMetrics();
    const int lineHeight = metric.Height + ((format & DT_EXTERNALLEADING) ? metric.ExternalLeading : 0);
    const int height = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        int width = 0;
        for (const TTextLine& line : lines)
            width = std::max(width, layout.Width(line.Text));
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
        return height;
    }

    int top = rect.Top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top += (rect.Height() - height) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        top = rect.Bottom - height;
    const bool clipped = !(format & DT_NOCLIP);
    std::optional<TRegion> rectClip;
    if (clipped)
        rectClip = TRegion::Combine(EffectiveClip(), TRegion(ToSurface(rect)), TRegion::TCombine::And);
    const TRegion& clip = clipped ? *rectClip : EffectiveClip();
    for (const TTextLine& line : lines) {
        const int width = layout.Width(line.Text);
        int left = rect.Left;
        if (format & DT_CENTER)
            left += (rect.Width() - width) / 2;
        else if (format & DT_RIGHT)
            left = rect.Right - width;
        DrawTextLine(*this, layout, line.Text, line.Underlined, {left, top}, clip, clipped ? &rect : nullptr);
        top += lineHeight;
    }
    return height;
}
