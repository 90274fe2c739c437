#include "ThemeFileBuilder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

void TThemeFileBuilder::Save(const std::filesystem::path& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

TTempFolder::TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skintest-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    FPath = pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}
