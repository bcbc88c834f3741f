#include "db/sqlite_procedures.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace pw::db {
namespace {

// Runs the statements with the call's first argument as ?1; the function's
// result is the number of rows changed, or an SQL error the caller sees.
void runStatements(sqlite3_context* context, int argc, sqlite3_value** argv, const QStringList& statements)
{
    sqlite3* db = sqlite3_context_db_handle(context);
    int changed = 0;
    for (const QString& sql : statements) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK) {
            sqlite3_result_error(context, sqlite3_errmsg(db), -1);
            return;
        }
        if (argc > 0 && sqlite3_bind_parameter_count(stmt) > 0)
            sqlite3_bind_value(stmt, 1, argv[0]);
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            sqlite3_result_error(context, sqlite3_errmsg(db), -1);
            return;
        }
        changed += sqlite3_changes(db);
    }
    sqlite3_result_int(context, changed);
}

void updateSingleAttendTotals(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    static const QStringList statements = updateSingleAttendTotalsStatements();
    runStatements(context, argc, argv, statements);
}

} // namespace

void registerSqliteProcedures(QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    auto* sqlite = *static_cast<sqlite3* const*>(handle.data());
    if (!sqlite)
        return;
    sqlite3_create_function(sqlite, "job_UpdateSingleAttendTotals", 1, SQLITE_UTF8, nullptr,
                            &updateSingleAttendTotals, nullptr, nullptr);
}

} // namespace pw::db
