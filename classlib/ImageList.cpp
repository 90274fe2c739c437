#include "classlib/ImageList.h"

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"

void TImageList::PublishProperties(TPublisher<TImageList>& p) {
    p.Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16);
    p.Integer("Width", &TImageList::Width, &TImageList::SetWidth, 16);
    p.Event("OnChange", &TImageList::OnChange);
}

std::unique_ptr<TImageList> TImageList::CreateSize(int width, int height) {
    std::unique_ptr<TImageList> list(NewComponent<TImageList>(nullptr));
    list->SetSize(width, height);
    return list;
}

void TImageList::Change() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    FImages = TNativeImageList(width, height);
    Change();
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
    if (!image) return -1;
    const int index = mask ? FImages.Add(image->Surface(), mask->Surface()) : FImages.Add(image->Surface());
    if (index >= 0) Change();
    return index;
}

int TImageList::AddMasked(const TBitmap* image, TColor maskColor) {
    if (!image) return -1;
    const int index = FImages.AddMasked(image->Surface(), maskColor);
    if (index >= 0) Change();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FImages.Delete(index);
    Change();
}

void TImageList::Clear() {
    if (Count() == 0) return;
    FImages.Clear();
    Change();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || index < 0 || index >= Count()) return;
    FImages.Draw(*canvas->Handle(), index, x, y, enabled);
}

void TImageList::GetBitmap(int index, TBitmap* image) const {
    if (!image) return;
    image->SetSize(Width(), Height());
    FImages.Draw(*image->Canvas()->Handle(), index, 0, 0);
}
