#include "till/editable_query.h"

#include "db/command.h"
#include "db/db_error.h"
#include "db/field.h"

#include <QRegularExpression>

namespace pw::till {
namespace {

QString quoted(const QString& column)
{
    return QLatin1Char('[') + column + QLatin1Char(']');
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    const bool aNull = a.isNull() || !a.isValid();
    const bool bNull = b.isNull() || !b.isValid();
    if (aNull || bNull)
        return aNull == bNull;
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    if (aNumber && bNumber)
        return x == y;
    return db::Field(QString(), a).asString() == db::Field(QString(), b).asString();
}

} // namespace

EditableQuery::EditableQuery(db::Connection* connection, QObject* parent)
    : QObject(parent), m_query(connection)
{
}

void EditableQuery::setConnection(db::Connection* connection)
{
    close();
    m_query.setConnection(connection);
}

void EditableQuery::setSql(const QStringList& lines)
{
    close();
    m_query.setSql(lines);
}

QString EditableQuery::updateTable() const
{
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+(\\[[^\\]]+\\]|[\\w.]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = from.match(m_query.sqlText());
    if (!match.hasMatch())
        return {};
    QString table = match.captured(1);
    if (table.startsWith(QLatin1Char('[')))
        table = table.mid(1, table.size() - 2);
    return table;
}

void EditableQuery::open()
{
    m_buffer.clear();
    m_state = DataSetState::Inactive;
    m_query.open();
    setState(DataSetState::Browse);
    notifyReset();
}

void EditableQuery::close()
{
    const bool wasActive = m_query.active() || m_state != DataSetState::Inactive;
    m_buffer.clear();
    m_query.close();
    if (!wasActive)
        return;
    setState(DataSetState::Inactive);
    notifyReset();
}

void EditableQuery::requery()
{
    const db::Bookmark mark = m_query.bookmark();
    m_buffer.clear();
    m_query.open();
    m_query.gotoBookmark(mark);
    setState(DataSetState::Browse);
    notifyReset();
}

int EditableQuery::currentRow() const
{
    if (m_state == DataSetState::Insert)
        return m_query.recordCount();
    return m_query.isEmpty() ? -1 : m_query.recNo() - 1;
}

// Leaving a row that is being edited posts it, as a grid does.
void EditableQuery::setCurrentRow(int row)
{
    if (row == currentRow() || row < 0)
        return;
    if (editing())
        post();
    if (row >= m_query.recordCount())
        return;
    m_query.setRecNo(row + 1);
    notifyCurrent();
}

void EditableQuery::first()
{
    if (editing())
        post();
    m_query.first();
    notifyCurrent();
}

void EditableQuery::last()
{
    if (editing())
        post();
    m_query.last();
    notifyCurrent();
}

void EditableQuery::next()
{
    if (editing())
        post();
    m_query.next();
    notifyCurrent();
}

void EditableQuery::prior()
{
    if (editing())
        post();
    m_query.prior();
    notifyCurrent();
}

// The row as it was read, else the row with the same key, wherever it went and
// whatever else changed in it.
bool EditableQuery::gotoBookmark(const db::Bookmark& mark)
{
    bool found = m_query.gotoBookmark(mark);
    const int key = keyColumn();
    if (!found && key >= 0 && key < mark.values.size() && !mark.values[key].isNull()) {
        for (int r = 0; r < m_query.recordCount() && !found; ++r) {
            if (sameValue(m_query.result().rows.at(r).at(key), mark.values[key])) {
                m_query.setRecNo(r + 1);
                found = true;
            }
        }
    }
    if (found)
        notifyCurrent();
    return found;
}

int EditableQuery::keyColumn() const
{
    const int column =
        m_query.findField(m_keyField.isEmpty() ? updateTable() + QStringLiteral("ID") : m_keyField);
    return column;
}

bool EditableQuery::locate(const QString& field, const QVariant& value, Qt::CaseSensitivity cs)
{
    const bool found = m_query.locate(field, value, cs);
    if (found)
        notifyCurrent();
    return found;
}

QString EditableQuery::resolveField(const QString& field) const
{
    const int index = m_query.findField(field);
    if (index < 0)
        throw db::DbError(QStringLiteral("Field '%1' not found").arg(field));
    return m_query.fieldNames().at(index);
}

QVariant EditableQuery::value(const QString& field) const
{
    const QString column = resolveField(field);
    if (editing() && m_buffer.contains(column))
        return m_buffer.value(column);
    if (m_state == DataSetState::Insert)
        return {};
    return m_query.fieldByName(column).value();
}

QVariant EditableQuery::valueAt(int row, int column) const
{
    if (column < 0 || column >= m_query.fieldCount())
        return {};
    const QString name = m_query.fieldNames().at(column);
    if (m_state == DataSetState::Insert && row == m_query.recordCount())
        return m_buffer.value(name);
    if (row < 0 || row >= m_query.recordCount())
        return {};
    if (m_state == DataSetState::Edit && row == currentRow() && m_buffer.contains(name))
        return m_buffer.value(name);
    return m_query.result().rows.at(row).at(column);
}

void EditableQuery::setValue(const QString& field, const QVariant& value)
{
    if (!m_query.active())
        throw db::DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_state == DataSetState::Browse) {
        if (!m_autoEdit)
            throw db::DbError(QStringLiteral("Dataset not in edit or insert mode"));
        edit();
    }
    m_buffer.insert(resolveField(field), value);
    emit rowEdited(currentRow());
}

void EditableQuery::edit()
{
    if (editing())
        return;
    if (!m_query.active())
        throw db::DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_query.isEmpty())
        throw db::DbError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    m_buffer.clear();
    setState(DataSetState::Edit);
}

