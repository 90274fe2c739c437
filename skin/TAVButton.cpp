#include "skin/TAVButton.h"

#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/TextAlignment.h"
#include "classlib/Timer.h"
#include "platform/Input.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int ButtonFrameCount = 3;
// A DeepBlue frame: the size of the blank frame that stands in for one that cannot be loaded, and of the
// strip that AutoSize assumes when the style has none.
constexpr int BlankFrameWidth = 74;
constexpr int BlankFrameHeight = 21;

// Draws the bitmap unscaled at (x, y) through an image list of its size: masked with its top-left pixel when
// asked, in the list's disabled look when not enabled.
void DrawThroughImageList(TCanvas* canvas, const TBitmap& bitmap, int x, int y, bool masked, bool enabled,
                          int imageIndex = 0, int imageWidth = 0) {
    auto list = TImageList::CreateSize(imageWidth > 0 ? imageWidth : bitmap.Width(), bitmap.Height());
    if (masked)
        list->AddMasked(&bitmap, PixelToColor(bitmap.Surface().Pixel(0, 0)));
    else
        list->Add(&bitmap, nullptr);
    list->Draw(canvas, x, y, imageIndex, enabled);
}

// Draws text with the DrawText flags in the given colour.
void DrawCaptionText(TCanvas* canvas, const std::string& text, TRect rect, unsigned flags, TColor color) {
    canvas->Font()->SetColor(color);
    canvas->Handle()->DrawText(text, rect, flags);
}

// Parents that show their own parent's background: a button on them paints what lies behind the parent.
bool ShowsGrandparentBackground(const TWinControl& parent) {
    return InheritsFromClassNamed(parent, "TTabSheet") || InheritsFromClassNamed(parent, "TtavDBNavigator") ||
           InheritsFromClassNamed(parent, "TtavToolBar");
}

} // namespace

// ---- TtavCustomButton ------------------------------------------------------------------------------------

TtavCustomButton::TtavCustomButton(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csDoubleClicks} +
                    TControlStyle{csOpaque});
    SetTabStop(true);
}

TtavCustomButton::~TtavCustomButton() {
    Destroying();
    StopRepeat();
}

void TtavCustomButton::PublishProperties(TPublisher<TtavCustomButton>& p) {
    p.String("Caption", &TtavCustomButton::Caption, &TtavCustomButton::SetCaption)
        .Boolean("AutoSize", &TtavCustomButton::AutoSize, &TtavCustomButton::SetAutoSize, false)
        .Boolean("TabStop", &TtavCustomButton::TabStop, &TtavCustomButton::SetTabStop, true);
}

void TtavCustomButton::AfterConstruction() {
    TCustomControl::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavCustomButton::SetCaption(const std::string& value) {
    FCaption = value;
    AfterCaptionChange();
    Repaint();
}

void TtavCustomButton::SetAutoSize(bool value) {
    FAutoSize = value;
    ResizeToFrame();
    Repaint();
}

void TtavCustomButton::SetDefault(bool value) {
    FDefault = value;
    TCustomForm* form = ParentForm();
    if (HandleAllocated() && form) form->Perform(CM_FOCUSCHANGED, 0, LPARAM(form->ActiveControl()));
}

void TtavCustomButton::SetTransparent(bool value) {
    FTransparent = value;
    ApplyFrameTransparency();
    Repaint();
}

void TtavCustomButton::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    ApplyStyleSettings();
    Repaint();
}

void TtavCustomButton::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavCustomButton::SetFocusedRectMargin(int value) {
    FFocusedRectMargin = value;
    Repaint();
}

void TtavCustomButton::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    AfterEnabledChange();
    Repaint();
}

void TtavCustomButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove || component != FFileTheme) return;
    FFileTheme = nullptr;
    SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavCustomButton::ResizeToFrame() {
    if (!FAutoSize) return;
    // The built-in table only, with the stored style: FromThemeFile finds no strip here.
    TBitmap strip;
    GetBuiltinThemeImage(FUIStyle, tavkey::ButtonImage, &strip, 0, 0);
    const int height = strip.Height() == 0 ? BlankFrameHeight : strip.Height();
    const int width = strip.Width() == 0 ? BlankFrameWidth : strip.Width();
    SetHeight(height);
    SetWidth(width / ButtonFrameCount);
}

void TtavCustomButton::ApplyButtonFont() {
    Canvas()->Font()->Assign(Font());
    Repaint();
}

void TtavCustomButton::ApplyFrameTransparency() {
    FFrameTransparency = FTransparent;
    Repaint();
}

// ---- frames ----------------------------------------------------------------------------------------------

void TtavCustomButton::LoadStyleFrame(TBitmap* bitmap, int index) {
    TtavUIStyle effective;
    if (ResolveFileThemeStyle(FFileTheme, FUIStyle, effective))
        FFileTheme->GetThemeImageFrame(tavkey::ButtonImage, bitmap, ButtonFrameCount, index);
    else
        GetBuiltinThemeImage(effective, tavkey::ButtonImage, bitmap, ButtonFrameCount, index);
}

void TtavCustomButton::LoadNormalFrame(TBitmap* bitmap) {
    LoadStyleFrame(bitmap, 1);
}
void TtavCustomButton::LoadMouseOnFrame(TBitmap* bitmap) {
    LoadStyleFrame(bitmap, 2);
}
void TtavCustomButton::LoadMouseDownFrame(TBitmap* bitmap) {
    LoadStyleFrame(bitmap, 3);
}
void TtavCustomButton::LoadDisabledFrame(TBitmap* bitmap) {
    LoadStyleFrame(bitmap, 1);
}

void TtavCustomButton::LoadStateFrame(TBitmap* bitmap) {
    try {
        if (!Enabled())
            LoadDisabledFrame(bitmap);
        else if (FPressed)
            LoadMouseDownFrame(bitmap);
        else if (FMouseOver)
            LoadMouseOnFrame(bitmap);
        else
            LoadNormalFrame(bitmap);
    } catch (const Exception&) {
        // A missing picture must not stop the paint: a blank frame stands in for it.
        bitmap->SetSize(BlankFrameWidth, BlankFrameHeight);
    }
}

// ---- painting --------------------------------------------------------------------------------------------

void TtavCustomButton::Paint() {
    TBitmap frame;
    LoadStateFrame(&frame);
    frame.SetTransparent(FFrameTransparency);

    TBitmap buffer;
    buffer.SetPixelFormat(pfDevice);
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    PaintBackground(canvas);
    PaintFrame(canvas, &frame);
    FPaintedFocusLook = FocusLook();
    if (Focused() && TabStop()) PaintFocus(canvas);
    canvas->Font()->Assign(Font());
    Canvas()->Font()->Assign(Font());
    if (!Trim(FCaption).empty()) PaintCaption(canvas, FCaption);
    FBoldCaptionRequest = false;

    const TRect client = ClientRect();
    Canvas()->CopyRect(client, *canvas, client);
}

void TtavCustomButton::PaintBackground(TCanvas* canvas) {
    if (!FTransparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
        return;
    }
    TWinControl* parent = Parent();
    if (!parent) return;
    if (ShowsGrandparentBackground(*parent))
        PaintBackgroundBehindParent(canvas, this);
    else
        PaintParentBackground(canvas, this);
}

void TtavCustomButton::PaintFrame(TCanvas* canvas, TBitmap* frame) {
    if (frame->Empty()) return;
    DrawThroughImageList(canvas, *frame, 0, 0, FFrameTransparency, Enabled());
}

void TtavCustomButton::PaintCaption(TCanvas* canvas, const std::string& caption) {
    canvas->Brush()->SetStyle(bsClear);
    if (FBoldCaptionRequest) canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
    const TRect client = ClientRect();
    const unsigned flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (!Enabled()) {
        DrawCaptionText(canvas, caption, client.Offsetted(1, 1), flags, clWhite);
        DrawCaptionText(canvas, caption, client, flags, clGray);
    } else {
        DrawCaptionText(canvas, caption, FPressed ? client.Offsetted(1, 1) : client, flags, Font()->Color());
    }
    FBoldCaptionRequest = false;
}

