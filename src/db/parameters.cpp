#include "db/parameters.h"

#include "db/db_error.h"

namespace pw::db {
namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Walks SQL text, calling onCode for each character that is code (not inside a
// literal, quoted identifier or comment). onCode may consume more characters by
// returning how many it used (at least 1).
template <typename OnCode, typename OnOther> void walkSql(const QString& sql, OnCode onCode, OnOther onOther)
{
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = qMin(j + 1, n);
            onOther(sql.mid(i, j - i));
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            int j = sql.indexOf(QLatin1Char('\n'), i);
            j = j < 0 ? n : j;
            onOther(sql.mid(i, j - i));
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            int j = sql.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            onOther(sql.mid(i, j - i));
            i = j;
        } else {
            i += onCode(i);
        }
    }
}

} // namespace

Parameter* Parameters::find(const QString& name)
{
    for (Parameter& p : m_items) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

const Parameter* Parameters::find(const QString& name) const
{
    return const_cast<Parameters*>(this)->find(name);
}

Parameter& Parameters::byName(const QString& name)
{
    if (Parameter* p = find(name))
        return *p;
    throw DbError(QStringLiteral("Parameter '%1' not found").arg(name));
}

const Parameter& Parameters::byName(const QString& name) const { return const_cast<Parameters*>(this)->byName(name); }

Parameter& Parameters::add(const QString& name)
{
    if (Parameter* p = find(name))
        return *p;
    m_items.append(Parameter{name, {}, ParamDirection::Input, QMetaType::UnknownType});
    return m_items.last();
}

void Parameters::deriveFrom(const QString& sql)
{
    QList<Parameter> derived;
    for (const QString& name : toPositional(sql).names) {
        bool seen = false;
        for (const Parameter& p : derived)
            seen = seen || p.name.compare(name, Qt::CaseInsensitive) == 0;
        if (seen)
            continue;
        if (const Parameter* old = find(name))
            derived.append(*old);
        else
            derived.append(Parameter{name, {}, ParamDirection::Input, QMetaType::UnknownType});
    }
    m_items = derived;
}

PositionalSql toPositional(const QString& sql)
{
    PositionalSql result;
    walkSql(
        sql,
        [&](int i) -> int {
            const QChar c = sql[i];
            if (c == QLatin1Char(':') && i + 1 < sql.size()) {
                if (sql[i + 1] == QLatin1Char(':')) { // "::" is not a marker
                    result.sql += QLatin1String("::");
                    return 2;
                }
                if (isNameStart(sql[i + 1])) {
                    int j = i + 1;
                    while (j < sql.size() && isNameChar(sql[j]))
                        ++j;
                    result.names.append(sql.mid(i + 1, j - i - 1));
                    result.sql += QLatin1Char('?');
                    return j - i;
                }
            }
            result.sql += c;
            return 1;
        },
        [&](const QString& other) { result.sql += other; });
    return result;
}

QStringList splitStatements(const QString& sql)
{
    QStringList statements;
    QString current;
    walkSql(
        sql,
        [&](int i) -> int {
            if (sql[i] == QLatin1Char(';')) {
                if (!current.trimmed().isEmpty())
                    statements.append(current.trimmed());
                current.clear();
            } else {
                current += sql[i];
            }
            return 1;
        },
        [&](const QString& other) { current += other; });
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

} // namespace pw::db
