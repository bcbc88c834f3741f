#include "db/dm_orvo.h"

#include "db/connection_string.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"

TdmOrvo* dmOrvo = nullptr;

TdmOrvo::TdmOrvo()
{
    DataModuleCreate();
}

TdmOrvo::~TdmOrvo()
{
    DataModuleDestroy();
}

void TdmOrvo::DataModuleCreate()
{
    FConnector = std::make_unique<TZqAdoConnection>();
    con.close();
    FApplicationName = QStringLiteral("Orvo");
    FConnectionName = QStringLiteral("Msde");
    FDefaults = {ckSqlServer,
                 QStringLiteral("orvo"),
                 QStringLiteral("kvw"),
                 QStringLiteral("bbSql"),
                 kShopServerAddress,
                 {},
                 {}};
}

void TdmOrvo::DataModuleDestroy()
{
    FConnector.reset();
}

void TdmOrvo::SetConnected()
{
    auto report = [this](const QString& reason) {
        // The password stays off the screen: the kitchen is no place for it.
        ReportError(QStringLiteral("Connect to the orvo MSDE"),
                    reason + QStringLiteral("\rConnection String: ") +
                        pw::db::maskPassword(con.connectionString()),
                    QStringLiteral("TdmMain.SetConnected"));
    };
    try {
        con.close();
        FConnector->SetDefaults(FDefaults);
        FConnector->SetApplicationName(FApplicationName);
        FConnector->SetConnectionName(FConnectionName);
        FConnector->Connect(con);
    } catch (const std::exception& e) {
        report(pw::messageOf(e));
    } catch (...) {
        // Start-up decides what happens next from IsConnected, so nothing may escape here.
        report(QStringLiteral("An exception of an unknown kind was raised"));
    }
}
