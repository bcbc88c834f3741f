#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace pw::db {

// One column's value in the current row, with the typed reads the program uses.
class Field
{
public:
    Field(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value)) {}

    const QString& name() const { return m_name; }
    const QVariant& value() const { return m_value; }
    bool isNull() const { return m_value.isNull() || !m_value.isValid(); }

    // Text up to the first NUL character: the suite writes an empty text as a lone NUL.
    QString asString() const;
    int asInteger() const;
    qint64 asLargeInt() const;
    double asFloat() const;
    // A fixed-point amount: a count of ten-thousandths.
    std::int64_t asCurrency() const;
    bool asBoolean() const;
    // Days since 30 December 1899, the fraction the time of day; 0 when null.
    double asDateTime() const;
    QDateTime asQDateTime() const;

    // Reads a stored date-time value (a driver's date-time or ISO text).
    static QDateTime toDateTime(const QVariant& value);

private:
    QString m_name;
    QVariant m_value;
};

} // namespace pw::db
