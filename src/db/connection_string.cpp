#include "db/connection_string.h"

#include "db/db_error.h"

#include <QFileInfo>

namespace pw::db {
namespace {

QString valueOf(const QList<QPair<QString, QString>>& pieces, const QString& key)
{
    for (const auto& piece : pieces) {
        if (piece.first.compare(key, Qt::CaseInsensitive) == 0)
            return piece.second;
    }
    return {};
}

bool has(const QList<QPair<QString, QString>>& pieces, const QString& key)
{
    for (const auto& piece : pieces) {
        if (piece.first.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isSqlServerProvider(const QString& provider)
{
    const QString p = provider.section(QLatin1Char('.'), 0, 0).toUpper();
    return p == QLatin1String("SQLOLEDB") || p.startsWith(QLatin1String("SQLNCLI")) ||
           p.startsWith(QLatin1String("MSOLEDBSQL"));
}

bool isOdbcProvider(const QString& provider)
{
    return provider.section(QLatin1Char('.'), 0, 0).compare(QLatin1String("MSDASQL"), Qt::CaseInsensitive) == 0;
}

// ODBC values holding separators or braces go inside braces.
QString odbcValue(const QString& value)
{
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) || value.contains(QLatin1Char('}')) ||
        value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '))) {
        QString escaped = value;
        escaped.replace(QLatin1String("}"), QLatin1String("}}"));
        return QLatin1Char('{') + escaped + QLatin1Char('}');
    }
    return value;
}

ConnectionTarget sqlServerTarget(const QList<QPair<QString, QString>>& pieces)
{
    const QString server = valueOf(pieces, QStringLiteral("Data Source")).trimmed();
    if (server.isEmpty())
        throw DbError(QStringLiteral("The connection string names no server (Data Source)"));
    ConnectionTarget target;
    target.engine = Engine::SqlServer;
    target.driver = QStringLiteral("QODBC");
    target.userName = valueOf(pieces, QStringLiteral("User ID"));
    target.password = valueOf(pieces, QStringLiteral("Password"));
    QString driver = valueOf(pieces, QStringLiteral("Driver")).trimmed();
    if (driver.startsWith(QLatin1Char('{')) && driver.endsWith(QLatin1Char('}')))
        driver = driver.mid(1, driver.size() - 2);
    if (driver.isEmpty())
        driver = defaultSqlServerOdbcDriver();

    QString host = server;
    QString port;
    // "host,port" is SQL Server's way of naming a port.
    if (host.contains(QLatin1Char(','))) {
        port = host.section(QLatin1Char(','), 1).trimmed();
        host = host.section(QLatin1Char(','), 0, 0).trimmed();
    }
    QString odbc = QStringLiteral("DRIVER={%1};SERVER=%2;").arg(driver, odbcValue(host));
    if (!port.isEmpty())
        odbc += QStringLiteral("PORT=%1;").arg(port);
    const QString catalog = valueOf(pieces, QStringLiteral("Initial Catalog"));
    if (!catalog.isEmpty())
        odbc += QStringLiteral("DATABASE=%1;").arg(odbcValue(catalog));
    if (valueOf(pieces, QStringLiteral("Integrated Security")).compare(QLatin1String("SSPI"), Qt::CaseInsensitive) ==
        0)
        odbc += QStringLiteral("Trusted_Connection=Yes;");
    if (driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive) && !odbc.contains(QLatin1String("PORT=")))
        odbc += QStringLiteral("PORT=1433;");
    if (driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive))
        odbc += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;");
    target.databaseName = odbc;
    return target;
}

ConnectionTarget odbcTarget(const QList<QPair<QString, QString>>& pieces)
{
    ConnectionTarget target;
    target.engine = Engine::Odbc;
    target.driver = QStringLiteral("QODBC");
    target.userName = valueOf(pieces, QStringLiteral("User ID"));
    target.password = valueOf(pieces, QStringLiteral("Password"));
    QString odbc = valueOf(pieces, QStringLiteral("Extended Properties"));
    if (odbc.isEmpty()) {
        // The ODBC part is whatever is not ADO's own.
        static const QStringList adoKeys{QStringLiteral("Provider"), QStringLiteral("Persist Security Info"),
                                         QStringLiteral("User ID"), QStringLiteral("Password"),
                                         QStringLiteral("Initial Catalog"), QStringLiteral("Data Source")};
        for (const auto& piece : pieces) {
            if (!adoKeys.contains(piece.first, Qt::CaseInsensitive))
                odbc += piece.first + QLatin1Char('=') + odbcValue(piece.second) + QLatin1Char(';');
        }
        const QString dsn = valueOf(pieces, QStringLiteral("Data Source"));
        if (!dsn.isEmpty())
            odbc = QStringLiteral("DSN=%1;").arg(odbcValue(dsn)) + odbc;
    }
    if (odbc.trimmed().isEmpty())
        throw DbError(QStringLiteral("The ODBC connection string names no driver or data source"));
    target.databaseName = odbc;
    return target;
}

ConnectionTarget sqliteTarget(const QList<QPair<QString, QString>>& pieces)
{
    const QString file = valueOf(pieces, QStringLiteral("Data Source")).trimmed();
    if (file.isEmpty())
        throw DbError(QStringLiteral("The connection string names no SQLite database file (Data Source)"));
    // Opening a missing file would quietly create an empty database.
    if (!QFileInfo(file).isFile())
        throw DbError(QStringLiteral("The SQLite database file \"%1\" does not exist").arg(file));
    ConnectionTarget target;
    target.engine = Engine::Sqlite;
    target.driver = QStringLiteral("QSQLITE");
    target.databaseName = file;
    return target;
}

} // namespace

