#pragma once

#include "tools/sqlitedb/SqliteDatabase.h"
#include "tools/sqlitedb/StagedFile.h"

#include <filesystem>
#include <functional>

// Creates a database file whose content fill writes in one transaction. The file appears under its name
// only once complete; an existing one is kept or replaced as asked.
void BuildDatabaseFile(const std::filesystem::path& target, StagedFile::TExisting existing,
                       const std::function<void(SqliteDatabase&)>& fill);
