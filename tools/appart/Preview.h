#pragma once
#include "tools/appart/AppArt.h"

namespace art {

// The two windows as they will look: the main window's title bar with its buttons in every state, and the
// About window with its texts (read from `layoutFolder` when they are there) set over its background.
TSurface ComposePreview(const std::vector<TNamedPicture>& pictures, const std::string& layoutFolder);

} // namespace art
