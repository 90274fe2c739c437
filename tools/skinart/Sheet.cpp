#include "tools/skinart/Sheet.h"

#include "tools/skinart/Palette.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace art {

namespace {

constexpr TPixel Ground = 0x9EA3AA;
constexpr int Gap = 10;
constexpr size_t StyleCount = AllStyles.size();

int ScaleOf(const TSurface& s) {
    return s.Width() <= 400 && s.Height() <= 100 ? 2 : 1;
}

// Maps `target` pixels onto `source` the way a nine-slice does: corners kept, the middle stretched.
int SliceSource(int at, int targetLength, int sourceLength) {
    const int head = std::min(sourceLength / 2, targetLength / 2);
    const int tail = std::min(sourceLength - sourceLength / 2 - 1, targetLength - head);
    if (at < head) return at;
    if (at >= targetLength - tail) return sourceLength - (targetLength - at);
    return sourceLength / 2;
}

TSurface NineSliced(const TSurface& source, int width, int height) {
    TSurface out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.SetPixel(
                x, y,
                source.Pixel(SliceSource(x, width, source.Width()), SliceSource(y, height, source.Height())));
    return out;
}

// One-pixel-wide pictures are stretched by their controls; the sheet shows them stretched too.
TSurface Widened(const TSurface& s) {
    if (s.Width() >= 4) return s;
    TSurface out(40, s.Height());
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, s.Pixel(x * s.Width() / out.Width(), y));
    return out;
}

// Draws `source` scaled by `scale`, leaving magenta pixels out, as a masked blit would.
void Stamp(TSurface& target, const TSurface& source, int x, int y, int scale = 1) {
    for (int row = 0; row < source.Height() * scale; ++row)
        for (int col = 0; col < source.Width() * scale; ++col) {
            const TPixel p = source.Pixel(col / scale, row / scale);
            if (p != Magenta) target.SetPixel(x + col, y + row, p);
        }
}

TSurface Frame(const TSurface& strip, int count, int index) {
    const int fw = strip.Width() / count;
    TSurface frame(fw, strip.Height());
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < fw; ++x)
            frame.SetPixel(x, y, strip.Pixel(fw * index + x, y));
    return frame;
}

const TSurface& Find(const std::vector<TArtwork>& artwork, const std::string& name) {
    const auto found =
        std::find_if(artwork.begin(), artwork.end(), [&](const TArtwork& a) { return a.Name == name; });
    if (found == artwork.end()) throw std::logic_error("the sheet needs the picture " + name);
    return found->Picture;
}

// The bar as the title bar lays it out: left and right pictures, the client stretched between, the window
// buttons from the right (close, maximise, minimise) and the control box on the left.
TSurface TitlePreview(const std::vector<TArtwork>& artwork, const TStylePalette& palette, int width) {
    const std::string& prefix = palette.Prefix;
    const TSurface& left = Find(artwork, prefix + "TITLE_LEFT");
    const TSurface& client = Find(artwork, prefix + "TITLE_CLIENT");
    const TSurface& right = Find(artwork, prefix + "TITLE_RIGHT");
    const TSurface& buttons = Find(artwork, prefix + "TITLEBTN");
    TSurface bar(width, left.Height());
    for (int y = 0; y < bar.Height(); ++y)
        for (int x = 0; x < width; ++x)
            bar.SetPixel(x, y, client.Pixel(x * client.Width() / width, y));
    Stamp(bar, left, 0, 0);
    Stamp(bar, right, width - right.Width(), 0);
    const int top = palette.TitleButtonTop;
    int x = width - 1;
    for (int group : {5, 2, 4}) { // close, maximise, minimise
        const TSurface frame = Frame(buttons, 18, group * 3);
        x -= frame.Width() + 1;
        Stamp(bar, frame, x, top);
    }
    Stamp(bar, Frame(buttons, 18, 0), 3, top);
    return bar;
}

// A style at work: its title bar, and push buttons of two sizes in their three states on the form colour.
TSurface Preview(const std::vector<TArtwork>& artwork, const TStylePalette& palette) {
    constexpr int width = 300;
    const TSurface bar = TitlePreview(artwork, palette, width);
    const TSurface& buttons = Find(artwork, palette.Prefix + "BUTTON");
    TSurface preview(width, bar.Height() + 8 + 27 + 8, ToPixel(palette.Background));
    Stamp(preview, bar, 0, 0);
    int x = 6;
    for (int state = 0; state < 3; ++state) {
        Stamp(preview, NineSliced(Frame(buttons, 3, state), 60, 27), x, bar.Height() + 8);
        Stamp(preview, NineSliced(Frame(buttons, 3, state), 17, 19), x + 64, bar.Height() + 12);
        x += 96;
    }
    return preview;
}

} // namespace

TSurface ComposeSheet(const std::vector<TArtwork>& artwork) {
    std::vector<std::string> parts;
    std::map<std::string, int> rowHeight;
    std::array<int, StyleCount> columnWidth{};
    int sharedWidth = 0;
    for (const TArtwork& a : artwork) {
        const TSurface shown = Widened(a.Picture);
        const int scale = ScaleOf(shown);
        if (std::find(parts.begin(), parts.end(), a.Part) == parts.end()) parts.push_back(a.Part);
        rowHeight[a.Part] = std::max(rowHeight[a.Part], shown.Height() * scale);
        if (a.Column >= 0)
            columnWidth[size_t(a.Column)] = std::max(columnWidth[size_t(a.Column)], shown.Width() * scale);
        else
            sharedWidth += shown.Width() * scale + Gap;
    }
    std::vector<TSurface> previews;
    int previewHeight = 0;
    for (TStyle style : AllStyles) {
        previews.push_back(Preview(artwork, PaletteOf(style)));
        previewHeight = std::max(previewHeight, previews.back().Height() * 2);
        columnWidth[size_t(style)] = std::max(columnWidth[size_t(style)], previews.back().Width() * 2);
    }
    int width = Gap;
    for (int w : columnWidth)
        width += w + Gap;
    width = std::max(width, sharedWidth + Gap);
    int height = Gap + previewHeight + Gap;
    for (const std::string& part : parts)
        height += rowHeight[part] + Gap;

    TSurface sheet(width, height, Ground);
    std::array<int, StyleCount> columnX{};
    for (size_t c = 0, x = Gap; c < StyleCount; ++c) {
        columnX[c] = int(x);
        x += size_t(columnWidth[c] + Gap);
    }
    for (size_t c = 0; c < previews.size(); ++c)
        Stamp(sheet, previews[c], columnX[c], Gap, 2);
    int y = Gap + previewHeight + Gap;
    for (const std::string& part : parts) {
        int sharedX = Gap;
        for (const TArtwork& a : artwork) {
            if (a.Part != part) continue;
            const TSurface shown = Widened(a.Picture);
            const int scale = ScaleOf(shown);
            const int x = a.Column >= 0 ? columnX[size_t(a.Column)] : sharedX;
            Stamp(sheet, shown, x, y, scale);
            if (a.Column < 0) sharedX += shown.Width() * scale + Gap;
        }
        y += rowHeight[part] + Gap;
    }
    return sheet;
}

} // namespace art
