#pragma once

#include "tools/sqlitedb/SqliteDatabase.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <stdlib.h>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vmr-data-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder from " + pattern);
        FPath = pattern;
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

using TColumn = std::vector<std::optional<std::string>>;

// The first column of every row a statement returns.
inline TColumn QueryColumn(SqliteDatabase& db, const std::string& sql) {
    SqliteStatement statement = db.Prepare(sql);
    TColumn values;
    while (statement.Step())
        values.push_back(statement.Text(0));
    return values;
}

// The first column of the one row a statement returns, as a number.
inline std::int64_t QueryNumber(SqliteDatabase& db, const std::string& sql) {
    SqliteStatement statement = db.Prepare(sql);
    if (!statement.Step()) throw std::runtime_error("no row from " + sql);
    return statement.Integer(0);
}

inline const std::filesystem::path SampleDatabase = VMR_SAMPLE_DATABASE;
