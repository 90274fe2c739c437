#include "Gallery.h"

#include "classlib/Bitmap.h"
#include "classlib/Picture.h"
#include "skin/TAVButton.h"
#include "skin/TAVThemes.h"

namespace {

using enum TGalleryState;

// A round-cornered tile of one colour with a light arrow, on the key colour of its top-left pixel.
void ArrowPicture(TPicture& picture, TColor face) {
    TBitmap* bitmap = picture.Bitmap();
    bitmap->SetSize(24, 24);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect({0, 0, 24, 24});
    canvas->Brush()->SetColor(face);
    canvas->Pen()->SetColor(clBlack);
    canvas->RoundRect(1, 1, 23, 23, 6, 6);
    canvas->Brush()->SetColor(clWhite);
    canvas->Pen()->SetColor(clWhite);
    const TPoint arrow[] = {{8, 6}, {17, 12}, {8, 18}};
    canvas->Polygon(arrow);
}

} // namespace

VMR_GALLERY_FAMILY(Buttons) {
    samples.push_back(TGallerySample("TtavButton",
                                     [](TForm* page) {
                                         auto* button = GalleryControl<TtavButton>(page, 80, 27);
                                         button->SetCaption("Pulsante");
                                         return button;
                                     })
                          .Showing({Hovered, Pressed, Focused, Disabled})
                          .DrawnFrom({tavkey::ButtonImage}));
    samples.push_back(TGallerySample("TtavImageButton",
                                     [](TForm* page) {
                                         auto* button = GalleryControl<TtavImageButton>(page, 24, 24);
                                         TPicture picture;
                                         ArrowPicture(picture, 0xB07030);
                                         button->SetPicNormal(&picture);
                                         ArrowPicture(picture, 0xE0A040);
                                         button->SetPicMouseOn(&picture);
                                         ArrowPicture(picture, 0x704010);
                                         button->SetPicMouseDown(&picture);
                                         ArrowPicture(picture, 0xA0A0A0);
                                         button->SetPicDisabled(&picture);
                                         button->SetTransparent(true);
                                         button->SetDrawFocused(true);
                                         return button;
                                     })
                          .Showing({Hovered, Pressed, Focused, Disabled}));
}
