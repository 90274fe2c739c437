#pragma once
#include "classlib/Graphic.h"
#include "platform/Surface.h"

#include <string_view>

// The program's icons: bitmaps whose magenta (0xFF00FF) pixels are transparent. An icon is always drawn
// transparent.
class TIcon : public TGraphic {
    VMR_CLASS(TIcon, TGraphic)

  public:
    static constexpr TColor KeyColor = clFuchsia;

    TIcon() = default;

    int Width() const override { return FImage.Width(); }
    int Height() const override { return FImage.Height(); }
    // An icon's size comes from its image; these raise EInvalidGraphic, as the platform's icons cannot be
    // resized.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    bool Transparent() const override { return true; }
    void SetTransparent(bool) override {}
    const TSurface& Surface() const { return FImage; }

    // The embedded image of that name ("MAINICON"); EResNotFound names a missing one. With a size, the
    // image is scaled to it (a 16 x 16 icon for a title bar from a larger one), keeping transparent what is
    // mostly transparent.
    void LoadFromResourceName(std::string_view resourceName, int width = 0, int height = 0);
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    void Assign(const TPersistent* source) override;

  protected:
    void Draw(TDC& dc, const TRect& rect, TCopyMode copyMode) const override;

  private:
    void SetImage(TSurface image);
    TSurface FImage;
};
