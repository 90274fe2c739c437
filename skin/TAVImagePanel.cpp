#include "skin/TAVImagePanel.h"

#include "classlib/Application.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/TextAlignment.h"
#include "platform/Input.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

namespace {
constexpr int RollStep = 15;
constexpr int PanelButtonFrames = 4;
constexpr int ButtonWidth = 13;
constexpr int ButtonHeight = 12;
constexpr int ButtonMargin = 4;
// The body's margin inside the border for aligned children.
constexpr int ChildInset = 3;
} // namespace

// ---- TtavCustomPanel -----------------------------------------------------------------------------------

TtavCustomPanel::TtavCustomPanel(TComponent* owner) : TCustomPanel(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = [this](TObject*) { PictureUpdated(); };
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
}

TtavCustomPanel::~TtavCustomPanel() {
    // The picture's last change must not reach a panel on its way out.
    FPicture->OnChange = nullptr;
}

void TtavImagePanel::PublishProperties(TPublisher<TtavImagePanel>& p) {
    p.Persistent("Picture", &TtavImagePanel::Picture, &TtavImagePanel::SetPicture)
        .Boolean("Transparent", &TtavImagePanel::Transparent, &TtavImagePanel::SetTransparent, false)
        .Boolean("AutoSize", &TtavImagePanel::AutoSize, &TtavImagePanel::SetAutoSize)
        .Enum("Alignment", &TtavImagePanel::Alignment, &TtavImagePanel::SetAlignment, taCenter)
        .Color("Color", &TtavImagePanel::Color, &TtavImagePanel::SetColor, clBtnFace)
        .Enum("DrawStyle", &TtavImagePanel::DrawStyle, &TtavImagePanel::SetDrawStyle);
}

bool TtavCustomPanel::HasGraphic() const {
    return FPicture->Graphic() != nullptr;
}

void TtavCustomPanel::SetPicture(const TPicture* value) {
    FPicture->Assign(value);
    FillBackground();
    Repaint();
}

void TtavCustomPanel::SetDrawStyle(TtavDrawStyle value) {
    if (FDrawStyle == value) return;
    FDrawStyle = value;
    FillBackground();
    Repaint();
}

void TtavCustomPanel::SetAutoSize(bool value) {
    FAutoSize = value;
    if (HasGraphic()) FitToPicture();
}

void TtavCustomPanel::SetTransparent(bool value) {
    FTransparent = value;
    if (HasGraphic()) SyncPictureTransparency();
    Repaint();
}

void TtavCustomPanel::PictureUpdated() {
    if (HasGraphic()) {
        if (FAutoSize) FitToPicture();
        SyncPictureTransparency();
    }
    FillBackground();
    Repaint();
}

// No window here belongs to a foreign process, so there is never a foreign parent's background to fill.
void TtavCustomPanel::FillBackground() {
    Canvas()->Brush()->SetColor(Color());
}

void TtavCustomPanel::FitToPicture() {
    if (!FAutoSize) return;
    const TAlign align = Align();
    if (align != alTop && align != alBottom && align != alClient) SetWidth(FPicture->Width());
    if (align != alLeft && align != alRight && align != alClient) SetHeight(FPicture->Height());
}

void TtavCustomPanel::SyncPictureTransparency() {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
}

void TtavCustomPanel::Resize() {
    TCustomPanel::Resize();
    Repaint();
}

void TtavCustomPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED: {
        auto alive = AliveMark();
        TCustomPanel::WndProc(m);
        if (alive.expired()) return;
        TextRectChanged(FTextRect);
        return Repaint();
    }
    }
    TCustomPanel::WndProc(m);
}

void TtavCustomPanel::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    if (FTransparent) PaintParentBackground(canvas, this);
    if (HasGraphic()) {
        DrawPicture(canvas, client);
    } else if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (!Trim(Caption()).empty()) DrawCaption(canvas, client);
    Canvas()->Draw(0, 0, &buffer);
}

