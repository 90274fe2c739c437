#pragma once
#include "classlib/Canvas.h"
#include "classlib/Persistent.h"

#include <memory>
#include <string>
#include <string_view>

class TStream;

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
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    // Loading reads the stream from its position to its end.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    // EFOpenError or EFCreateError name the file; EInvalidGraphic names a file that is no image.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // The graphic's part of a picture's stored data (see TPicture::ReadData); by default the whole stream.
    virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
    virtual void WriteData(TStream& stream) const { SaveToStream(stream); }

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    TGraphic() = default;
    // Draws into `rect` of the DC (stretched when the sizes differ).
    virtual void Draw(TDC& dc, const TRect& rect, TCopyMode copyMode) const = 0;
    virtual void Changed();
    // For Assign, which notifies once for everything it copies.
    void StoreTransparent(bool value) { FTransparent = value; }
    // Reads the image file that fills the stream from its position; `what` names it in errors.
    static TSurface ReadImage(TStream& stream, int64_t size, const std::string& what);
    static void WriteBMP(TStream& stream, const TSurface& image);

private:
    bool FTransparent = false;
    bool FModified = false;
};

// A new, empty graphic of a class that pictures can hold ("TBitmap", "TIcon"); nullptr for another name.
std::unique_ptr<TGraphic> NewGraphic(std::string_view className);
