#include "db/connection_string.h"

#include "db/db_error.h"

#include <QFileInfo>

namespace pw::db {
namespace {

// One "name=value" piece as written in the text.
struct RawPiece
{
    QString key;
    QString value;            // without its quotes; ODBC braces are kept
    qsizetype valueStart = 0; // where the value's text begins (at its quote, if any)
    qsizetype valueEnd = 0;   // one past the value's text (after its closing quote)
    QChar quote;              // the quote around the value, or none
};

// Walks the pieces of a connection string. Strict, it throws DbError at the first
// fault; lenient (for masking), it takes what it can and never throws.
QList<RawPiece> scanPieces(const QString& text, bool strict)
{
    QList<RawPiece> pieces;
    auto fault = [strict](const QString& message) {
        if (strict)
            throw DbError(QStringLiteral("Malformed connection string: ") + message);
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && (text[i] == QLatin1Char(';') || text[i].isSpace()))
            ++i;
        if (i >= n)
            break;
        const qsizetype keyStart = i;
        while (i < n && text[i] != QLatin1Char('=') && text[i] != QLatin1Char(';'))
            ++i;
        RawPiece piece;
        piece.key = text.mid(keyStart, i - keyStart).trimmed();
        if (i >= n || text[i] != QLatin1Char('=')) {
            fault(QStringLiteral("\"%1\" has no value").arg(piece.key));
            continue;
        }
        if (piece.key.isEmpty())
            fault(QStringLiteral("a value has no name"));
        ++i; // '='
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
        piece.valueStart = i;
        const QChar first = i < n ? text[i] : QChar();
        if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
            piece.quote = first;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == first) {
                    if (i + 1 < n && text[i + 1] == first) { // a doubled quote stands for itself
                        piece.value += first;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                piece.value += text[i++];
            }
            piece.valueEnd = i;
            if (!closed)
                fault(QStringLiteral("the value of \"%1\" has no closing quote").arg(piece.key));
            while (i < n && text[i] == QLatin1Char(' '))
                ++i;
            if (i < n && text[i] != QLatin1Char(';')) {
                fault(QStringLiteral("the value of \"%1\" goes on after its closing quote").arg(piece.key));
                while (i < n && text[i] != QLatin1Char(';'))
                    ++i;
            }
        } else {
            qsizetype end = -1;
            if (first == QLatin1Char('{')) {
                // An ODBC value in braces may hold semicolons; "}}" stands for "}".
                qsizetype j = i + 1;
                while (j < n) {
                    if (text[j] == QLatin1Char('}')) {
                        if (j + 1 < n && text[j + 1] == QLatin1Char('}')) {
                            j += 2;
                            continue;
                        }
                        break;
                    }
                    ++j;
                }
                qsizetype after = j + 1;
                while (after < n && text[after] == QLatin1Char(' '))
                    ++after;
                // Braces that do not close the value are just part of it.
                if (j < n && (after >= n || text[after] == QLatin1Char(';')))
                    end = j + 1;
            }
            if (end < 0) {
                end = i;
                while (end < n && text[end] != QLatin1Char(';'))
                    ++end;
                while (end > i && text[end - 1].isSpace())
                    --end;
            }
            piece.valueEnd = end;
            piece.value = text.mid(i, end - i);
            i = end;
            while (i < n && text[i] != QLatin1Char(';'))
                ++i;
        }
        pieces.append(piece);
    }
    return pieces;
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
    return provider.section(QLatin1Char('.'), 0, 0).compare(QLatin1String("MSDASQL"), Qt::CaseInsensitive) ==
           0;
}

bool isBraced(const QString& value)
{
    return value.size() >= 2 && value.startsWith(QLatin1Char('{')) && value.endsWith(QLatin1Char('}'));
}

QString unbraced(const QString& value)
{
    if (!isBraced(value))
        return value;
    QString inner = value.mid(1, value.size() - 2);
    inner.replace(QLatin1String("}}"), QLatin1String("}"));
    return inner;
}

// A value of the ADO string: braces around it only keep its semicolons together.
QString adoValue(const QList<QPair<QString, QString>>& pieces, const QString& key)
{
    return unbraced(pieceValue(pieces, key));
}

