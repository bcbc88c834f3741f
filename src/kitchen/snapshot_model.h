#pragma once

#include "db/statement.h"

#include <QAbstractTableModel>
#include <QList>

namespace pw::kitchen {

// A grid's rows as they were when its query last opened: the grid never goes
// back to the database, and a refresh replaces the whole snapshot at once.
class TSnapshotModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;       // the column of the result, or the name of a calculated field
        QString label;       // "Order #"
        int widthChars = 10; // display width in characters
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    explicit TSnapshotModel(QList<Column> columns, QObject* parent = nullptr);

    // Takes the rows of a freshly opened query (or none after a failure).
    void Reset(const db::ResultSet& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const Column& column(int index) const { return m_columns[index]; }
    // The stored value of a result column in a row; invalid when there is no such column.
    QVariant value(int row, const QString& field) const;

protected:
    // The text a cell shows; the stored value as text unless a subclass calculates it.
    virtual QString cellText(int row, const Column& column) const;

private:
    QList<Column> m_columns;
    db::ResultSet m_rows;
};

} // namespace pw::kitchen
