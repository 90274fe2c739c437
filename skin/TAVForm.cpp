#include "skin/TAVForm.h"

#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/MenuItem.h"
#include "platform/MessageBox.h"
#include "platform/Painting.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMainMenu.h"
#include "skin/TAVMenu.h"
#include "skin/TAVPublic.h"
#include "skin/TAVThemeSource.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {
constexpr int OwnerMinHeight = 50;
constexpr int OwnerMinWidth = 125;
// The sizing bands of the margin: 0 to 4 at the left and top, W - 4 to W - 1 at the right and bottom.
constexpr int SizingBand = 5;
// An MDI child's system border stays: its frame leaves room for it at the right and bottom.
constexpr int MDIChildBorder = 3;
// Sent to the main form's MDI client window by the frame of an MDI child; nothing needs to answer them.
constexpr UINT MDIChildActivated = 0x1330;
constexpr UINT MDIChildTitleBarScrolledAway = 0x1331;
constexpr UINT MDIChildTitleBarBack = 0x1332;

// One for the whole program: an MDI child's title bar was scrolled away as it was maximised.
bool gTitleBarScrolledAway = false;

void SendToMainClient(UINT msg, WPARAM wParam = 0) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && IsWindow(main->ClientHandle())) SendMessage(main->ClientHandle(), msg, wParam, 0);
}
} // namespace

TtavForm::TtavForm(TComponent* owner) : TCustomPanel(owner) {
    FTitleBar = NewComponent<TtavTitleBar>(this);
    FTitleBar->SetParent(this);
}

TtavForm::~TtavForm() {
    Destroying();
    // The form's and its MDI client's window procedures go straight to their own from now on.
    if (FOwnerHook) FOwnerHook->Frame = nullptr;
    if (FClientHook) FClientHook->Frame = nullptr;
    if (FHookOwned && Application) Application->OnMessage = nullptr;
    if (auto* menu = dynamic_cast<TtavMainMenu*>(FMenu); menu && menu->Frame() == this) menu->SetFrame(nullptr);
    delete FMenuBar;
    FMenuBar = nullptr;
    delete FTitleBar;
    FTitleBar = nullptr;
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
        .EventVia("OnTitleBarCustomBtnsClick", &TtavForm::SetOnTitleBarCustomBtnsClick)
        .EventVia("OnTitleBarHelpBtnClick", &TtavForm::SetOnTitleBarHelpBtnClick);
}

// Takes the form over, in the order the frame's users rely on: a second frame is refused only after it has
// applied its style. A frame on anything but a form only carries its title bar.
void TtavForm::AfterConstruction() {
    TCustomPanel::AfterConstruction();
    auto* form = dynamic_cast<TForm*>(Owner());
    const bool running = !ComponentState().Contains(csDesigning);
    if (form) {
        FOwnerForm = form;
        // A layout reads its form's properties before its components: these replace the layout's.
        if (running) {
            form->Constraints()->SetMinHeight(OwnerMinHeight);
            form->Constraints()->SetMinWidth(OwnerMinWidth);
        }
        FSavedBounds = form->BoundsRect();
        FCreatedMaximized = form->WindowState() == wsMaximized;
    }
    FMenuBarColor = Color();
    FMenuBarHeight = 22;
    if (form) FOwnerBorderStyle = form->BorderStyle();
    SetUIStyle(TtavUIStyle::DeepBlue);
    FUIStyleAutoUpdateSub = false;
    if (form) {
        FNonClientHeight = form->Height() - form->ClientHeight();
        FNonClientWidth = form->Width() - form->ClientWidth();
    }
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderStyle(bsNone);
    SetAlign(alNone);
    SetCaption(form ? form->Caption() : std::string());
    SetTitleBarVisible(true);
    TCustomPanel::SetText(" ");
    FHookOwned = false;
    if (!form) return;
    // Only an earlier frame counts: this one is not among the form's controls yet.
    for (int i = 0; i < form->ControlCount(); ++i)
        if (dynamic_cast<TtavForm*>(form->Controls(i)))
            throw EComponentError("Sorry, You can create only one TtavForm component in one form!");
    form->SetScaled(false);
    if (running) TakeOverOwner();
}

void TtavForm::Loaded() {
    TCustomPanel::Loaded();
    ResizeFrame();
}