// A literal value written into an ODBC text: inside braces when it holds a
// separator or a brace, or starts or ends with a blank.
QString odbcLiteral(const QString& value)
{
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) ||
        value.contains(QLatin1Char('}')) || value.startsWith(QLatin1Char(' ')) ||
        value.endsWith(QLatin1Char(' '))) {
        QString escaped = value;
        escaped.replace(QLatin1String("}"), QLatin1String("}}"));
        return QLatin1Char('{') + escaped + QLatin1Char('}');
    }
    return value;
}

// A value taken over from an ODBC text, already braced when it needed to be.
QString odbcValue(const QString& value)
{
    return isBraced(value) ? value : odbcLiteral(value);
}

// The pieces of an ODBC text, or none when it cannot be read.
QList<QPair<QString, QString>> odbcPieces(const QString& odbc)
{
    try {
        return parseConnectionString(odbc);
    } catch (const DbError&) {
        return {};
    }
}

QString withClosingSemicolon(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || trimmed.endsWith(QLatin1Char(';')) ? trimmed : trimmed + QLatin1Char(';');
}

ConnectionTarget sqlServerTarget(const QList<QPair<QString, QString>>& pieces)
{
    const QString server = adoValue(pieces, QStringLiteral("Data Source")).trimmed();
    if (server.isEmpty())
        throw DbError(QStringLiteral("The connection string names no server (Data Source)"));
    ConnectionTarget target;
    target.engine = Engine::SqlServer;
    target.driver = QStringLiteral("QODBC");
    target.userName = adoValue(pieces, QStringLiteral("User ID"));
    target.password = adoValue(pieces, QStringLiteral("Password"));
    QString driver = adoValue(pieces, QStringLiteral("Driver")).trimmed();
    if (driver.isEmpty())
        driver = defaultSqlServerOdbcDriver();
    const bool freeTds = driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive);

    QString odbc = QStringLiteral("DRIVER={%1};").arg(driver);
    if (freeTds) {
        // FreeTDS wants the port on its own; "host,port" is SQL Server's own way of
        // naming one, which Microsoft's drivers read as it is. A named instance
        // ("host\SQLEXPRESS") finds its port through the server's browser service.
        QString host = server;
        QString port;
        if (host.contains(QLatin1Char(','))) {
            port = host.section(QLatin1Char(','), 1).trimmed();
            host = host.section(QLatin1Char(','), 0, 0).trimmed();
        }
        if (port.isEmpty() && !host.contains(QLatin1Char('\\')))
            port = QStringLiteral("1433");
        odbc += QStringLiteral("SERVER=%1;").arg(odbcLiteral(host));
        if (!port.isEmpty())
            odbc += QStringLiteral("PORT=%1;").arg(odbcLiteral(port));
    } else {
        odbc += QStringLiteral("SERVER=%1;").arg(odbcLiteral(server));
    }
    const QString catalog = adoValue(pieces, QStringLiteral("Initial Catalog")).trimmed();
    if (!catalog.isEmpty())
        odbc += QStringLiteral("DATABASE=%1;").arg(odbcLiteral(catalog));
    if (adoValue(pieces, QStringLiteral("Integrated Security"))
            .compare(QLatin1String("SSPI"), Qt::CaseInsensitive) == 0)
        odbc += QStringLiteral("Trusted_Connection=Yes;");
    if (freeTds)
        odbc += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;");
    target.databaseName = odbc;
    return target;
}

