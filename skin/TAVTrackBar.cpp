#include "skin/TAVTrackBar.h"

#include "classlib/Timer.h"
#include "platform/Input.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr unsigned RepeatInterval = 100;
constexpr int TickLength = 3;

// The products of a value by a length are taken in 64 bits: a range of millions on a long bar stays right.
int ScaleValue(int value, int64_t length, int range) {
    return int(int64_t(value) * length / range);
}
} // namespace

TtavTrackBar::TtavTrackBar(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls});
    FSlider = NewComponent<TtavImagePanel>(this);
    FSlider->SetParent(this);
    FSlider->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) { SliderMouseDown(button); };
    SetParentColor(true);
    SetTabStop(true);
}

TtavTrackBar::~TtavTrackBar() = default;

void TtavTrackBar::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
    UpdateSlider();
}

void TtavTrackBar::PublishProperties(TPublisher<TtavTrackBar>& p) {
    // Stored always, as the values after construction depend on the style.
    p.Enum("Orientation", &TtavTrackBar::Orientation, &TtavTrackBar::SetOrientation, tavHorizontal)
        .Component("FileTheme", &TtavTrackBar::FileTheme, &TtavTrackBar::SetFileTheme)
        .Enum("UIStyle", &TtavTrackBar::UIStyle, &TtavTrackBar::SetUIStyle, TtavUIStyle::DeepBlue)
        .Persistent("BarImage", &TtavTrackBar::BarImage, &TtavTrackBar::SetBarImage)
        .Persistent("SliderImage", &TtavTrackBar::SliderImage, &TtavTrackBar::SetSliderImage)
        .Integer("Max", &TtavTrackBar::Max, &TtavTrackBar::SetMax, 10)
        .Integer("Min", &TtavTrackBar::Min, &TtavTrackBar::SetMin)
        .Integer("Position", &TtavTrackBar::Position, &TtavTrackBar::SetPosition)
        .Integer("PageSize", &TtavTrackBar::PageSize, &TtavTrackBar::SetPageSize, 2)
        .Integer("LineSize", &TtavTrackBar::LineSize, &TtavTrackBar::SetLineSize, 1)
        .Boolean("ShowTick", &TtavTrackBar::ShowTick, &TtavTrackBar::SetShowTick, true)
        .Boolean("Transparent", &TtavTrackBar::Transparent, &TtavTrackBar::SetTransparent)
        .Integer("Frequency", &TtavTrackBar::Frequency, &TtavTrackBar::SetFrequency, 1)
        .Event("OnChange", &TtavTrackBar::OnChange);
}

// ---- properties ------------------------------------------------------------------------------------------

void TtavTrackBar::SetOrientation(TtavProgressBarOrientation value) {
    if (FOrientation == value) return;
    FOrientation = value;
    Restyle();
}

void TtavTrackBar::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavTrackBar::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    Restyle();
    if (value == TtavUIStyle::MacOS) SetTransparent(true);
}

void TtavTrackBar::SetBarImage(const TPicture* value) {
    FBarImage.Assign(value);
    Restyle();
}

TPicture* TtavTrackBar::SliderImage() const {
    return FSlider->Picture();
}

void TtavTrackBar::SetSliderImage(const TPicture* value) {
    FSlider->Picture()->Assign(value);
    Repaint();
}

void TtavTrackBar::SetMax(int value) {
    if (FMax == value) return;
    FMax = std::max(value, FMin);
    FPosition = std::min(FPosition, FMax);
    UpdateSlider();
}

void TtavTrackBar::SetMin(int value) {
    if (FMin == value) return;
    FMin = std::min(value, FMax);
    FPosition = std::max(FPosition, FMin);
    UpdateSlider();
}

void TtavTrackBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    UpdateSlider();
}

void TtavTrackBar::SetPageSize(int value) {
    if (value >= 0 && value <= FMax) FPageSize = value;
}

void TtavTrackBar::SetLineSize(int value) {
    if (value >= 0 && value <= FMax) FLineSize = value;
}

void TtavTrackBar::SetShowTick(bool value) {
    FShowTick = value;
    Repaint();
}

void TtavTrackBar::SetTransparent(bool value) {
    FTransparent = value;
    Repaint();
}

void TtavTrackBar::SetFrequency(int value) {
    FFrequency = value;
    Repaint();
}

void TtavTrackBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (component == FSlider) FSlider = nullptr;
    if (component != FFileTheme) return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying)) SetUIStyle(TtavUIStyle::DeepBlue);
}

// ---- geometry --------------------------------------------------------------------------------------------

