#pragma once
#include "classlib/Graphic.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TBitmap;
class TIcon;

// Holds one graphic of any class (or none) and tells its owner when it or its graphic changes.
class TPicture : public TPersistent {
    VMR_CLASS(TPicture, TPersistent)

  public:
    TPicture();
    ~TPicture() override;

    // nullptr when the picture is empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of the graphic; nullptr empties the picture.
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap (or icon): one of another class is replaced by a new, empty one.
    TBitmap* Bitmap();
    void SetBitmap(const TBitmap* bitmap);
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The class follows the extension: .bmp and .png give a bitmap, .ico an icon.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // What layouts store for a picture: the graphic's class name as a length-prefixed string, then the
    // graphic's own data. An empty name means an empty picture.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    void LoadFromClassAndBytes(std::string_view className, std::span<const uint8_t> bytes);
    // A picture as a layout gives it: inline data (stored data as WriteData writes it, or an image file), or
    // the name of an image file (see OpenPictureFile).
    // Published as Data, so that layouts set "Picture.Data = {...}".
    static void PublishProperties(TPublisher<TPicture>& p);
    void LoadFromPictureSource(const TPictureSource& source);

    // From a picture, a graphic, or nullptr (empty).
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

  protected:
    void AssignTo(TPersistent* dest) const override;
    virtual void Changed();

  private:
    template <class T> T* ForceType();
    void TakeGraphic(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
