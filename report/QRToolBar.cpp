#include "report/QRToolBar.h"

#include "platform/DC.h"

TQRToolBar::TQRToolBar(TComponent* owner) : TCustomControl(owner) {
    // Its buttons take quick presses as clicks, so the bar asks for no double clicks.
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque} - TControlStyle{csDoubleClicks});
    SetHeight(BarHeight);
    SetAlign(alTop);
}

TQRToolButton* TQRToolBar::AddButton(const std::string& hint, TQRToolButton::TGlyphPainter glyph,
                                     TNotifyEvent onClick) {
    auto* button = NewComponent<TQRToolButton>(this);
    button->SetParent(this);
    button->SetBounds(FNextLeft, 3, TQRToolButton::Size, TQRToolButton::Size);
    button->SetHint(hint);
    button->SetGlyph(std::move(glyph));
    button->OnClick = std::move(onClick);
    FNextLeft += TQRToolButton::Size;
    return button;
}

void TQRToolBar::AddSeparator() { FNextLeft += 8; }

size_t TQRToolBar::AddText(int width) {
    FTexts.push_back({{FNextLeft + 4, 3, FNextLeft + 4 + width, 3 + TQRToolButton::Size}, {}});
    FNextLeft += width + 8;
    return FTexts.size() - 1;
}

void TQRToolBar::SetBarText(size_t index, const std::string& text) {
    TBarText& t = FTexts.at(index);
    if (t.Text == text) return;
    t.Text = text;
    Invalidate();
}

void TQRToolBar::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    c.Pen()->SetColor(clBtnShadow);
    c.MoveTo(r.Left, r.Bottom - 2);
    c.LineTo(r.Right, r.Bottom - 2);
    c.Pen()->SetColor(clBtnHighlight);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Right, r.Bottom - 1);
    c.Brush()->SetStyle(TBrushStyle::Clear);
    c.Font()->SetColor(clBtnText);
    for (const TBarText& t : FTexts) {
        TSize size = c.TextExtent(t.Text);
        c.TextRect(t.Bounds, t.Bounds.Left, t.Bounds.Top + (t.Bounds.Height() - size.cy) / 2, t.Text);
    }
}
