#pragma once
#include "classlib/Component.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
class TADOQuery;

enum class TConnectMode {
    cmUnknown,
    cmRead,
    cmWrite,
    cmReadWrite,
    cmShareDenyRead,
    cmShareDenyWrite,
    cmShareExclusive,
    cmShareDenyNone
};
using enum TConnectMode;
VMR_ENUM_NAMES(TConnectMode, "cmUnknown", "cmRead", "cmWrite", "cmReadWrite", "cmShareDenyRead",
               "cmShareDenyWrite", "cmShareExclusive", "cmShareDenyNone")

// A connection to a database file named by the Data Source of its connection string, opened with the
// embedded SQLite engine whatever desktop provider the string names. The file is opened relative to the
// current folder and never created; opening writes nothing to it. It is opened read-write, or read-only in
// cmRead mode and when the file or its folder cannot be written.
class TADOConnection : public TComponent {
    VMR_CLASS(TADOConnection, TComponent)

  public:
    static void PublishProperties(TPublisher<TADOConnection>& p);
    ~TADOConnection() override;

    // Kept exactly as set; read for Provider and Data Source when the connection opens.
    const std::string& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const std::string& value);
    // The Provider of the connection string, or the one set here when the string has none.
    std::string Provider() const;
    void SetProvider(const std::string& value) { FProvider = value; }
    bool Connected() const { return FDb != nullptr; }
    // Set while a layout is read, the connection opens when the layout is loaded.
    void SetConnected(bool value);
    void Open();
    // Closes the datasets first, posting their pending edits; a failing post leaves everything open.
    void Close();
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool value) { FLoginPrompt = value; }
    TConnectMode Mode() const { return FMode; }
    void SetMode(TConnectMode value) { FMode = value; }
    bool KeepConnection() const { return FKeepConnection; }
    void SetKeepConnection(bool value) { FKeepConnection = value; }
    // Accepted for the layouts; a busy database is waited for a short fixed time (BusyTimeoutMs).
    int ConnectionTimeout() const { return FConnectionTimeout; }
    void SetConnectionTimeout(int value) { FConnectionTimeout = value; }
    static constexpr int BusyTimeoutMs = 2000;
    // The full path of the open database file.
    const std::string& FileName() const { return FFileName; }

    // The statements the application ran through this connection, as it wrote them.
    const std::vector<std::string>& StatementLog() const { return FStatementLog; }
    void ClearStatementLog() { FStatementLog.clear(); }

    TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

    void Loaded() override;

  protected:
    explicit TADOConnection(TComponent* owner) : TComponent(owner) {}

  private:
    friend class TADOQuery;
    // Opens when needed; the engine's handle.
    sqlite3* Handle();
    void LogStatement(const std::string& sql) { FStatementLog.push_back(sql); }
    void AddDataSet(TADOQuery* query);
    void RemoveDataSet(TADOQuery* query);
    std::string DatabasePath() const;
    void CloseHandle();

    std::string FConnectionString;
    std::string FProvider;
    std::string FFileName;
    bool FLoginPrompt = true;
    bool FKeepConnection = true;
    bool FStreamedConnected = false;
    int FConnectionTimeout = 15;
    TConnectMode FMode = cmUnknown;
    sqlite3* FDb = nullptr;
    std::vector<TADOQuery*> FDataSets;
    std::vector<std::string> FStatementLog;
};

// The value of a key of a connection string ("Key=Value;..."; keys in any case, values optionally in double
// quotes), or empty.
std::string ConnectionStringValue(std::string_view connectionString, std::string_view key);
