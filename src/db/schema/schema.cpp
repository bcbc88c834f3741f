#include "db/schema/schema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

// The resource lives in a static library, so it must be registered by hand before
// the first read or the linker may leave its initialiser out.
static void initSchemaResource()
{
    Q_INIT_RESOURCE(schema);
}

namespace pw::db {

namespace {

QString readResource(const QString& path)
{
    initSchemaResource();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString sqlServerSchemaScript()
{
    return readResource(QStringLiteral(":/pw/schema/sqlserver.sql"));
}

QStringList sqliteSchemaStatements()
{
    const QString script = readResource(QStringLiteral(":/pw/schema/sqlite.sql"));

    // Comment lines go first so that the split below only ever sees statement text.
    QStringList code;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            code.append(line);
    }

    static const QRegularExpression statementEnd(QStringLiteral(";[ \\t\\r]*$"),
                                                 QRegularExpression::MultilineOption);
    QStringList statements;
    for (const QString& piece : code.join(QLatin1Char('\n')).split(statementEnd)) {
        const QString statement = piece.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    }
    return statements;
}

bool applySqliteSchema(QSqlDatabase& db, QString* error)
{
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };

    const QStringList statements = sqliteSchemaStatements();
    if (statements.isEmpty())
        return fail(QStringLiteral("The SQLite schema script could not be read"));
    if (!db.isOpen())
        return fail(QStringLiteral("The database is not open"));
    if (!db.transaction())
        return fail(QStringLiteral("Could not start a transaction: ") + db.lastError().text());

    QSqlQuery query(db);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            const QString reason = query.lastError().text();
            query.finish();
            db.rollback();
            return fail(QStringLiteral("Failed to create the schema at \"") +
                        statement.section(QLatin1Char('\n'), 0, 0) + QStringLiteral("\": ") + reason);
        }
    }
    query.finish();
    if (!db.commit()) {
        const QString reason = db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("Could not commit the schema: ") + reason);
    }
    return true;
}

} // namespace pw::db