void TtavCustomButton::PaintFocus(TCanvas* canvas) {
    const int m = FFocusedRectMargin;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect({m, m, ClientWidth() - m, ClientHeight() - m});
}

// ---- mouse -----------------------------------------------------------------------------------------------

void TtavCustomButton::StartRepeat() {
    if (FRepeatTimer) return;
    FRepeatTimer.reset(NewComponent<TTimer>(nullptr));
    FRepeatTimer->SetInterval(unsigned(std::max(FRepeatInterval, 0)));
    FRepeatTimer->OnTimer = [this](TObject*) {
        if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
    };
    FRepeatTimer->SetEnabled(true);
}

void TtavCustomButton::StopRepeat() {
    FRepeatTimer.reset();
}

void TtavCustomButton::ReleasePress() {
    StopRepeat();
    if (!FPressed) return;
    FPressed = false;
    Repaint();
}

void TtavCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FPressed = true;
        StartRepeat();
        Repaint();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TtavCustomButton::MouseMove(TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TCustomControl::MouseMove(shift, x, y);
    if (alive.expired()) return;
    // The right and bottom edges still count as inside; the repeat goes on until the mouse leaves.
    if (x >= 0 && y >= 0 && x <= Width() && y <= Height()) return;
    FMouseOver = false;
    FPressed = false;
    Repaint();
}

void TtavCustomButton::MouseEnter() {
    FMouseOver = true;
    Repaint();
    TCustomControl::MouseEnter();
}

void TtavCustomButton::MouseLeave() {
    auto alive = AliveMark();
    TCustomControl::MouseLeave();
    if (alive.expired()) return;
    FMouseOver = false;
    FPressed = false;
    StopRepeat();
    Repaint();
    if (OnMouseExit) OnMouseExit(this);
}

void TtavCustomButton::ActionChange(TBasicAction* sender, bool checkDefaults) {
    TCustomControl::ActionChange(sender, checkDefaults);
    SetCaption(Text());
}

void TtavCustomButton::Click() {
    auto alive = AliveMark();
    ReleasePress();
    if (TabStop() && CanFocus() && Enabled()) SetFocus();
    if (alive.expired()) return; // an exit handler of the control that had the focus freed this one
    if (TCustomForm* form = ParentForm(); form && Parent()) form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

// ---- keyboard and messages
// ---------------------------------------------------------------------------------

void TtavCustomButton::HandleDialogKey(TMessage& m) {
    const WORD key = WORD(m.WParam);
    const bool asked = (key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel);
    const bool modifiers =
        GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (asked && !modifiers && CanFocus()) {
        m.Result = 1;
        Click();
        return;
    }
    TCustomControl::WndProc(m);
}

void TtavCustomButton::HandleDialogChar(TMessage& m) {
    auto alive = AliveMark();
    TCustomControl::WndProc(m);
    if (alive.expired()) return;
    m.Result = 0;
    if (!IsAccel(char32_t(m.WParam), FCaption) || !Enabled()) return;
    m.Result = 1;
    Click();
}

void TtavCustomButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED: {
        auto alive = AliveMark();
        TCustomControl::WndProc(m);
        if (!alive.expired() && (m.Msg != CM_FOCUSCHANGED || FocusLook() != FPaintedFocusLook)) Repaint();
        return;
    }
    case WM_CAPTURECHANGED:
        TCustomControl::WndProc(m);
        return ReleasePress();
    case CM_FONTCHANGED:
        return ApplyButtonFont();
    case CM_TEXTCHANGED:
        TCustomControl::WndProc(m);
        return SetCaption(Text());
    case CM_DIALOGKEY:
        return HandleDialogKey(m);
    case CM_DIALOGCHAR:
        return HandleDialogChar(m);
    }
    TCustomControl::WndProc(m);
}

