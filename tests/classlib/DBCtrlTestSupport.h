#pragma once
// The window system on the headless host over a copy of the sample database: forms with data-aware controls
// on the application's queries.
#include "ControlsTestSupport.h"
#include "DataTestSupport.h"

#include "classlib/data/DataSource.h"
#include "classlib/dbctrls/RegisterDataControls.h"

class DBControlsFixture : public DataFixture {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        RegisterControlsClasses();
        RegisterDataControls();
        NewComponent<TApplication>(nullptr)->SetTitle("Prova");
        FSource = NewComponent<TDataSource>(FOwner.get());
        FSource->SetDataSet(FQryInc);
    }
    void TearDown() override {
        delete Application;
        ShutdownWindowSystem();
    }
    TForm* ShownForm(TRect bounds = {100, 100, 600, 500}) { return ShownTestForm(bounds); }
    template <class T> T* Make(TWinControl* parent, TRect bounds) { return MakeTestControl<T>(parent, bounds); }
    void Pump() { RunUntilIdle(); }
    TPoint ScreenPoint(TControl* control, TPoint client) { return control->ClientToScreen(client); }
    // Spells of a level of their own, so a query lists exactly them in name order.
    void AddSpells(const std::vector<std::string>& names) {
        for (const std::string& name : names) AddSpell(name, "Z");
        OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z' ORDER BY INCANTESIMO");
    }

    THeadlessHost FHost;
    TDataSource* FSource = nullptr;
};
