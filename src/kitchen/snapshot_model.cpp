#include "kitchen/snapshot_model.h"

#include "db/field.h"

namespace pw::kitchen {

TSnapshotModel::TSnapshotModel(QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{
}

void TSnapshotModel::Reset(const db::ResultSet& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int TSnapshotModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.rows.size());
}

int TSnapshotModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TSnapshotModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Column& col = m_columns[index.column()];
    if (role == Qt::DisplayRole)
        return cellText(index.row(), col);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(col.alignment);
    return {};
}

QVariant TSnapshotModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return m_columns[section].label;
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant TSnapshotModel::value(int row, const QString& field) const
{
    if (row < 0 || row >= rowCount())
        return {};
    for (int c = 0; c < m_rows.columns.size(); ++c) {
        if (m_rows.columns[c].compare(field, Qt::CaseInsensitive) == 0)
            return m_rows.rows[row][c];
    }
    return {};
}

QString TSnapshotModel::cellText(int row, const Column& column) const
{
    return db::Field(column.field, value(row, column.field)).asString();
}

} // namespace pw::kitchen