void TtavCustomPanel::DrawPicture(TCanvas* canvas, const TRect& rect) {
    switch (FDrawStyle) {
    case tavStretch: return canvas->StretchDraw(rect, FPicture->Graphic());
    case tavTile: return DrawPictureStyled(canvas, FPicture.get(), rect);
    case tavNormal: return canvas->Draw(0, 0, FPicture->Graphic());
    }
}

// The caption as it stands, blanks included: only a blank caption is not drawn at all.
void TtavCustomPanel::DrawCaption(TCanvas* canvas, const TRect& rect) {
    canvas->Font()->Assign(Font());
    TRect textRect = rect;
    canvas->Handle()->DrawText(Caption(), textRect, DT_SINGLELINE | DT_VCENTER | AlignmentFlag(Alignment()));
    FTextRect = textRect;
}

// ---- TtavPanel -----------------------------------------------------------------------------------------

TtavPanel::TtavPanel(TComponent* owner) : TCustomPanel(owner) {
    SetWidth(100);
    SetExpandedHeight(100);
}

void TtavPanel::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavPanel::PublishProperties(TPublisher<TtavPanel>& p) {
    p.Component("FileTheme", &TtavPanel::FileTheme, &TtavPanel::SetFileTheme)
        .Enum("UIStyle", &TtavPanel::UIStyle, &TtavPanel::SetUIStyle, TtavUIStyle::DeepBlue)
        .Color("BorderColor", &TtavPanel::BorderColor, &TtavPanel::SetBorderColor, clBlack)
        .Boolean("ShowButton", &TtavPanel::ShowButton, &TtavPanel::SetShowButton, true)
        .Integer("Height", &TtavPanel::ExpandedHeight, &TtavPanel::SetExpandedHeight)
        .Color("CaptionFontColor", &TtavPanel::CaptionFontColor, &TtavPanel::SetCaptionFontColor, clWhite)
        .Color("Color", &TtavPanel::Color, &TtavPanel::SetColor, clWhite)
        .Event("OnPush", &TtavPanel::OnPush)
        .Event("OnPop", &TtavPanel::OnPop);
}

void TtavPanel::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavPanel::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    SetColor(clWhite);
    const TtavThemeSource source(FFileTheme, value);
    source.Image(tavkey::SideChannelBarImage, &FCaptionBitmap);
    FBorderColor = source.Color(tavkey::ControlBorderColor);
    FCaptionFontColor = !source.FromFile() && source.EffectiveStyle() == TtavUIStyle::MacOS
                            ? clBlack
                            : source.Color(tavkey::MenuSelectedFontColor);
    // Lays the children out again for the new bar height.
    SetExpandedHeight(FExpandedHeight - 1);
    SetExpandedHeight(FExpandedHeight + 1);
    Repaint();
}

void TtavPanel::SetBorderColor(TColor value) {
    FBorderColor = value;
    Repaint();
}

void TtavPanel::SetCaptionFontColor(TColor value) {
    FCaptionFontColor = value;
    Repaint();
}

void TtavPanel::SetShowButton(bool value) {
    FShowButton = value;
    Repaint();
}

void TtavPanel::SetExpandedHeight(int value) {
    FExpandedHeight = value;
    if (FExpanded || ComponentState().Contains(csDesigning)) SetHeight(value);
}

void TtavPanel::Resize() {
    TCustomPanel::Resize();
    if (!FAnimating && FExpanded) FExpandedHeight = Height();
}

void TtavPanel::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component || component != FFileTheme) return;
    FFileTheme = nullptr;
    if (ComponentState().Contains(csDestroying)) return;
    ApplyThemeToChildren(this, TtavUIStyle::DeepBlue, nullptr);
    SetUIStyle(TtavUIStyle::DeepBlue);
}

