// What a form layout can set on the picture panel, the caption panel, the picture button, the track bar, the
// scroll bar, the combo box, the frame, its title bar and the two menus: each name they publish, their own
// and the class library's.
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVForm.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMainMenu.h"
#include "skin/TAVPopupMenu.h"
#include "skin/TAVScrollBar.h"
#include "skin/TAVTrackBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Unpublished(const TClassInfo& info, const std::vector<std::string>& names) {
    std::vector<std::string> missing;
    for (const std::string& name : names)
        if (!info.FindProperty(name)) missing.push_back(name);
    return missing;
}

const std::vector<std::string> PanelEvents = {
    "OnCanResize", "OnClick", "OnConstrainedResize", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown",
    "OnMouseMove", "OnMouseUp", "OnResize"};

TEST(PublishedPropertiesTest, EachClassPublishesWhatALayoutMaySet) {
    std::vector<std::string> imagePanel = {"BiDiMode", "BorderWidth", "Anchors", "Picture", "Transparent",
                                           "AutoSize", "Alignment", "Align", "Font", "TabStop", "TabOrder",
                                           "Caption", "Color", "DrawStyle", "Visible", "PopupMenu"};
    imagePanel.insert(imagePanel.end(), PanelEvents.begin(), PanelEvents.end());
    EXPECT_EQ(Unpublished(TtavImagePanel::StaticClassInfo(), imagePanel), std::vector<std::string>{});

    std::vector<std::string> captionPanel = {
        "FileTheme", "UIStyle", "BorderColor", "Font", "Caption", "ShowButton", "Height", "CaptionFontColor",
        "BiDiMode", "Anchors", "Align", "TabStop", "TabOrder", "Color", "Visible", "PopupMenu", "OnPush", "OnPop"};
    captionPanel.insert(captionPanel.end(), PanelEvents.begin(), PanelEvents.end());
    EXPECT_EQ(Unpublished(TtavPanel::StaticClassInfo(), captionPanel), std::vector<std::string>{});

    const std::vector<std::string> imageButton = {
        "Caption", "AutoSize", "TabStop", "Anchors", "BiDiMode", "ParentBiDiMode", "Font", "ParentFont",
        "ParentColor", "PopupMenu", "ShowHint", "ParentShowHint", "Visible", "OnEnter", "OnExit", "UIStyle",
        "DrawFocused", "FocusedRectMargin", "PicNormal", "PicMouseOn", "PicMouseDown", "PicDisabled", "Stretch",
        "Cancel", "Default", "MouseContinuouslyDownInterval", "Enabled", "TabOrder", "Transparent",
        "ModalResult", "OnClick", "OnMouseMove", "OnMouseDown", "OnMouseUp", "OnKeyDown", "OnKeyUp",
        "OnKeyPress", "OnMouseEnter", "OnMouseExit", "OnMouseContinuouslyDown"};
    EXPECT_EQ(Unpublished(TtavImageButton::StaticClassInfo(), imageButton), std::vector<std::string>{});
    EXPECT_EQ(TtavImageButton::StaticClassInfo().FindProperty("FileTheme"), nullptr);

    const std::vector<std::string> trackBar = {
        "Orientation", "FileTheme", "UIStyle", "BarImage", "SliderImage", "Max", "Min", "Position", "PageSize",
        "LineSize", "ShowTick", "Transparent", "Frequency", "OnChange", "Align", "Alignment", "Anchors",
        "BiDiMode", "Color", "Enabled", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint",
        "ShowHint", "TabOrder", "TabStop", "Visible", "OnCanResize", "OnClick", "OnContextPopup", "OnDblClick",
        "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"};
    EXPECT_EQ(Unpublished(TtavTrackBar::StaticClassInfo(), trackBar), std::vector<std::string>{});

    const std::vector<std::string> scrollBar = {
        "FileTheme", "LineButton", "Orientation", "UIStyle", "Max", "Min", "Position", "SmallChange",
        "LargeChange", "PageSize", "OnChange", "Align", "Anchors", "BiDiMode", "Color", "Constraints", "Enabled",
        "ParentBiDiMode", "ParentColor", "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnContextPopup",
        "OnEnter", "OnExit"};
    EXPECT_EQ(Unpublished(TtavScrollBar::StaticClassInfo(), scrollBar), std::vector<std::string>{});

    // Drag, dock, IME and 3-D names stay out: the class library has none of them.
    const std::vector<std::string> comboBox = {
        "UIStyle", "FileTheme", "BorderColor", "ButtonColor", "ArrowColor", "AutoComplete", "AutoDropDown",
        "Style", "Anchors", "BiDiMode", "CharCase", "Color", "Constraints", "DropDownCount", "Enabled", "Font",
        "ItemHeight", "ItemIndex", "MaxLength", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint",
        "PopupMenu", "ShowHint", "Sorted", "TabOrder", "TabStop", "Text", "Visible", "Items", "OnChange",
        "OnClick", "OnContextPopup", "OnDblClick", "OnDrawItem", "OnDropDown", "OnEnter", "OnExit", "OnKeyDown",
        "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnSelect"};
    EXPECT_EQ(Unpublished(TtavComboBox::StaticClassInfo(), comboBox), std::vector<std::string>{});
}

