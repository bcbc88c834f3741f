#include "db/connection.h"

#include "db/connection_string.h"
#include "db/db_error.h"

#include <QSqlError>
#include <QUuid>

namespace pw::db {

Connection::Connection() : m_name(QStringLiteral("pw-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void Connection::open()
{
    close();
    const ConnectionTarget target = resolveConnectionString(m_connectionString);
    if (!QSqlDatabase::isDriverAvailable(target.driver))
        throw DbError(QStringLiteral("The database driver %1 is not installed").arg(target.driver));
    {
        QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                         : QSqlDatabase::addDatabase(target.driver, m_name);
        if (db.driverName() != target.driver) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            db = QSqlDatabase::addDatabase(target.driver, m_name);
        }
        if (target.driver == QLatin1String("QODBC")) {
            // QODBC pastes ";UID=" and ";PWD=" on unbraced, so a password holding a
            // semicolon would break the text: the credentials go in braced instead.
            db.setDatabaseName(qodbcDatabaseName(odbcConnectText(target)));
            db.setUserName(QString());
            db.setPassword(QString());
        } else {
            db.setDatabaseName(target.databaseName);
            db.setUserName(target.userName);
            db.setPassword(target.password);
        }
        if (target.engine == Engine::Sqlite)
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            QString reason = db.lastError().text().trimmed();
            if (!target.password.isEmpty())
                reason.replace(target.password, QStringLiteral("********"));
            throw DbError(reason.isEmpty() ? QStringLiteral("The database could not be opened") : reason);
        }
        m_dialect = Dialect::forEngine(target.engine);
        m_dialectFor = m_connectionString;
        m_dialect->prepareConnection(db);
    }
    m_open = true;
}

void Connection::close()
{
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    m_open = false;
}

bool Connection::connected() const
{
    if (!m_open || !QSqlDatabase::contains(m_name))
        return false;
    return QSqlDatabase::database(m_name, false).isOpen();
}

const Dialect& Connection::dialect() const
{
    if (!m_dialect || m_dialectFor != m_connectionString) {
        Engine engine = Engine::SqlServer;
        try {
            const auto pieces = parseConnectionString(m_connectionString);
            for (const auto& piece : pieces) {
                if (piece.first.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0 &&
                    piece.second.trimmed().compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
                    engine = Engine::Sqlite;
            }
        } catch (const DbError&) {
        }
        m_dialect = Dialect::forEngine(engine);
        m_dialectFor = m_connectionString;
    }
    return *m_dialect;
}

QSqlDatabase Connection::database() const
{
    if (!connected())
        throw DbError(QStringLiteral("The database connection is not open"));
    return QSqlDatabase::database(m_name, false);
}

bool Connection::looksLikeLostConnection(const QString& driverError)
{
    static const char* const signs[] = {"08S01",
                                        "08003",
                                        "08001",
                                        "Communication link",
                                        "not open",
                                        "connection is not open",
                                        "disk I/O error",
                                        "unable to open",
                                        "database disk image",
                                        "Connection reset",
                                        "Broken pipe",
                                        "server closed"};
    for (const char* sign : signs) {
        if (driverError.contains(QLatin1String(sign), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace pw::db
