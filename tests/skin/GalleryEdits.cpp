#include "Gallery.h"

#include "skin/TAVComboBox.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVMemo.h"
#include "skin/TAVThemes.h"
#include "skin/TAVURLLabel.h"

using enum TGalleryState;

namespace {
// A framed edit control: its look comes from the style's border colour.
template <class T> TGallerySample Framed(const char* name, int height) {
    return TGallerySample(name, [height](TForm* page) { return GalleryControl<T>(page, 120, height); })
        .In({Normal, Focused, Disabled})
        .DrawnFrom({tavkey::ControlBorderColor});
}
} // namespace

VMR_GALLERY_FAMILY(Edits) {
    samples.push_back(TGallerySample("TtavMemo",
                                     [](TForm* page) {
                                         auto* memo = GalleryControl<TtavMemo>(page, 120, 44);
                                         memo->Lines()->Add("Prima riga");
                                         memo->Lines()->Add("Seconda riga");
                                         return memo;
                                     })
                          .In({Normal, Focused, Disabled})
                          .DrawnFrom({tavkey::ControlBorderColor}));
    samples.push_back(TGallerySample("TtavComboBox",
                                     [](TForm* page) {
                                         auto* combo = GalleryControl<TtavComboBox>(page, 120, 21);
                                         combo->Items()->Add("Mago");
                                         combo->SetItemIndex(0);
                                         return combo;
                                     })
                          .In({Normal, Hovered, Focused, Disabled})
                          .DrawnFrom({tavkey::ControlBorderColor, tavkey::FormBackgroundColor}));
    samples.push_back(Framed<TtavDBEdit>("TtavDBEdit", 21));
    samples.push_back(Framed<TtavDBMemo>("TtavDBMemo", 44));
    samples.push_back(Framed<TtavDBLookupListBox>("TtavDBLookupListBox", 56));
    samples.push_back(TGallerySample("TtavURLLabel",
                                     [](TForm* page) {
                                         auto* label = GalleryControl<TtavURLLabel>(page, 120, 16);
                                         label->SetCaption("Sito dell'autore");
                                         return label;
                                     })
                          .In({Normal, Hovered, Disabled})
                          .Showing({Hovered}));
}
