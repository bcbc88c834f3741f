#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace pw::db {

enum class ParamDirection { Input, Output, InputOutput };

struct Parameter
{
    QString name;
    QVariant value;
    ParamDirection direction = ParamDirection::Input;
    // The type an output parameter takes; inputs follow their value.
    QMetaType::Type dataType = QMetaType::UnknownType;

    void setValue(const QVariant& v) { value = v; }
};

// The ":name" parameters of a statement, in the order they first appear.
class Parameters
{
public:
    int count() const { return static_cast<int>(m_items.size()); }
    Parameter& operator[](int index) { return m_items[index]; }
    const Parameter& operator[](int index) const { return m_items[index]; }
    // Case-insensitive, as ADO's; throws DbError when there is no such parameter.
    Parameter& byName(const QString& name);
    const Parameter& byName(const QString& name) const;
    Parameter* find(const QString& name);
    const Parameter* find(const QString& name) const;
    Parameter& add(const QString& name);
    void clear() { m_items.clear(); }
    // Rebuilds the list from the markers of a text, keeping the values and
    // directions of parameters whose names stay.
    void deriveFrom(const QString& sql);

private:
    QList<Parameter> m_items;
};

// A statement with its ":name" markers turned into positional "?" markers and
// the names in marker order. Markers inside quotes, brackets and comments are text.
struct PositionalSql
{
    QString sql;
    QStringList names;
};
PositionalSql toPositional(const QString& sql);

// Splits a text into its statements at semicolons outside quotes and comments.
QStringList splitStatements(const QString& sql);

} // namespace pw::db