// Keys reach this only when neither the key handlers nor the form's dialog keys (a Default or Cancel
// button) took them, so Enter presses the focused button only when no other answers it.
void TtavCustomButton::DefaultHandler(TMessage& m) {
    const bool pressKey = m.WParam == VK_SPACE || m.WParam == VK_RETURN;
    if (m.Msg == WM_KEYDOWN && pressKey && Focused() && Enabled()) {
        FPressed = true;
        Repaint();
        return;
    }
    if (m.Msg == WM_KEYUP && pressKey && Focused() && FPressed && Enabled()) {
        FPressed = false;
        Repaint();
        return Click();
    }
    TCustomControl::DefaultHandler(m);
}

// ---- TtavButton ------------------------------------------------------------------------------------------

TtavButton::TtavButton(TComponent* owner) : TtavCustomButton(owner), FGlyph(std::make_unique<TBitmap>()) {
    SetBounds(Left(), Top(), 80, 27);
    FGlyph->OnChange = [this](TObject*) { Repaint(); };
}

TtavButton::~TtavButton() = default;

void TtavButton::PublishProperties(TPublisher<TtavButton>& p) {
    p.Component("FileTheme", &TtavButton::FileTheme, &TtavButton::SetFileTheme)
        .Enum("UIStyle", &TtavButton::UIStyle, &TtavButton::SetUIStyle, TtavUIStyle::DeepBlue)
        .Boolean("Cancel", &TtavButton::Cancel, &TtavButton::SetCancel, false)
        .Boolean("Default", &TtavButton::Default, &TtavButton::SetDefault, false)
        .Boolean("Transparent", &TtavButton::Transparent, &TtavButton::SetTransparent, false)
        .Integer("ModalResult", &TtavButton::ModalResult, &TtavButton::SetModalResult, 0)
        .Integer("FocusedRectMargin", &TtavButton::FocusedRectMargin, &TtavButton::SetFocusedRectMargin, 2)
        .Persistent("Glyph", &TtavButton::Glyph, &TtavButton::SetGlyph)
        .Enum("Layout", &TtavButton::Layout, &TtavButton::SetLayout, blGlyphLeft)
        .Integer("Spacing", &TtavButton::Spacing, &TtavButton::SetSpacing, 4)
        .Integer("MouseContinuouslyDownInterval", &TtavButton::MouseContinuouslyDownInterval,
                 &TtavButton::SetMouseContinuouslyDownInterval, 100)
        .Event("OnMouseExit", &TtavButton::OnMouseExit)
        .Event("OnMouseContinuouslyDown", &TtavButton::OnMouseContinuouslyDown)
        // Kept for layouts that store it: it always reads 0 and takes nothing.
        .Integer(
            "ResHandle", [](const TtavButton&) { return 0u; }, [](TtavButton&, unsigned) {}, 0);
}

void TtavButton::SetGlyph(const TBitmap* value) {
    FGlyph->Assign(value);
    Repaint();
}

void TtavButton::SetLayout(TButtonLayout value) {
    FLayout = value;
    Repaint();
}

void TtavButton::SetSpacing(int value) {
    FSpacing = value;
    Repaint();
}

void TtavButton::ActionChange(TBasicAction* sender, bool checkDefaults) {
    TtavCustomButton::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action || !FGlyph->Empty() || !action->ActionList()) return;
    TImageList* images = action->ActionList()->Images();
    if (!images || action->ImageIndex() < 0 || action->ImageIndex() >= images->Count()) return;
    images->GetBitmap(action->ImageIndex(), FGlyph.get());
    Repaint();
}

void TtavButton::ApplyStyleSettings() {
    TtavUIStyle effective;
    SetTransparent(ResolveFileThemeStyle(FileTheme(), UIStyle(), effective)
                       ? FileTheme()->GetThemeBool(tavkey::ButtonTransparentBool)
                       : GetBuiltinThemeBool(effective, tavkey::ButtonTransparentBool));
}

