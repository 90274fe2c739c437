#include "skin/TAVTitleBar.h"

#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/MenuItem.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Utf8.h"
#include "skin/TAVForm.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

#include <vector>

namespace {

constexpr int TitleButtonFrames = 18;
constexpr int SizingBand = 5;

void ShowDesignRuleError(const std::string& text) {
    MessageBox(nullptr, text, "Error", MB_OK | MB_ICONERROR);
}

// The first of the three frames (normal, mouse on, mouse down) of a button kind in the title-button strip.
int FirstFrameOf(TtavTitleBarBtnType type) {
    switch (type) {
    case tavMax: return 7;
    case tavMin: return 13;
    case tavClose: return 16;
    case tavHelp: return 4;
    case tavControlBox: return 1;
    case tavCustom: break;
    }
    return 0;
}
constexpr int RestoreFirstFrame = 10;

void MinimizeForm(TCustomForm* form) {
    if (Application && Application->MainForm() == form)
        SendMessage(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else
        ShowWindow(form->Handle(), SW_SHOWMINIMIZED);
}

// The byte offsets at which the text's characters start.
std::vector<size_t> CharacterStarts(std::string_view text) {
    std::vector<size_t> starts;
    for (size_t pos = 0; pos < text.size();) {
        starts.push_back(pos);
        DecodeUtf8(text, pos);
    }
    return starts;
}

// The caption as it fits into `space` pixels: whole, or its longest beginning followed by "...".
std::string FittedCaption(TCanvas* canvas, const std::string& caption, int space) {
    if (canvas->TextWidth(caption) <= space) return caption;
    const std::vector<size_t> starts = CharacterStarts(caption);
    size_t count = starts.size();
    std::string shown = caption + "...";
    while (count > 0 && canvas->TextWidth(shown) > space) {
        --count;
        shown = caption.substr(0, starts[count]) + "...";
    }
    return shown;
}

} // namespace

// ---- buttons -------------------------------------------------------------------------------------------

TtavTitleBarButton::TtavTitleBarButton(TCollection* collection) : TCollectionItem(collection) {
    for (TPicture* picture : {&FPicNormal, &FPicMouseOn, &FPicMouseDown})
        picture->OnChange = [this](TObject*) { TitleBarRepaint(); };
}

void TtavTitleBarButton::PublishProperties(TPublisher<TtavTitleBarButton>& p) {
    p.Enum("UIStyle", &TtavTitleBarButton::UIStyle, &TtavTitleBarButton::SetUIStyle, TtavUIStyle::DeepBlue)
        .Enum("ButtonType", &TtavTitleBarButton::ButtonType, &TtavTitleBarButton::SetButtonType, tavCustom)
        .Boolean("Transparent", &TtavTitleBarButton::Transparent, &TtavTitleBarButton::SetTransparent, false)
        .Integer("Top", &TtavTitleBarButton::Top, &TtavTitleBarButton::SetTop, 2)
        .Component("ControlBoxMenu", &TtavTitleBarButton::ControlBoxMenu, &TtavTitleBarButton::SetControlBoxMenu)
        .Boolean("Visible", &TtavTitleBarButton::Visible, &TtavTitleBarButton::SetVisible, true)
        .Persistent("PicNormal", &TtavTitleBarButton::PicNormal, &TtavTitleBarButton::SetPicNormal)
        .Persistent("PicMouseOn", &TtavTitleBarButton::PicMouseOn, &TtavTitleBarButton::SetPicMouseOn)
        .Persistent("PicMouseDown", &TtavTitleBarButton::PicMouseDown, &TtavTitleBarButton::SetPicMouseDown);
}

TtavTitleBar* TtavTitleBarButton::TitleBar() const {
    auto* buttons = dynamic_cast<TtavTitleBarButtons*>(Collection());
    return buttons ? buttons->TitleBar() : nullptr;
}

void TtavTitleBarButton::TitleBarRepaint() const {
    if (TtavTitleBar* bar = TitleBar(); bar && !bar->ComponentState().Contains(csDestroying)) bar->Repaint();
}

void TtavTitleBarButton::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    LoadStylePictures();
}