void TtavForm::TakeOverOwner() {
    TCustomForm* form = FOwnerForm;
    if (form->FormStyle() != fsMDIChild && form->FormStyle() != fsMDIForm) form->SetBorderStyle(bsNone);
    // The frame fits itself to the client area: bars of the form would only take room from it.
    form->SetAutoScroll(false);
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
    // The first frame finding the application's hook free serves it: the main window's.
    if (Application && !Application->OnMessage) {
        Application->OnMessage = [this](MSG& msg, bool& handled) { AppMessageHook(msg, handled); };
        FHookOwned = true;
    }
}

bool TtavForm::OwnerIsMDIChild() const {
    return FOwnerForm && FOwnerForm->FormStyle() == fsMDIChild;
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
    // Through the setter: a menu bar there is already takes the new background as well.
    SetMenuBarColor(Color());
    FTitleBar->SetFileTheme(FFileTheme);
    FTitleBar->SetUIStyle(value);
    if (OwnerIsMDIChild()) FTitleBar->SetRoundCorner(0);
    if (auto* menu = dynamic_cast<TtavMainMenu*>(FMenu)) {
        menu->SetUIStyle(value);
        menu->SetFileTheme(FFileTheme);
    }
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
    if (auto* old = dynamic_cast<TtavMainMenu*>(FMenu); old && old->Frame() == this) old->SetFrame(nullptr);
    if (FMenu && FMenu != value) FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (auto* menu = dynamic_cast<TtavMainMenu*>(value)) menu->SetFrame(this);
    if (!value) return RemoveMenuBar();
    value->FreeNotification(this);
    CreateMenuBar();
    RebuildMenuBar();
}

void TtavForm::SetMenuBarColor(TColor value) {
    FMenuBarColor = value;
    if (FMenuBar) FMenuBar->SetColor(value);
}

void TtavForm::SetMenuBarHeight(int value) {
    FMenuBarHeight = value;
    if (!FMenuBar) return;
    FMenuBar->SetHeight(value);
    FMenuBar->SetButtonHeight(value);
}

void TtavForm::SetFrameWidth(int value) {
    if (!FOwnerForm) return SetWidth(value);
    FOwnerForm->SetWidth(value + 2 * FBorderWidth + OwnerFrameExtra(true));
    ResizeFrame();
}

void TtavForm::SetFrameHeight(int value) {
    if (!FOwnerForm) return SetHeight(value);
    FOwnerForm->SetHeight(value + FBorderWidth + FBorderWidth / 2 + OwnerFrameExtra(false));
    ResizeFrame();
}

// What the form needs around the frame besides the margin: its non-client size while designing; at run
// time an MDI child keeps its system border, and the frame leaves room for it, so the child does not
// shrink each time the margin is set.
int TtavForm::OwnerFrameExtra(bool horizontal) const {
    if (ComponentState().Contains(csDesigning)) return horizontal ? FNonClientWidth : FNonClientHeight;
    if (!OwnerIsMDIChild()) return 0;
    TCustomForm* form = FOwnerForm;
    const int nonClient = horizontal ? form->Width() - form->ClientWidth() : form->Height() - form->ClientHeight();
    return nonClient + MDIChildBorder;
}

void TtavForm::SetRoundCorner(int value) {
    if (OwnerIsMDIChild()) return;
    FTitleBar->SetRoundCorner(value);
}

void TtavForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (!component) return;
    if (operation == opInsert) return AdviseMainMenu(component);
    if (component == FFormPanel) FFormPanel = nullptr;
    if (component == FMenuBar) FMenuBar = nullptr;
    if (component == FMenu) RemoveMenuBar();
    if (component == this && !ComponentState().Contains(csDestroying)) {
        if (FOwnerForm) FOwnerForm->Repaint();
        if (auto* menu = dynamic_cast<TtavMainMenu*>(FMenu); menu && menu->Frame() == this) menu->SetFrame(nullptr);
    }
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        if (ComponentState().Contains(csDestroying)) return;
        ApplyThemeToChildren(this, TtavUIStyle::DeepBlue, nullptr);
        SetUIStyle(TtavUIStyle::DeepBlue);
    }
}

// Designing only: a plain main menu dropped on the form gets the advice to use the skinned one.
void TtavForm::AdviseMainMenu(TComponent* menu) {
    const TComponentState state = ComponentState();
    if (!state.Contains(csDesigning) || state.Contains(csLoading)) return;
    if (!dynamic_cast<TMainMenu*>(menu) || menu->ClassName() == "TtavMainMenu") return;
    const std::string lines = "\r\n\r\n";
    const std::string text = "Strongly recommend you to use \"TtavMainMenu\" instead of \"TMainMenu\"." + lines +
                             "If you still want to use TMainForm, " + lines + "set " +
                             (Owner() ? Owner()->Name() : std::string()) + "'s MENU property to NIL please." + lines +
                             "And set " + Name() + "'s MENU property to this Menu when you finished designing the menu.";
    MessageBox(nullptr, text, "Information", MB_OK | MB_ICONINFORMATION);
}

