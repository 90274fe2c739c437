#pragma once
#include "classlib/Collection.h"
#include "classlib/Menus.h"
#include "classlib/Panel.h"
#include "classlib/Picture.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPopupMenu.h"
#include "skin/TAVThemes.h"

#include <cstdint>
#include <functional>
#include <memory>

class TBitmap;
class TtavTitleBar;
class TtavForm;
class TtavThemeSource;

enum class TtavTitleBarBtnType : uint8_t { tavMax, tavMin, tavClose, tavHelp, tavControlBox, tavCustom };
using enum TtavTitleBarBtnType;
VMR_ENUM_NAMES(TtavTitleBarBtnType, "tavMax", "tavMin", "tavClose", "tavHelp", "tavControlBox", "tavCustom")

enum class TtavTitleBarAlign : uint8_t { tavLeft, tavRight, tavClient };
using enum TtavTitleBarAlign;
VMR_ENUM_NAMES(TtavTitleBarAlign, "tavLeft", "tavRight", "tavClient")

using TtavTitleBarButtonClickEvent = std::function<void(TObject* Sender, int ButtonIndex)>;

// A window button of a title bar: three pictures (normal, mouse over, pressed) and what a click does.
class TtavTitleBarButton : public TCollectionItem {
    VMR_CLASS(TtavTitleBarButton, TCollectionItem)

public:
    explicit TtavTitleBarButton(TCollection* collection);
    static void PublishProperties(TPublisher<TtavTitleBarButton>& p);

    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    TtavTitleBarBtnType ButtonType() const { return FButtonType; }
    // A second control box in the collection is refused with an error box.
    void SetButtonType(TtavTitleBarBtnType value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int Top() const { return FTop; }
    void SetTop(int value);
    TPopupMenu* ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(TPopupMenu* value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TPicture* PicNormal() { return &FPicNormal; }
    void SetPicNormal(const TPicture* value) { FPicNormal.Assign(value); }
    TPicture* PicMouseOn() { return &FPicMouseOn; }
    void SetPicMouseOn(const TPicture* value) { FPicMouseOn.Assign(value); }
    TPicture* PicMouseDown() { return &FPicMouseDown; }
    void SetPicMouseDown(const TPicture* value) { FPicMouseDown.Assign(value); }

    // Transparency, the three pictures and Top from the style (a custom button keeps its pictures and Top).
    void LoadStylePictures();
    // A maximise button shows the restore pictures while its form is maximised.
    void UpdateMaxPictures();
    // What a click does: maximise or restore, minimise, close, or drop the control box's menu down.
    void PerformAction();

    TtavTitleBar* TitleBar() const;
    void Assign(const TPersistent* source) override;

private:
    void LoadPictures(int firstFrame);
    void TitleBarRepaint() const;

    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    TtavTitleBarBtnType FButtonType = tavCustom;
    bool FTransparent = false;
    int FTop = 2;
    TPopupMenu* FControlBoxMenu = nullptr;
    bool FVisible = true;
    TPicture FPicNormal;
    TPicture FPicMouseOn;
    TPicture FPicMouseDown;
};

// A picture strip of a title bar, at its left or right end or stretched over what lies between.
class TtavTitleBarSection : public TCollectionItem {
    VMR_CLASS(TtavTitleBarSection, TCollectionItem)

public:
    explicit TtavTitleBarSection(TCollection* collection);
    static void PublishProperties(TPublisher<TtavTitleBarSection>& p);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TtavTitleBarAlign Align() const { return FAlign; }
    // A second client section in the collection is refused with an error box.
    void SetAlign(TtavTitleBarAlign value);
    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* value) { FPicture.Assign(value); }
    // Always on for a client section.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);

    TtavTitleBar* TitleBar() const;
    void Assign(const TPersistent* source) override;

private:
    void PictureChanged();
    void TitleBarRepaint() const;

    bool FAutoSize = false;
    int FWidth = 10;
    TtavTitleBarAlign FAlign = tavLeft;
    TPicture FPicture;
    bool FStretch = false;
};

class TtavTitleBarButtons : public TCollection {
    VMR_CLASS(TtavTitleBarButtons, TCollection)

public:
    explicit TtavTitleBarButtons(TtavTitleBar* titleBar);
    ~TtavTitleBarButtons() override;
    TtavTitleBarButton* Add() { return static_cast<TtavTitleBarButton*>(TCollection::Add()); }
    TtavTitleBarButton* Items(int index) const { return static_cast<TtavTitleBarButton*>(TCollection::Items(index)); }
    TtavTitleBar* TitleBar() const { return FTitleBar; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TtavTitleBar* FTitleBar;
};

class TtavTitleBarSections : public TCollection {
    VMR_CLASS(TtavTitleBarSections, TCollection)

public:
    explicit TtavTitleBarSections(TtavTitleBar* titleBar);
    ~TtavTitleBarSections() override;
    TtavTitleBarSection* Add() { return static_cast<TtavTitleBarSection*>(TCollection::Add()); }
    TtavTitleBarSection* Items(int index) const {
        return static_cast<TtavTitleBarSection*>(TCollection::Items(index));
    }
    TtavTitleBar* TitleBar() const { return FTitleBar; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TtavTitleBar* FTitleBar;
};

// The window menu the control box drops down, in the title bar's style: minimise, maximise or restore, close.
class TtavTitleBarPopupMenu : public TtavPopupMenu {
    VMR_CLASS(TtavTitleBarPopupMenu, TtavPopupMenu)

public:
    void SetTitleBar(TtavTitleBar* titleBar) { FTitleBar = titleBar; }
    // The commands are enabled by the kinds of button the title bar holds, visible or not.
    void Popup(int X, int Y) override;

protected:
    explicit TtavTitleBarPopupMenu(TComponent* owner);

private:
    void AddCommand(const std::string& caption, TNotifyEvent click);
    void Minimize();
    void MaximizeRestore();
    void CloseForm();