QString defaultSqlServerOdbcDriver()
{
#ifdef Q_OS_WIN
    return QStringLiteral("SQL Server");
#else
    return QStringLiteral("FreeTDS");
#endif
}

QList<QPair<QString, QString>> parseConnectionString(const QString& text)
{
    QList<QPair<QString, QString>> pieces;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        while (i < n && (text[i] == QLatin1Char(';') || text[i].isSpace()))
            ++i;
        if (i >= n)
            break;
        const int keyStart = i;
        while (i < n && text[i] != QLatin1Char('=') && text[i] != QLatin1Char(';'))
            ++i;
        const QString key = text.mid(keyStart, i - keyStart).trimmed();
        if (i >= n || text[i] != QLatin1Char('='))
            throw DbError(QStringLiteral("Malformed connection string: \"%1\" has no value").arg(key));
        if (key.isEmpty())
            throw DbError(QStringLiteral("Malformed connection string: a value has no name"));
        ++i; // '='
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
            const QChar quote = text[i++];
            bool closed = false;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) { // doubled quote stands for itself
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text[i++];
            }
            if (!closed)
                throw DbError(QStringLiteral("Malformed connection string: the value of \"%1\" has no closing quote")
                                  .arg(key));
            while (i < n && text[i] != QLatin1Char(';'))
                ++i;
        } else {
            const int valueStart = i;
            while (i < n && text[i] != QLatin1Char(';'))
                ++i;
            value = text.mid(valueStart, i - valueStart).trimmed();
        }
        pieces.append({key, value});
    }
    return pieces;
}

ConnectionTarget resolveConnectionString(const QString& text)
{
    if (text.trimmed().isEmpty())
        throw DbError(QStringLiteral("The connection string is empty"));
    const auto pieces = parseConnectionString(text);
    if (!has(pieces, QStringLiteral("Provider")))
        throw DbError(QStringLiteral("The connection string names no provider"));
    const QString provider = valueOf(pieces, QStringLiteral("Provider")).trimmed();
    if (isSqlServerProvider(provider))
        return sqlServerTarget(pieces);
    if (isOdbcProvider(provider))
        return odbcTarget(pieces);
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return sqliteTarget(pieces);
    throw DbError(QStringLiteral("Unknown provider \"%1\" in the connection string").arg(provider));
}

QString maskPassword(const QString& text)
{
    QString result;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        int end = i;
        QChar quote;
        // Find the end of this piece, stepping over quoted values.
        while (end < n && text[end] != QLatin1Char(';')) {
            if ((text[end] == QLatin1Char('"') || text[end] == QLatin1Char('\'')) && end > i &&
                text.mid(i, end - i).contains(QLatin1Char('='))) {
                quote = text[end];
                const int close = text.indexOf(quote, end + 1);
                end = close < 0 ? n : close + 1;
                continue;
            }
            ++end;
        }
        const QString piece = text.mid(i, end - i);
        const int eq = piece.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : piece.left(eq).trimmed();
        if (key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0 ||
            key.compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0) {
            const QString value = piece.mid(eq + 1);
            result += piece.left(eq + 1) + QString(value.trimmed().isEmpty() ? 0 : 8, QLatin1Char('*'));
        } else if (key.compare(QLatin1String("Extended Properties"), Qt::CaseInsensitive) == 0) {
            // An ODBC string inside may carry its own PWD.
            QString inner = piece.mid(eq + 1);
            const bool quoted = inner.size() >= 2 && (inner.startsWith(QLatin1Char('"')) || inner.startsWith(QLatin1Char('\'')));
            if (quoted)
                inner = inner.mid(1, inner.size() - 2);
            const QString masked = maskPassword(inner);
            result += piece.left(eq + 1) + (quoted ? piece.mid(eq + 1, 1) + masked + piece.right(1) : masked);
        } else {
            result += piece;
        }
        if (end < n)
            result += QLatin1Char(';');
        i = end + 1;
    }
    return result;
}

} // namespace pw::db
