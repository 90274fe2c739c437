// Damaged, read-only and locked database files: each failure names the file and says what is wrong in a
// user's words, and nothing but the test's own writes changes a byte of the file.
#include "DataTestSupport.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace {

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Gives a file or folder back its write permission when the test ends, so the folder can be removed.
class TReadOnly {
  public:
    explicit TReadOnly(std::filesystem::path path) : FPath(std::move(path)) {
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                 std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    ~TReadOnly() {
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }

  private:
    std::filesystem::path FPath;
};

class DataFaults : public DataFixture {
  protected:
    // The message of the EDatabaseError that action raises.
    template <class F>
    std::string Failure(F&& action) {
        try {
            action();
        } catch (const EDatabaseError& e) {
            return e.Message();
        }
        return "no error";
    }
    std::string Database() const { return "The database \"" + DatabaseFile().string() + "\" "; }
    std::string CannotOpen() const { return "Cannot open the database \"" + DatabaseFile().string() + "\": it "; }
    // Nothing but the file itself is left in its folder: no journal, no log.
    void ExpectNoCompanionFiles() const {
        for (const auto& entry : std::filesystem::directory_iterator(FFolder.Path()))
            EXPECT_EQ(entry.path().filename(), DatabaseFile().filename());
    }
};

TEST_F(DataFaults, OpeningAndBrowsingWriteNothing) {
    const std::string before = Bytes(DatabaseFile());
    FConnection->Open();
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO");
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO");
    // Emptying an empty selection changes no row and so no byte.
    EXPECT_EQ(ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"), 0);
    FConnection->Close();
    EXPECT_EQ(Bytes(DatabaseFile()), before);
    ExpectNoCompanionFiles();
}

TEST_F(DataFaults, FilesThatAreNoDatabaseOrDamagedFailSayingSo) {
    const std::string sample = Bytes(DatabaseFile());
    struct TCase {
        const char* Kind;
        std::string Bytes;
        std::string Message; // of opening the connection, or of reading the catalogue after it
    };
    // The sample's schema lies on pages 1, 9, 10 and 13 of 4 KB; the catalogue's rows after them.
    auto damagedFrom = [&](size_t page) {
        std::string bytes = sample;
        for (size_t i = (page - 1) * 4096; i < bytes.size(); ++i)
            bytes[i] = char(0xA5 ^ (i & 0xFF));
        return bytes;
    };
    const std::string unread = Database() + "is damaged: \"SELECT * FROM INCANTESIMI\" was not run";
    const TCase cases[] = {
        {"zero bytes", "", CannotOpen() + "is empty, not a database file"},
        {"text", "Questo non è un database.\n", CannotOpen() + "is not a database file"},
        {"cut inside its header", sample.substr(0, 60), CannotOpen() + "is damaged"},
        {"cut inside its schema", sample.substr(0, 3 * 4096), CannotOpen() + "is damaged"},
        {"damaged past page 1", damagedFrom(2), CannotOpen() + "is damaged"},
        {"cut after its schema", sample.substr(0, 15 * 4096), CannotOpen() + "is damaged"},
        {"damaged after its schema", damagedFrom(14), unread},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        WriteBytes(DatabaseFile(), c.Bytes);
        std::string message = Failure([&] {
            FConnection->Open();
            OpenWith(FQryInc, "SELECT * FROM INCANTESIMI");
        });
        EXPECT_EQ(message, c.Message);
        EXPECT_FALSE(FQryInc->Active());
        FConnection->Close();
        EXPECT_EQ(Bytes(DatabaseFile()), c.Bytes);
        ExpectNoCompanionFiles();
    }
}

TEST_F(DataFaults, AReadOnlyFileOrFolderIsBrowsedAndEachWriteSaysWhyItFailed) {
    const std::string before = Bytes(DatabaseFile());
    struct TCase {
        std::filesystem::path ReadOnly;
        std::string Why;
    };
    for (const TCase& c : {TCase{DatabaseFile(), "is read-only"},
                           TCase{FFolder.Path(), "is read-only: its folder cannot be written"}}) {
        SCOPED_TRACE(c.ReadOnly);
        TReadOnly readOnly(c.ReadOnly);
        OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = '1' ORDER BY INCANTESIMO");
        EXPECT_GT(FQryInc->RecordCount(), 3);
        EXPECT_EQ(Failure([&] { ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"); }),
                  Database() + c.Why + ": \"DELETE * FROM SELEZIONATI\" was not run");

        // A long statement is quoted cut to a readable length.
        const std::string insert = "INSERT INTO SELEZIONATI (LIVELLO, INCANTESIMO, DESCRIZIONE1) VALUES ('1', "
                                   "'Luce', '" + std::string(300, 'x') + "')";
        std::string message = Failure([&] { ExecWith(FQrySel, insert); });
        EXPECT_EQ(message, Database() + c.Why + ": \"" + insert.substr(0, 79) + "\u2026\" was not run");

        // An edit through the catalogue fails at its post and stays pending.
        FQryInc->Edit();
        FQryInc->FieldByName("AREA").SetAsString("Ovunque");
        EXPECT_NE(Failure([&] { FQryInc->Post(); }).find(Database() + c.Why), std::string::npos);
        EXPECT_EQ(FQryInc->State(), dsEdit);
        FQryInc->Cancel();
        FConnection->Close();
        EXPECT_EQ(Bytes(DatabaseFile()), before);
    }
    ExpectNoCompanionFiles();
}

TEST_F(DataFaults, ADatabaseLockedByAnotherWriterIsReadButNotWritten) {
    FConnection->Open();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(DatabaseFile().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO SELEZIONATI (INCANTESIMO) VALUES ('Altrui')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const std::string before = Bytes(DatabaseFile());
    OpenWith(FQrySel, "SELECT * FROM SELEZIONATI");
    EXPECT_EQ(FQrySel->RecordCount(), 0) << "the other program's row is not committed";
    EXPECT_EQ(Failure([&] { ExecWith(FQrySel, "DELETE * FROM SELEZIONATI"); }),
              Database() + "is locked by another program: \"DELETE * FROM SELEZIONATI\" was not run");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(other);
    FConnection->Close();
    EXPECT_EQ(Bytes(DatabaseFile()), before);
}

TEST_F(DataFaults, AMissingTableOrColumnIsNamed) {
    // The catalogue's indexes hold every column.
    RawExec(DatabaseFile(), "DROP TABLE SELEZIONATI; "
            "DROP INDEX INCANTESIMI_BARDO; DROP INDEX INCANTESIMI_CHIERICO; DROP INDEX INCANTESIMI_DRUIDO; "
            "DROP INDEX INCANTESIMI_MAGO_STREGONE; DROP INDEX INCANTESIMI_PALADINO; DROP INDEX INCANTESIMI_RANGER; "
            "ALTER TABLE INCANTESIMI DROP COLUMN DESCRIZIONE");
    const std::string before = Bytes(DatabaseFile());
    EXPECT_EQ(Failure([&] { OpenWith(FQrySel, "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO"); }),
              Database() + "has no table SELEZIONATI: \"SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO\" was not run");
    EXPECT_EQ(Failure([&] { OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE DESCRIZIONE = ''"); }),
              Database() + "has no column DESCRIZIONE: \"SELECT * FROM INCANTESIMI WHERE DESCRIZIONE = ''\" was not run");
    EXPECT_EQ(Failure([&] { ExecWith(FQryInc, "INSERT INTO INCANTESIMI (DESCRIZIONE) VALUES ('1')"); }),
              Database() + "has no column DESCRIZIONE in table INCANTESIMI: \"INSERT INTO INCANTESIMI "
                           "(DESCRIZIONE) VALUES ('1')\" was not run");
    // What is not about the file keeps the engine's words.
    EXPECT_EQ(Failure([&] { OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE"); }),
              Database() + "refused \"SELECT * FROM INCANTESIMI WHERE\": incomplete input");
    FConnection->Close();
    EXPECT_EQ(Bytes(DatabaseFile()), before);
}

TEST_F(DataFaults, ANulInsideATextValueIsKeptByTheFields) {
    int64_t id = AddSpell("Nullo", "Z");
    RawExec(DatabaseFile(), "UPDATE INCANTESIMI SET DESCRIZIONE = 'prima' || char(0) || 'dopo' WHERE ID = " +
                                std::to_string(id));
    const std::string before = Bytes(DatabaseFile());
    OpenWith(FQryInc, "SELECT * FROM INCANTESIMI WHERE BARDO = 'Z'");
    ASSERT_EQ(FQryInc->RecordCount(), 1);
    EXPECT_EQ(FQryInc->FieldByName("DESCRIZIONE").AsString(), std::string("prima\0dopo", 10));
    FConnection->Close();
    EXPECT_EQ(Bytes(DatabaseFile()), before);
}

} // namespace

namespace {

TEST_F(DataFaults, AStatementHoldingANulIsNotRunCut) {
    const std::string before = Bytes(DatabaseFile());
    const std::string statement("DELETE * FROM SELEZIONATI WHERE INCANTESIMO='a'\0' OR 1=1", 56);
    EXPECT_EQ(Failure([&] { ExecWith(FQrySel, statement); }),
              "The statement holds a NUL character and was not run: \"DELETE * FROM SELEZIONATI WHERE "
              "INCANTESIMO='a'\u2400' OR 1=1\"");
    FConnection->Close();
    EXPECT_EQ(Bytes(DatabaseFile()), before);
}

} // namespace