TEST(PublishedPropertiesTest, TheFrameItsTitleBarAndTheMainMenuPublishWhatALayoutMaySet) {
    const std::vector<std::string> frame = {
        "TitleBarCustom", "FileTheme", "UIStyle", "UIStyleAutoUpdateSub", "BorderColor", "BorderWidth",
        "TitleBarVisible", "Color", "Caption", "FormPanel", "TitleBarButtons", "TitleBarSections",
        "TitleBarDrawAppIcon", "Font", "Menu", "MenuBarColor", "MenuBarHeight", "Height", "Width", "RoundCorner",
        "Version", "OnTitleBarCustomBtnsClick", "OnTitleBarHelpBtnClick", "BiDiMode", "PopupMenu", "OnMouseDown",
        "OnClick", "OnMouseUp"};
    EXPECT_EQ(Unpublished(TtavForm::StaticClassInfo(), frame), std::vector<std::string>{});

    const std::vector<std::string> titleBar = {
        "Custom", "FileTheme", "UIStyle", "AutoSize", "BiDiMode", "Height", "Sections", "Buttons",
        "ButtonInterval", "Caption", "Font", "FormActive", "LeftBtnXOffset", "RightBtnXOffset", "DrawAppIcon",
        "RoundCorner", "OnCustomBtnsClick", "OnHelpBtnClick"};
    EXPECT_EQ(Unpublished(TtavTitleBar::StaticClassInfo(), titleBar), std::vector<std::string>{});

    const std::vector<std::string> mainMenu = {
        "Images", "OwnerDraw", "FileTheme", "UIStyle", "MenuItemHeight", "SeparatorHeight", "UseSystemFont",
        "BarWidth", "BarColor", "Color", "SeparatorColor", "SelectedBorderColor", "SelectedColor",
        "SelectedFontColor", "FontColor", "BorderColor", "FlatMenu", "FontName", "FontSize", "FontCharset",
        "AutoHotkeys", "AutoLineReduction", "AutoMerge", "BiDiMode", "ParentBiDiMode", "OnChange"};
    EXPECT_EQ(Unpublished(TtavMainMenu::StaticClassInfo(), mainMenu), std::vector<std::string>{});

    const std::vector<std::string> popupMenu = {
        "OwnerDraw", "FileTheme", "UIStyle", "MenuItemHeight", "SeparatorHeight", "UseSystemFont", "BarWidth",
        "BarColor", "Color", "SeparatorColor", "SelectedBorderColor", "SelectedColor", "SelectedFontColor",
        "FontColor", "BorderColor", "FlatMenu", "FontName", "FontSize", "FontCharset", "Images", "Alignment",
        "AutoPopup", "AutoHotkeys", "AutoLineReduction", "BiDiMode", "ParentBiDiMode", "OnPopup"};
    EXPECT_EQ(Unpublished(TtavPopupMenu::StaticClassInfo(), popupMenu), std::vector<std::string>{});
}

} // namespace
