#include "FrameTestSupport.h"

#include "classlib/Picture.h"
#include "classlib/TypInfo.h"
#include "skin/TAVImagePanel.h"

#include <vector>

namespace {

constexpr TColor LeftColor = 0x2040C0;
constexpr TColor RightColor = 0xC04020;
constexpr TColor KeyColor = 0x00FF00;
constexpr TColor PanelColor = 0x808000;
constexpr TColor ParentColor = 0x303030;

// A picture panel that records the rectangles it is told the caption left.
class TRecordingImagePanel : public TtavImagePanel {
    VMR_CLASS(TRecordingImagePanel, TtavImagePanel)

public:
    std::vector<TRect> TextRects;

protected:
    explicit TRecordingImagePanel(TComponent* owner) : TtavImagePanel(owner) {}
    void TextRectChanged(const TRect& rect) override { TextRects.push_back(rect); }
};

class ImagePanelTest : public TFrameTest {
protected:
    void SetUp() override {
        TFrameTest::SetUp();
        FForm = ShownForm({100, 100, 400, 300});
        FForm->SetColor(ParentColor);
        FPanel = Make<TtavImagePanel>(FForm, Bounds(20, 10, 40, 32));
        FPanel->SetColor(PanelColor);
    }

    // 10 x 8: the left half in one colour and the right half in another, the lower-left pixel in the key.
    static void TwoHalves(TPicture& picture) {
        TBitmap* bitmap = picture.Bitmap();
        bitmap->SetSize(10, 8);
        TCanvas* canvas = bitmap->Canvas();
        canvas->Brush()->SetColor(LeftColor);
        canvas->FillRect({0, 0, 5, 8});
        canvas->Brush()->SetColor(RightColor);
        canvas->FillRect({5, 0, 10, 8});
        canvas->SetPixels(0, 7, KeyColor);
    }
    // A panel pixel as presented, in panel coordinates.
    TColor At(TControl* control, int x, int y) {
        RunUntilIdle();
        return PixelAt(FForm, control->Left() + x, control->Top() + y);
    }
    // Columns of the panel that hold a pixel other than the panel's colour.
    std::vector<int> InkedColumns(TControl* control) {
        std::vector<int> columns;
        for (int x = 0; x < control->Width(); ++x)
            for (int y = 0; y < control->Height(); ++y)
                if (At(control, x, y) != PanelColor) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }

