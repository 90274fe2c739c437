// Draws every style bitmap of the skin library into a folder, and optionally a sheet of all of them.
#include "tools/skinart/Catalogue.h"
#include "tools/skinart/Sheet.h"

#include "platform/Exception.h"
#include "platform/ImageCodecs.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string folder, sheetPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheet" && i + 1 < argc)
            sheetPath = argv[++i];
        else if (folder.empty() && arg.rfind("--", 0) != 0)
            folder = arg;
        else {
            std::fprintf(stderr, "skinart: unexpected argument \"%s\"\n", arg.c_str());
            folder.clear();
            break;
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: skinart <output folder> [--sheet <file.png>]\n");
        return 2;
    }
    try {
        const std::vector<art::TArtwork> artwork = art::PaintAllArtwork();
        for (const art::TArtwork& a : artwork)
            SaveBMPFile(a.Picture, folder + "/" + a.Name + ".bmp");
        if (!sheetPath.empty()) SavePNGFile(art::ComposeSheet(artwork), sheetPath);
        std::printf("skinart: %zu bitmaps written to %s\n", artwork.size(), folder.c_str());
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "skinart: %s\n", e.what());
        return 1;
    }
}
