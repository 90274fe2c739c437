#include "platform/DC.h"
#include "platform/Input.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

// The classic non-client area: layout from the style, hit testing and painting.

namespace {

int FrameWidth(DWORD style) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if (style & WS_DLGFRAME) return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

void Fill(TDC& dc, const TRect& r, TColor c) {
    dc.FillRect(r, TBrushDesc::SolidColor(c));
}

// A small filled triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right), centred in r.
void DrawArrow(TDC& dc, const TRect& r, int dir, TColor color) {
    int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < size; ++i) {
        int half = dir == 0 || dir == 2 ? i : size - 1 - i;
        int along = i - size / 2;
        if (dir <= 1)
            Fill(dc, {cx - half - 1, cy + along, cx + half, cy + along + 1}, color);
        else
            Fill(dc, {cx + along, cy - half - 1, cx + along + 1, cy + half}, color);
    }
}

void DrawCloseGlyph(TDC& dc, const TRect& r) {
    int n = std::min(r.Width(), r.Height()) - 8;
    int x0 = r.Left + (r.Width() - n) / 2, y0 = r.Top + (r.Height() - n) / 2;
    for (int i = 0; i < n; ++i) {
        Fill(dc, Bounds(x0 + i, y0 + i, 2, 1), clBtnText);
        Fill(dc, Bounds(x0 + n - 2 - i, y0 + i, 2, 1), clBtnText);
    }
}

} // namespace

// A two-pixel classic edge: outer and inner lines, each with a top-left and a bottom-right colour.
void DrawEdge(TDC& dc, TRect r, TColor outerTL, TColor outerBR, TColor innerTL, TColor innerBR) {
    for (auto [tl, br] : {std::pair{outerTL, outerBR}, std::pair{innerTL, innerBR}}) {
        if (r.IsEmpty()) return;
        Fill(dc, {r.Left, r.Top, r.Right, r.Top + 1}, tl);
        Fill(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, tl);
        Fill(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, br);
        Fill(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, br);
        r = r.Inflated(-1, -1);
    }
}

void DrawRaisedEdge(TDC& dc, const TRect& r) {
    DrawEdge(dc, r, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow);
}

void DrawButtonFace(TDC& dc, const TRect& r, bool pressed) {
    Fill(dc, r, clBtnFace);
    if (pressed)
        DrawEdge(dc, r, cl3DDkShadow, clBtnHighlight, clBtnShadow, cl3DLight);
    else
        DrawRaisedEdge(dc, r);
}

