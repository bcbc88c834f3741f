#include "kitchen/connection_recovery.h"

#include "db/connection.h"
#include "db/query.h"

namespace pw::kitchen {

void TConnectionRecovery::EnsureOpen()
{
    if (!m_connection)
        return;
    if (!m_lost && m_connection->connected())
        return;
    m_connection->open();
    m_lost = false;
}

void TConnectionRecovery::NoteFailure(const QString& reason)
{
    if (!m_connection)
        return;
    if (db::Connection::looksLikeLostConnection(reason) || !probe())
        m_lost = true;
}

bool TConnectionRecovery::probe() const
{
    if (!m_connection->connected())
        return false;
    try {
        db::Query query(m_connection);
        query.setSql(QStringLiteral("SELECT 1"));
        query.open();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace pw::kitchen
