#include "skin/TAVScrollBar.h"

#include "classlib/Picture.h"
#include "skin/TAVButton.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

#include <array>

namespace {
constexpr int ArrowRepeatInterval = 100;
constexpr int SliderPieces = 3;
constexpr int ButtonFrames = 6;
constexpr int ShortestSlider = 18;
constexpr int FallbackPagePercent = 10;

using TPictureSetter = void (TtavImageButton::*)(const TPicture*);

void SetButtonPicture(TtavImageButton* button, TPictureSetter set, const TBitmap& frame) {
    TPicture picture;
    picture.SetBitmap(&frame);
    (button->*set)(&picture);
}
} // namespace

TtavScrollBar::TtavScrollBar(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls});
    FTrack = NewComponent<TtavScrollTrackBar>(this);
    FTrack->SetParent(this);
    FTrack->SetShowTick(false);
    FTrack->SetTabStop(false);
    FTrack->SetTransparent(false);
    FTrack->SetMax(100);
    FTrack->OnChange = [this](TObject* sender) {
        if (OnChange) OnChange(sender);
    };
    FForwardButton = MakeArrowButton(&TtavScrollBar::StepForward);
    FBackButton = MakeArrowButton(&TtavScrollBar::StepBack);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetHeight(185);
}

TtavScrollBar::~TtavScrollBar() = default;

TtavImageButton* TtavScrollBar::MakeArrowButton(void (TtavScrollBar::*step)()) {
    auto* button = NewComponent<TtavImageButton>(this);
    button->SetParent(this);
    button->OnMouseContinuouslyDown = [this, step](TObject*) { (this->*step)(); };
    button->SetMouseContinuouslyDownInterval(ArrowRepeatInterval);
    button->SetTabStop(false);
    return button;
}

void TtavScrollBar::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
    LayoutParts();
}

void TtavScrollBar::PublishProperties(TPublisher<TtavScrollBar>& p) {
    // Stored always, as the values after construction depend on the style.
    p.Component("FileTheme", &TtavScrollBar::FileTheme, &TtavScrollBar::SetFileTheme)
        .Integer("LineButton", &TtavScrollBar::LineButton, &TtavScrollBar::SetLineButton)
        .Enum("Orientation", &TtavScrollBar::Orientation, &TtavScrollBar::SetOrientation, tavHorizontal)
        .Enum("UIStyle", &TtavScrollBar::UIStyle, &TtavScrollBar::SetUIStyle, TtavUIStyle::DeepBlue)
        .Integer("Max", &TtavScrollBar::Max, &TtavScrollBar::SetMax, 100)
        .Integer("Min", &TtavScrollBar::Min, &TtavScrollBar::SetMin)
        .Integer("Position", &TtavScrollBar::Position, &TtavScrollBar::SetPosition)
        .Integer("SmallChange", &TtavScrollBar::SmallChange, &TtavScrollBar::SetSmallChange, 1)
        .Integer("LargeChange", &TtavScrollBar::LargeChange, &TtavScrollBar::SetLargeChange, 2)
        .Integer("PageSize", &TtavScrollBar::PageSize, &TtavScrollBar::SetPageSize, 2)
        .Event("OnChange", &TtavScrollBar::OnChange);
}

// ---- properties ------------------------------------------------------------------------------------------

void TtavScrollBar::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavScrollBar::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    if (FTrack) FTrack->SetColor(Color());
    LoadStyleImages();
    LayoutParts();
}

void TtavScrollBar::SetOrientation(TtavProgressBarOrientation value) {
    if (FOrientation == value) return;
    FOrientation = value;
    LoadStyleImages();
    LayoutParts();
}

void TtavScrollBar::SetLineButton(int value) {
    if (FLineButton == value || value > FreeLength()) return;
    FLineButton = value;
    BuildSlider();
}

int TtavScrollBar::Min() const {
    return FTrack ? FTrack->Min() : 0;
}

