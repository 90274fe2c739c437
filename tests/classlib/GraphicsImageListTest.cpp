#include "GraphicsTestHelpers.h"

#include "classlib/ImageList.h"
#include "classlib/RegisterGraphics.h"

#include <gtest/gtest.h>

namespace {
// Three 2 x 2 frames side by side, magenta marking the transparent pixels: red, blue and lime frames with
// their top-right pixel transparent.
void FillStrip(TBitmap& strip) {
    FillRows(strip, {{clRed, clFuchsia, clBlue, clFuchsia, clLime, clFuchsia},
                     {clRed, clRed, clBlue, clBlue, clLime, clLime}});
}
} // namespace

TEST(GraphicsImageList, AMaskedStripGivesOneImagePerFrame) {
    auto list = TImageList::CreateSize(2, 2);
    TBitmap strip;
    FillStrip(strip);
    EXPECT_EQ(list->AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list->Count(), 3);

    TBitmap target;
    target.SetSize(6, 6);
    list->Draw(target.Canvas(), 2, 3, 1);
    EXPECT_EQ(PixelAt(target, 2, 3), clBlue);
    EXPECT_EQ(PixelAt(target, 3, 3), clWhite); // the magenta pixel left out
    EXPECT_EQ(PixelAt(target, 3, 4), clBlue);
    EXPECT_EQ(PixelAt(target, 4, 3), clWhite);
    list->Draw(target.Canvas(), 0, 0, 3); // out of range: nothing
    list->Draw(target.Canvas(), 0, 0, -1);
    EXPECT_EQ(PixelAt(target, 0, 0), clWhite);

    list->Draw(target.Canvas(), 0, 0, 2, false); // disabled: the embossed look, not the colour
    EXPECT_NE(PixelAt(target, 0, 1), clLime);

    TBitmap frame;
    FillRows(frame, {{clBlack, clBlack, clBlack}}); // resized to 2 x 2 by GetBitmap
    list->GetBitmap(2, &frame);
    EXPECT_EQ(frame.Width(), 2);
    EXPECT_EQ(PixelAt(frame, 0, 0), clLime);
    EXPECT_EQ(PixelAt(frame, 1, 0), clBlack); // transparent: what the bitmap had
    EXPECT_EQ(PixelAt(frame, 1, 1), clLime);
}

TEST(GraphicsImageList, ExplicitMasksAndOpaqueImages) {
    auto list = TImageList::CreateSize(2, 2);
    TBitmap strip;
    FillStrip(strip);
    TBitmap mask;
    FillRows(mask, {{clWhite, clBlack, clBlack, clBlack}, {clBlack, clBlack, clBlack, clBlack}});
    EXPECT_EQ(list->Add(&strip, &mask), 0); // the mask is narrower: the third frame is all transparent
    EXPECT_EQ(list->Add(&strip, nullptr), 3);
    EXPECT_EQ(list->Add(nullptr, nullptr), -1);

    TBitmap target;
    target.SetSize(2, 2);
    list->Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(target, 1, 0), clFuchsia); // the mask, not the colour, decides
    list->Draw(target.Canvas(), 0, 0, 2);
    EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
    list->Draw(target.Canvas(), 0, 0, 3); // unmasked: every pixel
    EXPECT_EQ(PixelAt(target, 0, 0), clRed);
    EXPECT_EQ(PixelAt(target, 1, 0), clFuchsia);
}

TEST(GraphicsImageList, ChangesAreReportedAndANewSizeClearsTheList) {
    auto list = TImageList::CreateSize(2, 2);
    Counted counted;
    list->OnChange = counted.Handler();
    TBitmap strip;
    FillStrip(strip);
    list->AddMasked(&strip, clFuchsia);
    list->Delete(0);
    list->Delete(7);
    EXPECT_EQ(list->Count(), 2);
    TBitmap target;
    target.SetSize(2, 2);
    list->Draw(target.Canvas(), 0, 0, 0); // what was image 1
    EXPECT_EQ(PixelAt(target, 0, 0), clBlue);
    list->SetWidth(2);
    EXPECT_EQ(counted.Changes, 2);
    list->SetHeight(3);
    EXPECT_EQ(list->Count(), 0);
    list->Clear();
    EXPECT_EQ(counted.Changes, 3);
    TBitmap narrow;
    narrow.SetSize(1, 3);
    EXPECT_EQ(list->Add(&narrow, nullptr), -1); // narrower than one image
}

TEST(GraphicsImageList, LayoutsCreateItByName) {
    RegisterGraphicsClasses();
    std::unique_ptr<TComponent> component(CreateComponent("TImageList", nullptr));
    auto* list = dynamic_cast<TImageList*>(component.get());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Width(), 16);
    SetOrdProp(list, "Width", 24);
    SetOrdProp(list, "Height", 12);
    EXPECT_EQ(list->Width(), 24);
    EXPECT_EQ(list->Height(), 12);
}