void TtavButton::PaintFrame(TCanvas* canvas, TBitmap* frame) {
    canvas->Font()->Assign(Font());
    DrawNineSlice(frame, canvas, ClientRect(), FrameTransparency());
    if (!FGlyph->Empty()) PaintGlyph(canvas);
}

void TtavButton::PaintGlyph(TCanvas* canvas) {
    const TSize text = canvas->TextExtent(Caption());
    const int tw = text.cx, th = text.cy, gh = FGlyph->Height();
    const bool twoImages = FGlyph->Width() == 2 * gh;
    const int gw = twoImages ? gh : FGlyph->Width();
    const int w = Width(), h = Height(), s = FSpacing;
    TPoint glyph;
    switch (FLayout) {
    case blGlyphLeft:
        glyph = {(w - tw - gw - s) / 2, (h - gh) / 2};
        FCaptionPos = {glyph.X + gw + s, (h - th) / 2};
        break;
    case blGlyphRight:
        glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
        FCaptionPos = {glyph.X - tw - s, (h - th) / 2};
        break;
    case blGlyphTop:
        glyph = {(w - gw) / 2, (h - th - gh - s) / 2};
        FCaptionPos = {(w - tw) / 2, glyph.Y + gh + s};
        break;
    case blGlyphBottom:
        glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
        FCaptionPos = {(w - tw) / 2, glyph.Y - th - s};
        break;
    }
    if (Pressed()) glyph = glyph + TPoint{1, 1};
    // A two-image glyph has its own disabled picture; a single one takes the list's disabled look.
    if (twoImages)
        DrawThroughImageList(canvas, *FGlyph, glyph.X, glyph.Y, true, true, Enabled() ? 0 : 1, gw);
    else
        DrawThroughImageList(canvas, *FGlyph, glyph.X, glyph.Y, true, Enabled());
}

void TtavButton::PaintCaption(TCanvas* canvas, const std::string& caption) {
    if (FGlyph->Empty()) return TtavCustomButton::PaintCaption(canvas, caption);
    canvas->Brush()->SetStyle(bsClear);
    const TRect area{FCaptionPos.X, FCaptionPos.Y, Width(), Height()};
    const unsigned flags = DT_SINGLELINE;
    if (!Enabled()) {
        DrawCaptionText(canvas, caption, area.Offsetted(1, 1), flags, clWhite);
        DrawCaptionText(canvas, caption, area, flags, clGray);
    } else {
        DrawCaptionText(canvas, caption, Pressed() ? area.Offsetted(1, 1) : area, flags, Font()->Color());
    }
}

void TtavButton::PaintFocus(TCanvas* canvas) {
    if (UIStyle() == TtavUIStyle::MacOS || UIStyle() == TtavUIStyle::BlueGlass)
        FBoldCaptionRequest = true;
    else
        TtavCustomButton::PaintFocus(canvas);
}

// ---- TtavImageButton -------------------------------------------------------------------------------------

TtavImageButton::TtavImageButton(TComponent* owner)
    : TtavCustomButton(owner), FPicNormal(std::make_unique<TPicture>()), FPicMouseOn(std::make_unique<TPicture>()),
      FPicMouseDown(std::make_unique<TPicture>()), FPicDisabled(std::make_unique<TPicture>()) {
    SetBounds(Left(), Top(), 0, 0);
}

TtavImageButton::~TtavImageButton() = default;

