#include "db/statement.h"

#include "db/connection.h"
#include "db/db_error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace pw::db {
namespace {

QVariant bindable(const Parameter& p, const Dialect& dialect)
{
    if (p.direction == ParamDirection::Output)
        return QVariant(QMetaType(p.dataType == QMetaType::UnknownType ? QMetaType::Int : p.dataType));
    // SQLite keeps date-times as text; Qt would write its ISO form with a "T", which
    // does not compare with the stored values and the engine's literals.
    if (dialect.engine() == Engine::Sqlite && !p.value.isNull()) {
        if (p.value.typeId() == QMetaType::QDateTime)
            return dialect.dateTimeText(p.value.toDateTime());
        if (p.value.typeId() == QMetaType::QDate)
            return dialect.dateTimeText(QDateTime(p.value.toDate(), QTime(0, 0)));
    }
    return p.value;
}

int runOne(QSqlDatabase& db, const Dialect& dialect, const QString& text, Parameters& params,
           ResultSet* result)
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
            query.bindValue(i, bindable(p, dialect), type);
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
    // A result set changes no rows; SQLite would still report the count of the
    // statement before it.
    const int affected = query.isSelect() ? 0 : query.numRowsAffected();
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
    return affected < 0 ? 0 : affected;
}

} // namespace

int runStatement(Connection& connection, const QString& text, Parameters& params, ResultSet* result)
{
    QSqlDatabase db = connection.database();
    const Dialect& dialect = connection.dialect();
    if (dialect.runsBatches())
        return runOne(db, dialect, text, params, result);
    const QStringList statements = splitStatements(text);
    if (statements.size() <= 1)
        return runOne(db, dialect, text, params, result);
    const bool ownTransaction = db.transaction();
    int affected = 0;
    try {
        for (const QString& statement : statements)
            affected += runOne(db, dialect, statement, params, result);
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
