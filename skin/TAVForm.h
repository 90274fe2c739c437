#pragma once
#include "classlib/Menus.h"
#include "classlib/Panel.h"
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
    // Kept for a menu bar, which no form here has: the reference is stored and cleared when the menu goes.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor value) { FMenuBarColor = value; }
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int value) { FMenuBarHeight = value; }
    // Setting the frame's size sizes the form: Width + 2 x BorderWidth by Height + BorderWidth + BorderWidth
    // div 2. Reading gives the frame's own size.
    int FrameWidth() const { return Width(); }
    void SetFrameWidth(int value);
    int FrameHeight() const { return Height(); }
    void SetFrameHeight(int value);
    int RoundCorner() const { return FTitleBar->RoundCorner(); }
    void SetRoundCorner(int value);
    std::string Version() const { return "4.06"; }
    void SetVersion(const std::string&) {}

    // The form's border style when the frame was made, before the frame took the border away.
    TFormBorderStyle OwnerBorderStyle() const { return FOwnerBorderStyle; }
    TtavTitleBar* TitleBar() const { return FTitleBar; }
    // Places the frame over the form's client area, leaving the margin.
    void ResizeFrame();
    // Paints the margin on the form, into the DC given or the form's own.
    void PaintFormBorder(HDC dc = nullptr);

    TtavTitleBarButtonClickEvent OnTitleBarCustomBtnsClick;
    TtavTitleBarButtonClickEvent OnTitleBarHelpBtnClick;

protected:
    explicit TtavForm(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    // What the form's window procedure leads to: this frame until it goes, then the form's own procedure.
    struct TOwnerHook {
        TtavForm* Frame;
        TWndMethod Saved;
    };
    void TakeOverOwner();
    void OwnerWndProc(TMessage& m);
    void OwnerSized();
    void OwnerHitTest(TMessage& m);

    TtavTitleBar* FTitleBar = nullptr;
    TMainMenu* FMenu = nullptr;
    std::shared_ptr<TOwnerHook> FOwnerHook;
    TCustomForm* FOwnerForm = nullptr;
    TFormBorderStyle FOwnerBorderStyle = bsSizeable;
    TColor FBorderColor = clBlack;
    TCustomPanel* FFormPanel = nullptr;
    int FBorderWidth = 0;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavFileTheme* FFileTheme = nullptr;
    TColor FMenuBarColor = clBtnFace;
    int FMenuBarHeight = 22;
    bool FUIStyleAutoUpdateSub = false;
    TRect FSavedBounds;
    bool FCreatedMaximized = false;
};
