#pragma once
#include "classlib/Component.h"
#include "skin/TAVThemes.h"

#include <memory>
#include <string>

class TGraphic;

// A non-visual component that serves the values of a theme file to skinned controls whose style is
// FromThemeFile and whose FileTheme refers to it.
class TtavFileTheme : public TComponent {
    VMR_CLASS(TtavFileTheme, TComponent)

public:
    ~TtavFileTheme() override;
    static void PublishProperties(TPublisher<TtavFileTheme>& p);

    const std::string& ThemeFile() const { return FThemeFile; }
    // Loads the file, or the file of that name in the program's folder, and has the owner form's skinned
    // controls that use this theme read their values again. A name found under neither is ignored, and so is
    // the current name. A file that cannot be read raises after ThemeFile took the name found; the loaded
    // flag stays and lookups answer as without a file until a later load succeeds.
    void SetThemeFile(const std::string& value);
    bool IsThemeLoaded() const { return FLoaded; }

    void GetThemeImage(int key, TGraphic* graphic) const;
    // The 1-based frame of frameCount equal-width frames; empty (0 x 0) when the file has no such image.
    void GetThemeImageFrame(int key, TGraphic* graphic, int frameCount, int frameIndex) const;
    bool GetThemeBool(int key) const { return FManager->GetKeyBool(key); }
    TColor GetThemeColor(int key) const { return FManager->GetKeyColor(key); }
    int GetThemeInt(int key) const { return FManager->GetKeyInt(key); }

protected:
    explicit TtavFileTheme(TComponent* owner);

private:
    void RefreshOwnerControls();

    std::string FThemeFile;
    std::unique_ptr<TtavFileThemeMgr> FManager;
    bool FLoaded = false;
};

// True: read the values from the theme. False: read the built-in table with the effective style, which is
// DeepBlue for FromThemeFile without a loaded theme and the given style otherwise.
bool ResolveFileThemeStyle(const TtavFileTheme* theme, TtavUIStyle style, TtavUIStyle& effectiveStyle);

// The style a new control starts with: the UIStyle of the first TtavForm among the owner form's direct child
// controls; DeepBlue without one, and under an owner that is not a form.
TtavUIStyle GetOwnerFormStyle(TComponent* owner);

// The FileTheme reference of a skinned control: the control and the theme hear of each other's destruction
// whatever their owners. Returns the new value for the control's field.
TtavFileTheme* LinkFileTheme(TComponent* control, TtavFileTheme* current, TtavFileTheme* value);
