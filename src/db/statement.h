#pragma once

#include "db/parameters.h"

#include <QStringList>
#include <QVariant>
#include <QVector>

namespace pw::db {

class Connection;

// The rows of a result, read in full.
struct ResultSet
{
    QStringList columns;
    QVector<QVector<QVariant>> rows;
};

// Runs a text with its parameters on a connection: one statement, or, on an
// engine that does not run batches, each statement of it in one transaction.
// Returns the rows affected (summed over the statements); when `result` is given
// it receives the last result set. Throws DbError with the driver's reason.
int runStatement(Connection& connection, const QString& text, Parameters& params, ResultSet* result);

} // namespace pw::db
