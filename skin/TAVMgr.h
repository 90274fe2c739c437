#pragma once
#include "classlib/Component.h"
#include "skin/TAVForm.h"
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
    // the current name. A file that cannot be read raises and changes nothing.
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

// Whether the component is of the class of that name or descends from it (for classes this layer does not
// include, such as forms).
bool InheritsFromClassNamed(const TObject* object, std::string_view className);

// The style a new control starts with: the UIStyle of the first TtavForm among the owner form's direct
// child controls; DeepBlue without one, and under an owner that is no TFormClass. TFormClass gives the
// child controls through ControlCount() and Controls(index).
template <class TFormClass> TtavUIStyle GetOwnerFormStyle(TComponent* owner) {
    const auto* form = dynamic_cast<const TFormClass*>(owner);
    if (!form) return TtavUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (const auto* frame = dynamic_cast<const TtavForm*>(form->Controls(i))) return frame->UIStyle();
    return TtavUIStyle::DeepBlue;
}

// The FileTheme reference of a skinned control: the control and the theme hear of each other's destruction
// whatever their owners. Returns the new value for the control's field.
TtavFileTheme* LinkFileTheme(TComponent* control, TtavFileTheme* current, TtavFileTheme* value);