int TtavTrackBar::Length() const {
    return FOrientation == tavHorizontal ? Width() : Height();
}

int TtavTrackBar::Thickness() const {
    return FOrientation == tavHorizontal ? Height() : Width();
}

int TtavTrackBar::SliderLength() const {
    if (!FSlider) return 0;
    return FOrientation == tavHorizontal ? FSlider->Width() : FSlider->Height();
}

int TtavTrackBar::SliderThickness() const {
    if (!FSlider) return 0;
    return FOrientation == tavHorizontal ? FSlider->Height() : FSlider->Width();
}

TPoint TtavTrackBar::GetSliderOrigin() const {
    const int across = std::max(0, Thickness() - SliderThickness()) / 2;
    const int along = FMin == FMax ? 0 : ScaleValue(FPosition - FMin, Length() - SliderLength(), FMax - FMin);
    return FOrientation == tavHorizontal ? TPoint{along, across} : TPoint{across, along};
}

int TtavTrackBar::GetValueAtPoint(int x, int y) const {
    const int free = Length() - SliderLength();
    if (free == 0) return 0;
    const int64_t numerator = int64_t(Along(x, y) - SliderLength() / 2) * (int64_t(FMax) - FMin);
    // The default rounding of the floating-point unit: halves go to the even neighbour.
    return int(std::nearbyint(double(numerator) / free)) + FMin;
}

void TtavTrackBar::SetPositionAtPoint(int x, int y, bool throughSetter) {
    const int value = std::clamp(GetValueAtPoint(x, y), FMin, FMax);
    if (throughSetter)
        SetPosition(value);
    else
        FPosition = value;
}

// ---- slider, style and bar -------------------------------------------------------------------------------

void TtavTrackBar::MoveSlider() {
    if (FSlider) MoveControlTo(FSlider, GetSliderOrigin());
}

void TtavTrackBar::NotifyChange() {
    if (FPosition == FNotifiedPosition) return;
    FNotifiedPosition = FPosition;
    if (OnChange) OnChange(this);
}

void TtavTrackBar::UpdateSlider() {
    MoveSlider();
    Repaint();
    NotifyChange();
}

void TtavTrackBar::FitToImages() {
    const int thickness = std::max(FBarImage.Height(), SliderThickness());
    if (FOrientation == tavHorizontal)
        SetHeight(thickness);
    else
        SetWidth(thickness);
    Repaint();
}

void TtavTrackBar::Restyle() {
    ApplyStyleImages();
    FitToImages();
    UpdateSlider();
    Repaint();
}

void TtavTrackBar::ApplyStyleImages() {
    if (ImagesFromOwner() || !FSlider) return;
    const TtavThemeSource source(FFileTheme, FUIStyle);
    source.Image(tavkey::TrackBarBarImage, FBarImage.Bitmap());
    source.Image(FOrientation == tavHorizontal ? tavkey::TrackBarSliderImage : tavkey::TrackBarSliderVImage,
                 FSlider->Picture()->Bitmap());
    BuildBarBitmap();
    FSlider->SetTransparent(SliderTransparent());
    FSlider->SetAutoSize(true);
}

void TtavTrackBar::BuildBarBitmap() {
    FBarBitmap.SetSize(Length(), FBarImage.Height());
    TCanvas* canvas = FBarBitmap.Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect({0, 0, FBarBitmap.Width(), FBarBitmap.Height()});
    if (TBitmap* strip = dynamic_cast<TBitmap*>(FBarImage.Graphic()))
        DrawThreeSlice(strip, canvas, {0, 0, FBarBitmap.Width(), FBarBitmap.Height()}, false);
    if (FOrientation == tavVertical) RotateBitmapCounterClockwise(&FBarBitmap);
}

void TtavTrackBar::Resize() {
    TCustomPanel::Resize();
    Restyle();
}

// ---- painting --------------------------------------------------------------------------------------------

void TtavTrackBar::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    if (FTransparent) {
        PaintParentBackground(canvas, this);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }
    const int barThickness = FBarImage.Height();
    if (FOrientation == tavHorizontal)
        canvas->Draw(0, (Height() - barThickness) / 2, &FBarBitmap);
    else
        canvas->Draw((Width() - barThickness) / 2, 0, &FBarBitmap);
    if (Focused() && TabStop()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->DrawFocusRect({0, 0, Width(), Height()});
    }
    if (FShowTick) DrawTicks(canvas);
    Canvas()->Draw(0, 0, &buffer);
}

