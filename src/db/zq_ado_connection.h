#pragma once

#include <QString>

#include <cstdint>

namespace pw::db {
class Connection;
}

// What kind of data source a default connection string is built for.
enum TConnectionKind : std::uint8_t
{
    ckSqlServer = 0,
    ckFoxProTables = 1,
    ckAccess = 2
};

// The defaults the default connection string is built from.
struct TConnectionDefaults
{
    TConnectionKind Kind = ckSqlServer;
    QString UserID;
    QString Password;
    QString InitialCatalog;
    QString DataSource;
    QString SourceFolder; // FoxPro tables, or the Access database's default folder
    QString DatabaseFile; // Access database
};

// Where a connection profile lives in the registry.
struct TRegistryName
{
    QString KeyPath;
    QString FailedValue;
    QString ConnectionStringValue;
};

// Deployment values: the shop's database server on its local network, and the
// catalog of a database kept on the workstation itself.
inline const QString kShopServerAddress = QStringLiteral("192.168.0.10");
inline const QString kLocalCatalog = QStringLiteral("bbSqlLocal");

// A named connection profile kept per computer in the registry: read, offered
// for correction when missing or after a failed attempt, stored, and applied.
class TZqAdoConnection
{
public:
    TZqAdoConnection();
    virtual ~TZqAdoConnection() = default;

    // Opens the connection with the stored profile. Records whether the attempt
    // failed; failures reach the caller.
    virtual bool Connect(pw::db::Connection& connection);
    // The same with built-in profile 0, 1 or 2; any other raises "No connection defaults specified".
    virtual bool ConnectWithDefaults(pw::db::Connection& connection, int index);

    void SetApplicationName(const QString& name);
    void SetConnectionName(const QString& name) { FConnectionName = name; }
    void SetDefaults(const TConnectionDefaults& defaults);

    QString GetConnectionString();
    void SaveConnectionString(const QString& text);
    void PromptConnectionString();
    bool LastAttemptFailed();
    void SetLastAttemptFailed(bool failed);
    void BuildValueNames();

    // The connection string the defaults make, pieces in the suite's order.
    static QString BuildConnectionString(const TConnectionDefaults& defaults);

    const TRegistryName& RegistryName() const { return FRegistryName; }
    const QString& ConnectionString() const { return FConnectionString; }
    const QString& ConnectionName() const { return FConnectionName; }
    const QString& ApplicationName() const { return FApplicationName; }
    const QString& CompanyName() const { return FCompanyName; }
    const TConnectionDefaults& Defaults() const { return FDefaults; }

private:
    TRegistryName FRegistryName;
    QString FConnectionString;
    QString FConnectionName;
    QString FApplicationName;
    TConnectionDefaults FDefaults;
    QString FCompanyName;
};
