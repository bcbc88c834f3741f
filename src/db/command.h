#pragma once

#include "db/parameters.h"

#include <QString>

namespace pw::db {

class Connection;

// A statement with ":name" parameters that returns no rows.
class Command
{
public:
    explicit Command(Connection* connection = nullptr) : m_connection(connection) {}

    Connection* connection() const { return m_connection; }
    void setConnection(Connection* connection) { m_connection = connection; }

    const QString& commandText() const { return m_text; }
    // With parameter checking on, the parameters follow the text's markers.
    void setCommandText(const QString& text);
    bool paramCheck() const { return m_paramCheck; }
    void setParamCheck(bool on) { m_paramCheck = on; }

    // An INSERT that hands back the new row's identity in the output parameter idParam.
    void setIdentityInsert(const QString& insertSql, const QString& idParam = QStringLiteral("IDField"));

    Parameters& parameters() { return m_params; }
    const Parameters& parameters() const { return m_params; }

    // The number of rows affected; throws DbError with the driver's reason.
    int execute();

private:
    Connection* m_connection = nullptr;
    QString m_text;
    QString m_insertSql;
    QString m_identityParam;
    Parameters m_params;
    bool m_paramCheck = true;
};

} // namespace pw::db
