#pragma once
#include "classlib/Canvas.h"
#include "classlib/Persistent.h"
#include "classlib/Streams.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

// An image that can draw itself on a canvas and travel through streams and files.
class TGraphic : public TPersistent {
    VMR_CLASS(TGraphic, TPersistent)

  public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Loading reads the stream from its position to its end.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    // EFOpenError or EFCreateError name the file; EInvalidGraphic names a file that is no image.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // The graphic's part of a picture's stored data (see TPicture::ReadData); by default the whole stream.
    virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
    virtual void WriteData(TStream& stream) const { SaveToStream(stream); }
    // Published as Data, so that layouts set "Glyph.Data = {...}" or name a picture file.
    static void PublishProperties(TPublisher<TGraphic>& p);
    void LoadFromPictureSource(const TPictureSource& source);

    TNotifyEvent OnChange;

  protected:
    friend class TCanvas;
    TGraphic() = default;
    // Draws into `rect` of the DC (stretched when the sizes differ).
    virtual void Draw(TDC& dc, const TRect& rect, TCopyMode copyMode) const = 0;
    virtual void Changed();
    // A picture file that a layout names (see OpenPictureFile).
    virtual void LoadFromPictureFile(const std::string& fileName);
    // For Assign, which notifies once for everything it copies.
    void StoreTransparent(bool value) { FTransparent = value; }
    // Reads `size` bytes of an image file (BMP or PNG); errors name the file of a file stream. An empty
    // image is stored as no bytes at all.
    static TSurface ReadImage(TStream& stream, int64_t size);
    // What errors call an image read from a stream that is not a file.
    static constexpr const char* StreamDataName = "stream data";
    static void WriteBMP(TStream& stream, const TSurface& image);

  private:
    bool FTransparent = false;
};

// A picture file that a layout names: the file, or, when there is none, the embedded resource named by the
// file name without folder and extension (PictureResourceName). EFOpenError when neither exists.
std::unique_ptr<TStream> OpenPictureFile(const std::string& fileName);
std::string PictureResourceName(const std::string& fileName);
// Inline picture data may be the image file itself (as layouts written by hand hold it) rather than what
// WriteData writes: a BMP or PNG file that is not a bitmap's length-prefixed data.
bool IsWholeImageFile(std::span<const uint8_t> data);
// A stream that reads the bytes, from the start.
std::unique_ptr<TMemoryStream> StreamOver(std::span<const uint8_t> bytes);
// What WriteData writes, as a layout holds it inline.
template <class T> TPictureSource InlinePictureData(const T& object) {
    TMemoryStream stream;
    object.WriteData(stream);
    return {{}, {stream.Memory(), stream.Memory() + stream.Size()}};
}

// A new, empty graphic of a class that pictures can hold ("TBitmap", "TIcon"); nullptr for another name.
std::unique_ptr<TGraphic> NewGraphic(std::string_view className);