ConnectionTarget odbcTarget(const QList<QPair<QString, QString>>& pieces)
{
    ConnectionTarget target;
    target.engine = Engine::Odbc;
    target.driver = QStringLiteral("QODBC");
    target.userName = adoValue(pieces, QStringLiteral("User ID"));
    target.password = adoValue(pieces, QStringLiteral("Password"));
    const QString dsn = adoValue(pieces, QStringLiteral("Data Source")).trimmed();
    QString odbc = withClosingSemicolon(pieceValue(pieces, QStringLiteral("Extended Properties")));
    if (odbc.isEmpty()) {
        // The ODBC part is whatever is not ADO's own.
        static const QStringList adoKeys{
            QStringLiteral("Provider"),        QStringLiteral("Persist Security Info"),
            QStringLiteral("User ID"),         QStringLiteral("Password"),
            QStringLiteral("Initial Catalog"), QStringLiteral("Data Source")};
        for (const auto& piece : pieces) {
            if (!adoKeys.contains(piece.first, Qt::CaseInsensitive))
                odbc += piece.first + QLatin1Char('=') + odbcValue(piece.second) + QLatin1Char(';');
        }
    }
    const auto inner = odbcPieces(odbc);
    const bool namesSource = has(inner, QStringLiteral("DSN")) || has(inner, QStringLiteral("DRIVER")) ||
                             has(inner, QStringLiteral("FILEDSN"));
    // ADO's Data Source of this provider is the ODBC data source name.
    if (!dsn.isEmpty() && !namesSource)
        odbc = QStringLiteral("DSN=%1;").arg(odbcLiteral(dsn)) + odbc;
    else if (!namesSource)
        throw DbError(QStringLiteral("The ODBC connection string names no driver or data source"));
    const QString catalog = adoValue(pieces, QStringLiteral("Initial Catalog")).trimmed();
    if (!catalog.isEmpty() && !has(inner, QStringLiteral("DATABASE")))
        odbc += QStringLiteral("DATABASE=%1;").arg(odbcLiteral(catalog));
    target.databaseName = odbc;
    return target;
}

ConnectionTarget sqliteTarget(const QList<QPair<QString, QString>>& pieces)
{
    const QString file = adoValue(pieces, QStringLiteral("Data Source")).trimmed();
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

QString pieceValue(const QList<QPair<QString, QString>>& pieces, const QString& key)
{
    for (const auto& piece : pieces) {
        if (piece.first.compare(key, Qt::CaseInsensitive) == 0)
            return piece.second;
    }
    return {};
}

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
    for (const RawPiece& piece : scanPieces(text, true))
        pieces.append({piece.key, piece.value});
    return pieces;
}

ConnectionTarget resolveConnectionString(const QString& text)
{
    if (text.trimmed().isEmpty())
        throw DbError(QStringLiteral("The connection string is empty"));
    const auto pieces = parseConnectionString(text);
    if (!has(pieces, QStringLiteral("Provider")))
        throw DbError(QStringLiteral("The connection string names no provider"));
    const QString provider = pieceValue(pieces, QStringLiteral("Provider")).trimmed();
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
    QString result = text;
    const QList<RawPiece> pieces = scanPieces(text, false);
    // From the back, so that the earlier positions stay right.
    for (auto it = pieces.crbegin(); it != pieces.crend(); ++it) {
        const RawPiece& piece = *it;
        const qsizetype length = piece.valueEnd - piece.valueStart;
        if (piece.key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0 ||
            piece.key.compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0) {
            if (!piece.value.trimmed().isEmpty())
                result.replace(piece.valueStart, length, QString(8, QLatin1Char('*')));
        } else if (piece.key.compare(QLatin1String("Extended Properties"), Qt::CaseInsensitive) == 0 &&
                   !piece.quote.isNull()) {
            // An ODBC string inside may carry its own PWD.
            const qsizetype innerLength = qMax<qsizetype>(0, length - 2);
            result.replace(piece.valueStart + 1, innerLength,
                           maskPassword(text.mid(piece.valueStart + 1, innerLength)));
        }
    }
    return result;
}

QString odbcConnectText(const ConnectionTarget& target)
{
    QString text = withClosingSemicolon(target.databaseName);
    const auto pieces = odbcPieces(text);
    if (!target.userName.isEmpty() && !has(pieces, QStringLiteral("UID")))
        text += QStringLiteral("UID=%1;").arg(odbcLiteral(target.userName));
    if (!target.password.isEmpty() && !has(pieces, QStringLiteral("PWD")))
        text += QStringLiteral("PWD=%1;").arg(odbcLiteral(target.password));
    return text;
}

QString qodbcDatabaseName(const QString& odbcText)
{
    auto startsWithKey = [&odbcText](const char* key) {
        return odbcText.startsWith(QLatin1String(key), Qt::CaseInsensitive);
    };
    if (odbcText.contains(QLatin1String(".dsn"), Qt::CaseInsensitive))
        return startsWithKey("FILEDSN=") ? odbcText.mid(8) : odbcText;
    if (odbcText.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive) ||
        odbcText.contains(QLatin1String("SERVER="), Qt::CaseInsensitive))
        return odbcText;
    return startsWithKey("DSN=") ? odbcText.mid(4) : odbcText;
}

} // namespace pw::db
