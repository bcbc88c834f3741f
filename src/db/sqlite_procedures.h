#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace pw::db {

// The suite's stored procedures, done as SQL functions on a SQLite connection so
// that "SELECT job_UpdateSingleAttendTotals(42)" does what "EXEC ..." does on SQL Server.
void registerSqliteProcedures(QSqlDatabase& db);

// The statements each stand-in runs; ?1 is the procedure's one argument.
QStringList updateSingleAttendTotalsStatements();

} // namespace pw::db
