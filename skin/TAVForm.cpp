#include "skin/TAVForm.h"

#include "classlib/Bitmap.h"
#include "platform/MessageBox.h"
#include "platform/Painting.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

namespace {
constexpr int OwnerMinHeight = 50;
constexpr int OwnerMinWidth = 125;
// The sizing bands of the margin: 0 to 4 at the left and top, W - 4 to W - 1 at the right and bottom.
constexpr int SizingBand = 5;
} // namespace

TtavForm::TtavForm(TComponent* owner) : TCustomPanel(owner) {
    FTitleBar = NewComponent<TtavTitleBar>(this);
    FTitleBar->SetParent(this);
    FTitleBar->OnCustomBtnsClick = [this](TObject* sender, int index) {
        if (OnTitleBarCustomBtnsClick) OnTitleBarCustomBtnsClick(sender, index);
    };
    FTitleBar->OnHelpBtnClick = [this](TObject* sender, int index) {
        if (OnTitleBarHelpBtnClick) OnTitleBarHelpBtnClick(sender, index);
    };
}

TtavForm::~TtavForm() {
    Destroying();
    // The form's window procedure goes straight to the form's own from now on.
    if (FOwnerHook) FOwnerHook->Frame = nullptr;
}

void TtavForm::PublishProperties(TPublisher<TtavForm>& p) {
    p.Boolean("TitleBarCustom", &TtavForm::TitleBarCustom, &TtavForm::SetTitleBarCustom, false)
        .Component("FileTheme", &TtavForm::FileTheme, &TtavForm::SetFileTheme)
        .Enum("UIStyle", &TtavForm::UIStyle, &TtavForm::SetUIStyle, TtavUIStyle::DeepBlue)
        .Boolean("UIStyleAutoUpdateSub", &TtavForm::UIStyleAutoUpdateSub, &TtavForm::SetUIStyleAutoUpdateSub,
                 false)
        .Color("BorderColor", &TtavForm::BorderColor, &TtavForm::SetBorderColor, clBlack)
        .Integer("BorderWidth", &TtavForm::BorderWidth, &TtavForm::SetBorderWidth, 1)
        .Boolean("TitleBarVisible", &TtavForm::TitleBarVisible, &TtavForm::SetTitleBarVisible, true)
        .Color("Color", &TtavForm::Color, &TtavForm::SetColor, clBtnFace)
        .String("Caption", &TtavForm::Caption, &TtavForm::SetCaption)
        .Component("FormPanel", &TtavForm::FormPanel, &TtavForm::SetFormPanel)
        .Collection("TitleBarButtons", &TtavForm::TitleBarButtons)
        .Collection("TitleBarSections", &TtavForm::TitleBarSections)
        .Boolean("TitleBarDrawAppIcon", &TtavForm::TitleBarDrawAppIcon, &TtavForm::SetTitleBarDrawAppIcon, false)
        .Persistent("Font", &TtavForm::Font, &TtavForm::SetFont)
        .Component("Menu", &TtavForm::Menu, &TtavForm::SetMenu)
        .Color("MenuBarColor", &TtavForm::MenuBarColor, &TtavForm::SetMenuBarColor, clBtnFace)
        .Integer("MenuBarHeight", &TtavForm::MenuBarHeight, &TtavForm::SetMenuBarHeight, 22)
        .Integer("Height", &TtavForm::FrameHeight, &TtavForm::SetFrameHeight)
        .Integer("Width", &TtavForm::FrameWidth, &TtavForm::SetFrameWidth)
        .Integer("RoundCorner", &TtavForm::RoundCorner, &TtavForm::SetRoundCorner, 0)
        .String("Version", &TtavForm::Version, &TtavForm::SetVersion)
        .Event("OnTitleBarCustomBtnsClick", &TtavForm::OnTitleBarCustomBtnsClick)
        .Event("OnTitleBarHelpBtnClick", &TtavForm::OnTitleBarHelpBtnClick);
}

// Takes the form over. A frame on anything but a form only carries its title bar.
void TtavForm::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    auto* form = dynamic_cast<TForm*>(Owner());
    if (form) {
        // A layout reads its form's properties before its components: these replace the layout's.
        form->Constraints()->SetMinHeight(OwnerMinHeight);
        form->Constraints()->SetMinWidth(OwnerMinWidth);
        FOwnerForm = form;
        FSavedBounds = form->BoundsRect();
        FCreatedMaximized = form->WindowState() == wsMaximized;
        FOwnerBorderStyle = form->BorderStyle();
        // Only an earlier frame counts: this one is not among the form's controls yet.
        for (int i = 0; i < form->ControlCount(); ++i)
            if (dynamic_cast<TtavForm*>(form->Controls(i)))
                throw EComponentError("Sorry, You can create only one TtavForm component in one form!");
        form->SetScaled(false);
        TakeOverOwner();
    }
    FMenuBarColor = Color();
    SetUIStyle(TtavUIStyle::DeepBlue);
    FUIStyleAutoUpdateSub = false;
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderStyle(bsNone);
    SetAlign(alNone);
    SetCaption(form ? form->Caption() : std::string());
    SetTitleBarVisible(true);
    TCustomPanel::SetText(" ");
}