void TtavTitleBarButton::SetButtonType(TtavTitleBarBtnType value) {
    if (value == tavControlBox && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i)
            if (static_cast<TtavTitleBarButton*>(Collection()->Items(i))->ButtonType() == tavControlBox)
                return ShowDesignRuleError("Sorry, only one button's ButtonType property can be \"tavControlBox\"");
    }
    FButtonType = value;
    LoadStylePictures();
    TitleBarRepaint();
}

void TtavTitleBarButton::SetTransparent(bool value) {
    FTransparent = value;
    TitleBarRepaint();
}

void TtavTitleBarButton::SetTop(int value) {
    FTop = value;
    TitleBarRepaint();
}

void TtavTitleBarButton::SetControlBoxMenu(TPopupMenu* value) {
    FControlBoxMenu = value;
    // The bar hears of the menu's destruction and clears the reference.
    if (TtavTitleBar* bar = TitleBar(); bar && value) value->FreeNotification(bar);
}

void TtavTitleBarButton::SetVisible(bool value) {
    FVisible = value;
    TitleBarRepaint();
}

void TtavTitleBarButton::LoadPictures(int firstFrame) {
    TtavTitleBar* bar = TitleBar();
    const TtavThemeSource source(bar ? bar->FileTheme() : nullptr, FUIStyle);
    source.ImageFrame(tavkey::TitleBarButtonImage, FPicNormal.Bitmap(), TitleButtonFrames, firstFrame);
    source.ImageFrame(tavkey::TitleBarButtonImage, FPicMouseOn.Bitmap(), TitleButtonFrames, firstFrame + 1);
    source.ImageFrame(tavkey::TitleBarButtonImage, FPicMouseDown.Bitmap(), TitleButtonFrames, firstFrame + 2);
}

void TtavTitleBarButton::LoadStylePictures() {
    TtavTitleBar* bar = TitleBar();
    const TtavThemeSource source(bar ? bar->FileTheme() : nullptr, FUIStyle);
    SetTransparent(source.Bool(tavkey::TitleBarButtonTransparentBool));
    if (FButtonType == tavCustom) return;
    LoadPictures(FirstFrameOf(FButtonType));
    SetTop(source.Int(tavkey::TitleBarButtonTopInt));
    if (FButtonType == tavMax) UpdateMaxPictures();
}

void TtavTitleBarButton::UpdateMaxPictures() {
    TtavTitleBar* bar = TitleBar();
    if (FButtonType != tavMax || (bar && bar->Custom())) return;
    TCustomForm* form = bar ? bar->OwnerForm() : nullptr;
    LoadPictures(form && form->WindowState() == wsMaximized ? RestoreFirstFrame : FirstFrameOf(tavMax));
}

void TtavTitleBarButton::PerformAction() {
    TtavTitleBar* bar = TitleBar();
    TCustomForm* form = bar ? bar->OwnerForm() : nullptr;
    if (!form) return;
    switch (FButtonType) {
    case tavMax:
        if (form->WindowState() == wsMaximized) {
            form->SetWindowState(wsNormal);
        } else {
            form->SetWindowState(wsMaximized);
            TRect area;
            if (!bar->Frame() && GetWorkArea(area)) SetFormBounds(form, area);
        }
        UpdateMaxPictures();
        break;
    case tavMin: MinimizeForm(form); break;
    case tavClose: form->Close(); break;
    case tavControlBox:
        if (FControlBoxMenu) {
            const TPoint corner = bar->ClientToScreen({0, bar->Height()});
            FControlBoxMenu->Popup(corner.X, corner.Y);
        }
        break;
    case tavHelp:
    case tavCustom: break;
    }
}