void TtavTrackBar::DrawTicks(TCanvas* canvas) const {
    if (FMin == FMax) return;
    const int free = Length() - SliderLength();
    const int centre = SliderLength() / 2;
    int counter = 0;
    for (int i = FMin;; ++i) {
        bool draw = i == FMax;
        if (!draw) {
            if (counter == FFrequency) {
                counter = 1;
                draw = true;
            } else {
                draw = ++counter == 1;
            }
        }
        if (draw) {
            const int at = ScaleValue(i - FMin, free, FMax - FMin) + centre;
            if (FOrientation == tavHorizontal) {
                canvas->MoveTo(at, Height() - TickLength);
                canvas->LineTo(at, Height());
            } else {
                canvas->MoveTo(0, at);
                canvas->LineTo(TickLength, at);
                canvas->MoveTo(Width() - TickLength, at);
                canvas->LineTo(Width(), at);
            }
        }
        if (i == FMax) break;
    }
}

// ---- mouse -----------------------------------------------------------------------------------------------

int TtavTrackBar::StepTowards(int x, int y, int step) const {
    const int pressed = Along(x, y);
    const int slider = Along(GetSliderOrigin().X, GetSliderOrigin().Y);
    if (pressed > slider) return std::min(FPosition + step, GetValueAtPoint(x, y));
    if (pressed < slider) return std::max(FPosition - step, GetValueAtPoint(x, y));
    return FPosition;
}

void TtavTrackBar::TakeFocus() {
    if (CanFocus() && Enabled()) SetFocus();
}

void TtavTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TCustomPanel::MouseDown(button, shift, x, y);
    if (alive.expired() || button != mbLeft) return;
    const int target = StepTowards(x, y, FPageSize);
    if (target != FPosition) SetPosition(target);
    if (alive.expired()) return;
    StartRepeat();
    TakeFocus();
}

void TtavTrackBar::StartRepeat() {
    if (FRepeatTimer) return;
    FRepeatTimer.reset(NewComponent<TTimer>(nullptr));
    FRepeatTimer->SetInterval(RepeatInterval);
    FRepeatTimer->OnTimer = [this](TObject*) { RepeatTimerTick(); };
    FRepeatTimer->SetEnabled(true);
}

void TtavTrackBar::RepeatTimerTick() {
    const TPoint cursor = ScreenToClient(GetCursorPos());
    const int step = FOrientation == tavHorizontal ? 3 * FPageSize : FPageSize;
    const int target = StepTowards(cursor.X, cursor.Y, step);
    if (target != FPosition) SetPosition(target);
}

void TtavTrackBar::SliderMouseDown(TMouseButton) {
    FDragging = true;
    TakeFocus();
    SetMouseCapture(true);
}

void TtavTrackBar::MouseMove(TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TCustomPanel::MouseMove(shift, x, y);
    if (alive.expired()) return;
    if (FDragging) {
        SetPositionAtPoint(x, y, false);
        MoveSlider();
        if (FPosition != FNotifiedPosition && OnChange) OnChange(this);
        if (!alive.expired()) FNotifiedPosition = FPosition;
    } else if (!PointInRect(x, y, {0, 0, Width(), Height()})) {
        FRepeatTimer.reset();
    }
}

void TtavTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TCustomPanel::MouseUp(button, shift, x, y);
    if (alive.expired()) return;
    FRepeatTimer.reset();
    FDragging = false;
    SetMouseCapture(false);
}

// ---- keys and messages -----------------------------------------------------------------------------------

void TtavTrackBar::KeyDown(WORD& key, TShiftState shift) {
    auto alive = AliveMark();
    TCustomPanel::KeyDown(key, shift);
    if (alive.expired()) return;
    switch (key) {
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_END: SetPosition(FMax); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_LEFT:
    case VK_UP: SetPosition(FPosition - FLineSize); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(FPosition + FLineSize); break;
    }
}

void TtavTrackBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    // The paint covers every pixel from its own buffer.
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_GETDLGCODE:
        TCustomPanel::WndProc(m);
        m.Result = DLGC_WANTARROWS;
        return;
    case CM_FOCUSCHANGED: {
        auto alive = AliveMark();
        TCustomPanel::WndProc(m);
        if (!alive.expired()) Repaint();
        return;
    }
    }
    TCustomPanel::WndProc(m);
}

// ---- TtavScrollTrackBar ----------------------------------------------------------------------------------

bool TtavScrollTrackBar::GetSliderVisible() const {
    return Slider() && Slider()->Visible();
}

void TtavScrollTrackBar::SetSliderVisible(bool value) {
    if (Slider() && Slider()->Visible() != value) Slider()->SetVisible(value);
}

void TtavScrollTrackBar::RefitSlider() {
    if (Slider()) Slider()->SetAutoSize(true);
}
