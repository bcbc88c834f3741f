#pragma once

#include "db/dialect.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace pw::db {

// The program's one database connection, opened from an ADO-style connection string.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& connectionString() const { return m_connectionString; }
    // Takes effect at the next open.
    void setConnectionString(const QString& text) { m_connectionString = text; }

    // Throws DbError with the driver's reason; the error never holds the password.
    void open();
    void close();
    bool connected() const;

    // The engine's SQL forms: of the open connection, else of the connection string
    // (SQL Server when it names no engine we know).
    const Dialect& dialect() const;
    Engine engine() const { return dialect().engine(); }

    // The Qt handle, for queries and commands of this layer.
    QSqlDatabase database() const;

    // True when a failed statement suggests the link to the server is gone.
    static bool looksLikeLostConnection(const QString& driverError);

private:
    QString m_name;
    QString m_connectionString;
    mutable std::unique_ptr<Dialect> m_dialect;
    mutable QString m_dialectFor;
    bool m_open = false;
};

} // namespace pw::db