void TtavTitleBarButton::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TtavTitleBarButton*>(source);
    if (!other) return TCollectionItem::Assign(source);
    SetVisible(other->FVisible);
    SetButtonType(other->FButtonType);
    SetTransparent(other->FTransparent);
    SetTop(other->FTop);
    SetUIStyle(other->FUIStyle);
    FPicNormal.Assign(&other->FPicNormal);
    FPicMouseOn.Assign(&other->FPicMouseOn);
    FPicMouseDown.Assign(&other->FPicMouseDown);
    SetControlBoxMenu(other->FControlBoxMenu);
}

// ---- sections ------------------------------------------------------------------------------------------

TtavTitleBarSection::TtavTitleBarSection(TCollection* collection) : TCollectionItem(collection) {
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

void TtavTitleBarSection::PublishProperties(TPublisher<TtavTitleBarSection>& p) {
    p.Boolean("AutoSize", &TtavTitleBarSection::AutoSize, &TtavTitleBarSection::SetAutoSize, false)
        .Integer("Width", &TtavTitleBarSection::Width, &TtavTitleBarSection::SetWidth, 10)
        .Enum("Align", &TtavTitleBarSection::Align, &TtavTitleBarSection::SetAlign, tavLeft)
        .Persistent("Picture", &TtavTitleBarSection::Picture, &TtavTitleBarSection::SetPicture)
        .Boolean("Stretch", &TtavTitleBarSection::Stretch, &TtavTitleBarSection::SetStretch, false);
}

TtavTitleBar* TtavTitleBarSection::TitleBar() const {
    auto* sections = dynamic_cast<TtavTitleBarSections*>(Collection());
    return sections ? sections->TitleBar() : nullptr;
}

void TtavTitleBarSection::TitleBarRepaint() const {
    if (TtavTitleBar* bar = TitleBar(); bar && !bar->ComponentState().Contains(csDestroying)) bar->Repaint();
}

// Whatever way the picture changed (assigned, or its data read from a layout), an auto-sized section takes
// its width.
void TtavTitleBarSection::PictureChanged() {
    if (FAutoSize && FPicture.Graphic()) FWidth = FPicture.Width();
    TitleBarRepaint();
}

void TtavTitleBarSection::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FPicture.Graphic()) FWidth = FPicture.Width();
    TitleBarRepaint();
}

void TtavTitleBarSection::SetWidth(int value) {
    FWidth = value;
    TitleBarRepaint();
}

void TtavTitleBarSection::SetAlign(TtavTitleBarAlign value) {
    if (value == tavClient) {
        if (Collection()) {
            for (int i = 0; i < Collection()->Count(); ++i)
                if (static_cast<TtavTitleBarSection*>(Collection()->Items(i))->Align() == tavClient)
                    return ShowDesignRuleError("Sorry, only one section's Align property can be \"tavClient\"");
        }
        FStretch = true;
    }
    FAlign = value;
    TitleBarRepaint();
}

void TtavTitleBarSection::SetStretch(bool value) {
    FStretch = value || FAlign == tavClient;
    TitleBarRepaint();
}

void TtavTitleBarSection::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TtavTitleBarSection*>(source);
    if (!other) return TCollectionItem::Assign(source);
    SetWidth(other->FWidth);
    SetAlign(other->FAlign);
    FPicture.Assign(&other->FPicture);
    SetStretch(other->FStretch);
    SetAutoSize(other->FAutoSize);
}

// ---- collections ---------------------------------------------------------------------------------------

TtavTitleBarButtons::TtavTitleBarButtons(TtavTitleBar* titleBar)
    : TCollection(titleBar, ItemFactory<TtavTitleBarButton>()), FTitleBar(titleBar) {}

TtavTitleBarButtons::~TtavTitleBarButtons() {
    FTitleBar = nullptr;
}

