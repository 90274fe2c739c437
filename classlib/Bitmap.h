#pragma once
#include "classlib/Graphic.h"
#include "platform/Surface.h"

#include <memory>
#include <string_view>

class TEmbeddedPicture;

enum class TTransparentMode { tmAuto, tmFixed };
using enum TTransparentMode;
VMR_ENUM_NAMES(TTransparentMode, "tmAuto", "tmFixed")

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
using enum TPixelFormat;
VMR_ENUM_NAMES(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit",
               "pf32bit", "pfCustom")

// A 32-bit image in memory with a canvas to draw on it. Making one allocates nothing: the canvas and its DC
// are made on first use, and every operation accepts a 0 x 0 bitmap.
class TBitmap : public TGraphic {
    VMR_CLASS(TBitmap, TGraphic)

  public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override;
    int Height() const override;
    // Either order keeps the top-left pixels; new area is white.
    void SetWidth(int value) override { SetSize(value, Height()); }
    void SetHeight(int value) override { SetSize(Width(), value); }
    void SetSize(int width, int height);

    TCanvas* Canvas();
    const TSurface& Surface() const { return Image(); }
    // Direct pixel access, for fast loops; unlike the canvas it notifies nobody.
    TSurface& Surface() { return OwnImage(); }

    // tmAuto takes the bottom-left pixel (clDefault for an empty bitmap); setting a colour fixes it, and
    // setting clDefault returns to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    // Stored only: every bitmap here has 32-bit pixels.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value) { FPixelFormat = value; }
    // The platform frees no memory here: the pixels are the image.
    void Dormant() {}
    void FreeImage() {}

    // A BMP (or PNG) embedded under that name; EResNotFound names a missing one.
    void LoadFromResourceName(std::string_view resourceName);
    // BMP or PNG in, 24-bit BMP out.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    // As pictures store a bitmap: a 32-bit byte count, then the BMP file.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) const override;

    // Copies pixels, transparency and pixel format of another bitmap; nullptr empties this one.
    void Assign(const TPersistent* source) override;

  protected:
    void Draw(TDC& dc, const TRect& rect, TCopyMode copyMode) const override;
    void LoadFromPictureFile(const std::string& fileName) override;

  private:
    void SetImage(TSurface image);
    void ShareImage(std::shared_ptr<const TEmbeddedPicture> image);
    // The pixels; an embedded picture is decoded here, the first time any bitmap looks at them.
    const TSurface& Image() const;
    // The pixels of this bitmap alone, copied from the shared ones before the first change.
    TSurface& OwnImage();

    // An embedded picture's pixels are shared by every bitmap loaded from it (or assigned from one) until
    // one of them is changed; FImage holds them otherwise.
    std::shared_ptr<const TEmbeddedPicture> FShared;
    TSurface FImage;
    std::unique_ptr<TDC> FDC;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    TPixelFormat FPixelFormat = pfDevice;
};
