#pragma once
// The gallery: every skinned control in its states, one page per style, saved as gallery/<style>.png in the
// test's build folder. Each family of controls lives in a Gallery<Family>.cpp of its own and joins with
//
//   VMR_GALLERY_FAMILY(Buttons) {
//       samples.push_back(TGallerySample("TtavButton", [](TForm* page) { ... return button; })
//                             .Showing({TGalleryState::Hovered})
//                             .DrawnFrom({tavkey::ButtonImage}));
//   }
//
// so that adding a family touches no other file.
#include "classlib/Forms.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class TGalleryState { Normal, Hovered, Pressed, Focused, Disabled, Checked };

struct TGallerySample {
    using TMaker = std::function<TControl*(TForm* page)>;
    using TChecker = std::function<void(TControl*)>;

    // `make` makes the control, owned by and placed on the page, at its size; the gallery moves it into its
    // cells and gives it the page's style and theme when it publishes both.
    TGallerySample(std::string name, TMaker make) : Name(std::move(name)), Make(std::move(make)) {}
    // The states it is shown in; Normal among them.
    TGallerySample& In(std::vector<TGalleryState> states) { return States = std::move(states), *this; }
    // The states that must look unlike Normal.
    TGallerySample& Showing(std::vector<TGalleryState> states) { return Distinct = std::move(states), *this; }
    // The theme keys the look comes from: two styles whose values differ for one of them must draw the
    // control differently.
    TGallerySample& DrawnFrom(std::vector<int> keys) { return ThemeKeys = std::move(keys), *this; }
    // Puts the control in its checked state, for TGalleryState::Checked.
    TGallerySample& CheckedBy(TChecker check) { return Check = std::move(check), *this; }
    // Where the pointer hovers and presses, in the control's coordinates; its middle when not given.
    TGallerySample& PointedAt(TPoint point) { return HotSpot = point, *this; }

    std::string Name;
    TMaker Make;
    std::vector<TGalleryState> States{TGalleryState::Normal, TGalleryState::Hovered, TGalleryState::Pressed,
                                      TGalleryState::Focused, TGalleryState::Disabled};
    std::vector<TGalleryState> Distinct;
    std::vector<int> ThemeKeys;
    TChecker Check;
    std::optional<TPoint> HotSpot;
};

using TGalleryFamily = void (*)(std::vector<TGallerySample>& samples);

// The families in the order of their names, so that every page lists the samples alike.
int RegisterGalleryFamily(const char* name, TGalleryFamily family);
std::vector<TGallerySample> GallerySamples();

// A control of class T on the page, at the size given.
template <class T> T* GalleryControl(TForm* page, int width, int height) {
    T* control = NewComponent<T>(page);
    control->SetParent(page);
    control->SetBounds(0, 0, width, height);
    return control;
}

#define VMR_GALLERY_FAMILY(name)                                                                             \
    static void GalleryFamily##name(std::vector<TGallerySample>& samples);                                   \
    [[maybe_unused]] static const int GalleryFamilyOrder##name =                                             \
        RegisterGalleryFamily(#name, &GalleryFamily##name);                                                  \
    static void GalleryFamily##name(std::vector<TGallerySample>& samples)

// ---- the framed window --------------------------------------------------------------------------------

class THeadlessHost;
class TtavFileTheme;
enum class TtavUIStyle : uint8_t;

// A window with a skinned frame and main menu in one style: as it stands, with the pointer on a menu-bar
// button, and with the first menu dropped down from its pressed button and its first item selected. Each shot
// is the window and the menu over it, on `background` outside their shapes.
struct TFramedWindowShots {
    TSurface Normal, Hot, Dropped;
};
inline constexpr TSize FramedWindowSpace{400, 240}; // what a shot may take, at most
TFramedWindowShots ShootFramedWindow(THeadlessHost& host, TtavUIStyle style, TtavFileTheme* theme,
                                     TColor background);
