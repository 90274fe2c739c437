#include "StdCtrlATestSupport.h"

#include "classlib/Bitmap.h"
#include "classlib/Image.h"
#include "classlib/Panel.h"

#include <memory>

namespace {

using PanelTest = StdCtrlATest;
using ImageTest = StdCtrlATest;

TEST_F(PanelTest, AlignedChildrenLieInsideBorderBevelsAndBorderWidth) {
    TPanel* panel = Make<TPanel>();
    panel->SetBounds(10, 10, 200, 100);
    TPanel* top = Make<TPanel>(panel);
    top->SetHeight(20);
    top->SetAlign(alTop);
    TPanel* rest = Make<TPanel>(panel);
    rest->SetAlign(alClient);

    // The default raised outer bevel of width 1.
    EXPECT_EQ(top->BoundsRect(), (TRect{1, 1, 199, 21}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{1, 21, 199, 99}));

    // Border 1, outer bevel 2, inner bevel 2, BorderWidth 3: 8 pixels on each side.
    panel->SetBorderStyle(bsSingle);
    panel->SetBevelWidth(2);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(3);
    EXPECT_EQ(top->BoundsRect(), (TRect{8, 8, 192, 28}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{8, 28, 192, 92}));

    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderStyle(bsNone);
    EXPECT_EQ(rest->BoundsRect(), (TRect{3, 23, 197, 97}));

    // A resize lays the children out again and tells OnResize.
    int resized = 0;
    panel->OnResize = [&](TObject*) { ++resized; };
    panel->SetHeight(150);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(rest->BoundsRect(), (TRect{3, 23, 197, 147}));
}

TEST_F(PanelTest, PaintsBorderBevelsAndFace) {
    TPanel* panel = Make<TPanel>();
    panel->SetBounds(10, 10, 100, 60);
    panel->SetBorderStyle(bsSingle);
    panel->SetBevelInner(bvLowered);
    // Frame, then the raised outer bevel, then the lowered inner one, then the face.
    EXPECT_EQ(Pixel(10, 10), RGB(clWindowFrame));
    EXPECT_EQ(Pixel(11, 11), RGB(clBtnHighlight));
    EXPECT_EQ(Pixel(108, 68), RGB(clBtnShadow));
    EXPECT_EQ(Pixel(12, 12), RGB(clBtnShadow));
    EXPECT_EQ(Pixel(107, 67), RGB(clBtnHighlight));
    EXPECT_EQ(Pixel(20, 20), RGB(clBtnFace));
}

std::unique_ptr<TBitmap> Solid(int w, int h, TColor color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(TRect{0, 0, w, h});
    return b;
}

TEST_F(ImageTest, PlacesThePictureAsStretchCenterAndProportionalSay) {
    TImage* image = Make<TImage>();
    image->SetBounds(0, 0, 100, 100);
    auto small = Solid(20, 10, clRed);
    image->Picture()->SetGraphic(small.get());

    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 20, 10}));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), (TRect{40, 45, 60, 55}));
    // Proportional alone never enlarges a small picture.
    image->SetProportional(true);
    EXPECT_EQ(image->DestRect(), (TRect{40, 45, 60, 55}));
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), (TRect{0, 25, 100, 75}));
    image->SetCenter(false);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 100, 50}));
    image->SetProportional(false);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 100, 100}));
    EXPECT_EQ(Pixel(99, 99), clRed);

    // A picture too large shrinks to fit with Proportional, keeping its shape.
    auto tall = Solid(50, 400, clBlue);
    image->Picture()->SetGraphic(tall.get());
    image->SetStretch(false);
    image->SetProportional(true);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 12, 100}));
}

TEST_F(ImageTest, AutoSizeTakesThePictureSizeAndUnstretchedDrawsOnce) {
    FForm->SetColor(clWhite);
    TImage* image = Make<TImage>();
    image->SetBounds(5, 5, 100, 100);
    auto picture = Solid(30, 20, clLime);
    image->Picture()->SetGraphic(picture.get());
    EXPECT_EQ(Pixel(5 + 29, 5 + 19), clLime);
    EXPECT_EQ(Pixel(5 + 30, 5 + 20), clWhite);

    image->SetAutoSize(true);
    EXPECT_EQ(image->BoundsRect(), (TRect{5, 5, 35, 25}));
    auto larger = Solid(60, 40, clLime);
    image->Picture()->SetGraphic(larger.get());
    EXPECT_EQ(image->BoundsRect(), (TRect{5, 5, 65, 45}));
}

} // namespace
