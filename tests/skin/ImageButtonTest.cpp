#include "FrameTestSupport.h"

#include "classlib/Icon.h"
#include "classlib/Picture.h"
#include "classlib/TypInfo.h"
#include "skin/TAVButton.h"

#include <vector>

namespace {

constexpr TColor NormalColor = 0x20A020;
constexpr TColor OnColor = 0x20C0C0;
constexpr TColor DownColor = 0xA02020;
constexpr TColor DisabledColor = 0x808080;
constexpr TColor CornerColor = 0x0000FF;
constexpr TColor ButtonColor = 0x604020;
constexpr TColor ParentColor = 0x303030;

// w x h of one colour with its top-left pixel in the corner colour.
void FillPicture(TPicture& picture, int w, int h, TColor fill) {
    TBitmap* bitmap = picture.Bitmap();
    bitmap->SetSize(w, h);
    bitmap->Canvas()->Brush()->SetColor(fill);
    bitmap->Canvas()->FillRect({0, 0, w, h});
    bitmap->Canvas()->SetPixels(0, 0, CornerColor);
}

class ImageButtonTest : public TFrameTest {
protected:
    void SetUp() override {
        TFrameTest::SetUp();
        FForm = ShownForm({100, 100, 400, 300});
        FForm->SetColor(ParentColor);
        FButton = Make<TtavImageButton>(FForm, Bounds(20, 10, 30, 20));
        FButton->SetColor(ButtonColor);
        TPicture normal;
        FillPicture(normal, 30, 20, NormalColor);
        FButton->SetPicNormal(&normal);
    }
    void SetPicture(void (TtavImageButton::*setter)(const TPicture*), TColor fill) {
        TPicture picture;
        FillPicture(picture, 30, 20, fill);
        (FButton->*setter)(&picture);
    }
    TColor At(int x, int y) {
        RunUntilIdle();
        return PixelAt(FForm, FButton->Left() + x, FButton->Top() + y);
    }
    TPoint OnButton(int x = 10, int y = 10) { return FButton->ClientToScreen({x, y}); }
    // The left-most column where the caption's ink lies over PicNormal, or -1.
    int FirstInkColumn() {
        for (int x = 1; x < FButton->Width(); ++x)
            for (int y = 0; y < FButton->Height(); ++y)
                if (At(x, y) != NormalColor) return x;
        return -1;
    }

