#include "Gallery.h"

#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DataSource.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVMemo.h"
#include "skin/TAVScrollBar.h"
#include "skin/TAVThemes.h"
#include "skin/TAVTrackBar.h"

#include <string>

using enum TGalleryState;

namespace {
const std::vector<int> TrackBarKeys{tavkey::TrackBarBarImage, tavkey::TrackBarSliderImage,
                                    tavkey::TrackBarSliderVImage};
const std::vector<int> ScrollBarKeys{tavkey::ScrollBarButtonImage, tavkey::ScrollBarSliderImage,
                                     tavkey::ScrollBarBackgroundColor};

TtavScrollBar* PageScrollBar(TForm* page) {
    return GalleryControl<TtavScrollBar>(page, 16, 16);
}

#ifdef VMR_SAMPLE_DATABASE
// The sample catalogue, read only, on a source of the page's own.
TDataSource* CatalogueSource(TForm* page, const std::string& sql) {
    auto* connection = NewComponent<TADOConnection>(page);
    connection->SetLoginPrompt(false);
    connection->SetConnectionString(std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                    VMR_SAMPLE_DATABASE);
    auto* query = NewComponent<TADOQuery>(page);
    query->SetConnection(connection);
    query->SetCursorType(ctStatic);
    query->SQL()->Add(sql);
    query->Open();
    auto* source = NewComponent<TDataSource>(page);
    source->SetDataSet(query);
    return source;
}
#endif
} // namespace

VMR_GALLERY_FAMILY(Sliders) {
    samples.push_back(TGallerySample("TtavTrackBar",
                                     [](TForm* page) {
                                         auto* bar = GalleryControl<TtavTrackBar>(page, 120, 20);
                                         bar->SetPosition(3);
                                         return bar;
                                     })
                          .In({Normal, Pressed, Focused, Disabled})
                          .Showing({Pressed, Focused})
                          .DrawnFrom(TrackBarKeys)
                          .PointedAt({110, 10}));
    samples.push_back(TGallerySample("TtavTrackBar verticale",
                                     [](TForm* page) {
                                         auto* bar = GalleryControl<TtavTrackBar>(page, 20, 80);
                                         bar->SetOrientation(tavVertical);
                                         bar->SetHeight(80);
                                         bar->SetPosition(7);
                                         return bar;
                                     })
                          .In({Normal, Focused, Disabled})
                          .DrawnFrom(TrackBarKeys));
    samples.push_back(TGallerySample("TtavScrollBar",
                                     [](TForm* page) {
                                         auto* bar = GalleryControl<TtavScrollBar>(page, 140, 16);
                                         bar->SetPageSize(30);
                                         bar->SetPosition(40);
                                         return bar;
                                     })
                          .In({Normal, Hovered, Pressed, Disabled})
                          .DrawnFrom(ScrollBarKeys)
                          .PointedAt({134, 8})); // the forward arrow
    samples.push_back(TGallerySample("TtavScrollBar verticale",
                                     [](TForm* page) {
                                         auto* bar = GalleryControl<TtavScrollBar>(page, 16, 80);
                                         bar->SetOrientation(tavVertical);
                                         bar->SetHeight(80);
                                         bar->SetLineButton(24);
                                         bar->SetPosition(70);
                                         return bar;
                                     })
                          .In({Normal, Disabled})
                          .DrawnFrom(ScrollBarKeys));
    samples.push_back(TGallerySample("TtavMemo, barre",
                                     [](TForm* page) {
                                         auto* memo = GalleryControl<TtavMemo>(page, 150, 100);
                                         memo->SetWordWrap(false);
                                         std::string text;
                                         for (int i = 1; i <= 30; ++i)
                                             text += "Riga " + std::to_string(i) + " del testo che va oltre il bordo\r\n";
                                         memo->SetText(text);
                                         // The caret where the view is, so that the focus keeps it.
                                         memo->SetSelStart(int(text.find("Riga 9 ")));
                                         memo->SetVScrollBar(PageScrollBar(page));
                                         memo->SetHScrollBar(PageScrollBar(page));
                                         memo->VScrollBar()->SetPosition(8);
                                         memo->HScrollBar()->SetPosition(20);
                                         return memo;
                                     })
                          .In({Normal, Focused, Disabled})
                          .DrawnFrom({tavkey::ControlBorderColor, tavkey::ScrollBarButtonImage,
                                      tavkey::ScrollBarSliderImage}));
#ifdef VMR_SAMPLE_DATABASE
    samples.push_back(TGallerySample("TtavDBMemo, barra",
                                     [](TForm* page) {
                                         auto* memo = GalleryControl<TtavDBMemo>(page, 150, 80);
                                         memo->SetDataSource(CatalogueSource(
                                             page, "SELECT * FROM INCANTESIMI ORDER BY length(DESCRIZIONE) DESC"));
                                         memo->SetDataField("DESCRIZIONE");
                                         memo->SetVScrollBar(PageScrollBar(page));
                                         memo->VScrollBar()->SetPosition(2);
                                         return memo;
                                     })
                          .In({Normal, Focused, Disabled})
                          .DrawnFrom({tavkey::ControlBorderColor, tavkey::ScrollBarButtonImage,
                                      tavkey::ScrollBarSliderImage}));
    samples.push_back(TGallerySample("TtavDBLookupListBox, barra",
                                     [](TForm* page) {
                                         auto* list = GalleryControl<TtavDBLookupListBox>(page, 150, 84);
                                         TDataSource* source =
                                             CatalogueSource(page, "SELECT * FROM INCANTESIMI ORDER BY INCANTESIMO");
                                         list->SetListSource(source);
                                         list->SetKeyField("ID");
                                         list->SetListField("INCANTESIMO");
                                         list->SetVScrollBar(PageScrollBar(page));
                                         source->DataSet()->SetRecNo(20);
                                         list->VScrollBar()->SetPosition(15);
                                         return list;
                                     })
                          .In({Normal, Focused, Disabled})
                          .DrawnFrom({tavkey::ControlBorderColor, tavkey::ScrollBarButtonImage,
                                      tavkey::ScrollBarSliderImage}));
#endif
}
