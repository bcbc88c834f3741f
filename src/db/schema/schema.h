#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace pw::db {

// The suite's tables, indexes and stored procedure as one script for SQL Server,
// with GO lines between its batches.
QString sqlServerSchemaScript();

// The same tables and indexes for SQLite, one statement per entry, without the
// closing semicolons.
QStringList sqliteSchemaStatements();

// Creates the schema in an empty SQLite database, all or nothing. On failure the
// database is left as it was and error (when given) tells which statement failed.
bool applySqliteSchema(QSqlDatabase& db, QString* error);

} // namespace pw::db
