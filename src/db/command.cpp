#include "db/command.h"

#include "db/connection.h"
#include "db/db_error.h"
#include "db/statement.h"

#include <QSqlQuery>

namespace pw::db {

void Command::setCommandText(const QString& text)
{
    m_text = text;
    m_insertSql.clear();
    m_identityParam.clear();
    if (m_paramCheck)
        m_params.deriveFrom(text);
}

void Command::setIdentityInsert(const QString& insertSql, const QString& idParam)
{
    if (!m_connection)
        throw DbError(QStringLiteral("The command has no connection"));
    setCommandText(m_connection->dialect().identityInsertText(insertSql, idParam));
    m_insertSql = insertSql;
    m_identityParam = idParam;
    Parameter& id = m_params.add(idParam);
    id.direction = ParamDirection::Output;
    id.dataType = QMetaType::Int;
}

int Command::execute()
{
    if (!m_connection)
        throw DbError(QStringLiteral("The command has no connection"));
    if (m_identityParam.isEmpty())
        return runStatement(*m_connection, m_text, m_params, nullptr);

    // Whatever the engine's text, the key is read back on the same session right
    // after the INSERT, which is what "SELECT :id = @@Identity" does on SQL Server.
    const int affected = runStatement(*m_connection, m_insertSql, m_params, nullptr);
    QSqlDatabase db = m_connection->database();
    QSqlQuery identity(db);
    const QString sql = m_connection->engine() == Engine::Sqlite
                            ? QStringLiteral("SELECT last_insert_rowid()")
                            : QStringLiteral("SELECT @@IDENTITY");
    if (!identity.exec(sql) || !identity.next())
        throw DbError(QStringLiteral("The new row's key could not be read back"));
    // SQLite hands back the key of an earlier insert when this one added no row.
    const bool inserted = affected > 0 || m_connection->engine() != Engine::Sqlite;
    m_params.byName(m_identityParam).value = inserted ? QVariant(identity.value(0).toLongLong()) : QVariant();
    return affected;
}

} // namespace pw::db
