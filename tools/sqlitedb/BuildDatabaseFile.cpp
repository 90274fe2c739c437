#include "tools/sqlitedb/BuildDatabaseFile.h"

void BuildDatabaseFile(const std::filesystem::path& target, StagedFile::TExisting existing,
                       const std::function<void(SqliteDatabase&)>& fill) {
    StagedFile output(target, existing);
    {
        SqliteDatabase db(output.TemporaryPath(), SqliteDatabase::TOpenMode::Create);
        // The file is renamed into place only after it is closed, so a crash meanwhile costs nothing.
        db.Execute("PRAGMA synchronous = OFF");
        SqliteTransaction transaction(db);
        fill(db);
        transaction.Commit();
    }
    output.Commit();
}
