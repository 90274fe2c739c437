#include "classlib/MenuItemLook.h"

#include "classlib/Canvas.h"
#include "classlib/ImageList.h"
#include "classlib/Menus.h"
#include "platform/Services.h"

#include <algorithm>

namespace {

constexpr int SeparatorHeight = 9;
constexpr int ArrowColumn = 16; // right of the caption: the sub-menu arrow
constexpr int ShortCutGap = 12; // at least this between caption and shortcut
constexpr int GlyphMargin = 3;  // around the check mark or image in the left column

const TImageList* ImagesOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

// A right-to-left menu mirrors its items: glyph column right, arrow left, caption right-aligned.
bool RightToLeft(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->UseRightToLeftAlignment();
}

bool HasImage(const TMenuItem& item) {
    const TImageList* images = ImagesOf(item);
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

// The left column holds the check mark or the image; the caption starts after it.
int GutterWidth(const TMenuItem& item) {
    const TImageList* images = ImagesOf(item);
    return std::max(16, images ? images->Width() : 0) + 2 * GlyphMargin;
}

bool HasSubMenu(const TMenuItem& item) {
    for (int i = 0; i < item.Count(); ++i)
        if (item.Items(i)->Visible()) return true;
    return false;
}

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(r);
}

TSize TextSize(TCanvas& canvas, const std::string& text, unsigned format) {
    TRect r;
    canvas.Handle()->DrawText(text, r, format | DT_SINGLELINE | DT_CALCRECT);
    return r.Size();
}

void DrawSeparator(TCanvas& canvas, const TRect& r) {
    int y = r.Top + r.Height() / 2 - 1;
    Fill(canvas, {r.Left + 1, y, r.Right - 1, y + 1}, clBtnShadow);
    Fill(canvas, {r.Left + 1, y + 1, r.Right - 1, y + 2}, clBtnHighlight);
}

// A tick of 7 x 7 pixels, three pixels thick.
void DrawCheck(TCanvas& canvas, TPoint at, TColor color) {
    for (int x = 0; x < 7; ++x) {
        int y = x <= 2 ? 2 + x : 6 - x;
        Fill(canvas, Bounds(at.X + x, at.Y + y, 1, 3), color);
    }
}

void DrawBullet(TCanvas& canvas, TPoint at, TColor color) {
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Ellipse(at.X, at.Y, at.X + 6, at.Y + 6);
}

// Pointing right, or left when `leftwards`.
void DrawArrow(TCanvas& canvas, const TRect& column, TColor color, bool leftwards) {
    int cx = column.Left + column.Width() / 2 - 2, cy = column.Top + column.Height() / 2;
    for (int i = 0; i < 4; ++i) {
        const int x = leftwards ? cx + 3 - i : cx + i;
        Fill(canvas, {x, cy - 3 + i, x + 1, cy + 4 - i}, color);
    }
}

void DrawGlyphColumn(const TMenuItem& item, TCanvas& canvas, const TRect& column, TColor color) {
    if (HasImage(item)) {
        const TImageList* images = ImagesOf(item);
        TPoint at{column.Left + (column.Width() - images->Width()) / 2,
                  column.Top + (column.Height() - images->Height()) / 2};
        if (item.Checked()) {
            TRect box = Bounds(at.X - 1, at.Y - 1, images->Width() + 2, images->Height() + 2);
            Fill(canvas, {box.Left, box.Top, box.Right, box.Top + 1}, clBtnShadow);
            Fill(canvas, {box.Left, box.Top, box.Left + 1, box.Bottom}, clBtnShadow);
            Fill(canvas, {box.Left, box.Bottom - 1, box.Right, box.Bottom}, clBtnHighlight);
            Fill(canvas, {box.Right - 1, box.Top, box.Right, box.Bottom}, clBtnHighlight);
        }
        images->Draw(&canvas, at.X, at.Y, item.ImageIndex(), item.Enabled());
    } else if (item.Checked()) {
        TPoint centre{column.Left + column.Width() / 2, column.Top + column.Height() / 2};
        if (item.RadioItem())
            DrawBullet(canvas, {centre.X - 3, centre.Y - 3}, color);
        else
            DrawCheck(canvas, {centre.X - 3, centre.Y - 4}, color);
    }
}

void DrawTexts(const TMenuItem& item, TCanvas& canvas, TRect text, TColor color) {
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(color);
    const bool rightToLeft = RightToLeft(item);
    TRect caption = text;
    const unsigned captionSide = rightToLeft ? DT_RIGHT : DT_LEFT;
    const unsigned shortCutSide = rightToLeft ? DT_LEFT : DT_RIGHT;
    canvas.Handle()->DrawText(item.Caption(), caption, DT_SINGLELINE | DT_VCENTER | captionSide);
    std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty())
        canvas.Handle()->DrawText(shortCut, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | shortCutSide);
}

} // namespace

