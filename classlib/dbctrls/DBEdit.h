#pragma once
#include "classlib/Edit.h"
#include "classlib/dbctrls/DBTextEditor.h"

// An edit over a field of its data source (see TFieldEditLink).
class TDBEdit : public TDBTextEditor<TCustomEdit> {
    VMR_CLASS(TDBEdit, TCustomEdit)

  public:
    static void PublishProperties(TPublisher<TDBEdit>& p) { PublishDataProperties(p); }

  protected:
    explicit TDBEdit(TComponent* owner) : TDBTextEditor(owner) {}
};
