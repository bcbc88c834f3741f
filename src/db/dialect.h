#pragma once

#include "db/connection_string.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace pw::db {

class Parameters;

// Every SQL form on which the engines differ lives in one dialect object per engine.
class Dialect
{
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // The text inside the quotes of a date-time literal.
    virtual QString dateTimeText(const QDateTime& value) const = 0;
    QString dateTimeLiteral(const QDateTime& value) const { return QLatin1Char('\'') + dateTimeText(value) + QLatin1Char('\''); }

    // "SELECT <rest>" limited to its first row.
    virtual QString selectTop1(const QString& selectRest) const = 0;

    // An INSERT that also hands back the new row's identity in an output parameter.
    virtual QString identityInsertText(const QString& insertSql, const QString& idParam) const = 0;

    // Inserts or updates one SysData row, with the parameters SClass, SItem,
    // IClass, IItem, IValue, IValue2, UValue, UValue2, UClass and UItem.
    virtual QString sysDataUpsertText() const = 0;

    // Runs a stored procedure with its arguments already written as SQL values ("7,'A',1").
    virtual QString execProcedureText(const QString& procedure, const QString& arguments) const = 0;

    // Does the engine run several statements of one text as one batch?
    virtual bool runsBatches() const = 0;

    // Called once a connection of this engine is open.
    virtual void prepareConnection(QSqlDatabase& db) const;

    static std::unique_ptr<Dialect> forEngine(Engine engine);
};

class SqlServerDialect final : public Dialect
{
public:
    Engine engine() const override { return Engine::SqlServer; }
    QString dateTimeText(const QDateTime& value) const override;
    QString selectTop1(const QString& selectRest) const override;
    QString identityInsertText(const QString& insertSql, const QString& idParam) const override;
    QString sysDataUpsertText() const override;
    QString execProcedureText(const QString& procedure, const QString& arguments) const override;
    bool runsBatches() const override { return true; }
};

class SqliteDialect final : public Dialect
{
public:
    Engine engine() const override { return Engine::Sqlite; }
    QString dateTimeText(const QDateTime& value) const override;
    QString selectTop1(const QString& selectRest) const override;
    QString identityInsertText(const QString& insertSql, const QString& idParam) const override;
    QString sysDataUpsertText() const override;
    QString execProcedureText(const QString& procedure, const QString& arguments) const override;
    bool runsBatches() const override { return false; }
    // Registers the stand-ins for the suite's stored procedures.
    void prepareConnection(QSqlDatabase& db) const override;
};

} // namespace pw::db
