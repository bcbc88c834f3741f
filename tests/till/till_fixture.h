#pragma once

#include "db/dm_orvo.h"
#include "platform_doubles.h"
#include "test_database.h"

// A fresh database behind the data module's connection, with every platform
// service a double. This computer is KITCHEN-1, logged on as cook.
struct TillFixture
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase db;
    TdmOrvo dm;

    TillFixture()
    {
        dm.con.setConnectionString(db.connectionString());
        dm.con.open();
        dmOrvo = &dm;
    }
    ~TillFixture() { dmOrvo = nullptr; }
    TillFixture(const TillFixture&) = delete;
    TillFixture& operator=(const TillFixture&) = delete;

    void addTill(int tillID, const QString& computer, const QString& login = QStringLiteral("waiter"))
    {
        db.insert(QStringLiteral("Tills"), {{QStringLiteral("TillID"), tillID},
                                            {QStringLiteral("Computer Name"), computer},
                                            {QStringLiteral("HD Serial"), QStringLiteral("0001-0002")},
                                            {QStringLiteral("Login Name"), login}});
    }
};
