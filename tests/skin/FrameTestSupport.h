#pragma once
#include "SkinHostTest.h"

#include "classlib/Bitmap.h"
#include "classlib/LayoutReader.h"
#include "classlib/Picture.h"
#include "classlib/RegisterClasslib.h"
#include "platform/MessageBox.h"
#include "skin/TAVForm.h"

#include <cstdio>
#include <string>
#include <vector>

// Windows with a skinned frame, read from small layouts as the application's are.
class TFrameTest : public TSkinHostTest {
protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        RegisterClasslibClasses();
        FPreviousBoxHook = SetMessageBoxHook([this](const TMessageBoxRequest& box) -> std::optional<int> {
            Boxes.push_back(box.Text);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(FPreviousBoxHook);
        TSkinHostTest::TearDown();
    }

    // A picture as a layout holds it inline: w x h of one colour, with its own lower-left pixel.
    static std::string PictureData(int w, int h, TColor fill, TColor lowerLeft) {
        TPicture picture;
        TBitmap* bitmap = picture.Bitmap();
        bitmap->SetSize(w, h);
        bitmap->Canvas()->Brush()->SetColor(fill);
        bitmap->Canvas()->FillRect({0, 0, w, h});
        bitmap->Canvas()->SetPixels(0, h - 1, lowerLeft);
        const TPictureSource source = InlinePictureData(picture);
        std::string hex = "{";
        char byte[3];
        for (uint8_t b : source.Data) {
            std::snprintf(byte, sizeof byte, "%02X", b);
            hex += byte;
        }
        return hex + "}";
    }

    // Title-bar button pictures: normal, mouse on and mouse down in three colours, white in the lower-left.
    static std::string ButtonItem(const std::string& type, TColor normal, TColor on, TColor down) {
        return "      item\n        UIStyle = Protein\n        ButtonType = " + type +
               "\n        Transparent = True\n        Top = 2\n        Visible = True\n" +
               "        PicNormal.Data = " + PictureData(19, 19, normal, clWhite) + "\n" +
               "        PicMouseOn.Data = " + PictureData(19, 19, on, clWhite) + "\n" +
               "        PicMouseDown.Data = " + PictureData(19, 19, down, clWhite) + "\n      end\n";
    }

    static std::string Sections() {
        return "    TitleBarSections = <\n"
               "      item\n        AutoSize = True\n        Width = 441\n        Picture.Data = " +
               PictureData(441, 23, LeftSectionColor, LeftSectionColor) +
               "\n      end\n"
               "      item\n        AutoSize = True\n        Width = 1\n        Align = tavRight\n"
               "        Picture.Data = " +
               PictureData(1, 23, RightSectionColor, RightSectionColor) +
               "\n      end\n"
               "      item\n        Width = 10\n        Align = tavClient\n        Stretch = True\n"
               "        Picture.Data = " +
               PictureData(1, 23, ClientSectionColor, ClientSectionColor) + "\n      end>\n";
    }

    // A form as the application's layouts store it, with its frame; `buttons` are title-bar items and
    // `children` the frame's nested objects.
    static std::string FormLayout(const std::string& name, const std::string& formProps, int frameWidth,
                                  int frameHeight, const std::string& buttons, const std::string& children = {}) {
        return "object " + name + ": TForm\n" + formProps +
               "  Caption = 'Il Velmarune'\n"
               "  object tavForm1: TtavForm\n"
               "    Width = " + std::to_string(frameWidth) + "\n    Height = " + std::to_string(frameHeight) +
               "\n    UIStyle = Protein\n    UIStyleAutoUpdateSub = False\n    TitleBarCustom = False\n"
               "    BorderColor = clBlack\n    BorderWidth = 1\n    Color = 16514043\n"
               "    Caption = 'Il Velmarune'\n    TitleBarDrawAppIcon = False\n"
               "    Font.Name = 'Tahoma'\n    Font.Height = -11\n    Font.Style = [fsBold]\n"
               "    Font.Color = clWhite\n    MenuBarColor = 16514043\n    MenuBarHeight = 22\n"
               "    RoundCorner = 0\n    Version = '1.0'\n"
               // Bounds stored after the size still leave the frame over the form's client area.
               "    Left = 0\n    Top = 5\n"
               "    TitleBarButtons = <\n" + buttons + "    >\n" + Sections() + children + "  end\nend\n";
    }

    static std::string MainButtons() {
        return ButtonItem("tavControlBox", BoxColor, BoxColor, BoxColor) +
               ButtonItem("tavClose", CloseColor, CloseHotColor, CloseDownColor) +
               ButtonItem("tavMax", MaxColor, MaxColor, MaxColor) + ButtonItem("tavMin", MinColor, MinColor, MinColor);
    }

    static std::string MainLayout(const std::string& children = {}) {
        return FormLayout("FrmMain", "  Left = 207\n  Top = 115\n  Width = 709\n  Height = 589\n"
                          "  Constraints.MinWidth = 130\n  Constraints.MinHeight = 540\n",
                          699, 561, MainButtons(), children);
    }

    static std::string AboutLayout() {
        return FormLayout("FrmAbout", "  Left = 335\n  Top = 129\n  BorderStyle = bsDialog\n  ClientWidth = 400\n"
                          "  ClientHeight = 496\n  Constraints.MinWidth = 130\n",
                          398, 495, ButtonItem("tavClose", CloseColor, CloseHotColor, CloseDownColor));
    }

    // The first form made is the main form.
    TForm* LoadForm(const std::string& layout) {
        TForm* form = nullptr;
        Application->CreateForm(form);
        ReadLayoutInto(*form, layout, "FRAMETEST");
        return form;
    }
    TForm* ShowLayout(const std::string& layout) {
        TForm* form = LoadForm(layout);
        form->Show();
        RunUntilIdle();
        return form;
    }
    static TtavForm* FrameOf(TForm* form) { return static_cast<TtavForm*>(form->FindComponent("tavForm1")); }

    // A screen point of the title bar, in title-bar coordinates.
    static TPoint OnBar(TForm* form, int x, int y) { return FrameOf(form)->TitleBar()->ClientToScreen({x, y}); }
    TColor PixelAt(TForm* form, int x, int y) { return PixelToColor(WindowPixel(form, x, y)); }

    static constexpr TColor LeftSectionColor = 0x402010;
    static constexpr TColor RightSectionColor = 0x102040;
    static constexpr TColor ClientSectionColor = 0x204010;
    static constexpr TColor BoxColor = 0x00A0A0;
    static constexpr TColor CloseColor = 0x0000C0;
    static constexpr TColor CloseHotColor = 0x0000E0;
    static constexpr TColor CloseDownColor = 0x000080;
    static constexpr TColor MaxColor = 0x00C000;
    static constexpr TColor MinColor = 0xC00000;

    std::vector<std::string> Boxes;

private:
    TMessageBoxHook FPreviousBoxHook;
};