// ---- menu bar ------------------------------------------------------------------------------------------

void TtavForm::CreateMenuBar() {
    if (FMenuBar || OwnerIsMDIChild()) return;
    FMenuBar = NewComponent<TToolBar>(this);
    FMenuBar->SetParent(this);
    FMenuBar->SetFlat(true);
    FMenuBar->SetEdgeBorders({});
    FMenuBar->SetShowCaptions(true);
    FMenuBar->SetHeight(FMenuBarHeight);
    FMenuBar->SetColor(FMenuBarColor);
    if (!ComponentState().Contains(csDesigning))
        FMenuBar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                              bool& defaultDraw) {
            DrawMenuBarButton(bar, button, state, defaultDraw);
        };
    FMenuBar->OnCustomDraw = [this](TToolBar* bar, const TRect& rect, bool& defaultDraw) {
        DrawMenuBarBackground(bar, rect, defaultDraw);
    };
    // The title bar stays above the menu bar.
    FTitleBar->SetTop(0);
}

void TtavForm::RemoveMenuBar() {
    if (!OwnerIsMDIChild()) {
        delete FMenuBar;
        FMenuBar = nullptr;
    }
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = nullptr;
}

void TtavForm::RebuildMenuBar() {
    if (!FMenuBar) return;
    if (!FMenu) return RemoveMenuBar();
    FMenuBar->ShowMenuItems(FMenu, this);
    // The buttons are sized in the font their hot and pressed captions are drawn in.
    UpdateMenuBarFont();
}

