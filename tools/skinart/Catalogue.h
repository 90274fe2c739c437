#pragma once
#include "platform/Surface.h"

#include <string>
#include <vector>

namespace art {

// One bitmap resource: its name, its picture, and where the sheet shows it (a part row, a style column or
// -1 for the pictures every style shares).
struct TArtwork {
    std::string Name;
    std::string Part;
    int Column;
    TSurface Picture;
};

std::vector<TArtwork> PaintAllArtwork();

} // namespace art