void TtavScrollBar::SetMin(int value) {
    if (FTrack) FTrack->SetMin(value);
}

int TtavScrollBar::Max() const {
    return FTrack ? FTrack->Max() : 0;
}

void TtavScrollBar::SetMax(int value) {
    if (FTrack) FTrack->SetMax(value);
}

int TtavScrollBar::Position() const {
    return FTrack ? FTrack->Position() : 0;
}

void TtavScrollBar::SetPosition(int value) {
    if (FTrack && FTrack->Position() != value) FTrack->SetPosition(value);
}

uint16_t TtavScrollBar::LargeChange() const {
    return uint16_t(PageSize());
}

void TtavScrollBar::SetLargeChange(uint16_t value) {
    if (FTrack) FTrack->SetPageSize(value);
}

int TtavScrollBar::PageSize() const {
    return FTrack ? FTrack->PageSize() : 0;
}

void TtavScrollBar::SetPageSize(int value) {
    if (!FTrack) return;
    FTrack->SetPageSize(value);
    BuildSlider();
}

void TtavScrollBar::SetSliderVisible(bool value) {
    if (FTrack && FTrack->GetSliderVisible() != value) FTrack->SetSliderVisible(value);
}

void TtavScrollBar::StepBack() {
    FTrack->SetPosition(FTrack->Position() - FSmallChange);
}

void TtavScrollBar::StepForward() {
    FTrack->SetPosition(FTrack->Position() + FSmallChange);
}

void TtavScrollBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (component == FTrack) FTrack = nullptr;
    if (component == FBackButton) FBackButton = nullptr;
    if (component == FForwardButton) FForwardButton = nullptr;
    if (component != FFileTheme) return;
    FFileTheme = nullptr;
    if (!ComponentState().Contains(csDestroying)) SetUIStyle(TtavUIStyle::DeepBlue);
}

// ---- style and layout ------------------------------------------------------------------------------------

void TtavScrollBar::LoadStyleImages() {
    if (!FTrack || !FBackButton || !FForwardButton) return;
    FTrack->SetBarImage(nullptr);
    const TtavThemeSource source(FFileTheme, FUIStyle);
    // The colour-changed notification passes it on to the track.
    SetColor(source.Color(tavkey::ScrollBarBackgroundColor));
    source.ImageFrame(tavkey::ScrollBarSliderImage, &FFirstPiece, SliderPieces, 1);
    source.ImageFrame(tavkey::ScrollBarSliderImage, &FMiddlePiece, SliderPieces, 2);
    source.ImageFrame(tavkey::ScrollBarSliderImage, &FLastPiece, SliderPieces, 3);
    LoadButtonPictures(source);
    // The slider strip is drawn for the horizontal bar, the arrow strip for the vertical one.
    if (FOrientation == tavVertical) {
        RotateBitmapClockwise(&FFirstPiece);
        RotateBitmapClockwise(&FMiddlePiece);
        RotateBitmapClockwise(&FLastPiece);
    }
    FBackButton->SetAutoSize(true);
    FForwardButton->SetAutoSize(true);
    Repaint();
}

void TtavScrollBar::LoadButtonPictures(const TtavThemeSource& source) {
    const std::array<std::pair<TtavImageButton*, TPictureSetter>, ButtonFrames> targets{{
        {FBackButton, &TtavImageButton::SetPicNormal},
        {FBackButton, &TtavImageButton::SetPicMouseOn},
        {FBackButton, &TtavImageButton::SetPicMouseDown},
        {FForwardButton, &TtavImageButton::SetPicNormal},
        {FForwardButton, &TtavImageButton::SetPicMouseOn},
        {FForwardButton, &TtavImageButton::SetPicMouseDown},
    }};
    for (int k = 0; k < ButtonFrames; ++k) {
        TBitmap frame;
        source.ImageFrame(tavkey::ScrollBarButtonImage, &frame, ButtonFrames, k + 1);
        if (FOrientation == tavHorizontal) RotateBitmapCounterClockwise(&frame);
        SetButtonPicture(targets[size_t(k)].first, targets[size_t(k)].second, frame);
    }
}