    TForm* FForm = nullptr;
    TtavImageButton* FButton = nullptr;
};

TEST_F(ImageButtonTest, EachStateShowsItsPictureOrPicNormal) {
    // Only PicNormal: every state, the disabled one too, shows it; pressing moves only the caption.
    FButton->Font()->SetColor(clWhite);
    FButton->SetCaption("I");
    const int captionAt = FirstInkColumn();
    EXPECT_GT(captionAt, 5);
    EXPECT_EQ(At(3, 3), NormalColor);
    FHost.MouseMove(OnButton());
    RunUntilIdle();
    EXPECT_TRUE(FButton->MouseOver());
    EXPECT_EQ(At(3, 3), NormalColor);
    FHost.MouseDown(OnButton());
    RunUntilIdle();
    EXPECT_TRUE(FButton->Pressed());
    EXPECT_EQ(At(3, 3), NormalColor) << "the picture is not shifted";
    EXPECT_EQ(At(0, 0), CornerColor);
    EXPECT_EQ(FirstInkColumn(), captionAt + 1) << "the caption is";
    FHost.MouseUp(OnButton());
    FButton->SetEnabled(false);
    EXPECT_EQ(At(3, 3), NormalColor) << "not greyed";

    SetPicture(&TtavImageButton::SetPicMouseOn, OnColor);
    SetPicture(&TtavImageButton::SetPicMouseDown, DownColor);
    SetPicture(&TtavImageButton::SetPicDisabled, DisabledColor);
    EXPECT_EQ(At(3, 3), DisabledColor);
    FButton->SetEnabled(true);
    FHost.MouseMove(OnButton(11, 10));
    EXPECT_EQ(At(3, 3), OnColor);
    FHost.MouseDown(OnButton());
    EXPECT_EQ(At(3, 3), DownColor);
    FHost.MouseMove(FForm->ClientToScreen({250, 150}));
    FHost.MouseUp(FForm->ClientToScreen({250, 150}));
    EXPECT_EQ(At(3, 3), NormalColor);

    // Emptying a state's picture falls back again.
    FButton->SetPicDisabled(nullptr);
    FButton->SetEnabled(false);
    EXPECT_EQ(At(3, 3), NormalColor);
}

TEST_F(ImageButtonTest, StretchTransparencyAndAPictureThatIsNoBitmap) {
    // Unscaled: a larger picture is cut, a smaller one sits in the corner on the button's colour.
    TPicture small;
    FillPicture(small, 10, 8, NormalColor);
    FButton->SetPicNormal(&small);
    EXPECT_EQ(At(5, 5), NormalColor);
    EXPECT_EQ(At(20, 5), ButtonColor);
    EXPECT_EQ(At(5, 15), ButtonColor);
    FButton->SetStretch(true);
    EXPECT_EQ(At(25, 15), NormalColor);
    EXPECT_EQ(At(2, 1), CornerColor) << "the corner pixel stretched three times";
    FButton->SetStretch(false);
    TPicture large;
    FillPicture(large, 60, 60, NormalColor);
    FButton->SetPicNormal(&large);
    EXPECT_EQ(At(29, 19), NormalColor);
    EXPECT_EQ(PixelAt(FForm, FButton->Left() + 30, FButton->Top() + 5), ParentColor) << "cut at the edge";

    // Transparent: the pixels of the corner's colour show the parent, the rest of the button too.
    FButton->SetPicNormal(&small);
    FButton->SetTransparent(true);
    EXPECT_EQ(At(0, 0), ParentColor);
    EXPECT_EQ(At(5, 5), NormalColor);
    EXPECT_EQ(At(20, 5), ParentColor);
    EXPECT_EQ(FButton->UIStyle(), TtavUIStyle::FromThemeFile);
    FButton->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_TRUE(FButton->Transparent()) << "no style settings touch it";
    EXPECT_EQ(GetOrdProp(FButton, "UIStyle"), int64_t(TtavUIStyle::FromThemeFile));
    EXPECT_FALSE(HasPublishedProperty(FButton, "FileTheme"));
    FButton->SetTransparent(false);

    // An icon cannot become the frame bitmap: a blank 74 x 21 frame stands in.
    FButton->SetBounds(20, 10, 90, 30);
    TPicture icon;
    icon.Icon();
    FButton->SetPicNormal(&icon);
    EXPECT_EQ(At(73, 20), clWhite);
    EXPECT_EQ(At(74, 20), ButtonColor);
    EXPECT_EQ(At(10, 21), ButtonColor);
}

TEST_F(ImageButtonTest, AutoSizeFollowsPicNormalOnceTheButtonHasAParent) {
    EXPECT_EQ(FButton->BoundsRect(), Bounds(20, 10, 30, 20)) << "no AutoSize";
    auto* loose = NewComponent<TtavImageButton>(FForm);
    EXPECT_EQ(loose->Width(), 0);
    EXPECT_EQ(loose->Height(), 0);
    TPicture picture;
    FillPicture(picture, 17, 13, NormalColor);
    loose->SetPicNormal(&picture);
    loose->SetAutoSize(true);
    EXPECT_EQ(loose->Width(), 0) << "no parent yet";
    loose->SetParent(FForm);
    EXPECT_EQ(loose->Width(), 0) << "nothing set since";
    loose->SetAutoSize(true);
    EXPECT_EQ(loose->Width(), 17);
    EXPECT_EQ(loose->Height(), 13);

    TPicture other;
    FillPicture(other, 40, 9, OnColor);
    loose->SetPicMouseOn(&other);
    EXPECT_EQ(loose->Width(), 17) << "the size follows PicNormal only";
    loose->SetPicNormal(&other);
    EXPECT_EQ(loose->Width(), 40);
    EXPECT_EQ(loose->Height(), 9);
}

TEST_F(ImageButtonTest, FocusShowsOnlyWithDrawFocusedAndTheBaseButtonBehaviourHolds) {
    FButton->SetBounds(20, 10, 30, 20);
    FButton->SetFocus();
    RunUntilIdle();
    ASSERT_TRUE(FButton->Focused());
    EXPECT_EQ(At(2, 10), NormalColor) << "no focus rectangle";
    FButton->SetDrawFocused(true);
    EXPECT_NE(At(2, 10), NormalColor) << "the focus rectangle 2 pixels in";
    EXPECT_EQ(At(3, 10), NormalColor);

    int repeats = 0, clicks = 0;
    FButton->OnMouseContinuouslyDown = [&](TObject* sender) {
        EXPECT_EQ(sender, FButton);
        ++repeats;
    };
    FButton->OnClick = [&](TObject*) { ++clicks; };
    FButton->SetModalResult(mrOk);
    FHost.MouseMove(OnButton());
    FHost.MouseDown(OnButton());
    FHost.Pause(250);
    FHost.MouseUp(OnButton());
    RunUntilIdle();
    EXPECT_EQ(repeats, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(FForm->ModalResult(), mrOk);

    FButton->SetCaption("&Vai");
    FHost.TypeText("v");
    RunUntilIdle();
    EXPECT_EQ(clicks, 2) << "the accelerator clicks";
    FButton->SetCancel(true);
    FHost.KeyPress(VK_ESCAPE);
    RunUntilIdle();
    EXPECT_EQ(clicks, 3) << "Escape clicks a Cancel button";
}

TEST_F(ImageButtonTest, ALayoutSetsThePicturesAndTheBaseProperties) {
    TForm* form = LoadForm(MainLayout("    object tavImageButton1: TtavImageButton\n"
                                      "      Left = 3\n      Top = 4\n      Width = 16\n      Height = 16\n"
                                      "      UIStyle = Protein\n      DrawFocused = True\n"
                                      "      FocusedRectMargin = 3\n      Stretch = True\n"
                                      "      Cancel = True\n      MouseContinuouslyDownInterval = 50\n"
                                      "      Transparent = True\n      ModalResult = 2\n"
                                      "      PicNormal.Data = " + PictureData(7, 5, NormalColor, clWhite) + "\n"
                                      "      PicMouseOn.Data = " + PictureData(7, 5, OnColor, clWhite) + "\n"
                                      "      PicMouseDown.Data = " + PictureData(7, 5, DownColor, clWhite) + "\n"
                                      "      PicDisabled.Data = " + PictureData(7, 5, DisabledColor, clWhite) + "\n"
                                      "      AutoSize = True\n    end\n"));
    auto* button = static_cast<TtavImageButton*>(form->FindComponent("tavImageButton1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->UIStyle(), TtavUIStyle::FromThemeFile);
    EXPECT_TRUE(button->DrawFocused());
    EXPECT_EQ(button->FocusedRectMargin(), 3);
    EXPECT_TRUE(button->Stretch());
    EXPECT_TRUE(button->Cancel());
    EXPECT_EQ(button->MouseContinuouslyDownInterval(), 50);
    EXPECT_TRUE(button->Transparent());
    EXPECT_EQ(button->ModalResult(), mrCancel);
    EXPECT_EQ(button->PicDisabled()->Width(), 7);
    EXPECT_EQ(button->BoundsRect(), Bounds(3, 4, 7, 5)) << "AutoSize after the pictures";
}

} // namespace