TNonClientLayout NonClientLayout(DWORD style, DWORD exStyle, TSize size) {
    TNonClientLayout l;
    TRect r{0, 0, size.cx, size.cy};
    l.Frame = FrameWidth(style);
    r = r.Inflated(-l.Frame, -l.Frame);
    if (HasCaption(style)) {
        int h = GetSystemMetrics(SM_CYCAPTION) - 1;
        l.Caption = {r.Left, r.Top, r.Right, r.Top + h};
        r.Top += h + 1;
        if (style & WS_SYSMENU) {
            int bh = h - 4, bw = bh + 2;
            l.CloseButton = {l.Caption.Right - 2 - bw, l.Caption.Top + 2, l.Caption.Right - 2,
                             l.Caption.Top + 2 + bh};
            if (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
                l.MaxButton = l.CloseButton.Offsetted(-bw - 2, 0);
                l.MinButton = l.MaxButton.Offsetted(-bw, 0);
            }
        }
    }
    if (exStyle & WS_EX_CLIENTEDGE)
        r = r.Inflated(-GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    int sb = GetSystemMetrics(SM_CXVSCROLL);
    if ((style & WS_VSCROLL) && r.Width() >= sb) {
        l.VScroll = {r.Right - sb, r.Top, r.Right, r.Bottom};
        r.Right -= sb;
    }
    if ((style & WS_HSCROLL) && r.Height() >= sb) {
        l.HScroll = {r.Left, r.Bottom - sb, r.Right, r.Bottom};
        r.Bottom -= sb;
        if (!l.VScroll.IsEmpty()) l.VScroll.Bottom -= sb;
    }
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    l.Client = r;
    return l;
}

TRect ScrollBarRect(const TWindow& w, int bar) {
    TNonClientLayout l = NonClientLayout(w.Style, w.ExStyle, w.Rect.Size());
    return bar == SB_VERT ? l.VScroll : l.HScroll;
}

int DefaultHitTest(TWindow& w, TPoint screen) {
    TRect wr = GetWindowRect(w.Handle);
    TPoint p = screen - wr.TopLeft();
    if (!w.SizeRect().Contains(p)) return HTNOWHERE;
    if (w.Client.Contains(p)) return HTCLIENT;
    TNonClientLayout l = NonClientLayout(w.Style, w.ExStyle, w.Rect.Size());
    if (l.VScroll.Contains(p)) return HTVSCROLL;
    if (l.HScroll.Contains(p)) return HTHSCROLL;
    if (l.CloseButton.Contains(p)) return HTCLOSE;
    if (l.MaxButton.Contains(p)) return HTMAXBUTTON;
    if (l.MinButton.Contains(p)) return HTMINBUTTON;
    if (l.Caption.Contains(p)) return HTCAPTION;
    if ((w.Style & WS_THICKFRAME) && !(w.Style & WS_MAXIMIZE)) {
        int W = w.Rect.Width(), H = w.Rect.Height(), f = l.Frame, grip = GetSystemMetrics(SM_CYCAPTION);
        bool left = p.X < f, right = p.X >= W - f, top = p.Y < f, bottom = p.Y >= H - f;
        bool nearLeft = p.X < grip, nearRight = p.X >= W - grip, nearTop = p.Y < grip,
             nearBottom = p.Y >= H - grip;
        if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    return HTBORDER;
}

void PaintNonClient(TWindow& w, TDC& dc) {
    TNonClientLayout l = NonClientLayout(w.Style, w.ExStyle, w.Rect.Size());
    TRect r = w.SizeRect();
    if (w.Style & WS_THICKFRAME || w.Style & WS_DLGFRAME) {
        DrawRaisedEdge(dc, r);
        for (TRect inner = r.Inflated(-2, -2); inner.Left < l.Frame && !inner.IsEmpty();
             inner = inner.Inflated(-1, -1))
            DrawEdge(dc, inner, clBtnFace, clBtnFace, clBtnFace, clBtnFace);
    } else if (w.Style & WS_BORDER) {
        dc.FrameRect(r, TBrushDesc::SolidColor(clWindowFrame));
    }
    if (!l.Caption.IsEmpty()) {
        bool active = TopLevelOf(w).Handle == GetActiveWindow();
        Fill(dc, l.Caption, active ? clActiveCaption : clInactiveCaption);
        Fill(dc, {l.Caption.Left, l.Caption.Bottom, l.Caption.Right, l.Caption.Bottom + 1}, clBtnFace);
        TRect text{l.Caption.Left + 4, l.Caption.Top,
                   (l.MinButton.IsEmpty() ? l.CloseButton : l.MinButton).Left - 2, l.Caption.Bottom};
        if (l.CloseButton.IsEmpty()) text.Right = l.Caption.Right - 2;
        TDCStateSaver saver(dc);
        TFontDesc font;
        font.Weight = 700;
        dc.SetFont(font);
        dc.SetBkMode(TBkMode::Transparent);
        dc.SetTextColor(active ? clCaptionText : clInactiveCaptionText);
        dc.DrawText(w.Text, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (!l.CloseButton.IsEmpty()) {
        DrawButtonFace(dc, l.CloseButton, false);
        DrawCloseGlyph(dc, l.CloseButton);
    }
    for (const TRect& b : {l.MaxButton, l.MinButton}) {
        if (b.IsEmpty()) continue;
        DrawButtonFace(dc, b, false);
        bool isMax = b == l.MaxButton;
        TRect glyph = b.Inflated(-4, -3);
        if (isMax)
            dc.FrameRect(glyph, TBrushDesc::SolidColor(clBtnText));
        else
            Fill(dc, {glyph.Left, glyph.Bottom - 2, glyph.Right - 2, glyph.Bottom}, clBtnText);
    }
    if (w.ExStyle & WS_EX_CLIENTEDGE) {
        TRect edge = l.Client;
        edge.Right = std::max(edge.Right, l.VScroll.Right);
        edge.Bottom = std::max(edge.Bottom, l.HScroll.Bottom);
        DrawEdge(dc, edge.Inflated(2, 2), clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
    }
    if (!l.VScroll.IsEmpty()) PaintScrollBar(w, dc, SB_VERT);
    if (!l.HScroll.IsEmpty()) PaintScrollBar(w, dc, SB_HORZ);
    if (!l.VScroll.IsEmpty() && !l.HScroll.IsEmpty())
        Fill(dc, {l.VScroll.Left, l.HScroll.Top, l.VScroll.Right, l.HScroll.Bottom}, clBtnFace);
}

void DrawScrollBarParts(TDC& dc, const TRect& bar, bool vertical, int arrow, int thumbStart, int thumbEnd,
                        bool enabled) {
    TRect first = vertical ? TRect{bar.Left, bar.Top, bar.Right, bar.Top + arrow}
                           : TRect{bar.Left, bar.Top, bar.Left + arrow, bar.Bottom};
    TRect last = vertical ? TRect{bar.Left, bar.Bottom - arrow, bar.Right, bar.Bottom}
                          : TRect{bar.Right - arrow, bar.Top, bar.Right, bar.Bottom};
    Fill(dc, bar, clScrollBar);
    TColor glyph = enabled ? clBtnText : clGrayText;
    DrawButtonFace(dc, first, false);
    DrawArrow(dc, first, vertical ? 0 : 2, glyph);
    DrawButtonFace(dc, last, false);
    DrawArrow(dc, last, vertical ? 1 : 3, glyph);
    if (enabled && thumbEnd > thumbStart) {
        TRect thumb = vertical ? TRect{bar.Left, bar.Top + thumbStart, bar.Right, bar.Top + thumbEnd}
                               : TRect{bar.Left + thumbStart, bar.Top, bar.Left + thumbEnd, bar.Bottom};
        DrawButtonFace(dc, thumb, false);
    }
}
