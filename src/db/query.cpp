#include "db/query.h"

#include "db/connection.h"
#include "db/db_error.h"

namespace pw::db {

void Query::setConnection(Connection* connection)
{
    close();
    m_connection = connection;
}

void Query::setSql(const QStringList& lines)
{
    close();
    m_sql = lines;
    m_params.deriveFrom(sqlText());
}

Connection& Query::requireConnection() const
{
    if (!m_connection)
        throw DbError(QStringLiteral("The query has no connection"));
    return *m_connection;
}

void Query::open()
{
    close();
    ResultSet result;
    runStatement(requireConnection(), sqlText(), m_params, &result);
    m_result = std::move(result);
    m_active = true;
    first();
}

void Query::close()
{
    m_active = false;
    m_result = ResultSet{};
    m_row = 0;
    m_eof = m_bof = true;
}

int Query::execSql()
{
    close();
    return runStatement(requireConnection(), sqlText(), m_params, nullptr);
}

void Query::first()
{
    m_row = 0;
    m_bof = true;
    m_eof = isEmpty();
}

void Query::last()
{
    m_row = isEmpty() ? 0 : recordCount() - 1;
    m_eof = true;
    m_bof = isEmpty();
}

void Query::next()
{
    if (isEmpty()) {
        m_eof = true;
        return;
    }
    m_bof = false;
    if (m_row + 1 < recordCount())
        ++m_row;
    else
        m_eof = true;
}

void Query::prior()
{
    if (isEmpty()) {
        m_bof = true;
        return;
    }
    m_eof = false;
    if (m_row > 0)
        --m_row;
    else
        m_bof = true;
}

void Query::setRecNo(int recNo)
{
    if (isEmpty())
        return;
    m_row = qBound(0, recNo - 1, recordCount() - 1);
    m_eof = m_bof = false;
}

int Query::findField(const QString& name) const
{
    const QString bare = name.section(QLatin1Char('.'), -1).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    for (int i = 0; i < m_result.columns.size(); ++i) {
        const QString& column = m_result.columns[i];
        if (column.compare(name, Qt::CaseInsensitive) == 0 ||
            column.compare(bare, Qt::CaseInsensitive) == 0 ||
            column.section(QLatin1Char('.'), -1).compare(bare, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Query::currentValue(int column) const
{
    if (isEmpty() || column < 0)
        return {};
    return m_result.rows[m_row][column];
}

Field Query::fieldByName(const QString& name) const
{
    const int index = findField(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return Field(m_result.columns[index], currentValue(index));
}

Field Query::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        throw DbError(QStringLiteral("Field index %1 out of range").arg(index));
    return Field(m_result.columns[index], currentValue(index));
}

Bookmark Query::bookmark() const
{
    if (isEmpty())
        return {};
    return Bookmark{m_row, m_result.rows[m_row]};
}

bool Query::gotoBookmark(const Bookmark& mark)
{
    if (!mark.isValid() || isEmpty())
        return false;
    // The same position when it still holds the same row; else the row wherever it went.
    if (mark.row < recordCount() && m_result.rows[mark.row] == mark.values) {
        setRecNo(mark.row + 1);
        return true;
    }
    for (int i = 0; i < recordCount(); ++i) {
        if (m_result.rows[i] == mark.values) {
            setRecNo(i + 1);
            return true;
        }
    }
    return false;
}

bool Query::locate(const QString& fieldName, const QVariant& value, Qt::CaseSensitivity cs)
{
    const int column = findField(fieldName);
    if (column < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(fieldName));
    for (int i = 0; i < recordCount(); ++i) {
        const QVariant& candidate = m_result.rows[i][column];
        bool equal = false;
        if (value.typeId() == QMetaType::QDateTime)
            equal = Field::toDateTime(candidate) == value.toDateTime(); // stored as text on SQLite
        else if (candidate.typeId() == QMetaType::QString || value.typeId() == QMetaType::QString)
            equal = Field(QString(), candidate).asString().compare(value.toString(), cs) == 0;
        else
            equal = candidate == value;
        if (equal) {
            setRecNo(i + 1);
            return true;
        }
    }
    return false;
}

} // namespace pw::db
