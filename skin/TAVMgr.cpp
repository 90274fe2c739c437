#include "skin/TAVMgr.h"

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "skin/TAVForm.h"
#include "skin/TAVPublic.h"

#include <algorithm>
#include <vector>

TtavFileTheme::TtavFileTheme(TComponent* owner)
    : TComponent(owner), FManager(std::make_unique<TtavFileThemeMgr>()) {}

TtavFileTheme::~TtavFileTheme() = default;

void TtavFileTheme::PublishProperties(TPublisher<TtavFileTheme>& p) {
    p.String("ThemeFile", &TtavFileTheme::ThemeFile, &TtavFileTheme::SetThemeFile);
}

void TtavFileTheme::SetThemeFile(const std::string& value) {
    if (value == FThemeFile) return;
    std::string name = value;
    if (!FileExists(name)) {
        name = ExeFolder() + ExtractFileName(value);
        if (!FileExists(name)) return;
    }
    FThemeFile = name;
    FLoaded = FManager->LoadThemeFile(name);
    if (FLoaded && dynamic_cast<TForm*>(Owner())) RefreshOwnerControls();
}

void TtavFileTheme::RefreshOwnerControls() {
    // A control's setter may add or free components: visit the ones that were there and still are.
    const std::vector<TComponent*> components(Owner()->ComponentList().begin(),
                                              Owner()->ComponentList().end());
    for (TComponent* component : components) {
        const auto current = Owner()->ComponentList();
        if (std::find(current.begin(), current.end(), component) == current.end()) continue;
        if (component->ClassName().compare(0, 4, "Ttav") != 0 ||
            !HasPublishedProperty(component, "FileTheme"))
            continue;
        if (GetObjectProp(component, "FileTheme") == this) SetObjectProp(component, "FileTheme", this);
    }
}

void TtavFileTheme::GetThemeImage(int key, TGraphic* graphic) const {
    FManager->GetKeyImage(key, graphic);
}

void TtavFileTheme::GetThemeImageFrame(int key, TGraphic* graphic, int frameCount, int frameIndex) const {
    auto* target = dynamic_cast<TBitmap*>(graphic);
    if (!target) return;
    TBitmap strip;
    FManager->GetKeyImage(key, &strip);
    ExtractStripFrame(&strip, target, frameCount, frameIndex);
}

bool ResolveFileThemeStyle(const TtavFileTheme* theme, TtavUIStyle style, TtavUIStyle& effectiveStyle) {
    effectiveStyle = style;
    if (style != TtavUIStyle::FromThemeFile) return false;
    if (theme && theme->IsThemeLoaded()) return true;
    effectiveStyle = TtavUIStyle::DeepBlue;
    return false;
}

TtavUIStyle GetOwnerFormStyle(TComponent* owner) {
    const auto* form = dynamic_cast<const TCustomForm*>(owner);
    if (!form) return TtavUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (const auto* frame = dynamic_cast<const TtavForm*>(form->Controls(i))) return frame->UIStyle();
    return TtavUIStyle::DeepBlue;
}

TtavFileTheme* LinkFileTheme(TComponent* control, TtavFileTheme* current, TtavFileTheme* value) {
    if (current == value) return value;
    if (current) control->RemoveFreeNotification(current);
    if (value) control->FreeNotification(value);
    return value;
}
