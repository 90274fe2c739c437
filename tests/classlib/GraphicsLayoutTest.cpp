#include "GraphicsTestHelpers.h"

#include "classlib/Font.h"
#include "classlib/LayoutReader.h"
#include "classlib/Picture.h"
#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

namespace {
// Publishes a font, a picture and a bitmap as the controls do.
class TPictureHolder : public TComponent {
    VMR_CLASS(TPictureHolder, TComponent)

  public:
    static void PublishProperties(TPublisher<TPictureHolder>& p) {
        p.Persistent("Font", [](TPictureHolder& h) { return &h.FFont; });
        p.Picture(
            "Picture", [](const TPictureHolder& h) { return InlinePictureData(h.FPicture); },
            [](TPictureHolder& h, const TPictureSource& s) { h.FPicture.LoadFromPictureSource(s); });
        p.Persistent("Glyph", [](TPictureHolder& h) { return &h.FGlyph; });
    }
    TFont FFont;
    TPicture FPicture;
    TBitmap FGlyph;

  protected:
    using TComponent::TComponent;
};

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t b : bytes)
        text += "0123456789ABCDEF"[b >> 4], text += "0123456789ABCDEF"[b & 15];
    return text;
}
} // namespace

TEST(GraphicsLayout, LayoutsSetFontsPicturesAndBitmapsByName) {
    RegisterClass<TPictureHolder>();
    TPicture picture;
    FillRows(*picture.Bitmap(), {{clRed, clBlue}});
    TBitmap glyph;
    FillRows(glyph, {{clLime}, {clNavy}});
    const std::string layout = "object Holder: TPictureHolder\n"
                               "  Font.Charset = DEFAULT_CHARSET\n"
                               "  Font.Color = clWhite\n"
                               "  Font.Height = -11\n"
                               "  Font.Name = 'Tahoma'\n"
                               "  Font.Style = [fsBold]\n"
                               "  Picture = {" +
                               Hex(InlinePictureData(picture).Data) +
                               "}\n"
                               "  Glyph.Data = {" +
                               Hex(InlinePictureData(glyph).Data) + "}\nend\n";
    std::unique_ptr<TComponent> root(ReadLayout(layout, "THOLDER", nullptr));
    auto& holder = dynamic_cast<TPictureHolder&>(*root);
    EXPECT_EQ(holder.FFont.Name(), "Tahoma");
    EXPECT_EQ(holder.FFont.Style(), TFontStyles{fsBold});
    EXPECT_EQ(holder.FFont.Color(), clWhite);
    EXPECT_EQ(holder.FFont.Size(), 8);
    EXPECT_EQ(holder.FPicture.Bitmap()->Surface(), picture.Bitmap()->Surface());
    EXPECT_EQ(holder.FGlyph.Surface(), glyph.Surface());

    try {
        ReadLayout("object Holder: TPictureHolder\n  Font.Style = [fsHeavy]\nend\n", "TBAD", nullptr);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("fsHeavy"), std::string::npos) << e.Message();
    }
}
