#include "tools/appart/AppArt.h"

namespace art {

const TStylePalette& AppPalette() {
    return PaletteOf(TStyle::Protein);
}

std::vector<TNamedPicture> PaintAppPictures() {
    std::vector<TNamedPicture> pictures;
    const std::pair<TAppButton, const char*> buttons[] = {{TAppButton::ControlBox, "CONTROLBOX"},
                                                          {TAppButton::Close, "CLOSE"},
                                                          {TAppButton::Max, "MAX"},
                                                          {TAppButton::Min, "MIN"}};
    const std::pair<TState, const char*> states[] = {{Normal, "NORMAL"}, {Hot, "OVER"}, {Down, "DOWN"}};
    for (const auto& [button, buttonName] : buttons)
        for (const auto& [state, stateName] : states)
            pictures.push_back(
                {std::string("VMR_") + buttonName + "_" + stateName, AppTitleButton(button, state)});
    pictures.push_back({"VMR_TITLE_LEFT", AppTitleLeft()});
    pictures.push_back({"VMR_TITLE_CLIENT", AppTitleClient()});
    pictures.push_back({"VMR_TITLE_RIGHT", AppTitleRight()});
    pictures.push_back({"VMR_ABOUT_BACKGROUND", AboutBackground()});
    return pictures;
}

} // namespace art
