#pragma once
#include "classlib/CustomControl.h"
#include "classlib/Picture.h"

// Shows a picture, unscaled, centred, stretched, or scaled keeping its proportions.
class TImage : public TGraphicControl {
    VMR_CLASS(TImage, TGraphicControl)

  public:
    static void PublishProperties(TPublisher<TImage>& p);

    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* value) { FPicture.Assign(value); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    // With Stretch, the picture keeps its aspect ratio; without it, only a picture too large shrinks.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect();

  protected:
    explicit TImage(TComponent* owner);
    void Paint() override;

  private:
    void PictureChanged();
    void SetOption(bool& field, bool value);

    TPicture FPicture;
    bool FAutoSize = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
};
