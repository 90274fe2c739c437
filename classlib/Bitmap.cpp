#include "classlib/Bitmap.h"

#include "classlib/Streams.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <cstdint>
#include <unordered_map>

namespace {

// Embedded pictures never change, and the skin loads the same few again at every paint: each is decoded once,
// found by its data (names are matched without regard to case).
std::shared_ptr<const TSurface> DecodedResource(const std::string& name) {
    static std::unordered_map<const uint8_t*, std::shared_ptr<const TSurface>> decoded;
    const std::span<const uint8_t> data = FindResource(name);
    if (auto found = decoded.find(data.data()); found != decoded.end()) return found->second;
    auto image = std::make_shared<const TSurface>(DecodeImage(data, name));
    decoded.emplace(data.data(), image);
    return image;
}

} // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    OwnImage().SetSize(width, height);
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FDC = std::make_unique<TDC>(OwnImage());
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetHandle(FDC.get());
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    const TSurface& image = Image();
    if (image.IsEmpty()) return clDefault;
    return PixelToColor(image.Pixel(0, image.Height() - 1));
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == FTransparentColor) return;
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    if (value == tmAuto) {
        SetTransparentColor(clDefault);
    } else {
        // Fixing the colour keeps the one that tmAuto gives now.
        SetTransparentColor(TransparentColor());
    }
}

void TBitmap::SetImage(TSurface image) {
    FShared.reset();
    FImage = std::move(image);
    Changed();
}

void TBitmap::ShareImage(std::shared_ptr<const TSurface> image) {
    // A canvas draws into FImage itself: with one, the pixels are copied there.
    if (FCanvas) return SetImage(*image);
    FShared = std::move(image);
    FImage = TSurface();
    Changed();
}

TSurface& TBitmap::OwnImage() {
    if (FShared) {
        FImage = *FShared;
        FShared.reset();
    }
    return FImage;
}

void TBitmap::LoadFromResourceName(std::string_view resourceName) {
    ShareImage(DecodedResource(std::string(resourceName)));
}

void TBitmap::LoadFromStream(TStream& stream) {
    SetImage(ReadImage(stream, stream.Size() - stream.Position()));
}

void TBitmap::SaveToStream(TStream& stream) const {
    WriteBMP(stream, Image());
}

void TBitmap::ReadData(TStream& stream) {
    uint32_t size = 0;
    stream.ReadBuffer(&size, sizeof size);
    if (int64_t(size) > stream.Size() - stream.Position()) {
        throw EReadError("Stream read error: the bitmap data claims " + std::to_string(size) +
                         " bytes but the stream holds fewer");
    }
    SetImage(ReadImage(stream, size));
}

void TBitmap::WriteData(TStream& stream) const {
    TMemoryStream bmp;
    SaveToStream(bmp);
    const uint32_t size = uint32_t(bmp.Size());
    stream.WriteBuffer(&size, sizeof size);
    stream.WriteBuffer(bmp.Memory(), bmp.Size());
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) return SetImage({});
    auto* bitmap = dynamic_cast<const TBitmap*>(source);
    if (!bitmap) return inherited::Assign(source);
    if (bitmap == this) return;
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    FPixelFormat = bitmap->FPixelFormat;
    // Quietly: SetImage notifies once for the whole copy.
    StoreTransparent(bitmap->Transparent());
    if (bitmap->FShared)
        ShareImage(bitmap->FShared);
    else
        SetImage(bitmap->FImage);
}

void TBitmap::Draw(TDC& dc, const TRect& rect, TCopyMode copyMode) const {
    if (Transparent()) {
        dc.TransparentBlt(rect, Image(), Image().BoundsRect(), TransparentColor());
    } else {
        dc.StretchBlt(rect, Image(), Image().BoundsRect(), copyMode);
    }
}