void TtavScrollBar::LayoutParts() {
    if (!FTrack || !FBackButton || !FForwardButton) return;
    FTrack->SetOrientation(FOrientation);
    if (FOrientation == tavVertical) {
        MoveControlTo(FBackButton, {0, 0});
        FTrack->SetTop(FBackButton->Height());
        // The track ends one pixel short of the forward button.
        FTrack->SetHeight(Height() - FForwardButton->Height() - FBackButton->Height() - 1);
        FTrack->SetLeft(0);
        FForwardButton->SetTop(Height() - FForwardButton->Height());
        FForwardButton->SetLeft(0);
        SetWidth(FBackButton->Width());
    } else {
        FBackButton->SetLeft(0);
        FBackButton->SetTop(0);
        FTrack->SetLeft(FBackButton->Width());
        FTrack->SetWidth(Width() - FForwardButton->Width() - FBackButton->Width());
        FTrack->SetTop(0);
        FForwardButton->SetLeft(Width() - FForwardButton->Width());
        FForwardButton->SetTop(0);
        SetHeight(FBackButton->Height());
    }
    BuildSlider();
}

int TtavScrollBar::FreeLength() const {
    if (!FBackButton || !FForwardButton) return 0;
    if (FOrientation == tavVertical) return Height() - FBackButton->Height() - FForwardButton->Height();
    return Width() - FBackButton->Width() - FForwardButton->Width();
}

int TtavScrollBar::TrackLength() const {
    if (!FTrack) return 0;
    return FOrientation == tavVertical ? FTrack->Height() : FTrack->Width();
}

void TtavScrollBar::BuildSlider() {
    if (!FTrack) return;
    const bool vertical = FOrientation == tavVertical;
    const int thickness = vertical ? FFirstPiece.Width() : FFirstPiece.Height();
    int length;
    if (FLineButton > 0) {
        FLineButton = std::max(FLineButton, ShortestSlider);
        length = FLineButton;
    } else {
        int percent = PageSize();
        if (percent < 10 || percent > 100) percent = FallbackPagePercent;
        length = percent * TrackLength() / 100;
    }
    TBitmap slider;
    if (vertical)
        slider.SetSize(thickness, length);
    else
        slider.SetSize(length, thickness);
    TCanvas* canvas = slider.Canvas();
    canvas->Draw(0, 0, &FFirstPiece);
    if (vertical) {
        canvas->Draw(0, length - FLastPiece.Height(), &FLastPiece);
        canvas->StretchDraw({0, FFirstPiece.Height(), thickness, length - FLastPiece.Height()}, &FMiddlePiece);
    } else {
        canvas->Draw(length - FLastPiece.Width(), 0, &FLastPiece);
        canvas->StretchDraw({FFirstPiece.Width(), 0, length - FLastPiece.Width(), thickness}, &FMiddlePiece);
    }
    TPicture picture;
    picture.SetBitmap(&slider);
    FTrack->SetSliderImage(&picture);
    FTrack->RefitSlider();
}

void TtavScrollBar::Resize() {
    TCustomPanel::Resize();
    LayoutParts();
}

void TtavScrollBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_MOUSEWHEEL:
        if (FWheelTarget && FWheelTarget->HandleAllocated()) {
            m.Result = FWheelTarget->Perform(m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    case CM_COLORCHANGED: {
        TCustomPanel::WndProc(m);
        if (FTrack) FTrack->SetColor(Color());
        return;
    }
    case WM_SIZE: {
        auto alive = AliveMark();
        TCustomPanel::WndProc(m);
        if (!alive.expired()) LayoutParts();
        return;
    }
    }
    TCustomPanel::WndProc(m);
}