void TtavTitleBarButtons::Update(TCollectionItem*) {
    if (FTitleBar && !FTitleBar->ComponentState().Contains(csDestroying)) FTitleBar->Repaint();
}

TtavTitleBarSections::TtavTitleBarSections(TtavTitleBar* titleBar)
    : TCollection(titleBar, ItemFactory<TtavTitleBarSection>()), FTitleBar(titleBar) {}

TtavTitleBarSections::~TtavTitleBarSections() {
    FTitleBar = nullptr;
}

void TtavTitleBarSections::Update(TCollectionItem*) {
    if (FTitleBar && !FTitleBar->ComponentState().Contains(csDestroying)) FTitleBar->Repaint();
}

// ---- system menu ---------------------------------------------------------------------------------------

TtavTitleBarPopupMenu::TtavTitleBarPopupMenu(TComponent* owner) : TtavPopupMenu(owner) {
    SetAutoHotkeys(maManual);
    AddCommand("Mi&nimize", [this](TObject*) { Minimize(); });
    AddCommand("Ma&ximize/Restore", [this](TObject*) { MaximizeRestore(); });
    AddCommand("-", nullptr);
    AddCommand("&Close", [this](TObject*) { CloseForm(); });
    HookMenuItems();
}

void TtavTitleBarPopupMenu::AddCommand(const std::string& caption, TNotifyEvent click) {
    TMenuItem* item = NewComponent<TMenuItem>(this);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    Items()->Add(item);
}

void TtavTitleBarPopupMenu::Popup(int X, int Y) {
    bool hasMin = false, hasMax = false, hasClose = false;
    if (FTitleBar) {
        for (int i = 0; i < FTitleBar->Buttons()->Count(); ++i) {
            const TtavTitleBarBtnType type = FTitleBar->Buttons()->Items(i)->ButtonType();
            hasMin = hasMin || type == tavMin;
            hasMax = hasMax || type == tavMax;
            hasClose = hasClose || type == tavClose;
        }
    }
    Items()->Items(0)->SetEnabled(hasMin);
    Items()->Items(1)->SetEnabled(hasMax);
    Items()->Items(3)->SetEnabled(hasClose);
    TPopupMenu::Popup(X, Y);
}

void TtavTitleBarPopupMenu::Minimize() {
    if (TCustomForm* form = FTitleBar ? FTitleBar->OwnerForm() : nullptr) MinimizeForm(form);
}

void TtavTitleBarPopupMenu::MaximizeRestore() {
    if (!FTitleBar) return;
    for (int i = 0; i < FTitleBar->Buttons()->Count(); ++i)
        if (TtavTitleBarButton* button = FTitleBar->Buttons()->Items(i); button->ButtonType() == tavMax)
            button->PerformAction();
}

void TtavTitleBarPopupMenu::CloseForm() {
    if (TCustomForm* form = FTitleBar ? FTitleBar->OwnerForm() : nullptr) form->Close();
}

// ---- title bar -----------------------------------------------------------------------------------------

TtavTitleBar::TtavTitleBar(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls});
    FSystemMenu = NewComponent<TtavTitleBarPopupMenu>(this);
    FSystemMenu->SetTitleBar(this);
    FSections = std::make_unique<TtavTitleBarSections>(this);
    FButtons = std::make_unique<TtavTitleBarButtons>(this);
    for (TtavTitleBarBtnType type : {tavControlBox, tavClose, tavMax, tavMin})
        FButtons->Add()->SetButtonType(type);
    SetAlign(alTop);
    Font()->SetColor(clWhite);
    Font()->SetName("Tahoma");
    Font()->SetStyle(TFontStyles{fsBold});
}

TtavTitleBar::~TtavTitleBar() {
    Destroying();
    FButtons.reset();
    FSections.reset();
}

