#pragma once

#include <QString>

namespace pw::db {
class Connection;
}

namespace pw::kitchen {

// The kitchen screen runs for days on one connection. When a statement fails
// because the link to the server went (a database restart, a network drop), the
// connection is opened again before the next statement, so the screen comes back
// by itself once the server answers.
class TConnectionRecovery
{
public:
    explicit TConnectionRecovery(db::Connection* connection) : m_connection(connection) {}

    // Opens the connection again when the last failure lost it; throws when that fails.
    void EnsureOpen();
    // Tells whether a failed statement lost the connection: by the driver's
    // message, or else by a quick probe of the server.
    void NoteFailure(const QString& reason);
    bool Lost() const { return m_lost; }

private:
    bool probe() const;

    db::Connection* m_connection;
    bool m_lost = false;
};

} // namespace pw::kitchen
