#include "classlib/Bitmap.h"
#include "platform/Exception.h"
#include "skin/RegisterSkin.h"
#include "skin/TAVThemes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr TtavUIStyle BuiltinStyles[] = {TtavUIStyle::MacOS, TtavUIStyle::WinXP, TtavUIStyle::DeepBlue,
                                         TtavUIStyle::Protein, TtavUIStyle::BlueGlass};

// The table as its reference gives it: key, kind, name, then the values of MacOS ... BlueGlass.
const char* const ExpectedTable[] = {
    "1 Image ButtonImage MACOS_BUTTON WINXP_BUTTON DEEPBLUE_BUTTON PROTEIN_BUTTON BLUEGLASS_BUTTON",
    "2 Bool ButtonTransparentBool 1 0 0 0 1",
    "3 Image CheckBoxImage MACOS_CHECKBOX WINXP_CHECKBOX DEEPBLUE_CHECKBOX PROTEIN_CHECKBOX "
    "BLUEGLASS_CHECKBOX",
    "4 Image RadioButtonImage MACOS_RADIOBUTTON WINXP_RADIOBUTTON DEEPBLUE_RADIOBUTTON PROTEIN_RADIOBUTTON "
    "BLUEGLASS_RADIOBUTTON",
    "5 Image TitleBarButtonImage MACOS_TITLEBTN WINXP_TITLEBTN DEEPBLUE_TITLEBTN PROTEIN_TITLEBTN "
    "BLUEGLASS_TITLEBTN",
    "6 Bool TitleBarButtonTransparentBool 0 0 0 1 1",
    "7 Int TitleBarButtonLeftOffsetInt 3 2 0 0 4",
    "8 Int TitleBarButtonRightOffsetInt -2 -2 0 0 -3",
    "9 Int TitleBarButtonTopInt 4 5 2 2 6",
    "10 Image TitleBarLeftImage MACOS_TITLE_LEFT WINXP_TITLE_LEFT DEEPBLUE_TITLE_LEFT PROTEIN_TITLE_LEFT "
    "BLUEGLASS_TITLE_LEFT",
    "11 Image TitleBarClientImage MACOS_TITLE_CLIENT WINXP_TITLE_CLIENT DEEPBLUE_TITLE_CLIENT "
    "PROTEIN_TITLE_CLIENT BLUEGLASS_TITLE_CLIENT",
    "12 Image TitleBarRightImage MACOS_TITLE_RIGHT WINXP_TITLE_RIGHT DEEPBLUE_TITLE_RIGHT "
    "PROTEIN_TITLE_RIGHT BLUEGLASS_TITLE_RIGHT",
    "13 Int FormMinWidthInt 130 150 130 130 270",
    "14 Int FormRoundCornerInt 0 13 0 0 11",
    "15 Color FormBackgroundColor 0xE7E7E7 0xDEEBEF 0xE8E8E8 0xFBFBFB 0xE7E7E7",
    "16 Color FormBorderColor 0x7F7F7F 0xC82C00 0x000000 0x000000 0x000000",
    "17 Int FormBorderWidthInt 1 3 1 1 1",
    "18 Color MenuSelectedBorderColor 0xC47339 0xC66931 0xA04A44 0xC4302D 0xEC5E5E",
    "19 Color MenuSelectedBackgroundColor 0xC47339 0xEFD3C6 0xA04A44 0xC4302D 0xEC5E5E",
    "20 Color MenuSelectedFontColor 0xFFFFFF 0x000000 0xFFFFFF 0xFFFFFF 0xFFFFFF",
    "21 Color MenuBackgroundColor 0x000000 0xFFFFFF 0xFFFFFF 0xFFFFFF 0xE7E7E7",
    "22 Color MenuFontColor 0x000000 0x000000 0x000000 0x000000 0x000000",
    "23 Color MenuBarColor 0x000000 0xCED3D6 0xCED3D6 0xCED3D6 0xCED3D6",
    "24 Image ProgressBarImage MACOS_PROGRESSBAR WINXP_PROGRESSBAR DEEPBLUE_PROGRESSBAR PROTEIN_PROGRESSBAR "
    "BLUEGLASS_PROGRESSBAR",
    "25 Color ControlBorderColor 0x7F7F7F 0x686868 0x000000 0x000000 0x000000",
    "26 Color ControlBackgroundColor 0xE7E7E7 0xDEEBEF 0xE8E8E8 0xFBFBFB 0xE7E7E7",
    "27 Color ControlFontColor 0x000000 0xCF4602 0x000000 0x000000 0x000000",
    "28 Image TrackBarBarImage MACOS_TRACKBAR_BAR WINXP_TRACKBAR_BAR DEEPBLUE_TRACKBAR_BAR "
    "PROTEIN_TRACKBAR_BAR BLUEGLASS_TRACKBAR_BAR",
    "29 Image TrackBarSliderImage MACOS_TRACKBAR_SLIDER WINXP_TRACKBAR_SLIDER DEEPBLUE_TRACKBAR_SLIDER "
    "PROTEIN_TRACKBAR_SLIDER BLUEGLASS_TRACKBAR_SLIDER",
    "30 Image TrackBarSliderVImage MACOS_TRACKBAR_SLIDER_V WINXP_TRACKBAR_SLIDER_V "
    "DEEPBLUE_TRACKBAR_SLIDER_V PROTEIN_TRACKBAR_SLIDER_V BLUEGLASS_TRACKBAR_SLIDER_V",
    "31 Color ScrollBarBackgroundColor 0xC9C9C9 0xF9F9F9 0xF5F5F5 0xF5F5F5 0xF4F4F4",
    "32 Image ScrollBarButtonImage MACOS_SCROLLBAR_BUTTON WINXP_SCROLLBAR_BUTTON DEEPBLUE_SCROLLBAR_BUTTON "
    "PROTEIN_SCROLLBAR_BUTTON BLUEGLASS_SCROLLBAR_BUTTON",
    "33 Image ScrollBarSliderImage MACOS_SCROLLBAR_TRACK WINXP_SCROLLBAR_TRACK DEEPBLUE_SCROLLBAR_TRACK "
    "PROTEIN_SCROLLBAR_TRACK BLUEGLASS_SCROLLBAR_TRACK",
    "34 Image CheckListBoxImage MACOS_CHECKLIST WINXP_CHECKLIST DEEPBLUE_CHECKLIST PROTEIN_CHECKLIST "
    "BLUEGLASS_CHECKLIST",
    "35 Color ToolBarButtonBorderColor 0x474747 0xC66931 0x474747 0x474747 0x474747",
    "36 Color ToolBarButtonBackgroundColor 0xEFEFEF 0xEFD3C6 0xEFEFEF 0xEFEFEF 0xEFEFEF",
    "37 Color ToolBarButtonDownBackgroundColor 0xD8D8D8 0xE1AC93 0xD8D8D8 0xD8D8D8 0xD8D8D8",
    "38 Image ScrollButtonImage MACOS_SCROLLBUTTON WINXP_SCROLLBUTTON MORE_SCROLLBUTTON MORE_SCROLLBUTTON "
    "MORE_SCROLLBUTTON",
    "39 Image TabControlTabImage MACOS_TAB WINXP_TAB DEEPBLUE_TAB PROTEIN_TAB BLUEGLASS_TAB",
    "40 Image TabControlBarImage MACOS_TAB_LINE WINXP_TAB_LINE DEEPBLUE_TAB_LINE PROTEIN_TAB_LINE "
    "BLUEGLASS_TAB_LINE",
    "41 Image SideChannelHandleImage MACOS_SIDECHENNEL_HANDLE WINXP_SIDECHENNEL_HANDLE "
    "DEEPBLUE_SIDECHENNEL_HANDLE PROTEIN_SIDECHENNEL_HANDLE BLUEGLASS_SIDECHENNEL_HANDLE",
    "42 Image SideChannelBarImage MACOS_SIDECHENNEL_BAR WINXP_SIDECHENNEL_BAR DEEPBLUE_SIDECHENNEL_BAR "
    "PROTEIN_SIDECHENNEL_BAR BLUEGLASS_SIDECHENNEL_BAR",
};

