#include "classlib/Graphic.h"

#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/ResourceStream.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "platform/Resources.h"

#include <algorithm>
#include <cstring>
#include <vector>

void TGraphic::PublishProperties(TPublisher<TGraphic>& p) {
    p.Picture("Data", &InlinePictureData<TGraphic>, &TGraphic::LoadFromPictureSource);
}

void TGraphic::LoadFromPictureSource(const TPictureSource& source) {
    if (!source.FileName.empty()) return LoadFromPictureFile(source.FileName);
    // No bytes at all make an empty graphic, as an empty image is stored as none.
    const std::unique_ptr<TMemoryStream> stream = StreamOver(source.Data);
    if (source.Data.empty() || IsWholeImageFile(source.Data)) return LoadFromStream(*stream);
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

void TGraphic::LoadFromPictureFile(const std::string& fileName) {
    LoadFromStream(*OpenPictureFile(fileName));
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

TSurface TGraphic::ReadImage(TStream& stream, int64_t size) {
    if (size <= 0) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), size);
    auto* file = dynamic_cast<TFileStream*>(&stream);
    return DecodeImage(bytes, file ? file->FileName() : StreamDataName);
}

void TGraphic::WriteBMP(TStream& stream, const TSurface& image) {
    if (image.IsEmpty()) return;
    const std::vector<uint8_t> bytes = EncodeBMP(image);
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

std::unique_ptr<TStream> OpenPictureFile(const std::string& fileName) {
    if (FileExists(fileName)) return std::make_unique<TFileStream>(fileName, fmOpenRead);
    const std::string resourceName = PictureResourceName(fileName);
    if (!HasResource(resourceName)) {
        throw EFOpenError("Cannot open file " + fileName + " (no such file or embedded resource)");
    }
    return std::make_unique<TResourceStream>(resourceName);
}

std::string PictureResourceName(const std::string& fileName) {
    const std::string name = ExtractFileName(fileName);
    return name.substr(0, name.rfind('.'));
}

bool IsWholeImageFile(std::span<const uint8_t> data) {
    static constexpr uint8_t bmp[] = {'B', 'M'}, png[] = {0x89, 'P', 'N', 'G'};
    auto startsWith = [&](std::span<const uint8_t> signature) {
        return data.size() >= signature.size() &&
               std::equal(signature.begin(), signature.end(), data.begin());
    };
    if (!startsWith(bmp) && !startsWith(png)) return false;
    // A bitmap's stored data whose length happens to begin with "BM" is still stored data.
    uint32_t length = 0;
    std::memcpy(&length, data.data(), sizeof length);
    return length != data.size() - sizeof length;
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
