#include "startup/program.h"

#include "db/connection.h"
#include "db/db_error.h"
#include "db/query.h"
#include "platform/platform.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>

namespace pw::startup {

int runProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString keyPath = QStringLiteral("\\Software\\Zenquil\\Orvo");
    const auto text = platform::registry().readString(keyPath, QStringLiteral("Msde-ConnectionString"));
    db::Connection connection;
    connection.setConnectionString(text.value_or(QString()));
    QListWidget list;
    list.setWindowTitle(QStringLiteral("Order Preparation"));
    try {
        connection.open();
        db::Query query(&connection);
        query.setSql(QStringLiteral("SELECT OrderNum, NotifyName, TimeDue FROM Invoices ORDER BY TimeDue"));
        query.open();
        for (query.first(); !query.eof(); query.next())
            list.addItem(QStringLiteral("%1  %2  %3")
                             .arg(query.fieldByName(QStringLiteral("OrderNum")).asString(),
                                  query.fieldByName(QStringLiteral("NotifyName")).asString(),
                                  query.fieldByName(QStringLiteral("TimeDue")).asString()));
    } catch (const db::DbError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), e.message());
        return 1;
    }
    list.resize(480, 640);
    list.show();
    return app.exec();
}

} // namespace pw::startup