void TtavForm::Loaded() {
    TCustomPanel::Loaded();
    ResizeFrame();
}

void TtavForm::TakeOverOwner() {
    TCustomForm* form = FOwnerForm;
    if (form->FormStyle() != fsMDIChild && form->FormStyle() != fsMDIForm) form->SetBorderStyle(bsNone);
    FOwnerHook = std::make_shared<TOwnerHook>(TOwnerHook{this, form->WindowProc});
    form->WindowProc = [hook = FOwnerHook](TMessage& m) {
        if (hook->Frame)
            hook->Frame->OwnerWndProc(m);
        else
            hook->Saved(m);
    };
    const HWND window = form->Handle();
    if (const DWORD style = GetWindowStyle(window); style & WS_CAPTION)
        SetWindowStyle(window, style & ~DWORD(WS_CAPTION));
}

// ---- properties ----------------------------------------------------------------------------------------

void TtavForm::SetFileTheme(TtavFileTheme* value) {
    if (value == FFileTheme) return;
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavForm::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    const TtavThemeSource source(FFileTheme, value);
    SetBorderColor(source.Color(tavkey::FormBorderColor));
    SetBorderWidth(source.Int(tavkey::FormBorderWidthInt));
    SetColor(source.Color(tavkey::FormBackgroundColor));
    FMenuBarColor = Color();
    FTitleBar->SetFileTheme(FFileTheme);
    FTitleBar->SetUIStyle(value);
    if (FUIStyleAutoUpdateSub) ApplyThemeToChildren(this, value, FFileTheme);
    ResizeFrame();
    Repaint();
    PaintFormBorder();
}

void TtavForm::SetBorderColor(TColor value) {
    FBorderColor = value;
    ResizeFrame();
    PaintFormBorder();
}

void TtavForm::SetBorderWidth(int value) {
    FBorderWidth = value;
    SetFrameWidth(Width());
    ResizeFrame();
    SetFrameHeight(Height());
    PaintFormBorder();
}

void TtavForm::SetTitleBarVisible(bool value) {
    if (value == FTitleBar->Visible()) return;
    FTitleBar->SetVisible(value);
    FTitleBar->SetTop(0);
    ResizeFrame();
    PaintFormBorder();
}

void TtavForm::SetCaption(const std::string& value) {
    FTitleBar->SetText(value);
    if (FOwnerForm) FOwnerForm->SetCaption(value);
}

void TtavForm::SetFormPanel(TCustomPanel* value) {
    if (value == this) {
        MessageBox(nullptr, "Sorry, you can't select the Form assign to FormPanel property", "Error",
                   MB_OK | MB_ICONERROR);
        return;
    }
    if (FFormPanel) FFormPanel->RemoveFreeNotification(this);
    FFormPanel = value;
    if (!value) return;
    value->FreeNotification(this);
    value->SetAlign(alClient);
    if (dynamic_cast<TPanel*>(value)) {
        value->SetBevelOuter(bvNone);
        value->SetBevelInner(bvNone);
        value->SetBorderStyle(bsNone);
        value->SetCaption("");
    } else if (dynamic_cast<TtavImagePanel*>(value)) {
        value->SetCaption("");
    }
}

void TtavForm::SetMenu(TMainMenu* value) {
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (value) value->FreeNotification(this);
}

void TtavForm::SetFrameWidth(int value) {
    if (!FOwnerForm) return SetWidth(value);
    FOwnerForm->SetWidth(value + 2 * FBorderWidth);
    ResizeFrame();
}

void TtavForm::SetFrameHeight(int value) {
    if (!FOwnerForm) return SetHeight(value);
    FOwnerForm->SetHeight(value + FBorderWidth + FBorderWidth / 2);
    ResizeFrame();
}

void TtavForm::SetRoundCorner(int value) {
    if (FOwnerForm && FOwnerForm->FormStyle() == fsMDIChild) return;
    FTitleBar->SetRoundCorner(value);
}

void TtavForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (component == FFormPanel) FFormPanel = nullptr;
    if (component == FMenu) FMenu = nullptr;
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        if (ComponentState().Contains(csDestroying)) return;
        ApplyThemeToChildren(this, TtavUIStyle::DeepBlue, nullptr);
        SetUIStyle(TtavUIStyle::DeepBlue);
    }
}