void TtavForm::UpdateMenuBarItems() {
    if (!FMenuBar) return;
    for (int i = 0; i < FMenuBar->ButtonCount(); ++i) {
        TToolButton* button = FMenuBar->Buttons(i);
        if (TMenuItem* item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TtavForm::UpdateMenuBarFont() {
    if (!FMenuBar || !FMenu) return;
    if (auto* menu = dynamic_cast<TtavMainMenu*>(FMenu)) {
        TFont* font = FMenuBar->Font();
        if (menu->UseSystemFont()) {
            ApplySystemMenuFont(*font);
        } else {
            font->SetName(menu->Look().FontName);
            font->SetSize(menu->Look().FontSize);
            font->SetCharset(menu->Look().FontCharset);
        }
    }
    FMenuBar->Repaint();
}

TtavUIStyle TtavForm::MenuBarStyle() const {
    auto* menu = dynamic_cast<TtavMainMenu*>(FMenu);
    return menu ? menu->UIStyle() : FUIStyle;
}

TtavFileTheme* TtavForm::MenuBarTheme() const {
    auto* menu = dynamic_cast<TtavMainMenu*>(FMenu);
    return menu ? menu->FileTheme() : FFileTheme;
}

void TtavForm::DrawMenuBarButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
    TCanvas* canvas = bar->Canvas();
    const TtavUIStyle style = MenuBarStyle();
    bool menuFont = false;
    auto* menu = dynamic_cast<TtavMainMenu*>(FMenu);
    if (menu) {
        const TtavMenuLook& look = menu->Look();
        if (look.UseSystemFont) {
            ApplySystemMenuFont(*canvas->Font());
        } else {
            canvas->Font()->SetName(look.FontName);
            canvas->Font()->SetSize(look.FontSize);
            canvas->Font()->SetCharset(look.FontCharset);
            canvas->Font()->SetColor(look.FontColor);
            menuFont = true;
        }
    }
    const bool hot = state.Contains(cdsHot), selected = state.Contains(cdsSelected);
    if (!hot && !selected) {
        defaultDraw = true;
        return;
    }
    defaultDraw = false;
    const TtavThemeSource source(MenuBarTheme(), style);
    const TColor fontColor = source.Color(tavkey::MenuSelectedFontColor);
    const UINT textFlags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (style == TtavUIStyle::MacOS) {
        // Composed off-screen: the selection picture with the caption over it.
        TBitmap bitmap;
        bitmap.SetSize(button->Width(), button->Height());
        TBitmap select;
        select.LoadFromResourceName("MACOS_MENU_SELECT");
        TCanvas* off = bitmap.Canvas();
        off->StretchDraw({0, 0, button->Width(), button->Height()}, &select);
        off->Brush()->SetStyle(bsClear);
        const TFont* from = canvas->Font();
        off->Font()->SetName(menuFont ? menu->Look().FontName : from->Name());
        off->Font()->SetSize(menuFont ? menu->Look().FontSize : from->Size());
        off->Font()->SetCharset(menuFont ? menu->Look().FontCharset : from->Charset());
        off->Font()->SetColor(fontColor);
        TRect text{0, 0, button->Width(), button->Height() + 2};
        off->Handle()->DrawText(button->Caption(), text, textFlags);
        canvas->Draw(button->Left(), button->Top(), &bitmap);
        return;
    }
    TRect r = button->BoundsRect();
    if (selected) r.Right -= 2;
    FillMenuRect(*canvas, r, source.Color(tavkey::MenuSelectedBackgroundColor));
    FrameMenuRect(*canvas, r, source.Color(tavkey::MenuSelectedBorderColor));
    if (selected) r.Left += 2;
    r.Top += 2;
    // Over the fill: a solid brush would box each letter in the border colour, dark where it differs.
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(fontColor);
    canvas->Handle()->DrawText(button->Caption(), r, textFlags);
}

void TtavForm::DrawMenuBarBackground(TToolBar* bar, const TRect& rect, bool&) {
    if (MenuBarStyle() != TtavUIStyle::MacOS) return;
    TBitmap background;
    background.LoadFromResourceName("MACOS_MENU_BAR");
    bar->Canvas()->StretchDraw(rect, &background);
}

bool TtavForm::HandleMenuShortCut(const TMessage& keyDown) {
    TCustomForm* form = FOwnerForm;
    if (!form || !IsFormActive(form) || !form->Active() || !FMenu) return false;
    return FMenu->IsShortCut(WORD(keyDown.WParam), KeyboardShiftState());
}

void TtavForm::AppMessageHook(MSG& msg, bool& handled) {
    if (msg.message != WM_KEYDOWN) return;
    const TMessage keyDown{WM_KEYDOWN, msg.wParam, msg.lParam, 0};
    if (HandleMenuShortCut(keyDown)) handled = true;
}

// ---- layout and painting -------------------------------------------------------------------------------

void TtavForm::ResizeFrame() {
    if (!FOwnerForm) return;
    const TRect client = FOwnerForm->ClientRect();
    const int B = FBorderWidth;
    const int T = FTitleBar->Visible() ? 0 : B;
    const int system = OwnerIsMDIChild() ? MDIChildBorder : 0;
    SetBounds(B, T, client.Width() - 2 * B - system, client.Height() - B - T - system);
    PlaceMDIClient();
}

void TtavForm::AlignControls(TControl* changed, TRect& rect) {
    TCustomPanel::AlignControls(changed, rect);
    FAlignedArea = rect;
    PlaceMDIClient();
}

TRect TtavForm::MDIClientArea() const {
    const TRect area = FAlignedArea.IsEmpty() ? Bounds(0, 0, Width(), Height()) : FAlignedArea;
    return area.Offsetted(Left(), Top());
}

// An MDI parent's client window, which holds its children, would lie under the frame: it is kept over the
// part the frame's bars leave free, wherever the form itself puts it.
void TtavForm::PlaceMDIClient() {
    if (!FOwnerForm || FOwnerForm->FormStyle() != fsMDIForm || ComponentState().Contains(csDesigning)) return;
    const HWND client = FOwnerForm->ClientHandle();
    if (!IsWindow(client)) return;
    if (!FClientHook || FClientHook->Client != client) {
        if (FClientHook) FClientHook->Frame = nullptr;
        FClientHook = std::make_shared<TClientHook>(TClientHook{this, client, GetWindowProc(client)});
        SetWindowProc(client, [hook = FClientHook](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_WINDOWPOSCHANGING && hook->Frame) {
                auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
                const TRect area = hook->Frame->MDIClientArea();
                pos->x = area.Left, pos->y = area.Top, pos->cx = area.Width(), pos->cy = area.Height();
            }
            return CallWindowProc(hook->Saved, h, msg, wParam, lParam);
        });
    }
    // Raised only when the frame has come over it: a raise repaints the client and every child.
    const std::vector<HWND> order = GetChildren(FOwnerForm->Handle());
    const auto at = [&order](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
    const bool below = HandleAllocated() && at(client) < at(Handle());
    const UINT keepOrder = below ? 0u : UINT(SWP_NOZORDER);
    SetWindowPos(client, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | keepOrder);
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
    const bool child = OwnerIsMDIChild();
    const int system = child ? MDIChildBorder : 0;
    dc->FillRect({0, 0, B, child ? H - 2 : H}, brush);
    dc->FillRect({0, H - B - system, W, H}, brush);
    dc->FillRect({W - B - system, 0, W, H}, brush);
    dc->MoveTo({0, 0});
    dc->LineTo({W, 0});
}

void TtavForm::Paint() {
    PaintBackground();
    // The form being designed has no window procedure of the frame's to keep the margin up to date.
    if (!ComponentState().Contains(csDesigning)) return;
    ResizeFrame();
    PaintFormBorder();
}

void TtavForm::PaintBackground() {
    const TRect client = ClientRect();
    if (FUIStyle == TtavUIStyle::MacOS || FUIStyle == TtavUIStyle::Protein) {
        TBitmap tile;
        tile.LoadFromResourceName(FUIStyle == TtavUIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND");
        // Tiled straight into the part being painted, from the frame's top left corner wherever the DC puts
        // it: a frame-sized bitmap for each paint cost more than the paint. The canvas's brush stays as it is.
        TDC& dc = *Canvas()->Handle();
        const TDCStateSaver saved(dc);
        dc.SetBrushOrg(dc.GetViewportOrg());
        const auto pattern = std::make_shared<const TSurface>(std::as_const(tile).Surface());
        dc.FillRect(client, {TBrushStyle::Pattern, clWhite, pattern});
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
    case CM_MENUCHANGED:
        // The menu changed as a whole (a merge): its top-level items may be others now.
        if (FMenu && m.LParam == LPARAM(FMenu)) RebuildMenuBar();
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
    case WM_MDIACTIVATE:
        if (HWND(m.LParam) == FOwnerForm->Handle()) SendToMainClient(MDIChildActivated);
        break;
    case WM_KEYDOWN: m.Result = HandleMenuShortCut(m) ? 1 : 0; break;
    // The form never shows a menu bar of its own.
    case WM_SHOWWINDOW: FOwnerForm->SetMenu(nullptr); break;
    case WM_ACTIVATE: FTitleBar->SetFormActive(LOWORD(m.WParam) != WA_INACTIVE); break;
    case WM_SIZE: OwnerSized(); break;
    case WM_ERASEBKGND: PaintFormBorder(reinterpret_cast<HDC>(m.WParam)); break;
    case WM_NCHITTEST: OwnerHitTest(m); break;
    case WM_DESTROY:
        if (!OwnerIsMDIChild()) break;
        SendToMainClient(MDIChildActivated);
        if (FOwnerForm->WindowState() == wsMaximized) SendToMainClient(MDIChildTitleBarBack);
        break;
    }
}

void TtavForm::OwnerSized() {
    TCustomForm* form = FOwnerForm;
    const bool maximized = form->WindowState() == wsMaximized;
    if (FCreatedMaximized) {
        if (!maximized) {
            SetFormBounds(form, FSavedBounds);
            FCreatedMaximized = false;
        }
        gTitleBarScrolledAway = true;
    }
    // A maximised window leaves the task bar free.
    TRect area;
    if (maximized && !OwnerIsMDIChild() && FOwnerBorderStyle != bsNone && GetWorkArea(area))
        SetFormBounds(form, area);
    ResizeFrame();
    PaintFormBorder();
    FTitleBar->UpdateMaxButtons();
    if (OwnerIsMDIChild()) ScrollTitleBar(form->WindowState() == wsMaximized);
    FTitleBar->UpdateRoundCorner();
}

bool TtavForm::TitleBarScrolledAway() {
    return gTitleBarScrolledAway;
}

void TtavForm::SetTitleBarScrolledAway(bool value) {
    gTitleBarScrolledAway = value;
}

// A maximised MDI child hides its title bar; the first to do so moves its controls up into the room.
void TtavForm::ScrollTitleBar(bool away) {
    SetTitleBarVisible(!away);
    if (away == gTitleBarScrolledAway) return;
    const int step = away ? -FTitleBar->Height() : FTitleBar->Height();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        control->SetTop(control->Top() + step);
    }
    gTitleBarScrolledAway = away;
    if (away) return SendToMainClient(MDIChildTitleBarScrolledAway, WPARAM(FOwnerForm->Handle()));
    FTitleBar->UpdateMaxButtons();
    SendToMainClient(MDIChildTitleBarBack);
}

void TtavForm::OwnerHitTest(TMessage& m) {
    TCustomForm* form = FOwnerForm;
    if (form->WindowState() == wsMaximized) return;
    if (form->FormStyle() == fsMDIForm && m.Result == HTCLIENT) m.Result = HTTRANSPARENT;
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
