#include "classlib/Graphic.h"

#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/ResourceStream.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <vector>

void TGraphic::PublishProperties(TPublisher<TGraphic>& p) {
    p.Picture("Data", &InlinePictureData<TGraphic>, &TGraphic::LoadFromPictureSource);
}

void TGraphic::LoadFromPictureSource(const TPictureSource& source) {
    if (!source.FileName.empty()) return LoadFromStream(*OpenPictureFile(source.FileName));
    // No bytes at all make an empty graphic, as an empty image is stored as none.
    const std::unique_ptr<TMemoryStream> stream = StreamOver(source.Data);
    if (source.Data.empty()) return LoadFromStream(*stream);
    ReadData(*stream);
}

void TGraphic::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed() {
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

// An empty image travels as no bytes at all.
TSurface TGraphic::ReadImage(TStream& stream, int64_t size, const std::string& what) {
    if (size <= 0) return {};
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(size, 0)));
    stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    return DecodeImage(bytes, what);
}

void TGraphic::WriteBMP(TStream& stream, const TSurface& image) {
    if (image.IsEmpty()) return;
    const std::vector<uint8_t> bytes = EncodeBMP(image);
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

std::unique_ptr<TStream> OpenPictureFile(const std::string& fileName) {
    if (FileExists(fileName)) return std::make_unique<TFileStream>(fileName, fmOpenRead);
    const std::string name = ExtractFileName(fileName);
    const std::string resourceName = name.substr(0, name.rfind('.'));
    if (!HasResource(resourceName)) {
        throw EFOpenError("Cannot open file " + fileName + " (no such file or embedded resource)");
    }
    return std::make_unique<TResourceStream>(resourceName);
}

std::unique_ptr<TMemoryStream> StreamOver(std::span<const uint8_t> bytes) {
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), int64_t(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

std::unique_ptr<TGraphic> NewGraphic(std::string_view className) {
    if (SameText(className, "TBitmap")) return std::make_unique<TBitmap>();
    if (SameText(className, "TIcon")) return std::make_unique<TIcon>();
    return nullptr;
}