void ApplyMenuFont(TFont& font) {
    NONCLIENTMETRICS metrics;
    TFontDesc desc =
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics) ? metrics.lfMenuFont : TFontDesc{};
    font.SetName(desc.Name);
    font.SetHeight(desc.Height);
    TFontStyles style;
    if (desc.Bold()) style.Include(fsBold);
    if (desc.Italic) style.Include(fsItalic);
    if (desc.Underline) style.Include(fsUnderline);
    if (desc.StrikeOut) style.Include(fsStrikeOut);
    font.SetStyle(style);
    font.SetCharset(DEFAULT_CHARSET);
    font.SetColor(clMenuText);
}

TSize MeasureMenuItem(const TMenuItem& item, TCanvas& canvas) {
    if (item.IsLine()) return {GutterWidth(item), SeparatorHeight};
    if (item.Default()) canvas.Font()->SetStyle({fsBold});
    TSize caption = TextSize(canvas, item.Caption(), 0);
    std::string shortCut = ShortCutToText(item.ShortCut());
    int shortCutWidth = shortCut.empty() ? 0 : ShortCutGap + TextSize(canvas, shortCut, DT_NOPREFIX).cx;
    const TImageList* images = ImagesOf(item);
    int height = std::max({caption.cy + 6, GetSystemMetrics(SM_CYMENU), images ? images->Height() + 3 : 0});
    return {GutterWidth(item) + caption.cx + shortCutWidth + ArrowColumn, height};
}

void DrawMenuItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected) {
    Fill(canvas, rect, selected && !item.IsLine() ? clHighlight : clMenu);
    if (item.IsLine()) {
        DrawSeparator(canvas, rect);
        return;
    }
    if (item.Default()) canvas.Font()->SetStyle({fsBold});
    TColor color = !item.Enabled() ? clGrayText : selected ? clHighlightText : clMenuText;
    const bool rightToLeft = RightToLeft(item);
    const int gutter = GutterWidth(item);
    TRect column{rect.Left, rect.Top, rect.Left + gutter, rect.Bottom};
    TRect text{column.Right, rect.Top, rect.Right - ArrowColumn, rect.Bottom};
    TRect arrow{text.Right, rect.Top, rect.Right, rect.Bottom};
    if (rightToLeft) {
        column = {rect.Right - gutter, rect.Top, rect.Right, rect.Bottom};
        text = {rect.Left + ArrowColumn, rect.Top, column.Left, rect.Bottom};
        arrow = {rect.Left, rect.Top, text.Left, rect.Bottom};
    }
    DrawGlyphColumn(item, canvas, column, color);
    if (!item.Enabled() && !selected) {
        DrawTexts(item, canvas, text.Offsetted(1, 1), clBtnHighlight); // the embossed look
        color = clBtnShadow;
    }
    DrawTexts(item, canvas, text, color);
    if (HasSubMenu(item)) DrawArrow(canvas, arrow, color, rightToLeft);
}
