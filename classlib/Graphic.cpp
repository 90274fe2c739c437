#include "classlib/Graphic.h"

#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "platform/ImageCodecs.h"

#include <vector>

void TGraphic::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

TSurface TGraphic::ReadImage(TStream& stream, int64_t size, const std::string& what) {
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(size, 0)));
    stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    return DecodeImage(bytes, what);
}

void TGraphic::WriteBMP(TStream& stream, const TSurface& image) {
    const std::vector<uint8_t> bytes = EncodeBMP(image);
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

std::unique_ptr<TGraphic> NewGraphic(std::string_view className) {
    if (SameText(className, "TBitmap")) return std::make_unique<TBitmap>();
    if (SameText(className, "TIcon")) return std::make_unique<TIcon>();
    return nullptr;
}
