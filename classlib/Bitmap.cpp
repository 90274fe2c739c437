#include "classlib/Bitmap.h"

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

// An embedded picture never changes. Its headers are checked when it is first loaded, so a bad one fails
// there; its pixels are decoded from the embedded bytes where they lie, the first time anything looks at them.
class TEmbeddedPicture {
  public:
    TEmbeddedPicture(std::span<const uint8_t> bytes, const std::string& name) : FBytes(bytes) {
        if (const std::optional<TSize> size = SoundImageSize(bytes, name)) {
            FSize = *size;
        } else {
            FPixels = DecodeImage(bytes, name);
            FSize = {FPixels->Width(), FPixels->Height()};
        }
    }
    const TSize& Size() const { return FSize; }
    const TSurface& Pixels() const {
        if (!FPixels) FPixels = DecodeImage(FBytes, {});
        return *FPixels;
    }

  private:
    std::span<const uint8_t> FBytes;
    TSize FSize;
    mutable std::optional<TSurface> FPixels;
};

namespace {

// The skin loads the same few pictures again at every paint: each is checked once and shared, found by its
// data (names are matched without regard to case). `name` is what an error calls it.
std::shared_ptr<const TEmbeddedPicture> EmbeddedPicture(std::span<const uint8_t> bytes, const std::string& name) {
    static std::unordered_map<const uint8_t*, std::shared_ptr<const TEmbeddedPicture>> loaded;
    if (auto found = loaded.find(bytes.data()); found != loaded.end()) return found->second;
    auto picture = std::make_shared<const TEmbeddedPicture>(bytes, name);
    loaded.emplace(bytes.data(), picture);
    return picture;
}

} // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return FShared ? FShared->Size().cx : FImage.Width();
}

int TBitmap::Height() const {
    return FShared ? FShared->Size().cy : FImage.Height();
}

const TSurface& TBitmap::Image() const {
    return FShared ? FShared->Pixels() : FImage;
}

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

void TBitmap::ShareImage(std::shared_ptr<const TEmbeddedPicture> image) {
    // A canvas draws into FImage itself: with one, the pixels are copied there.
    if (FCanvas) return SetImage(image->Pixels());
    FShared = std::move(image);
    FImage = TSurface();
    Changed();
}

TSurface& TBitmap::OwnImage() {
    if (FShared) {
        FImage = FShared->Pixels();
        FShared.reset();
    }
    return FImage;
}

void TBitmap::LoadFromResourceName(std::string_view resourceName) {
    ShareImage(EmbeddedPicture(FindResource(resourceName), std::string(resourceName)));
}

void TBitmap::LoadFromPictureFile(const std::string& fileName) {
    // A file of that name comes before the embedded picture.
    const std::string resourceName = PictureResourceName(fileName);
    if (FileExists(fileName) || !HasResource(resourceName)) return inherited::LoadFromPictureFile(fileName);
    const std::span<const uint8_t> bytes = FindResource(resourceName);
    if (bytes.empty()) return SetImage({}); // as a stream of no bytes loads
    ShareImage(EmbeddedPicture(bytes, StreamDataName));
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
