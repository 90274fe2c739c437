#pragma once
// The window system on the headless host with the skin's classes, over a copy of the sample database with
// the application's connection and queries.
#include "DataTestSupport.h"
#include "SkinHostTest.h"

#include "classlib/Application.h"
#include "classlib/RegisterControls.h"
#include "classlib/data/DataSource.h"
#include "platform/Painting.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/RegisterSkin.h"

class SkinDataTest : public DataFixture {
  protected:
    void SetUp() override {
        InitWindowSystem(FHost);
        RegisterControlsClasses();
        RegisterSkinClasses();
        NewComponent<TApplication>(nullptr);
        FSource = NewComponent<TDataSource>(FOwner.get());
        FSource->SetDataSet(FQryInc);
    }
    void TearDown() override {
        delete Application;
        ShutdownWindowSystem();
    }
    TForm* ShownForm(TRect bounds = {100, 100, 600, 500}) { return ShownTestForm(bounds); }
    template <class T> T* Make(TWinControl* parent, TRect bounds) { return MakeTestControl<T>(parent, bounds); }
    // Spells of a level of their own, so the catalogue query lists exactly them in name order.
    void OpenSpells(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            AddSpell(name, "Z");
        OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z' ORDER BY INCANTESIMO");
    }
    std::string Stored(const std::string& column, const std::string& name) {
        return RawText(DatabaseFile(),
                       "SELECT " + column + " FROM INCANTESIMI WHERE INCANTESIMO = '" + name + "'");
    }
    // The presented colour of a window-relative point of a top-level window.
    TColor WindowColor(TWinControl* window, int x, int y) {
        PresentWindows();
        auto* surface = static_cast<THeadlessSurface*>(GetHostSurface(window->Handle()));
        return PixelToColor(surface->Pixels().Pixel(x, y));
    }

    THeadlessHost FHost{{0, 0, 1280, 1024}, {0, 24, 1200, 1000}};
    TDataSource* FSource = nullptr;
};
