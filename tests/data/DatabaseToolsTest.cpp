// The build's database tools: scripts run in one transaction, errors name the file and line, and a failed
// build leaves neither the target nor its temporary file behind.
#include "DatabaseTestSupport.h"

#include "tools/sqlitedb/BuildDatabaseFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file) << text;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(DatabaseTools, ScriptErrorNamesTheFileAndLineAndLeavesNothingBehind) {
    TemporaryFolder folder;
    const auto script = folder.Path() / "broken.sql";
    WriteText(script,
              "CREATE TABLE T (A TEXT);\n\n-- a comment\nINSERT INTO T VALUES ('uno');\nINSERT INTO T "
              "VALUES ('due', 'tre');\n");
    const auto target = folder.Path() / "out.db";
    const std::string error = ErrorOf([&] {
        BuildDatabaseFile(target, StagedFile::TExisting::Refuse,
                          [&](SqliteDatabase& db) { db.ExecuteFile(script); });
    });
    EXPECT_NE(error.find(script.string()), std::string::npos) << error;
    EXPECT_NE(error.find("line 5"), std::string::npos) << error;
    // Only the script remains: no target, no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(DatabaseTools, MissingScriptIsNamed) {
    TemporaryFolder folder;
    const auto missing = folder.Path() / "nowhere.sql";
    const std::string error = ErrorOf([&] {
        BuildDatabaseFile(folder.Path() / "out.db", StagedFile::TExisting::Replace,
                          [&](SqliteDatabase& db) { db.ExecuteFile(missing); });
    });
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out.db"));
}

TEST(DatabaseTools, RefusesToOverwriteAndReplacesWhenAsked) {
    TemporaryFolder folder;
    const auto target = folder.Path() / "out.db";
    WriteText(target, "not a database");
    auto build = [&](StagedFile::TExisting existing) {
        BuildDatabaseFile(target, existing,
                          [](SqliteDatabase& db) { db.Execute("CREATE TABLE T (A TEXT)"); });
    };
    const std::string error = ErrorOf([&] { build(StagedFile::TExisting::Refuse); });
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::file_size(target), 14u);
    build(StagedFile::TExisting::Replace);
    SqliteDatabase db(target, SqliteDatabase::TOpenMode::ReadOnly);
    EXPECT_EQ(QueryNumber(db, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'T'"), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(DatabaseTools, TargetAppearingDuringTheBuildIsKept) {
    TemporaryFolder folder;
    const auto target = folder.Path() / "out.db";
    EXPECT_THROW(BuildDatabaseFile(target, StagedFile::TExisting::Refuse,
                                   [&](SqliteDatabase& db) {
                                       db.Execute("CREATE TABLE T (A TEXT)");
                                       WriteText(target, "arrived first");
                                   }),
                 std::runtime_error);
    std::ifstream in(target);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "arrived first");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

} // namespace
