// Draws the pictures of the application's window layouts into a folder, and optionally a preview of them.
#include "tools/appart/Preview.h"

#include "platform/Exception.h"
#include "platform/ImageCodecs.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string folder, previewPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheet" && i + 1 < argc)
            previewPath = argv[++i];
        else if (folder.empty() && arg.rfind("--", 0) != 0)
            folder = arg;
        else {
            std::fprintf(stderr, "appart: unexpected argument \"%s\"\n", arg.c_str());
            folder.clear();
            break;
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: appart <output folder> [--sheet <file.png>]\n");
        return 2;
    }
    try {
        const std::vector<art::TNamedPicture> pictures = art::PaintAppPictures();
        for (const art::TNamedPicture& p : pictures)
            SaveBMPFile(p.Picture, folder + "/" + p.Name + ".bmp");
        if (!previewPath.empty()) SavePNGFile(art::ComposePreview(pictures, folder), previewPath);
        std::printf("appart: %zu bitmaps written to %s\n", pictures.size(), folder.c_str());
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "appart: %s\n", e.what());
        return 1;
    }
}
