#include "test_database.h"

#include "db/db_error.h"
#include "db/parameters.h"
#include "db/schema/schema.h"
#include "db/statement.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace pw::test {

TestDatabase::TestDatabase(bool schema)
{
    m_file = m_dir.filePath(QStringLiteral("suite.db"));
    {
        const QString name = QStringLiteral("setup-") + QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_file);
            if (!db.open())
                throw db::DbError(db.lastError().text());
            QString error;
            if (schema && !db::applySqliteSchema(db, &error))
                throw db::DbError(QStringLiteral("schema: ") + error);
            if (!schema)
                QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS Placeholder (Id INTEGER)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    m_connection.setConnectionString(connectionString());
    m_connection.open();
}

QString TestDatabase::connectionString() const
{
    return QStringLiteral("Provider=SQLite;Data Source=") + m_file;
}

void TestDatabase::exec(const QString& sql)
{
    db::Parameters none;
    db::runStatement(m_connection, sql, none, nullptr);
}

qint64 TestDatabase::insert(const QString& table, const QVariantMap& values)
{
    QStringList columns;
    QStringList markers;
    for (auto it = values.begin(); it != values.end(); ++it) {
        columns.append(QLatin1Char('[') + it.key() + QLatin1Char(']'));
        markers.append(QStringLiteral("?"));
    }
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                      .arg(table, columns.join(QLatin1Char(',')), markers.join(QLatin1Char(','))));
    int i = 0;
    for (auto it = values.begin(); it != values.end(); ++it)
        query.bindValue(i++, it.value());
    if (!query.exec())
        throw db::DbError(query.lastError().text());
    return query.lastInsertId().toLongLong();
}

QVariant TestDatabase::scalar(const QString& sql)
{
    QSqlQuery query(m_connection.database());
    if (!query.exec(sql))
        throw db::DbError(query.lastError().text());
    return query.next() ? query.value(0) : QVariant();
}

int TestDatabase::count(const QString& table, const QString& where)
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM [%1]%2")
                      .arg(table, where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toInt();
}

} // namespace pw::test
