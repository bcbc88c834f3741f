#include "till/db_grid.h"

#include "db/field.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace pw::till {

bool ConfirmDeleteRecord()
{
    return MessageDlgEx(QStringLiteral("Delete record?"), mtConfirmation, mbOK | mbCancel) == mrOk;
}

void RunDataAction(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        ShowErrorMsg(pw::messageOf(e));
    }
}

QueryTableModel::QueryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void QueryTableModel::setDataSet(EditableQuery* data)
{
    beginResetModel();
    if (m_data)
        disconnect(m_data, nullptr, this, nullptr);
    m_data = data;
    if (m_data) {
        connect(m_data, &EditableQuery::rowsReset, this, &QueryTableModel::resetRows);
        connect(m_data, &EditableQuery::rowEdited, this, [this](int row) {
            if (row >= 0 && row < rowCount())
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
    }
    endResetModel();
}

void QueryTableModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void QueryTableModel::resetRows()
{
    beginResetModel();
    endResetModel();
}

QString QueryTableModel::fieldOf(int column) const
{
    if (!m_columns.isEmpty())
        return column >= 0 && column < m_columns.size() ? m_columns[column].field : QString();
    const QStringList names = m_data ? m_data->fieldNames() : QStringList{};
    return column >= 0 && column < names.size() ? names[column] : QString();
}

int QueryTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_data || !m_data->active())
        return 0;
    return m_data->recordCount() + (m_data->state() == DataSetState::Insert ? 1 : 0);
}

int QueryTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    if (!m_columns.isEmpty())
        return static_cast<int>(m_columns.size());
    return m_data ? static_cast<int>(m_data->fieldNames().size()) : 0;
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const
{
    if (!m_data || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int column = m_data->query().findField(fieldOf(index.column()));
    const QVariant value = m_data->valueAt(index.row(), column);
    if (role == Qt::EditRole)
        return value;
    return db::Field(QString(), value).asString();
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();
    if (!m_columns.isEmpty() && section < m_columns.size())
        return m_columns[section].title.isEmpty() ? m_columns[section].field : m_columns[section].title;
    return fieldOf(section);
}

Qt::ItemFlags QueryTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (!m_readOnly && m_data && (m_data->autoEdit() || m_data->editing()))
        result |= Qt::ItemIsEditable;
    return result;
}

bool QueryTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_data || role != Qt::EditRole || m_readOnly)
        return false;
    bool written = false;
    RunDataAction([&] {
        m_data->setCurrentRow(index.row());
        m_data->setValue(fieldOf(index.column()), value);
        written = true;
    });
    return written;
}

DbGrid::DbGrid(QWidget* parent) : QTableView(parent)
{
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    setShowGrid(true);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

void DbGrid::setDataSet(EditableQuery* data)
{
    if (dataSet())
        disconnect(dataSet(), nullptr, this, nullptr);
    m_model.setDataSet(data);
    if (data) {
        connect(data, &EditableQuery::currentChanged, this, &DbGrid::followDataSet);
        connect(data, &EditableQuery::rowsReset, this, &DbGrid::applyColumnWidths);
    }
    applyColumnWidths();
}

void DbGrid::setColumns(const QList<GridColumn>& columns)
{
    m_model.setColumns(columns);
    applyColumnWidths();
}

void DbGrid::setReadOnly(bool on)
{
    m_model.setReadOnly(on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
}

void DbGrid::applyColumnWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    const QList<GridColumn>& columns = m_model.columns();
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns[c].width * charWidth + 8);
}

void DbGrid::followDataSet(int row)
{
    if (m_following)
        return;
    m_following = true;
    if (row >= 0 && row < m_model.rowCount())
        setCurrentIndex(m_model.index(row, qMax(0, currentIndex().column())));
    m_following = false;
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || !dataSet() || !current.isValid() || current.row() == previous.row())
        return;
    m_following = true;
    RunDataAction([&] { dataSet()->setCurrentRow(current.row()); });
    m_following = false;
    // Posting the row that was left reads the rows again; show the row the query is on.
    if (currentIndex().row() != dataSet()->currentRow())
        followDataSet(dataSet()->currentRow());
}

void DbGrid::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier) && dataSet() && !readOnly()) {
        if (!m_confirmDelete || ConfirmDeleteRecord())
            RunDataAction([this] { dataSet()->remove(); });
        return;
    }
    if (e->key() == Qt::Key_Escape && dataSet() && dataSet()->editing() && !editingCell()) {
        dataSet()->cancel();
        return;
    }
    QTableView::keyPressEvent(e);
}

// An inserted row nobody typed into is dropped when focus moves to another
// control of the form; another window taking the focus leaves it alone.
void DbGrid::focusOutEvent(QFocusEvent* e)
{
    QTableView::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    EditableQuery* data = dataSet();
    if (data && data->state() == DataSetState::Insert && !data->modified() && !editingCell())
        data->cancel();
}

} // namespace pw::till