void TtavTitleBar::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavTitleBar::PublishProperties(TPublisher<TtavTitleBar>& p) {
    p.Boolean("Custom", &TtavTitleBar::Custom, &TtavTitleBar::SetCustom, false)
        .Component("FileTheme", &TtavTitleBar::FileTheme, &TtavTitleBar::SetFileTheme)
        .Enum("UIStyle", &TtavTitleBar::UIStyle, &TtavTitleBar::SetUIStyle, TtavUIStyle::DeepBlue)
        .Boolean("AutoSize", &TtavTitleBar::AutoSize, &TtavTitleBar::SetAutoSize, false)
        .Collection("Sections", &TtavTitleBar::Sections)
        .Collection("Buttons", &TtavTitleBar::Buttons)
        .Integer("ButtonInterval", &TtavTitleBar::ButtonInterval, &TtavTitleBar::SetButtonInterval, 0)
        .Boolean("FormActive", &TtavTitleBar::FormActive, &TtavTitleBar::SetFormActive, true)
        .Integer("LeftBtnXOffset", &TtavTitleBar::LeftBtnXOffset, &TtavTitleBar::SetLeftBtnXOffset, 0)
        .Integer("RightBtnXOffset", &TtavTitleBar::RightBtnXOffset, &TtavTitleBar::SetRightBtnXOffset, 0)
        .Boolean("DrawAppIcon", &TtavTitleBar::DrawAppIcon, &TtavTitleBar::SetDrawAppIcon, false)
        .Integer("RoundCorner", &TtavTitleBar::RoundCorner, &TtavTitleBar::SetRoundCorner, 0)
        .Event("OnCustomBtnsClick", &TtavTitleBar::OnCustomBtnsClick)
        .Event("OnHelpBtnClick", &TtavTitleBar::OnHelpBtnClick);
}

TCustomForm* TtavTitleBar::OwnerForm() const {
    const TControl* top = this;
    while (top->Parent()) top = top->Parent();
    return top == this ? nullptr : dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TtavForm* TtavTitleBar::Frame() const {
    return dynamic_cast<TtavForm*>(Parent());
}

void TtavTitleBar::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    FKeepFontColor = true;
    SetUIStyle(FUIStyle);
    FKeepFontColor = false;
}

void TtavTitleBar::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    if (FCustom) return;
    FSections->BeginUpdate();
    FSections->Clear();
    const TtavThemeSource source(FFileTheme, FUIStyle);
    FillFromTheme(source);
    FSections->EndUpdate();
    for (int i = 0; i < FButtons->Count(); ++i)
        FButtons->Items(i)->SetUIStyle(source.EffectiveStyle());
    if (FSystemMenu) {
        FSystemMenu->SetFileTheme(FFileTheme);
        FSystemMenu->SetUIStyle(source.EffectiveStyle());
    }
    if (Frame()) ApplyRoundCorner(FRoundCorner);
    if (!FKeepFontColor) Font()->SetColor(FUIStyle == TtavUIStyle::MacOS ? clBlack : clWhite);
    SetAutoSize(true);
    Repaint();
}

void TtavTitleBar::FillFromTheme(const TtavThemeSource& source) {
    TtavTitleBarSection* left = FSections->Add();
    source.Image(tavkey::TitleBarLeftImage, left->Picture()->Bitmap());
    left->SetAutoSize(true);
    TtavTitleBarSection* right = FSections->Add();
    source.Image(tavkey::TitleBarRightImage, right->Picture()->Bitmap());
    right->SetAutoSize(true);
    right->SetAlign(tavRight);
    TtavTitleBarSection* client = FSections->Add();
    source.Image(tavkey::TitleBarClientImage, client->Picture()->Bitmap());
    client->SetAlign(tavClient);
    FLeftBtnXOffset = source.Int(tavkey::TitleBarButtonLeftOffsetInt);
    FRightBtnXOffset = source.Int(tavkey::TitleBarButtonRightOffsetInt);
    FOutlineColor = source.Color(tavkey::FormBorderColor);
    TBitmap strip;
    source.Image(tavkey::TitleBarButtonImage, &strip);
    FButtonRowHeight = strip.Height();
    FCaptionBaseTop = source.Int(tavkey::TitleBarButtonTopInt);
    if (TCustomForm* form = OwnerForm()) form->Constraints()->SetMinWidth(source.Int(tavkey::FormMinWidthInt));
    FRoundCorner = source.Int(tavkey::FormRoundCornerInt);
}

