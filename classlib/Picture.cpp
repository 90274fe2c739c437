#include "classlib/Picture.h"

#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

namespace {

std::string FileExtension(const std::string& fileName) {
    const std::string name = ExtractFileName(fileName);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerCase(name.substr(dot));
}

// The graphic class that files of this name hold.
std::unique_ptr<TGraphic> GraphicForFile(const std::string& fileName) {
    const std::string extension = FileExtension(fileName);
    if (extension == ".bmp" || extension == ".png") return std::make_unique<TBitmap>();
    if (extension == ".ico") return std::make_unique<TIcon>();
    throw EInvalidGraphic("Unknown picture file extension (" + extension + ") of " + fileName);
}

std::unique_ptr<TGraphic> NewGraphicOrError(std::string_view className) {
    std::unique_ptr<TGraphic> graphic = NewGraphic(className);
    if (!graphic) throw EInvalidGraphic("A picture cannot hold a graphic of class " + std::string(className));
    return graphic;
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic && graphic == FGraphic.get()) return;
    if (!graphic) return TakeGraphic(nullptr);
    std::unique_ptr<TGraphic> copy = NewGraphicOrError(graphic->ClassName());
    copy->Assign(graphic);
    TakeGraphic(std::move(copy));
}

template <class T> T* TPicture::ForceType() {
    if (auto* graphic = dynamic_cast<T*>(FGraphic.get())) return graphic;
    TakeGraphic(std::make_unique<T>());
    return static_cast<T*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap() {
    return ForceType<TBitmap>();
}
void TPicture::SetBitmap(const TBitmap* bitmap) {
    Bitmap()->Assign(bitmap);
}
TIcon* TPicture::Icon() {
    return ForceType<TIcon>();
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::unique_ptr<TGraphic> graphic = GraphicForFile(fileName);
    graphic->LoadFromFile(fileName);
    TakeGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::ReadData(TStream& stream) {
    uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string className(length, '\0');
    stream.ReadBuffer(className.data(), length);
    if (className.empty()) return TakeGraphic(nullptr);
    std::unique_ptr<TGraphic> graphic = NewGraphicOrError(className);
    graphic->ReadData(stream);
    TakeGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) const {
    const std::string className = FGraphic ? FGraphic->ClassName() : std::string();
    const uint8_t length = uint8_t(className.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(className.data(), length);
    if (FGraphic) FGraphic->WriteData(stream);
}

void TPicture::LoadFromClassAndBytes(std::string_view className, std::span<const uint8_t> bytes) {
    std::unique_ptr<TGraphic> graphic = NewGraphicOrError(className);
    graphic->ReadData(*StreamOver(bytes));
    TakeGraphic(std::move(graphic));
}

void TPicture::PublishProperties(TPublisher<TPicture>& p) {
    p.Picture("Data", &InlinePictureData<TPicture>, &TPicture::LoadFromPictureSource);
}

void TPicture::LoadFromPictureSource(const TPictureSource& source) {
    if (source == TPictureSource{}) return SetGraphic(nullptr);
    if (source.FileName.empty() && !IsWholeImageFile(source.Data)) return ReadData(*StreamOver(source.Data));
    // An image file, named or inline, holds a bitmap, or an icon when its name says so.
    std::unique_ptr<TGraphic> graphic =
        source.FileName.empty() ? std::make_unique<TBitmap>() : GraphicForFile(source.FileName);
    graphic->LoadFromPictureSource(source);
    TakeGraphic(std::move(graphic));
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) return SetGraphic(nullptr);
    if (auto* picture = dynamic_cast<const TPicture*>(source)) return SetGraphic(picture->Graphic());
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) return SetGraphic(graphic);
    inherited::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) const {
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) return graphic->Assign(FGraphic.get());
    inherited::AssignTo(dest);
}