// Children lie 3 pixels inside the border and below the bar, and the base panel's bevel, never painted,
// takes one pixel more.
void TtavPanel::AdjustClientRect(TRect& rect) {
    rect.Left += ChildInset;
    rect.Right -= ChildInset;
    rect.Bottom -= ChildInset;
    rect.Top = CaptionBarHeight() + ChildInset;
    TCustomPanel::AdjustClientRect(rect);
}

// ---- painting ------------------------------------------------------------------------------------------

void TtavPanel::Paint() {
    const int W = Width(), barHeight = CaptionBarHeight();
    // Drawn straight into the part being painted, each pixel once: a panel-sized bitmap filled and copied at
    // every paint cost more than the paint. The canvas's tools are its own again afterwards.
    TCanvas* canvas = Canvas();
    TBrush brush;
    TPen pen;
    TFont font;
    brush.Assign(canvas->Brush());
    pen.Assign(canvas->Pen());
    font.Assign(canvas->Font());
    const TCopyMode copyMode = canvas->CopyMode();
    canvas->SetCopyMode(cmSrcCopy);
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetColor(FBorderColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetMode(pmCopy);
    canvas->Rectangle(ClientRect());
    canvas->StretchDraw({1, 0, W - 1, barHeight}, &FCaptionBitmap);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(FCaptionFontColor);
    TRect textRect{10, 0, W - 1, barHeight};
    canvas->Handle()->DrawText(Caption(), textRect, DT_SINGLELINE | DT_VCENTER);
    if (FShowButton) DrawButton(canvas, W, barHeight);
    canvas->SetBrush(&brush);
    canvas->SetPen(&pen);
    canvas->SetFont(&font);
    canvas->SetCopyMode(copyMode);
}

void TtavPanel::DrawButton(TCanvas* canvas, int width, int barHeight) {
    TBitmap strip;
    strip.LoadFromResourceName("PANEL_BUTTON");
    const int left = width - 1 - ButtonWidth - ButtonMargin;
    const int top = (barHeight - ButtonHeight) / 2;
    const TRect button{left, top, left + ButtonWidth, top + ButtonHeight};
    FMouseOnButton = PointInRect(ScreenToClient(GetCursorPos()), button);
    const int frame = (FExpanded ? 1 : 3) + (FMouseOnButton ? 1 : 0);
    TBitmap image;
    ExtractStripFrame(&strip, &image, PanelButtonFrames, frame);
    canvas->Draw(width - ButtonWidth - ButtonMargin, (button.Bottom - ButtonHeight) / 2 + 2, &image);
}

// ---- mouse and rolling ---------------------------------------------------------------------------------

void TtavPanel::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    if (FShowButton) Repaint();
}

void TtavPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TCustomPanel::MouseUp(button, shift, x, y);
    if (alive.expired() || button != mbLeft) return;
    // A click while a roll runs is ignored: that roll ends at its own target. The flag of the last paint
    // with the button shown must not let a hidden button roll the panel.
    if (FShowButton && FMouseOnButton && !FAnimating) {
        if (FExpanded)
            RollUp();
        else
            RollDown();
    }
    if (!alive.expired()) Repaint();
}

bool TtavPanel::Roll(int target) {
    auto alive = AliveMark();
    FAnimating = true;
    const int step = target < Height() ? -RollStep : RollStep;
    while (step < 0 ? target < Height() - RollStep : Height() + RollStep < target) {
        SetHeight(Height() + step);
        Refresh();
        if (Application) Application->ProcessMessages();
        if (alive.expired()) return false;
    }
    SetHeight(target);
    Refresh();
    FAnimating = false;
    return true;
}

void TtavPanel::RollUp() {
    const int target = CaptionBarHeight() != 0 ? CaptionBarHeight() : 20;
    if (!Roll(target)) return;
    FExpanded = false;
    Repaint();
    if (OnPush) OnPush(this);
}

void TtavPanel::RollDown() {
    if (!Roll(FExpandedHeight)) return;
    FExpanded = true;
    Repaint();
    if (OnPop) OnPop(this);
}