void TtavTitleBar::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FSections->Count() == 0) {
        FAutoSize = false;
        return;
    }
    SetHeight(FSections->Items(0)->Picture()->Height());
}

void TtavTitleBar::SetButtonInterval(int value) {
    FButtonInterval = value;
    Repaint();
}

void TtavTitleBar::SetText(const std::string& value) {
    TCustomPanel::SetText(value);
    Repaint();
}

void TtavTitleBar::SetFormActive(bool value) {
    FFormActive = value;
    Repaint();
}

void TtavTitleBar::SetLeftBtnXOffset(int value) {
    FLeftBtnXOffset = value;
    Repaint();
}

void TtavTitleBar::SetRightBtnXOffset(int value) {
    FRightBtnXOffset = value;
    Repaint();
}

void TtavTitleBar::SetDrawAppIcon(bool value) {
    FDrawAppIcon = value;
    Repaint();
}

void TtavTitleBar::SetRoundCorner(int value) {
    FRoundCorner = value;
    UpdateRoundCorner();
}

void TtavTitleBar::UpdateRoundCorner() {
    if (Frame()) ApplyRoundCorner(FRoundCorner);
}

void TtavTitleBar::UpdateMaxButtons() {
    for (int i = 0; i < FButtons->Count(); ++i)
        if (FButtons->Items(i)->ButtonType() == tavMax) FButtons->Items(i)->UpdateMaxPictures();
}

// Rounds the two top corners of the form's window; the bottom corners stay square.
void TtavTitleBar::ApplyRoundCorner(int radius) {
    TCustomForm* form = OwnerForm();
    if (!form) return;
    const TRect client = form->ClientRect();
    TRegion region = TRegion::RoundRect({client.Left, client.Top, client.Right + 1, client.Bottom + 1}, radius,
                                        radius);
    region |= TRegion({client.Left, client.Bottom - 2 * radius, client.Left + 2 * radius, client.Bottom});
    region |= TRegion({client.Right - 2 * radius, client.Bottom - 2 * radius, client.Right, client.Bottom});
    // A form being designed keeps its whole window.
    if (ComponentState().Contains(csDesigning)) return;
    SetWindowRgn(form->Handle(), region, true);
}

void TtavTitleBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (FButtons) {
        for (int i = 0; i < FButtons->Count(); ++i)
            if (FButtons->Items(i)->ControlBoxMenu() == component) FButtons->Items(i)->SetControlBoxMenu(nullptr);
    }
    if (component == FSystemMenu) FSystemMenu = nullptr;
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        if (!ComponentState().Contains(csDestroying)) SetUIStyle(TtavUIStyle::DeepBlue);
    }
}

// ---- painting ------------------------------------------------------------------------------------------

void TtavTitleBar::Paint() {
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    DrawSections(&bitmap);
    DrawButtons(&bitmap);
    if (FUIStyle != TtavUIStyle::WinXP && FRoundCorner != 0 && Frame()) {
        canvas->Pen()->SetColor(FOutlineColor);
        canvas->Brush()->SetStyle(bsClear);
        canvas->RoundRect(-1, 0, bitmap.Width() + 1, bitmap.Height() + 50, FRoundCorner + 1, FRoundCorner);
    }
    Canvas()->Draw(0, 0, &bitmap);
}

