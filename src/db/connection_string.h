#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace pw::db {

// The engines the program talks to.
enum class Engine { SqlServer, Odbc, Sqlite };

// What it takes to open a connection with Qt SQL, derived from an ADO-style
// connection string ("Provider=SQLOLEDB.1;User ID=...;...").
struct ConnectionTarget
{
    Engine engine = Engine::SqlServer;
    QString driver;       // Qt SQL driver name: "QODBC" or "QSQLITE"
    QString databaseName; // the ODBC connection text, or the SQLite file
    QString userName;
    QString password;
};

// Splits "a=b;c=d" into its pieces, keeping their order; values may be quoted with
// double or single quotes (a quoted value may hold semicolons).
// Throws DbError naming the fault when the text is malformed.
QList<QPair<QString, QString>> parseConnectionString(const QString& text);

// Throws DbError naming what is wrong: an unknown provider, a malformed string,
// a missing data source.
ConnectionTarget resolveConnectionString(const QString& text);

// The same text with every password's value replaced by asterisks.
QString maskPassword(const QString& text);

// The ODBC driver used for SQL Server when the string does not name one.
QString defaultSqlServerOdbcDriver();

} // namespace pw::db
