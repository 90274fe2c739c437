// gencatalogue [--replace] [--seed N] DATABASE COUNT
// Writes a catalogue database of COUNT invented spells, the same for the same seed.
#include "tools/gencatalogue/CatalogueGenerator.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

struct TArguments {
    StagedFile::TExisting Existing = StagedFile::TExisting::Refuse;
    std::uint64_t Seed = 1;
    std::filesystem::path Database;
    std::size_t Count = 0;
};

constexpr const char* Usage = "usage: gencatalogue [--replace] [--seed N] DATABASE COUNT";

std::uint64_t ParseNumber(const char* text, const char* what) {
    std::size_t used = 0;
    try {
        const unsigned long long value = std::stoull(text, &used);
        if (text[used] == '\0' && text[0] != '-') return value;
    } catch (const std::logic_error&) {
    }
    throw std::invalid_argument(std::string("not a valid ") + what + ": \"" + text + "\"");
}

TArguments ParseArguments(int argc, char** argv) {
    TArguments args;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        if (std::strcmp(argv[i], "--replace") == 0)
            args.Existing = StagedFile::TExisting::Replace;
        else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            args.Seed = ParseNumber(argv[++i], "seed");
        else
            throw std::invalid_argument(Usage);
    }
    if (argc - i != 2) throw std::invalid_argument(Usage);
    args.Database = argv[i];
    args.Count = ParseNumber(argv[i + 1], "spell count");
    return args;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const TArguments args = ParseArguments(argc, argv);
        WriteCatalogue(args.Database, args.Count, args.Seed, args.Existing);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "gencatalogue: " << e.what() << '\n';
        return 1;
    }
}
