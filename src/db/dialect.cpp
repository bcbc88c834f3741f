#include "db/dialect.h"

#include "db/sqlite_procedures.h"

namespace pw::db {

void Dialect::prepareConnection(QSqlDatabase&) const {}

std::unique_ptr<Dialect> Dialect::forEngine(Engine engine)
{
    if (engine == Engine::Sqlite)
        return std::make_unique<SqliteDialect>();
    // An ODBC data source is treated as SQL Server: the suite runs on nothing else.
    return std::make_unique<SqlServerDialect>();
}

QString SqlServerDialect::dateTimeText(const QDateTime& value) const
{
    return value.toString(QStringLiteral("yyyyMMdd HH:mm:ss"));
}

QString SqlServerDialect::selectTop1(const QString& selectRest) const
{
    return QStringLiteral("SELECT TOP 1 ") + selectRest;
}

QString SqlServerDialect::identityInsertText(const QString& insertSql, const QString& idParam) const
{
    return insertSql + QStringLiteral(" SELECT :") + idParam + QStringLiteral(" = @@Identity");
}

QString SqlServerDialect::sysDataUpsertText() const
{
    return QStringLiteral(
        "IF NOT EXISTS (SELECT NULL FROM SysData WHERE Class=:SClass AND Item=:SItem) INSERT INTO SysData (Class, "
        "Item, Value, Value2) VALUES(:IClass,:IItem,:IValue,:IValue2) ELSE UPDATE SysData SET Value = "
        ":UValue,Value2 = :UValue2 WHERE Class=:UClass AND Item=:UItem");
}

QString SqlServerDialect::execProcedureText(const QString& procedure, const QString& arguments) const
{
    return QStringLiteral("EXEC ") + procedure + QLatin1Char(' ') + arguments;
}

// Stored as ISO text, which sorts and compares correctly as text.
QString SqliteDialect::dateTimeText(const QDateTime& value) const
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString SqliteDialect::selectTop1(const QString& selectRest) const
{
    return QStringLiteral("SELECT ") + selectRest + QStringLiteral(" LIMIT 1");
}

// The command reads the new key from the driver after the INSERT.
QString SqliteDialect::identityInsertText(const QString& insertSql, const QString&) const { return insertSql; }

// No unique index on (Class, Item) is assumed: update what is there, insert when
// nothing was. The command runs both statements in one transaction.
QString SqliteDialect::sysDataUpsertText() const
{
    return QStringLiteral(
        "UPDATE SysData SET Value = :UValue,Value2 = :UValue2 WHERE Class=:UClass AND Item=:UItem;\n"
        "INSERT INTO SysData (Class, Item, Value, Value2) SELECT :IClass,:IItem,:IValue,:IValue2 "
        "WHERE NOT EXISTS (SELECT NULL FROM SysData WHERE Class=:SClass AND Item=:SItem)");
}

QString SqliteDialect::execProcedureText(const QString& procedure, const QString& arguments) const
{
    return QStringLiteral("SELECT ") + procedure + QLatin1Char('(') + arguments + QLatin1Char(')');
}

void SqliteDialect::prepareConnection(QSqlDatabase& db) const { registerSqliteProcedures(db); }

} // namespace pw::db