    TtavTitleBar* FTitleBar = nullptr;
};

// The caption strip of a skinned window: picture sections, the caption, a control box at the left and the
// window buttons at the right. Dragging it moves the window, a double-click maximises or restores it, and its
// top rows size a sizeable window.
class TtavTitleBar : public TCustomPanel {
    VMR_CLASS(TtavTitleBar, TCustomPanel)

public:
    ~TtavTitleBar() override;
    static void PublishProperties(TPublisher<TtavTitleBar>& p);
    void AfterConstruction() override;

    bool Custom() const { return FCustom; }
    void SetCustom(bool value) { FCustom = value; }
    TtavFileTheme* FileTheme() const { return FFileTheme; }
    // Applies the style again, keeping the caption colour.
    void SetFileTheme(TtavFileTheme* value);
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value);
    bool AutoSize() const { return FAutoSize; }
    // The height follows the first section's picture whatever the value.
    void SetAutoSize(bool value);
    TtavTitleBarSections* Sections() const { return FSections.get(); }
    void SetSections(const TtavTitleBarSections* value) { FSections->Assign(value); }
    TtavTitleBarButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(const TtavTitleBarButtons* value) { FButtons->Assign(value); }
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int value);
    void SetText(const std::string& value) override;
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool value);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int value);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool value);
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int value);

    // The form at the top of the chain of parents, or nullptr.
    TCustomForm* OwnerForm() const;
    // The frame that holds the bar, or nullptr.
    TtavForm* Frame() const;
    TtavTitleBarPopupMenu* SystemMenu() const { return FSystemMenu; }
    // Index in Buttons of the button under the mouse at the last paint, -1 for none.
    int HotButton() const { return FHotButton; }

    void UpdateRoundCorner();
    void UpdateMaxButtons();

    TtavTitleBarButtonClickEvent OnCustomBtnsClick;
    TtavTitleBarButtonClickEvent OnHelpBtnClick;

protected:
    explicit TtavTitleBar(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    virtual void DrawSections(TBitmap* bitmap);
    virtual void DrawButtons(TBitmap* bitmap);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;

private:
    friend class TtavTitleBarButton;
    void FillFromTheme(const TtavThemeSource& source);
    void ApplyRoundCorner(int radius);
    void HitTest(TMessage& m);
    void ClickButton(int index);
    // Draws a button's picture for its state at (x, top) and tells whether the cursor is over it.
    bool DrawButton(TBitmap* target, TBitmap* buffer, TtavTitleBarButton* button, int x, TPoint cursor);
    void DrawCaption(TCanvas* canvas, int left, int right);
    void PopupSystemMenu();

    bool FCustom = false;
    TtavFileTheme* FFileTheme = nullptr;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
    bool FAutoSize = false;
    std::unique_ptr<TtavTitleBarSections> FSections;
    std::unique_ptr<TtavTitleBarButtons> FButtons;
    int FButtonInterval = 0;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    bool FDrawAppIcon = false;
    int FRoundCorner = 0;
    TtavTitleBarPopupMenu* FSystemMenu = nullptr;
    TColor FOutlineColor = clBlack;
    int FButtonRowHeight = 0;
    int FCaptionBaseTop = 0;
    bool FPressed = false;
    int FHotButton = -1;
    bool FKeepFontColor = false;
};
