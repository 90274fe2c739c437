#include "classlib/Image.h"

#include "classlib/Graphic.h"

void TImage::PublishProperties(TPublisher<TImage>& p) {
    p.Persistent("Picture", &TImage::Picture, &TImage::SetPicture)
        .Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Boolean("Center", &TImage::Center, &TImage::SetCenter, false)
        .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged() {
    TGraphic* graphic = FPicture.Graphic();
    if (graphic && graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
    if (FAutoSize && graphic && !graphic->Empty()) SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    FAutoSize = value;
    PictureChanged();
}

void TImage::SetOption(bool& field, bool value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TImage::SetStretch(bool value) { SetOption(FStretch, value); }
void TImage::SetProportional(bool value) { SetOption(FProportional, value); }
void TImage::SetCenter(bool value) { SetOption(FCenter, value); }

void TImage::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    PictureChanged();
}

TRect TImage::DestRect() {
    int w = FPicture.Width(), h = FPicture.Height();
    int cw = ClientWidth(), ch = ClientHeight();
    bool scale = FStretch || (FProportional && (w > cw || h > ch));
    if (scale && w > 0 && h > 0) {
        if (!FProportional) return TRect{0, 0, cw, ch};
        // The larger of the two ratios decides; 64-bit products keep large pictures exact.
        if (int64_t(cw) * h > int64_t(ch) * w) {
            w = int(int64_t(w) * ch / h);
            h = ch;
        } else {
            h = int(int64_t(h) * cw / w);
            w = cw;
        }
    }
    TRect dest{0, 0, w, h};
    if (FCenter) dest = dest.Offsetted((cw - w) / 2, (ch - h) / 2);
    return dest;
}

void TImage::Paint() {
    TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty()) return;
    TRect dest = DestRect();
    if (dest.Width() == graphic->Width() && dest.Height() == graphic->Height())
        Canvas()->Draw(dest.Left, dest.Top, graphic);
    else
        Canvas()->StretchDraw(dest, graphic);
}