void EditableQuery::insert()
{
    if (!m_query.active())
        throw db::DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (editing())
        post();
    m_buffer.clear();
    setState(DataSetState::Insert);
    notifyReset();
    emit afterInsert();
}

// A row is found by its key column, else by every column it was read with.
QString EditableQuery::whereClause(const QVector<QVariant>& row, db::Parameters& params) const
{
    const int key = keyColumn();
    QStringList terms;
    const QStringList columns = m_query.fieldNames();
    for (int c = 0; c < columns.size(); ++c) {
        if (key >= 0 && c != key)
            continue;
        if (row[c].isNull()) {
            terms.append(quoted(columns[c]) + QStringLiteral(" IS NULL"));
            continue;
        }
        const QString name = QStringLiteral("w%1").arg(c);
        terms.append(quoted(columns[c]) + QStringLiteral(" = :") + name);
        params.add(name).setValue(row[c]);
    }
    return terms.join(QStringLiteral(" AND "));
}

void EditableQuery::post()
{
    if (!editing())
        return;
    const QString table = updateTable();
    if (table.isEmpty())
        throw db::DbError(QStringLiteral("The table to update is not known"));
    const QStringList columns = m_query.fieldNames();
    db::Command command(m_query.connection());
    command.setParamCheck(false);
    db::Parameters& params = command.parameters();
    QVariantMap match = m_buffer;

    if (m_state == DataSetState::Insert) {
        QStringList names;
        QStringList markers;
        for (const QString& column : columns) {
            if (!m_buffer.contains(column))
                continue;
            const QString name = QStringLiteral("v%1").arg(names.size());
            names.append(quoted(column));
            markers.append(QLatin1Char(':') + name);
            params.add(name).setValue(m_buffer.value(column));
        }
        command.setCommandText(
            names.isEmpty() ? QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES")
                            : QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                                  names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                  markers.join(QStringLiteral(", ")) + QLatin1Char(')'));
        command.execute();
    } else {
        if (m_buffer.isEmpty()) {
            setState(DataSetState::Browse);
            emit afterPost();
            return;
        }
        const QVector<QVariant>& original = m_query.result().rows.at(currentRow());
        QStringList sets;
        for (int c = 0; c < columns.size(); ++c) {
            if (!m_buffer.contains(columns[c])) {
                match.insert(columns[c], original[c]);
                continue;
            }
            const QString name = QStringLiteral("v%1").arg(sets.size());
            sets.append(quoted(columns[c]) + QStringLiteral(" = :") + name);
            params.add(name).setValue(m_buffer.value(columns[c]));
        }
        const QString where = whereClause(original, params);
        command.setCommandText(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                               sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + where);
        if (command.execute() == 0)
            throw db::DbError(QStringLiteral("Row cannot be located for updating. Some values may have been "
                                             "changed since it was last read."));
    }
    m_buffer.clear();
    m_state = DataSetState::Browse;
    reopenAt(match);
    emit stateChanged();
    emit afterPost();
}

void EditableQuery::cancel()
{
    if (!editing())
        return;
    const bool inserting = m_state == DataSetState::Insert;
    m_buffer.clear();
    setState(DataSetState::Browse);
    if (inserting)
        notifyReset();
    else
        emit rowEdited(currentRow());
    emit afterCancel();
}

void EditableQuery::remove()
{
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (!m_query.active() || m_query.isEmpty())
        throw db::DbError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    m_buffer.clear();
    m_state = DataSetState::Browse;
    const int row = currentRow();
    db::Command command(m_query.connection());
    command.setParamCheck(false);
    const QString where = whereClause(m_query.result().rows.at(row), command.parameters());
    command.setCommandText(QStringLiteral("DELETE FROM ") + updateTable() + QStringLiteral(" WHERE ") +
                           where);
    if (command.execute() == 0)
        throw db::DbError(QStringLiteral("Row cannot be located for updating. Some values may have been "
                                         "changed since it was last read."));
    m_query.open();
    if (!m_query.isEmpty())
        m_query.setRecNo(qMin(row + 1, m_query.recordCount()));
    notifyReset();
    emit afterDelete();
}

// After a write the rows are read again and the written row becomes current.
void EditableQuery::reopenAt(const QVariantMap& match)
{
    m_query.open();
    const QStringList columns = m_query.fieldNames();
    for (int r = m_query.recordCount() - 1; r >= 0; --r) {
        bool same = true;
        for (auto it = match.cbegin(); it != match.cend() && same; ++it) {
            const int c = static_cast<int>(columns.indexOf(it.key()));
            same = c < 0 || sameValue(m_query.result().rows.at(r).at(c), it.value());
        }
        if (same) {
            m_query.setRecNo(r + 1);
            break;
        }
    }
    notifyReset();
}

void EditableQuery::disableControls()
{
    ++m_disabled;
}

void EditableQuery::enableControls()
{
    if (m_disabled > 0)
        --m_disabled;
    if (m_disabled == 0 && m_resetPending) {
        m_resetPending = false;
        emit rowsReset();
    }
    if (m_disabled == 0)
        emit currentChanged(currentRow());
}

void EditableQuery::setState(DataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void EditableQuery::notifyReset()
{
    if (m_disabled > 0) {
        m_resetPending = true;
        return;
    }
    emit rowsReset();
    emit currentChanged(currentRow());
}

void EditableQuery::notifyCurrent()
{
    if (m_disabled == 0)
        emit currentChanged(currentRow());
}

} // namespace pw::till
