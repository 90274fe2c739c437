// Writes the fuzz targets' seed corpora from the project's own files: the form layouts, the style and
// layout bitmaps (and the same pictures as PNG), theme files holding the style bitmaps with values of the
// theme names the skin reads, and the statements the program sends.
//   fuzz_seeds <source folder> <corpus folder>
#include "platform/ImageCodecs.h"
#include "tests/skin/ThemeFileBuilder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<fs::path> FilesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> Lines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void WriteText(const fs::path& path, const std::string& text) { WriteFile(path, {text.begin(), text.end()}); }

// Each component of a layout, with what it holds, as the only child of a root: small layouts that a
// fuzzer runs many times faster than a whole window.
void ComponentLayouts(const std::vector<std::string>& lines, const std::string& root, const fs::path& folder,
                      const std::string& prefix) {
    int count = 0;
    for (size_t first = 1; first < lines.size(); ++first) {
        size_t indent = lines[first].find_first_not_of(' ');
        if (indent == std::string::npos || lines[first].compare(indent, 7, "object ") != 0) continue;
        const std::string end = std::string(indent, ' ') + "end";
        size_t last = first + 1;
        while (last < lines.size() && lines[last] != end)
            ++last;
        if (last >= lines.size() || last - first > 150) continue;
        std::string text = root + "\n";
        for (size_t i = first; i <= last; ++i)
            text += "  " + lines[i].substr(indent) + "\n";
        WriteText(folder / (prefix + std::to_string(++count) + ".layout"), text + "end\n");
    }
}

void Layouts(const fs::path& source, const fs::path& out) {
    for (const fs::path& layout : FilesWithExtension(source / "app/layouts", ".layout")) {
        fs::copy_file(layout, out / "layout_text" / layout.filename(), fs::copy_options::overwrite_existing);
        std::vector<std::string> lines = Lines(layout);
        ComponentLayouts(lines, "object Form1: TForm", out / "layout_text", layout.stem().string() + "_");
        if (layout.stem() == "TFRMMAIN") {
            fs::copy_file(layout, out / "form_layout" / layout.filename(), fs::copy_options::overwrite_existing);
            ComponentLayouts(lines, lines[0], out / "form_layout", "TFRMMAIN_");
        }
    }
}

void Pictures(const fs::path& source, const fs::path& out) {
    for (const char* folder : {"skin/resources", "app/layouts"}) {
        for (const fs::path& bmp : FilesWithExtension(source / folder, ".bmp")) {
            std::vector<uint8_t> bytes = ReadFile(bmp);
            WriteFile(out / "bmp" / bmp.filename(), bytes);
            TSurface picture = DecodeBMP(bytes, bmp.string());
            if (picture.Width() * picture.Height() <= 64 * 64)
                WriteFile(out / "png" / (bmp.stem().string() + ".png"), EncodePNG(picture));
        }
    }
}

// One theme file per style: its bitmaps as the images, and values for names the skin looks up.
void Themes(const fs::path& source, const fs::path& out) {
    std::map<std::string, std::vector<TThemeFileBuilder::TItem>> styles;
    for (const fs::path& bmp : FilesWithExtension(source / "skin/resources", ".bmp")) {
        std::string name = bmp.stem().string();
        size_t cut = name.find('_');
        if (cut == std::string::npos) continue;
        std::vector<uint8_t> bytes = ReadFile(bmp);
        if (bytes.size() > 16 * 1024) continue;
        styles[name.substr(0, cut)].push_back({name.substr(cut + 1), TThemeFileBuilder::Image, bytes});
    }
    for (auto& [style, items] : styles) {
        using B = TThemeFileBuilder;
        items.push_back({"FormMinWidthInt", B::Integer, B::Int32(130)});
        items.push_back({"FormBorderWidthInt", B::Integer, B::Int32(1)});
        items.push_back({"ButtonTransparentBool", B::Boolean, {1}});
        items.push_back({"FormBackgroundColor", B::String, B::Text("clBtnFace")});
        items.push_back({"FontColor", B::String, B::Text("$00FF8000")});
        WriteFile(out / "theme_file" / (style + ".theme"), B::Chain(items).Bytes);
    }
}

void Statements(const fs::path& out) {
    const char* statements[] = {
        "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO",
        "SELECT * FROM INCANTESIMI WHERE MAGO_STREGONE = '3' ORDER BY INCANTESIMO",
        "SELECT * FROM SELEZIONATI WHERE LIVELLO = '2' ORDER BY LIVELLO, INCANTESIMO",
        "SELECT * FROM SELEZIONATI WHERE INCANTESIMO='Dardo incantato'",
        "DELETE * FROM SELEZIONATI WHERE INCANTESIMO='Luce'",
        "DELETE * FROM SELEZIONATI",
        "INSERT INTO SELEZIONATI (LIVELLO, SCUOLA, INCANTESIMO,DESCRIZIONE1, DESCRIZIONE2, BERSAGLIO, "
        "TEMPODILANCIO, DURATA, RAGGIO,AREA, TS, RI, V, S, M, F, FD, PE, PAGINA)VALUES('1','Evocazione','Luce', "
        "'Un oggetto brilla', '', 'Oggetto toccato', '1 azione standard', '10 min./livello', 'Contatto',  "
        "'Nessuna', 'Nessuno', False, True, False, True, False, False, False, '248')",
        "SELECT i.INCANTESIMO AS \"nome\" FROM INCANTESIMI i /* c */ WHERE i.TS = 'it''s' -- fine\n;",
    };
    int index = 0;
    for (const char* statement : statements) {
        std::string text(statement);
        WriteFile(out / "statement" / ("statement" + std::to_string(++index) + ".sql"), {text.begin(), text.end()});
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <source folder> <corpus folder>\n");
        return 2;
    }
    const fs::path source = argv[1], out = argv[2];
    for (const char* target : {"theme_file", "layout_text", "form_layout", "bmp", "png", "statement"})
        fs::create_directories(out / target);
    Layouts(source, out);
    Pictures(source, out);
    Themes(source, out);
    Statements(out);
    return 0;
}
