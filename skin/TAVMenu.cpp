#include "skin/TAVMenu.h"

#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "classlib/MenuItemLook.h"
#include "classlib/Menus.h"
#include "classlib/ShortCut.h"
#include "platform/Painting.h"
#include "platform/Services.h"
#include "skin/TAVMgr.h"

namespace {

constexpr int CaptionInset = 4; // from the bar to the caption, and from the item's top to the text

// A theme colour by the style rule: the theme file when it is to be used, else the built-in table.
TColor LookColor(const TtavMenuLook& look, int key) {
    TtavUIStyle effective;
    return ResolveFileThemeStyle(look.FileTheme, look.UIStyle, effective)
               ? look.FileTheme->GetThemeColor(key)
               : GetBuiltinThemeColor(effective, key);
}

// The top rows of a MacOS picture, stretched over the rectangle.
void StretchMacOSPicture(TCanvas& canvas, const TRect& rect, const char* resourceName, int rows) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(resourceName);
    bitmap.SetHeight(rows);
    canvas.StretchDraw(rect, &bitmap);
}

// The bar at the left and the background right of it.
void DrawBarAndBackground(const TtavMenuLook& look, TCanvas& canvas, const TRect& r) {
    if (look.BarWidth > 0)
        FillMenuRect(canvas, {r.Left, r.Top, r.Left + look.BarWidth, r.Bottom}, look.BarColor);
    FillMenuRect(canvas, {r.Left + look.BarWidth, r.Top, r.Right, r.Bottom}, look.Color);
}

void DrawSeparatorItem(const TtavMenuLook& look, TCanvas& canvas, const TRect& r) {
    if (look.UIStyle == TtavUIStyle::MacOS) return DrawMacOSMenuSeparator(canvas, r);
    DrawBarAndBackground(look, canvas, r);
    DrawMenuSeparatorLine(canvas, r, look.SeparatorColor, look.BarWidth);
}

void DrawItemBackground(const TtavMenuLook& look, const TMenuItem& item, TCanvas& canvas, const TRect& r,
                        bool selected) {
    const bool macOS = look.UIStyle == TtavUIStyle::MacOS;
    if (selected && item.Enabled()) {
        if (macOS) return DrawMacOSMenuSelection(canvas, r);
        FillMenuRect(canvas, r, look.SelectedColor);
        FrameMenuRect(canvas, r, look.SelectedBorderColor);
        return;
    }
    if (macOS) return DrawMacOSMenuItemBackground(canvas, r);
    DrawBarAndBackground(look, canvas, r);
}

void SetCaptionFont(const TtavMenuLook& look, const TMenuItem& item, TCanvas& canvas, bool selected) {
    TFont& font = *canvas.Font();
    if (look.UseSystemFont) {
        ApplySystemMenuFont(font);
    } else {
        font.SetName(look.FontName);
        font.SetSize(look.FontSize);
        font.SetCharset(look.FontCharset);
    }
    canvas.Brush()->SetStyle(bsClear);
    font.SetColor(!item.Enabled() ? clGray : selected ? look.SelectedFontColor : look.FontColor);
    if (item.Default()) font.SetStyle(font.Style() + TFontStyles{fsBold});
}

// Only on the popup window the canvas paints: its border is painted over on the screen.
void DrawFlatBorder(const TtavMenuLook& look, TCanvas& canvas) {
    HWND window = WindowFromDC(canvas.Handle());
    if (!window) return;
    DrawMenuPopupBorder(window, clBlack, LookColor(look, tavkey::FormBackgroundColor));
}

void DrawCheckAndImage(const TtavMenuLook& look, const TImageList& checkMarks, const TImageList* images,
                       const TMenuItem& item, TCanvas& canvas, const TRect& r) {
    const bool hasImage = item.ImageIndex() != -1 && images && item.ImageIndex() < images->Count();
    if (item.Checked()) {
        if (hasImage) {
            FrameMenuRect(canvas, {r.Left + 2, r.Top + 1, r.Left + 21, r.Top + 20}, clBlack);
            FillMenuRect(canvas, {r.Left + 3, r.Top + 2, r.Left + 20, r.Top + 19}, look.SelectedColor);
        } else {
            checkMarks.Draw(&canvas, r.Left + 4, r.Top + 3, 0, item.Enabled());
        }
    }
    if (hasImage) images->Draw(&canvas, r.Left + 4, r.Top + 3, item.ImageIndex(), item.Enabled());
}

} // namespace

