#include "Gallery.h"

#include "skin/TAVCheckBox.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVThemes.h"

using enum TGalleryState;

namespace {
template <class T> TGallerySample CheckBoxSample(const char* name, const char* caption) {
    return TGallerySample(name,
                          [caption](TForm* page) {
                              auto* box = GalleryControl<T>(page, 100, 17);
                              box->SetCaption(caption);
                              return box;
                          })
        .In({Normal, Hovered, Pressed, Focused, Disabled, Checked})
        .Showing({Disabled, Checked})
        .DrawnFrom({tavkey::CheckBoxImage})
        .CheckedBy([](TControl* control) { static_cast<T*>(control)->SetChecked(true); });
}
} // namespace

VMR_GALLERY_FAMILY(CheckBoxes) {
    samples.push_back(CheckBoxSample<TtavCheckBox>("TtavCheckBox", "Casella"));
    samples.push_back(CheckBoxSample<TtavDBCheckBox>("TtavDBCheckBox", "Casella dati"));
}
