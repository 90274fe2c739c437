#pragma once
#include "classlib/Menus.h"
#include "classlib/Panel.h"
#include "classlib/ToolBar.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"
#include "skin/TAVTitleBar.h"

#include <memory>
#include <string>

// The skinned window frame: dropped on a form, it takes the form's window over. The form loses its system
// caption and border; the frame covers its client area but for a margin of BorderWidth pixels that it paints
// in BorderColor, carries the title bar, and answers the sizing hit tests of that margin while the form was
// sizeable. The form's controls are placed on the frame. A form holds one frame at most.
class TtavForm : public TCustomPanel {
    VMR_CLASS(TtavForm, TCustomPanel)

public:
    ~TtavForm() override;
    static void PublishProperties(TPublisher<TtavForm>& p);
    void AfterConstruction() override;
    // Whatever order the layout gave the frame's bounds in, it ends over the form's client area.
    void Loaded() override;

    bool TitleBarCustom() const { return FTitleBar->Custom(); }
    void SetTitleBarCustom(bool value) { FTitleBar->SetCustom(value); }
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    bool UIStyleAutoUpdateSub() const { return FUIStyleAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { FUIStyleAutoUpdateSub = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    // The margin around the frame; the form is resized so that the frame keeps its size.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    bool TitleBarVisible() const { return FTitleBar->Visible(); }
    void SetTitleBarVisible(bool value);
    // The title bar's caption, which setting also gives the form.
    const std::string& Caption() const { return FTitleBar->Caption(); }
    void SetCaption(const std::string& value);
    TCustomPanel* FormPanel() const { return FFormPanel; }
    // A panel that fills the frame below its bars; the frame itself is refused with an error box.
    void SetFormPanel(TCustomPanel* value);
    TtavTitleBarButtons* TitleBarButtons() const { return FTitleBar->Buttons(); }
    void SetTitleBarButtons(const TtavTitleBarButtons* value) { FTitleBar->SetButtons(value); }
    TtavTitleBarSections* TitleBarSections() const { return FTitleBar->Sections(); }
    void SetTitleBarSections(const TtavTitleBarSections* value) { FTitleBar->SetSections(value); }
    bool TitleBarDrawAppIcon() const { return FTitleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool value) { FTitleBar->SetDrawAppIcon(value); }
    // The title bar's font.
    TFont* Font() const { return FTitleBar->Font(); }
    void SetFont(const TFont* value) { FTitleBar->Font()->Assign(value); }
    // The main menu the frame's menu bar shows, one button per top-level item dropping its sub-items down;
    // none removes the bar. Never a bar for an MDI child's frame.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor value);
    // The height of the menu bar and of its buttons.
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int value);
    // Setting the frame's size sizes the form: Width + 2 x BorderWidth by Height + BorderWidth + BorderWidth
    // div 2, and an MDI child's system border around that. Reading gives the frame's own size.
    int FrameWidth() const { return Width(); }
    void SetFrameWidth(int value);
    int FrameHeight() const { return Height(); }
    void SetFrameHeight(int value);
    int RoundCorner() const { return FTitleBar->RoundCorner(); }
    void SetRoundCorner(int value);
    std::string Version() const { return "4.06"; }
    void SetVersion(const std::string&) {}

    // Shared by every frame: an MDI child's title bar has been scrolled away and its controls moved up.
    static bool TitleBarScrolledAway();
    static void SetTitleBarScrolledAway(bool value);

    // The form's border style when the frame was made, before the frame took the border away.
    TFormBorderStyle OwnerBorderStyle() const { return FOwnerBorderStyle; }
    TtavTitleBar* TitleBar() const { return FTitleBar; }
    // The tool bar in menu mode below the title bar while a menu is attached; nullptr otherwise.
    TToolBar* MenuBar() const { return FMenuBar; }
    void CreateMenuBar();
    // Frees the bar and forgets Menu.
    void RemoveMenuBar();
    // Makes the bar's buttons again from Menu's top-level items, in the skinned main menu's font.
    void RebuildMenuBar();
    // The buttons take their items' captions and enabled states; items come or go only by a rebuild.
    void UpdateMenuBarItems();
    // The bar takes the skinned main menu's font.
    void UpdateMenuBarFont();
    // Runs the shortcut of Menu's item for a key-down while the form is the active one; true when one ran.
    bool HandleMenuShortCut(const TMessage& keyDown);
    // Places the frame over the form's client area, leaving the margin.
    void ResizeFrame();
    // Paints the margin on the form, into the DC given or the form's own.
    void PaintFormBorder(HDC dc = nullptr);
    // Where an MDI parent's client window goes, in the form's client coordinates: what the frame leaves
    // below its bars, in front of the frame.
    TRect MDIClientArea() const;

    // The title bar's own events: handlers receive the title bar as Sender.
    const TtavTitleBarButtonClickEvent& OnTitleBarCustomBtnsClick() const { return FTitleBar->OnCustomBtnsClick; }
    void SetOnTitleBarCustomBtnsClick(TtavTitleBarButtonClickEvent e) { FTitleBar->OnCustomBtnsClick = std::move(e); }
    const TtavTitleBarButtonClickEvent& OnTitleBarHelpBtnClick() const { return FTitleBar->OnHelpBtnClick; }
    void SetOnTitleBarHelpBtnClick(TtavTitleBarButtonClickEvent e) { FTitleBar->OnHelpBtnClick = std::move(e); }

protected:
    explicit TtavForm(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void AlignControls(TControl* changed, TRect& rect) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    // What the form's window procedure leads to: this frame until it goes, then the form's own procedure.
    struct TOwnerHook {
        TtavForm* Frame;
        TWndMethod Saved;
    };
    // What the MDI client window's procedure leads to: this frame, which places it, while it lives.
    struct TClientHook {
        TtavForm* Frame;
        HWND Client;
        TWndProc Saved;
    };
    void TakeOverOwner();
    void PlaceMDIClient();
    void OwnerWndProc(TMessage& m);
    void OwnerSized();
    void ScrollTitleBar(bool away);
    void OwnerHitTest(TMessage& m);
    void AppMessageHook(MSG& msg, bool& handled);
    // The background in the style's tile or colour.
    void PaintBackground();
    void DrawMenuBarButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw);
    void DrawMenuBarBackground(TToolBar* bar, const TRect& rect, bool& defaultDraw);
    // The style and theme the menu bar is drawn in: the skinned main menu's, else the frame's.
    TtavUIStyle MenuBarStyle() const;
    TtavFileTheme* MenuBarTheme() const;
    bool OwnerIsMDIChild() const;
    int OwnerFrameExtra(bool horizontal) const;
    void AdviseMainMenu(TComponent* menu);

    TtavTitleBar* FTitleBar = nullptr;
    TToolBar* FMenuBar = nullptr;
    TMainMenu* FMenu = nullptr;
    std::shared_ptr<TOwnerHook> FOwnerHook;
    std::shared_ptr<TClientHook> FClientHook;
    TRect FAlignedArea; // what the bars leave of the frame, in its own coordinates
    TCustomForm* FOwnerForm = nullptr;
    TFormBorderStyle FOwnerBorderStyle = bsSizeable;
    TColor FBorderColor = clBlack;
    TCustomPanel* FFormPanel = nullptr;
    int FBorderWidth = 0;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TColor FMenuBarColor = clBtnFace;
    int FMenuBarHeight = 22;
    bool FHookOwned = false;
    bool FUIStyleAutoUpdateSub = false;
    TRect FSavedBounds;
    bool FCreatedMaximized = false;
    // The form's non-client size when the frame was made; added to the size properties while designing.
    int FNonClientHeight = 0;
    int FNonClientWidth = 0;
};
