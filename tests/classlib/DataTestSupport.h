#pragma once
// A copy of the sample database in a temporary folder that is the current folder while a test runs, the
// application's connection and two queries over it, and plain SQLite access to check what reached the file.
#include "classlib/Component.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The connection string of the main window's layout.
extern const char* const ApplicationConnectionString;

class TTemporaryFolder {
  public:
    TTemporaryFolder();
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
    ~TTemporaryFolder();
    const std::filesystem::path& Path() const { return FPath; }

  private:
    std::filesystem::path FPath;
};

// Makes a folder the current one until destroyed.
class TCurrentFolder {
  public:
    explicit TCurrentFolder(const std::filesystem::path& folder);
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;
    ~TCurrentFolder();

  private:
    std::filesystem::path FPrevious;
};

// Plain SQLite on a database file, each call on its own connection.
void RawExec(const std::filesystem::path& file, const std::string& sql);
std::vector<std::optional<std::string>> RawColumn(const std::filesystem::path& file, const std::string& sql);
std::string RawText(const std::filesystem::path& file, const std::string& sql);

class DataFixture : public ::testing::Test {
  protected:
    DataFixture();
    ~DataFixture() override;

    std::filesystem::path DatabaseFile() const { return FFolder.Path() / "Incantesimi.mdb"; }
    // Opens the query on one statement.
    void OpenWith(TADOQuery* query, const std::string& sql);
    int ExecWith(TADOQuery* query, const std::string& sql);
    // A catalogue row added by plain SQLite; its row identity.
    int64_t AddSpell(const std::string& name, const std::string& bardo, const std::string& area = "Nessuna");
    std::string AreaOf(int64_t id) const;

    TTemporaryFolder FFolder;
    std::unique_ptr<TCurrentFolder> FCurrent;
    std::unique_ptr<TComponent> FOwner;
    TADOConnection* FConnection = nullptr;
    TADOQuery* FQryInc = nullptr;
    TADOQuery* FQrySel = nullptr;
};
