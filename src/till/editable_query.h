#pragma once

#include "db/query.h"

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace pw::till {

enum class DataSetState
{
    Inactive,
    Browse,
    Edit,
    Insert
};

// A query behind a grid: its rows are a static result, and an edited, inserted or
// deleted row is written to the table the query reads, after which the rows are
// read again. The row being inserted sits after the last row until it is posted.
class EditableQuery : public QObject
{
    Q_OBJECT

public:
    explicit EditableQuery(db::Connection* connection = nullptr, QObject* parent = nullptr);

    db::Query& query() { return m_query; }
    const db::Query& query() const { return m_query; }
    db::Connection* connection() const { return m_query.connection(); }
    void setConnection(db::Connection* connection);

    void setSql(const QStringList& lines);
    const QStringList& sql() const { return m_query.sql(); }

    // The table written to: the one named after FROM in the SQL.
    QString updateTable() const;
    // The column that identifies a row: this one, else the table's name followed by
    // "ID" when the query has such a column, else a row is found by all its columns.
    const QString& keyField() const { return m_keyField; }
    void setKeyField(const QString& field) { m_keyField = field; }

    // The data source's automatic edit: writing a value in browse state starts an edit.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

    void open();
    void close();
    // Reads the rows again and comes back to the current row when it is still there.
    void requery();
    bool active() const { return m_query.active(); }
    DataSetState state() const { return m_state; }
    bool editing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }
    // Something was written into the row being edited or inserted.
    bool modified() const { return !m_buffer.isEmpty(); }

    bool isEmpty() const { return m_query.isEmpty(); }
    int recordCount() const { return m_query.recordCount(); }
    // Current row from 0; the insert row is recordCount().
    int currentRow() const;
    void setCurrentRow(int row);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_query.eof(); }
    bool bof() const { return m_query.bof(); }
    db::Bookmark bookmark() const { return m_query.bookmark(); }
    bool gotoBookmark(const db::Bookmark& mark);
    bool locate(const QString& field, const QVariant& value, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

    QStringList fieldNames() const { return m_query.fieldNames(); }
    // The current row's value, with what is being edited or inserted.
    QVariant value(const QString& field) const;
    // A row's stored value; the insert row shows what was typed so far.
    QVariant valueAt(int row, int column) const;
    void setValue(const QString& field, const QVariant& value);

    void edit();
    void insert();
    void post();
    void cancel();
    // Deletes the current row from the table.
    void remove();

    // While disabled, the grid keeps showing what it showed; enabling shows the rows again.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    void afterInsert();
    void afterPost();
    void afterDelete();
    void afterCancel();
    // The rows were read again (or the query closed); views reset.
    void rowsReset();
    void currentChanged(int row);
    // A value of the row was changed in the edit buffer.
    void rowEdited(int row);
    void stateChanged();

private:
    QString resolveField(const QString& field) const;
    // The key column's index; -1 when rows are found by all their columns.
    int keyColumn() const;
    QString whereClause(const QVector<QVariant>& row, db::Parameters& params) const;
    void setState(DataSetState state);
    void notifyReset();
    void notifyCurrent();
    void reopenAt(const QVariantMap& match);

    db::Query m_query;
    QString m_keyField;
    bool m_autoEdit = true;
    DataSetState m_state = DataSetState::Inactive;
    QVariantMap m_buffer; // column name -> value being written
    int m_disabled = 0;
    bool m_resetPending = false;
};

} // namespace pw::till