void TtavTitleBar::DrawSections(TBitmap* bitmap) {
    TCanvas* canvas = bitmap->Canvas();
    const int W = bitmap->Width(), H = bitmap->Height();
    auto draw = [&](TtavTitleBarSection* section, const TRect& rect) {
        const TGraphic* graphic = section->Picture()->Graphic();
        if (!graphic) return;
        if (section->Stretch()) return canvas->StretchDraw(rect, graphic);
        TDC* dc = canvas->Handle();
        TDCStateSaver saved(*dc);
        dc->IntersectClipRect(rect);
        canvas->Draw(rect.Left, rect.Top, graphic);
    };
    int left = 0, right = W;
    TtavTitleBarSection* client = nullptr;
    for (int i = 0; i < FSections->Count(); ++i) {
        TtavTitleBarSection* section = FSections->Items(i);
        const int width = section->Width();
        switch (section->Align()) {
        case tavLeft:
            draw(section, {left, 0, left + width, H});
            left += width;
            break;
        case tavRight:
            if (W - left + 1 < width) break;
            draw(section, {right - width, 0, right, H});
            right -= width;
            break;
        case tavClient: client = section; break;
        }
    }
    if (client && client->Picture()->Graphic()) canvas->StretchDraw({left, 0, right, H}, client->Picture()->Graphic());
}

bool TtavTitleBar::DrawButton(TBitmap* target, TBitmap* buffer, TtavTitleBarButton* button, int x,
                              TPoint cursor) {
    TPicture* normal = button->PicNormal();
    const int width = normal->Width(), height = normal->Height();
    const bool hot = PointInRect(cursor, {x, button->Top(), x + width, button->Top() + height});
    TPicture* shown = hot ? (FPressed ? button->PicMouseDown() : button->PicMouseOn()) : normal;
    // A missing hot or pressed picture shows the normal one.
    if (!shown->Graphic() || shown->Graphic()->Empty()) shown = normal;
    if (!shown->Graphic() || width <= 0 || height <= 0) return hot;
    buffer->SetSize(width, height);
    buffer->SetTransparent(button->Transparent());
    buffer->Canvas()->Brush()->SetColor(clWhite);
    buffer->Canvas()->FillRect({0, 0, width, height});
    buffer->Canvas()->Draw(0, 0, shown->Graphic());
    target->Canvas()->Draw(x, button->Top(), buffer);
    return hot;
}

void TtavTitleBar::DrawButtons(TBitmap* bitmap) {
    const TPoint cursor = ScreenToClient(GetCursorPos());
    FHotButton = -1;
    TBitmap buffer;
    int x = bitmap->Width() + 1 + FRightBtnXOffset;
    int controlBox = -1;
    for (int i = 0; i < FButtons->Count(); ++i) {
        TtavTitleBarButton* button = FButtons->Items(i);
        if (!button->Visible()) continue;
        if (button->ButtonType() == tavControlBox) {
            controlBox = i;
            continue;
        }
        x -= button->PicNormal()->Width() + FButtonInterval + 1;
        if (DrawButton(bitmap, &buffer, button, x, cursor)) FHotButton = i;
    }
    int captionLeft = FLeftBtnXOffset;
    if (controlBox >= 0) {
        TtavTitleBarButton* box = FButtons->Items(controlBox);
        if (!FDrawAppIcon) {
            if (DrawButton(bitmap, &buffer, box, captionLeft, cursor)) FHotButton = controlBox;
            captionLeft += box->PicNormal()->Width() + 5;
        } else {
            const TRect rect{captionLeft, box->Top(), captionLeft + box->PicNormal()->Width(),
                             box->Top() + box->PicNormal()->Height()};
            if (PointInRect(cursor, rect)) FHotButton = controlBox;
            TIcon icon;
            icon.LoadFromResourceName("MAINICON", 16, 16);
            bitmap->Canvas()->Draw(captionLeft + 3, box->Top(), &icon);
            captionLeft += 21;
        }
    }
    if (captionLeft == 0) captionLeft = 6;
    DrawCaption(bitmap->Canvas(), captionLeft, x);
}