void TtavImageButton::PublishProperties(TPublisher<TtavImageButton>& p) {
    // The style is stored and used nowhere, so it always reads FromThemeFile.
    p.Enum("UIStyle", &TtavImageButton::UIStyle, &TtavImageButton::SetUIStyle, TtavUIStyle::FromThemeFile)
        .Boolean("DrawFocused", &TtavImageButton::DrawFocused, &TtavImageButton::SetDrawFocused, false)
        .Integer("FocusedRectMargin", &TtavImageButton::FocusedRectMargin, &TtavImageButton::SetFocusedRectMargin, 2)
        .Persistent("PicNormal", &TtavImageButton::PicNormal, &TtavImageButton::SetPicNormal)
        .Persistent("PicMouseOn", &TtavImageButton::PicMouseOn, &TtavImageButton::SetPicMouseOn)
        .Persistent("PicMouseDown", &TtavImageButton::PicMouseDown, &TtavImageButton::SetPicMouseDown)
        .Persistent("PicDisabled", &TtavImageButton::PicDisabled, &TtavImageButton::SetPicDisabled)
        .Boolean("Stretch", &TtavImageButton::Stretch, &TtavImageButton::SetStretch, false)
        .Boolean("Cancel", &TtavImageButton::Cancel, &TtavImageButton::SetCancel, false)
        .Boolean("Default", &TtavImageButton::Default, &TtavImageButton::SetDefault, false)
        .Integer("MouseContinuouslyDownInterval", &TtavImageButton::MouseContinuouslyDownInterval,
                 &TtavImageButton::SetMouseContinuouslyDownInterval, 100)
        .Boolean("Transparent", &TtavImageButton::Transparent, &TtavImageButton::SetTransparent, false)
        .Integer("ModalResult", &TtavImageButton::ModalResult, &TtavImageButton::SetModalResult, 0)
        .Event("OnMouseExit", &TtavImageButton::OnMouseExit)
        .Event("OnMouseContinuouslyDown", &TtavImageButton::OnMouseContinuouslyDown);
}

void TtavImageButton::SetPicture(TPicture& picture, const TPicture* value) {
    picture.Assign(value);
    ResizeToFrame();
    Repaint();
}

void TtavImageButton::SetStretch(bool value) {
    if (FStretch == value) return;
    FStretch = value;
    Repaint();
}

void TtavImageButton::SetDrawFocused(bool value) {
    if (FDrawFocused == value) return;
    FDrawFocused = value;
    Repaint();
}

// The size follows PicNormal, and only once the button has a parent.
void TtavImageButton::ResizeToFrame() {
    if (!Parent() || !AutoSize() || !FPicNormal->Graphic()) return;
    SetHeight(FPicNormal->Height());
    SetWidth(FPicNormal->Width());
}

// A graphic that is no bitmap cannot be assigned and raises: the paint then takes a blank frame.
void TtavImageButton::LoadPicture(TBitmap* bitmap, const TPicture& picture) {
    const TPicture& shown = picture.Graphic() ? picture : *FPicNormal;
    if (shown.Graphic()) bitmap->Assign(shown.Graphic());
}

void TtavImageButton::LoadNormalFrame(TBitmap* bitmap) {
    LoadPicture(bitmap, *FPicNormal);
}
void TtavImageButton::LoadMouseOnFrame(TBitmap* bitmap) {
    LoadPicture(bitmap, *FPicMouseOn);
}
void TtavImageButton::LoadMouseDownFrame(TBitmap* bitmap) {
    LoadPicture(bitmap, *FPicMouseDown);
}
void TtavImageButton::LoadDisabledFrame(TBitmap* bitmap) {
    LoadPicture(bitmap, *FPicDisabled);
}

// Drawn as it is: not shifted when pressed, not greyed when disabled.
void TtavImageButton::PaintFrame(TCanvas* canvas, TBitmap* frame) {
    if (frame->Empty()) return;
    // Read through const: the frame may share an embedded picture, which a writable access would copy.
    frame->SetTransparentColor(PixelToColor(std::as_const(*frame).Surface().Pixel(0, 0)));
    if (FStretch)
        canvas->StretchDraw({0, 0, Width(), Height()}, frame);
    else
        canvas->Draw(0, 0, frame);
}

void TtavImageButton::PaintFocus(TCanvas* canvas) {
    if (FDrawFocused) TtavCustomButton::PaintFocus(canvas);
}
