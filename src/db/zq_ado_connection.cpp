#include "db/zq_ado_connection.h"

#include "db/connection.h"
#include "db/connection_dialog.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform/platform.h"

TZqAdoConnection::TZqAdoConnection() : FCompanyName(QStringLiteral("Zenquil")) {}

void TZqAdoConnection::SetApplicationName(const QString& name)
{
    FApplicationName = name;
    FRegistryName.KeyPath = QStringLiteral("\\Software\\") + FCompanyName + QLatin1Char('\\') + name;
}

QString TZqAdoConnection::BuildConnectionString(const TConnectionDefaults& d)
{
    QString provider;
    QString extra;
    switch (d.Kind) {
    case ckSqlServer:
        provider = QStringLiteral("SQLOLEDB.1");
        break;
    case ckFoxProTables:
        provider = QStringLiteral("MSDASQL.1");
        extra = QStringLiteral("Extended Properties=") + QLatin1Char('"') +
                QStringLiteral("Driver={Microsoft Visual FoxPro Driver};SourceDB=") + d.SourceFolder +
                QLatin1Char(';') + QStringLiteral("SourceType=DBF;") +
                QStringLiteral("Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=No;Deleted=Yes;") +
                QLatin1Char('"');
        break;
    case ckAccess:
        provider = QStringLiteral("MSDASQL.1");
        extra =
            QStringLiteral("DRIVER=Microsoft Access Driver (*.mdb);UID=admin;UserCommitSync=Yes;Threads=3;"
                           "SafeTransactions=0;PageTimeout=5;MaxScanRows=8;MaxBufferSize=2048;FIL=MS Access;"
                           "DriverId=25;DefaultDir=") +
            d.SourceFolder + QLatin1Char(';') + QStringLiteral("DBQ=") + d.DatabaseFile + QLatin1Char(';');
        break;
    }
    return QStringLiteral("Provider=") + provider + QLatin1Char(';') +
           QStringLiteral("Persist Security Info=True;") + QStringLiteral("User ID=") + d.UserID +
           QLatin1Char(';') + QStringLiteral("Password=") + d.Password + QLatin1Char(';') +
           QStringLiteral("Initial Catalog=") + d.InitialCatalog + QLatin1Char(';') +
           QStringLiteral("Data Source=") + d.DataSource + QLatin1Char(';') + extra;
}

void TZqAdoConnection::SetDefaults(const TConnectionDefaults& defaults)
{
    FDefaults = defaults;
    FConnectionString = BuildConnectionString(defaults);
}

bool TZqAdoConnection::Connect(pw::db::Connection& connection)
{
    try {
        connection.close();
        const QString text = GetConnectionString();
        connection.setConnectionString(text);
        connection.open();
        SetLastAttemptFailed(false);
        return true;
    } catch (...) {
        SetLastAttemptFailed(true);
        throw;
    }
}

bool TZqAdoConnection::ConnectWithDefaults(pw::db::Connection& connection, int index)
{
    TConnectionDefaults defaults;
    switch (index) {
    case 0:
        SetApplicationName(QStringLiteral("Orvo"));
        FConnectionName = QStringLiteral("Msde");
        defaults = {
            ckSqlServer, QStringLiteral("orvo"), QString(), QStringLiteral("bbSql"), kShopServerAddress, {},
            {}};
        break;
    case 1:
        defaults = {
            ckSqlServer, QStringLiteral("sa"), QString(), kLocalCatalog, QStringLiteral("127.0.0.1"), {}, {}};
        break;
    case 2:
        defaults = {ckFoxProTables, {}, {}, {}, {}, QStringLiteral("c:\\zq"), {}};
        break;
    default:
        throw pw::Exception(QStringLiteral("No connection defaults specified"));
    }
    SetDefaults(defaults);
    return Connect(connection);
}

void TZqAdoConnection::BuildValueNames()
{
    FRegistryName.ConnectionStringValue =
        FConnectionName + QLatin1Char('-') + QStringLiteral("ConnectionString");
    FRegistryName.FailedValue = FConnectionName + QLatin1Char('-') + QStringLiteral("Failed");
}

QString TZqAdoConnection::GetConnectionString()
{
    BuildValueNames();
    pw::platform::Registry& registry = pw::platform::registry();
    if (!registry.openKey(FRegistryName.KeyPath, true))
        return {};
    const QString profile =
        QLatin1Char('[') + FApplicationName + QLatin1Char(':') + FConnectionName + QLatin1Char(']');
    if (!registry.valueExists(FRegistryName.KeyPath, FRegistryName.ConnectionStringValue)) {
        ShowInfoMsg(QStringLiteral("Use the following window to specify a connection string for ") + profile);
        PromptConnectionString();
    } else if (LastAttemptFailed()) {
        ShowInfoMsg(QStringLiteral("The last attempt to connect to ") + profile + QStringLiteral(" failed") +
                    QStringLiteral("\r\r") +
                    QStringLiteral("Use the next window to verify the connection settings are correct"));
        FConnectionString = registry.readString(FRegistryName.KeyPath, FRegistryName.ConnectionStringValue)
                                .value_or(QString());
        PromptConnectionString();
    }
    return registry.readString(FRegistryName.KeyPath, FRegistryName.ConnectionStringValue)
        .value_or(QString());
}

void TZqAdoConnection::PromptConnectionString()
{
    SaveConnectionString(EditConnectionString(FConnectionString));
}

void TZqAdoConnection::SaveConnectionString(const QString& text)
{
    BuildValueNames();
    pw::platform::Registry& registry = pw::platform::registry();
    if (registry.openKey(FRegistryName.KeyPath, true))
        registry.writeString(FRegistryName.KeyPath, FRegistryName.ConnectionStringValue, text);
}

bool TZqAdoConnection::LastAttemptFailed()
{
    BuildValueNames();
    pw::platform::Registry& registry = pw::platform::registry();
    if (!registry.openKey(FRegistryName.KeyPath, true))
        throw pw::Exception(QStringLiteral("Failed to open the registry key ") + FRegistryName.KeyPath);
    return registry.readBool(FRegistryName.KeyPath, FRegistryName.FailedValue).value_or(false);
}

void TZqAdoConnection::SetLastAttemptFailed(bool failed)
{
    BuildValueNames();
    pw::platform::Registry& registry = pw::platform::registry();
    if (!registry.openKey(FRegistryName.KeyPath, true))
        throw pw::Exception(QStringLiteral("Failed to open the registry key ") + FRegistryName.KeyPath);
    registry.writeBool(FRegistryName.KeyPath, FRegistryName.FailedValue, failed);
}