    TForm* FForm = nullptr;
    TtavImagePanel* FPanel = nullptr;
};

TEST_F(ImagePanelTest, DrawsThePictureUnscaledStretchedOrTiled) {
    EXPECT_EQ(FPanel->BevelOuter(), bvNone);
    EXPECT_EQ(FPanel->BevelInner(), bvNone);
    EXPECT_EQ(FPanel->DrawStyle(), tavNormal);
    EXPECT_EQ(At(FPanel, 20, 20), PanelColor) << "no picture: the panel's colour";

    TPicture picture;
    TwoHalves(picture);
    FPanel->SetPicture(&picture);
    EXPECT_EQ(At(FPanel, 2, 2), LeftColor);
    EXPECT_EQ(At(FPanel, 7, 2), RightColor);
    // Unscaled at the corner; with a picture the colour is not filled in, and the rest stays the white of
    // the fresh off-screen bitmap.
    EXPECT_EQ(At(FPanel, 12, 2), clWhite);
    EXPECT_EQ(At(FPanel, 2, 12), clWhite);

    FPanel->SetDrawStyle(tavStretch);
    EXPECT_EQ(At(FPanel, 18, 30), LeftColor) << "four times as wide: source column 4";
    EXPECT_EQ(At(FPanel, 21, 30), RightColor);
    EXPECT_EQ(At(FPanel, 39, 0), RightColor);

    FPanel->SetDrawStyle(tavTile);
    EXPECT_EQ(At(FPanel, 12, 2), LeftColor);
    EXPECT_EQ(At(FPanel, 37, 25), RightColor);
    EXPECT_EQ(At(FPanel, 30, 23), KeyColor) << "the lower-left pixel of the tile at (30, 16)";

    // Emptying the picture brings the colour back.
    FPanel->SetPicture(nullptr);
    EXPECT_EQ(At(FPanel, 2, 2), PanelColor);
}

TEST_F(ImagePanelTest, TransparentShowsTheParentBehindTheKeyAndWithoutPicture) {
    FPanel->SetTransparent(true);
    EXPECT_EQ(At(FPanel, 20, 20), ParentColor) << "no picture: only the parent shows";

    TPicture picture;
    TwoHalves(picture);
    FPanel->SetPicture(&picture);
    EXPECT_TRUE(FPanel->Picture()->Graphic()->Transparent()) << "the picture follows the panel";
    EXPECT_EQ(At(FPanel, 0, 7), ParentColor) << "the key colour is see-through";
    EXPECT_EQ(At(FPanel, 2, 2), LeftColor);
    EXPECT_EQ(At(FPanel, 20, 20), ParentColor);

    FPanel->SetTransparent(false);
    EXPECT_FALSE(FPanel->Picture()->Graphic()->Transparent());
    EXPECT_EQ(At(FPanel, 0, 7), KeyColor);
    EXPECT_EQ(At(FPanel, 20, 20), clWhite);
}

TEST_F(ImagePanelTest, AutoSizeFitsThePictureWhereTheAlignmentLeavesRoom) {
    TPicture picture;
    TwoHalves(picture);
    FPanel->SetPicture(&picture);
    EXPECT_EQ(FPanel->BoundsRect(), Bounds(20, 10, 40, 32)) << "no AutoSize yet";
    FPanel->SetAutoSize(true);
    EXPECT_EQ(FPanel->BoundsRect(), Bounds(20, 10, 10, 8));
    FPanel->SetBounds(20, 10, 50, 50);
    EXPECT_EQ(FPanel->BoundsRect(), Bounds(20, 10, 50, 50)) << "a later resize is not re-fitted";

    // Top: only the height; the width is the alignment's.
    auto* top = Make<TtavImagePanel>(FForm, Bounds(0, 0, 30, 30));
    top->SetAlign(alTop);
    top->SetAutoSize(true);
    top->SetPicture(&picture);
    EXPECT_EQ(top->Width(), FForm->ClientWidth());
    EXPECT_EQ(top->Height(), 8);

    auto* left = Make<TtavImagePanel>(FForm, Bounds(0, 0, 30, 30));
    left->SetAlign(alLeft);
    left->SetPicture(&picture);
    left->SetAutoSize(true);
    EXPECT_EQ(left->Width(), 10);
    EXPECT_EQ(left->Height(), FForm->ClientHeight() - 8);

    // Bottom and right as top and left; custom as none.
    auto* bottom = Make<TtavImagePanel>(FForm, Bounds(0, 0, 30, 30));
    bottom->SetAlign(alBottom);
    bottom->SetAutoSize(true);
    bottom->SetPicture(&picture);
    EXPECT_EQ(bottom->Width(), FForm->ClientWidth());
    EXPECT_EQ(bottom->Height(), 8);
    auto* right = Make<TtavImagePanel>(FForm, Bounds(0, 0, 30, 30));
    right->SetAlign(alRight);
    right->SetAutoSize(true);
    right->SetPicture(&picture);
    EXPECT_EQ(right->Width(), 10);
    EXPECT_EQ(right->Height(), FForm->ClientHeight() - 16);
    auto* custom = Make<TtavImagePanel>(FForm, Bounds(5, 6, 30, 30));
    custom->SetAlign(alCustom);
    custom->SetPicture(&picture);
    custom->SetAutoSize(true);
    EXPECT_EQ(custom->BoundsRect(), Bounds(5, 6, 10, 8));

    auto* client = Make<TtavImagePanel>(FForm, Bounds(0, 0, 30, 30));
    client->SetAlign(alClient);
    const TRect filled = client->BoundsRect();
    client->SetAutoSize(true);
    client->SetPicture(&picture);
    EXPECT_EQ(client->BoundsRect(), filled);
}

TEST_F(ImagePanelTest, CaptionIsDrawnUntrimmedUnlessItIsBlank) {
    FPanel->SetBounds(20, 10, 120, 20);
    FPanel->Font()->SetColor(clWhite);
    FPanel->SetCaption("   ");
    EXPECT_TRUE(InkedColumns(FPanel).empty()) << "blanks only: no text";
    FPanel->SetCaption(" \t\x01 ");
    EXPECT_TRUE(InkedColumns(FPanel).empty()) << "control characters count as blanks";

    FPanel->SetAlignment(taLeftJustify);
    FPanel->SetCaption("I");
    const std::vector<int> plain = InkedColumns(FPanel);
    ASSERT_FALSE(plain.empty());
    EXPECT_LT(plain.front(), 4);
    FPanel->SetCaption("    I");
    const std::vector<int> padded = InkedColumns(FPanel);
    ASSERT_FALSE(padded.empty());
    EXPECT_GT(padded.front(), plain.front() + 6) << "the leading blanks are drawn";

    FPanel->SetAlignment(taRightJustify);
    FPanel->SetCaption("I");
    EXPECT_GT(InkedColumns(FPanel).front(), 110);
    FPanel->SetAlignment(taCenter);
    const std::vector<int> centred = InkedColumns(FPanel);
    EXPECT_GT(centred.front(), 50);
    EXPECT_LT(centred.back(), 70);
}

TEST_F(ImagePanelTest, ACaptionChangeReportsWhereTheOldOneWas) {
    auto* panel = Make<TRecordingImagePanel>(FForm, Bounds(0, 50, 80, 20));
    panel->SetCaption("Uno");
    RunUntilIdle();
    panel->SetCaption("Due");
    ASSERT_EQ(panel->TextRects.size(), 2u);
    EXPECT_EQ(panel->TextRects[0], TRect{}) << "nothing drawn before the first caption";
    EXPECT_EQ(panel->TextRects[1], panel->ClientRect());
}

TEST_F(ImagePanelTest, ALayoutSetsEveryPublishedPropertyAndTheFrameTakesItAsFormPanel) {
    TForm* form = LoadForm(MainLayout("    object tavImagePanel1: TtavImagePanel\n"
                                      "      Left = 3\n      Top = 4\n      Width = 50\n      Height = 60\n"
                                      "      BorderWidth = 2\n      Transparent = True\n      AutoSize = False\n"
                                      "      Alignment = taRightJustify\n      Caption = 'Pannello'\n"
                                      "      Color = clRed\n      DrawStyle = tavTile\n      TabStop = True\n"
                                      "      Picture.Data = " + PictureData(7, 5, LeftColor, KeyColor) + "\n"
                                      "    end\n"));
    auto* panel = static_cast<TtavImagePanel*>(form->FindComponent("tavImagePanel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BorderWidth(), 2);
    EXPECT_TRUE(panel->Transparent());
    EXPECT_TRUE(panel->Picture()->Graphic()->Transparent());
    EXPECT_EQ(panel->Alignment(), taRightJustify);
    EXPECT_EQ(panel->Caption(), "Pannello");
    EXPECT_EQ(panel->Color(), clRed);
    EXPECT_EQ(panel->DrawStyle(), tavTile);
    EXPECT_EQ(panel->Picture()->Width(), 7);
    EXPECT_TRUE(panel->TabStop());
    EXPECT_FALSE(HasPublishedProperty(panel, "UIStyle"));
    EXPECT_FALSE(HasPublishedProperty(panel, "FileTheme"));

    FrameOf(form)->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->Caption(), "") << "the frame's form panel shows no caption";
}

} // namespace