// ---- layout and painting -------------------------------------------------------------------------------

void TtavForm::ResizeFrame() {
    if (!FOwnerForm) return;
    const TRect client = FOwnerForm->ClientRect();
    const int B = FBorderWidth;
    const int T = FTitleBar->Visible() ? 0 : B;
    SetBounds(B, T, client.Width() - 2 * B, client.Height() - B - T);
}

void TtavForm::PaintFormBorder(HDC dc) {
    if (!FOwnerForm || !FOwnerForm->HandleAllocated() || FBorderWidth <= 0) return;
    std::unique_ptr<TWindowDC> own;
    if (!dc) {
        own = std::make_unique<TWindowDC>(FOwnerForm->Handle());
        dc = own->Get();
    }
    if (!dc) return;
    const TRect client = GetClientRect(FOwnerForm->Handle());
    const int W = client.Width(), H = client.Height(), B = FBorderWidth;
    const TColor color = ColorToRGB(FBorderColor);
    TDCStateSaver saved(*dc);
    dc->SetPen({TPenStyle::Solid, B, color});
    const TBrushDesc brush = TBrushDesc::SolidColor(color);
    dc->FillRect({0, 0, B, H}, brush);
    dc->FillRect({0, H - B, W, H}, brush);
    dc->FillRect({W - B, 0, W, H}, brush);
    dc->MoveTo({0, 0});
    dc->LineTo({W, 0});
}

void TtavForm::Paint() {
    const TRect client = ClientRect();
    if (FUIStyle == TtavUIStyle::MacOS || FUIStyle == TtavUIStyle::Protein) {
        TBitmap tile;
        tile.LoadFromResourceName(FUIStyle == TtavUIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND");
        TBitmap background;
        background.SetSize(Width(), Height());
        background.Canvas()->Brush()->SetBitmap(&tile);
        background.Canvas()->FillRect(client);
        Canvas()->Draw(0, 0, &background);
        return;
    }
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(client);
}

void TtavForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CREATE:
        TCustomPanel::WndProc(m);
        ResizeFrame();
        PaintFormBorder();
        return;
    case WM_ERASEBKGND:
        PaintFormBorder();
        m.Result = 1;
        return;
    }
    TCustomPanel::WndProc(m);
}

// ---- the form's messages -------------------------------------------------------------------------------

void TtavForm::OwnerWndProc(TMessage& m) {
    std::shared_ptr<TOwnerHook> hook = FOwnerHook;
    hook->Saved(m);
    if (!hook->Frame) return; // the form's handling freed the frame
    switch (m.Msg) {
    case WM_ACTIVATE: FTitleBar->SetFormActive(LOWORD(m.WParam) != WA_INACTIVE); break;
    case WM_SIZE: OwnerSized(); break;
    case WM_ERASEBKGND: PaintFormBorder(reinterpret_cast<HDC>(m.WParam)); break;
    case WM_NCHITTEST: OwnerHitTest(m); break;
    }
}

void TtavForm::OwnerSized() {
    TCustomForm* form = FOwnerForm;
    if (FCreatedMaximized && form->WindowState() != wsMaximized) {
        SetFormBounds(form, FSavedBounds);
        FCreatedMaximized = false;
    }
    // A maximised window leaves the task bar free.
    TRect area;
    if (form->WindowState() == wsMaximized && FOwnerBorderStyle != bsNone && GetWorkArea(area))
        SetFormBounds(form, area);
    ResizeFrame();
    PaintFormBorder();
    FTitleBar->UpdateMaxButtons();
    FTitleBar->UpdateRoundCorner();
}

void TtavForm::OwnerHitTest(TMessage& m) {
    TCustomForm* form = FOwnerForm;
    if (form->WindowState() == wsMaximized) return;
    if (form->FormStyle() == fsMDIForm && m.Result == HTCLIENT) {
        m.Result = HTTRANSPARENT;
        return;
    }
    if (FOwnerBorderStyle != bsSizeable) return;
    const TPoint p = form->ScreenToClient(LParamToPoint(m.LParam));
    const TRect client = form->ClientRect();
    const int W = client.Width(), H = client.Height();
    const bool left = p.X < SizingBand, top = p.Y < SizingBand;
    const bool right = p.X > W - SizingBand, bottom = p.Y > H - SizingBand;
    if (left && top) m.Result = HTTOPLEFT;
    else if (right && top) m.Result = HTTOPRIGHT;
    else if (right && bottom) m.Result = HTBOTTOMRIGHT;
    else if (left && bottom) m.Result = HTBOTTOMLEFT;
    else if (left) m.Result = HTLEFT;
    else if (top) m.Result = HTTOP;
    else if (right) m.Result = HTRIGHT;
    else if (bottom) m.Result = HTBOTTOM;
}
