#pragma once

#include "db/query.h"

#include <QStringList>
#include <QVariantList>

namespace pw::db {
class Connection;
}

// The suite's command object for one-off SQL. It has one query: a caller reads an
// opened result completely before the next command.
class TGenericDB
{
public:
    explicit TGenericDB(pw::db::Connection* connection);

    // Closes the previous result and opens the SELECT; failures reach the caller.
    void OpenQuery(const QString& sql, int cursorLocation);
    // The number of rows affected; failures reach the caller.
    int ExecSQL(const QString& sql);
    int ExecSQL(const QStringList& sql);
    // Runs a stored procedure with its arguments (integers, booleans, floats,
    // pw::db::Currency amounts, texts). Reports a failure and returns false; never raises.
    bool ExecStoredProc(const QString& procName, const QVariantList& values, int cursorLocation);

    // The arguments as SQL values joined with "," ("7,'A',1"); raises on a kind it cannot write.
    static QString StoredProcArguments(const QVariantList& values);
    // The statement ExecStoredProc runs on this connection's engine ("EXEC name 7,'A',1").
    QString StoredProcText(const QString& procName, const QVariantList& values) const;

    pw::db::Query Query;
    pw::db::Connection* Connection;
};

// The process's one instance, made at start-up on the shared connection.
extern TGenericDB* GenericDB;