// Sizes of the keyed bitmaps, MacOS ... BlueGlass.
const char* const ExpectedSizes[] = {
    "1 252x23 54x21 222x21 222x21 231x27", "3 60x17 52x13 52x13 52x13 52x13",
    "4 64x17 52x13 52x13 52x13 52x13",     "5 306x17 378x21 342x19 342x19 342x19",
    "10 48x23 35x29 97x32 441x23 162x33",  "11 49x23 37x29 98x32 1x23 179x33",
    "12 48x23 35x29 97x32 1x23 101x33",    "24 13x10 6x10 1x10 1x10 1x10",
    "28 45x5 45x8 45x4 45x4 45x4",         "29 11x20 11x21 11x20 11x20 11x20",
    "30 19x11 22x11 18x11 18x11 18x11",    "32 96x22 96x17 96x16 96x16 102x16",
    "33 33x16 21x16 21x16 21x16 21x16",    "34 40x11 44x11 44x11 44x11 44x11",
    "38 72x18 72x18 72x17 72x17 72x17",    "39 36x27 18x18 12x17 18x17 18x17",
    "40 17x7 8x1 5x5 10x5 10x5",           "41 7x84 8x86 8x83 8x83 8x86",
    "42 1x21 1x21 1x20 1x21 1x21",
};

class BuiltinThemeTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSkinClasses(); }
};

TtavThemeKind KindNamed(const std::string& name) {
    if (name == "Int") return TtavThemeKind::Int;
    if (name == "Color") return TtavThemeKind::Color;
    if (name == "Image") return TtavThemeKind::Image;
    return TtavThemeKind::Bool;
}

TEST_F(BuiltinThemeTest, EveryValueOfTheTable) {
    ASSERT_EQ(std::size(ExpectedTable), size_t(ThemeKeyCount));
    for (const char* row : ExpectedTable) {
        std::istringstream in(row);
        int key;
        std::string kindName, name;
        in >> key >> kindName >> name;
        EXPECT_EQ(ThemeKeyNames[size_t(key)], name);
        EXPECT_EQ(ThemeKeyName(key), name);
        for (TtavUIStyle style : BuiltinStyles) {
            std::string text;
            in >> text;
            TtavThemeKind kind;
            const TtavThemeValue value = LookupBuiltinThemeValue(style, key, kind);
            ASSERT_EQ(kind, KindNamed(kindName)) << key;
            if (kind == TtavThemeKind::Image)
                EXPECT_STREQ(value.ImageName, text.c_str()) << key;
            else
                EXPECT_EQ(value.Number, std::stoi(text, nullptr, 0)) << key << " " << int(style);
        }
    }
    EXPECT_EQ(GetBuiltinThemeColor(TtavUIStyle::Protein, 15), 0xFBFBFB);
    EXPECT_EQ(GetBuiltinThemeInt(TtavUIStyle::BlueGlass, 8), -3);
    EXPECT_TRUE(GetBuiltinThemeBool(TtavUIStyle::MacOS, 2));
    EXPECT_FALSE(GetBuiltinThemeBool(TtavUIStyle::WinXP, 2));
}

