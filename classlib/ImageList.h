#pragma once
#include "classlib/Component.h"
#include "platform/NativeImageList.h"

class TBitmap;
class TCanvas;

// Images of one size, each with an optional mask, drawn by index. Making one allocates no pixels.
class TImageList : public TComponent {
    VMR_CLASS(TImageList, TComponent)

  public:
    static void PublishProperties(TPublisher<TImageList>& p);
    // A list of the given image size, owned by the caller.
    static std::unique_ptr<TImageList> CreateSize(int width, int height);

    int Width() const { return FImages.Width(); }
    int Height() const { return FImages.Height(); }
    // A new size clears the list, as the platform's lists cannot resize their images.
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    int Count() const { return FImages.Count(); }

    // A bitmap wider than the list gives one image per Width columns; returns the index of the first, or
    // -1 when nothing was added. The mask (white = transparent) may be nullptr.
    int Add(const TBitmap* image, const TBitmap* mask);
    // Pixels of the colour are transparent.
    int AddMasked(const TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Disabled images are drawn in the platform's embossed look; an index out of range draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Sizes the bitmap to the list's images and draws the image on it (transparent parts keep what the
    // bitmap had: white in a new one).
    void GetBitmap(int index, TBitmap* image) const;

    TNotifyEvent OnChange;

  protected:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}
    virtual void Change();

  private:
    void SetSize(int width, int height);
    TNativeImageList FImages{16, 16};
};
