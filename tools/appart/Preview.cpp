#include "tools/appart/Preview.h"

#include "platform/DC.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

constexpr TPixel Ground = 0x9EA3AA;
constexpr int Gap = 12;

const TSurface& Find(const std::vector<TNamedPicture>& pictures, const std::string& name) {
    const auto found = std::find_if(pictures.begin(), pictures.end(),
                                    [&](const TNamedPicture& p) { return p.Name == name; });
    if (found == pictures.end()) throw std::logic_error("the preview needs the picture " + name);
    return found->Picture;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void DrawKeyed(TDC& dc, const TSurface& picture, int x, int y) {
    const TRect whole{0, 0, picture.Width(), picture.Height()};
    dc.TransparentBlt({x, y, x + picture.Width(), y + picture.Height()}, picture, whole,
                      PixelToColor(picture.Pixel(0, picture.Height() - 1)));
}

void Write(TDC& dc, int x, int y, const std::string& text, TFontDesc font, TColor color) {
    dc.SetFont(font);
    dc.SetTextColor(color);
    dc.SetBkMode(TBkMode::Transparent);
    dc.TextOut(x, y, text);
}

// The bar the way the title bar lays it out: sections left, right and stretched client, buttons from the
// right, the control box at the left with the caption after it.
void DrawTitleBar(TDC& dc, const std::vector<TNamedPicture>& pictures, int width, const std::string& caption,
                  bool mainWindow, const char* state) {
    const TSurface& left = Find(pictures, "VMR_TITLE_LEFT");
    const TSurface& client = Find(pictures, "VMR_TITLE_CLIENT");
    const TSurface& right = Find(pictures, "VMR_TITLE_RIGHT");
    const int clientLeft = std::min(left.Width(), width - right.Width());
    dc.StretchBlt({clientLeft, 0, width - right.Width(), AppTitleHeight}, client, {0, 0, 1, AppTitleHeight});
    dc.BitBlt(0, 0, std::min(left.Width(), width - right.Width()), AppTitleHeight, left, 0, 0);
    dc.BitBlt(width - right.Width(), 0, right.Width(), AppTitleHeight, right, 0, 0);
    const int top = AppPalette().TitleButtonTop;
    int x = width;
    for (const char* button : {"CLOSE", "MAX", "MIN"}) {
        if (!mainWindow && std::string(button) != "CLOSE") break;
        x -= AppButtonSize;
        DrawKeyed(dc, Find(pictures, std::string("VMR_") + button + "_" + state), x, top);
    }
    int captionX = 6;
    if (mainWindow) {
        DrawKeyed(dc, Find(pictures, std::string("VMR_CONTROLBOX_") + state), 0, top);
        captionX = AppButtonSize + 4;
    }
    Write(dc, captionX, 5, caption, {"Tahoma", -11, 700}, clWhite);
}

TSurface MainWindowBars(const std::vector<TNamedPicture>& pictures) {
    constexpr int width = 701;
    TSurface bars(width, 3 * (AppTitleHeight + 4), Ground);
    TDC dc(bars);
    int y = 0;
    for (const char* state : {"NORMAL", "OVER", "DOWN"}) {
        dc.SetViewportOrg({0, y});
        DrawTitleBar(dc, pictures, width, "Il Velmarune", true, state);
        y += AppTitleHeight + 4;
    }
    return bars;
}

TSurface AboutWindow(const std::vector<TNamedPicture>& pictures, const std::string& folder) {
    constexpr int width = 400, height = 496;
    TSurface window(width, height);
    TDC dc(window);
    dc.BitBlt(0, 21, AboutWidth, AboutHeight, Find(pictures, "VMR_ABOUT_BACKGROUND"), 0, 0);
    const TFontDesc chancery{"Monotype Corsiva", -35, 400, true};
    Write(dc, 63, 16, "Il Velmarune", chancery, clBlack);
    Write(dc, 144, 40, "Incantesimi", chancery, clBlack);
    const std::vector<std::string> texts = ReadLines(folder + "/VMR_ABOUT_TEXTS.txt");
    if (!texts.empty()) Write(dc, 331, 61, texts[0], {"MS Sans Serif", -11, 400, false, true}, clBlue);
    Write(dc, 299, 61, "v. 1.2", {}, clBlack);
    if (texts.size() > 2) Write(dc, 6, 480, texts[2], {"MS Sans Serif", -11, 700}, clBlack);

    const TRect memo{5, 344, 5 + 388, 344 + 133};
    dc.FillRect(memo, TBrushDesc::SolidColor(clWhite));
    dc.FrameRect(memo, TBrushDesc::SolidColor(clBlack));
    dc.SaveDC();
    dc.IntersectClipRect({memo.Left + 1, memo.Top + 1, memo.Right - 1, memo.Bottom - 1});
    int y = memo.Top + 2;
    for (const std::string& line : ReadLines(folder + "/VMR_LICENCE.txt")) {
        Write(dc, memo.Left + 3, y, line, {}, clBlack);
        y += 13;
    }
    dc.RestoreDC(-1);
    DrawTitleBar(dc, pictures, width, "About...", false, "NORMAL");
    dc.FrameRect({0, 0, width, height}, TBrushDesc::SolidColor(clBlack));
    return window;
}

} // namespace

TSurface ComposePreview(const std::vector<TNamedPicture>& pictures, const std::string& layoutFolder) {
    const TSurface bars = MainWindowBars(pictures);
    const TSurface about = AboutWindow(pictures, layoutFolder);
    const TSurface& background = Find(pictures, "VMR_ABOUT_BACKGROUND");
    const int width = std::max(bars.Width(), 2 * about.Width() + Gap);
    TSurface sheet(Gap + width + Gap, Gap + bars.Height() + Gap + about.Height() + Gap, Ground);
    TDC dc(sheet);
    dc.BitBlt(Gap, Gap, bars.Width(), bars.Height(), bars, 0, 0);
    const int y = Gap + bars.Height() + Gap;
    dc.BitBlt(Gap, y, about.Width(), about.Height(), about, 0, 0);
    const int backgroundHeight = std::min(background.Height(), about.Height());
    dc.BitBlt(Gap + about.Width() + Gap, y, background.Width(), backgroundHeight, background, 0, 0);
    return sheet;
}

} // namespace art
