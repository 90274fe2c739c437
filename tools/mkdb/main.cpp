// mkdb [--replace] DATABASE SCRIPT...
// Builds a new SQLite database file from SQL scripts run in order in one transaction. An existing DATABASE
// is left alone unless --replace is given; a failed run leaves no file behind.
#include "tools/sqlitedb/BuildDatabaseFile.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <vector>

namespace {

struct TArguments {
    StagedFile::TExisting Existing = StagedFile::TExisting::Refuse;
    std::filesystem::path Database;
    std::vector<std::filesystem::path> Scripts;
};

TArguments ParseArguments(int argc, char** argv) {
    TArguments args;
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--replace") == 0) {
        args.Existing = StagedFile::TExisting::Replace;
        ++i;
    }
    if (argc - i < 2) throw std::invalid_argument("usage: mkdb [--replace] DATABASE SCRIPT...");
    args.Database = argv[i++];
    args.Scripts.assign(argv + i, argv + argc);
    return args;
}

void BuildDatabase(const TArguments& args) {
    BuildDatabaseFile(args.Database, args.Existing, [&](SqliteDatabase& db) {
        for (const auto& script : args.Scripts)
            db.ExecuteFile(script);
    });
}

} // namespace

int main(int argc, char** argv) {
    try {
        BuildDatabase(ParseArguments(argc, argv));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "mkdb: " << e.what() << '\n';
        return 1;
    }
}
