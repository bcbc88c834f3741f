#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace pw::db {

// The engines the program talks to.
enum class Engine
{
    SqlServer,
    Odbc,
    Sqlite
};

// What it takes to open a connection with Qt SQL, derived from an ADO-style
// connection string ("Provider=SQLOLEDB.1;User ID=...;...").
struct ConnectionTarget
{
    Engine engine = Engine::SqlServer;
    QString driver;       // Qt SQL driver name: "QODBC" or "QSQLITE"
    QString databaseName; // the ODBC connection text without credentials, or the SQLite file
    QString userName;
    QString password;
};

// Splits "a=b;c=d" into its pieces, keeping their order; values may be quoted with
// double or single quotes, or enclosed in ODBC braces (kept in the value), and then
// may hold semicolons. Throws DbError naming the fault when the text is malformed.
QList<QPair<QString, QString>> parseConnectionString(const QString& text);

// The value of the first piece with the key, compared without regard to case; empty when none has it.
QString pieceValue(const QList<QPair<QString, QString>>& pieces, const QString& key);

// Throws DbError naming what is wrong: an unknown provider, a malformed string,
// a missing data source.
ConnectionTarget resolveConnectionString(const QString& text);

// The same text with every password's value replaced by asterisks. Never throws:
// it is meant for texts that may be broken.
QString maskPassword(const QString& text);

// The ODBC driver used for SQL Server when the string does not name one.
QString defaultSqlServerOdbcDriver();

// The complete ODBC connection text of an ODBC target: its databaseName with the
// user and password added as UID and PWD (braced when they hold separators),
// unless the text already carries them.
QString odbcConnectText(const ConnectionTarget& target);

// What QODBC must be given as its database name so that the text it hands the
// driver manager is exactly odbcText: QODBC puts "DSN=" before a text naming no
// driver or server, and "FILEDSN=" before one mentioning a .dsn file.
QString qodbcDatabaseName(const QString& odbcText);

} // namespace pw::db
