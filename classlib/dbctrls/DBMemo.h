#pragma once
#include "classlib/Memo.h"
#include "classlib/dbctrls/DBTextEditor.h"

// A memo over a field of its data source (see TFieldEditLink).
class TDBMemo : public TDBTextEditor<TCustomMemo> {
    VMR_CLASS(TDBMemo, TCustomMemo)

  public:
    static void PublishProperties(TPublisher<TDBMemo>& p) { PublishDataProperties(p); }

  protected:
    explicit TDBMemo(TComponent* owner) : TDBTextEditor(owner) {}
};
