#include "db/statement.h"

#include "db/connection.h"
#include "db/db_error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace pw::db {
namespace {

QVariant bindable(const Parameter& p)
{
    if (p.direction == ParamDirection::Output)
        return QVariant(QMetaType(p.dataType == QMetaType::UnknownType ? QMetaType::Int : p.dataType));
    return p.value;
}

int runOne(QSqlDatabase& db, const QString& text, Parameters& params, ResultSet* result)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const PositionalSql positional = toPositional(text);
    bool ok = false;
    if (positional.names.isEmpty()) {
        ok = query.exec(text);
    } else {
        if (!query.prepare(positional.sql))
            throw DbError(query.lastError().text().trimmed());
        for (int i = 0; i < positional.names.size(); ++i) {
            const Parameter& p = params.byName(positional.names[i]);
            const QSql::ParamType type = p.direction == ParamDirection::Output        ? QSql::Out
                                         : p.direction == ParamDirection::InputOutput ? QSql::InOut
                                                                                      : QSql::In;
            query.bindValue(i, bindable(p), type);
        }
        ok = query.exec();
    }
    if (!ok)
        throw DbError(query.lastError().text().trimmed());
    for (int i = 0; i < positional.names.size(); ++i) {
        Parameter& p = params.byName(positional.names[i]);
        if (p.direction != ParamDirection::Input)
            p.value = query.boundValue(i);
    }
    if (result && query.isSelect()) {
        const QSqlRecord record = query.record();
        result->columns.clear();
        result->rows.clear();
        for (int c = 0; c < record.count(); ++c)
            result->columns.append(record.fieldName(c));
        while (query.next()) {
            QVector<QVariant> row(record.count());
            for (int c = 0; c < record.count(); ++c)
                row[c] = query.value(c);
            result->rows.append(std::move(row));
        }
    }
    const int affected = query.numRowsAffected();
    return affected < 0 ? 0 : affected;
}

} // namespace

int runStatement(Connection& connection, const QString& text, Parameters& params, ResultSet* result)
{
    QSqlDatabase db = connection.database();
    if (connection.dialect().runsBatches())
        return runOne(db, text, params, result);
    const QStringList statements = splitStatements(text);
    if (statements.size() <= 1)
        return runOne(db, text, params, result);
    const bool ownTransaction = db.transaction();
    int affected = 0;
    try {
        for (const QString& statement : statements)
            affected += runOne(db, statement, params, result);
    } catch (...) {
        if (ownTransaction)
            db.rollback();
        throw;
    }
    if (ownTransaction && !db.commit())
        throw DbError(db.lastError().text().trimmed());
    return affected;
}

} // namespace pw::db
