#pragma once
// The data-aware controls' fixture of the class library with the skin's classes registered too.
#include "DBCtrlTestSupport.h"

#include "platform/Painting.h"
#include "skin/RegisterSkin.h"

class SkinDataTest : public DBControlsFixture {
  protected:
    void SetUp() override {
        DBControlsFixture::SetUp();
        RegisterSkinClasses();
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
};
