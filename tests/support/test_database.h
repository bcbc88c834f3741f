#pragma once

#include "db/connection.h"

#include <QTemporaryDir>
#include <QVariantMap>

namespace pw::test {

// A fresh SQLite database with the suite's schema in a temporary folder, and an
// open connection on it. Each test makes its own.
class TestDatabase
{
public:
    // With schema false the database file exists but holds no tables.
    explicit TestDatabase(bool schema = true);

    db::Connection& connection() { return m_connection; }
    const QString& file() const { return m_file; }
    QString connectionString() const;
    QString folder() const { return m_dir.path(); }

    // Runs raw SQL outside the program's layers; throws on failure.
    void exec(const QString& sql);
    // Inserts one row; returns the new row id.
    qint64 insert(const QString& table, const QVariantMap& values);
    // The first column of the first row, or an invalid value when no row.
    QVariant scalar(const QString& sql);
    int count(const QString& table, const QString& where = {});

private:
    QTemporaryDir m_dir;
    QString m_file;
    db::Connection m_connection;
};

} // namespace pw::test
