#pragma once
#include "classlib/data/DataSource.h"
#include "classlib/dbctrls/FieldEditLink.h"

#include <memory>

// What the data-aware edit and memo share: the text control `Base` over a field of its data source, with
// everything data-aware done by its TFieldEditLink.
template <class Base>
class TDBTextEditor : public Base {
  public:
    ~TDBTextEditor() override { FDataLink->SetDataSource(nullptr); }

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* value) {
        FDataLink->SetDataSource(value);
        FDataLink->ShowField();
    }
    const std::string& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const std::string& value) {
        FDataLink->SetFieldName(value);
        FDataLink->ShowField();
    }
    TField* Field() const { return FDataLink->Field(); }
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    bool ReadOnly() const { return FDataLink->ControlReadOnly(); }
    void SetReadOnly(bool value) { FDataLink->SetControlReadOnly(value); }
    // A dataset action offered to the control acts on its data source.
    bool ExecuteAction(TBasicAction* action) override {
        return Base::ExecuteAction(action) || FDataLink->ExecuteAction(action);
    }
    bool UpdateAction(TBasicAction* action) override {
        return Base::UpdateAction(action) || FDataLink->UpdateAction(action);
    }
    bool UseRightToLeftAlignment() const override { return DBUseRightToLeftAlignment(this, Field()); }

  protected:
    explicit TDBTextEditor(TComponent* owner) : Base(owner) {}

    template <class C>
    static void PublishDataProperties(TPublisher<C>& p) {
        p.String("DataField", &C::DataField, &C::SetDataField)
            .Component("DataSource", &C::DataSource, &C::SetDataSource)
            .Boolean("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false);
    }

    void WndProc(TMessage& m) override {
        switch (m.Msg) {
        case CM_GETDATALINK: m.Result = LRESULT(FDataLink.get()); return;
        case WM_CUT:
        case WM_PASTE:
        case WM_UNDO:
        case WM_CLEAR:
            if (!FDataLink->ClipboardChange()) return;
            break;
        }
        Base::WndProc(m);
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        Base::KeyDown(key, shift);
        if (key) FDataLink->KeyDown(key, shift);
    }
    void KeyPress(char32_t& key) override {
        Base::KeyPress(key); // OnKeyPress may replace the character first
        if (key) FDataLink->KeyPress(key);
    }
    void Change() override {
        FDataLink->Changed();
        Base::Change();
    }
    void DoExit() override {
        FDataLink->Exit();
        Base::DoExit();
    }

  private:
    std::unique_ptr<TFieldEditLink> FDataLink = std::make_unique<TFieldEditLink>(this);
};
