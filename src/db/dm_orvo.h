#pragma once

#include "db/connection.h"
#include "db/zq_ado_connection.h"

#include <memory>

// The data module: the process's one database connection `con` and the
// connection profile it is opened from.
class TdmOrvo
{
public:
    TdmOrvo();
    ~TdmOrvo();
    TdmOrvo(const TdmOrvo&) = delete;
    TdmOrvo& operator=(const TdmOrvo&) = delete;

    // Opens `con` from the "Orvo" / "Msde" profile; a failure is reported, never raised.
    void SetConnected();
    bool IsConnected() const { return con.connected(); }

    TZqAdoConnection& Connector() { return *FConnector; }
    const TConnectionDefaults& Defaults() const { return FDefaults; }

    pw::db::Connection con;

private:
    void DataModuleCreate();
    void DataModuleDestroy();

    std::unique_ptr<TZqAdoConnection> FConnector;
    TConnectionDefaults FDefaults;
    QString FApplicationName;
    QString FConnectionName;
};

// The process's one data module, made first at start-up.
extern TdmOrvo* dmOrvo;
