#include "Gallery.h"

#include "classlib/data/DataSource.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVThemes.h"
#include "skin/TAVToolBar.h"

namespace {

using enum TGalleryState;

// Three records in memory, enough for the navigator to stand in the middle of a dataset.
class TGalleryDataSet : public TDataSet {
    VMR_CLASS(TGalleryDataSet, TDataSet)

  protected:
    explicit TGalleryDataSet(TComponent* owner) : TDataSet(owner) {}
    void InternalOpen() override {
        if (Fields().Count() == 0) AddField("NOME", ftString, 20);
        for (const char* name : {"Alfa", "Beta", "Gamma"}) {
            TDataRecord record;
            record.Values = TRecordValues(1);
            record.Values.Set(0, std::string(name));
            AddRecord(std::move(record));
        }
    }
    void InternalRefresh() override {}
    void InternalPost(TDataRecord&, const TDataRecord*) override {}
    void InternalDelete(const TDataRecord&) override {}
};

TToolButton* AddToolButton(TToolBar* bar, const std::string& caption, TToolButtonStyle style) {
    auto* button = NewComponent<TToolButton>(bar->Owner());
    button->SetLeft(bar->ButtonCount() == 0 ? 0 : bar->Buttons(bar->ButtonCount() - 1)->Left() + 1);
    button->SetCaption(caption);
    button->SetStyle(style);
    button->SetParent(bar);
    return button;
}

} // namespace

VMR_GALLERY_FAMILY(ToolBars) {
    // Hovered shows the first button hot, Pressed presses it, Checked puts the check button down.
    samples.push_back(TGallerySample("TtavToolBar",
                                     [](TForm* page) {
                                         auto* bar = GalleryControl<TtavToolBar>(page, 140, 26);
                                         bar->SetAlign(alNone);
                                         bar->SetBounds(0, 0, 140, 26);
                                         bar->SetShowCaptions(true);
                                         bar->SetButtonWidth(40);
                                         AddToolButton(bar, "Apri", tbsButton);
                                         AddToolButton(bar, "Fissa", tbsCheck);
                                         AddToolButton(bar, "Altro", tbsDropDown);
                                         return bar;
                                     })
                          .In({Normal, Hovered, Pressed, Checked})
                          .Showing({Hovered, Pressed, Checked})
                          .CheckedBy([](TControl* c) { static_cast<TToolBar*>(c)->Buttons(1)->SetDown(true); })
                          // The style's colours show only on the hot, pressed and checked faces, and the
                          // gallery compares styles by the normal look, so no keys are named.
                          .PointedAt({20, 12}));
    // The navigator on the middle record: every move enabled; the pointer on the next button.
    samples.push_back(TGallerySample("TtavDBNavigator",
                                     [](TForm* page) {
                                         auto* data = NewComponent<TGalleryDataSet>(page);
                                         data->Open();
                                         data->Next();
                                         auto* source = NewComponent<TDataSource>(page);
                                         source->SetDataSet(data);
                                         auto* nav = GalleryControl<TtavDBNavigator>(page, 200, 22);
                                         nav->SetDataSource(source);
                                         nav->SetTabStop(true);
                                         return nav;
                                     })
                          .In({Normal, Hovered, Pressed, Focused, Disabled})
                          .Showing({Hovered, Pressed, Disabled})
                          .PointedAt({50, 11})
                          .DrawnFrom({tavkey::ButtonImage}));
}