void TtavTitleBar::DrawCaption(TCanvas* canvas, int left, int right) {
    canvas->Font()->Assign(Font());
    if (!FFormActive) canvas->Font()->SetColor(clInactiveCaption);
    const std::string text = FittedCaption(canvas, Caption(), right - left);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(left, FCaptionBaseTop + (FButtonRowHeight - canvas->TextHeight(text)) / 2, text);
}

// ---- mouse and messages --------------------------------------------------------------------------------

void TtavTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FPressed = true;
    Repaint();
    TCustomForm* form = OwnerForm();
    if (FHotButton >= 0 || !form || form->WindowState() == wsMaximized) return;
    // The window system's move loop follows the mouse until the button is released.
    ReleaseCapture();
    auto alive = AliveMark();
    SendMessage(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    if (!alive.expired()) FPressed = false;
}

void TtavTitleBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    Repaint();
}

void TtavTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    auto alive = AliveMark();
    if (FHotButton >= 0) ClickButton(FHotButton);
    if (alive.expired()) return;
    FPressed = false;
    Repaint();
}

void TtavTitleBar::ClickButton(int index) {
    TtavTitleBarButton* button = FButtons->Items(index);
    if (button->ButtonType() == tavControlBox && !button->ControlBoxMenu()) return PopupSystemMenu();
    const TtavTitleBarBtnType type = button->ButtonType();
    auto alive = AliveMark();
    button->PerformAction();
    if (alive.expired()) return;
    if (type == tavCustom && OnCustomBtnsClick)
        OnCustomBtnsClick(this, index);
    else if (type == tavHelp && OnHelpBtnClick)
        OnHelpBtnClick(this, index);
}

void TtavTitleBar::PopupSystemMenu() {
    if (!FSystemMenu) return;
    const TPoint corner = ClientToScreen({0, Height()});
    FSystemMenu->Popup(corner.X, corner.Y);
}

void TtavTitleBar::DblClick() {
    TCustomPanel::DblClick();
    if (FHotButton < 0) {
        for (int i = 0; i < FButtons->Count(); ++i)
            if (FButtons->Items(i)->ButtonType() == tavMax) return FButtons->Items(i)->PerformAction();
        return;
    }
    if (FButtons->Items(FHotButton)->ButtonType() == tavControlBox) {
        if (TCustomForm* form = OwnerForm()) form->Close();
    }
}

void TtavTitleBar::HitTest(TMessage& m) {
    TCustomForm* form = OwnerForm();
    // An MDI parent's bar keeps its points as any other does: passed on to what lies beneath, its buttons,
    // drag and double-click would be dead.
    if (!form || form->WindowState() == wsMaximized) return;
    TtavForm* frame = Frame();
    if (!frame || frame->OwnerBorderStyle() != bsSizeable) return;
    const TPoint p = ScreenToClient(LParamToPoint(m.LParam));
    if (p.Y >= SizingBand) return;
    if (p.X < SizingBand)
        m.Result = HTTOPLEFT;
    else if (p.X > form->ClientWidth() - SizingBand)
        m.Result = HTTOPRIGHT;
    else
        m.Result = HTTOP;
}

void TtavTitleBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCHITTEST:
        TCustomPanel::WndProc(m);
        return HitTest(m);
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
        if (TCustomForm* form = OwnerForm()) m.Result = SendMessage(form->Handle(), m.Msg, m.WParam, m.LParam);
        return;
    case CM_FONTCHANGED:
        TCustomPanel::WndProc(m);
        return Repaint();
    case CM_MOUSELEAVE: {
        auto alive = AliveMark();
        TCustomPanel::WndProc(m);
        if (!alive.expired()) Repaint();
        return;
    }
    }
    TCustomPanel::WndProc(m);
}