TEST_F(BuiltinThemeTest, WrongKindsAndNoStyleGiveFixedAnswers) {
    EXPECT_EQ(GetBuiltinThemeInt(TtavUIStyle::Protein, 15), -1);  // a colour
    EXPECT_EQ(GetBuiltinThemeColor(TtavUIStyle::Protein, 13), 0); // an integer
    EXPECT_FALSE(GetBuiltinThemeBool(TtavUIStyle::Protein, 1));   // an image
    EXPECT_EQ(GetBuiltinThemeInt(TtavUIStyle::Protein, 2), -1);   // a Boolean

    const auto noStyle = [](TtavUIStyle style, int key) {
        TtavThemeKind kind = TtavThemeKind::Image;
        const TtavThemeValue value = LookupBuiltinThemeValue(style, key, kind);
        EXPECT_EQ(kind, TtavThemeKind::Int);
        EXPECT_EQ(value.Number, -1);
        EXPECT_EQ(GetBuiltinThemeInt(style, key), -1);
        EXPECT_EQ(GetBuiltinThemeColor(style, key), 0);
        EXPECT_FALSE(GetBuiltinThemeBool(style, key));
        TBitmap bitmap;
        bitmap.SetSize(2, 3);
        GetBuiltinThemeImage(style, key, &bitmap, 0, 0);
        EXPECT_EQ(bitmap.Width(), 2);
        LoadBuiltinThemeImage(style, key, &bitmap);
        EXPECT_EQ(bitmap.Height(), 3);
        GetBuiltinThemeImage(style, key, &bitmap, 4, 2); // a frame of nothing
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_EQ(bitmap.Height(), 0);
    };
    for (int key : {1, 13, 15, 2})
        noStyle(TtavUIStyle::FromThemeFile, key);
    noStyle(TtavUIStyle(6), 13);
    noStyle(TtavUIStyle(255), 1);
    noStyle(TtavUIStyle::Protein, 0);
    noStyle(TtavUIStyle::Protein, 43);
    noStyle(TtavUIStyle::Protein, -1);

    // A non-image key with a frame count leaves the graphic empty; nothing happens without a graphic.
    TBitmap bitmap;
    bitmap.SetSize(5, 5);
    GetBuiltinThemeImage(TtavUIStyle::Protein, 13, &bitmap, 3, 1);
    EXPECT_TRUE(bitmap.Empty());
    GetBuiltinThemeImage(TtavUIStyle::Protein, 1, nullptr, 0, 0);
    LoadBuiltinThemeImage(TtavUIStyle::Protein, 1, nullptr);
}

TEST_F(BuiltinThemeTest, EveryBitmapLoadsAtItsSize) {
    for (const char* row : ExpectedSizes) {
        std::istringstream in(row);
        int key;
        in >> key;
        for (TtavUIStyle style : BuiltinStyles) {
            int width, height;
            char x;
            in >> width >> x >> height;
            TBitmap bitmap;
            GetBuiltinThemeImage(style, key, &bitmap, 0, 0);
            EXPECT_EQ(bitmap.Width(), width) << key << " " << int(style);
            EXPECT_EQ(bitmap.Height(), height) << key << " " << int(style);
        }
    }
    const std::pair<const char*, TSize> fixed[] = {
        {"MACOS_COMBOBOX_BUTTON", {16, 17}}, {"WINXP_COMBOBOX_BUTTON", {16, 18}},
        {"MACOS_FORM_BACKGROUND", {8, 8}},   {"PROTEIN_FORM_BACKGROUND", {8, 8}},
        {"MACOS_MENU_BAR", {1, 22}},         {"MACOS_MENU_SELECT", {1, 21}},
        {"MENU_CHECKED", {16, 16}},          {"PANEL_BUTTON", {52, 12}},
        {"DBNAV_BUTTON", {160, 16}},
    };
    for (const auto& [name, size] : fixed) {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(name);
        EXPECT_EQ(bitmap.Width(), size.cx) << name;
        EXPECT_EQ(bitmap.Height(), size.cy) << name;
    }
    TBitmap icon;
    icon.LoadFromResourceName("MAINICON");
    EXPECT_FALSE(icon.Empty());
}

TEST_F(BuiltinThemeTest, FramesOfAStrip) {
    TBitmap whole, frame;
    GetBuiltinThemeImage(TtavUIStyle::Protein, 3, &whole, 0, 0);
    ASSERT_EQ(whole.Width(), 52);
    GetBuiltinThemeImage(TtavUIStyle::Protein, 3, &frame, 4, 2);
    ASSERT_EQ(frame.Width(), 13);
    ASSERT_EQ(frame.Height(), 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(frame.Surface().Pixel(x, y), whole.Surface().Pixel(13 + x, y));
}

} // namespace