void ApplyMenuStyle(TtavMenuLook& look, TtavUIStyle style) {
    look.UIStyle = style;
    look.BarWidth = 26;
    const bool macOS = style == TtavUIStyle::MacOS;
    look.MenuItemHeight = macOS ? 20 : 21;
    look.SeparatorHeight = macOS ? 12 : 5;
    look.SeparatorColor = macOS ? TColor(0) : TColor(0x848284);
    look.BarColor = LookColor(look, tavkey::MenuBarColor);
    look.Color = LookColor(look, tavkey::MenuBackgroundColor);
    look.FontColor = LookColor(look, tavkey::MenuFontColor);
    look.SelectedBorderColor = LookColor(look, tavkey::MenuSelectedBorderColor);
    look.SelectedColor = LookColor(look, tavkey::MenuSelectedBackgroundColor);
    look.SelectedFontColor = LookColor(look, tavkey::MenuSelectedFontColor);
}

void MeasureSkinnedMenuItem(const TtavMenuLook& look, const TMenuItem& item, TCanvas& canvas, int& width,
                            int& height) {
    height = item.IsLine() ? look.SeparatorHeight : look.MenuItemHeight;
    width = canvas.TextWidth(item.Caption()) + canvas.TextWidth(ShortCutToText(item.ShortCut())) +
            look.BarWidth + 40;
}

void DrawSkinnedMenuItem(const TtavMenuLook& look, const TImageList& checkMarks, const TImageList* itemImages,
                         const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected) {
    if (look.FlatMenu) DrawFlatBorder(look, canvas);
    if (item.IsLine()) return DrawSeparatorItem(look, canvas, rect);
    DrawItemBackground(look, item, canvas, rect, selected);
    SetCaptionFont(look, item, canvas, selected);
    TRect text{rect.Left + look.BarWidth + CaptionInset, rect.Top + CaptionInset, rect.Right, rect.Bottom};
    canvas.Handle()->DrawText(item.Caption(), text, DT_SINGLELINE);
    if (const std::string shortCut = ShortCutToText(item.ShortCut()); !shortCut.empty())
        canvas.TextOut(rect.Right - canvas.TextWidth(shortCut) - 16, rect.Top + CaptionInset, shortCut);
    DrawCheckAndImage(look, checkMarks, itemImages, item, canvas, rect);
}

void InstallMenuDrawHandlers(TMenuItem* item, const TMenuDrawItemEvent& draw,
                             const TMenuMeasureItemEvent& measure) {
    item->OnDrawItem = draw;
    item->OnMeasureItem = measure;
    for (int i = 0; i < item->Count(); ++i)
        InstallMenuDrawHandlers(item->Items(i), draw, measure);
}

std::unique_ptr<TImageList> NewCheckMarkImages() {
    auto list = TImageList::CreateSize(16, 16);
    TBitmap mark;
    mark.LoadFromResourceName("MENU_CHECKED");
    mark.SetTransparent(true);
    list->AddMasked(&mark, clWhite);
    return list;
}

void FrameMenuRect(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FrameRect(rect);
}

void FillMenuRect(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(rect);
}

void DrawMenuSeparatorLine(TCanvas& canvas, const TRect& rect, TColor color, int barWidth) {
    canvas.Pen()->SetColor(color);
    canvas.MoveTo(rect.Left + barWidth + 4, rect.Top + 2);
    canvas.LineTo(rect.Right - 2, rect.Top + 2);
}

void DrawMacOSMenuSeparator(TCanvas& canvas, const TRect& rect) {
    StretchMacOSPicture(canvas, rect, "MACOS_MENU_BAR", 12);
}

void DrawMacOSMenuSelection(TCanvas& canvas, const TRect& rect) {
    StretchMacOSPicture(canvas, rect, "MACOS_MENU_SELECT", 20);
}

void DrawMacOSMenuItemBackground(TCanvas& canvas, const TRect& rect) {
    StretchMacOSPicture(canvas, rect, "MACOS_MENU_BAR", 20);
}

void DrawMenuPopupBorder(HWND window, TColor frameColor, TColor edgeColor) {
    TWindowDC dc(GetDesktopWindow(), true);
    if (!dc) return;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    const TRect w = GetWindowRect(window);
    FrameMenuRect(canvas, {w.Left, w.Top + 1, w.Right - 1, w.Bottom - 1}, frameColor);
    FrameMenuRect(canvas, {w.Left + 1, w.Top + 2, w.Right - 2, w.Bottom - 2}, clWhite);
    canvas.Pen()->SetColor(edgeColor);
    canvas.MoveTo(w.Left, w.Bottom - 1);
    canvas.LineTo(w.Right - 1, w.Bottom - 1);
    canvas.LineTo(w.Right - 1, w.Top);
    canvas.LineTo(w.Right, w.Top);
    canvas.LineTo(w.Left, w.Top);
    canvas.SetHandle(nullptr);
}

void ApplySystemMenuFont(TFont& font) {
    NONCLIENTMETRICS metrics;
    if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics)) return;
    ApplyMenuFont(font);
}
