#include "Gallery.h"

#include "classlib/Bitmap.h"
#include "classlib/Picture.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVThemes.h"

using enum TGalleryState;

VMR_GALLERY_FAMILY(Panels) {
    samples.push_back(TGallerySample("TtavPanel",
                                     [](TForm* page) {
                                         auto* panel = GalleryControl<TtavPanel>(page, 150, 64);
                                         panel->SetCaption("Pannello");
                                         return panel;
                                     })
                          .In({Normal, Hovered, Disabled})
                          .Showing({Hovered})
                          .DrawnFrom({tavkey::SideChannelBarImage, tavkey::ControlBorderColor,
                                      tavkey::MenuSelectedFontColor})
                          .PointedAt({150 - 11, 10})); // the roll button
    samples.push_back(TGallerySample("TtavImagePanel",
                                     [](TForm* page) {
                                         auto* panel = GalleryControl<TtavImagePanel>(page, 90, 40);
                                         TPicture picture;
                                         TBitmap* tile = picture.Bitmap();
                                         tile->SetSize(16, 16);
                                         tile->Canvas()->Brush()->SetColor(0x406080);
                                         tile->Canvas()->FillRect({0, 0, 16, 16});
                                         tile->Canvas()->Brush()->SetColor(0x80A0C0);
                                         tile->Canvas()->FillRect({0, 0, 8, 8});
                                         tile->Canvas()->FillRect({8, 8, 16, 16});
                                         panel->SetPicture(&picture);
                                         panel->SetDrawStyle(tavTile);
                                         panel->SetCaption("Immagine");
                                         panel->Font()->SetColor(clWhite);
                                         return panel;
                                     })
                          .In({Normal, Disabled}));
    // Stretched and see-through: a ring whose key colour, that of its lower-left pixel, shows the page.
    samples.push_back(TGallerySample("TtavImagePanel stirato",
                                     [](TForm* page) {
                                         auto* panel = GalleryControl<TtavImagePanel>(page, 90, 40);
                                         TPicture picture;
                                         TBitmap* ring = picture.Bitmap();
                                         ring->SetSize(12, 8);
                                         ring->Canvas()->Brush()->SetColor(clFuchsia);
                                         ring->Canvas()->FillRect({0, 0, 12, 8});
                                         ring->Canvas()->Brush()->SetColor(0x2080E0);
                                         ring->Canvas()->Pen()->SetColor(0x104070);
                                         ring->Canvas()->Ellipse(1, 0, 11, 8);
                                         panel->SetPicture(&picture);
                                         panel->SetDrawStyle(tavStretch);
                                         panel->SetTransparent(true);
                                         return panel;
                                     })
                          .In({Normal, Disabled}));
}
