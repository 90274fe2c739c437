#pragma once
#include "tools/skinart/Catalogue.h"

namespace art {

// Every style's pictures side by side on a neutral ground: one column per style, one row per part, small
// pictures doubled, magenta shown as the ground it lets through; a title bar assembled per style on top.
TSurface ComposeSheet(const std::vector<TArtwork>& artwork);

} // namespace art
